#include "skin/graphics/PngColorManager.h"
#include "skin/graphics/PngSamples.h"
#include <cmath>

using namespace PngSamples;

TColorManager::TColorManager() { SetGamma(1.0f, 2.2f); }

void TColorManager::Error(const String& msg) { throw EColorConversionError(msg); }

namespace {
const char16_t* const BadDepth = u"Color depth is invalid. Bits per sample must be 1, 2, 4, 8 or 16.";
const char16_t* const BadSampleCount = u"Sample count per pixel does not correspond to the given color scheme.";
}  // namespace

void TColorManager::SetSourceBitsPerSample(uint8_t value) {
  if (value == 0 || value > 16) Error(BadDepth);
  if (value != FSourceBPS) FChanged = true;
  FSourceBPS = value;
}

void TColorManager::SetTargetBitsPerSample(uint8_t value) {
  if (value == 0 || value > 16) Error(BadDepth);
  if (value != FTargetBPS) FChanged = true;
  FTargetBPS = value;
}

void TColorManager::SetSourceSamplesPerPixel(uint8_t value) {
  if (value == 0 || value > 4) Error(BadSampleCount);
  if (value != FSourceSPP) FChanged = true;
  FSourceSPP = value;
}

void TColorManager::SetTargetSamplesPerPixel(uint8_t value) {
  if (value == 0 || value > 4) Error(BadSampleCount);
  if (value != FTargetSPP) FChanged = true;
  FTargetSPP = value;
}

void TColorManager::SetSourceColorScheme(TColorScheme value) {
  if (value != FSourceScheme) FChanged = true;
  FSourceScheme = value;
}

void TColorManager::SetTargetColorScheme(TColorScheme value) {
  if (value != FTargetScheme) FChanged = true;
  FTargetScheme = value;
}

namespace {
TPixelFormat PixelFormatOf(uint8_t samples, uint8_t bits) {
  switch (samples) {
    case 1:
      if (bits == 1) return pf1bit;
      if (bits >= 2 && bits <= 4) return pf4bit;
      if (bits >= 8) return pf8bit;
      return pfCustom;
    case 3: return bits <= 5 ? pf15bit : pf24bit;
    case 4: return bits >= 8 ? pf32bit : pfCustom;
    default: return pfCustom;
  }
}
}  // namespace

TPixelFormat TColorManager::SourcePixelFormat() const { return PixelFormatOf(FSourceSPP, FSourceBPS); }
TPixelFormat TColorManager::TargetPixelFormat() const { return PixelFormatOf(FTargetSPP, FTargetBPS); }

void TColorManager::ConvertRow(TSourcePlanes source, void* target, uint32_t count, uint8_t mask) {
  if (FChanged) PrepareConversion();
  if (!FRowConversion) Error(u"Color conversion failed. Could not find a proper method.");
  if (source.size() == 0) return;
  (this->*FRowConversion)(source.begin(), source.size(), static_cast<uint8_t*>(target), count, mask);
}

TColorManager::TConversionMethod TColorManager::RgbFamily(TConversionMethod toRgb, TConversionMethod toBgr) const {
  if (FTargetScheme == csRGB || FTargetScheme == csRGBA) return toRgb;
  if (FTargetScheme == csBGR || FTargetScheme == csBGRA) return toBgr;
  return nullptr;
}

