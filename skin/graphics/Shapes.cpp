#include "skin/graphics/Shapes.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/Blends.h"
#include "skin/graphics/Pixels32.h"
#include <algorithm>
#include <cmath>

void DrawSmallArrow(TCanvas& Canvas, TColor Color, const TRect& R, int Direction) {
  const int w = R.Width(), h = R.Height();
  auto column = [&](int x, int from, int to) {
    for (int y = from; y <= to; ++y) Canvas.SetPixels(x, y, Color);
  };
  auto row = [&](int y, int from, int to) {
    for (int x = from; x <= to; ++x) Canvas.SetPixels(x, y, Color);
  };
  switch (Direction) {
    case 0:
    case 2: {
      const int x0 = R.Left + (w - 3) / 2, y0 = R.Top + (h - 5) / 2;
      for (int i = 0; i <= 3; ++i) column(Direction == 0 ? x0 + 3 - i : x0 + i, y0 + i, y0 + 6 - i);
      break;
    }
    case 1:
    case 3: {
      const int x0 = R.Left + (w - 5) / 2 - 1, y0 = R.Top + (h - 3) / 2 - 1;
      for (int i = 0; i <= 3; ++i) row(Direction == 3 ? y0 + i : y0 + 3 - i, x0 + i, x0 + 6 - i);
      break;
    }
    default: break;
  }
}

void DrawDotFrame(TCanvas& Canvas, const TRect& R, TColor ColorA, TColor ColorB) {
  auto dot = [&](int x, int y, TColor c) {
    if (c != ColorNone) Canvas.SetPixels(x, y, c);
  };
  const int nx = R.Width() / 2, ny = R.Height() / 2, bottom = R.Bottom - 1, right = R.Right - 1;
  for (int k = 1; k <= nx; ++k) {
    const int x = R.Left + 2 * k;
    dot(x, R.Top, ColorB);
    dot(x, bottom, ColorB);
    dot(x - 1, R.Top, ColorA);
    dot(x - 1, bottom, ColorA);
  }
  for (int k = 1; k <= ny; ++k) {
    const int y = R.Top + 2 * k;
    dot(R.Left, y, ColorB);
    dot(right, y, ColorB);
    dot(R.Left, y - 1, ColorA);
    dot(right, y - 1, ColorA);
  }
}

void DrawNestedFrames(HDC DC, TRect& R, TColor LightColor, int& Count, TColor DarkColor) {
  HPEN light = CreatePen(PS_SOLID, 1, ColorToRGB(LightColor));
  HPEN dark = CreatePen(PS_SOLID, 1, static_cast<COLORREF>(DarkColor));
  HGDIOBJ oldPen = SelectObject(DC, light);
  HGDIOBJ oldBrush = SelectObject(DC, GetStockObject(NULL_BRUSH));
  --R.Right;
  --R.Bottom;
  while (Count > 0) {
    --Count;
    SelectObject(DC, light);
    POINT lightLine[3] = {{R.Left, R.Bottom}, {R.Left, R.Top}, {R.Right, R.Top}};
    Polyline(DC, lightLine, 3);
    SelectObject(DC, dark);
    POINT darkLine[3] = {{R.Right, R.Top}, {R.Right, R.Bottom}, {R.Left - 1, R.Bottom}};
    Polyline(DC, darkLine, 3);
    R = TRect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
  }
  ++R.Right;
  ++R.Bottom;
  SelectObject(DC, oldPen);
  SelectObject(DC, oldBrush);
  DeleteObject(light);
  DeleteObject(dark);
}

void PaintRoundShadow(TBitmap& Bmp, const TRect& R, int Darkness, TColor Color, int Size, int Radius) {
  const int w = R.Width(), h = R.Height();
  if (w <= 0 || h <= 0 || Bmp.Empty()) return;
  auto target = NewBmp32(w, h);
  auto mask = NewBmp32(w, h);
  if (target->Empty() || mask->Empty()) return;
  const int limit = std::min(w / 2, h / 2);
  Size = std::min(Size, limit);
  Radius = std::min(Radius, limit);
  BitBlt(target->Canvas()->Handle(), 0, 0, w, h, Bmp.Canvas()->Handle(), R.Left, R.Top, SRCCOPY);

  // Outside the outer rounded edge the mask is white, so the background stays.
  FillRect32(*mask, TRect(0, 0, w, h), 0xFFFFFF, 255);
  HDC dc = mask->Canvas()->Handle();
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
  const int base = Darkness * 255 / 100;
  auto fill = [&](int grey, int inset, int ellipse) {
    HBRUSH brush = CreateSolidBrush(RGB(grey, grey, grey));
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    // A null pen leaves the right and bottom edges out: reach one further.
    RoundRect(dc, inset, inset, w - inset + 1, h - inset + 1, ellipse, ellipse);
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
  };
  int grey = 255;
  for (int i = 0; i <= Size; ++i) {
    fill(grey, i, Radius);
    grey = static_cast<uint8_t>(base + static_cast<int>(std::trunc((255 - base) / double(Size + 1) * (Size - i))));
  }
  fill(grey, Size, Size);
  SelectObject(dc, oldPen);
  GdiFlush();

  TintBmpByMask(*target, *mask, Color);
  BitBlt(Bmp.Canvas()->Handle(), R.Left, R.Top, w, h, target->Canvas()->Handle(), 0, 0, SRCCOPY);
  GdiFlush();
}
