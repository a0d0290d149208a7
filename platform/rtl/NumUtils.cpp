#include "platform/rtl/NumUtils.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FloatDecimal.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

namespace {

constexpr int kFloatPrecision = 15;

bool IsBlank(char16_t c) { return c <= u' '; }

[[noreturn]] void RaiseInvalidInteger(StringView s) {
  throw EConvertError(u"'" + String(s) + u"' is not a valid integer value");
}

[[noreturn]] void RaiseInvalidFloat(StringView s) {
  throw EConvertError(u"'" + String(s) + u"' is not a valid floating point value");
}

int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// Reads an integer the way the platform's Val does: leading blanks, a sign,
// decimal digits or a hexadecimal prefix, and nothing after the number.
// maxHex is the largest unsigned value a hex literal may spell (it wraps
// into the negative range, as 32-bit hex constants do).
bool ParseInteger(StringView s, int64_t minValue, int64_t maxValue, uint64_t maxHex, int64_t& out) {
  size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) negative = s[i++] == u'-';
  bool hex = false;
  if (i < s.size() && (s[i] == u'$' || s[i] == u'x' || s[i] == u'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < s.size() && s[i] == u'0' && (s[i + 1] == u'x' || s[i + 1] == u'X')) {
    hex = true;
    i += 2;
  }
  if (i >= s.size()) return false;
  uint64_t magnitude = 0;
  const uint64_t limit = hex ? maxHex
                             : (negative ? static_cast<uint64_t>(-(minValue + 1)) + 1
                                         : static_cast<uint64_t>(maxValue));
  for (; i < s.size(); ++i) {
    int digit = hex ? HexValue(s[i]) : (s[i] >= u'0' && s[i] <= u'9' ? s[i] - u'0' : -1);
    if (digit < 0) return false;
    const uint64_t base = hex ? 16 : 10;
    if (magnitude > (limit - digit) / base) return false;
    magnitude = magnitude * base + digit;
  }
  if (hex) {
    // Hex spells the bit pattern of the target width.
    int64_t v = maxHex == 0xFFFFFFFFull ? static_cast<int32_t>(static_cast<uint32_t>(magnitude))
                                        : static_cast<int64_t>(magnitude);
    // Negated through unsigned: -$8000000000000000 has no positive twin.
    out = negative ? static_cast<int64_t>(0 - static_cast<uint64_t>(v)) : v;
  } else {
    out = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
  }
  return true;
}

String ToString(const std::string& ascii) { return String(ascii.begin(), ascii.end()); }

// Inserts the thousands separator into a run of integer digits.
String GroupThousands(const String& digits, char16_t separator) {
  String r;
  const size_t n = digits.size();
  for (size_t i = 0; i < n; ++i) {
    r.push_back(digits[i]);
    size_t left = n - 1 - i;
    if (left > 0 && left % 3 == 0) r.push_back(separator);
  }
  return r;
}

// Integer and fraction digits of a decimal, without separators.
void SplitDecimal(const TFloatDecimal& d, String& intPart, String& fracPart) {
  intPart.clear();
  fracPart.clear();
  const int n = static_cast<int>(d.Digits.size());
  for (int i = 0; i < d.Exponent; ++i) intPart.push_back(i < n ? d.Digits[i] : u'0');
  for (int i = d.Exponent; i < n; ++i) fracPart.push_back(i < 0 ? u'0' : d.Digits[i]);
}

String ExponentText(int exponent, int minDigits, bool alwaysSign) {
  String r;
  if (exponent < 0) r.push_back(u'-');
  else if (alwaysSign) r.push_back(u'+');
  String digits = ToString(std::to_string(std::abs(exponent)));
  if (static_cast<int>(digits.size()) < minDigits) digits.insert(0, minDigits - digits.size(), u'0');
  return r + digits;
}

String SpecialValue(double value) {
  if (std::isnan(value)) return u"NAN";
  return value < 0 ? u"-INF" : u"INF";
}

String Scientific(const TFloatDecimal& d, int precision, int expDigits, bool padDigits,
                  bool alwaysSign, const TFormatSettings& fs) {
  String digits(d.Digits.begin(), d.Digits.end());
  if (digits.empty()) digits = u"0";
  if (padDigits && static_cast<int>(digits.size()) < precision) digits.append(precision - digits.size(), u'0');
  String r;
  if (d.Negative && !d.Digits.empty()) r.push_back(u'-');
  r.push_back(digits[0]);
  if (digits.size() > 1) {
    r.push_back(fs.DecimalSeparator);
    r.append(digits.substr(1));
  }
  r.push_back(u'E');
  r.append(ExponentText(d.Digits.empty() ? 0 : d.Exponent - 1, expDigits, alwaysSign));
  return r;
}

String CurrencyText(const String& number, bool negative, const TFormatSettings& fs) {
  const String& c = fs.CurrencyString;
  if (!negative) {
    switch (fs.CurrencyFormat) {
      case 0: return c + number;
      case 1: return number + c;
      case 2: return c + u" " + number;
      default: return number + u" " + c;
    }
  }
  switch (fs.NegCurrFormat) {
    case 0: return u"(" + c + number + u")";
    case 1: return u"-" + c + number;
    case 2: return c + u"-" + number;
    case 3: return c + number + u"-";
    case 4: return u"(" + number + c + u")";
    case 5: return u"-" + number + c;
    case 6: return number + u"-" + c;
    case 7: return number + c + u"-";
    case 8: return u"-" + number + u" " + c;
    case 9: return u"-" + c + u" " + number;
    case 10: return number + u" " + c + u"-";
    case 11: return c + u" " + number + u"-";
    case 12: return c + u" -" + number;
    case 13: return number + u"- " + c;
    case 14: return u"(" + c + u" " + number + u")";
    default: return u"(" + number + u" " + c + u")";
  }
}

// ---- FormatFloat ---------------------------------------------------------

std::vector<StringView> SplitSections(StringView format) {
  std::vector<StringView> sections;
  size_t start = 0;
  char16_t quote = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    char16_t c = format[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == u'"' || c == u'\'') {
      quote = c;
    } else if (c == u';' && sections.size() < 2) {
      sections.push_back(format.substr(start, i - start));
      start = i + 1;
    }
  }
  sections.push_back(format.substr(start));
  return sections;
}

