#include "platform/rtl/Exceptions.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include <windowsx.h>
#include <algorithm>

namespace {
// The windowless control that has the mouse captured through its parent.
TControl* gCaptureControl = nullptr;

TPoint MousePos(const TMessage& m) { return TPoint(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)); }
}  // namespace

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), FFont(std::make_unique<TFont>()) {
  FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FFont->OnChange = [this](TObject*) { FontChanged(); };
  WindowProc = [this](TMessage& m) { WndProc(m); };
}

TControl::~TControl() {
  BeginDestroy();
  if (gCaptureControl == this) {
    gCaptureControl = nullptr;
    ReleaseCapture();
  }
  if (TApplication* app = TApplicationRef::Peek()) app->ControlDestroyed(this);
  if (FParent) FParent->RemoveControl(this);
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
}

void TControl::SetParent(TWinControl* AParent) {
  if (FParent == AParent) return;
  if (AParent == this) throw EInvalidOperation(u"A control cannot have itself as its parent");
  if (FParent) FParent->RemoveControl(this);
  if (AParent) AParent->InsertControl(this);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  bool sized = AWidth != FWidth || AHeight != FHeight;
  Invalidate();
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  UpdateAnchorRules();
  Invalidate();
  RequestAlign();
  if (sized) Resize();
}

void TControl::SetClientWidth(int value) {
  SetBounds(FLeft, FTop, FWidth - ClientWidth() + value, FHeight);
}

void TControl::SetClientHeight(int value) {
  SetBounds(FLeft, FTop, FWidth, FHeight - ClientHeight() + value);
}

TRect TControl::GetClientRect() { return TRect(0, 0, FWidth, FHeight); }

TPoint TControl::ClientOrigin() {
  if (!FParent) throw EInvalidOperation(u"Control '" + Name() + u"' has no parent window");
  TPoint p = FParent->ClientOrigin();
  return TPoint(p.X + FLeft, p.Y + FTop);
}

TPoint TControl::ClientToScreen(TPoint point) {
  TPoint o = ClientOrigin();
  return TPoint(point.X + o.X, point.Y + o.Y);
}

TPoint TControl::ScreenToClient(TPoint point) {
  TPoint o = ClientOrigin();
  return TPoint(point.X - o.X, point.Y - o.Y);
}

void TControl::SetAlign(TAlign value) {
  if (FAlign == value) return;
  TAlign old = FAlign;
  FAlign = value;
  // An aligned control fills its edge; anchors then follow the alignment.
  switch (value) {
    case alTop: FAnchors = TAnchors{akLeft, akTop, akRight}; break;
    case alBottom: FAnchors = TAnchors{akLeft, akRight, akBottom}; break;
    case alLeft: FAnchors = TAnchors{akLeft, akTop, akBottom}; break;
    case alRight: FAnchors = TAnchors{akTop, akRight, akBottom}; break;
    case alClient: FAnchors = TAnchors{akLeft, akTop, akRight, akBottom}; break;
    default:
      if (old != alNone) FAnchors = TAnchors{akLeft, akTop};
      break;
  }
  RequestAlign();
}

void TControl::SetAnchors(TAnchors value) {
  if (FAnchors == value) return;
  FAnchors = value;
  UpdateAnchorRules();
}

void TControl::UpdateAnchorRules() {
  FAnchorsValid = false;
  if (!FParent || FParent->FAligning) return;
  TRect client = FParent->GetClientRect();
  FAnchorRight = client.Width() - (FLeft + FWidth);
  FAnchorBottom = client.Height() - (FTop + FHeight);
  FAnchorsValid = true;
}

void TControl::AnchorTo(int parentWidth, int parentHeight) {
  if (!FAnchorsValid || FAlign != alNone) return;
  bool right = FAnchors.Contains(akRight), bottom = FAnchors.Contains(akBottom);
  if (!right && !bottom) return;
  int l = FLeft, t = FTop, w = FWidth, h = FHeight;
  if (right) {
    if (FAnchors.Contains(akLeft))
      w = parentWidth - FAnchorRight - l;
    else
      l = parentWidth - FAnchorRight - w;
  }
  if (bottom) {
    if (FAnchors.Contains(akTop))
      h = parentHeight - FAnchorBottom - t;
    else
      t = parentHeight - FAnchorBottom - h;
  }
  int keepRight = FAnchorRight, keepBottom = FAnchorBottom;
  SetBounds(l, t, w < 0 ? 0 : w, h < 0 ? 0 : h);
  FAnchorRight = keepRight;
  FAnchorBottom = keepBottom;
  FAnchorsValid = true;
}

void TControl::RequestAlign() {
  if (FParent) FParent->AlignControl(this);
}

void TControl::SetVisible(bool value) {
  if (FVisible == value) return;
  VisibleChanging();
  Invalidate();
  FVisible = value;
  Perform(CM_VISIBLECHANGED, value ? 1 : 0);
  RequestAlign();
}

