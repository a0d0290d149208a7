#include "skin/graphics/PngColorManager.h"
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

uint16_t Load16(const uint8_t* p, bool swap) {
  uint16_t v;
  std::memcpy(&v, p, 2);
  return swap ? static_cast<uint16_t>((v >> 8) | (v << 8)) : v;
}

void Store16(uint8_t* p, uint32_t value, bool swap) {
  auto v = static_cast<uint16_t>(value);
  if (swap) v = static_cast<uint16_t>((v >> 8) | (v << 8));
  std::memcpy(p, &v, 2);
}

constexpr bool Written(uint8_t mask, uint32_t i) { return (mask & (0x80u >> (i & 7))) != 0; }

constexpr uint32_t To8(uint32_t v16) { return v16 * 255 / 65535; }
constexpr uint32_t To16(uint32_t v8) { return v8 * 65535 / 255; }

int Clamp(int v, int upper) { return std::clamp(v, 0, upper); }

// Samples of consecutive source pixels, interleaved behind one pointer or
// one plane per component.
class SampleReader {
public:
  SampleReader(const void* const* source, size_t planes, int samplesPerPixel, int bits, bool swap)
      : FPlanar(planes > 1), FSamples(samplesPerPixel), FBytes(bits / 8), FSwap(swap) {
    for (size_t i = 0; i < std::min<size_t>(planes, 4); ++i) FPlanes[i] = static_cast<const uint8_t*>(source[i]);
  }

  uint32_t Get(uint32_t pixel, int component) const {
    const uint8_t* p = FPlanar ? FPlanes[std::min(component, 3)] + static_cast<size_t>(pixel) * FBytes
                               : FPlanes[0] + (static_cast<size_t>(pixel) * FSamples + component) * FBytes;
    if (!p) return 0;
    return FBytes == 1 ? *p : Load16(p, FSwap);
  }

private:
  const uint8_t* FPlanes[4] = {};
  bool FPlanar;
  int FSamples;
  int FBytes;
  bool FSwap;
};

// Packs values of 1 to 8 bits most significant first; a target byte holds
// 8 div bits values, counted from the row start.
class BitPacker {
public:
  BitPacker(uint8_t* target, int bits) : FTarget(target), FBits(bits), FPerByte(8 / bits) {}

  void Put(uint32_t pixel, uint32_t value) {
    uint8_t* byte = FTarget + pixel / FPerByte;
    int shift = 8 - FBits * static_cast<int>(pixel % FPerByte + 1);
    auto field = static_cast<uint8_t>(((1u << FBits) - 1) << shift);
    *byte = static_cast<uint8_t>((*byte & ~field) | ((value << shift) & field));
  }

private:
  uint8_t* FTarget;
  int FBits;
  uint32_t FPerByte;
};

// Reads values of 1 to 8 bits most significant first.
uint32_t UnpackBits(const uint8_t* source, uint32_t index, int bits) {
  size_t bit = static_cast<size_t>(index) * bits;
  int shift = 8 - bits - static_cast<int>(bit % 8);
  return (source[bit / 8] >> shift) & ((1u << bits) - 1);
}

constexpr uint32_t MaxOf(int bits) { return bits >= 32 ? 0xFFFFFFFFu : (1u << bits) - 1; }

}  // namespace

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

