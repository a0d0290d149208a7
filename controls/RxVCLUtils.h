#pragma once
// Drawing, window and memory helpers shared by the library's controls.
#include "platform/ui/UiTypes.h"
#include "platform/rtl/String.h"
#include "platform/ui/graphics/Graphics.h"
#include "platform/ui/graphics/ImageList.h"

#include <memory>

// Draws the source rectangle of bitmap stretched into the destination
// rectangle, leaving the destination unchanged where the source has the
// transparent colour. A destination size of 0 or less takes the bitmap's
// size, a source size of 0 or less the whole bitmap. clNone copies plainly;
// clDefault takes the bitmap's bottom-left pixel (white when monochrome).
void BlitTransparent(TCanvas* dest, int dstX, int dstY, int dstW, int dstH, TBitmap* bitmap,
                     int srcX, int srcY, int srcW, int srcH, TColor transparentColor);
void DrawBitmapTransparent(TCanvas* dest, int x, int y, TBitmap* bitmap, TColor transparentColor);

// The embossed "disabled" look of a bitmap: background everywhere, the
// pixels of outline colour (white ones of a monochrome bitmap) drawn in
// the highlight colour one pixel down-right, then in the shadow colour in
// place.
std::unique_ptr<TBitmap> MakeDisabledBitmap(TBitmap* bitmap, TColor outlineColor,
                                            TColor backColor, bool drawHighlight,
                                            TColor shadowColor, TColor highlightColor);

// Text in a cell at (DX, DY) from its top-left corner. Single-line text on
// a pure colour goes straight onto the canvas; wrapped or multi-line text
// (or text on a dithered brush) is composed in one shared off-screen
// bitmap and copied in one step.
void WriteCellText(TCanvas* canvas, const TRect& rect, int dx, int dy, const String& text,
                   TAlignment alignment, bool wordWrap, bool rightToLeft);

// The silhouette of one image of the list (its opaque pixels): in the
// highlight colour one pixel down-right when asked, then in the shadow
// colour in place. The canvas's brush is restored.
void DrawImageDisabled(TCustomImageList* images, TCanvas* canvas, int x, int y, int index,
                       TColor highlightColor, TColor shadowColor, bool drawHighlight);

inline int RectWidth(const TRect& r) { return r.Right - r.Left; }
inline int RectHeight(const TRect& r) { return r.Bottom - r.Top; }
// The RGB value with the palette-relative flag set.
TColor PaletteRelativeColor(TColor color);

// The thread's active window is one of its own top-level windows.
bool AppWindowActive();
// Removes one queued message of that number for the window (any window of
// the thread when window is null); a removed quit request is posted again.
void RemovePendingMessage(HWND window, UINT message);

// A zero-filled block of global memory, or none for a size of 0 or less.
void* AllocZeroedBlock(long long size);
void FreeBlock(void*& block);

void SoundBeep();
// Texts the library shows pass through here; they are shown as they are.
String TranslateText(const String& text);
