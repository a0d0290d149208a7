#include "report/components/RLDBResult.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/data/VariantOps.h"
#include "report/components/RLSiteKinds.h"
#include "report/pages/RLUtils.h"
#include "report/parser/RLExpressionParser.h"

namespace {
// Every number, 64-bit integers included: integer columns of the server
// arrive as 64-bit values, and a sum of them must not stay at 0.
bool IsSummable(const Variant& value) { return value.IsNumeric(); }
}  // namespace

Variant NullValueForField(const TField* Field) {
  if (!Field) return Variant::Null();
  switch (Field->DataType()) {
    case ftSmallint:
    case ftInteger:
    case ftLargeint:
    case ftAutoInc:
    case ftFloat:
    case ftCurrency:
    case ftBCD:
    case ftDate:
    case ftTime:
    case ftDateTime: return Variant(0);
    case ftString:
    case ftMemo:
    case ftBlob:
    case ftGraphic: return Variant(String());
    default: return Variant::Null();
  }
}

TRLCustomDBResult::TRLCustomDBResult(TComponent* AOwner) : TRLCustomDBText(AOwner) { Initialize(); }

void TRLCustomDBResult::SetInfo(TRLResultInfo value) {
  if (value == FInfo) return;
  FInfo = value;
  RefreshCaption();
}

void TRLCustomDBResult::FetchValue(String& Text, Variant& Value, bool WithText) {
  Value = Variant::Null();
  Text.clear();
  if (!DataFormula().empty()) {
    Value = RequestParentReport()->Parse(this, DataFormula());
    if (Value.IsClear() && FComputeNulls) Value = NullValueForField(Field());
    if (WithText) Text = Value.AsString();
    return;
  }
  TDataSet* dataSet = DataSet();
  TField* field = Field();
  if (dataSet && dataSet->Active() && !dataSet->Eof() && field) {
    Value = field->Value();
    if (WithText) Text = FieldTextForReport(field, DisplayMask());
  }
}

void TRLCustomDBResult::Initialize() {
  FNullValue = NullValueForField(Field());
  FCount = 0;
  FSum = 0;
  FMax = FMin = FLast = FFirst = FSimple = FNullValue;
  FFirstText.clear();
  FLastText.clear();
  FBuiltInRegs.Clear();
  // Evaluating the formula here sets up the registers of its aggregate
  // calls; their counts and sums start again from 0.
  FetchValue(FFirstText, FFirst);
  FMin = FMax = FLast = FSimple = FFirst;
  FLastText = FFirstText;
  FBuiltInRegs.ResetCounters();
}

void TRLCustomDBResult::ComputeDetail(TRLCustomControl* ACaller) {
  (void)ACaller;
  if (FMustResetValue) {
    Initialize();
    FMustResetValue = false;
  }
  String text;
  Variant value;
  FetchValue(text, value, NeedsRecordText());
  bool computeIt = true;
  if (OnCompute) OnCompute(this, value, text, computeIt);
  if (!computeIt) return;
  if (value.IsClear()) {
    if (!FComputeNulls) return;
    value = NullValueForField(Field());
  }
  FSimple = value;
  if (FCount++ == 0) {
    FFirst = value;
    FFirstText = text;
  }
  FLast = value;
  FLastText = text;
  if (IsSummable(value)) FSum = VarAdd(Variant(FSum), value).AsFloat();
  if (FCount == 1 || VarCompare(value, FMax) > 0) FMax = value;
  if (FCount == 1 || VarCompare(value, FMin) < 0) FMin = value;
}

Variant TRLCustomDBResult::Value() const {
  switch (FInfo) {
    case riAverage: return FCount > 0 ? Variant(FSum / FCount) : Variant(0);
    case riCount: return Variant(FCount);
    case riFirst: return FFirst;
    case riLast: return FLast;
    case riMax: return FMax;
    case riMin: return FMin;
    case riSum: return Variant(FSum);
    case riFirstText: return Variant(FFirstText);
    case riLastText: return Variant(FLastText);
    case riSimple: return FSimple;
  }
  return Variant();
}

void TRLCustomDBResult::ReadDataText(String& Text) {
  Text.clear();
  if (IsPreparing()) {
    const Variant value = Value();
    if (value.IsClear()) return;
    if (FInfo == riCount || FInfo == riFirstText || FInfo == riLastText)
      Text = value.AsString();
    else
      FormatValue(value, Text);
    return;
  }
  static const char16_t* const kinds[] = {u"Average", u"Count", u"First",     u"Last",     u"Max",
                                          u"Min",     u"Sum",   u"FirstText", u"LastText", u"Simple"};
  Text = FInfo == riCount ? String(u"(Count)") : u"(" + String(kinds[FInfo]) + u" " + DesignBaseText() + u")";
}

void TRLCustomDBResult::EmitToSurface() {
  TRLCustomDBText::EmitToSurface();
  if (FResetAfterPrint) FMustResetValue = true;
}

void TRLCustomDBResult::GetAttribute(const String& Name, Variant& Value) {
  (void)Name;
  Value = this->Value();
}

void TRLCustomDBResult::EvaluateBuiltIn(const String& Name, const Variant& Params, Variant& Result) {
  TRLExpressionParser* parser = RequestParentReport()->ExpressionParser();
  FBuiltInRegs.Evaluate(Name, Params, parser ? parser->IdentifierId() : 0, Result);
}
