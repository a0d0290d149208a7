#include "skin/engine/AnimTimer.h"
#include "skin/engine/CommonData.h"
#include "skin/graphics/Bitmaps32.h"
#include "platform/ui/Forms.h"
#include <algorithm>
#include <cmath>

namespace {
bool ApplicationTerminating() {
  TApplication* app = TApplicationRef::Peek();
  return app && app->Terminated();
}

// Nearest, ties to even, as the processor rounds by default.
int RoundEven(double v) { return static_cast<int>(std::nearbyint(v)); }
}  // namespace

TacThreadedTimer::TacThreadedTimer(TComponent* AOwner) : TComponent(AOwner) {
  if (ApplicationTerminating()) return;  // built disabled: no ticks while the application ends
  FEnabled = true;
  FInterval = 1000;
  StartInnerTimer();
}

TacThreadedTimer::~TacThreadedTimer() {
  if (auto* data = dynamic_cast<TsCommonData*>(AnimData)) data->AnimTimer = nullptr;
  if (Destroyed) return;
  Destroyed = true;
  StopInnerTimer();
  BmpFrom.reset();
  BmpTo.reset();
  BmpOut.reset();
}

void TacThreadedTimer::StartInnerTimer() {
  // Not an owned component: this timer frees it itself, before anything else.
  FTimerThread = std::make_unique<TTimer>(nullptr);
  FTimerThread->SetInterval(FInterval);
  FTimerThread->OnTimer = [this](TObject* Sender) { InnerTimerEvent(Sender); };
}

void TacThreadedTimer::StopInnerTimer() {
  if (!FTimerThread) return;
  FTimerThread->SetEnabled(false);
  FTimerThread.reset();
}

void TacThreadedTimer::UpdateInnerTimer() {
  if (!FTimerThread) return;
  FTimerThread->SetEnabled(false);
  if (FInterval != 0 && FEnabled && (FOnTimer || AnimProc)) FTimerThread->SetEnabled(true);
}

void TacThreadedTimer::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  UpdateInnerTimer();
}

void TacThreadedTimer::SetInterval(unsigned Value) {
  if (FInterval == Value) return;
  FInterval = Value;
  if (!FTimerThread) return;
  FTimerThread->SetInterval(Value);
  UpdateInnerTimer();
}

void TacThreadedTimer::SetOnTimer(TNotifyEvent Value) {
  FOnTimer = std::move(Value);
  UpdateInnerTimer();
}

void TacThreadedTimer::SetThreadPriority(TThreadPriority Value) {
  if (FThreadPriority == Value) return;
  FThreadPriority = Value;
  UpdateInnerTimer();
}

void TacThreadedTimer::Reset() {
  StopInnerTimer();
  StartInnerTimer();
  UpdateInnerTimer();
}

void TacThreadedTimer::InnerTimerEvent(TObject* Sender) {
  auto* inner = static_cast<TTimer*>(Sender);
  if (!inner->Enabled() || Executing) return;  // a handler that pumps messages gets no nested tick
  Executing = true;
  DoTick();
  Executing = false;
}

void TacThreadedTimer::DoTick() {
  if (AnimProc) {
    ++Iteration;
    if (Iteration > Iterations)
      SetEnabled(false);
    else
      AnimProc(AnimData, Iteration);
  } else {
    FireEvent(FOnTimer, this);
  }
}

void TacThreadedTimer::TimeHandler() {
  if (!FEnabled || !AnimProc) return;
  if (!AnimProc(AnimData, Iteration)) {
    SetEnabled(false);
    FState = -1;
  }
}

void TacThreadedTimer::CopyFrom(std::unique_ptr<TBitmap>& DstBmp, TBitmap& SrcBmp, const TRect& R) {
  const int w = R.Right - R.Left, h = R.Bottom - R.Top;
  if (!DstBmp)
    DstBmp = NewBmp32(w, h);
  else
    DstBmp->SetSize(w, h);
  BitBlt(DstBmp->Canvas()->Handle(), 0, 0, DstBmp->Width(), DstBmp->Height(), SrcBmp.Canvas()->Handle(), R.Left,
         R.Top, SRCCOPY);
}

void TacThreadedTimer::InitData(TObject* AData, int AIteration, TacAnimProc AAnimProc, int AState, bool AFast) {
  SetEnabled(false);
  AnimData = AData;
  Value = 0;
  Glow = std::clamp(Glow, 0.0, 255.0);
  Iterations = AFast ? 5 : 10;
  switch (AState) {
    case 0:
      Iterations *= 2;
      GlowStep = Glow / Iterations;
      break;
    case 2:
      GlowStep = Glow / Iterations;
      break;
    default:
      Iterations = FState > 0 ? 10 : RoundEven((255 - Glow) * 10 / 255);
      Iterations = std::max(Iterations, 1);
      GlowStep = (255 - Glow) / Iterations;
      break;
  }
  if ((AState == 2 || (AState == 1 && FState == 2)) && BmpOut)
    CopyFrom(BmpFrom, *BmpOut, TRect(0, 0, BmpOut->Width(), BmpOut->Height()));
  if (AState == 1 && FState <= 0)
    Iteration = RoundEven(10 * Glow / 255);
  else if (AState == 0 && FState == 1)
    Iteration = Glow == 0 ? 0 : RoundEven(Iterations * (255 - Glow) / 255);
  else
    Iteration = BmpOut ? 0 : AIteration;
  SetInterval(10);
  AnimProc = AAnimProc;
  OldState = FState;
  FState = AState;
  SetEnabled(true);
}

int PrepareAnimTimer(TacThreadedTimer*& Timer, TComponent* AOwner, int AState) {
  if (!Timer) {
    Timer = new TacThreadedTimer(AOwner);
    if (AState == 0) Timer->Glow = 255;
    return 0;
  }
  const int left = (Timer->State() == 0 ? 20 : 10) - Timer->Iteration;
  return std::max(left, 0);
}
