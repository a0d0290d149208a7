// Glyphs, nine-piece painting that builds alpha, and the border strips.
#include "PartFixture.h"
#include "skin/graphics/MaskGlyph.h"
#include "skin/graphics/MaskPaintAlpha.h"
#include <gtest/gtest.h>
#include <algorithm>

TEST(SkinMaskGlyph, FramesClippingAndModes) {
  TPart part(3, 16, 16, true, 0, 0, 0, 0, 0);
  struct Case {
    const char* Name;
    int X, State, Mode;
  } cases[] = {
      {"at (-3, 0) from frame column 3", -3, 0, 1},
      {"state 7 draws the last frame", 2, 7, 1},
      {"a negative state draws frame 0", 2, -1, 1},
      {"faded", 2, 1, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    auto bmp = ToBitmap(TPixels(20, 20, White));
    PaintMaskGlyph(*bmp, TPoint(c.X, 0), c.State, c.Mode, part.md, EmptyCacheInfo);
    const TPixels got = FromBitmap(*bmp);
    const int frame = std::clamp(c.State, 0, 2);
    int wrong = 0;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) {
        const int fx = x - c.X;
        uint32_t want = White;
        if (fx >= 0 && fx < 16 && y < 16) {
          const int sx = frame * 16 + fx;
          uint32_t m = MaskAt(sx, y);
          if (Ch(m, 2) != 255) {
            if (c.Mode != 1)
              for (int k = 0; k < 3; ++k)
                m = (m & ~(0xFFu << (8 * k))) | static_cast<uint32_t>(std::min(Ch(m, k) + 100, 255)) << (8 * k);
            want = Mix(White, Named(sx, y), m);
          }
        }
        if (got.At(x, y) != want && ++wrong < 4) ADD_FAILURE() << x << "," << y;
      }
    EXPECT_EQ(wrong, 0);
  }
}

TEST(SkinMaskGlyph, AlphaOfMaskedParts) {
  // On a clear target a masked part leaves alpha 255 - m, and key pixels
  // stay clear when nothing lies behind.
  TPart part(1, 12, 12, true, 3, 3, 3, 3, 4);
  part.Pixels.At(0, 0) = KeyPixel;
  part.Reload();
  auto bmp = ToBitmap(TPixels(24, 20, 0));
  PaintMaskRectAlpha(*bmp, TRect(0, 0, 24, 20), EmptyCacheInfo, part.md, 0);
  const TPixels got = FromBitmap(*bmp);
  EXPECT_EQ(got.At(0, 0) >> 24, 0u);
  for (TPoint p : {TPoint(1, 0), TPoint(5, 5), TPoint(23, 19)}) {
    const int sx = TiledSource(p.X, 24, 3, 3, 12), sy = TiledSource(p.Y, 20, 3, 3, 12);
    EXPECT_EQ(static_cast<int>(got.At(p.X, p.Y) >> 24), 255 - Ch(MaskAt(sx, sy), 2)) << p.X << "," << p.Y;
  }
}

TEST(SkinMaskGlyph, BorderStrips) {
  // Strips of 2 on margins of 5: whole 5 x 5 corners, 2-pixel strips, the
  // inside untouched; an unmasked part draws the whole image.
  for (bool masked : {true, false}) {
    SCOPED_TRACE(masked);
    TPart part(1, 15, 15, masked, 5, 5, 5, 5, 4);
    auto bmp = ToBitmap(TPixels(30, 30, 0xFF010203));
    PaintMaskBorders(*bmp, TRect(0, 0, 30, 30), EmptyCacheInfo, part.md, 0, TRect(2, 2, 2, 2), 255);
    const TPixels got = FromBitmap(*bmp);
    const uint32_t untouched = 0xFF010203;
    EXPECT_NE(got.At(4, 4), untouched);        // corner
    EXPECT_NE(got.At(1, 12), untouched);       // left strip
    EXPECT_NE(got.At(28, 12), untouched);      // right strip
    EXPECT_NE(got.At(12, 28), untouched);      // bottom strip
    EXPECT_EQ(got.At(3, 12) == untouched, masked);   // past the strip
    EXPECT_EQ(got.At(12, 12) == untouched, masked);  // centre
    if (!masked) {
      EXPECT_EQ(got.At(3, 12), Named(3, TiledSource(12, 30, 5, 5, 15)));
    }
  }
}
