#include "controls/RxSpeedButton.h"

#include "controls/RxCursors.h"
#include "controls/RxParentPaint.h"
#include "controls/RxVCLUtils.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"

#include <windows.h>

namespace {

bool IsDownState(TRxButtonState s) {
  return s == TRxButtonState::rbsDown || s == TRxButtonState::rbsExclusive;
}

// The accelerator of a caption: the character after a single '&'.
bool IsAccelerator(char16_t key, const String& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != u'&') continue;
    if (caption[i + 1] == u'&') {
      ++i;
      continue;
    }
    return AnsiUpperChar(caption[i + 1]) == AnsiUpperChar(key);
  }
  return false;
}

// The platform's checkered brush of two colours (exclusive buttons).
void FillCheckered(TCanvas* canvas, const TRect& r, TColor a, TColor b) {
  TBitmap pattern;
  pattern.SetSize(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) pattern.Canvas()->SetPixels(x, y, ((x + y) % 2) ? b : a);
  HBRUSH brush = CreatePatternBrush(pattern.Handle());
  canvas->Changing();
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  FillRect(canvas->Handle(), &rc, brush);
  canvas->Changed();
  DeleteObject(brush);
}

}  // namespace

TRxSpeedButton::TRxSpeedButton(TComponent* AOwner)
    : TGraphicControl(AOwner),
      FGlyph(std::make_unique<TRxButtonGlyph>()),
      FDrawImage(std::make_unique<TBitmap>()) {
  SetBounds(Left(), Top(), 25, 25);
  SetControlStyle(TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks, csReplicatable});
  FGlyph->OnChange = [this](TObject*) { Invalidate(); };
  SetParentFont(true);
  SetParentShowHint(false);
  SetShowHint(true);
  InstallLibraryCursors();
}

TRxSpeedButton::~TRxSpeedButton() {
  FGlyph->OnChange = nullptr;
  if (FDropDownMenu) FDropDownMenu->RemoveFreeNotification(this);
}

TRxButtonState TRxSpeedButton::InitialGlyphState() const {
  if (!Enabled()) return TRxButtonState::rbsDisabled;
  return FFlat ? TRxButtonState::rbsInactive : TRxButtonState::rbsUp;
}

void TRxSpeedButton::Loaded() { FGlyph->PrepareStateImage(InitialGlyphState()); }

void TRxSpeedButton::Click() {
  if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
  TGraphicControl::Click();
}

// ---- Properties ----------------------------------------------------------

void TRxSpeedButton::SetGlyph(TBitmap* value) {
  FGlyph->SetGlyph(value);
  Invalidate();
}

void TRxSpeedButton::SetNumGlyphs(int value) {
  if (value > 5) value = 5;
  if (value == FGlyph->NumGlyphs()) return;
  FGlyph->SetNumGlyphs(value);
  Invalidate();
}

void TRxSpeedButton::SetWordWrap(bool value) {
  if (value == FGlyph->WordWrap()) return;
  FGlyph->SetWordWrap(value);
  Invalidate();
}

void TRxSpeedButton::SetAlignment(TAlignment value) {
  if (value == FGlyph->Alignment()) return;
  FGlyph->SetAlignment(value);
  Invalidate();
}

namespace {
template <class T>
bool Store(T& field, T value) {
  if (field == value) return false;
  field = value;
  return true;
}
}  // namespace

void TRxSpeedButton::SetLayout(TButtonLayout value) { if (Store(FLayout, value)) Invalidate(); }
void TRxSpeedButton::SetSpacing(int value) { if (Store(FSpacing, value)) Invalidate(); }
void TRxSpeedButton::SetFlat(bool value) { if (Store(FFlat, value)) Invalidate(); }
void TRxSpeedButton::SetFlatStandard(bool value) { if (Store(FFlatStandard, value)) Invalidate(); }
void TRxSpeedButton::SetStyle(TButtonStyle value) { if (Store(FStyle, value)) Invalidate(); }
void TRxSpeedButton::SetMarkDropDown(bool value) { if (Store(FMarkDropDown, value)) Invalidate(); }
void TRxSpeedButton::SetTransparent(bool value) { if (Store(FTransparent, value)) Invalidate(); }
void TRxSpeedButton::SetGrayedInactive(bool value) { if (Store(FInactiveGrayed, value)) Invalidate(); }
void TRxSpeedButton::SetThemedStyle(bool value) { if (Store(FThemedStyle, value)) Invalidate(); }

