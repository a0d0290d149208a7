// The composing routines against a scalar reference written from their
// formulas, over random bitmaps and a table of rectangle pairs.
#include "SkinTestSupport.h"
#include "skin/graphics/AlphaCopy.h"
#include "skin/graphics/LibUtils.h"
#include "skin/graphics/Pixels32.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>

namespace {
struct TRectPair {
  const char* Name;
  TRect Dst;
  TRect Src;
};

const TRectPair kPairs[] = {
    {"whole", {0, 0, 16, 12}, {0, 0, 14, 10}},
    {"target at negative origin", {-3, -2, 13, 10}, {0, 0, 14, 10}},
    {"source at negative origin", {2, 1, 16, 12}, {-4, -1, 10, 9}},
    {"both negative", {-5, -1, 8, 8}, {-2, -3, 12, 9}},
    {"overhanging target", {10, 8, 30, 30}, {0, 0, 20, 20}},
    {"overhanging source", {0, 0, 16, 12}, {9, 6, 30, 30}},
    {"inner rectangles", {1, 1, 9, 9}, {4, 3, 12, 11}},
    {"empty width", {5, 5, 5, 9}, {0, 0, 14, 10}},
    {"reversed height", {0, 10, 10, 0}, {0, 0, 14, 10}},
    {"outside", {20, 20, 30, 30}, {0, 0, 14, 10}},
};

// Calls f(dx, dy, sx, sy) for each pixel both rectangles and both bitmaps share.
template <typename F>
void ForBlock(const TRect& dr, const TRect& sr, const TPixels& d, const TPixels& s, F f) {
  const int w = std::min(dr.Width(), sr.Width()), h = std::min(dr.Height(), sr.Height());
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      const int dx = dr.Left + i, dy = dr.Top + j, sx = sr.Left + i, sy = sr.Top + j;
      if (d.Contains(dx, dy) && s.Contains(sx, sy)) f(dx, dy, sx, sy);
    }
}

int Blend8(int d, int v, int a) { return ((d * 256 + (v - d) * a) >> 8) & 0xFF; }

struct TMode {
  const char* Name;
  bool Ready;
  bool FillKey;
  TColor Tint;
  int Blend;
};

const TMode kModes[] = {
    {"plain", false, false, ColorNone, 0},        {"blend 30", false, false, ColorNone, 30},
    {"tint red", false, false, 0x0000FF, 0},      {"tint and blend", false, false, 0x3080C0, 50},
    {"parent fills keys", true, true, ColorNone, 0}, {"parent, keys kept", true, false, ColorNone, 0},
};

TPixels RefAlphaCopy(const TRectPair& pair, TPixels d, const TPixels& s, const TMode& m, const TPixels& bg, TPoint ciAt) {
  double k[3] = {0, 0, 0};
  if (m.Tint != ColorNone) {
    const int r = m.Tint & 0xFF, g = m.Tint >> 8 & 0xFF, b = m.Tint >> 16 & 0xFF;
    const int lift = 255 - std::max({r, g, b});
    k[0] = (b + lift) / 255.0, k[1] = (g + lift) / 255.0, k[2] = (r + lift) / 255.0;
  }
  const TPixels before = d;
  ForBlock(pair.Dst, pair.Src, before, s, [&](int dx, int dy, int sx, int sy) {
    const uint32_t sp = s.At(sx, sy);
    uint32_t& dp = d.At(dx, dy);
    if (m.Ready && sp == 0x00FF00FF) {
      const int bx = ciAt.X + dx, by = ciAt.Y + dy;
      if (m.FillKey && bg.Contains(bx, by)) dp = (dp & 0xFF000000) | (bg.At(bx, by) & 0xFFFFFF);
      return;
    }
    const int sa = Ch(sp, 3);
    const int a = m.Blend == 0 ? sa : sa * (100 - m.Blend) / 100;
    uint32_t out = 0;
    for (int c = 0; c < 3; ++c) {
      int v = Ch(sp, c);
      if (m.Tint != ColorNone)
        v = std::min(static_cast<int>(std::trunc((Ch(sp, 0) + Ch(sp, 1) + Ch(sp, 2)) / 3 * k[c])), 255);
      out |= static_cast<uint32_t>(Blend8(Ch(dp, c), v, a)) << (8 * c);
    }
    const int da = Ch(dp, 3);
    const int na = m.Tint == ColorNone && m.Blend == 0 ? std::max(da, sa) : da;
    dp = out | static_cast<uint32_t>(na) << 24;
  });
  return d;
}
}  // namespace

