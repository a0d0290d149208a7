#include "skin/graphics/PngGraphic.h"
#include "platform/ui/graphics/Picture.h"
#include "skin/graphics/PngCrc.h"
#include "skin/graphics/PngErrors.h"
#include <algorithm>
#include <cstring>

using namespace PngErrors;

namespace {

constexpr uint8_t Signature[8] = {137, 80, 78, 71, 13, 10, 26, 10};

uint32_t BigEndian32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}
uint32_t BigEndian16(const uint8_t* p) { return (uint32_t{p[0]} << 8) | p[1]; }

constexpr TColor Grey(uint32_t v) { return static_cast<TColor>(v | (v << 8) | (v << 16)); }

[[maybe_unused]] const bool Registered = [] {
  TPicture::RegisterFileFormat(u"png", u"Portable network graphics (Velmoria)",
                               [] { return std::unique_ptr<TGraphic>(new TPNGGraphic); });
  return true;
}();

}  // namespace

TPNGGraphic::TPNGGraphic() : FColorManager(std::make_unique<TColorManager>()) {}

TPNGGraphic::~TPNGGraphic() {
  if (FPalette) DeleteObject(FPalette);
}

bool TPNGGraphic::CanLoad(TStream& stream) {
  const int64_t position = stream.Position();
  if (stream.Size() - position <= 8) return false;
  uint8_t head[8];
  const bool match = stream.Read(head, 8) == 8 && std::memcmp(head, Signature, 8) == 0;
  stream.SetPosition(position);
  return match;
}

bool TPNGGraphic::CanLoad(const String& fileName) {
  TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
  return CanLoad(stream);
}

void TPNGGraphic::Assign(const TPersistent& source) {
  if (auto* png = dynamic_cast<const TPNGGraphic*>(&source)) FImageProperties = png->FImageProperties;
  TBitmap::Assign(source);
}

std::unique_ptr<TGraphic> TPNGGraphic::Clone() const {
  auto copy = std::make_unique<TPNGGraphic>();
  copy->Assign(*this);
  copy->SetModified(false);
  return copy;
}

// --- Chunks ------------------------------------------------------------------

void TPNGGraphic::ReadChunkHead() {
  uint8_t raw[8];
  FStream->ReadBuffer(raw, 8);
  FHeader.Length = BigEndian32(raw);
  std::memcpy(FHeader.ChunkType, raw + 4, 4);
  FCurrentCRC = UpdatePngCrc(0xFFFFFFFFu, raw + 4, 4);
  // A length the file cannot hold is refused before anything is allocated.
  const int64_t left = FStreamEnd - FStream->Position();
  if (FHeader.Length > 0x7FFFFFFFu || int64_t{FHeader.Length} + 4 > left) Fail(InvalidFormat);
}

void TPNGGraphic::LoadChunkBody() {
  FRawBuffer.resize(FHeader.Length);
  FStream->ReadBuffer(FRawBuffer.data(), FHeader.Length);
  uint8_t stored[4];
  FStream->ReadBuffer(stored, 4);
  FCurrentCRC = UpdatePngCrc(FCurrentCRC, FRawBuffer.data(), FRawBuffer.size());
  if ((FCurrentCRC ^ 0xFFFFFFFFu) != BigEndian32(stored)) Fail(CrcError);
}

void TPNGGraphic::SkipChunk() { FStream->Seek(int64_t{FHeader.Length} + 4, soCurrent); }

bool TPNGGraphic::MatchesChunkType(const char* name) const {
  for (int i = 0; i < 4; ++i)
    if ((FHeader.ChunkType[i] & 0xDF) != (name[i] & 0xDF)) return false;
  return true;
}

void TPNGGraphic::TakeHeader(uint32_t& width, uint32_t& height, uint8_t& depth, uint8_t& colorType,
                             uint8_t& compression, uint8_t& interlace) const {
  const uint8_t* h = FRawBuffer.data();
  width = BigEndian32(h);
  height = BigEndian32(h + 4);
  depth = h[8];
  colorType = h[9];
  compression = h[10];
  interlace = h[12];
}

