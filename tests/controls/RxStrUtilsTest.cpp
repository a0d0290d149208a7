#include "controls/RxResConst.h"
#include "controls/RxStrUtils.h"

#include <gtest/gtest.h>

TEST(RxStrUtils, WildcardMatching) {
  struct Case {
    const char16_t* Input;
    const char16_t* Mask;
    bool IgnoreCase;
    bool Matches;
  };
  const Case cases[] = {
      {u"TForm1.Grid", u"TForm1.*", false, true},
      {u"TForm10", u"TForm1.*", false, false},
      {u"TForm1", u"TForm1.*", false, true},  // the rest of the mask ends with "*"
      {u"tform1.x", u"TForm1.*", true, true},
      {u"tform1.x", u"TForm1.*", false, false},
      {u"ab", u"a*ab", false, false},
      {u"aab", u"a*ab", false, true},
      {u"abcbcd", u"a*bc*d", false, true},
      {u"abcbce", u"a*bc*d", false, false},
      {u"abc", u"abc?*", false, true},
      {u"abc", u"abc*d", false, false},
      {u"abc", u"abc", false, true},
      {u"", u"", false, true},  // equal texts
      {u"", u"a", false, false},
      {u"a", u"", false, false},
      {u"anything", u"*", false, true},
      {u"", u"*", false, true},
      {u"anything", u"***", false, true},
      {u"abc", u"a**c", false, true},
      {u"abc", u"a?c", false, true},
      {u"abbc", u"a?c", false, false},
      {u"ac", u"a?c", false, false},
      {u"abc", u"?b?", false, true},
      {u"abc", u"*c", false, true},
      {u"abc", u"*b", false, false},
      {u"xaybzc", u"*a*b*c", false, true},
      {u"xaybz", u"*a*b*c", false, false},
      {u"file.txt", u"*.t?t", false, true},
      {u"FILE.TXT", u"*.t?t", true, true},
      {u"a*xb", u"a*b", false, true},  // a star in the input is only a character
      {u"Movimentos", u"mov*", true, true},
      {u"Movimentos", u"mov*", false, false},
      {u"ação", u"AÇ*", true, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.Matches, MatchMask(c.Input, c.Mask, c.IgnoreCase))
        << StringToUtf8(c.Input) << " ~ " << StringToUtf8(c.Mask) << " ignoreCase="
        << c.IgnoreCase;
  }
}

TEST(RxResConst, LibraryTextsByNumber) {
  EXPECT_EQ(u"Browse", LibraryText(1));
  EXPECT_EQ(u"Select a Date", LibraryText(SDateDlgTitle));
  EXPECT_EQ(u"Next Year|", LibraryText(SNextYear));
  EXPECT_EQ(u"Previous Month|", LibraryText(SPrevMonth));
  EXPECT_EQ(u"'%s' - invalid date. Value must be between '%s' and '%s'",
            LibraryText(SDateOutOfRange));
  EXPECT_EQ(u"Delete all selected records?", LibraryText(SDeleteMultipleRecords));
  EXPECT_EQ(u"Button Face", LibraryText(142));
  EXPECT_EQ(u"Gray Text", LibraryText(144));
  EXPECT_EQ(u"Cannot set this property value while Position is bpAuto", LibraryText(160));
  EXPECT_EQ(u"Button Shadow", LibraryText(173));
  EXPECT_EQ(u"", LibraryText(143));
  EXPECT_EQ(u"", LibraryText(0));
  EXPECT_EQ(u"", LibraryText(161));
  EXPECT_EQ(u"", LibraryText(-1));
  int count = 0;
  for (int n = 0; n <= 400; ++n) count += LibraryText(n).empty() ? 0 : 1;
  EXPECT_EQ(160, count);
}
