#include "platform/classes/Threads.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/TestSeam.h"
#include <commctrl.h>
#include <algorithm>

namespace {
TApplication* gApplication = nullptr;
TScreen* gScreen = nullptr;
}  // namespace

const TApplicationRef Application;
const TScreenRef Screen;

TApplication* TApplicationRef::Get() {
  if (!gApplication) gApplication = new TApplication(nullptr);
  return gApplication;
}

TApplication* TApplicationRef::Peek() { return gApplication; }

void TApplicationRef::Done() {
  TApplication* app = gApplication;
  delete app;
  TScreen* screen = gScreen;
  gScreen = nullptr;
  delete screen;
}

TScreen* TScreenRef::Get() {
  if (!gScreen) gScreen = new TScreen(nullptr);
  return gScreen;
}

TScreen* TScreenRef::Peek() { return gScreen; }

// ---- Life ------------------------------------------------------------------

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  FHandle = AllocateHWnd([this](TMessage& m) { return AppWndProc(m); }, true);
  // A worker thread that hands a call to this thread wakes the loop up.
  HWND window = FHandle;
  WakeMainThread = [window] { PostMessageW(window, WM_NULL, 0, 0); };
  String exe = ExeName();
  size_t slash = exe.find_last_of(u"\\/");
  FTitle = exe.substr(slash == String::npos ? 0 : slash + 1);
  size_t dot = FTitle.find_last_of(u'.');
  if (dot != String::npos) FTitle.resize(dot);
  SetWindowTextW(FHandle, reinterpret_cast<LPCWSTR>(FTitle.c_str()));
}

TApplication::~TApplication() {
  // From here on nothing may reach the application through the global.
  if (gApplication == this) gApplication = nullptr;
  BeginDestroy();
  WakeMainThread = nullptr;
  FMainForm = nullptr;
  FHintControl = nullptr;
  FMouseControl = nullptr;
  while (ComponentCount() > 0) {
    TComponent* c = Components(ComponentCount() - 1);
    if (auto* form = dynamic_cast<TCustomForm*>(c))
      form->Free();
    else
      delete c;
  }
  FHintWindow = nullptr;
  DeallocateHWnd(FHandle);
  FHandle = nullptr;
}

namespace {
std::vector<void (*)()>& UnitStartups() {
  static std::vector<void (*)()> procs;
  return procs;
}
}  // namespace

void AddUnitStartup(void (*Proc)()) { UnitStartups().push_back(Proc); }

void TApplication::Initialize() {
  // Each unit's start-up runs once, however often the program initialises.
  auto& procs = UnitStartups();
  while (!procs.empty()) {
    void (*proc)() = procs.front();
    procs.erase(procs.begin());
    proc();
  }
}

void TApplication::SetTitle(const String& value) {
  FTitle = value;
  if (FHandle) SetWindowTextW(FHandle, reinterpret_cast<LPCWSTR>(value.c_str()));
}

HWND TApplication::Handle() { return FHandle; }

String TApplication::ExeName() const {
  char16_t buffer[MAX_PATH + 1] = {};
  DWORD n = GetModuleFileNameW(nullptr, reinterpret_cast<LPWSTR>(buffer), MAX_PATH);
  return String(buffer, n);
}

void TApplication::RegisterCreatedForm(TCustomForm* form) {
  form->AfterConstruction();
  if (!FMainForm) {
    if (auto* f = dynamic_cast<TForm*>(form)) {
      f->HandleNeeded();
      FMainForm = f;
    }
  }
}

void TApplication::FormDestroyed(TCustomForm* form) {
  if (FMainForm == form) FMainForm = nullptr;
  ControlDestroyed(form);
}

void TApplication::ControlDestroyed(TControl* control) {
  if (FHintControl == control || (FHintControl && control == FHintControl->Parent())) CancelHint();
  if (FHintControl == control) FHintControl = nullptr;
  if (FMouseControl == control) FMouseControl = nullptr;
  if (FHintWindow == control) FHintWindow = nullptr;
  UnregisterAutoHintTarget(control);
  if (TScreen* screen = TScreenRef::Peek())
    if (screen->FActiveControl == control) screen->FActiveControl = nullptr;
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FHintWindow) FHintWindow = nullptr;
}

// ---- Message loop ----------------------------------------------------------

bool TApplication::ProcessMessage(MSG& msg) {
  if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    FTerminated = true;
    return true;
  }
  bool handled = false;
  FireEvent(OnMessage, msg, handled);
  if (!handled && !IsHintMsg(msg) && !IsKeyMsg(msg)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return true;
}

void TApplication::HandleMessage() {
  MSG msg;
  if (!ProcessMessage(msg)) Idle(msg);
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (ProcessMessage(msg)) {
  }
}

