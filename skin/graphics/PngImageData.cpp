// Image data: rows inflated one by one, unfiltered and converted straight
// into the bitmap's rows, interlaced or not.
#include "skin/graphics/PngGraphic.h"
#include "skin/graphics/PngErrors.h"
#include "skin/graphics/PngUnfilter.h"

using namespace PngErrors;

namespace {

struct Adam7Pass {
  uint32_t Row, Column, RowStep, ColumnStep;
  uint8_t Mask;
};
constexpr Adam7Pass Adam7[7] = {
    {0, 0, 8, 8, 0x80}, {0, 4, 8, 8, 0x08}, {4, 0, 8, 4, 0x88}, {0, 2, 4, 4, 0x22},
    {2, 0, 4, 2, 0xAA}, {0, 1, 2, 2, 0x55}, {1, 0, 2, 1, 0xFF},
};

// Deflate never shrinks data by more than about 1032 to 1.
constexpr uint64_t MaxInflateRatio = 1032;

// Bytes of image data in the run of chunks whose first body Stream is at:
// read ahead and put back, before anything is sized by the header.
uint64_t ImageDataRunSize(TStream& Stream, int64_t End, uint32_t FirstLength) {
  const int64_t start = Stream.Position();
  uint64_t total = FirstLength;
  int64_t at = start + int64_t{FirstLength} + 4;
  uint8_t head[8];
  while (at + 8 <= End) {
    Stream.SetPosition(at);
    if (Stream.Read(head, 8) != 8) break;
    bool idat = true;
    for (int i = 0; i < 4; ++i) idat = idat && (head[4 + i] & 0xDF) == "IDAT"[i];
    if (!idat) break;
    const uint32_t length = (uint32_t{head[0]} << 24) | (uint32_t{head[1]} << 16) | (uint32_t{head[2]} << 8) | head[3];
    total += length;
    at += 8 + int64_t{length} + 4;
  }
  Stream.SetPosition(start);
  return total;
}

}  // namespace

void TPNGGraphic::DecodeImageData() {
  Progress(psStarting, 0, false, FProgressRect, u"Transfering...");
  if (!FConfigured) {
    // Palette indexes mean nothing without the palette.
    if (FColorType == 3) Fail(InvalidFormat);
    FSourceBPP = ConfigureColorDepth(FColorType, FBitDepth);
    FConfigured = true;
  }
  const int samples = FBitDepth == 16 ? FSourceBPP / 2 : FSourceBPP;
  const uint32_t width = FImageProperties.Width;
  const uint64_t rowSize = (uint64_t{width} * FBitDepth + 7) / 8 * samples + 1;
  const uint32_t height = FImageHeight;
  // A few bytes claiming a giant image are refused before it is allocated.
  const uint64_t leastRaw = uint64_t{width} * height * FBitDepth * static_cast<uint64_t>(samples) / 8;
  if (leastRaw > ImageDataRunSize(*FStream, FStreamEnd, FHeader.Length) * MaxInflateRatio + 1024)
    Fail(CompressionError);
  const bool reuse = !Empty() && PixelFormat() == FTargetFormat && Width() == static_cast<int>(width) &&
                     Height() == static_cast<int>(height);
  if (!reuse) {
    SetHandle(nullptr);
    SetPixelFormat(FTargetFormat);
  }
  if (FPalette) {
    SetPalette(FPalette);
    FPalette = nullptr;
  }
  if (!reuse) SetSize(static_cast<int>(width), static_cast<int>(height));
  FImageSized = true;
  TCanvas* canvas = Canvas();
  canvas->Lock();
  canvas->Brush()->SetColor(FBackgroundColor);
  canvas->FillRect(Rect(0, 0, static_cast<int>(width), static_cast<int>(height)));
  canvas->Unlock();
  if (FTransparentColor != clNone) {
    SetTransparentColor(FTransparentColor);
    SetTransparent(true);
  }
  auto* row0 = static_cast<uint8_t*>(ScanLine(0));
  const ptrdiff_t stride = -static_cast<ptrdiff_t>(RowStride());
  DecodeRows(row0, stride, static_cast<size_t>(rowSize), samples);
  if (reuse) Changed();
  while (MatchesChunkType("IDAT")) {
    LoadChunkBody();
    ReadChunkHead();
  }
}

void TPNGGraphic::DecodeRows(uint8_t* row0, ptrdiff_t stride, size_t rowSize, int samples) {
  std::vector<uint8_t> first(rowSize), second(rowSize);
  uint8_t* current = first.data();
  uint8_t* previous = second.data();
  const uint32_t width = FImageProperties.Width;
  const uint32_t height = static_cast<uint32_t>(Height());
  auto decodeRow = [&](uint32_t row, size_t size, uint8_t mask) {
    InflateRow(current, size);
    UnfilterRow(current[0], current + 1, previous + 1, FSourceBPP, size - 1);
    FColorManager->ConvertRow({current + 1}, row0 + static_cast<ptrdiff_t>(row) * stride, width, mask);
    std::swap(current, previous);
  };
  if (FInterlace == 1) {
    for (const Adam7Pass& pass : Adam7) {
      if (pass.Column >= width) continue;
      const uint64_t passWidth = (width + pass.ColumnStep - 1 - pass.Column) / pass.ColumnStep;
      const size_t passRowSize = static_cast<size_t>((uint64_t{FBitDepth} * passWidth + 7) / 8 * samples + 1);
      std::fill_n(previous, passRowSize, 0);
      for (uint32_t row = pass.Row; row < height; row += pass.RowStep) {
        decodeRow(row, passRowSize, pass.Mask);
        if (pass.Mask == 0xFF) ++FProgressRect.Top, ++FProgressRect.Bottom;
      }
    }
  } else {
    for (uint32_t row = 0; row < height; ++row) decodeRow(row, rowSize, 0xFF);
    FProgressRect.Top += static_cast<int>(height);
    FProgressRect.Bottom += static_cast<int>(height);
  }
}

void TPNGGraphic::InflateRow(uint8_t* row, size_t size) {
  uint8_t* dest = row;
  size_t remaining = size;
  while (remaining > 0) {
    // The compressed data ended inside this row.
    if (FDecoder->ZLibResult() == Z_STREAM_END) Fail(ExtraData);
    while (FIDATSize == 0) {
      // Image data that ends before the last row is damaged.
      if (!MatchesChunkType("IDAT")) Fail(CompressionError);
      LoadChunkBody();
      FCurrentSource = FRawBuffer.data();
      FIDATSize = FHeader.Length;
      ReadChunkHead();
    }
    uint8_t* before = dest;
    FDecoder->Decode(FCurrentSource, dest, FIDATSize, static_cast<uint32_t>(remaining));
    FIDATSize = FDecoder->AvailableInput();
    remaining -= static_cast<size_t>(dest - before);
    const int result = FDecoder->ZLibResult();
    if (result == Z_STREAM_END) {
      if (remaining > 0 || FIDATSize > 0) Fail(ExtraData);
      return;
    }
    if (result != Z_OK) Fail(CompressionError);
  }
}
