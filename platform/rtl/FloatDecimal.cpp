#include "platform/rtl/FloatDecimal.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

// Keeps `keep` digits, rounding half up on the digit after them.
void RoundDigits(TFloatDecimal& d, int keep) {
  if (keep >= static_cast<int>(d.Digits.size())) return;
  if (keep < 0) {
    d.Digits.clear();
    d.Exponent = 0;
    return;
  }
  bool up = d.Digits[keep] >= '5';
  d.Digits.resize(keep);
  if (up) {
    int i = keep - 1;
    while (i >= 0 && d.Digits[i] == '9') d.Digits[i--] = '0';
    if (i >= 0) {
      ++d.Digits[i];
    } else {
      d.Digits.insert(d.Digits.begin(), '1');
      ++d.Exponent;
    }
  }
  while (!d.Digits.empty() && d.Digits.back() == '0') d.Digits.pop_back();
  if (d.Digits.empty()) d.Exponent = 0;
}

}  // namespace

TFloatDecimal FloatToDecimal(double value, int precision, int decimals) {
  TFloatDecimal d;
  d.Negative = std::signbit(value);
  if (value == 0 || !std::isfinite(value)) return d;
  // 17 significant digits are exact for a double; the rounding to the
  // wanted precision is then done on decimal digits.
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 16);
  std::string text(buf, res.ptr);
  size_t e = text.find('e');
  for (size_t i = 0; i < e; ++i)
    if (text[i] != '.') d.Digits.push_back(text[i]);
  d.Exponent = std::atoi(text.c_str() + e + 1) + 1;
  while (!d.Digits.empty() && d.Digits.back() == '0') d.Digits.pop_back();
  if (precision < 1) precision = 1;
  if (precision > 17) precision = 17;
  RoundDigits(d, precision);
  if (decimals >= 0 && !d.Digits.empty()) RoundDigits(d, d.Exponent + decimals);
  if (d.Digits.empty()) d.Exponent = 0;
  return d;
}
