// What formulas evaluate to: operators, built-in names, conditionals,
// assignments, user functions, identifier hooks and component paths.
#include "platform/classes/PublishedProperties.h"
#include "platform/rtl/NumUtils.h"
#include "report/parser/RLExpressionParser.h"
#include <gtest/gtest.h>
#include <cmath>
#include <cstdio>

namespace {
// Numbers with "." whatever the locale's separator.
std::string Plain(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.15g", value);
  return text;
}

// The value as "type:text", or "error: message".
std::string Outcome(TRLExpressionParser& parser, const std::string& text) {
  try {
    Variant result;
    parser.Evaluate(Utf8ToString(text), result);
    switch (result.VarType()) {
    case varEmpty: return "unassigned";
    case varNull: return "null";
    case varDouble: return "double:" + Plain(result.AsFloat());
    case varInteger: return "int:" + StringToUtf8(result.AsString());
    case varBoolean: return "bool:" + StringToUtf8(result.AsString());
    case varString: return "text:" + StringToUtf8(result.AsString());
    default: return "other:" + StringToUtf8(result.AsString());
    }
  } catch (const Exception& e) {
    return "error: " + std::string(e.what());
  }
}

struct Case {
  const char* text;
  const char* outcome;
};

void ExpectOutcomes(TRLExpressionParser& parser, std::initializer_list<Case> cases) {
  for (const Case& c : cases) EXPECT_EQ(Outcome(parser, c.text), c.outcome) << c.text;
}
}  // namespace

TEST(ParserEval, OperatorsAndBuiltInNames) {
  TRLExpressionParser parser(nullptr);
  ExpectOutcomes(parser, {
      {"", "unassigned"},
      {"   ", "unassigned"},
      {"1 + 2 * 3", "double:7"},
      {"2 ^ 10", "double:1024"},
      {"7 / 2", "double:3.5"},
      {"7 div 2", "double:3.5"},
      {"-2 ^ 2", "double:4"},
      {"10 - 4 - 3", "double:3"},
      {"'ab' + 'cd'", "text:abcd"},
      {"'it''s'", "text:it's"},
      {"'2' + 3", "double:5"},
      {"'a' - 1", "error: Could not convert variant of type (String) into type (Double)"},
      {"1 < 2", "bool:True"},
      {"'b' > 'a'", "bool:True"},
      {"2 = 2.0", "bool:True"},
      {"1 <> 1", "bool:False"},
      {"3 >= 3", "bool:True"},
      {"true & false", "bool:False"},
      {"true | false", "bool:True"},
      {"not true", "bool:False"},
      {"- -1", "double:1"},
      {"--1 + 1", "double:2"},
      {"-+-2", "double:2"},
      {"not not true", "bool:True"},
      {"(1 < 2) & (3 < 4)", "bool:True"},
      {"1 / 0", "error: Floating point division by zero"},
      {"1 div (2 - 2)", "error: Floating point division by zero"},
      {"8 \\ 0", "error: Floating point division by zero"},
      {"major(3, 9, 4)", "double:9"},
      {"minor(3, 9, 4)", "double:3"},
      {"major('b', 'c', 'a')", "text:c"},
      {"minor()", "error: Variant is not an array"},
      {"PI", "double:3.14159265358979"},
      {"if(1 > 2, 10, 20)", "double:20"},
      {"if(1 < 2, 'yes', undefined_name)", "text:yes"},
      {"if(1, 2)", "error: Wrong number of arguments"},
      {"nothing + 1", "error: Undefined identifier \"nothing\""},
      {"3 := 4", "error: Left side cannot be Assigned"},
  });
  Variant root;
  parser.Evaluate(u"27 \\ 3", root);
  EXPECT_NEAR(root.AsFloat(), 3.0, 1e-12);
}

