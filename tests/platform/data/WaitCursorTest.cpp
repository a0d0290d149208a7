// The connection layer's wait cursor while data work runs on several
// threads at once: only the main thread's work changes the cursor.
#include "platform/classes/Threads.h"
#include "platform/data/FDConnection.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <mutex>
#include <vector>

namespace {

DWORD WINAPI BusyManyTimes(void*) {
  for (int i = 0; i < 20000; ++i) {
    TFDGUIxWaitCursor::TBusy outer;
    TFDGUIxWaitCursor::TBusy inner;
  }
  return 0;
}

}  // namespace

TEST(WaitCursor, OnlyTheMainThreadsWorkChangesTheCursor) {
  std::mutex lock;
  std::vector<std::pair<bool, DWORD>> calls;
  TFDGUIxWaitCursor::BusyChanged = [&](bool busy) {
    std::lock_guard<std::mutex> guard(lock);
    calls.emplace_back(busy, GetCurrentThreadId());
  };
  {
    TFDGUIxWaitCursor cursor(nullptr);
    HANDLE threads[4];
    for (HANDLE& t : threads) t = CreateThread(nullptr, 0, BusyManyTimes, nullptr, 0, nullptr);
    {
      TFDGUIxWaitCursor::TBusy outer;
      TFDGUIxWaitCursor::TBusy inner;
    }
    WaitForMultipleObjects(4, threads, TRUE, 60000);
    for (HANDLE t : threads) CloseHandle(t);
  }
  TFDGUIxWaitCursor::BusyChanged = nullptr;
  const std::vector<std::pair<bool, DWORD>> expected{{true, GetCurrentThreadId()}, {false, GetCurrentThreadId()}};
  EXPECT_EQ(calls, expected);

  // Without a wait-cursor component nothing is shown at all.
  calls.clear();
  TFDGUIxWaitCursor::BusyChanged = [&](bool busy) { calls.emplace_back(busy, GetCurrentThreadId()); };
  { TFDGUIxWaitCursor::TBusy busy; }
  TFDGUIxWaitCursor::BusyChanged = nullptr;
  EXPECT_TRUE(calls.empty());
}
