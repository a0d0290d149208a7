#include "controls/RxToolEditDate.h"
#include "controls/RxFlagScope.h"

#include "controls/RxPickDatePopup.h"
#include "controls/RxResConst.h"
#include "controls/RxToolEditGlyphs.h"
#include "platform/rtl/Format.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Forms.h"

namespace {

TDateTime Today() { return DateOf(Now()); }

}  // namespace

// ---- TCustomDateEdit -------------------------------------------------------

TCustomDateEdit::TCustomDateEdit(TComponent* AOwner)
    : TCustomComboEdit(AOwner), FCalendarHints(std::make_unique<TStringList>()) {
  FTitle = LibraryText(SDateDlgTitle);
  FDefNumGlyphs = 2;
  FCalendarHints->OnChange = [this](TObject*) { HintsChanged(); };
  SetCreating(true);
  FDateFormat = DateEditFormat(FYearDigits, FormatSettings.ShortDateFormat);
  CreatePopup();
  SetGlyphKind(TGlyphKind::gkDefault);
  SetCreating(false);
}

TCustomDateEdit::~TCustomDateEdit() {
  Unhook();
  if (auto* popup = dynamic_cast<TPopupWindow*>(FPopup)) popup->OnCloseUp = nullptr;
  delete FPopup;
  FPopup = nullptr;
  FCalendarHints->OnChange = nullptr;
}

void TCustomDateEdit::CreatePopup() {
  TPopupCalendar* popup = NewPopupCalendar(this, FMaxDate, FMinDate);
  popup->OnCloseUp = [this](TObject* sender, bool accept) { ClosePopup(sender, accept); };
  popup->SetColor(FPopupColor);
  FPopup = popup;
}

TBitmap* TCustomDateEdit::DefaultGlyph(bool& destroyNeeded) {
  destroyNeeded = false;
  return DateEditGlyph();
}

TDateTime TCustomDateEdit::DefaultDate() const { return FDefaultToday ? Today() : EmptyDate; }

TDateTime TCustomDateEdit::Date() { return TextToDateDef(FDateFormat, EditText(), DefaultDate()); }

String TCustomDateEdit::BlankEditText() const { return TEditMask(EditMask()).BlankEditText(); }

void TCustomDateEdit::WriteDate(TDateTime value) {
  if (!ValidDateValue(value) || value == EmptyDate) value = DefaultDate();
  const TDateTime old = Date();
  ClampToLimits(value);
  SetEditText(value == EmptyDate ? BlankEditText() : FormatDateTime(FDateFormat, value));
  SetModified(Date() != old);
}

void TCustomDateEdit::ClampToLimits(TDateTime& value) {
  if (!FDateAutoBetween || value == EmptyDate) return;
  if (FMinDate != EmptyDate && value < FMinDate) value = FMinDate;
  if (FMaxDate != EmptyDate && value > FMaxDate) value = FMaxDate;
}

void TCustomDateEdit::WriteDateAndSelect(TDateTime value) {
  SetDate(value);
  SelectAll();
}

void TCustomDateEdit::SetMinDate(TDateTime value) {
  if (FMinDate == value) return;
  if (value != EmptyDate && FMaxDate != EmptyDate && value > FMaxDate) {
    if (FDateAutoBetween)
      SetMaxDate(value);
    else
      throw Exception(Format(LibraryText(SDateMinLimit), {DateToStr(FMaxDate)}));
  }
  FMinDate = value;
  SyncCalendarSettings();
  if (FDateAutoBetween) SetDate(Date());
}

void TCustomDateEdit::SetMaxDate(TDateTime value) {
  if (FMaxDate == value) return;
  if (value != EmptyDate && FMinDate != EmptyDate && value < FMinDate) {
    if (FDateAutoBetween)
      SetMinDate(value);
    else
      throw Exception(Format(LibraryText(SDateMaxLimit), {DateToStr(FMinDate)}));
  }
  FMaxDate = value;
  SyncCalendarSettings();
  if (FDateAutoBetween) SetDate(Date());
}

void TCustomDateEdit::SetDateAutoBetween(bool value) {
  if (FDateAutoBetween == value) return;
  FDateAutoBetween = value;
  if (value) {
    TDateTime d = Date();
    ClampToLimits(d);
    if (d != Date()) SetDate(d);
  }
  Invalidate();
}