bool IsExponentAt(StringView s, size_t i) {
  return (s[i] == u'E' || s[i] == u'e') && i + 1 < s.size() && (s[i + 1] == u'+' || s[i + 1] == u'-');
}

struct TSectionLayout {
  int IntPlaces = 0;       // digit placeholders before the decimal point
  int IntZeros = 0;        // of them, from the first '0' onwards
  int FracPlaces = 0;      // placeholders after the point
  int FracZeros = 0;       // up to the last '0' after the point
  bool Thousands = false;
  bool Scientific = false;
};

TSectionLayout Analyse(StringView s) {
  TSectionLayout l;
  bool afterPoint = false;
  bool firstZeroSeen = false;
  char16_t quote = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    char16_t c = s[i];
    if (quote) {
      if (c == quote) quote = 0;
      continue;
    }
    if (c == u'"' || c == u'\'') {
      quote = c;
    } else if (IsExponentAt(s, i)) {
      l.Scientific = true;
      break;
    } else if (c == u'.') {
      afterPoint = true;
    } else if (c == u',') {
      if (!afterPoint) l.Thousands = true;
    } else if (c == u'0' || c == u'#') {
      if (afterPoint) {
        ++l.FracPlaces;
        if (c == u'0') l.FracZeros = l.FracPlaces;
      } else {
        ++l.IntPlaces;
        if (c == u'0') firstZeroSeen = true;
        if (firstZeroSeen) ++l.IntZeros;
      }
    }
  }
  return l;
}

// Writes the section with the digits in place; sign handling is the caller's.
String RenderSection(StringView s, const TSectionLayout& l, const String& intDigits,
                     const String& fracDigits, int exponent, const TFormatSettings& fs) {
  String r;
  int intPlace = 0;  // integer placeholders consumed
  int fracPlace = 0;
  bool afterPoint = false;
  const int nInt = static_cast<int>(intDigits.size());
  auto emitIntDigit = [&](int pos) {  // pos = 0-based from the left of intDigits
    r.push_back(intDigits[pos]);
    int left = nInt - 1 - pos;
    if (l.Thousands && left > 0 && left % 3 == 0) r.push_back(fs.ThousandSeparator);
  };
  int nextInt = 0;  // next digit of intDigits to write
  for (size_t i = 0; i < s.size(); ++i) {
    char16_t c = s[i];
    if (c == u'"' || c == u'\'') {
      size_t end = s.find(c, i + 1);
      if (end == StringView::npos) end = s.size();
      r.append(s.substr(i + 1, end - i - 1));
      i = end;
      continue;
    }
    if (IsExponentAt(s, i)) {
      size_t j = i + 2;
      int zeros = 0;
      while (j < s.size() && s[j] == u'0') ++zeros, ++j;
      r.push_back(c);
      r.append(ExponentText(exponent, std::min(zeros, 4), s[i + 1] == u'+'));
      i = j - 1;
      continue;
    }
    if (c == u'0' || c == u'#') {
      if (!afterPoint) {
        // Digits beyond the placeholders all go out at the first one.
        const int placesLeft = l.IntPlaces - intPlace;  // including this one
        while (nextInt < nInt && nInt - nextInt >= placesLeft) emitIntDigit(nextInt++);
        ++intPlace;
      } else {
        if (fracPlace < static_cast<int>(fracDigits.size())) r.push_back(fracDigits[fracPlace]);
        ++fracPlace;
      }
      continue;
    }
    if (c == u'.') {
      if (!afterPoint) {
        while (nextInt < nInt) emitIntDigit(nextInt++);
        afterPoint = true;
        if (!fracDigits.empty()) r.push_back(fs.DecimalSeparator);
      }
      continue;
    }
    if (c == u',') continue;
    r.push_back(c);
  }
  while (nextInt < nInt) emitIntDigit(nextInt++);
  return r;
}

