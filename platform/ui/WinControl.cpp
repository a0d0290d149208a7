#include "platform/rtl/Exceptions.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"
#include <windowsx.h>
#include <algorithm>
#include <cxxabi.h>
#include <typeinfo>

namespace {
// Child window identifiers, so owner-draw messages that carry only an ID
// find their control.
int gNextControlId = 100;

String TypeNameOf(const TObject& object) {
  int status = 0;
  char* name = abi::__cxa_demangle(typeid(object).name(), nullptr, nullptr, &status);
  std::string text = status == 0 && name ? name : typeid(object).name();
  std::free(name);
  // Window class names may not hold template or namespace punctuation.
  for (char& c : text)
    if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) c = '_';
  return AsciiToString(text);
}
}  // namespace

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner), FBrush(std::make_unique<TBrush>()) {
  FBrush->SetColor(Color());
}

TWinControl::~TWinControl() {
  BeginDestroy();
  if (TCustomForm* form = GetParentForm(this))
    if (form != this) form->DefocusControl(this, true);
  if (Parent()) Parent()->RemoveControl(this);
  // Children go with their parent, whoever owns them.
  while (!FControls.empty() || !FWinControls.empty()) {
    TControl* child = !FWinControls.empty() ? static_cast<TControl*>(FWinControls.back()) : FControls.back();
    RemoveControl(child);
    delete child;
  }
  DestroyHandle();
}

// ---- Window lifetime -------------------------------------------------------

HWND TWinControl::Handle() {
  HandleNeeded();
  return FHandle;
}

void TWinControl::HandleNeeded() {
  if (FHandle) return;
  if (Parent()) Parent()->HandleNeeded();
  if (!FHandle) CreateHandle();
}

void TWinControl::CreateHandle() {
  if (FHandle) return;
  CreateWnd();
  CreateChildHandles();
  Realign();
  CreateWndDone();
}

void TWinControl::CreateChildHandles() {
  for (TWinControl* child : std::vector<TWinControl*>(FWinControls))
    if (!child->FHandle) child->CreateHandle();
}

void TWinControl::CreateParams(TCreateParams& Params) {
  Params.Caption = FText;
  Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (FControlStyle.Contains(csAcceptsControls)) {
    Params.Style |= WS_CLIPCHILDREN;
    Params.ExStyle |= WS_EX_CONTROLPARENT;
  }
  if (FTabStop) Params.Style |= WS_TABSTOP;
  if (!Enabled()) Params.Style |= WS_DISABLED;
  if (Visible()) Params.Style |= WS_VISIBLE;
  Params.X = Left();
  Params.Y = Top();
  Params.Width = Width();
  Params.Height = Height();
  Params.WinClassName = TypeNameOf(*this);
  Params.ClassStyle = CS_DBLCLKS;
}

void TWinControl::CreateSubClass(TCreateParams& Params, const char16_t* sysClassName) {
  Params.SysClassName = sysClassName;
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  if (params.Style & WS_CHILD) {
    if (!params.WndParent) {
      if (!Parent()) throw EInvalidOperation(u"Control '" + Name() + u"' has no parent window");
      params.WndParent = Parent()->Handle();
    }
  }
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (!params.SysClassName.empty()) {
    // Superclass: the system class's procedure becomes the default one.
    if (!GetClassInfoExW(nullptr, reinterpret_cast<LPCWSTR>(params.SysClassName.c_str()), &wc))
      throw EOutOfResources(u"Unknown window class " + params.SysClassName);
    FDefWndProc = wc.lpfnWndProc;
    wc.style &= ~CS_GLOBALCLASS;
    if (!params.ClassCursor) params.ClassCursor = wc.hCursor;
  } else {
    FDefWndProc = DefWindowProcW;
    wc.style = params.ClassStyle;
    wc.hbrBackground = params.ClassBackground;
  }
  wc.hInstance = instance;
  wc.hCursor = params.ClassCursor ? params.ClassCursor : LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  WndDispatch::RegisterWindowClass(params.WinClassName, wc);
  CreateWindowHandle(params);
  if (!FHandle) throw EOutOfResources(u"Error creating window of " + params.WinClassName);
  FSavedTextValid = false;
  ApplyFont();
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params) {
  HMENU id = nullptr;
  if (Params.Style & WS_CHILD) id = reinterpret_cast<HMENU>(static_cast<intptr_t>(gNextControlId++));
  WndDispatch::SetCreationTarget(this);
  HWND hwnd = CreateWindowExW(Params.ExStyle, reinterpret_cast<LPCWSTR>(Params.WinClassName.c_str()),
                              reinterpret_cast<LPCWSTR>(Params.Caption.c_str()), Params.Style, Params.X, Params.Y,
                              Params.Width, Params.Height, Params.WndParent, id, GetModuleHandleW(nullptr),
                              Params.Param);
  WndDispatch::SetCreationTarget(nullptr);
  if (hwnd) FHandle = hwnd;
}

