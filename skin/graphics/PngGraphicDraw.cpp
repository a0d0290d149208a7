#include "skin/graphics/PngGraphic.h"
#include <algorithm>
#include <cstring>

namespace {

struct Pixel {
  uint8_t B, G, R, A;
};

Pixel* Row(TBitmap& bmp, int y) { return static_cast<Pixel*>(bmp.ScanLine(y)); }

// v laid over d with weight a, by a shift and not a division by 255.
inline uint8_t Mix(uint8_t d, uint8_t v, int a) { return static_cast<uint8_t>((d * 256 + (v - d) * a) >> 8); }

// Lays the w x h image over the top-left of target by the image's alpha; the
// target keeps the larger alpha. A reflection fades in the rows below,
// leaving the first row under the image untouched.
void LayOver(TBitmap& target, TBitmap& image, int w, int h, bool reflected) {
  for (int y = 0; y < h; ++y) {
    Pixel* d = Row(target, y);
    const Pixel* s = Row(image, y);
    for (int x = 0; x < w; ++x) {
      const int a = s[x].A;
      d[x].B = Mix(d[x].B, s[x].B, a);
      d[x].G = Mix(d[x].G, s[x].G, a);
      d[x].R = Mix(d[x].R, s[x].R, a);
      d[x].A = std::max(d[x].A, s[x].A);
    }
  }
  if (!reflected) return;
  const int n = std::min(image.Height() / 2 - 1, target.Height() - h - 1);
  if (n <= 0) return;
  const int step = 255 / image.Height();
  int level = 255;
  for (int r = 1; r <= n; ++r) {
    Pixel* d = Row(target, h + r);
    const Pixel* s = Row(image, h - 1 - r);
    for (int x = 0; x < w; ++x) {
      uint32_t value;
      std::memcpy(&value, &s[x], 4);
      if (value == 0x00FF00FF) continue;
      const int a = ((s[x].A * (n - r)) / n) * level >> 9;
      d[x].B = Mix(d[x].B, s[x].B, a);
      d[x].G = Mix(d[x].G, s[x].G, a);
      d[x].R = Mix(d[x].R, s[x].R, a);
    }
    level = static_cast<uint8_t>(level - step);
  }
}

// The image brought to w x h by dropping or repeating pixels, alpha
// included, as a colour-on-colour stretch does.
void StretchInto(TBitmap& scaled, TBitmap& image, int w, int h) {
  scaled.SetPixelFormat(pf32bit);
  scaled.SetSize(w, h);
  const int sw = image.Width();
  const int sh = image.Height();
  for (int y = 0; y < h; ++y) {
    const Pixel* s = Row(image, static_cast<int>(int64_t{y} * sh / h));
    Pixel* d = Row(scaled, y);
    for (int x = 0; x < w; ++x) d[x] = s[int64_t{x} * sw / w];
  }
}

}  // namespace

void TPNGGraphic::Draw(TCanvas& canvas, const TRect& rect) {
  if (PixelFormat() != pf32bit) {
    TBitmap::Draw(canvas, rect);
    return;
  }
  const int w = rect.Width();
  const int h = rect.Height();
  if (Empty() || w <= 0 || h <= 0) return;
  TBitmap work;
  work.SetPixelFormat(pf32bit);
  const int workHeight = Reflected ? h + h / 2 : h;
  work.SetSize(w, workHeight);
  BitBlt(work.Canvas()->Handle(), 0, 0, w, workHeight, canvas.Handle(), rect.Left, rect.Top, SRCCOPY);
  if (w == Width() && h == Height()) {
    LayOver(work, *this, w, h, Reflected);
  } else {
    TBitmap scaled;
    StretchInto(scaled, *this, w, h);
    LayOver(work, scaled, w, h, false);
  }
  BitBlt(canvas.Handle(), rect.Left, rect.Top, w, workHeight, work.Canvas()->Handle(), 0, 0, SRCCOPY);
}