String FormatSection(StringView s, double absValue, const TFormatSettings& fs, bool& isZero) {
  const TSectionLayout l = Analyse(s);
  String intDigits, fracDigits;
  int exponent = 0;
  if (l.Scientific) {
    const int places = std::max(1, l.IntPlaces + l.FracPlaces);
    TFloatDecimal d = FloatToDecimal(absValue, std::min(places, 17));
    isZero = d.Digits.empty();
    String digits(d.Digits.begin(), d.Digits.end());
    const int intCount = std::max(l.IntPlaces, 1);
    exponent = isZero ? 0 : d.Exponent - intCount;
    if (static_cast<int>(digits.size()) < intCount) digits.append(intCount - digits.size(), u'0');
    intDigits = digits.substr(0, intCount);
    fracDigits = digits.substr(intCount);
    if (l.IntPlaces == 0) intDigits.clear();
    while (!intDigits.empty() && intDigits[0] == u'0' &&
           static_cast<int>(intDigits.size()) > l.IntZeros)
      intDigits.erase(0, 1);
  } else {
    TFloatDecimal d = FloatToDecimal(absValue, kFloatPrecision, l.FracPlaces);
    isZero = d.Digits.empty();
    SplitDecimal(d, intDigits, fracDigits);
    if (static_cast<int>(intDigits.size()) < l.IntZeros) intDigits.insert(0, l.IntZeros - intDigits.size(), u'0');
  }
  while (static_cast<int>(fracDigits.size()) > l.FracZeros && !fracDigits.empty() && fracDigits.back() == u'0')
    fracDigits.pop_back();
  if (static_cast<int>(fracDigits.size()) < l.FracZeros) fracDigits.append(l.FracZeros - fracDigits.size(), u'0');
  return RenderSection(s, l, intDigits, fracDigits, exponent, fs);
}

// Rough power of ten of a plain decimal text "[-]ddd.ddde[-]ddd": positive
// for numbers of 1 and more, negative for those below.
long DecimalMagnitude(const std::string& ascii) {
  long magnitude = 0;
  bool point = false, nonZero = false;
  size_t i = 0;
  for (; i < ascii.size() && ascii[i] != 'e'; ++i) {
    char c = ascii[i];
    if (c == '.') point = true;
    else if (c >= '0' && c <= '9') {
      if (c != '0') nonZero = true;
      if (!point && nonZero) ++magnitude;
      if (point && !nonZero) --magnitude;
    }
  }
  if (i < ascii.size()) {
    // The exponent saturates: "1e99999999999999999999" must stay an
    // overflow, not wrap into an underflow.
    bool negative = false;
    long exponent = 0;
    for (++i; i < ascii.size(); ++i) {
      if (ascii[i] == '-') negative = true;
      else if (ascii[i] >= '0' && ascii[i] <= '9' && exponent < 1000000) exponent = exponent * 10 + (ascii[i] - '0');
    }
    magnitude += negative ? -exponent : exponent;
  }
  return magnitude;
}