TEST(ParserEval, AssignmentsAndUserFunctions) {
  TRLExpressionParser parser(nullptr);
  parser.CreateFunction(u"sq(n)", u"n * n");
  parser.CreateFunction(u" add ( a , b ) ", u"a + b");
  parser.CreateFunction(u"fact(n)", u"if(n < 2, 1, n * fact(n - 1))");
  parser.CreateFunction(u"fact2(n)", u"if(n < 2, 1, fact2(n - 1) * n)");
  parser.CreateFunction(u"forever(n)", u"forever(n + 1)");
  parser.CreateFunction(u"answer", u"42");
  // Each call a few hundred nodes deep: well below the call limit, the
  // nodes evaluated at once would outrun the stack.
  std::string deep = "deep(n - 1)";
  for (int i = 0; i < 700; ++i) deep += " + 0";
  parser.CreateFunction(u"deep(n)", Utf8ToString("if(n > 0, " + deep + ", 0)"));
  ExpectOutcomes(parser, {
      {"x := 5", "double:5"},
      {"x * 2", "double:10"},
      {"X + 1", "double:6"},
      {"begin y := 2; x + y end", "double:7"},
      {"sq(4)", "double:16"},
      {"SQ(add(1, 2))", "double:9"},
      {"add(1, 2, 3)", "double:3"},
      {"sq()", "error: Undefined identifier \"n\""},
      {"answer", "double:42"},
      {"fact(5)", "double:120"},
      {"fact2(5)", "double:120"},
      {"forever(1)", "error: Function calls nested too deeply!"},
      {"deep(1)", "double:0"},
      {"deep(60)", "error: Expression nested too deeply!"},
  });
  EXPECT_EQ(parser.FunctionList().Count(), 7);
  parser.CreateFunction(u"Sq(m)", u"m + 1");
  EXPECT_EQ(parser.FunctionList().Count(), 7);
  EXPECT_EQ(Outcome(parser, "sq(4)"), "double:5");

  const struct {
    const char* declaration;
    const char* error;
  } bad[] = {
      {"", "Identifier name expected!"},
      {"  ", "Identifier name expected!"},
      {"1f", "Identifier expected!"},
      {"f x", "Brackets expected!"},
      {"f(a", "Unclosed brackets!"},
      {"f(a,", "Unclosed brackets!"},
      {"f(a b)", "Sintax error!"},
      {"f(a, 2)", "Identifier expected!"},
  };
  for (const auto& c : bad) {
    try {
      parser.CreateFunction(Utf8ToString(c.declaration), u"1");
      ADD_FAILURE() << c.declaration << " was accepted";
    } catch (const ERLParserError& e) {
      EXPECT_STREQ(e.what(), c.error) << c.declaration;
    }
  }
  parser.Clear();
  EXPECT_EQ(Outcome(parser, "x"), "error: Undefined identifier \"x\"");
}

TEST(ParserEval, IdentifierHooksAndOrder) {
  TRLExpressionParser parser(nullptr);
  parser.CreateValue(u"rate", Variant(2.0));
  std::vector<std::string> asked;
  parser.OnIdentifier = [&](TRLExpressionParser*, const String& name, const Variant&, Variant& result) {
    asked.push_back(StringToUtf8(name));
    if (name == u"first") result = Variant(100.0);
  };
  parser.ResourceProc = [](TRLExpressionParser*, const String& name, const Variant& params,
                           Variant& result) {
    if (name == u"field") result = Variant(7.0);
    if (name == u"twice") result = Variant(params.ArrayItem(0).AsFloat() * 2);
  };
  parser.OnUnknown = [](TRLExpressionParser*, const String& name, const Variant&, Variant& result) {
    if (name == u"late") result = Variant(String(u"late"));
  };
  ExpectOutcomes(parser, {
      {"first", "double:100"},
      {"rate * field", "double:14"},
      {"twice(21)", "double:42"},
      {"late", "text:late"},
  });
  EXPECT_EQ(asked, (std::vector<std::string>{"first", "rate", "field", "twice", "late"}));

  // The handler answers before the named value of the same name.
  parser.CreateValue(u"first", Variant(1.0));
  EXPECT_EQ(Outcome(parser, "first"), "double:100");

  parser.OnException = [](TRLExpressionParser*, Exception&, Variant& result) { result = Variant(0); };
  EXPECT_EQ(Outcome(parser, "missing + 1"), "int:0");
  EXPECT_EQ(Outcome(parser, "1 / 0"), "int:0");
}

