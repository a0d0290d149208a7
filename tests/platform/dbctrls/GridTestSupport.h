#pragma once
// Mouse input for the grid tests, delivered as the window would get it.
#include "platform/ui/Controls.h"
#include "platform/ui/UiTestSupport.h"

namespace GridTest {
inline LPARAM Pos(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

inline void Click(TWinControl* control, int x, int y) {
  HWND h = control->Handle();
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, Pos(x, y));
  SendMessageW(h, WM_LBUTTONUP, 0, Pos(x, y));
  UiTest::Pump();
}

inline void Drag(TWinControl* control, int x0, int y0, int x1, int y1) {
  HWND h = control->Handle();
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, Pos(x0, y0));
  SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, Pos((x0 + x1) / 2, (y0 + y1) / 2));
  SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, Pos(x1, y1));
  SendMessageW(h, WM_LBUTTONUP, 0, Pos(x1, y1));
  UiTest::Pump();
}

inline TPoint Center(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }
}  // namespace GridTest
