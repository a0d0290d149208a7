#pragma once
// One glyph of a button, tool button or menu item in a given state: a frame
// of a multi-frame glyph bitmap or an image of an image list, with the
// normal-state transparency, the discoloured and disabled looks and the
// reflection. (Tool-button glyphs wait for a toolbar control.)
#include "skin/graphics/SkinTypes.h"

class TCustomImageList;
class TsSkinManager;

struct TacGlyphPaintInfo {
  int Blend = 0;          // transparency in percent, normal state only
  int SkinIndex = -1;     // carried for the callers
  int NumGlyphs = 1;      // frames side by side
  int ImageIndex = -1;    // image of Images; below 0 none
  int State = 0;          // 0 normal, 1 hot, 2 pressed
  bool Down = false;
  bool Discoloured = false;
  bool Enabled = true;
  bool Reflected = false;
  TBitmap* Glyph = nullptr;
  TBitmap* DstBmp = nullptr;  // nil: draw on Canvas
  TRect R;
  TCanvas* Canvas = nullptr;
  TColor TintColor = ColorNone;
  TsSkinManager* SkinManager = nullptr;  // carried for the callers
  TCustomImageList* Images = nullptr;
  uint8_t DisabledKind = 0;  // bit 0 half transparent, bit 1 grey
};

constexpr uint8_t dkBlended = 1, dkGrayed = 2;

void PaintGlyphEx(const TacGlyphPaintInfo& Info);
// Frame StateIndex of image ImageIndex into Bmp at (X, Y); Size gets the
// frame's size.
void CopyListImage(TCustomImageList* List, TBitmap& Bmp, int X, int Y, int ImageIndex, int Blend, TColor TintColor,
                   int StateIndex, int NumGlyphs, bool Reflected, TSize& Size);
void CopyListImageToDC(TCustomImageList* List, HDC DC, int X, int Y, int ImageIndex, int Blend, TColor TintColor,
                       int StateIndex, int NumGlyphs, bool Reflected);
int ListImageCount(TCustomImageList* List);
