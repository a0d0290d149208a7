#pragma once
// A control's own section painted from its per-control skin data: the
// background in the control's colour when it asks for one, the corners and
// border, then the control's tone, hue and saturation.
#include "skin/graphics/SkinData.h"

class TsCommonData;

// Callers pass two further integers that nothing reads; they are left out.
void PaintDataBg(TsCommonData& CommonData, const TCacheInfo& CI, int State, const TRect& R, TPoint Offset,
                 TBitmap* Bmp);
// Flag is passed by callers and read by nothing; BorderFlag updates the
// border's corners from CI.
void PaintCtrlSection(TsCommonData& CommonData, const TCacheInfo& CI, bool Flag, int State, const TRect& R,
                      TPoint Offset, TBitmap* Bmp, bool BorderFlag);
