#include "skin/graphics/MaskPaintAlpha.h"
#include "skin/graphics/AlphaCopy.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/Blends.h"
#include "skin/graphics/MaskPieces.h"
#include "skin/graphics/NinePieces.h"
#include <algorithm>

namespace {
constexpr int HermiteFilter = 2;
// With this opacity the source weight is exactly 255 - m.
constexpr int FullOpacity = 256;

uint32_t RaisedAlpha(uint32_t dst, uint32_t m) { return std::max(dst >> 24, 255 - m) << 24; }

inline void AlphaPixel(uint32_t& d, uint32_t i, uint32_t mp, int) {
  const uint32_t m = ChannelOf(mp, 2);
  if (m == 0) {
    d = i | 0xFF000000u;
  } else if (m != 255) {
    const uint32_t u = std::min(m, d >> 24);
    d = MixByWeight(d, i, 255 - u, RaisedAlpha(d, m));
  }
}

const TMaskStretch AlphaStretch{HermiteFilter, AlphaPixel, nullptr, 255, CombineEach<AlphaPixel>};

inline void OpacityPixel(uint32_t& d, uint32_t i, uint32_t mp, int opacity) {
  const uint32_t m = ChannelOf(mp, 2);
  if (m == 0) {
    d = i | 0xFF000000u;
  } else if (m != 255) {
    const uint32_t w = ((255 - m) * static_cast<uint32_t>(opacity)) >> 8;
    d = MixByWeight(d, i, w, RaisedAlpha(d, m));
  }
}

TMaskStretch OpacityStretch(int opacity) { return {HermiteFilter, OpacityPixel, OpacityPixel, opacity, CombineEach<OpacityPixel>}; }

// A piece painter over the shared layout: corners take CI, the rest
// nothing from behind.
template <typename Copy, typename Stretch>
void PaintLayout(TBitmap& Bmp, const std::vector<TPieceRects>& pieces, const TNineLayout& L, Copy copy,
                 Stretch stretch) {
  if (L.Stretch) SetStretchBltMode(Bmp.Canvas()->Handle(), COLORONCOLOR);
  PaintPieces(pieces, L.Stretch, copy, stretch);
  GdiFlush();
}

// The unmasked painting both painters share: key corners filled from CI,
// opaque sides and centre.
void PaintUnmasked(TBitmap& Bmp, const TRect& R, const TCacheInfo& CI, const TNineLayout& L) {
  std::vector<TPieceRects> pieces;
  NinePieces(R, L, pieces);
  TBitmap& src = *L.Src;
  PaintLayout(
      Bmp, pieces, L,
      [&](TPieceKind kind, const TRect& d, const TRect& s) {
        GdiFlush();
        if (kind == TPieceKind::Corner)
          CopyRectByKey(Bmp, src, d.Left, d.Top, TRect(s.Left, s.Top, s.Right - 1, s.Bottom - 1), KeyPixel, CI, true);
        else
          BitBlt(Bmp.Canvas()->Handle(), d.Left, d.Top, d.Width(), d.Height(), src.Canvas()->Handle(), s.Left, s.Top,
                 SRCCOPY);
      },
      [&](TPieceKind, const TRect& d, const TRect& s) {
        StretchBlock(Bmp, d.Left, d.Top, d.Width(), d.Height(), src, s.Left, s.Top, s.Width(), s.Height());
      });
}
}  // namespace

void CopyRectByMaskOpacity(const TRect& DstRect, const TRect& SrcRect, TBitmap& Dst, TBitmap& Src,
                           const TCacheInfo& CI, const TsMaskData& MaskData, int Opacity) {
  GdiFlush();
  TPixelRows d(&Dst), s(&Src);
  if (!d.Valid() || !s.Valid()) return;
  TBlock b = ClipRectPair(DstRect, SrcRect, TSize(d.Width(), d.Height()), TSize(s.Width(), s.Height()));
  if (b.Empty()) return;
  const int maskTop = std::min(b.SrcY + MaskFrameHeight(MaskData), s.Height() - b.Height);
  if (maskTop < 0) return;
  const TPixelRows bg(CI.Ready ? CI.Bmp : nullptr);
  if (bg.Valid()) b.Height = std::min(b.Height, bg.Height() - (b.DstY + CI.Y));
  for (int y = 0; y < b.Height; ++y) {
    const uint32_t* srow = s.Row(b.SrcY + y) + b.SrcX;
    const uint32_t* mrow = s.Row(maskTop + y) + b.SrcX;
    uint32_t* drow = d.Row(b.DstY + y) + b.DstX;
    for (int x = 0; x < b.Width; ++x) {
      uint32_t& dp = drow[x];
      if ((srow[x] & 0xFFFFFF) == KeyColor) {
        const int bx = b.DstX + x + CI.X, by = b.DstY + y + CI.Y;
        if (!bg.Valid())
          dp &= 0x00FFFFFFu;
        else if (bg.Contains(bx, by))
          dp = bg.At(bx, by);
        continue;
      }
      const uint32_t m = ChannelOf(mrow[x], 2);
      const uint32_t w = ((255 - m) * static_cast<uint32_t>(Opacity)) >> 8;
      dp = MixByWeight(dp, srow[x], std::min<uint32_t>(w, 255), RaisedAlpha(dp, m));
    }
  }
}

