#pragma once
// Resizing of 32-bit bitmaps with alpha through one of seven filters, with
// contributor tables in 16.16 fixed point built once per dimension.
#include "platform/ui/graphics/Bitmap.h"
#include <cstdint>
#include <vector>

// Filter numbers: 0 box, 1 triangle, 2 Hermite, 3 bell, 4 cubic B-spline,
// 5 windowed sinc, 6 Mitchell.
constexpr int ResampleFilterCount = 7;
double ResampleFilterSupport(int filter);
// The weight at distance t (signed for the box).
double ResampleFilterWeight(int filter, double t);

struct TContributor {
  int32_t Offset;  // bytes from the start of the source line
  int32_t Weight;  // 16.16
};

struct TResampleEntry {
  int32_t Count = 0;
  TContributor* Contributors = nullptr;
};

// One entry per target sample; every entry's list has room for the most
// contributors any sample can have.
struct TResampleTable {
  std::vector<TResampleEntry> Entries;
  std::vector<TContributor> Block;
};

void BuildResampleTable(TResampleTable& table, int targetSize, int sourceSize, int stride, int filter);
void FreeResampleTable(TResampleTable& table);
// count target pixels, targetStep bytes apart, each from its contributors.
void ResampleLine(int reserved, ptrdiff_t targetStep, uint8_t* target, const uint8_t* source,
                  const TResampleTable& table, int count);

// Resamples source into target at newWidth x newHeight; both may be the
// same bitmap. Target is unchanged for a size of 0 or less, a source under 2
// pixels wide or high, or an unknown filter.
void ResampleBmp32(TBitmap& source, TBitmap& target, int newWidth, int newHeight, int filter, int reserved = 0);
