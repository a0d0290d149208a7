#pragma once
// A colour gradient across a site, from the site's colour towards the
// opposite colour, painted in strips of Granularity pixels.
#include "platform/classes/Component.h"
#include "platform/ui/graphics/Graphics.h"
#include "report/components/RLTypes.h"
#include <vector>

class TRLCustomSite;
class TRLGraphicSurface;

struct TRLGradientStrip {
  TRect Rect;
  TColor Color;
};

class TRLDegradeEffect : public TPersistent {
public:
  explicit TRLDegradeEffect(TRLCustomSite* AOwner) : FParentSite(AOwner) {}

  TRLCustomSite* ParentSite() const { return FParentSite; }
  void SetParentSite(TRLCustomSite* value) { FParentSite = value; }
  TRLDegradeDirection Direction() const { return FDirection; }
  void SetDirection(TRLDegradeDirection value);
  TColor OppositeColor() const { return FOppositeColor; }
  void SetOppositeColor(TColor value);
  int Granularity() const { return FGranularity; }
  void SetGranularity(int value);

  // The strips that fill rect going from fromColor towards OppositeColor;
  // a granularity below 1 counts as 1.
  std::vector<TRLGradientStrip> Strips(TColor fromColor, const TRect& rect) const;
  void PaintTo(TCanvas& canvas, TColor fromColor, const TRect& rect) const;
  void PaintTo(TRLGraphicSurface& surface, TColor fromColor, const TRect& rect) const;

  void Assign(const TPersistent& source) override;

private:
  void Changed();

  TRLCustomSite* FParentSite;
  TColor FOppositeColor = 0;
  TRLDegradeDirection FDirection = ddNone;
  int FGranularity = 1;
};
