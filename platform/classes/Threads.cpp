#include "platform/classes/Threads.h"
#include <windows.h>
#include <deque>
#include <memory>

uint32_t MainThreadID = GetCurrentThreadId();
std::function<void()> WakeMainThread;

namespace {

struct SyncRecord {
  TThread* thread = nullptr;
  TThreadMethod method;
  std::exception_ptr error;
  HANDLE done = nullptr;  // null for a queued call nobody waits for
};

// The queue of calls for the main thread. SyncEvent is set while it is not
// empty, so a main thread waiting on something else can wake for it.
struct SyncQueue {
  CRITICAL_SECTION lock;
  HANDLE event;
  std::deque<std::shared_ptr<SyncRecord>> items;

  SyncQueue() {
    InitializeCriticalSection(&lock);
    event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  }
};

SyncQueue& TheQueue() {
  static SyncQueue* queue = new SyncQueue;  // lives as long as the process
  return *queue;
}

struct Locked {
  explicit Locked(CRITICAL_SECTION& cs) : fCs(cs) { EnterCriticalSection(&fCs); }
  ~Locked() { LeaveCriticalSection(&fCs); }
  CRITICAL_SECTION& fCs;
};

void Post(const std::shared_ptr<SyncRecord>& record) {
  SyncQueue& q = TheQueue();
  {
    Locked guard(q.lock);
    q.items.push_back(record);
    SetEvent(q.event);
  }
  if (WakeMainThread) WakeMainThread();
}

bool IsMainThread() { return GetCurrentThreadId() == MainThreadID; }

}  // namespace

bool CheckSynchronize(unsigned timeoutMs) {
  if (!IsMainThread())
    throw EThread(u"CheckSynchronize called from a thread which is NOT the main thread");
  SyncQueue& q = TheQueue();
  if (timeoutMs > 0) WaitForSingleObject(q.event, timeoutMs);
  bool ran = false;
  for (;;) {
    std::shared_ptr<SyncRecord> record;
    {
      Locked guard(q.lock);
      if (q.items.empty()) {
        ResetEvent(q.event);
        break;
      }
      record = q.items.front();
      q.items.pop_front();
    }
    ran = true;
    if (record->done) {
      try {
        record->method();
      } catch (...) {
        record->error = std::current_exception();
      }
      SetEvent(record->done);
    } else {
      record->method();
    }
  }
  return ran;
}

// ---- TThread ------------------------------------------------------------------

struct TThreadRunner {
  static DWORD WINAPI Run(LPVOID parameter) {
    auto* thread = static_cast<TThread*>(parameter);
    // Started only to end (destroyed before Start): nothing of the
    // descendant may run, it may already be gone.
    if (thread->Terminated() && !thread->FStarted) return 0;
    try {
      thread->Execute();
    } catch (...) {
      thread->FFatalException = std::current_exception();
    }
    bool freeThread = thread->FFreeOnTerminate;
    int result = thread->FReturnValue;
    try {
      thread->DoTerminate();
    } catch (...) {
      // An OnTerminate failure has nowhere to go on this thread.
    }
    thread->FFinished = true;
    if (freeThread) delete thread;
    return static_cast<DWORD>(result);
  }
};

TThread::TThread() {
  DWORD id = 0;
  HANDLE h = CreateThread(nullptr, 0, &TThreadRunner::Run, this, CREATE_SUSPENDED, &id);
  if (!h) throw EThread(u"Thread creation error: " + AsciiToString(std::to_string(GetLastError())));
  FHandle = h;
  FThreadID = id;
}

TThread::~TThread() {
  if (FHandle) {
    // A thread freeing itself on termination must not wait for itself.
    if (GetCurrentThreadId() != FThreadID) Shutdown();
    CloseHandle(static_cast<HANDLE>(FHandle));
  }
  RemoveQueuedEvents(this);
}

void TThread::Start() {
  if (FStarted || FFinished) throw EThread(u"Cannot call Start on a running or suspended thread");
  Resume();
}

void TThread::Resume() {
  if (!FSuspended) return;
  FStarted = true;
  FSuspended = false;
  ResumeThread(static_cast<HANDLE>(FHandle));
}

void TThread::Terminate() { FTerminated = true; }

void TThread::Shutdown() {
  if (!FHandle || GetCurrentThreadId() == FThreadID) return;
  Terminate();
  if (FSuspended) {
    // Runs only to end: the thread routine sees it was never started.
    FSuspended = false;
    ResumeThread(static_cast<HANDLE>(FHandle));
  }
  WaitForHandle();
}

