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
  FCurrentDuration = 0;
  while (!StopCondition() && FCurrentDuration.load() < FInterval.load()) {
    Sleep(kStepMs);
    FCurrentDuration += kStepMs;
  }
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
  } catch (const Exception&) {
    FException = std::current_exception();
    ReportTickFailure(this);
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
  if (FTimerThread) {
    FTimerThread->Terminate();
    FTimerThread->SetPaused(false);
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
  FInTimerEvent = true;
  struct TClear {
    std::atomic<bool>& Flag;
    ~TClear() { Flag = false; }
  } clear{FInTimerEvent};
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
    FTimerThread->FCurrentDuration = 0;
    FTimerThread->FInterval = FInterval;
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
