#include "skin/graphics/AlphaCopy.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/Pixels32.h"
#include <algorithm>
#include <cmath>

namespace {
inline uint8_t Channel(uint32_t p, int k) { return static_cast<uint8_t>(p >> (8 * k)); }
// d.c := (d.c x 256 + (v - d.c) x a) shr 8
inline uint32_t BlendChannel(uint32_t d, uint32_t v, uint32_t a) { return (d * (256 - a) + v * a) >> 8 & 0xFF; }

// Pixels of the parent background, read as colours in pixel order.
class TBackground {
public:
  explicit TBackground(const TCacheInfo& ci) : FCI(ci), FRows(ci.Bmp) {}
  bool Get(int x, int y, uint32_t& pixel) const {
    if (!FCI.Bmp) return false;
    x += FCI.X;
    y += FCI.Y;
    if (x < 0 || y < 0 || x >= FCI.Bmp->Width() || y >= FCI.Bmp->Height()) return false;
    if (FRows.Valid() && FCI.Bmp->PixelFormat() == pf32bit)
      pixel = FRows.At(x, y);
    else
      pixel = ColorToPixel(static_cast<uint32_t>(FCI.Bmp->Canvas()->Pixels(x, y)));
    return true;
  }

private:
  const TCacheInfo& FCI;
  TPixelRows FRows;
};

struct TTint {
  bool On = false;
  double K[3] = {0, 0, 0};  // blue, green, red
  explicit TTint(TColor tint) {
    if (tint == ColorNone) return;
    On = true;
    const uint32_t c = static_cast<uint32_t>(tint);
    int r = c & 0xFF, g = c >> 8 & 0xFF, b = c >> 16 & 0xFF;
    const int lift = 255 - std::max({r, g, b});
    K[0] = (b + lift) / 255.0;
    K[1] = (g + lift) / 255.0;
    K[2] = (r + lift) / 255.0;
  }
  uint32_t Value(uint32_t s, int k) const {
    if (!On) return Channel(s, k);
    const int grey = (Channel(s, 0) + Channel(s, 1) + Channel(s, 2)) / 3;
    return static_cast<uint32_t>(std::min(static_cast<int>(std::trunc(grey * K[k])), 255));
  }
};
}  // namespace

TBlock ClipRectPair(const TRect& DstRect, const TRect& SrcRect, TSize DstSize, TSize SrcSize) {
  TBlock b;
  b.Height = std::min({std::max(DstRect.Height(), 0), std::max(SrcRect.Height(), 0), DstSize.cy - DstRect.Top,
                       SrcSize.cy - SrcRect.Top});
  b.Width = std::min({std::max(DstRect.Width(), 0), std::max(SrcRect.Width(), 0), DstSize.cx - DstRect.Left,
                      SrcSize.cx - SrcRect.Left});
  if (b.Empty()) return TBlock();
  b.DstX = DstRect.Left;
  b.SrcX = SrcRect.Left;
  b.DstY = DstRect.Top;
  b.SrcY = SrcRect.Top;
  const int left = std::min(b.DstX, b.SrcX);
  if (left < 0) {
    b.DstX -= left;
    b.SrcX -= left;
    b.Width += left;
  }
  const int top = std::min(b.DstY, b.SrcY);
  if (top < 0) {
    b.DstY -= top;
    b.SrcY -= top;
    b.Height += top;
  }
  b.Width = std::min({b.Width, DstSize.cx - b.DstX, SrcSize.cx - b.SrcX});
  b.Height = std::min({b.Height, DstSize.cy - b.DstY, SrcSize.cy - b.SrcY});
  return b.Empty() ? TBlock() : b;
}

