#include "skin/graphics/ResamplePixels.h"
#include "skin/graphics/Resample.h"
#include <algorithm>
#include <cstring>
#include <vector>

namespace {
// 16.16 to a byte, below 0 as 0 and above 255 as 255.
inline uint8_t ToByte(int32_t sum) { return static_cast<uint8_t>(std::clamp(sum, 0, 0xFF0000) >> 16); }
}  // namespace

void ResamplePixels(const uint32_t* Src, int SrcW, int SrcH, ptrdiff_t SrcPitch, uint32_t* Dst, int DstW, int DstH,
                    ptrdiff_t DstPitch, int Filter) {
  if (DstW <= 0 || DstH <= 0 || Filter < 0 || Filter >= ResampleFilterCount || SrcW < 2 || SrcH < 2) return;
  if (SrcW == DstW && SrcH == DstH) {
    for (int y = 0; y < SrcH; ++y) std::memcpy(Dst + y * DstPitch, Src + y * SrcPitch, sizeof(uint32_t) * SrcW);
    return;
  }
  // Kept between calls: painting asks for the same sizes again and again.
  static std::vector<uint32_t> temp;
  temp.resize(static_cast<size_t>(DstW) * static_cast<size_t>(SrcH));
  TResampleTable table;
  BuildResampleTable(table, DstW, SrcW, 4, Filter);
  for (int y = 0; y < SrcH; ++y)
    ResampleLine(0, 4, reinterpret_cast<uint8_t*>(temp.data() + static_cast<size_t>(y) * DstW),
                 reinterpret_cast<const uint8_t*>(Src + y * SrcPitch), table, DstW);
  // Row by row: one weight per contributing row, laid along the whole row,
  // which the compiler turns into wide multiplies.
  const int rowBytes = DstW * 4;
  BuildResampleTable(table, DstH, SrcH, rowBytes, Filter);
  const uint8_t* rows = reinterpret_cast<const uint8_t*>(temp.data());
  static std::vector<int32_t> sums;
  sums.resize(static_cast<size_t>(rowBytes));
  int32_t* acc = sums.data();
  for (int i = 0; i < DstH; ++i) {
    const TResampleEntry& entry = table.Entries[static_cast<size_t>(i)];
    std::fill(acc, acc + rowBytes, 0);
    for (int k = entry.Count - 1; k >= 0; --k) {
      const TContributor& c = entry.Contributors[k];
      const int32_t w = c.Weight;
      if (w == 0) continue;
      const uint8_t* p = rows + c.Offset;
      for (int j = 0; j < rowBytes; ++j) acc[j] += w * p[j];
    }
    uint8_t* out = reinterpret_cast<uint8_t*>(Dst + i * DstPitch);
    for (int j = 0; j < rowBytes; ++j) out[j] = ToByte(acc[j]);
  }
}