void TColorManager::PrepareConversion() {
  FRowConversion = nullptr;
  bool indexedSource = FSourceScheme == csIndexed || FSourceScheme == csG || FSourceScheme == csGA;
  bool indexedTarget = FTargetScheme == csIndexed || FTargetScheme == csG;
  if (indexedSource != indexedTarget)
    Error(u"Conversion between indexed and non-indexed pixel formats is not supported.");
  auto hasAlpha = [](TColorScheme s) { return s == csGA || s == csRGBA || s == csBGRA; };
  FSourceOptions = hasAlpha(FSourceScheme) ? FSourceOptions + coAlpha : FSourceOptions - coAlpha;
  FTargetOptions = hasAlpha(FTargetScheme) ? FTargetOptions + coAlpha : FTargetOptions - coAlpha;

  const bool source16 = FSourceBPS == 16;
  const bool target16 = FTargetBPS == 16;
  auto wide = [](uint8_t bits) { return bits == 8 || bits == 16; };
  switch (FSourceScheme) {
    case csIndexed:
      if (source16 && target16)
        FRowConversion = &TColorManager::ConvertIndexed16To16;
      else if (source16)
        FRowConversion = &TColorManager::ConvertIndexed16ToLow;
      else if (target16)
        FRowConversion = &TColorManager::ConvertIndexedLowTo16;
      else
        FRowConversion = &TColorManager::ConvertIndexed8;
      break;
    case csG:
      if (source16 || target16) {
        if (FSourceBPS >= 8 && FTargetBPS >= 8) FRowConversion = &TColorManager::ConvertGrey;
      } else {
        FRowConversion = &TColorManager::ConvertIndexed8;
      }
      break;
    case csGA:
      if (wide(FSourceBPS) && wide(FTargetBPS)) FRowConversion = &TColorManager::ConvertGrey;
      break;
    case csRGB:
    case csRGBA:
      FRowConversion = RgbFamily(&TColorManager::ConvertRgbToRgb, &TColorManager::ConvertRgbToBgr);
      break;
    case csBGR:
    case csBGRA:
      FRowConversion = RgbFamily(&TColorManager::ConvertBgrToRgb, &TColorManager::ConvertBgrToBgr);
      break;
    case csCMYK:
      FRowConversion = RgbFamily(&TColorManager::ConvertCmykToRgb, &TColorManager::ConvertCmykToBgr);
      break;
    case csCIELab:
      FRowConversion = RgbFamily(&TColorManager::ConvertLabToRgb, &TColorManager::ConvertLabToBgr);
      break;
    case csYCbCr:
      BuildYCbCrTables();
      FRowConversion = RgbFamily(&TColorManager::ConvertYCbCrToRgb, &TColorManager::ConvertYCbCrToBgr);
      break;
    case csPhotoYCC:
      BuildYCbCrTables();
      FRowConversion = RgbFamily(&TColorManager::ConvertPhotoYccToRgb, &TColorManager::ConvertPhotoYccToBgr);
      break;
    default:
      break;
  }
  FChanged = false;
}
uint8_t TColorManager::Gamma(uint8_t value) const {
  return FTargetOptions.Contains(coApplyGamma) ? FGammaTable[value] : value;
}

void TColorManager::SetGamma(float mainGamma, float displayGamma) {
  FMainGamma = mainGamma > 0 ? mainGamma : 1.0f;
  FDisplayGamma = displayGamma > 0 ? displayGamma : 2.2f;
  const double exponent = 1.0 / (static_cast<double>(FMainGamma) * FDisplayGamma);
  const int sourceMax = FSourceBPS >= 8 ? 255 : static_cast<int>(MaxOf(FSourceBPS));
  const int targetMax = FTargetBPS >= 8 ? 255 : static_cast<int>(MaxOf(FTargetBPS));
  for (int i = 0; i <= sourceMax; ++i)
    FGammaTable[i] =
        static_cast<uint8_t>(std::nearbyint(std::pow(static_cast<double>(i) / sourceMax, exponent) * targetMax));
}

// --- RGB and BGR ---------------------------------------------------------

void TColorManager::ConvertRgbToRgb(const void* const* s, size_t p, uint8_t* t, uint32_t c, uint8_t m) {
  ConvertRgbOrder(s, p, t, c, m, true, true);
}
void TColorManager::ConvertRgbToBgr(const void* const* s, size_t p, uint8_t* t, uint32_t c, uint8_t m) {
  ConvertRgbOrder(s, p, t, c, m, true, false);
}
void TColorManager::ConvertBgrToRgb(const void* const* s, size_t p, uint8_t* t, uint32_t c, uint8_t m) {
  ConvertRgbOrder(s, p, t, c, m, false, true);
}
void TColorManager::ConvertBgrToBgr(const void* const* s, size_t p, uint8_t* t, uint32_t c, uint8_t m) {
  ConvertRgbOrder(s, p, t, c, m, false, false);
}

