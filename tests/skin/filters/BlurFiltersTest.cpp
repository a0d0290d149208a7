#include "skin/graphics/BlurFilters.h"
#include <gtest/gtest.h>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

namespace {

void Draw8(TBitmap& bmp, int width, int height, unsigned seed) {
  bmp.SetPixelFormat(pf8bit);
  bmp.SetSize(width, height);
  std::mt19937 rng(seed);
  for (int y = 0; y < height; ++y) {
    auto* row = static_cast<uint8_t*>(bmp.ScanLine(y));
    for (int x = 0; x < width; ++x) row[x] = static_cast<uint8_t>(rng() % 3 ? x * 11 + y * 5 : rng());
  }
}

std::vector<uint8_t> Bytes8(TBitmap& bmp) {
  std::vector<uint8_t> bytes;
  for (int y = 0; y < bmp.Height(); ++y) {
    const auto* row = static_cast<const uint8_t*>(bmp.ScanLine(y));
    bytes.insert(bytes.end(), row, row + bmp.Width());
  }
  return bytes;
}

// The mean of the 2n + 1 samples around each one, ends repeated, rounded
// down: rows first, then columns.
std::vector<uint8_t> BoxMean(std::vector<uint8_t> pixels, int width, int height, int n) {
  auto pass = [&](int count, int lines, auto at) {
    std::vector<uint8_t> line(static_cast<size_t>(count));
    for (int l = 0; l < lines; ++l) {
      for (int i = 0; i < count; ++i) {
        int sum = 0;
        for (int j = -n; j <= n; ++j) sum += at(l, std::clamp(i + j, 0, count - 1));
        line[i] = static_cast<uint8_t>(sum / (2 * n + 1));
      }
      for (int i = 0; i < count; ++i) at(l, i) = line[i];
    }
  };
  pass(width, height, [&](int y, int x) -> uint8_t& { return pixels[static_cast<size_t>(y) * width + x]; });
  pass(height, width, [&](int x, int y) -> uint8_t& { return pixels[static_cast<size_t>(y) * width + x]; });
  return pixels;
}

uint32_t Pixel(uint8_t b, uint8_t g, uint8_t r, uint8_t a) {
  return uint32_t{b} | uint32_t{g} << 8 | uint32_t{r} << 16 | uint32_t{a} << 24;
}

}  // namespace

TEST(BlurFilters, KernelSizeFollowsTheRadiusAndWeightsAreEqual) {
  const std::pair<double, int> sizes[] = {{1, 1}, {2, 1}, {3, 2},  {4, 3},  {5, 4},   {6, 6},
                                          {7, 7}, {8, 8}, {9, 9}, {10, 10}, {40, 15}};
  for (auto [radius, size] : sizes) {
    TBlurKernel kernel;
    MakeBlurKernel(kernel, radius, 255, 1);
    EXPECT_EQ(kernel.Size, size) << "radius " << radius;
    double sum = 0;
    for (int j = -kernel.Size; j <= kernel.Size; ++j) {
      EXPECT_FLOAT_EQ(kernel.Weight(j), 1.0f / (2 * size + 1)) << "radius " << radius << " offset " << j;
      sum += kernel.Weight(j);
    }
    EXPECT_NEAR(sum, 1.0, 1e-6);
  }

  const std::pair<double, int> clamps[] = {{255.0, 255}, {254.99, 254}, {-0.5, 0}, {300, 255}, {12.7, 12}, {0, 0}};
  for (auto [value, expected] : clamps) EXPECT_EQ(ClampRealToRange(0, 255, value), expected) << value;
  EXPECT_EQ(ClampToRange(0, 9, -1), 0);
  EXPECT_EQ(ClampToRange(0, 9, 10), 9);
  EXPECT_EQ(ClampToRange(0, 9, 4), 4);
}

