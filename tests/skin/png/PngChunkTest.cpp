// Files put together chunk by chunk: the reader's tolerance of harmless
// oddities and its refusal, with the right text, of everything else.
#include "skin/graphics/PngGraphic.h"
#include "skin/png/PngTestSupport.h"
#include <gtest/gtest.h>
#include <zlib.h>
#include <functional>

namespace {

const char16_t* const InvalidFormat = u"Cannot load image. Invalid or unexpected PNG image format.";
const char16_t* const SchemeNotSupported = u"Cannot load image. The compression scheme is not supported for PNG files.";
const char16_t* const InvalidPalette = u"Cannot load image. Palette in PNG file is invalid.";
const char16_t* const CrcError = u"Cannot load image. CRC error found in PNG file.";
const char16_t* const CompressionError = u"Cannot load image. Compression error found in PNG file.";
const char16_t* const ExtraData = u"Cannot load image. Extra compressed data found in PNG file.";
const char16_t* const CriticalChunk = u"Cannot load PNG image. Unexpected but critical chunk detected.";
const char16_t* const InvalidColorFormat = u"Invalid color format in PNG file.";

constexpr uint32_t W = 4, H = 3;

std::string Ihdr() { return Chunk("IHDR", IhdrData(W, H, 8, 2)); }
std::string Iend() { return Chunk("IEND", ""); }
std::string Packed() { return ZlibOf(RgbRows(W, H)); }
std::string Rgb(const std::string& middle) { return PngSignature() + Ihdr() + middle + Iend(); }

// Deflated rows whose stream is flushed but never finished.
std::string Unfinished(const std::string& raw) {
  std::string out(raw.size() + 64, '\0');
  z_stream z{};
  deflateInit(&z, 6);
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(raw.data()));
  z.avail_in = static_cast<uInt>(raw.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_SYNC_FLUSH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

void ExpectRgbPixels(TPNGGraphic& png) {
  ASSERT_EQ(png.Width(), static_cast<int>(W));
  ASSERT_EQ(png.Height(), static_cast<int>(H));
  EXPECT_EQ(png.PixelFormat(), pf24bit);
  const std::vector<uint32_t> pixels = VisiblePixels(png);
  for (uint32_t y = 0; y < H; ++y)
    for (uint32_t x = 0; x < W; ++x) {
      const auto c = RgbAt(x, y);
      EXPECT_EQ(pixels[y * W + x], uint32_t{c[0]} << 16 | uint32_t{c[1]} << 8 | c[2]) << x << "," << y;
    }
}

// An 8-bit palette image of four pixels with the indexes given.
std::string PaletteImage(const std::string& plte, const std::string& indexes, const std::string& extra = "") {
  return PngSignature() + Chunk("IHDR", IhdrData(4, 1, 8, 3)) + Chunk("PLTE", plte) + extra +
         Chunk("IDAT", ZlibOf(std::string(1, '\0') + indexes)) + Iend();
}

// A grey image of zeros at zlib's strongest: near deflate's limit of
// about 1032 to 1.
std::string Zeros() {
  const std::string rows(1025u * 1024u, '\0');
  uLongf size = compressBound(static_cast<uLong>(rows.size()));
  std::string z(size, '\0');
  compress2(reinterpret_cast<Bytef*>(&z[0]), &size, reinterpret_cast<const Bytef*>(rows.data()),
            static_cast<uLong>(rows.size()), 9);
  z.resize(size);
  return PngSignature() + Chunk("IHDR", IhdrData(1024, 1024, 8, 0)) + Chunk("IDAT", z) + Iend();
}

struct Case {
  const char* What;
  std::string File;
  const char16_t* Error;  // nullptr: the file loads
  std::function<void(TPNGGraphic&)> Check;
};

std::vector<Case> Cases() {
  const std::string packed = Packed();
  const std::string idat = Chunk("IDAT", packed);
  const std::string ihdr = Ihdr();
  std::string corrupt = packed;
  for (size_t i = 4; i < 12; ++i) corrupt[i] = static_cast<char>(corrupt[i] ^ 0x77);
  std::string badIdatCrc = idat;
  badIdatCrc.back() = static_cast<char>(badIdatCrc.back() ^ 1);
  std::string badIhdrCrc = ihdr;
  badIhdrCrc.back() = static_cast<char>(badIhdrCrc.back() ^ 1);
  const std::string text = Chunk("tEXt", std::string("Title\0x", 7));
  auto lengthField = [&](uint32_t length) {
    std::string chunk = text;
    SetBigEndian(chunk, 0, length);
    return Rgb(chunk + idat);
  };
  const std::string plte = "\x10\x20\x30\x40\x50\x60";
  const std::string grey2 = PngSignature() + Chunk("IHDR", IhdrData(4, 1, 2, 0)) +
                            Chunk("IDAT", ZlibOf(std::string("\x00\x1B", 2))) + Iend();  // 0, 1, 2, 3
  const std::string palette2 = PngSignature() + Chunk("IHDR", IhdrData(4, 1, 2, 3)) +
                               Chunk("PLTE", "\x01\x02\x03\x11\x12\x13\x21\x22\x23\x31\x32\x33") +
                               Chunk("IDAT", ZlibOf(std::string("\x00\xE4", 2))) + Iend();  // 3, 2, 1, 0
  return {
      {"split over IDATs, some empty",
       Rgb(Chunk("IDAT", "") + Chunk("IDAT", packed.substr(0, 5)) + Chunk("IDAT", "") +
           Chunk("IDAT", packed.substr(5)) + Chunk("IDAT", "")),
       nullptr, ExpectRgbPixels},
      {"lower-case chunk names",
       PngSignature() + Chunk("ihdr", IhdrData(W, H, 8, 2)) + Chunk("idat", packed) + Chunk("iend", ""), nullptr,
       ExpectRgbPixels},
      {"unknown ancillary chunks are skipped unchecked",
       Rgb(text + idat + ChunkWithCrc("abCd", "xyz", 12345)), nullptr, ExpectRgbPixels},
      {"PLTE in an RGB image is ignored", Rgb(Chunk("PLTE", plte) + idat), nullptr, ExpectRgbPixels},
      {"unknown critical chunk", Rgb(Chunk("ABCD", "") + idat), CriticalChunk, nullptr},
      {"second IHDR", Rgb(ihdr + idat), CriticalChunk, nullptr},
      {"CRC of IDAT", Rgb(badIdatCrc), CrcError, nullptr},
      {"CRC of IHDR", PngSignature() + badIhdrCrc + idat + Iend(), CrcError, nullptr},
      {"PLTE not of whole entries", PaletteImage("\x01\x02\x03\x04", "\x00\x00\x00\x00"), InvalidPalette, nullptr},
      {"colour type 5", PngSignature() + Chunk("IHDR", IhdrData(W, H, 8, 5)) + idat + Iend(), InvalidColorFormat,
       nullptr},
      {"RGB of 4 bits", PngSignature() + Chunk("IHDR", IhdrData(W, H, 4, 2)) + idat + Iend(), InvalidColorFormat,
       nullptr},
      {"palette of 16 bits", PngSignature() + Chunk("IHDR", IhdrData(W, H, 16, 3)) + Chunk("PLTE", plte) + idat + Iend(),
       InvalidColorFormat, nullptr},
      {"compression method 1", PngSignature() + Chunk("IHDR", IhdrData(W, H, 8, 2, 1)) + idat + Iend(),
       SchemeNotSupported, nullptr},
      {"IEND before any IDAT", Rgb(""), InvalidFormat, nullptr},
      {"palette image without PLTE", PngSignature() + Chunk("IHDR", IhdrData(4, 1, 8, 3)) +
                                         Chunk("IDAT", ZlibOf(std::string(5, '\0'))) + Iend(),
       InvalidFormat, nullptr},
      {"IDAT again after another chunk", Rgb(idat + text + Chunk("IDAT", "")), InvalidFormat, nullptr},
      {"image data broken by another chunk",
       Rgb(Chunk("IDAT", packed.substr(0, 8)) + text + Chunk("IDAT", packed.substr(8))), CompressionError, nullptr},
      {"image data ends before the last row", Rgb(Chunk("IDAT", Unfinished(RgbRows(W, 2)))), CompressionError,
       nullptr},
      {"zlib stream ends before the last row", Rgb(Chunk("IDAT", ZlibOf(RgbRows(W, 2)))), ExtraData, nullptr},
      {"bytes after the zlib stream", Rgb(Chunk("IDAT", packed + "junk")), ExtraData, nullptr},
      {"corrupt zlib data", Rgb(Chunk("IDAT", corrupt)), CompressionError, nullptr},
      {"IHDR of 12 bytes", PngSignature() + Chunk("IHDR", IhdrData(W, H, 8, 2).substr(0, 12)) + idat + Iend(),
       InvalidFormat, nullptr},
      {"width 0", PngSignature() + Chunk("IHDR", IhdrData(0, H, 8, 2)) + idat + Iend(), InvalidFormat, nullptr},
      {"height 0", PngSignature() + Chunk("IHDR", IhdrData(W, 0, 8, 2)) + idat + Iend(), InvalidFormat, nullptr},
      {"width 16385", PngSignature() + Chunk("IHDR", IhdrData(16385, 1, 8, 2)) + idat + Iend(), InvalidFormat,
       nullptr},
      {"over 64 Mi pixels", PngSignature() + Chunk("IHDR", IhdrData(16384, 4097, 8, 2)) + idat + Iend(),
       InvalidFormat, nullptr},
      {"64 Mi pixels from a few bytes", PngSignature() + Chunk("IHDR", IhdrData(16384, 4096, 8, 2)) + idat + Iend(),
       CompressionError, nullptr},
      {"zeros packed as tightly as zlib can", Zeros(), nullptr,
       [](TPNGGraphic& png) { EXPECT_EQ(png.Width(), 1024); }},
      {"length 0x7FFFFFFF", lengthField(0x7FFFFFFF), InvalidFormat, nullptr},
      {"length 0xFFFFFFFF", lengthField(0xFFFFFFFF), InvalidFormat, nullptr},
      {"length past the file", lengthField(1000), InvalidFormat, nullptr},
      {"wrong signature", "\x89PNG\r\n\x1a\x0b" + ihdr + idat + Iend(), InvalidFormat, nullptr},
      {"first chunk not IHDR", PngSignature() + text + ihdr + idat + Iend(), InvalidFormat, nullptr},
      {"palette indexes past PLTE are black, bKGD looked up",
       PaletteImage(plte, std::string("\x00\x01\x02\xFF", 4), Chunk("bKGD", "\x01")), nullptr,
       [](TPNGGraphic& png) {
         EXPECT_EQ(png.PixelFormat(), pf8bit);
         EXPECT_EQ(VisiblePixels(png), (std::vector<uint32_t>{0x102030, 0x405060, 0, 0}));
         EXPECT_EQ(png.BackgroundColor(), 0x605040);
       }},
      {"bKGD index past PLTE is black", PaletteImage(plte, std::string(4, '\0'), Chunk("bKGD", "\x05")), nullptr,
       [](TPNGGraphic& png) { EXPECT_EQ(png.BackgroundColor(), 0); }},
      {"grey tRNS of an 8-bit image",
       PngSignature() + Chunk("IHDR", IhdrData(2, 1, 8, 0)) + Chunk("tRNS", std::string("\x00\x4D", 2)) +
           Chunk("IDAT", ZlibOf(std::string("\x00\x4D\x10", 3))) + Iend(),
       nullptr,
       [](TPNGGraphic& png) {
         EXPECT_TRUE(png.Transparent());
         EXPECT_EQ(png.TransparentColor() & 0xFFFFFF, 0x4D4D4D);
       }},
      {"grey of 2 bits becomes 4-bit values times 5", grey2, nullptr,
       [](TPNGGraphic& png) {
         ASSERT_EQ(png.PixelFormat(), pf4bit);
         const auto* row = static_cast<const uint8_t*>(png.ScanLine(0));
         EXPECT_EQ(row[0], 0x05);
         EXPECT_EQ(row[1], 0xAF);
         EXPECT_EQ(VisiblePixels(png), (std::vector<uint32_t>{0, 0x555555, 0xAAAAAA, 0xFFFFFF}));
       }},
      {"palette of 2 bits spreads to 16 entries", palette2, nullptr,
       [](TPNGGraphic& png) {
         ASSERT_EQ(png.PixelFormat(), pf4bit);
         const std::vector<uint32_t> table = ColorTable(png);
         ASSERT_EQ(table.size(), 16u);
         EXPECT_EQ(table[5] & 0xFFFFFF, 0x111213u);
         EXPECT_EQ(table[15] & 0xFFFFFF, 0x313233u);
         EXPECT_EQ(VisiblePixels(png), (std::vector<uint32_t>{0x313233, 0x212223, 0x111213, 0x010203}));
       }},
  };
}

}  // namespace

TEST(PngChunks, OdditiesLoadAndFaultsRaiseTheirMessage) {
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.What);
    TMemoryStream stream;
    PutBytes(stream, c.File);
    TPNGGraphic png;
    if (c.Error) {
      try {
        png.LoadFromStream(stream);
        ADD_FAILURE() << "loaded";
      } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), c.Error);
      }
    } else {
      ASSERT_NO_THROW(png.LoadFromStream(stream));
      EXPECT_EQ(stream.Position(), stream.Size());
      c.Check(png);
    }
  }
}
