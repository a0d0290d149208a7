#pragma once
// Window regions from the key pixels of bitmaps and skin image parts.
#include "skin/graphics/SkinData.h"
#include <vector>

using TAOR = std::vector<TRect>;

// One rectangle per horizontal run of pixels whose whole value equals the
// low 24 bits of Color.
void CollectColorRects(TAOR& Rects, TBitmap& Bmp, TColor Color);
// The whole bitmap less those runs; the caller owns the region.
void RegionFromBmp(HRGN& Region, TBitmap& Bmp, TColor Color);
// Runs of key pixels in the top (or bottom) corners of frame 0 of an image
// part, placed as they lie on a target Width pixels wide from row Y.
void CollectKeyRects(TAOR& Rects, int Width, const TsMaskData& MaskData, int Y, bool Bottom);
