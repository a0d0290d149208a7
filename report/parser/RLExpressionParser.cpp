#include "report/parser/RLExpressionParser.h"
#include "platform/rtl/NumUtils.h"
#include "platform/rtl/StrUtils.h"
#include <cmath>
#include <cstdlib>

using K = TRLParserTokenKind;
using O = TRLParserOperation;

namespace {
bool IsBlank(char16_t c) { return c == u'\t' || c == u'\n' || c == u'\r' || c == u' '; }
bool IsLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_'; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsNameChar(char16_t c) { return IsLetter(c) || IsDigit(c) || c == u'.'; }

// The number as far as the float conversion can read it; none when it
// lies beyond the range of a double.
bool ReadFloat(const String& text, double& value) {
  const std::string ascii = StringToUtf8(text);
  value = std::strtod(ascii.c_str(), nullptr);
  return std::isfinite(value);
}

O OperatorOperation(const String& text, bool unary) {
  if (unary) {
    if (text == u"+") return O::opPlus;
    if (text == u"-") return O::opMinus;
    if (text == u"!") return O::opNot;
    return O::opNull;
  }
  if (text == u":=") return O::opSet;
  if (text == u"=") return O::opEqual;
  if (text == u"<>" || text == u"#") return O::opInequal;
  if (text == u">") return O::opGreater;
  if (text == u"<") return O::opLess;
  if (text == u">=") return O::opNotLess;
  if (text == u"<=") return O::opNotGreater;
  if (text == u"|") return O::opOr;
  if (text == u"&") return O::opAnd;
  if (text == u"+") return O::opSum;
  if (text == u"-") return O::opSubtract;
  if (text == u"*") return O::opMultiply;
  if (text == u"/") return O::opDivide;
  if (text == u"^") return O::opPower;
  if (text == u"\\") return O::opRoot;
  return O::opNull;
}

bool IsOperatorNode(const TRLParserNode* node) {
  return node->Operation() == O::opNull || node->Operation() > O::opLiteral;
}

// Numbers each node by its pre-order position and refuses a tree deeper
// than the evaluator may recurse.
void NumberNodes(TRLParserNode* root, int maxDepth) {
  std::vector<std::pair<TRLParserNode*, int>> pending{{root, 1}};
  int id = 0;
  while (!pending.empty()) {
    auto [node, depth] = pending.back();
    pending.pop_back();
    if (depth > maxDepth) throw ERLParserError(u"Expression nested too deeply!");
    node->SetId(id++);
    for (int i = node->ChildCount() - 1; i >= 0; --i) pending.push_back({node->Children(i), depth + 1});
  }
}
}  // namespace

TRLExpressionParser::TRLExpressionParser(TComponent* AOwner) : TComponent(AOwner) {}

TRLExpressionParser::~TRLExpressionParser() { Clear(); }

void TRLExpressionParser::Clear() {
  FFunctionList.Clear();
  FValueList.Clear();
}

void TRLExpressionParser::SetExpression(const String& value) {
  if (value == FExpression) return;
  FExpression = value;
  Invalidate();
}

void TRLExpressionParser::Invalidate() {
  FRootNode.reset();
  FFormulaTrees.clear();
}

// ---- reading characters and tokens

char16_t TRLExpressionParser::ReadChar() {
  if (FNextCh) {
    const char16_t c = FNextCh;
    FNextCh = 0;
    return c;
  }
  if (FExprBuffCh < FExprBuffLen) return FExprBuffer[FExprBuffCh++];
  return 0;
}

void TRLExpressionParser::UnreadChar(char16_t ch) { FNextCh = ch; }

char16_t TRLExpressionParser::ReadNonBlank() {
  char16_t c;
  do c = ReadChar();
  while (IsBlank(c));
  return c;
}

void TRLExpressionParser::FailAt(const char16_t* what) {
  throw ERLParserError(String(what) + u" at " + IntToStr(FExprBuffCh) + u"!");
}

void TRLExpressionParser::ReadNumber(char16_t first) {
  FLastToken.assign(1, first);
  bool dot = false, exponent = false, sign = false;
  for (;;) {
    const char16_t c = ReadChar();
    if (IsDigit(c)) {
      FLastToken += c;
    } else if (c == u'.') {
      if (dot || exponent) FailAt(u"Incorrect number format");
      dot = true;
      FLastToken += c;
    } else if (c == u'E' || c == u'e') {
      if (exponent) FailAt(u"Incorrect number format");
      exponent = true;
      FLastToken += c;
    } else if (c == u'+' || c == u'-') {
      if (!exponent) {
        UnreadChar(c);
        return;
      }
      if (sign) FailAt(u"Incorrect number format");
      sign = true;
      FLastToken += c;
    } else {
      UnreadChar(c);
      return;
    }
  }
}

void TRLExpressionParser::ReadLiteral(char16_t quote) {
  for (;;) {
    const char16_t c = ReadChar();
    if (c == 0) return;
    if (c != quote) {
      FLastToken += c;
      continue;
    }
    const char16_t next = ReadNonBlank();
    if (next != quote) {
      UnreadChar(next);
      return;
    }
    FLastToken += quote;
  }
}

