#pragma once
// Keyboard input and message pumping shared by the window tests: keys go
// through the application's own key handling, as the keyboard sends them.
#include "platform/ui/Forms.h"

namespace KeyInput {
// Handles the queued messages, then keeps pumping for ms milliseconds.
void Pump(int ms = 0);
// Holds Shift, Ctrl and Alt in the thread's keyboard state as given.
void SetModifiers(TShiftState shift);
// Posts the key down and up to the focused window (the active one when
// none has the focus), with the modifiers held while it is handled.
void PressKey(WORD vk, TShiftState shift = TShiftState());
// Each character as the keyboard types it; one no key makes goes to the
// focused window as a plain character.
void TypeText(const String& text);
}  // namespace KeyInput
