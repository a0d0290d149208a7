#include "controls/RxTimer.h"

#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"

#include <windows.h>

// ---- TCustomThread -------------------------------------------------------

void TCustomThread::Execute() {
  if (OnExecute) OnExecute(this);
}

void TCustomThread::DoSetThreadName(const AnsiString& value) { FThreadName = value.substr(0, 255); }

// ---- TTimerThread --------------------------------------------------------

namespace {

constexpr uint32_t kStepMs = 10;

// Reports the failure being handled; EAbort stays silent. Only an existing
// application is used: a worker thread must not create it.
void ReportTickFailure(TObject* sender) {
  if (TApplication* application = TApplicationRef::Peek()) application->HandleException(sender);
}

}  // namespace

TTimerThread::TTimerThread(TRxTimer* timer, bool enabled)
    : FOwner(timer), FPauseSection(std::make_unique<TCriticalSection>()) {
  SetFreeOnTerminate(false);
  SetThreadName("TTimerThread: " + StringToAnsi(timer ? timer->Name() : String()));
  if (enabled) Start();
}

TTimerThread::~TTimerThread() {
  // The worker reads the pause flag through the section until its last
  // pass: end it before the section goes.
  Shutdown();
}

std::exception_ptr TTimerThread::LastException() const {
  TCriticalSectionGuard guard(*FPauseSection);
  return FException;
}

void TTimerThread::Restart(uint32_t interval) {
  TCriticalSectionGuard guard(*FPauseSection);
  FCurrentDuration = 0;
  FInterval = interval;
}

bool TTimerThread::Paused() const {
  TCriticalSectionGuard guard(*FPauseSection);
  return FPaused;
}

void TTimerThread::SetPaused(bool value) {
  if (value == FPaused) return;  // only the UI thread writes it
  {
    TCriticalSectionGuard guard(*FPauseSection);
    FPaused = value;
  }
  if (!value && Suspended()) Resume();
}

bool TTimerThread::StopCondition() const {
  if (Terminated() || !FOwner) return true;
  TApplication* application = TApplicationRef::Peek();
  return application && application->Terminated();
}

void TTimerThread::Wait() {
  {
    TCriticalSectionGuard guard(*FPauseSection);
    FCurrentDuration = 0;
  }
  for (;;) {
    if (StopCondition()) return;
    {
      TCriticalSectionGuard guard(*FPauseSection);
      if (FCurrentDuration >= FInterval) return;
    }
    Sleep(kStepMs);
    TCriticalSectionGuard guard(*FPauseSection);
    FCurrentDuration += kStepMs;
  }
}

void TTimerThread::ReportFailure(std::exception_ptr failure) {
  {
    TCriticalSectionGuard guard(*FPauseSection);
    FException = failure;
  }
  // Reported on the main thread, where message boxes belong; a report still
  // queued when the worker is freed is dropped with it.
  Queue([this, failure] {
    try {
      std::rethrow_exception(failure);
    } catch (...) {
      ReportTickFailure(this);
    }
  });
}

void TTimerThread::Tick() {
  if (FOwner->SyncEvent()) {
    // A failing handler must not end the worker: the failure is reported on
    // the UI thread and the clock keeps ticking.
    Synchronize([this] {
      try {
        FOwner->DoTimer();
      } catch (...) {
        Application->HandleException(this);
      }
    });
    return;
  }
  try {
    FOwner->DoTimer();
  } catch (const EAbort&) {
    TCriticalSectionGuard guard(*FPauseSection);
    FException = std::current_exception();
  } catch (...) {
    // Whatever the handler raised, the worker goes on with its next pass.
    ReportFailure(std::current_exception());
  }
}

void TTimerThread::Execute() {
  NameThreadForDebugging(ThreadName());
  while (!Terminated()) {
    const TRxTimerEventTime eventTime = FOwner->EventTime();
    if (eventTime == TRxTimerEventTime::tetPost) Wait();
    if (!StopCondition() && FOwner->Enabled()) Tick();
    if (eventTime == TRxTimerEventTime::tetPre) Wait();
    while (!Terminated() && Paused()) SleepEx(kStepMs, TRUE);
  }
}

// ---- TRxTimer ------------------------------------------------------------

TRxTimer::TRxTimer(TComponent* AOwner) : TComponent(AOwner) {}

