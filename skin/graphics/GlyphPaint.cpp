#include "skin/graphics/GlyphPaint.h"
#include "skin/graphics/AlphaCopy.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/Blends.h"
#include "skin/graphics/Pixels32.h"
#include <algorithm>
#include <vector>

bool (*DefaultGlyphsInStdOrder)() = nullptr;

namespace {
// Scales Bmp to w x h, colour and alpha each by a COLORONCOLOR stretch.
std::unique_ptr<TBitmap> ScaledWithAlpha(TBitmap& Bmp, int w, int h) {
  auto colour = NewBmp32(w, h);
  auto alpha = NewBmp32Like(Bmp);
  auto scaledAlpha = NewBmp32(w, h);
  if (colour->Empty() || alpha->Empty() || scaledAlpha->Empty()) return colour;
  HDC dc = colour->Canvas()->Handle();
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, 0, 0, w, h, Bmp.Canvas()->Handle(), 0, 0, Bmp.Width(), Bmp.Height(), SRCCOPY);
  // The alpha travels as a grey picture through the same stretch.
  TPixelRows src(&Bmp), grey(alpha.get());
  for (int y = 0; y < grey.Height(); ++y)
    for (int x = 0; x < grey.Width(); ++x) {
      const uint32_t a = src.At(x, y) >> 24;
      grey.At(x, y) = a | a << 8 | a << 16;
    }
  HDC alphaDC = scaledAlpha->Canvas()->Handle();
  SetStretchBltMode(alphaDC, COLORONCOLOR);
  StretchBlt(alphaDC, 0, 0, w, h, alpha->Canvas()->Handle(), 0, 0, Bmp.Width(), Bmp.Height(), SRCCOPY);
  GdiFlush();
  TPixelRows out(colour.get()), a(scaledAlpha.get());
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) out.At(x, y) = (out.At(x, y) & 0x00FFFFFFu) | (a.At(x, y) & 0xFF) << 24;
  return colour;
}

bool StdGlyphOrder(const TBitmap& glyph) {
  return glyph.PixelFormat() == pf4bit || !DefaultGlyphsInStdOrder || DefaultGlyphsInStdOrder();
}
}  // namespace

void DrawBmp32OnCanvas(TCanvas& Canvas, TBitmap& Bmp, const TRect& R, bool Reflected) {
  if (Bmp.PixelFormat() != pf32bit) {
    Canvas.StretchDraw(R, &Bmp);
    return;
  }
  const int w = R.Width(), h = R.Height();
  auto t = NewBmp32(w, Reflected ? h + h / 2 : h);
  if (t->Empty()) return;
  BitBlt(t->Canvas()->Handle(), 0, 0, t->Width(), t->Height(), Canvas.Handle(), R.Left, R.Top, SRCCOPY);
  GdiFlush();
  const TRect whole(0, 0, w, h);
  if (Bmp.Width() == w && Bmp.Height() == h) {
    AlphaCopy32(whole, whole, *t, &Bmp, EmptyCacheInfo, false, ColorNone, 0, Reflected);
  } else {
    auto scaled = ScaledWithAlpha(Bmp, w, h);
    AlphaCopy32(whole, whole, *t, scaled.get(), EmptyCacheInfo, false, ColorNone, 0, false);
  }
  BitBlt(Canvas.Handle(), R.Left, R.Top, t->Width(), t->Height(), t->Canvas()->Handle(), 0, 0, SRCCOPY);
}

