#pragma once
// Threads that may call the Win32 API (so they are made with CreateThread),
// and the hand-over of calls from them to the main (UI) thread.
//
// Synchronize queues a call for the main thread and blocks until it has
// run there; an exception thrown by the call is raised again in the calling
// thread. The main thread runs pending calls in CheckSynchronize, which the
// UI's message loop calls; WakeMainThread, when set by the UI, is called
// after a call was queued so the loop wakes up (e.g. by posting WM_NULL).
// On the main thread Synchronize and Queue run the call directly.
#include "platform/classes/Component.h"
#include "platform/rtl/Exceptions.h"
#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>

class EThread : public Exception { using Exception::Exception; };

using TThreadMethod = std::function<void()>;

extern uint32_t MainThreadID;
extern std::function<void()> WakeMainThread;

// Runs the calls queued for the main thread, waiting up to timeoutMs for the
// first. True when a call ran. A queued (not synchronized) call that raises
// lets the exception out; the calls behind it stay queued. Raises EThread
// when called from another thread.
bool CheckSynchronize(unsigned timeoutMs = 0);

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

// A thread is created suspended and runs Execute after Start (or Resume):
// a descendant's Execute must not run before its constructor has finished.
// A descendant whose Execute uses its own members calls Shutdown() first in
// its destructor, because the base destructor runs after those are gone.
class TThread : public TObject {
public:
  TThread();
  ~TThread() override;

  // Raises EThread when the thread has already been started.
  void Start();
  void Resume();

  void Terminate();
  bool Terminated() const { return FTerminated.load(); }
  // Terminates, starts a suspended thread so it can end (its Execute is
  // then skipped), and waits for it to end. Safe to call more than once.
  void Shutdown();
  // Waits until Execute has returned and returns ReturnValue. On the main
  // thread the wait keeps running synchronized calls and sent messages.
  int WaitFor();

  bool Suspended() const { return FSuspended.load(); }
  bool Finished() const { return FFinished.load(); }
  bool FreeOnTerminate() const { return FFreeOnTerminate; }
  void SetFreeOnTerminate(bool value) { FFreeOnTerminate = value; }
  TThreadPriority Priority() const { return FPriority; }
  void SetPriority(TThreadPriority value);
  uint32_t ThreadID() const { return FThreadID; }
  void* Handle() const { return FHandle; }
  int ReturnValue() const { return FReturnValue; }
  // The exception that ended Execute, if one did.
  std::exception_ptr FatalException() const { return FFatalException; }

  // Called on the main thread (synchronized) after Execute has returned.
  std::function<void(TObject* Sender)> OnTerminate;

  void Synchronize(const TThreadMethod& method) { Synchronize(this, method); }
  void Queue(const TThreadMethod& method) { Queue(this, method); }
  static void Synchronize(TThread* thread, const TThreadMethod& method);
  static void Queue(TThread* thread, const TThreadMethod& method);
  // Drops calls queued by thread that have not run yet.
  static void RemoveQueuedEvents(TThread* thread);

  // Names the thread for debuggers; ~0u is the calling thread.
  static void NameThreadForDebugging(const AnsiString& name, uint32_t threadId = ~0u);

protected:
  virtual void Execute() = 0;
  // Calls OnTerminate through Synchronize when it is set.
  virtual void DoTerminate();
  void SetReturnValue(int value) { FReturnValue = value; }

private:
  friend struct TThreadRunner;
  void WaitForHandle();

  void* FHandle = nullptr;
  uint32_t FThreadID = 0;
  std::atomic<bool> FTerminated{false};
  std::atomic<bool> FSuspended{true};
  std::atomic<bool> FFinished{false};
  bool FStarted = false;
  bool FFreeOnTerminate = false;
  TThreadPriority FPriority = tpNormal;
  int FReturnValue = 0;
  std::exception_ptr FFatalException;
};

// A recursive lock over a Win32 critical section.
class TCriticalSection : public TObject {
public:
  TCriticalSection();
  ~TCriticalSection() override;
  void Enter();
  void Leave();
  bool TryEnter();
  void Acquire() { Enter(); }
  void Release() { Leave(); }

private:
  alignas(void*) unsigned char FSection[64];
};

// Holds a critical section for the scope.
class TCriticalSectionGuard {
public:
  explicit TCriticalSectionGuard(TCriticalSection& section) : FSection(section) { FSection.Enter(); }
  ~TCriticalSectionGuard() { FSection.Leave(); }
  TCriticalSectionGuard(const TCriticalSectionGuard&) = delete;
  TCriticalSectionGuard& operator=(const TCriticalSectionGuard&) = delete;

private:
  TCriticalSection& FSection;
};
