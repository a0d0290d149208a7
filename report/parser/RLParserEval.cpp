// The meaning of the operator trees: node evaluation, identifier
// resolution, assignments, user functions and component paths.
#include "platform/classes/PublishedProperties.h"
#include "platform/data/VariantOps.h"
#include "platform/rtl/StrUtils.h"
#include "report/parser/RLExpressionParser.h"
#include <cmath>
#include <typeinfo>

using O = TRLParserOperation;

namespace {
// Restores a value when the scope ends, also on failure.
template <class T>
struct Restore {
  T& target;
  T saved;
  explicit Restore(T& t) : target(t), saved(t) {}
  ~Restore() { target = saved; }
};

Variant EvalChild(const TRLParserNode& node, int index) {
  Variant value;
  if (index < node.ChildCount()) node.Children(index)->Eval(value);
  return value;
}
}  // namespace

void TRLParserNode::Eval(Variant& Result) const {
  if (FParser->FEvalDepth >= TRLExpressionParser::MaxEvalDepth)
    throw ERLParserError(u"Expression nested too deeply!");
  Restore<int> keepDepth(FParser->FEvalDepth);
  ++FParser->FEvalDepth;
  switch (FOperation) {
  case O::opNull: Result = Variant(); return;
  case O::opIdentifier: FParser->EvalIdentifier(*this, Result); return;
  case O::opValue:
  case O::opLiteral: Result = FValue; return;
  case O::opInline:
    for (const TRLParserNode* child : FChildren) child->Eval(Result);
    return;
  case O::opSet: FParser->EvalSet(*this, Result); return;
  default: break;
  }
  const Variant a = EvalChild(*this, 0);
  switch (FOperation) {
  case O::opPlus: Result = a; return;
  case O::opMinus: Result = VarNeg(a); return;
  case O::opNot: Result = VarNot(a); return;
  default: break;
  }
  const Variant b = EvalChild(*this, 1);
  switch (FOperation) {
  case O::opSum: Result = VarAdd(a, b); break;
  case O::opSubtract: Result = VarSub(a, b); break;
  case O::opMultiply: Result = VarMul(a, b); break;
  case O::opDivide: Result = VarDiv(a, b); break;
  case O::opPower: Result = VarPower(a, b); break;
  case O::opRoot: Result = VarPower(a, VarDiv(Variant(1.0), b)); break;
  case O::opGreater: Result = Variant(VarCompare(a, b) > 0); break;
  case O::opLess: Result = Variant(VarCompare(a, b) < 0); break;
  case O::opEqual: Result = Variant(VarCompare(a, b) == 0); break;
  case O::opInequal: Result = Variant(VarCompare(a, b) != 0); break;
  case O::opNotLess: Result = Variant(VarCompare(a, b) >= 0); break;
  case O::opNotGreater: Result = Variant(VarCompare(a, b) <= 0); break;
  case O::opOr: Result = VarOr(a, b); break;
  case O::opAnd: Result = VarAnd(a, b); break;
  default: Result = Variant(); break;
  }
}

void TRLExpressionParser::Evaluate(Variant& Result) {
  if (!FRootNode) FRootNode = Parse(FExpression);
  EvaluateTree(FRootNode.get(), Result);
}

void TRLExpressionParser::Evaluate(const String& AExpression, Variant& Result) {
  auto found = FFormulaTrees.find(AExpression);
  if (found == FFormulaTrees.end())
    found = FFormulaTrees.emplace(AExpression, Parse(AExpression)).first;
  EvaluateTree(found->second.get(), Result);
}

void TRLExpressionParser::EvaluateTree(const TRLParserNode* root, Variant& Result) {
  Result = Variant();
  if (!root) return;
  try {
    root->Eval(Result);
  } catch (Exception& e) {
    if (!OnException) throw;
    OnException(this, e, Result);
  }
}

void TRLExpressionParser::EvaluateFunctionBody(const TRLParserNode* root,
                                               TRLParserParamList& params, Variant& Result) {
  if (FCallDepth >= MaxCallDepth) throw ERLParserError(u"Function calls nested too deeply!");
  Restore<TRLParserParamList*> keepParams(FParams);
  Restore<int> keepDepth(FCallDepth);
  FParams = &params;
  ++FCallDepth;
  EvaluateTree(root, Result);
}

void TRLExpressionParser::EvalIdentifier(const TRLParserNode& node, Variant& Result) {
  const String& name = node.Value().AsString();
  if (SameText(name, u"if")) {
    if (node.ChildCount() != 3) throw ERLParserError(u"Wrong number of arguments");
    Variant condition;
    node.Children(0)->Eval(condition);
    node.Children(condition.AsBoolean() ? 1 : 2)->Eval(Result);
    return;
  }
  Variant params;
  if (node.ChildCount() > 0) {
    std::vector<Variant> items(static_cast<size_t>(node.ChildCount()));
    for (int i = 0; i < node.ChildCount(); ++i) node.Children(i)->Eval(items[static_cast<size_t>(i)]);
    params = Variant::Array(std::move(items));
  }
  Result = Variant();
  {
    Restore<int> keepId(FIdentifierId);
    FIdentifierId = node.Id();
    LookupIdentifier(name, params, Result);
  }
  if (Result.IsEmpty()) throw ERLParserError(u"Undefined identifier \"" + name + u"\"");
}

