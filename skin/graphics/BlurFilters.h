#pragma once
// Blur of 8-bit masks and smoothing of 32-bit bitmaps with alpha, in place,
// rows first and then columns.
#include "platform/ui/graphics/Bitmap.h"
#include <cstdint>

// Weights for the offsets -16 to 16, of which -Size to Size are applied.
struct TBlurKernel {
  uint8_t Size = 0;
  float Weights[33] = {};
  float Weight(int offset) const { return Weights[offset + 16]; }
};

// A kernel of equal weights wherever the Gaussian of the radius is above
// one half, cut where the weights left out stay below granularity /
// (2 x maxValue). A radius of 0 or less gives the identity kernel.
void MakeBlurKernel(TBlurKernel& kernel, double radius, double maxValue, double granularity);

// value kept within lower and upper.
int ClampToRange(int lower, int upper, int value);
// value truncated toward zero within lower and upper (upper from upper on).
int ClampRealToRange(int lower, int upper, double value);

// Blurs line[0..lastIndex] with the end samples repeated beyond the ends;
// scratch holds lastIndex + 1 bytes.
void BlurRow8(uint8_t* line, int lastIndex, const TBlurKernel& kernel, uint8_t* scratch);
// Blurs an 8-bit bitmap; anything else, or a radius of 0 or less, is left
// as it is.
void BlurBmp8(TBitmap& bmp, double radius);

// Three-tap smoothing of BGRA pixels that also spreads the colour of opaque
// pixels into transparent neighbours; scratch holds lastIndex + 1 pixels.
void SmoothRow32(uint32_t* line, int lastIndex, uint32_t* scratch);
// Smooths a 32-bit bitmap; other formats are left as they are.
void SmoothBmp(TBitmap& bmp);
