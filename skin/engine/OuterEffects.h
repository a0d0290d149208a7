#pragma once
// The two decorations that reach beyond a skinned control's rectangle: its
// outer effect (a shadow painted into the parent's cache bitmap) and its
// hover glow (a layered window round it).
#include "skin/graphics/SkinTypes.h"

class TControl;
class TsCommonData;
class TsSkinManager;
struct TacParentBgData;

// A container paints the outer effects of its children into its cache.
void PaintOuterEffects(TsCommonData* Data, TControl* OwnerCtrl, const TPoint& Offset);
// A child's answer to SKC_PAINTOUTER: Record.Bmp is the target and
// Record.Offset the container's client origin in it. SubArg bit 0x100:
// the previous background is put back first.
void PaintOwnOuterEffect(TsCommonData* Data, const TacParentBgData& Record, int SubArg);
// Margins are the strip widths: left, top, right, bottom.
void DrawOuterEffectImage(TBitmap& Bmp, const TRect& R, const TRect& Margins, int Opacity, int MaskIndex,
                          TsSkinManager& Manager);
// A negative SkinIndex takes the data's own.
void ShowControlGlow(TsCommonData* Data, bool Repeat, HWND Wnd, int InitialOpacity, bool Animate, int SkinIndex);