TRxTimer::~TRxTimer() {
  BeginDestroy();
  FDestroying = true;
  // A tick already waiting for the UI thread finds the timer off and does
  // nothing while the worker is waited for below.
  FEnabled = false;
  std::atomic_store(&FOnTimer, std::shared_ptr<const TNotifyEvent>());
  // Freed from its own tick, the worker is the one waiting for this very
  // call: waiting for it here would never end. It ends right after the
  // tick returns, without looking at this timer again, and frees itself.
  const bool fromOwnTick = FInTimerEvent.load() && FTickThread.load() == GetCurrentThreadId();
  *FAlive = false;
  if (FTimerThread) {
    TTimerThread* worker = fromOwnTick ? FTimerThread.release() : FTimerThread.get();
    if (fromOwnTick) worker->SetFreeOnTerminate(true);
    worker->Terminate();
    worker->SetPaused(false);
    FTimerThread.reset();
  }
  StopPlatformTimer();
}

void TRxTimer::SetEnabled(bool value) {
  if (value == FEnabled.load()) return;
  FEnabled = value;
  UpdateTimer();
}

void TRxTimer::SetInterval(uint32_t value) {
  if (value == FInterval) return;
  FInterval = value;
  UpdateTimer();
}

void TRxTimer::SetThreaded(bool value) {
  if (value == FThreaded) return;
  if (FInTimerEvent.load()) throw Exception(u"Cannot create thread...");
  FThreaded = value;
  UpdateTimer();
}

void TRxTimer::SetThreadPriority(TThreadPriority value) {
  if (value == FThreadPriority) return;
  FThreadPriority = value;
  if (FThreaded) UpdateTimer();
}

TNotifyEvent TRxTimer::OnTimer() const {
  auto handler = std::atomic_load(&FOnTimer);
  return handler ? *handler : TNotifyEvent();
}

void TRxTimer::SetOnTimer(TNotifyEvent value) {
  const bool wasAssigned = std::atomic_load(&FOnTimer) != nullptr;
  const bool assigned = static_cast<bool>(value);
  std::atomic_store(&FOnTimer, assigned ? std::make_shared<const TNotifyEvent>(std::move(value))
                                        : std::shared_ptr<const TNotifyEvent>());
  if (wasAssigned != assigned) UpdateTimer();
}

void TRxTimer::Synchronize(const TThreadMethod& method) {
  if (FTimerThread && !FTimerThread->Suspended() && !FTimerThread->Terminated())
    FTimerThread->Synchronize(method);
  else
    method();
}

void TRxTimer::DoTimer() {
  if (!FEnabled.load() || FDestroying.load()) return;
  auto handler = std::atomic_load(&FOnTimer);
  if (!handler) return;
  const std::shared_ptr<std::atomic<bool>> alive = FAlive;
  FTickThread = GetCurrentThreadId();
  FInTimerEvent = true;
  struct TClear {
    TRxTimer& Timer;
    const std::atomic<bool>& Alive;
    ~TClear() {
      if (!Alive.load()) return;  // the handler freed the timer
      Timer.FInTimerEvent = false;
      Timer.FTickThread = 0;
    }
  } clear{*this, *alive};
  (*handler)(this);
}

void TRxTimer::StopWorker() {
  if (!FTimerThread) return;
  FTimerThread->Terminate();
  // Freeing waits for the worker; the wait serves synchronized ticks.
  std::unique_ptr<TTimerThread> worker = std::move(FTimerThread);
  worker.reset();
}

void TRxTimer::StopPlatformTimer() {
  if (!FTimer) return;
  TTimer* timer = FTimer;
  FTimer = nullptr;
  timer->SetEnabled(false);
  delete timer;
}

void TRxTimer::UpdateTimer() {
  if (FInterval == 0 || !FEnabled.load() || !std::atomic_load(&FOnTimer)) {
    // Inside the handler the running timer keeps going; DoTimer drops its
    // ticks while the timer is off.
    if (FInTimerEvent.load()) return;
    StopWorker();
    StopPlatformTimer();
    return;
  }
  if (FThreaded) {
    StopPlatformTimer();
    if (!FTimerThread) FTimerThread = std::make_unique<TTimerThread>(this, false);
    FTimerThread->SetPaused(true);
    FTimerThread->Restart(FInterval);
    FTimerThread->SetPriority(FThreadPriority);
    FTimerThread->SetPaused(false);
    return;
  }
  StopWorker();
  if (!FTimer) FTimer = new TTimer(this);
  FTimer->SetInterval(FInterval);
  FTimer->OnTimer = [this](TObject*) { DoTimer(); };
  FTimer->SetEnabled(true);
}
