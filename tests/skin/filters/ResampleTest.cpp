#include "skin/graphics/Resample.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

namespace {

using Pixels = std::vector<std::array<uint8_t, 4>>;  // blue, green, red, alpha; rows top-down

void Draw32(TBitmap& bmp, int width, int height, unsigned seed) {
  bmp.SetPixelFormat(pf32bit);
  bmp.SetSize(width, height);
  std::mt19937 rng(seed);
  for (int y = 0; y < height; ++y) {
    auto* row = static_cast<uint8_t*>(bmp.ScanLine(y));
    for (int x = 0; x < width; ++x)
      for (int c = 0; c < 4; ++c) row[4 * x + c] = static_cast<uint8_t>(rng() % 2 ? x * 23 + y * 7 + c * 60 : rng());
  }
}

Pixels Read32(TBitmap& bmp) {
  Pixels pixels;
  for (int y = 0; y < bmp.Height(); ++y) {
    const auto* row = static_cast<const uint8_t*>(bmp.ScanLine(y));
    for (int x = 0; x < bmp.Width(); ++x) pixels.push_back({row[4 * x], row[4 * x + 1], row[4 * x + 2], row[4 * x + 3]});
  }
  return pixels;
}

// One dimension resampled in double precision: the same contributors,
// weights not rounded to 16.16; sums are clamped and rounded down.
std::vector<double> Resample1D(const std::vector<double>& line, int target, int filter) {
  const int source = static_cast<int>(line.size());
  const double support = ResampleFilterSupport(filter);
  const double scale = source > target ? static_cast<double>(target) / source : 1.0;
  const double width = support / scale;
  std::vector<double> out(static_cast<size_t>(target));
  for (int i = 0; i < target; ++i) {
    const double centre = static_cast<double>(i) * source / target;
    double sum = 0;
    for (int j = static_cast<int>(std::floor(centre - width)); j <= static_cast<int>(std::ceil(centre + width)); ++j) {
      const double t = std::fabs(centre - j) * scale;
      if (!(t < support)) continue;
      const double w = ResampleFilterWeight(filter, filter == 0 ? (centre - j) * scale : t) * scale;
      int k = j < 0 ? -j : j >= source ? 2 * source - j - 1 : j;
      k = std::clamp(k, 0, source - 1);
      sum += w * line[k];
    }
    out[i] = sum < 0 ? 0 : sum >= 255 ? 255 : std::floor(sum);
  }
  return out;
}

Pixels Reference(const Pixels& source, int width, int height, int newWidth, int newHeight, int filter) {
  Pixels out(static_cast<size_t>(newWidth) * newHeight);
  for (int c = 0; c < 4; ++c) {
    std::vector<std::vector<double>> rows;
    for (int y = 0; y < height; ++y) {
      std::vector<double> line;
      for (int x = 0; x < width; ++x) line.push_back(source[static_cast<size_t>(y) * width + x][c]);
      rows.push_back(Resample1D(line, newWidth, filter));
    }
    for (int x = 0; x < newWidth; ++x) {
      std::vector<double> column;
      for (int y = 0; y < height; ++y) column.push_back(rows[y][x]);
      const std::vector<double> done = Resample1D(column, newHeight, filter);
      for (int y = 0; y < newHeight; ++y) out[static_cast<size_t>(y) * newWidth + x][c] = static_cast<uint8_t>(done[y]);
    }
  }
  return out;
}

}  // namespace

TEST(Resample, EveryFilterStaysWithinOneOfADoublePrecisionReference) {
  const struct {
    int Width, Height, NewWidth, NewHeight;
  } sizes[] = {{17, 13, 8, 6}, {6, 5, 13, 11}, {10, 10, 20, 4}, {2, 3, 7, 2}, {9, 2, 9, 5}};
  for (int filter = 0; filter < ResampleFilterCount; ++filter)
    for (const auto& s : sizes) {
      SCOPED_TRACE("filter " + std::to_string(filter) + ": " + std::to_string(s.Width) + "x" +
                   std::to_string(s.Height) + " to " + std::to_string(s.NewWidth) + "x" + std::to_string(s.NewHeight));
      TBitmap source, target;
      Draw32(source, s.Width, s.Height, static_cast<unsigned>(filter * 10 + s.Width));
      const Pixels before = Read32(source);
      ResampleBmp32(source, target, s.NewWidth, s.NewHeight, filter);
      ASSERT_EQ(target.Width(), s.NewWidth);
      ASSERT_EQ(target.Height(), s.NewHeight);
      ASSERT_EQ(target.PixelFormat(), pf32bit);
      const Pixels got = Read32(target);
      const Pixels want = Reference(before, s.Width, s.Height, s.NewWidth, s.NewHeight, filter);
      int off = 0;
      for (size_t i = 0; i < got.size(); ++i)
        for (int c = 0; c < 4; ++c)
          if (std::abs(got[i][c] - want[i][c]) > 1 && ++off <= 3)
            ADD_FAILURE() << "pixel " << i << " byte " << c << ": " << int(got[i][c]) << " instead of "
                          << int(want[i][c]);
      EXPECT_EQ(off, 0);
    }
}

