#include "platform/rtl/DateUtils.h"

#include "platform/rtl/Exceptions.h"

#include <cmath>
#include <cstdint>

namespace {

// Days from 01/01/0001 (day 1) to 30/12/1899.
constexpr int64_t kDateDelta = 693594;
constexpr int64_t kMSecsPerDay = 86400000;

// A date-time split as the platform does: whole days towards zero and the
// time of day from the absolute fraction, rounded to milliseconds.
void SplitDateTime(TDateTime value, int64_t& days, int64_t& msecs) {
  double whole = std::trunc(value);
  days = static_cast<int64_t>(whole);
  msecs = std::llround(std::fabs(value - whole) * MSecsPerDay);
  if (msecs >= kMSecsPerDay) {
    msecs -= kMSecsPerDay;
    days += value < 0 ? -1 : 1;
  }
}

// Proleptic Gregorian calendar from days since 01/01/1970.
void CivilFromDays(int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

constexpr int64_t kUnixEpoch = 25569;  // 01/01/1970 as a TDateTime

TDateTime WithTimeOf(TDateTime date, TDateTime time) {
  double t = std::fabs(time - std::trunc(time));
  return date >= 0 ? date + t : date - t;
}

}  // namespace

const int MonthDays[2][13] = {{0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                              {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInAMonth(int year, int month) {
  if (month < 1 || month > 12) return 0;
  return MonthDays[IsLeapYear(year)][month];
}

int DaysInMonth(TDateTime value) {
  int y, m, d;
  DecodeDate(value, y, m, d);
  return DaysInAMonth(y, m);
}

bool IsValidDate(int year, int month, int day) {
  return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
         day <= DaysInAMonth(year, month);
}

bool TryEncodeDate(int year, int month, int day, TDateTime& value) {
  if (!IsValidDate(year, month, day)) return false;
  int64_t dayOfYear = day;
  for (int m = 1; m < month; ++m) dayOfYear += DaysInAMonth(year, m);
  const int64_t i = year - 1;
  value = static_cast<double>(i * 365 + i / 4 - i / 100 + i / 400 + dayOfYear - kDateDelta);
  return true;
}

TDateTime EncodeDate(int year, int month, int day) {
  TDateTime v;
  if (!TryEncodeDate(year, month, day, v)) throw EConvertError(u"Invalid argument to date encode");
  return v;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
  int64_t days, msecs;
  SplitDateTime(value, days, msecs);
  CivilFromDays(days - kUnixEpoch, year, month, day);
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& value) {
  if (hour < 0 || hour >= 24 || min < 0 || min >= 60 || sec < 0 || sec >= 60 || msec < 0 || msec >= 1000)
    return false;
  value = (hour * 3600000.0 + min * 60000.0 + sec * 1000.0 + msec) / MSecsPerDay;
  return true;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec) {
  TDateTime v;
  if (!TryEncodeTime(hour, min, sec, msec, v)) throw EConvertError(u"Invalid argument to time encode");
  return v;
}

void DecodeTime(TDateTime value, int& hour, int& min, int& sec, int& msec) {
  int64_t days, ms;
  SplitDateTime(value, days, ms);
  hour = static_cast<int>(ms / 3600000);
  min = static_cast<int>(ms / 60000 % 60);
  sec = static_cast<int>(ms / 1000 % 60);
  msec = static_cast<int>(ms % 1000);
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int min, int sec, int msec) {
  return WithTimeOf(EncodeDate(year, month, day), EncodeTime(hour, min, sec, msec));
}

void DecodeDateTime(TDateTime value, int& year, int& month, int& day, int& hour, int& min, int& sec,
                    int& msec) {
  DecodeDate(value, year, month, day);
  DecodeTime(value, hour, min, sec, msec);
}

int DayOfWeek(TDateTime value) {
  int64_t days, msecs;
  SplitDateTime(value, days, msecs);
  int64_t r = (days + kDateDelta) % 7;
  if (r < 0) r += 7;
  return static_cast<int>(r) + 1;
}

int YearOf(TDateTime value) {
  int y, m, d;
  DecodeDate(value, y, m, d);
  return y;
}

int MonthOf(TDateTime value) {
  int y, m, d;
  DecodeDate(value, y, m, d);
  return m;
}

int DayOf(TDateTime value) {
  int y, m, d;
  DecodeDate(value, y, m, d);
  return d;
}

TDateTime DateOf(TDateTime value) {
  int64_t days, msecs;
  SplitDateTime(value, days, msecs);
  return static_cast<double>(days);
}

TDateTime TimeOf(TDateTime value) {
  int64_t days, msecs;
  SplitDateTime(value, days, msecs);
  return msecs / MSecsPerDay;
}

TDateTime Date() { return DateOf(Now()); }
TDateTime Time() { return TimeOf(Now()); }
int CurrentYear() { return YearOf(Now()); }

TDateTime IncMonth(TDateTime value, int months) {
  int y, m, d;
  DecodeDate(value, y, m, d);
  int total = y * 12 + (m - 1) + months;
  y = total / 12;
  m = total % 12 + 1;
  if (d > DaysInAMonth(y, m)) d = DaysInAMonth(y, m);
  return WithTimeOf(EncodeDate(y, m, d), value);
}

TDateTime IncYear(TDateTime value, int years) { return IncMonth(value, years * 12); }

TDateTime IncDay(TDateTime value, int days) { return value + days; }

TDateTime StartOfTheMonth(TDateTime value) {
  int y, m, d;
  DecodeDate(value, y, m, d);
  return EncodeDate(y, m, 1);
}

TDateTime EndOfTheMonth(TDateTime value) {
  int y, m, d;
  DecodeDate(value, y, m, d);
  return EncodeDateTime(y, m, DaysInAMonth(y, m), 23, 59, 59, 999);
}
