#pragma once
// TRowResampler's results, byte for byte, summed in single-precision lanes
// (eight or sixteen at a time where the processor has AVX2 or AVX-512)
// instead of split 16-bit multiplies: the stretched centre of a masked skin
// part is most of its painting time.
#include "skin/graphics/ResamplePixels.h"
#include "skin/graphics/VectorWidth.h"
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// The widest instructions the rows may use; tests lower it to check the
// narrower ways. Wider ones the processor lacks are never used.
extern TVectorWidth FloatResampleWidest;

// One dimension's contributors as source indices and weights in units of a
// byte, the negative weights first in each entry (see the .cpp for why).
struct TFloatTaps {
  std::vector<int32_t> First;  // entry i's taps are First[i] .. First[i + 1] - 1
  std::vector<int32_t> Index;
  std::vector<float> Weight;
  // The same with Most taps for every entry, zero weights after the real
  // ones, tap k of all entries together: [k * entries + i].
  int Most = 0;
  std::vector<int32_t> PaddedIndex;
  std::vector<float> PaddedWeight;
};

class TFloatRowResampler : private TResizedRows {
 public:
  // As TRowResampler::Start; Src must stay valid until the last Row.
  bool Start(const uint32_t* Src, int SrcW, int SrcH, ptrdiff_t SrcPitch, int DstW, int DstH, int Filter);
  // Target row Y (0 <= Y < DstH) into Out, DstW pixels.
  void Row(int Y, uint32_t* Out) const;

 private:
  // The source rows resized to the target width, a float per byte, from
  // AcrossAt on: aligned to a cache line, so no wide load straddles two.
  std::vector<float> Across;
  float* AcrossAt = nullptr;
  std::shared_ptr<const TFloatTaps> Down;
};
