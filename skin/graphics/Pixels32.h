#pragma once
// Pixel-level helpers on 32-bit bitmaps: single pixels, fills with alpha,
// alpha setting and premultiplication, byte order, key-colour copies and an
// icon made from a bitmap.
#include "skin/graphics/SkinTypes.h"
#include <cstdint>

class TsSkinManager;

// Both raise EInvalidGraphicOperation for a point outside the bitmap.
uint32_t Pixel32(TBitmap& Bmp, int X, int Y);
void SetPixel32(TBitmap& Bmp, int X, int Y, uint32_t Value);

// Right and bottom exclusive, cut to the bitmap.
void FillRect32(TBitmap& Bmp, const TRect& R, TColor Color, uint8_t Alpha);
void FillFrame32(TBitmap& Bmp, const TRect& R, int LeftWidth, int TopWidth, int RightWidth, int BottomWidth,
                 TColor Color);
// Right and bottom inclusive: keeps Percent of each pixel's colour.
void BlendRectWithColor(TBitmap& Bmp, const TRect& R, uint8_t Percent, TColor Color);
// SkipValue ColorNone sets every pixel; otherwise pixels equal to it keep
// their alpha.
void SetRectAlpha(TBitmap& Bmp, const TRect& R, uint8_t Alpha, uint32_t SkipValue);
void PremultiplyRect(TBitmap& Bmp, const TRect& R);
void PremultiplyBmp(TBitmap& Bmp);
void ZeroWhitePixels(TBitmap& Bmp);

constexpr uint32_t ColorToPixel(uint32_t Value) {
  return (Value & 0xFF00FF00u) | ((Value & 0xFFu) << 16) | ((Value >> 16) & 0xFFu);
}
constexpr uint32_t SwapRedAndBlue(uint32_t Value) { return ColorToPixel(Value); }
constexpr uint32_t ByteSwap32(uint32_t Value) {
  return (Value >> 24) | ((Value >> 8) & 0xFF00u) | ((Value << 8) & 0xFF0000u) | (Value << 24);
}
void ByteSwapArray32(uint32_t* Values, int Count);
void FillLongword(uint32_t* Dest, int Count, uint32_t Value);

// Copies Src pixels into Dst where a key mask says transparent: the target
// itself (ImageIndex -1), or the image part's corner chosen by CornerCode
// (13 top-left, 14 top-right, 16 bottom-left, 17 bottom-right).
void CopyUnderKeyColor(TBitmap& Dst, TBitmap& Src, const TRect& DstRect, const TRect& SrcRect, int ImageIndex,
                       TsSkinManager* Manager, int CornerCode);
// An icon whose transparent colour is the top-left pixel's; the caller owns it.
HICON IconFromBmp(TBitmap& Bmp, bool Ignored = false);
