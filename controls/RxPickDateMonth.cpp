#include "controls/RxPickDateMonth.h"

#include <algorithm>

int MonthOffset(TDateTime date, TDayOfWeekName startOfWeek) {
  int y = 0, m = 0, d = 0;
  DecodeDate(date, y, m, d);
  const int first = DayOfWeek(EncodeDate(y, m, 1));  // 1 = Sunday
  const int offset = 2 - ((first - static_cast<int>(startOfWeek) + 7) % 7);
  return offset == 2 ? -5 : offset;
}

void DayCell(int monthOffset, int day, int& col, int& row) {
  const int k = day - monthOffset;
  col = k % 7;
  row = k / 7 + 1;
}

bool DateInLimits(TDateTime date, TDateTime minDate, TDateTime maxDate) {
  if (date == EmptyDate) return true;
  if (minDate != EmptyDate && date < minDate) return false;
  if (maxDate != EmptyDate && date > maxDate) return false;
  return true;
}

TDateTime ClampDateToLimits(TDateTime date, TDateTime minDate, TDateTime maxDate) {
  if (minDate != EmptyDate && date < minDate) return minDate;
  if (maxDate != EmptyDate && date > maxDate) return maxDate;
  return date;
}

TDateTime MoveMonthDate(TDateTime date, int delta) {
  int y = 0, m = 0, d = 0;
  DecodeDate(date, y, m, d);
  // From the month's last day forwards or its first day backwards, one day
  // lands in the neighbouring month.
  const TDateTime edge = delta > 0 ? EncodeDate(y, m, MonthLength(y, m)) : EncodeDate(y, m, 1);
  int ny = 0, nm = 0, nd = 0;
  DecodeDate(edge + delta, ny, nm, nd);
  return EncodeDate(ny, nm, std::min(d, MonthLength(ny, nm)));
}

bool WriteDatePart(TDateTime date, TDatePart part, int value, TDateTime minDate,
                   TDateTime maxDate, TDateTime& result) {
  if (value < 1) return false;
  int y = 0, m = 0, d = 0;
  DecodeDate(date, y, m, d);
  int minY = 0, minM = 0, minD = 0, maxY = 0, maxM = 0, maxD = 0;
  const bool hasMin = minDate != EmptyDate, hasMax = maxDate != EmptyDate;
  if (hasMin) DecodeDate(minDate, minY, minM, minD);
  if (hasMax) DecodeDate(maxDate, maxY, maxM, maxD);
  switch (part) {
    case TDatePart::Year:
      if (hasMin) {
        if (value < minY) value = minY;
        if (value == minY && m < minM) m = minM;
        if (value == minY && m == minM && d < minD) d = minD;
      }
      if (hasMax) {
        if (value > maxY) value = maxY;
        if (value == maxY && m > maxM) m = maxM;
        if (value == maxY && m == maxM && d > maxD) d = maxD;
      }
      if (value == y) return false;
      y = value;
      break;
    case TDatePart::Month:
      if (value > 12 || value == m) return false;
      if (hasMin && y == minY) {
        if (value < minM) value = minM;
        if (value == minM && d < minD) d = minD;
      }
      if (hasMax && y == maxY) {
        if (value > maxM) value = maxM;
        if (value == maxM && d > maxD) d = maxD;
      }
      m = value;
      break;
    case TDatePart::Day: {
      if (value > MonthLength(y, m) || value == d) return false;
      const TDateTime n = EncodeDate(y, m, value);
      if (hasMin && n < minDate) d = minD;
      else if (hasMax && n > maxDate) d = maxD;
      else d = value;
      break;
    }
  }
  // 29 February in a common year, or the 31st in a shorter month, would not
  // encode: keep the month and take its last day.
  d = std::min(d, MonthLength(y, m));
  result = EncodeDate(y, m, d);
  return true;
}

TDateTime EasterSunday(int year) {
  const int a = year % 19, b = year % 4, c = year % 7;
  const int d = (19 * a + 24) % 30;
  const int e = (2 * b + 4 * c + 6 * d + 5) % 7;
  int n = 22 + d + e;
  if (n <= 31) return EncodeDate(year, 3, n);
  n -= 31;
  if (n == 26) n = 19;
  else if (n == 25 && d == 28 && e == 6 && a > 10) n = 18;
  return EncodeDate(year, 4, n);
}

bool IsPublicHoliday(int year, int month, int day) {
  static constexpr int kFixed[][2] = {{1, 1},   {1, 5},   {8, 5},   {5, 7},
                                      {6, 7},   {28, 9},  {28, 10}, {17, 11},
                                      {24, 12}, {25, 12}, {26, 12}};
  for (const auto& h : kFixed) {
    if (h[0] == day && h[1] == month) return true;
  }
  if (year < 1) return false;
  int ey = 0, em = 0, ed = 0;
  DecodeDate(EasterSunday(year) + 1, ey, em, ed);
  return em == month && ed == day;
}

TNavButtonsState NavButtonsEnabled(TDateTime date, TDateTime minDate, TDateTime maxDate) {
  TNavButtonsState s;
  int y = 0, m = 0, d = 0;
  DecodeDate(date, y, m, d);
  if (minDate != EmptyDate) {
    int minY = 0, minM = 0, minD = 0;
    DecodeDate(minDate, minY, minM, minD);
    s.PrevYear = minY < y;
    s.PrevMonth = minY < y || (y == minY && minM < m);
  }
  if (maxDate != EmptyDate) {
    int maxY = 0, maxM = 0, maxD = 0;
    DecodeDate(maxDate, maxY, maxM, maxD);
    s.NextMonth = y < maxY || (y == maxY && m < maxM);
    s.NextYear = y < maxY;
  }
  return s;
}
