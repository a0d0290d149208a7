#pragma once
// Picking a date with the month calendar: the drop-down calendar of the date
// edit, the small modal date dialog, and the routines the date edit uses to
// create, configure and run them. Both windows carry a month-and-year title
// and four repeating buttons: previous year, previous month, next month,
// next year, enabled as the calendar's limits allow.
#include "controls/RxPickDate.h"
#include "controls/RxSpeedButton.h"
#include "controls/RxToolEdit.h"
#include "platform/classes/Strings.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

#include <array>

// A speed button that repeats its click while held down.
class TRxTimerSpeedButton : public TRxSpeedButton {
public:
  explicit TRxTimerSpeedButton(TComponent* AOwner);
};

enum TNavButton { nbPrevYear, nbPrevMonth, nbNextMonth, nbNextYear };

class TPopupCalendar : public TPopupWindow {
public:
  explicit TPopupCalendar(TWinControl* AOwner);

  // The calendar's limits as they are, without moving its date.
  void SetMinDate(TDateTime value);
  void SetMaxDate(TDateTime value);

  TRxCalendar* Calendar() const { return FCalendar; }
  TLabel* TitleLabel() const { return FTitleLabel; }
  TRxTimerSpeedButton* NavButton(TNavButton which) const { return FBtns[which]; }

  TPopupValue ReadValue() override;
  void WriteValue(const TPopupValue& Value) override;
  void Invalidate() override;
  void Update() override;
  // Keys the date edit hands on while the drop-down is shown: Page Up and
  // Page Down move by month (by year with Ctrl), the rest go to the calendar.
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;

private:
  void TitleChanged();
  void EnableButtons();
  void CalendarMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);

  TLocCalendar* FCalendar = nullptr;
  TLabel* FTitleLabel = nullptr;
  std::array<TRxTimerSpeedButton*, 4> FBtns{};
};

// The modal date dialog: title, navigation buttons, the calendar, OK and
// Cancel.
class TSelectDateDlg : public TForm {
public:
  explicit TSelectDateDlg(TComponent* AOwner);

  TRxCalendar* Calendar = nullptr;
  TLabel* TitleLabel = nullptr;

  TDateTime Date() const;
  // EmptyDate shows today.
  void SetDate(TDateTime value);
  TRxTimerSpeedButton* NavButton(TNavButton which) const { return FBtns[which]; }

  void PrevYearBtnClick(TObject* Sender);
  void PrevMonthBtnClick(TObject* Sender);
  void NextMonthBtnClick(TObject* Sender);
  void NextYearBtnClick(TObject* Sender);
  void CalendarChange(TObject* Sender);
  void CalendarDblClick(TObject* Sender);
  void TopPanelDblClick(TObject* Sender);
  void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);

private:
  void EnableButtons();

  std::array<TRxTimerSpeedButton*, 4> FBtns{};
};

// The system's message font, or Tahoma 8 when the system does not tell.
void ApplyMessageFont(TFont* Font);

// The drop-down calendar of a date edit, owned by it.
TPopupCalendar* NewPopupCalendar(TWinControl* Owner, TDateTime MaxDate, TDateTime MinDate);
// Hands the date edit's calendar settings to its drop-down; hints fill the
// four buttons' hints from their non-empty lines.
void ConfigurePopupCalendar(TCustomControl* Popup, TDayOfWeekName StartOfWeek,
                            TDaysOfWeek Weekends, TColor WeekendColor, const TStrings* Hints,
                            TDateTime MinDate, TDateTime MaxDate);
// The dialog, owned by the application; the caller frees it.
TSelectDateDlg* NewDateDialog(const String& Caption, TDateTime MinDate, TDateTime MaxDate);
// Runs the dialog under the anchor (when given); true with the chosen date
// when confirmed.
bool ChooseDate(TControl* Anchor, TDateTime& Date, const String& Caption,
                TDayOfWeekName StartOfWeek, TDaysOfWeek Weekends, TColor WeekendColor,
                const TStrings* Hints, TDateTime MinDate, TDateTime MaxDate);

// The navigation buttons' arrows: two arrows for a year, one for a month.
TBitmap* NavButtonGlyph(TNavButton which);
