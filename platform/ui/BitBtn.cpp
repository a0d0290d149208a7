#include "platform/ui/Buttons.h"
#include "platform/ui/Forms.h"

namespace {
// The glyph of a kind: drawn here, on olive, which is the transparent key.
std::unique_ptr<TBitmap> KindGlyph(TBitBtnKind kind) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(18, 18);
  TCanvas* c = bitmap->Canvas();
  c->Brush()->SetColor(clOlive);
  c->FillRect(TRect(0, 0, 18, 18));
  c->Pen()->SetWidth(3);
  auto line = [&](std::initializer_list<TPoint> points, TColor color) {
    c->Pen()->SetColor(color);
    std::vector<TPoint> v(points);
    c->Polyline(v);
  };
  switch (kind) {
    case bkOK:
    case bkYes:
      line({TPoint(3, 9), TPoint(7, 13), TPoint(15, 4)}, clGreen);
      break;
    case bkAll:
      line({TPoint(1, 9), TPoint(4, 12), TPoint(10, 4)}, clGreen);
      line({TPoint(7, 9), TPoint(10, 12), TPoint(16, 4)}, clGreen);
      break;
    case bkCancel:
    case bkAbort:
      line({TPoint(4, 4), TPoint(14, 14)}, clRed);
      line({TPoint(14, 4), TPoint(4, 14)}, clRed);
      break;
    case bkNo:
      c->Pen()->SetColor(clRed);
      c->Brush()->SetStyle(bsClear);
      c->Ellipse(3, 3, 15, 15);
      line({TPoint(5, 13), TPoint(13, 5)}, clRed);
      break;
    case bkClose:
      c->Pen()->SetWidth(1);
      c->Brush()->SetColor(clTeal);
      c->Rectangle(4, 2, 14, 17);
      c->Brush()->SetColor(clYellow);
      c->Rectangle(10, 9, 12, 11);
      break;
    case bkHelp:
    case bkIgnore:
    case bkRetry: {
      c->Font()->SetName(u"Arial");
      c->Font()->SetHeight(-16);
      c->Font()->SetStyle(TFontStyles{fsBold});
      c->Font()->SetColor(kind == bkRetry ? clGreen : clNavy);
      c->Brush()->SetStyle(bsClear);
      TRect r(0, 0, 18, 18);
      c->TextRect(r, kind == bkHelp ? u"?" : kind == bkRetry ? u"\u21BB" : u"!", tfCenter | tfVerticalCenter | tfSingleLine);
      break;
    }
    default:
      return nullptr;
  }
  return bitmap;
}
}  // namespace

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner), FGlyph(std::make_unique<TBitmap>()) {
  FGlyph->OnChange = [this](TObject*) { Invalidate(); };
}

TBitBtn::~TBitBtn() { FGlyph->OnChange = nullptr; }

void TBitBtn::CreateParams(TCreateParams& Params) {
  TButton::CreateParams(Params);
  Params.Style &= ~static_cast<DWORD>(BS_DEFPUSHBUTTON | BS_PUSHBUTTON);
  Params.Style |= BS_OWNERDRAW;
}

void TBitBtn::SetButtonStyle(bool isDefault) {
  // An owner-drawn button draws its own default frame.
  if (FActive == isDefault) return;
  FActive = isDefault;
  Invalidate();
}

void TBitBtn::SetKind(TBitBtnKind value) {
  if (FKind == value) return;
  FKind = value;
  static const char16_t* const captions[] = {u"",        u"OK",     u"Cancel", u"&Help",   u"&Yes", u"&No",
                                             u"&Close",  u"Abort",  u"&Retry", u"&Ignore", u"&All"};
  static const TModalResult results[] = {mrNone, mrOk, mrCancel, mrNone, mrYes, mrNo,
                                         mrNone, mrAbort, mrRetry, mrIgnore, mrAll};
  if (value == bkCustom) return;
  SetCaption(captions[value]);
  SetModalResult(results[value]);
  if (value == bkCancel) SetCancel(true);
  if (value == bkOK || value == bkYes) SetDefault(true);
  if (auto glyph = KindGlyph(value)) {
    FGlyph->Assign(*glyph);
    FNumGlyphs = 1;
  }
  Invalidate();
}

void TBitBtn::SetGlyph(const TBitmap* value) {
  AssignButtonGlyph(FGlyph.get(), value, FNumGlyphs);
  Invalidate();
}

void TBitBtn::SetNumGlyphs(int value) {
  value = ClampNumGlyphs(value);
  if (FNumGlyphs == value) return;
  FNumGlyphs = value;
  Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout value) {
  if (FLayout == value) return;
  FLayout = value;
  Invalidate();
}

void TBitBtn::SetMargin(int value) {
  if (FMargin == value) return;
  FMargin = value;
  Invalidate();
}

void TBitBtn::SetSpacing(int value) {
  if (FSpacing == value) return;
  FSpacing = value;
  Invalidate();
}

void TBitBtn::Click() {
  if (FKind == bkClose) {
    if (TCustomForm* form = GetParentForm(this)) {
      form->Close();
      TControl::Click();
      return;
    }
  }
  TButton::Click();
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& dis) {
  TCanvas canvas;
  canvas.SetHandle(dis.hDC);
  RECT r = dis.rcItem;
  bool pressed = (dis.itemState & ODS_SELECTED) != 0;
  bool disabled = (dis.itemState & ODS_DISABLED) != 0;
  bool focused = (dis.itemState & ODS_FOCUS) != 0;
  if (FActive || focused) {
    FrameRect(dis.hDC, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    InflateRect(&r, -1, -1);
  }
  DrawFrameControl(dis.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  InflateRect(&r, -2, -2);
  canvas.Font()->Assign(*Font());
  TButtonState state = disabled ? bsDisabled : pressed ? bsDown : bsUp;
  DrawButtonContent(&canvas, TRect(r.left, r.top, r.right, r.bottom), FGlyph.get(), FNumGlyphs, Caption(), FLayout,
                    FMargin, FSpacing, state);
  if (focused) {
    InflateRect(&r, -1, -1);
    DrawFocusRect(dis.hDC, &r);
  }
  canvas.SetHandle(nullptr);
}

void TBitBtn::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_DRAWITEM:
      DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam));
      m.Result = 1;
      return;
    case WM_LBUTTONDBLCLK:
      // An owner-drawn button would report a double click instead of a click.
      m.Msg = WM_LBUTTONDOWN;
      break;
    case CM_ENABLEDCHANGED:
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
      TButton::WndProc(m);
      Invalidate();
      return;
    default:
      break;
  }
  TButton::WndProc(m);
}
