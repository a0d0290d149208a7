#include "report/parser/RLParserNode.h"
#include <algorithm>

TRLParserNode::TRLParserNode(TRLExpressionParser* AParser, Variant AValue,
                             TRLParserOperation AOperation)
    : FParser(AParser), FOperation(AOperation), FValue(std::move(AValue)),
      FPriority(OperationPriority(AOperation)) {}

TRLParserNode::~TRLParserNode() {
  SetParentNode(nullptr);
  // Freed without recursion: a long chain of operators makes a deep tree.
  std::vector<TRLParserNode*> pending;
  pending.swap(FChildren);
  while (!pending.empty()) {
    TRLParserNode* node = pending.back();
    pending.pop_back();
    pending.insert(pending.end(), node->FChildren.begin(), node->FChildren.end());
    node->FChildren.clear();
    node->FParentNode = nullptr;
    delete node;
  }
}

void TRLParserNode::SetParentNode(TRLParserNode* AParent) {
  if (FParentNode) {
    auto& siblings = FParentNode->FChildren;
    siblings.erase(std::find(siblings.begin(), siblings.end(), this));
  }
  FParentNode = AParent;
  if (AParent) AParent->FChildren.push_back(this);
}

void TRLParserNode::InsertAbove(TRLParserNode* ANode) {
  ANode->SetParentNode(FParentNode);
  SetParentNode(ANode);
}

uint8_t OperationPriority(TRLParserOperation op) {
  using O = TRLParserOperation;
  switch (op) {
  case O::opSet: return 0;
  case O::opEqual: return 1;
  case O::opInequal: return 2;
  case O::opGreater: return 3;
  case O::opLess: return 4;
  case O::opNotLess: return 5;
  case O::opNotGreater: return 6;
  case O::opOr: return 7;
  case O::opAnd: return 8;
  case O::opSum: return 9;
  case O::opSubtract: return 10;
  case O::opMultiply: return 11;
  case O::opDivide: return 12;
  case O::opPower: return 13;
  case O::opRoot: return 14;
  case O::opPlus: return 15;
  case O::opMinus: return 16;
  case O::opNot: return 17;
  default: return 255;
  }
}
