// How formula texts become operator trees, and the exact texts of the
// errors a formula can raise while it is read.
#include "platform/rtl/NumUtils.h"
#include "report/parser/RLExpressionParser.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdio>

namespace {
// Numbers with "." whatever the locale's separator.
std::string Plain(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.15g", value);
  return text;
}

using O = TRLParserOperation;

const char* Symbol(O op) {
  switch (op) {
  case O::opSum: return "+";
  case O::opSubtract: return "-";
  case O::opMultiply: return "*";
  case O::opDivide: return "/";
  case O::opPower: return "^";
  case O::opRoot: return "\\";
  case O::opPlus: return "u+";
  case O::opMinus: return "u-";
  case O::opNot: return "!";
  case O::opGreater: return ">";
  case O::opLess: return "<";
  case O::opEqual: return "=";
  case O::opInequal: return "<>";
  case O::opNotLess: return ">=";
  case O::opNotGreater: return "<=";
  case O::opOr: return "|";
  case O::opAnd: return "&";
  case O::opSet: return ":=";
  case O::opInline: return "{}";
  default: return "null";
  }
}

// Operands as written (texts in quotes); operators and blocks as
// "(op children...)"; calls as "name(children...)".
std::string Prefix(const TRLParserNode* node) {
  if (!node) return "";
  std::string children;
  for (int i = 0; i < node->ChildCount(); ++i)
    children += (i ? " " : "") + Prefix(node->Children(i));
  switch (node->Operation()) {
  case O::opValue: return Plain(node->Value().AsFloat());
  case O::opLiteral: return "'" + StringToUtf8(node->Value().AsString()) + "'";
  case O::opIdentifier: {
    const std::string name = StringToUtf8(node->Value().AsString());
    return node->ChildCount() ? name + "(" + children + ")" : name;
  }
  default:
    return std::string("(") + Symbol(node->Operation()) + (children.empty() ? "" : " ") + children + ")";
  }
}

std::string ParseToPrefix(const std::string& text) {
  TRLExpressionParser parser(nullptr);
  try {
    return Prefix(parser.Parse(Utf8ToString(text)).get());
  } catch (const ERLParserError& e) {
    return "error: " + std::string(e.what());
  }
}
}  // namespace

TEST(ParserTree, TextsBecomeTreesOrErrors) {
  const struct {
    const char* text;
    const char* tree;
  } cases[] = {
      {"", ""},
      {"  \t\r\n ", ""},
      {"1 + 2 * 3", "(+ 1 (* 2 3))"},
      {"(1 + 2) * 3", "(* (+ 1 2) 3)"},
      {"a - b - c", "(- (- a b) c)"},
      {"a - b + c", "(+ (- a b) c)"},
      {"a + b - c", "(+ a (- b c))"},
      {"a / b * c", "(* (/ a b) c)"},
      {"x > 1 & y > 2", "(> (> x (& 1 y)) 2)"},
      {"(x > 1) & (y > 2)", "(& (> x 1) (> y 2))"},
      {"-2 ^ 2", "(^ (u- 2) 2)"},
      {"2 * -3", "(* 2 (u- 3))"},
      {"not x", "(! x)"},
      {"- -x", "(u- (u- x))"},
      {"not not x", "(! (! x))"},
      {"a * - + b", "(* a (u- (u+ b)))"},
      {"-x ^ 2", "(^ (u- x) 2)"},
      {"a and b or c", "(| (& a b) c)"},
      {"7 div 2", "(/ 7 2)"},
      {"a <> b # c", "(<> (<> a b) c)"},
      {"a >= b <= c", "(>= a (<= b c))"},
      {"a < > b", "(<> a b)"},
      {"f(1, 2)", "f(1 2)"},
      {"f()", "f"},
      {"f(1) + g(x, y + 1)", "(+ f(1) g(x (+ y 1)))"},
      {"if(a > 1, 'yes', 'no')", "if((> a 1) 'yes' 'no')"},
      {"2-1", "(- 2 1)"},
      {"1.5e+3 * 2", "(* 1500 2)"},
      {"'it''s'", "'it's'"},
      {"\"say \"\"hi\"\"\"", "'say \"hi\"'"},
      {"'a' 'b'", "'a'b'"},
      {"'open", "'open'"},
      {"a.b", "a.b"},
      {"Table.Field_1 * 2", "(* Table.Field_1 2)"},
      {"begin x := 1; y := 2 end", "({} (:= x 1) (:= y 2))"},
      {"{x := 1;}", "({} (:= x 1))"},
      {"x :  = 3", "(:= x 3)"},
      {"a @ + $ b", "(+ a b)"},
      {"1 + 2)", "(+ 1 2)"},
      {"1.2.3", "error: Incorrect number format at 4!"},
      {"1E5E2", "error: Incorrect number format at 4!"},
      {"2 + 1.e5.", "error: Incorrect number format at 9!"},
      {"1e+-2", "error: Incorrect number format at 4!"},
      {"1e999", "error: Incorrect number format at 5!"},
      {"2 * 1e400 * 0", "error: Incorrect number format at 10!"},
      {"(1, 2)", "error: Parameter list not suported at 3!"},
      {"(1 + 2", "error: Brackets expected at 6!"},
      {"f(1; 2)", "error: Brackets expected at 4!"},
      {"{x := 1)", "error: Inline expected at 8!"},
      {"begin x := 1", "error: Inline expected at 12!"},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseToPrefix(c.text), c.tree) << c.text;
}

TEST(ParserTree, CallSitesHaveDistinctIds) {
  TRLExpressionParser parser(nullptr);
  const auto root = parser.Parse(u"(sum(a) + sum(b)) + sum(c)");
  std::vector<int> ids;
  std::vector<const TRLParserNode*> pending{root.get()};
  while (!pending.empty()) {
    const TRLParserNode* node = pending.back();
    pending.pop_back();
    ids.push_back(node->Id());
    for (int i = 0; i < node->ChildCount(); ++i) pending.push_back(node->Children(i));
  }
  std::sort(ids.begin(), ids.end());
  EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
  EXPECT_EQ(ids.front(), 0);
  EXPECT_EQ(ids.back(), static_cast<int>(ids.size()) - 1);
}

TEST(ParserTree, DeepNestingIsRefused) {
  const struct {
    std::string text;
    bool refused;
  } cases[] = {
      {std::string(150, '(') + "1" + std::string(150, ')'), false},
      {std::string(100000, '(') + "1", true},
      {std::string(100000, '{') + "1", true},
      {std::string(100000, '-') + "1", true},
      {"1" + [] { std::string s; for (int i = 0; i < 100000; ++i) s += "-1"; return s; }(), true},
  };
  for (const auto& c : cases) {
    const std::string result = ParseToPrefix(c.text);
    EXPECT_EQ(result.rfind("error: Expression nested too deeply", 0) == 0, c.refused)
        << c.text.substr(0, 20) << ": " << result.substr(0, 60);
  }
}

TEST(ParserTree, TokenHooksMayRewriteTokens) {
  TRLExpressionParser parser(nullptr);
  parser.OnToken = [](TRLExpressionParser*, String& token, TRLParserTokenKind& kind) {
    if (kind == TRLParserTokenKind::tkIdentifier && token == u"plus") {
      token = u"+";
      kind = TRLParserTokenKind::tkOperator;
    }
  };
  EXPECT_EQ(Prefix(parser.Parse(u"a plus b").get()), "(+ a b)");
}