void TColorManager::ConvertRgbOrder(const void* const* source, size_t planes, uint8_t* target, uint32_t count,
                                    uint8_t mask, bool sourceRedFirst, bool targetRedFirst) {
  const int sourceBits = FSourceBPS;
  const int targetBits = FTargetBPS;
  if ((sourceBits != 8 && sourceBits != 16) || (targetBits != 8 && targetBits != 16)) return;
  const bool sourceAlpha = FSourceOptions.Contains(coAlpha);
  const bool targetAlpha = FTargetOptions.Contains(coAlpha);
  const bool copyAlpha = sourceAlpha && targetAlpha;
  const bool swap = SwapBytes();
  const bool gamma = FTargetOptions.Contains(coApplyGamma);
  const int samples = sourceAlpha ? 4 : 3;
  const int targetBytes = targetBits / 8;
  const size_t targetStep = static_cast<size_t>(targetAlpha ? 4 : 3) * targetBytes;
  const int sourceRed = sourceRedFirst ? 0 : 2;
  const int targetRed = targetRedFirst ? 0 : 2;

  // The common case of PNG rows: interleaved 8-bit samples, whole rows.
  if (sourceBits == 8 && targetBits == 8 && planes <= 1 && mask == 0xFF) {
    const auto* s = static_cast<const uint8_t*>(source[0]);
    const uint8_t* table = gamma ? FGammaTable.data() : nullptr;
    for (uint32_t i = 0; i < count; ++i, s += samples, target += targetStep) {
      uint8_t r = s[sourceRed], g = s[1], b = s[2 - sourceRed];
      if (table) {
        r = table[r];
        g = table[g];
        b = table[b];
      }
      target[targetRed] = r;
      target[1] = g;
      target[2 - targetRed] = b;
      if (copyAlpha) target[3] = s[3];
    }
    return;
  }

  SampleReader reader(source, planes, samples, sourceBits, swap);
  uint32_t next = 0;
  for (uint32_t i = 0; i < count; ++i, target += targetStep) {
    if (!Written(mask, i)) continue;
    const uint32_t k = next++;
    uint32_t rgb[3] = {reader.Get(k, sourceRed), reader.Get(k, 1), reader.Get(k, 2 - sourceRed)};
    const int offsets[3] = {targetRed, 1, 2 - targetRed};
    for (int c = 0; c < 3; ++c) {
      uint32_t v = rgb[c];
      uint8_t* out = target + offsets[c] * targetBytes;
      if (sourceBits == 8 && targetBits == 8) {
        *out = Gamma(static_cast<uint8_t>(v));
      } else if (sourceBits == 8) {
        Store16(out, To16(Gamma(static_cast<uint8_t>(v))), swap);
      } else if (targetBits == 8) {
        *out = Gamma(static_cast<uint8_t>(To8(v)));
      } else {
        Store16(out, v, false);
      }
    }
    if (!copyAlpha) continue;
    uint32_t a = reader.Get(k, 3);
    uint8_t* out = target + 3 * targetBytes;
    if (sourceBits == 8 && targetBits == 8)
      *out = static_cast<uint8_t>(a);
    else if (sourceBits == 8)
      Store16(out, To16(a), swap);
    else if (targetBits == 8)
      *out = static_cast<uint8_t>(To8(a));
    else
      Store16(out, a, false);
  }
}

// --- Grey and indexed ------------------------------------------------------

