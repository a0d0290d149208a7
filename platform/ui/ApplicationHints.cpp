// The application's hints: the short hint in a hint window after a pause,
// the long hint in Application->Hint (OnHint, or status bars with
// AutoHint), and the mouse entering and leaving controls.
#include "platform/ui/Forms.h"
#include <windowsx.h>
#include <algorithm>
#include <typeinfo>

namespace {
constexpr UINT kShowTimer = 1;
constexpr UINT kHideTimer = 2;

String HintOf(TControl* control) {
  for (TControl* c = control; c; c = c->Parent())
    if (!c->Hint().empty()) return c->Hint();
  return String();
}

TControl* HintControlOf(TControl* control) {
  TControl* c = control;
  while (c && !c->ShowHint()) c = c->Parent();
  return c;
}

const std::type_info* gHintWindowType = nullptr;
}  // namespace

THintWindowClass HintWindowClass = THintWindowClassOf<THintWindow>();

String GetShortHint(const String& hint) {
  size_t bar = hint.find(u'|');
  return bar == String::npos ? hint : hint.substr(0, bar);
}

String GetLongHint(const String& hint) {
  size_t bar = hint.find(u'|');
  return bar == String::npos ? hint : hint.substr(bar + 1);
}

void TApplication::SetHint(const String& value) {
  if (FHint == value) return;
  FHint = value;
  if (OnHint) {
    FireEvent(OnHint, this);
    return;
  }
  // Status bars with AutoHint on the active form show the long hint.
  TCustomForm* active = Screen->ActiveCustomForm();
  for (auto& target : std::vector<std::pair<TControl*, std::function<void(const String&)>>>(FAutoHintTargets))
    if (GetParentForm(target.first) == active || !active) target.second(value);
}

void TApplication::RegisterAutoHintTarget(TControl* control, std::function<void(const String&)> show) {
  UnregisterAutoHintTarget(control);
  FAutoHintTargets.emplace_back(control, std::move(show));
}

void TApplication::UnregisterAutoHintTarget(TControl* control) {
  FAutoHintTargets.erase(std::remove_if(FAutoHintTargets.begin(), FAutoHintTargets.end(),
                                        [control](const auto& t) { return t.first == control; }),
                         FAutoHintTargets.end());
}

void TApplication::SetShowHint(bool value) {
  if (FShowHint == value) return;
  FShowHint = value;
  // Switching hints back on builds the window anew from HintWindowClass.
  CancelHint();
  if (FHintWindow) {
    THintWindow* old = FHintWindow;
    FHintWindow = nullptr;
    delete old;
  }
}

void TApplication::SetHintColor(TColor value) {
  FHintColor = value;
  if (FHintWindow) FHintWindow->SetColor(value);
}

void TApplication::EnsureHintWindow() {
  const std::type_info& wanted = HintWindowClass ? HintWindowClass.target_type() : typeid(void);
  if (FHintWindow && gHintWindowType && *gHintWindowType != wanted) {
    THintWindow* old = FHintWindow;
    FHintWindow = nullptr;
    delete old;
  }
  if (!FHintWindow && HintWindowClass) {
    FHintWindow = HintWindowClass(this);
    gHintWindowType = &wanted;
    if (FHintWindow) FHintWindow->SetColor(FHintColor);
  }
}

void TApplication::StartHintTimer(UINT id, int delay) {
  if (FHandle) SetTimer(FHandle, id, static_cast<UINT>(std::max(delay, 1)), nullptr);
  if (id == kShowTimer) FHintTimerOn = true;
  if (id == kHideTimer) FHideTimerOn = true;
}

void TApplication::StopHintTimer(UINT id) {
  if (FHandle) KillTimer(FHandle, id);
  if (id == kShowTimer) FHintTimerOn = false;
  if (id == kHideTimer) FHideTimerOn = false;
}

