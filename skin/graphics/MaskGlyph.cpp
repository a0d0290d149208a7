#include "skin/graphics/MaskGlyph.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/Blends.h"
#include "skin/graphics/MaskPieces.h"
#include <algorithm>

namespace {
// A faded glyph lets at least this much of 256 of the background through.
constexpr uint32_t FadedMaskLift = 100;
constexpr double FadedBlend = 0.5;
}  // namespace

void CopyGlyphByMask(const TRect& DstRect, const TRect& SrcRect, TBitmap& Dst, TBitmap& Src, int Mode,
                     const TsMaskData& MaskData) {
  if (MaskData.MaskType <= 0) {
    CopyRectExceptKey(Dst, Src, DstRect.Left, DstRect.Top, SrcRect, KeyColor);
    return;
  }
  if (Dst.PixelFormat() != pf32bit) return;
  GdiFlush();
  TPixelRows d(&Dst), s(&Src);
  if (!d.Valid() || !s.Valid()) return;
  const int maskOffset = MaskFrameHeight(MaskData);
  if (DstRect.Left < 0 || DstRect.Top < 0 || SrcRect.Left < 0 || SrcRect.Top < 0) return;
  int w = std::min(DstRect.Right - DstRect.Left, SrcRect.Right - SrcRect.Left) + 1;
  int h = std::min(DstRect.Bottom - DstRect.Top, SrcRect.Bottom - SrcRect.Top) + 1;
  w = std::min({w, d.Width() - DstRect.Left, s.Width() - SrcRect.Left});
  h = std::min({h, d.Height() - DstRect.Top, s.Height() - SrcRect.Top - maskOffset});
  if (MaskData.ImageCount < 1) h = std::min(h, maskOffset);
  if (w <= 0 || h <= 0) return;
  for (int y = 0; y < h; ++y) {
    const uint32_t* srow = s.Row(SrcRect.Top + y) + SrcRect.Left;
    const uint32_t* mrow = s.Row(SrcRect.Top + maskOffset + y) + SrcRect.Left;
    uint32_t* drow = d.Row(DstRect.Top + y) + DstRect.Left;
    for (int x = 0; x < w; ++x) {
      const uint32_t sp = srow[x];
      uint32_t mp = mrow[x];
      const uint32_t red = ChannelOf(mp, 2);
      if ((sp & 0xFFFFFF) == KeyColor || red == 255) continue;
      if (Mode != 1) {
        uint32_t lifted = 0;
        for (int k = 0; k < 3; ++k) lifted |= std::min<uint32_t>(ChannelOf(mp, k) + FadedMaskLift, 255) << (8 * k);
        mp = lifted;
      }
      const uint32_t a = drow[x] >> 24;
      const uint32_t alpha = (a + (((255 - a) * (255 - red)) >> 8)) << 24;
      drow[x] = MixByMask(drow[x], sp, mp, alpha);
    }
  }
}

void PaintMaskGlyph(TBitmap& Bmp, TPoint P, int State, int Mode, const TsMaskData& MaskData, const TCacheInfo& CI) {
  if (MaskData.ImageCount < 1) return;
  State = std::clamp(State, 0, MaskData.ImageCount - 1);
  const int FW = MaskFrameWidth(MaskData), FH = MaskFrameHeight(MaskData);
  const int DX = P.X < 0 ? -P.X : 0, DY = P.Y < 0 ? -P.Y : 0;
  const int frameLeft = MaskData.R.Left + State * FW;
  const TRect src(frameLeft + DX, MaskData.R.Top + DY, frameLeft + FW - 1, MaskData.R.Top + FH - 1);
  if (src.Right < src.Left || src.Bottom < src.Top) return;
  const TRect dst(P.X + DX, P.Y + DY, P.X + DX + src.Width(), P.Y + DY + src.Height());
  if (MaskData.Bmp) {
    if (MaskData.Bmp->Width() < MaskData.R.Right || MaskData.Bmp->Height() < MaskData.R.Bottom) return;
    CopyGlyphByMask(dst, src, Bmp, *MaskData.Bmp, Mode, MaskData);
    return;
  }
  if (MaskData.Manager == nullptr || ModelOfManager == nullptr) return;
  const TsSkinModel* model = ModelOfManager(MaskData.Manager);
  TBitmap* master = model ? model->MasterBitmap.get() : nullptr;
  if (master == nullptr) return;
  GdiFlush();
  if (MaskData.MaskType > 0)
    CopyGlyphByMask(dst, src, Bmp, *master, Mode, MaskData);
  else if (Mode == 1)
    CopyRectByKey(Bmp, *master, dst.Left, dst.Top, src, KeyPixel, CI, true);
  else
    CopyBmpBlended(Bmp, dst.Left, dst.Top, *master, src, FadedBlend, KeyColor);
}
