#include "platform/ui/Controls.h"
#include <windowsx.h>

bool DispatchMouseWheel(TControl* control, const TMessage& message) {
  const TShiftState shift = KeysToShiftState(GET_KEYSTATE_WPARAM(message.WParam));
  const int delta = GET_WHEEL_DELTA_WPARAM(message.WParam);
  const TPoint pos(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
  for (TControl* c = control; c; c = c->Parent()) {
    if (!c->OnMouseWheel) continue;
    bool handled = false;
    FireEvent(c->OnMouseWheel, c, shift, delta, pos, handled);
    if (handled) return true;
  }
  return false;
}
