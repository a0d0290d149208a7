#include "report/parser/RLParserBuiltIns.h"
#include "platform/data/VariantOps.h"
#include "platform/rtl/StrUtils.h"

void TRLBuiltInRegisters::ResetCounters() {
  for (TRLDBResultBuiltIn& reg : FRegs) {
    reg.Count = 0;
    reg.Sum = 0;
  }
}

TRLDBResultBuiltIn& TRLBuiltInRegisters::RegisterFor(int CallId) {
  for (TRLDBResultBuiltIn& reg : FRegs)
    if (reg.Id == CallId) return reg;
  FRegs.push_back(TRLDBResultBuiltIn());
  FRegs.back().Id = CallId;
  return FRegs.back();
}

void TRLBuiltInRegisters::Evaluate(const String& Name, const Variant& Params, int CallId,
                                   Variant& Result) {
  static const char16_t* const names[] = {u"count", u"sum", u"min", u"max", u"avg", u"first", u"last"};
  int which = -1;
  for (int i = 0; i < 7; ++i)
    if (SameText(Name, names[i])) which = i;
  if (which < 0) return;
  TRLDBResultBuiltIn& reg = RegisterFor(CallId);
  if (which == 0) {
    Result = Variant(++reg.Count);
    return;
  }
  const Variant& p = Params.ArrayItem(0);
  switch (which) {
  case 1:
    if (!p.IsClear()) reg.Sum = VarAdd(Variant(reg.Sum), p).AsFloat();
    Result = Variant(reg.Sum);
    break;
  case 2:
    if (reg.Min.IsClear() || VarCompare(p, reg.Min) < 0) reg.Min = p;
    Result = reg.Min;
    break;
  case 3:
    if (reg.Max.IsClear() || VarCompare(p, reg.Max) > 0) reg.Max = p;
    Result = reg.Max;
    break;
  case 4:
    ++reg.Count;
    if (!p.IsClear()) reg.Sum = VarAdd(Variant(reg.Sum), p).AsFloat();
    Result = Variant(reg.Sum / reg.Count);
    break;
  case 5:
    if (reg.Count++ == 0) reg.First = p;
    Result = reg.First;
    break;
  default:
    reg.Last = p;
    Result = reg.Last;
    break;
  }
}
