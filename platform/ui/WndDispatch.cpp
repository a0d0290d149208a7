#include "platform/ui/WndDispatch.h"
#include "platform/rtl/Exceptions.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"
#include <map>
#include <memory>
#include <set>

// Plain statics, not thread_local: thread-local storage does not work in a
// Winelib module (it overflows the stack); the UI runs on one thread.
namespace {
// The window property that points at the target; a property rather than
// GWLP_USERDATA, which belongs to whoever owns the window class.
const char16_t* const kTargetProp = u"BrqWindowTarget";

TWindowTarget* gCreationTarget = nullptr;
int gDepth = 0;

// Windows whose procedure is not StdWndProc because someone replaced it.
std::set<HWND>& ReplacedProcedures() {
  static std::set<HWND> windows;
  return windows;
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
    RemovePropW(hwnd, reinterpret_cast<LPCWSTR>(kTargetProp));
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
  // A window of another program (under the mouse, say) carries a pointer
  // of that program's memory, if any.
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != GetCurrentProcessId()) return nullptr;
  return static_cast<TWindowTarget*>(GetPropW(hwnd, reinterpret_cast<LPCWSTR>(kTargetProp)));
}

void AttachTarget(HWND hwnd, TWindowTarget* target) {
  SetPropW(hwnd, reinterpret_cast<LPCWSTR>(kTargetProp), target);
}

void DetachTarget(HWND hwnd) { RemovePropW(hwnd, reinterpret_cast<LPCWSTR>(kTargetProp)); }

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
