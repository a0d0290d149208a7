#include "platform/data/Field.h"
#include "platform/classes/Streams.h"
#include "platform/data/DataSet.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumUtils.h"
#include "platform/ui/mask/EditMask.h"
#include <cmath>

TField::TField(TComponent* AOwner, TFieldType dataType) : TComponent(AOwner), FDataType(dataType) {
  switch (dataType) {
  case ftSmallint:
  case ftInteger:
  case ftLargeint:
  case ftAutoInc:
  case ftFloat:
  case ftCurrency:
  case ftBCD:
    FAlignment = taRightJustify;
    break;
  default:
    break;
  }
}

TField::~TField() {
  if (FDataSet) FDataSet->RemoveField(this);
}

void TField::SetDataSet(TDataSet* value) {
  if (value == FDataSet) return;
  if (value) value->CheckInactive();
  if (FDataSet) {
    FDataSet->CheckInactive();
    FDataSet->RemoveField(this);
  }
  FDataSet = value;
  if (value) value->AddField(this);
}

void TField::SetFieldName(const String& value) {
  if (FDataSet) FDataSet->CheckInactive();
  FFieldName = value;
}

void TField::SetFieldKind(TFieldKind value) {
  if (FDataSet) FDataSet->CheckInactive();
  FFieldKind = value;
}

int TField::Index() const { return FDataSet ? FDataSet->Fields().IndexOf(this) : -1; }

void TField::SetIndex(int value) {
  if (FDataSet) FDataSet->MoveField(this, value);
}

void TField::SetSize(int value) {
  if (FDataSet) FDataSet->CheckInactive();
  FSize = value;
}

void TField::SetDisplayLabel(const String& value) {
  if (value == FDisplayLabel) return;
  FDisplayLabel = value;
  if (FDataSet) FDataSet->DataEvent(deLayoutChange);
}

void TField::SetVisible(bool value) {
  if (value == FVisible) return;
  FVisible = value;
  if (FDataSet) FDataSet->DataEvent(deLayoutChange);
}

void TField::SetDisplayWidth(int value) {
  if (value == FDisplayWidth) return;
  FDisplayWidth = value;
  if (FDataSet) FDataSet->DataEvent(deLayoutChange);
}

void TField::SetAlignment(TAlignment value) {
  if (value == FAlignment) return;
  FAlignment = value;
  if (FDataSet) FDataSet->DataEvent(deLayoutChange);
}

bool TField::IsNumeric() const {
  switch (FDataType) {
  case ftSmallint:
  case ftInteger:
  case ftLargeint:
  case ftAutoInc:
  case ftFloat:
  case ftCurrency:
  case ftBCD:
    return true;
  default:
    return false;
  }
}

bool TField::CanModify() const {
  return !FReadOnly && FDataSet && FDataSet->CanModify() && (FColumn >= 0 || Calculated());
}

Variant TField::Value() const { return FDataSet ? FDataSet->GetFieldValue(this) : Variant::Null(); }

void TField::SetValue(const Variant& value) {
  if (!FDataSet) throw EDatabaseError(u"Field '" + DisplayName() + u"' has no dataset");
  FDataSet->SetFieldValue(this, value);
}

Variant TField::OldValue() const { return FDataSet ? FDataSet->GetOldFieldValue(this) : Variant::Null(); }

String TField::AsString() const {
  const Variant v = Value();
  if (v.IsClear()) return String();
  // No display or edit format: the plain conversion of the value.
  return IsNumeric() ? v.AsString() : GetText(false);
}

void TField::SetAsString(const String& value) {
  if (FDataType == ftString || FDataType == ftMemo) SetValue(Variant(value));
  else SetTextValue(value);
}

String TField::GetTextFor(bool displayText) const {
  if (OnGetText) {
    String text;
    OnGetText(const_cast<TField*>(this), text, displayText);
    return text;
  }
  if (Value().IsClear()) return String();
  return GetText(displayText);
}

void TField::SetText(const String& value) {
  if (OnSetText) OnSetText(this, value);
  else SetTextValue(value);
}

String TField::GetText(bool) const { return Value().AsString(); }

void TField::SetTextValue(const String& text) {
  if (text.empty() && FDataType != ftString && FDataType != ftMemo) SetValue(Variant::Null());
  else SetValue(Variant(text));
}

void TField::LayoutChanged() {
  if (FDataSet) FDataSet->DataEvent(deLayoutChange);
}

