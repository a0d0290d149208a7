#include "platform/data/Filter.h"
#include "platform/data/CellValue.h"
#include "platform/data/DataSet.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"
#include <cmath>
#include <vector>

struct TFilterExpression::TNode {
  enum TKind { And, Or, Not, Compare, IsNull, IsNotNull, FieldRef, Literal } Kind = Literal;
  enum TOp { Eq, Ne, Lt, Gt, Le, Ge } Op = Eq;
  const TField* Field = nullptr;
  const TMySqlColumn* Column = nullptr;  // the server's column, when known
  TFieldType Type = ftUnknown;           // how its literals read
  Variant Value;
  std::unique_ptr<TNode> Left, Right;
};

namespace {
using TNode = TFilterExpression::TNode;

enum class Tok { End, Ident, Str, Num, Op, LParen, RParen };

struct TToken {
  Tok Kind = Tok::End;
  String Text;
};

bool IsIdentChar(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
         c == u'_' || c == u'.' || c > 127;
}

String Upper(String s) {
  for (auto& c : s)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
  return s;
}

// Binds a field name of the text to its node; raises when there is none.
using TResolver = std::function<void(TNode& node, const String& name)>;

// Nesting and operators a filter may hold: the parser, the evaluation and
// the tree's own release all recurse over it.
constexpr int kMaxNesting = 200;
constexpr int kMaxOperators = 2000;

class TParser {
public:
  TParser(const String& text, TResolver resolve) : FText(text), FResolve(std::move(resolve)) { Advance(); }

  std::unique_ptr<TNode> Parse() {
    auto node = ParseOr();
    if (FTok.Kind != Tok::End) Fail(u"Filter expression incorrectly terminated");
    return node;
  }

private:
  [[noreturn]] void Fail(const String& message) { throw EDatabaseError(message); }

  void Advance() {
    while (FPos < FText.size() && (FText[FPos] == u' ' || FText[FPos] == u'\t' ||
                                   FText[FPos] == u'\r' || FText[FPos] == u'\n'))
      ++FPos;
    FTok = TToken();
    if (FPos >= FText.size()) return;
    const char16_t c = FText[FPos];
    if (c == u'\'' || c == u'"') {
      // Quoted text; the quote doubled stands for itself.
      String value;
      ++FPos;
      for (;;) {
        if (FPos >= FText.size()) Fail(u"Unterminated string in filter expression");
        if (FText[FPos] == c) {
          if (FPos + 1 < FText.size() && FText[FPos + 1] == c) {
            value += c;
            FPos += 2;
            continue;
          }
          ++FPos;
          break;
        }
        value += FText[FPos++];
      }
      FTok = {c == u'\'' ? Tok::Str : Tok::Ident, value};
      return;
    }
    if (c == u'[') {
      const size_t end = FText.find(u']', FPos);
      if (end == String::npos) Fail(u"Missing ] in filter expression");
      FTok = {Tok::Ident, FText.substr(FPos + 1, end - FPos - 1)};
      FPos = end + 1;
      return;
    }
    if (c == u'(' || c == u')') {
      FTok = {c == u'(' ? Tok::LParen : Tok::RParen, String(1, c)};
      ++FPos;
      return;
    }
    if (c == u'=' || c == u'<' || c == u'>' || c == u'!') {
      String op(1, c);
      ++FPos;
      if (FPos < FText.size() && (FText[FPos] == u'=' || FText[FPos] == u'>')) op += FText[FPos++];
      FTok = {Tok::Op, op};
      return;
    }
    if ((c >= u'0' && c <= u'9') || c == u'-' || c == u'+') {
      const size_t start = FPos++;
      while (FPos < FText.size() &&
             ((FText[FPos] >= u'0' && FText[FPos] <= u'9') || FText[FPos] == u'.'))
        ++FPos;
      FTok = {Tok::Num, FText.substr(start, FPos - start)};
      return;
    }
    if (IsIdentChar(c)) {
      const size_t start = FPos;
      while (FPos < FText.size() && IsIdentChar(FText[FPos])) ++FPos;
      FTok = {Tok::Ident, FText.substr(start, FPos - start)};
      return;
    }
    Fail(u"Invalid character in filter expression: " + String(1, c));
  }

  bool IsKeyword(const char16_t* word) const {
    return FTok.Kind == Tok::Ident && Upper(FTok.Text) == word;
  }

