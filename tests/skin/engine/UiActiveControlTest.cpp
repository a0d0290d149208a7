#include "skin/engine/SkinCommands.h"
#include "skin/engine/SkinManager.h"
#include <gtest/gtest.h>
#include <vector>

namespace {
std::vector<std::pair<HWND, WORD>> Received;

LRESULT CALLBACK RecordingProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == SM_SKINCMD) Received.emplace_back(wnd, HIWORD(wp));
  return DefWindowProcW(wnd, msg, wp, lp);
}

HWND NewRecordingWindow() {
  static const ATOM atom = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = reinterpret_cast<LPCWSTR>(u"SkinRecordingWindow");
    return RegisterClassW(&wc);
  }();
  return CreateWindowExW(0, reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(atom)), nullptr, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}
}  // namespace

TEST(UiSkinManager, ActiveControlMessagesInOrder) {
  TsSkinManager sm(nullptr);
  const HWND a = NewRecordingWindow(), b = NewRecordingWindow();
  ASSERT_TRUE(a && b);
  sm.SetActiveControl(a);
  sm.SetActiveControl(a);  // unchanged: nothing sent
  sm.SetActiveControl(b);
  sm.SetActiveControl(nullptr);
  const std::vector<std::pair<HWND, WORD>> expected = {
      {a, SKC_CTRLACTIVATED}, {a, SKC_CTRLDEACTIVATED}, {b, SKC_CTRLACTIVATED}, {b, SKC_CTRLDEACTIVATED}};
  EXPECT_EQ(Received, expected);
  DestroyWindow(a);
  DestroyWindow(b);
}
