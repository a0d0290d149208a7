#include "report/components/RLSortedBands.h"
#include "report/components/RLSiteKinds.h"
#include <algorithm>

void TRLSortedBands::Add(TObject* ABand) {
  auto* band = dynamic_cast<TRLCustomBand*>(ABand);
  if (!band) return;
  auto& list = FTypes[band->BandType()].List;
  auto lower = std::find_if(list.begin(), list.end(), [band](TRLCustomBand* b) { return b->Top() > band->Top(); });
  list.insert(lower, band);
}

void TRLSortedBands::Clear() {
  for (TypeEntry& entry : FTypes) entry.List.clear();
}

void TRLSortedBands::ResetAll() {
  for (TypeEntry& entry : FTypes) entry.Printed = false;
}

void TRLSortedBands::ResetPage() {
  for (int t = 0; t < RLBandTypeCount; ++t)
    if (t != btTitle) FTypes[t].Printed = false;
}
