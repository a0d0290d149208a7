#pragma once
// The resize of ResampleBmp32 on plain top-down pixel rows, for temporary
// images that need no bitmap: same tables, same results.
#include "skin/graphics/Resample.h"
#include <cstddef>
#include <cstdint>
#include <vector>

// What a row resampler keeps of its source and target, and the rows it
// only copies when the sizes are equal.
class TResizedRows {
 protected:
  // False where ResamplePixels leaves its target unchanged.
  bool Begin(const uint32_t* Src, int SrcW, int SrcH, ptrdiff_t SrcPitch, int DstW, int DstH, int Filter);
  // True where the sizes are equal and row Y was copied into Out.
  bool CopiedRow(int Y, uint32_t* Out) const;

  const uint32_t* Src = nullptr;
  ptrdiff_t SrcPitch = 0;
  int Width = 0;
  bool Same = false;  // sizes equal: rows are copied
};

// One block resized a target row at a time, so a caller can use each row
// while it is still in cache: the horizontal pass is made once in Start.
class TRowResampler : private TResizedRows {
 public:
  // False where ResamplePixels leaves its target unchanged. Src must stay
  // valid until the last Row.
  bool Start(const uint32_t* Src, int SrcW, int SrcH, ptrdiff_t SrcPitch, int DstW, int DstH, int Filter);
  // Target row Y (0 <= Y < DstH) into Out, DstW pixels.
  void Row(int Y, uint32_t* Out) const;

 private:
  std::vector<uint32_t> Across;  // the source rows resized to the target width
  TResampleTable Across2, Down;
};

// Pitches count pixels. Dst is unchanged for a size of 0 or less, a source
// under 2 pixels wide or high, or an unknown filter. UI thread only: the
// intermediate rows live in a resampler kept between calls.
void ResamplePixels(const uint32_t* Src, int SrcW, int SrcH, ptrdiff_t SrcPitch, uint32_t* Dst, int DstW, int DstH,
                    ptrdiff_t DstPitch, int Filter);
