#include "skin/graphics/MaskPaint.h"
#include "skin/graphics/AlphaCopy.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/Blends.h"
#include "skin/graphics/MaskPieces.h"
#include "skin/graphics/MaskRowMix.h"
#include "skin/graphics/NinePieces.h"
#include "skin/graphics/Pixels32.h"
#include <algorithm>

namespace {
inline void PlainPixel(uint32_t& d, uint32_t i, uint32_t m, int) { d = MixByMask(d, i, m, 0xFF000000u); }

const TMaskStretch PlainMaskStretch{
    6,  // Mitchell for the mask as for the image
    PlainPixel,
    [](uint32_t& d, uint32_t c, uint32_t m, int) {
      if ((m & 0xFF) == 0)
        d = c | 0xFF000000u;
      else if ((m & 0xFF) != 255)
        d = MixByMask(d, c, m, d & 0xFF000000u);
    },
    255, MixRowByMask};
}  // namespace

void StretchMaskPiece(int X, int Y, int W, int H, int SrcX, int SrcY, int SrcW, int SrcH, TBitmap& Dst, TBitmap& Src,
                      int MaskOffset, bool IsCentre) {
  StretchMaskedPiece(X, Y, W, H, SrcX, SrcY, SrcW, SrcH, Dst, Src, MaskOffset, IsCentre, PlainMaskStretch);
}

void PaintMaskRect(TBitmap& Bmp, const TRect& R, const TCacheInfo& CI, const TsMaskData& MaskData, int State,
                   bool UpdateCorners) {
  TNineLayout L;
  if (!MakeNineLayout(R, MaskData, State, L)) return;
  if (L.Stretch) SetStretchBltMode(Bmp.Canvas()->Handle(), COLORONCOLOR);
  std::vector<TPieceRects> pieces;
  NinePieces(R, L, pieces);
  TBitmap& src = *L.Src;
  const bool fillCorners = UpdateCorners && MaskData.CornerType > 0;
  const bool masked = MaskData.MaskType != 0;
  HDC dstDC = Bmp.Canvas()->Handle(), srcDC = src.Canvas()->Handle();
  auto copy = [&](TPieceKind kind, const TRect& d, const TRect& s) {
    const bool corner = kind == TPieceKind::Corner;
    if (masked) {
      GdiFlush();
      CopyRectByMask(d, s, Bmp, src, corner ? CI : EmptyCacheInfo, corner && fillCorners, MaskData);
    } else if (corner) {
      GdiFlush();
      CopyRectByKey(Bmp, src, d.Left, d.Top, TRect(s.Left, s.Top, s.Right - 1, s.Bottom - 1), KeyPixel, CI,
                    fillCorners);
    } else {
      BitBlt(dstDC, d.Left, d.Top, d.Width(), d.Height(), srcDC, s.Left, s.Top, SRCCOPY);
    }
  };
  auto stretch = [&](TPieceKind kind, const TRect& d, const TRect& s) {
    if (masked)
      StretchMaskPiece(d.Left, d.Top, d.Width(), d.Height(), s.Left, s.Top, s.Width(), s.Height(), Bmp, src,
                       L.MaskOffset, kind == TPieceKind::Centre);
    else
      StretchBlock(Bmp, d.Left, d.Top, d.Width(), d.Height(), src, s.Left, s.Top, s.Width(), s.Height());
  };
  PaintPieces(pieces, L.Stretch, copy, stretch);
  GdiFlush();
}

void CopyMasterTileByMask(const TRect& DstRect, const TRect& SrcRect, TBitmap& Dst, const TCacheInfo& CI,
                          const TsMaskData& MaskData) {
  if (MaskData.Manager == nullptr || ModelOfManager == nullptr) return;
  const TsSkinModel* model = ModelOfManager(MaskData.Manager);
  TBitmap* master = model ? model->MasterBitmap.get() : nullptr;
  if (master == nullptr) return;
  GdiFlush();
  TPixelRows d(&Dst), s(master);
  if (!d.Valid() || !s.Valid()) return;
  const TBlock b = ClipRectPair(DstRect, SrcRect, TSize(d.Width(), d.Height()), TSize(s.Width(), s.Height()));
  if (b.Empty()) return;
  const int maskOffset = MaskFrameHeight(MaskData);
  const int rows = std::min(b.Height, s.Height() - b.SrcY - maskOffset);
  const TPixelRows bg(CI.Ready ? CI.Bmp : nullptr);
  const uint32_t fill = ColorToPixel(static_cast<uint32_t>(CI.FillColor));
  for (int y = 0; y < rows; ++y) {
    const uint32_t* srow = s.Row(b.SrcY + y) + b.SrcX;
    const uint32_t* mrow = s.Row(b.SrcY + maskOffset + y) + b.SrcX;
    uint32_t* drow = d.Row(b.DstY + y) + b.DstX;
    for (int x = 0; x < b.Width; ++x) {
      uint32_t& dp = drow[x];
      if ((srow[x] & 0xFFFFFF) != KeyColor) {
        dp = MixByMask(dp, srow[x], mrow[x], dp & 0xFF000000u);
        continue;
      }
      if (CI.FillColor != KeyColor) {
        dp = fill;
        continue;
      }
      if (!CI.Ready || !bg.Valid()) continue;
      const int bx = b.DstX + x + CI.X, by = b.DstY + y + CI.Y;
      if (by < 0 || by >= bg.Height()) break;
      if (bx >= bg.Width()) break;
      if (bx >= 0) dp = bg.At(bx, by);
    }
  }
}
