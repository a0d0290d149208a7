#include "platform/ui/Buttons.h"

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
  FControlStyle = TControlStyle{csCaptureMouse, csDoubleClicks};
  FGlyph->OnChange = [this](TObject*) { Invalidate(); };
  SetBounds(0, 0, 23, 22);
}

TSpeedButton::~TSpeedButton() { FGlyph->OnChange = nullptr; }

void TSpeedButton::SetGlyph(const TBitmap* value) {
  AssignButtonGlyph(FGlyph.get(), value, FNumGlyphs);
  Invalidate();
}

void TSpeedButton::SetNumGlyphs(int value) {
  value = ClampNumGlyphs(value);
  if (FNumGlyphs == value) return;
  FNumGlyphs = value;
  Invalidate();
}

void TSpeedButton::SetFlat(bool value) {
  if (FFlat == value) return;
  FFlat = value;
  Invalidate();
}

void TSpeedButton::SetGroupIndex(int value) {
  if (FGroupIndex == value) return;
  FGroupIndex = value;
  if (value == 0) SetDown(false);
}

void TSpeedButton::SetDown(bool value) {
  if (FGroupIndex == 0) value = false;
  if (value == FDown) return;
  if (FDown && !FAllowAllUp) {
    // The last button down in its group stays down unless it may go up.
    bool other = false;
    if (Parent())
      for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* b = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
        if (b && b != this && b->FGroupIndex == FGroupIndex && b->FDown) other = true;
      }
    if (!other && !value) return;
  }
  FDown = value;
  if (value && Parent()) {
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
      auto* b = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
      if (b && b != this && b->FGroupIndex == FGroupIndex && b->FDown) {
        b->FDown = false;
        b->Invalidate();
      }
    }
  }
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout value) {
  if (FLayout == value) return;
  FLayout = value;
  Invalidate();
}

void TSpeedButton::SetMargin(int value) {
  if (FMargin == value) return;
  FMargin = value;
  Invalidate();
}

void TSpeedButton::SetSpacing(int value) {
  if (FSpacing == value) return;
  FSpacing = value;
  Invalidate();
}

void TSpeedButton::SetTransparent(bool value) {
  if (FTransparent == value) return;
  FTransparent = value;
  Invalidate();
}

void TSpeedButton::Click() { TGraphicControl::Click(); }

void TSpeedButton::Paint() {
  TCanvas* canvas = Canvas();
  TRect r = ClientRect();
  RECT rr{r.Left, r.Top, r.Right, r.Bottom};
  HDC dc = canvas->Handle();
  bool down = FPressed || FDown;
  TButtonState state = !Enabled() ? bsDisabled : FPressed ? bsDown : FDown ? bsExclusive : bsUp;
  if (!FFlat) {
    DrawFrameControl(dc, &rr, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
  } else {
    if (!FTransparent || down) {
      canvas->Brush()->SetColor(down && !FPressed ? clBtnHighlight : Color());
      canvas->Brush()->SetStyle(bsSolid);
      canvas->FillRect(r);
    }
    if (down)
      DrawEdge(dc, &rr, BDR_SUNKENOUTER, BF_RECT);
    else if (MouseInClient() && Enabled())
      DrawEdge(dc, &rr, BDR_RAISEDINNER, BF_RECT);
  }
  canvas->Font()->Assign(*Font());
  TRect content(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2);
  DrawButtonContent(canvas, content, FGlyph.get(), FNumGlyphs, Caption(), FLayout, FMargin, FSpacing, state);
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !Enabled()) return;
  FPressed = true;
  FDragging = true;
  Repaint();
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!FDragging) return;
  bool inside = ClientRect().Contains(TPoint(X, Y));
  if (inside != FPressed) {
    FPressed = inside;
    Invalidate();
  }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!FDragging) return;
  FDragging = false;
  bool inside = ClientRect().Contains(TPoint(X, Y));
  FPressed = false;
  if (inside && FGroupIndex != 0) SetDown(!(FDown && FAllowAllUp) || !FDown);
  Invalidate();
  if (inside) Click();
}

void TSpeedButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      TGraphicControl::WndProc(m);
      if (FFlat) Invalidate();
      return;
    case CM_ENABLEDCHANGED:
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
      Invalidate();
      return;
    case CM_DIALOGCHAR:
      if (IsAccel(static_cast<WORD>(m.WParam), Caption()) && Enabled() && Visible() && Parent() &&
          Parent()->IsShowing()) {
        Click();
        m.Result = 1;
        return;
      }
      break;
    default:
      break;
  }
  TGraphicControl::WndProc(m);
}
