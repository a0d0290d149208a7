// The converters from CMYK, L*a*b*, YCbCr and PhotoYCC data.
#include "skin/graphics/PngColorManager.h"
#include "skin/graphics/PngSamples.h"
#include <cmath>

using namespace PngSamples;

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
