// Window-procedure hooks of windowed controls.
#include "controls/RxHook.h"
#include "platform/ui/Forms.h"
#include "platform/ui/WndDispatch.h"
#include <algorithm>
#include <map>

namespace {
std::unique_ptr<THookList>& HookListHolder() {
  static std::unique_ptr<THookList> list;
  return list;
}

// Which control hook serves a window, and the procedure it replaced there.
// An entry outlives its hook while a procedure installed after ours still
// calls ours; the messages then pass straight through.
struct THookedWindow {
  TControlHook* Hook = nullptr;
  WNDPROC Prev = nullptr;
};
std::map<HWND, THookedWindow>& HookedWindows() {
  static std::map<HWND, THookedWindow> windows;
  return windows;
}

uint64_t gNextHookId = 1;

void PostToHookList(UINT msg, const TControlHook* hook) {
  if (THookList* list = HookListPeek()) PostMessageW(list->Handle(), msg, 0, static_cast<LPARAM>(hook->Id()));
}
}  // namespace

THookList* HookListInstance() {
  auto& holder = HookListHolder();
  if (!holder) holder = std::make_unique<THookList>();
  return holder.get();
}

THookList* HookListPeek() { return HookListHolder().get(); }

// ---------------------------------------------------------------- TRxWindowHook

TRxWindowHook::TRxWindowHook(TComponent* AOwner) : TComponent(AOwner) {}

TRxWindowHook::~TRxWindowHook() {
  BeginDestroy();
  FActive = false;
  SetWinControl(nullptr);
}

TWinControl* TRxWindowHook::WinControl() const { return FControlHook ? FControlHook->WinControl() : FControl; }

HWND TRxWindowHook::HookWindow() {
  THookList* list = HookListPeek();
  return list ? list->Handle() : reinterpret_cast<HWND>(static_cast<intptr_t>(-1));
}

void TRxWindowHook::SetActive(bool value) {
  if (value == FActive) return;
  if (value) HookControl();
  else UnhookControl();
}

void TRxWindowHook::SetWinControl(TWinControl* value) {
  if (value == WinControl()) return;
  const bool saveActive = FActive;
  TControlHook* oldHook = FControlHook;
  UnhookControl();
  if (FControl && FControl != value) RemoveFreeNotification(FControl);
  FControl = value;
  if (value) FreeNotification(value);
  if (oldHook && oldHook->HookCount() == 0) PostToHookList(CM_DESTROYHOOK, oldHook);
  if (saveActive) HookControl();
  else FActive = false;
}

void TRxWindowHook::HookControl() {
  if (FControl && !IsDestroying()) HookListInstance()->GetControlHook(FControl)->AddHook(this);
  FActive = true;
}

void TRxWindowHook::UnhookControl() {
  if (FControlHook) FControlHook->RemoveHook(this);
  FActive = false;
}

void TRxWindowHook::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FControl || AComponent == Owner() || !Owner()) {
    // The control is half gone: its window (and with it the hook's) is
    // already destroyed, so nothing may touch it again.
    if (AComponent == FControl) FControl = nullptr;
    const bool saveActive = FActive;
    TControlHook* oldHook = FControlHook;
    if (oldHook) oldHook->RemoveHook(this);
    if (oldHook && oldHook->HookCount() == 0) PostToHookList(CM_DESTROYHOOK, oldHook);
    FControl = nullptr;
    FActive = saveActive;
  }
}

void TRxWindowHook::FireBeforeMessage(TMessage& Msg, bool& Handled) {
  if (BeforeMessage) BeforeMessage(this, Msg, Handled);
}

void TRxWindowHook::FireAfterMessage(TMessage& Msg, bool& Handled) {
  if (AfterMessage) AfterMessage(this, Msg, Handled);
}

// ---------------------------------------------------------------- TControlHook

TControlHook::TControlHook() : FId(gNextHookId++) {}

TControlHook::~TControlHook() {
  FDestroying = true;
  if (THookList* list = HookListPeek()) list->Remove(this);
  while (!FList.empty()) RemoveHook(FList.back());
  UnhookControl();
  FControl = nullptr;
}

void TControlHook::AddHook(TRxWindowHook* AHook) {
  if (std::find(FList.begin(), FList.end(), AHook) == FList.end()) {
    FList.push_back(AHook);
    AHook->FControlHook = this;
    SetWinControl(AHook->FControl);
  }
  HookControl();
}

void TControlHook::RemoveHook(TRxWindowHook* AHook) {
  AHook->FControlHook = nullptr;
  FList.erase(std::remove(FList.begin(), FList.end(), AHook), FList.end());
  if (FList.empty()) UnhookControl();
}

void TControlHook::SetWinControl(TWinControl* value) {
  if (value == FControl) return;
  UnhookControl();
  FControl = value;
  if (!FList.empty()) HookControl();
}

void TControlHook::HookControl(bool createWindow) {
  if (!FControl || FDestroying || FControl->IsDestroying() || (FControl->ComponentState() & csDesigning)) return;
  if (!createWindow && !FControl->HandleAllocated()) return;
  HWND hwnd = FControl->Handle();
  auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
  if (current == &TControlHook::HookedWndProc && FHookedWindow == hwnd) return;
  FPrevWndProc = current;
  FHookedWindow = hwnd;
  HookedWindows()[hwnd] = {this, current};
  WndDispatch::SetWindowProcedure(hwnd, &TControlHook::HookedWndProc);
}

