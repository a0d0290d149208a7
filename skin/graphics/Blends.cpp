#include "skin/graphics/Blends.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/Pixels32.h"
#include <algorithm>
#include <cmath>

namespace {
inline uint32_t Channel(uint32_t p, int k) { return p >> (8 * k) & 0xFF; }

// The source rectangle with inclusive right and bottom, cut to the source;
// a negative left or top moves the target by as much.
struct TInclusiveBlock {
  TRect S;
  int ShiftX = 0, ShiftY = 0;
  TInclusiveBlock(const TRect& src, int width, int height, bool shiftTarget) : S(src) {
    if (S.Top < 0) {
      ShiftY = shiftTarget ? -S.Top : 0;
      S.Top = 0;
    }
    if (S.Left < 0) {
      ShiftX = shiftTarget ? -S.Left : 0;
      S.Left = 0;
    }
    S.Right = std::min(S.Right, width - 1);
    S.Bottom = std::min(S.Bottom, height - 1);
  }
};
}  // namespace

void BlendBmpRect(TBitmap& Dst, TBitmap& Src, uint8_t Opacity, TPoint DstPoint, const TRect& SrcRect) {
  TPixelRows d(&Dst), s(&Src);
  if (!d.Valid() || !s.Valid()) return;
  TPoint p = DstPoint;
  TRect r = SrcRect;
  if (p.X < 0) {
    r.Left -= p.X;
    p.X = 0;
  }
  if (p.Y < 0) {
    r.Top -= p.Y;
    p.Y = 0;
  }
  if (r.Left < 0) {
    p.X -= r.Left;
    r.Left = 0;
  }
  if (r.Top < 0) {
    p.Y -= r.Top;
    r.Top = 0;
  }
  if (r.Left >= r.Right || r.Top >= r.Bottom || p.X >= d.Width() || p.Y >= d.Height() || r.Left >= s.Width() ||
      r.Top >= s.Height())
    return;
  // Right and bottom name the last column and row taken.
  if (r.Right >= s.Width()) r.Right = s.Width() - 1;
  if (r.Bottom >= s.Height()) r.Bottom = s.Height() - 1;
  if (p.X + r.Right - r.Left >= d.Width()) r.Right = d.Width() + r.Left - p.X - 1;
  if (p.Y + r.Bottom - r.Top >= d.Height()) r.Bottom = d.Height() + r.Top - p.Y - 1;
  const uint32_t op = Opacity;
  for (int y = r.Top; y <= r.Bottom; ++y) {
    const uint32_t* srow = s.Row(y);
    uint32_t* drow = d.Row(p.Y + y - r.Top) + p.X - r.Left;
    for (int x = r.Left; x <= r.Right; ++x) {
      const uint32_t sp = srow[x], dp = drow[x];
      uint32_t out = 0;
      for (int k = 0; k < 4; ++k) out |= ((Channel(dp, k) * op + Channel(sp, k) * (256 - op)) >> 8 & 0xFF) << (8 * k);
      drow[x] = out;
    }
  }
}

void CopyBmpBlended(TBitmap& Dst, int X, int Y, TBitmap& Src, const TRect& SrcRect, double Factor,
                    TColor KeyColor) {
  TPixelRows d(&Dst), s(&Src);
  if (!d.Valid() || !s.Valid()) return;
  const TInclusiveBlock b(SrcRect, s.Width(), s.Height(), true);
  const uint32_t key = static_cast<uint32_t>(KeyColor);
  for (int sy = b.S.Top; sy <= b.S.Bottom; ++sy) {
    const int ty = Y + b.ShiftY + sy - b.S.Top;
    if (ty < 0) continue;
    if (ty >= d.Height()) break;
    const uint32_t* srow = s.Row(sy);
    uint32_t* drow = d.Row(ty);
    for (int sx = b.S.Left; sx <= b.S.Right; ++sx) {
      const int tx = X + b.ShiftX + sx - b.S.Left;
      if (tx < 0) continue;
      if (tx >= d.Width()) break;
      const uint32_t sp = srow[sx];
      if (sp == key) continue;
      uint32_t out = drow[tx] & 0xFF000000u;
      for (int k = 0; k < 3; ++k) {
        const double sc = Channel(sp, k), dc = Channel(drow[tx], k);
        out |= (static_cast<uint32_t>(static_cast<int>(std::trunc(sc - (sc - dc) * Factor))) & 0xFF) << (8 * k);
      }
      drow[tx] = out;
    }
  }
}

void MixBmpWithColor(TBitmap& Bmp, TColor Color, double Factor) {
  TPixelRows rows(&Bmp);
  if (!rows.Valid()) return;
  const uint32_t c = ColorToPixel(static_cast<uint32_t>(ColorToRGB(Color)));
  for (int y = 0; y < rows.Height(); ++y) {
    uint32_t* row = rows.Row(y);
    for (int x = 0; x < rows.Width(); ++x) {
      if (row[x] == KeyPixel) continue;
      uint32_t out = row[x] & 0xFF000000u;
      for (int k = 0; k < 3; ++k) {
        const double pc = Channel(row[x], k), cc = Channel(c, k);
        out |= (static_cast<uint32_t>(static_cast<int>(std::trunc(Factor * (pc - cc) + cc))) & 0xFF) << (8 * k);
      }
      row[x] = out;
    }
  }
}

