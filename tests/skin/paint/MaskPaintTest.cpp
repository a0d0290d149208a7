// The nine-piece painter and its piece routines on parts whose pixels name
// their own source position, checked against a reference mapping.
#include "PartFixture.h"
#include "skin/support/TestSkinFixture.h"
#include "skin/graphics/MaskPaint.h"
#include "skin/graphics/Pixels32.h"
#include <gtest/gtest.h>

namespace {
struct TTileCase {
  const char* Name;
  int Frames, FW, FH, WL, WT, WR, WB, DrawMode, State;
  int W, H;
  int Frame;  // frame expected, -1 for nothing drawn
  int AWL, AWT, AWR, AWB;  // margins after adjustment
};

const TTileCase kTileCases[] = {
    {"margins 6 and 7 shrink to 5 and 5", 1, 20, 20, 6, 6, 7, 6, 4, 0, 10, 10, 0, 5, 5, 5, 5},
    {"tiles of 20 cover 50 as 20, 20, 10", 1, 30, 30, 5, 5, 5, 5, 4, 0, 60, 60, 0, 5, 5, 5, 5},
    {"state 7 of three frames paints frame 2", 3, 12, 12, 3, 3, 3, 3, 4, 7, 30, 20, 2, 3, 3, 3, 3},
    {"a negative state paints frame 0", 3, 12, 12, 3, 3, 3, 3, 4, -4, 30, 20, 0, 3, 3, 3, 3},
    {"mode bit 2 skips state 0", 2, 12, 12, 3, 3, 3, 3, 6, 0, 30, 20, -1, 3, 3, 3, 3},
    {"mode bit 2 draws state 1", 2, 12, 12, 3, 3, 3, 3, 6, 1, 30, 20, 1, 3, 3, 3, 3},
    {"a target 1 pixel high draws nothing", 1, 12, 12, 3, 3, 3, 3, 4, 0, 30, 1, -1, 3, 3, 3, 3},
    {"without mode bit 4 the centre is untouched", 1, 12, 12, 3, 3, 3, 3, 0, 0, 30, 20, 0, 3, 3, 3, 3},
};

void CheckTiled(const TTileCase& c, bool masked) {
  SCOPED_TRACE(std::string(c.Name) + (masked ? " (masked)" : ""));
  TPart part(c.Frames, c.FW, c.FH, masked, c.WL, c.WT, c.WR, c.WB, c.DrawMode);
  const int ox = 2, oy = 3;  // the target rectangle inside a larger bitmap
  auto bmp = ToBitmap(TPixels(c.W + 5, c.H + 6, White));
  PaintMaskRect(*bmp, TRect(ox, oy, ox + c.W, oy + c.H), EmptyCacheInfo, part.md, c.State, false);
  const TPixels got = FromBitmap(*bmp);
  int wrong = 0;
  for (int y = 0; y < got.H; ++y)
    for (int x = 0; x < got.W; ++x) {
      const int tx = x - ox, ty = y - oy;
      uint32_t want = White;
      const bool inside = tx >= 0 && ty >= 0 && tx < c.W && ty < c.H;
      const bool centre = tx >= c.AWL && tx < c.W - c.AWR && ty >= c.AWT && ty < c.H - c.AWB;
      if (c.Frame >= 0 && inside && (!centre || (c.DrawMode & 4))) {
        const int fx = TiledSource(tx, c.W, c.AWL, c.AWR, c.FW), fy = TiledSource(ty, c.H, c.AWT, c.AWB, c.FH);
        const uint32_t src = Named(c.Frame * c.FW + fx, fy);
        want = masked ? Mix(White, src, MaskAt(c.Frame * c.FW + fx, fy)) : src;
      }
      if (got.At(x, y) != want && ++wrong < 5)
        ADD_FAILURE() << "at " << x << "," << y << std::hex << " got " << got.At(x, y) << " want " << want;
    }
  EXPECT_EQ(wrong, 0);
}
}  // namespace