void TCustomDateEdit::SetBlanksChar(char16_t value) {
  if (value < u' ') value = u' ';
  if (FBlanksChar == value) return;
  FBlanksChar = value;
  UpdateMask();
}

void TCustomDateEdit::SetYearDigits(TYearDigits value) {
  if (FYearDigits == value) return;
  FYearDigits = value;
  UpdateMask();
}

void TCustomDateEdit::SetStartOfWeek(TDayOfWeekName value) {
  if (FStartOfWeek == value) return;
  FStartOfWeek = value;
  SyncCalendarSettings();
}

void TCustomDateEdit::SetWeekends(TDaysOfWeek value) {
  if (FWeekends == value) return;
  FWeekends = value;
  SyncCalendarSettings();
}

void TCustomDateEdit::SetWeekendColor(TColor value) {
  if (FWeekendColor == value) return;
  FWeekendColor = value;
  SyncCalendarSettings();
}

void TCustomDateEdit::SetCalendarHints(const TStrings* value) {
  if (value) FCalendarHints->Assign(*value);
  else FCalendarHints->Clear();
}

void TCustomDateEdit::HintsChanged() {
  if (FTrimmingHints) return;
  {
    TFlagScope trimming(FTrimmingHints, true);
    while (FCalendarHints->Count() > 4) FCalendarHints->Delete(FCalendarHints->Count() - 1);
  }
  SyncCalendarSettings();
}

TColor TCustomDateEdit::PopupColor() const { return FPopup ? FPopup->Color() : FPopupColor; }

void TCustomDateEdit::SetPopupColor(TColor value) {
  FPopupColor = value;
  if (FPopup) FPopup->SetColor(value);
}

TCalendarStyle TCustomDateEdit::CalendarStyle() const {
  return FPopup ? TCalendarStyle::csPopup : TCalendarStyle::csDialog;
}

void TCustomDateEdit::SetCalendarStyle(TCalendarStyle value) {
  if (value == CalendarStyle()) return;
  if (value == TCalendarStyle::csDialog) {
    ClosePopup(FPopup, false);
    delete FPopup;
    FPopup = nullptr;
  } else {
    CreatePopup();
    SyncCalendarSettings();
  }
}

void TCustomDateEdit::SyncCalendarSettings() {
  if (FPopup)
    ConfigurePopupCalendar(FPopup, FStartOfWeek, FWeekends, FWeekendColor, FCalendarHints.get(),
                           FMinDate, FMaxDate);
}

String TCustomDateEdit::GetDateMask() const {
  return DateEditMask(FYearDigits, FormatSettings.ShortDateFormat, FBlanksChar);
}

void TCustomDateEdit::UpdateMask() {
  const TDateTime d = Date();
  const String oldFormat = FDateFormat;
  FDateFormat = DateEditFormat(FYearDigits, FormatSettings.ShortDateFormat);
  const String mask = GetDateMask();
  if (mask != EditMask() || oldFormat != FDateFormat) {
    SetEditMask(String());
    SetEditMask(mask);
  }
  SyncCalendarSettings();
  SetDate(d);
}

bool TCustomDateEdit::HasDateText() {
  return ::HasDateText(EditText(), FBlanksChar, FormatSettings.DateSeparator);
}

void TCustomDateEdit::CheckValidDate() {
  if (!HasDateText()) return;
  try {
    TFlagScope formatting(FFormatting, true);
    SetDate(TextToDate(FDateFormat, EditText()));
  } catch (const Exception&) {
    if (!FErrorRaise) {
      ShowMessage(Format(u"'%s' is not a valid date", {EditText()}));
    } else {
      SetDate(EmptyDate);
      Invalidate();
    }
    if (CanFocus()) SetFocus();
    if (FErrorRaise) throw;
  }
}

void TCustomDateEdit::ValidateEdit() {
  if (HasDateText()) CheckValidDate();
}

void TCustomDateEdit::Change() {
  if (!FFormatting) TCustomComboEdit::Change();
}

