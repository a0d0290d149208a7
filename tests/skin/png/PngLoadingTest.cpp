// How the reader meets its callers: streams and files, the picture
// registry, progress, loads into plain bitmaps and drawing with alpha.
#include "platform/classes/TempFile.h"
#include "platform/ui/FormImage.h"
#include "platform/ui/graphics/Picture.h"
#include "platform/ui/graphics/PngWriter.h"
#include "skin/graphics/PngGraphic.h"
#include "skin/png/PngTestSupport.h"
#include <gtest/gtest.h>
#include <png.h>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

std::string SmallRgb() {
  return PngSignature() + Chunk("IHDR", IhdrData(4, 3, 8, 2)) + Chunk("IDAT", ZlibOf(RgbRows(4, 3))) +
         Chunk("IEND", "");
}

uint32_t ExpectedRgb(uint32_t x, uint32_t y) {
  const auto c = RgbAt(x, y);
  return uint32_t{c[0]} << 16 | uint32_t{c[1]} << 8 | c[2];
}

}  // namespace

TEST(PngLoading, StreamsFilesAndThePictureRegistry) {
  const std::string file = SmallRgb();

  // A PNG behind other data loads from the current position and leaves the
  // stream just after its IEND chunk.
  TMemoryStream stream;
  PutBytes(stream, "JUNK" + file + "TAIL");
  stream.SetPosition(4);
  EXPECT_TRUE(TPNGGraphic::CanLoad(stream));
  EXPECT_EQ(stream.Position(), 4);
  TPNGGraphic png;
  png.LoadFromStream(stream);
  EXPECT_EQ(stream.Position(), 4 + static_cast<int64_t>(file.size()));
  EXPECT_EQ(VisiblePixels(png)[5], ExpectedRgb(1, 1));

  TMemoryStream exact;
  PutBytes(exact, PngSignature());
  EXPECT_FALSE(TPNGGraphic::CanLoad(exact));
  TMemoryStream nine;
  PutBytes(nine, PngSignature() + "x");
  EXPECT_TRUE(TPNGGraphic::CanLoad(nine));

  TMemoryStream header;
  PutBytes(header, file);
  TPNGGraphic properties;
  ASSERT_TRUE(properties.ReadImageProperties(header));
  EXPECT_EQ(properties.ImageProperties().Width, 4u);
  EXPECT_EQ(properties.ImageProperties().ColorScheme, csRGB);
  EXPECT_EQ(properties.ImageProperties().SamplesPerPixel, 3);
  EXPECT_EQ(properties.ImageProperties().Compression, ctLZ77);
  EXPECT_TRUE(properties.ImageProperties().Options.Contains(ioBigEndian));

  EXPECT_EQ(TPicture::FileFormatDescription(u"png"), u"Portable network graphics (Velmoria)");
  TempFile path(".png");
  path.WriteBytes(file);
  EXPECT_TRUE(TPNGGraphic::CanLoad(path.Path()));
  TPicture picture;
  picture.LoadFromFile(path.Path());
  ASSERT_NE(dynamic_cast<TPNGGraphic*>(picture.Graphic()), nullptr);
  EXPECT_EQ(picture.Width(), 4);
  EXPECT_EQ(picture.Height(), 3);

  TBitmap plain;
  LoadPngFile(plain, path.Path());
  EXPECT_EQ(VisiblePixels(plain)[11], ExpectedRgb(3, 2));

  // A failed load leaves the bitmap as it was.
  TMemoryStream broken;
  PutBytes(broken, file.substr(0, file.size() - 20));
  EXPECT_ANY_THROW(LoadPngStream(plain, broken));
  EXPECT_EQ(plain.Width(), 4);
  EXPECT_EQ(VisiblePixels(plain)[11], ExpectedRgb(3, 2));
}

TEST(PngLoading, GammaOfOneFileDoesNotCarryToTheNext) {
  PngImage drawn = DrawImage(5, 4, 2, 8, 3);
  drawn.Gamma = 100000;
  const std::string withGamma = WriteWithLibpng(drawn, PNG_ALL_FILTERS);
  TPNGGraphic png;
  TMemoryStream first;
  PutBytes(first, withGamma);
  png.LoadFromStream(first);
  EXPECT_NE(VisiblePixels(png)[1] & 0xFF, drawn.Sample(1, 0, 2));  // corrected

  TMemoryStream second;
  PutBytes(second, SmallRgb());
  png.LoadFromStream(second);
  EXPECT_FALSE(png.ImageProperties().Options.Contains(ioUseGamma));
  const std::vector<uint32_t> pixels = VisiblePixels(png);
  for (uint32_t i = 0; i < 12; ++i) EXPECT_EQ(pixels[i], ExpectedRgb(i % 4, i / 4)) << i;
}

TEST(PngLoading, ReportsProgressAroundTheImageData) {
  TMemoryStream stream;
  PutBytes(stream, SmallRgb());
  TPNGGraphic png;
  std::vector<std::pair<TProgressStage, String>> events;
  TRect last;
  png.OnProgress = [&](TObject* sender, TProgressStage stage, uint8_t percent, bool redraw, const TRect& r,
                       const String& msg) {
    EXPECT_EQ(sender, &png);
    EXPECT_EQ(percent, 0);
    EXPECT_FALSE(redraw);
    events.emplace_back(stage, msg);
    last = r;
  };
  png.LoadFromStream(stream);
  const std::vector<std::pair<TProgressStage, String>> expected = {
      {psStarting, u"Preparing..."}, {psEnding, u""}, {psStarting, u"Transfering..."}, {psEnding, u""}};
  EXPECT_EQ(events, expected);
  EXPECT_EQ(last, Rect(0, 3, 4, 4));
}

