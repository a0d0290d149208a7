// Variant arithmetic, comparison and logic: kinds of results, null
// spreading, and the operations the rules refuse.
#include "platform/data/VariantOps.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <functional>

namespace {
// Numbers with "." whatever the locale's separator.
std::string Plain(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.15g", value);
  return text;
}

std::string Show(const Variant& v) {
  switch (v.VarType()) {
  case varEmpty: return "unassigned";
  case varNull: return "null";
  case varInteger: return "int:" + StringToUtf8(v.AsString());
  case varInt64: return "int64:" + StringToUtf8(v.AsString());
  case varDouble: return "double:" + Plain(v.AsFloat());
  case varCurrency: return "currency:" + Plain(v.AsFloat());
  case varDate: return "date:" + std::to_string(v.AsFloat());
  case varBoolean: return "bool:" + StringToUtf8(v.AsString());
  case varString: return "text:" + StringToUtf8(v.AsString());
  default: return "other";
  }
}

std::string Try(const std::function<Variant()>& op) {
  try {
    return Show(op());
  } catch (const EVariantError& e) {
    return "refused: " + std::string(e.what());
  } catch (const EZeroDivide&) {
    return "zero divide";
  }
}
}  // namespace

TEST(VariantOps, ArithmeticAndLogic) {
  const Variant i2(2), i3(3), d(1.5), text(String(u"ab")), num(String(u"4")), bad(String(u"x"));
  const Variant big(int64_t(1) << 40), t(true), f(false), null = Variant::Null(), empty;
  const struct {
    const char* what;
    std::function<Variant()> op;
    const char* result;
  } cases[] = {
      {"int + int", [&] { return VarAdd(i2, i3); }, "int:5"},
      {"int * int past 32 bits", [&] { return VarMul(big, i2); }, "int64:2199023255552"},
      {"int - double", [&] { return VarSub(i2, d); }, "double:0.5"},
      {"text + text", [&] { return VarAdd(text, text); }, "text:abab"},
      {"numeric text + int", [&] { return VarAdd(num, i2); }, "double:6"},
      {"text - int", [&] { return VarSub(bad, i2); },
       "refused: Could not convert variant of type (String) into type (Double)"},
      {"unassigned + int", [&] { return VarAdd(empty, i3); }, "int:3"},
      {"unassigned + text", [&] { return VarAdd(empty, text); }, "text:ab"},
      {"null + int", [&] { return VarAdd(null, i3); }, "null"},
      {"currency + double", [&] { return VarAdd(Variant::Currency(10.5), d); }, "currency:12"},
      {"date + int", [&] { return VarAdd(Variant::Date(45000), i2); }, "date:45002.000000"},
      {"int / int", [&] { return VarDiv(i3, i2); }, "double:1.5"},
      {"int / 0", [&] { return VarDiv(i3, Variant(0)); }, "zero divide"},
      {"int / 0.0", [&] { return VarDiv(i3, Variant(0.0)); }, "zero divide"},
      {"power", [&] { return VarPower(i2, Variant(10)); }, "double:1024"},
      {"negate int", [&] { return VarNeg(i3); }, "int:-3"},
      {"negate null", [&] { return VarNeg(null); }, "null"},
      {"not bool", [&] { return VarNot(t); }, "bool:False"},
      {"not int", [&] { return VarNot(Variant(0)); }, "int:-1"},
      {"bool and bool", [&] { return VarAnd(t, f); }, "bool:False"},
      {"bool or text bool", [&] { return VarOr(f, Variant(String(u"true"))); }, "bool:True"},
      {"int and int", [&] { return VarAnd(Variant(6), i3); }, "int:2"},
      {"int or int", [&] { return VarOr(Variant(4), i3); }, "int:7"},
      {"text and int", [&] { return VarAnd(bad, i3); },
       "refused: Could not convert variant of type (String) into type (Double)"},
      {"array item out of range", [&] { return Variant::Array({i2}).ArrayItem(1); },
       "refused: Variant or safe array index out of bounds"},
      {"array of a scalar", [&] { return i2.ArrayItem(0); }, "refused: Variant is not an array"},
      {"array as text", [&] { return Variant(Variant::Array({}).AsString()); },
       "refused: Invalid variant type conversion"},
  };
  for (const auto& c : cases) EXPECT_EQ(Try(c.op), c.result) << c.what;
}

TEST(VariantOps, Comparison) {
  const struct {
    Variant a, b;
    int order;
  } cases[] = {
      {Variant(2), Variant(3), -1},
      {Variant(3), Variant(2.5), 1},
      {Variant(2), Variant(2.0), 0},
      {Variant(String(u"b")), Variant(String(u"a")), 1},
      {Variant(String(u"B")), Variant(String(u"a")), -1},
      {Variant(String(u"10")), Variant(9), 1},
      {Variant::Null(), Variant(-5), -1},
      {Variant::Null(), Variant(), 0},
      {Variant(true), Variant(false), 1},
      {Variant::Date(45001), Variant(45000), 1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(VarCompare(c.a, c.b), c.order) << Show(c.a) << " vs " << Show(c.b);
  EXPECT_THROW(VarCompare(Variant(String(u"x")), Variant(1)), EVariantError);
}
