#pragma once
// The show animation of an alpha hint: 30 ticks of 10 ms that fade the new
// picture in and, when an earlier picture is still up, slide from it a
// fifth of the remaining distance per tick while the two cross-fade.
#include "skin/engine/AnimTimer.h"

class TacCustomHintWindow;

class TsShowTimer : public TacThreadedTimer {
public:
  explicit TsShowTimer(TComponent* AOwner);
  // Builds HintForm's picture at w x h and starts.
  void Init(TacCustomHintWindow* HintForm, int w, int h);
  void IntOnTimer(TObject* Sender);

  double StepB = 0;
  TRect SrcRect;
  double dx = 0, dy = 0, x = 0, y = 0;
  int HintWidth = 0, HintHeight = 0;
  TSize FBmpSize;
  TPoint FBmpTopLeft;
  TacCustomHintWindow* CurrentHintForm = nullptr;
  int Step = 0;
  int StepCount = 30;
  int Transparency = 0;
};
