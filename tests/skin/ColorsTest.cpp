// Colour functions, pixel walking, the disabled look, regions and shapes.
#include "SkinTestSupport.h"
#include "skin/graphics/ColorFuncs.h"
#include "skin/graphics/PixelEffects.h"
#include "skin/graphics/Pixels32.h"
#include "skin/graphics/Regions.h"
#include "skin/graphics/Shapes.h"
#include <gtest/gtest.h>

TEST(SkinColors, HueTurnsOnPrimariesAndGreys) {
  constexpr uint32_t red = 0x00FF0000, green = 0x0000FF00, blue = 0x000000FF;
  struct Row {
    int Degrees;
    uint32_t In, Out;
  };
  const Row rows[] = {
      {120, red, green},   {240, red, blue},    {360, red, red},   {-120, red, blue},     {-240, red, green},
      {120, green, blue},  {-120, blue, green}, {0, blue, blue},   {-360, green, green},  {120, 0xAA00FF00, 0xAA0000FF},
      {90, 0x00808080, 0x00808080}, {-200, 0, 0}, {45, 0x00FFFFFF, 0x00FFFFFF},
  };
  for (const auto& r : rows) EXPECT_EQ(ChangeHue(r.Degrees, r.In), r.Out) << r.Degrees << " " << std::hex << r.In;
  // On colours: red is the low byte.
  EXPECT_EQ(ShiftColorHue(120, 0x0000FF), 0x00FF00);
  EXPECT_EQ(ShiftColorHue(0, 0x123456), 0x123456);
}

TEST(SkinColors, SaturationOffsetMixAndTone) {
  struct Row {
    int Amount;
    int32_t In, Out;
  };
  const Row rows[] = {
      {-255, 0x00C08040, 0x00808080}, {255, 0x00A08060, 0x00C08040}, {0, 0x00A08060, 0x00A08060},
      {255, 0x00FF8000, 0x00FF8100}, {-128, 0x11A08060, 0x11908070},
  };
  for (const auto& r : rows) EXPECT_EQ(ChangeSaturation(r.Amount, r.In), r.Out) << r.Amount << std::hex << r.In;
  EXPECT_EQ(SaturateColor(0x123456, 0), 0x123456);
  EXPECT_EQ(OffsetColor(0x10F0F0, 32), 0x30FFFF);
  EXPECT_EQ(OffsetColor(0x7F102030, -40), 0x7F000008);
  EXPECT_EQ(BlendColorPair(0xFFFFFF, 0, 0.4), 0x666666);
  EXPECT_EQ(BlendColorPair(0x5A0000FF, 0x00FF0000, 0.5), 0x5A7F007F);
  EXPECT_EQ(ToneColor(0x00804020, 0x000000FF), 0x007F0000u);
  EXPECT_EQ(SwapColorChannels(0x112233), 0x332211u);
}

TEST(SkinColors, PixelWalkingAndGreyscale) {
  TPixels img(3, 1);
  img.At(0, 0) = 0x00FF00FF;  // skipped
  img.At(1, 0) = 0xFFFF00FF;  // processed
  img.At(2, 0) = 0x00102030;
  auto bmp = ToBitmap(img);
  ForEachPixel(bmp.get(), PixelOpaqueProc, 0, KeyColor);
  EXPECT_EQ(FromBitmap(*bmp).P, (std::vector<uint32_t>{0x00FF00FF, 0xFFFF00FF, 0xFF102030}));
  ForEachPixel(bmp.get(), PixelOffsetProc, 16);
  EXPECT_EQ(Pixel32(*bmp, 2, 0), 0xFF203040u);
  ForEachPixel(nullptr, PixelOpaqueProc, 0);

  auto grey = ToBitmap(img);
  GrayscaleBmpExcept(*grey, 0x00FF00FF);
  EXPECT_EQ(FromBitmap(*grey).P, (std::vector<uint32_t>{0x00FF00FF, 0xFFAAAAAA, 0x00202020}));
  GrayscaleBmp(*grey);
  EXPECT_EQ(Pixel32(*grey, 0, 0), 0x00AAAAAAu);
}

