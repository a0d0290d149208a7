#include "controls/RxPickDateMonth.h"
#include "controls/RxToolEditLayout.h"

#include <gtest/gtest.h>

namespace {

const TSize kScreen(1280, 1024);

void ExpectPoint(TPoint p, int x, int y, const char* what) {
  EXPECT_EQ(p.X, x) << what;
  EXPECT_EQ(p.Y, y) << what;
}

}  // namespace

TEST(RxToolEditLayout, DropDownOpensBelowOrAboveAndStaysOnScreen) {
  const TSize popup(187, 124);
  // Right-aligned under an edit 121 wide: extends to the left.
  ExpectPoint(ComboPopupOrigin(Bounds(300, 200, 121, 21), popup, kScreen, TPopupAlign::epaRight),
              300 + 121 - 187, 221, "right aligned");
  // Near the left screen edge it goes back to the edit's left edge.
  ExpectPoint(ComboPopupOrigin(Bounds(20, 200, 121, 21), popup, kScreen, TPopupAlign::epaRight),
              20, 221, "left edge");
  // Near the bottom it opens above the edit.
  ExpectPoint(ComboPopupOrigin(Bounds(300, 950, 121, 21), popup, kScreen, TPopupAlign::epaRight),
              234, 950 - 124, "above");
  // Left-aligned near the right edge: right edges aligned, then kept on screen.
  ExpectPoint(ComboPopupOrigin(Bounds(1200, 200, 60, 21), popup, kScreen, TPopupAlign::epaLeft),
              1200 + 60 - 187, 221, "right edges aligned");
  ExpectPoint(ComboPopupOrigin(Bounds(100, 200, 121, 21), popup, kScreen, TPopupAlign::epaLeft),
              100, 221, "left aligned");
}

TEST(RxToolEditLayout, DateDialogSitsUnderItsAnchor) {
  const TSize dialog(228, 186), anchor(121, 21);
  ExpectPoint(DateDialogOrigin(TPoint(400, 300), anchor, dialog, kScreen), 400 + 121 - 228,
              320, "below, right edges aligned");
  ExpectPoint(DateDialogOrigin(TPoint(400, 900), anchor, dialog, kScreen), 293, 900 - 186 + 1,
              "above near the bottom");
  ExpectPoint(DateDialogOrigin(TPoint(1250, 300), TSize(200, 21), dialog, kScreen), 1280 - 228,
              320, "pushed left");
  ExpectPoint(DateDialogOrigin(TPoint(10, 300), TSize(60, 21), dialog, kScreen), 10, 320,
              "kept on the left");
}

TEST(RxToolEditLayout, ButtonHolderAndEllipsis) {
  EXPECT_EQ(ButtonHolderBounds(121, 21, 21, true, true, true), Bounds(96, 0, 21, 17));
  EXPECT_EQ(ButtonHolderBounds(121, 21, 21, true, false, true), Bounds(98, 2, 21, 17));
  EXPECT_EQ(ButtonHolderBounds(121, 21, 21, true, true, false), Bounds(100, 0, 21, 21));
  EXPECT_EQ(ButtonHolderBounds(121, 21, 21, false, true, true), Bounds(100, 0, 21, 21));

  const TEllipsisGlyphLayout g = EllipsisGlyphLayout(21);
  EXPECT_EQ(g.Width, 15);
  EXPECT_EQ(g.DotX[0], 1);  // gap 3, (15 - 6 - 6) div 2
  EXPECT_EQ(g.DotX[1], 6);
  EXPECT_EQ(g.DotX[2], 11);
  EXPECT_EQ(EllipsisGlyphLayout(3).Width, 1);
  EXPECT_EQ(EllipsisGlyphLayout(3).DotX[0], -3);  // gap 1, (1 - 6 - 2) div 2
}

TEST(RxToolEditLayout, NavigationButtonsFollowTheLimits) {
  const TDateTime minDate = EncodeDate(2026, 3, 10);
  TNavButtonsState s = NavButtonsEnabled(EncodeDate(2026, 3, 20), minDate, EmptyDate);
  EXPECT_FALSE(s.PrevYear);
  EXPECT_FALSE(s.PrevMonth);
  EXPECT_TRUE(s.NextMonth && s.NextYear);
  s = NavButtonsEnabled(EncodeDate(2026, 4, 20), minDate, EmptyDate);
  EXPECT_FALSE(s.PrevYear);
  EXPECT_TRUE(s.PrevMonth);
  s = NavButtonsEnabled(EncodeDate(2026, 11, 5), EmptyDate, EncodeDate(2026, 12, 1));
  EXPECT_TRUE(s.NextMonth);
  EXPECT_FALSE(s.NextYear);
  s = NavButtonsEnabled(EncodeDate(2026, 12, 5), EmptyDate, EncodeDate(2026, 12, 1));
  EXPECT_FALSE(s.NextMonth);
}
