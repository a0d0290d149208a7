#include "platform/ui/WndDispatch.h"
#include "platform/rtl/Exceptions.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"
#include <map>
#include <memory>
#include <set>
#include <unordered_map>

// Plain statics, not thread_local: thread-local storage does not work in a
// Winelib module (it overflows the stack); the UI runs on one thread.
namespace {
// The target of each window, kept here and in the window's GWLP_USERDATA: a
// lookup needs both to agree, so neither an entry left by a window that died
// unseen nor a value another party keeps there passes for a target. (A window
// property would serve alone, but every read of one is a round trip to the
// window server, and every message starts with this lookup.) Never freed:
// the last windows die, and look here, while statics are destroyed.
std::unordered_map<HWND, TWindowTarget*>& Targets() {
  static auto* targets = new std::unordered_map<HWND, TWindowTarget*>();
  return *targets;
}

TWindowTarget* gCreationTarget = nullptr;
int gDepth = 0;

// Windows whose procedure is not StdWndProc because someone replaced it.
// Never freed: the last windows die while statics are destroyed.
std::set<HWND>& ReplacedProcedures() {
  static auto* windows = new std::set<HWND>();
  return *windows;
}

std::set<String>& RegisteredClasses() {
  static std::set<String> classes;
  return classes;
}

class TUtilityWindow : public TWindowTarget {
public:
  explicit TUtilityWindow(TUtilityWndProc proc) : FProc(std::move(proc)) {}
  void DispatchWindowMessage(TMessage& m) override {
    bool handled = false;
    if (FProc) {
      TUtilityWndProc proc = FProc;
      handled = proc(m);
    }
    if (!handled) m.Result = DefWindowProcW(FHandle, m.Msg, m.WParam, m.LParam);
  }
  void AttachWindow(HWND hwnd) override { FHandle = hwnd; }
  void WindowDestroyed(HWND) override { FHandle = nullptr; }
  HWND FHandle = nullptr;
  TUtilityWndProc FProc;
};

std::map<HWND, std::unique_ptr<TUtilityWindow>>& UtilityWindows() {
  static std::map<HWND, std::unique_ptr<TUtilityWindow>> windows;
  return windows;
}

const char16_t* const kUtilityClass = u"BrqUtilWindow";

void EnsureUtilityClass() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.hInstance = GetModuleHandleW(nullptr);
  WndDispatch::RegisterWindowClass(kUtilityClass, wc);
}
}  // namespace

LRESULT CALLBACK StdWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWindowTarget* target = WndDispatch::TargetOf(hwnd);
  if (!target && gCreationTarget) {
    target = gCreationTarget;
    gCreationTarget = nullptr;
    WndDispatch::AttachTarget(hwnd, target);
    try {
      target->AttachWindow(hwnd);
    } catch (...) {
      WndDispatch::HandleBoundaryException(target->ExceptionSender());
    }
  }
  if (!target) return DefWindowProcW(hwnd, msg, wParam, lParam);

  TMessage m{msg, wParam, lParam, 0};
  ++gDepth;
  try {
    target->DispatchWindowMessage(m);
  } catch (...) {
    WndDispatch::HandleBoundaryException(target->ExceptionSender());
  }
  --gDepth;
  TControlCanvas::FreeDeviceContexts();
  if (msg == WM_NCDESTROY) {
    Targets().erase(hwnd);
    ReplacedProcedures().erase(hwnd);
    try {
      target->WindowDestroyed(hwnd);
    } catch (...) {
      WndDispatch::HandleBoundaryException(nullptr);
    }
  }
  return m.Result;
}

namespace WndDispatch {
TWindowTarget* TargetOf(HWND hwnd) {
  if (!hwnd) return nullptr;
  const auto& targets = Targets();
  const auto found = targets.find(hwnd);
  if (found == targets.end()) return nullptr;
  // A window of another program (under the mouse, say) that took over a
  // handle value of one of ours keeps that program's data.
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != GetCurrentProcessId()) return nullptr;
  if (GetWindowLongPtrW(hwnd, GWLP_USERDATA) != reinterpret_cast<LONG_PTR>(found->second)) return nullptr;
  return found->second;
}

void AttachTarget(HWND hwnd, TWindowTarget* target) {
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(target));
  Targets()[hwnd] = target;
}

void DetachTarget(HWND hwnd) {
  if (Targets().erase(hwnd)) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
}

void SetCreationTarget(TWindowTarget* target) { gCreationTarget = target; }

void RegisterWindowClass(const String& className, const WNDCLASSEXW& wc) {
  if (RegisteredClasses().count(className)) return;
  WNDCLASSEXW reg = wc;
  reg.cbSize = sizeof(reg);
  reg.lpfnWndProc = StdWndProc;
  reg.lpszClassName = reinterpret_cast<LPCWSTR>(className.c_str());
  reg.lpszMenuName = nullptr;
  if (!reg.hInstance) reg.hInstance = GetModuleHandleW(nullptr);
  if (!RegisterClassExW(&reg) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw EOutOfResources(u"Cannot register window class " + className);
  RegisteredClasses().insert(className);
}

WNDPROC Subclass(HWND hwnd, TWindowTarget* target) {
  AttachTarget(hwnd, target);
  target->AttachWindow(hwnd);
  return reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StdWndProc)));
}

WNDPROC SetWindowProcedure(HWND hwnd, WNDPROC proc) {
  const auto previous =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
  if (proc == StdWndProc)
    ReplacedProcedures().erase(hwnd);
  else if (previous)
    ReplacedProcedures().insert(hwnd);
  return previous;
}

bool ProcedureReplaced(HWND hwnd) {
  const auto& windows = ReplacedProcedures();
  return !windows.empty() && windows.count(hwnd) != 0;
}

void HandleBoundaryException(TComponent* sender) {
  // Nothing may escape here: this runs inside a window procedure.
  try {
    Application->HandleException(sender);
  } catch (...) {
  }
}

int DispatchDepth() { return gDepth; }
}  // namespace WndDispatch

HWND AllocateHWnd(TUtilityWndProc proc, bool topLevel) {
  EnsureUtilityClass();
  auto window = std::make_unique<TUtilityWindow>(std::move(proc));
  WndDispatch::SetCreationTarget(window.get());
  HWND hwnd = CreateWindowExW(topLevel ? WS_EX_TOOLWINDOW : 0, reinterpret_cast<LPCWSTR>(kUtilityClass),
                              reinterpret_cast<LPCWSTR>(u""), topLevel ? WS_POPUP : 0, 0, 0, 0, 0,
                              topLevel ? nullptr : HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr);
  WndDispatch::SetCreationTarget(nullptr);
  if (!hwnd) throw EOutOfResources(u"Cannot create a utility window");
  UtilityWindows()[hwnd] = std::move(window);
  return hwnd;
}

void DeallocateHWnd(HWND hwnd) {
  auto& windows = UtilityWindows();
  auto it = windows.find(hwnd);
  if (it == windows.end()) return;
  // Messages arriving while the window dies still find their target.
  DestroyWindow(hwnd);
  windows.erase(it);
}
