#pragma once
// Helpers of the UI tests: pumping messages, typing keys into the focused
// window, and a clean seam for each test.
#include "platform/ui/Forms.h"
#include "platform/ui/TestSeam.h"
#include "support/KeyInput.h"
#include <gtest/gtest.h>

namespace UiTest {
using KeyInput::PressKey;
using KeyInput::Pump;
using KeyInput::TypeText;
// Counts the live top-level and child windows of this thread.
int ThreadWindowCount();
}  // namespace UiTest

// Resets the seam before and after each test and frees leftover forms.
class UiFixture : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
};
