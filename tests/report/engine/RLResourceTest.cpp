// Preparing a report again and again keeps no window and no GDI object
// alive: a session prepares thousands of pages, with and without the
// progress form.
#include "EngineFixture.h"
#include "skin/support/GdiTableFill.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

BOOL CALLBACK CountOne(HWND, LPARAM counter) {
  ++*reinterpret_cast<int*>(counter);
  return TRUE;
}

BOOL CALLBACK CountWithChildren(HWND window, LPARAM counter) {
  CountOne(window, counter);
  EnumChildWindows(window, CountOne, counter);
  return TRUE;
}

// The thread's windows with their children, and its message-only windows
// (the desktop's list holds other processes' too).
int WindowCount() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountWithChildren, reinterpret_cast<LPARAM>(&count));
  for (HWND w = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); w;
       w = FindWindowExW(HWND_MESSAGE, w, nullptr, nullptr))
    if (GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId()) ++count;
  return count;
}

// How many GDI objects the action keeps: the table is filled up to a
// headroom, and what is left of the headroom afterwards is counted.
int GdiObjectsKept(const std::function<void()>& action) {
  constexpr int Headroom = 3000;
  TGdiTableFill fill(Headroom);
  if (!fill.Filled()) return -1;
  action();
  std::vector<HBRUSH> rest;
  while (rest.size() < static_cast<size_t>(Headroom)) {
    HBRUSH brush = CreateSolidBrush(0x123456);
    if (!brush) break;
    rest.push_back(brush);
  }
  for (HBRUSH brush : rest) DeleteObject(brush);
  return Headroom - static_cast<int>(rest.size());
}

TEST(UiRLEngineResources, PreparingAgainKeepsNoWindowNorGdiObject) {
  for (bool progress : {false, true}) {
    TEngineFixture t;
    t.report->SetShowProgress(progress);
    t.Band(btHeader, 20, "H");
    t.Band(btDetail, 20, "D");
    t.Band(btFooter, 20, "F");
    // Twelve pages a run: more than the store keeps in memory.
    int given = 0;
    t.report->OnNeedData = [&given](TObject*, bool& more) { more = given++ % 600 < 599; };
    // The first run may make what lives as long as the process.
    ASSERT_TRUE(t.report->Prepare());
    const int windows = WindowCount();
    int windowsAfter = 0;
    const int kept = GdiObjectsKept([&] {
      for (int i = 0; i < 20; ++i) ASSERT_TRUE(t.report->Prepare());
      windowsAfter = WindowCount();
    });
    EXPECT_EQ(12, t.report->Pages()->PageCount());
    EXPECT_EQ(windows, windowsAfter) << "progress " << progress;
    EXPECT_EQ(0, kept) << "progress " << progress;
  }
}

}  // namespace
