// How a report's formulas reach the report: the parser asks the report for
// identifiers (the invoking aggregate's functions first, then data fields
// from the invoking control outwards), for components by name and for
// their attributes.
#include "platform/data/DataSet.h"
#include "platform/data/DataSource.h"
#include "platform/data/Field.h"
#include "platform/rtl/NumUtils.h"
#include "platform/rtl/StrUtils.h"
#include "report/components/RLDBResult.h"
#include "report/components/RLSiteKinds.h"
#include "report/parser/RLExpressionParser.h"

void TRLCustomControl::GetAttribute(const String& Name, Variant& Value) {
  (void)Name;
  Value = Variant(Caption());
}

bool TRLCustomControl::SetAttribute(const String& Name, const Variant& Value) {
  (void)Name;
  (void)Value;
  return false;
}

void TRLCustomReport::SetExpressionParser(TRLExpressionParser* value) {
  if (value == FExpressionParser) return;
  if (FExpressionParser) DetachParser(FExpressionParser);
  FExpressionParser = value;
  if (value) AttachParser(value);
}

void TRLCustomReport::DetachParser(TRLExpressionParser* parser) {
  parser->ResourceProc = nullptr;
  parser->TokenProc = nullptr;
  parser->FindAgregateProc = nullptr;
  parser->SetAttributeProc = nullptr;
  parser->GetAttributeProc = nullptr;
  parser->RemoveFreeNotification(this);
}

void TRLCustomReport::AttachParser(TRLExpressionParser* parser) {
  parser->ResourceProc = [this](TRLExpressionParser*, const String& identifier, const Variant& params,
                                Variant& result) { ResolveIdentifier(identifier, params, result); };
  parser->TokenProc = nullptr;
  parser->FindAgregateProc = [this](TRLExpressionParser*, TPersistent* owner, const String& name,
                                    TPersistent*& found) { found = FindAggregate(owner, name); };
  parser->GetAttributeProc = [this](TRLExpressionParser*, TPersistent* owner, const String& name,
                                    Variant& value) { ReadAttribute(owner, name, value); };
  parser->SetAttributeProc = [](TRLExpressionParser*, TPersistent* owner, const String& name, const Variant& value,
                                bool& handled) {
    if (auto* control = dynamic_cast<TRLCustomControl*>(owner)) handled = control->SetAttribute(name, value);
  };
  parser->FreeNotification(this);
}

Variant TRLCustomReport::Parse(TObject* Sender, const String& Expression) {
  Variant result;
  if (!FExpressionParser) return result;
  struct RestoreInvoker {
    TObject*& invoker;
    TObject* saved;
    ~RestoreInvoker() { invoker = saved; }
  } restore{FParseInvoker, FParseInvoker};
  FParseInvoker = Sender;
  FExpressionParser->Evaluate(Expression, result);
  return result;
}

void TRLCustomReport::ResolveIdentifier(const String& Identifier, const Variant& Params, Variant& Result) {
  auto* aggregate = dynamic_cast<TRLCustomDBResult*>(FParseInvoker);
  if (aggregate) {
    aggregate->EvaluateBuiltIn(Identifier, Params, Result);
    if (!Result.IsEmpty()) return;
  }
  for (auto* control = dynamic_cast<TControl*>(FParseInvoker); control; control = control->Parent()) {
    TDataSource* source = nullptr;
    if (auto* text = dynamic_cast<TRLCustomDBText*>(control))
      source = text->DataSource();
    else if (auto* skipper = dynamic_cast<TRLCustomSkipper*>(control))
      source = skipper->DataSource();
    TDataSet* dataSet = source ? source->DataSet() : nullptr;
    TField* field = dataSet ? dataSet->FindField(Identifier) : nullptr;
    if (!field) continue;
    Result = field->Value();
    if (Result.IsClear() && aggregate && aggregate->ComputeNulls()) Result = NullValueForField(field);
    if (Result.IsEmpty()) Result = Variant::Null();
    return;
  }
}

TPersistent* TRLCustomReport::FindAggregate(TPersistent* Owner, const String& Name) {
  auto* owner = dynamic_cast<TComponent*>(Owner);
  if (!owner) return nullptr;
  for (int i = 0; i < owner->ComponentCount(); ++i) {
    TComponent* component = owner->Components(i);
    if (SameText(component->Name(), Name)) return component;
    if (auto* control = dynamic_cast<TRLCustomControl*>(component))
      if (!control->FriendlyName().empty() && SameText(control->FriendlyName(), Name)) return component;
  }
  return nullptr;
}

void TRLCustomReport::ReadAttribute(TPersistent* Owner, const String& Name, Variant& Value) {
  if (auto* source = dynamic_cast<TDataSource*>(Owner)) Owner = source->DataSet();
  if (auto* dataSet = dynamic_cast<TDataSet*>(Owner)) {
    if (TField* field = dataSet->FindField(Name)) Value = field->Value();
  } else if (auto* control = dynamic_cast<TRLCustomControl*>(Owner)) {
    control->GetAttribute(Name, Value);
  } else if (auto* font = dynamic_cast<TFont*>(Owner)) {
    Value = Variant(font->Name() + u" " + IntToStr(font->Size()));
  }
}