TEST(ParserEval, FormulaTreesAreKeptPerText) {
  TRLExpressionParser parser(nullptr);
  int tokens = 0;
  parser.OnToken = [&](TRLExpressionParser*, String&, TRLParserTokenKind&) { ++tokens; };
  Variant result;
  for (int i = 0; i < 3; ++i) parser.Evaluate(u"1 + 2", result);
  EXPECT_EQ(tokens, 3);
  parser.Evaluate(u"3", result);
  EXPECT_EQ(tokens, 4);
  parser.Invalidate();
  parser.Evaluate(u"1 + 2", result);
  EXPECT_EQ(tokens, 7);

  parser.SetExpression(u"2 * 21");
  parser.Evaluate(result);
  parser.Evaluate(result);
  EXPECT_EQ(result.AsFloat(), 42);
  EXPECT_EQ(tokens, 10);
}

namespace {
class TPanelLike : public TComponent {
public:
  using TComponent::TComponent;
  String Caption = u"Pago";
  int Width = 10;
  double Ratio = 0.5;
  TPanelLike* Inner = nullptr;
};

const TPropertyTable& PanelTable() {
  static const TPropertyTable table{
      u"TPanelLike", nullptr,
      {
          {u"Caption", TPropertyKind::String,
           [](const TPersistent& o) { return Variant(static_cast<const TPanelLike&>(o).Caption); },
           [](TPersistent& o, const Variant& v) { static_cast<TPanelLike&>(o).Caption = v.AsString(); },
           {}},
          {u"Width", TPropertyKind::Integer,
           [](const TPersistent& o) { return Variant(static_cast<const TPanelLike&>(o).Width); },
           [](TPersistent& o, const Variant& v) { static_cast<TPanelLike&>(o).Width = v.AsInteger(); },
           {}},
          {u"Ratio", TPropertyKind::Float,
           [](const TPersistent& o) { return Variant(static_cast<const TPanelLike&>(o).Ratio); }, {},
           {}},
          {u"Inner", TPropertyKind::Class, {}, {},
           [](const TPersistent& o) -> TPersistent* { return static_cast<const TPanelLike&>(o).Inner; }},
      }};
  return table;
}
}  // namespace

TEST(ParserEval, ComponentPaths) {
  RegisterPropertyTable(typeid(TPanelLike), &PanelTable());
  TComponent form(nullptr);
  form.SetName(u"Form1");
  auto* button = new TPanelLike(&form);
  button->SetName(u"Button1");
  TPanelLike inner(nullptr);
  inner.Caption = u"dentro";
  button->Inner = &inner;
  auto* parser = new TRLExpressionParser(&form);
  ExpectOutcomes(*parser, {
      {"Form1.Button1.Caption", "text:Pago"},
      {"button1.caption + '!'", "text:Pago!"},
      {"Button1.Width * 2", "double:20"},
      {"Button1.Ratio", "double:0.5"},
      {"Button1.Inner.Caption", "text:dentro"},
      {"Button1", "text:[TPanelLike]"},
      {"Form1.Nothing.Caption", "error: Undefined identifier \"Form1.Nothing.Caption\""},
      {"Button1.Unknown", "error: Undefined identifier \"Button1.Unknown\""},
      {"Button1.Width := '25'", "text:25"},
      {"Button1.Ratio := 3", "double:3"},
      {"Button1.Ratio", "double:3"},
  });
  EXPECT_EQ(button->Width, 25);
  // A property that cannot be set becomes a named value instead.
  ASSERT_NE(parser->ValueList().ByName(u"Button1.Ratio"), nullptr);

  parser->SetOptions(0);
  EXPECT_EQ(Outcome(*parser, "Button1.Caption"), "error: Undefined identifier \"Button1.Caption\"");
}
