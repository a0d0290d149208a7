// Layout and drawing of a button's glyph and caption.
#include "platform/ui/Buttons.h"
#include <algorithm>

void DrawButtonContent(TCanvas* canvas, const TRect& rect, TBitmap* glyph, int numGlyphs, const String& caption,
                       TButtonLayout layout, int margin, int spacing, TButtonState state, bool showAccel) {
  numGlyphs = std::max(1, numGlyphs);
  int gw = 0, gh = 0;
  if (glyph && !glyph->Empty()) {
    gw = glyph->Width() / numGlyphs;
    gh = glyph->Height();
  }
  TTextFormat prefix = showAccel ? 0 : tfNoPrefix;
  int tw = 0, th = 0;
  if (!caption.empty()) {
    TRect measure(0, 0, rect.Width(), 0);
    canvas->TextRect(measure, caption, tfCalcRect | tfSingleLine | prefix);
    tw = measure.Width();
    th = measure.Height();
  }
  bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
  int available = horizontal ? rect.Width() : rect.Height();
  int glyphSize = horizontal ? gw : gh, textSize = horizontal ? tw : th;
  if (glyphSize == 0 || textSize == 0) spacing = 0;
  if (margin == -1) {
    if (spacing == -1) {
      int total = glyphSize + textSize;
      margin = spacing = (available - total) / 3;
    } else {
      margin = (available - (glyphSize + spacing + textSize)) / 2;
    }
  } else if (spacing == -1) {
    spacing = (available - (margin + glyphSize + textSize)) / 2;
  }
  TPoint glyphPos((rect.Width() - gw) / 2, (rect.Height() - gh) / 2);
  TPoint textPos((rect.Width() - tw) / 2, (rect.Height() - th) / 2);
  switch (layout) {
    case blGlyphLeft:
      glyphPos.X = margin;
      textPos.X = margin + gw + spacing;
      break;
    case blGlyphRight:
      glyphPos.X = rect.Width() - margin - gw;
      textPos.X = glyphPos.X - spacing - tw;
      break;
    case blGlyphTop:
      glyphPos.Y = margin;
      textPos.Y = margin + gh + spacing;
      break;
    case blGlyphBottom:
      glyphPos.Y = rect.Height() - margin - gh;
      textPos.Y = glyphPos.Y - spacing - th;
      break;
  }
  int shift = state == bsDown || state == bsExclusive ? 1 : 0;
  int x0 = rect.Left + shift, y0 = rect.Top + shift;
  if (gw > 0) {
    int index = 0;
    if (state == bsDisabled && numGlyphs > 1) index = 1;
    if (state == bsDown && numGlyphs > 2) index = 2;
    if (state == bsExclusive && numGlyphs > 3) index = 3;
    COLORREF key = static_cast<COLORREF>(glyph->TransparentColor() & 0xFFFFFF);
    TransparentBlt(canvas->Handle(), x0 + glyphPos.X, y0 + glyphPos.Y, gw, gh, glyph->Canvas()->Handle(), index * gw, 0,
                   gw, gh, key);
  }
  if (tw > 0) {
    canvas->Brush()->SetStyle(bsClear);
    TRect text(x0 + textPos.X, y0 + textPos.Y, x0 + textPos.X + tw, y0 + textPos.Y + th);
    if (state == bsDisabled) {
      TColor keep = canvas->Font()->Color();
      TRect shifted(text.Left + 1, text.Top + 1, text.Right + 1, text.Bottom + 1);
      canvas->Font()->SetColor(clBtnHighlight);
      canvas->TextRect(shifted, caption, tfCenter | tfVerticalCenter | tfSingleLine | prefix);
      canvas->Font()->SetColor(clBtnShadow);
      canvas->TextRect(text, caption, tfCenter | tfVerticalCenter | tfSingleLine | prefix);
      canvas->Font()->SetColor(keep);
    } else {
      canvas->TextRect(text, caption, tfCenter | tfVerticalCenter | tfSingleLine | prefix);
    }
  }
}

void AssignButtonGlyph(TBitmap* glyph, const TBitmap* value, int& numGlyphs) {
  if (value)
    glyph->Assign(*value);
  else
    glyph->SetSize(0, 0);
  if (glyph->Height() > 0 && glyph->Width() % glyph->Height() == 0) {
    int n = glyph->Width() / glyph->Height();
    if (n >= 1 && n <= 4) numGlyphs = n;
  }
}