TEST(SkinAlphaCopy, AlphaCopy32MatchesTheReferenceOverRectanglePairsAndModes) {
  const TPixels dst = RandomImage(16, 12, 1), src = RandomImage(14, 10, 2), bg = RandomImage(12, 9, 3);
  auto bgBmp = ToBitmap(bg);
  for (const auto& pair : kPairs)
    for (const auto& mode : kModes) {
      SCOPED_TRACE(std::string(pair.Name) + ", " + mode.Name);
      auto d = ToBitmap(dst);
      auto s = ToBitmap(src);
      TCacheInfo ci = EmptyCacheInfo;
      if (mode.Ready) ci = TCacheInfo{bgBmp.get(), -2, 1, KeyColor, TRect(), true};
      AlphaCopy32(pair.Dst, pair.Src, *d, s.get(), ci, mode.FillKey, mode.Tint, mode.Blend, false);
      const TPixels expected = RefAlphaCopy(pair, dst, src, mode, bg, TPoint(ci.X, ci.Y));
      EXPECT_EQ(FromBitmap(*d).P, expected.P);
    }
}

TEST(SkinAlphaCopy, AlphaCopy32WorkedValuesAndSameBitmap) {
  // Full alpha and full value over black gives 254: the shift is not a division by 255.
  auto d = ToBitmap(TPixels(1, 1, 0));
  auto s = ToBitmap(TPixels(1, 1, 0xFFFFFFFF));
  AlphaCopy32(TRect(0, 0, 1, 1), TRect(0, 0, 1, 1), *d, s.get(), EmptyCacheInfo, false);
  EXPECT_EQ(Pixel32(*d, 0, 0), 0xFFFEFEFEu);
  // A tint of pure red turns white red and keeps the target alpha.
  d = ToBitmap(TPixels(1, 1, 0x40000000));
  AlphaCopy32(TRect(0, 0, 1, 1), TRect(0, 0, 1, 1), *d, s.get(), EmptyCacheInfo, false, 0x0000FF);
  EXPECT_EQ(Pixel32(*d, 0, 0), 0x40FE0000u);
  // A bitmap laid over itself blends each pixel with itself.
  const TPixels img = RandomImage(8, 8, 9);
  auto same = ToBitmap(img);
  AlphaCopy32(TRect(0, 0, 8, 8), TRect(0, 0, 8, 8), *same, same.get(), EmptyCacheInfo, false);
  const TRectPair whole{"same", {0, 0, 8, 8}, {0, 0, 8, 8}};
  EXPECT_EQ(FromBitmap(*same).P, RefAlphaCopy(whole, img, img, kModes[0], TPixels(), TPoint()).P);
  // A nil source changes nothing.
  AlphaCopy32(TRect(0, 0, 1, 1), TRect(0, 0, 1, 1), *d, nullptr, EmptyCacheInfo, false);
}

TEST(SkinAlphaCopy, AlphaCopy32Reflection) {
  const TPixels src = RandomImage(6, 10, 4);
  // The target ends right under the rectangle: no reflection.
  auto d = ToBitmap(TPixels(6, 11, 0xFF102030));
  auto s = ToBitmap(src);
  AlphaCopy32(TRect(0, 0, 6, 10), TRect(0, 0, 6, 10), *d, s.get(), EmptyCacheInfo, false, ColorNone, 0, true);
  EXPECT_EQ(Pixel32(*d, 3, 10), 0xFF102030u);

  // Room below: row Bottom stays, the rows after it take the source's last
  // rows upside down, fading, colour only.
  const TPixels base(6, 20, 0x80102030);
  d = ToBitmap(base);
  AlphaCopy32(TRect(0, 0, 6, 10), TRect(0, 0, 6, 10), *d, s.get(), EmptyCacheInfo, false, ColorNone, 0, true);
  const TPixels out = FromBitmap(*d);
  const int n = std::min(10 / 2 - 1, 20 - 10 - 1);
  EXPECT_EQ(out.At(0, 10), base.At(0, 10));
  int level = 255;
  for (int r = 1; r <= n; ++r, level = (level - 255 / 10) & 0xFF)
    for (int x = 0; x < 6; ++x) {
      const uint32_t sp = src.At(x, 10 - 1 - r);
      uint32_t expected = base.At(x, 10 + r);
      if (sp != 0x00FF00FF) {
        const int a = ((Ch(sp, 3) * (n - r)) / n) * level >> 9;
        expected = 0x80000000;
        for (int c = 0; c < 3; ++c)
          expected |= static_cast<uint32_t>(Blend8(Ch(base.At(x, 10 + r), c), Ch(sp, c), a)) << (8 * c);
      }
      EXPECT_EQ(out.At(x, 10 + r), expected) << "row " << r << " column " << x;
    }
  EXPECT_EQ(out.At(0, 10 + n + 1), base.At(0, 10 + n + 1));
}