TEST(SkinColors, DisabledLookWithoutParentBitmap) {
  auto bmp = ToBitmap(TPixels(2, 1, 0xFF0000FF));
  SetPixel32(*bmp, 1, 0, 0x00FF00FF);
  TCacheInfo ci = EmptyCacheInfo;
  ci.FillColor = 0xFFFFFF;
  ApplyBmpEffects(*bmp, 3, nullptr, ci, TPoint());
  // Desaturated by 90 (the key spared), then moved 60 percent toward white.
  const uint32_t desaturated = static_cast<uint32_t>(ChangeSaturation(-90, 0xFF0000FF));
  uint32_t expected = 0xFF000000;
  for (int k = 0; k < 3; ++k)
    expected |= static_cast<uint32_t>(std::nearbyint(0.4 * Ch(desaturated, k) + 0.6 * 255)) << (8 * k);
  EXPECT_EQ(Pixel32(*bmp, 0, 0), expected);

  // With the parent's bitmap, 60 percent of it.
  auto parent = ToBitmap(TPixels(4, 4, 0xFF646464));
  auto own = ToBitmap(TPixels(2, 2, 0xFF000000));
  ApplyBmpEffects(*own, 1, nullptr, TCacheInfo{parent.get(), 1, 1, KeyColor, TRect(), true}, TPoint(1, 1));
  EXPECT_EQ(Pixel32(*own, 1, 1), 0xFF3C3C3Cu);
}

TEST(SkinRegions, RegionFromBmpCoversExactlyTheOtherPixels) {
  TPixels img = RandomImage(13, 9, 31);
  img.At(2, 0) = 0x00FFFFFF;  // the colour with alpha 0 matches
  img.At(3, 0) = 0x80FFFFFF;  // with another alpha it does not
  auto bmp = ToBitmap(img);
  HRGN region = nullptr;
  RegionFromBmp(region, *bmp, 0xFF00FF);
  ASSERT_NE(region, nullptr);
  for (int y = 0; y < img.H; ++y)
    for (int x = 0; x < img.W; ++x) EXPECT_EQ(PtInRegion(region, x, y) != 0, img.At(x, y) != 0x00FF00FF) << x << "," << y;
  EXPECT_FALSE(PtInRegion(region, 13, 0));
  DeleteObject(region);

  TAOR rects;
  TPixels row(4, 1, 0x00FFFFFF);
  row.At(2, 0) = 0;
  CollectColorRects(rects, *ToBitmap(row), 0xFFFFFF);
  EXPECT_EQ(rects, (TAOR{TRect(0, 0, 2, 1), TRect(3, 0, 4, 1)}));
}

namespace {
TsSkinModel* gModel = nullptr;
TsSkinModel* TestModel(TsSkinManager*) { return gModel; }
}  // namespace

TEST(SkinRegions, KeyRectsOfImagePartCorners) {
  // One part of two 6 x 4 frames over their masks; corner key pixels at the
  // top left and bottom right of frame 0.
  TsSkinModel model;
  TPixels master(12, 8, 0xFF808080);
  master.At(0, 0) = master.At(1, 0) = master.At(0, 1) = 0x00FF00FF;
  master.At(5, 3) = 0x00FF00FF;
  model.MasterBitmap = ToBitmap(master);
  TsMaskData md;
  md.R = TRect(0, 0, 12, 8);
  md.ImageCount = 2;
  md.MaskType = 1;
  md.WL = md.WT = md.WR = md.WB = 2;
  md.Manager = reinterpret_cast<TsSkinManager*>(&model);
  TAOR rects;
  CollectKeyRects(rects, 20, md, 5, false);
  EXPECT_TRUE(rects.empty());  // no manager model yet
  gModel = &model;
  ModelOfManager = TestModel;
  CollectKeyRects(rects, 20, md, 5, false);
  EXPECT_EQ(rects, (TAOR{TRect(0, 5, 2, 6), TRect(0, 6, 1, 7)}));
  rects.clear();
  CollectKeyRects(rects, 20, md, 30, true);
  EXPECT_EQ(rects, (TAOR{TRect(19, 31, 20, 32)}));
  ModelOfManager = nullptr;
  gModel = nullptr;
}

