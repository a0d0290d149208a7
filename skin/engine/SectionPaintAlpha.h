#pragma once
// Section painting into bitmaps whose alpha matters (layered windows, or
// images blended later).
#include "skin/graphics/SkinData.h"

void PaintSectionAlpha(TBitmap* Bmp, const TRect& R, int SkinIndex, int State, TsSkinManager* SkinManager);
void PaintSectionBgAlpha(TBitmap& Bmp, const TRect& R, int SkinIndex, int State, TsSkinManager* SkinManager,
                         TColor CustomColor = KeyColor);
// Each channel moves Percent of the way to Color; alpha becomes Alpha.
void BlendFillRect32(TBitmap& Bmp, TRect R, TColor Color, int Percent, uint8_t Alpha);
