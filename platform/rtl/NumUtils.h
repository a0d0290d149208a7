#pragma once
// Number conversions and formatting. Decimal and thousands separators come
// from FormatSettings (Brazilian: "1.234,56") unless settings are passed.
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/String.h"
#include <cstdint>
#include <type_traits>

// <shlwapi.h> defines StrToInt as a macro; include this header after it.
#ifdef StrToInt
#undef StrToInt
#endif

String IntToStr(int64_t value);
// Upper-case hexadecimal of the bits of the value's own type, left-padded
// with zeros to at least digits: IntToHex(255, 4) == "00FF",
// IntToHex(-1, 2) == "FFFFFFFF" for an int.
String UIntToHex(uint64_t value, int digits);
template <typename T, typename = std::enable_if_t<std::is_integral_v<T>>>
String IntToHex(T value, int digits) {
  using U = std::make_unsigned_t<T>;
  return UIntToHex(static_cast<uint64_t>(static_cast<U>(value)), digits);
}

// Decimal with an optional sign after leading blanks (a trailing blank is
// refused, as on the platform); "$FF" and "0xFF" read as hexadecimal.
// Malformed or out-of-range text raises EConvertError
// "'abc' is not a valid integer value".
int StrToInt(StringView s);
int64_t StrToInt64(StringView s);
int StrToIntDef(StringView s, int defaultValue);
int64_t StrToInt64Def(StringView s, int64_t defaultValue);
bool TryStrToInt(StringView s, int& value);
bool TryStrToInt64(StringView s, int64_t& value);

// Unscoped, as the platform's names ffFixed etc. are used bare.
enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// Shortest general form with 15 significant digits: 1234.5 -> "1234,5".
String FloatToStr(double value);
String FloatToStr(double value, const TFormatSettings& settings);
// precision = significant digits (1..17; 0 or less means 15); digits =
// decimals (ffFixed, ffNumber, ffCurrency) or minimum exponent digits
// (ffGeneral, ffExponent).
String FloatToStrF(double value, TFloatFormat format, int precision, int digits);
String FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                   const TFormatSettings& settings);

// Format masks: '0' digit, '#' optional digit, '.' decimal separator, ','
// thousands separator anywhere in the integer part, "E+00"/"e-00" exponent,
// "..." / '...' literal text, any other character (such as '%') as it
// stands, up to three sections "positive;negative;zero"; an empty section
// falls back to the first. Halves round away from zero on the decimal value.
// FormatFloat("#,##0.00", 1234.5) == "1.234,50".
String FormatFloat(StringView format, double value);
String FormatFloat(StringView format, double value, const TFormatSettings& settings);
String FormatCurr(StringView format, double value);

// Digits with the decimal separator of the settings (no thousands
// separators), optional exponent, surrounding blanks allowed. Malformed text
// raises EConvertError "'x' is not a valid floating point value".
double StrToFloat(StringView s);
double StrToFloat(StringView s, const TFormatSettings& settings);
double StrToFloatDef(StringView s, double defaultValue);
bool TryStrToFloat(StringView s, double& value);
bool TryStrToFloat(StringView s, double& value, const TFormatSettings& settings);

// Currency values are doubles held to four decimals.
String CurrToStr(double value);
double StrToCurr(StringView s);

// Rounding to an integer, halves to the even neighbour: Round(2.5) == 2,
// Round(3.5) == 4, Round(-2.5) == -2.
int64_t Round(double value);
int64_t Trunc(double value);
double Int(double value);
double Frac(double value);
// Rounds to 10^digit (digit -2: hundredths), halves to even.
double RoundTo(double value, int digit);
// Rounds to 10^digit, halves away from zero. The half is judged on the
// decimal value as written (15 significant digits), so 2.345 gives 2.35
// although its double lies just below 2.345.
double SimpleRoundTo(double value, int digit = -2);
