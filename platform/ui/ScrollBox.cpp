#include "platform/ui/ScrollBox.h"
#include "platform/ui/ScrollBars.h"
#include <algorithm>

TScrollBox::TScrollBox(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  SetBounds(0, 0, 185, 41);
}

void TScrollBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  if (FBorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TScrollBox::SetBorderStyle(TBorderStyle value) {
  if (FBorderStyle == value) return;
  FBorderStyle = value;
  RecreateWnd();
}

void TScrollBox::SetAutoScroll(bool value) {
  if (FAutoScroll == value) return;
  FAutoScroll = value;
  if (!value) ScrollTo(0, 0);
  UpdateScrollBars();
}

void TScrollBox::AlignControls(TControl* AControl, TRect& Rect) {
  TWinControl::AlignControls(AControl, Rect);
  if (!FUpdating) UpdateScrollBars();
}

void TScrollBox::UpdateScrollBars() {
  if (!HandleAllocated() || FUpdating) return;
  FUpdating = true;
  // The content's extent, in unscrolled coordinates.
  int right = 0, bottom = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (!c->Visible() || c->Align() != alNone) continue;
    right = std::max(right, c->Left() + c->Width() + FScrollX);
    bottom = std::max(bottom, c->Top() + c->Height() + FScrollY);
  }
  FRangeX = FAutoScroll ? right : 0;
  FRangeY = FAutoScroll ? bottom : 0;
  for (int pass = 0; pass < 2; ++pass) {
    RECT client;
    ::GetClientRect(FHandle, &client);
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = FRangeX > client.right ? FRangeX - 1 : 0;
    info.nPage = FRangeX > client.right ? static_cast<UINT>(client.right) : 0;
    info.nPos = FScrollX;
    SetScrollInfoIfChanged(FHandle, SB_HORZ, info);
    info.nMax = FRangeY > client.bottom ? FRangeY - 1 : 0;
    info.nPage = FRangeY > client.bottom ? static_cast<UINT>(client.bottom) : 0;
    info.nPos = FScrollY;
    SetScrollInfoIfChanged(FHandle, SB_VERT, info);
  }
  FUpdating = false;
  RECT client;
  ::GetClientRect(FHandle, &client);
  int maxX = std::max(0, FRangeX - static_cast<int>(client.right));
  int maxY = std::max(0, FRangeY - static_cast<int>(client.bottom));
  if (FScrollX > maxX || FScrollY > maxY) ScrollTo(std::min(FScrollX, maxX), std::min(FScrollY, maxY));
}

void TScrollBox::ScrollTo(int x, int y) {
  x = std::max(0, x);
  y = std::max(0, y);
  int dx = FScrollX - x, dy = FScrollY - y;
  if (dx == 0 && dy == 0) return;
  FScrollX = x;
  FScrollY = y;
  FUpdating = true;
  DisableAlign();
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (c->Align() == alNone) c->SetBounds(c->Left() + dx, c->Top() + dy, c->Width(), c->Height());
  }
  FUpdating = false;
  EnableAlign();
  if (HandleAllocated()) {
    SetScrollPos(FHandle, SB_HORZ, FScrollX, TRUE);
    SetScrollPos(FHandle, SB_VERT, FScrollY, TRUE);
    Invalidate();
  }
}

TPoint TScrollBox::ScrollRange() const {
  if (!HandleAllocated()) return TPoint(0, 0);
  RECT client;
  ::GetClientRect(FHandle, &client);
  return TPoint(std::max(0, FRangeX - static_cast<int>(client.right)),
                std::max(0, FRangeY - static_cast<int>(client.bottom)));
}

void TScrollBox::ScrollInView(TControl* control) {
  if (!control || !ContainsControl(control) || control->Parent() != this) return;
  TRect client = ClientRect();
  int x = FScrollX, y = FScrollY;
  if (control->Left() < 0) x += control->Left();
  else if (control->Left() + control->Width() > client.Right) x += control->Left() + control->Width() - client.Right;
  if (control->Top() < 0) y += control->Top();
  else if (control->Top() + control->Height() > client.Bottom) y += control->Top() + control->Height() - client.Bottom;
  ScrollTo(x, y);
}

void TScrollBox::Scroll(int bar, int code) {
  RECT client;
  ::GetClientRect(FHandle, &client);
  int page = bar == SB_HORZ ? client.right : client.bottom;
  int range = bar == SB_HORZ ? FRangeX : FRangeY;
  int pos = bar == SB_HORZ ? FScrollX : FScrollY;
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_TRACKPOS;
  GetScrollInfo(FHandle, bar, &info);
  switch (code) {
    case SB_LINEUP: pos -= 8; break;
    case SB_LINEDOWN: pos += 8; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = info.nTrackPos; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = range; break;
    default: return;
  }
  pos = std::max(0, std::min(pos, range - page));
  if (bar == SB_HORZ)
    ScrollTo(pos, FScrollY);
  else
    ScrollTo(FScrollX, pos);
}

void TScrollBox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_HSCROLL:
      if (m.LParam == 0) {
        Scroll(SB_HORZ, LOWORD(m.WParam));
        return;
      }
      break;
    case WM_VSCROLL:
      if (m.LParam == 0) {
        Scroll(SB_VERT, LOWORD(m.WParam));
        return;
      }
      break;
    case WM_MOUSEWHEEL:
      if (DispatchMouseWheel(this, m)) return;
      ScrollTo(FScrollX, FScrollY - GET_WHEEL_DELTA_WPARAM(m.WParam) / WHEEL_DELTA * 24);
      UpdateScrollBars();
      return;
    default:
      break;
  }
  TWinControl::WndProc(m);
}
