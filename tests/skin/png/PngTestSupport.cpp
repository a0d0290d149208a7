#include "skin/png/PngTestSupport.h"
#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>
#include <csetjmp>
#include <cstring>
#include <random>

int PngImage::Channels() const {
  switch (ColorType) {
    case 2: return 3;
    case 4: return 2;
    case 6: return 4;
    default: return 1;
  }
}

PngImage DrawImage(uint32_t width, uint32_t height, int colorType, int bitDepth, unsigned seed) {
  PngImage image;
  image.Width = width;
  image.Height = height;
  image.ColorType = colorType;
  image.BitDepth = bitDepth;
  std::mt19937 rng(seed);
  const uint32_t max = (1u << bitDepth) - 1;
  const int channels = image.Channels();
  for (uint32_t y = 0; y < height; ++y)
    for (uint32_t x = 0; x < width; ++x)
      for (int c = 0; c < channels; ++c) {
        uint32_t v = (x * 37 + y * 101 + static_cast<uint32_t>(c) * 53) * (bitDepth == 16 ? 257 : 1) + rng() % 7;
        if ((x + y + static_cast<uint32_t>(c)) % 11 == 0) v = rng() % 2 ? max : 0;  // the extremes
        image.Samples.push_back(static_cast<uint16_t>(v & max));
      }
  if (colorType == 3)
    for (uint32_t i = 0; i <= max; ++i)
      image.Palette.push_back({static_cast<uint8_t>(rng()), static_cast<uint8_t>(rng()), static_cast<uint8_t>(rng())});
  return image;
}

namespace {

std::vector<std::vector<uint8_t>> PackRows(const PngImage& image) {
  std::vector<std::vector<uint8_t>> rows(image.Height);
  const int channels = image.Channels();
  const int depth = image.BitDepth;
  for (uint32_t y = 0; y < image.Height; ++y) {
    std::vector<uint8_t>& row = rows[y];
    row.assign((static_cast<size_t>(image.Width) * channels * depth + 7) / 8, 0);
    size_t bit = 0;
    for (uint32_t x = 0; x < image.Width; ++x)
      for (int c = 0; c < channels; ++c, bit += depth) {
        const uint16_t v = image.Sample(x, y, c);
        if (depth == 16) {
          row[bit / 8] = static_cast<uint8_t>(v >> 8);
          row[bit / 8 + 1] = static_cast<uint8_t>(v);
        } else {
          row[bit / 8] = static_cast<uint8_t>(row[bit / 8] | (v << (8 - depth - bit % 8)));
        }
      }
  }
  return rows;
}

void AppendData(png_structp png, png_bytep data, png_size_t length) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}
void NoFlush(png_structp) {}

struct Cursor {
  const std::string* Bytes;
  size_t At;
};
void TakeData(png_structp png, png_bytep data, png_size_t length) {
  auto* cursor = static_cast<Cursor*>(png_get_io_ptr(png));
  if (cursor->At + length > cursor->Bytes->size()) png_error(png, "read past the end");
  std::memcpy(data, cursor->Bytes->data() + cursor->At, length);
  cursor->At += length;
}

png_color_16 Color16(const std::array<uint16_t, 3>& c, uint8_t index = 0) {
  png_color_16 v{};
  v.index = index;
  v.red = c[0];
  v.green = c[1];
  v.blue = c[2];
  v.gray = c[0];
  return v;
}

}  // namespace

