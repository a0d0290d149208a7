#pragma once
// Edits with a button at their right edge and, optionally, a drop-down
// window: the base of the date edit and of the numeric edits. The edit is a
// masked edit made multi-line inside, so that its text rectangle can leave
// room for the button, which lives in a small child window of the edit.
#include "controls/RxButtonGlyph.h"
#include "controls/RxToolEditLayout.h"
#include "platform/rtl/DateUtils.h"
#include "platform/ui/Mask.h"
#include "platform/ui/Menus.h"

#include <memory>

enum class TGlyphKind { gkCustom, gkDefault, gkDropDown, gkEllipsis };

using TCloseUpEvent = std::function<void(TObject* Sender, bool Accept)>;

// What passes between an edit and its drop-down: nothing, a text or a date.
class TPopupValue {
public:
  TPopupValue() = default;
  static TPopupValue Text(String text);
  static TPopupValue Date(TDateTime date);
  bool IsNull() const { return FKind == Kind::Null; }
  bool IsDate() const { return FKind == Kind::Date; }
  // A date as the short date text; nothing as "".
  String AsText() const;
  // A text is read as a short date (EConvertError when it is none);
  // nothing is EmptyDate.
  TDateTime AsDate() const;

private:
  enum class Kind { Null, Text, Date };
  Kind FKind = Kind::Null;
  String FText;
  TDateTime FDate = 0;
};

class TCustomComboEdit;

// The button of the edit: a flat-framed speed button that presses on mouse
// up. The press that closes an open drop-down does not open it again.
class TEditButton : public TGraphicControl {
public:
  TEditButton(TComponent* AOwner, TCustomComboEdit* editor);
  ~TEditButton() override;

  TBitmap* Glyph() const { return FGlyph->Glyph(); }
  void SetGlyph(TBitmap* value);
  int NumGlyphs() const { return FGlyph->NumGlyphs(); }
  void SetNumGlyphs(int value);
  bool Down() const { return FDown; }
  void Click() override;
  void WndProc(TMessage& Message) override;

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
  friend class TCustomComboEdit;
  TCustomComboEdit* FEditor;
  std::unique_ptr<TRxButtonGlyph> FGlyph;
  bool FNoAction = false;
  // The accept flag used when a press closes the open drop-down.
  bool FStandart = true;
  bool FDown = false;
  bool FTracking = false;
};

// The drop-down window: a borderless-looking popup that never takes the
// activation from the edit's form.
class TPopupWindow : public TCustomControl {
public:
  // AOwner is the edit the drop-down belongs to.
  explicit TPopupWindow(TWinControl* AOwner);

  virtual TPopupValue ReadValue() = 0;
  virtual void WriteValue(const TPopupValue& Value) = 0;
  // Raises OnCloseUp.
  virtual void FinishPopup(bool Accept);
  virtual String GetPopupText() { return String(); }
  // Shows the window at a screen point, on top, without activating it.
  virtual void Show(TPoint Origin);
  void Hide();
  TWinControl* Editor() const { return FEditor; }

  TCloseUpEvent OnCloseUp;

protected:
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;

private:
  TWinControl* FEditor;
};

class TCustomComboEdit : public TCustomMaskEdit {
public:
  explicit TCustomComboEdit(TComponent* AOwner);
  ~TCustomComboEdit() override;

  String ButtonHint() const;
  void SetButtonHint(const String& value);
  int ButtonWidth() const;
  void SetButtonWidth(int value);
  // Default Alt+Down.
  TShortCut ClickKey() const { return FClickKey; }
  void SetClickKey(TShortCut value) { FClickKey = value; }
  // Off: typing, pasting and cutting are refused; the button still works.
  bool DirectInput() const { return FDirectInput; }
  void SetDirectInput(bool value);
  TBitmap* Glyph() const;
  void SetGlyph(TBitmap* value);
  TGlyphKind GlyphKind() const { return FGlyphKind; }
  void SetGlyphKind(TGlyphKind value);
  int NumGlyphs() const;
  void SetNumGlyphs(int value);
  TPopupAlign PopupAlign() const { return FPopupAlign; }
  void SetPopupAlign(TPopupAlign value) { FPopupAlign = value; }
  virtual bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value);

  // A drop-down exists and is shown.
  bool PopupVisible() const;
  // Presses the button as a click would.
  void DoClick();
  // Selects the whole text, only with DirectInput.
  void SelectAll();

  TEditButton* Button() const { return FButton; }
  TCustomControl* Popup() const { return FPopup; }

  TNotifyEvent OnButtonClick;

  void WndProc(TMessage& Message) override;

protected:
  // The glyph of gkDefault; destroyNeeded tells whether the caller frees it.
  virtual TBitmap* DefaultGlyph(bool& destroyNeeded);
  virtual void OpenPopup(bool disableEdit);
  virtual void ClosePopup(TObject* Sender, bool Accept);
  virtual void ShowPopupAt(TPoint origin);
  virtual void HidePopupWindow();
  virtual void NotifyChange();
  virtual bool ConfirmPopupValue(TPopupValue& value);
  virtual void ApplyPopupValue(const TPopupValue& value);
  virtual void PassValueToPopup(const TPopupValue& value);
  virtual TPopupValue ReadPopupValue();
  virtual void PopupValueChanged() {}
  virtual void HandleButtonClick();

  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  bool EditCanModify() override { return !FReadOnly || FAlwaysEnable; }
  void Change() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

  // The alignment of the edit's own text; a change recreates the window.
  void SetEditAlignment(TAlignment value);
  TAlignment EditAlignment() const { return FAlignment; }
  void SyncPopupVisible();
  void RebuildGlyph();
  // Marks work done while the control is being set up (no window yet).
  bool Creating() const { return FCreating; }
  void SetCreating(bool value) { FCreating = value; }

  // The drop-down, created and owned by the descendant.
  TCustomControl* FPopup = nullptr;
  int FDefNumGlyphs = 1;
  // The window has the focus.
  bool FFocusedWnd = false;

private:
  friend class TEditButton;
  void ButtonPressed(TObject* Sender);
  void LayoutButton();
  void UpdateEditRect();
  void ShowEditCaret();
  int FontTextHeight();
  int MinimumHeight();
  void MakeEllipsisGlyph();
  // The platform edit's own read-only state.
  void SyncEditReadOnly();

  TWinControl* FBtnControl = nullptr;
  TShortCut FClickKey;
  bool FReadOnly = false;
  bool FDirectInput = true;
  bool FAlwaysEnable = false;
  TAlignment FAlignment = taLeftJustify;
  TPopupAlign FPopupAlign = TPopupAlign::epaRight;
  TGlyphKind FGlyphKind = TGlyphKind::gkCustom;
  TEditButton* FButton = nullptr;
  bool FPopupVisible = false;
  bool FCreating = false;
  // The focus is leaving: closing the drop-down must not take it back.
  bool FLosingFocus = false;
};
