#include "skin/graphics/MaskPieces.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/Resample.h"
#include <algorithm>

namespace {
constexpr int MitchellFilter = 6;

// A W x H copy of a source block, smoothly resized; a block under 3 pixels
// in a direction is widened to 2 so the resampler accepts it.
void ResampleBlock(TBitmap& Src, int sx, int sy, int sw, int sh, TBitmap& Target, int W, int H, int filter) {
  auto tmp = NewBmp32(sw < 3 ? 2 : sw, sh < 3 ? 2 : sh);
  TPixelRows t(tmp.get()), s(&Src);
  if (!t.Valid() || !s.Valid()) return;
  for (int y = 0; y < sh; ++y)
    for (int x = 0; x < sw; ++x) t.At(x, y) = s.At(sx + x, sy + y);
  if (sw == 1)
    for (int y = 0; y < t.Height(); ++y) t.At(1, y) = t.At(0, y);
  if (sh == 1)
    for (int x = 0; x < t.Width(); ++x) t.At(x, 1) = t.At(x, 0);
  ResampleBmp32(*tmp, Target, W, H, filter);
}
}  // namespace

void StretchBlock(TBitmap& Dst, int X, int Y, int W, int H, TBitmap& Src, int SrcX, int SrcY, int SrcW, int SrcH) {
  if (W > 0 && H > 0 && SrcW > 0 && SrcH > 0)
    StretchBlt(Dst.Canvas()->Handle(), X, Y, W, H, Src.Canvas()->Handle(), SrcX, SrcY, SrcW, SrcH, SRCCOPY);
}

void StretchMaskedPiece(int X, int Y, int W, int H, int SrcX, int SrcY, int SrcW, int SrcH, TBitmap& Dst,
                        TBitmap& Src, int MaskOffset, bool IsCentre, const TMaskStretch& How) {
  if (X < 0 || Y < 0 || W < 1 || H < 1 || Dst.Width() < 2 || Dst.Height() < 2) return;
  if (MaskOffset == 0) {
    StretchBlock(Dst, X, Y, W, H, Src, SrcX, SrcY, SrcW, SrcH);
    return;
  }
  if (SrcX < 0 || SrcY < 0 || SrcW < 1 || SrcH < 1 || SrcX + SrcW > Src.Width() || SrcY + SrcH > Src.Height()) return;
  const int MY = SrcY + MaskOffset;
  GdiFlush();
  TPixelRows d(&Dst);
  if (!d.Valid()) return;
  if (IsCentre && SrcW == 1 && SrcH == 1) {
    TPixelRows s(&Src);
    if (MY < 0 || MY >= Src.Height() || !s.Valid()) return;
    const uint32_t c = s.At(SrcX, SrcY), mask = ChannelOf(s.At(SrcX, MY), 2) * 0x010101u;
    const int x1 = std::min(X + W, d.Width()), y1 = std::min(Y + H, d.Height());
    for (int y = Y; y < y1; ++y)
      for (int x = X; x < x1; ++x) How.OnePixel(d.At(x, y), c, mask, How.Opacity);
    return;
  }
  // The mask rows must lie inside the source as well.
  if (MY + SrcH > Src.Height()) return;
  auto image = NewBmp32(W, H), mask = NewBmp32(W, H);
  const bool smooth = ((SrcW > W && SrcH == H) || (SrcW == W && SrcH > H) || IsCentre) && W > 1 && H > 1;
  if (smooth) {
    ResampleBlock(Src, SrcX, SrcY, SrcW, SrcH, *image, W, H, MitchellFilter);
    ResampleBlock(Src, SrcX, MY, SrcW, SrcH, *mask, W, H, How.MaskFilter);
  } else {
    StretchBlock(*image, 0, 0, W, H, Src, SrcX, SrcY, SrcW, SrcH);
    StretchBlock(*mask, 0, 0, W, H, Src, SrcX, MY, SrcW, SrcH);
  }
  GdiFlush();
  TPixelRows i(image.get()), m(mask.get());
  if (!i.Valid() || !m.Valid()) return;
  H = std::min({H, d.Height() - Y, i.Height(), m.Height()});
  W = std::min({W, d.Width() - X, i.Width(), m.Width()});
  for (int y = 0; y < H; ++y) {
    uint32_t* drow = d.Row(Y + y) + X;
    const uint32_t* irow = i.Row(y);
    const uint32_t* mrow = m.Row(y);
    for (int x = 0; x < W; ++x) How.Combine(drow[x], irow[x], mrow[x], How.Opacity);
  }
}
