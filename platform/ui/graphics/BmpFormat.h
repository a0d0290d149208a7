#pragma once
// The BMP file format, read and written without the Win32 API: a file
// header, a BITMAPINFOHEADER (or a larger version of it), a colour table for
// up to 8 bits per pixel, and bottom-up rows padded to 4 bytes.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TDibPixels {
  int Width = 0;
  int Height = 0;
  int BitCount = 0;                // 1, 4, 8, 24 or 32
  std::vector<uint32_t> Palette;   // RGBQUAD values (0x00RRGGBB), up to 2^BitCount
  std::string Bits;                // Height rows of DibRowStride bytes, bottom row first
};

// Bytes of one row padded to 4; the 64-bit one for sizes read from files.
uint64_t DibRowStride64(int width, int bitCount);
int DibRowStride(int width, int bitCount);

// Reads a BMP file from the start of data; consumed receives the number of
// bytes that made up the file. Every size, count and offset is checked
// against the data; anything unreadable raises EInvalidGraphic.
TDibPixels ReadBmp(std::string_view data, size_t* consumed = nullptr);
std::string WriteBmp(const TDibPixels& pixels);