TEST(SkinAlphaCopy, AlphaCopyWithBgMatchesTheReference) {
  const TPixels dst = RandomImage(16, 12, 5), src = RandomImage(14, 10, 6), bg = RandomImage(10, 9, 7);
  auto bgBmp = ToBitmap(bg);
  for (const auto& pair : kPairs)
    for (int mode = 0; mode < 3; ++mode) {
      SCOPED_TRACE(std::string(pair.Name) + ", mode " + std::to_string(mode));
      const bool ready = mode > 0, fillKey = mode == 1;
      TCacheInfo ci = ready ? TCacheInfo{bgBmp.get(), 1, -1, KeyColor, TRect(), true} : EmptyCacheInfo;
      auto d = ToBitmap(dst);
      auto s = ToBitmap(src);
      AlphaCopyWithBg(pair.Dst, pair.Src, *d, s.get(), ci, fillKey);
      TPixels expected = dst;
      ForBlock(pair.Dst, pair.Src, dst, src, [&](int dx, int dy, int sx, int sy) {
        const uint32_t sp = src.At(sx, sy);
        uint32_t& dp = expected.At(dx, dy);
        if (ready && sp == 0x00FF00FF) {
          if (fillKey && bg.Contains(dx + 1, dy - 1)) dp = bg.At(dx + 1, dy - 1) | 0xFF000000;
          return;
        }
        const int sa = Ch(sp, 3);
        uint32_t out = 0;
        for (int c = 0; c < 3; ++c) out |= static_cast<uint32_t>(Blend8(Ch(dp, c), Ch(sp, c), sa)) << (8 * c);
        int da = Ch(dp, 3);
        if (sa != 0) da = (da + ((255 - da) * sa >> 8)) & 0xFF;
        dp = out | static_cast<uint32_t>(da) << 24;
      });
      EXPECT_EQ(FromBitmap(*d).P, expected.P);
    }
  // A pure blue parent pixel under a key pixel gives pure blue, opaque.
  auto d = ToBitmap(TPixels(1, 1, 0));
  auto s = ToBitmap(TPixels(1, 1, 0x00FF00FF));
  auto blue = ToBitmap(TPixels(1, 1, 0x000000FF));
  AlphaCopyWithBg(TRect(0, 0, 1, 1), TRect(0, 0, 1, 1), *d, s.get(), InitCacheInfo(blue.get(), 0, 0), true);
  EXPECT_EQ(Pixel32(*d, 0, 0), 0xFF0000FFu);
}

TEST(SkinAlphaCopy, CopyRectByMaskMatchesTheReferenceInItsFourModes) {
  // Image half above, mask half below, as a masked skin part lies.
  const int w = 14, h = 8;
  TPixels src = RandomImage(w, 2 * h, 8);
  std::mt19937 rng(11);
  for (int y = h; y < 2 * h; ++y)
    for (int x = 0; x < w; ++x) src.At(x, y) = rng() & 0xFFFFFF;
  TsMaskData md;
  md.R = TRect(0, 0, w, 2 * h);
  md.MaskType = 1;
  const TPixels dst = RandomImage(16, 12, 12), bg = RandomImage(10, 9, 13);
  auto bgBmp = ToBitmap(bg);
  for (const auto& pair : kPairs) {
    // The source rectangle lies in the image half.
    TRect sr = pair.Src;
    sr.Bottom = std::min(sr.Bottom, h);
    for (int mode = 0; mode < 4; ++mode) {
      SCOPED_TRACE(std::string(pair.Name) + ", mode " + std::to_string(mode));
      const bool ready = mode & 1, fillKey = mode & 2;
      TCacheInfo ci = ready ? TCacheInfo{bgBmp.get(), -1, 2, KeyColor, TRect(), true}
                            : TCacheInfo{nullptr, 0, 0, 0x7F123456, TRect(), false};
      auto d = ToBitmap(dst);
      auto s = ToBitmap(src);
      CopyRectByMask(pair.Dst, sr, *d, *s, ci, fillKey, md);

      TPixels expected = dst;
      // The block's first source row and height choose the mask rows.
      int firstRow = -1, rows = 0;
      ForBlock(pair.Dst, sr, dst, src, [&](int, int, int, int sy) {
        if (firstRow < 0) firstRow = sy;
        rows = std::max(rows, sy - firstRow + 1);
      });
      const int maskTop = std::min(firstRow + h, src.H - rows);
      ForBlock(pair.Dst, sr, dst, src, [&](int dx, int dy, int sx, int sy) {
        const uint32_t sp = src.At(sx, sy), mp = src.At(sx, maskTop + sy - firstRow);
        uint32_t& dp = expected.At(dx, dy);
        if (ready) dp |= 0xFF000000;
        if (sp == 0x00FF00FF && fillKey) {
          if (!ready)
            dp = 0x7F563412;
          else if (bg.Contains(dx - 1, dy + 2))
            dp = bg.At(dx - 1, dy + 2);
          return;
        }
        if (sp == 0x00FF00FF && !ready) return;
        uint32_t out = dp & 0xFF000000;
        for (int c = 0; c < 3; ++c)
          out |= static_cast<uint32_t>((Ch(dp, c) * Ch(mp, c) + Ch(sp, c) * (256 - Ch(mp, c))) >> 8) << (8 * c);
        dp = out;
      });
      EXPECT_EQ(FromBitmap(*d).P, expected.P);
    }
  }
}
