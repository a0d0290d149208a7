#pragma once
// The date edit: a masked edit for one date with a button that opens the
// drop-down calendar or the modal date dialog. Mask and format follow the
// locale's date order; the text is read back by the tolerant date reading;
// optional limits clamp the date or make dates beyond them an error; keys
// move the date by a day or set today.
#include "controls/RxDateUtil.h"
#include "controls/RxToolEdit.h"
#include "controls/RxToolEditDateText.h"
#include "platform/classes/Strings.h"

enum class TCalendarStyle { csPopup, csDialog };

using TExecDateDialog = std::function<void(TObject* Sender, TDateTime& ADate, bool& Action)>;

class TCustomDateEdit : public TCustomComboEdit {
public:
  explicit TCustomDateEdit(TComponent* AOwner);
  ~TCustomDateEdit() override;

  // The text read as a date; EmptyDate (today with DefaultToday) when it
  // holds none. Never raises.
  TDateTime Date();
  void SetDate(TDateTime value) { WriteDate(value); }

  // EmptyDate: no limit.
  TDateTime MinDate() const { return FMinDate; }
  void SetMinDate(TDateTime value);
  TDateTime MaxDate() const { return FMaxDate; }
  void SetMaxDate(TDateTime value);
  // On: dates beyond the limits move to the nearer limit; off: writing one
  // raises.
  bool DateAutoBetween() const { return FDateAutoBetween; }
  virtual void SetDateAutoBetween(bool value);

  char16_t BlanksChar() const { return FBlanksChar; }
  void SetBlanksChar(char16_t value);
  // Up to four lines: hints of the previous-year, previous-month,
  // next-month and next-year buttons.
  TStrings* CalendarHints() const { return FCalendarHints.get(); }
  void SetCalendarHints(const TStrings* value);
  TCalendarStyle CalendarStyle() const;
  void SetCalendarStyle(TCalendarStyle value);
  bool CheckOnExit() const { return FCheckOnExit; }
  void SetCheckOnExit(bool value) { FCheckOnExit = value; }
  bool DefaultToday() const { return FDefaultToday; }
  void SetDefaultToday(bool value) { FDefaultToday = value; }
  const String& DialogTitle() const { return FTitle; }
  void SetDialogTitle(const String& value) { FTitle = value; }
  bool ErrorRaise() const { return FErrorRaise; }
  void SetErrorRaise(bool value) { FErrorRaise = value; }
  TColor PopupColor() const;
  void SetPopupColor(TColor value);
  TDayOfWeekName StartOfWeek() const { return FStartOfWeek; }
  void SetStartOfWeek(TDayOfWeekName value);
  TDaysOfWeek Weekends() const { return FWeekends; }
  void SetWeekends(TDaysOfWeek value);
  TColor WeekendColor() const { return FWeekendColor; }
  void SetWeekendColor(TColor value);
  TYearDigits YearDigits() const { return FYearDigits; }
  void SetYearDigits(TYearDigits value);

  // The mask for the current settings.
  String GetDateMask() const;
  // The format the text is written and read with ("DD/MM/YYYY").
  const String& DateFormat() const { return FDateFormat; }
  // Chooses format and mask again (after a change of the date settings),
  // keeping the date.
  virtual void UpdateMask();
  // Reads the text as a date; a text that is none is reported (ErrorRaise
  // off: message box, focus kept) or cleared and raised (ErrorRaise on).
  void CheckValidDate();
  void ValidateEdit() override;
  // Holds more than blanks and separators.
  bool HasDateText();

  void WndProc(TMessage& Message) override;

  // Called before a date chosen in the calendar or the dialog is taken; may
  // change it, or refuse it by clearing Action.
  TExecDateDialog OnAcceptDate;

protected:
  virtual void WriteDate(TDateTime value);
  virtual void ClampToLimits(TDateTime& value);
  virtual void WriteDateAndSelect(TDateTime value);

  void CreateWnd() override;
  void DestroyWnd() override;
  TBitmap* DefaultGlyph(bool& destroyNeeded) override;
  bool ConfirmPopupValue(TPopupValue& value) override;
  void ApplyPopupValue(const TPopupValue& value) override;
  void PassValueToPopup(const TPopupValue& value) override;
  void Change() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void HandleButtonClick() override;

private:
  void SyncCalendarSettings();
  void CreatePopup();
  void HintsChanged();
  void Hook();
  void Unhook();
  String BlankEditText() const;
  TDateTime DefaultDate() const;

  TDateTime FMinDate = EmptyDate;
  TDateTime FMaxDate = EmptyDate;
  bool FErrorRaise = false;
  String FTitle;
  bool FDefaultToday = false;
  int FHookCookie = 0;
  TColor FPopupColor = clBtnFace;
  bool FCheckOnExit = false;
  char16_t FBlanksChar = u' ';
  std::unique_ptr<TStringList> FCalendarHints;
  TDayOfWeekName FStartOfWeek = TDayOfWeekName::Mon;
  TDaysOfWeek FWeekends{TDayOfWeekName::Sun};
  TColor FWeekendColor = clRed;
  TYearDigits FYearDigits = TYearDigits::dyDefault;
  String FDateFormat;
  bool FFormatting = false;
  bool FDateAutoBetween = true;
  bool FTrimmingHints = false;
};

class TDateEdit : public TCustomDateEdit {
public:
  explicit TDateEdit(TComponent* AOwner);

protected:
  // With DateAutoBetween off, a date beyond the limits raises
  // "'...' - invalid date. Value must be ..." and the text stays.
  void WriteDate(TDateTime value) override;
};
