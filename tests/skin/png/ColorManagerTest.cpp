#include "skin/graphics/PngColorManager.h"
#include <gtest/gtest.h>
#include <functional>
#include <vector>

namespace {

const char16_t* const BadDepth = u"Color depth is invalid. Bits per sample must be 1, 2, 4, 8 or 16.";
const char16_t* const BadCount = u"Sample count per pixel does not correspond to the given color scheme.";
const char16_t* const Mixed = u"Conversion between indexed and non-indexed pixel formats is not supported.";
const char16_t* const NoMethod = u"Color conversion failed. Could not find a proper method.";

void Configure(TColorManager& cm, TColorScheme source, TColorScheme target, uint8_t sourceBits, uint8_t targetBits) {
  cm.SetSourceColorScheme(source);
  cm.SetTargetColorScheme(target);
  cm.SetSourceBitsPerSample(sourceBits);
  cm.SetTargetBitsPerSample(targetBits);
}

String ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EColorConversionError& e) {
    return e.Message();
  }
  return String();
}

std::vector<PALETTEENTRY> Entries(HPALETTE palette) {
  WORD count = 0;
  GetObjectW(palette, sizeof count, &count);
  std::vector<PALETTEENTRY> entries(count);
  GetPaletteEntries(palette, 0, count, entries.data());
  DeleteObject(palette);
  return entries;
}

uint32_t Rgb(const PALETTEENTRY& e) { return uint32_t{e.peRed} << 16 | uint32_t{e.peGreen} << 8 | e.peBlue; }

}  // namespace

TEST(ColorManager, SettersRefuseImpossibleDepthsAndCounts) {
  TColorManager cm;
  EXPECT_EQ(cm.SourceColorScheme(), csRGB);
  EXPECT_EQ(cm.TargetColorScheme(), csBGR);
  EXPECT_EQ(cm.TargetPixelFormat(), pf24bit);
  EXPECT_EQ(cm.MainGamma(), 1.0f);
  struct Case {
    std::function<void(TColorManager&)> Set;
    const char16_t* Error;
  } cases[] = {
      {[](TColorManager& c) { c.SetSourceBitsPerSample(0); }, BadDepth},
      {[](TColorManager& c) { c.SetTargetBitsPerSample(17); }, BadDepth},
      {[](TColorManager& c) { c.SetSourceBitsPerSample(16); }, u""},
      {[](TColorManager& c) { c.SetTargetBitsPerSample(1); }, u""},
      {[](TColorManager& c) { c.SetSourceSamplesPerPixel(0); }, BadCount},
      {[](TColorManager& c) { c.SetTargetSamplesPerPixel(5); }, BadCount},
      {[](TColorManager& c) { c.SetTargetSamplesPerPixel(4); }, u""},
  };
  for (const Case& c : cases) EXPECT_EQ(ErrorOf([&] { c.Set(cm); }), c.Error);

  // Pixel formats from samples and bits.
  const std::tuple<uint8_t, uint8_t, TPixelFormat> formats[] = {
      {1, 1, pf1bit}, {1, 2, pf4bit}, {1, 4, pf4bit}, {1, 8, pf8bit},  {1, 16, pf8bit}, {1, 5, pfCustom},
      {1, 6, pfCustom}, {3, 5, pf15bit}, {3, 8, pf24bit}, {4, 8, pf32bit}, {4, 4, pfCustom}, {2, 8, pfCustom},
  };
  for (auto [samples, bits, format] : formats) {
    cm.SetTargetSamplesPerPixel(samples);
    cm.SetTargetBitsPerSample(bits);
    EXPECT_EQ(cm.TargetPixelFormat(), format) << int(samples) << " x " << int(bits);
  }

  cm.SetGamma(0, 0);
  EXPECT_EQ(cm.MainGamma(), 1.0f);
  EXPECT_EQ(cm.DisplayGamma(), 2.2f);
}

