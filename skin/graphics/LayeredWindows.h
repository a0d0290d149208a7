#pragma once
// Layered windows, the system check-box glyph size and the desktop
// composition calls, each bound by name on first use.
#include "skin/graphics/SkinTypes.h"

bool LayeredWindowsAvailable();
// Shows a 32-bit bitmap (nil: a blank one of the window's size) on Wnd as
// a layered window with constant Alpha; Position nil keeps the window where
// it is.
void UpdateLayeredWnd(HWND Wnd, TBitmap* Bitmap, uint8_t Alpha, const TPoint* Position);
// Value: make Wnd layered (true when this call added the style) with
// Alpha; otherwise drop the layered style and the visible bit.
bool SetWndAlpha(HWND Wnd, bool Value, uint8_t Alpha);
// The bound SetLayeredWindowAttributes; false when the system lacks it.
bool acSetLayeredWindowAttributes(HWND Wnd, COLORREF Key, uint8_t Alpha, DWORD Flags);

int CheckBoxGlyphWidth();
int CheckBoxGlyphHeight();

bool acDwmIsCompositionEnabled();
HRESULT acDwmSetWindowAttribute(HWND Wnd, DWORD Attribute, const void* Data, DWORD Size);
void acDwmInvalidateIconicBitmaps(HWND Wnd);
