#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/NumUtils.h"

#include <gtest/gtest.h>

namespace {

template <typename F>
String ConvertErrorOf(F f) {
  try {
    f();
  } catch (const EConvertError& e) {
    return e.Message();
  }
  return u"(no error)";
}

}  // namespace

TEST(NumUtils, FormatFloatMasks) {
  struct Case {
    const char16_t* mask;
    double value;
    const char16_t* text;
  };
  const Case cases[] = {
      {u"#,###,##0.00", 1234567.891, u"1.234.567,89"},
      {u"#,###,##0.00", 0, u"0,00"},
      {u"#,###,##0.00", -1234.5, u"-1.234,50"},
      {u"#,###,##0.00", 999.999, u"1.000,00"},
      {u",0.00", 1234.5, u"1.234,50"},
      {u",0.##", 1234.5, u"1.234,5"},
      {u"#,##0", -1234567, u"-1.234.567"},
      {u"#0.00", 123.45, u"123,45"},
      {u"#0.00", 130.00000000000003, u"130,00"},
      // Halves go away from zero on the decimal value, not its double.
      {u"#0.00", 2.345, u"2,35"},
      {u"#0.00", -2.345, u"-2,35"},
      {u"#0.00", 1.005, u"1,01"},
      {u"0", 2.5, u"3"},
      {u"0", -0.4, u"0"},
      {u"0.00", -0.001, u"0,00"},
      {u"0.##", 1.5, u"1,5"},
      {u"0.##", 1, u"1"},
      {u"#.##", 0.5, u",5"},
      {u"000000", 42, u"000042"},
      {u"00-00", 1234, u"12-34"},
      {u"0.00;-0.00", -1.5, u"-1,50"},
      {u"0.00;(0.00)", -1.5, u"(1,50)"},
      {u"0.00;(0.00)", -0.001, u"0,00"},
      {u"0.00;(0.00);'zero'", 0, u"zero"},
      {u"0.00;(0.00);'zero'", -0.001, u"zero"},
      {u"0.00;;'zero'", -2, u"-2,00"},
      {u"R$ ,0.00;-R$ ,0.00", -1234.5, u"-R$ 1.234,50"},
      {u"\"R$\" 0.00", 5, u"R$ 5,00"},
      {u"0.00E+00", 1234.5, u"1,23E+03"},
      {u"0.0E-0", 0.00012, u"1,2E-4"},
      {u"0.0E+00", 0, u"0,0E+00"},
      {u"", 1.5, u"1,5"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FormatFloat(c.mask, c.value), c.text) << StringToUtf8(c.mask) << " " << c.value;

  TFormatSettings dot = BrazilianFormatSettings();
  dot.DecimalSeparator = u'.';
  dot.ThousandSeparator = u',';
  EXPECT_EQ(FormatFloat(u"#,##0.00", 1234.5, dot), u"1,234.50");
}

TEST(NumUtils, FloatToStrUsesFifteenDigitsAndTheDecimalComma) {
  EXPECT_EQ(FloatToStr(1234.5), u"1234,5");
  EXPECT_EQ(FloatToStr(0.1 + 0.2), u"0,3");
  EXPECT_EQ(FloatToStr(100), u"100");
  EXPECT_EQ(FloatToStr(-0.25), u"-0,25");
  EXPECT_EQ(FloatToStr(0), u"0");
  EXPECT_EQ(FloatToStr(1e20), u"1E20");
  EXPECT_EQ(FloatToStr(1.5e-7), u"1,5E-7");
  EXPECT_EQ(FloatToStr(0.00001), u"0,00001");
  EXPECT_EQ(FloatToStr(-0.000123), u"-0,000123");
  EXPECT_EQ(FloatToStrF(1234.567, ffFixed, 15, 2), u"1234,57");
  EXPECT_EQ(FloatToStrF(1234.567, ffNumber, 15, 1), u"1.234,6");
  EXPECT_EQ(FloatToStrF(-1234.5, ffCurrency, 15, 2), u"-R$ 1.234,50");
  EXPECT_EQ(FloatToStrF(1234.5, ffExponent, 4, 2), u"1,235E+03");
  EXPECT_EQ(FloatToStrF(12345, ffGeneral, 0, 0), u"12345");
  EXPECT_EQ(FloatToStrF(2.0 / 3, ffGeneral, 4, 0), u"0,6667");
  EXPECT_EQ(CurrToStr(123.45), u"123,45");
  EXPECT_EQ(CurrToStr(1.23456), u"1,2346");
}

TEST(NumUtils, IntegersReadAndWritten) {
  EXPECT_EQ(IntToStr(-42), u"-42");
  EXPECT_EQ(IntToStr(int64_t{9007199254740993}), u"9007199254740993");
  EXPECT_EQ(IntToHex(255, 4), u"00FF");
  EXPECT_EQ(IntToHex(0x1D0F, 2), u"1D0F");
  EXPECT_EQ(IntToHex(-1, 2), u"FFFFFFFF");
  EXPECT_EQ(IntToHex(static_cast<unsigned char>(7), 2), u"07");

  EXPECT_EQ(StrToInt(u"123"), 123);
  EXPECT_EQ(StrToInt(u"  -45"), -45);
  EXPECT_EQ(StrToInt(u"+7"), 7);
  EXPECT_EQ(StrToInt(u"$FF"), 255);
  EXPECT_EQ(StrToInt(u"0x10"), 16);
  EXPECT_EQ(StrToInt(u"-2147483648"), INT32_MIN);
  EXPECT_EQ(StrToInt64(u"9223372036854775807"), INT64_MAX);
  EXPECT_EQ(StrToInt64(u"-$8000000000000000"), INT64_MIN);
  EXPECT_EQ(StrToIntDef(u"x", 7), 7);
  int v = 5;
  EXPECT_FALSE(TryStrToInt(u"2147483648", v));
  EXPECT_EQ(v, 5);
  EXPECT_TRUE(TryStrToInt(u"0", v));
  EXPECT_EQ(v, 0);

  EXPECT_EQ(ConvertErrorOf([] { StrToInt(u"abc"); }), u"'abc' is not a valid integer value");
  for (const char16_t* bad : {u"", u" ", u"12 ", u"1.5", u"-", u"$", u"1e3", u"99999999999"})
    EXPECT_THROW(StrToInt(bad), EConvertError) << StringToUtf8(bad);
}

TEST(NumUtils, FloatsReadWithTheDecimalComma) {
  EXPECT_DOUBLE_EQ(StrToFloat(u"1234,56"), 1234.56);
  EXPECT_DOUBLE_EQ(StrToFloat(u" -1,5E2 "), -150);
  EXPECT_DOUBLE_EQ(StrToFloat(u",5"), 0.5);
  EXPECT_DOUBLE_EQ(StrToFloat(u"5,"), 5);
  EXPECT_DOUBLE_EQ(StrToFloat(u"+2e-3"), 0.002);
  EXPECT_DOUBLE_EQ(StrToFloatDef(u"x", 1.25), 1.25);
  EXPECT_EQ(StrToFloat(u"1e-999"), 0);
  EXPECT_EQ(StrToFloat(u"1e-99999999999999999999"), 0);
  EXPECT_EQ(ConvertErrorOf([] { StrToFloat(u"1.5"); }), u"'1.5' is not a valid floating point value");
  for (const char16_t* bad : {u"", u",", u"1.234,5", u"e5", u"1e", u"1,5,", u"--1", u"1e999",
                              u"1e99999999999999999999", u"1e9223372036854775808"})
    EXPECT_THROW(StrToFloat(bad), EConvertError) << StringToUtf8(bad);
  TFormatSettings dot = BrazilianFormatSettings();
  dot.DecimalSeparator = u'.';
  EXPECT_DOUBLE_EQ(StrToFloat(u"1.5", dot), 1.5);
}

TEST(NumUtils, RoundingHalvesToEvenAndSimpleRoundToAwayFromZero) {
  const std::pair<double, int64_t> halves[] = {{0.5, 0},   {1.5, 2},   {2.5, 2},   {3.5, 4},  {-0.5, 0},
                                               {-1.5, -2}, {-2.5, -2}, {2.6, 3},   {-2.6, -3}, {2.4999, 2}};
  for (auto [value, expected] : halves) EXPECT_EQ(Round(value), expected) << value;
  EXPECT_EQ(Trunc(-2.7), -2);
  EXPECT_DOUBLE_EQ(Frac(-2.75), -0.75);
  EXPECT_DOUBLE_EQ(RoundTo(1.125, -2), 1.12);
  EXPECT_DOUBLE_EQ(RoundTo(1.135, -2), 1.14);
  EXPECT_DOUBLE_EQ(SimpleRoundTo(2.345), 2.35);
  EXPECT_DOUBLE_EQ(SimpleRoundTo(-2.345), -2.35);
  EXPECT_DOUBLE_EQ(SimpleRoundTo(2.344), 2.34);
  EXPECT_DOUBLE_EQ(SimpleRoundTo(1234.5, 1), 1230);
  EXPECT_DOUBLE_EQ(SimpleRoundTo(0.125, -2), 0.13);
  // Places far beyond a double's range keep the value or round it to zero.
  EXPECT_DOUBLE_EQ(RoundTo(1e300, -10), 1e300);
  EXPECT_DOUBLE_EQ(RoundTo(1.5, -2147483647 - 1), 1.5);
  EXPECT_DOUBLE_EQ(RoundTo(123.456, 400), 0.0);
  EXPECT_DOUBLE_EQ(SimpleRoundTo(1.5, -2147483647 - 1), 1.5);
  EXPECT_DOUBLE_EQ(SimpleRoundTo(1.5, -2147483647), 1.5);
  EXPECT_DOUBLE_EQ(SimpleRoundTo(123.456, 2147483647), 0.0);
}

TEST(Format, DirectivesAndErrors) {
  EXPECT_EQ(Format(u"%d.%d.%d.%d", {1, 0, 2, 15}), u"1.0.2.15");
  EXPECT_EQ(Format(u"%.2f", {1.5}), u"1,50");
  EXPECT_EQ(Format(u"%f", {2}), u"2,00");
  EXPECT_EQ(Format(u"%.0f", {2.5}), u"3");
  EXPECT_EQ(Format(u"%n", {1234567.891}), u"1.234.567,89");
  EXPECT_EQ(Format(u"%m", {-5.0}), u"-R$ 5,00");
  EXPECT_EQ(Format(u"%5s|%-5s|", {u"ab", String(u"cd")}), u"   ab|cd   |");
  EXPECT_EQ(Format(u"%.2s", {u"abc"}), u"ab");
  EXPECT_EQ(Format(u"%x %.4X", {255, 255}), u"FF 00FF");
  EXPECT_EQ(Format(u"%x", {-1}), u"FFFFFFFF");
  EXPECT_EQ(Format(u"%.3d|%4d", {-5, 42}), u"-005|  42");
  EXPECT_EQ(Format(u"%1:s %0:s %s", {u"a", u"b"}), u"b a b");
  EXPECT_EQ(Format(u"100%%", {}), u"100%");
  EXPECT_EQ(Format(u"Relat\u00F3rio \"%s\"", {u"Recibo"}), u"Relat\u00F3rio \"Recibo\"");
  EXPECT_EQ(Format(u"Value must be between %.*f and %.*f", {2, 0.0, 2, 100.0}),
            u"Value must be between 0,00 and 100,00");
  EXPECT_EQ(ConvertErrorOf([] { Format(u"%s", {42}); }), u"Format '%s' invalid or incompatible with argument");
  EXPECT_THROW(Format(u"%d", {1.5}), EConvertError);
  EXPECT_THROW(Format(u"%d %d", {1}), EConvertError);
  EXPECT_THROW(Format(u"%", {1}), EConvertError);
  EXPECT_THROW(Format(u"%k", {1}), EConvertError);
  // A width or precision taken from an argument has the written one's bound.
  EXPECT_EQ(Format(u"%*d|%.*d", {3, 7, 2, 7}), u"  7|07");
  EXPECT_THROW(Format(u"%999999999d", {1}), EConvertError);
  EXPECT_THROW(Format(u"%*d", {2147483647, 1}), EConvertError);
  EXPECT_THROW(Format(u"%.*d", {2147483647, 1}), EConvertError);
  EXPECT_THROW(Format(u"%*d", {4294967296LL + 5, 1}), EConvertError);
  EXPECT_THROW(Format(u"%*d", {~0ULL, 1}), EConvertError);
}