void TRxSpeedButton::SetMargin(int value) {
  if (value == FMargin || value < -1) return;
  FMargin = value;
  Invalidate();
}

void TRxSpeedButton::SetGroupIndex(int value) {
  if (value == FGroupIndex) return;
  FGroupIndex = value;
  UpdateExclusive();
}

void TRxSpeedButton::SetAllowAllUp(bool value) {
  if (value == FAllowAllUp) return;
  FAllowAllUp = value;
  UpdateExclusive();
}

void TRxSpeedButton::SetAllowTimer(bool value) {
  FAllowTimer = value;
  if (!value && FRepeatTimer) {
    FRepeatTimer->SetEnabled(false);
    delete FRepeatTimer;
    FRepeatTimer = nullptr;
  }
}

void TRxSpeedButton::SetDropDownMenu(TPopupMenu* value) {
  if (FDropDownMenu == value) return;
  if (FDropDownMenu) FDropDownMenu->RemoveFreeNotification(this);
  FDropDownMenu = value;
  if (value) value->FreeNotification(this);
  if (FMarkDropDown) Invalidate();
}

void TRxSpeedButton::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FDropDownMenu) FDropDownMenu = nullptr;
  if (Operation == TOperation::opRemove && AComponent == FRepeatTimer) FRepeatTimer = nullptr;
}

void TRxSpeedButton::SetDown(bool value) {
  if (FGroupIndex == 0) value = false;
  if (value == FDown) return;
  if (FDown && !FAllowAllUp) return;
  FDown = value;
  if (value) {
    if (FState == TRxButtonState::rbsUp) Invalidate();
    FState = TRxButtonState::rbsExclusive;
  } else {
    FState = TRxButtonState::rbsUp;
  }
  Repaint();
  if (value) UpdateExclusive();
  Invalidate();
}

void TRxSpeedButton::UpdateExclusive() {
  if (FGroupIndex == 0 || !Parent()) return;
  TMessage message;
  message.Msg = CM_RXBUTTONPRESSED;
  message.WParam = static_cast<WPARAM>(FGroupIndex);
  message.LParam = reinterpret_cast<LPARAM>(this);
  Parent()->Broadcast(message);
}

void TRxSpeedButton::ButtonPressed(TMessage& message) {
  if (static_cast<int>(message.WParam) != FGroupIndex || !Parent() || !Parent()->HandleAllocated())
    return;
  auto* sender = reinterpret_cast<TRxSpeedButton*>(message.LParam);
  if (sender == this) return;
  if (sender->Down() && FDown) {
    FDown = false;
    FState = TRxButtonState::rbsUp;
    Repaint();
  }
  FAllowAllUp = sender->AllowAllUp();
}

// ---- Painting ------------------------------------------------------------

void TRxSpeedButton::Paint() { PaintButton(Canvas()); }

void TRxSpeedButton::PaintButton(TCanvas* target) {
  if (!Enabled()) {
    FState = TRxButtonState::rbsDisabled;
    FDragging = false;
  } else if (FState == TRxButtonState::rbsDisabled) {
    FState = FDown && FGroupIndex != 0 ? TRxButtonState::rbsExclusive : TRxButtonState::rbsUp;
  }
  TRxButtonState paintState = FState;
  if (FFlat && !FMouseInControl && !(ComponentState() & csDesigning))
    paintState = TRxButtonState::rbsInactive;
  // No theming facility is available here: buttons are always self-drawn.
  DrawSelfDrawn(target, paintState);
}

void TRxSpeedButton::DrawSelfDrawn(TCanvas* target, TRxButtonState paintState) {
  const int w = Width();
  const int h = Height();
  if (w <= 0 || h <= 0) return;
  if (FDrawImage->Width() != w || FDrawImage->Height() != h) FDrawImage->SetSize(w, h);
  TCanvas* c = FDrawImage->Canvas();
  c->SetFont(Font());
  c->Brush()->SetColor(clBtnFace);
  c->Brush()->SetStyle(bsSolid);
  c->FillRect(Rect(0, 0, w, h));
  if (FTransparent) PaintParentBackground(this, c);

  TRect r = Rect(0, 0, w, h);
  if (!(paintState == TRxButtonState::rbsInactive && FState != TRxButtonState::rbsExclusive)) {
    r = DrawSpeedButtonFrame(c, r, IsDownState(FState), FStyle, FFlat);
  } else {
    r = Rect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2);
  }
  if (FState == TRxButtonState::rbsExclusive && !FTransparent &&
      (!FFlat || paintState == TRxButtonState::rbsInactive)) {
    FillCheckered(c, Rect(r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1), clBtnFace,
                  clBtnHighlight);
  }
  if (IsDownState(FState)) r = Rect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
  const TRxButtonState contentState =
      (FState == TRxButtonState::rbsDisabled || !FInactiveGrayed) ? FState : paintState;
  PaintContent(c, r, FMarkDropDown && FDropDownMenu, contentState);
  target->CopyRect(Rect(0, 0, w, h), c, Rect(0, 0, w, h));
}

