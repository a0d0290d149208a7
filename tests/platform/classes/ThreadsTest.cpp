#include "platform/classes/Threads.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <atomic>
#include <vector>

namespace {

// Runs a function as its Execute.
class FunctionThread : public TThread {
public:
  explicit FunctionThread(std::function<void(FunctionThread&)> body) : FBody(std::move(body)) {}
  ~FunctionThread() override { Shutdown(); }
  using TThread::SetReturnValue;

protected:
  void Execute() override { FBody(*this); }

private:
  std::function<void(FunctionThread&)> FBody;
};

// The main thread's side: pump synchronized calls until done says stop.
void PumpUntil(const std::function<bool()>& done) {
  for (int i = 0; i < 2000 && !done(); ++i) CheckSynchronize(10);
  ASSERT_TRUE(done());
}

}  // namespace

TEST(Threads, SynchronizeRunsOnTheMainThreadWhileTheWorkerWaits) {
  ASSERT_EQ(GetCurrentThreadId(), MainThreadID);
  std::vector<uint32_t> ranOn;
  std::atomic<int> stepsAfterSync{0};
  FunctionThread thread([&](FunctionThread& self) {
    for (int i = 0; i < 3; ++i) {
      self.Synchronize([&] { ranOn.push_back(GetCurrentThreadId()); });
      // The call has finished by now: the vector is stable.
      stepsAfterSync += static_cast<int>(ranOn.size()) == i + 1;
    }
    self.SetReturnValue(42);
  });
  EXPECT_TRUE(thread.Suspended());
  thread.Start();
  EXPECT_THROW(thread.Start(), EThread);
  PumpUntil([&] { return thread.Finished(); });
  EXPECT_EQ(thread.WaitFor(), 42);
  ASSERT_EQ(ranOn.size(), 3u);
  for (uint32_t id : ranOn) EXPECT_EQ(id, MainThreadID);
  EXPECT_EQ(stepsAfterSync.load(), 3);
  EXPECT_FALSE(thread.FatalException());
}

TEST(Threads, ExceptionInASynchronizedCallIsRaisedInTheWorker) {
  String caught;
  FunctionThread thread([&](FunctionThread& self) {
    try {
      self.Synchronize([] { throw EConvertError(u"bad value"); });
    } catch (const EConvertError& e) {
      caught = e.Message();
    }
    // Uncaught this time: it ends Execute and is kept as the fatal exception.
    self.Synchronize([] { throw EAbort(); });
  });
  thread.Start();
  PumpUntil([&] { return thread.Finished(); });
  thread.WaitFor();
  EXPECT_EQ(caught, u"bad value");
  ASSERT_TRUE(thread.FatalException());
  EXPECT_THROW(std::rethrow_exception(thread.FatalException()), EAbort);
}

TEST(Threads, WaitForOnTheMainThreadServesPendingSynchronizeAndWakeHook) {
  std::atomic<int> wakes{0};
  WakeMainThread = [&] { ++wakes; };
  int ticks = 0;
  {
    FunctionThread thread([&](FunctionThread& self) {
      while (!self.Terminated()) {
        self.Synchronize([&] { ++ticks; });
        Sleep(1);
      }
    });
    thread.Start();
    // Once the worker has asked for the main thread, destruction
    // terminates and waits; without serving the worker's Synchronize from
    // inside the wait this would never return. A loaded machine may start
    // the worker late, so no fixed pause.
    for (int i = 0; i < 5000 && wakes.load() == 0; ++i) Sleep(1);
  }
  WakeMainThread = nullptr;
  EXPECT_GT(ticks, 0);
  EXPECT_GE(wakes.load(), ticks);
}

TEST(Threads, OnTerminateRunsOnTheMainThreadAndFreeOnTerminateFreesTheThread) {
  static std::atomic<int> alive{0};
  struct Counted : FunctionThread {
    using FunctionThread::FunctionThread;
    ~Counted() override { --alive; }
  };
  ++alive;
  auto* thread = new Counted([](FunctionThread&) {});
  thread->SetFreeOnTerminate(true);
  uint32_t terminatedOn = 0;
  thread->OnTerminate = [&](TObject*) { terminatedOn = GetCurrentThreadId(); };
  // The object goes with the thread: keep a handle of our own to see it end.
  HANDLE ended = nullptr;
  ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), thread->Handle(), GetCurrentProcess(), &ended,
                              SYNCHRONIZE, FALSE, 0));
  thread->Start();
  PumpUntil([&] { return terminatedOn != 0; });
  // The process must not exit while the worker is still leaving: Wine can
  // kill the whole process if it ends a thread that is half way out.
  EXPECT_EQ(WaitForSingleObject(ended, 10000), WAIT_OBJECT_0);
  CloseHandle(ended);
  EXPECT_EQ(alive.load(), 0);
  EXPECT_EQ(terminatedOn, MainThreadID);
}

TEST(Threads, QueueDoesNotWaitAndCheckSynchronizeRunsItLater) {
  std::atomic<bool> queued{false};
  int ran = 0;
  FunctionThread thread([&](FunctionThread& self) {
    self.Queue([&] { ++ran; });
    queued = true;
  });
  thread.Start();
  // A plain wait: WaitFor on the main thread would run the call itself.
  WaitForSingleObject(thread.Handle(), INFINITE);  // ended, nobody ran its call
  EXPECT_TRUE(queued.load());
  EXPECT_TRUE(CheckSynchronize());
  EXPECT_EQ(ran, 1);
  EXPECT_FALSE(CheckSynchronize());

  // Calls still queued when their thread is freed are dropped.
  {
    FunctionThread dropped([&](FunctionThread& self) { self.Queue([&] { ran += 10; }); });
    dropped.Start();
    WaitForSingleObject(dropped.Handle(), INFINITE);
  }
  CheckSynchronize();
  EXPECT_EQ(ran, 1);
}

TEST(Threads, NeverStartedThreadIsFreedWithoutRunning) {
  bool ran = false;
  {
    FunctionThread thread([&](FunctionThread&) { ran = true; });
    thread.SetPriority(tpLower);
    EXPECT_EQ(thread.Priority(), tpLower);
  }
  EXPECT_FALSE(ran);
}

TEST(Threads, CheckSynchronizeRefusesOtherThreads) {
  std::atomic<bool> refused{false};
  FunctionThread thread([&](FunctionThread&) {
    try {
      CheckSynchronize();
    } catch (const EThread&) {
      refused = true;
    }
  });
  thread.Start();
  thread.WaitFor();
  EXPECT_TRUE(refused.load());
}

TEST(Threads, CriticalSectionGuardsSharedState) {
  TCriticalSection section;
  long counter = 0;
  auto body = [&](FunctionThread&) {
    for (int i = 0; i < 20000; ++i) {
      TCriticalSectionGuard guard(section);
      long v = counter;
      if ((i & 255) == 0) Sleep(0);
      counter = v + 1;
    }
  };
  FunctionThread a(body), b(body);
  a.Start();
  b.Start();
  a.WaitFor();
  b.WaitFor();
  EXPECT_EQ(counter, 40000);
  EXPECT_TRUE(section.TryEnter());
  EXPECT_TRUE(section.TryEnter());  // recursive
  section.Leave();
  section.Leave();
}
