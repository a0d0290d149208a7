#pragma once
// The bands of a pager by type, each list ordered by the bands' tops, with
// a printed flag per type.
#include "report/components/RLTypes.h"
#include <array>
#include <vector>

class TRLCustomBand;
class TObject;

class TRLSortedBands {
public:
  // Only bands are taken; a band goes before the first of its type that
  // lies lower, so bands at the same top keep the order they came in.
  void Add(TObject* ABand);
  void Clear();
  // Every printed flag off.
  void ResetAll();
  // Every printed flag off but the title's, which prints once per report.
  void ResetPage();
  const std::vector<TRLCustomBand*>& GetList(TRLBandType AType) const { return FTypes[AType].List; }
  bool GetPrinted(TRLBandType AType) const { return FTypes[AType].Printed; }
  void SetPrinted(TRLBandType AType, bool AValue) { FTypes[AType].Printed = AValue; }

private:
  struct TypeEntry {
    std::vector<TRLCustomBand*> List;
    bool Printed = false;
  };
  std::array<TypeEntry, RLBandTypeCount> FTypes;
};
