#include "report/ui/RLPreviewGlyphs.h"
#include "platform/ui/graphics/Bitmap.h"
#include <vector>

namespace {
constexpr TColor kBackground = static_cast<TColor>(0xFF00FF);
constexpr TColor kInk = static_cast<TColor>(0x000000);
constexpr TColor kPaper = static_cast<TColor>(0xFFFFFF);
constexpr TColor kLens = static_cast<TColor>(0x800000);

void Triangle(TCanvas* c, int tipX, int baseX) {
  c->Polygon(std::vector<TPoint>{{tipX, 8}, {baseX, 3}, {baseX, 13}});
}

void Magnifier(TCanvas* c, bool plus) {
  c->Pen()->SetColor(kLens);
  c->Pen()->SetWidth(2);
  c->Brush()->SetColor(kPaper);
  c->Ellipse(1, 1, 11, 11);
  c->MoveTo(10, 10);
  c->LineTo(15, 15);
  c->Pen()->SetWidth(1);
  c->Pen()->SetColor(kInk);
  c->MoveTo(3, 6);
  c->LineTo(9, 6);
  if (plus) {
    c->MoveTo(6, 3);
    c->LineTo(6, 9);
  }
}
}  // namespace

std::unique_ptr<TBitmap> PreviewGlyph(TRLPreviewGlyph AKind) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetSize(16, 16);
  TCanvas* c = bitmap->Canvas();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(kBackground);
  c->FillRect(TRect(0, 0, 16, 16));
  c->Pen()->SetColor(kInk);
  c->Brush()->SetColor(kInk);
  switch (AKind) {
    case TRLPreviewGlyph::First:
      c->FillRect(TRect(3, 3, 5, 14));
      Triangle(c, 6, 12);
      break;
    case TRLPreviewGlyph::Prior: Triangle(c, 5, 11); break;
    case TRLPreviewGlyph::Next: Triangle(c, 11, 5); break;
    case TRLPreviewGlyph::Last:
      Triangle(c, 10, 4);
      c->FillRect(TRect(11, 3, 13, 14));
      break;
    case TRLPreviewGlyph::ZoomDown: Magnifier(c, false); break;
    case TRLPreviewGlyph::ZoomUp: Magnifier(c, true); break;
    case TRLPreviewGlyph::Views:
      c->Brush()->SetColor(kPaper);
      c->Rectangle(2, 1, 14, 7);
      c->Rectangle(2, 9, 14, 15);
      break;
    case TRLPreviewGlyph::Edit:
      c->Pen()->SetWidth(2);
      c->MoveTo(3, 13);
      c->LineTo(12, 4);
      c->Pen()->SetWidth(1);
      c->MoveTo(2, 14);
      c->LineTo(4, 14);
      break;
    case TRLPreviewGlyph::Copyright:
      c->Brush()->SetColor(kPaper);
      c->Ellipse(1, 1, 15, 15);
      c->Brush()->SetStyle(bsClear);
      c->Arc(4, 4, 12, 12, 11, 5, 11, 11);
      break;
  }
  return bitmap;
}
