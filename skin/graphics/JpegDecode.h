#pragma once
// JPEG decoding over libjpeg, in a unit of its own: jpeglib.h and
// <windows.h> both define "boolean", so no Win32 header comes in here.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct TJpegPixels {
  int Width = 0;
  int Height = 0;
  std::vector<uint32_t> Pixels;  // 0x00RRGGBB, rows top-down
};

// Empty on success, else the decoder's message; a corrupt image never
// jumps past the caller.
std::string DecodeJpeg(const uint8_t* Data, size_t Size, TJpegPixels& Out);
