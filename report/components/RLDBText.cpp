#include "report/components/RLDBText.h"
#include "platform/data/DataSet.h"
#include "platform/data/DataSource.h"
#include "platform/data/Field.h"
#include "platform/rtl/NumUtils.h"
#include "platform/ui/mask/EditMask.h"
#include "report/components/RLSiteKinds.h"
#include "report/pages/RLUtils.h"

namespace {
// A number takes a mask as a float format; 64-bit integers too, as the
// server's integer columns arrive as them.
bool IsFloatVariant(const Variant& value) { return value.IsNumeric(); }
}  // namespace

TRLCustomDBText::TRLCustomDBText(TComponent* AOwner) : TRLCustomLabel(AOwner) {}

void TRLCustomDBText::SetText(const String& value) {
  if (value == FText) return;
  FText = value;
  RefreshCaption();
}

void TRLCustomDBText::SetDataField(const TRLDataFieldProperty& value) {
  if (value == FDataField) return;
  FDataField = value;
  FFoundField = nullptr;
  if (!value.empty()) FDataFormula.clear();
  RefreshCaption();
}

void TRLCustomDBText::SetDataFormula(const String& value) {
  if (value == FDataFormula) return;
  FDataFormula = value;
  if (!value.empty()) FDataField.clear();
  RefreshCaption();
}

void TRLCustomDBText::SetDataSource(TDataSource* value) {
  if (value == FDataSource) return;
  if (FDataSource) FDataSource->RemoveFreeNotification(this);
  FDataSource = value;
  if (value) value->FreeNotification(this);
  RefreshCaption();
}

void TRLCustomDBText::Notification(TComponent* AComponent, TOperation Operation) {
  TRLCustomLabel::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FDataSource) FDataSource = nullptr;
}

TDataSet* TRLCustomDBText::DataSet() const { return FDataSource ? FDataSource->DataSet() : nullptr; }

TField* TRLCustomDBText::Field() const {
  TDataSet* dataSet = DataSet();
  if (!dataSet || FDataField.empty()) return nullptr;
  const TFields& fields = dataSet->Fields();
  if (FFoundField && dataSet == FFoundIn && FFoundIndex < fields.Count() && fields[FFoundIndex] == FFoundField &&
      FFoundField->FieldName() == FFoundFieldName)
    return FFoundField;
  TField* field = dataSet->FindField(FDataField);
  FFoundIn = dataSet;
  FFoundField = field;
  FFoundIndex = field ? fields.IndexOf(field) : -1;
  if (field) FFoundFieldName = field->FieldName();
  return field;
}

void TRLCustomDBText::GetFieldLabel(String& Text) const {
  TField* field = Field();
  Text = field ? field->DisplayLabel() : FDataField;
}

void TRLCustomDBText::FormatValue(const Variant& Value, String& Text) const {
  if (Value.IsClear()) {
    Text.clear();
    return;
  }
  if (!FDisplayMask.empty()) {
    Text = IsFloatVariant(Value) ? FormatFloat(FDisplayMask, Value.AsFloat())
                                 : FormatMaskText(FDisplayMask, Value.AsString());
    return;
  }
  TField* field = Field();
  if (field && field->IsNumeric()) {
    String format;
    if (auto* numeric = dynamic_cast<TNumericField*>(field))
      format = numeric->EditFormat().empty() ? numeric->DisplayFormat() : numeric->EditFormat();
    if (!format.empty()) {
      Text = FormatFloat(format, Value.AsFloat());
    } else if (auto* floating = dynamic_cast<TFloatField*>(field)) {
      Text = floating->Currency()
                 ? FloatToStrF(Value.AsFloat(), ffCurrency, floating->Precision(), FormatSettings.CurrencyDecimals)
                 : FloatToStrF(Value.AsFloat(), ffGeneral, floating->Precision(), 0);
    } else {
      Text = FloatToStrF(Value.AsFloat(), ffGeneral, 0, 0);
    }
    return;
  }
  Text = Value.AsString();
}

String TRLCustomDBText::DesignBaseText() const {
  if (!FriendlyName().empty()) return FriendlyName();
  if (!FDataField.empty()) {
    String label;
    GetFieldLabel(label);
    return label;
  }
  if (!FDataFormula.empty()) return u"(" + FDataFormula + u")";
  return String();
}

void TRLCustomDBText::ReadDataText(String& Text) {
  Text.clear();
  if (!IsPreparing()) {
    Text = DesignBaseText();
    if (Text.empty()) Text = Name();
    return;
  }
  TDataSet* dataSet = DataSet();
  if (!dataSet || !dataSet->Active() || dataSet->Eof()) return;
  if (TField* field = Field())
    Text = FieldTextForReport(field, FDisplayMask);
  else if (!FDataFormula.empty())
    FormatValue(RequestParentReport()->Parse(this, FDataFormula), Text);
}

void TRLCustomDBText::BuildCaptionText(String& Text) {
  String value;
  ReadDataText(value);
  if (FText.empty()) {
    Text = value;
    return;
  }
  Text = FText;
  const size_t mark = Text.find(u'#');
  if (mark == String::npos)
    Text += value;
  else
    Text.replace(mark, 1, value);
}
