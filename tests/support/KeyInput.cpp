#include "support/KeyInput.h"

namespace KeyInput {

void Pump(int ms) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  do {
    Application->ProcessMessages();
    if (ms > 0) Sleep(5);
  } while (ms > 0 && static_cast<int>(end - GetTickCount()) > 0);
  Application->ProcessMessages();
}

void SetModifiers(TShiftState shift) {
  BYTE state[256];
  GetKeyboardState(state);
  state[VK_SHIFT] = shift.Contains(ssShift) ? 0x80 : 0;
  state[VK_CONTROL] = shift.Contains(ssCtrl) ? 0x80 : 0;
  state[VK_MENU] = shift.Contains(ssAlt) ? 0x80 : 0;
  SetKeyboardState(state);
}

void PressKey(WORD vk, TShiftState shift) {
  HWND target = GetFocus();
  if (!target) target = GetActiveWindow();
  SetModifiers(shift);
  const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
  LPARAM down = 1 | (static_cast<LPARAM>(scan) << 16);
  LPARAM up = down | (1LL << 30) | (1LL << 31);
  const bool alt = shift.Contains(ssAlt);
  if (alt) down |= 1 << 29, up |= 1 << 29;
  PostMessageW(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, down);
  Application->ProcessMessages();
  PostMessageW(GetFocus() ? GetFocus() : target, alt ? WM_SYSKEYUP : WM_KEYUP, vk, up);
  Application->ProcessMessages();
  SetModifiers(TShiftState());
}

void TypeText(const String& text) {
  for (char16_t c : text) {
    const SHORT vk = VkKeyScanW(static_cast<WCHAR>(c));
    const WORD key = static_cast<WORD>(vk & 0xFF);
    TShiftState shift;
    if (vk & 0x100) shift.Include(ssShift);
    if (vk != -1 && key != 0) {
      PressKey(key, shift);
    } else {
      PostMessageW(GetFocus(), WM_CHAR, c, 1);
      Application->ProcessMessages();
    }
  }
}

}  // namespace KeyInput
