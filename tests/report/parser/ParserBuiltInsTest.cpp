// Aggregate functions in a formula keep one register per call site, fed
// here by evaluating the formula over a few rows as a report would.
#include "report/parser/RLExpressionParser.h"
#include "report/parser/RLParserBuiltIns.h"
#include <gtest/gtest.h>

namespace {
struct Row {
  Variant a, b, c;
};

// Evaluates the formula once per row and gives the last result.
Variant RunOver(const String& formula, const std::vector<Row>& rows) {
  TRLExpressionParser parser(nullptr);
  TRLBuiltInRegisters registers;
  const Row* current = nullptr;
  parser.ResourceProc = [&](TRLExpressionParser* sender, const String& name, const Variant& params,
                            Variant& result) {
    registers.Evaluate(name, params, sender->IdentifierId(), result);
    if (!result.IsEmpty()) return;
    if (name == u"a") result = current->a;
    if (name == u"b") result = current->b;
    if (name == u"c") result = current->c;
  };
  Variant result;
  for (const Row& row : rows) {
    current = &row;
    parser.Evaluate(formula, result);
  }
  return result;
}
}  // namespace

TEST(ParserBuiltIns, EachCallSiteKeepsItsOwnRegister) {
  const std::vector<Row> rows = {
      {Variant(1.0), Variant(10.0), Variant(100.0)},
      {Variant(2.0), Variant(20.0), Variant(200.0)},
      {Variant(3.0), Variant(30.0), Variant(300.0)},
  };
  const struct {
    const char16_t* formula;
    double value;
  } cases[] = {
      {u"(sum(a) + sum(b)) + sum(c)", 666},
      {u"sum(a) * 1000 + sum(a)", 6006},
      {u"sum(a) / count()", 2},
      {u"avg(b)", 20},
      {u"max(c) + min(a)", 301},
      {u"first(b) + last(c)", 310},
      {u"count() + count()", 6},
  };
  for (const auto& c : cases)
    EXPECT_DOUBLE_EQ(RunOver(c.formula, rows).AsFloat(), c.value) << StringToUtf8(c.formula);
}

TEST(ParserBuiltIns, NullsAndRefusals) {
  const std::vector<Row> rows = {
      {Variant::Currency(10.50), Variant(3.0), Variant()},
      {Variant::Null(), Variant(7.0), Variant()},
      {Variant::Currency(2.25), Variant(5.0), Variant()},
  };
  EXPECT_DOUBLE_EQ(RunOver(u"sum(a)", rows).AsFloat(), 12.75);
  EXPECT_DOUBLE_EQ(RunOver(u"max(b)", rows).AsFloat(), 7);
  EXPECT_DOUBLE_EQ(RunOver(u"min(b)", rows).AsFloat(), 3);
  EXPECT_THROW(RunOver(u"sum()", rows), EVariantError);
}

TEST(ParserBuiltIns, ResetKeepsRegistersButZeroesCounters) {
  TRLBuiltInRegisters registers;
  Variant result;
  registers.Evaluate(u"SUM", Variant::Array({Variant(4.0)}), 3, result);
  registers.Evaluate(u"max", Variant::Array({Variant(9.0)}), 5, result);
  Variant other;
  registers.Evaluate(u"other", Variant(), 6, other);
  EXPECT_TRUE(other.IsEmpty());
  ASSERT_EQ(registers.Count(), 2);
  registers.ResetCounters();
  EXPECT_EQ(registers.Register(0).Sum, 0);
  EXPECT_EQ(registers.Register(1).Max.AsFloat(), 9);
  registers.Evaluate(u"sum", Variant::Array({Variant(1.0)}), 3, result);
  EXPECT_EQ(result.AsFloat(), 1);
}
