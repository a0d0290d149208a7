#pragma once
// Pictures of windows for the animations: a control with its child windows
// painted into a 32-bit bitmap, a skinned dialog's client, and cut-outs.
#include "skin/graphics/SkinTypes.h"
#include <vector>

class TControl;
class TacDialogWnd;
class TsSkinProvider;

// Paints Control and its child windows into Bitmap at the DC's current
// origin; an invisible control without a provider gives its parent's
// background at (X, Y) instead.
void PaintControlToBmp(TBitmap& Bitmap, TControl* Control, int X, TsSkinProvider* Provider, int Y);
void PaintChildWindows(TControl* Control, TBitmap& Bitmap);
// Each rectangle becomes fully transparent.
void ClearRects(const std::vector<TRect>& Rects, TBitmap& Bitmap);
// The dialog's client at its offsets inside Bitmap: read from the screen, or
// printed from its child windows.
void CaptureDialogImage(TacDialogWnd* Dlg, TBitmap& Bitmap, bool FromScreen);
// Moves the DC's window origin so that (0, 0) lands at (X, Y).
void MoveWindowOrg(HDC DC, int X, int Y);
