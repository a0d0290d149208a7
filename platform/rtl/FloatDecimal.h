#pragma once
// Decimal digits of a double, shared by the number formatting routines.
#include <string>

// value = 0.d1d2d3... x 10^Exponent; Digits holds no trailing zeros and is
// empty for zero.
struct TFloatDecimal {
  bool Negative = false;
  std::string Digits;
  int Exponent = 0;
};

// Rounds to at most precision significant digits (1..17), and then, when
// decimals >= 0, to that many digits after the point. Both steps round
// halves away from zero on the decimal digits.
TFloatDecimal FloatToDecimal(double value, int precision, int decimals = -1);
