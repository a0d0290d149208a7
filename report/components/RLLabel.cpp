#include "report/components/RLLabel.h"
#include "report/pages/RLCanvasConvert.h"
#include "report/pages/RLGraphicObjects.h"
#include "report/pages/RLGraphicSurface.h"
#include "report/pages/RLUtils.h"

uint8_t TextAlignmentCode(TRLTextAlignment value) {
  switch (value) {
    case TRLTextAlignment::taRightJustify: return RLMeta::AlignRight;
    case TRLTextAlignment::taCenter: return RLMeta::AlignCenter;
    case TRLTextAlignment::taJustify: return RLMeta::AlignJustify;
    default: return RLMeta::AlignLeft;
  }
}

uint8_t TextLayoutCode(TRLTextLayout value) {
  switch (value) {
    case TRLTextLayout::tlCenter: return RLMeta::LayoutCenter;
    case TRLTextLayout::tlBottom: return RLMeta::LayoutBottom;
    default: return RLMeta::LayoutTop;
  }
}

TRLCustomLabel::TRLCustomLabel(TComponent* AOwner) : TRLCustomControl(AOwner) {
  SetAutoSizeDir(TRLAutoSizeDirSet{asWidthDir});
  SetAutoSize(true);
  // A new text starts at this size; it follows its text from its first
  // caption on.
  SetBounds(Left(), Top(), 65, 17);
}

String TRLCustomLabel::MeasuredText() const {
  String text = Caption();
  if (text.empty() && !IsPreparing()) text = Name();
  return text;
}

void TRLCustomLabel::MeasureNaturalSize(int& Width, int& Height) {
  if (!AutoSize()) {
    Width = this->Width();
    Height = this->Height();
    return;
  }
  const TSize size = MeasureRotatedText(MeasuredText() + u" ", Font(), 0);
  Width = size.cx;
  Height = size.cy;
  const int border = Borders()->Width();
  if (border > 0) {
    if (Borders()->CanDrawLeft()) Width += border + 1;
    if (Borders()->CanDrawRight()) Width += border + 1;
    if (Borders()->CanDrawTop()) Height += border + 1;
    if (Borders()->CanDrawBottom()) Height += border + 1;
  }
}

void TRLCustomLabel::EmitToSurface() {
  TRLCustomControl::EmitToSurface();
  TRect r;
  GetPrintInnerRect(r);
  TRLGraphicSurface* surface = RequestParentSurface();
  surface->SetGeneratorId(ControlId());
  NewGroupId();
  surface->SetFont(Font());
  const AnsiString text = StringToAnsi(Caption());
  const int half = surface->TextWidth(" ") / 2;
  const int w = surface->TextWidth(text + " ");
  const int h = surface->TextHeight(text + " ");
  int x;
  switch (Alignment()) {
    case TRLTextAlignment::taRightJustify: x = r.Right - w; break;
    case TRLTextAlignment::taCenter: x = (r.Left + r.Right - w) / 2; break;
    default: x = r.Left; break;
  }
  x += half;
  int y;
  switch (Layout()) {
    case TRLTextLayout::tlCenter: y = (r.Top + r.Bottom - h) / 2; break;
    case TRLTextLayout::tlBottom: y = r.Bottom - h; break;
    default: y = r.Top; break;
  }
  surface->Brush()->SetStyle(bsClear);
  // A band split across pages never cuts the text; a text that sizes
  // itself never needs clipping to its rectangle.
  const uint16_t flags = AutoSize() ? RLMeta::TextFlagKeepWhole | RLMeta::TextFlagNoClip : RLMeta::TextFlagKeepWhole;
  surface->TextRectEx(r, x, y, text, TextAlignmentCode(Alignment()), TextLayoutCode(Layout()), flags);
}

void TRLCustomLabel::Paint() {
  TRLCustomControl::Paint();
  TCanvas* canvas = Canvas();
  canvas->SetFont(Font());
  canvas->Brush()->SetColor(Color());
  canvas->Brush()->SetStyle(bsSolid);
  const TRect r = GetClientRect();
  CanvasTextOutAligned(canvas, r, r.Left, r.Top, RLMeta::TextFlagKeepWhole | RLMeta::TextFlagNoClip, TextLayoutCode(Layout()),
                       TextAlignmentCode(Alignment()), StringToAnsi(MeasuredText()));
}
