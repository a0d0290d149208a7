#pragma once
// The client-side filter language of data sets: comparisons of fields with
// texts, numbers and other fields, joined by AND, OR and NOT.
#include "platform/data/MySqlClient.h"
#include "platform/data/Variant.h"
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TDataSet;
class TField;

class TFilterExpression {
public:
  // Raises EDatabaseError naming the data set and the problem
  // ("Usuarios: Field 'X' not found", ...).
  TFilterExpression(const String& text, const TDataSet& dataSet);
  ~TFilterExpression();
  using TFieldReader = std::function<Variant(const TField*)>;
  bool Evaluate(const TFieldReader& read) const;

  struct TNode;

private:
  std::unique_ptr<TNode> FRoot;
};

// The conjuncts of a filter that the server keeps for every row the
// client filter keeps (equal texts, whole numbers and dates compared with
// constants, tests for null), as an SQL condition over `columns`, every
// constant quoted by SqlLiteral. The client filter still decides; this
// only spares fetching rows it would drop. Empty when no part qualifies;
// a text that does not parse raises EDatabaseError naming the data set.
std::string ServerCondition(const String& text, const TDataSet& dataSet,
                            const std::vector<TMySqlColumn>& columns);
