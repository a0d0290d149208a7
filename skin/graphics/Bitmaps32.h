#pragma once
// 32-bit device-independent bitmaps: creating, cloning, reaching their rows,
// and the copies that move whole pixels or single byte channels.
#include "skin/graphics/SkinTypes.h"
#include <cstddef>
#include <memory>

// A 32-bit DIB of the size; one that cannot be made comes back 0 x 0.
std::unique_ptr<TBitmap> NewBmp32(int Width, int Height);
std::unique_ptr<TBitmap> NewBmp32ForRect(const TRect& R);
std::unique_ptr<TBitmap> NewBmp32ForSize(const TSize& Size);
std::unique_ptr<TBitmap> NewBmp32Like(const TBitmap& Bmp);
// Size and pixel format of Bmp (the format is kept, not forced to 32 bits).
std::unique_ptr<TBitmap> NewBmpLike(const TBitmap& Bmp);
void CloneBmp(TBitmap& Dst, TBitmap& Src);
void Force32Bit(TBitmap& Bmp);

// Row 0 and the signed distance to row 1 (0 for one row); false for a
// bitmap without rows.
bool ScanlineBase(TBitmap* Bmp, uint8_t*& Row0, ptrdiff_t& Stride);

// Rows of a 32-bit bitmap as pixel pointers, for the pixel loops.
class TPixelRows {
public:
  explicit TPixelRows(TBitmap* Bmp);
  bool Valid() const { return FRow0 != nullptr; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  uint32_t* Row(int y) const { return reinterpret_cast<uint32_t*>(FRow0 + y * FStride); }
  uint32_t& At(int x, int y) const { return Row(y)[x]; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < FWidth && y < FHeight; }

private:
  uint8_t* FRow0 = nullptr;
  ptrdiff_t FStride = 0;
  int FWidth = 0;
  int FHeight = 0;
};

// Src over Dst with its top-left at (X, Y), skipping pixels equal to the
// key in pixel order; copied pixels become opaque.
void CopyExceptKey(TBitmap& Dst, TBitmap& Src, int X, int Y, TColor Key);
// Byte Channel (0 blue .. 3 alpha) of each pixel, over the overlap of both.
void CopyChannel(TBitmap& Dst, TBitmap& Src, int Channel);
// Between byte Channel of a 32-bit bitmap and an 8-bit bitmap, over the
// overlap of both.
void ExchangeChannel8(TBitmap& Bmp32, TBitmap& Bmp8, int Channel, bool ToBmp8);
// The image half of a masked skin image as a new 32-bit bitmap whose alpha
// is 255 minus the red of the mask half; nil when empty.
std::unique_ptr<TBitmap> CopyMaskImagePart(TBitmap& Bmp, const TRect& R);
