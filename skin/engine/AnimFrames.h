#pragma once
// What every window animation shares: the flag that one runs, the 10 ms
// frame pace, the layered-window frame and the aero zoom composition.
#include "skin/graphics/SkinTypes.h"
#include <windows.h>

// True while a show, hide or skin-change animation runs, or forms are frozen
// for a skin change; child update notices wait meanwhile.
extern bool AnimationInProgress;

// Sets AnimationInProgress for a scope and clears it however it ends.
class TAnimationFlag {
public:
  TAnimationFlag() { AnimationInProgress = true; }
  ~TAnimationFlag() { AnimationInProgress = false; }
  TAnimationFlag(const TAnimationFlag&) = delete;
  TAnimationFlag& operator=(const TAnimationFlag&) = delete;
};

constexpr DWORD AnimFrameTime = 10;

// Paces frames by waiting, never by spinning on the tick counter: a
// spinning animation would starve a small machine.
class TFramePacer {
public:
  void Start() { FStart = GetTickCount(); }
  // Waits until a frame time has passed since Start.
  void WaitFrameEnd() const;

private:
  DWORD FStart = 0;
};
// Waits Milliseconds without touching the message queue.
void AnimPause(DWORD Milliseconds);

// Shows Image on the layered window Wnd with constant Alpha over its own
// per-pixel alpha; Position nil keeps the window where it is.
void ShowLayeredFrame(HWND Wnd, TBitmap& Image, uint8_t Alpha, const TPoint* Position);

// Frame of the aero zoom: Frame cleared to transparent and Src drawn
// scaled into (L, T, R, B) (rounded); with L or T negative, Src unscaled.
void ComposeZoomFrame(TBitmap& Frame, TBitmap& Src, double L, double T, double R, double B);

// The flags of the window moves, as the animations use them.
constexpr UINT SWP_ANIMSHOW = SWP_NOSENDCHANGING | SWP_NOOWNERZORDER | SWP_NOCOPYBITS | SWP_NOACTIVATE | SWP_NOREDRAW;
constexpr UINT SWP_BEHIND = SWP_NOSENDCHANGING | SWP_NOOWNERZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOMOVE |
                            SWP_NOSIZE;
constexpr UINT RDW_FRAMEALL = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW;
