// Date and time texts: FormatDateTime and the StrTo* readers.
#include "platform/rtl/DateUtils.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StrUtils.h"

#include <cmath>
#include <cstdint>

namespace {

char16_t Upper(char16_t c) { return c >= u'a' && c <= u'z' ? c - 32 : c; }

bool StartsWithText(StringView s, size_t i, StringView word) {
  if (word.empty() || i + word.size() > s.size()) return false;
  return SameText(s.substr(i, word.size()), word);
}

class TDateTimeWriter {
public:
  TDateTimeWriter(TDateTime value, const TFormatSettings& fs) : FSettings(fs) {
    DecodeDate(value, FYear, FMonth, FDay);
    DecodeTime(value, FHour, FMin, FSec, FMSec);
    FDayOfWeek = DayOfWeek(value);
  }

  String Write(StringView format) {
    FResult.clear();
    Append(format.empty() ? StringView(u"c") : format, 0);
    return FResult;
  }

private:
  // Years before 1 are negative (and "yy" of them too): they keep a sign
  // in front of their digits.
  void Number(int value, int digits) {
    String s;
    int64_t v = value < 0 ? -static_cast<int64_t>(value) : value;
    do {
      s.insert(s.begin(), static_cast<char16_t>(u'0' + v % 10));
      v /= 10;
    } while (v > 0);
    if (static_cast<int>(s.size()) < digits) s.insert(0, digits - s.size(), u'0');
    if (value < 0) FResult += u'-';
    FResult += s;
  }

  // Whether an am/pm marker follows before the next hour letter.
  static bool TwelveHourClock(StringView f, size_t from) {
    char16_t quote = 0;
    for (size_t p = from; p < f.size(); ++p) {
      char16_t c = f[p];
      if (quote) {
        if (c == quote) quote = 0;
        continue;
      }
      if (c == u'\'' || c == u'"') quote = c;
      else if (c == u'a' || c == u'A')
        return StartsWithText(f, p, u"AM/PM") || StartsWithText(f, p, u"A/P") || StartsWithText(f, p, u"AMPM");
      else if (c == u'h' || c == u'H') return false;
    }
    return false;
  }

  void Append(StringView f, int depth) {
    if (depth > 2) return;
    char16_t lastToken = 0;
    size_t i = 0;
    while (i < f.size()) {
      const char16_t raw = f[i];
      char16_t token = Upper(raw);
      if (token >= u'A' && token <= u'Z') {
        if (token == u'M' && lastToken == u'H') token = u'N';
        lastToken = token;
      }
      const size_t start = i++;
      // Count of the same letter in a row, either case.
      auto count = [&]() {
        while (i < f.size() && Upper(f[i]) == Upper(raw)) ++i;
        return static_cast<int>(i - start);
      };
      switch (token) {
        case u'Y': {
          int n = count();
          if (n <= 2) Number(FYear % 100, 2);
          else Number(FYear, 4);
          break;
        }
        case u'M': {
          int n = count();
          if (n <= 2) Number(FMonth, n);
          else if (n == 3) FResult += FSettings.ShortMonthNames[FMonth - 1];
          else FResult += FSettings.LongMonthNames[FMonth - 1];
          break;
        }
        case u'D': {
          int n = count();
          if (n <= 2) Number(FDay, n);
          else if (n == 3) FResult += FSettings.ShortDayNames[FDayOfWeek - 1];
          else if (n == 4) FResult += FSettings.LongDayNames[FDayOfWeek - 1];
          else if (n == 5) Append(FSettings.ShortDateFormat, depth + 1);
          else Append(FSettings.LongDateFormat, depth + 1);
          break;
        }
        case u'H': {
          int n = count();
          int h = FHour;
          if (TwelveHourClock(f, i)) h = h == 0 ? 12 : (h > 12 ? h - 12 : h);
          Number(h, n > 2 ? 2 : n);
          break;
        }
        case u'N': {
          int n = count();
          Number(FMin, n > 2 ? 2 : n);
          break;
        }
        case u'S': {
          int n = count();
          Number(FSec, n > 2 ? 2 : n);
          break;
        }
        case u'Z': {
          int n = count();
          Number(FMSec, n > 1 ? 3 : 1);
          break;
        }
        case u'T': {
          int n = count();
          Append(n == 1 ? FSettings.ShortTimeFormat : FSettings.LongTimeFormat, depth + 1);
          break;
        }
        case u'C': {
          count();
          Append(FSettings.ShortDateFormat, depth + 1);
          if (FHour != 0 || FMin != 0 || FSec != 0 || FMSec != 0) {
            FResult += u' ';
            Append(FSettings.LongTimeFormat, depth + 1);
          }
          break;
        }
        case u'A': {
          const bool pm = FHour >= 12;
          if (StartsWithText(f, start, u"AM/PM")) {
            // The case of the format's letters decides the case written.
            const bool lower = f[start] == u'a';
            FResult += pm ? (lower ? u"pm" : u"PM") : (lower ? u"am" : u"AM");
            i = start + 5;
          } else if (StartsWithText(f, start, u"A/P")) {
            const bool lower = f[start] == u'a';
            FResult += pm ? (lower ? u'p' : u'P') : (lower ? u'a' : u'A');
            i = start + 3;
          } else if (StartsWithText(f, start, u"AMPM")) {
            FResult += pm ? FSettings.TimePMString : FSettings.TimeAMString;
            i = start + 4;
          } else {
            FResult += raw;
          }
          break;
        }
        case u'/':
          FResult += FSettings.DateSeparator;
          break;
        case u':':
          FResult += FSettings.TimeSeparator;
          break;
        case u'\'':
        case u'"': {
          size_t end = f.find(raw, i);
          if (end == StringView::npos) end = f.size();
          FResult.append(f.substr(i, end - i));
          i = end < f.size() ? end + 1 : end;
          break;
        }
        default:
          FResult += raw;
          break;
      }
    }
  }

