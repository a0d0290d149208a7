#pragma once
// Watching the window messages of any windowed control without its help:
// a TRxWindowHook names a control and hears each message before and after
// the control's own window procedure. One TControlHook per control takes
// over the window's procedure and serves every TRxWindowHook on it; one
// process-wide THookList keeps the control hooks and a hidden window that
// hooks a re-created window again and frees control hooks left unused.
#include "platform/classes/Component.h"
#include "platform/ui/Controls.h"
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

using THookMessageEvent = std::function<void(TObject* Sender, TMessage& Msg, bool& Handled)>;

class TControlHook;

class TRxWindowHook : public TComponent {
public:
  explicit TRxWindowHook(TComponent* AOwner);
  ~TRxWindowHook() override;

  bool Active() const { return FActive; }
  void SetActive(bool value);
  // The hooked control (the attached control hook's when attached).
  TWinControl* WinControl() const;
  void SetWinControl(TWinControl* value);
  // The hook list's hidden window; INVALID_HANDLE_VALUE before any hook.
  static HWND HookWindow();

  void HookControl();
  void UnhookControl();

  THookMessageEvent BeforeMessage;
  THookMessageEvent AfterMessage;

protected:
  virtual void FireBeforeMessage(TMessage& Msg, bool& Handled);
  virtual void FireAfterMessage(TMessage& Msg, bool& Handled);
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  friend class TControlHook;
  bool FActive = true;
  TWinControl* FControl = nullptr;
  TControlHook* FControlHook = nullptr;
};

class TControlHook : public TObject {
public:
  TControlHook();
  ~TControlHook() override;

  TWinControl* WinControl() const { return FControl; }
  void SetWinControl(TWinControl* value);
  void AddHook(TRxWindowHook* AHook);
  void RemoveHook(TRxWindowHook* AHook);
  int HookCount() const { return static_cast<int>(FList.size()); }
  // Installs the hook's window procedure; creates the control's window
  // only when createWindow.
  void HookControl(bool createWindow = true);
  void UnhookControl();
  // Names this hook in posted messages: a counter, never reused, so a
  // message meant for a freed hook cannot reach a new one at its address.
  uint64_t Id() const { return FId; }

private:
  enum class TChain { Before, After };
  static LRESULT CALLBACK HookedWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void HookedMessage(HWND hwnd, TMessage& Msg);
  void RunHookChain(TChain kind, TMessage& Msg, bool& Handled);

  TWinControl* FControl = nullptr;
  HWND FHookedWindow = nullptr;
  WNDPROC FPrevWndProc = nullptr;
  std::vector<TRxWindowHook*> FList;
  bool FDestroying = false;
  uint64_t FId;
};

class THookList : public TObject {
public:
  THookList();
  ~THookList() override;

  HWND Handle() const { return FHandle; }
  int Count() const { return static_cast<int>(FItems.size()); }
  TControlHook* FindControlHook(TWinControl* AControl) const;
  TControlHook* GetControlHook(TWinControl* AControl);
  TControlHook* FindById(uint64_t id) const;
  bool Contains(const TControlHook* hook) const;
  void Remove(TControlHook* hook);

private:
  bool HiddenWndProc(TMessage& Msg);
  std::vector<TControlHook*> FItems;
  HWND FHandle = nullptr;
};

// The process's hook list, created on first use.
THookList* HookListInstance();
// The hook list when it exists; never creates it.
THookList* HookListPeek();

// The hidden window's messages: hook a re-created window again, and free
// a control hook that no hook uses any more. The second parameter carries
// the control hook's Id.
constexpr UINT CM_RECREATEWINDOW = 0xB052;
constexpr UINT CM_DESTROYHOOK = 0xB053;
