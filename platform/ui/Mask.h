#pragma once
// Edits with an edit mask: typing is checked position by position against
// the mask, literals stay in place, and Text is the value the mask yields.
#include "platform/rtl/Exceptions.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/mask/EditMask.h"

// Raised by ValidateEdit when a required position is empty.
class EDBEditError : public Exception {
  using Exception::Exception;
};

class TCustomMaskEdit : public TCustomEdit {
public:
  explicit TCustomMaskEdit(TComponent* AOwner);

  const String& EditMask() const { return FMask.Mask(); }
  // May change at any time: the characters typed so far are kept and laid
  // out under the new mask.
  void SetEditMask(const String& value);
  bool IsMasked() const { return FMask.IsMasked(); }
  // The text as shown: literals in place, blanks where nothing was typed.
  String EditText() const { return TWinControl::GetText(); }
  void SetEditText(const String& value);
  // Raises EDBEditError, with the focus back on the edit, when the text was
  // changed and a required position is empty.
  virtual void ValidateEdit();
  // Restores the edit text the control had when it was entered.
  void Reset();

  void WndProc(TMessage& Message) override;

  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;

protected:
  String GetText() const override;
  void SetTextBuf(const String& value) override;
  virtual bool EditCanModify() { return !ReadOnly(); }

private:
  // Puts the characters of input at the caret as if typed.
  void InsertText(const String& input);
  void DeleteChars(bool backward);
  void SetCaret(int pos);

  TEditMask FMask;
  String FOldValue;
};

class TMaskEdit : public TCustomMaskEdit {
public:
  using TCustomMaskEdit::TCustomMaskEdit;
};
