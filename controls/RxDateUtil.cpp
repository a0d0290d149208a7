#include "controls/RxDateUtil.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumUtils.h"
#include "platform/rtl/StrUtils.h"

#include <cmath>

namespace {

int Len(StringView s) { return static_cast<int>(s.size()); }

// 1-based character access; positions outside the text read as 0.
char16_t At(StringView s, int pos) {
  return pos >= 1 && pos <= Len(s) ? s[static_cast<size_t>(pos - 1)] : u'\0';
}

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

}  // namespace

bool FourDigitYearFormat() {
  static const bool value =
      AnsiUpperCase(FormatSettings.ShortDateFormat).find(u"YYYY") != String::npos;
  return value;
}

TDateOrder DateOrderOf(StringView format) {
  for (char16_t c : format) {
    switch (c) {
      case u'D': case u'd': return TDateOrder::doDMY;
      case u'M': case u'm': return TDateOrder::doMDY;
      case u'Y': case u'y': case u'E': case u'e': return TDateOrder::doYMD;
      default: break;
    }
  }
  return TDateOrder::doDMY;
}

int MonthLength(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool ValidDateParts(int year, int month, int day) {
  return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
         day <= MonthLength(year, month);
}

bool ValidDateValue(TDateTime date) {
  try {
    int y = 0, m = 0, d = 0;
    DecodeDate(date, y, m, d);
    return ValidDateParts(y, m, d);
  } catch (...) {
    return false;
  }
}

int ExpandTwoDigitYear(int year) {
  // Negative values are "no number" markers of the field reading; turning
  // them into a year of the window would accept garbage as a date.
  if (year >= 100 || year < 0) return year;
  const int current = CurrentYear();
  year += ((current - CenturyWindow) / 100) * 100;
  if (CenturyWindow > 0 && year < current - CenturyWindow) year += 100;
  return year;
}

void SkipBlanks(StringView s, int& pos) {
  while (pos <= Len(s) && At(s, pos) == u' ') ++pos;
}

bool ReadNumber(StringView s, int maxLength, int& pos, int& n) {
  SkipBlanks(s, pos);
  int value = 0;
  int count = 0;
  int p = pos;
  while (p <= Len(s) && count < maxLength && IsDigit(At(s, p)) && value < 1000) {
    value = value * 10 + (At(s, p) - u'0');
    ++p;
    ++count;
  }
  if (count == 0) return false;
  pos = p;
  n = value;
  return true;
}

bool ExpectChar(StringView s, int& pos, char16_t c) {
  SkipBlanks(s, pos);
  if (pos <= Len(s) && At(s, pos) == c) {
    ++pos;
    return true;
  }
  return false;
}

void SkipToDigit(StringView s, int& pos) {
  while (pos <= Len(s) && !IsDigit(At(s, pos))) ++pos;
}

bool ScanDateBySeparators(StringView s, StringView format, int& pos, int& year, int& month,
                          int& day) {
  year = month = day = 0;
  const TDateOrder order = DateOrderOf(format);
  const char16_t sep = FormatSettings.DateSeparator;
  constexpr int kNoLimit = 0x7FFFFFFF;

  if (At(FormatSettings.ShortDateFormat, 1) == u'g') SkipToDigit(s, pos);
  int n1 = 0, n2 = 0, n3 = 0;
  if (!ReadNumber(s, kNoLimit, pos, n1) || !ExpectChar(s, pos, sep) ||
      !ReadNumber(s, kNoLimit, pos, n2))
    return false;
  if (ExpectChar(s, pos, sep)) {
    if (!ReadNumber(s, kNoLimit, pos, n3)) return false;
    switch (order) {
      case TDateOrder::doMDY: year = n3; month = n1; day = n2; break;
      case TDateOrder::doDMY: year = n3; month = n2; day = n1; break;
      case TDateOrder::doYMD: year = n1; month = n2; day = n3; break;
    }
    year = ExpandTwoDigitYear(year);
  } else {
    year = CurrentYear();
    if (order == TDateOrder::doDMY) {
      day = n1;
      month = n2;
    } else {
      month = n1;
      day = n2;
    }
  }
  ExpectChar(s, pos, sep);
  SkipBlanks(s, pos);
  return ValidDateParts(year, month, day) && pos > Len(s);
}

namespace {

// Reads the field of a fixed-width text that lies under `count` copies of
// `letter` in the format. `blank` when the field holds only spaces or lies
// beyond the text, `fallback` when the format has no such field or the text
// is longer than the format, -1 when the field is not a number (or names no
// month).
int ExtractDateField(StringView format, StringView s, char16_t letter, int count, int blank,
                     int fallback) {
  int value = fallback;
  int l = Len(format);
  if (Len(s) < l) l = Len(s);
  if (Len(s) > Len(format)) return value;
  const String upper = AnsiUpperCase(format);
  const size_t found = upper.find(String(static_cast<size_t>(count), letter));
  if (found == String::npos) return value;
  String collected;
  for (int j = static_cast<int>(found) + 1; j <= l && At(upper, j) == letter; ++j) {
    if (At(s, j) != u' ') collected += At(s, j);
  }
  if (collected.empty()) return blank;
  if (count < 2) return StrToIntDef(collected, -1);
  const int n = Len(collected) % 256;
  const String head = Copy(collected, 1, n);
  for (int m = 1; m <= 12; ++m) {
    const String& name = FormatSettings.LongMonthNames[m - 1];
    if (name.empty()) continue;
    if (AnsiCompareText(Copy(name, 1, n), head) == 0) return m;
  }
  return -1;
}

}  // namespace

bool ScanDateText(StringView format, StringView s, int& day, int& month, int& year) {
  month = ExtractDateField(format, s, u'M', 3, -1, 0);
  if (month == 0) month = ExtractDateField(format, s, u'M', 1, -1, 0);
  day = ExtractDateField(format, s, u'D', 1, -1, 1);
  // A blank year field means the year was not typed: read it as the current
  // year, as the separator reading does for "day/month".
  const int current = CurrentYear();
  year = ExtractDateField(format, s, u'Y', 1, current, current);
  year = ExpandTwoDigitYear(year);
  if (ValidDateParts(year, month, day)) return true;
  int pos = 1;
  return ScanDateBySeparators(s, format, pos, year, month, day);
}

bool TryTextToDate(StringView format, StringView text, TDateTime& date) {
  if (text.empty()) {
    date = EmptyDate;
    return true;
  }
  int d = 0, m = 0, y = 0;
  if (!ScanDateText(format, text, d, m, y)) return false;
  return TryEncodeDate(y, m, d, date);
}

TDateTime TextToDate(StringView format, StringView text) {
  TDateTime result = EmptyDate;
  if (!TryTextToDate(format, text, result))
    throw EConvertError(u"'" + String(text) + u"' is not a valid date");
  return result;
}

TDateTime TextToDateDef(StringView format, StringView text, TDateTime defaultValue) {
  TDateTime result = EmptyDate;
  if (!TryTextToDate(format, text, result)) return std::trunc(defaultValue);
  return result;
}
