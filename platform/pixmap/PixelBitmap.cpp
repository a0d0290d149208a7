#include "platform/pixmap/PixelBitmap.h"
#include "platform/rtl/Exceptions.h"
#include <fstream>
#include <limits>

namespace {

void RaiseOutside() { throw EInvalidOperation(u"Pixel outside the bitmap"); }

void PutLE(std::vector<char>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

TAlphaColor TBitmapData::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) RaiseOutside();
  return FBits[static_cast<size_t>(y) * FWidth + x];
}

void TBitmapData::SetPixel(int x, int y, TAlphaColor color) {
  if (!FWritable) throw EInvalidOperation(u"Bitmap is not mapped for writing");
  if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) RaiseOutside();
  FBits[static_cast<size_t>(y) * FWidth + x] = color;
}

TPixelBitmap::TPixelBitmap(int width, int height) { SetSize(width, height); }

void TPixelBitmap::SetSize(int width, int height) {
  if (FMapped) throw EInvalidOperation(u"Cannot resize a mapped bitmap");
  width = width < 0 ? 0 : width;
  height = height < 0 ? 0 : height;
  if (width == FWidth && height == FHeight) return;
  FPixels.assign(static_cast<size_t>(width) * height, 0);
  FWidth = width;
  FHeight = height;
}

bool TPixelBitmap::Map(TMapAccess access, TBitmapData& data) {
  if (IsEmpty() || FMapped) return false;
  FMapped = true;
  data.FBits = FPixels.data();
  data.FWidth = FWidth;
  data.FHeight = FHeight;
  data.FWritable = access != TMapAccess::Read;
  return true;
}

void TPixelBitmap::Unmap(TBitmapData& data) {
  if (data.FBits != FPixels.data()) return;
  data = TBitmapData();
  FMapped = false;
}

TAlphaColor TPixelBitmap::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) RaiseOutside();
  return FPixels[static_cast<size_t>(y) * FWidth + x];
}

void TPixelBitmap::SaveToStream(std::ostream& stream) const {
  constexpr uint32_t headerSize = 14 + 40;
  const uint64_t imageSize = static_cast<uint64_t>(FWidth) * FHeight * 4;
  if (imageSize > std::numeric_limits<uint32_t>::max() - headerSize)
    throw EWriteError(u"Bitmap too large for a BMP file");

  std::vector<char> out;
  out.reserve(headerSize + imageSize);
  // BITMAPFILEHEADER
  out.push_back('B');
  out.push_back('M');
  PutLE(out, headerSize + static_cast<uint32_t>(imageSize), 4);
  PutLE(out, 0, 4);
  PutLE(out, headerSize, 4);
  // BITMAPINFOHEADER: positive height, so rows are stored bottom-up.
  PutLE(out, 40, 4);
  PutLE(out, static_cast<uint32_t>(FWidth), 4);
  PutLE(out, static_cast<uint32_t>(FHeight), 4);
  PutLE(out, 1, 2);   // planes
  PutLE(out, 32, 2);  // bits per pixel
  PutLE(out, 0, 4);   // BI_RGB
  PutLE(out, static_cast<uint32_t>(imageSize), 4);
  PutLE(out, 3780, 4);  // 96 dpi in pixels per metre
  PutLE(out, 3780, 4);
  PutLE(out, 0, 4);
  PutLE(out, 0, 4);
  // $AARRGGBB stored little-endian is exactly the B, G, R, A byte order.
  for (int y = FHeight - 1; y >= 0; --y)
    for (int x = 0; x < FWidth; ++x) PutLE(out, FPixels[static_cast<size_t>(y) * FWidth + x], 4);

  stream.write(out.data(), static_cast<std::streamsize>(out.size()));
  if (!stream) throw EWriteError(u"Error writing the bitmap");
}

void TPixelBitmap::SaveToFile(const String& fileName) const {
  std::ofstream file(StringToUtf8(fileName), std::ios::binary | std::ios::trunc);
  if (!file) throw EFCreateError(u"Cannot create file \"" + fileName + u"\"");
  SaveToStream(file);
  file.close();
  if (!file) throw EFCreateError(u"Cannot create file \"" + fileName + u"\"");
}
