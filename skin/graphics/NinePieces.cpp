#include "skin/graphics/NinePieces.h"
#include <algorithm>

namespace {
// Takes the excess of a + b over size off both, the odd pixel off b.
void FitMargins(int size, int& a, int& b) {
  if (size >= a + b) return;
  const int excess = a + b - size;
  a -= excess / 2;
  b -= excess / 2 + excess % 2;
  a = std::max(a, 0);
  b = std::max(b, 0);
}

TRect Box(int x, int y, int w, int h) { return TRect(x, y, x + w, y + h); }
}  // namespace

bool MakeNineLayout(const TRect& R, const TsMaskData& md, int State, TNineLayout& L) {
  State = std::max(State, 0);
  if (State == 0 && (md.DrawMode & 2) != 0) return false;
  if (R.Width() < 2 || R.Height() < 2) return false;
  if (md.Manager == nullptr || md.ImageCount < 1) return false;
  L.WL = md.WL;
  L.WT = md.WT;
  L.WR = md.WR;
  L.WB = md.WB;
  FitMargins(R.Width(), L.WL, L.WR);
  FitMargins(R.Height(), L.WT, L.WB);
  L.State = std::min(State, md.ImageCount - 1);
  L.FW = MaskFrameWidth(md);
  L.FH = MaskFrameHeight(md);
  L.MaskOffset = md.MaskType != 0 ? L.FH : 0;
  L.Stretch = (md.DrawMode & 1) != 0;
  L.DrawCentre = (md.DrawMode & 4) != 0;
  L.CW = L.FW - L.WL - L.WR;
  L.CH = L.FH - L.WT - L.WB;
  if (L.CW < 0 || L.CH < 0) return false;
  L.Src = MaskImageOf(md, ModelOfManager ? ModelOfManager(md.Manager) : nullptr);
  if (L.Src == nullptr || L.Src->Empty()) return false;
  L.SX = md.R.Left + L.State * L.FW;
  L.SY = md.R.Top;
  return true;
}

void NinePieces(const TRect& R, const TNineLayout& L, std::vector<TPieceRects>& Pieces) {
  const int l = R.Left, t = R.Top, r = R.Right, b = R.Bottom;
  const int bottomRows = L.SY + L.FH - L.WB;
  const int rightCol = L.SX + L.WL + L.CW;
  const int sideH = b - L.WB - (t + L.WT), sideW = r - L.WR - (l + L.WL);
  Pieces = {
      {TPieceKind::Corner, Box(l, t, L.WL, L.WT), Box(L.SX, L.SY, L.WL, L.WT)},
      {TPieceKind::Side, Box(l, t + L.WT, L.WL, sideH), Box(L.SX, L.SY + L.WT, L.WL, L.CH)},
      {TPieceKind::Side, Box(l + L.WL, t, sideW, L.WT), Box(L.SX + L.WL, L.SY, L.CW, L.WT)},
      {TPieceKind::Corner, Box(l, b - L.WB, L.WL, L.WB), Box(L.SX, bottomRows, L.WL, L.WB)},
      {TPieceKind::Side, Box(l + L.WL, b - L.WB, sideW, L.WB), Box(L.SX + L.WL, bottomRows, L.CW, L.WB)},
      {TPieceKind::Corner, Box(r - L.WR, b - L.WB, L.WR, L.WB), Box(rightCol, bottomRows, L.WR, L.WB)},
      {TPieceKind::Corner, Box(r - L.WR, t, L.WR, L.WT), Box(rightCol, L.SY, L.WR, L.WT)},
      {TPieceKind::Side, Box(r - L.WR, t + L.WT, L.WR, sideH), Box(rightCol, L.SY + L.WT, L.WR, L.CH)},
  };
  if (L.DrawCentre)
    Pieces.push_back({TPieceKind::Centre, Box(l + L.WL, t + L.WT, sideW, sideH), Box(L.SX + L.WL, L.SY + L.WT, L.CW, L.CH)});
}

void PaintPieces(const std::vector<TPieceRects>& Pieces, bool Stretch, const TPieceCopy& Copy,
                 const TPieceStretch& StretchPiece) {
  for (const TPieceRects& p : Pieces) {
    const TRect& d = p.Dst;
    const TRect& s = p.Src;
    if (d.Width() <= 0 || d.Height() <= 0) continue;
    if (p.Kind == TPieceKind::Corner) {
      Copy(p.Kind, d, s);
      continue;
    }
    if (Stretch) {
      StretchPiece(p.Kind, d, s);
      continue;
    }
    // A source piece without extent in a direction gives one cut copy there.
    const int stepX = s.Width() > 0 ? s.Width() : d.Width();
    const int stepY = s.Height() > 0 ? s.Height() : d.Height();
    for (int y = d.Top; y < d.Bottom; y += stepY) {
      const int h = std::min(stepY, d.Bottom - y);
      for (int x = d.Left; x < d.Right; x += stepX) {
        const int w = std::min(stepX, d.Right - x);
        Copy(p.Kind, TRect(x, y, x + w, y + h),
             TRect(s.Left, s.Top, s.Left + std::min(w, s.Width()), s.Top + std::min(h, s.Height())));
      }
    }
  }
}
