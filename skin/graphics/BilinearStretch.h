#pragma once
// Scaling of 32-bit pixels by two-tap bilinear averaging in 8.8 fixed point:
// the frames of a zoom animation, where GDI's halftone stretch costs a
// frame's whole time budget.
#include "skin/graphics/SkinTypes.h"

// Draws Src scaled into the rectangle R of Dst (right and bottom exclusive;
// the parts outside Dst are left out), pixel centres matched, each target
// pixel the average of the two nearest source rows and of the two nearest
// columns in them. Alpha is averaged like the colours, which keeps
// premultiplied pixels premultiplied. False, with Dst untouched, unless
// both are 32-bit bitmaps.
bool StretchBilinear32(TBitmap& Dst, const TRect& R, TBitmap& Src);
