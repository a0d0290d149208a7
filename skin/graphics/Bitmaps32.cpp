#include "skin/graphics/Bitmaps32.h"
#include <algorithm>

std::unique_ptr<TBitmap> NewBmp32(int Width, int Height) {
  auto bmp = std::make_unique<TBitmap>();
  bmp->SetPixelFormat(pf32bit);
  bmp->SetHandleType(bmDIB);
  try {
    // Both at once: the platform's bitmap keeps no width while it has no height.
    bmp->SetSize(std::max(Width, 0), std::max(Height, 0));
  } catch (...) {
    // The system could not make the section: the caller gets nothing to draw.
    try {
      bmp->SetSize(0, 0);
    } catch (...) {
    }
  }
  return bmp;
}

std::unique_ptr<TBitmap> NewBmp32ForRect(const TRect& R) { return NewBmp32(R.Width(), R.Height()); }
std::unique_ptr<TBitmap> NewBmp32ForSize(const TSize& Size) { return NewBmp32(Size.cx, Size.cy); }
std::unique_ptr<TBitmap> NewBmp32Like(const TBitmap& Bmp) { return NewBmp32(Bmp.Width(), Bmp.Height()); }

std::unique_ptr<TBitmap> NewBmpLike(const TBitmap& Bmp) {
  auto bmp = std::make_unique<TBitmap>();
  bmp->SetSize(Bmp.Width(), Bmp.Height());
  bmp->SetPixelFormat(Bmp.PixelFormat());
  return bmp;
}

void CloneBmp(TBitmap& Dst, TBitmap& Src) {
  Dst.SetPixelFormat(Src.PixelFormat());
  if (Src.PixelFormat() != pfDevice) Dst.SetHandleType(bmDIB);
  Dst.SetSize(Src.Width(), Src.Height());
  if (Src.Empty()) return;
  BitBlt(Dst.Canvas()->Handle(), 0, 0, Src.Width(), Src.Height(), Src.Canvas()->Handle(), 0, 0, SRCCOPY);
  GdiFlush();
}

void Force32Bit(TBitmap& Bmp) { Bmp.SetPixelFormat(pf32bit); }

bool ScanlineBase(TBitmap* Bmp, uint8_t*& Row0, ptrdiff_t& Stride) {
  Row0 = nullptr;
  Stride = 0;
  if (!Bmp || Bmp->Height() <= 0 || !Bmp->HandleAllocated()) return false;
  Row0 = static_cast<uint8_t*>(Bmp->ScanLine(0));
  if (Bmp->Height() > 1) Stride = static_cast<uint8_t*>(Bmp->ScanLine(1)) - Row0;
  return true;
}

TPixelRows::TPixelRows(TBitmap* Bmp) {
  if (ScanlineBase(Bmp, FRow0, FStride)) {
    FWidth = Bmp->Width();
    FHeight = Bmp->Height();
  }
}

void CopyExceptKey(TBitmap& Dst, TBitmap& Src, int X, int Y, TColor Key) {
  TPixelRows d(&Dst), s(&Src);
  if (!d.Valid() || !s.Valid()) return;
  const int top = std::max(Y, 0), bottom = std::min(d.Height() - 1, Y + s.Height() - 1);
  const int left = std::max(X, 0), right = std::min(d.Width() - 1, X + s.Width() - 1);
  if (top > bottom || left > right) return;
  const uint32_t key = static_cast<uint32_t>(Key);
  const uint32_t keyPixel = (key & 0xFF00FF00u) | ((key & 0xFF) << 16) | ((key >> 16) & 0xFF);
  for (int dy = top; dy <= bottom; ++dy) {
    const uint32_t* src = s.Row(dy - Y);
    uint32_t* dst = d.Row(dy);
    for (int dx = left; dx <= right; ++dx) {
      const uint32_t p = src[dx - X];
      if (p != keyPixel) dst[dx] = p | 0xFF000000u;
    }
  }
}

void CopyChannel(TBitmap& Dst, TBitmap& Src, int Channel) {
  TPixelRows d(&Dst), s(&Src);
  if (!d.Valid() || !s.Valid() || Channel < 0 || Channel > 3) return;
  const int w = std::min(d.Width(), s.Width()), h = std::min(d.Height(), s.Height());
  for (int y = 0; y < h; ++y) {
    auto* dst = reinterpret_cast<uint8_t*>(d.Row(y));
    const auto* src = reinterpret_cast<const uint8_t*>(s.Row(y));
    for (int x = 0; x < w; ++x) dst[x * 4 + Channel] = src[x * 4 + Channel];
  }
}

void ExchangeChannel8(TBitmap& Bmp32, TBitmap& Bmp8, int Channel, bool ToBmp8) {
  uint8_t *row32 = nullptr, *row8 = nullptr;
  ptrdiff_t stride32 = 0, stride8 = 0;
  if (Channel < 0 || Channel > 3 || !ScanlineBase(&Bmp32, row32, stride32) || !ScanlineBase(&Bmp8, row8, stride8))
    return;
  const int w = std::min(Bmp32.Width(), Bmp8.Width()), h = std::min(Bmp32.Height(), Bmp8.Height());
  for (int y = 0; y < h; ++y) {
    uint8_t* p32 = row32 + y * stride32 + Channel;
    uint8_t* p8 = row8 + y * stride8;
    for (int x = 0; x < w; ++x) {
      if (ToBmp8)
        p8[x] = p32[x * 4];
      else
        p32[x * 4] = p8[x];
    }
  }
}

std::unique_ptr<TBitmap> CopyMaskImagePart(TBitmap& Bmp, const TRect& R) {
  const int w = std::max(R.Width(), 0), h = std::max(R.Height() / 2, 0);
  if (w == 0 || h == 0) return nullptr;
  auto result = NewBmp32(w, h);
  if (result->Empty()) return result;
  BitBlt(result->Canvas()->Handle(), 0, 0, w, h, Bmp.Canvas()->Handle(), R.Left, R.Top, SRCCOPY);
  GdiFlush();
  TPixelRows src(&Bmp), dst(result.get());
  if (!src.Valid() || !dst.Valid()) return result;
  for (int y = 0; y < h; ++y) {
    const int my = R.Top + h + y;
    for (int x = 0; x < w; ++x) {
      const int mx = R.Left + x;
      uint32_t& p = dst.At(x, y);
      // A mask pixel outside the image counts as opaque black.
      const uint32_t red = src.Contains(mx, my) ? (src.At(mx, my) >> 16) & 0xFF : 0;
      p = (p & 0x00FFFFFFu) | ((255 - red) << 24);
    }
  }
  return result;
}
