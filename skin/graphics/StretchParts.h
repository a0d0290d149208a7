#pragma once
// Nine-part copy of a bitmap rectangle by block copies.
#include "skin/graphics/SkinTypes.h"
#include <array>

enum TacSideMode : int { dmRepeat = 0, dmStretch = 1 };

// Margins hold the left, top, right and bottom widths. SideModes per side
// (left, top, right, bottom): 0 tiles, 1 stretches, anything else leaves
// the side undrawn.
void StretchBmpParts(TBitmap& Dst, TBitmap& Src, const TRect& DstRect, const TRect& SrcRect, const TRect& SrcMargins,
                     const TRect& DstMargins, const std::array<int, 4>& SideModes, bool StretchCentre,
                     bool DrawCentre);