  std::unique_ptr<TNode> Binary(TNode::TKind kind, std::unique_ptr<TNode> l, std::unique_ptr<TNode> r) {
    if (++FOperators > kMaxOperators) Fail(u"Filter expression too complex");
    auto n = std::make_unique<TNode>();
    n->Kind = kind;
    n->Left = std::move(l);
    n->Right = std::move(r);
    return n;
  }

  std::unique_ptr<TNode> ParseOr() {
    auto left = ParseAnd();
    while (IsKeyword(u"OR")) {
      Advance();
      left = Binary(TNode::Or, std::move(left), ParseAnd());
    }
    return left;
  }

  std::unique_ptr<TNode> ParseAnd() {
    auto left = ParseNot();
    while (IsKeyword(u"AND")) {
      Advance();
      left = Binary(TNode::And, std::move(left), ParseNot());
    }
    return left;
  }

  std::unique_ptr<TNode> ParseNot() {
    if (IsKeyword(u"NOT")) {
      Advance();
      TNesting nesting(*this);
      return Binary(TNode::Not, ParseNot(), nullptr);
    }
    return ParseComparison();
  }

  std::unique_ptr<TNode> ParseComparison() {
    if (FTok.Kind == Tok::LParen) {
      Advance();
      TNesting nesting(*this);
      auto inner = ParseOr();
      if (FTok.Kind != Tok::RParen) Fail(u"Missing ) in filter expression");
      Advance();
      return inner;
    }
    auto left = ParseOperand();
    if (IsKeyword(u"IS")) {
      Advance();
      bool negate = false;
      if (IsKeyword(u"NOT")) {
        negate = true;
        Advance();
      }
      if (!IsKeyword(u"NULL")) Fail(u"NULL expected in filter expression");
      Advance();
      return Binary(negate ? TNode::IsNotNull : TNode::IsNull, std::move(left), nullptr);
    }
    if (FTok.Kind != Tok::Op) {
      if (left->Kind == TNode::FieldRef) {
        // A lone field is true when it holds a true value.
        auto lit = std::make_unique<TNode>();
        lit->Kind = TNode::Literal;
        lit->Value = Variant(true);
        auto n = Binary(TNode::Compare, std::move(left), std::move(lit));
        return n;
      }
      Fail(u"Comparison operator expected in filter expression");
    }
    const String op = FTok.Text;
    Advance();
    auto right = ParseOperand();
    auto n = Binary(TNode::Compare, std::move(left), std::move(right));
    if (op == u"=") n->Op = TNode::Eq;
    else if (op == u"<>" || op == u"!=") n->Op = TNode::Ne;
    else if (op == u"<") n->Op = TNode::Lt;
    else if (op == u">") n->Op = TNode::Gt;
    else if (op == u"<=") n->Op = TNode::Le;
    else if (op == u">=") n->Op = TNode::Ge;
    else Fail(u"Invalid operator in filter expression: " + op);
    AdaptLiteral(*n->Left, *n->Right);
    AdaptLiteral(*n->Right, *n->Left);
    return n;
  }

  // A text compared with a date field is read as a date, written either as
  // yyyy-mm-dd or in the short date format.
  void AdaptLiteral(const TNode& field, TNode& literal) {
    if (field.Kind != TNode::FieldRef || literal.Kind != TNode::Literal ||
        literal.Value.VarType() != varString)
      return;
    const TFieldType t = field.Type;
    if (t != ftDate && t != ftDateTime && t != ftTime) return;
    const String s = literal.Value.AsString();
    TDateTime d;
    int y, m, day;
    auto digits = [&](size_t from, size_t count) {
      for (size_t i = from; i < from + count; ++i)
        if (s[i] < u'0' || s[i] > u'9') return false;
      return true;
    };
    if (s.size() >= 10 && s[4] == u'-' && s[7] == u'-') {
      if (!digits(0, 4) || !digits(5, 2) || !digits(8, 2)) Fail(u"Invalid date in filter expression: " + s);
      y = std::stoi(StringToUtf8(s.substr(0, 4)));
      m = std::stoi(StringToUtf8(s.substr(5, 2)));
      day = std::stoi(StringToUtf8(s.substr(8, 2)));
      if (!TryEncodeDate(y, m, day, d)) Fail(u"Invalid date in filter expression: " + s);
      // Whatever follows the date must be its time.
      TDateTime t2;
      if (s.size() > 10) {
        if ((s[10] != u' ' && s[10] != u'T') || !TryStrToTime(s.substr(11), t2))
          Fail(u"Invalid date in filter expression: " + s);
        d += t2;
      }
    } else if (!TryStrToDateTime(s, d)) {
      Fail(u"Invalid date in filter expression: " + s);
    }
    literal.Value = Variant::Date(d);
  }

