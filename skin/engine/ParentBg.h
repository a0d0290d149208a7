#pragma once
// What lies behind a control: a parent answers SKC_GETBGINFO with a colour,
// its cache bitmap with the asker's place in it, or paints into a DC.
#include "skin/graphics/SkinTypes.h"

class TControl;
class TWinControl;
class TsCommonData;

enum TacBgKind : uint8_t { bgNone = 0, bgColor = 1, bgCache = 2, bgNotReady = 3 };

struct TacParentBgData {
  TBitmap* Bmp = nullptr;  // not owned
  TColor Color = 0;
  TPoint Offset;
  TRect PaintRect;
  TRect FillRect;  // with a colour and a Bmp: the border widths Bmp supplies
  uint8_t BgKind = bgNone;
  bool PleaseDraw = false;
  HDC DC = nullptr;
};

// The answer of a control's skin data; Wnd stands in for a control object.
void GetOwnBgInfo(TsCommonData* Data, TacParentBgData& BgData, int State, HWND Wnd = nullptr);
bool GetCtrlBgInfo(TacParentBgData& BgData, TControl* Control, bool PleaseDraw);
// The same question to a control's parent, which is always windowed.
bool GetParentBgInfo(TacParentBgData& BgData, TWinControl* Parent, bool PleaseDraw);
// True when the window answered itself.
bool GetWndBgInfo(TacParentBgData& BgData, HWND Window, bool PleaseDraw);
void BgInfoToCacheInfo(const TacParentBgData& BgData, TCacheInfo& CacheInfo);
void ParentCacheInfo(TsCommonData* Data, TCacheInfo& CacheInfo);
void WndParentCacheInfo(HWND Wnd, TCacheInfo& CacheInfo);
void LabelParentCacheInfo(TControl* Label, TCacheInfo& CacheInfo);

// Corner bits of RepaintCtrlCorners.
constexpr int CornerTopLeft = 1, CornerBottomLeft = 2, CornerTopRight = 4, CornerBottomRight = 8;
// Puts the parent background back into the key pixels of the border's
// corners in the control's cache bitmap.
void RepaintCtrlCorners(TsCommonData* Data, int State, int Corners);
// Src is inclusive of its right and bottom edges.
void RestoreCornerByKey(TBitmap& SrcBmp, int X, int Y, const TRect& Src, const TacParentBgData& BgData,
                        TsCommonData& Data);
void RestoreCornerByMask(const TRect& Target, const TRect& Src, TBitmap& SrcBmp, const TacParentBgData& BgData,
                         TsCommonData& Data);