void TColorManager::ConvertGrey(const void* const* source, size_t, uint8_t* target, uint32_t count, uint8_t mask) {
  const int sourceBits = FSourceBPS;
  const int targetBits = FTargetBPS;
  if ((sourceBits != 8 && sourceBits != 16) || (targetBits != 8 && targetBits != 16)) return;
  const bool swap = SwapBytes();
  const int sourceStep = (FSourceOptions.Contains(coAlpha) ? 2 : 1) * (sourceBits / 8);
  const int targetStep = targetBits / 8;
  const auto* s = static_cast<const uint8_t*>(source[0]);
  for (uint32_t i = 0; i < count; ++i, target += targetStep) {
    if (!Written(mask, i)) continue;
    if (sourceBits == 8 && targetBits == 8)
      *target = *s;
    else if (sourceBits == 8)
      Store16(target, To16(*s), swap);
    else if (targetBits == 8)
      *target = static_cast<uint8_t>(To8(Load16(s, swap)));
    else
      Store16(target, Load16(s, swap), false);
    s += sourceStep;
  }
}

void TColorManager::ConvertIndexed8(const void* const* source, size_t, uint8_t* target, uint32_t count,
                                    uint8_t mask) {
  const int sourceBits = FSourceBPS;
  const int targetBits = FTargetBPS;
  if (sourceBits > 8 || targetBits > 8) return;
  const auto* s = static_cast<const uint8_t*>(source[0]);
  if (sourceBits == targetBits && mask == 0xFF) {
    std::memcpy(target, s, (static_cast<size_t>(count) * sourceBits + 7) / 8);
    return;
  }
  if (sourceBits == 8 && targetBits == 8) {
    for (uint32_t i = 0; i < count; ++i)
      if (Written(mask, i)) target[i] = *s++;
    return;
  }
  const uint32_t sourceMax = MaxOf(sourceBits);
  const uint32_t targetMax = MaxOf(targetBits);
  BitPacker packer(target, targetBits);
  uint32_t next = 0;
  for (uint32_t i = 0; i < count; ++i) {
    if (!Written(mask, i)) continue;
    packer.Put(i, UnpackBits(s, next++, sourceBits) * targetMax / sourceMax);
  }
}

void TColorManager::ConvertIndexed16To16(const void* const* source, size_t, uint8_t* target, uint32_t count,
                                         uint8_t mask) {
  const auto* s = static_cast<const uint8_t*>(source[0]);
  const bool swap = SwapBytes();
  if (!swap && mask == 0xFF) {
    std::memcpy(target, s, static_cast<size_t>(count) * 2);
    return;
  }
  for (uint32_t i = 0; i < count; ++i, target += 2) {
    if (!Written(mask, i)) continue;
    Store16(target, Load16(s, swap), false);
    s += 2;
  }
}

void TColorManager::ConvertIndexed16ToLow(const void* const* source, size_t, uint8_t* target, uint32_t count,
                                          uint8_t mask) {
  const int targetBits = FTargetBPS;
  if (targetBits > 8) return;
  const auto* s = static_cast<const uint8_t*>(source[0]);
  const bool swap = SwapBytes();
  const uint32_t targetMax = MaxOf(targetBits);
  BitPacker packer(target, targetBits);
  for (uint32_t i = 0; i < count; ++i) {
    if (!Written(mask, i)) continue;
    packer.Put(i, Load16(s, swap) * targetMax / 65535);
    s += 2;
  }
}

void TColorManager::ConvertIndexedLowTo16(const void* const* source, size_t, uint8_t* target, uint32_t count,
                                          uint8_t mask) {
  const int sourceBits = FSourceBPS;
  if (sourceBits > 8) return;
  const auto* s = static_cast<const uint8_t*>(source[0]);
  const bool swap = SwapBytes();
  const uint32_t sourceMax = MaxOf(sourceBits);
  uint32_t next = 0;
  for (uint32_t i = 0; i < count; ++i, target += 2) {
    if (!Written(mask, i)) continue;
    Store16(target, UnpackBits(s, next++, sourceBits) * 65535 / sourceMax, swap);
  }
}
