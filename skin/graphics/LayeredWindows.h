#pragma once
// Layered windows, the system check-box glyph size and the desktop
// composition calls, each bound by name on first use.
#include "skin/graphics/SkinTypes.h"

// The bound layered-window entry points (nil when the system lacks one);
// tests may put recorders in their place.
struct TLayeredWindowProcs {
  BOOL(WINAPI* UpdateLayeredWindow)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD) = nullptr;
  BOOL(WINAPI* SetLayeredWindowAttributes)(HWND, COLORREF, BYTE, DWORD) = nullptr;
};
TLayeredWindowProcs& LayeredWindowProcs();

bool LayeredWindowsAvailable();
// The bound UpdateLayeredWindow; false when the system lacks it.
bool acUpdateLayeredWindow(HWND Wnd, HDC ScreenDC, POINT* Position, SIZE* Size, HDC SourceDC, POINT* Source,
                           COLORREF Key, BLENDFUNCTION* Blend, DWORD Flags);
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