void CopyRectByMaskAlpha(const TRect& DstRect, const TRect& SrcRect, TBitmap& Dst, TBitmap& Src, const TCacheInfo& CI,
                         const TsMaskData& MaskData) {
  CopyRectByMaskOpacity(DstRect, SrcRect, Dst, Src, CI, MaskData, FullOpacity);
}

void StretchMaskPieceAlpha(int X, int Y, int W, int H, int SrcX, int SrcY, int SrcW, int SrcH, TBitmap& Dst,
                           TBitmap& Src, int MaskOffset, bool IsCentre) {
  TMaskStretch how = AlphaStretch;
  how.OnePixel = how.Combine;
  StretchMaskedPiece(X, Y, W, H, SrcX, SrcY, SrcW, SrcH, Dst, Src, MaskOffset, IsCentre, how);
}

void StretchMaskPieceOpacity(int X, int Y, int W, int H, int SrcX, int SrcY, int SrcW, int SrcH, TBitmap& Dst,
                             TBitmap& Src, int MaskOffset, int Opacity, bool IsCentre) {
  StretchMaskedPiece(X, Y, W, H, SrcX, SrcY, SrcW, SrcH, Dst, Src, MaskOffset, IsCentre, OpacityStretch(Opacity));
}

void PaintMaskRectAlpha(TBitmap& Bmp, const TRect& R, const TCacheInfo& CI, const TsMaskData& MaskData, int State) {
  TNineLayout L;
  if (!MakeNineLayout(R, MaskData, State, L)) return;
  if (MaskData.MaskType == 0) {
    PaintUnmasked(Bmp, R, CI, L);
    return;
  }
  std::vector<TPieceRects> pieces;
  NinePieces(R, L, pieces);
  TBitmap& src = *L.Src;
  PaintLayout(
      Bmp, pieces, L,
      [&](TPieceKind kind, const TRect& d, const TRect& s) {
        CopyRectByMaskAlpha(d, s, Bmp, src, kind == TPieceKind::Corner ? CI : EmptyCacheInfo, MaskData);
      },
      [&](TPieceKind kind, const TRect& d, const TRect& s) {
        StretchMaskPieceAlpha(d.Left, d.Top, d.Width(), d.Height(), s.Left, s.Top, s.Width(), s.Height(), Bmp, src,
                              L.MaskOffset, kind == TPieceKind::Centre);
      });
}

void PaintMaskBorders(TBitmap& Bmp, const TRect& R, const TCacheInfo& CI, const TsMaskData& MaskData, int State,
                      const TRect& Strips, int Opacity) {
  TNineLayout L;
  if (!MakeNineLayout(R, MaskData, State, L)) return;
  if (MaskData.MaskType == 0) {
    PaintUnmasked(Bmp, R, CI, L);
    return;
  }
  L.DrawCentre = false;
  std::vector<TPieceRects> pieces;
  NinePieces(R, L, pieces);
  const int SL = std::clamp(static_cast<int>(Strips.Left), 0, L.WL), ST = std::clamp(static_cast<int>(Strips.Top), 0, L.WT);
  const int SR = std::clamp(static_cast<int>(Strips.Right), 0, L.WR), SB = std::clamp(static_cast<int>(Strips.Bottom), 0, L.WB);
  // Only the outer strip of each side: left, top, bottom, right in painting order.
  TRect& left = pieces[1].Dst;
  left.Right = left.Left + SL;
  pieces[1].Src.Right = pieces[1].Src.Left + SL;
  TRect& top = pieces[2].Dst;
  top.Bottom = top.Top + ST;
  pieces[2].Src.Bottom = pieces[2].Src.Top + ST;
  TRect& bottom = pieces[4].Dst;
  bottom.Top = bottom.Bottom - SB;
  pieces[4].Src = TRect(pieces[4].Src.Left, L.SY + L.FH - SB, pieces[4].Src.Right, L.SY + L.FH);
  TRect& right = pieces[7].Dst;
  right.Left = right.Right - SR;
  pieces[7].Src = TRect(L.SX + L.FW - SR, pieces[7].Src.Top, L.SX + L.FW, pieces[7].Src.Bottom);
  TBitmap& src = *L.Src;
  PaintLayout(
      Bmp, pieces, L,
      [&](TPieceKind kind, const TRect& d, const TRect& s) {
        CopyRectByMaskOpacity(d, s, Bmp, src, kind == TPieceKind::Corner ? CI : EmptyCacheInfo, MaskData, Opacity);
      },
      [&](TPieceKind, const TRect& d, const TRect& s) {
        StretchMaskPieceOpacity(d.Left, d.Top, d.Width(), d.Height(), s.Left, s.Top, s.Width(), s.Height(), Bmp, src,
                                L.MaskOffset, Opacity, false);
      });
}
