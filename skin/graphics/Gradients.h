#pragma once
// Gradient bands painted into 32-bit bitmaps, alone or mixed with a tiled
// texture.
#include "skin/graphics/SkinData.h"

// Mode1 of the first band: 0 bands top to bottom, 1 left to right, 2 the
// four-corner gradient through the platform's gradient fill.
void PaintGrad(TBitmap& Bmp, TRect R, const TsGradArray& Bands, int Ignored = 0, int Offset = 0);
// TextureRect empty means the whole texture; Share is the texture's weight.
void PaintGradOverTexture(TBitmap& Bmp, TRect R, const TsGradArray& Bands, TBitmap& Texture, TRect TextureRect,
                          int Share, uint8_t Alpha);
// False when the platform has no gradient fill.
bool GradientFillBound();
