#pragma once
// Painting a skin image part into a 32-bit bitmap: the nine-piece painter
// and the masked piece routines it and the masked texture tiler use.
#include "skin/graphics/SkinData.h"

// Frame State of MaskData into R of Bmp; only the corners consult CI, and
// take parent pixels from it only when UpdateCorners and CornerType > 0.
void PaintMaskRect(TBitmap& Bmp, const TRect& R, const TCacheInfo& CI, const TsMaskData& MaskData, int State,
                   bool UpdateCorners);
// The source rectangle scaled to W x H over Dst at (X, Y), through the mask
// MaskOffset rows below it; MaskOffset 0 is a plain stretched copy.
void StretchMaskPiece(int X, int Y, int W, int H, int SrcX, int SrcY, int SrcW, int SrcH, TBitmap& Dst, TBitmap& Src,
                      int MaskOffset, bool IsCentre);
// One masked tile from the master bitmap; its key pixels are filled from CI.
void CopyMasterTileByMask(const TRect& DstRect, const TRect& SrcRect, TBitmap& Dst, const TCacheInfo& CI,
                          const TsMaskData& MaskData);