TEST(SkinShapes, ArrowsFramesAndShadow) {
  auto bmp = ToBitmap(TPixels(16, 16, 0));
  DrawSmallArrow(*bmp->Canvas(), 0xFFFFFF, TRect(0, 0, 16, 16), 4);
  GdiFlush();
  for (uint32_t p : FromBitmap(*bmp).P) ASSERT_EQ(p & 0xFFFFFF, 0u);
  DrawSmallArrow(*bmp->Canvas(), 0xFFFFFF, TRect(0, 0, 16, 16), 0);
  GdiFlush();
  const TPixels left = FromBitmap(*bmp);
  int lit = 0;
  for (uint32_t p : left.P) lit += (p & 0xFFFFFF) == 0xFFFFFF;
  EXPECT_EQ(lit, 16);
  EXPECT_EQ(left.At(6, 8) & 0xFFFFFF, 0xFFFFFFu);  // the tip
  EXPECT_EQ(left.At(9, 5) & 0xFFFFFF, 0xFFFFFFu);  // the base's top
  // Every direction draws 16 pixels with its tip and base where they belong.
  struct Arrow {
    int Direction;
    TPoint Tip, BaseEnd;
  };
  const Arrow arrows[] = {{0, {6, 8}, {9, 11}}, {1, {7, 5}, {10, 8}}, {2, {9, 8}, {6, 11}}, {3, {7, 8}, {10, 5}}};
  for (const auto& a : arrows) {
    auto canvas = ToBitmap(TPixels(16, 16, 0));
    DrawSmallArrow(*canvas->Canvas(), 0xFFFFFF, TRect(0, 0, 16, 16), a.Direction);
    GdiFlush();
    const TPixels out = FromBitmap(*canvas);
    int count = 0;
    for (uint32_t p : out.P) count += (p & 0xFFFFFF) == 0xFFFFFF;
    EXPECT_EQ(count, 16) << a.Direction;
    EXPECT_EQ(out.At(a.Tip.X, a.Tip.Y) & 0xFFFFFF, 0xFFFFFFu) << a.Direction;
    EXPECT_EQ(out.At(a.BaseEnd.X, a.BaseEnd.Y) & 0xFFFFFF, 0xFFFFFFu) << a.Direction;
  }

  auto dots = ToBitmap(TPixels(6, 6, 0));
  DrawDotFrame(*dots->Canvas(), TRect(0, 0, 6, 6), ColorNone, 0x0000FF);
  GdiFlush();
  EXPECT_EQ(Pixel32(*dots, 2, 0) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(Pixel32(*dots, 1, 0) & 0xFFFFFF, 0u);
  EXPECT_EQ(Pixel32(*dots, 0, 0) & 0xFFFFFF, 0u);

  auto frames = ToBitmap(TPixels(10, 10, 0));
  TRect r(0, 0, 10, 10);
  int count = 3;
  DrawNestedFrames(frames->Canvas()->Handle(), r, 0xFFFFFF, count, 0x808080);
  GdiFlush();
  EXPECT_EQ(r, TRect(3, 3, 7, 7));
  EXPECT_EQ(count, 0);
  EXPECT_EQ(Pixel32(*frames, 0, 0) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(Pixel32(*frames, 9, 9) & 0xFFFFFF, 0x808080u);
  EXPECT_EQ(Pixel32(*frames, 4, 4) & 0xFFFFFF, 0u);

  // A size beyond half the rectangle is cut; the middle is darkest.
  auto shadow = ToBitmap(TPixels(20, 12, 0xFFFFFFFF));
  PaintRoundShadow(*shadow, TRect(0, 0, 20, 12), 50, 0, 40, 4);
  const TPixels s = FromBitmap(*shadow);
  EXPECT_LT(Ch(s.At(10, 6), 0), Ch(s.At(10, 1), 0));
  EXPECT_LT(Ch(s.At(10, 1), 0), 255);
  // Outside the rounded edge the background stays.
  EXPECT_GE(Ch(s.At(0, 0), 0), 254);
}
