#pragma once
// JPEG output for the generated test skin, kept apart from <windows.h>
// (both it and jpeglib.h define "boolean").
#include <cstdint>
#include <string>

// Rows top-down of red, green, blue bytes; empty on failure.
std::string EncodeTestJpeg(const uint8_t* Rgb, int Width, int Height, int Quality, bool Progressive = false);
