#pragma once
// Turns one row of decoded image samples into one row of bitmap pixels, and
// builds the palettes of palette and grey images. Besides what PNG needs it
// converts BGR, CMYK, L*a*b*, YCbCr and PhotoYCC data.
#include "platform/rtl/Exceptions.h"
#include "platform/ui/EnumSet.h"
#include "platform/ui/graphics/Bitmap.h"
#include <array>
#include <cstdint>
#include <initializer_list>

enum TColorScheme : uint8_t {
  csUnknown, csIndexed, csG, csGA, csRGB, csRGBA, csBGR, csBGRA, csCMY, csCMYK, csCIELab, csYCbCr, csPhotoYCC
};

enum TConvertOption : uint8_t { coAlpha, coApplyGamma, coNeedByteSwap, coLabByteRange, coLabChromaOffset };
using TConvertOptions = TEnumSet<TConvertOption>;

enum TRawPaletteFormat : uint8_t {
  pfInterlaced8Triple, pfInterlaced8Quad, pfPlane8Triple, pfPlane8Quad,
  pfInterlaced16Triple, pfInterlaced16Quad, pfPlane16Triple, pfPlane16Quad
};

// One pointer for interleaved samples, one per plane for planar data.
using TSourcePlanes = std::initializer_list<const void*>;

class EColorConversionError : public Exception { using Exception::Exception; };

class TColorManager {
public:
  TColorManager();

  uint8_t SourceBitsPerSample() const { return FSourceBPS; }
  void SetSourceBitsPerSample(uint8_t value);
  uint8_t TargetBitsPerSample() const { return FTargetBPS; }
  void SetTargetBitsPerSample(uint8_t value);
  uint8_t SourceSamplesPerPixel() const { return FSourceSPP; }
  void SetSourceSamplesPerPixel(uint8_t value);
  uint8_t TargetSamplesPerPixel() const { return FTargetSPP; }
  void SetTargetSamplesPerPixel(uint8_t value);
  TColorScheme SourceColorScheme() const { return FSourceScheme; }
  void SetSourceColorScheme(TColorScheme value);
  TColorScheme TargetColorScheme() const { return FTargetScheme; }
  void SetTargetColorScheme(TColorScheme value);
  // Plain fields: changing them does not choose the converter again.
  TConvertOptions SourceOptions() const { return FSourceOptions; }
  void SetSourceOptions(TConvertOptions value) { FSourceOptions = value; }
  TConvertOptions TargetOptions() const { return FTargetOptions; }
  void SetTargetOptions(TConvertOptions value) { FTargetOptions = value; }

  TPixelFormat SourcePixelFormat() const;
  TPixelFormat TargetPixelFormat() const;

  // Converts count pixels. Target pixel i is written only when bit
  // (7 - i mod 8) of mask is set; each written pixel takes the next source
  // pixel, so interlace passes fill a row sparsely.
  void ConvertRow(TSourcePlanes source, void* target, uint32_t count, uint8_t mask);

  // New palettes; the caller owns the handle.
  HPALETTE CreateColorPalette(TSourcePlanes data, TRawPaletteFormat dataFormat, uint32_t colorCount, bool rgb);
  HPALETTE CreateGrayscalePalette(bool minimumIsWhite);

  void SetGamma(float mainGamma, float displayGamma = 2.2f);
  float MainGamma() const { return FMainGamma; }
  float DisplayGamma() const { return FDisplayGamma; }
  const std::array<uint8_t, 256>& GammaTable() const { return FGammaTable; }

  [[noreturn]] static void Error(const String& msg);

private:
  using TConversionMethod = void (TColorManager::*)(const void* const* source, size_t planes, uint8_t* target,
                                                    uint32_t count, uint8_t mask);

  void PrepareConversion();
  void BuildYCbCrTables();
  TConversionMethod RgbFamily(TConversionMethod toRgb, TConversionMethod toBgr) const;

