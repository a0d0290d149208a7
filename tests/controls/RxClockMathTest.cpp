#include "controls/RxClockMath.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(RxClockMath, HandTablePointsAroundTheDial) {
  const THandTable& t = BaseHandTable();
  EXPECT_EQ(TPoint(0, -7999), t[0]);    // twelve o'clock
  EXPECT_EQ(TPoint(8000, 0), t[15]);    // three
  EXPECT_EQ(TPoint(0, 7999), t[30]);    // six
  EXPECT_EQ(TPoint(-7999, 0), t[45]);   // nine
  EXPECT_EQ(TPoint(6928, 4000), t[20]);
  EXPECT_EQ(TPoint(-4000, 6928), t[35]);
  EXPECT_EQ(TPoint(-6928, 3999), t[40]);
  for (int i = 0; i < 60; ++i) {
    const double r = std::hypot(t[i].X, t[i].Y);
    EXPECT_NEAR(8000.0, r, 2.0) << i;
  }

  TScreenMetrics tall;  // pixels twice as high as wide: half the rows
  tall.HorzPer100mm = 400;
  tall.VertPer100mm = 200;
  const THandTable scaled = ScaledHandTable(tall);
  EXPECT_EQ(TPoint(8000, 0), scaled[15]);
  EXPECT_EQ(TPoint(0, 3999), scaled[30]);
  EXPECT_EQ(100, tall.ScaleToHorizontal(50));
}

TEST(RxClockMath, HandIndexesAndKites) {
  EXPECT_EQ(15, HourHandIndex({3, 0, 0}));
  EXPECT_EQ(18, HourHandIndex({3, 36, 0}));
  EXPECT_EQ(59, HourHandIndex({11, 59, 0}));

  const THandTable& t = BaseHandTable();
  // Minute hand at twelve: tip straight up at 80% of the radius, tail down.
  const THandKite minute = HandKite(t, {100, 100}, 50, 0, false);
  EXPECT_EQ(TPoint(100, 61), minute.Tip);  // 7999 * 40 / 8000 = 39
  EXPECT_EQ(TPoint(100, 109), minute.Tail);
  EXPECT_EQ(TPoint(102, 100), minute.SideA);
  EXPECT_EQ(TPoint(98, 100), minute.SideB);
  // Hour hand at three: tip to the right at 60%.
  const THandKite hour = HandKite(t, {100, 100}, 50, 15, true);
  EXPECT_EQ(TPoint(130, 100), hour.Tip);
  EXPECT_EQ(TPoint(94, 100), hour.Tail);  // -7999 * 7 / 8000 truncates to -6
  EXPECT_EQ(TPoint(100, 139), SecondHandEnd(t, {100, 100}, 50, 30));
}

TEST(RxClockMath, DotHighlightColour) {
  EXPECT_EQ(clBtnHighlight, DotHighlightColor(clRed));
  EXPECT_EQ(RGBColor(0, 255, 255), DotHighlightColor(RGBColor(0, 192, 192)));
  EXPECT_EQ(RGBColor(0, 255, 255), DotHighlightColor(clTeal));  // 128 + 127
  EXPECT_EQ(RGBColor(0, 0, 2), DotHighlightColor(RGBColor(0, 0, 131)));  // 131 + 127 wraps
}

TEST(RxClockMath, DigitalLayoutAndRedrawnCells) {
  TDigitalLayout l = DigitalLayout(9, true, true, false);
  EXPECT_EQ(u"hh:mm:ss", l.Format);
  EXPECT_EQ(8, l.Cells);
  const TRxClockTime shown{9, 5, 7};
  const TRxClockTime next{9, 5, 8};
  for (int cell = 1; cell <= 8; ++cell)
    EXPECT_EQ(cell == 7 || cell == 8, DigitalCellChanged(l, cell, shown, next)) << cell;
  for (int cell = 1; cell <= 8; ++cell)
    EXPECT_EQ(cell == 4 || cell == 5 || cell >= 7, DigitalCellChanged(l, cell, shown, {9, 6, 0}))
        << cell;  // separators only on a full paint

  l = DigitalLayout(9, false, true, false);
  EXPECT_EQ(u"h:mm:ss", l.Format);
  EXPECT_EQ(7, l.Cells);
  EXPECT_TRUE(DigitalCellChanged(l, 6, shown, next));
  EXPECT_FALSE(DigitalCellChanged(l, 5, shown, next));
  EXPECT_EQ(8, DigitalLayout(10, false, true, false).Cells);

  l = DigitalLayout(0, true, false, true);  // 00:30 in twelve-hour mode shows 12
  EXPECT_EQ(u"hh:mm ampm", l.Format);
  EXPECT_EQ(5, l.Cells);
  EXPECT_EQ(4, DigitalLayout(13, false, false, true).Cells);  // 1 PM, short layout
  EXPECT_EQ(5, DigitalLayout(0, false, false, true).Cells);   // 12 AM
}

TEST(RxClockMath, AlarmWindowAndFontFit) {
  const TDateTime alarm = EncodeTime(7, 30, 20, 0);
  EXPECT_FALSE(InAlarmWindow(alarm, EncodeTime(7, 30, 19, 999)));
  EXPECT_TRUE(InAlarmWindow(alarm, EncodeTime(7, 30, 20, 0)));
  EXPECT_TRUE(InAlarmWindow(alarm, EncodeTime(7, 30, 59, 0)));
  EXPECT_FALSE(InAlarmWindow(alarm, EncodeTime(7, 31, 0, 0)));
  EXPECT_FALSE(InAlarmWindow(alarm, EncodeTime(8, 30, 30, 0)));

  EXPECT_EQ(40, FitFontHeight(1000, 50, 2000));   // width allows 500, height 40
  EXPECT_EQ(25, FitFontHeight(50, 500, 2000));
  EXPECT_EQ(0, FitFontHeight(0, 50, 2000));
  EXPECT_EQ(0, FitFontHeight(50, -1, 2000));
}