void TApplication::Idle(const MSG&) {
  DoMouseIdle();
  if (FShowHint && !FMouseControl) CancelHint();
  String hint;
  for (TControl* c = FMouseControl; c; c = c->Parent())
    if (!c->Hint().empty()) {
      hint = c->Hint();
      break;
    }
  SetHint(GetLongHint(hint));
  FireEvent(OnIdle, this);
  bool done = true;
  if (CheckSynchronize()) done = false;
  if (done && !FTerminated) WaitMessage();
}

void TApplication::Run() {
  if (!FMainForm) return;
  FRunning = true;
  if (FMainForm->WindowState() == wsMinimized)
    Minimize();
  else
    FMainForm->SetVisible(true);
  do {
    try {
      HandleMessage();
    } catch (...) {
      HandleException(this);
    }
  } while (!FTerminated);
  FRunning = false;
}

void TApplication::Terminate() { PostQuitMessage(0); }

bool TApplication::IsKeyMsg(MSG& msg) {
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
  HWND window = GetCapture();
  if (!window) {
    // The nearest window of ours: a combo box's edit belongs to its combo.
    window = msg.hwnd;
    while (window && !FindControl(window)) window = GetParent(window);
    if (!window) return false;
  } else if (!FindControl(window)) {
    return false;
  }
  return SendMessageW(window, CN_BASE + msg.message, msg.wParam, msg.lParam) != 0;
}

bool TApplication::IsShortCut(TMessage& Message) {
  return FMainForm && FMainForm->HandleAllocated() && IsWindowEnabled(FMainForm->Handle()) &&
         FMainForm->IsShortCut(Message);
}

void TApplication::Minimize() {
  if (FMainForm && FMainForm->HandleAllocated()) ShowWindow(FMainForm->Handle(), SW_MINIMIZE);
}

void TApplication::Restore() {
  if (FMainForm && FMainForm->HandleAllocated()) ShowWindow(FMainForm->Handle(), SW_RESTORE);
}

int TApplication::HookMainWindow(TWindowHook Hook) {
  int cookie = FNextHookCookie++;
  FWindowHooks.emplace_back(cookie, std::move(Hook));
  return cookie;
}

void TApplication::UnhookMainWindow(int cookie) {
  FWindowHooks.erase(std::remove_if(FWindowHooks.begin(), FWindowHooks.end(),
                                    [cookie](const auto& h) { return h.first == cookie; }),
                     FWindowHooks.end());
}

bool TApplication::AppWndProc(TMessage& m) {
  for (auto& hook : std::vector<std::pair<int, TWindowHook>>(FWindowHooks))
    if (hook.second && hook.second(m)) return true;
  switch (m.Msg) {
    case WM_NULL:
      CheckSynchronize();
      return true;
    case WM_TIMER:
      if (m.WParam == 1)
        HintTimerExpired();
      else if (m.WParam == 2)
        HideHintTimerExpired();
      return true;
    case WM_CLOSE:
      if (FMainForm) FMainForm->Close();
      return true;
    case WM_SYSCOMMAND:
      if ((m.WParam & 0xFFF0) == SC_MINIMIZE) {
        Minimize();
        return true;
      }
      if ((m.WParam & 0xFFF0) == SC_RESTORE) {
        Restore();
        return true;
      }
      return false;
    case CM_APPKEYDOWN:
      m.Result = IsShortCut(m) ? 1 : 0;
      return true;
    case WM_SETTINGCHANGE:
      for (int i = 0; i < Screen->CustomFormCount(); ++i) Screen->CustomForms(i)->Perform(CM_WININICHANGE, m.WParam, m.LParam);
      return false;
    default:
      return false;
  }
}

// ---- Errors and message boxes ----------------------------------------------

void TApplication::HandleException(TObject* Sender) {
  std::exception_ptr current = std::current_exception();
  if (!current) return;
  if (HWND capture = GetCapture()) SendMessageW(capture, WM_CANCELMODE, 0, 0);
  auto report = [&](const Exception& e) {
    if (OnException) {
      TExceptionEvent handler = OnException;
      handler(Sender, e);
    } else {
      ShowException(e);
    }
  };
  try {
    std::rethrow_exception(current);
  } catch (const EAbort&) {
  } catch (const Exception& e) {
    report(e);
  } catch (const std::exception& e) {
    report(Exception(Utf8ToString(e.what())));
  } catch (...) {
    report(Exception(u"Exceção desconhecida"));
  }
}

void TApplication::ShowException(const Exception& E) {
  String text = E.Message();
  if (!text.empty() && text.back() > u'.') text += u'.';
  MessageBox(text, FTitle, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const String& Text, const String& Caption, UINT Flags) {
  return ShowMessageBox(GetActiveWindow(), Text, Caption, Flags);
}