TEST(ColorManager, ChoosesAConverterOrSaysWhyNot) {
  struct Case {
    TColorScheme Source, Target;
    uint8_t SourceBits, TargetBits;
    const char16_t* Error;
  } cases[] = {
      {csGA, csGA, 8, 8, Mixed},         {csRGB, csIndexed, 8, 8, Mixed},  {csIndexed, csBGR, 8, 8, Mixed},
      {csG, csG, 16, 4, NoMethod},       {csGA, csIndexed, 4, 8, NoMethod}, {csCMY, csBGR, 8, 8, NoMethod},
      {csUnknown, csBGR, 8, 8, NoMethod}, {csRGB, csCMYK, 8, 8, NoMethod},
      {csG, csG, 8, 8, u""},             {csG, csG, 2, 4, u""},            {csG, csIndexed, 16, 8, u""},
      {csGA, csIndexed, 16, 8, u""},     {csIndexed, csIndexed, 16, 16, u""}, {csIndexed, csIndexed, 16, 4, u""},
      {csIndexed, csIndexed, 4, 16, u""}, {csRGBA, csBGRA, 16, 8, u""},     {csBGR, csRGB, 8, 16, u""},
      {csCMYK, csBGR, 8, 8, u""},        {csCIELab, csRGB, 8, 8, u""},     {csYCbCr, csBGRA, 16, 8, u""},
      {csPhotoYCC, csRGB, 8, 8, u""},
  };
  for (const Case& c : cases) {
    TColorManager cm;
    Configure(cm, c.Source, c.Target, c.SourceBits, c.TargetBits);
    std::vector<uint8_t> source(64), target(64);
    EXPECT_EQ(ErrorOf([&] { cm.ConvertRow({source.data()}, target.data(), 4, 0xFF); }), c.Error)
        << int(c.Source) << " -> " << int(c.Target) << ", " << int(c.SourceBits) << " -> " << int(c.TargetBits);
  }

  // Alpha follows the schemes, whatever the options said before.
  TColorManager cm;
  cm.SetTargetOptions({coAlpha});
  Configure(cm, csRGBA, csBGR, 8, 8);
  std::vector<uint8_t> source(16), target(16);
  cm.ConvertRow({source.data()}, target.data(), 1, 0xFF);
  EXPECT_TRUE(cm.SourceOptions().Contains(coAlpha));
  EXPECT_FALSE(cm.TargetOptions().Contains(coAlpha));
}

TEST(ColorManager, IndexedAndGreyRowsPackScaleAndHonourTheMask) {
  TColorManager cm;
  // 2-bit indexes 3, 1, 2 as 4-bit values times 5; the bits after the row
  // are kept.
  Configure(cm, csIndexed, csIndexed, 2, 4);
  const uint8_t indexes[] = {0xD8};  // 11 01 10 00
  uint8_t packed[] = {0x77, 0x77};
  cm.ConvertRow({indexes}, packed, 3, 0xFF);
  EXPECT_EQ(packed[0], 0xF5);
  EXPECT_EQ(packed[1], 0xA7);

  // Mask 0x88 writes target pixels 0, 4, 8 from consecutive source pixels.
  Configure(cm, csG, csG, 8, 8);
  const uint8_t grey[] = {10, 20, 30};
  std::vector<uint8_t> row(12, 0xEE);
  cm.ConvertRow({grey}, row.data(), 12, 0x88);
  EXPECT_EQ(row, (std::vector<uint8_t>{10, 0xEE, 0xEE, 0xEE, 20, 0xEE, 0xEE, 0xEE, 30, 0xEE, 0xEE, 0xEE}));

  // Grey with alpha loses its alpha; 16 bits come byte-swapped and scaled.
  cm.SetSourceOptions({coNeedByteSwap});
  Configure(cm, csGA, csIndexed, 16, 8);
  const uint8_t greyAlpha[] = {0x80, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00};
  uint8_t out[2] = {};
  cm.ConvertRow({greyAlpha}, out, 2, 0xFF);
  EXPECT_EQ(out[0], 0x8000 * 255 / 65535);
  EXPECT_EQ(out[1], 255);

  // 16-bit indexes to 16 bits are swapped; low indexes widen to 16 bits.
  Configure(cm, csIndexed, csIndexed, 16, 16);
  const uint8_t wide[] = {0x12, 0x34};
  uint8_t wideOut[2] = {};
  cm.ConvertRow({wide}, wideOut, 1, 0xFF);
  EXPECT_EQ(wideOut[0], 0x34);
  EXPECT_EQ(wideOut[1], 0x12);
  Configure(cm, csIndexed, csIndexed, 4, 16);
  const uint8_t nibbles[] = {0xF1};
  uint16_t widened[2] = {};
  cm.SetSourceOptions({});
  cm.ConvertRow({nibbles}, widened, 2, 0xFF);
  EXPECT_EQ(widened[0], 65535);
  EXPECT_EQ(widened[1], 65535 / 15);
  Configure(cm, csIndexed, csIndexed, 16, 4);
  const uint16_t big[] = {65535, 0x1111};
  uint8_t low[1] = {};
  cm.ConvertRow({big}, low, 2, 0xFF);
  EXPECT_EQ(low[0], 0xF1);
}

