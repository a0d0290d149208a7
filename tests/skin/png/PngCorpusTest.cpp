// Every colour type and depth, written by libpng from drawn samples, must
// decode to libpng's own full-depth reading converted to bitmap pixels:
// 16 bits to 8 by x 255 / 65535 truncated, grey with alpha without its
// alpha, palettes spread to the bitmap's depth, and gamma through the table
// the gAMA chunk asks for.
#include "skin/graphics/PngGraphic.h"
#include "skin/png/PngTestSupport.h"
#include <gtest/gtest.h>
#include <png.h>
#include <cmath>

namespace {

std::array<uint8_t, 256> GammaTable(uint32_t gama) {
  std::array<uint8_t, 256> table{};
  const float fileGamma = static_cast<float>(gama / 100000.0);
  const double exponent = 1.0 / (static_cast<double>(fileGamma) * static_cast<double>(2.2f));
  for (int i = 0; i < 256; ++i)
    table[i] = gama ? static_cast<uint8_t>(std::nearbyint(std::pow(i / 255.0, exponent) * 255)) : i;
  return table;
}

uint32_t To8(uint32_t v16) { return v16 * 255 / 65535; }

uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return r << 16 | g << 8 | b; }

// What the bitmap must show for pixel (x, y) of libpng's decoding.
uint32_t ExpectedPixel(const PngImage& ref, uint32_t x, uint32_t y, const std::array<uint8_t, 256>& gamma) {
  const bool wide = ref.BitDepth == 16;
  auto grey = [&](uint32_t v) {
    switch (ref.BitDepth) {
      case 1: v *= 255; break;
      case 2: v *= 85; break;
      case 4: v *= 17; break;
      case 16: v = To8(v); break;
      default: break;
    }
    const uint32_t g = gamma[v];
    return Rgb(g, g, g);
  };
  auto colour = [&](int c) { return gamma[wide ? To8(ref.Sample(x, y, c)) : ref.Sample(x, y, c)]; };
  switch (ref.ColorType) {
    case 0:
    case 4: return grey(ref.Sample(x, y, 0));
    case 2: return Rgb(colour(0), colour(1), colour(2));
    case 3: {
      const uint16_t index = ref.Sample(x, y, 0);
      if (index >= ref.Palette.size()) return 0;
      const auto& p = ref.Palette[index];
      return Rgb(gamma[p[0]], gamma[p[1]], gamma[p[2]]);
    }
    default: {
      const uint32_t alpha = wide ? To8(ref.Sample(x, y, 3)) : ref.Sample(x, y, 3);
      return alpha << 24 | Rgb(colour(0), colour(1), colour(2));
    }
  }
}

TPixelFormat ExpectedFormat(int colorType, int depth) {
  switch (colorType) {
    case 2: return pf24bit;
    case 4: return pf8bit;
    case 6: return pf32bit;
    default: return depth == 1 ? pf1bit : depth <= 4 ? pf4bit : pf8bit;
  }
}

// A 16-bit value brought to the bitmap's depth as bKGD and tRNS are.
uint32_t AtTargetDepth(uint32_t v, int depth) {
  return depth == 2 ? v * 15 / 3 : depth == 16 ? To8(v) : v & 0xFF;
}

TColor ExpectedKeyColor(const PngImage& ref, const std::array<uint16_t, 3>& c) {
  if (ref.ColorType == 0 || ref.ColorType == 4) {
    const uint32_t v = AtTargetDepth(c[0], ref.BitDepth);
    return static_cast<TColor>(v | v << 8 | v << 16);
  }
  auto channel = [&](int i) { return ref.BitDepth == 16 ? To8(c[i]) : c[i] & 0xFFu; };
  return static_cast<TColor>(channel(0) | channel(1) << 8 | channel(2) << 16);
}

struct CorpusCase {
  int ColorType, BitDepth;
  bool Interlaced;
  uint32_t Width, Height;
  int Filter;
  uint32_t Gamma;
  bool Trns, Bkgd;
  size_t IdatSize;
};

std::vector<CorpusCase> Corpus() {
  const std::pair<int, int> shapes[] = {{0, 1}, {0, 2}, {0, 4}, {0, 8}, {0, 16}, {2, 8},  {2, 16}, {3, 1},
                                        {3, 2}, {3, 4}, {3, 8}, {4, 8}, {4, 16}, {6, 8}, {6, 16}};
  const int filters[] = {PNG_FILTER_NONE, PNG_FILTER_SUB, PNG_FILTER_UP, PNG_FILTER_AVG, PNG_FILTER_PAETH,
                         PNG_ALL_FILTERS};
  std::vector<CorpusCase> cases;
  int i = 0;
  for (bool interlaced : {false, true})
    for (auto [type, depth] : shapes) {
      const bool keyAllowed = type == 0 || type == 2 || type == 3;
      cases.push_back({type, depth, interlaced, 37, 23, filters[i % 6], i % 4 == 0 ? 45455u : i % 4 == 3 ? 100000u : 0u,
                       keyAllowed && i % 3 != 2, i % 2 == 0, i % 4 == 3 ? size_t{64} : size_t{8192}});
      ++i;
    }
  // Interlaced images so small that some passes are empty.
  for (auto [w, h] : {std::pair<uint32_t, uint32_t>{1, 1}, {2, 3}, {5, 1}, {1, 9}})
    for (auto [type, depth] : {std::pair<int, int>{6, 8}, {0, 1}, {3, 2}})
      cases.push_back({type, depth, true, w, h, PNG_ALL_FILTERS, 0, false, false, 8192});
  return cases;
}

