#pragma once
// Helpers of the edit and calendar tests: a form to put controls on,
// pumping messages, keys typed through the application's key handling,
// mouse clicks at a control's client point, a pinned clock and screenshots
// of what the X display shows.
#include "platform/ui/Forms.h"
#include "platform/ui/TestSeam.h"
#include "support/KeyInput.h"

#include <gtest/gtest.h>

namespace EditsTest {
using KeyInput::PressKey;
using KeyInput::Pump;
using KeyInput::TypeText;
// A left click at a client point of the control, as the mouse sends it.
void ClickAt(TWinControl* control, int x, int y);
// Saves the screen area of the window as <name>.png under $BRQ_ARTIFACTS
// (the build's artifact folder when unset); returns the path, empty when
// the capture failed.
std::string Screenshot(HWND window, const std::string& name);
// The colour the window shows at a client point, read back from its DC.
COLORREF PixelAt(HWND window, int x, int y);
}  // namespace EditsTest

// A fresh form at a fixed place, the clock pinned to 15/06/2026 10:30, and
// the UI test seam reset; leftover forms are freed afterwards.
class EditsFixture : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  // A form shown at (60, 60) with the given client size.
  TForm* NewForm(int clientWidth = 320, int clientHeight = 240);
};
