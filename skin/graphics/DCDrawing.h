#pragma once
// Drawing on device contexts with solid brushes and block copies.
#include "skin/graphics/SkinTypes.h"

class TWinControl;

// Saves a DC's state for a drawing and puts it back however the drawing ends.
class TSavedDC {
public:
  explicit TSavedDC(HDC DC) : FDC(DC), FSaved(SaveDC(DC)) {}
  ~TSavedDC() { RestoreDC(FDC, FSaved); }
  TSavedDC(const TSavedDC&) = delete;
  TSavedDC& operator=(const TSavedDC&) = delete;

private:
  HDC FDC;
  int FSaved;
};

// Library-wide, false at start: when set, graphic children are not clipped out.
extern bool SkipGraphicChildClip;

void FillDCRect(HDC DC, const TRect& R, TColor Color);
void FillDCFrame(HDC DC, const TRect& R, int LeftWidth, int TopWidth, int RightWidth, int BottomWidth,
                 TColor Color);
// The frame of width Border of a Width x Height area; the top and right
// strips run Border pixels past the area, as callers expect.
void BlitBorderStrips(HDC DstDC, int X, int Y, int Width, int Height, HDC SrcDC, int SrcX, int SrcY, int Border);
// Leaves the visible graphic children of Control out of DC's clipping.
void ClipGraphicChildren(HDC DC, TWinControl* Control, bool Flag, int OffsetX, int OffsetY);