  const TFormatSettings& FSettings;
  int FYear, FMonth, FDay, FHour, FMin, FSec, FMSec, FDayOfWeek;
  String FResult;
};

// ---- Reading ------------------------------------------------------------

enum class TDateOrder { DMY, MDY, YMD };

TDateOrder DateOrderOf(StringView format) {
  for (char16_t c : format) {
    switch (Upper(c)) {
      case u'D': return TDateOrder::DMY;
      case u'M': return TDateOrder::MDY;
      case u'Y':
      case u'E': return TDateOrder::YMD;
      default: break;
    }
  }
  return TDateOrder::DMY;
}

class TScanner {
public:
  TScanner(StringView s, const TFormatSettings& fs) : S(s), FS(fs) {}

  bool AtEnd() const { return Pos >= S.size(); }

  void Blanks() {
    while (Pos < S.size() && S[Pos] == u' ') ++Pos;
  }

  // Digits after blanks, all of them: a year of five digits must not leave
  // its last one to be read as an hour. The value saturates, as it is out
  // of range anyway.
  bool Number(int& value, int& length) {
    Blanks();
    size_t start = Pos;
    int n = 0;
    for (; Pos < S.size() && S[Pos] >= u'0' && S[Pos] <= u'9'; ++Pos)
      if (n < 100000) n = n * 10 + (S[Pos] - u'0');
    length = static_cast<int>(Pos - start);
    if (length == 0) return false;
    value = n;
    return true;
  }

  bool Char(char16_t c) {
    Blanks();
    if (Pos < S.size() && S[Pos] == c) {
      ++Pos;
      return true;
    }
    return false;
  }

  bool Word(StringView w) {
    Blanks();
    if (StartsWithText(S, Pos, w)) {
      Pos += w.size();
      return true;
    }
    return false;
  }

  bool Date(TDateTime& value) {
    const TDateOrder order = DateOrderOf(FS.ShortDateFormat);
    int n1, n2, n3, l1, l2, l3;
    if (!(Number(n1, l1) && Char(FS.DateSeparator) && Number(n2, l2))) return false;
    int y, m, d;
    if (Char(FS.DateSeparator)) {
      if (!Number(n3, l3)) return false;
      int yearLength;
      switch (order) {
        case TDateOrder::MDY: y = n3; m = n1; d = n2; yearLength = l3; break;
        case TDateOrder::DMY: y = n3; m = n2; d = n1; yearLength = l3; break;
        default: y = n1; m = n2; d = n3; yearLength = l1; break;
      }
      if (yearLength <= 2) {
        const int centuryBase = CurrentYear() - FS.TwoDigitYearCenturyWindow;
        y += centuryBase / 100 * 100;
        if (FS.TwoDigitYearCenturyWindow > 0 && y < centuryBase) y += 100;
      }
    } else {
      y = CurrentYear();
      if (order == TDateOrder::DMY) {
        d = n1;
        m = n2;
      } else {
        m = n1;
        d = n2;
      }
    }
    Char(FS.DateSeparator);
    Blanks();
    return TryEncodeDate(y, m, d, value);
  }

