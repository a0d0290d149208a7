#include "skin/graphics/MaskPieces.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/ResamplePixels.h"
#include <algorithm>
#include <vector>

namespace {
constexpr int MitchellFilter = 6;

// A W x H copy of a source block, smoothly resized into plain rows; a block
// under 3 pixels in a direction is widened to 2 so the resampler accepts it.
void ResampleBlock(TPixelRows& s, int sx, int sy, int sw, int sh, std::vector<uint32_t>& Target, int W, int H,
                   int filter) {
  const int tw = sw < 3 ? 2 : sw, th = sh < 3 ? 2 : sh;
  static std::vector<uint32_t> block;
  block.assign(static_cast<size_t>(tw) * static_cast<size_t>(th), 0);
  for (int y = 0; y < sh; ++y)
    for (int x = 0; x < sw; ++x) block[static_cast<size_t>(y) * tw + x] = s.At(sx + x, sy + y);
  if (sw == 1)
    for (int y = 0; y < th; ++y) block[static_cast<size_t>(y) * tw + 1] = block[static_cast<size_t>(y) * tw];
  if (sh == 1)
    for (int x = 0; x < tw; ++x) block[static_cast<size_t>(tw) + x] = block[static_cast<size_t>(x)];
  Target.assign(static_cast<size_t>(W) * static_cast<size_t>(H), 0);
  ResamplePixels(block.data(), tw, th, tw, Target.data(), W, H, W, filter);
}

// Each target pixel of the overlap through How, from image and mask rows
// of pitch W.
void CombineRows(TPixelRows& d, int X, int Y, int W, int H, const uint32_t* image, const uint32_t* mask, int pitch,
                 const TMaskStretch& How) {
  for (int y = 0; y < H; ++y) {
    uint32_t* drow = d.Row(Y + y) + X;
    const uint32_t* irow = image + static_cast<ptrdiff_t>(y) * pitch;
    const uint32_t* mrow = mask + static_cast<ptrdiff_t>(y) * pitch;
    for (int x = 0; x < W; ++x) How.Combine(drow[x], irow[x], mrow[x], How.Opacity);
  }
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
  const bool smooth = ((SrcW > W && SrcH == H) || (SrcW == W && SrcH > H) || IsCentre) && W > 1 && H > 1;
  if (smooth) {
    // Resized in plain memory: bitmaps of the target's size cost more to
    // make than the resize itself.
    TPixelRows s(&Src);
    if (!s.Valid()) return;
    static std::vector<uint32_t> image, mask;
    ResampleBlock(s, SrcX, SrcY, SrcW, SrcH, image, W, H, MitchellFilter);
    ResampleBlock(s, SrcX, MY, SrcW, SrcH, mask, W, H, How.MaskFilter);
    CombineRows(d, X, Y, std::min(W, d.Width() - X), std::min(H, d.Height() - Y), image.data(), mask.data(), W, How);
    return;
  }
  auto image = NewBmp32(W, H), mask = NewBmp32(W, H);
  StretchBlock(*image, 0, 0, W, H, Src, SrcX, SrcY, SrcW, SrcH);
  StretchBlock(*mask, 0, 0, W, H, Src, SrcX, MY, SrcW, SrcH);
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
