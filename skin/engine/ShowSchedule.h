#pragma once
// The frame schedule of the show animations: Time div 10 steps, frames 0
// to Steps with the alpha rising by a constant increment up to Alpha, the
// aero zoom growing from three quarters of the size to the whole image.
#include "skin/engine/AnimFrames.h"
#include "skin/engine/SkinOptions.h"
#include <functional>

struct TShowSchedule {
  int Steps = 0;
  double Increment = 0;  // alpha per frame
  uint8_t Alpha = 255;
  TacAnimType Mode = TacAnimType::atFading;
  // Dialogs take the frame's start before composing it, forms after.
  bool TickBeforeCompose = false;

  // Forms and the skin change rise by Alpha / Steps, dialogs by
  // Alpha / (Steps + 1).
  static TShowSchedule Make(unsigned Time, uint8_t Alpha, TacAnimType Mode, bool Dialog);
  // The alpha a window shows before the frames.
  uint8_t FirstAlpha() const { return Steps < 1 ? Alpha : 0; }
  uint8_t FrameAlpha(int Frame) const;
};

// Runs the frames on the layered window Wnd placed at Position; EachFrame
// (when set) hears each frame's alpha once it is on screen. Ends with the
// whole image at Alpha when frames ran.
void RunShowFrames(const TShowSchedule& Schedule, HWND Wnd, TBitmap& Image, const TPoint& Position,
                   const std::function<void(uint8_t Alpha)>& EachFrame = nullptr);
