#pragma once
// The fade-out of a window: a cover window with the window's image fades
// (and with the aero zoom shrinks) on the hide timer's ticks.
#include "skin/engine/AnimTimer.h"
#include "skin/engine/Neighbours.h"
#include "skin/engine/SkinOptions.h"
#include <memory>

class TCustomForm;
class TacDialogWnd;

class TacHideTimer : public TacThreadedTimer {
public:
  explicit TacHideTimer(TComponent* AOwner);
  ~TacHideTimer() override;

  void Anim_Init();
  void Anim_DoNext();
  void Anim_GoToNext();
  void OnTimerProc(TObject* Sender);
  void CallEvent();

  TacDialogWnd* Dlg = nullptr;
  HWND ParentWnd = nullptr;  // its provider hears of the end; 0: none
  std::unique_ptr<TCustomForm> Form;  // the cover window
  TSize FBmpSize;
  TPoint FBmpTopLeft;
  BLENDFUNCTION FBlend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  double Trans = 0, p = 0;
  double dx = 0, dy = 0, l = 0, t = 0, r = 0, b = 0;
  int i = 0;
  int StartBlendValue = 255;
  int StepCount = 0;
  TacAnimType AnimType = TacAnimType::atFading;
  bool EventCalled = false;
  std::unique_ptr<TBitmap> SrcBmp, DstBmp;

private:
  void Stop();
};

// The single hide timer, made on first use and owned by the application.
extern TacHideTimer* HideTimer;

// Fades Cover out from StartBlend over Time ms; takes Cover and Image. A
// hide still running gives its cover up first.
void StartHideAnimation(std::unique_ptr<TCustomForm> Cover, std::unique_ptr<TBitmap> Image, unsigned Time,
                        HWND ParentWnd, TacAnimType AnimType, uint8_t StartBlend);
