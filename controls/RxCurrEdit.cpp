#include "controls/RxCurrEdit.h"
#include "controls/RxFlagScope.h"

#include "controls/RxToolEditGlyphs.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumUtils.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/Clipbrd.h"

bool PaintDisplayText(TCustomComboEdit* edit, const String& text, TAlignment alignment,
                      bool standardPaint, std::unique_ptr<TCanvas>& canvas, TMessage& message) {
  if (standardPaint) return false;
  if (!canvas) canvas = std::make_unique<TCanvas>();
  HWND window = edit->Handle();
  PAINTSTRUCT ps{};
  HDC dc = reinterpret_cast<HDC>(message.WParam);
  const bool begun = dc == nullptr;
  if (begun) dc = BeginPaint(window, &ps);
  canvas->SetHandle(dc);
  try {
    canvas->SetFont(edit->Font());
    if (!edit->Enabled() && edit->Color() != clGrayText) canvas->Font()->SetColor(clGrayText);
    const TRect r = edit->ClientRect();
    canvas->Brush()->SetColor(edit->Color());
    const int inset = edit->BorderStyle() == bsNone ? 0 : 1;
    const int margins = static_cast<int>(SendMessageW(window, EM_GETMARGINS, 0, 0));
    const int x = LOWORD(margins) + inset, y = inset;
    const int button = edit->ButtonWidth() > 1 ? edit->ButtonWidth() : 0;
    const int w = canvas->TextWidth(text) + (edit->ButtonWidth() > 0 ? 1 : 0);
    int left = x;
    switch (alignment) {
      case taLeftJustify: left = x; break;
      case taRightJustify: left = edit->ClientWidth() - button - w - x; break;
      case taCenter: left = (edit->ClientWidth() - button - w) / 2; break;
    }
    canvas->Brush()->SetStyle(bsSolid);
    canvas->TextRect(r, left, y, text);
  } catch (...) {
    canvas->SetHandle(nullptr);
    if (begun) EndPaint(window, &ps);
    throw;
  }
  canvas->SetHandle(nullptr);
  if (begun) EndPaint(window, &ps);
  return true;
}

// ---- TCustomNumEdit --------------------------------------------------------

TCustomNumEdit::TCustomNumEdit(TComponent* AOwner) : TCustomComboEdit(AOwner) {
  FControlStyle.Exclude(csSetCaption);
  SetMaxLength(0);
  FDisplayFormat = GetDefaultFormat();
  SetEditText(String());
  FDefNumGlyphs = 2;
  RefreshEditText();
  SetCreating(true);
  SetGlyphKind(TGlyphKind::gkDefault);
  SetButtonWidth(21);
  SetCreating(false);
}

TCustomNumEdit::~TCustomNumEdit() = default;

TBitmap* TCustomNumEdit::DefaultGlyph(bool& destroyNeeded) {
  destroyNeeded = false;
  return NumEditGlyph();
}

String TCustomNumEdit::DisplayText() const { return NumberDisplayText(FValue, FDisplayFormat); }

void TCustomNumEdit::RefreshEditText() {
  SetEditText(NumberEditText(FValue, FRules, FZeroEmpty));
}

double TCustomNumEdit::Value() {
  try {
    CommitEditText();
  } catch (const Exception&) {
    FValue = FRules.MinValue;
  }
  return FValue;
}

void TCustomNumEdit::SetValue(double value) {
  FValue = ClampNumber(value, FRules, false);
  RefreshEditText();
  Invalidate();
}

void TCustomNumEdit::SetTextBuf(const String& value) {
  FValue = ClampNumber(StrToFloat(NormalizeEnteredNumberText(value)), FRules, false);
  RefreshEditText();
  Invalidate();
}

void TCustomNumEdit::CommitEditText() {
  ValidateEdit();
  FValue = ClampNumber(StrToFloat(NormalizeNumberText(EditText())), FRules, false);
}

void TCustomNumEdit::CheckRangeOnExit() {
  if (FCheckOnExit) ClampNumber(StrToFloat(NormalizeNumberText(EditText())), FRules, true);
}

void TCustomNumEdit::SetMinValue(double value) {
  if (FRules.MinValue == value) return;
  FRules.MinValue = value;
  SetValue(FValue);
}

void TCustomNumEdit::SetMaxValue(double value) {
  if (FRules.MaxValue == value) return;
  FRules.MaxValue = value;
  SetValue(FValue);
}

void TCustomNumEdit::SetDecimalPlaces(unsigned value) {
  if (FRules.DecimalPlaces == value) return;
  FRules.DecimalPlaces = value;
  SetValue(ClampNumber(FValue, FRules, false));
  RefreshEditText();
  Invalidate();
}

void TCustomNumEdit::SetDecimalPlaceRound(bool value) {
  if (FRules.DecimalPlaceRound == value) return;
  FRules.DecimalPlaceRound = value;
  SetValue(ClampNumber(FValue, FRules, false));
  Invalidate();
}