std::string WriteWithLibpng(const PngImage& image, int filter, size_t idatSize) {
  std::string out;
  std::vector<std::vector<uint8_t>> rows = PackRows(image);
  std::vector<png_bytep> pointers;
  for (auto& row : rows) pointers.push_back(row.data());
  std::vector<png_color> palette;
  for (const auto& p : image.Palette) palette.push_back({p[0], p[1], p[2]});
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    ADD_FAILURE() << "libpng could not write the image";
    return std::string();
  }
  png_set_write_fn(png, &out, AppendData, NoFlush);
  png_set_IHDR(png, info, image.Width, image.Height, image.BitDepth, image.ColorType,
               image.Interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
  if (image.Gamma) png_set_gAMA_fixed(png, info, image.Gamma);
  if (image.HasTrns) {
    png_color_16 key = Color16(image.TrnsColor);
    if (image.ColorType == 3)
      png_set_tRNS(png, info, image.TrnsAlpha.data(), static_cast<int>(image.TrnsAlpha.size()), nullptr);
    else
      png_set_tRNS(png, info, nullptr, 0, &key);
  }
  if (image.HasBkgd) {
    png_color_16 background = Color16(image.BkgdColor, image.BkgdIndex);
    png_set_bKGD(png, info, &background);
  }
  png_set_filter(png, 0, filter);
  png_set_compression_buffer_size(png, idatSize);
  png_write_info(png, info);
  png_write_image(png, pointers.data());
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

PngImage ReadWithLibpng(const std::string& file) {
  PngImage image;
  Cursor cursor{&file, 0};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    ADD_FAILURE() << "libpng could not read the image";
    return PngImage();
  }
  png_set_read_fn(png, &cursor, TakeData);
  png_read_info(png, info);
  image.Width = png_get_image_width(png, info);
  image.Height = png_get_image_height(png, info);
  image.ColorType = png_get_color_type(png, info);
  image.BitDepth = png_get_bit_depth(png, info);
  image.Interlaced = png_get_interlace_type(png, info) != PNG_INTERLACE_NONE;
  // One byte per sample below 8 bits, values unscaled.
  if (image.BitDepth < 8) png_set_packing(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const int channels = image.Channels();
  const size_t rowBytes = png_get_rowbytes(png, info);
  std::vector<uint8_t> pixels(rowBytes * image.Height);
  std::vector<png_bytep> rows;
  for (uint32_t y = 0; y < image.Height; ++y) rows.push_back(pixels.data() + y * rowBytes);
  png_read_image(png, rows.data());
  png_read_end(png, info);
  for (uint32_t y = 0; y < image.Height; ++y)
    for (uint32_t i = 0; i < image.Width * static_cast<uint32_t>(channels); ++i)
      image.Samples.push_back(image.BitDepth == 16 ? static_cast<uint16_t>(rows[y][2 * i] << 8 | rows[y][2 * i + 1])
                                                   : rows[y][i]);
  png_colorp palette = nullptr;
  int count = 0;
  if (png_get_PLTE(png, info, &palette, &count))
    for (int i = 0; i < count; ++i) image.Palette.push_back({palette[i].red, palette[i].green, palette[i].blue});
  png_bytep alpha = nullptr;
  png_color_16p key = nullptr;
  if (png_get_tRNS(png, info, &alpha, &count, &key)) {
    image.HasTrns = true;
    if (alpha) image.TrnsAlpha.assign(alpha, alpha + count);
    if (key) image.TrnsColor = {image.ColorType == 0 ? key->gray : key->red, key->green, key->blue};
  }
  png_color_16p background = nullptr;
  if (png_get_bKGD(png, info, &background)) {
    image.HasBkgd = true;
    image.BkgdIndex = background->index;
    image.BkgdColor = {image.ColorType == 0 || image.ColorType == 4 ? background->gray : background->red,
                       background->green, background->blue};
  }
  png_fixed_point gamma = 0;
  if (png_get_gAMA_fixed(png, info, &gamma)) image.Gamma = static_cast<uint32_t>(gamma);
  png_destroy_read_struct(&png, &info, nullptr);
  return image;
}

std::string PngSignature() { return std::string("\x89PNG\r\n\x1a\n", 8); }

namespace {
std::string BigEndianBytes(uint32_t v) {
  return std::string{static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
                     static_cast<char>(v)};
}
}  // namespace

std::string ChunkWithCrc(const std::string& type, const std::string& data, uint32_t crc) {
  return BigEndianBytes(static_cast<uint32_t>(data.size())) + type + data + BigEndianBytes(crc);
}

std::string Chunk(const std::string& type, const std::string& data) {
  const std::string body = type + data;
  const auto crc = static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()), body.size()));
  return ChunkWithCrc(type, data, crc);
}

