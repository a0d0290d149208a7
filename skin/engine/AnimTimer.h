#pragma once
// The library's animation timer. It starts no thread: it owns one UI timer
// whose ticks arrive as window messages, and turns them into a plain OnTimer
// event or, once InitData gave it a frame procedure, into numbered frames.
#include "platform/classes/Threads.h"
#include "platform/ui/ExtCtrls.h"
#include <memory>

// A frame procedure; True while it wants more frames.
using TacAnimProc = bool (*)(TObject* Data, int Iteration);

class TacThreadedTimer : public TComponent {
public:
  explicit TacThreadedTimer(TComponent* AOwner);
  ~TacThreadedTimer() override;
  // A timer of class T built disabled; when ChangeEvent, its ticks go to
  // the virtual TimeHandler. Owned by AOwner, or by the caller without one.
  template <class T>
  static T* CreateOwned(TComponent* AOwner, bool ChangeEvent) {
    T* timer = new T(AOwner);
    timer->SetEnabled(false);
    timer->FOwner = AOwner;
    if (ChangeEvent) timer->SetOnTimer([timer](TObject*) { timer->TimeHandler(); });
    return timer;
  }

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  unsigned Interval() const { return FInterval; }
  void SetInterval(unsigned Value);
  const TNotifyEvent& OnTimer() const { return FOnTimer; }
  void SetOnTimer(TNotifyEvent Value);
  TThreadPriority ThreadPriority() const { return FThreadPriority; }
  void SetThreadPriority(TThreadPriority Value);
  int State() const { return FState; }
  void SetState(int Value) { FState = Value; }

  void Reset();
  void InitData(TObject* AData, int AIteration, TacAnimProc AAnimProc, int AState, bool AFast);
  // One frame now, without advancing Iteration; stops when the procedure
  // wants no more.
  virtual void TimeHandler();
  // R of SrcBmp to the origin of DstBmp, which is made or resized to R.
  static void CopyFrom(std::unique_ptr<TBitmap>& DstBmp, TBitmap& SrcBmp, const TRect& R);
  bool HasInnerTimer() const { return FTimerThread != nullptr; }

  double Glow = 0, GlowStep = 0, Value = 0, ValueStep = 0;
  int IntState = -1, OldState = -1;
  int Iteration = 0;
  int Iterations = 10;
  int ThreadType = 0;  // 1: a hover-glow-only fade
  std::unique_ptr<TBitmap> BmpTo, BmpOut, BmpFrom;
  TRect AnimRect;
  TObject* AnimData = nullptr;  // not owned
  bool Destroyed = false;
  TControl* AnimControl = nullptr;
  TacAnimProc AnimProc = nullptr;

protected:
  bool InHandler = false;
  bool Executing = false;
  TComponent* FOwner = nullptr;

private:
  void StartInnerTimer();
  void StopInnerTimer();
  void UpdateInnerTimer();
  void InnerTimerEvent(TObject* Sender);
  void DoTick();

  bool FEnabled = false;
  unsigned FInterval = 0;
  TNotifyEvent FOnTimer;
  std::unique_ptr<TTimer> FTimerThread;
  TThreadPriority FThreadPriority = tpNormal;
  int FState = -1;
};

// Makes Timer when it is nil (a fade-out starts from full glow) and answers
// 0; else the frames its animation still has to run, never below 0.
int PrepareAnimTimer(TacThreadedTimer*& Timer, TComponent* AOwner, int AState);