TEST(Resample, BoxRepeatsAndTriangleAveragesExactly) {
  // Enlarging with the box copies the nearest source pixel whole.
  for (int factor : {2, 3}) {
    TBitmap source, target;
    Draw32(source, 4, 3, 1);
    const Pixels before = Read32(source);
    ResampleBmp32(source, target, 4 * factor, 3 * factor, 0);
    const Pixels got = Read32(target);
    auto nearest = [](int i, int size, int factor) {
      return std::min(static_cast<int>(std::ceil(static_cast<double>(i) / factor - 0.5)), size - 1);
    };
    for (int y = 0; y < 3 * factor; ++y)
      for (int x = 0; x < 4 * factor; ++x)
        EXPECT_EQ(got[static_cast<size_t>(y) * 4 * factor + x],
                  before[static_cast<size_t>(nearest(y, 3, factor)) * 4 + nearest(x, 4, factor)])
            << "factor " << factor << " at " << x << "," << y;
  }

  // Halving with the triangle weighs 1/4, 1/2, 1/4, exactly 65536 in all.
  TResampleTable table;
  BuildResampleTable(table, 5, 10, 4, 1);
  for (const TResampleEntry& entry : table.Entries) {
    int32_t sum = 0;
    for (int k = 0; k < entry.Count; ++k) sum += entry.Contributors[k].Weight;
    EXPECT_EQ(sum, 65536);
  }
  FreeResampleTable(table);

  // A filter wider than a 2-pixel source mirrors back inside it.
  BuildResampleTable(table, 5, 2, 4, 5);
  for (const TResampleEntry& entry : table.Entries)
    for (int k = 0; k < entry.Count; ++k) {
      EXPECT_GE(entry.Contributors[k].Offset, 0);
      EXPECT_LE(entry.Contributors[k].Offset, 4);
    }
}

TEST(Resample, OddSizesAndSharedBitmaps) {
  TBitmap source;
  Draw32(source, 8, 6, 4);
  const Pixels before = Read32(source);

  // Into itself gives what a separate target gets.
  TBitmap separate;
  ResampleBmp32(source, separate, 5, 9, 6);
  TBitmap itself;
  Draw32(itself, 8, 6, 4);
  ResampleBmp32(itself, itself, 5, 9, 6);
  EXPECT_EQ(Read32(itself), Read32(separate));

  // A single target row works and blends the columns.
  TBitmap line;
  ResampleBmp32(source, line, 4, 1, 1);
  EXPECT_EQ(line.Height(), 1);
  EXPECT_EQ(line.Width(), 4);

  // The same size copies.
  TBitmap copy;
  ResampleBmp32(source, copy, 8, 6, 3);
  EXPECT_EQ(Read32(copy), before);

  // Sizes of 0 or less, a source narrower or lower than 2, an unknown
  // filter: the target stays as it was.
  TBitmap thin;
  Draw32(thin, 1, 6, 2);
  TBitmap flat;
  Draw32(flat, 6, 1, 2);
  const struct {
    const char* What;
    TBitmap* Source;
    int Width, Height, Filter;
  } refused[] = {
      {"width 0", &source, 0, 4, 1},  {"width -3", &source, -3, 4, 1}, {"height 0", &source, 4, 0, 1},
      {"one column", &thin, 4, 4, 1}, {"one row", &flat, 4, 4, 1},    {"filter 7", &source, 4, 4, 7},
  };
  for (const auto& r : refused) {
    TBitmap target;
    Draw32(target, 3, 3, 9);
    const Pixels kept = Read32(target);
    ResampleBmp32(*r.Source, target, r.Width, r.Height, r.Filter);
    EXPECT_EQ(Read32(target), kept) << r.What;
  }
}