void TCustomDateEdit::KeyDown(WORD& Key, TShiftState Shift) {
  const bool popupKey = Key == VK_PRIOR || Key == VK_NEXT || Key == VK_LEFT || Key == VK_UP ||
                        Key == VK_RIGHT || Key == VK_DOWN || Key == VK_ADD || Key == VK_SUBTRACT;
  if (popupKey && PopupVisible()) {
    static_cast<TPopupCalendar*>(FPopup)->KeyDown(Key, Shift);
    Key = 0;
  } else if (Shift.Empty() && DirectInput() && (Key == VK_ADD || Key == VK_SUBTRACT)) {
    TDateTime d = Date();
    if (d == EmptyDate) d = Now();
    WriteDateAndSelect(Key == VK_ADD ? d + 1 : d - 1);
    Key = 0;
  }
  TCustomComboEdit::KeyDown(Key, Shift);
}

void TCustomDateEdit::KeyPress(char16_t& Key) {
  const bool popupChar = Key == u'+' || Key == u'-' || Key == u'T' || Key == u't';
  if (popupChar && PopupVisible()) {
    static_cast<TPopupCalendar*>(FPopup)->KeyPress(Key);
    Key = 0;
  } else if (popupChar && DirectInput()) {
    // '+' and '-' already acted as keys; 'T' is today.
    if (Key == u'T' || Key == u't') WriteDateAndSelect(Today());
    Key = 0;
  }
  TCustomComboEdit::KeyPress(Key);
}

void TCustomDateEdit::HandleButtonClick() {
  TCustomComboEdit::HandleButtonClick();
  if (FPopup) return;
  TDateTime d = Date();
  const bool chosen = ChooseDate(this, d, FTitle, FStartOfWeek, FWeekends, FWeekendColor,
                                 FCalendarHints.get(), FMinDate, FMaxDate);
  if (CanFocus()) SetFocus();
  if (!chosen) return;
  bool action = true;
  if (OnAcceptDate) OnAcceptDate(this, d, action);
  if (!action) return;
  SetDate(d);
  if (FFocusedWnd) SelectAll();
}

void TCustomDateEdit::PassValueToPopup(const TPopupValue& value) {
  if (auto* popup = dynamic_cast<TPopupWindow*>(FPopup))
    popup->WriteValue(TPopupValue::Date(TextToDateDef(FDateFormat, value.AsText(), Today())));
}

bool TCustomDateEdit::ConfirmPopupValue(TPopupValue& value) {
  if (!OnAcceptDate) return true;
  TDateTime d = EmptyDate;
  if (!value.IsNull() && !value.AsText().empty()) {
    try {
      d = value.AsDate();
    } catch (const Exception&) {
      d = DefaultDate();
    }
  }
  bool action = true;
  OnAcceptDate(this, d, action);
  if (action) value = TPopupValue::Date(d);
  return action;
}

void TCustomDateEdit::ApplyPopupValue(const TPopupValue& value) {
  SetDate(value.AsDate());
  SyncPopupVisible();
  if (Modified()) TCustomComboEdit::Change();
}

void TCustomDateEdit::CreateWnd() {
  TCustomComboEdit::CreateWnd();
  UpdateMask();
  Hook();
}

void TCustomDateEdit::DestroyWnd() {
  Unhook();
  TCustomComboEdit::DestroyWnd();
}

void TCustomDateEdit::Hook() {
  if (FHookCookie != 0) return;
  FHookCookie = Application->HookMainWindow([this](TMessage& m) {
    if (m.Msg == WM_WININICHANGE && Application->UpdateFormatSettings()) UpdateMask();
    return false;
  });
}

void TCustomDateEdit::Unhook() {
  if (FHookCookie == 0) return;
  Application->UnhookMainWindow(FHookCookie);
  FHookCookie = 0;
}

void TCustomDateEdit::WndProc(TMessage& Message) {
  if (Message.Msg == CM_EXIT && FCheckOnExit) CheckValidDate();
  TCustomComboEdit::WndProc(Message);
}

// ---- TDateEdit -------------------------------------------------------------

TDateEdit::TDateEdit(TComponent* AOwner) : TCustomDateEdit(AOwner) { UpdateMask(); }

void TDateEdit::WriteDate(TDateTime value) {
  if (!DateAutoBetween() && value != EmptyDate) {
    const String message = DateRangeMessage(value, MinDate(), MaxDate(), DateFormat());
    if (!message.empty()) throw Exception(message);
  }
  TCustomDateEdit::WriteDate(value);
}
