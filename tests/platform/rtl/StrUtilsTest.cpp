#include "platform/rtl/StrUtils.h"

#include <gtest/gtest.h>

TEST(StrUtils, CopyAndPosCountFromOneAndClampAtTheEdges) {
  const String s = u"abcdef";
  EXPECT_EQ(Copy(s, 2, 3), u"bcd");
  EXPECT_EQ(Copy(s, 0, 2), u"ab");
  EXPECT_EQ(Copy(s, -5, 3), u"abc");
  EXPECT_EQ(Copy(s, 6, 5), u"f");
  EXPECT_EQ(Copy(s, 7, 1), u"");
  EXPECT_EQ(Copy(s, 1, -1), u"");
  EXPECT_EQ(LeftStr(s, 10), s);
  EXPECT_EQ(RightStr(s, 2), u"ef");
  EXPECT_EQ(RightStr(s, 0), u"");

  EXPECT_EQ(Pos(u"a", s), 1);
  EXPECT_EQ(Pos(u"ef", s), 5);
  EXPECT_EQ(Pos(u"x", s), 0);
  EXPECT_EQ(Pos(u"", s), 0);
  EXPECT_EQ(Pos(u'a', u"banana", 3), 4);
  EXPECT_EQ(Pos(u"na", u"banana", 6), 0);
  EXPECT_EQ(Length(s), 6);
}

TEST(StrUtils, DeleteAndInsertIgnoreOrClampBadIndexes) {
  String s = u"abcdef";
  Delete(s, 2, 2);
  EXPECT_EQ(s, u"adef");
  Delete(s, 0, 1);
  EXPECT_EQ(s, u"adef");
  Delete(s, 4, 10);
  EXPECT_EQ(s, u"ade");
  Delete(s, 4, 1);
  EXPECT_EQ(s, u"ade");

  Insert(u"XY", s, 2);
  EXPECT_EQ(s, u"aXYde");
  Insert(u"<", s, 0);
  EXPECT_EQ(s, u"<aXYde");
  Insert(u">", s, 100);
  EXPECT_EQ(s, u"<aXYde>");
}

TEST(StrUtils, TrimAndCase) {
  EXPECT_EQ(Trim(u" \t ab c \r\n"), u"ab c");
  EXPECT_EQ(TrimLeft(u"  x "), u"x ");
  EXPECT_EQ(TrimRight(u"  x "), u"  x");
  EXPECT_EQ(Trim(u"   "), u"");
  // The plain routines touch ASCII only; the Ansi ones accented letters too.
  EXPECT_EQ(UpperCase(u"a\u00E7\u00E3o"), u"A\u00E7\u00E3O");
  EXPECT_EQ(LowerCase(u"\u00C7AB"), u"\u00C7ab");
  EXPECT_EQ(AnsiUpperCase(u"a\u00E7\u00E3o s\u00E3o jos\u00E9 \u00FF"), u"A\u00C7\u00C3O S\u00C3O JOS\u00C9 \u0178");
  EXPECT_EQ(AnsiLowerCase(u"\u00C1\u00C9\u00CD\u00D3\u00DA\u00C7\u00D5 \u00D7"), u"\u00E1\u00E9\u00ED\u00F3\u00FA\u00E7\u00F5 \u00D7");
}

TEST(StrUtils, QuotingAndReplacing) {
  EXPECT_EQ(QuotedStr(u"O'Brien"), u"'O''Brien'");
  EXPECT_EQ(QuotedStr(u""), u"''");
  EXPECT_EQ(QuotedStr(u"'"), u"''''");
  EXPECT_EQ(StringOfChar(u'0', 3), u"000");
  EXPECT_EQ(StringOfChar(u'0', -1), u"");

  EXPECT_EQ(StringReplace(u"1.234,56", u",", u"."), u"1.234.56");
  EXPECT_EQ(StringReplace(u"a,b,c", u",", u";"), u"a;b,c");
  EXPECT_EQ(StringReplace(u"a,b,c", u",", u"", rfReplaceAll), u"abc");
  EXPECT_EQ(StringReplace(u"Ab ab AB", u"ab", u"x", {rfReplaceAll, rfIgnoreCase}), u"x x x");
  EXPECT_EQ(StringReplace(u"A\u00C7\u00C3O a\u00E7\u00E3o", u"a\u00E7\u00E3o", u"-", rfReplaceAll | rfIgnoreCase),
            u"- -");
  // The replacement is not scanned again.
  EXPECT_EQ(StringReplace(u"aa", u"a", u"aa", rfReplaceAll), u"aaaa");
  EXPECT_EQ(StringReplace(u"abc", u"", u"x", rfReplaceAll), u"abc");
}

TEST(StrUtils, Comparisons) {
  EXPECT_TRUE(SameText(u"abc", u"ABC"));
  EXPECT_FALSE(SameText(u"abc", u"ABCD"));
  EXPECT_FALSE(SameText(u"\u00E7", u"\u00C7"));
  EXPECT_LT(CompareText(u"a", u"B"), 0);
  EXPECT_GT(CompareStr(u"a", u"B"), 0);
  EXPECT_EQ(CompareStr(u"ab", u"ab"), 0);
  EXPECT_LT(CompareStr(u"ab", u"abc"), 0);

  EXPECT_EQ(AnsiCompareText(u"Mar\u00E7o", u"MAR\u00C7O"), 0);
  EXPECT_TRUE(AnsiSameText(u"s\u00E3o", u"S\u00C3O"));
  // Accented letters sort with their base letter.
  EXPECT_GT(AnsiCompareText(u"a\u00E7\u00E3o", u"ACAO"), 0);
  EXPECT_LT(AnsiCompareText(u"a\u00E7\u00E3o", u"acap"), 0);
  EXPECT_LT(AnsiCompareText(u"\u00E9", u"f"), 0);

  EXPECT_TRUE(IsDigitString(u"0123"));
  EXPECT_FALSE(IsDigitString(u""));
  EXPECT_FALSE(IsDigitString(u"12a"));
}
