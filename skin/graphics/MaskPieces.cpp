#include "skin/graphics/MaskPieces.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/FloatRowResampler.h"
#include "skin/graphics/NearestStretch.h"
#include <algorithm>
#include <vector>

namespace {
constexpr int MitchellFilter = 6;

// A copy of a source block in plain rows; a block under 3 pixels in a
// direction is widened to 2 so the resampler accepts it. Returns the width.
int CopyBlock(TPixelRows& s, int sx, int sy, int sw, int sh, std::vector<uint32_t>& block, int& th) {
  const int tw = sw < 3 ? 2 : sw;
  th = sh < 3 ? 2 : sh;
  block.assign(static_cast<size_t>(tw) * static_cast<size_t>(th), 0);
  for (int y = 0; y < sh; ++y)
    std::copy_n(s.Row(sy + y) + sx, sw, block.data() + static_cast<size_t>(y) * tw);
  if (sw == 1)
    for (int y = 0; y < th; ++y) block[static_cast<size_t>(y) * tw + 1] = block[static_cast<size_t>(y) * tw];
  if (sh == 1)
    for (int x = 0; x < tw; ++x) block[static_cast<size_t>(tw) + x] = block[static_cast<size_t>(x)];
  return tw;
}

void CombineRow(const TMaskStretch& How, uint32_t* d, const uint32_t* image, const uint32_t* mask, int count) {
  if (How.CombineRow != nullptr) {
    How.CombineRow(d, image, mask, count, How.Opacity);
    return;
  }
  for (int x = 0; x < count; ++x) How.Combine(d[x], image[x], mask[x], How.Opacity);
}

// Image and mask smoothly resized a row at a time and combined into the
// target while the rows are in cache; W x H is the resized size, Rows x
// Cols the part of it inside the target.
void SmoothPiece(TPixelRows& d, TPixelRows& s, int X, int Y, int W, int H, int Cols, int Rows, int SrcX, int SrcY,
                 int MaskY, int SrcW, int SrcH, const TMaskStretch& How) {
  // UI thread only, like all painting: kept between calls to save allocations.
  static std::vector<uint32_t> imageBlock, maskBlock, imageRow, maskRow;
  static TFloatRowResampler image, mask;
  int th = 0;
  const int tw = CopyBlock(s, SrcX, SrcY, SrcW, SrcH, imageBlock, th);
  CopyBlock(s, SrcX, MaskY, SrcW, SrcH, maskBlock, th);
  imageRow.assign(static_cast<size_t>(W), 0);
  maskRow.assign(static_cast<size_t>(W), 0);
  const bool haveImage = image.Start(imageBlock.data(), tw, th, tw, W, H, MitchellFilter);
  const bool haveMask = mask.Start(maskBlock.data(), tw, th, tw, W, H, How.MaskFilter);
  for (int y = 0; y < Rows; ++y) {
    if (haveImage) image.Row(y, imageRow.data());
    if (haveMask) mask.Row(y, maskRow.data());
    CombineRow(How, d.Row(Y + y) + X, imageRow.data(), maskRow.data(), Cols);
  }
}

// Nearest-pixel enlarging of image and mask, as StretchBlt would make them,
// combined row by row into the target.
void NearestPiece(TPixelRows& d, TPixelRows& s, int X, int Y, int W, int H, int Cols, int Rows, int SrcX, int SrcY,
                  int MaskY, int SrcW, int SrcH, const TMaskStretch& How) {
  static std::vector<int> xs, ys;
  static std::vector<uint32_t> imageRow, maskRow;
  NearestIndices(W, SrcW, xs);
  NearestIndices(H, SrcH, ys);
  imageRow.resize(static_cast<size_t>(Cols));
  maskRow.resize(static_cast<size_t>(Cols));
  for (int y = 0; y < Rows; ++y) {
    const uint32_t* irow = s.Row(SrcY + ys[static_cast<size_t>(y)]) + SrcX;
    const uint32_t* mrow = s.Row(MaskY + ys[static_cast<size_t>(y)]) + SrcX;
    if (y == 0 || ys[static_cast<size_t>(y)] != ys[static_cast<size_t>(y) - 1])
      for (int x = 0; x < Cols; ++x) {
        imageRow[static_cast<size_t>(x)] = irow[xs[static_cast<size_t>(x)]];
        maskRow[static_cast<size_t>(x)] = mrow[xs[static_cast<size_t>(x)]];
      }
    CombineRow(How, d.Row(Y + y) + X, imageRow.data(), maskRow.data(), Cols);
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
  TPixelRows s(&Src);
  if (!s.Valid()) return;
  const int cols = std::min(W, d.Width() - X), rows = std::min(H, d.Height() - Y);
  if (cols < 1 || rows < 1) return;
  const bool smooth = ((SrcW > W && SrcH == H) || (SrcW == W && SrcH > H) || IsCentre) && W > 1 && H > 1;
  if (smooth) {
    SmoothPiece(d, s, X, Y, W, H, cols, rows, SrcX, SrcY, MY, SrcW, SrcH, How);
  } else if (SrcW <= W && SrcH <= H) {
    NearestPiece(d, s, X, Y, W, H, cols, rows, SrcX, SrcY, MY, SrcW, SrcH, How);
  } else {
    // Shrinking by nearest pixels is rare enough to leave to the GDI.
    auto image = NewBmp32(W, H), mask = NewBmp32(W, H);
    StretchBlock(*image, 0, 0, W, H, Src, SrcX, SrcY, SrcW, SrcH);
    StretchBlock(*mask, 0, 0, W, H, Src, SrcX, MY, SrcW, SrcH);
    GdiFlush();
    TPixelRows i(image.get()), m(mask.get());
    if (!i.Valid() || !m.Valid()) return;
    for (int y = 0; y < std::min({rows, i.Height(), m.Height()}); ++y)
      CombineRow(How, d.Row(Y + y) + X, i.Row(y), m.Row(y), std::min({cols, i.Width(), m.Width()}));
  }
}
