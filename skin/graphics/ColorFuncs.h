#pragma once
// Colour arithmetic: mixing, offsetting, saturation, hue turns and tones.
// Which byte order (colour or pixel) a function expects is said with it.
#include "skin/graphics/SkinTypes.h"
#include <cstdint>

// Each channel Trunc(A x Factor + B x (1 - Factor)); A's high byte.
TColor BlendColorPair(TColor A, TColor B, double Factor);
TColor OffsetColor(TColor Color, int Delta);
TColor SaturateColor(TColor Color, int Amount);
// Channels away from (positive) or toward (negative) their average.
int32_t ChangeSaturation(int Amount, int32_t Color);
// Turns the hue of a pixel-order value; greys come back unchanged.
uint32_t ChangeHue(int Degrees, uint32_t Value);
TColor ShiftColorHue(int Degrees, TColor Color);
// The tone at the brightness of Value (one in colour order, the other in pixel order).
uint32_t ToneColor(uint32_t Value, uint32_t Tone);
uint32_t ToneColorEx(uint32_t Value, uint32_t Tone);
uint32_t SwapColorChannels(uint32_t Color);
