#pragma once
// A text that prints a data field of the current record, or the value of a
// formula the report's expression parser evaluates, after a fixed text
// ("CNPJ: ") or in place of the "#" in it.
#include "platform/data/Variant.h"
#include "report/components/RLLabel.h"

class TDataSet;
class TDataSource;
class TField;
class TRLCustomDBResult;

using TRLDataFieldProperty = String;

class TRLCustomDBText : public TRLCustomLabel {
public:
  explicit TRLCustomDBText(TComponent* AOwner);

  const String& Text() const { return FText; }
  void SetText(const String& value);
  const TRLDataFieldProperty& DataField() const { return FDataField; }
  // A field clears the formula, and a formula the field.
  void SetDataField(const TRLDataFieldProperty& value);
  const String& DataFormula() const { return FDataFormula; }
  void SetDataFormula(const String& value);
  TDataSource* DataSource() const { return FDataSource; }
  void SetDataSource(TDataSource* value);
  const String& DisplayMask() const { return FDisplayMask; }
  void SetDisplayMask(const String& value) { FDisplayMask = value; }

  // The data source's data set, or none.
  TDataSet* DataSet() const;
  // The data set's field named DataField, or none.
  TField* Field() const;

  void GetFieldLabel(String& Text) const;
  // The value as this control prints it: its mask, else the numeric field's
  // own formats, else the value's plain text.
  void FormatValue(const Variant& Value, String& Text) const;
  virtual void ReadDataText(String& Text);

  void BuildCaptionText(String& Text) override;

  TRLCustomDBText* AsDBText() override { return this; }
  virtual TRLCustomDBResult* AsDBResult() { return nullptr; }

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // What a control that is not preparing shows for its value.
  String DesignBaseText() const;

private:
  String FText;
  TRLDataFieldProperty FDataField;
  String FDataFormula;
  TDataSource* FDataSource = nullptr;
  String FDisplayMask;
  // The field found last, asked for on every record: still the answer while
  // the same data set holds it at the same place under the same name.
  mutable TDataSet* FFoundIn = nullptr;
  mutable TField* FFoundField = nullptr;
  mutable int FFoundIndex = -1;
  mutable String FFoundFieldName;
};

class TRLDBText : public TRLCustomDBText {
public:
  using TRLCustomDBText::TRLCustomDBText;
};
