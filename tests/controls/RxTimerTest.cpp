#include "controls/RxTimer.h"

#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <vector>

namespace {

class TTestTimer : public TRxTimer {
public:
  using TRxTimer::TRxTimer;
  using TRxTimer::PlatformTimer;
  using TRxTimer::TimerThread;
};

// Serves synchronized calls and window messages until done() holds or a
// generous limit passes (the limit only keeps a broken build from hanging).
bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = 10000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > limitMs) return false;
    CheckSynchronize(5);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  return true;
}

void PumpFor(DWORD ms) {
  const DWORD start = GetTickCount();
  PumpUntil([&] { return GetTickCount() - start >= ms; }, ms + 1000);
}

// Collects what Application->HandleException reports, from any thread.
class TReports {
public:
  TReports() {
    Application->OnException = [this](TObject*, const Exception& e) {
      std::lock_guard<std::mutex> lock(FLock);
      FMessages.push_back(e.Message());
      FThreads.push_back(GetCurrentThreadId());
    };
  }
  ~TReports() { Application->OnException = nullptr; }
  size_t Count() {
    std::lock_guard<std::mutex> lock(FLock);
    return FMessages.size();
  }
  String Message(size_t i) {
    std::lock_guard<std::mutex> lock(FLock);
    return FMessages.at(i);
  }
  DWORD Thread(size_t i) {
    std::lock_guard<std::mutex> lock(FLock);
    return FThreads.at(i);
  }

private:
  std::mutex FLock;
  std::vector<String> FMessages;
  std::vector<DWORD> FThreads;
};

}  // namespace

TEST(RxTimer, TicksArriveOnTheMainThreadOnceAHandlerIsSet) {
  TTestTimer timer(nullptr);
  timer.SetName(u"Timer1");
  timer.SetInterval(20);
  EXPECT_EQ(nullptr, timer.TimerThread());
  EXPECT_EQ(nullptr, timer.PlatformTimer());

  std::vector<DWORD> threads;
  timer.SetOnTimer([&](TObject* sender) {
    EXPECT_EQ(&timer, sender);
    threads.push_back(GetCurrentThreadId());
  });
  ASSERT_NE(nullptr, timer.TimerThread());
  EXPECT_EQ("TTimerThread: Timer1", timer.TimerThread()->ThreadName());
  ASSERT_TRUE(PumpUntil([&] { return threads.size() >= 3; }));
  for (DWORD id : threads) EXPECT_EQ(GetCurrentThreadId(), id);

  // Interval 0 stops the timer and frees its worker.
  timer.SetInterval(0);
  EXPECT_EQ(nullptr, timer.TimerThread());
  const size_t stopped = threads.size();
  PumpFor(100);
  EXPECT_EQ(stopped, threads.size());
}

TEST(RxTimer, PausedWorkerStaysSilentUntilResumed) {
  TTestTimer timer(nullptr);
  timer.SetInterval(10);
  int ticks = 0;
  timer.SetOnTimer([&](TObject*) { ++ticks; });
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 2; }));

  timer.TimerThread()->SetPaused(true);
  EXPECT_TRUE(timer.TimerThread()->Paused());
  PumpFor(50);  // a tick already on its way may still arrive
  const int paused = ticks;
  PumpFor(150);
  EXPECT_EQ(paused, ticks);

  timer.TimerThread()->SetPaused(false);
  ASSERT_TRUE(PumpUntil([&] { return ticks >= paused + 2; }));
}

TEST(RxTimer, FreeWhileATickWaitsForTheMainThread) {
  auto ticks = std::make_shared<std::atomic<int>>(0);
  auto timer = std::make_unique<TTestTimer>(nullptr);
  timer->SetInterval(10);
  timer->SetOnTimer([ticks](TObject*) { ++*ticks; });
  ASSERT_TRUE(PumpUntil([&] { return *ticks >= 1; }));
  // Without serving the main thread the worker blocks in its next tick.
  Sleep(60);
  const int before = *ticks;
  timer.reset();  // serves the pending tick, which must do nothing
  EXPECT_EQ(before, *ticks);
  PumpFor(60);
  EXPECT_EQ(before, *ticks);
}

TEST(RxTimer, FreeWhilePausedOrWhileRunningOnTheWorker) {
  {
    TTestTimer timer(nullptr);
    timer.SetInterval(10);
    timer.SetOnTimer([](TObject*) {});
    timer.TimerThread()->SetPaused(true);
  }
  auto ticks = std::make_shared<std::atomic<int>>(0);
  {
    TTestTimer timer(nullptr);
    timer.SetSyncEvent(false);
    timer.SetInterval(10);
    timer.SetOnTimer([ticks](TObject*) { ++*ticks; });
    while (*ticks < 2) Sleep(5);
  }
  const int after = *ticks;
  Sleep(60);
  EXPECT_EQ(after, *ticks);
}

