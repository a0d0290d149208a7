#pragma once
// Fields of a data set: one column of the current record, typed, with the
// display properties that grids, edits and reports read. Persistent fields
// are created in code (owned by whoever creates them) and bound to a data
// set before it opens; without them the data set makes its own from the
// result's columns.
#include "platform/classes/Component.h"
#include "platform/data/DataTypes.h"
#include "platform/data/Variant.h"
#include <functional>

class TStream;

class TField : public TComponent {
public:
  TField(TComponent* AOwner, TFieldType dataType);
  ~TField() override;

  TDataSet* DataSet() const { return FDataSet; }
  // Binds the field to a closed data set (nullptr unbinds it).
  void SetDataSet(TDataSet* value);
  const String& FieldName() const { return FFieldName; }
  void SetFieldName(const String& value);
  TFieldType DataType() const { return FDataType; }
  TFieldKind FieldKind() const { return FFieldKind; }
  void SetFieldKind(TFieldKind value);
  bool Calculated() const { return FFieldKind == fkCalculated; }
  // Position among the data set's fields; setting it reorders them.
  int Index() const;
  void SetIndex(int value);

  int Size() const { return FSize; }
  void SetSize(int value);
  String DisplayLabel() const { return FDisplayLabel.empty() ? FFieldName : FDisplayLabel; }
  void SetDisplayLabel(const String& value);
  String DisplayName() const { return DisplayLabel(); }
  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value) { FReadOnly = value; }
  bool Required() const { return FRequired; }
  void SetRequired(bool value) { FRequired = value; }
  // Characters a grid column shows.
  int DisplayWidth() const { return FDisplayWidth > 0 ? FDisplayWidth : DefaultWidth(); }
  void SetDisplayWidth(int value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  const String& EditMask() const { return FEditMask; }
  void SetEditMask(const String& value) { FEditMask = value; }
  TProviderFlags ProviderFlags() const { return FProviderFlags; }
  void SetProviderFlags(TProviderFlags value) { FProviderFlags = value; }
  bool IsBlob() const { return FDataType == ftBlob || FDataType == ftMemo || FDataType == ftGraphic; }
  bool IsNumeric() const;
  // The data set is open, editable and the field is not read-only.
  bool CanModify() const;

  bool IsNull() const { return Value().IsClear(); }
  void Clear() { SetValue(Variant::Null()); }
  Variant Value() const;
  void SetValue(const Variant& value);
  // The value as fetched or last applied (null for a record not yet stored).
  Variant OldValue() const;
  // Null reads as the empty text, 0 or false.
  String AsString() const;
  void SetAsString(const String& value);
  int AsInteger() const { return Value().AsInteger(); }
  void SetAsInteger(int value) { SetValue(Variant(value)); }
  int64_t AsLargeInt() const { return Value().AsInt64(); }
  void SetAsLargeInt(int64_t value) { SetValue(Variant(value)); }
  double AsFloat() const { return Value().AsFloat(); }
  void SetAsFloat(double value) { SetValue(Variant(value)); }
  double AsCurrency() const { return AsFloat(); }
  void SetAsCurrency(double value) { SetAsFloat(value); }
  double AsDateTime() const { return Value().AsDateTime(); }
  void SetAsDateTime(double value) { SetValue(Variant::Date(value)); }
  bool AsBoolean() const { return Value().AsBoolean(); }
  void SetAsBoolean(bool value) { SetValue(Variant(value)); }

  // The text an edit shows and accepts; the display text a grid and a
  // report show. Both go through OnGetText when it is set.
  String Text() const { return GetTextFor(false); }
  void SetText(const String& value);
  String DisplayText() const { return GetTextFor(true); }

  std::function<void(TField* Sender, String& Text, bool DisplayText)> OnGetText;
  std::function<void(TField* Sender, const String& Text)> OnSetText;
  std::function<void(TField* Sender)> OnValidate;
  std::function<void(TField* Sender)> OnChange;

protected:
  virtual String GetText(bool displayText) const;
  // Reads text typed by the user into the field.
  virtual void SetTextValue(const String& text);
  virtual int DefaultWidth() const { return 10; }
  void SetDataType(TFieldType value) { FDataType = value; }
  // Grids lay their columns out again.
  void LayoutChanged();

private:
  friend class TDataSet;
  String GetTextFor(bool displayText) const;
  void Changed();

  TDataSet* FDataSet = nullptr;
  String FFieldName;
  TFieldType FDataType;
  TFieldKind FFieldKind = fkData;
  int FSize = 0;
  String FDisplayLabel;
  bool FVisible = true;
  bool FReadOnly = false;
  bool FRequired = false;
  int FDisplayWidth = 0;
  TAlignment FAlignment = taLeftJustify;
  String FEditMask;
  TProviderFlags FProviderFlags = pfInUpdate | pfInWhere;
  // Set by the data set while it is open.
  int FColumn = -1;      // column of the result
  int FCalcIndex = -1;   // slot of a calculated value
  bool FAutomatic = false;
};