void TWinControl::ApplyFont() {
  if (FHandle) SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 0);
}

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  for (TWinControl* child : std::vector<TWinControl*>(FWinControls)) child->DestroyHandle();
  DestroyWnd();
}

void TWinControl::DestroyWnd() {
  // Keep the text the window held, for a window made again later.
  FText = TWinControl::GetText();
  FSavedTextValid = true;
  TControlCanvas::FreeDeviceContexts();
  DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
  FControlState.Include(csDestroyingHandle);
  HWND h = FHandle;
  if (h) DestroyWindow(h);
  FControlState.Exclude(csDestroyingHandle);
  FHandle = nullptr;
}

void TWinControl::RecreateWnd() {
  if (!FHandle) return;
  bool hadFocus = Focused();
  DestroyHandle();
  HandleNeeded();
  if (hadFocus && CanFocus()) ::SetFocus(FHandle);
}

void TWinControl::AttachWindow(HWND hwnd) { FHandle = hwnd; }

void TWinControl::WindowDestroyed(HWND hwnd) {
  if (FHandle == hwnd) FHandle = nullptr;
}

void TWinControl::DispatchWindowMessage(TMessage& message) {
  if (WindowProc)
    WindowProc(message);
  else
    WndProc(message);
}

// ---- Children --------------------------------------------------------------

TControl* TWinControl::Controls(int index) const {
  int n = static_cast<int>(FControls.size());
  if (index < 0 || index >= ControlCount())
    throw EListError(u"List index out of bounds (" + AsciiToString(std::to_string(index)) + u")");
  if (index < n) return FControls[static_cast<size_t>(index)];
  return FWinControls[static_cast<size_t>(index - n)];
}

void TWinControl::InsertControl(TControl* AControl) {
  if (!AControl) return;
  AControl->FParent = this;
  auto* w = dynamic_cast<TWinControl*>(AControl);
  if (w) {
    FWinControls.push_back(w);
    FTabList.push_back(w);
  } else {
    FControls.push_back(AControl);
  }
  AControl->Perform(CM_PARENTCOLORCHANGED);
  AControl->Perform(CM_PARENTFONTCHANGED);
  AControl->Perform(CM_PARENTSHOWHINTCHANGED);
  AControl->UpdateAnchorRules();
  if (w) {
    if (FHandle) w->CreateHandle();
  } else {
    AControl->Invalidate();
  }
  AlignControl(AControl);
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), 1);
}

void TWinControl::RemoveControl(TControl* AControl) {
  if (!AControl || AControl->FParent != this) return;
  if (!IsDestroying()) Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), 0);
  if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
    if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(w, true);
    w->DestroyHandle();
    FWinControls.erase(std::remove(FWinControls.begin(), FWinControls.end(), w), FWinControls.end());
    FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), w), FTabList.end());
  } else {
    AControl->Invalidate();
    FControls.erase(std::remove(FControls.begin(), FControls.end(), AControl), FControls.end());
  }
  AControl->FParent = nullptr;
  if (!IsDestroying()) Realign();
}

bool TWinControl::ContainsControl(const TControl* control) const {
  while (control && control != this) control = control->Parent();
  return control != nullptr;
}

TControl* TWinControl::ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls) {
  auto hit = [&](TControl* c) {
    if (!c->Visible() || !(c->Enabled() || allowDisabled)) return false;
    if (!c->BoundsRect().Contains(pos)) return false;
    TPoint local(pos.X - c->Left(), pos.Y - c->Top());
    return c->Perform(CM_HITTEST, 0, MAKELPARAM(local.X, local.Y)) != 0;
  };
  if (allowWinControls)
    for (auto it = FWinControls.rbegin(); it != FWinControls.rend(); ++it)
      if (hit(*it)) return *it;
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
    if (hit(*it)) return *it;
  return nullptr;
}