TEST(SkinMaskRect, TiledPiecesFollowTheFrameLayout) {
  for (const TTileCase& c : kTileCases) {
    CheckTiled(c, false);
    CheckTiled(c, true);
  }
}

TEST(SkinMaskRect, KeyPixelsOfSidesAndCorners) {
  // Magenta in an unmasked side is copied; in a corner it shows what lies
  // behind: CI's bitmap when ready and asked for, its fill colour when not
  // ready, else the target's own pixel.
  TPart part(1, 12, 12, false, 3, 3, 3, 3, 4);
  part.Pixels.At(0, 0) = KeyPixel;  // top-left corner
  part.Pixels.At(0, 5) = KeyPixel;  // left side
  part.Reload();
  auto parent = ToBitmap(TPixels(40, 40, 0xFF123456));
  struct Case {
    const char* Name;
    bool Ready, Update;
    int CornerType;
    uint32_t Corner;
  } cases[] = {
      {"ready, corners updated", true, true, 1, 0xFF123456},
      {"ready, UpdateCorners false", true, false, 1, White},
      {"ready, CornerType 0", true, true, 0, White},
      {"not ready takes the fill colour", false, false, 0, ColorToPixel(0x0000C0) & 0x00FFFFFF},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    part.md.CornerType = c.CornerType;
    TCacheInfo ci;
    ci.Ready = c.Ready;
    ci.Bmp = c.Ready ? parent.get() : nullptr;
    ci.FillColor = 0x0000C0;
    auto bmp = ToBitmap(TPixels(20, 20, White));
    PaintMaskRect(*bmp, TRect(0, 0, 20, 20), ci, part.md, 0, c.Update);
    const TPixels got = FromBitmap(*bmp);
    EXPECT_EQ(got.At(0, 0), c.Corner);
    EXPECT_EQ(got.At(0, 5), KeyPixel);
    EXPECT_EQ(got.At(1, 0), Named(1, 0));
  }
}

TEST(SkinMaskRect, MaskedSideWithoutSourceHeightIsSkipped) {
  // Top and bottom margins cover the frame: the masked sides have no rows to
  // tile and are left, the unmasked ones get one copy from the centre's top.
  for (bool masked : {false, true}) {
    TPart part(1, 12, 12, masked, 3, 6, 3, 6, 4);
    auto bmp = ToBitmap(TPixels(20, 30, White));
    PaintMaskRect(*bmp, TRect(0, 0, 20, 30), EmptyCacheInfo, part.md, 0, false);
    const TPixels got = FromBitmap(*bmp);
    EXPECT_EQ(got.At(0, 7), masked ? White : Named(0, 7)) << masked;
    EXPECT_EQ(got.At(0, 2), masked ? Mix(White, Named(0, 2), MaskAt(0, 2)) : Named(0, 2));
  }
}

TEST(SkinMaskRect, StretchedPieces) {
  // Stretching flat frames keeps their colours: unmasked through block
  // copies, masked through the resized image and mask.
  for (bool masked : {false, true}) {
    SCOPED_TRACE(masked);
    TPart part(1, 12, 12, masked, 3, 3, 3, 3, 5);
    for (auto& p : part.Pixels.P) p = (&p - part.Pixels.P.data()) < 12 * 12 ? 0xFF3060C0u : 0xFF000000u;
    part.Reload();
    auto bmp = ToBitmap(TPixels(40, 33, White));
    PaintMaskRect(*bmp, TRect(0, 0, 40, 33), EmptyCacheInfo, part.md, 0, false);
    const TPixels got = FromBitmap(*bmp);
    for (TPoint p : {TPoint(1, 1), TPoint(1, 20), TPoint(20, 1), TPoint(20, 16), TPoint(39, 32)})
      for (int k = 0; k < 3; ++k) EXPECT_NEAR(Ch(got.At(p.X, p.Y), k), Ch(0xFF3060C0u, k), 1) << p.X << "," << p.Y;
  }
}

