#include "controls/RxCurrEditText.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/NumUtils.h"

#include <algorithm>
#include <cmath>

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsExponent(char16_t c) { return c == u'E' || c == u'e'; }

String TrimSpaces(StringView s) {
  size_t first = 0, last = s.size();
  while (last > first && s[last - 1] == u' ') --last;
  while (first < last && s[first] == u' ') ++first;
  return String(s.substr(first, last - first));
}

void EraseAll(String& s, char16_t c) { s.erase(std::remove(s.begin(), s.end(), c), s.end()); }

// '.' and ',' that are neither separator of the locale mean the decimal one.
void MapForeignSeparators(String& s, const TFormatSettings& fs) {
  for (char16_t sep : {u'.', u','}) {
    if (fs.DecimalSeparator != sep && fs.ThousandSeparator != sep)
      std::replace(s.begin(), s.end(), sep, fs.DecimalSeparator);
  }
}

// "" and "-" read as zero, and a leading decimal separator gets its zero,
// so that ",5" typed for fifty cents is not refused into "5".
String CompleteZero(String s, const TFormatSettings& fs) {
  if (s.empty()) return u"0";
  if (s == u"-") return u"-0";
  const size_t digits = s[0] == u'+' || s[0] == u'-' ? 1 : 0;
  if (digits < s.size() && s[digits] == fs.DecimalSeparator) s.insert(digits, 1, u'0');
  return s;
}

// Whether every thousands separator stands between groups of three integer
// digits: "1.234.567,5" yes, "1.5" and "12.34,5" no.
bool GroupsThousandsWell(StringView s, const TFormatSettings& fs) {
  size_t i = 0;
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) ++i;
  size_t end = i;
  while (end < s.size() && s[end] != fs.DecimalSeparator && !IsExponent(s[end])) ++end;
  if (s.substr(end).find(fs.ThousandSeparator) != StringView::npos) return false;
  int group = 0;
  bool first = true;
  for (; i < end; ++i) {
    if (s[i] == fs.ThousandSeparator) {
      if (group == 0 || group > 3 || (!first && group != 3)) return false;
      first = false;
      group = 0;
    } else if (IsDigit(s[i])) {
      ++group;
    } else {
      return false;
    }
  }
  return first || group == 3;
}

String ReplaceSelection(StringView text, int selStart, int selLength, StringView by) {
  const int len = static_cast<int>(text.size());
  const int start = std::clamp(selStart, 0, len);
  const int count = std::clamp(selLength, 0, len - start);
  String r(text);
  r.replace(static_cast<size_t>(start), static_cast<size_t>(count), by);
  return r;
}

}  // namespace

String NormalizeNumberText(StringView s, const TFormatSettings& fs) {
  String r = TrimSpaces(s);
  if (fs.DecimalSeparator != fs.ThousandSeparator) EraseAll(r, fs.ThousandSeparator);
  MapForeignSeparators(r, fs);
  return CompleteZero(std::move(r), fs);
}

String NormalizeEnteredNumberText(StringView s, const TFormatSettings& fs) {
  String r = TrimSpaces(s);
  if (fs.DecimalSeparator != fs.ThousandSeparator &&
      r.find(fs.ThousandSeparator) != String::npos) {
    if (GroupsThousandsWell(r, fs)) {
      EraseAll(r, fs.ThousandSeparator);
    } else if (std::count(r.begin(), r.end(), fs.ThousandSeparator) == 1 &&
               r.find(fs.DecimalSeparator) == String::npos) {
      std::replace(r.begin(), r.end(), fs.ThousandSeparator, fs.DecimalSeparator);
    }
  }
  MapForeignSeparators(r, fs);
  return CompleteZero(std::move(r), fs);
}

bool IsValidNumberText(StringView s, double& value, const TFormatSettings& fs) {
  for (char16_t c : s) {
    if (!(c == u'+' || c == u'-' || IsDigit(c) || IsExponent(c) || c == fs.DecimalSeparator))
      return false;
  }
  return TryStrToFloat(s.substr(0, 127), value, fs);
}

double RoundDecimalPlaces(double x, unsigned places) {
  const long double sign = x > 0 ? 1 : (x < 0 ? -1 : 0);
  const long double scale = std::exp(static_cast<long double>(places) * std::log(10.0L));
  return static_cast<double>(std::trunc(x * scale + sign * 0.50000001L) / scale);
}

