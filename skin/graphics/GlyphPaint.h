#pragma once
// Bitmaps drawn onto canvases and icons, and single frames of multi-frame
// glyph bitmaps with their reflection.
#include "skin/graphics/SkinTypes.h"

// Filled in by the skin manager: true when glyph frames follow the standard
// order (no default manager, or its StdGlyphsOrder option is set). Unset,
// there is no default manager.
extern bool (*DefaultGlyphsInStdOrder)();

void DrawBmp32OnCanvas(TCanvas& Canvas, TBitmap& Bmp, const TRect& R, bool Reflected = false);
// The caller owns the icon; BackColor does not change it.
HICON BmpToIcon(TBitmap& Bmp, TColor BackColor = ColorNone);
void PaintStateGlyph(TBitmap& Glyph, TBitmap& Dst, TRect R, int FrameCount, bool Enabled, int Mode, int Blend,
                     int State, bool Reflected);
void PaintGlyphReflection(TBitmap& Dst, TBitmap& Src, TPoint DstPoint, const TRect& SrcRect, TColor KeyColor,
                          int Blend);
