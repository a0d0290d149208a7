#pragma once
// Per-pixel walking, greyscale, and the disabled look of a control image.
#include "skin/graphics/SkinTypes.h"
#include <cstdint>

class TControl;

using PixelProc = void (*)(uint32_t* Pixel, int Value);

// Proc for every pixel, row 0 first; pixels equal to SkipColor (in pixel
// order) are left out unless it is ColorNone.
void ForEachPixel(TBitmap* Bmp, PixelProc Proc, int Value, TColor SkipColor = ColorNone);
void PixelOffsetProc(uint32_t* Pixel, int Value);
void PixelSaturationProc(uint32_t* Pixel, int Value);
void PixelHueProc(uint32_t* Pixel, int Value);
void PixelToneProc(uint32_t* Pixel, int Value);
void PixelOpaqueProc(uint32_t* Pixel, int Value);

void GrayscaleBmp(TBitmap& Bmp);
void GrayscaleBmpExcept(TBitmap& Bmp, uint32_t Key);

// The disabled look's saturation change and blend factor; only read here.
extern int DisabledSaturation;
extern double DisabledBlendFactor;
// Flags: 2 desaturate, 1 blend with what lies behind (CI at its offset
// plus Offset, or its fill colour, or the colour of Control).
void ApplyBmpEffects(TBitmap& Bmp, int Flags, TControl* Control, const TCacheInfo& CI, TPoint Offset);
