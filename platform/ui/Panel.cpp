#include "platform/ui/ExtCtrls.h"

void Frame3D(TCanvas* canvas, TRect& rect, TColor topColor, TColor bottomColor, int width) {
  canvas->Pen()->SetWidth(1);
  --rect.Bottom;
  --rect.Right;
  for (int i = 0; i < width; ++i) {
    canvas->Pen()->SetColor(topColor);
    TPoint top[] = {TPoint(rect.Left, rect.Bottom), TPoint(rect.Left, rect.Top), TPoint(rect.Right, rect.Top)};
    canvas->Polyline(top, 3);
    canvas->Pen()->SetColor(bottomColor);
    TPoint bottom[] = {TPoint(rect.Right, rect.Top), TPoint(rect.Right, rect.Bottom), TPoint(rect.Left - 1, rect.Bottom)};
    canvas->Polyline(bottom, 3);
    rect = TRect(rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1);
  }
  ++rect.Bottom;
  ++rect.Right;
}

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                                csDoubleClicks, csReplicatable};
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);
}

void TCustomPanel::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  if (FBorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomPanel::SetBevelInner(TBevelCut value) {
  if (FBevelInner == value) return;
  FBevelInner = value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut value) {
  if (FBevelOuter == value) return;
  FBevelOuter = value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelWidth(int value) {
  if (FBevelWidth == value) return;
  FBevelWidth = value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBorderWidth(int value) {
  if (FBorderWidth == value) return;
  FBorderWidth = value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle value) {
  if (FBorderStyle == value) return;
  FBorderStyle = value;
  RecreateWnd();
}

void TCustomPanel::SetAlignment(TAlignment value) {
  if (FAlignment == value) return;
  FAlignment = value;
  Invalidate();
}

void TCustomPanel::AdjustClientRect(TRect& Rect) {
  int inset = FBorderWidth;
  if (FBevelOuter != bvNone) inset += FBevelWidth;
  if (FBevelInner != bvNone) inset += FBevelWidth;
  Rect = TRect(Rect.Left + inset, Rect.Top + inset, Rect.Right - inset, Rect.Bottom - inset);
}

void TCustomPanel::Paint() {
  TCanvas* canvas = Canvas();
  TRect r = ClientRect();
  auto bevel = [&](TBevelCut cut) {
    if (cut == bvNone) return;
    TColor top = cut == bvLowered ? clBtnShadow : clBtnHighlight;
    TColor bottom = cut == bvLowered ? clBtnHighlight : clBtnShadow;
    if (cut == bvSpace) top = bottom = Color();
    Frame3D(canvas, r, top, bottom, FBevelWidth);
  };
  bevel(FBevelOuter);
  Frame3D(canvas, r, Color(), Color(), FBorderWidth);
  bevel(FBevelInner);
  canvas->Brush()->SetColor(Color());
  canvas->Brush()->SetStyle(bsSolid);
  canvas->FillRect(r);
  String text = Caption();
  if (text.empty()) return;
  canvas->Font()->Assign(*Font());
  canvas->Brush()->SetStyle(bsClear);
  TTextFormat format = tfVerticalCenter | tfSingleLine | tfExpandTabs;
  format |= FAlignment == taCenter ? tfCenter : FAlignment == taRightJustify ? tfRight : tfLeft;
  if (!Enabled()) canvas->Font()->SetColor(clGrayText);
  canvas->TextRect(r, text, format);
}

void TCustomPanel::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_TEXTCHANGED:
    case CM_ENABLEDCHANGED:
      TCustomControl::WndProc(m);
      Invalidate();
      return;
    default:
      break;
  }
  TCustomControl::WndProc(m);
}

// ---- Bevel -----------------------------------------------------------------

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle.Include(csReplicatable);
  SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape value) {
  if (FShape == value) return;
  FShape = value;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle value) {
  if (FStyle == value) return;
  FStyle = value;
  Invalidate();
}

void TBevel::Paint() {
  TCanvas* canvas = Canvas();
  TColor first = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
  TColor second = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
  int w = Width(), h = Height();
  auto line = [&](int x1, int y1, int x2, int y2, TColor c) {
    canvas->Pen()->SetColor(c);
    canvas->MoveTo(x1, y1);
    canvas->LineTo(x2, y2);
  };
  TRect r(0, 0, w, h);
  switch (FShape) {
    case bsBox: Frame3D(canvas, r, first, second, 1); break;
    case bsFrame:
      r = TRect(1, 1, w, h);
      Frame3D(canvas, r, second, second, 1);
      r = TRect(0, 0, w - 1, h - 1);
      Frame3D(canvas, r, first, first, 1);
      break;
    case bsTopLine:
      line(0, 0, w, 0, first);
      line(0, 1, w, 1, second);
      break;
    case bsBottomLine:
      line(0, h - 2, w, h - 2, first);
      line(0, h - 1, w, h - 1, second);
      break;
    case bsLeftLine:
      line(0, 0, 0, h, first);
      line(1, 0, 1, h, second);
      break;
    case bsRightLine:
      line(w - 2, 0, w - 2, h, first);
      line(w - 1, 0, w - 1, h, second);
      break;
    case bsSpacer: break;
  }
}
