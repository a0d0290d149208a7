#include "skin/graphics/PixelEffects.h"
#include "skin/engine/SkinCommands.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/Blends.h"
#include "skin/graphics/ColorFuncs.h"
#include "skin/graphics/Pixels32.h"
#include <cmath>

int DisabledSaturation = -90;
double DisabledBlendFactor = 0.4;

void ForEachPixel(TBitmap* Bmp, PixelProc Proc, int Value, TColor SkipColor) {
  TPixelRows rows(Bmp);
  if (!rows.Valid()) return;
  const bool skip = SkipColor != ColorNone;
  const uint32_t skipPixel = ColorToPixel(static_cast<uint32_t>(SkipColor));
  for (int y = 0; y < rows.Height(); ++y) {
    uint32_t* row = rows.Row(y);
    for (int x = 0; x < rows.Width(); ++x)
      if (!skip || row[x] != skipPixel) Proc(&row[x], Value);
  }
}

void PixelOffsetProc(uint32_t* Pixel, int Value) {
  *Pixel = static_cast<uint32_t>(OffsetColor(static_cast<TColor>(*Pixel), Value));
}
void PixelSaturationProc(uint32_t* Pixel, int Value) {
  *Pixel = static_cast<uint32_t>(ChangeSaturation(Value, static_cast<int32_t>(*Pixel)));
}
void PixelHueProc(uint32_t* Pixel, int Value) { *Pixel = ChangeHue(Value, *Pixel); }
void PixelToneProc(uint32_t* Pixel, int Value) { *Pixel = ToneColor(*Pixel, static_cast<uint32_t>(Value)); }
void PixelOpaqueProc(uint32_t* Pixel, int) { *Pixel |= 0xFF000000u; }

namespace {
inline uint32_t Grey(uint32_t p) {
  const uint32_t avg = ((p & 0xFF) + (p >> 8 & 0xFF) + (p >> 16 & 0xFF)) / 3;
  return (p & 0xFF000000u) | avg << 16 | avg << 8 | avg;
}
}  // namespace

void GrayscaleBmp(TBitmap& Bmp) {
  TPixelRows rows(&Bmp);
  for (int y = 0; y < rows.Height(); ++y)
    for (int x = 0; x < rows.Width(); ++x) rows.At(x, y) = Grey(rows.At(x, y));
}

void GrayscaleBmpExcept(TBitmap& Bmp, uint32_t Key) {
  TPixelRows rows(&Bmp);
  for (int y = 0; y < rows.Height(); ++y)
    for (int x = 0; x < rows.Width(); ++x)
      if (rows.At(x, y) != Key) rows.At(x, y) = Grey(rows.At(x, y));
}

void ApplyBmpEffects(TBitmap& Bmp, int Flags, TControl* Control, const TCacheInfo& CI, TPoint Offset) {
  if (Flags & 2) {
    if (DisabledSaturation == -100)
      GrayscaleBmp(Bmp);
    else
      ForEachPixel(&Bmp, PixelSaturationProc, DisabledSaturation, KeyColor);
  }
  if (!(Flags & 1)) return;
  if (CI.Ready && CI.Bmp) {
    const int x = CI.X + Offset.X, y = CI.Y + Offset.Y;
    CopyBmpBlended(Bmp, 0, 0, *CI.Bmp, TRect(x, y, x + Bmp.Width(), y + Bmp.Height()), DisabledBlendFactor,
                   KeyColor);
    return;
  }
  const TColor fill = CI.FillColor != KeyColor ? CI.FillColor : GetControlColor(Control);
  BlendRectWithColor(Bmp, TRect(0, 0, Bmp.Width(), Bmp.Height()),
                     static_cast<uint8_t>(std::trunc(DisabledBlendFactor * 100)), fill);
}
