#pragma once
// The layout shared by the nine-piece painters: adjusted margins, the
// frame in the source image, and the pieces with their tiles.
#include "skin/graphics/SkinData.h"
#include <functional>

enum class TPieceKind { Corner, Side, Centre };

struct TNineLayout {
  int WL = 0, WT = 0, WR = 0, WB = 0;
  int State = 0;
  int FW = 0, FH = 0, CW = 0, CH = 0;
  int SX = 0, SY = 0;
  int MaskOffset = 0;
  bool Stretch = false;
  bool DrawCentre = false;
  TBitmap* Src = nullptr;
};

// False when the painter must draw nothing: state 0 under draw-mode bit 2,
// a target under 2 x 2, no manager or source image, or a frame smaller than
// the margins. A negative state counts as state 0.
bool MakeNineLayout(const TRect& R, const TsMaskData& md, int State, TNineLayout& L);

// One copy of a piece: Dst and Src as rectangles; in a tile the source may
// be smaller than the target only where the source piece has no extent.
using TPieceCopy = std::function<void(TPieceKind, const TRect& Dst, const TRect& Src)>;
using TPieceStretch = std::function<void(TPieceKind, const TRect& Dst, const TRect& Src)>;

// Source and target of one piece, left/top/width/height.
struct TPieceRects {
  TPieceKind Kind;
  TRect Dst;
  TRect Src;
};

// The pieces in painting order for target R.
void NinePieces(const TRect& R, const TNineLayout& L, std::vector<TPieceRects>& Pieces);

// Corners are copied; sides and centre are stretched or tiled from the
// source piece's top-left, the last tile cut to what remains.
void PaintPieces(const std::vector<TPieceRects>& Pieces, bool Stretch, const TPieceCopy& Copy,
                 const TPieceStretch& StretchPiece);
