#include "skin/engine/ShowSchedule.h"
#include "skin/graphics/Bitmaps32.h"
#include <algorithm>
#include <cmath>

TShowSchedule TShowSchedule::Make(unsigned Time, uint8_t Alpha, TacAnimType Mode, bool Dialog) {
  TShowSchedule s;
  s.Steps = static_cast<int>(Time / AnimFrameTime);
  s.Alpha = Alpha;
  s.Mode = Mode;
  s.TickBeforeCompose = Dialog;
  if (s.Steps > 0) s.Increment = static_cast<double>(Alpha) / (Dialog ? s.Steps + 1 : s.Steps);
  return s;
}

uint8_t TShowSchedule::FrameAlpha(int Frame) const {
  const double value = std::min<double>(Alpha, Increment * (Frame + 1));
  return static_cast<uint8_t>(std::nearbyint(value));
}

void RunShowFrames(const TShowSchedule& Schedule, HWND Wnd, TBitmap& Image, const TPoint& Position,
                   const std::function<void(uint8_t Alpha)>& EachFrame) {
  if (Schedule.Steps < 1) return;
  const double w = Image.Width(), h = Image.Height();
  const double growX = w / 8 / Schedule.Steps, growY = h / 8 / Schedule.Steps;
  double l = w / 8, t = h / 8, r = w - w / 8, b = h - h / 8;
  auto frame = NewBmp32(Image.Width(), Image.Height());
  TFramePacer pacer;
  for (int i = 0; i <= Schedule.Steps; ++i) {
    if (Schedule.TickBeforeCompose) pacer.Start();
    if (Schedule.Mode == TacAnimType::atAero)
      ComposeZoomFrame(*frame, Image, l, t, r, b);
    else if (i == 0)
      BitBlt(frame->Canvas()->Handle(), 0, 0, Image.Width(), Image.Height(), Image.Canvas()->Handle(), 0, 0, SRCCOPY);
    if (!Schedule.TickBeforeCompose) pacer.Start();
    const uint8_t alpha = Schedule.FrameAlpha(i);
    ShowLayeredFrame(Wnd, *frame, alpha, &Position);
    if (EachFrame) EachFrame(alpha);
    l -= growX;
    t -= growY;
    r += growX;
    b += growY;
    pacer.WaitFrameEnd();
  }
  ShowLayeredFrame(Wnd, Image, Schedule.Alpha, &Position);
}