void TField::Changed() {
  if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------- strings

String TStringField::GetText(bool displayText) const {
  const String value = Value().AsString();
  // A value stored without the mask's literals shows with them.
  if (displayText && !EditMask().empty() && !TEditMask(EditMask()).SaveLiterals())
    return FormatMaskText(EditMask(), value);
  return value;
}

// ---------------------------------------------------------------- numbers

TNumericField::TNumericField(TComponent* AOwner, TFieldType dataType) : TField(AOwner, dataType) {}

void TNumericField::SetDisplayFormat(const String& value) {
  if (value == FDisplayFormat) return;
  FDisplayFormat = value;
  LayoutChanged();
}

void TNumericField::SetTextValue(const String& text) {
  String t = text;
  while (!t.empty() && t.front() == u' ') t.erase(t.begin());
  while (!t.empty() && t.back() == u' ') t.pop_back();
  if (t.empty()) {
    SetValue(Variant::Null());
    return;
  }
  if (DataType() == ftFloat || DataType() == ftCurrency || DataType() == ftBCD) {
    // Thousands separators as typed into a formatted edit are allowed.
    String plain;
    for (char16_t c : t)
      if (c != FormatSettings.ThousandSeparator) plain += c;
    SetValue(Variant(StrToFloat(plain)));
  } else {
    SetValue(Variant(StrToInt64(t)));
  }
}

String TIntegerField::GetText(bool displayText) const {
  const int64_t v = Value().AsInt64();
  const String& format = displayText ? DisplayFormat() : EditFormat();
  if (!format.empty()) return FormatFloat(format, static_cast<double>(v));
  return IntToStr(v);
}

void TFloatField::SetCurrency(bool value) {
  if (value == FCurrency) return;
  FCurrency = value;
  LayoutChanged();
}

void TFloatField::SetPrecision(int value) {
  if (value < 2) value = 2;
  if (value > 15) value = 15;
  FPrecision = value;
}

String TFloatField::GetText(bool displayText) const {
  const double v = Value().AsFloat();
  const String& format = (displayText || EditFormat().empty()) ? DisplayFormat() : EditFormat();
  if (!format.empty()) return FormatFloat(format, v);
  if (FCurrency)
    return FloatToStrF(v, displayText ? ffCurrency : ffFixed, FPrecision, FormatSettings.CurrencyDecimals);
  return FloatToStrF(v, ffGeneral, FPrecision, 0);
}

// ---------------------------------------------------------------- dates

void TDateTimeField::SetDisplayFormat(const String& value) {
  if (value == FDisplayFormat) return;
  FDisplayFormat = value;
  LayoutChanged();
}

String TDateTimeField::GetText(bool displayText) const {
  const double v = Value().AsFloat();
  if (displayText && !FDisplayFormat.empty()) return FormatDateTime(FDisplayFormat, v);
  switch (DataType()) {
  case ftDate:
    return DateToStr(v);
  case ftTime:
    return TimeToStr(v);
  default:
    return DateTimeToStr(v);
  }
}

void TDateTimeField::SetTextValue(const String& text) {
  String t = text;
  while (!t.empty() && t.back() == u' ') t.pop_back();
  if (t.empty()) {
    SetValue(Variant::Null());
    return;
  }
  switch (DataType()) {
  case ftDate:
    SetValue(Variant::Date(StrToDate(t)));
    break;
  case ftTime:
    SetValue(Variant::Date(StrToTime(t)));
    break;
  default:
    SetValue(Variant::Date(StrToDateTime(t)));
    break;
  }
}

// ---------------------------------------------------------------- blobs

String TBlobField::GetText(bool displayText) const {
  // A grid shows a marker in place of binary data.
  if (displayText) return u"(" + String(DataType() == ftGraphic ? u"GRAPHIC" : u"BLOB") + u")";
  return AnsiToString(AsBytes());
}

String TMemoField::GetText(bool displayText) const {
  (void)displayText;
  return Value().AsString();
}

void TBlobField::LoadFromStream(TStream& stream) {
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const int64_t n = stream.Read(buffer, sizeof buffer);
    if (n <= 0) break;
    bytes.append(buffer, static_cast<size_t>(n));
  }
  SetAsBytes(std::move(bytes));
}

void TBlobField::SaveToStream(TStream& stream) const {
  const std::string bytes = AsBytes();
  if (!bytes.empty()) stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

void TBlobField::LoadFromFile(const String& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}

void TBlobField::SaveToFile(const String& fileName) const {
  TFileStream file(fileName, fmCreate);
  SaveToStream(file);
}