  bool Time(TDateTime& value) {
    int baseHour = -1;
    if (Word(FS.TimeAMString) || Word(u"AM")) baseHour = 0;
    else if (Word(FS.TimePMString) || Word(u"PM")) baseHour = 12;
    int hour, min = 0, sec = 0, msec = 0, len;
    if (!Number(hour, len)) return false;
    if (Char(FS.TimeSeparator)) {
      if (!Number(min, len)) return false;
      if (Char(FS.TimeSeparator)) {
        if (!Number(sec, len)) return false;
        if (Char(FS.DecimalSeparator) && !Number(msec, len)) return false;
      }
    }
    if (baseHour < 0) {
      if (Word(FS.TimeAMString) || Word(u"AM")) baseHour = 0;
      else if (Word(FS.TimePMString) || Word(u"PM")) baseHour = 12;
    }
    if (baseHour >= 0) {
      if (hour == 0 || hour > 12) return false;
      if (hour == 12) hour = 0;
      hour += baseHour;
    }
    Blanks();
    return TryEncodeTime(hour, min, sec, msec, value);
  }

  StringView S;
  const TFormatSettings& FS;
  size_t Pos = 0;
};

[[noreturn]] void RaiseInvalid(StringView s, const char16_t* what) {
  throw EConvertError(u"'" + String(s) + u"' is not a valid " + what);
}

}  // namespace

String FormatDateTime(StringView format, TDateTime value) {
  return FormatDateTime(format, value, FormatSettings);
}

String FormatDateTime(StringView format, TDateTime value, const TFormatSettings& settings) {
  return TDateTimeWriter(value, settings).Write(format);
}

String DateToStr(TDateTime value) { return DateToStr(value, FormatSettings); }
String DateToStr(TDateTime value, const TFormatSettings& settings) {
  return FormatDateTime(u"ddddd", value, settings);
}

String TimeToStr(TDateTime value) { return TimeToStr(value, FormatSettings); }
String TimeToStr(TDateTime value, const TFormatSettings& settings) {
  return FormatDateTime(u"tt", value, settings);
}

String DateTimeToStr(TDateTime value) { return DateTimeToStr(value, FormatSettings); }
String DateTimeToStr(TDateTime value, const TFormatSettings& settings) {
  return FormatDateTime(u"c", value, settings);
}

bool TryStrToDate(StringView s, TDateTime& value) { return TryStrToDate(s, value, FormatSettings); }

bool TryStrToDate(StringView s, TDateTime& value, const TFormatSettings& settings) {
  TScanner scan(s, settings);
  TDateTime v;
  if (!scan.Date(v) || !scan.AtEnd()) return false;
  value = v;
  return true;
}

TDateTime StrToDate(StringView s) { return StrToDate(s, FormatSettings); }

TDateTime StrToDate(StringView s, const TFormatSettings& settings) {
  TDateTime v;
  if (!TryStrToDate(s, v, settings)) RaiseInvalid(s, u"date");
  return v;
}

TDateTime StrToDateDef(StringView s, TDateTime defaultValue) {
  TDateTime v;
  return TryStrToDate(s, v) ? v : defaultValue;
}

bool TryStrToTime(StringView s, TDateTime& value) { return TryStrToTime(s, value, FormatSettings); }

bool TryStrToTime(StringView s, TDateTime& value, const TFormatSettings& settings) {
  TScanner scan(s, settings);
  TDateTime v;
  if (!scan.Time(v) || !scan.AtEnd()) return false;
  value = v;
  return true;
}

TDateTime StrToTime(StringView s) { return StrToTime(s, FormatSettings); }

TDateTime StrToTime(StringView s, const TFormatSettings& settings) {
  TDateTime v;
  if (!TryStrToTime(s, v, settings)) RaiseInvalid(s, u"time");
  return v;
}

bool TryStrToDateTime(StringView s, TDateTime& value) { return TryStrToDateTime(s, value, FormatSettings); }

bool TryStrToDateTime(StringView s, TDateTime& value, const TFormatSettings& settings) {
  TScanner scan(s, settings);
  TDateTime date, time = 0;
  // The time is set off from the date by a blank.
  if (scan.Date(date) &&
      (scan.AtEnd() || (scan.S[scan.Pos - 1] == u' ' && scan.Time(time) && scan.AtEnd()))) {
    value = date >= 0 ? date + time : date - time;
    return true;
  }
  return TryStrToTime(s, value, settings);
}

TDateTime StrToDateTime(StringView s) {
  TDateTime v;
  if (!TryStrToDateTime(s, v)) RaiseInvalid(s, u"date and time");
  return v;
}