TEST(ColorManager, RgbRowsSwapOrderScaleAndCorrectGamma) {
  TColorManager cm;
  cm.SetSourceOptions({coNeedByteSwap});
  Configure(cm, csRGBA, csBGRA, 16, 8);
  const uint8_t wide[] = {0xFF, 0xFF, 0x80, 0x00, 0x00, 0x01, 0x12, 0x34};
  uint8_t out[4] = {};
  cm.ConvertRow({wide}, out, 1, 0xFF);
  EXPECT_EQ(out[0], 1 * 255 / 65535);
  EXPECT_EQ(out[1], 0x8000 * 255 / 65535);
  EXPECT_EQ(out[2], 255);
  EXPECT_EQ(out[3], 0x1234 * 255 / 65535);

  // Gamma touches colour, never alpha; the mask skips pixels.
  cm.SetSourceOptions({});
  cm.SetGamma(1.0f, 2.2f);
  cm.SetTargetOptions({coApplyGamma});
  Configure(cm, csRGBA, csBGRA, 8, 8);
  EXPECT_EQ(cm.GammaTable()[0], 0);
  EXPECT_EQ(cm.GammaTable()[128], 186);
  EXPECT_EQ(cm.GammaTable()[64], 136);
  EXPECT_EQ(cm.GammaTable()[255], 255);
  const uint8_t rgba[] = {128, 64, 0, 128, 255, 255, 255, 255};
  std::vector<uint8_t> bgra(12, 0xEE);
  cm.ConvertRow({rgba}, bgra.data(), 3, 0xA0);  // pixels 0 and 2
  EXPECT_EQ(bgra, (std::vector<uint8_t>{0, 136, 186, 128, 0xEE, 0xEE, 0xEE, 0xEE, 255, 255, 255, 255}));

  // Planar BGR into RGB at 16 bits, written swapped.
  cm.SetTargetOptions({});
  cm.SetSourceOptions({coNeedByteSwap});
  Configure(cm, csBGR, csRGB, 8, 16);
  const uint8_t blue[] = {255}, green[] = {0}, red[] = {51};
  uint8_t rgb16[6] = {};
  cm.ConvertRow({blue, green, red}, rgb16, 1, 0xFF);
  EXPECT_EQ(rgb16[0], 0x33);  // 51 * 65535 / 255 = 0x3333
  EXPECT_EQ(rgb16[1], 0x33);
  EXPECT_EQ(rgb16[2], 0);
  EXPECT_EQ(rgb16[4], 0xFF);
}

