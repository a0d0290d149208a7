#pragma once
// The single window procedure of the UI library. Every window the library
// creates or takes over runs StdWndProc, which finds the object behind the
// window, hands it the message and catches whatever it throws: a C++
// exception never returns into Wine; it goes to Application->HandleException.
#include "platform/rtl/String.h"
#include "platform/ui/Messages.h"
#include <functional>

class TComponent;

// What StdWndProc hands a window's messages to.
class TWindowTarget {
public:
  virtual ~TWindowTarget() = default;
  virtual void DispatchWindowMessage(TMessage& message) = 0;
  // The window is bound to this target (at its first message).
  virtual void AttachWindow(HWND hwnd) = 0;
  // WM_NCDESTROY has been handled; the window is gone.
  virtual void WindowDestroyed(HWND hwnd) = 0;
  // The object named as the sender when a handler throws.
  virtual TComponent* ExceptionSender() { return nullptr; }
};

LRESULT CALLBACK StdWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

namespace WndDispatch {
TWindowTarget* TargetOf(HWND hwnd);
void AttachTarget(HWND hwnd, TWindowTarget* target);
void DetachTarget(HWND hwnd);
// The target of the window about to be created on this thread: its first
// message binds the new window to it.
void SetCreationTarget(TWindowTarget* target);
// Registers className with StdWndProc as its procedure; the other fields
// come from wc. Registering an existing name again does nothing.
void RegisterWindowClass(const String& className, const WNDCLASSEXW& wc);
// Puts StdWndProc in front of an existing window's procedure and binds the
// window to target; returns the procedure it replaced.
WNDPROC Subclass(HWND hwnd, TWindowTarget* target);
// Every window of a control starts with StdWndProc. Whoever puts another
// procedure in front of it, or takes it away, does so here (never with a
// bare SetWindowLongPtrW), so the library knows without asking the system
// whether its own procedure still comes first. Returns the one replaced.
WNDPROC SetWindowProcedure(HWND hwnd, WNDPROC proc);
// True when a procedure set through SetWindowProcedure stands in front of
// StdWndProc on hwnd.
bool ProcedureReplaced(HWND hwnd);
// Hands an exception caught at a window boundary to the application.
void HandleBoundaryException(TComponent* sender);
// Depth of messages being dispatched right now on this thread.
int DispatchDepth();
}  // namespace WndDispatch

// Hidden windows that hand their messages to a function (timers, the
// application's window, menus). The function answers whether it handled
// the message; others go to DefWindowProcW.
using TUtilityWndProc = std::function<bool(TMessage&)>;
// A message-only window unless topLevel, which makes a hidden top-level
// window that also receives broadcasts.
HWND AllocateHWnd(TUtilityWndProc proc, bool topLevel = false);
void DeallocateHWnd(HWND hwnd);
