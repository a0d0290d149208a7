#include "skin/graphics/BilinearStretch.h"
#include "skin/engine/AnimFrames.h"
#include "skin/graphics/Bitmaps32.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <random>
#include <string>

namespace {

std::unique_ptr<TBitmap> Noise32(int width, int height, unsigned seed) {
  auto bmp = NewBmp32(width, height);
  TPixelRows rows(bmp.get());
  std::mt19937 rng(seed);
  // Smooth runs beside single outliers, on all four bytes.
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      uint32_t p = 0;
      for (int c = 0; c < 4; ++c) p |= uint32_t(rng() % 3 ? (x * 29 + y * 13 + c * 70) & 0xFF : rng() & 0xFF) << 8 * c;
      rows.At(x, y) = p;
    }
  return bmp;
}

uint8_t Byte(uint32_t p, int c) { return static_cast<uint8_t>(p >> 8 * c); }

// Byte c of the target pixel (x, y) of a width x height rectangle: pixel
// centres matched, positions held to the source, the four neighbours
// weighed linearly, all in double.
double Bilinear(const TPixelRows& src, int width, int height, int x, int y, int c) {
  auto position = [](int i, int target, int source) {
    return std::clamp((i + 0.5) * source / target - 0.5, 0.0, source - 1.0);
  };
  const double sx = position(x, width, src.Width()), sy = position(y, height, src.Height());
  const int x0 = static_cast<int>(sx), y0 = static_cast<int>(sy);
  const int x1 = std::min(x0 + 1, src.Width() - 1), y1 = std::min(y0 + 1, src.Height() - 1);
  const double fx = sx - x0, fy = sy - y0;
  auto row = [&](int sy) { return Byte(src.At(x0, sy), c) * (1 - fx) + Byte(src.At(x1, sy), c) * fx; };
  return row(y0) * (1 - fy) + row(y1) * fy;
}

struct TStretchCase {
  int SrcWidth, SrcHeight;
  TRect Target;  // in a 24 x 20 frame
};

// Weights in 1/256 and a rounding after each pass: within 2 of the exact
// value (one from the rows, one from the columns).
TEST(BilinearStretch, MatchesADoublePrecisionReferenceAtEveryScale) {
  const TStretchCase cases[] = {
      {16, 12, TRect(0, 0, 16, 12)},    // 1:1
      {16, 16, TRect(2, 2, 16, 16)},    // 7/8, the zoom's middle frame
      {16, 12, TRect(2, 1, 14, 10)},    // 3/4
      {16, 12, TRect(0, 0, 8, 6)},      // 1/2
      {13, 7, TRect(3, 5, 14, 10)},     // odd sizes, 11/13 x 5/7
      {23, 19, TRect(1, 1, 2, 2)},      // one pixel
      {5, 3, TRect(1, 2, 10, 9)},       // growing
      {1, 1, TRect(2, 2, 5, 6)},        // a single source pixel
      {1, 9, TRect(0, 0, 3, 4)},        // a single source column
      {17, 11, TRect(-4, -3, 15, 12)},  // cut at the top left
      {12, 10, TRect(15, 12, 30, 26)},  // cut at the bottom right
  };
  for (const TStretchCase& k : cases) {
    const std::string name = std::to_string(k.SrcWidth) + "x" + std::to_string(k.SrcHeight) + " into (" +
                             std::to_string(k.Target.Left) + ", " + std::to_string(k.Target.Top) + ", " +
                             std::to_string(k.Target.Right) + ", " + std::to_string(k.Target.Bottom) + ")";
    SCOPED_TRACE(name);
    auto src = Noise32(k.SrcWidth, k.SrcHeight, 11);
    auto dst = NewBmp32(24, 20);
    TPixelRows s(src.get()), d(dst.get());
    constexpr uint32_t Untouched = 0x5A3C1E0Fu;
    for (int y = 0; y < 20; ++y) std::fill(d.Row(y), d.Row(y) + 24, Untouched);
    ASSERT_TRUE(StretchBilinear32(*dst, k.Target, *src));
    const int w = k.Target.Right - k.Target.Left, h = k.Target.Bottom - k.Target.Top;
    const bool same = w == k.SrcWidth && h == k.SrcHeight;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 24; ++x) {
        const uint32_t got = d.At(x, y);
        if (x < k.Target.Left || x >= k.Target.Right || y < k.Target.Top || y >= k.Target.Bottom) {
          ASSERT_EQ(got, Untouched) << "outside at " << x << ", " << y;
          continue;
        }
        const int tx = x - k.Target.Left, ty = y - k.Target.Top;
        if (same) {
          ASSERT_EQ(got, s.At(tx, ty)) << "1:1 at " << x << ", " << y;
        }
        for (int c = 0; c < 4; ++c) {
          const double want = Bilinear(s, w, h, tx, ty, c);
          ASSERT_LE(std::fabs(Byte(got, c) - want), 2.0) << "byte " << c << " at " << x << ", " << y;
        }
      }
  }
}

TEST(BilinearStretch, HalvingAveragesPairsAndLeavesOtherDepthsAlone) {
  auto src = NewBmp32(4, 2);
  TPixelRows s(src.get());
  const uint32_t top[] = {0xFF000000u, 0xFFFFFFFFu, 0x80402010u, 0x80402010u};
  const uint32_t bottom[] = {0x00000000u, 0x00000000u, 0x00000000u, 0x80402010u};
  std::copy(top, top + 4, s.Row(0));
  std::copy(bottom, bottom + 4, s.Row(1));
  auto dst = NewBmp32(2, 1);
  ASSERT_TRUE(StretchBilinear32(*dst, TRect(0, 0, 2, 1), *src));
  TPixelRows d(dst.get());
  EXPECT_EQ(d.At(0, 0), 0x80404040u);  // (255 + 255) / 4 alpha, 255 / 4 colours, rounded
  EXPECT_EQ(d.At(1, 0), 0x6030180Cu);  // three quarters of the pixel

  TBitmap plain;
  plain.SetPixelFormat(pf24bit);
  plain.SetSize(4, 2);
  EXPECT_FALSE(StretchBilinear32(*dst, TRect(0, 0, 2, 1), plain));
  EXPECT_EQ(d.At(0, 0), 0x80404040u);
}

// The zoom frame is the scaled image in its rounded rectangle and fully
// transparent around it, whatever the frame held before.
TEST(BilinearStretch, ZoomFrameClearsAroundTheScaledImage) {
  auto image = Noise32(32, 20, 5);
  TPixelRows white(image.get());
  for (int y = 0; y < 20; ++y) std::fill(white.Row(y), white.Row(y) + 32, 0xFFFFFFFFu);
  auto frame = Noise32(32, 20, 6);
  ComposeZoomFrame(*frame, *image, 2.4, 1.6, 29.5, 18.4);
  TPixelRows f(frame.get());
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 32; ++x) {
      const bool inside = x >= 2 && x < 30 && y >= 2 && y < 18;
      ASSERT_EQ(f.At(x, y), inside ? 0xFFFFFFFFu : 0u) << x << ", " << y;
    }
}

}  // namespace