void TRxSpeedButton::PaintContent(TCanvas* canvas, const TRect& rect, bool drawMark,
                                  TRxButtonState state) {
  if (FFlatStandard && state == TRxButtonState::rbsInactive) state = TRxButtonState::rbsExclusive;
  static constexpr UINT kAlignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  canvas->Font()->SetColor(Font()->Color());
  FGlyph->Draw(canvas, rect, Caption(), FLayout, FMargin, FSpacing, drawMark, state,
               kAlignments[FGlyph->Alignment()]);
}

// ---- Mouse ---------------------------------------------------------------

bool TRxSpeedButton::PointOnButton(int x, int y) {
  // The row just below the client area counts, as it always has.
  return x >= 0 && x < ClientWidth() && y >= 0 && y <= ClientHeight();
}

void TRxSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FMenuTracking) return;
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (!FMouseInControl && Enabled()) {
    FMouseInControl = true;
    Repaint();
  }
  if (Button != mbLeft || !Enabled()) return;
  if (!FDown) {
    FState = TRxButtonState::rbsDown;
    Repaint();
  }
  FDragging = true;
  FMenuTracking = true;
  struct TEndTracking {
    bool& Flag;
    ~TEndTracking() { Flag = false; }
  } endTracking{FMenuTracking};
  if (PopupDropDownMenu(DropDownMenuPoint(), false)) FinishPress(Button, X, Y);
  // The click that closed the menu must not press the button again.
  MSG msg;
  if (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE) &&
      (msg.message == WM_LBUTTONDOWN || msg.message == WM_LBUTTONDBLCLK)) {
    const TPoint p = ScreenToClient(TPoint(msg.pt.x, msg.pt.y));
    if (PointOnButton(p.X, p.Y)) RemovePendingMessage(nullptr, msg.message);
  }
  if (FAllowTimer) {
    if (!FRepeatTimer) FRepeatTimer = new TTimer(this);
    FRepeatTimer->SetEnabled(false);
    FRepeatTimer->SetInterval(FInitRepeatPause);
    FRepeatTimer->OnTimer = [this](TObject*) { RepeatTimerExpired(); };
    FRepeatTimer->SetEnabled(true);
  }
}

void TRxSpeedButton::RepeatTimerExpired() {
  FRepeatTimer->SetInterval(FRepeatPause);
  if (FState == TRxButtonState::rbsDown && MouseCapture()) {
    try {
      Click();
    } catch (...) {
      FRepeatTimer->SetEnabled(false);
      throw;
    }
  }
}

void TRxSpeedButton::StopRepeatTimer() {
  if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
}

void TRxSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!FDragging) return;
  TRxButtonState state;
  if (FDown)
    state = TRxButtonState::rbsExclusive;
  else
    state = PointOnButton(X, Y) ? TRxButtonState::rbsDown : TRxButtonState::rbsUp;
  if (state != FState) {
    FState = state;
    Repaint();
  }
}

void TRxSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  FinishPress(Button, X, Y);
  StopRepeatTimer();
}

void TRxSpeedButton::FinishPress(TMouseButton button, int x, int y) {
  if (FDragging && button == mbLeft) {
    FDragging = false;
    const bool doClick = PointOnButton(x, y);
    if (FGroupIndex == 0) {
      FState = TRxButtonState::rbsUp;
      FMouseInControl = false;
      if (doClick)
        Repaint();
      else
        Invalidate();
    } else if (doClick) {
      SetDown(!FDown);
      if (FDown) Repaint();
    } else {
      if (FDown) FState = TRxButtonState::rbsExclusive;
      Repaint();
    }
    if (doClick && !FMenuTracking) Click();
  }
  UpdateTracking();
}

