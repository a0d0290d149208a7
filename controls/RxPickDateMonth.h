#pragma once
// Month-calendar arithmetic, apart from any window: where the days of a month
// fall in a 7 x 7 grid (one header row, six rows of days), moving a date by
// month and by its parts within optional limits, and the holidays the
// calendar paints.
#include "controls/RxDateUtil.h"

// The day number shown in column 0 of row 1 (1 or less): day 1 always lies
// in row 1.
int MonthOffset(TDateTime date, TDayOfWeekName startOfWeek);

// The day of month shown in a cell of a day row (rows 1..6); it lies outside
// 1..month length for the blank cells before and after the month.
inline int CellDay(int monthOffset, int col, int row) { return monthOffset + col + (row - 1) * 7; }
// The cell of a day of the month.
void DayCell(int monthOffset, int day, int& col, int& row);

// Whether the date lies within the limits; EmptyDate as a limit or as the
// date means no check.
bool DateInLimits(TDateTime date, TDateTime minDate, TDateTime maxDate);
// The date moved onto the nearer limit when it lies beyond one.
TDateTime ClampDateToLimits(TDateTime date, TDateTime minDate, TDateTime maxDate);

// The same day one month later (delta 1) or earlier (-1), cut to the length
// of that month: 31/01 + 1 gives 28 or 29/02.
TDateTime MoveMonthDate(TDateTime date, int delta);

enum class TDatePart { Year = 1, Month = 2, Day = 3 };
// Writes one part of the date, keeping it within the limits. Returns false
// (and leaves result alone) when the write changes nothing or is ignored:
// values below 1, a month above 12, a day beyond the month. A day beyond the
// length of the new month (29/02 moved to a common year, 31/03 moved to
// April) becomes that month's last day.
bool WriteDatePart(TDateTime date, TDatePart part, int value, TDateTime minDate,
                   TDateTime maxDate, TDateTime& result);

// Gregorian Easter Sunday, for the years 1900 to 2099.
TDateTime EasterSunday(int year);
// Easter Monday and the fixed holidays the calendar marks every year.
bool IsPublicHoliday(int year, int month, int day);

// Which navigation buttons of a calendar showing `date` lead somewhere
// within the limits.
struct TNavButtonsState {
  bool PrevYear = true;
  bool PrevMonth = true;
  bool NextMonth = true;
  bool NextYear = true;
};
TNavButtonsState NavButtonsEnabled(TDateTime date, TDateTime minDate, TDateTime maxDate);
