#include "platform/ui/UiTypes.h"

TShiftState KeyDataToShiftState(LPARAM keyData) {
  TShiftState result;
  if (GetKeyState(VK_SHIFT) < 0) result.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) result.Include(ssCtrl);
  // Bit 29 of a key message's data: the Alt key was down.
  if (keyData & 0x20000000) result.Include(ssAlt);
  return result;
}

TShiftState KeysToShiftState(WPARAM keys) {
  TShiftState result;
  if (keys & MK_SHIFT) result.Include(ssShift);
  if (keys & MK_CONTROL) result.Include(ssCtrl);
  if (keys & MK_LBUTTON) result.Include(ssLeft);
  if (keys & MK_RBUTTON) result.Include(ssRight);
  if (keys & MK_MBUTTON) result.Include(ssMiddle);
  if (GetKeyState(VK_MENU) < 0) result.Include(ssAlt);
  return result;
}