// --- Header ------------------------------------------------------------------

bool TPNGGraphic::ReadImageProperties(TStream& stream, uint32_t) {
  FImageProperties = TImageProperties();
  FStream = &stream;
  FStreamEnd = stream.Size();
  uint8_t head[8];
  if (stream.Read(head, 8) != 8 || std::memcmp(head, Signature, 8) != 0) return false;
  ReadChunkHead();
  if (!MatchesChunkType("IHDR")) return false;
  FImageProperties.Options.Include(ioBigEndian);
  LoadChunkBody();
  if (FHeader.Length < 13) return false;
  uint32_t width, height;
  uint8_t depth, colorType, compression, interlace;
  TakeHeader(width, height, depth, colorType, compression, interlace);
  if (width == 0 || height == 0 || width > MaxPngSide || height > MaxPngSide ||
      uint64_t{width} * height > MaxPngPixels)
    return false;
  FImageProperties.Width = width;
  FImageHeight = height;
  FImageProperties.Compression = compression == 0 ? ctLZ77 : ctUnknown;
  FImageProperties.BitsPerSample = depth;
  switch (colorType) {
    case 0: FImageProperties.ColorScheme = csG; FImageProperties.SamplesPerPixel = 1; break;
    case 2: FImageProperties.ColorScheme = csRGB; FImageProperties.SamplesPerPixel = 3; break;
    case 3: FImageProperties.ColorScheme = csIndexed; FImageProperties.SamplesPerPixel = 1; break;
    case 4: FImageProperties.ColorScheme = csGA; FImageProperties.SamplesPerPixel = 2; break;
    case 6: FImageProperties.ColorScheme = csRGBA; FImageProperties.SamplesPerPixel = 4; break;
    default: FImageProperties.ColorScheme = csUnknown; FImageProperties.SamplesPerPixel = 1; break;
  }
  for (;;) {
    ReadChunkHead();
    if (MatchesChunkType("gAMA")) {
      LoadChunkBody();
      break;
    }
    const bool end = MatchesChunkType("IEND");
    SkipChunk();
    if (end) break;
  }
  return true;
}

// --- Loading -----------------------------------------------------------------

void TPNGGraphic::ResetForLoad() {
  // The pixels stay until the new image is sized: an image of the same size
  // and format is decoded into the same section (new sections are costly).
  FImageSized = false;
  FTargetFormat = pfDevice;
  SetTransparent(false);
  SetTransparentColor(clDefault);
  if (FPalette) DeleteObject(FPalette);
  FPalette = nullptr;
  FTransparency.clear();
  FTransparentColor = clNone;
  FBackgroundColor = 0xFFFFFF;
  FPaletteData.clear();
  FConfigured = false;
  FImageDecoded = false;
  FIDATSize = 0;
  FCurrentSource = nullptr;
  // Gamma belongs to the file that asked for it, and its table is built
  // for 8-bit samples whatever the previous image was.
  FColorManager->SetTargetOptions(FColorManager->TargetOptions() - coApplyGamma);
  FColorManager->SetSourceBitsPerSample(8);
  FColorManager->SetTargetBitsPerSample(8);
}

void TPNGGraphic::LoadFromStream(TStream& stream) {
  ResetForLoad();
  FBasePosition = stream.Position();
  FDecoder.reset();
  FStream = &stream;
  if (!ReadImageProperties(stream)) Fail(InvalidFormat);
  stream.SetPosition(FBasePosition + 8);
  FProgressRect = Rect(0, 0, static_cast<int>(FImageProperties.Width), 1);
  Progress(psStarting, 0, false, FProgressRect, u"Preparing...");
  ReadChunkHead();
  FColorManager->SetSourceOptions({coNeedByteSwap});
  try {
    LoadChunks();
  } catch (...) {
    if (!FImageSized) SetHandle(nullptr);
    FDecoder.reset();  // ends the inflate state quietly
    FRawBuffer = {};
    FCurrentSource = nullptr;
    Progress(psEnding, 0, false, FProgressRect, String());
    throw;
  }
  std::unique_ptr<TLZ77Decoder> decoder = std::move(FDecoder);
  FRawBuffer = {};
  FCurrentSource = nullptr;
  decoder->DecodeEnd();
  Progress(psEnding, 0, false, FProgressRect, String());
}