void TintBmpByMask(TBitmap& Dst, TBitmap& Mask, TColor Color) {
  if (Dst.Width() != Mask.Width() || Dst.Height() != Mask.Height()) return;
  TPixelRows d(&Dst), m(&Mask);
  if (!d.Valid() || !m.Valid()) return;
  const uint32_t c = ColorToPixel(static_cast<uint32_t>(ColorToRGB(Color)));
  for (int y = 0; y < d.Height(); ++y) {
    uint32_t* drow = d.Row(y);
    const uint32_t* mrow = m.Row(y);
    for (int x = 0; x < d.Width(); ++x) {
      uint32_t out = drow[x] & 0xFF000000u;
      for (int k = 0; k < 3; ++k) {
        const uint32_t mc = Channel(mrow[x], k);
        out |= ((Channel(drow[x], k) * mc + Channel(c, k) * (256 - mc)) >> 8 & 0xFF) << (8 * k);
      }
      drow[x] = out;
    }
  }
}

void MixBitmaps(TBitmap& Dst, TBitmap& A, TBitmap& B, TBitmap* Mask, uint16_t Value) {
  if (A.Width() != B.Width() || A.Height() != B.Height()) return;
  // A target or mask smaller than the sources would be written or read past its end.
  if (Dst.Width() < A.Width() || Dst.Height() < A.Height()) return;
  if (Mask && (Mask->Width() < A.Width() || Mask->Height() < A.Height())) return;
  TPixelRows d(&Dst), a(&A), b(&B), m(Mask);
  if (!d.Valid() || !a.Valid() || !b.Valid() || (Mask && !m.Valid())) return;
  for (int y = 0; y < a.Height(); ++y) {
    const uint32_t *arow = a.Row(y), *brow = b.Row(y);
    const uint32_t* mrow = Mask ? m.Row(y) : nullptr;
    uint32_t* drow = d.Row(y);
    for (int x = 0; x < a.Width(); ++x) {
      uint32_t out = drow[x] & 0xFF000000u;
      for (int k = 0; k < 3; ++k) {
        const uint32_t w = mrow ? Channel(mrow[x], k) : Value;
        const int ac = Channel(arow[x], k), bc = Channel(brow[x], k);
        out |= (static_cast<uint32_t>((ac - bc) * static_cast<int>(w) + bc * 256) >> 8 & 0xFF) << (8 * k);
      }
      drow[x] = out;
    }
  }
}

namespace {
template <typename PixelRule>
void CopyInclusive(TBitmap& Dst, TBitmap& Src, int X, int Y, const TRect& SrcRect, PixelRule rule) {
  TPixelRows d(&Dst), s(&Src);
  if (!d.Valid() || !s.Valid()) return;
  const TInclusiveBlock b(SrcRect, s.Width(), s.Height(), false);
  for (int sy = b.S.Top; sy <= b.S.Bottom; ++sy) {
    const int ty = Y + sy - b.S.Top;
    if (ty < 0 || ty >= d.Height()) continue;
    const uint32_t* srow = s.Row(sy);
    uint32_t* drow = d.Row(ty);
    for (int sx = b.S.Left; sx <= b.S.Right; ++sx) {
      const int tx = X + sx - b.S.Left;
      if (tx >= 0 && tx < d.Width()) rule(srow[sx], drow[tx], tx, ty);
    }
  }
}
}  // namespace

void CopyRectByKey(TBitmap& Dst, TBitmap& Src, int X, int Y, const TRect& SrcRect, uint32_t KeyColor,
                   const TCacheInfo& CI, bool FillKey) {
  if (FillKey && CI.Ready && CI.Bmp) {
    if (CI.Bmp == &Dst) {
      CopyInclusive(Dst, Src, X, Y, SrcRect, [&](uint32_t s, uint32_t& d, int, int) {
        if (s != KeyColor) d = s | 0xFF000000u;
      });
      return;
    }
    TPixelRows parent(CI.Bmp);
    CopyInclusive(Dst, Src, X, Y, SrcRect, [&](uint32_t s, uint32_t& d, int tx, int ty) {
      if (s != KeyColor)
        d = s;
      else if (parent.Contains(tx + CI.X, ty + CI.Y))
        d = parent.At(tx + CI.X, ty + CI.Y);
    });
    return;
  }
  const uint32_t fill = ColorToPixel(static_cast<uint32_t>(CI.FillColor)) & 0x00FFFFFFu;
  CopyInclusive(Dst, Src, X, Y, SrcRect, [&](uint32_t s, uint32_t& d, int, int) {
    if (s != KeyColor)
      d = s;
    else if (!CI.Ready)
      d = fill;
  });
}

void CopyRectExceptKey(TBitmap& Dst, TBitmap& Src, int X, int Y, const TRect& SrcRect, TColor KeyColor,
                       const TCacheInfo&) {
  const uint32_t key = ColorToPixel(static_cast<uint32_t>(KeyColor)) & 0x00FFFFFFu;
  CopyInclusive(Dst, Src, X, Y, SrcRect, [&](uint32_t s, uint32_t& d, int, int) {
    if (s != key) d = s;
  });
}
