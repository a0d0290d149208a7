// Gradient bands on their rows and columns, and mixed with a texture.
#include "skin/SkinTestSupport.h"
#include "skin/graphics/Gradients.h"
#include "skin/graphics/Pixels32.h"
#include <gtest/gtest.h>

namespace {
TsGradPie Band(TColor c1, TColor c2, int percent, int mode) {
  TsGradPie b;
  b.Color1 = c1;
  b.Color2 = c2;
  b.Percent = static_cast<TPercent>(percent);
  b.Mode1 = mode;
  return b;
}
uint32_t Px(TColor c) { return ColorToPixel(static_cast<uint32_t>(c)) | 0xFF000000u; }
}  // namespace

TEST(SkinGradients, BandsLandOnTheirRows) {
  struct Case {
    const char* Name;
    TsGradArray Bands;
    TPoint At;
    uint32_t Want;
  } cases[] = {
      {"first band starts at row 0", {Band(0x0000FF, 0x00FF00, 50, 0), Band(0x00FF00, 0xFF0000, 50, 0)}, {3, 0}, Px(0x0000FF)},
      {"row 50 shows the second band's first colour", {Band(0x0000FF, 0x00FF00, 50, 0), Band(0x00FF00, 0xFF0000, 50, 0)}, {3, 50}, Px(0x00FF00)},
      {"last row is the last band's second colour", {Band(0x0000FF, 0x00FF00, 50, 0), Band(0x00FF00, 0xFF0000, 50, 0)}, {3, 99}, Px(0xFF0000)},
      {"equal colours fill with alpha 255", {Band(0x123456, 0x123456, 100, 0)}, {7, 77}, Px(0x123456)},
      {"horizontal: every row alike", {Band(0x000000, 0x0000FF, 100, 1)}, {9, 90}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    auto bmp = ToBitmap(TPixels(10, 100, 0));
    PaintGrad(*bmp, TRect(0, 0, 10, 100), c.Bands);
    const TPixels got = FromBitmap(*bmp);
    if (c.Bands[0].Mode1 == 1) {
      for (int y = 1; y < 100; ++y) ASSERT_EQ(got.At(c.At.X, y), got.At(c.At.X, 0));
      EXPECT_EQ(got.At(0, 0), Px(0));
      EXPECT_GE(Ch(got.At(9, 0), 2), 254);
    } else {
      for (int k = 0; k < 4; ++k) EXPECT_NEAR(Ch(got.At(c.At.X, c.At.Y), k), Ch(c.Want, k), 1);
    }
  }
}

TEST(SkinGradients, TextureTilesFromTheOrigin) {
  TPixels tex(10, 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) tex.At(x, y) = 0xFF000000u | static_cast<uint32_t>(x * 20) << 8 | static_cast<uint32_t>(y * 20);
  auto texture = ToBitmap(tex);
  for (int mode : {0, 1}) {
    SCOPED_TRACE(mode);
    auto bmp = ToBitmap(TPixels(30, 30, 0));
    PaintGradOverTexture(*bmp, TRect(0, 0, 30, 30), {Band(0x808080, 0x808080, 100, mode)}, *texture, TRect(), 255, 200);
    const TPixels got = FromBitmap(*bmp);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) ASSERT_EQ(got.At(x, y), got.At(x + 10, y + 10)) << x << "," << y;
    EXPECT_EQ(got.At(0, 0) >> 24, 200u);
    // A texture origin outside the texture is cut to it, not read before it.
    PaintGradOverTexture(*bmp, TRect(0, 0, 30, 30), {Band(0x808080, 0x808080, 100, mode)}, *texture, TRect(-5, -5, 5, 5), 128, 255);
  }
}

TEST(SkinGradients, FourCornersWhenBound) {
  ASSERT_TRUE(GradientFillBound());
  auto bmp = ToBitmap(TPixels(40, 40, 0));
  PaintGrad(*bmp, TRect(0, 0, 40, 40), {Band(0x0000FF, 0, 0, 2), Band(0x00FF00, 0, 0, 2), Band(0xFF0000, 0, 0, 2)});
  const TPixels got = FromBitmap(*bmp);
  // The top-right and both bottom vertices take band 2's blue.
  for (TPoint p : {TPoint(39, 0), TPoint(39, 39), TPoint(0, 39)}) EXPECT_GT(Ch(got.At(p.X, p.Y), 0), 200);
  EXPECT_GT(Ch(got.At(0, 0), 2), 200);
}

TEST(SkinGradients, TextureMixMatchesTheScalarRule) {
  const TPixels tex = RandomImage(7, 5, 11);
  auto texture = ToBitmap(tex);
  for (int mode : {0, 1}) {
    SCOPED_TRACE(mode);
    auto bmp = ToBitmap(TPixels(40, 12, 0));
    // Offset from the bitmap's origin, so tiles start mid-texture.
    PaintGradOverTexture(*bmp, TRect(3, 2, 40, 12), {Band(0x3366CC, 0x3366CC, 100, mode)}, *texture, TRect(), 90, 250);
    const TPixels got = FromBitmap(*bmp);
    const uint32_t g = ColorToPixel(0x3366CC);
    for (int y = 2; y < 12; ++y)
      for (int x = 3; x < 40; ++x) {
        const uint32_t tp = tex.At(x % 7, y % 5);
        uint32_t want = 250u << 24;
        for (int k = 0; k < 3; ++k)
          want |= static_cast<uint32_t>((Ch(tp, k) * 90 + Ch(g, k) * (256 - 90)) >> 8) << (8 * k);
        ASSERT_EQ(got.At(x, y), want) << x << "," << y;
      }
  }
}