// Parses a number written with fs.DecimalSeparator into a double.
bool ParseFloat(StringView s, const TFormatSettings& fs, double& out) {
  size_t i = 0, n = s.size();
  while (i < n && IsBlank(s[i])) ++i;
  while (n > i && IsBlank(s[n - 1])) --n;
  std::string ascii;
  if (i < n && (s[i] == u'+' || s[i] == u'-')) ascii.push_back(static_cast<char>(s[i++]));
  bool digits = false;
  while (i < n && s[i] >= u'0' && s[i] <= u'9') ascii.push_back(static_cast<char>(s[i++])), digits = true;
  if (i < n && s[i] == fs.DecimalSeparator) {
    ascii.push_back('.');
    ++i;
    while (i < n && s[i] >= u'0' && s[i] <= u'9') ascii.push_back(static_cast<char>(s[i++])), digits = true;
  }
  if (!digits) return false;
  if (i < n && (s[i] == u'E' || s[i] == u'e')) {
    ascii.push_back('e');
    ++i;
    if (i < n && (s[i] == u'+' || s[i] == u'-')) ascii.push_back(static_cast<char>(s[i++]));
    bool expDigits = false;
    while (i < n && s[i] >= u'0' && s[i] <= u'9') ascii.push_back(static_cast<char>(s[i++])), expDigits = true;
    if (!expDigits) return false;
  }
  if (i != n) return false;
  const char* first = ascii.c_str();
  if (*first == '+') ++first;
  double v = 0;
  auto res = std::from_chars(first, ascii.c_str() + ascii.size(), v);
  if (res.ec == std::errc::result_out_of_range) {
    // Underflow reads as zero; overflow is not a valid value.
    if (DecimalMagnitude(ascii) > 0) return false;
    v = 0;
  } else if (res.ec != std::errc() || res.ptr != ascii.c_str() + ascii.size()) {
    return false;
  }
  out = v;
  return true;
}

}  // namespace

String IntToStr(int64_t value) { return ToString(std::to_string(value)); }

String UIntToHex(uint64_t value, int digits) {
  static const char16_t kHex[] = u"0123456789ABCDEF";
  uint64_t v = value;
  String r;
  do {
    r.insert(r.begin(), kHex[v & 0xF]);
    v >>= 4;
  } while (v != 0);
  if (static_cast<int>(r.size()) < digits) r.insert(0, digits - r.size(), u'0');
  return r;
}

bool TryStrToInt(StringView s, int& value) {
  int64_t v;
  if (!ParseInteger(s, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), 0xFFFFFFFFull, v))
    return false;
  value = static_cast<int>(v);
  return true;
}

bool TryStrToInt64(StringView s, int64_t& value) {
  return ParseInteger(s, std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max(),
                      std::numeric_limits<uint64_t>::max(), value);
}

int StrToInt(StringView s) {
  int v;
  if (!TryStrToInt(s, v)) RaiseInvalidInteger(s);
  return v;
}

int64_t StrToInt64(StringView s) {
  int64_t v;
  if (!TryStrToInt64(s, v)) RaiseInvalidInteger(s);
  return v;
}

int StrToIntDef(StringView s, int defaultValue) {
  int v;
  return TryStrToInt(s, v) ? v : defaultValue;
}

int64_t StrToInt64Def(StringView s, int64_t defaultValue) {
  int64_t v;
  return TryStrToInt64(s, v) ? v : defaultValue;
}

String FloatToStr(double value) { return FloatToStr(value, FormatSettings); }

String FloatToStr(double value, const TFormatSettings& settings) {
  return FloatToStrF(value, ffGeneral, kFloatPrecision, 0, settings);
}

String FloatToStrF(double value, TFloatFormat format, int precision, int digits) {
  return FloatToStrF(value, format, precision, digits, FormatSettings);
}

String FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                   const TFormatSettings& fs) {
  if (!std::isfinite(value)) return SpecialValue(value);
  // A precision of 0 (as for integer fields) means the full 15 digits
  // rather than a single one.
  precision = precision < 1 ? kFloatPrecision : std::min(precision, 17);
  digits = std::clamp(digits, 0, 18);
  if (format == ffExponent) {
    TFloatDecimal d = FloatToDecimal(value, precision);
    return Scientific(d, precision, std::min(digits, 4), true, true, fs);
  }
  if (format == ffGeneral) {
    TFloatDecimal d = FloatToDecimal(value, precision);
    if (d.Digits.empty()) return u"0";
    if (d.Exponent > precision || d.Exponent < -4) return Scientific(d, precision, digits, false, false, fs);
    String intPart, fracPart;
    SplitDecimal(d, intPart, fracPart);
    String r = d.Negative ? u"-" : u"";
    r += intPart.empty() ? u"0" : intPart;
    if (!fracPart.empty()) r += fs.DecimalSeparator + fracPart;
    return r;
  }
  // Fixed-point forms; numbers too large for the precision fall back to the
  // general form, as the platform does.
  TFloatDecimal d = FloatToDecimal(value, precision, digits);
  if (d.Exponent > precision) return FloatToStrF(value, ffGeneral, precision, 0, fs);
  String intPart, fracPart;
  SplitDecimal(d, intPart, fracPart);
  if (intPart.empty()) intPart = u"0";
  if (static_cast<int>(fracPart.size()) < digits) fracPart.append(digits - fracPart.size(), u'0');
  if (format != ffFixed) intPart = GroupThousands(intPart, fs.ThousandSeparator);
  String number = digits > 0 ? intPart + fs.DecimalSeparator + fracPart : intPart;
  const bool negative = d.Negative && !d.Digits.empty();
  if (format == ffCurrency) return CurrencyText(number, negative, fs);
  return negative ? u"-" + number : number;
}

