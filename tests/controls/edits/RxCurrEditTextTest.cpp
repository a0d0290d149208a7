#include "controls/RxCurrEditText.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumUtils.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

std::string U8(StringView s) { return StringToUtf8(s); }

// Types the keys one by one at the end of the text, as the edit's filter
// does; refused keys are left out.
String Type(StringView keys, const TNumEditRules& rules,
            const TFormatSettings& fs = FormatSettings) {
  String text;
  for (char16_t k : keys) {
    const int end = static_cast<int>(text.size());
    const char16_t c = TranslateNumberKey(k, text, end, 0, fs);
    if (IsValidNumberKey(c, text, end, 0, rules, fs)) text += c;
  }
  return text;
}

TFormatSettings DotDecimalSettings() {
  TFormatSettings fs = BrazilianFormatSettings();
  fs.DecimalSeparator = u'.';
  fs.ThousandSeparator = u',';
  return fs;
}

}  // namespace

TEST(RxCurrEditText, TypedKeysKeepTheTextANumber) {
  struct Case {
    const char16_t* Keys;
    double Min, Max;
    unsigned Places;
    const char16_t* Text;
  };
  const Case cases[] = {
      {u"1234,5", 0, 0, 2, u"1234,5"},
      {u"1,555", 0, 0, 2, u"1,55"},         // a third decimal is refused
      {u"1.5", 0, 0, 2, u"1,5"},            // '.' is the decimal point, not 15
      {u"1,5.0", 0, 0, 2, u"1,50"},         // a second separator is refused
      {u"12.50", 0, 0, 2, u"12,50"},
      {u",5", 0, 0, 2, u",5"},
      {u"-12,3", 0, 0, 2, u"-12,3"},        // no bounds: negatives allowed
      {u"-", 0, 100, 2, u"-"},              // reads as -0
      {u"-5", 0, 100, 2, u"-"},             // a digit after the lone minus is refused
      {u"5-", 0, 100, 2, u"5"},
      {u"12a3", 0, 0, 2, u"123"},
      {u"1,2", 0, 0, 0, u"1,"},             // no decimals: the separator, no digit
      {u"3306", 0, 0, 0, u"3306"},
      {u"1e5", 0, 0, 2, u"15"},             // "1e" does not convert
  };
  for (const Case& c : cases) {
    TNumEditRules rules;
    rules.MinValue = c.Min;
    rules.MaxValue = c.Max;
    rules.DecimalPlaces = c.Places;
    EXPECT_EQ(U8(Type(c.Keys, rules)), U8(c.Text)) << U8(c.Keys);
  }
}

TEST(RxCurrEditText, KeysAgainstTheSelectionAndAnExponent) {
  TNumEditRules rules;
  // Typing over the selected decimals replaces them.
  EXPECT_TRUE(IsValidNumberKey(u'9', u"1,55", 2, 2, rules));
  EXPECT_FALSE(IsValidNumberKey(u'9', u"1,55", 4, 0, rules));
  // With a pasted exponent only the digits before the 'E' count as decimals.
  EXPECT_TRUE(IsValidNumberKey(u'2', u"1,1E3", 3, 0, rules));
  EXPECT_FALSE(IsValidNumberKey(u'2', u"1,12E3", 4, 0, rules));
  // A '.' typed over the selected decimal comma is again the decimal comma.
  EXPECT_EQ(TranslateNumberKey(u'.', u"1,5", 1, 1), u',');
  EXPECT_EQ(TranslateNumberKey(u'.', u"1,5", 3, 0), u'.');
  EXPECT_FALSE(IsValidNumberKey(u'.', u"1,5", 3, 0, rules));
  // A minus in front of digits is refused when only positives are in range.
  rules.MaxValue = 100;
  EXPECT_FALSE(IsValidNumberKey(u'-', u"5", 0, 0, rules));
  EXPECT_TRUE(IsValidNumberKey(u'-', u"", 0, 0, rules));
}

TEST(RxCurrEditText, DotDecimalLocaleMirrorsTheRules) {
  const TFormatSettings fs = DotDecimalSettings();
  TNumEditRules rules;
  EXPECT_EQ(U8(Type(u"1,5", rules, fs)), "1.5");
  EXPECT_EQ(U8(Type(u"1.5,", rules, fs)), "1.5");
  EXPECT_EQ(U8(NormalizeEnteredNumberText(u"1,234.5", fs)), "1234.5");
  EXPECT_EQ(U8(NormalizeEnteredNumberText(u"1,5", fs)), "1.5");
}

