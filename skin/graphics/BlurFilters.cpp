#include "skin/graphics/BlurFilters.h"
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

void MakeBlurKernel(TBlurKernel& kernel, double radius, double maxValue, double granularity) {
  double weights[33] = {};
  double sum = 0;
  for (int j = -16; j <= 16; ++j) {
    // Without a radius only the sample itself counts.
    double w = radius > 0 ? std::nearbyint(std::exp(-(j / radius) * (j / radius) / 2)) : (j == 0 ? 1 : 0);
    weights[j + 16] = w;
    sum += w;
  }
  for (double& w : weights) w = static_cast<float>(w / sum);
  const double threshold = granularity / (2 * maxValue);
  int size = 16;
  double accumulated = 0;
  while (accumulated < threshold && size > 1) {
    accumulated += 2 * weights[size + 16];
    --size;
  }
  sum = 0;
  for (int j = -size; j <= size; ++j) sum += weights[j + 16];
  kernel.Size = static_cast<uint8_t>(size);
  for (int j = -16; j <= 16; ++j) kernel.Weights[j + 16] = static_cast<float>(weights[j + 16] / sum);
}

int ClampToRange(int lower, int upper, int value) {
  if (value > upper) return upper;
  if (value < lower) return lower;
  return value;
}

int ClampRealToRange(int lower, int upper, double value) {
  if (value >= upper) return upper;
  if (value < lower) return lower;
  return static_cast<int>(value);
}

void BlurRow8(uint8_t* line, int lastIndex, const TBlurKernel& kernel, uint8_t* scratch) {
  const int s = kernel.Size;
  double weights[33];
  for (int j = -s; j <= s; ++j) weights[j + 16] = kernel.Weight(j);
  auto sample = [&](int i) {
    double sum = 0;
    for (int j = -s; j <= s; ++j) sum += weights[j + 16] * line[ClampToRange(0, lastIndex, i - j)];
    return ClampRealToRange(0, 255, sum);
  };
  // Away from the ends no index needs clamping; the sum runs in the same
  // order, so the result is the same.
  const int innerFirst = std::min(s, lastIndex + 1);
  const int innerLast = lastIndex - s;
  for (int i = 0; i < innerFirst; ++i) scratch[i] = static_cast<uint8_t>(sample(i));
  for (int i = innerFirst; i <= innerLast; ++i) {
    const uint8_t* p = line + i;
    double sum = 0;
    for (int j = -s; j <= s; ++j) sum += weights[j + 16] * p[-j];
    scratch[i] = static_cast<uint8_t>(ClampRealToRange(0, 255, sum));
  }
  for (int i = std::max(innerFirst, innerLast + 1); i <= lastIndex; ++i) scratch[i] = static_cast<uint8_t>(sample(i));
  std::memcpy(line, scratch, static_cast<size_t>(lastIndex) + 1);
}

void BlurBmp8(TBitmap& bmp, double radius) {
  if (bmp.PixelFormat() != pf8bit || !(radius > 0)) return;
  const int width = bmp.Width();
  const int height = bmp.Height();
  if (width <= 0 || height <= 0) return;
  TBlurKernel kernel;
  MakeBlurKernel(kernel, radius, 255, 1);
  auto* row0 = static_cast<uint8_t*>(bmp.ScanLine(0));
  const ptrdiff_t stride = -static_cast<ptrdiff_t>(bmp.RowStride());
  std::vector<uint8_t> scratch(static_cast<size_t>(std::max(width, height)));
  for (int y = 0; y < height; ++y) BlurRow8(row0 + y * stride, width - 1, kernel, scratch.data());
  std::vector<uint8_t> column(static_cast<size_t>(height));
  for (int x = 0; x < width; ++x) {
    for (int y = 0; y < height; ++y) column[y] = row0[y * stride + x];
    BlurRow8(column.data(), height - 1, kernel, scratch.data());
    for (int y = 0; y < height; ++y) row0[y * stride + x] = column[y];
  }
}

namespace {

struct Quad {
  uint32_t B = 0, G = 0, R = 0, A = 0;
};

inline uint8_t Byte(uint32_t pixel, int index) { return static_cast<uint8_t>(pixel >> (8 * index)); }

inline void AddThird(Quad& q, uint32_t pixel, uint32_t divisor) {
  q.B += Byte(pixel, 0) / divisor;
  q.G += Byte(pixel, 1) / divisor;
  q.R += Byte(pixel, 2) / divisor;
  q.A += Byte(pixel, 3) / divisor;
}

}  // namespace

void SmoothRow32(uint32_t* line, int lastIndex, uint32_t* scratch) {
  for (int i = 0; i <= lastIndex; ++i) {
    Quad sum;
    Quad compensation;
    int missing = 0;
    uint32_t lastOpaque = 0;
    for (int m = i + 1; m >= i - 1; --m) {
      const bool inside = m >= 0 && m <= lastIndex;
      if (inside && Byte(line[m], 3) > 0) {
        const uint32_t c = line[m];
        sum.B += Byte(c, 0) / 3;
        sum.G += Byte(c, 1) / 3;
        sum.R += Byte(c, 2) / 3;
        sum.A += Byte(c, 3) / 3 + 1;
        lastOpaque = c;
      } else if (Byte(lastOpaque, 3) > 0) {
        AddThird(compensation, lastOpaque, 3);
      } else {
        ++missing;
      }
    }
    if (missing > 0 && Byte(lastOpaque, 3) > 0) AddThird(compensation, lastOpaque, 3 * missing);
    if (compensation.A != 0) {
      sum.B += compensation.B;
      sum.G += compensation.G;
      sum.R += compensation.R;
    }
    scratch[i] = sum.A > 0 ? std::min(sum.B, 255u) | std::min(sum.G, 255u) << 8 | std::min(sum.R, 255u) << 16 |
                                 std::min(sum.A, 255u) << 24
                           : 0;
  }
  std::memcpy(line, scratch, (static_cast<size_t>(lastIndex) + 1) * 4);
}

void SmoothBmp(TBitmap& bmp) {
  if (bmp.PixelFormat() != pf32bit) return;
  const int width = bmp.Width();
  const int height = bmp.Height();
  if (width <= 0 || height <= 0) return;
  auto* row0 = static_cast<uint32_t*>(bmp.ScanLine(0));
  const ptrdiff_t stride = -static_cast<ptrdiff_t>(bmp.RowStride()) / 4;
  std::vector<uint32_t> scratch(static_cast<size_t>(std::max(width, height)));
  for (int y = 0; y < height; ++y) SmoothRow32(row0 + y * stride, width - 1, scratch.data());
  std::vector<uint32_t> column(static_cast<size_t>(height));
  for (int x = 0; x < width; ++x) {
    for (int y = 0; y < height; ++y) column[y] = row0[y * stride + x];
    SmoothRow32(column.data(), height - 1, scratch.data());
    for (int y = 0; y < height; ++y) row0[y * stride + x] = column[y];
  }
}
