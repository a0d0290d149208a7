#include "controls/RxToolEditGlyphs.h"

#include <memory>

namespace {

constexpr int kSize = 16;

struct TGlyphColors {
  TColor Ink;
  TColor Paper;
  TColor Accent;
};

// A page of a wall calendar: rings, a coloured band and rows of days.
void DrawCalendar(TCanvas* c, int x0, const TGlyphColors& k) {
  c->Brush()->SetColor(k.Paper);
  c->FillRect(Rect(x0 + 1, 3, x0 + 15, 15));
  c->Brush()->SetColor(k.Ink);
  c->FrameRect(Rect(x0 + 1, 3, x0 + 15, 15));
  c->Brush()->SetColor(k.Accent);
  c->FillRect(Rect(x0 + 2, 4, x0 + 14, 7));
  c->Brush()->SetColor(k.Ink);
  c->FillRect(Rect(x0 + 4, 1, x0 + 5, 5));
  c->FillRect(Rect(x0 + 11, 1, x0 + 12, 5));
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 4; ++col)
      c->FillRect(Bounds(x0 + 3 + col * 3, 8 + row * 2, 2, 1));
}

// A pocket calculator: display strip and a grid of keys.
void DrawCalculator(TCanvas* c, int x0, const TGlyphColors& k) {
  c->Brush()->SetColor(k.Paper);
  c->FillRect(Rect(x0 + 2, 1, x0 + 14, 15));
  c->Brush()->SetColor(k.Ink);
  c->FrameRect(Rect(x0 + 2, 1, x0 + 14, 15));
  c->Brush()->SetColor(k.Accent);
  c->FillRect(Rect(x0 + 4, 3, x0 + 12, 6));
  c->Brush()->SetColor(k.Ink);
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 3; ++col)
      c->FillRect(Bounds(x0 + 4 + col * 3, 7 + row * 2 + row / 2, 2, 1));
}

std::unique_ptr<TBitmap> MakeGlyph(void (*draw)(TCanvas*, int, const TGlyphColors&),
                                   TColor accent) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetSize(2 * kSize, kSize);
  TCanvas* c = bitmap->Canvas();
  c->Brush()->SetColor(clFuchsia);
  c->FillRect(Rect(0, 0, 2 * kSize, kSize));
  draw(c, 0, TGlyphColors{clBlack, clWhite, accent});
  draw(c, kSize, TGlyphColors{clGray, clSilver, clGray});
  return bitmap;
}

}  // namespace

TBitmap* DateEditGlyph() {
  static const std::unique_ptr<TBitmap> glyph = MakeGlyph(DrawCalendar, clRed);
  return glyph.get();
}

TBitmap* NumEditGlyph() {
  static const std::unique_ptr<TBitmap> glyph = MakeGlyph(DrawCalculator, clTeal);
  return glyph.get();
}
