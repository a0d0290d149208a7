#include "platform/rtl/Exceptions.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/TestSeam.h"
#include <algorithm>

namespace {
struct TTaskWindows {
  HWND Except;
  std::vector<HWND> List;
};

BOOL CALLBACK CollectTaskWindow(HWND hwnd, LPARAM lp) {
  auto* c = reinterpret_cast<TTaskWindows*>(lp);
  if (hwnd != c->Except && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) c->List.push_back(hwnd);
  return TRUE;
}
}  // namespace

std::vector<HWND> DisableTaskWindows(HWND except) {
  TTaskWindows ctx{except, {}};
  EnumThreadWindows(GetCurrentThreadId(), CollectTaskWindow, reinterpret_cast<LPARAM>(&ctx));
  for (HWND h : ctx.List) EnableWindow(h, FALSE);
  return ctx.List;
}

void EnableTaskWindows(const std::vector<HWND>& list) {
  for (HWND h : list)
    if (IsWindow(h)) EnableWindow(h, TRUE);
}

int TCustomForm::FFocusCount = 0;

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>()) {
  FCanvas->SetControl(this);
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FControlState.Include(csCustomPaint);
  FVisible = false;
  FParentFont = false;
  FParentShowHint = false;
  SetColor(clBtnFace);
  SetBounds(0, 0, 320, 240);
  Screen->InsertForm(this);
}

TCustomForm::~TCustomForm() {
  BeginDestroy();
  if (TScreen* screen = TScreenRef::Peek()) screen->RemoveForm(this);
  if (TApplication* app = TApplicationRef::Peek()) app->FormDestroyed(this);
  if (FMenu) {
    FMenu->RemoveFreeNotification(this);
    if (FHandle) ::SetMenu(FHandle, nullptr);
    FMenu = nullptr;
  }
  FActiveControl = nullptr;
  FFocusedControl = nullptr;
  FCanvas->ReleaseDeviceContext();
}

void TCustomForm::AfterConstruction() {
  if (FCreated) return;
  FCreated = true;
  // A component may free or add others while it loads: walk a copy.
  std::vector<TComponent*> owned;
  for (int i = 0; i < ComponentCount(); ++i) owned.push_back(Components(i));
  for (TComponent* c : owned) c->Loaded();
  FireEvent(OnCreate, this);
}

void TCustomForm::Free() {
  if (!FDestroyRun) {
    FDestroyRun = true;
    FireEvent(OnDestroy, this);
  }
  delete this;
}

void TCustomForm::Release() { PostMessageW(Handle(), CM_RELEASE, 0, 0); }

// ---- Window ----------------------------------------------------------------

void TCustomForm::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  Params.ExStyle = 0;
  bool tool = FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin;
  switch (FBorderStyle) {
    case bsNone: Params.Style |= WS_POPUP; break;
    case bsSingle:
    case bsToolWindow: Params.Style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable:
    case bsSizeToolWin: Params.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
      Params.Style |= WS_POPUP | WS_CAPTION;
      Params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      break;
  }
  if (tool) Params.ExStyle |= WS_EX_TOOLWINDOW;
  if (FBorderStyle != bsNone && FBorderIcons.Contains(biSystemMenu)) {
    Params.Style |= WS_SYSMENU;
    if (FBorderStyle != bsDialog && !tool) {
      if (FBorderIcons.Contains(biMinimize)) Params.Style |= WS_MINIMIZEBOX;
      if (FBorderIcons.Contains(biMaximize)) Params.Style |= WS_MAXIMIZEBOX;
    }
    if (FBorderIcons.Contains(biHelp) &&
        (FBorderStyle == bsDialog || !FBorderIcons.Contains(biMinimize) || !FBorderIcons.Contains(biMaximize)))
      Params.ExStyle |= WS_EX_CONTEXTHELP;
  }
  if (!Enabled()) Params.Style |= WS_DISABLED;
  if (FFormStyle == fsStayOnTop) Params.ExStyle |= WS_EX_TOPMOST;
  Params.WndParent = nullptr;
  // Secondary forms stay above the main form and share its taskbar button.
  TApplication* app = TApplicationRef::Peek();
  if (app && app->MainForm() && app->MainForm() != this && app->MainForm()->HandleAllocated())
    Params.WndParent = app->MainForm()->Handle();
  if (FPosition == poDefault || FPosition == poDefaultPosOnly) {
    Params.X = static_cast<int>(CW_USEDEFAULT);
    Params.Y = static_cast<int>(CW_USEDEFAULT);
  }
}

