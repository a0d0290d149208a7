#pragma once
// Small shapes drawn pixel by pixel or with pens: arrows, dotted and
// bevelled frames, a soft rounded shadow.
#include "skin/graphics/SkinTypes.h"

// Direction 0 left, 1 up, 2 right, 3 down; other values draw nothing.
void DrawSmallArrow(TCanvas& Canvas, TColor Color, const TRect& R, int Direction);
// A colour of ColorNone is not drawn.
void DrawDotFrame(TCanvas& Canvas, const TRect& R, TColor ColorA, TColor ColorB);
// Count bevelled frames; on return R is the area inside them and Count 0.
void DrawNestedFrames(HDC DC, TRect& R, TColor LightColor, int& Count, TColor DarkColor);
void PaintRoundShadow(TBitmap& Bmp, const TRect& R, int Darkness, TColor Color, int Size, int Radius);
