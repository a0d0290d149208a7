#pragma once
// One state frame of a skin image part drawn unscaled at a point.
#include "skin/graphics/SkinData.h"

// Mode 1 draws the glyph normally, any other mode faded.
void PaintMaskGlyph(TBitmap& Bmp, TPoint P, int State, int Mode, const TsMaskData& MaskData, const TCacheInfo& CI);
// The masked copy of a glyph; both rectangles have inclusive right and
// bottom edges.
void CopyGlyphByMask(const TRect& DstRect, const TRect& SrcRect, TBitmap& Dst, TBitmap& Src, int Mode,
                     const TsMaskData& MaskData);