TEST(BlurFilters, BlurBmp8AveragesAndLeavesWhatItCannotBlur) {
  const int width = 23, height = 17;
  TBitmap bmp;
  Draw8(bmp, width, height, 5);
  const std::vector<uint8_t> original = Bytes8(bmp);

  BlurBmp8(bmp, 5);
  EXPECT_EQ(Bytes8(bmp), BoxMean(original, width, height, 4));

  for (double radius : {1.0, 2.0}) {
    TBitmap blurred;
    Draw8(blurred, width, height, 5);
    BlurBmp8(blurred, radius);
    EXPECT_EQ(Bytes8(blurred), BoxMean(original, width, height, 1)) << "radius " << radius;
  }

  // A flat area stays flat.
  TBitmap flat;
  flat.SetPixelFormat(pf8bit);
  flat.SetSize(30, 30);
  for (int y = 0; y < 30; ++y) std::memset(flat.ScanLine(y), 200, 30);
  for (double radius = 1; radius <= 10; ++radius) BlurBmp8(flat, radius);
  EXPECT_EQ(Bytes8(flat), std::vector<uint8_t>(900, 200));

  for (double radius : {0.0, -2.0, std::nan("")}) {
    TBitmap same;
    Draw8(same, width, height, 5);
    BlurBmp8(same, radius);
    EXPECT_EQ(Bytes8(same), original) << "radius " << radius;
  }
  TBitmap colour;
  colour.SetPixelFormat(pf24bit);
  colour.SetSize(4, 4);
  std::memset(colour.ScanLine(0), 0x7F, 12);
  BlurBmp8(colour, 3);
  EXPECT_EQ(static_cast<const uint8_t*>(colour.ScanLine(0))[0], 0x7F);
  EXPECT_EQ(static_cast<const uint8_t*>(colour.ScanLine(1))[0], 0);
}

TEST(BlurFilters, SmoothRow32SpreadsOpaqueColourIntoItsNeighbours) {
  const uint32_t c = Pixel(10, 100, 200, 255);
  const uint32_t thirds = Pixel(9, 99, 198, 0);  // 3 x (c div 3) per colour byte
  struct Case {
    const char* What;
    std::vector<uint32_t> Line;
    std::vector<uint32_t> Expected;
  } cases[] = {
      {"opaque line", {c, c, c, c}, {thirds | 172u << 24, thirds | 255u << 24, thirds | 255u << 24, thirds | 172u << 24}},
      {"hole between opaque pixels", {c, 0, c}, {thirds | 86u << 24, thirds | 172u << 24, thirds | 86u << 24}},
      {"transparent line", {0, 0, 0}, {0, 0, 0}},
      {"transparent colour stays black", {0x00FFFFFF, 0x00808080}, {0, 0}},
      {"one opaque pixel", {c}, {thirds | 86u << 24}},
  };
  for (const Case& k : cases) {
    std::vector<uint32_t> line = k.Line;
    std::vector<uint32_t> scratch(line.size());
    SmoothRow32(line.data(), static_cast<int>(line.size()) - 1, scratch.data());
    EXPECT_EQ(line, k.Expected) << k.What;
  }

  // A bitmap of one row: rows, then columns of one pixel each.
  TBitmap row;
  row.SetPixelFormat(pf32bit);
  row.SetSize(3, 1);
  auto* pixels = static_cast<uint32_t*>(row.ScanLine(0));
  std::fill_n(pixels, 3, c);
  SmoothBmp(row);
  EXPECT_EQ(std::vector<uint32_t>(pixels, pixels + 3),
            (std::vector<uint32_t>{thirds | 58u << 24, thirds | 86u << 24, thirds | 58u << 24}));

  TBitmap colour;
  colour.SetPixelFormat(pf24bit);
  colour.SetSize(3, 3);
  std::memset(colour.ScanLine(1), 0x7F, 9);
  SmoothBmp(colour);
  EXPECT_EQ(static_cast<const uint8_t*>(colour.ScanLine(1))[4], 0x7F);
  EXPECT_EQ(static_cast<const uint8_t*>(colour.ScanLine(0))[4], 0);
}
