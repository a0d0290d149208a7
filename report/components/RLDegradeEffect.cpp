#include "report/components/RLDegradeEffect.h"
#include "report/components/RLCustomSite.h"
#include "report/pages/RLGraphicSurface.h"
#include <algorithm>
#include <cmath>

namespace {
// One channel of the step at fraction f: c0 + round(c1 f) - round(c0 f),
// rounding halves to even, so the first step is exactly c0.
int Channel(int c0, int c1, double f) {
  return c0 + static_cast<int>(std::nearbyint(c1 * f)) - static_cast<int>(std::nearbyint(c0 * f));
}
}  // namespace

void TRLDegradeEffect::Changed() {
  if (FParentSite) FParentSite->Invalidate();
}

void TRLDegradeEffect::SetDirection(TRLDegradeDirection value) {
  if (FDirection == value) return;
  FDirection = value;
  Changed();
}

void TRLDegradeEffect::SetOppositeColor(TColor value) {
  if (FOppositeColor == value) return;
  FOppositeColor = value;
  Changed();
}

void TRLDegradeEffect::SetGranularity(int value) {
  if (FGranularity == value) return;
  FGranularity = value;
  Changed();
}

std::vector<TRLGradientStrip> TRLDegradeEffect::Strips(TColor fromColor, const TRect& rect) const {
  std::vector<TRLGradientStrip> strips;
  // Below 1 there would be no step to advance by.
  const int g = std::max(FGranularity, 1);
  const bool vertical = FDirection == ddVertical;
  const int extent = vertical ? rect.Height() : rect.Width();
  const int count = extent > 0 ? (extent + g - 1) / g : 0;
  const TColor c0 = ColorToRGB(fromColor), c1 = ColorToRGB(FOppositeColor);
  strips.reserve(count);
  for (int k = 0; k < count; ++k) {
    double f = static_cast<double>(k) / count;
    int r = Channel(c0 & 0xFF, c1 & 0xFF, f);
    int gr = Channel((c0 >> 8) & 0xFF, (c1 >> 8) & 0xFF, f);
    int b = Channel((c0 >> 16) & 0xFF, (c1 >> 16) & 0xFF, f);
    TColor color = r | (gr << 8) | (b << 16);
    TRect strip = vertical ? TRect(rect.Left, rect.Top + k * g, rect.Right, std::min(rect.Top + (k + 1) * g, rect.Bottom))
                           : TRect(rect.Left + k * g, rect.Top, std::min(rect.Left + (k + 1) * g, rect.Right), rect.Bottom);
    strips.push_back({strip, color});
  }
  return strips;
}

namespace {
template <typename Target>
void FillStrips(Target& target, const std::vector<TRLGradientStrip>& strips) {
  target.Brush()->SetStyle(bsSolid);
  for (const TRLGradientStrip& strip : strips) {
    target.Brush()->SetColor(strip.Color);
    target.FillRect(strip.Rect);
  }
}
}  // namespace

void TRLDegradeEffect::PaintTo(TCanvas& canvas, TColor fromColor, const TRect& rect) const {
  FillStrips(canvas, Strips(fromColor, rect));
}

void TRLDegradeEffect::PaintTo(TRLGraphicSurface& surface, TColor fromColor, const TRect& rect) const {
  FillStrips(surface, Strips(fromColor, rect));
}

void TRLDegradeEffect::Assign(const TPersistent& source) {
  auto* other = dynamic_cast<const TRLDegradeEffect*>(&source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  FOppositeColor = other->FOppositeColor;
  FDirection = other->FDirection;
  FGranularity = other->FGranularity;
  Changed();
}