double ClampNumber(double x, const TNumEditRules& rules, bool raiseError) {
  if (rules.DecimalPlaceRound) x = RoundDecimalPlaces(x, rules.DecimalPlaces);
  const double lo = rules.MinValue, hi = rules.MaxValue;
  double r = x;
  if (lo < hi) {
    if (x < lo) r = lo;
    else if (x > hi) r = hi;
  } else if (lo > hi) {
    if (hi == 0) {
      if (x < lo) r = lo;
    } else if (lo == 0) {
      if (x > hi) r = hi;
    }
  }
  if (raiseError && lo != hi && r != x) {
    const int d = static_cast<int>(rules.DecimalPlaces);
    throw ERangeError(Format(u"Value must be between %.*f and %.*f", {d, lo, d, hi}));
  }
  return r;
}

String NumberEditText(double value, const TNumEditRules& rules, bool zeroEmpty) {
  if (value == 0 && zeroEmpty) return String();
  String format = u"0";
  if (rules.DecimalPlaces > 0) format += u"." + String(rules.DecimalPlaces, u'#');
  return FormatFloat(format, ClampNumber(value, rules, false));
}

String NumberDisplayText(double value, StringView displayFormat) {
  return displayFormat.empty() ? FloatToStr(value) : FormatFloat(displayFormat, value);
}

String CurrencyDisplayFormat(const TFormatSettings& fs) {
  String p = u",0.";
  if (fs.CurrencyDecimals >= 1) p += String(fs.CurrencyDecimals, u'0');
  String symbol;
  for (char16_t c : fs.CurrencyString) {
    if (c == u'.' || c == u',') {
      symbol += u'\'';
      symbol += c;
      symbol += u'\'';
    } else {
      symbol += c;
    }
  }
  if (!symbol.empty()) {
    switch (fs.CurrencyFormat) {
      case 0: p = symbol + p; break;
      case 1: p = p + symbol; break;
      case 2: p = symbol + u" " + p; break;
      case 3: p = p + u" " + symbol; break;
      default: break;
    }
  }
  return p + u";-" + p;
}

String GroupThousands(StringView s, bool on, const TFormatSettings& fs) {
  String sign;
  if (!s.empty() && (s[0] == u'+' || s[0] == u'-')) {
    sign = String(1, s[0]);
    s.remove_prefix(1);
  }
  size_t end = 0;
  while (end < s.size() && s[end] != fs.DecimalSeparator && !IsExponent(s[end])) ++end;
  String integer;
  int count = 0;
  for (size_t i = end; i-- > 0;) {
    integer.insert(integer.begin(), s[i]);
    if (on && ++count % 3 == 0 && i > 0) integer.insert(integer.begin(), fs.ThousandSeparator);
  }
  return sign + integer + String(s.substr(end));
}

char16_t TranslateNumberKey(char16_t key, StringView text, int selStart, int selLength,
                            const TFormatSettings& fs) {
  if (key != u'.' && key != u',') return key;
  if (key != fs.ThousandSeparator) return fs.DecimalSeparator;
  const String rest = ReplaceSelection(text, selStart, selLength, u"");
  if (fs.DecimalSeparator != fs.ThousandSeparator &&
      rest.find(fs.DecimalSeparator) == String::npos)
    return fs.DecimalSeparator;
  return key;
}

bool IsValidNumberKey(char16_t key, StringView text, int selStart, int selLength,
                      const TNumEditRules& rules, const TFormatSettings& fs) {
  if (key == fs.ThousandSeparator && fs.DecimalSeparator != fs.ThousandSeparator) return false;
  const String s =
      NormalizeNumberText(ReplaceSelection(text, selStart, selLength, String(1, key)), fs);
  const size_t p = s.find(fs.DecimalSeparator);
  if (p != String::npos) {
    size_t e = p + 1;
    while (e < s.size() && !IsExponent(s[e])) ++e;
    if (e - p - 1 > rules.DecimalPlaces) return false;
  }
  double v = 0;
  if (!IsValidNumberText(s, v, fs)) return false;
  return !(rules.MinValue >= 0 && rules.MaxValue > 0 && v < 0);
}
