// Masked pieces resized in plain memory against the same pieces made with
// bitmaps: the GDI's own StretchBlt and the bitmap resampler.
#include "PartFixture.h"
#include "skin/graphics/MaskPaint.h"
#include "skin/graphics/NearestStretch.h"
#include "skin/graphics/Resample.h"
#include <random>
#include <gtest/gtest.h>
#include <windows.h>

TEST(SkinNearestStretch, PicksTheSamePixelsAsStretchBlt) {
  // Sizes kept or grown, by whole and odd factors, in both axes.
  const int lengths[][2] = {{1, 1}, {1, 7}, {2, 3},   {5, 12},   {8, 8},  {24, 384}, {24, 284},
                            {13, 40}, {9, 10}, {6, 37}, {31, 64}, {4, 6}, {24, 30}};
  int wrong = 0;
  for (const auto& across : lengths)
    for (const auto& down : lengths) {
      const int sw = across[0], dw = across[1], sh = down[0], dh = down[1];
      TPixels src(sw, sh);
      for (int y = 0; y < sh; ++y)
        for (int x = 0; x < sw; ++x) src.At(x, y) = Named(x, y);
      auto s = ToBitmap(src);
      auto d = ToBitmap(TPixels(dw, dh, White));
      HDC dc = d->Canvas()->Handle();
      SetStretchBltMode(dc, COLORONCOLOR);
      StretchBlt(dc, 0, 0, dw, dh, s->Canvas()->Handle(), 0, 0, sw, sh, SRCCOPY);
      GdiFlush();
      const TPixels got = FromBitmap(*d);
      std::vector<int> xs, ys;
      NearestIndices(dw, sw, xs);
      NearestIndices(dh, sh, ys);
      for (int y = 0; y < dh; ++y)
        for (int x = 0; x < dw; ++x)
          if (got.At(x, y) != Named(xs[x], ys[y]) && ++wrong < 8)
            ADD_FAILURE() << sw << "x" << sh << " to " << dw << "x" << dh << " at " << x << "," << y << std::hex
                          << " got " << got.At(x, y) << " want " << Named(xs[x], ys[y]);
    }
  EXPECT_EQ(wrong, 0);
}

namespace {
// The masked piece as painted through bitmaps: each block resized by
// ResampleBmp32 or StretchBlt, then mixed pixel by pixel.
TPixels ReferencePiece(const TPixels& src, int fw, int fh, int w, int h, bool smooth, const TPixels& target) {
  auto block = [&](int y0) {
    TPixels b(fw, fh);
    for (int y = 0; y < fh; ++y)
      for (int x = 0; x < fw; ++x) b.At(x, y) = src.At(x, y0 + y);
    auto bmp = ToBitmap(b);
    auto out = ToBitmap(TPixels(w, h, 0));
    if (smooth) {
      ResampleBmp32(*bmp, *out, w, h, 6);
    } else {
      StretchBlt(out->Canvas()->Handle(), 0, 0, w, h, bmp->Canvas()->Handle(), 0, 0, fw, fh, SRCCOPY);
      GdiFlush();
    }
    return FromBitmap(*out);
  };
  const TPixels image = block(0), mask = block(fh);
  TPixels out = target;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) out.At(x + 1, y + 2) = Mix(target.At(x + 1, y + 2), image.At(x, y), mask.At(x, y));
  return out;
}
}  // namespace

TEST(SkinMaskPiece, PlainMemoryPiecesMatchTheBitmapWay) {
  struct Case {
    const char* Name;
    int FW, FH, W, H;
    bool Centre;
  } cases[] = {
      {"centre grown", 7, 5, 45, 31, true},        {"centre shrunk", 30, 22, 9, 7, true},
      {"centre kept", 6, 6, 6, 6, true},          {"side grown across", 5, 3, 40, 3, false},
      {"side grown down", 3, 6, 3, 29, false},    {"side shrunk across", 33, 4, 10, 4, false},
      {"corner grown both ways", 4, 5, 9, 11, false},
  };
  std::mt19937 rng(11);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TPixels src(c.FW, 2 * c.FH);
    for (uint32_t& p : src.P) p = static_cast<uint32_t>(rng()) | 0xFF000000u;
    TPixels target(c.W + 3, c.H + 4);
    for (uint32_t& p : target.P) p = static_cast<uint32_t>(rng()) | 0xFF000000u;
    const bool smooth = c.Centre || (c.FW > c.W && c.FH == c.H) || (c.FW == c.W && c.FH > c.H);
    const TPixels want = ReferencePiece(src, c.FW, c.FH, c.W, c.H, smooth, target);
    auto s = ToBitmap(src);
    auto d = ToBitmap(target);
    StretchMaskPiece(1, 2, c.W, c.H, 0, 0, c.FW, c.FH, *d, *s, c.FH, c.Centre);
    const TPixels got = FromBitmap(*d);
    int wrong = 0;
    for (size_t i = 0; i < got.P.size(); ++i)
      if (got.P[i] != want.P[i] && ++wrong < 4)
        ADD_FAILURE() << "pixel " << i << std::hex << " got " << got.P[i] << " want " << want.P[i];
    EXPECT_EQ(wrong, 0);
  }
}
