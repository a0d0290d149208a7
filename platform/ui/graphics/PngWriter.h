#pragma once
// PNG output of bitmaps (8 bits per channel, no interlace), for screenshots
// and test artefacts.
#include "platform/ui/graphics/Bitmap.h"
#include <string>

// Pixels as bytes in blue, green, red, alpha order, rows top-down with no
// padding, encoded as a PNG file image. Without withAlpha the alpha bytes
// are ignored and the PNG is RGB.
std::string EncodePng(const uint8_t* bgra, int width, int height, bool withAlpha);

// The bitmap (any pixel format) as PNG. GDI leaves the alpha of what it
// draws at 0, so alpha is written only when asked for.
std::string BitmapToPng(TBitmap& bitmap, bool withAlpha = false);
void SaveBitmapAsPng(TBitmap& bitmap, const String& fileName, bool withAlpha = false);
