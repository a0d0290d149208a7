#pragma once
// Dates and times as the platform keeps them: a double counting days since
// 30/12/1899, the fraction being the time of day. Text conversions use
// FormatSettings (dd/mm/yyyy, hh:nn:ss) unless settings are passed.
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/String.h"
#include <functional>

using TDateTime = double;

constexpr double HoursPerDay = 24;
constexpr double MinsPerDay = 24 * 60;
constexpr double SecsPerDay = 24 * 60 * 60;
constexpr double MSecsPerDay = 24 * 60 * 60 * 1000.0;

bool IsLeapYear(int year);
// MonthDays[IsLeapYear(y)][m], months 1..12 (index 0 unused).
extern const int MonthDays[2][13];
int DaysInAMonth(int year, int month);
// Days of the month that holds the date.
int DaysInMonth(TDateTime value);
bool IsValidDate(int year, int month, int day);

// Invalid parts raise EConvertError "Invalid argument to date encode" /
// "... time encode". Years 1..9999.
TDateTime EncodeDate(int year, int month, int day);
bool TryEncodeDate(int year, int month, int day, TDateTime& value);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
TDateTime EncodeTime(int hour, int min, int sec, int msec);
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& value);
void DecodeTime(TDateTime value, int& hour, int& min, int& sec, int& msec);
TDateTime EncodeDateTime(int year, int month, int day, int hour, int min, int sec, int msec);
void DecodeDateTime(TDateTime value, int& year, int& month, int& day, int& hour, int& min,
                    int& sec, int& msec);

// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime value);
int YearOf(TDateTime value);
int MonthOf(TDateTime value);
int DayOf(TDateTime value);
TDateTime DateOf(TDateTime value);
TDateTime TimeOf(TDateTime value);

// Local date and time; tests may replace the clock.
TDateTime Now();
TDateTime Date();
TDateTime Time();
int CurrentYear();
void SetClockForTesting(std::function<TDateTime()> clock);
void ResetClockForTesting();

// Moves by whole months, keeping the time; the day is cut to the length of
// the target month (31/01 + 1 month = 28 or 29/02).
TDateTime IncMonth(TDateTime value, int months = 1);
TDateTime IncYear(TDateTime value, int years = 1);
TDateTime IncDay(TDateTime value, int days = 1);
TDateTime StartOfTheMonth(TDateTime value);
TDateTime EndOfTheMonth(TDateTime value);

// Format letters, in either case: d dd ddd dddd ddddd (short date) dddddd
// (long date), m mm mmm mmmm (month, or minutes right after an hour), yy
// yyyy, h hh, n nn, s ss, z zzz, t (short time), tt (long time), am/pm,
// a/p, ampm, c, '/' and ':' (the settings' separators), "..." and '...'
// literals. An empty format is "c".
String FormatDateTime(StringView format, TDateTime value);
String FormatDateTime(StringView format, TDateTime value, const TFormatSettings& settings);
String DateToStr(TDateTime value);
String DateToStr(TDateTime value, const TFormatSettings& settings);
String TimeToStr(TDateTime value);
String TimeToStr(TDateTime value, const TFormatSettings& settings);
String DateTimeToStr(TDateTime value);
String DateTimeToStr(TDateTime value, const TFormatSettings& settings);

// Reads day, month and year in the order of the short date format, numbers
// between date separators; a missing year is the current one, two-digit
// years follow the century window. Malformed or impossible dates raise
// EConvertError "'31/02/2024' is not a valid date".
TDateTime StrToDate(StringView s);
TDateTime StrToDate(StringView s, const TFormatSettings& settings);
TDateTime StrToDateDef(StringView s, TDateTime defaultValue);
bool TryStrToDate(StringView s, TDateTime& value);
bool TryStrToDate(StringView s, TDateTime& value, const TFormatSettings& settings);
// hh:nn[:ss[.zzz]] with an optional AM/PM; EConvertError "'x' is not a
// valid time".
TDateTime StrToTime(StringView s);
TDateTime StrToTime(StringView s, const TFormatSettings& settings);
bool TryStrToTime(StringView s, TDateTime& value);
bool TryStrToTime(StringView s, TDateTime& value, const TFormatSettings& settings);
// A date, optionally followed by blanks and a time; EConvertError
// "'x' is not a valid date and time".
TDateTime StrToDateTime(StringView s);
bool TryStrToDateTime(StringView s, TDateTime& value);
bool TryStrToDateTime(StringView s, TDateTime& value, const TFormatSettings& settings);
