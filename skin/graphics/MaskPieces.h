#pragma once
// The stretched masked piece shared by the nine-piece painters: the piece
// and its mask resized to the target, then combined pixel by pixel.
#include "skin/graphics/SkinTypes.h"
#include <cstdint>

// Dst from the resized image pixel and mask pixel; Opacity as passed in.
using TMaskCombine = void (*)(uint32_t& Dst, uint32_t Img, uint32_t Mask, int Opacity);

// Count pixels of a target row from image and mask rows.
using TMaskCombineRow = void (*)(uint32_t* Dst, const uint32_t* Img, const uint32_t* Mask, int Count, int Opacity);

// A row combine made of a pixel combine, inlined into the loop.
template <TMaskCombine Pixel>
void CombineEach(uint32_t* Dst, const uint32_t* Img, const uint32_t* Mask, int Count, int Opacity) {
  for (int x = 0; x < Count; ++x) Pixel(Dst[x], Img[x], Mask[x], Opacity);
}

struct TMaskStretch {
  int MaskFilter;           // resampler filter for the mask of smooth pieces
  TMaskCombine Combine;     // every pixel of a resized piece
  TMaskCombine OnePixel;    // the one-pixel centre, mask pixel red in all channels
  int Opacity = 255;
  TMaskCombineRow CombineRow = nullptr;  // Combine along a row, when given
};

void StretchMaskedPiece(int X, int Y, int W, int H, int SrcX, int SrcY, int SrcW, int SrcH, TBitmap& Dst,
                        TBitmap& Src, int MaskOffset, bool IsCentre, const TMaskStretch& How);
void StretchBlock(TBitmap& Dst, int X, int Y, int W, int H, TBitmap& Src, int SrcX, int SrcY, int SrcW, int SrcH);

inline uint32_t ChannelOf(uint32_t p, int k) { return p >> (8 * k) & 0xFF; }
// Each colour channel: (target x m + source x (256 - m)) shr 8, m the mask's
// own channel; alpha as given.
inline uint32_t MixByMask(uint32_t dst, uint32_t src, uint32_t mask, uint32_t alpha) {
  uint32_t out = alpha;
  for (int k = 0; k < 3; ++k) {
    const uint32_t m = ChannelOf(mask, k);
    out |= ((ChannelOf(dst, k) * m + ChannelOf(src, k) * (256 - m)) >> 8 & 0xFF) << (8 * k);
  }
  return out;
}
// Each colour channel: (target x (255 - w) + source x w) shr 8.
inline uint32_t MixByWeight(uint32_t dst, uint32_t src, uint32_t w, uint32_t alpha) {
  uint32_t out = alpha;
  for (int k = 0; k < 3; ++k)
    out |= ((ChannelOf(dst, k) * (255 - w) + ChannelOf(src, k) * w) >> 8 & 0xFF) << (8 * k);
  return out;
}
