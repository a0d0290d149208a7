#pragma once
// Helpers of the UI tests: pumping messages, typing keys into the focused
// window, and a clean seam for each test.
#include "platform/ui/Forms.h"
#include "platform/ui/TestSeam.h"
#include <gtest/gtest.h>

namespace UiTest {
// Handles the queued messages, then keeps pumping for ms milliseconds.
void Pump(int ms = 0);
// Types a key as the keyboard would: through the application's key
// handling (shortcuts, dialog keys) and TranslateMessage. The modifier
// keys are held in the thread's keyboard state while it is handled.
void PressKey(WORD vk, TShiftState shift = TShiftState());
// Types each character of text into the focused window.
void TypeText(const String& text);
// Counts the live top-level and child windows of this thread.
int ThreadWindowCount();
}  // namespace UiTest

// Resets the seam before and after each test and frees leftover forms.
class UiFixture : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
};
