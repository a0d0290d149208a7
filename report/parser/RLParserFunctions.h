#pragma once
// User functions, their parameters, and the named values of a parser.
#include "platform/data/Variant.h"
#include "report/parser/RLParserNode.h"
#include <memory>
#include <vector>

class TRLParserFunction;

class TRLParserParam {
public:
  TRLParserParam(TRLParserFunction* AFunction, String AName)
      : FFunction(AFunction), FName(std::move(AName)) {}
  TRLParserFunction* Function() const { return FFunction; }
  const String& Name() const { return FName; }
  const Variant& Value() const { return FValue; }
  void SetValue(Variant value) { FValue = std::move(value); }
  void Clear() { FValue = Variant(); }

private:
  TRLParserFunction* FFunction;
  String FName;
  Variant FValue;
};

// Entries found by name without regard to case; the list owns them.
template <class T>
class TRLParserOwnedList {
public:
  int Count() const { return static_cast<int>(FItems.size()); }
  T* ByIndex(int index) const { return FItems[static_cast<size_t>(index)].get(); }
  T* ByName(StringView name) const;
  T* Add(std::unique_ptr<T> item) { FItems.push_back(std::move(item)); return FItems.back().get(); }
  void Remove(T* item);
  void Clear() { FItems.clear(); }

private:
  std::vector<std::unique_ptr<T>> FItems;
};

class TRLParserParamList : public TRLParserOwnedList<TRLParserParam> {
public:
  void Reset();
  // Array elements go to the parameters in order; a single value that is
  // not unassigned goes to the first.
  void Assign(const Variant& AParams);
};

class TRLParserFunction {
public:
  TRLParserFunction(TRLExpressionParser* AParser, String AName)
      : FParser(AParser), FName(std::move(AName)) {}
  TRLExpressionParser* Parser() const { return FParser; }
  const String& Name() const { return FName; }
  const String& Expression() const { return FExpression; }
  void SetExpression(const String& value);
  void Invalidate() { FRootNode.reset(); }
  TRLParserParamList& Params() { return FParams; }

  void Evaluate(Variant& Result);
  void Evaluate(const Variant& AParams, Variant& Result);
  void Evaluate(const std::vector<Variant>& AParams, Variant& Result);

private:
  void EvaluateBody(Variant& Result);

  TRLExpressionParser* FParser;
  String FName;
  String FExpression;
  std::unique_ptr<TRLParserNode> FRootNode;
  TRLParserParamList FParams;
};

class TRLParserValue {
public:
  TRLParserValue(TRLExpressionParser* AParser, String AName, Variant AValue)
      : FParser(AParser), FName(std::move(AName)), FValue(std::move(AValue)) {}
  TRLExpressionParser* Parser() const { return FParser; }
  const String& Name() const { return FName; }
  const Variant& Value() const { return FValue; }
  void SetValue(Variant value) { FValue = std::move(value); }

private:
  TRLExpressionParser* FParser;
  String FName;
  Variant FValue;
};

using TRLParserFunctionList = TRLParserOwnedList<TRLParserFunction>;
using TRLParserValueList = TRLParserOwnedList<TRLParserValue>;