std::string IhdrData(uint32_t width, uint32_t height, int bitDepth, int colorType, int compression, int interlace) {
  return BigEndianBytes(width) + BigEndianBytes(height) +
         std::string{static_cast<char>(bitDepth), static_cast<char>(colorType), static_cast<char>(compression), 0,
                     static_cast<char>(interlace)};
}

std::array<uint8_t, 3> RgbAt(uint32_t x, uint32_t y) {
  return {static_cast<uint8_t>(x * 40 + y), static_cast<uint8_t>(y * 60 + x * 3), static_cast<uint8_t>(x * y * 17)};
}

std::string RgbRows(uint32_t width, uint32_t rows) {
  std::string raw;
  for (uint32_t y = 0; y < rows; ++y) {
    raw += '\0';
    for (uint32_t x = 0; x < width; ++x)
      for (uint8_t v : RgbAt(x, y)) raw += static_cast<char>(v);
  }
  return raw;
}

std::string ZlibOf(const std::string& raw) {
  uLongf size = compressBound(raw.size());
  std::string out(size, '\0');
  compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(raw.data()), raw.size(), 9);
  out.resize(size);
  return out;
}

uint32_t BigEndian(const std::string& bytes, size_t at) {
  auto b = [&](size_t i) { return static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + i])); };
  return b(0) << 24 | b(1) << 16 | b(2) << 8 | b(3);
}

void SetBigEndian(std::string& bytes, size_t at, uint32_t value) { bytes.replace(at, 4, BigEndianBytes(value)); }

void FixCrc(std::string& file, size_t chunkOffset) {
  const uint32_t length = BigEndian(file, chunkOffset);
  const auto crc = static_cast<uint32_t>(
      crc32(0, reinterpret_cast<const Bytef*>(file.data() + chunkOffset + 4), length + 4));
  SetBigEndian(file, chunkOffset + 8 + length, crc);
}

std::vector<size_t> ChunkOffsets(const std::string& file) {
  std::vector<size_t> offsets;
  for (size_t at = 8; at + 12 <= file.size(); at += 12 + BigEndian(file, at)) offsets.push_back(at);
  return offsets;
}

std::vector<uint32_t> ColorTable(TBitmap& bmp) {
  int bits = bmp.PixelFormat() == pf1bit ? 1 : bmp.PixelFormat() == pf4bit ? 4 : bmp.PixelFormat() == pf8bit ? 8 : 0;
  if (!bits) return {};
  std::vector<uint32_t> table(size_t{1} << bits);
  UINT got = GetDIBColorTable(bmp.Canvas()->Handle(), 0, static_cast<UINT>(table.size()),
                              reinterpret_cast<RGBQUAD*>(table.data()));
  table.resize(got);
  return table;
}

std::vector<uint32_t> VisiblePixels(TBitmap& bmp) {
  std::vector<uint32_t> pixels;
  const std::vector<uint32_t> table = ColorTable(bmp);
  auto lookUp = [&](uint32_t index) { return index < table.size() ? table[index] & 0xFFFFFF : 0xDEADBEEF; };
  for (int y = 0; y < bmp.Height(); ++y) {
    const auto* row = static_cast<const uint8_t*>(bmp.ScanLine(y));
    for (int x = 0; x < bmp.Width(); ++x) {
      switch (bmp.PixelFormat()) {
        case pf1bit: pixels.push_back(lookUp((row[x / 8] >> (7 - x % 8)) & 1)); break;
        case pf4bit: pixels.push_back(lookUp((row[x / 2] >> (x % 2 ? 0 : 4)) & 15)); break;
        case pf8bit: pixels.push_back(lookUp(row[x])); break;
        case pf24bit:
          pixels.push_back(uint32_t{row[3 * x]} | uint32_t{row[3 * x + 1]} << 8 | uint32_t{row[3 * x + 2]} << 16);
          break;
        default: {
          uint32_t v;
          std::memcpy(&v, row + 4 * x, 4);
          pixels.push_back(v);
        }
      }
    }
  }
  return pixels;
}

void PutBytes(TMemoryStream& stream, const std::string& bytes) {
  stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  stream.SetPosition(0);
}