TEST(ColorManager, ColourSpaceConvertersGiveTheirFormulasValues) {
  struct Case {
    const char* What;
    TColorScheme Source;
    uint8_t Bits;
    TConvertOptions Options;
    std::vector<uint8_t> Pixel;
    std::vector<uint8_t> Bgr;
  } cases[] = {
      {"CMYK white", csCMYK, 8, {}, {0, 0, 0, 0}, {255, 255, 255}},
      {"CMYK", csCMYK, 8, {}, {100, 255, 0, 50}, {205, 0, 124}},
      {"CMYK 16 bits", csCMYK, 16, {coNeedByteSwap}, {0x80, 0, 0, 0, 0, 0, 0x40, 0}, {192, 192, 96}},
      {"Lab white", csCIELab, 8, {coLabByteRange, coLabChromaOffset}, {255, 128, 128}, {255, 255, 255}},
      {"Lab mid grey", csCIELab, 8, {}, {50, 0, 0}, {47, 47, 47}},
      {"Lab colour", csCIELab, 8, {}, {50, 20, 226}, {101, 40, 53}},
      {"Lab colour with chroma offset", csCIELab, 8, {coLabChromaOffset}, {50, 148, 98}, {101, 40, 53}},
      {"Lab dark", csCIELab, 8, {}, {5, 10, 10}, {0, 1, 4}},
      {"YCbCr grey", csYCbCr, 8, {}, {100, 128, 128}, {100, 100, 100}},
      {"YCbCr colour", csYCbCr, 8, {}, {100, 200, 200}, {228, 24, 201}},
      {"YCbCr clamped", csYCbCr, 8, {}, {250, 255, 255}, {255, 115, 255}},
      {"PhotoYCC grey", csPhotoYCC, 8, {}, {100, 156, 137}, {100, 100, 100}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    TColorManager cm;
    cm.SetSourceOptions(c.Options);
    Configure(cm, c.Source, csBGR, c.Bits, 8);
    uint8_t out[3] = {};
    cm.ConvertRow({c.Pixel.data()}, out, 1, 0xFF);
    EXPECT_EQ(std::vector<uint8_t>(out, out + 3), c.Bgr);
  }

  // CMYK in four planes gives what it gives interleaved.
  TColorManager cm;
  Configure(cm, csCMYK, csRGB, 8, 8);
  const uint8_t c[] = {100}, m[] = {255}, y[] = {0}, k[] = {50};
  uint8_t rgb[3] = {};
  cm.ConvertRow({c, m, y, k}, rgb, 1, 0xFF);
  EXPECT_EQ(std::vector<uint8_t>(rgb, rgb + 3), (std::vector<uint8_t>{124, 0, 205}));

  // PhotoYCC at 16 bits uses its own formula.
  Configure(cm, csPhotoYCC, csRGB, 16, 16);
  const uint16_t ycc[] = {0x8000, 40092, 35209};
  uint16_t wide[3] = {};
  cm.ConvertRow({ycc}, wide, 1, 0xFF);
  EXPECT_EQ(wide[0], 44512);
  EXPECT_EQ(wide[1], 44512);
  EXPECT_EQ(wide[2], 44512);
}

TEST(ColorManager, PalettesFromDataAndGreyRamps) {
  TColorManager cm;
  std::vector<uint8_t> data(900);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 7);
  EXPECT_EQ(Entries(cm.CreateColorPalette({data.data()}, pfInterlaced8Triple, 300, false)).size(), 256u);

  const uint8_t triple[] = {1, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_EQ(Rgb(Entries(cm.CreateColorPalette({triple}, pfInterlaced8Triple, 1, false))[0]), 0x010203u);
  EXPECT_EQ(Rgb(Entries(cm.CreateColorPalette({triple}, pfInterlaced8Triple, 1, true))[0]), 0x030201u);
  EXPECT_EQ(Rgb(Entries(cm.CreateColorPalette({triple}, pfInterlaced8Quad, 2, false))[1]), 0x050607u);
  const uint8_t wide[] = {0xFF, 0xFF, 0x80, 0x00, 0x00, 0x00};
  cm.SetSourceOptions({coNeedByteSwap});
  EXPECT_EQ(Rgb(Entries(cm.CreateColorPalette({wide}, pfInterlaced16Triple, 1, true))[0]), 0xFF7F00u);
  EXPECT_EQ(Rgb(Entries(cm.CreateColorPalette({wide}, pfInterlaced16Triple, 1, false))[0]), 0x007FFFu);
  const uint8_t reds[] = {9}, greens[] = {8}, blues[] = {7};
  EXPECT_EQ(Rgb(Entries(cm.CreateColorPalette({reds, greens, blues}, pfPlane8Triple, 1, true))[0]), 0x090807u);

  // A 2-bit palette shown at 4 bits: entry 5v holds colour v.
  cm.SetSourceBitsPerSample(2);
  cm.SetTargetBitsPerSample(4);
  const uint8_t four[] = {0, 0, 0, 10, 10, 10, 20, 20, 20, 30, 30, 30};
  const std::vector<PALETTEENTRY> spread = Entries(cm.CreateColorPalette({four}, pfInterlaced8Triple, 4, false));
  ASSERT_EQ(spread.size(), 16u);
  for (int v = 0; v < 4; ++v) EXPECT_EQ(Rgb(spread[5 * v]), 0x0A0A0Au * v) << v;

  cm.SetTargetBitsPerSample(1);
  cm.SetTargetSamplesPerPixel(1);
  std::vector<PALETTEENTRY> ramp = Entries(cm.CreateGrayscalePalette(false));
  ASSERT_EQ(ramp.size(), 2u);
  EXPECT_EQ(Rgb(ramp[1]), 0xFFFFFFu);
  cm.SetTargetBitsPerSample(4);
  ramp = Entries(cm.CreateGrayscalePalette(false));
  ASSERT_EQ(ramp.size(), 16u);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(Rgb(ramp[i]), 0x111111u * i) << i;
  ramp = Entries(cm.CreateGrayscalePalette(true));
  EXPECT_EQ(Rgb(ramp[0]), 0xFFFFFFu);
  EXPECT_EQ(Rgb(ramp[15]), 0u);
}