HICON BmpToIcon(TBitmap& Bmp, TColor) {
  if (Bmp.PixelFormat() != pf32bit) {
    Bmp.SetPixelFormat(pf32bit);
    TPixelRows rows(&Bmp);
    for (int y = 0; y < rows.Height(); ++y)
      for (int x = 0; x < rows.Width(); ++x) {
        uint32_t& p = rows.At(x, y);
        p = p == KeyPixel ? p & 0x00FFFFFFu : p | 0xFF000000u;
      }
  }
  TPixelRows src(&Bmp);
  if (!src.Valid() || src.Width() == 0) return nullptr;
  const int w = src.Width(), h = src.Height();
  auto colour = NewBmp32(w, h);
  if (colour->Empty()) return nullptr;
  TPixelRows dst(colour.get());
  const int rowBytes = ((w + 15) / 16) * 2;
  std::vector<uint8_t> bits(static_cast<size_t>(rowBytes) * h, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      dst.At(x, y) = src.At(x, y);
      if ((src.At(x, y) >> 24) == 0) bits[y * rowBytes + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    }
  HBITMAP mask = CreateBitmap(w, h, 1, 1, bits.data());
  colour->Dormant();
  ICONINFO info{TRUE, 0, 0, mask, colour->Handle()};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(mask);
  return icon;
}

void PaintStateGlyph(TBitmap& Glyph, TBitmap& Dst, TRect R, int FrameCount, bool Enabled, int Mode, int Blend,
                     int State, bool Reflected) {
  TBitmap g;
  g.Assign(Glyph);
  g.SetPixelFormat(pf32bit);
  if (g.Empty()) return;
  if (Reflected) {
    const int up = R.Height() / 8;
    R.Top -= up;
    R.Bottom -= up;
  }
  // No frames at all counts as one frame.
  FrameCount = std::max(FrameCount, 1);
  if (FrameCount == 1) Mode = 0;
  if (Mode > 0) Blend = 0;
  int frame = 0;
  if (Enabled && Mode != 0) {
    const bool stdOrder = StdGlyphOrder(Glyph);
    switch (Mode) {
      case 1: frame = stdOrder ? 0 : 1; break;
      case 2:
        if (State + 2 < FrameCount)
          frame = State + 2;
        else
          frame = stdOrder ? 0 : std::min(FrameCount - 1, 1);
        break;
      case 3: frame = FrameCount < 3 ? 0 : 2; break;
      default: break;
    }
  }
  const int q = g.Width() / FrameCount;
  const TRect frameRect(frame * q, 0, (frame + 1) * q - 1, g.Height() - 1);
  if (q <= 0) return;
  const uint32_t corner = Pixel32(g, frame * q, g.Height() - 1);
  const TColor key = static_cast<TColor>(ColorToPixel(corner) & 0x00FFFFFFu);
  if (Enabled || Blend == 0)
    CopyRectExceptKey(Dst, g, R.Left, R.Top, frameRect, key);
  else
    CopyBmpBlended(Dst, R.Left, R.Top, g, frameRect, Blend / 100.0, KeyColor);
  if (Reflected) {
    const int down = R.Height();
    R.Top += down;
    R.Bottom += down;
    PaintGlyphReflection(Dst, g, R.TopLeft(), frameRect, key, Blend);
  }
}

void PaintGlyphReflection(TBitmap& Dst, TBitmap& Src, TPoint DstPoint, const TRect& SrcRect, TColor KeyColor,
                          int Blend) {
  TPixelRows d(&Dst), s(&Src);
  if (!d.Valid() || !s.Valid()) return;
  TRect r = SrcRect;
  int shiftX = 0, shiftY = 0;
  if (r.Top < 0) {
    shiftY = -r.Top;
    r.Top = 0;
  }
  if (r.Left < 0) {
    shiftX = -r.Left;
    r.Left = 0;
  }
  r.Bottom = std::min(r.Bottom, s.Height() - 1);
  r.Right = std::min(r.Right, s.Width() - 1);
  const int n = std::min(s.Height() / 3 * 2 - 1, d.Height() - DstPoint.Y - 1);
  if (n < 1) return;
  const int step = 255 / n;
  int level = 255;
  const uint32_t key = ColorToPixel(static_cast<uint32_t>(KeyColor)) & 0x00FFFFFFu;
  for (int k = 0; k <= n; ++k, level -= step) {
    const int ty = DstPoint.Y + shiftY + k, sy = r.Bottom - k;
    if (ty < 0 || ty >= d.Height() || sy < 0) continue;
    const uint32_t a = static_cast<uint32_t>((100 - Blend) * (((n - k) * 255 / n) * level / 512) / 100) & 0xFF;
    const uint32_t* srow = s.Row(sy);
    uint32_t* drow = d.Row(ty);
    for (int sx = r.Left; sx <= r.Right; ++sx) {
      const int tx = DstPoint.X + shiftX + sx - r.Left;
      if (tx < 0 || tx >= d.Width() || srow[sx] == key) continue;
      uint32_t out = drow[tx] & 0xFF000000u;
      for (int c = 0; c < 3; ++c) {
        const uint32_t sc = srow[sx] >> (8 * c) & 0xFF, dc = drow[tx] >> (8 * c) & 0xFF;
        out |= ((dc * (256 - a) + sc * a) >> 8 & 0xFF) << (8 * c);
      }
      drow[tx] = out;
    }
  }
}
