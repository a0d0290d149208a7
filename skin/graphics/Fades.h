#pragma once
// A skinned control's change of look (normal, hot, pressed) cross-faded
// frame by frame on its animation timer, with its hover glow faded along,
// and the control's border painted into its cache bitmap.
#include "skin/engine/AnimTimer.h"
#include "skin/graphics/SkinTypes.h"

class TsCommonData;

// Target states of a fade: back to normal (the level falls), to hot (it
// rises), to pressed (it falls).
constexpr int FadeToNormal = 0, FadeToHot = 1, FadeToPressed = 2;

void StartStateFade(TsCommonData* SkinData, int AState, TacAnimProc AAnimProc, bool Animated, bool AFast,
                    bool WithGlow);
void StartFade(TsCommonData* SkinData, int AState, TacAnimProc AAnimProc, bool AFast);
// One frame of a state fade, copied straight onto the control's window.
bool StateFadeProc(TObject* Data, int Iteration);
// The border image in State into the control's cache over the parent's
// background; ClientRect gets the area inside it. FillWidth, when not 0,
// fills the border zone up to that width with the background colour.
void PaintFrameAndFill(HDC DC, const TRect& R, int FillWidth, TsCommonData* SkinData, int State, TRect& ClientRect);
