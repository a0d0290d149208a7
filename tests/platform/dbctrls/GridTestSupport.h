#pragma once
// Mouse input for the grid tests, delivered as the window would get it.
#include "platform/ui/Controls.h"
#include "platform/ui/UiTestSupport.h"
#include "platform/ui/grids/Grids.h"
#include "platform/ui/grids/InplaceEdit.h"

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

// Keys go straight to the control's window (its in-place editor while that
// shows), so tests running side by side on one display cannot take them.
inline HWND KeyTarget(TWinControl* control) {
  if (auto* grid = dynamic_cast<TCustomGrid*>(control))
    if (grid->InplaceEditor() && grid->InplaceEditor()->Visible()) return grid->InplaceEditor()->Handle();
  return control->Handle();
}

using KeyInput::SetModifiers;

inline void Key(TWinControl* control, WORD vk, TShiftState shift = TShiftState()) {
  SetModifiers(shift);
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
  PostMessageW(KeyTarget(control), WM_KEYDOWN, vk, 1 | scan);
  Application->ProcessMessages();
  PostMessageW(KeyTarget(control), WM_KEYUP, vk, 1 | scan | (1LL << 30) | (1LL << 31));
  Application->ProcessMessages();
  SetModifiers(TShiftState());
}

inline void Type(TWinControl* control, const String& text) {
  for (char16_t c : text) {
    PostMessageW(KeyTarget(control), WM_CHAR, c, 1);
    Application->ProcessMessages();
  }
}

inline TPoint Center(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }
}  // namespace GridTest
