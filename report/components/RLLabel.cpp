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

namespace {
// Such a text comes back unchanged from the ANSI code page the surface
// records in, so its recorded extent is the one measured for sizing.
bool SameFontAndColor(const TFont& a, const TFont& b) {
  return a.Height() == b.Height() && a.PixelsPerInch() == b.PixelsPerInch() && a.Style() == b.Style() &&
         a.Charset() == b.Charset() && a.Pitch() == b.Pitch() && a.Orientation() == b.Orientation() &&
         a.Color() == b.Color() && a.Name() == b.Name();
}

bool IsAscii(const String& text) {
  for (char16_t c : text)
    if (c >= 0x80) return false;
  return true;
}
}  // namespace

TRLCustomLabel::TFontKey TRLCustomLabel::TFontKey::Of(const TFont& font) {
  return {font.Name(),    font.Height(), font.PixelsPerInch(), font.Style().Bits(),
          font.Charset(), font.Pitch(),  font.Orientation()};
}

bool TRLCustomLabel::TFontKey::Matches(const TFont& font) const {
  return Height == font.Height() && PixelsPerInch == font.PixelsPerInch() && Style == font.Style().Bits() &&
         Charset == font.Charset() && Pitch == font.Pitch() && Orientation == font.Orientation() &&
         Name == font.Name();
}

TRLCustomLabel::TRLCustomLabel(TComponent* AOwner) : TRLCustomControl(AOwner) {
  SetAutoSizeDir(TRLAutoSizeDirSet{asWidthDir});
  SetAutoSize(true);
  // A new text starts at this size; it follows its text from its first
  // caption on.
  SetBounds(Left(), Top(), 65, 17);
}

const String& TRLCustomLabel::MeasuredText() const {
  const String& text = CaptionRef();
  return text.empty() && !IsPreparing() ? Name() : text;
}

void TRLCustomLabel::MeasureNaturalSize(int& Width, int& Height) {
  if (!AutoSize()) {
    Width = this->Width();
    Height = this->Height();
    return;
  }
  const String& text = MeasuredText();
  const bool sameFont = FMeasured && FMeasuredFont.Matches(*Font());
  if (!sameFont || !IsMeasuredText(text)) {
    FMeasured = false;
    // Refilled in place: a listing's texts change on every record.
    FMeasuredText.assign(text).push_back(u' ');
    FMeasuredSize = MeasureRotatedText(FMeasuredText, Font(), 0);
    if (!sameFont) FMeasuredFont = TFontKey::Of(*Font());
    FMeasured = true;
  }
  const TSize size = FMeasuredSize;
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
  // Handing the surface the font it has would still announce a change.
  if (!SameFontAndColor(*surface->Font(), *Font())) surface->SetFont(Font());
  const String& caption = CaptionRef();
  const AnsiString text = StringToAnsi(caption);
  const int half = SpaceWidthOnSurface(surface) / 2;
  const TSize extent = ExtentOnSurface(surface, caption, text);
  const int w = extent.cx;
  const int h = extent.cy;
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

bool TRLCustomLabel::IsMeasuredText(const String& text) const {
  return FMeasuredText.size() == text.size() + 1 && FMeasuredText.compare(0, text.size(), text) == 0;
}

TSize TRLCustomLabel::ExtentOnSurface(TRLGraphicSurface* surface, const String& caption, const AnsiString& text) {
  const TFont& font = *surface->Font();
  if (FMeasured && IsMeasuredText(caption) && FMeasuredFont.Matches(font) && IsAscii(caption)) return FMeasuredSize;
  const AnsiString spaced = text + " ";
  return TSize(surface->TextWidth(spaced), surface->TextHeight(spaced));
}

int TRLCustomLabel::SpaceWidthOnSurface(TRLGraphicSurface* surface) {
  const TFont& font = *surface->Font();
  if (FSpaceWidth < 0 || !FSpaceFont.Matches(font)) {
    FSpaceWidth = surface->TextWidth(" ");
    FSpaceFont = TFontKey::Of(font);
  }
  return FSpaceWidth;
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
