#include "skin/graphics/StretchParts.h"
#include <algorithm>

namespace {
struct TBlitter {
  HDC Dst;
  HDC Src;
  void Copy(int x, int y, int w, int h, int sx, int sy) const {
    if (w > 0 && h > 0) BitBlt(Dst, x, y, w, h, Src, sx, sy, SRCCOPY);
  }
  void Stretch(int x, int y, int w, int h, int sx, int sy, int sw, int sh) const {
    if (w > 0 && h > 0 && sw > 0 && sh > 0) StretchBlt(Dst, x, y, w, h, Src, sx, sy, sw, sh, SRCCOPY);
  }
  // Tiles a source strip of length len along one axis over [from, to).
  void TileVertical(int x, int w, int from, int to, int sx, int sy, int len) const {
    int y = from;
    for (; y + len <= to; y += len) Copy(x, y, w, len, sx, sy);
    Copy(x, y, w, to - y, sx, sy);
  }
  void TileHorizontal(int y, int h, int from, int to, int sx, int sy, int len) const {
    int x = from;
    for (; x + len <= to; x += len) Copy(x, y, len, h, sx, sy);
    Copy(x, y, to - x, h, sx, sy);
  }
};
}  // namespace

void StretchBmpParts(TBitmap& Dst, TBitmap& Src, const TRect& DstRect, const TRect& SrcRect, const TRect& SrcMargins,
                     const TRect& DstMargins, const std::array<int, 4>& SideModes, bool StretchCentre,
                     bool DrawCentre) {
  if (Dst.Empty() || Src.Empty()) return;
  const TRect& M = SrcMargins;
  const TRect& R = DstRect;
  const TRect& S = SrcRect;
  const int ML = std::min(M.Left, DstMargins.Left), MT = std::min(M.Top, DstMargins.Top);
  const int MR = std::min(M.Right, DstMargins.Right), MB = std::min(M.Bottom, DstMargins.Bottom);
  const TBlitter b{Dst.Canvas()->Handle(), Src.Canvas()->Handle()};
  SetStretchBltMode(b.Dst, COLORONCOLOR);

  b.Copy(R.Left, R.Top, M.Left, MT, S.Left, S.Top);
  if (MT != M.Top) b.Copy(R.Left, R.Top + MT, ML, M.Top - MT, S.Left, S.Top + MT);
  b.Copy(R.Left, R.Bottom - MB, M.Left, MB, S.Left, S.Bottom - MB);
  if (MB != M.Bottom) b.Copy(R.Left, R.Bottom - M.Bottom, ML, M.Bottom - MB, S.Left, S.Bottom - M.Bottom);
  b.Copy(R.Right - M.Right, R.Top, M.Right, MT, S.Right - M.Right, S.Top);
  if (MT != M.Top) b.Copy(R.Right - MR, R.Top + MT, MR, M.Top - MT, S.Right - MR, S.Top + MT);
  b.Copy(R.Right - M.Right, R.Bottom - MB, M.Right, MB, S.Right - M.Right, S.Bottom - MB);
  if (MB != M.Bottom) b.Copy(R.Right - MR, R.Bottom - M.Bottom, MR, M.Bottom - MB, S.Right - MR, S.Bottom - M.Bottom);

  const int CW = std::max(S.Width() - M.Left - M.Right, 0);
  const int CH = std::max(S.Height() - M.Top - M.Bottom, 0);
  const int top = R.Top + M.Top, bottom = R.Bottom - M.Bottom;
  const int left = R.Left + M.Left, right = R.Right - M.Right;
  const int srcTop = S.Top + M.Top, srcLeft = S.Left + M.Left;
  auto vertical = [&](int mode, int x, int w, int sx) {
    if (CH == 0) return;
    if (mode == dmRepeat)
      b.TileVertical(x, w, top, bottom, sx, srcTop, CH);
    else if (mode == dmStretch)
      b.Stretch(x, top, w, bottom - top, sx, srcTop, w, CH);
  };
  auto horizontal = [&](int mode, int y, int h, int sy) {
    if (CW == 0) return;
    if (mode == dmRepeat)
      b.TileHorizontal(y, h, left, right, srcLeft, sy, CW);
    else if (mode == dmStretch)
      b.Stretch(left, y, right - left, h, srcLeft, sy, CW, h);
  };
  vertical(SideModes[0], R.Left, ML, S.Left);
  horizontal(SideModes[1], R.Top, MT, S.Top);
  vertical(SideModes[2], R.Right - MR, MR, S.Right - MR);
  horizontal(SideModes[3], R.Bottom - MB, MB, S.Bottom - MB);

  if (!DrawCentre) return;
  if (StretchCentre) {
    b.Stretch(left, top, right - left, bottom - top, srcLeft, srcTop, CW, CH);
  } else if (CW != 0 && CH != 0) {
    for (int x = left; x < right; x += CW)
      for (int y = top; y < bottom; y += CH)
        b.Copy(x, y, std::min(CW, right - x), std::min(CH, bottom - y), srcLeft, srcTop);
  }
  GdiFlush();
}
