#include "report/components/RLBorders.h"
#include "report/components/RLCustomControl.h"
#include "report/components/RLSiteKinds.h"
#include "report/pages/RLGraphicSurface.h"

TRLBorders::TRLBorders(TRLCustomControl* AOwner) : FParentControl(AOwner) {}

void TRLBorders::SetParentControl(TRLCustomControl* value) {
  if (FParentControl == value) return;
  FParentControl = value;
  Changed();
}

void TRLBorders::Changed() {
  if (!FParentControl) return;
  FParentControl->AdjustBounds();
  FParentControl->Invalidate();
}

void TRLBorders::SetSides(TRLBorderSides value) {
  if (FSides == value) return;
  FSides = value;
  if (value == sdCustom) return;
  bool draw = value == sdAll;
  FDrawLeft = FDrawTop = FDrawRight = FDrawBottom = draw;
  if (value == sdNone) FFixedLeft = FFixedTop = FFixedRight = FFixedBottom = false;
  Changed();
}

void TRLBorders::SetDraw(bool& draw, bool& fixed, bool value) {
  if (draw == value) return;
  draw = value;
  if (!value) fixed = false;
  bool all = FDrawLeft && FDrawTop && FDrawRight && FDrawBottom;
  bool any = FDrawLeft || FDrawTop || FDrawRight || FDrawBottom;
  if (!(all && FSides == sdAll) && (any || FSides != sdNone)) FSides = sdCustom;
  Changed();
}

void TRLBorders::SetFixed(bool& draw, bool& fixed, bool value) {
  if (fixed == value) return;
  fixed = value;
  if (value) SetDraw(draw, fixed, true);
}

void TRLBorders::SetWidth(int value) {
  if (value == FWidth || value < 0) return;
  FWidth = value;
  Changed();
}

void TRLBorders::SetColor(TColor value) {
  if (FColor == value) return;
  FColor = value;
  if (FParentControl) FParentControl->Invalidate();
}

void TRLBorders::SetStyle(TBrushStyle value) {
  if (FStyle == value) return;
  FStyle = value;
  if (FParentControl) FParentControl->Invalidate();
}

bool TRLBorders::CanDraw(bool draw, bool fixed) const {
  if (!draw) return false;
  if (fixed) return true;
  TRLCustomReport* report = FParentControl ? FParentControl->MasterReport() : nullptr;
  return report && report->PrintQuality() == pqFullFeature;
}

std::vector<TRect> TRLBorders::SideRects(const TRect& r) const {
  std::vector<TRect> sides;
  if (FWidth < 1) return sides;
  if (CanDrawLeft()) sides.emplace_back(r.Left, r.Top, r.Left + FWidth, r.Bottom);
  if (CanDrawTop()) sides.emplace_back(r.Left, r.Top, r.Right, r.Top + FWidth);
  if (CanDrawRight()) sides.emplace_back(r.Right - FWidth, r.Top, r.Right, r.Bottom);
  if (CanDrawBottom()) sides.emplace_back(r.Left, r.Bottom - FWidth, r.Right, r.Bottom);
  return sides;
}

namespace {
// Canvas and surface take the same pen, brush and rectangles.
template <typename Target>
void PaintSides(Target& target, const std::vector<TRect>& sides, TColor color) {
  if (sides.empty()) return;
  target.Pen()->SetColor(color);
  target.Pen()->SetStyle(psSolid);
  target.Pen()->SetMode(pmCopy);
  target.Pen()->SetWidth(1);
  target.Brush()->SetColor(color);
  target.Brush()->SetStyle(bsSolid);
  for (const TRect& side : sides) target.Rectangle(side);
}
}  // namespace

void TRLBorders::PaintTo(TCanvas& canvas, const TRect& rect) const { PaintSides(canvas, SideRects(rect), FColor); }

void TRLBorders::PaintTo(TRLGraphicSurface& surface, const TRect& rect) const {
  PaintSides(surface, SideRects(rect), FColor);
}

void TRLBorders::Assign(const TPersistent& source) {
  auto* other = dynamic_cast<const TRLBorders*>(&source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  FDrawLeft = other->FDrawLeft;
  FDrawTop = other->FDrawTop;
  FDrawRight = other->FDrawRight;
  FDrawBottom = other->FDrawBottom;
  FFixedLeft = other->FFixedLeft;
  FFixedTop = other->FFixedTop;
  FFixedRight = other->FFixedRight;
  FFixedBottom = other->FFixedBottom;
  FWidth = other->FWidth;
  FColor = other->FColor;
  FStyle = other->FStyle;
  FSides = other->FSides;
  Changed();
}
