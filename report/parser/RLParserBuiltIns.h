#pragma once
// Running state of the aggregate functions a formula calls ("count", "sum",
// "min", "max", "avg", "first", "last"): one register per call site, found
// by the parser's IdentifierId of the call, kept from one Initialize to the
// next.
#include "platform/data/Variant.h"
#include <vector>

struct TRLDBResultBuiltIn {
  int Id = 0;
  int Count = 0;
  Variant Max = Variant::Null();
  Variant Min = Variant::Null();
  double Sum = 0;
  Variant First = Variant::Null();
  Variant Last = Variant::Null();
};

class TRLBuiltInRegisters {
public:
  void Clear() { FRegs.clear(); }
  // Counts and sums back to 0; the other state stays.
  void ResetCounters();
  int Count() const { return static_cast<int>(FRegs.size()); }
  const TRLDBResultBuiltIn& Register(int index) const { return FRegs[static_cast<size_t>(index)]; }

  // Leaves Result unassigned for a name that is no aggregate function.
  // Every function but "count" reads the first element of Params and fails
  // with the variant-array error without one. A null adds nothing to a sum.
  void Evaluate(const String& Name, const Variant& Params, int CallId, Variant& Result);

private:
  TRLDBResultBuiltIn& RegisterFor(int CallId);

  std::vector<TRLDBResultBuiltIn> FRegs;
};
