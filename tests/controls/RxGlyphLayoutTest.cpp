#include "controls/RxGlyphLayout.h"

#include <gtest/gtest.h>

TEST(RxGlyphLayout, PlacesGlyphAndCaptionForEachLayout) {
  struct Case {
    const char* Name;
    TRect Client;
    TSize Glyph;
    TSize Text;
    TButtonLayout Layout;
    int Margin;
    int Spacing;
    bool Mark;
    TPoint GlyphPos;
    TRect TextBounds;
  };
  const Case cases[] = {
      // Glyph alone: no text, so no spacing; centred by the margin.
      {"top, glyph only", Rect(0, 0, 25, 25), {16, 16}, {0, 0}, blGlyphTop, -1, 1, false,
       {4, 4}, Rect(12, 20, 12, 20)},
      // A caption clipped to the 9 pixels under the glyph fills the height.
      {"top, both computed", Rect(0, 0, 25, 25), {16, 16}, {20, 9}, blGlyphTop, -1, -1, false,
       {4, 0}, Rect(2, 16, 22, 25)},
      {"left, spacing 1", Rect(0, 0, 100, 30), {16, 16}, {40, 13}, blGlyphLeft, -1, 1, false,
       {22, 7}, Rect(39, 9, 79, 22)},
      {"right, spacing 1", Rect(0, 0, 100, 30), {16, 16}, {40, 13}, blGlyphRight, -1, 1, false,
       {62, 7}, Rect(21, 9, 61, 22)},
      {"bottom, both computed", Rect(0, 0, 40, 60), {16, 16}, {30, 13}, blGlyphBottom, -1, -1,
       false, {12, 34}, Rect(5, 11, 35, 24)},
      {"left, margin 4", Rect(0, 0, 100, 30), {16, 16}, {40, 13}, blGlyphLeft, 4, -1, false,
       {4, 7}, Rect(40, 9, 80, 22)},
      {"left, both given", Rect(0, 0, 100, 30), {16, 16}, {40, 13}, blGlyphLeft, 3, 5, false,
       {3, 7}, Rect(24, 9, 64, 22)},
      {"caption only", Rect(0, 0, 100, 30), {0, 0}, {40, 13}, blGlyphLeft, -1, 1, false,
       {30, 15}, Rect(30, 9, 70, 22)},
      // The mark follows the caption on the left layout...
      {"left, mark", Rect(0, 0, 100, 30), {16, 16}, {40, 13}, blGlyphLeft, -1, 1, true,
       {17, 7}, Rect(34, 9, 83, 22)},
      // ... and the glyph on the others.
      {"top, mark", Rect(0, 0, 25, 25), {16, 16}, {0, 0}, blGlyphTop, -1, 1, true, {1, 4},
       Rect(12, 20, 12, 20)},
      {"offset client", Rect(10, 20, 35, 45), {16, 16}, {0, 0}, blGlyphTop, -1, 1, false,
       {14, 24}, Rect(22, 40, 22, 40)},
  };
  for (const Case& c : cases) {
    const TGlyphTextPlacement p =
        ArrangeGlyphAndText(c.Client, c.Glyph, c.Text, c.Layout, c.Margin, c.Spacing, c.Mark);
    EXPECT_EQ(c.GlyphPos.X, p.GlyphPos.X) << c.Name;
    EXPECT_EQ(c.GlyphPos.Y, p.GlyphPos.Y) << c.Name;
    EXPECT_EQ(c.TextBounds.Left, p.TextBounds.Left) << c.Name;
    EXPECT_EQ(c.TextBounds.Top, p.TextBounds.Top) << c.Name;
    EXPECT_EQ(c.TextBounds.Right, p.TextBounds.Right) << c.Name;
    EXPECT_EQ(c.TextBounds.Bottom, p.TextBounds.Bottom) << c.Name;
  }
}

TEST(RxGlyphLayout, CaptionAreaLeavesRoomForGlyphMarginSpacingAndMark) {
  EXPECT_EQ(TSize(25, 9), CaptionArea({25, 25}, {16, 16}, blGlyphTop, -1, -1, false));
  EXPECT_EQ(TSize(25, 6), CaptionArea({25, 25}, {16, 16}, blGlyphBottom, 2, 1, false));
  EXPECT_EQ(TSize(75, 30), CaptionArea({100, 30}, {16, 16}, blGlyphLeft, -1, -1, true));
  EXPECT_EQ(TSize(72, 30), CaptionArea({100, 30}, {16, 16}, blGlyphRight, 2, 1, true));
  EXPECT_EQ(TSize(0, 10), CaptionArea({10, 10}, {16, 16}, blGlyphLeft, -1, -1, false));
}

TEST(RxGlyphLayout, ShortenCaptionCutsEachLineWithEllipsis) {
  const auto width = [](const String& s) { return static_cast<int>(s.size()) * 6; };
  EXPECT_EQ(u"Hel...", ShortenCaption(u"Hello world", 40, false, width));
  EXPECT_EQ(u"Hello world", ShortenCaption(u"Hello world", 66, false, width));
  EXPECT_EQ(u"Hello w...", ShortenCaption(u"Hello world", 65, false, width));
  EXPECT_EQ(u"ab\r\nHel...", ShortenCaption(u"ab\r\nHello world", 40, false, width));
  EXPECT_EQ(u"Hello world", ShortenCaption(u"Hello world", 40, true, width));
  EXPECT_EQ(u"x", ShortenCaption(u"  x", 40, false, width));
  EXPECT_EQ(u"...", ShortenCaption(u"Hello", 0, false, width));
  EXPECT_EQ(u"", ShortenCaption(u"", 10, false, width));
}