void TControlHook::UnhookControl() {
  if (FHookedWindow && FPrevWndProc && IsWindow(FHookedWindow) &&
      reinterpret_cast<WNDPROC>(GetWindowLongPtrW(FHookedWindow, GWLP_WNDPROC)) == &TControlHook::HookedWndProc)
    WndDispatch::SetWindowProcedure(FHookedWindow, FPrevWndProc);
  if (FHookedWindow) {
    auto& windows = HookedWindows();
    auto it = windows.find(FHookedWindow);
    if (it != windows.end() && it->second.Hook == this) {
      const bool stillCalled =
          IsWindow(FHookedWindow) &&
          reinterpret_cast<WNDPROC>(GetWindowLongPtrW(FHookedWindow, GWLP_WNDPROC)) != FPrevWndProc;
      if (stillCalled) it->second.Hook = nullptr;
      else windows.erase(it);
    }
  }
  FPrevWndProc = nullptr;
  FHookedWindow = nullptr;
}

LRESULT CALLBACK TControlHook::HookedWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto& windows = HookedWindows();
  auto it = windows.find(hwnd);
  if (it == windows.end()) return DefWindowProcW(hwnd, msg, wParam, lParam);
  TControlHook* hook = it->second.Hook;
  if (!hook || hook->FHookedWindow != hwnd) {
    WNDPROC prev = it->second.Prev;
    if (msg == WM_NCDESTROY) windows.erase(it);
    return prev ? CallWindowProcW(prev, hwnd, msg, wParam, lParam) : DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  TMessage m{msg, wParam, lParam, 0};
  hook->HookedMessage(hwnd, m);
  return m.Result;
}

void TControlHook::HookedMessage(HWND hwnd, TMessage& Msg) {
  bool handled = false;
  WNDPROC prev = FPrevWndProc;
  if (!FControl) {
    Msg.Result = CallWindowProcW(prev, hwnd, Msg.Msg, Msg.WParam, Msg.LParam);
    return;
  }
  if (Msg.Msg != WM_QUIT) RunHookChain(TChain::Before, Msg, handled);
  if (!handled || Msg.Msg == WM_DESTROY) {
    Msg.Result = prev ? CallWindowProcW(prev, hwnd, Msg.Msg, Msg.WParam, Msg.LParam)
                      : DefWindowProcW(hwnd, Msg.Msg, Msg.WParam, Msg.LParam);
    RunHookChain(TChain::After, Msg, handled);
  }
  if (Msg.Msg == WM_DESTROY) {
    UnhookControl();
    if (HookListPeek() && !FDestroying && FControl && !FControl->IsDestroying())
      PostToHookList(CM_RECREATEWINDOW, this);
  }
}

void TControlHook::RunHookChain(TChain kind, TMessage& Msg, bool& Handled) {
  if (FList.empty() || !FControl || FDestroying || FControl->IsDestroying()) return;
  for (int i = static_cast<int>(FList.size()) - 1; i >= 0; --i) {
    if (i >= static_cast<int>(FList.size())) continue;
    TRxWindowHook* hook = FList[static_cast<size_t>(i)];
    try {
      if (kind == TChain::Before) hook->FireBeforeMessage(Msg, Handled);
      else hook->FireAfterMessage(Msg, Handled);
    } catch (...) {
      Application->HandleException(nullptr);
    }
    if (Handled) break;
  }
}

// ---------------------------------------------------------------- THookList

THookList::THookList() {
  FHandle = AllocateHWnd([this](TMessage& m) { return HiddenWndProc(m); });
}

THookList::~THookList() {
  while (!FItems.empty()) delete FItems.back();
  DeallocateHWnd(FHandle);
}

TControlHook* THookList::FindControlHook(TWinControl* AControl) const {
  if (!AControl) return nullptr;
  for (TControlHook* hook : FItems)
    if (hook->WinControl() == AControl) return hook;
  return nullptr;
}

TControlHook* THookList::GetControlHook(TWinControl* AControl) {
  if (TControlHook* found = FindControlHook(AControl)) return found;
  auto hook = std::make_unique<TControlHook>();
  FItems.push_back(hook.get());
  try {
    hook->SetWinControl(AControl);
  } catch (...) {
    Remove(hook.get());
    throw;
  }
  return hook.release();
}

TControlHook* THookList::FindById(uint64_t id) const {
  for (TControlHook* hook : FItems)
    if (hook->Id() == id) return hook;
  return nullptr;
}

bool THookList::Contains(const TControlHook* hook) const {
  return std::find(FItems.begin(), FItems.end(), hook) != FItems.end();
}

void THookList::Remove(TControlHook* hook) { FItems.erase(std::remove(FItems.begin(), FItems.end(), hook), FItems.end()); }

bool THookList::HiddenWndProc(TMessage& Msg) {
  if (Msg.Msg != CM_RECREATEWINDOW && Msg.Msg != CM_DESTROYHOOK) return false;
  try {
    TControlHook* hook = FindById(static_cast<uint64_t>(Msg.LParam));
    if (!hook) return true;
    if (Msg.Msg == CM_RECREATEWINDOW) {
      // Only a window the control made again: a closed form stays closed.
      hook->HookControl(false);
    } else if (hook->HookCount() == 0) {
      delete hook;
    }
  } catch (...) {
    Application->HandleException(nullptr);
  }
  return true;
}