void TRLExpressionParser::LookupIdentifier(const String& Identifier, const Variant& Params,
                                           Variant& Result) {
  if (OnIdentifier) OnIdentifier(this, Identifier, Params, Result);
  if (!Result.IsEmpty()) return;
  if (FParams)
    if (TRLParserParam* param = FParams->ByName(Identifier)) {
      Result = param->Value();
      return;
    }
  if (TRLParserFunction* function = FFunctionList.ByName(Identifier)) {
    function->Evaluate(Params, Result);
    return;
  }
  if (TRLParserValue* value = FValueList.ByName(Identifier)) {
    Result = value->Value();
    return;
  }
  if (LookupBuiltIn(Identifier, Params, Result)) return;
  if (ResourceProc) ResourceProc(this, Identifier, Params, Result);
  if (Result.IsEmpty() && (FOptions & poScanComponents)) ScanComponents(Identifier, Result);
  if (Result.IsEmpty() && OnUnknown) OnUnknown(this, Identifier, Params, Result);
}

bool TRLExpressionParser::LookupBuiltIn(const String& Identifier, const Variant& Params,
                                        Variant& Result) {
  if (SameText(Identifier, u"pi")) {
    Result = Variant(3.1415926535897932385);
    return true;
  }
  if (SameText(Identifier, u"true") || SameText(Identifier, u"false")) {
    Result = Variant(SameText(Identifier, u"true"));
    return true;
  }
  const bool minor = SameText(Identifier, u"minor");
  if (!minor && !SameText(Identifier, u"major")) return false;
  for (int i = 0; i <= Params.ArrayHighBound(); ++i) {
    const Variant& item = Params.ArrayItem(i);
    if (Result.IsEmpty() || (minor ? VarCompare(item, Result) < 0 : VarCompare(item, Result) > 0))
      Result = item;
  }
  return true;
}

void TRLExpressionParser::EvalSet(const TRLParserNode& node, Variant& Result) {
  if (node.ChildCount() < 1 || node.Children(0)->Operation() != O::opIdentifier)
    throw ERLParserError(u"Left side cannot be Assigned");
  Result = EvalChild(node, 1);
  const String& name = node.Children(0)->Value().AsString();
  if (FOptions & poScanComponents) {
    TPersistent* object = nullptr;
    String property;
    if (ResolvePath(name, object, property) && !property.empty() &&
        WriteAttribute(object, property, Result))
      return;
  }
  CreateValue(name, Result);
}

// ---- component paths

TPersistent* TRLExpressionParser::FindAggregate(TPersistent* current, const String& part) {
  if (FindAgregateProc) {
    TPersistent* found = nullptr;
    FindAgregateProc(this, current, part, found);
    if (found) return found;
  }
  if (auto* component = dynamic_cast<TComponent*>(current)) {
    if (SameText(component->Name(), part)) return component;
    if (TComponent* owned = component->FindComponent(part)) return owned;
  }
  return current ? PublishedObject(*current, part) : nullptr;
}

bool TRLExpressionParser::ResolvePath(const String& path, TPersistent*& object, String& property) {
  TPersistent* current = Owner();
  if (!current) return false;
  size_t start = 0;
  for (;;) {
    const size_t dot = path.find(u'.', start);
    const bool last = dot == String::npos;
    const String part = path.substr(start, last ? String::npos : dot - start);
    if (part.empty()) return false;
    if (TPersistent* next = FindAggregate(current, part)) {
      current = next;
    } else {
      if (!last) return false;
      object = current;
      property = part;
      return true;
    }
    if (last) break;
    start = dot + 1;
  }
  object = current;
  property.clear();
  return true;
}

void TRLExpressionParser::ScanComponents(const String& Identifier, Variant& Result) {
  TPersistent* object = nullptr;
  String property;
  if (ResolvePath(Identifier, object, property)) ReadAttribute(object, property, Result);
}

void TRLExpressionParser::ReadAttribute(TPersistent* Object, const String& Name, Variant& Value) {
  if (GetAttributeProc) GetAttributeProc(this, Object, Name, Value);
  if (!Value.IsEmpty()) return;
  if (Name.empty()) {
    Value = Object ? String(u"[") + ClassNameOf(*Object) + u"]" : String(u"nil");
    return;
  }
  if (Object) Value = ReadPublishedProperty(*Object, Name);
}

bool TRLExpressionParser::WriteAttribute(TPersistent* Object, const String& Name,
                                         const Variant& Value) {
  if (Object && !Name.empty() && WritePublishedProperty(*Object, Name, Value)) return true;
  bool handled = false;
  if (SetAttributeProc) SetAttributeProc(this, Object, Name, Value, handled);
  return handled;
}