void TWinControl::Broadcast(TMessage& message) {
  for (int i = 0; i < ControlCount(); ++i) {
    Controls(i)->WindowProc(message);
    if (message.Result != 0) return;
  }
}

void TWinControl::NotifyControls(UINT msg) {
  TMessage m{msg, 0, 0, 0};
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->WindowProc(m);
}

// ---- Geometry --------------------------------------------------------------

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (ALeft == Left() && ATop == Top() && AWidth == Width() && AHeight == Height()) return;
  if (FHandle && !IsIconic(FHandle)) {
    SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    // The window may refuse a size (a combo box keeps its own height).
    UpdateBounds();
  } else {
    bool sized = AWidth != Width() || AHeight != Height();
    UpdateBoundsRect(TRect(ALeft, ATop, ALeft + AWidth, ATop + AHeight));
    if (sized) {
      Realign();
      Resize();
    }
  }
  UpdateAnchorRules();
  RequestAlign();
}

void TWinControl::UpdateBounds() {
  if (!FHandle) return;
  RECT r;
  GetWindowRect(FHandle, &r);
  HWND parent = GetParent(FHandle);
  if (GetWindowLongW(FHandle, GWL_STYLE) & WS_CHILD) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  if (IsIconic(FHandle)) return;
  UpdateBoundsRect(TRect(r.left, r.top, r.right, r.bottom));
}

TRect TWinControl::GetClientRect() {
  if (FHandle) {
    RECT r;
    ::GetClientRect(FHandle, &r);
    return TRect(r.left, r.top, r.right, r.bottom);
  }
  // No window yet: reckon the borders its style would give it.
  TCreateParams p;
  CreateParams(p);
  RECT r{0, 0, 0, 0};
  AdjustWindowRectEx(&r, p.Style, FALSE, p.ExStyle);
  int w = Width() - (r.right - r.left), h = Height() - (r.bottom - r.top);
  return TRect(0, 0, std::max(w, 0), std::max(h, 0));
}

TPoint TWinControl::ClientOrigin() {
  if (FHandle) {
    POINT p{0, 0};
    ::ClientToScreen(FHandle, &p);
    return TPoint(p.x, p.y);
  }
  if (!Parent()) return TPoint(Left(), Top());
  return TControl::ClientOrigin();
}

void TWinControl::SetZOrder(bool topMost) {
  if (Parent()) {
    auto& list = Parent()->FWinControls;
    auto it = std::find(list.begin(), list.end(), this);
    if (it != list.end()) {
      list.erase(it);
      if (topMost)
        list.push_back(this);
      else
        list.insert(list.begin(), this);
    }
  }
  if (FHandle)
    SetWindowPos(FHandle, topMost ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool TWinControl::IsShowing() const {
  if (!Visible()) return false;
  if (!Parent()) return FHandle && IsWindowVisible(FHandle);
  return Parent()->IsShowing();
}

void TWinControl::Invalidate() {
  if (FHandle) InvalidateRect(FHandle, nullptr, !FControlStyle.Contains(csOpaque));
}

void TWinControl::Repaint() {
  Invalidate();
  Update();
}

void TWinControl::Update() {
  if (FHandle) UpdateWindow(FHandle);
}

// ---- Text ------------------------------------------------------------------

String TWinControl::GetText() const {
  if (!FHandle) return FText;
  auto* self = const_cast<TWinControl*>(this);
  LRESULT len = self->Perform(WM_GETTEXTLENGTH);
  if (len <= 0) return String();
  String text(static_cast<size_t>(len) + 1, u'\0');
  LRESULT got = self->Perform(WM_GETTEXT, static_cast<WPARAM>(len + 1), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(static_cast<size_t>(std::max<LRESULT>(0, std::min(got, len))));
  return text;
}

void TWinControl::SetTextBuf(const String& value) {
  FText = value;
  if (FHandle) Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()));
}

// ---- Messages --------------------------------------------------------------

LRESULT TWinControl::ColorControl(HDC dc) {
  SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(Font()->Color())));
  SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(FBrush->Color())));
  return reinterpret_cast<LRESULT>(FBrush->Handle());
}

namespace {
// Reflects a notification to the child window that sent it.
bool ReflectToChild(HWND child, TMessage& m) {
  TWinControl* control = FindControl(child);
  if (!control) return false;
  m.Result = control->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
  return true;
}
}  // namespace

void TWinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_SETFOCUS: {
      TCustomForm* form = GetParentForm(this);
      if (form && !form->SetFocusedControl(this)) return;
      break;
    }
    case WM_KILLFOCUS:
      if (FControlState.Contains(csFocusing)) return;
      break;
    case WM_MOUSEWHEEL:
      if (DispatchMouseWheel(this, m)) return;
      break;
    case WM_NCHITTEST:
      TControl::WndProc(m);
      if (m.Result == HTTRANSPARENT) {
        TPoint p = ScreenToClient(TPoint(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)));
        if (ControlAtPos(p, false)) m.Result = HTCLIENT;
      }
      return;
    default:
      if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MOUSELAST && IsControlMouseMsg(m)) {
        if (m.Result == 0 && FHandle) DefWindowProcW(FHandle, m.Msg, m.WParam, m.LParam);
        return;
      }
      break;
  }

  switch (m.Msg) {
    case WM_PAINT:
      if (!FControlState.Contains(csCustomPaint) && FControls.empty())
        DefaultHandler(m);
      else
        PaintHandler(m);
      return;
    case WM_PRINTCLIENT:
      if (FDefWndProc == DefWindowProcW || FControlState.Contains(csCustomPaint) || !FControls.empty()) {
        TMessage paint{WM_PAINT, m.WParam, 0, 0};
        PaintHandler(paint);
      } else {
        DefaultHandler(m);
      }
      return;
    case WM_PRINT:
      DoPrint(m);
      return;
    case WM_ERASEBKGND: {
      if (FDefWndProc != DefWindowProcW && !FControlState.Contains(csCustomPaint)) break;
      RECT r;
      ::GetClientRect(FHandle, &r);
      FillRect(reinterpret_cast<HDC>(m.WParam), &r, FBrush->Handle());
      m.Result = 1;
      return;
    }
    case WM_COMMAND:
      if (m.LParam && ReflectToChild(reinterpret_cast<HWND>(m.LParam), m)) return;
      break;
    case WM_NOTIFY:
      if (ReflectToChild(reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom, m)) return;
      break;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      if (ReflectToChild(reinterpret_cast<HWND>(m.LParam), m)) return;
      break;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (m.LParam && ReflectToChild(reinterpret_cast<HWND>(m.LParam), m)) return;
      break;
    case WM_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
      if (dis->CtlType != ODT_MENU && ReflectToChild(dis->hwndItem, m)) return;
      break;
    }
    case WM_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
      if (mis->CtlType != ODT_MENU && FHandle &&
          ReflectToChild(GetDlgItem(FHandle, static_cast<int>(mis->CtlID)), m))
        return;
      break;
    }
    case WM_DELETEITEM:
      if (ReflectToChild(reinterpret_cast<DELETEITEMSTRUCT*>(m.LParam)->hwndItem, m)) return;
      break;
    case WM_COMPAREITEM:
      if (ReflectToChild(reinterpret_cast<COMPAREITEMSTRUCT*>(m.LParam)->hwndItem, m)) return;
      break;
    case WM_CHARTOITEM:
    case WM_VKEYTOITEM:
      if (ReflectToChild(reinterpret_cast<HWND>(m.LParam), m)) return;
      break;
    case WM_WINDOWPOSCHANGED:
      if (!FControlState.Contains(csDestroyingHandle)) UpdateBounds();
      DefaultHandler(m);
      return;
    case WM_SIZE:
      UpdateBounds();
      DefaultHandler(m);
      Realign();
      Resize();
      return;
    case WM_SETCURSOR: {
      if (reinterpret_cast<HWND>(m.WParam) == FHandle && LOWORD(m.LParam) == HTCLIENT) {
        TCursor cursor = Screen->Cursor();
        if (cursor == crDefault) {
          POINT p;
          GetCursorPos(&p);
          TControl* control = ControlAtPos(ScreenToClient(TPoint(p.x, p.y)), false);
          cursor = control && control->Cursor() != crDefault ? control->Cursor() : Cursor();
        }
        if (cursor != crDefault) {
          ::SetCursor(Screen->Cursors(cursor));
          m.Result = 1;
          return;
        }
      }
      break;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (DoKeyDown(m)) return;
      break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      if (DoKeyUp(m)) return;
      break;
    case WM_CHAR:
      if (DoKeyPress(m)) return;
      break;
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN: {
      m.Result = 1;
      if (IsMenuKey(m)) return;
      if (Perform(CM_CHILDKEY, m.WParam, reinterpret_cast<LPARAM>(this)) != 0) return;
      UINT mask = 0;
      switch (m.WParam) {
        case VK_TAB: mask = DLGC_WANTTAB; break;
        case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: mask = DLGC_WANTARROWS; break;
        case VK_RETURN: case VK_EXECUTE: case VK_ESCAPE: case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
      }
      if (mask && Perform(CM_WANTSPECIALKEY, m.WParam) == 0 && (Perform(WM_GETDLGCODE) & mask) == 0) {
        TCustomForm* form = GetParentForm(this);
        if (form && form->Perform(CM_DIALOGKEY, m.WParam, m.LParam) != 0) return;
      }
      m.Result = 0;
      return;
    }
    case CN_CHAR:
    case CN_SYSCHAR: {
      m.Result = 1;
      bool wantsChars = (Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) != 0;
      if (m.Msg == CN_SYSCHAR || !wantsChars) {
        TCustomForm* form = GetParentForm(this);
        if (form && form->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0) return;
      }
      m.Result = 0;
      return;
    }
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
    case CM_FOCUSCHANGED:
      Broadcast(m);
      return;
    case CM_ENTER:
      DoEnter();
      return;
    case CM_EXIT:
      DoExit();
      return;
    case CM_ENABLEDCHANGED:
      if (!Enabled() && Parent())
        if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(this, false);
      if (FHandle) EnableWindow(FHandle, Enabled());
      Invalidate();
      return;
    case CM_VISIBLECHANGED:
      if (!Visible() && Parent())
        if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(this, false);
      if (FHandle && Parent()) {
        SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                         (Visible() ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
      }
      return;
    case CM_FONTCHANGED:
      ApplyFont();
      Invalidate();
      NotifyControls(CM_PARENTFONTCHANGED);
      return;
    case CM_COLORCHANGED:
      FBrush->SetColor(Color());
      Invalidate();
      NotifyControls(CM_PARENTCOLORCHANGED);
      return;
    case CM_SHOWHINTCHANGED:
      NotifyControls(CM_PARENTSHOWHINTCHANGED);
      return;
    case CM_TABSTOPCHANGED:
      if (FHandle) {
        LONG style = GetWindowLongW(FHandle, GWL_STYLE);
        SetWindowLongW(FHandle, GWL_STYLE, FTabStop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
      }
      return;
    case CM_TEXTCHANGED:
      return;
    default:
      break;
  }
  TControl::WndProc(m);
}

void TWinControl::DefaultHandler(TMessage& m) {
  if (!FHandle) {
    TControl::DefaultHandler(m);
    return;
  }
  switch (m.Msg) {
    case CN_CTLCOLORMSGBOX:
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORDLG:
    case CN_CTLCOLORSCROLLBAR:
    case CN_CTLCOLORSTATIC:
      m.Result = ColorControl(reinterpret_cast<HDC>(m.WParam));
      return;
    default:
      if (m.Msg >= CN_BASE && m.Msg < CN_BASE + 0x400) {
        m.Result = 0;
        return;
      }
      m.Result = CallWindowProcW(FDefWndProc, FHandle, m.Msg, m.WParam, m.LParam);
  }
}

bool TWinControl::IsControlMouseMsg(TMessage& m) {
  TControl* control = nullptr;
  TPoint pos(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
  if (FHandle && GetCapture() == FHandle) {
    TControl* capture = GetCaptureControl();
    if (capture && capture != this && capture->Parent() == this) control = capture;
  } else {
    control = ControlAtPos(pos, false);
  }
  if (!control) return false;
  TPoint local(pos.X - control->Left(), pos.Y - control->Top());
  m.Result = control->Perform(m.Msg, m.WParam, MAKELPARAM(local.X, local.Y));
  return true;
}

// ---- Lookups ---------------------------------------------------------------

TWinControl* FindControl(HWND handle) {
  return dynamic_cast<TWinControl*>(WndDispatch::TargetOf(handle));
}

TCustomForm* GetParentForm(const TControl* control) {
  if (!control) return nullptr;
  while (control->Parent()) control = control->Parent();
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(control));
}

TControl* FindDragTarget(TPoint pos, bool allowDisabled) {
  HWND window = WindowFromPoint(POINT{pos.X, pos.Y});
  TWinControl* control = nullptr;
  while (window && !(control = FindControl(window))) window = GetParent(window);
  if (!control) return nullptr;
  if (TControl* inner = control->ControlAtPos(control->ScreenToClient(pos), allowDisabled)) return inner;
  return control;
}