namespace {

struct Bgra {
  uint8_t B, G, R, A;
};

Bgra PixelAt(TBitmap& bmp, int x, int y) {
  Bgra p;
  std::memcpy(&p, static_cast<const uint8_t*>(bmp.ScanLine(y)) + 4 * x, 4);
  return p;
}

uint8_t Mix(uint8_t d, uint8_t s, int a) { return static_cast<uint8_t>((d * 256 + (s - d) * a) >> 8); }

}  // namespace

TEST(PngLoading, DrawLaysAlphaOverTheCanvasWithItsReflection) {
  PngImage drawn = DrawImage(8, 8, 6, 8, 21);
  TMemoryStream stream;
  PutBytes(stream, WriteWithLibpng(drawn, PNG_ALL_FILTERS));
  TPNGGraphic png;
  png.LoadFromStream(stream);
  ASSERT_EQ(png.PixelFormat(), pf32bit);

  auto paintBackground = [](TBitmap& target) {
    target.SetPixelFormat(pf32bit);
    target.SetSize(24, 24);
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 24; ++x) {
        const Bgra background{0x20, 0x80, 0xE0, 0x40};
        std::memcpy(static_cast<uint8_t*>(target.ScanLine(y)) + 4 * x, &background, 4);
      }
  };
  auto expectBlend = [](TBitmap& target, int tx, int ty, Bgra s, int a) {
    const Bgra d = PixelAt(target, tx, ty);
    EXPECT_EQ(d.B, Mix(0x20, s.B, a)) << tx << "," << ty;
    EXPECT_EQ(d.G, Mix(0x80, s.G, a)) << tx << "," << ty;
    EXPECT_EQ(d.R, Mix(0xE0, s.R, a)) << tx << "," << ty;
  };

  TBitmap target;
  paintBackground(target);
  png.Reflected = true;
  png.Draw(*target.Canvas(), Rect(2, 3, 10, 11));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const Bgra s = PixelAt(png, x, y);
      expectBlend(target, 2 + x, 3 + y, s, s.A);
      EXPECT_EQ(PixelAt(target, 2 + x, 3 + y).A, std::max<uint8_t>(0x40, s.A));
    }
  // Under the image: one row untouched, then the mirror image fading out
  // over height / 2 - 1 rows.
  for (int x = 0; x < 8; ++x) {
    expectBlend(target, 2 + x, 11, {}, 0);
    const Bgra first = PixelAt(png, x, 6);
    expectBlend(target, 2 + x, 12, first, ((first.A * 2) / 3) * 255 >> 9);
    const Bgra second = PixelAt(png, x, 5);
    expectBlend(target, 2 + x, 13, second, ((second.A * 1) / 3) * (255 - 255 / 8) >> 9);
    expectBlend(target, 2 + x, 14, {}, 0);
  }

  // Drawn twice as large, each pixel covers two by two.
  TBitmap stretched;
  paintBackground(stretched);
  png.Reflected = false;
  png.Draw(*stretched.Canvas(), Rect(0, 0, 16, 16));
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const Bgra s = PixelAt(png, x / 2, y / 2);
      expectBlend(stretched, x, y, s, s.A);
    }
  expectBlend(stretched, 16, 16, {}, 0);
}

// For a person to look at: a disc with soft edges and its reflection over
// a chequered background, at $BRQ_ARTIFACTS/png-draw.png.
TEST(PngLoading, DrawnDiscWithReflectionForTheEye) {
  PngImage disc;
  disc.Width = disc.Height = 64;
  disc.ColorType = 6;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      const double d = std::hypot(x - 31.5, y - 31.5);
      const int alpha = d < 24 ? 255 : d < 31 ? static_cast<int>(255 * (31 - d) / 7) : 0;
      for (int v : {255 - y * 3, x * 4, 128, alpha}) disc.Samples.push_back(static_cast<uint16_t>(v));
    }
  TMemoryStream stream;
  PutBytes(stream, WriteWithLibpng(disc, PNG_ALL_FILTERS));
  TPNGGraphic png;
  png.LoadFromStream(stream);
  png.Reflected = true;
  TBitmap canvas;
  canvas.SetPixelFormat(pf32bit);
  canvas.SetSize(220, 130);
  for (int y = 0; y < 130; ++y)
    for (int x = 0; x < 220; ++x)
      static_cast<uint32_t*>(canvas.ScanLine(y))[x] = ((x / 10 + y / 10) % 2) ? 0xFFE0E0E0u : 0xFF909090u;
  png.Draw(*canvas.Canvas(), Rect(10, 10, 74, 74));
  png.Reflected = false;
  png.Draw(*canvas.Canvas(), Rect(90, 10, 210, 120));
  // Inside the disc the image covers the background; outside it does not.
  EXPECT_EQ(static_cast<uint32_t*>(canvas.ScanLine(42))[42] & 0xFFFFFF, 0x9E8080u);
  EXPECT_EQ(static_cast<uint32_t*>(canvas.ScanLine(11))[11], 0xFF909090u);
  const char* folder = std::getenv("BRQ_ARTIFACTS");
  SaveBitmapAsPng(canvas, LinuxPathToWindows(std::string(folder && *folder ? folder : "/tmp") + "/png-draw.png"));
}
