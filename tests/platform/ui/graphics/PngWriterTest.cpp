#include "platform/classes/Streams.h"
#include "platform/ui/graphics/Graphics.h"
#include "platform/ui/graphics/PngWriter.h"
#include <gtest/gtest.h>
#include <zlib.h>

namespace {

uint32_t Be32(const std::string& s, size_t at) {
  auto b = [&](size_t i) { return static_cast<uint32_t>(static_cast<uint8_t>(s[at + i])); };
  return (b(0) << 24) | (b(1) << 16) | (b(2) << 8) | b(3);
}

// Walks the chunks checking every CRC; returns IHDR's data and the joined
// IDAT data.
void ReadChunks(const std::string& png, std::string& ihdr, std::string& idat) {
  ASSERT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  size_t at = 8;
  std::string last;
  while (at + 12 <= png.size()) {
    uint32_t length = Be32(png, at);
    ASSERT_LE(at + 12 + length, png.size());
    std::string type = png.substr(at + 4, 4);
    std::string data = png.substr(at + 8, length);
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, reinterpret_cast<const Bytef*>(png.data() + at + 4), length + 4);
    EXPECT_EQ(Be32(png, at + 8 + length), static_cast<uint32_t>(crc)) << type;
    if (type == "IHDR") ihdr = data;
    if (type == "IDAT") idat += data;
    last = type;
    at += 12 + length;
  }
  EXPECT_EQ(last, "IEND");
  EXPECT_EQ(at, png.size());
}

}  // namespace

TEST(PngWriter, BitmapReadsBackThroughZlibWithExactPixels) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf32bit);
  bmp.SetSize(3, 2);
  bmp.Canvas()->Brush()->SetColor(clWhite);
  bmp.Canvas()->FillRect(Rect(0, 0, 3, 2));
  bmp.Canvas()->SetPixels(0, 0, clRed);
  bmp.Canvas()->SetPixels(2, 1, RGBColor(10, 20, 30));

  String file = AsciiToString(std::string(::testing::TempDir()) + std::to_string(GetCurrentProcessId()) + "shot.png");
  SaveBitmapAsPng(bmp, file);
  TFileStream in(file, fmOpenRead);
  std::string png(static_cast<size_t>(in.Size()), '\0');
  in.ReadBuffer(png.data(), in.Size());

  std::string ihdr, idat;
  ReadChunks(png, ihdr, idat);
  ASSERT_EQ(ihdr.size(), 13u);
  EXPECT_EQ(Be32(ihdr, 0), 3u);
  EXPECT_EQ(Be32(ihdr, 4), 2u);
  EXPECT_EQ(ihdr[8], 8);
  EXPECT_EQ(ihdr[9], 2);  // RGB

  std::string raw(2 * (1 + 3 * 3), '\0');
  uLongf rawSize = raw.size();
  ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(raw.data()), &rawSize,
                       reinterpret_cast<const Bytef*>(idat.data()), idat.size()), Z_OK);
  ASSERT_EQ(rawSize, raw.size());
  const std::string expected("\0\xff\x00\x00\xff\xff\xff\xff\xff\xff"
                             "\0\xff\xff\xff\xff\xff\xff\x0a\x14\x1e", 20);
  EXPECT_EQ(raw, expected);
}

TEST(PngWriter, AlphaIsWrittenOnlyWhenAskedAndEmptyImagesAreRefused) {
  const uint8_t pixel[4] = {1, 2, 3, 128};
  std::string png = EncodePng(pixel, 1, 1, true);
  std::string ihdr, idat;
  ReadChunks(png, ihdr, idat);
  EXPECT_EQ(ihdr[9], 6);  // RGBA
  std::string raw(5, '\0');
  uLongf rawSize = raw.size();
  ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(raw.data()), &rawSize,
                       reinterpret_cast<const Bytef*>(idat.data()), idat.size()), Z_OK);
  EXPECT_EQ(raw, std::string("\0\x03\x02\x01\x80", 5));

  TBitmap empty;
  EXPECT_THROW(BitmapToPng(empty), EInvalidGraphicOperation);
}