bool TRLExpressionParser::ReadToken() {
  FLastToken.clear();
  FLastKind = K::tkNull;
  const char16_t c = ReadNonBlank();
  if (c == 0) return false;
  if (IsLetter(c)) {
    FLastKind = K::tkIdentifier;
    FLastToken += c;
    char16_t n;
    while (IsNameChar(n = ReadChar())) FLastToken += n;
    UnreadChar(n);
  } else if (IsDigit(c)) {
    FLastKind = K::tkValue;
    ReadNumber(c);
  } else if (c == u'\'' || c == u'"') {
    FLastKind = K::tkLiteral;
    ReadLiteral(c);
  } else if (String(u"!#&*+-/<=>\\^|").find(c) != String::npos) {
    FLastKind = K::tkOperator;
    FLastToken += c;
    if (c == u'<' || c == u'>') {
      const char16_t n = ReadNonBlank();
      if (n == u'=' || (c == u'<' && n == u'>'))
        FLastToken += n;
      else
        UnreadChar(n);
    }
  } else if (c == u':') {
    const char16_t n = ReadNonBlank();
    if (n == u'=') {
      FLastKind = K::tkOperator;
      FLastToken = u":=";
    } else {
      UnreadChar(n);
      FLastKind = K::tkUnknown;
      FLastToken = u":";
    }
  } else {
    FLastToken += c;
    switch (c) {
    case u'(': FLastKind = K::tkEnterBrackets; break;
    case u')': FLastKind = K::tkExitBrackets; break;
    case u',': FLastKind = K::tkBracketsBreak; break;
    case u'{': FLastKind = K::tkCodeEnter; break;
    case u';': FLastKind = K::tkCodeBreak; break;
    case u'}': FLastKind = K::tkCodeExit; break;
    default: FLastKind = K::tkUnknown; break;
    }
  }
  if (FLastKind >= K::tkUnknown && FLastKind <= K::tkOperator) {
    if (FLastKind == K::tkIdentifier) {
      static const struct { const char16_t* word; const char16_t* text; K kind; } aliases[] = {
          {u"not", u"!", K::tkOperator},   {u"and", u"&", K::tkOperator},
          {u"or", u"|", K::tkOperator},    {u"div", u"/", K::tkOperator},
          {u"begin", u"{", K::tkCodeEnter}, {u"end", u"}", K::tkCodeExit},
      };
      for (const auto& alias : aliases)
        if (SameText(FLastToken, alias.word)) {
          FLastToken = alias.text;
          FLastKind = alias.kind;
          break;
        }
    }
    if (TokenProc) TokenProc(this, FLastToken, FLastKind);
    if (OnToken) OnToken(this, FLastToken, FLastKind);
  }
  return true;
}

// ---- building trees

std::unique_ptr<TRLParserNode> TRLExpressionParser::Parse(const String& AExpression) {
  FExprBuffer = AExpression.data();
  FExprBuffLen = static_cast<int>(AExpression.size());
  FExprBuffCh = 0;
  FNextCh = 0;
  FLastToken.clear();
  FLastKind = K::tkNull;
  std::unique_ptr<TRLParserNode> root(BuildTree(0));
  if (root) NumberNodes(root.get(), MaxNesting * 4);
  return root;
}

TRLParserNode* TRLExpressionParser::BuildTree(int depth) {
  if (depth > MaxNesting) FailAt(u"Expression nested too deeply");
  TRLParserNode* current = nullptr;
  TRLParserNode* root = nullptr;
  // Frees the partial tree when a nested step fails.
  struct Guard {
    TRLParserNode*& root;
    ~Guard() { delete root; }
  } guard{root};
  bool first = true;
  while (ReadToken()) {
    const K kind = FLastKind;
    if (kind == K::tkExitBrackets || kind == K::tkBracketsBreak || kind == K::tkCodeBreak ||
        kind == K::tkCodeExit)
      break;
    switch (kind) {
    case K::tkIdentifier:
    case K::tkValue:
    case K::tkLiteral: {
      double number = 0;
      if (kind == K::tkValue && !ReadFloat(FLastToken, number)) FailAt(u"Incorrect number format");
      TRLParserNode* node =
          kind == K::tkIdentifier ? new TRLParserNode(this, FLastToken, O::opIdentifier)
          : kind == K::tkValue    ? new TRLParserNode(this, number, O::opValue)
                                  : new TRLParserNode(this, FLastToken, O::opLiteral);
      if (current)
        current->AddChild(node);
      else {
        delete root;
        root = node;
      }
      current = node;
      break;
    }
    case K::tkOperator:
      current = BuildOperator(current, root, first);
      break;
    case K::tkEnterBrackets:
      BuildBrackets(current, root, depth);
      break;
    case K::tkCodeEnter:
      BuildInline(current, root, depth);
      break;
    default:
      continue;
    }
    first = false;
  }
  if (root) {
    root->SetPriority(255);
    root->SetIsolated(true);
  }
  TRLParserNode* result = root;
  root = nullptr;
  return result;
}

