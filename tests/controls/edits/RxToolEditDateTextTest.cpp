#include "controls/RxToolEditDateText.h"

#include <gtest/gtest.h>

namespace {
std::string U8(StringView s) { return StringToUtf8(s); }
}  // namespace

TEST(RxToolEditDateText, FormatAndMaskFollowTheDateOrder) {
  struct Case {
    const char16_t* ShortDate;
    TYearDigits Digits;
    const char* Format;
    const char* Mask;
  };
  const Case cases[] = {
      {u"dd/mm/yyyy", TYearDigits::dyDefault, "DD/MM/YYYY", "!99/99/9999;1; "},
      {u"dd/mm/yyyy", TYearDigits::dyTwo, "DD/MM/YY", "!99/99/99;1; "},
      {u"M/d/yyyy", TYearDigits::dyFour, "MM/DD/YYYY", "!99/99/9999;1; "},
      {u"yyyy-MM-dd", TYearDigits::dyFour, "YYYY/MM/DD", "!9999/99/99;1; "},
      {u"yy/MM/dd", TYearDigits::dyTwo, "YY/MM/DD", "!99/99/99;1; "},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(U8(DateEditFormat(c.Digits, c.ShortDate)), c.Format) << U8(c.ShortDate);
    EXPECT_EQ(U8(DateEditMask(c.Digits, c.ShortDate, u' ')), c.Mask) << U8(c.ShortDate);
  }
  EXPECT_EQ(U8(DateEditMask(TYearDigits::dyFour, u"dd/mm/yyyy", u'_')), "!99/99/9999;1;_");
}

TEST(RxToolEditDateText, BlankTextsAndRangeMessages) {
  EXPECT_FALSE(HasDateText(u"  /  /    ", u' ', u'/'));
  EXPECT_FALSE(HasDateText(u"__/__/____", u'_', u'/'));
  EXPECT_FALSE(HasDateText(u"", u' ', u'/'));
  EXPECT_TRUE(HasDateText(u"2 /  /    ", u' ', u'/'));

  const TDateTime lo = EncodeDate(2026, 3, 1), hi = EncodeDate(2026, 3, 31);
  EXPECT_EQ(U8(DateRangeMessage(EncodeDate(2026, 2, 10), lo, hi, u"DD/MM/YYYY")),
            "'10/02/2026' - invalid date. Value must be between '01/03/2026' and '31/03/2026'");
  EXPECT_EQ(U8(DateRangeMessage(EncodeDate(2026, 2, 10), lo, EmptyDate, u"DD/MM/YYYY")),
            "'10/02/2026' - invalid date. Value must be greater than '01/03/2026'");
  EXPECT_EQ(U8(DateRangeMessage(EncodeDate(2026, 4, 10), EmptyDate, hi, u"DD/MM/YY")),
            "'10/04/26' - invalid date. Value must be less than '31/03/26'");
  EXPECT_EQ(U8(DateRangeMessage(EncodeDate(2026, 3, 10), lo, hi, u"DD/MM/YYYY")), "");
  EXPECT_EQ(U8(DateRangeMessage(EmptyDate, lo, hi, u"DD/MM/YYYY")), "");
}
