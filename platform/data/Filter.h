#pragma once
// The client-side filter language of data sets: comparisons of fields with
// texts, numbers and other fields, joined by AND, OR and NOT.
#include "platform/data/Variant.h"
#include <functional>
#include <memory>

class TDataSet;
class TField;

class TFilterExpression {
public:
  // Raises EDatabaseError naming the problem ("Field 'X' not found",
  // "Filter expression incorrectly terminated", ...).
  TFilterExpression(const String& text, const TDataSet& dataSet);
  ~TFilterExpression();
  using TFieldReader = std::function<Variant(const TField*)>;
  bool Evaluate(const TFieldReader& read) const;

  struct TNode;

private:
  std::unique_ptr<TNode> FRoot;
};
