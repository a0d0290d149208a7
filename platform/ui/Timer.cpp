#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
  FWindow = AllocateHWnd([this](TMessage& m) {
    if (m.Msg != WM_TIMER) return false;
    Timer();
    return true;
  });
  UpdateTimer();
}

TTimer::~TTimer() {
  FEnabled = false;
  KillTimer(FWindow, 1);
  DeallocateHWnd(FWindow);
}

void TTimer::UpdateTimer() {
  KillTimer(FWindow, 1);
  if (FEnabled && FInterval > 0 && !SetTimer(FWindow, 1, FInterval, nullptr))
    throw EOutOfResources(u"Not enough timers available");
}

void TTimer::SetEnabled(bool value) {
  if (FEnabled == value) return;
  FEnabled = value;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned value) {
  if (FInterval == value) return;
  FInterval = value;
  UpdateTimer();
}

void TTimer::Timer() {
  if (FEnabled) FireEvent(OnTimer, this);
}
