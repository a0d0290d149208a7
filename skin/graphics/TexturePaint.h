#pragma once
// A skin image part laid as a texture: opaque on a canvas, or masked from
// the master bitmap into a 32-bit bitmap.
#include "skin/graphics/SkinData.h"

// On return R holds what the texture left uncovered, or (-1, -1, -1, -1)
// when it covered everything. Bmp is accepted and not used.
void PaintTexture(TCanvas& Canvas, TRect& R, TBitmap* Bmp, const TsMaskData& MaskData, int DrawMode);
// Modes 0 and 10; R becomes (-1, -1, -1, -1).
void PaintMaskedTexture(TBitmap& Bmp, TRect& R, const TCacheInfo& CI, const TsMaskData& MaskData, int DrawMode);