  void ConvertRgbToRgb(const void* const* source, size_t planes, uint8_t* target, uint32_t count, uint8_t mask);
  void ConvertRgbToBgr(const void* const* source, size_t planes, uint8_t* target, uint32_t count, uint8_t mask);
  void ConvertBgrToRgb(const void* const* source, size_t planes, uint8_t* target, uint32_t count, uint8_t mask);
  void ConvertBgrToBgr(const void* const* source, size_t planes, uint8_t* target, uint32_t count, uint8_t mask);
  void ConvertRgbOrder(const void* const* source, size_t planes, uint8_t* target, uint32_t count, uint8_t mask,
                       bool sourceRedFirst, bool targetRedFirst);
  void ConvertGrey(const void* const* source, size_t planes, uint8_t* target, uint32_t count, uint8_t mask);
  void ConvertIndexed8(const void* const* source, size_t planes, uint8_t* target, uint32_t count, uint8_t mask);
  void ConvertIndexed16To16(const void* const* source, size_t planes, uint8_t* target, uint32_t count,
                            uint8_t mask);
  void ConvertIndexed16ToLow(const void* const* source, size_t planes, uint8_t* target, uint32_t count,
                             uint8_t mask);
  void ConvertIndexedLowTo16(const void* const* source, size_t planes, uint8_t* target, uint32_t count,
                             uint8_t mask);
  void ConvertCmykToRgb(const void* const* source, size_t planes, uint8_t* target, uint32_t count, uint8_t mask);
  void ConvertCmykToBgr(const void* const* source, size_t planes, uint8_t* target, uint32_t count, uint8_t mask);
  void ConvertLabToRgb(const void* const* source, size_t planes, uint8_t* target, uint32_t count, uint8_t mask);
  void ConvertLabToBgr(const void* const* source, size_t planes, uint8_t* target, uint32_t count, uint8_t mask);
  void ConvertYCbCrToRgb(const void* const* source, size_t planes, uint8_t* target, uint32_t count,
                         uint8_t mask);
  void ConvertYCbCrToBgr(const void* const* source, size_t planes, uint8_t* target, uint32_t count,
                         uint8_t mask);
  void ConvertPhotoYccToRgb(const void* const* source, size_t planes, uint8_t* target, uint32_t count,
                            uint8_t mask);
  void ConvertPhotoYccToBgr(const void* const* source, size_t planes, uint8_t* target, uint32_t count,
                            uint8_t mask);

  // The colour-space converters share one walk over the pixels; toPixel
  // turns the samples of one source pixel into red, green and blue.
  template <typename ToRgb>
  void ConvertColorSpace(const void* const* source, size_t planes, uint8_t* target, uint32_t count, uint8_t mask,
                         int samples, bool targetRedFirst, ToRgb toRgb);
  uint8_t Gamma(uint8_t value) const;
  bool SwapBytes() const { return FSourceOptions.Contains(coNeedByteSwap); }

  bool FChanged = true;
  uint8_t FSourceBPS = 8;
  uint8_t FTargetBPS = 8;
  uint8_t FSourceSPP = 3;
  uint8_t FTargetSPP = 3;
  float FMainGamma = 1.0f;
  float FDisplayGamma = 2.2f;
  std::array<uint8_t, 256> FGammaTable{};
  std::array<float, 3> FYCbCrCoefficients{0.299f, 0.587f, 0.114f};
  std::array<int32_t, 256> FCrToRedTable{};
  std::array<int32_t, 256> FCbToBlueTable{};
  std::array<int32_t, 256> FCrToGreenTable{};
  std::array<int32_t, 256> FCbToGreenTable{};
  TColorScheme FSourceScheme = csRGB;
  TColorScheme FTargetScheme = csBGR;
  TConversionMethod FRowConversion = nullptr;
  TConvertOptions FSourceOptions;
  TConvertOptions FTargetOptions;
};