void TCustomForm::CreateWnd() {
  TWinControl::CreateWnd();
  if (FMenu) {
    ::SetMenu(FHandle, FMenu->Handle());
    FMenu->SetWindowHandle(FHandle);
  }
  UpdateBounds();
}

void TCustomForm::DestroyWindowHandle() {
  // The window would destroy the menu along with itself; the menu is ours.
  if (FHandle && FMenu) ::SetMenu(FHandle, nullptr);
  TWinControl::DestroyWindowHandle();
}

TRect TCustomForm::GetClientRect() {
  if (FHandle) return TWinControl::GetClientRect();
  TCreateParams p;
  CreateParams(p);
  RECT r{0, 0, 0, 0};
  AdjustWindowRectEx(&r, p.Style, FMenu != nullptr, p.ExStyle);
  return TRect(0, 0, std::max(0, Width() - (r.right - r.left)), std::max(0, Height() - (r.bottom - r.top)));
}

void TCustomForm::PaintWindow(HDC DC) {
  FCanvas->Lock();
  FCanvas->SetHandle(DC);
  try {
    Paint();
  } catch (...) {
    FCanvas->SetHandle(nullptr);
    FCanvas->Unlock();
    throw;
  }
  FCanvas->SetHandle(nullptr);
  FCanvas->Unlock();
}

void TCustomForm::Paint() { FireEvent(OnPaint, this); }

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
  if (FBorderStyle == value) return;
  FBorderStyle = value;
  RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons value) {
  if (FBorderIcons == value) return;
  FBorderIcons = value;
  RecreateWnd();
}

TWindowState TCustomForm::WindowState() const {
  if (FHandle && IsWindowVisible(FHandle)) {
    if (IsIconic(FHandle)) return wsMinimized;
    if (IsZoomed(FHandle)) return wsMaximized;
    return wsNormal;
  }
  return FWindowState;
}

void TCustomForm::SetWindowState(TWindowState value) {
  FWindowState = value;
  if (FHandle && IsWindowVisible(FHandle)) {
    int cmd = value == wsMaximized ? SW_SHOWMAXIMIZED : value == wsMinimized ? SW_MINIMIZE : SW_RESTORE;
    ShowWindow(FHandle, cmd);
  }
}

void TCustomForm::SetFormStyle(TFormStyle value) {
  if (FFormStyle == value) return;
  FFormStyle = value;
  if (FHandle)
    SetWindowPos(FHandle, value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetMenu(TMainMenu* value) {
  if (FMenu == value) return;
  if (FMenu) {
    FMenu->RemoveFreeNotification(this);
    FMenu->SetWindowHandle(nullptr);
  }
  FMenu = value;
  if (value) {
    value->FreeNotification(this);
    value->SetWindowHandle(FHandle);
  }
  MenuChanged();
}

void TCustomForm::MenuChanged() {
  if (!FHandle) return;
  HMENU current = ::GetMenu(FHandle);
  HMENU wanted = FMenu ? FMenu->Handle() : nullptr;
  if (current != wanted) ::SetMenu(FHandle, wanted);
  DrawMenuBar(FHandle);
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FMenu) {
    if (FHandle) ::SetMenu(FHandle, nullptr);
    FMenu = nullptr;
  }
  if (AComponent == FActiveControl) FActiveControl = nullptr;
  if (AComponent == FFocusedControl) FFocusedControl = nullptr;
}

// ---- Showing and closing ---------------------------------------------------

void TCustomForm::Show() {
  AfterConstruction();
  SetVisible(true);
  BringToFront();
}

void TCustomForm::DoShow() { FireEvent(OnShow, this); }
void TCustomForm::DoHide() { FireEvent(OnHide, this); }
void TCustomForm::DoClose(TCloseAction& Action) { FireEvent(OnClose, this, Action); }
void TCustomForm::Activate() { FireEvent(OnActivate, this); }
void TCustomForm::Deactivate() { FireEvent(OnDeactivate, this); }

void TCustomForm::CenterOn(const TRect& area) {
  int x = area.Left + (area.Width() - Width()) / 2;
  int y = area.Top + (area.Height() - Height()) / 2;
  SetBounds(std::max(0, x), std::max(0, y), Width(), Height());
}

void TCustomForm::PlaceOnShow() {
  TRect screen(0, 0, Screen->Width(), Screen->Height());
  TCustomForm* reference = nullptr;
  switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter:
      CenterOn(screen);
      return;
    case poOwnerFormCenter:
      reference = dynamic_cast<TCustomForm*>(Owner());
      [[fallthrough]];
    case poMainFormCenter:
      if (!reference) reference = Application->MainForm();
      if (reference && reference != this && reference->HandleAllocated())
        CenterOn(reference->BoundsRect());
      else
        CenterOn(screen);
      return;
    default:
      return;
  }
}