TEST(SkinMaskPiece, OnePixelCentreAndRefusals) {
  struct Case {
    const char* Name;
    int X, Y;
    uint32_t Mask;
    uint32_t Want;
  } cases[] = {
      {"mask 0 fills with alpha 255", 1, 1, 0xFF000000, 0xFF204080},
      {"mask 255 leaves the target", 1, 1, 0xFFFFFFFF, 0x7F102030},
      {"mask 128 mixes, alpha kept", 1, 1, 0xFF808080, 0x7F183058},
      {"a negative origin is refused", -1, 1, 0xFF000000, 0x7F102030},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TPixels src(1, 2);
    src.At(0, 0) = 0xFF204080;
    src.At(0, 1) = c.Mask;
    auto s = ToBitmap(src);
    auto d = ToBitmap(TPixels(6, 6, 0x7F102030));
    StretchMaskPiece(c.X, c.Y, 3, 3, 0, 0, 1, 1, *d, *s, 1, true);
    EXPECT_EQ(FromBitmap(*d).At(2, 2), c.Want);
  }
}

TEST(SkinMaskPiece, MasterTileFillsKeyPixelsFromTheBackground) {
  TsSkinManager& sm = PartManager();
  TPixels master(8, 8);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) {
      master.At(x, y) = x == 0 ? KeyPixel : Named(x, y);
      master.At(x, y + 4) = MaskAt(x, y);
    }
  sm.Model.MasterBitmap = ToBitmap(master);
  TsMaskData md;
  md.Manager = &PartManager();
  md.R = TRect(0, 0, 8, 8);
  md.ImageCount = 1;
  md.MaskType = 1;
  auto parent = ToBitmap(TPixels(10, 10, 0xFF445566));
  struct Case {
    const char* Name;
    bool Ready;
    TColor Fill;
    uint32_t Key;
  } cases[] = {
      {"ready without fill colour takes the parent", true, KeyColor, 0xFF445566},
      {"ready with a fill colour takes it", true, 0x0000FF, ColorToPixel(0x0000FF)},
      {"not ready takes the fill colour", false, 0x00FF00, ColorToPixel(0x00FF00)},
      {"not ready without fill colour leaves it", false, KeyColor, White},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TCacheInfo ci;
    ci.Ready = c.Ready;
    ci.Bmp = parent.get();
    ci.FillColor = c.Fill;
    auto d = ToBitmap(TPixels(6, 6, White));
    CopyMasterTileByMask(TRect(1, 1, 6, 6), TRect(0, 0, 8, 4), *d, ci, md);
    const TPixels got = FromBitmap(*d);
    EXPECT_EQ(got.At(1, 2), c.Key);
    EXPECT_EQ(got.At(3, 2), Mix(White, Named(2, 1), MaskAt(2, 1)));
    EXPECT_EQ(got.At(3, 5), White);  // below the four image rows
  }
  sm.Model.MasterBitmap.reset();
}

TEST(SkinMaskRect, TestSkinButtonFrames) {
  // BUTTON's borders: left third of the mask opaque, right third clear.
  for (int variant : {0, 1}) {
    auto sm = NewTestSkinManager();
    ASSERT_EQ(LoadSkinCountingBoxes(*sm, variant ? u"TestSkinB" : u"TestSkin"), 0);
    const int i = sm->GetMaskIndex(u"BUTTON", u"BORDERSMASK");
    ASSERT_GE(i, 0);
    const TsMaskData& md = sm->Model.ma[static_cast<size_t>(i)];
    const TTestSkinColors colors = TestSkinColorsOf(variant);
    for (int state = 0; state < 3; ++state) {
      auto bmp = ToBitmap(TPixels(40, 30, White));
      PaintMaskRect(*bmp, TRect(0, 0, 40, 30), EmptyCacheInfo, md, state, false);
      const TPixels got = FromBitmap(*bmp);
      EXPECT_EQ(got.At(2, 15) & 0xFFFFFF, ColorToPixel(static_cast<uint32_t>(colors.ButtonFrames[state])));
      for (int k = 0; k < 3; ++k) EXPECT_GE(Ch(got.At(38, 15), k), 254);  // a clear mask keeps 255/256
    }
  }
}