void TThread::WaitForHandle() {
  HANDLE handle = static_cast<HANDLE>(FHandle);
  if (!IsMainThread()) {
    WaitForSingleObject(handle, INFINITE);
    return;
  }
  // The thread may be blocked in Synchronize waiting for us: serve it.
  HANDLE handles[2] = {handle, TheQueue().event};
  for (;;) {
    DWORD rc = MsgWaitForMultipleObjects(2, handles, FALSE, INFINITE, QS_SENDMESSAGE);
    if (rc == WAIT_OBJECT_0) break;
    if (rc == WAIT_OBJECT_0 + 1) {
      CheckSynchronize();
    } else if (rc == WAIT_OBJECT_0 + 2) {
      MSG msg;
      PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // delivers sent messages
    } else {
      break;
    }
  }
}

int TThread::WaitFor() {
  if (GetCurrentThreadId() == FThreadID) throw EThread(u"Thread cannot wait for itself");
  WaitForHandle();
  DWORD code = 0;
  GetExitCodeThread(static_cast<HANDLE>(FHandle), &code);
  return static_cast<int>(code);
}

void TThread::SetPriority(TThreadPriority value) {
  static constexpr int kPriorities[] = {THREAD_PRIORITY_IDLE,   THREAD_PRIORITY_LOWEST,
                                        THREAD_PRIORITY_BELOW_NORMAL, THREAD_PRIORITY_NORMAL,
                                        THREAD_PRIORITY_ABOVE_NORMAL, THREAD_PRIORITY_HIGHEST,
                                        THREAD_PRIORITY_TIME_CRITICAL};
  if (value < tpIdle || value > tpTimeCritical) return;
  SetThreadPriority(static_cast<HANDLE>(FHandle), kPriorities[value]);
  FPriority = value;
}

void TThread::DoTerminate() {
  if (OnTerminate) Synchronize([this] { OnTerminate(this); });
}

void TThread::Synchronize(TThread* thread, const TThreadMethod& method) {
  if (IsMainThread()) {
    method();
    return;
  }
  auto record = std::make_shared<SyncRecord>();
  record->thread = thread;
  record->method = method;
  record->done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!record->done) throw EThread(u"Cannot create the synchronization event");
  Post(record);
  WaitForSingleObject(record->done, INFINITE);
  CloseHandle(record->done);
  if (record->error) std::rethrow_exception(record->error);
}

void TThread::Queue(TThread* thread, const TThreadMethod& method) {
  if (IsMainThread()) {
    method();
    return;
  }
  auto record = std::make_shared<SyncRecord>();
  record->thread = thread;
  record->method = method;
  Post(record);
}

void TThread::RemoveQueuedEvents(TThread* thread) {
  if (!thread) return;
  SyncQueue& q = TheQueue();
  Locked guard(q.lock);
  // Only queued calls: a synchronized call has its thread waiting for it.
  for (auto it = q.items.begin(); it != q.items.end();) {
    if ((*it)->thread == thread && !(*it)->done)
      it = q.items.erase(it);
    else
      ++it;
  }
}

void TThread::NameThreadForDebugging(const AnsiString& name, uint32_t threadId) {
  using SetDescription = HRESULT(WINAPI*)(HANDLE, PCWSTR);
  HMODULE module = GetModuleHandleW(reinterpret_cast<LPCWSTR>(u"kernelbase.dll"));
  if (!module) module = GetModuleHandleW(reinterpret_cast<LPCWSTR>(u"kernel32.dll"));
  auto set = module ? reinterpret_cast<SetDescription>(reinterpret_cast<void*>(GetProcAddress(module, "SetThreadDescription"))) : nullptr;
  if (!set) return;
  String wide = AnsiToString(name);
  if (threadId == ~0u) {
    set(GetCurrentThread(), reinterpret_cast<PCWSTR>(wide.c_str()));
    return;
  }
  HANDLE h = OpenThread(THREAD_SET_LIMITED_INFORMATION, FALSE, threadId);
  if (!h) return;
  set(h, reinterpret_cast<PCWSTR>(wide.c_str()));
  CloseHandle(h);
}

// ---- TCriticalSection ---------------------------------------------------------

static_assert(sizeof(CRITICAL_SECTION) <= 64, "critical section storage too small");

TCriticalSection::TCriticalSection() {
  InitializeCriticalSection(reinterpret_cast<CRITICAL_SECTION*>(FSection));
}

TCriticalSection::~TCriticalSection() { DeleteCriticalSection(reinterpret_cast<CRITICAL_SECTION*>(FSection)); }

void TCriticalSection::Enter() { EnterCriticalSection(reinterpret_cast<CRITICAL_SECTION*>(FSection)); }

void TCriticalSection::Leave() { LeaveCriticalSection(reinterpret_cast<CRITICAL_SECTION*>(FSection)); }

bool TCriticalSection::TryEnter() {
  return TryEnterCriticalSection(reinterpret_cast<CRITICAL_SECTION*>(FSection)) != 0;
}
