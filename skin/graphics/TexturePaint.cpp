#include "skin/graphics/TexturePaint.h"
#include "skin/graphics/MaskPaint.h"
#include "skin/graphics/Pixels32.h"
#include <algorithm>

namespace {
const TRect NoRest(-1, -1, -1, -1);

struct TTiler {
  HDC Dst, Src;
  int SX, SY, W, H;
  void Copy(int x, int y, int w, int h) const {
    if (w > 0 && h > 0) BitBlt(Dst, x, y, w, h, Src, SX, SY, SRCCOPY);
  }
  void Stretch(int x, int y, int w, int h) const {
    if (w > 0 && h > 0) StretchBlt(Dst, x, y, w, h, Src, SX, SY, W, H, SRCCOPY);
  }
  // Tiles of the part over R, rows of height rowH, the last column and row cut.
  void Tile(const TRect& R, bool wholeRowsOnly) const {
    for (int y = R.Top; y < R.Bottom; y += H) {
      if (wholeRowsOnly && y + H > R.Bottom) break;
      for (int x = R.Left; x < R.Right; x += W) Copy(x, y, std::min(W, R.Right - x), std::min(H, R.Bottom - y));
    }
  }
};
}  // namespace

void PaintTexture(TCanvas& Canvas, TRect& R, TBitmap*, const TsMaskData& MaskData, int DrawMode) {
  if (!MaskData.Bmp && !MaskData.Manager) return;
  TBitmap* src = MaskImageOf(MaskData, ModelOfManager ? ModelOfManager(MaskData.Manager) : nullptr);
  const int W = MaskData.R.Width(), H = MaskData.R.Height();
  // A part without size would never advance the tiles.
  if (!src || W <= 0 || H <= 0) return;
  const TTiler t{Canvas.Handle(), src->Canvas()->Handle(), MaskData.R.Left, MaskData.R.Top, W, H};
  SetStretchBltMode(t.Dst, COLORONCOLOR);
  const TRect r = R;
  switch (DrawMode) {
    case 0: t.Tile(r, false); R = NoRest; break;
    case 1: t.Stretch(r.Left, r.Top, r.Width(), r.Height()); R = NoRest; break;
    case 2:
      for (int x = r.Left; x < r.Right; x += W) t.Copy(x, r.Top, std::min(W, r.Right - x), r.Height());
      R = TRect(r.Left, r.Top + H, r.Right, r.Bottom);
      break;
    case 3:
      for (int y = r.Top; y < r.Bottom; y += H) t.Copy(r.Left, y, r.Width(), std::min(H, r.Bottom - y));
      R = TRect(r.Left + W, r.Top, r.Right, r.Bottom);
      break;
    case 4: t.Stretch(r.Left, r.Top, r.Width(), H); R = TRect(r.Left, r.Top + H, r.Right, r.Bottom); break;
    case 5: t.Stretch(r.Left, r.Top, W, r.Height()); R = TRect(r.Left + W, r.Top, r.Right, r.Bottom); break;
    case 6:
      for (int x = r.Left; x < r.Right; x += W) t.Copy(x, r.Bottom - H, std::min(W, r.Right - x), H);
      R = TRect(r.Left, r.Top, r.Right, r.Bottom - H);
      break;
    case 10: t.Tile(r, true); R = NoRest; break;
    case 11: {
      int y = r.Top;
      for (; y + H <= r.Bottom; y += H) t.Stretch(r.Left, y, r.Width(), H);
      t.Stretch(r.Left, y, r.Width(), H);
      R = NoRest;
      break;
    }
    case 12: {
      int x = r.Left;
      for (; x + W <= r.Right; x += W) t.Stretch(x, r.Top, W, r.Height());
      t.Stretch(x, r.Top, W, r.Height());
      R = NoRest;
      break;
    }
    case 7: t.Tile(r, false); R = TRect(r.Left, r.Top, r.Right - W, r.Bottom); break;
    default: t.Tile(r, false); R = TRect(r.Right - W, r.Top, r.Right, r.Bottom); break;
  }
  GdiFlush();
}

void PaintMaskedTexture(TBitmap& Bmp, TRect& R, const TCacheInfo& CI, const TsMaskData& MaskData, int DrawMode) {
  const TRect r = R;
  R = NoRest;
  const int W = MaskFrameWidth(MaskData), H = MaskFrameHeight(MaskData);
  // A part without size would never advance the tiles.
  if (!MaskData.Manager || W <= 0 || H <= 0 || (DrawMode != 0 && DrawMode != 10)) return;
  const TRect tile(MaskData.R.Left, MaskData.R.Top, MaskData.R.Left + W, MaskData.R.Top + H);
  int x = r.Left, y = r.Top;
  for (; x + W <= r.Right; x += W)
    for (y = r.Top; y + H <= r.Bottom; y += H) CopyMasterTileByMask(TRect(x, y, x + W, y + H), tile, Bmp, CI, MaskData);
  if (DrawMode == 0) {
    for (int ty = r.Top; ty + H <= r.Bottom; ty += H) CopyMasterTileByMask(TRect(x, ty, r.Right, ty + H), tile, Bmp, CI, MaskData);
    return;
  }
  // The bands beside and below the whole tiles show the parent.
  for (const TRect& band : {TRect(r.Left, y, r.Right, r.Bottom), TRect(x, r.Top, r.Right, r.Bottom)}) {
    if (band.Right <= band.Left || band.Bottom <= band.Top) continue;
    if (CI.Ready && CI.Bmp)
      BitBlt(Bmp.Canvas()->Handle(), band.Left, band.Top, band.Width(), band.Height(), CI.Bmp->Canvas()->Handle(),
             band.Left + CI.X, band.Top + CI.Y, SRCCOPY);
    else
      FillRect32(Bmp, band, CI.FillColor, 255);
  }
  GdiFlush();
}
