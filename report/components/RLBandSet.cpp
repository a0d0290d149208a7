#include "report/components/RLBandSet.h"
#include <algorithm>

TRLCustomBandSet* TRLCustomBandSet::EnclosingBandSet() const {
  return dynamic_cast<TRLCustomBandSet*>(FindParentSite());
}

int TRLCustomBandSet::BandSetCount() const {
  TRLCustomBandSet* outer = EnclosingBandSet();
  if (!outer) return 0;
  return static_cast<int>(std::count(outer->FBandSets.begin(), outer->FBandSets.end(), this));
}

void TRLCustomBandSet::FillOpenedSurface() {
  PrepareChildren();
  PrintChildren();
}

void TRLCustomBandSet::RegisterOpenedSurface() {
  FBandSets.clear();
  if (TRLCustomBandSet* outer = EnclosingBandSet()) outer->FBandSets.push_back(this);
}

void TRLCustomBandSet::SettleClosedSurface() { FBandSets.clear(); }
