#pragma once
// Numeric and currency edits. While the user types, the edit text is the
// plain number (1234,5); whenever the control is not being edited it paints
// the formatted display text instead (R$ 1.234,50), aligned as asked. Keys
// are filtered so that the text stays a number; the value can be rounded to
// its decimals and kept between two bounds.
#include "controls/RxCurrEditText.h"
#include "controls/RxToolEdit.h"

#include <memory>

class TCustomNumEdit : public TCustomComboEdit {
public:
  explicit TCustomNumEdit(TComponent* AOwner);
  ~TCustomNumEdit() override;

  // Reading takes the edit text first; text that is no number reads as
  // MinValue. Writing raises OnChange when the edit text changes.
  double Value();
  void SetValue(double value);
  int AsInteger() { return static_cast<int>(Value()); }
  void SetAsInteger(int value) { SetValue(value); }
  String DisplayText() const;
  // Writing Text sets Value; text that is no number raises EConvertError
  // and changes nothing. A lone '.' reads as the decimal comma.

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  bool BeepOnError() const { return FBeepOnError; }
  void SetBeepOnError(bool value);
  bool CheckOnExit() const { return FCheckOnExit; }
  void SetCheckOnExit(bool value) { FCheckOnExit = value; }
  bool DecimalPlaceRound() const { return FRules.DecimalPlaceRound; }
  void SetDecimalPlaceRound(bool value);
  unsigned DecimalPlaces() const { return FRules.DecimalPlaces; }
  void SetDecimalPlaces(unsigned value);
  const String& DisplayFormat() const { return FDisplayFormat; }
  void SetDisplayFormat(const String& value);
  bool FormatOnEditing() const { return FFormatOnEditing; }
  void SetFormatOnEditing(bool value);
  double MaxValue() const { return FRules.MaxValue; }
  void SetMaxValue(double value);
  double MinValue() const { return FRules.MinValue; }
  void SetMinValue(double value);
  bool ZeroEmpty() const { return FZeroEmpty; }
  void SetZeroEmpty(bool value);
  // Never a drop-down here.
  bool PopupVisible() const { return false; }

  void WndProc(TMessage& Message) override;

protected:
  virtual void RefreshEditText();
  virtual String GetDefaultFormat() const { return u",0.##"; }
  virtual bool IsValidKey(char16_t key);
  void SetTextBuf(const String& value) override;
  TBitmap* DefaultGlyph(bool& destroyNeeded) override;
  void Change() override;
  void KeyPress(char16_t& Key) override;

  String FDisplayFormat;

private:
  void CommitEditText();
  void CheckRangeOnExit();
  void SetFocusedState(bool value);
  void ReformatWhileEditing();
  void PasteNumber();
  void HandleExit();
  bool Paint(TMessage& Message);

  std::unique_ptr<TCanvas> FCanvas;
  TAlignment FAlignment = taRightJustify;
  // Being edited: the control's own flag, set on enter and cleared on exit.
  bool FFocused = false;
  double FValue = 0;
  TNumEditRules FRules;
  bool FBeepOnError = true;
  bool FCheckOnExit = false;
  bool FZeroEmpty = true;
  bool FFormatOnEditing = false;
  bool FFormatting = false;
};

// The currency edit: no button, and the locale's currency format.
class TCurrencyEdit : public TCustomNumEdit {
public:
  explicit TCurrencyEdit(TComponent* AOwner);

protected:
  String GetDefaultFormat() const override { return CurrencyDisplayFormat(); }
};

// Paints text in the control's client area as the numeric edits show their
// display text: unless standardPaint, the message's DC (or BeginPaint) is
// filled with the control's colour and the text drawn aligned. Returns false
// when the edit must paint itself.
bool PaintDisplayText(TCustomComboEdit* edit, const String& text, TAlignment alignment,
                      bool standardPaint, std::unique_ptr<TCanvas>& canvas, TMessage& message);