std::string Describe(const CorpusCase& c) {
  return "type " + std::to_string(c.ColorType) + " depth " + std::to_string(c.BitDepth) +
         (c.Interlaced ? " Adam7 " : " ") + std::to_string(c.Width) + "x" + std::to_string(c.Height) + " filter " +
         std::to_string(c.Filter) + " gamma " + std::to_string(c.Gamma) + (c.Trns ? " tRNS" : "") +
         (c.Bkgd ? " bKGD" : "") + " idat " + std::to_string(c.IdatSize);
}

}  // namespace

TEST(PngCorpus, DecodesLikeLibpngAtEveryColourTypeAndDepth) {
  unsigned seed = 100;
  for (const CorpusCase& c : Corpus()) {
    SCOPED_TRACE(Describe(c));
    PngImage drawn = DrawImage(c.Width, c.Height, c.ColorType, c.BitDepth, seed++);
    drawn.Interlaced = c.Interlaced;
    drawn.Gamma = c.Gamma;
    if (c.Trns) {
      drawn.HasTrns = true;
      if (c.ColorType == 3)
        for (size_t k = 0; k <= drawn.Palette.size() / 2; ++k) drawn.TrnsAlpha.push_back(static_cast<uint8_t>(k * 37));
      else
        drawn.TrnsColor = {drawn.Sample(0, 0, 0), drawn.Sample(0, 0, c.ColorType == 2 ? 1 : 0),
                           drawn.Sample(0, 0, c.ColorType == 2 ? 2 : 0)};
    }
    if (c.Bkgd) {
      drawn.HasBkgd = true;
      drawn.BkgdIndex = 1;
      const uint16_t max = static_cast<uint16_t>((1u << c.BitDepth) - 1);
      drawn.BkgdColor = {static_cast<uint16_t>(max / 3), max, static_cast<uint16_t>(max / 7)};
    }
    const std::string file = WriteWithLibpng(drawn, c.Filter, c.IdatSize);
    const PngImage ref = ReadWithLibpng(file);
    ASSERT_EQ(ref.Width, c.Width);

    TMemoryStream stream;
    PutBytes(stream, file);
    TPNGGraphic png;
    png.LoadFromStream(stream);
    EXPECT_EQ(stream.Position(), stream.Size());
    ASSERT_EQ(png.Width(), static_cast<int>(c.Width));
    ASSERT_EQ(png.Height(), static_cast<int>(c.Height));
    EXPECT_EQ(png.PixelFormat(), ExpectedFormat(c.ColorType, c.BitDepth));
    EXPECT_EQ(png.ImageProperties().BitsPerSample, c.BitDepth);
    EXPECT_EQ(png.ImageProperties().Options.Contains(ioUseGamma), c.Gamma != 0);

    const std::array<uint8_t, 256> gamma = GammaTable(ref.Gamma);
    const std::vector<uint32_t> got = VisiblePixels(png);
    int mismatches = 0;
    for (uint32_t y = 0; y < c.Height; ++y)
      for (uint32_t x = 0; x < c.Width; ++x) {
        const uint32_t want = ExpectedPixel(ref, x, y, gamma);
        const uint32_t have = got[static_cast<size_t>(y) * c.Width + x];
        if (have != want && ++mismatches <= 3)
          ADD_FAILURE() << "pixel (" << x << ", " << y << "): " << std::hex << have << " instead of " << want;
      }
    EXPECT_EQ(mismatches, 0);

    if (c.Bkgd) {
      if (c.ColorType == 3) {
        const auto& p = ref.Palette[ref.BkgdIndex];
        EXPECT_EQ(png.BackgroundColor(), static_cast<TColor>(p[0] | p[1] << 8 | p[2] << 16));
      } else {
        EXPECT_EQ(png.BackgroundColor(), ExpectedKeyColor(ref, ref.BkgdColor));
      }
    } else {
      EXPECT_EQ(png.BackgroundColor(), 0xFFFFFF);
    }
    if (c.Trns && c.ColorType == 3) {
      ASSERT_EQ(png.Transparency().size(), 256u);
      for (size_t k = 0; k < 256; ++k)
        EXPECT_EQ(png.Transparency()[k], k < ref.TrnsAlpha.size() ? ref.TrnsAlpha[k] : 255) << k;
      EXPECT_FALSE(png.Transparent());
    } else if (c.Trns) {
      EXPECT_TRUE(png.Transparent());
      EXPECT_EQ(png.TransparentColor() & 0xFFFFFF, ExpectedKeyColor(ref, ref.TrnsColor));
    } else {
      EXPECT_FALSE(png.Transparent());
      EXPECT_TRUE(png.Transparency().empty());
    }
  }
}

// An interlaced image and its plain twin give the same bitmap, and the same
// object loads one after the other.
TEST(PngCorpus, InterlacedAndPlainTwinsMatchInOneObject) {
  PngImage drawn = DrawImage(61, 45, 6, 16, 7);
  const std::string plain = WriteWithLibpng(drawn, PNG_ALL_FILTERS);
  drawn.Interlaced = true;
  const std::string interlaced = WriteWithLibpng(drawn, PNG_ALL_FILTERS, 100);
  TPNGGraphic png;
  TMemoryStream first;
  PutBytes(first, plain);
  png.LoadFromStream(first);
  const std::vector<uint32_t> expected = VisiblePixels(png);
  TMemoryStream second;
  PutBytes(second, interlaced);
  png.LoadFromStream(second);
  EXPECT_TRUE(VisiblePixels(png) == expected);
}
