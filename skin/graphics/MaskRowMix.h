#pragma once
// MixByMask along a row with opaque alpha, four or eight pixels at a time.
#include <cstdint>

// Dst[x] = MixByMask(Dst[x], Img[x], Mask[x], 0xFF000000) for Count pixels.
void MixRowByMask(uint32_t* Dst, const uint32_t* Img, const uint32_t* Mask, int Count, int Opacity);
