#pragma once
// A site that prepares its own report controls before printing them, so
// that growing controls enlarge it before it is placed, and that knows
// which band sets opened inside its current surface.
#include "report/components/RLCustomSite.h"
#include <vector>

class TRLCustomBandSet : public TRLCustomSite {
public:
  using TRLCustomSite::TRLCustomSite;

  // How many times this band set opened inside the current surface of the
  // band set around it (0 without one).
  int BandSetCount() const;
  bool IsFirstBandSet() const { return BandSetCount() == 1; }

protected:
  void FillOpenedSurface() override;
  void RegisterOpenedSurface() override;
  void SettleClosedSurface() override;

private:
  TRLCustomBandSet* EnclosingBandSet() const;
  std::vector<TRLCustomBandSet*> FBandSets;
};
