#include "skin/graphics/Resample.h"
#include <algorithm>
#include <cmath>

namespace {
constexpr double Pi = 3.14159265358979323846;
constexpr double Supports[ResampleFilterCount] = {0.51, 1.0, 1.0, 1.5, 2.0, 3.0, 2.0};
}  // namespace

double ResampleFilterSupport(int filter) {
  return filter >= 0 && filter < ResampleFilterCount ? Supports[filter] : 0;
}

double ResampleFilterWeight(int filter, double t) {
  if (filter == 0) return (t > -0.5 && t <= 0.5) ? 1 : 0;
  t = std::fabs(t);
  switch (filter) {
    case 1: return t < 1 ? 1 - t : 0;
    case 2: return t < 1 ? (2 * t - 3) * t * t + 1 : 0;
    case 3:
      if (t < 0.5) return 0.75 - t * t;
      return t < 1.5 ? 0.5 * (t - 1.5) * (t - 1.5) : 0;
    case 4:
      if (t < 1) return (t / 2 - 1) * t * t + 2.0 / 3;
      return t < 2 ? (2 - t) * (2 - t) * (2 - t) / 6 : 0;
    case 5:
      if (t == 0) return 1;
      return t < 3 ? std::sin(Pi * t) * std::sin(t) / (Pi * t * t) : 0;
    case 6:
      if (t < 1) return (7.0 / 6 * t - 2) * t * t + 8.0 / 9;
      return t < 2 ? (-7.0 / 18 * t + 2) * t * t - 10.0 / 3 * t + 16.0 / 9 : 0;
    default: return 0;
  }
}

void BuildResampleTable(TResampleTable& table, int targetSize, int sourceSize, int stride, int filter) {
  const double support = ResampleFilterSupport(filter);
  const double scale = sourceSize > targetSize ? static_cast<double>(targetSize) / sourceSize : 1.0;
  const double width = support / scale;
  const int most = static_cast<int>(2 * width + 1);
  table.Entries.assign(static_cast<size_t>(targetSize), TResampleEntry());
  table.Block.assign(static_cast<size_t>(targetSize) * most, TContributor());
  for (int i = targetSize - 1; i >= 0; --i) {
    TResampleEntry& entry = table.Entries[i];
    entry.Contributors = table.Block.data() + static_cast<size_t>(i) * most;
    const double centre = static_cast<double>(int64_t{i} * sourceSize) / targetSize;
    const int right = static_cast<int>(std::ceil(centre + width));
    const int left = static_cast<int>(std::floor(centre - width));
    for (int j = right; j >= left && entry.Count < most; --j) {
      const double t = std::fabs(centre - j) * scale;
      if (!(t < support)) continue;
      const double v = ResampleFilterWeight(filter, filter == 0 ? (centre - j) * scale : t);
      if (v == 0) continue;
      int index = j < 0 ? -j : j >= sourceSize ? 2 * sourceSize - j - 1 : j;
      // A filter reaching further past an edge than the source is long
      // would mirror outside it.
      index = std::clamp(index, 0, sourceSize - 1);
      entry.Contributors[entry.Count++] = {index * stride, static_cast<int32_t>(std::nearbyint(v * scale * 65536))};
    }
  }
}

void FreeResampleTable(TResampleTable& table) {
  table.Entries = {};
  table.Block = {};
}

void ResampleLine(int, ptrdiff_t targetStep, uint8_t* target, const uint8_t* source, const TResampleTable& table,
                  int count) {
  auto toByte = [](int32_t sum) -> uint8_t {
    if (sum < 0) return 0;
    if (sum > 0xFF0000) return 255;
    return static_cast<uint8_t>(sum >> 16);
  };
  for (int i = 0; i < count; ++i, target += targetStep) {
    const TResampleEntry& entry = table.Entries[i];
    int32_t b = 0, g = 0, r = 0, a = 0;
    for (int k = entry.Count - 1; k >= 0; --k) {
      const TContributor& c = entry.Contributors[k];
      if (c.Weight == 0) continue;
      const uint8_t* p = source + c.Offset;
      b += c.Weight * p[0];
      g += c.Weight * p[1];
      r += c.Weight * p[2];
      a += c.Weight * p[3];
    }
    target[0] = toByte(b);
    target[1] = toByte(g);
    target[2] = toByte(r);
    target[3] = toByte(a);
  }
}

void ResampleBmp32(TBitmap& source, TBitmap& target, int newWidth, int newHeight, int filter, int reserved) {
  if (newWidth <= 0 || newHeight <= 0 || filter < 0 || filter >= ResampleFilterCount) return;
  const int sourceWidth = source.Width();
  const int sourceHeight = source.Height();
  if (sourceWidth < 2 || sourceHeight < 2) return;
  if (newWidth == sourceWidth && newHeight == sourceHeight) {
    if (&source != &target) target.Assign(source);
    return;
  }
  source.SetPixelFormat(pf32bit);
  // The horizontal pass lands in plain memory, top-down rows of newWidth
  // pixels: a bitmap section would cost more to make than to fill.
  const ptrdiff_t tempStep = static_cast<ptrdiff_t>(newWidth) * 4;
  std::vector<uint8_t> temp(static_cast<size_t>(tempStep) * sourceHeight);

  // Rows are stored bottom-up: each step to the next row goes back by a
  // row stride, which the bitmap gives even when it has a single row.
  auto rowStep = [](TBitmap& bmp) { return -static_cast<ptrdiff_t>(bmp.RowStride()); };
  TResampleTable table;
  BuildResampleTable(table, newWidth, sourceWidth, 4, filter);
  {
    auto* from = static_cast<const uint8_t*>(source.ScanLine(0));
    const ptrdiff_t fromStep = rowStep(source);
    for (int y = 0; y < sourceHeight; ++y)
      ResampleLine(reserved, 4, temp.data() + y * tempStep, from + y * fromStep, table, newWidth);
  }
  FreeResampleTable(table);

  target.SetPixelFormat(pf32bit);
  target.SetSize(newWidth, newHeight);
  BuildResampleTable(table, newHeight, sourceHeight, static_cast<int>(tempStep), filter);
  auto* to = static_cast<uint8_t*>(target.ScanLine(0));
  const ptrdiff_t toStep = rowStep(target);
  for (int x = 0; x < newWidth; ++x) ResampleLine(reserved, toStep, to + 4 * x, temp.data() + 4 * x, table, newHeight);
  FreeResampleTable(table);
}
