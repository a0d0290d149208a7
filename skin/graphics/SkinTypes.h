#pragma once
// Values every part of the skin library shares: the key and "no colour"
// values, and the description of what lies behind a control.
#include "platform/ui/graphics/Graphics.h"
#include <cstdint>

// Magenta: transparent in skin images. As a pixel it has alpha 0.
constexpr TColor KeyColor = 0xFF00FF;
constexpr uint32_t KeyPixel = 0x00FF00FF;
// "No colour": an unused colour argument, a skip value that matches nothing.
constexpr TColor ColorNone = 0x1FFFFFFF;

// What lies behind a control, for painters that fill transparent pixels.
struct TCacheInfo {
  TBitmap* Bmp = nullptr;  // not owned
  int32_t X = 0;
  int32_t Y = 0;
  TColor FillColor = KeyColor;
  TRect FillRect;
  bool Ready = false;
};

// Nothing behind: painters take nothing from a parent background.
inline const TCacheInfo EmptyCacheInfo{nullptr, -99, -99, KeyColor, TRect(), false};
