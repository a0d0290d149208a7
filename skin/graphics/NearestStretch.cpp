#include "skin/graphics/NearestStretch.h"
#include <cstddef>
#include <cstdint>

void NearestIndices(int DstLen, int SrcLen, std::vector<int>& Indices) {
  Indices.assign(static_cast<size_t>(DstLen > 0 ? DstLen : 0), 0);
  if (DstLen <= 0 || SrcLen <= 0) return;
  for (int i = 0; i < DstLen; ++i)
    Indices[static_cast<size_t>(i)] = static_cast<int>(((2 * int64_t{i} + 1) * SrcLen - 1) / (2 * int64_t{DstLen}));
}
