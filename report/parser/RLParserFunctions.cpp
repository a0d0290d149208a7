#include "report/parser/RLParserFunctions.h"
#include "platform/rtl/StrUtils.h"
#include "report/parser/RLExpressionParser.h"
#include <algorithm>

template <class T>
T* TRLParserOwnedList<T>::ByName(StringView name) const {
  for (const auto& item : FItems)
    if (SameText(item->Name(), name)) return item.get();
  return nullptr;
}

template <class T>
void TRLParserOwnedList<T>::Remove(T* item) {
  FItems.erase(std::remove_if(FItems.begin(), FItems.end(),
                              [item](const std::unique_ptr<T>& p) { return p.get() == item; }),
               FItems.end());
}

template class TRLParserOwnedList<TRLParserParam>;
template class TRLParserOwnedList<TRLParserFunction>;
template class TRLParserOwnedList<TRLParserValue>;

void TRLParserParamList::Reset() {
  for (int i = 0; i < Count(); ++i) ByIndex(i)->Clear();
}

void TRLParserParamList::Assign(const Variant& AParams) {
  Reset();
  if (AParams.IsArray()) {
    const int n = std::min(Count(), AParams.ArrayHighBound() + 1);
    for (int i = 0; i < n; ++i) ByIndex(i)->SetValue(AParams.ArrayItem(i));
  } else if (!AParams.IsEmpty() && Count() > 0) {
    ByIndex(0)->SetValue(AParams);
  }
}

void TRLParserFunction::SetExpression(const String& value) {
  if (value == FExpression) return;
  FExpression = value;
  Invalidate();
}

namespace {
// A function that calls itself shares its parameter list with the nested
// call; the caller gets its own values back when the nested call returns.
class SavedParams {
public:
  explicit SavedParams(TRLParserParamList& params) : FParams(params) {
    for (int i = 0; i < params.Count(); ++i) FValues.push_back(params.ByIndex(i)->Value());
  }
  ~SavedParams() {
    for (int i = 0; i < FParams.Count() && i < static_cast<int>(FValues.size()); ++i)
      FParams.ByIndex(i)->SetValue(FValues[static_cast<size_t>(i)]);
  }

private:
  TRLParserParamList& FParams;
  std::vector<Variant> FValues;
};
}  // namespace

void TRLParserFunction::Evaluate(Variant& Result) {
  SavedParams saved(FParams);
  FParams.Reset();
  EvaluateBody(Result);
}

void TRLParserFunction::Evaluate(const Variant& AParams, Variant& Result) {
  SavedParams saved(FParams);
  FParams.Assign(AParams);
  EvaluateBody(Result);
}

void TRLParserFunction::Evaluate(const std::vector<Variant>& AParams, Variant& Result) {
  SavedParams saved(FParams);
  FParams.Reset();
  const int n = std::min(FParams.Count(), static_cast<int>(AParams.size()));
  for (int i = 0; i < n; ++i) FParams.ByIndex(i)->SetValue(AParams[static_cast<size_t>(i)]);
  EvaluateBody(Result);
}

void TRLParserFunction::EvaluateBody(Variant& Result) {
  if (!FRootNode) FRootNode = FParser->Parse(FExpression);
  FParser->EvaluateFunctionBody(FRootNode.get(), FParams, Result);
}
