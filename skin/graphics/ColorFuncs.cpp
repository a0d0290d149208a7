#include "skin/graphics/ColorFuncs.h"
#include <algorithm>
#include <cmath>

namespace {
inline int Byte(uint32_t v, int k) { return static_cast<int>(v >> (8 * k) & 0xFF); }
inline uint32_t Clamp8(int v) { return static_cast<uint32_t>(std::clamp(v, 0, 255)); }
}  // namespace

namespace {
// Trunc(x * f + y * g) of the exact products and sum: a sum that rounding
// would lift onto an integer stays below it, as in extended precision,
// where 255 x (1 - 0.4) lies just below 153.
int TruncWeightedSum(double x, double f, double y, double g) {
  const double p1 = x * f, e1 = std::fma(x, f, -p1);
  const double p2 = y * g, e2 = std::fma(y, g, -p2);
  const double sum = p1 + p2, back = sum - p1;
  const double err = (p1 - (sum - back)) + (p2 - back) + e1 + e2;
  double t = std::floor(sum);
  if ((sum - t) + err < 0) t -= 1;
  if (t < 0) t = std::ceil(sum + err);
  return static_cast<int>(t);
}
}  // namespace

TColor BlendColorPair(TColor A, TColor B, double Factor) {
  const uint32_t a = static_cast<uint32_t>(A), b = static_cast<uint32_t>(B);
  uint32_t out = a & 0xFF000000u;
  for (int k = 0; k < 3; ++k)
    out |= (static_cast<uint32_t>(TruncWeightedSum(Byte(a, k), Factor, Byte(b, k), 1 - Factor)) & 0xFF) << (8 * k);
  return static_cast<TColor>(out);
}

TColor OffsetColor(TColor Color, int Delta) {
  const uint32_t c = static_cast<uint32_t>(Color);
  uint32_t out = c & 0xFF000000u;
  for (int k = 0; k < 3; ++k) out |= Clamp8(Byte(c, k) + Delta) << (8 * k);
  return static_cast<TColor>(out);
}

TColor SaturateColor(TColor Color, int Amount) { return Amount == 0 ? Color : ChangeSaturation(Amount, Color); }

int32_t ChangeSaturation(int Amount, int32_t Color) {
  const uint32_t c = static_cast<uint32_t>(Color);
  const int avg = (Byte(c, 0) + Byte(c, 1) + Byte(c, 2)) / 3;
  uint32_t out = c & 0xFF000000u;
  for (int k = 0; k < 3; ++k) {
    const int ch = Byte(c, k);
    out |= Clamp8(ch - (avg - ch) * Amount / 255) << (8 * k);
  }
  return static_cast<int32_t>(out);
}

uint32_t ChangeHue(int Degrees, uint32_t Value) {
  const double r = Byte(Value, 2), g = Byte(Value, 1), b = Byte(Value, 0);
  const double v = std::max({r, g, b});
  const double delta = v - std::min({r, g, b});
  const double s = v == 0 ? 0 : delta / v;
  if (s == 0) return (Value & 0xFF00FFFFu) | (static_cast<uint32_t>(v) << 16);
  const double k = 60 / delta;
  double h = r == v ? (g - b) * k : g == v ? 120 + (b - r) * k : 240 + (r - g) * k;
  if (h < 0) h += 360;
  int h2 = static_cast<int>(std::trunc(Degrees + h)) % 360;
  // A negative turn lands in 0..359 too.
  if (h2 < 0) h2 += 360;
  const int sector = static_cast<int>(std::trunc(h2 / 60.0));
  const double f = h2 / 60.0 - sector;
  const double p = std::clamp(v * (1 - s), 0.0, 255.0);
  const double q = std::clamp(v * (1 - s * f), 0.0, 255.0);
  const double t = std::clamp(v * (1 - s * (1 - f)), 0.0, 255.0);
  double nr, ng, nb;
  switch (sector) {
    case 0: nr = v, ng = t, nb = p; break;
    case 1: nr = q, ng = v, nb = p; break;
    case 2: nr = p, ng = v, nb = t; break;
    case 3: nr = p, ng = q, nb = v; break;
    case 4: nr = t, ng = p, nb = v; break;
    default: nr = v, ng = p, nb = q; break;
  }
  return (Value & 0xFF000000u) | static_cast<uint32_t>(std::trunc(nr)) << 16 |
         static_cast<uint32_t>(std::trunc(ng)) << 8 | static_cast<uint32_t>(std::trunc(nb));
}

TColor ShiftColorHue(int Degrees, TColor Color) {
  if (Degrees == 0) return Color;
  auto swap = [](uint32_t c) { return (c & 0xFF00FF00u) | (c & 0xFF) << 16 | (c >> 16 & 0xFF); };
  return static_cast<TColor>(swap(ChangeHue(Degrees, swap(static_cast<uint32_t>(Color)))));
}

uint32_t ToneColor(uint32_t Value, uint32_t Tone) {
  const uint32_t m = static_cast<uint32_t>(std::max({Byte(Value, 0), Byte(Value, 1), Byte(Value, 2)}));
  uint32_t out = Value & 0xFF000000u;
  for (int k = 0; k < 3; ++k) out |= (m * static_cast<uint32_t>(Byte(Tone, 2 - k)) >> 8) << (8 * k);
  return out;
}

uint32_t ToneColorEx(uint32_t Value, uint32_t Tone) { return ToneColor(Value, Tone); }

uint32_t SwapColorChannels(uint32_t Color) { return (Color % 256) * 65536 + ((Color >> 8) % 256) * 256 + (Color >> 16); }
