#pragma once
// The resize of ResampleBmp32 on plain top-down pixel rows, for temporary
// images that need no bitmap: same tables, same results.
#include <cstddef>
#include <cstdint>

// Pitches count pixels. Dst is unchanged for a size of 0 or less, a source
// under 2 pixels wide or high, or an unknown filter. UI thread only: the
// intermediate rows live in a buffer kept between calls.
void ResamplePixels(const uint32_t* Src, int SrcW, int SrcH, ptrdiff_t SrcPitch, uint32_t* Dst, int DstW, int DstH,
                    ptrdiff_t DstPitch, int Filter);
