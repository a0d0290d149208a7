// Textures: the tiles, the rest each mode leaves, and parts without size.
#include "PartFixture.h"
#include "skin/graphics/Pixels32.h"
#include "skin/graphics/TexturePaint.h"
#include <gtest/gtest.h>

TEST(SkinTexture, ModesTilesAndRest) {
  TPart part(1, 10, 10, false, 0, 0, 0, 0, 0);
  struct Case {
    int Mode;
    TRect Rest;
    TPoint At;
    uint32_t Want;
  } cases[] = {
      {0, TRect(-1, -1, -1, -1), {25, 17}, Named(5, 7)},
      {2, TRect(0, 10, 30, 25), {25, 3}, Named(5, 3)},
      {3, TRect(10, 0, 30, 25), {3, 23}, Named(3, 3)},
      {6, TRect(0, 0, 30, 15), {13, 16}, Named(3, 1)},
      {7, TRect(0, 0, 20, 25), {29, 24}, Named(9, 4)},
      {10, TRect(-1, -1, -1, -1), {25, 22}, White},
      {9, TRect(20, 0, 30, 25), {29, 24}, Named(9, 4)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Mode);
    auto bmp = ToBitmap(TPixels(30, 25, White));
    TRect r(0, 0, 30, 25);
    PaintTexture(*bmp->Canvas(), r, nullptr, part.md, c.Mode);
    EXPECT_EQ(r, c.Rest);
    EXPECT_EQ(FromBitmap(*bmp).At(c.At.X, c.At.Y), c.Want);
  }
}

TEST(SkinTexture, PartsWithoutSizeDrawNothing) {
  // These used to loop forever; now they return and leave the target.
  TPart part(1, 10, 10, true, 0, 0, 0, 0, 0);
  TsMaskData empty = part.md;
  empty.R = TRect(0, 0, 0, 10);
  auto bmp = ToBitmap(TPixels(20, 20, White));
  TRect r(0, 0, 20, 20);
  PaintTexture(*bmp->Canvas(), r, nullptr, empty, 0);
  EXPECT_EQ(r, TRect(0, 0, 20, 20));
  empty.ImageCount = 0;
  PaintMaskedTexture(*bmp, r, EmptyCacheInfo, empty, 0);
  EXPECT_EQ(r, TRect(-1, -1, -1, -1));
  EXPECT_EQ(FromBitmap(*bmp).At(5, 5), White);
}

TEST(SkinTexture, MaskedModeTenShowsTheParentBeside) {
  TsSkinManager& sm = PartManager();
  TPart part(1, 8, 8, true, 0, 0, 0, 0, 0);
  sm.Model.MasterBitmap = ToBitmap(part.Pixels);
  TsMaskData md = part.md;
  md.Bmp = nullptr;
  TCacheInfo ci;
  ci.Ready = false;
  ci.FillColor = 0x00FF00;
  auto bmp = ToBitmap(TPixels(20, 20, White));
  TRect r(0, 0, 20, 20);
  PaintMaskedTexture(*bmp, r, ci, md, 10);
  const TPixels got = FromBitmap(*bmp);
  EXPECT_EQ(got.At(9, 9), Mix(White, Named(1, 1), MaskAt(1, 1)));
  EXPECT_EQ(got.At(17, 3), ColorToPixel(0x00FF00) | 0xFF000000u);
  EXPECT_EQ(got.At(3, 17), ColorToPixel(0x00FF00) | 0xFF000000u);
  sm.Model.MasterBitmap.reset();
}