TEST(RxTimer, FailingSynchronizedTickIsReportedAndTheClockGoesOn) {
  TReports reports;
  TTestTimer timer(nullptr);
  timer.SetInterval(10);
  int calls = 0;
  timer.SetOnTimer([&](TObject*) {
    ++calls;
    if (calls == 1) throw Exception(u"tick failed");
    if (calls == 2) throw EAbort();
  });
  ASSERT_TRUE(PumpUntil([&] { return calls >= 4; }));
  ASSERT_EQ(1u, reports.Count());  // the abort stays silent
  EXPECT_EQ(u"tick failed", reports.Message(0));
  EXPECT_EQ(GetCurrentThreadId(), reports.Thread(0));
  EXPECT_FALSE(timer.TimerThread()->Finished());
}

TEST(RxTimer, DirectTicksRunOnTheWorkerAndReportTheirFailuresOnTheMainThread) {
  TReports reports;
  TTestTimer timer(nullptr);
  timer.SetSyncEvent(false);
  timer.SetInterval(10);
  std::atomic<int> calls{0};
  std::atomic<DWORD> tickThread{0};
  timer.SetOnTimer([&](TObject*) {
    tickThread = GetCurrentThreadId();
    const int call = ++calls;
    if (call == 1) throw Exception(u"worker tick failed");
    if (call == 2) throw std::runtime_error("standard failure");
    if (call == 3) throw EAbort();
  });
  ASSERT_TRUE(PumpUntil([&] { return calls >= 6 && reports.Count() >= 2; }));
  EXPECT_NE(GetCurrentThreadId(), tickThread.load());
  ASSERT_EQ(2u, reports.Count());  // the abort stays silent
  EXPECT_EQ(u"worker tick failed", reports.Message(0));
  EXPECT_EQ(u"standard failure", reports.Message(1));
  EXPECT_EQ(GetCurrentThreadId(), reports.Thread(0));
  EXPECT_EQ(GetCurrentThreadId(), reports.Thread(1));
  EXPECT_TRUE(timer.TimerThread()->LastException() != nullptr);
  EXPECT_FALSE(timer.TimerThread()->Finished());
}

TEST(RxTimer, ATimerMayBeFreedFromItsOwnTick) {
  for (bool sync : {true, false}) {
    SCOPED_TRACE(sync ? "synchronized" : "on the worker");
    std::atomic<int> calls{0};
    std::atomic<bool> freed{false};
    auto* timer = new TTestTimer(nullptr);
    timer->SetSyncEvent(sync);
    timer->SetInterval(10);
    timer->SetOnTimer([&, timer](TObject*) {
      ++calls;
      delete timer;
      freed = true;
    });
    ASSERT_TRUE(PumpUntil([&] { return freed.load(); }));
    PumpFor(100);
    EXPECT_EQ(calls.load(), 1);
  }
}

TEST(RxTimer, StoppingInsideTheHandlerAndSwitchingToTheMessageTimer) {
  TTestTimer timer(nullptr);
  timer.SetInterval(10);
  int ticks = 0;
  bool threadedRefused = false;
  timer.SetOnTimer([&](TObject*) {
    ++ticks;
    try {
      timer.SetThreaded(false);
    } catch (const Exception& e) {
      threadedRefused = e.Message() == u"Cannot create thread...";
    }
    timer.SetEnabled(false);  // the worker stays, silent
  });
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 1; }));
  EXPECT_TRUE(threadedRefused);
  EXPECT_TRUE(timer.Threaded());
  TTimerThread* worker = timer.TimerThread();
  ASSERT_NE(nullptr, worker);
  PumpFor(80);
  EXPECT_EQ(1, ticks);
  EXPECT_EQ(worker, timer.TimerThread());

  // Enabled again outside the handler: the same worker ticks on.
  timer.SetOnTimer([&](TObject*) { ++ticks; });
  timer.SetEnabled(true);
  EXPECT_EQ(worker, timer.TimerThread());
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 3; }));

  // The message timer replaces the worker, and back.
  timer.SetThreaded(false);
  EXPECT_EQ(nullptr, timer.TimerThread());
  ASSERT_NE(nullptr, timer.PlatformTimer());
  EXPECT_EQ(10u, timer.PlatformTimer()->Interval());
  const int before = ticks;
  ASSERT_TRUE(PumpUntil([&] { return ticks >= before + 2; }));
  timer.SetThreadPriority(tpLower);  // only stored while not threaded
  EXPECT_EQ(nullptr, timer.TimerThread());
  timer.SetThreaded(true);
  EXPECT_EQ(nullptr, timer.PlatformTimer());
  ASSERT_NE(nullptr, timer.TimerThread());
  EXPECT_EQ(tpLower, timer.TimerThread()->Priority());

  timer.SetOnTimer(nullptr);
  EXPECT_EQ(nullptr, timer.TimerThread());
}

TEST(RxTimer, PostEventTimeWaitsOneIntervalFirst) {
  TTestTimer timer(nullptr);
  timer.SetEventTime(TRxTimerEventTime::tetPost);
  timer.SetInterval(200);
  int ticks = 0;
  timer.SetOnTimer([&](TObject*) { ++ticks; });
  PumpFor(60);
  EXPECT_EQ(0, ticks);
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 1; }));
}