void TCustomForm::ShowingChanged() {
  if (Visible()) {
    AfterConstruction();
    HandleNeeded();
    FShowing = true;
    try {
      DoShow();
    } catch (...) {
      FShowing = false;
      throw;
    }
    FShowing = false;
    if (!Visible() || !FHandle) return;
    PlaceOnShow();
    int cmd = FWindowState == wsMaximized ? SW_SHOWMAXIMIZED
              : FWindowState == wsMinimized ? SW_SHOWMINIMIZED
                                            : SW_SHOWNORMAL;
    ShowWindow(FHandle, cmd);
  } else {
    DoHide();
    if (FHandle) {
      if (GetActiveWindow() == FHandle && Application->MainForm() && Application->MainForm() != this &&
          Application->MainForm()->HandleAllocated() && IsWindowEnabled(Application->MainForm()->Handle()))
        SetActiveWindow(Application->MainForm()->Handle());
      ShowWindow(FHandle, SW_HIDE);
    }
    FActive = false;
  }
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  FireEvent(OnCloseQuery, this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (FModal) {
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  if (FFormStyle == fsMDIChild) action = FBorderIcons.Contains(biMinimize) ? caMinimize : caNone;
  DoClose(action);
  if (action == caNone) return;
  if (Application->MainForm() == this)
    Application->Terminate();
  else if (action == caHide)
    Hide();
  else if (action == caMinimize)
    SetWindowState(wsMinimized);
  else
    Release();
}

void TCustomForm::CloseModal() {
  TCloseAction action = caNone;
  if (CloseQuery()) {
    action = caHide;
    DoClose(action);
  }
  switch (action) {
    case caNone: FModalResult = mrNone; break;
    case caFree: Release(); break;
    default: break;
  }
}

TModalResult TCustomForm::ShowModal() {
  if (Visible() || !Enabled() || FModal || FFormStyle == fsMDIChild)
    throw EInvalidOperation(u"Não é possível tornar modal uma janela visível");
  if (HWND capture = GetCapture()) SendMessageW(capture, WM_CANCELMODE, 0, 0);
  ReleaseCapture();
  FModal = true;
  HWND activeWindow = GetActiveWindow();
  int saveFocusCount = FFocusCount;
  TScreen* screen = Screen;
  screen->FSaveFocusedList.insert(screen->FSaveFocusedList.begin(), screen->FFocusedForm);
  screen->FFocusedForm = this;
  TCursor saveCursor = screen->Cursor();
  screen->SetCursor(crDefault);
  int saveCount = screen->CursorCount();
  std::vector<HWND> disabled = DisableTaskWindows(FHandle);
  TModalResult result = mrNone;

  auto restore = [&] {
    if (screen->CursorCount() == saveCount)
      screen->SetCursor(saveCursor);
    else
      screen->SetCursor(crDefault);
    EnableTaskWindows(disabled);
    if (!screen->FSaveFocusedList.empty()) {
      screen->FFocusedForm = screen->FSaveFocusedList.front();
      screen->FSaveFocusedList.erase(screen->FSaveFocusedList.begin());
    } else {
      screen->FFocusedForm = nullptr;
    }
    if (activeWindow && IsWindow(activeWindow)) SetActiveWindow(activeWindow);
    FFocusCount = saveFocusCount;
    FModal = false;
  };

  try {
    Show();
    try {
      SendMessageW(Handle(), CM_ACTIVATE, 0, 0);
      FModalResult = mrNone;
      UiTestSeam::ModalLoopStarting(*this);
      do {
        Application->HandleMessage();
        if (Application->Terminated())
          FModalResult = mrCancel;
        else if (FModalResult != mrNone)
          CloseModal();
      } while (FModalResult == mrNone);
      result = FModalResult;
      SendMessageW(Handle(), CM_DEACTIVATE, 0, 0);
      if (GetActiveWindow() != FHandle) activeWindow = nullptr;
    } catch (...) {
      Hide();
      throw;
    }
    Hide();
  } catch (...) {
    restore();
    throw;
  }
  restore();
  return result;
}

// ---- Messages --------------------------------------------------------------

void TCustomForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_CLOSE:
      Close();
      return;
    case WM_QUERYENDSESSION:
      m.Result = CloseQuery() ? 1 : 0;
      return;
    case WM_ACTIVATE:
      SetActive(LOWORD(m.WParam) != WA_INACTIVE);
      return;
    case CM_ACTIVATE:
      Activate();
      return;
    case CM_DEACTIVATE:
      Deactivate();
      return;
    case CM_RELEASE:
      Free();
      return;
    case CM_VISIBLECHANGED:
      ShowingChanged();
      return;
    case CM_DIALOGKEY:
      CmDialogKey(m);
      return;
    case WM_NEXTDLGCTL:
      if (m.LParam)
        ::SetFocus(reinterpret_cast<HWND>(m.WParam));
      else
        SelectNext(FActiveControl, m.WParam == 0, true);
      m.Result = 0;
      return;
    case WM_COMMAND:
      if (m.LParam == 0 && FMenu && FMenu->DispatchCommand(LOWORD(m.WParam))) return;
      break;
    case WM_INITMENUPOPUP:
      if (FMenu && FMenu->DispatchPopup(reinterpret_cast<HMENU>(m.WParam))) return;
      break;
    case WM_MENUSELECT: {
      if (!FMenu) break;
      UINT flags = HIWORD(m.WParam), id = LOWORD(m.WParam);
      TMenuItem* item = nullptr;
      if (flags != 0xFFFF || id != 0) {
        if (flags & MF_POPUP)
          item = FMenu->FindItem(reinterpret_cast<UINT_PTR>(GetSubMenu(reinterpret_cast<HMENU>(m.LParam), id)),
                                 fkHandle);
        else
          item = FMenu->FindItem(id, fkCommand);
      }
      Application->SetHint(item ? GetLongHint(item->Hint()) : String());
      return;
    }
    case WM_DRAWITEM:
      if (reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam)->CtlType == ODT_MENU &&
          MenuDrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam))) {
        m.Result = 1;
        return;
      }
      break;
    case WM_MEASUREITEM:
      if (reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam)->CtlType == ODT_MENU &&
          MenuMeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam))) {
        m.Result = 1;
        return;
      }
      break;
    case WM_SIZE:
      if (IsWindowVisible(FHandle)) {
        if (m.WParam == SIZE_MAXIMIZED)
          FWindowState = wsMaximized;
        else if (m.WParam == SIZE_MINIMIZED)
          FWindowState = wsMinimized;
        else if (m.WParam == SIZE_RESTORED)
          FWindowState = wsNormal;
      }
      break;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

void TCustomForm::CmDialogKey(TMessage& m) {
  if (GetKeyState(VK_MENU) >= 0) {
    switch (m.WParam) {
      case VK_TAB:
        if (GetKeyState(VK_CONTROL) >= 0) {
          SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
          m.Result = 1;
          return;
        }
        break;
      case VK_LEFT:
      case VK_RIGHT:
      case VK_UP:
      case VK_DOWN:
        if (FActiveControl && FActiveControl->Parent()) {
          FActiveControl->Parent()->SelectNext(FActiveControl, m.WParam == VK_RIGHT || m.WParam == VK_DOWN,
                                               false);
          m.Result = 1;
        }
        return;
      default:
        break;
    }
  }
  Broadcast(m);
}
