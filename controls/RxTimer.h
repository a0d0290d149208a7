#pragma once
// A timer component that counts its interval on a worker thread of its own
// and hands each tick to the UI thread by synchronization (or runs it on the
// worker), or falls back to the platform's message timer.
#include "platform/classes/Component.h"
#include "platform/classes/Threads.h"
#include "platform/rtl/String.h"

#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>

using TNotifyEvent = std::function<void(TObject* Sender)>;

class TTimer;
class TRxTimer;

// A thread with a name for debuggers and an optional execute event.
class TCustomThread : public TThread {
public:
  AnsiString ThreadName() const { return GetThreadName(); }
  // Cut to 255 characters.
  void SetThreadName(const AnsiString& value) { DoSetThreadName(value); }
  using TThread::Terminated;

  TNotifyEvent OnExecute;

protected:
  void Execute() override;
  virtual void DoSetThreadName(const AnsiString& value);
  virtual AnsiString GetThreadName() const { return FThreadName; }

private:
  AnsiString FThreadName;
};

enum class TRxTimerEventTime : uint8_t { tetPre, tetPost };

// The worker of one TRxTimer. It sleeps in steps of 10 ms, so a stop, a
// pause or a new interval is seen within about 10 ms.
class TTimerThread : public TCustomThread {
public:
  // Starts at once when enabled, else suspended until the first unpause.
  TTimerThread(TRxTimer* timer, bool enabled);
  ~TTimerThread() override;

  bool Paused() const;
  // The first unpause starts a suspended worker.
  void SetPaused(bool value);

  // The exception the last directly called tick raised.
  std::exception_ptr LastException() const;

protected:
  void Execute() override;

private:
  friend class TRxTimer;
  bool StopCondition() const;
  void Wait();
  void Tick();

  // The UI thread's reset of the wait, with the interval to count to.
  void Restart(uint32_t interval);
  void ReportFailure(std::exception_ptr failure);

  TRxTimer* const FOwner;
  std::unique_ptr<TCriticalSection> FPauseSection;
  // Shared by the UI thread and the worker: under FPauseSection.
  bool FPaused = false;
  uint32_t FInterval = 1000;
  uint32_t FCurrentDuration = 0;
  std::exception_ptr FException;
};

class TRxTimer : public TComponent {
public:
  explicit TRxTimer(TComponent* AOwner);
  ~TRxTimer() override;

  bool Enabled() const { return FEnabled.load(); }
  void SetEnabled(bool value);
  uint32_t Interval() const { return FInterval; }
  void SetInterval(uint32_t value);
  // True: ticks run on the UI thread; false: on the worker thread.
  bool SyncEvent() const { return FSyncEvent.load(); }
  void SetSyncEvent(bool value) { FSyncEvent = value; }
  // False: the platform's message timer is used and no thread exists.
  bool Threaded() const { return FThreaded; }
  void SetThreaded(bool value);
  TRxTimerEventTime EventTime() const { return FEventTime.load(); }
  void SetEventTime(TRxTimerEventTime value) { FEventTime = value; }
  TThreadPriority ThreadPriority() const { return FThreadPriority; }
  void SetThreadPriority(TThreadPriority value);

  TNotifyEvent OnTimer() const;
  // Nothing ticks until a handler is set.
  void SetOnTimer(TNotifyEvent value);

  // Runs method on the UI thread through the worker when one runs, else
  // directly; a handler on the worker reaches the UI this way.
  void Synchronize(const TThreadMethod& method);

protected:
  // Every tick, threaded or not, comes here.
  virtual void DoTimer();

  TTimerThread* TimerThread() const { return FTimerThread.get(); }
  TTimer* PlatformTimer() const { return FTimer; }
  bool InTimerEvent() const { return FInTimerEvent.load(); }

private:
  friend class TTimerThread;
  void UpdateTimer();
  void StopWorker();
  void StopPlatformTimer();

  // Read by the worker without a lock.
  std::atomic<bool> FEnabled{true};
  std::atomic<bool> FSyncEvent{true};
  std::atomic<TRxTimerEventTime> FEventTime{TRxTimerEventTime::tetPre};
  std::atomic<bool> FDestroying{false};
  uint32_t FInterval = 1000;
  bool FThreaded = true;
  TThreadPriority FThreadPriority = tpNormal;
  std::atomic<bool> FInTimerEvent{false};
  // The thread running OnTimer now, so the destructor knows it is called
  // from its own tick; and whether the timer still exists once it returns.
  std::atomic<uint32_t> FTickThread{0};
  std::shared_ptr<std::atomic<bool>> FAlive = std::make_shared<std::atomic<bool>>(true);
  // Swapped whole so a worker-thread tick never sees a half-assigned handler.
  std::shared_ptr<const TNotifyEvent> FOnTimer;
  std::unique_ptr<TTimerThread> FTimerThread;
  TTimer* FTimer = nullptr;  // owned as a component
};