void TPNGGraphic::LoadChunks() {
  LoadChunkBody();
  uint32_t width;
  uint8_t compression;
  TakeHeader(width, FImageHeight, FBitDepth, FColorType, compression, FInterlace);
  if (FImageProperties.Compression != ctLZ77) Fail(SchemeNotSupported);
  FDecoder = std::make_unique<TLZ77Decoder>(Z_PARTIAL_FLUSH, false);
  FDecoder->DecodeInit();
  for (;;) {
    ReadChunkHead();
    if (MatchesChunkType("IDAT")) {
      // Image data comes in one run of chunks.
      if (FImageDecoded) Fail(InvalidFormat);
      Progress(psEnding, 0, false, FProgressRect, String());
      DecodeImageData();
      FImageDecoded = true;
    } else if (MatchesChunkType("PLTE")) {
      ReadPaletteChunk();
      continue;
    } else if (MatchesChunkType("gAMA")) {
      ReadGammaChunk();
      continue;
    } else if (MatchesChunkType("bKGD")) {
      ReadBkgdChunk();
      continue;
    } else if (MatchesChunkType("tRNS")) {
      ReadTrnsChunk();
      continue;
    }
    const bool end = MatchesChunkType("IEND");
    SkipChunk();
    if (end) {
      if (!FImageDecoded) Fail(InvalidFormat);
      return;
    }
    if (IsCriticalChunk()) Fail(CriticalChunk);
  }
}

int TPNGGraphic::ConfigureColorDepth(uint8_t colorType, uint8_t bitDepth) {
  TColorManager& cm = *FColorManager;
  auto setUp = [&](TColorScheme source, TColorScheme target, uint8_t sourceSamples, uint8_t targetSamples,
                   uint8_t targetBits) {
    cm.SetSourceColorScheme(source);
    cm.SetTargetColorScheme(target);
    cm.SetSourceSamplesPerPixel(sourceSamples);
    cm.SetTargetSamplesPerPixel(targetSamples);
    cm.SetSourceBitsPerSample(bitDepth);
    cm.SetTargetBitsPerSample(targetBits);
  };
  auto greyPalette = [&] {
    if (FPalette) DeleteObject(FPalette);
    FPalette = cm.CreateGrayscalePalette(false);
  };
  const bool wide = bitDepth == 8 || bitDepth == 16;
  switch (colorType) {
    case 0:
      if (bitDepth != 1 && bitDepth != 2 && bitDepth != 4 && !wide) break;
      setUp(csG, csG, 1, 1, bitDepth == 2 ? 4 : bitDepth == 16 ? 8 : bitDepth);
      FTargetFormat = cm.TargetPixelFormat();
      greyPalette();
      return (bitDepth + 7) / 8;
    case 2:
      if (!wide) break;
      setUp(csRGB, csBGR, 3, 3, 8);
      FTargetFormat = pf24bit;
      return bitDepth * 3 / 8;
    case 3:
      if (bitDepth != 1 && bitDepth != 2 && bitDepth != 4 && bitDepth != 8) break;
      setUp(csIndexed, csIndexed, 1, 1, bitDepth == 2 ? 4 : bitDepth);
      FTargetFormat = cm.TargetPixelFormat();
      return 1;
    case 4:
      if (!wide) break;
      setUp(csGA, csIndexed, 2, 1, 8);
      FTargetFormat = pf8bit;
      greyPalette();
      return bitDepth * 2 / 8;
    case 6:
      if (!wide) break;
      setUp(csRGBA, csBGRA, 4, 4, 8);
      FTargetFormat = pf32bit;
      return bitDepth * 4 / 8;
    default:
      break;
  }
  Fail(InvalidColorFormat);
}

