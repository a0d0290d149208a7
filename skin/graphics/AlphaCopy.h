#pragma once
// Composing 32-bit bitmaps by their alpha channel, over what lies behind
// them (TCacheInfo), and through the mask of a skin image part.
#include "skin/graphics/SkinData.h"

// SrcRect of Src over DstRect of Dst by the source alpha, with an optional
// tint (ColorNone: none), extra transparency Blend (0..100) and a fading
// mirror image below. Src is switched to 32 bits first.
void AlphaCopy32(const TRect& DstRect, const TRect& SrcRect, TBitmap& Dst, TBitmap* Src, const TCacheInfo& CI,
                 bool FillKey, TColor TintColor = ColorNone, int Blend = 0, bool Reflected = false);
// Alpha copy that raises the target alpha; key pixels may take the parent's.
void AlphaCopyWithBg(const TRect& DstRect, const TRect& SrcRect, TBitmap& Dst, TBitmap* Src, const TCacheInfo& CI,
                     bool FillKey);
// The image half of a masked skin image through its mask half.
void CopyRectByMask(const TRect& DstRect, const TRect& SrcRect, TBitmap& Dst, TBitmap& Src, const TCacheInfo& CI,
                    bool FillKey, const TsMaskData& MaskData);

// The block the rectangle pairs agree on after clipping to both bitmaps.
struct TBlock {
  int DstX = 0, DstY = 0, SrcX = 0, SrcY = 0, Width = 0, Height = 0;
  bool Empty() const { return Width <= 0 || Height <= 0; }
};
TBlock ClipRectPair(const TRect& DstRect, const TRect& SrcRect, TSize DstSize, TSize SrcSize);
