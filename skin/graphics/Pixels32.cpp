#include "skin/graphics/Pixels32.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/SkinData.h"
#include <algorithm>
#include <cmath>
#include <vector>

namespace {
// The rectangle cut to the bitmap, right and bottom exclusive.
TRect CutTo(const TPixelRows& rows, const TRect& r) {
  return TRect(std::max(r.Left, 0), std::max(r.Top, 0), std::min(r.Right, rows.Width()),
               std::min(r.Bottom, rows.Height()));
}

uint32_t& CheckedPixel(TBitmap& Bmp, int X, int Y) {
  auto* row = static_cast<uint32_t*>(Bmp.ScanLine(Y));
  if (X < 0 || X >= Bmp.Width()) throw EInvalidGraphicOperation(u"Pixel column out of range");
  return row[X];
}
}  // namespace

uint32_t Pixel32(TBitmap& Bmp, int X, int Y) { return CheckedPixel(Bmp, X, Y); }
void SetPixel32(TBitmap& Bmp, int X, int Y, uint32_t Value) { CheckedPixel(Bmp, X, Y) = Value; }

void FillRect32(TBitmap& Bmp, const TRect& R, TColor Color, uint8_t Alpha) {
  TPixelRows rows(&Bmp);
  if (!rows.Valid()) return;
  const TRect r = CutTo(rows, R);
  const uint32_t value = (ColorToPixel(static_cast<uint32_t>(Color)) & 0x00FFFFFFu) | (uint32_t(Alpha) << 24);
  for (int y = r.Top; y < r.Bottom; ++y) std::fill(rows.Row(y) + r.Left, rows.Row(y) + std::max(r.Left, r.Right), value);
}

void FillFrame32(TBitmap& Bmp, const TRect& R, int LeftWidth, int TopWidth, int RightWidth, int BottomWidth,
                 TColor Color) {
  FillRect32(Bmp, TRect(R.Left, R.Top, R.Right, R.Top + TopWidth), Color, 255);
  FillRect32(Bmp, TRect(R.Left, R.Top + TopWidth, R.Left + LeftWidth, R.Bottom), Color, 255);
  FillRect32(Bmp, TRect(R.Left + LeftWidth, R.Bottom - BottomWidth, R.Right, R.Bottom), Color, 255);
  FillRect32(Bmp, TRect(R.Right - RightWidth, R.Top + TopWidth, R.Right, R.Bottom - BottomWidth), Color, 255);
}

void BlendRectWithColor(TBitmap& Bmp, const TRect& R, uint8_t Percent, TColor Color) {
  TPixelRows rows(&Bmp);
  if (!rows.Valid()) return;
  const int left = std::max(R.Left, 0), top = std::max(R.Top, 0);
  const int right = std::min(R.Right, rows.Width() - 1), bottom = std::min(R.Bottom, rows.Height() - 1);
  const uint32_t c = ColorToPixel(static_cast<uint32_t>(ColorToRGB(Color)));
  const double p = Percent / 100.0;
  double fixed[3];
  for (int k = 0; k < 3; ++k) fixed[k] = (1 - p) * ((c >> (8 * k)) & 0xFF);
  for (int y = top; y <= bottom; ++y) {
    auto* px = reinterpret_cast<uint8_t*>(rows.Row(y));
    for (int x = left; x <= right; ++x)
      for (int k = 0; k < 3; ++k) {
        uint8_t& ch = px[x * 4 + k];
        ch = static_cast<uint8_t>(std::nearbyint(p * ch + fixed[k]));
      }
  }
}

void SetRectAlpha(TBitmap& Bmp, const TRect& R, uint8_t Alpha, uint32_t SkipValue) {
  TPixelRows rows(&Bmp);
  if (!rows.Valid()) return;
  const TRect r = CutTo(rows, R);
  const bool all = SkipValue == static_cast<uint32_t>(ColorNone);
  for (int y = r.Top; y < r.Bottom; ++y) {
    uint32_t* row = rows.Row(y);
    for (int x = r.Left; x < r.Right; ++x)
      if (all || row[x] != SkipValue) row[x] = (row[x] & 0x00FFFFFFu) | (uint32_t(Alpha) << 24);
  }
}

