#include "platform/ui/TestSeam.h"
#include "platform/ui/Forms.h"
#include "platform/ui/WndDispatch.h"
#include <deque>
#include <memory>

namespace {
using TModalAction = std::function<void(TCustomForm&)>;
using TBoxAction = std::function<int(const TMessageBoxRecord&)>;

struct TSeamState {
  std::deque<TModalAction> ModalActions;
  std::deque<TBoxAction> BoxActions;
  std::vector<TMessageBoxRecord> Log;
  std::deque<String> FileAnswers;
  HWND Window = nullptr;
};

TSeamState& State() {
  static TSeamState state;
  return state;
}

constexpr UINT kRunAction = WM_USER + 1;
constexpr UINT_PTR kWaitTimer = 1;
constexpr UINT kWaitTick = 10;               // ms
constexpr DWORD kAskForFocusAfter = 1000;    // ms
constexpr DWORD kGiveUpWaitingAfter = 2000;  // ms

struct TPendingAction {
  TModalAction Action;
  TCustomForm* Form;
  HWND Window;
  DWORD Since;
  bool AskedForFocus = false;
};

std::deque<std::unique_ptr<TPendingAction>>& Waiting() {
  static std::deque<std::unique_ptr<TPendingAction>> waiting;
  return waiting;
}

// The focus reaches a new window when the display says so, which may be
// after the modal loop has begun; keys sent before would go nowhere.
bool HasFocus(HWND window) {
  HWND focus = GetFocus();
  return focus && (focus == window || IsChild(window, focus));
}

// Runs the first waiting action once its form holds the focus. A form
// that has not got it after a second is brought to the front, as a user's
// click would; after two seconds the action runs anyway. A form gone
// meanwhile takes its action with it.
void ServeWaiting(HWND seam) {
  auto& waiting = Waiting();
  while (!waiting.empty()) {
    TPendingAction& first = *waiting.front();
    const DWORD waited = GetTickCount() - first.Since;
    if (IsWindow(first.Window) && !HasFocus(first.Window) && waited < kGiveUpWaitingAfter) {
      if (waited >= kAskForFocusAfter && !first.AskedForFocus) {
        first.AskedForFocus = true;
        SetForegroundWindow(first.Window);
      }
      SetTimer(seam, kWaitTimer, kWaitTick, nullptr);
      return;
    }
    std::unique_ptr<TPendingAction> running = std::move(waiting.front());
    waiting.pop_front();
    if (IsWindow(running->Window)) running->Action(*running->Form);
  }
  KillTimer(seam, kWaitTimer);
}

// The queued action runs from the modal loop itself, like a user's input.
HWND SeamWindow() {
  TSeamState& s = State();
  if (!s.Window) {
    s.Window = AllocateHWnd([](TMessage& m) {
      if (m.Msg == kRunAction) {
        Waiting().emplace_back(reinterpret_cast<TPendingAction*>(m.LParam));
      } else if (m.Msg != WM_TIMER || m.WParam != kWaitTimer) {
        return false;
      }
      ServeWaiting(State().Window);
      return true;
    });
  }
  return s.Window;
}
}  // namespace

namespace UiTestSeam {
void QueueModalAction(std::function<void(TCustomForm& form)> action) {
  State().ModalActions.push_back(std::move(action));
}

void QueueMessageBoxAnswer(int answer) {
  State().BoxActions.push_back([answer](const TMessageBoxRecord&) { return answer; });
}

void QueueMessageBoxAction(std::function<int(const TMessageBoxRecord& box)> action) {
  State().BoxActions.push_back(std::move(action));
}

void QueueFileDialogAnswer(const String& fileName) { State().FileAnswers.push_back(fileName); }

bool TakeFileDialogAnswer(String& fileName) {
  TSeamState& s = State();
  if (s.FileAnswers.empty()) return false;
  fileName = s.FileAnswers.front();
  s.FileAnswers.pop_front();
  return true;
}

int PendingModalActions() { return static_cast<int>(State().ModalActions.size()); }
int PendingMessageBoxAnswers() { return static_cast<int>(State().BoxActions.size()); }
const std::vector<TMessageBoxRecord>& MessageBoxLog() { return State().Log; }
void ClearLog() { State().Log.clear(); }

void Reset() {
  TSeamState& s = State();
  s.ModalActions.clear();
  s.BoxActions.clear();
  s.FileAnswers.clear();
  s.Log.clear();
  Waiting().clear();
  if (s.Window) KillTimer(s.Window, kWaitTimer);
}

void ModalLoopStarting(TCustomForm& form) {
  TSeamState& s = State();
  if (s.ModalActions.empty()) return;
  auto pending = std::make_unique<TPendingAction>(
      TPendingAction{std::move(s.ModalActions.front()), &form, form.Handle(), GetTickCount()});
  s.ModalActions.pop_front();
  PostMessageW(SeamWindow(), kRunAction, 0, reinterpret_cast<LPARAM>(pending.release()));
}

bool TakeMessageBoxAnswer(const TMessageBoxRecord& box, int& answer) {
  TSeamState& s = State();
  if (s.BoxActions.empty()) return false;
  TBoxAction action = std::move(s.BoxActions.front());
  s.BoxActions.pop_front();
  answer = action(box);
  return true;
}

void LogMessageBox(const TMessageBoxRecord& box) { State().Log.push_back(box); }
}  // namespace UiTestSeam