void TCustomNumEdit::SetZeroEmpty(bool value) {
  if (FZeroEmpty == value) return;
  FZeroEmpty = value;
  RefreshEditText();
}

void TCustomNumEdit::SetAlignment(TAlignment value) {
  if (FAlignment == value) return;
  FAlignment = value;
  Invalidate();
}

void TCustomNumEdit::SetBeepOnError(bool value) {
  // No calculator drop-down exists to hand the flag to.
  FBeepOnError = value;
}

void TCustomNumEdit::SetDisplayFormat(const String& value) {
  if (FDisplayFormat == value) return;
  FDisplayFormat = value;
  Invalidate();
  RefreshEditText();
}

void TCustomNumEdit::SetFormatOnEditing(bool value) {
  if (FFormatOnEditing == value) return;
  FFormatOnEditing = value;
  SetEditAlignment(value ? FAlignment : taLeftJustify);
  if (!FFocused) return;
  if (value) {
    ReformatWhileEditing();
  } else {
    CommitEditText();
    RefreshEditText();
  }
}

void TCustomNumEdit::SetFocusedState(bool value) {
  if (FFocused == value) return;
  FFocused = value;
  Invalidate();
  TFlagScope formatting(FFormatting, true);
  RefreshEditText();
}

void TCustomNumEdit::ReformatWhileEditing() {
  TFlagScope formatting(FFormatting, true);
  String s = EditText();
  const int oldLength = static_cast<int>(s.size());
  if (!s.empty() && s != u"-") s = NormalizeNumberText(s);
  s = GroupThousands(s, FDisplayFormat.find(u',') != String::npos);
  const int caret = SelStart();
  SetEditText(s);
  if (HandleAllocated() && GetFocus() == FHandle)
    SetSelStart(caret + static_cast<int>(s.size()) - oldLength);
}

void TCustomNumEdit::Change() {
  if (FFormatting) return;
  if (FFormatOnEditing && FFocused) ReformatWhileEditing();
  TCustomComboEdit::Change();
}

bool TCustomNumEdit::IsValidKey(char16_t key) {
  return IsValidNumberKey(key, EditText(), SelStart(), SelLength(), FRules);
}

void TCustomNumEdit::KeyPress(char16_t& Key) {
  Key = TranslateNumberKey(Key, EditText(), SelStart(), SelLength());
  TCustomComboEdit::KeyPress(Key);
  if (Key >= 32 && !IsValidKey(Key)) {
    if (FBeepOnError) MessageBeep(0);
    Key = 0;
  } else if (Key == 27) {
    RefreshEditText();
    SelectAll();
    Key = 0;
  }
}

void TCustomNumEdit::PasteNumber() {
  const String saved = EditText();
  try {
    // The pasted text is read as an amount ("1.234,56", "12.50") and goes
    // in as the plain number the control itself would show.
    const String pasted = Trim(Clipboard()->AsText());
    if (!pasted.empty()) {
      const String number = NormalizeEnteredNumberText(pasted);
      // Text that is no amount by itself ("1.2.3") is refused, not read
      // with its separators dropped.
      StrToFloat(number);
      SetSelText(number);
    }
    CommitEditText();
  } catch (const Exception&) {
    SetEditText(saved);
    SelectAll();
    if (CanFocus()) SetFocus();
    if (FBeepOnError) MessageBeep(0);
  }
}

void TCustomNumEdit::HandleExit() {
  try {
    CheckRangeOnExit();
    CommitEditText();
  } catch (...) {
    SelectAll();
    if (CanFocus()) SetFocus();
    throw;
  }
  SetFocusedState(false);
  SetSelStart(0);
  DoExit();
}

bool TCustomNumEdit::Paint(TMessage& Message) {
  return PaintDisplayText(this, DisplayText(), FAlignment, FFocused, FCanvas, Message);
}

void TCustomNumEdit::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
      if (Paint(Message)) {
        Message.Result = 0;
        return;
      }
      break;
    case CM_ENTER:
      SetFocusedState(true);
      if (FFormatOnEditing) ReformatWhileEditing();
      break;
    case CM_EXIT:
      HandleExit();
      return;
    case WM_PASTE:
      if (DirectInput() && !ReadOnly()) PasteNumber();
      return;
    case CM_ENABLEDCHANGED:
      TCustomComboEdit::WndProc(Message);
      if (!FFocused) Invalidate();
      return;
    case CM_FONTCHANGED:
      TCustomComboEdit::WndProc(Message);
      Invalidate();
      return;
    default:
      break;
  }
  TCustomComboEdit::WndProc(Message);
}

// ---- TCurrencyEdit ---------------------------------------------------------

TCurrencyEdit::TCurrencyEdit(TComponent* AOwner) : TCustomNumEdit(AOwner) {
  FDisplayFormat = GetDefaultFormat();
  SetCreating(true);
  SetButtonWidth(0);
  SetCreating(false);
}
