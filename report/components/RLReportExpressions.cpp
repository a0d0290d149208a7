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
  // Asked for every identifier of every formula on every record: the
  // controls answer what they are, as a type test costs far more.
  auto* invoker = dynamic_cast<TRLCustomControl*>(FParseInvoker);
  TRLCustomDBText* invokerText = invoker ? invoker->AsDBText() : nullptr;
  TRLCustomDBResult* aggregate = invokerText ? invokerText->AsDBResult() : nullptr;
  if (aggregate) {
    aggregate->EvaluateBuiltIn(Identifier, Params, Result);
    if (!Result.IsEmpty()) return;
  }
  auto sourceOf = [](TRLCustomControl* control) -> TDataSource* {
    if (!control) return nullptr;
    if (TRLCustomDBText* text = control->AsDBText()) return text->DataSource();
    if (TRLCustomSkipper* skipper = control->AsSkipper()) return skipper->DataSource();
    return nullptr;
  };
  auto fieldOf = [&](TDataSource* source) -> TField* {
    TDataSet* dataSet = source ? source->DataSet() : nullptr;
    return dataSet ? dataSet->FindField(Identifier) : nullptr;
  };
  TField* field = nullptr;
  if (invoker) {
    // Only report controls have a data source: the others between them
    // are looked through.
    for (TRLCustomControl* control = invoker; control && !field; control = control->ReportAncestor())
      field = fieldOf(sourceOf(control));
  } else {
    for (auto* control = dynamic_cast<TControl*>(FParseInvoker); control && !field; control = control->Parent())
      field = fieldOf(sourceOf(dynamic_cast<TRLCustomControl*>(control)));
  }
  if (!field) return;
  Result = field->Value();
  if (Result.IsClear() && aggregate && aggregate->ComputeNulls()) Result = NullValueForField(field);
  if (Result.IsEmpty()) Result = Variant::Null();
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
