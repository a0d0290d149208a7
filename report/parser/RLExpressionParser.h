#pragma once
// Evaluates expressions written as text: numbers, quoted texts, dotted
// identifiers, operators, calls and blocks of statements in braces. The
// host plugs in its resources (data fields, aggregates) through the hooks.
#include "platform/classes/Component.h"
#include "platform/data/Variant.h"
#include "report/parser/RLParserFunctions.h"
#include "report/parser/RLParserNode.h"
#include <functional>
#include <memory>
#include <unordered_map>

// Every error the parser raises while reading or evaluating a formula.
class ERLParserError : public Exception { using Exception::Exception; };

enum class TRLParserTokenKind {
  tkNull,
  tkUnknown,
  tkIdentifier,
  tkValue,
  tkLiteral,
  tkOperator,
  tkEnterBrackets,
  tkExitBrackets,
  tkBracketsBreak,
  tkCodeEnter,
  tkCodeBreak,
  tkCodeExit,
};

enum TRLParserOption : unsigned { poScanComponents = 1u << 0 };
using TRLParserOptions = unsigned;

class TRLExpressionParser;
using TRLParserOnIdentifierEvent = std::function<void(
    TRLExpressionParser* Sender, const String& Identifier, const Variant& Params, Variant& Result)>;
using TRLParserOnTokenEvent =
    std::function<void(TRLExpressionParser* Sender, String& Token, TRLParserTokenKind& Kind)>;
using TRLParserOnException =
    std::function<void(TRLExpressionParser* Sender, Exception& E, Variant& Result)>;
using TRLParserOnFindAgregateEvent = std::function<void(
    TRLExpressionParser* Sender, TPersistent* Owner, const String& Name, TPersistent*& Agregate)>;
using TRLParserOnGetAttributeEvent = std::function<void(
    TRLExpressionParser* Sender, TPersistent* Owner, const String& Name, Variant& Value)>;
using TRLParserOnSetAttributeEvent =
    std::function<void(TRLExpressionParser* Sender, TPersistent* Owner, const String& Name,
                       const Variant& Value, bool& Handled)>;

class TRLExpressionParser : public TComponent {
public:
  // Deeper nesting of brackets, blocks, operators or self-calling functions
  // is refused instead of running out of stack.
  static constexpr int MaxNesting = 200;
  static constexpr int MaxCallDepth = 64;
  // Nodes being evaluated at once, through every function call: a deep
  // body calling itself must fail before it runs out of stack.
  static constexpr int MaxEvalDepth = 1000;

  explicit TRLExpressionParser(TComponent* AOwner);
  ~TRLExpressionParser() override;

  void Clear();
  const String& Expression() const { return FExpression; }
  void SetExpression(const String& value);
  // Forgets the parsed trees of Expression and of formula texts.
  void Invalidate();

  void Evaluate(Variant& Result);
  // The tree of each formula text is kept and found again on the next call.
  void Evaluate(const String& AExpression, Variant& Result);

  TRLParserFunction* CreateFunction(const String& ADeclaration, const String& AExpression);
  TRLParserValue* CreateValue(const String& AName, const Variant& AValue);

  // Builds the tree of a text; none for an empty one.
  std::unique_ptr<TRLParserNode> Parse(const String& AExpression);

  TRLParserFunctionList& FunctionList() { return FFunctionList; }
  TRLParserValueList& ValueList() { return FValueList; }
  // Pre-order position of the identifier node being resolved.
  int IdentifierId() const { return FIdentifierId; }
  TRLParserOptions Options() const { return FOptions; }
  void SetOptions(TRLParserOptions value) { FOptions = value; }

  void ReadAttribute(TPersistent* Object, const String& Name, Variant& Value);
  bool WriteAttribute(TPersistent* Object, const String& Name, const Variant& Value);

  TRLParserOnIdentifierEvent OnIdentifier, OnUnknown, ResourceProc;
  TRLParserOnTokenEvent OnToken, TokenProc;
  TRLParserOnException OnException;
  TRLParserOnFindAgregateEvent FindAgregateProc;
  TRLParserOnGetAttributeEvent GetAttributeProc;
  TRLParserOnSetAttributeEvent SetAttributeProc;

private:
  friend class TRLParserNode;
  friend class TRLParserFunction;

  // Tokenizer.
  char16_t ReadChar();
  void UnreadChar(char16_t ch);
  char16_t ReadNonBlank();
  bool ReadToken();
  void ReadNumber(char16_t first);
  void ReadLiteral(char16_t quote);
  [[noreturn]] void FailAt(const char16_t* what);

  // Tree builder.
  TRLParserNode* BuildTree(int depth);
  TRLParserNode* BuildOperator(TRLParserNode*& current, TRLParserNode*& root, bool first);
  void BuildBrackets(TRLParserNode*& current, TRLParserNode*& root, int depth);
  void BuildInline(TRLParserNode*& current, TRLParserNode*& root, int depth);

  // Evaluation.
  void EvaluateTree(const TRLParserNode* root, Variant& Result);
  void EvaluateFunctionBody(const TRLParserNode* root, TRLParserParamList& params, Variant& Result);
  void EvalIdentifier(const TRLParserNode& node, Variant& Result);
  void EvalSet(const TRLParserNode& node, Variant& Result);
  void LookupIdentifier(const String& Identifier, const Variant& Params, Variant& Result);
  bool LookupBuiltIn(const String& Identifier, const Variant& Params, Variant& Result);
  void ScanComponents(const String& Identifier, Variant& Result);
  bool ResolvePath(const String& path, TPersistent*& object, String& property);
  TPersistent* FindAggregate(TPersistent* current, const String& part);

  const char16_t* FExprBuffer = nullptr;
  int FExprBuffLen = 0;
  int FExprBuffCh = 0;
  char16_t FNextCh = 0;
  String FLastToken;
  TRLParserTokenKind FLastKind = TRLParserTokenKind::tkNull;
  TRLParserFunctionList FFunctionList;
  TRLParserValueList FValueList;
  int FIdentifierId = 0;
  std::unique_ptr<TRLParserNode> FRootNode;
  std::unordered_map<String, std::unique_ptr<TRLParserNode>> FFormulaTrees;
  String FExpression;
  TRLParserOptions FOptions = poScanComponents;
  TRLParserParamList* FParams = nullptr;
  int FCallDepth = 0;
  int FEvalDepth = 0;
};