class TStringField : public TField {
public:
  explicit TStringField(TComponent* AOwner, int size = 20) : TField(AOwner, ftString) { SetSize(size); }

protected:
  String GetText(bool displayText) const override;
  int DefaultWidth() const override { return Size() > 0 ? Size() : 20; }
};

class TNumericField : public TField {
public:
  const String& DisplayFormat() const { return FDisplayFormat; }
  void SetDisplayFormat(const String& value);
  const String& EditFormat() const { return FEditFormat; }
  void SetEditFormat(const String& value) { FEditFormat = value; }

protected:
  TNumericField(TComponent* AOwner, TFieldType dataType);
  void SetTextValue(const String& text) override;

private:
  String FDisplayFormat;
  String FEditFormat;
};

class TIntegerField : public TNumericField {
public:
  explicit TIntegerField(TComponent* AOwner) : TNumericField(AOwner, ftInteger) {}

protected:
  TIntegerField(TComponent* AOwner, TFieldType dataType) : TNumericField(AOwner, dataType) {}
  String GetText(bool displayText) const override;
  int DefaultWidth() const override { return 11; }
};

class TSmallintField : public TIntegerField {
public:
  explicit TSmallintField(TComponent* AOwner) : TIntegerField(AOwner, ftSmallint) {}

protected:
  int DefaultWidth() const override { return 6; }
};

class TLargeintField : public TIntegerField {
public:
  explicit TLargeintField(TComponent* AOwner) : TIntegerField(AOwner, ftLargeint) {}

protected:
  int DefaultWidth() const override { return 15; }
};

// The server assigns it on insert; read-only to the program.
class TAutoIncField : public TIntegerField {
public:
  explicit TAutoIncField(TComponent* AOwner) : TIntegerField(AOwner, ftAutoInc) { SetReadOnly(true); }
};

class TFloatField : public TNumericField {
public:
  explicit TFloatField(TComponent* AOwner) : TNumericField(AOwner, ftFloat) {}
  bool Currency() const { return FCurrency; }
  void SetCurrency(bool value);
  int Precision() const { return FPrecision; }
  void SetPrecision(int value);

protected:
  TFloatField(TComponent* AOwner, TFieldType dataType) : TNumericField(AOwner, dataType) {}
  String GetText(bool displayText) const override;

private:
  bool FCurrency = false;
  int FPrecision = 15;
};

class TCurrencyField : public TFloatField {
public:
  explicit TCurrencyField(TComponent* AOwner) : TFloatField(AOwner, ftCurrency) { SetCurrency(true); }
};

// Decimal columns, kept as floats.
class TBCDField : public TFloatField {
public:
  explicit TBCDField(TComponent* AOwner) : TFloatField(AOwner, ftBCD) {}
};

class TDateTimeField : public TField {
public:
  explicit TDateTimeField(TComponent* AOwner) : TField(AOwner, ftDateTime) {}
  const String& DisplayFormat() const { return FDisplayFormat; }
  void SetDisplayFormat(const String& value);

protected:
  TDateTimeField(TComponent* AOwner, TFieldType dataType) : TField(AOwner, dataType) {}
  String GetText(bool displayText) const override;
  void SetTextValue(const String& text) override;
  int DefaultWidth() const override { return DataType() == ftDateTime ? 18 : 10; }

private:
  String FDisplayFormat;
};

class TDateField : public TDateTimeField {
public:
  explicit TDateField(TComponent* AOwner) : TDateTimeField(AOwner, ftDate) {}
};

class TTimeField : public TDateTimeField {
public:
  explicit TTimeField(TComponent* AOwner) : TDateTimeField(AOwner, ftTime) {}
};

// Large objects: raw bytes (pictures) or long text (memo).
class TBlobField : public TField {
public:
  explicit TBlobField(TComponent* AOwner) : TField(AOwner, ftBlob) {}
  // The stream's bytes from its current position to its end.
  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream) const;
  void LoadFromFile(const String& fileName);
  void SaveToFile(const String& fileName) const;
  std::string AsBytes() const { return Value().AsBytes(); }
  void SetAsBytes(std::string bytes) { SetValue(Variant::Bytes(std::move(bytes))); }
  int64_t BlobSize() const { return static_cast<int64_t>(AsBytes().size()); }

protected:
  TBlobField(TComponent* AOwner, TFieldType dataType) : TField(AOwner, dataType) {}
  String GetText(bool displayText) const override;
};

class TMemoField : public TBlobField {
public:
  explicit TMemoField(TComponent* AOwner) : TBlobField(AOwner, ftMemo) {}

protected:
  String GetText(bool displayText) const override;
};

class TGraphicField : public TBlobField {
public:
  explicit TGraphicField(TComponent* AOwner) : TBlobField(AOwner, ftGraphic) {}
};
