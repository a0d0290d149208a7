#pragma once
// Painting labels and text into 32-bit bitmaps in memory, and reading the
// result as plain pixels.
#include "skin/SkinTestSupport.h"
#include "platform/ui/Controls.h"
#include <functional>

inline std::unique_ptr<TBitmap> FilledBmp(int w, int h, uint32_t pixel) {
  auto bmp = NewBmp32(w, h);
  TPixelRows rows(bmp.get());
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) rows.At(x, y) = pixel;
  return bmp;
}

// The control painted on a background of one pixel value, as its parent
// would paint it.
inline TPixels PaintControl(TControl& Control, uint32_t Background) {
  auto bmp = FilledBmp(Control.Width(), Control.Height(), Background);
  Control.Perform(WM_PAINT, reinterpret_cast<WPARAM>(bmp->Canvas()->Handle()), 0);
  GdiFlush();
  return FromBitmap(*bmp);
}

inline uint32_t Rgb(uint32_t p) { return p & 0x00FFFFFF; }

struct TCentroid {
  double X = 0, Y = 0;
  int Count = 0;
};
inline TCentroid CentroidOf(const TPixels& img, const std::function<bool(uint32_t)>& pick) {
  TCentroid c;
  for (int y = 0; y < img.H; ++y)
    for (int x = 0; x < img.W; ++x)
      if (pick(img.At(x, y))) {
        c.X += x;
        c.Y += y;
        ++c.Count;
      }
  if (c.Count) {
    c.X /= c.Count;
    c.Y /= c.Count;
  }
  return c;
}

// Centroid weighted by how strongly each pixel shows the effect.
inline TCentroid WeightedCentroid(const TPixels& img, const std::function<int(uint32_t)>& weight) {
  TCentroid c;
  double total = 0;
  for (int y = 0; y < img.H; ++y)
    for (int x = 0; x < img.W; ++x)
      if (const int w = weight(img.At(x, y)); w > 0) {
        c.X += x * w;
        c.Y += y * w;
        total += w;
        ++c.Count;
      }
  if (total > 0) {
    c.X /= total;
    c.Y /= total;
  }
  return c;
}

// Black text on white drawn with a font: the glyph pixels of a reference.
inline TPixels ReferenceText(const TFont& Font, const String& Text, int W, int H, TRect R, UINT Format) {
  auto bmp = FilledBmp(W, H, 0x00FFFFFF);
  bmp->Canvas()->Font()->Assign(Font);
  bmp->Canvas()->Font()->SetColor(clBlack);
  bmp->Canvas()->Brush()->SetStyle(bsClear);
  HDC dc = bmp->Canvas()->Handle();
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, 0);
  DrawTextW(dc, reinterpret_cast<LPCWSTR>(Text.c_str()), static_cast<int>(Text.size()), reinterpret_cast<RECT*>(&R),
            Format);
  GdiFlush();
  return FromBitmap(*bmp);
}

inline void UseTestFont(TFont& Font, int Height = -32) {
  Font.SetName(u"Arial");
  Font.SetHeight(Height);
}
