#pragma once
// Nine-piece painting that builds the target's alpha, and the outer border
// strips of a masked part at an opacity.
#include "skin/graphics/SkinData.h"

void PaintMaskRectAlpha(TBitmap& Bmp, const TRect& R, const TCacheInfo& CI, const TsMaskData& MaskData, int State);
// Strips holds the widths of the left, top, right and bottom strips.
void PaintMaskBorders(TBitmap& Bmp, const TRect& R, const TCacheInfo& CI, const TsMaskData& MaskData, int State,
                      const TRect& Strips, int Opacity);

// The piece routines of the two painters.
void CopyRectByMaskAlpha(const TRect& DstRect, const TRect& SrcRect, TBitmap& Dst, TBitmap& Src, const TCacheInfo& CI,
                         const TsMaskData& MaskData);
void CopyRectByMaskOpacity(const TRect& DstRect, const TRect& SrcRect, TBitmap& Dst, TBitmap& Src,
                           const TCacheInfo& CI, const TsMaskData& MaskData, int Opacity);
void StretchMaskPieceAlpha(int X, int Y, int W, int H, int SrcX, int SrcY, int SrcW, int SrcH, TBitmap& Dst,
                           TBitmap& Src, int MaskOffset, bool IsCentre);
void StretchMaskPieceOpacity(int X, int Y, int W, int H, int SrcX, int SrcY, int SrcW, int SrcH, TBitmap& Dst,
                             TBitmap& Src, int MaskOffset, int Opacity, bool IsCentre);
