#pragma once
// The library's own PNG reader. Loading fills an ordinary DIB, so a PNG can
// be used like any bitmap; a PNG with alpha keeps it, not premultiplied, in
// the fourth byte of each pixel. Saving writes the bitmap format.
#include "platform/classes/Streams.h"
#include "platform/ui/graphics/Bitmap.h"
#include "skin/graphics/Lz77Decoder.h"
#include "skin/graphics/PngColorManager.h"
#include <memory>
#include <vector>

enum TImageOption : uint8_t { ioBigEndian, ioUseGamma };
using TImageOptions = TEnumSet<TImageOption>;
enum TCompressionType : uint8_t { ctUnknown, ctNone, ctLZ77 };

// Header facts of an image; its height is the bitmap's.
struct TImageProperties {
  TImageOptions Options;
  uint32_t Width = 0;
  TColorScheme ColorScheme = csUnknown;
  uint8_t BitsPerSample = 0;
  uint8_t SamplesPerPixel = 0;
  TCompressionType Compression = ctUnknown;
};

struct TPNGChunkHeader {
  uint32_t Length = 0;
  char ChunkType[4] = {};
};

// The largest image the reader accepts: per side and in pixels.
constexpr uint32_t MaxPngSide = 16384;
constexpr uint64_t MaxPngPixels = uint64_t{64} << 20;

class TPNGGraphic : public TBitmap {
public:
  TPNGGraphic();
  ~TPNGGraphic() override;

  // Decodes one PNG that starts at the stream's position and leaves the
  // stream just past its IEND chunk.
  void LoadFromStream(TStream& stream) override;
  // Reads signature and header from the stream's position into
  // ImageProperties and ImageHeight; False when they are not a usable PNG
  // header.
  bool ReadImageProperties(TStream& stream, uint32_t imageIndex = 0);
  // The header's height (a bitmap holds no height without a width).
  uint32_t ImageHeight() const { return FImageHeight; }
  // True when more than 8 bytes remain and the next 8 are the PNG
  // signature; the position is kept.
  static bool CanLoad(TStream& stream);
  static bool CanLoad(const String& fileName);

  void Assign(const TPersistent& source) override;
  std::unique_ptr<TGraphic> Clone() const override;
  // A 32-bit image is laid over the canvas by its alpha (stretched when the
  // rectangle differs from its size); other formats draw as bitmaps.
  void Draw(TCanvas& canvas, const TRect& rect) override;

  TColor BackgroundColor() const { return FBackgroundColor; }
  // The 256 alpha values of a palette image's tRNS chunk; empty otherwise.
  const std::vector<uint8_t>& Transparency() const { return FTransparency; }
  TColorManager& ColorManager() { return *FColorManager; }
  const TImageProperties& ImageProperties() const { return FImageProperties; }
  void SetImageProperties(const TImageProperties& value) { FImageProperties = value; }

  // Draws a fading mirror image below the picture.
  bool Reflected = false;

private:
  void ResetForLoad();
  void LoadChunks();
  void ReadChunkHead();
  void LoadChunkBody();
  void SkipChunk();
  bool MatchesChunkType(const char* name) const;
  bool IsCriticalChunk() const { return (FHeader.ChunkType[0] & 0x20) == 0; }
  void TakeHeader(uint32_t& width, uint32_t& height, uint8_t& depth, uint8_t& colorType, uint8_t& compression,
                  uint8_t& interlace) const;
  int ConfigureColorDepth(uint8_t colorType, uint8_t bitDepth);
  void ReadPaletteChunk();
  void ReadGammaChunk();
  void ReadBkgdChunk();
  void ReadTrnsChunk();
  uint32_t TargetDepthValue(uint32_t value16) const;
  void DecodeImageData();
  void DecodeRows(uint8_t* row0, ptrdiff_t stride, size_t rowSize, int samples);
  void InflateRow(uint8_t* row, size_t size);

  std::unique_ptr<TColorManager> FColorManager;
  TRect FProgressRect;
  int64_t FBasePosition = 0;
  int64_t FStreamEnd = 0;
  TStream* FStream = nullptr;
  TImageProperties FImageProperties;
  std::unique_ptr<TLZ77Decoder> FDecoder;
  uint32_t FIDATSize = 0;
  std::vector<uint8_t> FRawBuffer;
  const uint8_t* FCurrentSource = nullptr;
  TPNGChunkHeader FHeader;
  uint32_t FCurrentCRC = 0;
  int FSourceBPP = 1;
  HPALETTE FPalette = nullptr;
  std::vector<uint8_t> FTransparency;
  TColor FTransparentColor = 0x1FFFFFFF;
  TColor FBackgroundColor = 0xFFFFFF;

  // What one load has seen so far.
  uint32_t FImageHeight = 0;
  TPixelFormat FTargetFormat = pfDevice;
  bool FImageSized = false;
  uint8_t FColorType = 0;
  uint8_t FBitDepth = 0;
  uint8_t FInterlace = 0;
  bool FConfigured = false;
  bool FImageDecoded = false;
  std::vector<uint8_t> FPaletteData;
};

// Load a PNG file or stream into a plain bitmap; on failure the bitmap keeps
// what it held and the reader's exception passes on.
void LoadPngFile(TBitmap& bmp, const String& fileName);
void LoadPngStream(TBitmap& bmp, TStream& stream);