void TPNGGraphic::ReadPaletteChunk() {
  if (FHeader.Length % 3 != 0 || FHeader.Length == 0) Fail(InvalidPalette);
  LoadChunkBody();
  if (FColorType != 3) return;
  FSourceBPP = ConfigureColorDepth(FColorType, FBitDepth);
  FConfigured = true;
  FPaletteData = FRawBuffer;
  if (FPalette) DeleteObject(FPalette);
  FPalette = FColorManager->CreateColorPalette({FPaletteData.data()}, pfInterlaced8Triple, FHeader.Length / 3, false);
}

void TPNGGraphic::ReadGammaChunk() {
  LoadChunkBody();
  if (FHeader.Length < 4) return;
  FColorManager->SetGamma(static_cast<float>(BigEndian32(FRawBuffer.data()) / 100000.0), 2.2f);
  FColorManager->SetTargetOptions(FColorManager->TargetOptions() + coApplyGamma);
  FImageProperties.Options.Include(ioUseGamma);
}

uint32_t TPNGGraphic::TargetDepthValue(uint32_t value16) const {
  if (FBitDepth == 2) return value16 * 15 / 3;
  if (FBitDepth == 16) return value16 * 255 / 65535;
  return value16 & 0xFF;
}

void TPNGGraphic::ReadBkgdChunk() {
  LoadChunkBody();
  const uint8_t* d = FRawBuffer.data();
  const size_t length = FRawBuffer.size();
  auto channel = [&](int i) { return FBitDepth == 16 ? BigEndian16(d + 2 * i) * 255 / 65535 : d[2 * i + 1]; };
  switch (FColorType) {
    case 0:
    case 4:
      if (length >= 2) FBackgroundColor = Grey(TargetDepthValue(BigEndian16(d)));
      break;
    case 2:
    case 6:
      if (length >= 6) FBackgroundColor = static_cast<TColor>(channel(0) | (channel(1) << 8) | (channel(2) << 16));
      break;
    default:
      // A palette index: the colour of that entry, black past the palette.
      if (length >= 1) {
        const size_t at = size_t{d[0]} * 3;
        FBackgroundColor = at + 2 < FPaletteData.size()
                               ? static_cast<TColor>(FPaletteData[at] | (FPaletteData[at + 1] << 8) |
                                                     (FPaletteData[at + 2] << 16))
                               : 0;
      }
      break;
  }
}

void TPNGGraphic::ReadTrnsChunk() {
  LoadChunkBody();
  const uint8_t* d = FRawBuffer.data();
  const size_t length = FRawBuffer.size();
  auto channel = [&](int i) { return FBitDepth == 16 ? BigEndian16(d + 2 * i) * 255 / 65535 : d[2 * i + 1]; };
  switch (FColorType) {
    case 0:
      if (length >= 2) FTransparentColor = Grey(TargetDepthValue(BigEndian16(d)));
      break;
    case 2:
      if (length >= 6) FTransparentColor = static_cast<TColor>(channel(0) | (channel(1) << 8) | (channel(2) << 16));
      break;
    case 4:
    case 6:
      break;
    default:
      FTransparency.assign(256, 255);
      std::copy_n(d, std::min<size_t>(length, 256), FTransparency.begin());
      break;
  }
}

// --- Plain bitmaps -----------------------------------------------------------

void LoadPngFile(TBitmap& bmp, const String& fileName) {
  TPNGGraphic png;
  png.LoadFromFile(fileName);
  bmp.Assign(png);
}

void LoadPngStream(TBitmap& bmp, TStream& stream) {
  TPNGGraphic png;
  png.LoadFromStream(stream);
  bmp.Assign(png);
}
