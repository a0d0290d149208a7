#pragma once
// A plain 32-bit pixel bitmap: the pixel target of the barcode component,
// saved by the application as a BMP file. Platform-free on purpose.
#include "platform/rtl/String.h"
#include <cstdint>
#include <iosfwd>
#include <vector>

// $AARRGGBB.
using TAlphaColor = uint32_t;

enum class TMapAccess { Read, Write, ReadWrite };

// A mapped view of a bitmap's pixels, valid between Map and Unmap.
class TBitmapData {
public:
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  TAlphaColor GetPixel(int x, int y) const;
  // Raises EInvalidOperation for a point outside the bitmap or a read-only map.
  void SetPixel(int x, int y, TAlphaColor color);

private:
  friend class TPixelBitmap;
  TAlphaColor* FBits = nullptr;
  int FWidth = 0;
  int FHeight = 0;
  bool FWritable = false;
};

class TPixelBitmap {
public:
  TPixelBitmap() = default;
  TPixelBitmap(int width, int height);
  TPixelBitmap(const TPixelBitmap&) = delete;
  TPixelBitmap& operator=(const TPixelBitmap&) = delete;

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  bool IsEmpty() const { return FWidth == 0 || FHeight == 0; }
  void SetWidth(int value) { SetSize(value, FHeight); }
  void SetHeight(int value) { SetSize(FWidth, value); }
  // Resizing clears the pixels to transparent black; negative sizes are 0.
  void SetSize(int width, int height);

  // Fails (returns false) on an empty bitmap or while already mapped.
  bool Map(TMapAccess access, TBitmapData& data);
  void Unmap(TBitmapData& data);

  // Reads one pixel; a point outside the bitmap raises EInvalidOperation.
  TAlphaColor Pixel(int x, int y) const;

  // A 32-bit uncompressed BMP, bottom-up, alpha kept in the fourth byte.
  void SaveToStream(std::ostream& stream) const;
  // Raises EFCreateError when the file cannot be written. The name is a
  // path of the host file system (relative names resolve against the
  // process's working folder).
  void SaveToFile(const String& fileName) const;

private:
  std::vector<TAlphaColor> FPixels;
  int FWidth = 0;
  int FHeight = 0;
  bool FMapped = false;
};