  std::unique_ptr<TNode> ParseOperand() {
    auto n = std::make_unique<TNode>();
    switch (FTok.Kind) {
    case Tok::Str:
      n->Kind = TNode::Literal;
      n->Value = Variant(FTok.Text);
      break;
    case Tok::Num: {
      n->Kind = TNode::Literal;
      const std::string text = StringToUtf8(FTok.Text);
      // The whole token must be the number: "1.2.3" is no 1.2.
      size_t used = 0;
      try {
        if (text.find('.') == std::string::npos)
          n->Value = Variant(static_cast<int64_t>(std::stoll(text, &used)));
        else
          n->Value = Variant(std::stod(text, &used));
      } catch (const std::exception&) {
        used = 0;
      }
      if (used != text.size()) Fail(u"Invalid number in filter expression: " + FTok.Text);
      break;
    }
    case Tok::Ident:
      if (IsKeyword(u"NULL")) {
        n->Kind = TNode::Literal;
        n->Value = Variant::Null();
        break;
      }
      if (IsKeyword(u"TRUE") || IsKeyword(u"FALSE")) {
        n->Kind = TNode::Literal;
        n->Value = Variant(IsKeyword(u"TRUE"));
        break;
      }
      n->Kind = TNode::FieldRef;
      FResolve(*n, FTok.Text);
      break;
    default:
      Fail(u"Field name or value expected in filter expression");
    }
    Advance();
    return n;
  }

  // One level of parentheses or NOT for as long as it is being read.
  class TNesting {
  public:
    explicit TNesting(TParser& parser) : FParser(parser) {
      if (++FParser.FNesting > kMaxNesting) FParser.Fail(u"Filter expression nested too deeply");
    }
    ~TNesting() { --FParser.FNesting; }

  private:
    TParser& FParser;
  };

  const String& FText;
  TResolver FResolve;
  size_t FPos = 0;
  TToken FTok;
  int FNesting = 0;
  int FOperators = 0;
};

// A constant is read in place; a field's value is kept in the slot given.
const Variant& OperandRef(const TNode& n, const TFilterExpression::TFieldReader& read, Variant& slot) {
  if (n.Kind != TNode::FieldRef) return n.Value;
  slot = read(n.Field);
  return slot;
}

Variant Operand(const TNode& n, const TFilterExpression::TFieldReader& read) {
  Variant slot;
  return OperandRef(n, read, slot);
}

bool Eval(const TNode& n, const TFilterExpression::TFieldReader& read) {
  switch (n.Kind) {
  case TNode::And:
    return Eval(*n.Left, read) && Eval(*n.Right, read);
  case TNode::Or:
    return Eval(*n.Left, read) || Eval(*n.Right, read);
  case TNode::Not:
    return !Eval(*n.Left, read);
  case TNode::IsNull:
    return Operand(*n.Left, read).IsClear();
  case TNode::IsNotNull:
    return !Operand(*n.Left, read).IsClear();
  case TNode::Compare: {
    Variant left, right;
    const Variant& a = OperandRef(*n.Left, read, left);
    const Variant& b = OperandRef(*n.Right, read, right);
    // As in SQL, a comparison with null is never true.
    if (a.IsClear() || b.IsClear()) return false;
    const int c = Variant::Compare(a, b);
    switch (n.Op) {
    case TNode::Eq: return c == 0;
    case TNode::Ne: return c != 0;
    case TNode::Lt: return c < 0;
    case TNode::Gt: return c > 0;
    case TNode::Le: return c <= 0;
    case TNode::Ge: return c >= 0;
    }
    return false;
  }
  default:
    return Operand(n, read).AsBoolean();
  }
}
}  // namespace

namespace {
// Parses with the data set's name in front of any complaint.
std::unique_ptr<TNode> ParseFor(const String& text, const TDataSet& dataSet, TResolver resolve) {
  try {
    return TParser(text, std::move(resolve)).Parse();
  } catch (const EDatabaseError& e) {
    if (dataSet.Name().empty()) throw;
    throw EDatabaseError(dataSet.Name() + u": " + e.Message());
  }
}
}  // namespace

TFilterExpression::TFilterExpression(const String& text, const TDataSet& dataSet)
    : FRoot(ParseFor(text, dataSet, [&dataSet](TNode& n, const String& name) {
        n.Field = dataSet.FieldByName(name);
        n.Type = n.Field->DataType();
      })) {}