void TApplication::HintMouseMessage(TControl* Control, TMessage& Message) {
  if (!Control || !FShowHint) return;
  TPoint client(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
  TPoint pos;
  try {
    pos = Control->ClientToScreen(client);
  } catch (const Exception&) {
    return;
  }
  TControl* hintControl = HintControlOf(FindDragTarget(pos, true));
  if (!hintControl || !hintControl->ShowHint()) {
    CancelHint();
    return;
  }
  if (hintControl != FHintControl || !FHintCursorRect.Contains(pos)) {
    bool wasActive = FHintActive;
    int pause = wasActive ? FHintShortPause : FHintPause;
    hintControl->Perform(CM_HINTSHOWPAUSE, wasActive ? 1 : 0, reinterpret_cast<LPARAM>(&pause));
    CancelHint();
    FHintActive = wasActive;
    FHintControl = hintControl;
    StartHintTimer(kShowTimer, pause);
  }
}

void TApplication::HintTimerExpired() {
  StopHintTimer(kShowTimer);
  POINT p;
  GetCursorPos(&p);
  if (FHintControl) ActivateHint(TPoint(p.x, p.y));
}

void TApplication::HideHintTimerExpired() {
  StopHintTimer(kHideTimer);
  HideHint();
}

void TApplication::ActivateHint(TPoint CursorPos) {
  StopHintTimer(kShowTimer);
  TControl* control = FHintControl;
  if (!control || !FShowHint) return;
  THintInfo info;
  info.HintControl = control;
  info.HintWindowClass = HintWindowClass;
  info.HintPos = TPoint(CursorPos.X, CursorPos.Y + GetSystemMetrics(SM_CYCURSOR) - 8);
  info.HintMaxWidth = Screen->Width();
  info.HintColor = FHintColor;
  TPoint origin;
  try {
    origin = control->ClientToScreen(TPoint(0, 0));
  } catch (const Exception&) {
    return;
  }
  info.CursorRect = TRect(origin.X, origin.Y, origin.X + control->Width(), origin.Y + control->Height());
  info.CursorPos = TPoint(CursorPos.X - origin.X, CursorPos.Y - origin.Y);
  info.HideTimeout = FHintHidePause;
  info.HintStr = GetShortHint(HintOf(control));
  bool canShow = control->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) == 0;
  FHintCursorRect = info.CursorRect;
  if (canShow && OnShowHint) {
    TShowHintEvent handler = OnShowHint;
    handler(info.HintStr, canShow, info);
  }
  FHintActive = canShow && !info.HintStr.empty();
  if (!FHintActive) {
    HideHint();
    return;
  }
  EnsureHintWindow();
  if (!FHintWindow) return;
  FHintWindow->SetColor(info.HintColor);
  TRect r = FHintWindow->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
  r = TRect(info.HintPos.X, info.HintPos.Y, info.HintPos.X + r.Width(), info.HintPos.Y + r.Height());
  FHintWindow->ActivateHintData(r, info.HintStr, info.HintData);
  if (info.HideTimeout > 0) StartHintTimer(kHideTimer, info.HideTimeout);
}

void TApplication::HideHint() {
  StopHintTimer(kHideTimer);
  if (FHintWindow && FHintWindow->HandleAllocated() && IsWindowVisible(FHintWindow->Handle()))
    FHintWindow->ReleaseHandle();
}

void TApplication::CancelHint() {
  if (!FHintControl) return;
  HideHint();
  FHintControl = nullptr;
  FHintActive = false;
  StopHintTimer(kShowTimer);
}

bool TApplication::IsHintMsg(MSG& msg) {
  if (!FHintActive) return false;
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_ACTIVATEAPP:
      CancelHint();
      break;
    default:
      break;
  }
  return false;
}

void TApplication::DoMouseIdle() {
  POINT p;
  GetCursorPos(&p);
  TControl* control = FindDragTarget(TPoint(p.x, p.y), true);
  if (control == FMouseControl) return;
  TControl* capture = GetCaptureControl();
  if (FMouseControl && (!capture || capture == FMouseControl)) FMouseControl->Perform(CM_MOUSELEAVE);
  FMouseControl = control;
  if (FMouseControl && (!capture || capture == FMouseControl)) FMouseControl->Perform(CM_MOUSEENTER);
}

// ---- Hint window -----------------------------------------------------------

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  SetColor(clInfoBk);
  Font()->SetColor(clInfoText);
  SetVisible(false);
}

void THintWindow::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP | WS_BORDER;
  Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  Params.ClassStyle |= CS_SAVEBITS;
}

TRect THintWindow::CalcHintRect(int MaxWidth, const String& AHint, void*) {
  RECT r{0, 0, MaxWidth, 0};
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, Font()->Handle());
  DrawTextW(dc, reinterpret_cast<LPCWSTR>(AHint.c_str()), static_cast<int>(AHint.size()), &r,
            DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return TRect(0, 0, r.right + 6, r.bottom + 4);
}

void THintWindow::ActivateHint(TRect Rect, const String& AHint) {
  SetCaption(AHint);
  int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  int w = Rect.Width(), h = Rect.Height();
  int x = std::max(0, std::min(Rect.Left, screenWidth - w));
  int y = std::max(0, std::min(Rect.Top, screenHeight - h));
  SetBounds(x, y, w, h);
  SetWindowPos(Handle(), HWND_TOPMOST, x, y, w, h, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  Invalidate();
}

void THintWindow::ActivateHintData(TRect Rect, const String& AHint, void*) { ActivateHint(Rect, AHint); }

void THintWindow::ReleaseHandle() {
  if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
}

bool THintWindow::IsHintShowing() const { return FHandle && IsWindowVisible(FHandle); }

void THintWindow::Paint() {
  TRect r = ClientRect();
  Canvas()->Brush()->SetColor(Color());
  Canvas()->FillRect(r);
  r = TRect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2);
  Canvas()->Brush()->SetStyle(bsClear);
  String text = Caption();
  Canvas()->TextRect(r, text, tfLeft | tfWordBreak | tfNoPrefix);
}

void THintWindow::WndProc(TMessage& Message) {
  if (Message.Msg == WM_NCHITTEST) {
    Message.Result = HTTRANSPARENT;
    return;
  }
  TCustomControl::WndProc(Message);
}
