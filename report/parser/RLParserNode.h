#pragma once
// One node of an expression's operator tree. A node owns its children;
// Id is the node's pre-order position in its tree, unique within the tree,
// so a function call site can keep state between evaluations.
#include "platform/data/Variant.h"
#include <cstdint>
#include <vector>

class TRLExpressionParser;

enum class TRLParserOperation {
  opNull,
  opIdentifier,
  opValue,
  opLiteral,
  opSum,
  opSubtract,
  opMultiply,
  opDivide,
  opPower,
  opRoot,
  opPlus,
  opMinus,
  opNot,
  opGreater,
  opLess,
  opEqual,
  opInequal,
  opNotLess,
  opNotGreater,
  opOr,
  opAnd,
  opSet,
  opInline,
};

class TRLParserNode {
public:
  TRLParserNode(TRLExpressionParser* AParser, Variant AValue, TRLParserOperation AOperation);
  ~TRLParserNode();
  TRLParserNode(const TRLParserNode&) = delete;
  TRLParserNode& operator=(const TRLParserNode&) = delete;

  TRLExpressionParser* Parser() const { return FParser; }
  TRLParserNode* ParentNode() const { return FParentNode; }
  // Moves the node under AParent as its last child (none: detaches it).
  void SetParentNode(TRLParserNode* AParent);
  TRLParserOperation Operation() const { return FOperation; }
  const Variant& Value() const { return FValue; }
  uint8_t Priority() const { return FPriority; }
  void SetPriority(uint8_t value) { FPriority = value; }
  bool Isolated() const { return FIsolated; }
  void SetIsolated(bool value) { FIsolated = value; }
  int Id() const { return FId; }
  void SetId(int value) { FId = value; }

  int ChildCount() const { return static_cast<int>(FChildren.size()); }
  TRLParserNode* Children(int index) const { return FChildren[static_cast<size_t>(index)]; }

  void AddChild(TRLParserNode* node) { node->SetParentNode(this); }
  // ANode takes this node's place: it becomes the last child of this node's
  // parent, and this node becomes its last child.
  void InsertAbove(TRLParserNode* ANode);

  void Eval(Variant& Result) const;

private:
  TRLExpressionParser* FParser;
  TRLParserNode* FParentNode = nullptr;
  TRLParserOperation FOperation;
  std::vector<TRLParserNode*> FChildren;
  Variant FValue;
  uint8_t FPriority = 255;
  bool FIsolated = false;
  int FId = 0;
};

// Binding strength of an operation; operands and unknown operations 255.
uint8_t OperationPriority(TRLParserOperation op);
