#pragma once
// PNG files for the reader's tests: written by libpng from samples the test
// draws, decoded by libpng at full depth as the reference, or put together
// chunk by chunk; and the colours a loaded bitmap shows.
#include "platform/classes/Streams.h"
#include "platform/ui/graphics/Bitmap.h"
#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct PngImage {
  uint32_t Width = 0;
  uint32_t Height = 0;
  int ColorType = 0;
  int BitDepth = 8;
  bool Interlaced = false;
  // Width x Height x channels raw sample values, row by row.
  std::vector<uint16_t> Samples;
  std::vector<std::array<uint8_t, 3>> Palette;
  // Ancillary chunks, written when set.
  bool HasTrns = false;
  std::vector<uint8_t> TrnsAlpha;  // palette images
  std::array<uint16_t, 3> TrnsColor{};  // grey in [0]
  bool HasBkgd = false;
  uint8_t BkgdIndex = 0;
  std::array<uint16_t, 3> BkgdColor{};  // grey in [0]
  uint32_t Gamma = 0;  // gAMA value, 0 for none

  int Channels() const;
  uint16_t Sample(uint32_t x, uint32_t y, int channel) const {
    return Samples[(static_cast<size_t>(y) * Width + x) * Channels() + channel];
  }
};

// A drawn image of the given shape: gradients with noise over the whole
// sample range; palette images get a palette of 2^depth colours.
PngImage DrawImage(uint32_t width, uint32_t height, int colorType, int bitDepth, unsigned seed);

// libpng's encoding; filter is a PNG_FILTER_* mask; a small idatSize
// splits the image data over many chunks.
std::string WriteWithLibpng(const PngImage& image, int filter, size_t idatSize = 8192);
// libpng's decoding at full depth (samples unpacked, 16 bits kept).
PngImage ReadWithLibpng(const std::string& file);

// Chunks by hand: the CRC is computed unless one is given.
std::string PngSignature();
std::string Chunk(const std::string& type, const std::string& data);
std::string ChunkWithCrc(const std::string& type, const std::string& data, uint32_t crc);
std::string IhdrData(uint32_t width, uint32_t height, int bitDepth, int colorType, int compression = 0,
                     int interlace = 0);
// Unfiltered scan lines (filter byte 0) of an 8-bit RGB image of width x
// rows pixels whose pixel (x, y) is RgbAt(x, y).
std::string RgbRows(uint32_t width, uint32_t rows);
std::array<uint8_t, 3> RgbAt(uint32_t x, uint32_t y);
std::string ZlibOf(const std::string& raw);
uint32_t BigEndian(const std::string& bytes, size_t at);
void SetBigEndian(std::string& bytes, size_t at, uint32_t value);
// The chunk starting at offset gets its CRC recomputed.
void FixCrc(std::string& file, size_t chunkOffset);
// Offsets of the chunks of a file (past the signature).
std::vector<size_t> ChunkOffsets(const std::string& file);

// Every pixel as 0xAARRGGBB: palette formats through the bitmap's colour
// table, alpha only for 32-bit bitmaps.
std::vector<uint32_t> VisiblePixels(TBitmap& bmp);
std::vector<uint32_t> ColorTable(TBitmap& bmp);

void PutBytes(TMemoryStream& stream, const std::string& bytes);
