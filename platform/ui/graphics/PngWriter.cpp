#include "platform/ui/graphics/PngWriter.h"
#include "platform/classes/Streams.h"
#include <zlib.h>
#include <cstring>
#include <vector>

namespace {

void Put32(std::string& out, uint32_t v) {
  out.push_back(static_cast<char>(v >> 24));
  out.push_back(static_cast<char>(v >> 16));
  out.push_back(static_cast<char>(v >> 8));
  out.push_back(static_cast<char>(v));
}

void PutChunk(std::string& out, const char type[4], const std::string& data) {
  Put32(out, static_cast<uint32_t>(data.size()));
  size_t start = out.size();
  out.append(type, 4);
  out += data;
  uLong crc = crc32(0L, Z_NULL, 0);
  crc = crc32(crc, reinterpret_cast<const Bytef*>(out.data() + start), static_cast<uInt>(out.size() - start));
  Put32(out, static_cast<uint32_t>(crc));
}

}  // namespace

std::string EncodePng(const uint8_t* bgra, int width, int height, bool withAlpha) {
  if (width <= 0 || height <= 0) throw EInvalidGraphicOperation(u"Cannot write an empty image as PNG");
  const int channels = withAlpha ? 4 : 3;
  const size_t rowBytes = 1 + static_cast<size_t>(width) * channels;
  std::vector<uint8_t> raw(rowBytes * height);
  for (int y = 0; y < height; ++y) {
    uint8_t* out = &raw[rowBytes * y];
    *out++ = 0;  // filter: none
    const uint8_t* in = bgra + static_cast<size_t>(width) * 4 * y;
    for (int x = 0; x < width; ++x, in += 4) {
      *out++ = in[2];
      *out++ = in[1];
      *out++ = in[0];
      if (withAlpha) *out++ = in[3];
    }
  }
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::string packed(packedSize, '\0');
  if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize, raw.data(), static_cast<uLong>(raw.size()),
                Z_DEFAULT_COMPRESSION) != Z_OK)
    throw EInvalidGraphicOperation(u"PNG compression failed");
  packed.resize(packedSize);

  std::string header;
  Put32(header, static_cast<uint32_t>(width));
  Put32(header, static_cast<uint32_t>(height));
  header += static_cast<char>(8);                   // bits per channel
  header += static_cast<char>(withAlpha ? 6 : 2);   // RGBA or RGB
  header.append(3, '\0');                           // deflate, adaptive filters, no interlace

  std::string png("\x89PNG\r\n\x1a\n", 8);
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", packed);
  PutChunk(png, "IEND", std::string());
  return png;
}

std::string BitmapToPng(TBitmap& bitmap, bool withAlpha) {
  TBitmap copy;
  TBitmap* source = &bitmap;
  if (bitmap.PixelFormat() != pf32bit && bitmap.PixelFormat() != pfDevice) {
    copy.Assign(bitmap);
    copy.SetPixelFormat(pf32bit);
    source = &copy;
  }
  const int w = source->Width();
  const int h = source->Height();
  std::vector<uint8_t> pixels(static_cast<size_t>(w) * 4 * h);
  for (int y = 0; y < h; ++y) std::memcpy(&pixels[static_cast<size_t>(w) * 4 * y], source->ScanLine(y), static_cast<size_t>(w) * 4);
  return EncodePng(pixels.data(), w, h, withAlpha);
}

void SaveBitmapAsPng(TBitmap& bitmap, const String& fileName, bool withAlpha) {
  std::string png = BitmapToPng(bitmap, withAlpha);
  TFileStream stream(fileName, fmCreate);
  stream.WriteBuffer(png.data(), static_cast<int64_t>(png.size()));
}
