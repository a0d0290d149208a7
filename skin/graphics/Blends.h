#pragma once
// Opacity blends, colour and mask mixes, and the opaque rectangle copies
// with a key colour.
#include "skin/graphics/SkinTypes.h"

// Opacity is the target's weight: 0 lays the source over completely.
void BlendBmpRect(TBitmap& Dst, TBitmap& Src, uint8_t Opacity, TPoint DstPoint, const TRect& SrcRect);
// SrcRect (right and bottom inclusive) over Dst at (X, Y); Factor is the
// target's weight; pixels equal to KeyColor are skipped.
void CopyBmpBlended(TBitmap& Dst, int X, int Y, TBitmap& Src, const TRect& SrcRect, double Factor,
                    TColor KeyColor);
// Factor 1 keeps a pixel, 0 gives the colour; key pixels are kept.
void MixBmpWithColor(TBitmap& Bmp, TColor Color, double Factor);
// White in Mask keeps the target, black gives the colour.
void TintBmpByMask(TBitmap& Dst, TBitmap& Mask, TColor Color);
// Dst := mix of A and B by Value (0 gives B), or by the channels of Mask.
void MixBitmaps(TBitmap& Dst, TBitmap& A, TBitmap& B, TBitmap* Mask, uint16_t Value);
// Opaque copies of SrcRect (right and bottom inclusive) to (X, Y).
void CopyRectByKey(TBitmap& Dst, TBitmap& Src, int X, int Y, const TRect& SrcRect, uint32_t KeyColor,
                   const TCacheInfo& CI, bool FillKey);
void CopyRectExceptKey(TBitmap& Dst, TBitmap& Src, int X, int Y, const TRect& SrcRect, TColor KeyColor,
                       const TCacheInfo& CI = EmptyCacheInfo);