TEST(RxCurrEditText, EnteredTextsReadAsTheAmountMeant) {
  struct Case {
    const char16_t* Text;
    double Value;  // NAN: the text does not convert
  };
  const Case cases[] = {
      {u"  1.234,56  ", 1234.56},
      {u"1.234.567", 1234567},
      {u"1.5", 1.5},
      {u"12.50", 12.5},
      {u"1.500", 1500},
      {u"-1.234,5", -1234.5},
      {u",5", 0.5},
      {u"-,5", -0.5},
      {u"", 0},
      {u"-", 0},
      {u"1.2.3", NAN},
      {u"12.34,5", NAN},
      {u"1,2,3", NAN},
      {u"abc", NAN},
  };
  for (const Case& c : cases) {
    double v = 0;
    const bool ok = TryStrToFloat(NormalizeEnteredNumberText(c.Text), v);
    if (std::isnan(c.Value)) {
      EXPECT_FALSE(ok) << U8(c.Text);
    } else {
      EXPECT_TRUE(ok) << U8(c.Text);
      EXPECT_DOUBLE_EQ(v, c.Value) << U8(c.Text);
    }
  }
  EXPECT_EQ(U8(NormalizeEnteredNumberText(u"-")), "-0");
  // The control's own texts drop the grouping it inserted.
  EXPECT_EQ(U8(NormalizeNumberText(u"12.345,6")), "12345,6");
}

TEST(RxCurrEditText, ClampsAndRounds) {
  TNumEditRules rules;
  rules.MinValue = 0;
  rules.MaxValue = 100;
  EXPECT_EQ(ClampNumber(150, rules, false), 100);
  EXPECT_EQ(ClampNumber(-3, rules, false), 0);
  EXPECT_EQ(ClampNumber(42.5, rules, true), 42.5);
  try {
    ClampNumber(150, rules, true);
    ADD_FAILURE() << "no range error";
  } catch (const ERangeError& e) {
    EXPECT_EQ(U8(e.Message()), "Value must be between 0,00 and 100,00");
  }
  // Crossed bounds: a zero bound is no bound; otherwise nothing is clamped.
  rules.MinValue = 10, rules.MaxValue = 0;
  EXPECT_EQ(ClampNumber(5, rules, false), 10);
  EXPECT_EQ(ClampNumber(500, rules, false), 500);
  rules.MinValue = 0, rules.MaxValue = -5;
  EXPECT_EQ(ClampNumber(3, rules, false), -5);
  EXPECT_EQ(ClampNumber(-30, rules, false), -30);
  rules.MinValue = 10, rules.MaxValue = 5;
  EXPECT_EQ(ClampNumber(1, rules, false), 1);
  EXPECT_EQ(ClampNumber(50, rules, false), 50);
  // Equal bounds: none.
  rules.MinValue = rules.MaxValue = 0;
  EXPECT_EQ(ClampNumber(-1e9, rules, true), -1e9);

  rules.DecimalPlaceRound = true;
  EXPECT_DOUBLE_EQ(ClampNumber(1.005, rules, false), 1.01);
  EXPECT_DOUBLE_EQ(ClampNumber(-1.005, rules, false), -1.01);
  EXPECT_DOUBLE_EQ(ClampNumber(2.5, rules, false), 2.5);
  EXPECT_DOUBLE_EQ(ClampNumber(2.344, rules, false), 2.34);
}

TEST(RxCurrEditText, EditAndDisplayTexts) {
  TNumEditRules rules;
  EXPECT_EQ(U8(NumberEditText(0, rules, true)), "");
  EXPECT_EQ(U8(NumberEditText(0, rules, false)), "0");
  EXPECT_EQ(U8(NumberEditText(1234.5, rules, true)), "1234,5");
  EXPECT_EQ(U8(NumberEditText(-7.25, rules, true)), "-7,25");
  rules.DecimalPlaces = 0;
  EXPECT_EQ(U8(NumberEditText(3306, rules, true)), "3306");

  EXPECT_EQ(U8(CurrencyDisplayFormat()), "R$ ,0.00;-R$ ,0.00");
  EXPECT_EQ(U8(NumberDisplayText(1234.5, CurrencyDisplayFormat())), "R$ 1.234,50");
  EXPECT_EQ(U8(NumberDisplayText(-1234.5, CurrencyDisplayFormat())), "-R$ 1.234,50");
  EXPECT_EQ(U8(NumberDisplayText(0, u",0.00")), "0,00");
  EXPECT_EQ(U8(NumberDisplayText(1234567.891, u"#,###,##0.00")), "1.234.567,89");
  EXPECT_EQ(U8(NumberDisplayText(12, u"0")), "12");
  EXPECT_EQ(U8(NumberDisplayText(1.5, u"")), "1,5");

  TFormatSettings fs = BrazilianFormatSettings();
  fs.CurrencyString = u"S.A";
  fs.CurrencyFormat = 3;
  fs.CurrencyDecimals = 0;
  EXPECT_EQ(U8(CurrencyDisplayFormat(fs)), ",0. S'.'A;-,0. S'.'A");
}

TEST(RxCurrEditText, GroupsThousandsWhileEditing) {
  EXPECT_EQ(U8(GroupThousands(u"1234567,891", true)), "1.234.567,891");
  EXPECT_EQ(U8(GroupThousands(u"-123456", true)), "-123.456");
  EXPECT_EQ(U8(GroupThousands(u"123", true)), "123");
  EXPECT_EQ(U8(GroupThousands(u"12345E3", true)), "12.345E3");
  EXPECT_EQ(U8(GroupThousands(u"1234567", false)), "1234567");
}