void TRxSpeedButton::ButtonClick() {
  if (FMenuTracking || !Enabled() || (FDropDownMenu && FDropDownMenu->AutoPopup())) return;
  if (!FDown) {
    FState = TRxButtonState::rbsDown;
    Repaint();
  }
  struct TRelease {
    TRxSpeedButton* Button;
    ~TRelease() noexcept(false) {
      Button->FState = TRxButtonState::rbsUp;
      if (Button->FGroupIndex == 0) {
        Button->Repaint();
      } else {
        Button->SetDown(!Button->FDown);
        Button->Click();
      }
    }
  };
  TRelease release{this};
  const DWORD start = GetTickCount();
  for (;;) {
    const DWORD now = GetTickCount();
    if (now < start || now - start >= 20) break;
  }
  if (FGroupIndex == 0) Click();
}

TPoint TRxSpeedButton::DropDownMenuPoint() {
  if (!FDropDownMenu) return {0, 0};
  const TPopupAlignment a = FDropDownMenu->Alignment();
  if (FMenuPosition == TRxDropDownMenuPos::dmpBottom) {
    if (a == paLeft) return {-1, Height()};
    if (a == paRight) return {Width() + 1, Height()};
    return {Width() / 2, Height()};
  }
  if (a == paLeft) return {Width(), -1};
  if (a == paRight) return {-1, -1};
  return {Width() / 2, Height()};
}

bool TRxSpeedButton::PopupDropDownMenu(TPoint pos, bool manual) {
  if ((ComponentState() & csDesigning) || !FDropDownMenu) return false;
  if (!manual && !FDropDownMenu->AutoPopup()) return false;
  if (TCustomForm* form = GetParentForm(this)) form->Perform(CM_CANCELMODE, 0, 0);
  FDropDownMenu->SetPopupComponent(this);
  const TPoint at = ClientToScreen(pos);
  FDropDownMenu->Popup(at.X, at.Y);
  return true;
}

bool TRxSpeedButton::CheckBtnMenuDropDown() { return PopupDropDownMenu(DropDownMenuPoint(), true); }

void TRxSpeedButton::UpdateTracking() {
  const bool was = FMouseInControl;
  POINT p;
  GetCursorPos(&p);
  FMouseInControl = Enabled() && FindDragTarget(TPoint(p.x, p.y), true) == this && AppWindowActive();
  if (FMouseInControl == was) return;
  if (FMouseInControl) {
    if (FFlat) Repaint();
    FireMouseEnter();
  } else {
    if (FFlat) Invalidate();
    FireMouseLeave();
  }
}

void TRxSpeedButton::FireMouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TRxSpeedButton::FireMouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

void TRxSpeedButton::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_RXBUTTONPRESSED:
      ButtonPressed(Message);
      return;
    case CM_MOUSEENTER:
      if (!FMouseInControl && Enabled() && AppWindowActive()) {
        FMouseInControl = true;
        if (FFlat) Repaint();
        FireMouseEnter();
      }
      return;
    case CM_MOUSELEAVE:
      if (FMouseInControl && Enabled() && !FDragging) {
        FMouseInControl = false;
        if (FFlat) Invalidate();
        FireMouseLeave();
      }
      return;
    case CM_ENABLEDCHANGED:
      TGraphicControl::WndProc(Message);
      FGlyph->PrepareStateImage(InitialGlyphState());
      UpdateTracking();
      Repaint();
      return;
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
      TGraphicControl::WndProc(Message);
      Invalidate();
      return;
    case CM_SYSCOLORCHANGE:
      FGlyph->Invalidate();
      Invalidate();
      return;
    case CM_VISIBLECHANGED:
      TGraphicControl::WndProc(Message);
      if (Visible()) UpdateTracking();
      return;
    case CM_DIALOGCHAR:
      if (IsAccelerator(static_cast<char16_t>(Message.WParam), Caption()) && Enabled()) {
        Click();
        Message.Result = 1;
        return;
      }
      break;
    case WM_LBUTTONDBLCLK:
      if (FMenuTracking) return;
      TGraphicControl::WndProc(Message);
      if (FDown) DblClick();
      return;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      TGraphicControl::WndProc(Message);
      UpdateTracking();
      return;
    default:
      break;
  }
  TGraphicControl::WndProc(Message);
}