String FormatFloat(StringView format, double value) { return FormatFloat(format, value, FormatSettings); }

String FormatFloat(StringView format, double value, const TFormatSettings& fs) {
  if (!std::isfinite(value)) return SpecialValue(value);
  if (format.empty() || std::fabs(value) >= 1e18) return FloatToStr(value, fs);
  const std::vector<StringView> sections = SplitSections(format);
  auto has = [&](size_t i) { return i < sections.size() && !sections[i].empty(); };
  size_t index = 0;
  if (value == 0 && has(2)) index = 2;
  else if (value < 0 && has(1)) index = 1;
  bool isZero = false;
  String text = FormatSection(sections[index], std::fabs(value), fs, isZero);
  // A value that rounds to zero takes the zero section, and never a minus.
  if (isZero) {
    if (index != 2 && has(2)) return FormatSection(sections[2], 0, fs, isZero);
    if (index == 1) return FormatSection(sections[0], 0, fs, isZero);
    return text;
  }
  if (value < 0 && index == 0) return u"-" + text;
  return text;
}

String FormatCurr(StringView format, double value) {
  return FormatFloat(format, SimpleRoundTo(value, -4));
}

bool TryStrToFloat(StringView s, double& value) { return ParseFloat(s, FormatSettings, value); }

bool TryStrToFloat(StringView s, double& value, const TFormatSettings& settings) {
  return ParseFloat(s, settings, value);
}

double StrToFloat(StringView s) { return StrToFloat(s, FormatSettings); }

double StrToFloat(StringView s, const TFormatSettings& settings) {
  double v;
  if (!ParseFloat(s, settings, v)) RaiseInvalidFloat(s);
  return v;
}

double StrToFloatDef(StringView s, double defaultValue) {
  double v;
  return ParseFloat(s, FormatSettings, v) ? v : defaultValue;
}

String CurrToStr(double value) { return FloatToStr(SimpleRoundTo(value, -4)); }

double StrToCurr(StringView s) { return SimpleRoundTo(StrToFloat(s), -4); }

int64_t Round(double value) {
  // The default floating-point mode rounds halves to the even neighbour.
  return std::llrint(value);
}

int64_t Trunc(double value) { return static_cast<int64_t>(value); }
double Int(double value) { return std::trunc(value); }
double Frac(double value) { return value - std::trunc(value); }

double RoundTo(double value, int digit) {
  if (digit < 0) {
    const double factor = std::pow(10.0, -static_cast<double>(digit));
    // A value this large has no digits at that place to round away.
    if (!std::isfinite(value * factor)) return value;
    return std::nearbyint(value * factor) / factor;
  }
  const double factor = std::pow(10.0, digit);
  if (!std::isfinite(factor)) return std::isfinite(value) ? 0.0 : value;
  return std::nearbyint(value / factor) * factor;
}

namespace {

double DecimalToDouble(const TFloatDecimal& d) {
  if (d.Digits.empty()) return 0;
  std::string text = (d.Negative ? "-0." : "0.") + d.Digits + "e" + std::to_string(d.Exponent);
  double v = 0;
  std::from_chars(text.c_str(), text.c_str() + text.size(), v);
  return v;
}

}  // namespace

double SimpleRoundTo(double value, int digit) {
  if (!std::isfinite(value)) return value;
  // The half is judged on the decimal digits, and the result is read back
  // from them, so it is the double nearest to the rounded decimal.
  // No double has digits past the 400th decimal: deeper rounding keeps it.
  if (digit <= 0) return DecimalToDouble(FloatToDecimal(value, kFloatPrecision, digit < -400 ? 400 : -digit));
  const double factor = std::pow(10.0, digit);
  if (!std::isfinite(factor)) return 0.0;
  return DecimalToDouble(FloatToDecimal(value / factor, kFloatPrecision, 0)) * factor;
}
