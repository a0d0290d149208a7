#include "platform/ui/graphics/BmpFormat.h"
#include "platform/ui/graphics/GraphicErrors.h"
#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

constexpr size_t FileHeaderSize = 14;
constexpr size_t InfoHeaderSize = 40;
constexpr uint32_t BiRgb = 0;
constexpr uint32_t BiBitfields = 3;

[[noreturn]] void Invalid(const char16_t* reason) {
  throw EInvalidGraphic(String(u"Bitmap image is not valid: ") + reason);
}

uint16_t U16(std::string_view d, size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(d[at]) | (static_cast<uint8_t>(d[at + 1]) << 8));
}
uint32_t U32(std::string_view d, size_t at) { return U16(d, at) | (static_cast<uint32_t>(U16(d, at + 2)) << 16); }
int32_t I32(std::string_view d, size_t at) { return static_cast<int32_t>(U32(d, at)); }

void Put16(std::string& out, uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}
void Put32(std::string& out, uint32_t v) {
  Put16(out, static_cast<uint16_t>(v & 0xFFFF));
  Put16(out, static_cast<uint16_t>(v >> 16));
}

}  // namespace

uint64_t DibRowStride64(int width, int bitCount) {
  if (width <= 0 || bitCount <= 0) return 0;
  return ((static_cast<uint64_t>(width) * static_cast<uint64_t>(bitCount) + 31) / 32) * 4;
}

int DibRowStride(int width, int bitCount) { return static_cast<int>(DibRowStride64(width, bitCount)); }

TDibPixels ReadBmp(std::string_view data, size_t* consumed) {
  if (data.size() < FileHeaderSize + 4) Invalid(u"the file is too short");
  if (data[0] != 'B' || data[1] != 'M') Invalid(u"missing the BM signature");
  uint32_t offBits = U32(data, 10);
  uint32_t headerSize = U32(data, FileHeaderSize);
  if (headerSize < InfoHeaderSize) Invalid(u"unsupported header");
  if (data.size() - FileHeaderSize < headerSize) Invalid(u"truncated header");
  const size_t h = FileHeaderSize;
  int32_t width = I32(data, h + 4);
  int32_t height = I32(data, h + 8);
  uint16_t planes = U16(data, h + 12);
  uint16_t bitCount = U16(data, h + 14);
  uint32_t compression = U32(data, h + 16);
  uint32_t colorsUsed = U32(data, h + 32);

  if (planes != 1) Invalid(u"plane count is not 1");
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)
    Invalid(u"unsupported bit count");
  size_t pos = h + headerSize;
  if (compression == BiBitfields && bitCount == 32) {
    // Only the ordinary byte layout (blue, green, red, alpha) is accepted.
    // The three masks follow the 40-byte header, inside a larger header or
    // after it; a header of 41 to 51 bytes holds only part of them.
    const size_t masksAt = h + InfoHeaderSize;
    if (data.size() < masksAt + 12) Invalid(u"truncated colour masks");
    pos = std::max(pos, masksAt + 12);
    if (U32(data, masksAt) != 0x00FF0000 || U32(data, masksAt + 4) != 0x0000FF00 || U32(data, masksAt + 8) != 0x000000FF)
      Invalid(u"unsupported colour masks");
  } else if (compression != BiRgb) {
    Invalid(u"unsupported compression");
  }
  if (width <= 0 || height == 0 || height == INT32_MIN) Invalid(u"bad dimensions");
  bool topDown = height < 0;
  int rows = topDown ? -height : height;

  TDibPixels pixels;
  pixels.Width = width;
  pixels.Height = rows;
  pixels.BitCount = bitCount;
  if (bitCount <= 8) {
    uint32_t maxColors = 1u << bitCount;
    uint32_t count = colorsUsed == 0 ? maxColors : colorsUsed;
    if (count > maxColors) Invalid(u"colour count out of range");
    if ((data.size() - pos) / 4 < count) Invalid(u"truncated colour table");
    pixels.Palette.resize(maxColors, 0);  // indices past the table show black
    for (uint32_t i = 0; i < count; ++i) pixels.Palette[i] = U32(data, pos + 4 * i) & 0x00FFFFFF;
    pos += 4 * static_cast<size_t>(count);
  }
  if (offBits != 0) {
    if (offBits < pos || offBits > data.size()) Invalid(u"pixel data offset out of range");
    pos = offBits;
  }
  const uint64_t stride = DibRowStride64(width, bitCount);
  const uint64_t bitsSize = stride * static_cast<uint64_t>(rows);
  if (bitsSize > data.size() - pos) Invalid(u"truncated pixel data");
  // Drawn as 32-bit pixels with int sizes: no bigger than that may pass.
  if (static_cast<uint64_t>(width) * static_cast<uint64_t>(rows) * 4 > static_cast<uint64_t>(INT32_MAX))
    Invalid(u"bad dimensions");
  std::string_view bits = data.substr(pos, static_cast<size_t>(bitsSize));
  if (topDown) {
    pixels.Bits.resize(bits.size());
    for (int y = 0; y < rows; ++y)
      std::memcpy(&pixels.Bits[static_cast<size_t>(stride * (rows - 1 - y))], bits.data() + stride * y, stride);
  } else {
    pixels.Bits.assign(bits);
  }
  if (consumed) *consumed = pos + static_cast<size_t>(bitsSize);
  return pixels;
}

std::string WriteBmp(const TDibPixels& pixels) {
  size_t colors = pixels.BitCount <= 8 ? pixels.Palette.size() : 0;
  uint32_t offBits = static_cast<uint32_t>(FileHeaderSize + InfoHeaderSize + 4 * colors);
  std::string out;
  out.reserve(offBits + pixels.Bits.size());
  out += "BM";
  Put32(out, static_cast<uint32_t>(offBits + pixels.Bits.size()));
  Put32(out, 0);
  Put32(out, offBits);
  Put32(out, InfoHeaderSize);
  Put32(out, static_cast<uint32_t>(pixels.Width));
  Put32(out, static_cast<uint32_t>(pixels.Height));
  Put16(out, 1);
  Put16(out, static_cast<uint16_t>(pixels.BitCount));
  Put32(out, BiRgb);
  Put32(out, static_cast<uint32_t>(pixels.Bits.size()));
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, static_cast<uint32_t>(colors));
  Put32(out, 0);
  for (size_t i = 0; i < colors; ++i) Put32(out, pixels.Palette[i]);
  out += pixels.Bits;
  return out;
}
