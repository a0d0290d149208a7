#include "UiTestSupport.h"

namespace UiTest {
namespace {
BOOL CALLBACK CountChild(HWND, LPARAM lp) {
  ++*reinterpret_cast<int*>(lp);
  return TRUE;
}
BOOL CALLBACK CountTop(HWND hwnd, LPARAM lp) {
  ++*reinterpret_cast<int*>(lp);
  EnumChildWindows(hwnd, CountChild, lp);
  return TRUE;
}
}  // namespace

int ThreadWindowCount() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountTop, reinterpret_cast<LPARAM>(&count));
  return count;
}
}  // namespace UiTest

void UiFixture::SetUp() {
  UiTestSeam::Reset();
  Application->ProcessMessages();
}

void UiFixture::TearDown() {
  for (int i = Screen->CustomFormCount() - 1; i >= 0; --i) {
    if (i >= Screen->CustomFormCount()) continue;
    Screen->CustomForms(i)->Free();
  }
  Application->ProcessMessages();
  UiTestSeam::Reset();
}
