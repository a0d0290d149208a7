// Palettes of palette and grey images.
#include "skin/graphics/PngColorManager.h"
#include "skin/graphics/PngSamples.h"

using namespace PngSamples;

namespace {
struct LogPalette256 {
  WORD palVersion = 0x300;
  WORD palNumEntries = 0;
  PALETTEENTRY palPalEntry[256] = {};
};
}  // namespace

HPALETTE TColorManager::CreateColorPalette(TSourcePlanes data, TRawPaletteFormat dataFormat, uint32_t colorCount,
                                           bool rgb) {
  LogPalette256 palette;
  const uint32_t entries = std::min<uint32_t>(colorCount, 256);
  palette.palNumEntries = static_cast<WORD>(entries);
  const bool wide = dataFormat >= pfInterlaced16Triple;
  const bool planar = dataFormat == pfPlane8Triple || dataFormat == pfPlane8Quad || dataFormat == pfPlane16Triple ||
                      dataFormat == pfPlane16Quad;
  const bool quad = dataFormat == pfInterlaced8Quad || dataFormat == pfInterlaced16Quad;
  const bool swap = SwapBytes();
  auto component = [&](const uint8_t* p) -> uint8_t {
    return Gamma(wide ? static_cast<uint8_t>(To8(Load16(p, swap))) : *p);
  };
  const int bytes = wide ? 2 : 1;
  const auto* planes = data.begin();
  for (uint32_t i = 0; i < entries && data.size() > 0; ++i) {
    uint8_t r, g, b;
    if (planar) {
      if (data.size() < 3) break;
      r = component(static_cast<const uint8_t*>(planes[0]) + i * bytes);
      g = component(static_cast<const uint8_t*>(planes[1]) + i * bytes);
      b = component(static_cast<const uint8_t*>(planes[2]) + i * bytes);
    } else {
      const uint8_t* p = static_cast<const uint8_t*>(planes[0]) + static_cast<size_t>(i) * (quad ? 4 : 3) * bytes;
      // The byte order flag reads the other way round for 16-bit data.
      const bool redFirst = wide ? rgb : !rgb;
      uint8_t first = component(p), second = component(p + bytes), third = component(p + 2 * bytes);
      r = redFirst ? first : third;
      g = second;
      b = redFirst ? third : first;
    }
    palette.palPalEntry[i] = {r, g, b, 0};
  }
  if (FTargetBPS <= 8) {
    const uint32_t s = MaxOf(FSourceBPS);
    const uint32_t t = MaxOf(FTargetBPS);
    if (s != t) {
      PALETTEENTRY old[256];
      std::copy(std::begin(palette.palPalEntry), std::end(palette.palPalEntry), old);
      auto entry = [&](uint32_t index) { return index < 256 ? old[index] : PALETTEENTRY{}; };
      for (uint32_t i = 0; i <= t; ++i) palette.palPalEntry[i] = entry(i * s / t);
      palette.palNumEntries = static_cast<WORD>(t + 1);
    }
  }
  return CreatePalette(reinterpret_cast<LOGPALETTE*>(&palette));
}

HPALETTE TColorManager::CreateGrayscalePalette(bool minimumIsWhite) {
  LogPalette256 palette;
  const int bits = std::min(FTargetBPS * FTargetSPP, 8);
  const int upper = (1 << bits) - 1;
  const int step = 255 / upper;
  palette.palNumEntries = static_cast<WORD>(upper + 1);
  for (int i = 0; i <= upper; ++i) {
    auto grey = Gamma(static_cast<uint8_t>(step * i));
    palette.palPalEntry[minimumIsWhite ? upper - i : i] = {grey, grey, grey, 0};
  }
  return CreatePalette(reinterpret_cast<LOGPALETTE*>(&palette));
}
