#include "skin/graphics/ResamplePixels.h"
#include "skin/graphics/Resample.h"
#include <algorithm>
#include <cstring>
#include <vector>

namespace {
uint8_t ToByte(int32_t sum) {
  if (sum < 0) return 0;
  if (sum > 0xFF0000) return 255;
  return static_cast<uint8_t>(sum >> 16);
}
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
  // Row by row, so that each contributing row is read straight along.
  const int rowBytes = DstW * 4;
  BuildResampleTable(table, DstH, SrcH, rowBytes, Filter);
  const uint8_t* rows = reinterpret_cast<const uint8_t*>(temp.data());
  for (int i = 0; i < DstH; ++i) {
    const TResampleEntry& entry = table.Entries[static_cast<size_t>(i)];
    uint8_t* out = reinterpret_cast<uint8_t*>(Dst + i * DstPitch);
    for (int x = 0; x < DstW; ++x) {
      int32_t b = 0, g = 0, r = 0, a = 0;
      for (int k = entry.Count - 1; k >= 0; --k) {
        const TContributor& c = entry.Contributors[k];
        const uint8_t* p = rows + c.Offset + 4 * x;
        b += c.Weight * p[0];
        g += c.Weight * p[1];
        r += c.Weight * p[2];
        a += c.Weight * p[3];
      }
      out[4 * x] = ToByte(b);
      out[4 * x + 1] = ToByte(g);
      out[4 * x + 2] = ToByte(r);
      out[4 * x + 3] = ToByte(a);
    }
  }
}