void TControl::Show() {
  if (FParent) FParent->Show();
  SetVisible(true);
}

bool TControl::IsShowing() const { return FVisible && FParent && FParent->IsShowing(); }

void TControl::SetEnabled(bool value) {
  if (FEnabled == value) return;
  FEnabled = value;
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetShowHint(bool value) {
  if (FShowHint != value) {
    FShowHint = value;
    Perform(CM_SHOWHINTCHANGED);
  }
  FParentShowHint = false;
}

void TControl::SetParentShowHint(bool value) {
  if (FParentShowHint == value) return;
  FParentShowHint = value;
  if (value && FParent) {
    FShowHint = FParent->ShowHint();
    Perform(CM_SHOWHINTCHANGED);
    FParentShowHint = true;
  }
}

void TControl::FontChanged() {
  if (!FUpdatingFromParent) FParentFont = false;
  Perform(CM_FONTCHANGED);
}

void TControl::SetParentFont(bool value) {
  if (FParentFont == value) return;
  FParentFont = value;
  if (value && FParent) Perform(CM_PARENTFONTCHANGED);
}

void TControl::SetColor(TColor value) {
  if (FColor != value) {
    FColor = value;
    Perform(CM_COLORCHANGED);
  }
  if (!FUpdatingFromParent) FParentColor = false;
}

void TControl::SetParentColor(bool value) {
  if (FParentColor == value) return;
  FParentColor = value;
  if (value && FParent) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetCursor(TCursor value) {
  if (FCursor == value) return;
  FCursor = value;
  Perform(CM_CURSORCHANGED);
}

void TControl::SetPopupMenu(TPopupMenu* value) {
  if (FPopupMenu == value) return;
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = value;
  if (value) value->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

void TControl::SetText(const String& value) {
  if (GetText() == value) return;
  SetTextBuf(value);
  Perform(CM_TEXTCHANGED);
}

void TControl::SetTextBuf(const String& value) { FText = value; }

void TControl::Invalidate() {
  if (!FParent || !FParent->HandleAllocated() || !FVisible) return;
  RECT r{FLeft, FTop, FLeft + FWidth, FTop + FHeight};
  InvalidateRect(FParent->FHandle, &r, !FControlStyle.Contains(csOpaque));
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::Update() {
  if (FParent) FParent->Update();
}

void TControl::BringToFront() { SetZOrder(true); }
void TControl::SendToBack() { SetZOrder(false); }

void TControl::SetZOrder(bool topMost) {
  if (!FParent) return;
  auto& list = FParent->FControls;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  if (topMost)
    list.push_back(this);
  else
    list.insert(list.begin(), this);
  Invalidate();
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage m{Msg, WParam, LParam, 0};
  if (WindowProc)
    WindowProc(m);
  else
    WndProc(m);
  return m.Result;
}

bool TControl::MouseCapture() const {
  if (auto* w = dynamic_cast<const TWinControl*>(this)) return w->FHandle && GetCapture() == w->FHandle;
  return gCaptureControl == this;
}

void TControl::SetMouseCapture(bool value) {
  if (MouseCapture() == value) return;
  if (auto* w = dynamic_cast<TWinControl*>(this)) {
    if (value) {
      gCaptureControl = nullptr;
      SetCapture(w->Handle());
    } else {
      ReleaseCapture();
    }
    return;
  }
  if (value) {
    if (!FParent || !FParent->HandleAllocated()) return;
    gCaptureControl = this;
    SetCapture(FParent->FHandle);
  } else {
    gCaptureControl = nullptr;
    ReleaseCapture();
  }
}

TControl* GetCaptureControl() {
  HWND capture = GetCapture();
  if (!capture) return nullptr;
  if (gCaptureControl && gCaptureControl->Parent() && gCaptureControl->Parent()->HandleAllocated() &&
      gCaptureControl->Parent()->Handle() == capture)
    return gCaptureControl;
  return FindControl(capture);
}

void TControl::Click() { FireEvent(OnClick, this); }
void TControl::DblClick() { FireEvent(OnDblClick, this); }
void TControl::Resize() { FireEvent(OnResize, this); }

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FireEvent(OnMouseDown, this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) { FireEvent(OnMouseMove, this, Shift, X, Y); }

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FireEvent(OnMouseUp, this, Button, Shift, X, Y);
}

void TControl::DoMouseDown(TMessage& m, TMouseButton button, TShiftState extra) {
  if (FControlStyle.Contains(csNoStdEvents)) return;
  TPoint p = MousePos(m);
  MouseDown(button, KeysToShiftState(m.WParam) + extra, p.X, p.Y);
}

void TControl::DoMouseUp(TMessage& m, TMouseButton button) {
  if (FControlStyle.Contains(csNoStdEvents)) return;
  TPoint p = MousePos(m);
  MouseUp(button, KeysToShiftState(m.WParam), p.X, p.Y);
}

void TControl::WndProc(TMessage& m) {
  if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MOUSELAST) {
    if (!FControlStyle.Contains(csDoubleClicks)) {
      switch (m.Msg) {
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
          m.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
          break;
      }
    }
    if (m.Msg == WM_MOUSEMOVE) Application->HintMouseMessage(this, m);
  }

  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (TCustomForm* form = GetParentForm(this)) form->SendCancelMode(this);
      DefaultHandler(m);
      if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
      if (m.Msg == WM_LBUTTONDBLCLK) {
        if (FControlStyle.Contains(csClickEvents)) DblClick();
        DoMouseDown(m, mbLeft, TShiftState{ssDouble});
      } else {
        if (FControlStyle.Contains(csClickEvents)) FControlState.Include(csClicked);
        DoMouseDown(m, mbLeft, TShiftState());
      }
      return;
    }
    case WM_LBUTTONUP: {
      DefaultHandler(m);
      if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(false);
      if (FControlState.Contains(csClicked)) {
        FControlState.Exclude(csClicked);
        if (GetClientRect().Contains(MousePos(m))) Click();
      }
      DoMouseUp(m, mbLeft);
      return;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      DefaultHandler(m);
      DoMouseDown(m, mbRight, m.Msg == WM_RBUTTONDBLCLK ? TShiftState{ssDouble} : TShiftState());
      return;
    case WM_RBUTTONUP:
      DefaultHandler(m);
      DoMouseUp(m, mbRight);
      return;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      DefaultHandler(m);
      DoMouseDown(m, mbMiddle, m.Msg == WM_MBUTTONDBLCLK ? TShiftState{ssDouble} : TShiftState());
      return;
    case WM_MBUTTONUP:
      DefaultHandler(m);
      DoMouseUp(m, mbMiddle);
      return;
    case WM_MOUSEMOVE: {
      DefaultHandler(m);
      if (!FControlStyle.Contains(csNoStdEvents)) {
        TPoint p = MousePos(m);
        MouseMove(KeysToShiftState(m.WParam), p.X, p.Y);
      }
      return;
    }
    case WM_CONTEXTMENU: {
      if (FPopupMenu && FPopupMenu->AutoPopup()) {
        TPoint p(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
        // From the keyboard the point is (-1, -1): open at the control.
        if (p.X == -1 && p.Y == -1) p = ClientToScreen(TPoint(0, 0));
        FPopupMenu->SetPopupComponent(this);
        FPopupMenu->Popup(p.X, p.Y);
        m.Result = 1;
        return;
      }
      DefaultHandler(m);
      return;
    }
    case WM_CANCELMODE:
      if (MouseCapture()) SetMouseCapture(false);
      FControlState.Exclude(csClicked);
      DefaultHandler(m);
      return;
    case CM_MOUSEENTER:
      FMouseInClient = true;
      FireEvent(OnMouseEnter, this);
      return;
    case CM_MOUSELEAVE:
      FMouseInClient = false;
      FireEvent(OnMouseLeave, this);
      return;
    case CM_HITTEST:
      m.Result = HTCLIENT;
      return;
    case CM_VISIBLECHANGED:
    case CM_ENABLEDCHANGED:
    case CM_FONTCHANGED:
    case CM_COLORCHANGED:
    case CM_TEXTCHANGED:
      Invalidate();
      return;
    case CM_PARENTFONTCHANGED:
      if (FParentFont && FParent) {
        FUpdatingFromParent = true;
        try {
          FFont->Assign(*FParent->Font());
        } catch (...) {
          FUpdatingFromParent = false;
          throw;
        }
        FUpdatingFromParent = false;
        FParentFont = true;
      }
      return;
    case CM_PARENTCOLORCHANGED:
      if (FParentColor && FParent) {
        FUpdatingFromParent = true;
        SetColor(FParent->Color());
        FUpdatingFromParent = false;
        FParentColor = true;
      }
      return;
    case CM_PARENTSHOWHINTCHANGED:
      if (FParentShowHint && FParent) {
        SetShowHint(FParent->ShowHint());
        FParentShowHint = true;
      }
      return;
    default:
      break;
  }
  DefaultHandler(m);
}

void TControl::DefaultHandler(TMessage& m) {
  switch (m.Msg) {
    case WM_GETTEXT: {
      if (m.WParam == 0) {
        m.Result = 0;
        return;
      }
      size_t n = std::min<size_t>(FText.size(), m.WParam - 1);
      auto* dest = reinterpret_cast<char16_t*>(m.LParam);
      FText.copy(dest, n);
      dest[n] = 0;
      m.Result = static_cast<LRESULT>(n);
      return;
    }
    case WM_GETTEXTLENGTH:
      m.Result = static_cast<LRESULT>(FText.size());
      return;
    case WM_SETTEXT:
      FText = m.LParam ? String(reinterpret_cast<const char16_t*>(m.LParam)) : String();
      m.Result = 1;
      return;
    default:
      m.Result = 0;
  }
}