void AlphaCopy32(const TRect& DstRect, const TRect& SrcRect, TBitmap& Dst, TBitmap* Src, const TCacheInfo& CI,
                 bool FillKey, TColor TintColor, int Blend, bool Reflected) {
  if (!Src) return;
  Src->SetPixelFormat(pf32bit);
  TPixelRows d(&Dst), s(Src);
  if (!d.Valid() || !s.Valid()) return;
  const TBlock b = ClipRectPair(DstRect, SrcRect, TSize(d.Width(), d.Height()), TSize(s.Width(), s.Height()));
  if (b.Empty()) return;
  Blend = std::clamp(Blend, 0, 100);
  const TTint tint(TintColor);
  const bool raiseAlpha = !tint.On && Blend == 0;
  const TBackground background(CI);

  for (int y = 0; y < b.Height; ++y) {
    const uint32_t* srow = s.Row(b.SrcY + y) + b.SrcX;
    uint32_t* drow = d.Row(b.DstY + y) + b.DstX;
    for (int x = 0; x < b.Width; ++x) {
      const uint32_t sp = srow[x];
      uint32_t& dp = drow[x];
      if (CI.Ready && sp == KeyPixel) {
        uint32_t bg;
        if (FillKey && background.Get(b.DstX + x, b.DstY + y, bg)) dp = (dp & 0xFF000000u) | (bg & 0x00FFFFFFu);
        continue;
      }
      const uint32_t sa = sp >> 24;
      const uint32_t a = Blend == 0 ? sa : sa * (100 - Blend) / 100;
      // A weight of 0 leaves colour and alpha as they are.
      if (a == 0) continue;
      uint32_t out = 0;
      for (int k = 0; k < 3; ++k) out |= BlendChannel(Channel(dp, k), tint.Value(sp, k), a) << (8 * k);
      const uint32_t da = dp >> 24;
      dp = out | ((raiseAlpha ? std::max(da, sa) : da) << 24);
    }
  }

  if (!Reflected) return;
  const int bottom = b.DstY + b.Height, srcBottom = b.SrcY + b.Height;
  const int n = std::min(s.Height() / 2 - 1, d.Height() - bottom - 1);
  if (n <= 0) return;
  uint8_t level = 255;
  const uint8_t step = static_cast<uint8_t>(tint.On ? 255 / (s.Height() / 2) : 255 / s.Height());
  for (int r = 1; r <= n; ++r, level = static_cast<uint8_t>(level - step)) {
    const int sy = srcBottom - 1 - r;
    if (sy < 0) break;
    const uint32_t* srow = s.Row(sy) + b.SrcX;
    uint32_t* drow = d.Row(bottom + r) + b.DstX;
    for (int x = 0; x < b.Width; ++x) {
      const uint32_t sp = srow[x];
      if (sp == KeyPixel) continue;
      uint32_t a = (((sp >> 24) * (n - r)) / n) * level >> 9;
      if (Blend != 0) a = a * (100 - Blend) / 100;
      uint32_t& dp = drow[x];
      uint32_t out = dp & 0xFF000000u;
      for (int k = 0; k < 3; ++k) out |= BlendChannel(Channel(dp, k), tint.Value(sp, k), a) << (8 * k);
      dp = out;
    }
  }
}

void AlphaCopyWithBg(const TRect& DstRect, const TRect& SrcRect, TBitmap& Dst, TBitmap* Src, const TCacheInfo& CI,
                     bool FillKey) {
  if (!Src) return;
  TPixelRows d(&Dst), s(Src);
  if (!d.Valid() || !s.Valid()) return;
  const TBlock b = ClipRectPair(DstRect, SrcRect, TSize(d.Width(), d.Height()), TSize(s.Width(), s.Height()));
  if (b.Empty()) return;
  const TBackground background(CI);
  for (int y = 0; y < b.Height; ++y) {
    const uint32_t* srow = s.Row(b.SrcY + y) + b.SrcX;
    uint32_t* drow = d.Row(b.DstY + y) + b.DstX;
    for (int x = 0; x < b.Width; ++x) {
      const uint32_t sp = srow[x];
      uint32_t& dp = drow[x];
      if (CI.Ready && sp == KeyPixel) {
        uint32_t bg;
        if (FillKey && background.Get(b.DstX + x, b.DstY + y, bg)) dp = bg | 0xFF000000u;
        continue;
      }
      const uint32_t sa = sp >> 24;
      uint32_t out = 0;
      for (int k = 0; k < 3; ++k) out |= BlendChannel(Channel(dp, k), Channel(sp, k), sa) << (8 * k);
      uint32_t da = dp >> 24;
      if (sa != 0) da = (da + ((255 - da) * sa >> 8)) & 0xFF;
      dp = out | (da << 24);
    }
  }
}

void CopyRectByMask(const TRect& DstRect, const TRect& SrcRect, TBitmap& Dst, TBitmap& Src, const TCacheInfo& CI,
                    bool FillKey, const TsMaskData& MaskData) {
  TPixelRows d(&Dst), s(&Src);
  if (!d.Valid() || !s.Valid()) return;
  const TBlock b = ClipRectPair(DstRect, SrcRect, TSize(d.Width(), d.Height()), TSize(s.Width(), s.Height()));
  if (b.Empty()) return;
  const int h2 = MaskFrameHeight(MaskData);  // one frame below, whatever the MaskType
  const int maskTop = std::min(b.SrcY + h2, s.Height() - b.Height);
  if (maskTop < 0) return;
  const TBackground background(CI);
  const uint32_t fill = ColorToPixel(static_cast<uint32_t>(CI.FillColor));
  for (int y = 0; y < b.Height; ++y) {
    const uint32_t* srow = s.Row(b.SrcY + y) + b.SrcX;
    const uint32_t* mrow = s.Row(maskTop + y) + b.SrcX;
    uint32_t* drow = d.Row(b.DstY + y) + b.DstX;
    for (int x = 0; x < b.Width; ++x) {
      const uint32_t sp = srow[x];
      uint32_t& dp = drow[x];
      if (CI.Ready) dp |= 0xFF000000u;
      if (sp == KeyPixel && FillKey) {
        uint32_t bg;
        if (!CI.Ready)
          dp = fill;
        else if (background.Get(b.DstX + x, b.DstY + y, bg))
          dp = bg;
        continue;
      }
      if (sp == KeyPixel && !CI.Ready) continue;
      const uint32_t mp = mrow[x];
      uint32_t out = dp & 0xFF000000u;
      for (int k = 0; k < 3; ++k) {
        const uint32_t m = Channel(mp, k);
        out |= ((Channel(dp, k) * m + Channel(sp, k) * (256 - m)) >> 8 & 0xFF) << (8 * k);
      }
      dp = out;
    }
  }
}