TRLParserNode* TRLExpressionParser::BuildOperator(TRLParserNode*& current, TRLParserNode*& root,
                                                  bool first) {
  const bool prefixable = FLastToken == u"!" || FLastToken == u"+" || FLastToken == u"-";
  const bool unary = first || (prefixable && (!current || (IsOperatorNode(current) &&
                                                           !current->Isolated())));
  auto* node = new TRLParserNode(this, FLastToken, OperatorOperation(FLastToken, unary));
  if (!current) {
    delete root;
    root = node;
    return node;
  }
  // A prefix operator is the operand the operator before it waits for: it
  // must not climb above that one, or "- -1" would lose its operand.
  if (unary) {
    current->AddChild(node);
    return node;
  }
  TRLParserNode* c = current;
  TRLParserNode* from = c;
  bool moved = false;
  while (node->Priority() <= c->Priority() && c->ParentNode()) {
    from = c;
    c = c->ParentNode();
    moved = true;
  }
  if (node->Priority() > c->Priority()) {
    if (moved)
      from->InsertAbove(node);
    else
      c->AddChild(node);
  } else {
    c->InsertAbove(node);
    if (!node->ParentNode()) root = node;
  }
  return node;
}

void TRLExpressionParser::BuildBrackets(TRLParserNode*& current, TRLParserNode*& root, int depth) {
  const bool call = current && current->Operation() == O::opIdentifier;
  TRLParserNode* group = nullptr;
  for (;;) {
    TRLParserNode* argument = BuildTree(depth + 1);
    if (argument) {
      if (current)
        current->AddChild(argument);
      else {
        delete root;
        root = argument;
      }
      if (!group) group = argument;
    }
    if (FLastKind == K::tkExitBrackets) break;
    if (FLastKind != K::tkBracketsBreak) FailAt(u"Brackets expected");
    if (!call) FailAt(u"Parameter list not suported");
  }
  if (!call) current = group;
}

void TRLExpressionParser::BuildInline(TRLParserNode*& current, TRLParserNode*& root, int depth) {
  auto* block = new TRLParserNode(this, Variant(), O::opInline);
  if (current)
    current->AddChild(block);
  else {
    delete root;
    root = block;
  }
  for (;;) {
    TRLParserNode* statement = BuildTree(depth + 1);
    if (statement) block->AddChild(statement);
    if (FLastKind == K::tkCodeExit) break;
    if (FLastKind != K::tkCodeBreak) FailAt(u"Inline expected");
  }
  if (!(current && current->Operation() == O::opIdentifier)) current = block;
}

// ---- declarations, functions and values

namespace {
struct DeclarationReader {
  const String& text;
  size_t at = 0;
  char16_t Peek() const { return at < text.size() ? text[at] : 0; }
  void SkipBlanks() {
    while (at < text.size() && IsBlank(text[at])) ++at;
  }
  String Name() {
    if (!IsLetter(Peek())) throw ERLParserError(u"Identifier expected!");
    const size_t start = at;
    while (at < text.size() && IsNameChar(text[at])) ++at;
    return text.substr(start, at - start);
  }
};
}  // namespace

TRLParserFunction* TRLExpressionParser::CreateFunction(const String& ADeclaration,
                                                       const String& AExpression) {
  DeclarationReader reader{ADeclaration};
  reader.SkipBlanks();
  if (!reader.Peek()) throw ERLParserError(u"Identifier name expected!");
  const String name = reader.Name();
  std::vector<String> params;
  reader.SkipBlanks();
  if (reader.Peek()) {
    if (reader.Peek() != u'(') throw ERLParserError(u"Brackets expected!");
    ++reader.at;
    for (;;) {
      reader.SkipBlanks();
      if (!reader.Peek()) throw ERLParserError(u"Unclosed brackets!");
      if (reader.Peek() == u')') break;
      params.push_back(reader.Name());
      reader.SkipBlanks();
      const char16_t c = reader.Peek();
      if (!c) throw ERLParserError(u"Unclosed brackets!");
      ++reader.at;
      if (c == u')') break;
      if (c != u',') throw ERLParserError(u"Sintax error!");
    }
  }
  if (TRLParserFunction* old = FFunctionList.ByName(name)) FFunctionList.Remove(old);
  auto* function = FFunctionList.Add(std::make_unique<TRLParserFunction>(this, name));
  function->SetExpression(AExpression);
  for (const String& param : params)
    function->Params().Add(std::make_unique<TRLParserParam>(function, param));
  return function;
}

TRLParserValue* TRLExpressionParser::CreateValue(const String& AName, const Variant& AValue) {
  if (TRLParserValue* old = FValueList.ByName(AName)) FValueList.Remove(old);
  return FValueList.Add(std::make_unique<TRLParserValue>(this, AName, AValue));
}