void PremultiplyRect(TBitmap& Bmp, const TRect& R) {
  TPixelRows rows(&Bmp);
  if (!rows.Valid()) return;
  const TRect r = CutTo(rows, R);
  for (int y = r.Top; y < r.Bottom; ++y) {
    uint32_t* row = rows.Row(y);
    for (int x = r.Left; x < r.Right; ++x) {
      const uint32_t p = row[x];
      if (p == 0x00FFFFFFu) {
        row[x] = 0;
        continue;
      }
      const uint32_t a = p >> 24;
      row[x] = (p & 0xFF000000u) | (((p >> 16 & 0xFF) * a >> 8) << 16) | (((p >> 8 & 0xFF) * a >> 8) << 8) |
               ((p & 0xFF) * a >> 8);
    }
  }
}

void PremultiplyBmp(TBitmap& Bmp) { PremultiplyRect(Bmp, TRect(0, 0, Bmp.Width(), Bmp.Height())); }

void ZeroWhitePixels(TBitmap& Bmp) {
  TPixelRows rows(&Bmp);
  for (int y = 0; y < rows.Height(); ++y)
    for (int x = 0; x < rows.Width(); ++x)
      if (rows.At(x, y) == 0x00FFFFFFu) rows.At(x, y) = 0;
}

void ByteSwapArray32(uint32_t* Values, int Count) {
  for (int i = 0; i < Count; ++i) Values[i] = ByteSwap32(Values[i]);
}

void FillLongword(uint32_t* Dest, int Count, uint32_t Value) {
  if (Count > 0) std::fill_n(Dest, Count, Value);
}

void CopyUnderKeyColor(TBitmap& Dst, TBitmap& Src, const TRect& DstRect, const TRect& SrcRect, int ImageIndex,
                       TsSkinManager* Manager, int CornerCode) {
  TPixelRows d(&Dst), s(&Src);
  if (!d.Valid() || !s.Valid()) return;
  const int w = std::min(DstRect.Width(), s.Width() - SrcRect.Left);
  const int h = std::min(DstRect.Height(), s.Height() - SrcRect.Top);
  if (w <= 0 || h <= 0) return;

  // The mask: the target itself, or a corner of frame 0 of the image part.
  TPixelRows mask(&Dst);
  TPoint origin = DstRect.TopLeft();
  if (ImageIndex != -1) {
    TsSkinModel* model = ModelOfManager && Manager ? ModelOfManager(Manager) : nullptr;
    if (!model || ImageIndex < 0 || ImageIndex >= static_cast<int>(model->ma.size())) return;
    const TsMaskData& md = model->ma[ImageIndex];
    mask = TPixelRows(MaskImageOf(md, model));
    if (!mask.Valid()) return;
    origin = md.R.TopLeft();
    if (CornerCode == HTTOPRIGHT || CornerCode == HTBOTTOMRIGHT) origin.X += MaskFrameWidth(md) - md.WR;
    if (CornerCode == HTBOTTOMLEFT || CornerCode == HTBOTTOMRIGHT) origin.Y += MaskFrameHeight(md) - md.WB;
  }
  for (int y = 0; y < h; ++y) {
    const int dy = DstRect.Top + y, sy = SrcRect.Top + y, my = origin.Y + y;
    if (dy < 0 || dy >= d.Height() || sy < 0) continue;
    for (int x = 0; x < w; ++x) {
      const int dx = DstRect.Left + x, sx = SrcRect.Left + x, mx = origin.X + x;
      if (dx < 0 || dx >= d.Width() || sx < 0 || !mask.Contains(mx, my)) continue;
      if ((mask.At(mx, my) & 0x00FFFFFFu) == KeyPixel) d.At(dx, dy) = s.At(sx, sy);
    }
  }
}

HICON IconFromBmp(TBitmap& Bmp, bool) {
  Bmp.SetPixelFormat(pf32bit);
  TPixelRows rows(&Bmp);
  if (!rows.Valid() || rows.Width() == 0) return nullptr;
  const int w = rows.Width(), h = rows.Height();
  const int rowBytes = ((w + 15) / 16) * 2;
  std::vector<uint8_t> bits(static_cast<size_t>(rowBytes) * h, 0);
  const uint32_t clear = rows.At(0, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (rows.At(x, y) == clear) bits[y * rowBytes + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
  HBITMAP mask = CreateBitmap(w, h, 1, 1, bits.data());
  ICONINFO info{TRUE, 0, 0, mask, Bmp.Handle()};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(mask);
  return icon;
}