void TColorManager::BuildYCbCrTables() {
  const double kR = FYCbCrCoefficients[0];
  const double kG = FYCbCrCoefficients[1];
  const double kB = FYCbCrCoefficients[2];
  const double oCr = FSourceScheme == csPhotoYCC ? 137 : 128;
  const double oCb = FSourceScheme == csPhotoYCC ? 156 : 128;
  for (int i = 0; i < 256; ++i) {
    FCrToRedTable[i] = static_cast<int32_t>(std::nearbyint((2 - 2 * kR) * (i - oCr)));
    FCbToBlueTable[i] = static_cast<int32_t>(std::nearbyint((2 - 2 * kB) * (i - oCb)));
    FCrToGreenTable[i] = -static_cast<int32_t>(std::nearbyint((2 - 2 * kR) * kR / kG * (i - oCr)));
    FCbToGreenTable[i] = -static_cast<int32_t>(std::nearbyint((2 - 2 * kB) * kB / kG * (i - oCb)));
  }
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

// --- Colour spaces -------------------------------------------------------

// toRgb receives the samples of one pixel (16-bit ones already in host
// order) and returns red, green and blue at the target depth.
template <typename ToRgb>
void TColorManager::ConvertColorSpace(const void* const* source, size_t planes, uint8_t* target, uint32_t count,
                                      uint8_t mask, int samples, bool targetRedFirst, ToRgb toRgb) {
  const int sourceBits = FSourceBPS;
  const int targetBits = FTargetBPS;
  if ((sourceBits != 8 && sourceBits != 16) || (targetBits != 8 && targetBits != 16)) return;
  const bool swap = SwapBytes();
  const int targetBytes = targetBits / 8;
  const size_t targetStep = static_cast<size_t>(FTargetOptions.Contains(coAlpha) ? 4 : 3) * targetBytes;
  const int targetRed = targetRedFirst ? 0 : 2;
  const int offsets[3] = {targetRed, 1, 2 - targetRed};
  SampleReader reader(source, planes, samples, sourceBits, swap);
  uint32_t next = 0;
  for (uint32_t i = 0; i < count; ++i, target += targetStep) {
    if (!Written(mask, i)) continue;
    uint32_t s[4] = {};
    for (int c = 0; c < samples && c < 4; ++c) s[c] = reader.Get(next, c);
    ++next;
    int rgb[3];
    toRgb(s, rgb);
    for (int c = 0; c < 3; ++c) {
      if (targetBits == 8)
        target[offsets[c]] = Gamma(static_cast<uint8_t>(Clamp(rgb[c], 255)));
      else
        Store16(target + offsets[c] * 2, static_cast<uint32_t>(Clamp(rgb[c], 65535)), swap);
    }
  }
}

namespace {

// Red from cyan, green from magenta, blue from yellow, each darkened by K.
struct CmykToRgb {
  int SourceBits, TargetBits;
  void operator()(const uint32_t* s, int* rgb) const {
    const int64_t k = s[3];
    for (int c = 0; c < 3; ++c) {
      const int64_t x = s[c];
      int v;
      if (SourceBits == 8) {
        v = Clamp(static_cast<int>(x * k / 255 - x - k + 255), 255);
        if (TargetBits == 16) v = static_cast<int>(To16(static_cast<uint32_t>(v)));
      } else if (TargetBits == 8) {
        v = Clamp(static_cast<int>(255 - (x + k - x * k / 65535) * 255 / 65535), 255);
      } else {
        v = static_cast<int>(x * k / 65535 - x - k + 65535);
      }
      rgb[c] = v;
    }
  }
};

struct LabToRgb {
  int SourceBits, TargetBits;
  bool ByteRange, ChromaOffset;
  void operator()(const uint32_t* s, int* rgb) const {
    uint32_t raw[3] = {s[0], s[1], s[2]};
    if (SourceBits == 16)
      for (uint32_t& v : raw) v = To8(v);
    double l = ByteRange ? raw[0] / 2.55 : raw[0];
    double a = ChromaOffset ? static_cast<int>(raw[1]) - 128 : static_cast<int8_t>(raw[1]);
    double b = ChromaOffset ? static_cast<int>(raw[2]) - 128 : static_cast<int8_t>(raw[2]);
    double x, y, z;
    if (l < 7.9996) {
      y = l / 903.3;
      x = y + a / 3893.5;
      z = y - b / 1557.4;
    } else {
      y = (l + 16) / 116;
      x = y + a / 500;
      z = y - b / 200;
      x = x * x * x;
      y = y * y * y;
      z = z * z * z;
    }
    const double linear[3] = {2.998 * x - 1.458 * y - 0.541 * z, -0.952 * x + 1.893 * y + 0.059 * z,
                              0.099 * x - 0.198 * y + 1.099 * z};
    for (int c = 0; c < 3; ++c) {
      double v = std::nearbyint(linear[c] * 255);
      int byte = v < 0 ? 0 : v > 255 ? 255 : static_cast<int>(v);
      rgb[c] = TargetBits == 16 ? static_cast<int>(To16(static_cast<uint32_t>(byte))) : byte;
    }
  }
};

struct YccToRgb {
  int SourceBits, TargetBits;
  const int32_t *CrToRed, *CbToBlue, *CrToGreen, *CbToGreen;
  void operator()(const uint32_t* s, int* rgb) const {
    if (SourceBits == 16 && TargetBits == 16) {
      const double y = s[0], cb = s[1], cr = s[2];
      rgb[0] = static_cast<int>(std::nearbyint(1.3584 * y + 1.8215 * (cr - 35209)));
      rgb[1] = static_cast<int>(std::nearbyint(1.3584 * y - 0.9271435 * (cr - 35209) - 0.4302726 * (cb - 40092)));
      rgb[2] = static_cast<int>(std::nearbyint(1.3584 * y + 2.2179 * (cb - 40092)));
      return;
    }
    uint32_t y = s[0], cb = s[1], cr = s[2];
    if (SourceBits == 16) {
      y = To8(y);
      cb = To8(cb);
      cr = To8(cr);
    }
    const int yy = static_cast<int>(y);
    rgb[0] = Clamp(yy + CrToRed[cr], 255);
    rgb[1] = Clamp(yy + CbToGreen[cb] + CrToGreen[cr], 255);
    rgb[2] = Clamp(yy + CbToBlue[cb], 255);
    if (TargetBits == 16)
      for (int c = 0; c < 3; ++c) rgb[c] = static_cast<int>(To16(static_cast<uint32_t>(rgb[c])));
  }
};

}  // namespace

void TColorManager::ConvertCmykToRgb(const void* const* s, size_t p, uint8_t* t, uint32_t c, uint8_t m) {
  ConvertColorSpace(s, p, t, c, m, 4, true, CmykToRgb{FSourceBPS, FTargetBPS});
}
void TColorManager::ConvertCmykToBgr(const void* const* s, size_t p, uint8_t* t, uint32_t c, uint8_t m) {
  ConvertColorSpace(s, p, t, c, m, 4, false, CmykToRgb{FSourceBPS, FTargetBPS});
}

void TColorManager::ConvertLabToRgb(const void* const* s, size_t p, uint8_t* t, uint32_t c, uint8_t m) {
  LabToRgb lab{FSourceBPS, FTargetBPS, FSourceOptions.Contains(coLabByteRange),
               FSourceOptions.Contains(coLabChromaOffset)};
  ConvertColorSpace(s, p, t, c, m, 3, true, lab);
}
void TColorManager::ConvertLabToBgr(const void* const* s, size_t p, uint8_t* t, uint32_t c, uint8_t m) {
  LabToRgb lab{FSourceBPS, FTargetBPS, FSourceOptions.Contains(coLabByteRange),
               FSourceOptions.Contains(coLabChromaOffset)};
  ConvertColorSpace(s, p, t, c, m, 3, false, lab);
}

void TColorManager::ConvertYCbCrToRgb(const void* const* s, size_t p, uint8_t* t, uint32_t c, uint8_t m) {
  YccToRgb ycc{FSourceBPS, FTargetBPS, FCrToRedTable.data(), FCbToBlueTable.data(), FCrToGreenTable.data(),
               FCbToGreenTable.data()};
  ConvertColorSpace(s, p, t, c, m, 3, true, ycc);
}
void TColorManager::ConvertYCbCrToBgr(const void* const* s, size_t p, uint8_t* t, uint32_t c, uint8_t m) {
  YccToRgb ycc{FSourceBPS, FTargetBPS, FCrToRedTable.data(), FCbToBlueTable.data(), FCrToGreenTable.data(),
               FCbToGreenTable.data()};
  ConvertColorSpace(s, p, t, c, m, 3, false, ycc);
}
// PhotoYCC differs from YCbCr only in the chroma offsets of its tables.
void TColorManager::ConvertPhotoYccToRgb(const void* const* s, size_t p, uint8_t* t, uint32_t c, uint8_t m) {
  ConvertYCbCrToRgb(s, p, t, c, m);
}
void TColorManager::ConvertPhotoYccToBgr(const void* const* s, size_t p, uint8_t* t, uint32_t c, uint8_t m) {
  ConvertYCbCrToBgr(s, p, t, c, m);
}

// --- Palettes --------------------------------------------------------------

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
