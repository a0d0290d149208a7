#include "platform/ui/StdCtrls.h"

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks,
                                csReplicatable};
  SetBounds(0, 0, 185, 105);
}

void TCustomGroupBox::AdjustClientRect(TRect& Rect) {
  TCanvas measure;
  HDC dc = GetDC(nullptr);
  measure.SetHandle(dc);
  measure.Font()->Assign(*Font());
  int h = measure.TextHeight(u"0");
  measure.SetHandle(nullptr);
  ReleaseDC(nullptr, dc);
  Rect.Top += h;
  Rect = TRect(Rect.Left + 2, Rect.Top + 2, Rect.Right - 2, Rect.Bottom - 2);
}

void TCustomGroupBox::Paint() {
  TCanvas* canvas = Canvas();
  canvas->Font()->Assign(*Font());
  int h = canvas->TextHeight(u"0");
  TRect r = ClientRect();
  canvas->Brush()->SetColor(Color());
  canvas->Brush()->SetStyle(bsSolid);
  canvas->FillRect(r);
  RECT frame{r.Left, r.Top + h / 2, r.Right, r.Bottom};
  DrawEdge(canvas->Handle(), &frame, EDGE_ETCHED, BF_RECT);
  String text = Caption();
  if (text.empty()) return;
  TRect t(8, 0, 0, h);
  canvas->TextRect(t, text, tfCalcRect | tfSingleLine);
  t = TRect(8, 0, 8 + t.Width(), h);
  canvas->FillRect(t);
  canvas->Brush()->SetStyle(bsClear);
  if (!Enabled()) {
    TRect shifted(t.Left + 1, t.Top + 1, t.Right + 1, t.Bottom + 1);
    canvas->Font()->SetColor(clBtnHighlight);
    canvas->TextRect(shifted, text, tfSingleLine);
    canvas->Font()->SetColor(clBtnShadow);
  }
  canvas->TextRect(t, text, tfSingleLine);
}

void TCustomGroupBox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_DIALOGCHAR:
      if (IsAccel(static_cast<WORD>(m.WParam), Caption()) && CanFocus()) {
        SelectFirst();
        m.Result = 1;
        return;
      }
      break;
    case CM_TEXTCHANGED:
    case CM_ENABLEDCHANGED:
      TCustomControl::WndProc(m);
      Invalidate();
      return;
    case CM_FONTCHANGED:
      TCustomControl::WndProc(m);
      Realign();
      return;
    default:
      break;
  }
  TCustomControl::WndProc(m);
}