TFilterExpression::~TFilterExpression() = default;

bool TFilterExpression::Evaluate(const TFieldReader& read) const {
  return !FRoot || Eval(*FRoot, read);
}

// ---------------------------------------------------------------- server part

namespace {
bool SameName(const std::string& column, const String& name) {
  const String a = Utf8ToString(column);
  if (a.size() != name.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char16_t x = a[i], y = name[i];
    if (x >= u'a' && x <= u'z') x = static_cast<char16_t>(x - 32);
    if (y >= u'a' && y <= u'z') y = static_cast<char16_t>(y - 32);
    if (x != y) return false;
  }
  return true;
}

TFieldType DateKindOf(TMySqlType type) {
  switch (type) {
  case TMySqlType::Date: return ftDate;
  case TMySqlType::DateTime: return ftDateTime;
  case TMySqlType::Time: return ftTime;
  default: return ftUnknown;
  }
}

const char* SqlOperator(TNode::TOp op) {
  switch (op) {
  case TNode::Eq: return " = ";
  case TNode::Ne: return " <> ";
  case TNode::Lt: return " < ";
  case TNode::Gt: return " > ";
  case TNode::Le: return " <= ";
  case TNode::Ge: return " >= ";
  }
  return " = ";
}

// The operator read with the field on the left.
TNode::TOp Mirrored(TNode::TOp op) {
  switch (op) {
  case TNode::Lt: return TNode::Gt;
  case TNode::Gt: return TNode::Lt;
  case TNode::Le: return TNode::Ge;
  case TNode::Ge: return TNode::Le;
  default: return op;
  }
}


// One comparison as the server says it, or "" when its answer could drop a
// row the client keeps: texts compare without case and trailing blanks on
// the server, so only their equality goes there; a zero date reads as
// null on the client.
std::string Conjunct(const TNode& n) {
  if (n.Kind == TNode::IsNull || n.Kind == TNode::IsNotNull) {
    const TNode& f = *n.Left;
    if (f.Kind != TNode::FieldRef || !f.Column) return std::string();
    if (n.Kind == TNode::IsNull && DateKindOf(f.Column->Type) != ftUnknown) return std::string();
    return QuotedColumnName(*f.Column) + (n.Kind == TNode::IsNull ? " IS NULL" : " IS NOT NULL");
  }
  if (n.Kind != TNode::Compare) return std::string();
  const bool fieldLeft = n.Left->Kind == TNode::FieldRef && n.Right->Kind == TNode::Literal;
  const bool fieldRight = n.Right->Kind == TNode::FieldRef && n.Left->Kind == TNode::Literal;
  if (!fieldLeft && !fieldRight) return std::string();
  const TNode& f = fieldLeft ? *n.Left : *n.Right;
  const Variant& v = fieldLeft ? n.Right->Value : n.Left->Value;
  const TNode::TOp op = fieldLeft ? n.Op : Mirrored(n.Op);
  if (!f.Column || v.IsClear()) return std::string();
  const TMySqlColumn& c = *f.Column;
  if (!ServerKeepsClientRows(c, v, op == TNode::Eq)) return std::string();
  return QuotedColumnName(c) + SqlOperator(op) + SqlLiteral(v, c);
}

void Conjuncts(const TNode& n, std::vector<std::string>& out) {
  if (n.Kind == TNode::And) {
    Conjuncts(*n.Left, out);
    Conjuncts(*n.Right, out);
    return;
  }
  std::string c = Conjunct(n);
  if (!c.empty()) out.push_back(std::move(c));
}
}  // namespace

std::string ServerCondition(const String& text, const TDataSet& dataSet,
                            const std::vector<TMySqlColumn>& columns) {
  const std::unique_ptr<TNode> root = ParseFor(text, dataSet, [&](TNode& n, const String& name) {
             const TField* field = dataSet.FindField(name);
             const TMySqlColumn* column = nullptr;
             if (!field || !field->Calculated())
               for (const TMySqlColumn& c : columns)
                 if (!column && SameName(c.Name, name)) column = &c;
             if (!field && !column) throw EDatabaseError(u"Field '" + name + u"' not found");
             n.Field = field;
             n.Column = column;
             n.Type = field ? field->DataType() : DateKindOf(column->Type);
           });
  std::vector<std::string> parts;
  Conjuncts(*root, parts);
  std::string where;
  for (const std::string& p : parts) where += (where.empty() ? "" : " AND ") + p;
  return where;
}
