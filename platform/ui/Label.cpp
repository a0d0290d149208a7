#include "platform/rtl/StrUtils.h"
#include "platform/ui/StdCtrls.h"

bool IsAccel(WORD key, const String& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != u'&') continue;
    if (caption[i + 1] == u'&') {
      ++i;
      continue;
    }
    return AnsiUpperChar(caption[i + 1]) == AnsiUpperChar(static_cast<char16_t>(key));
  }
  return false;
}

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle.Include(csReplicatable);
  FControlStyle.Include(csOpaque);
  SetBounds(0, 0, 65, 17);
}

void TCustomLabel::SetAutoSize(bool value) {
  if (FAutoSize == value) return;
  FAutoSize = value;
  AdjustBounds();
}

void TCustomLabel::SetAlignment(TAlignment value) {
  if (FAlignment == value) return;
  FAlignment = value;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout value) {
  if (FLayout == value) return;
  FLayout = value;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool value) {
  if (FWordWrap == value) return;
  FWordWrap = value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool value) {
  if (FTransparent == value) return;
  FTransparent = value;
  if (value)
    FControlStyle.Exclude(csOpaque);
  else
    FControlStyle.Include(csOpaque);
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool value) {
  if (FShowAccelChar == value) return;
  FShowAccelChar = value;
  Invalidate();
}

void TCustomLabel::SetEllipsisPosition(TEllipsisPosition value) {
  if (FEllipsisPosition == value) return;
  FEllipsisPosition = value;
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* value) {
  if (FFocusControl == value) return;
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = value;
  if (value) value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TCustomLabel::DoDrawText(TRect& rect, UINT flags) {
  String text = Caption();
  if ((flags & DT_CALCRECT) && (text.empty() || (FShowAccelChar && text == u"&"))) text += u" ";
  if (!FShowAccelChar) flags |= DT_NOPREFIX;
  if (FEllipsisPosition != epNone && !FAutoSize) {
    static constexpr UINT ellipsis[4] = {0, DT_PATH_ELLIPSIS, DT_END_ELLIPSIS, DT_WORD_ELLIPSIS};
    flags = (flags & ~DT_EXPANDTABS) | ellipsis[FEllipsisPosition];
  }
  TCanvas* canvas = Canvas();
  canvas->Font()->Assign(*Font());
  canvas->Brush()->SetStyle(bsClear);
  if (!Enabled() && !(flags & DT_CALCRECT)) {
    // The engraved look of disabled text.
    TRect shifted(rect.Left + 1, rect.Top + 1, rect.Right + 1, rect.Bottom + 1);
    canvas->Font()->SetColor(clBtnHighlight);
    canvas->TextRect(shifted, text, flags);
    canvas->Font()->SetColor(clBtnShadow);
    canvas->TextRect(rect, text, flags);
    return;
  }
  canvas->TextRect(rect, text, flags);
}

void TCustomLabel::Paint() {
  TCanvas* canvas = Canvas();
  TRect r = ClientRect();
  if (!FTransparent) {
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(r);
  }
  UINT flags = DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0);
  flags |= FAlignment == taCenter ? DT_CENTER : FAlignment == taRightJustify ? DT_RIGHT : DT_LEFT;
  if (FLayout != tlTop) {
    TRect calc = r;
    DoDrawText(calc, flags | DT_CALCRECT);
    int offset = r.Height() - calc.Height();
    if (FLayout == tlCenter) offset /= 2;
    r.Top += offset;
  }
  DoDrawText(r, flags);
}

void TCustomLabel::AdjustBounds() {
  if (!FAutoSize || IsDestroying()) return;
  TRect r = ClientRect();
  HDC dc = GetDC(nullptr);
  Canvas()->SetHandle(dc);
  UINT flags = DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0);
  DoDrawText(r, flags);
  Canvas()->SetHandle(nullptr);
  ReleaseDC(nullptr, dc);
  int x = Left();
  if (FAlignment == taRightJustify) x += Width() - r.Width();
  else if (FAlignment == taCenter && !FWordWrap) x += (Width() - r.Width()) / 2;
  SetBounds(x, Top(), r.Width(), r.Height());
}

void TCustomLabel::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
      AdjustBounds();
      Invalidate();
      return;
    case CM_DIALOGCHAR:
      if (FFocusControl && Enabled() && FShowAccelChar && IsAccel(static_cast<WORD>(m.WParam), Caption()) &&
          FFocusControl->CanFocus()) {
        FFocusControl->SetFocus();
        m.Result = 1;
        return;
      }
      break;
    default:
      break;
  }
  TGraphicControl::WndProc(m);
}
