#include "platform/data/DataSet.h"
#include "platform/data/CellValue.h"
#include "platform/data/DataSource.h"
#include "platform/data/Filter.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"
#include <algorithm>
#include <limits>

namespace {
constexpr int SlotNone = -1;
constexpr int SlotEdit = -2;

char16_t Fold(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; }

bool SameText(const String& a, const String& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Fold(a[i]) != Fold(b[i])) return false;
  return true;
}

String UpperText(const String& s) {
  String r = s;
  for (auto& c : r) {
    c = Fold(c);
    // Latin-1 accented letters: à..þ except ÷.
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) c = static_cast<char16_t>(c - 0x20);
  }
  return r;
}

std::vector<String> SplitNames(const String& names) {
  std::vector<String> result;
  String cur;
  for (char16_t c : names) {
    if (c == u';' || c == u',') {
      if (!cur.empty()) result.push_back(cur);
      cur.clear();
    } else if (c != u' ') {
      cur += c;
    }
  }
  if (!cur.empty()) result.push_back(cur);
  return result;
}

// Coerces a value to the field's type, as the field would store it.
Variant Coerce(const TField* field, const Variant& v) {
  if (v.IsClear()) return Variant::Null();
  switch (field->DataType()) {
  case ftString:
  case ftMemo:
    return v.VarType() == varString ? v : Variant(v.AsString());
  case ftSmallint:
    return Variant::Smallint(v.AsInteger());
  case ftInteger:
  case ftAutoInc:
    return Variant(v.AsInteger());
  case ftLargeint:
    return Variant(v.AsInt64());
  case ftFloat:
  case ftBCD:
    return Variant(v.AsFloat());
  case ftCurrency:
    return Variant::Currency(v.AsFloat());
  case ftDate:
  case ftTime:
  case ftDateTime:
    if (v.VarType() == varString) {
      TDateTime d;
      if (v.AsString().empty()) return Variant::Null();
      if (!TryStrToDateTime(v.AsString(), d)) d = StrToDate(v.AsString());
      return Variant::Date(d);
    }
    return Variant::Date(v.AsFloat());
  case ftBlob:
  case ftGraphic:
    return v.VarType() == varBytes ? v : Variant::Bytes(v.AsBytes());
  default:
    return v;
  }
}

// Restores a state on every way out of a calculation.
struct TStateGuard {
  TDataSetState& State;
  TDataSetState Saved;
  int& Target;
  bool& OnEdit;
  ~TStateGuard() {
    State = Saved;
    Target = -1;
    OnEdit = false;
  }
};
}  // namespace

// Follows the master's current record for a detail data set.
class TMasterDataLink : public TDataLink {
public:
  explicit TMasterDataLink(TDataSet* detail) : FDetail(detail) {}

protected:
  void ActiveChanged() override { FDetail->MasterChanged(); }
  void DataSetChanged() override { FDetail->MasterChanged(); }
  void DataSetScrolled(int) override { FDetail->MasterChanged(); }
  void RecordChanged(TField* field) override {
    if (field) FDetail->MasterChanged();
  }

private:
  TDataSet* FDetail;
};

// ---------------------------------------------------------------- TFields

TField* TFields::Fields(int index) const {
  if (index < 0 || index >= Count())
    throw EListError(u"List index out of bounds (" + AsciiToString(std::to_string(index)) + u")");
  return FList[static_cast<size_t>(index)];
}

TField* TFields::FindField(const String& name) const {
  for (TField* f : FList)
    if (SameText(f->FieldName(), name)) return f;
  return nullptr;
}

TField* TFields::FieldByName(const String& name) const {
  TField* f = FindField(name);
  if (!f) throw EDatabaseError(u"Field '" + name + u"' not found");
  return f;
}

int TFields::IndexOf(const TField* field) const {
  auto it = std::find(FList.begin(), FList.end(), field);
  return it == FList.end() ? -1 : static_cast<int>(it - FList.begin());
}

// ---------------------------------------------------------------- life

TDataSet::TDataSet(TComponent* AOwner) : TComponent(AOwner) {}

TDataSet::~TDataSet() {
  BeginDestroy();
  if (Active()) {
    FState = dsInactive;
    ClearRecords();
  }
  for (TDataSource* source : std::vector<TDataSource*>(FDataSources)) {
    source->FDataSet = nullptr;
    RemoveFreeNotification(source);
    source->UpdateState();
  }
  FDataSources.clear();
  FMasterLink.reset();
  for (TField* f : FAutoFields) {
    f->FDataSet = nullptr;
    delete f;
  }
  FAutoFields.clear();
  for (TField* f : FFields.FList) f->FDataSet = nullptr;
  FFields.FList.clear();
}

void TDataSet::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
}

void TDataSet::CheckInactive() const {
  if (Active()) throw EDatabaseError(u"Operação não permitida com o conjunto de dados aberto");
}

void TDataSet::CheckActive() const {
  if (!Active()) throw EDatabaseError(u"Operação não permitida com o conjunto de dados fechado");
}

void TDataSet::RaiseEmpty() const {
  throw EDatabaseError(u"Operação não permitida com o conjunto de dados vazio");
}

void TDataSet::SetActive(bool value) {
  if (value) Open();
  else Close();
}

void TDataSet::Open() {
  if (Active()) return;
  TakeResult(DoFetch());
  FColumns.clear();
  for (size_t i = 0; i < FResult->ColumnCount(); ++i) FColumns.push_back(FResult->Column(i));
  try {
    BindFields();
  } catch (...) {
    UnbindFields();
    FResult.reset();
    FColumns.clear();
    throw;
  }
  ++FGeneration;
  FState = dsBrowse;
  FModified = false;
  FBufTop = 0;
  try {
    FFilterExpr.reset();
    if (FFiltered && !FFilter.empty()) FFilterExpr = std::make_unique<TFilterExpression>(FFilter, *this);
    RebuildView(-1);
  } catch (...) {
    FState = dsInactive;
    ClearRecords();
    UnbindFields();
    throw;
  }
  FCur = FView.empty() ? -1 : 0;
  FBof = true;
  FEof = FView.empty();
  SyncWindow();
  DataEvent(deUpdateState);
  if (AfterScroll) AfterScroll(this);
}

void TDataSet::Close() {
  if (!Active()) return;
  FState = dsInactive;
  FEditRecord = -1;
  FEditValues.clear();
  FEditCalc.clear();
  FModified = false;
  DataEvent(deUpdateState);
  ClearRecords();
  UnbindFields();
}

void TDataSet::TakeResult(std::unique_ptr<TMySqlResult> result) {
  if (result->Pending()) result->FetchMore(static_cast<size_t>(std::max(DoRowsetSize(), 1)));
  FResult = std::move(result);
  const size_t rows = FResult->RowCount();
  FRecords.clear();
  FRecords.resize(rows);
  for (size_t i = 0; i < rows; ++i) FRecords[i].RawRow = static_cast<int>(i);
  FFetchedRows = rows;
}

bool TDataSet::FetchesAsWalked() const {
  return DoRowsetSize() > 0 && !(FFiltered && !FFilter.empty()) && FIndexFields.empty() && !MasterSource();
}

void TDataSet::TakeFetchedRows() {
  if (!FResult) return;
  const size_t rows = FResult->RowCount();
  FViewPos.resize(FRecords.size(), -1);
  for (size_t i = FFetchedRows; i < rows; ++i) {
    FRecords.emplace_back();
    FRecords.back().RawRow = static_cast<int>(i);
    FViewPos.push_back(static_cast<int>(FView.size()));
    FView.push_back(static_cast<int>(FRecords.size()) - 1);
  }
  FFetchedRows = rows;
}

void TDataSet::FetchTo(int pos) {
  if (!FResult) return;
  TakeFetchedRows();  // another statement may have read the rest into the result
  while (FResult && FResult->Pending() && static_cast<int>(FView.size()) <= pos) {
    try {
      FResult->FetchMore(static_cast<size_t>(std::max(DoRowsetSize(), 1)));
    } catch (...) {
      Close();
      throw;
    }
    TakeFetchedRows();
  }
}

void TDataSet::FetchAll() { FetchTo(std::numeric_limits<int>::max()); }

void TDataSet::ClearRecords() {
  FFetchedRows = 0;
  FRecords.clear();
  FView.clear();
  FViewPos.clear();
  FChangeLog.clear();
  FResult.reset();
  FFilterExpr.reset();
  FCur = -1;
  FBufTop = 0;
  FLinkOverride = -1;
  FBof = FEof = true;
}

// The rows fetched anew; a record with pending cached changes is kept as
// it stands, in place of its row when the row comes again, so nothing is
// lost or doubled.
void TDataSet::RefetchKeepingChanges() {
  std::unique_ptr<TMySqlResult> result = DoFetch();
  if (result->Pending()) result->FetchMore(0);
  std::vector<int> keyCols;
  for (size_t c = 0; c < FColumns.size(); ++c)
    if (FColumns[c].PrimaryKey) keyCols.push_back(static_cast<int>(c));
  std::vector<TRecordData> kept;
  for (int rec : FChangeLog) {
    TRecordData& r = FRecords[static_cast<size_t>(rec)];
    if (r.Discarded || r.Status == usUnmodified) continue;
    MaterializedValues(rec);
    if (!r.Original && r.Status != usInserted) {
      r.Original = std::make_unique<Variant[]>(FColumns.size());
      for (size_t c = 0; c < FColumns.size(); ++c)
        r.Original[c] = r.RawRow >= 0 ? RawValue(r.RawRow, static_cast<int>(c)) : Variant::Null();
    }
    r.RawRow = -1;
    r.Calc.reset();
    kept.push_back(std::move(r));
  }
  FResult = std::move(result);
  const size_t rows = FResult->RowCount();
  std::vector<TRecordData> records;
  records.reserve(rows + kept.size());
  std::vector<int> keptAt(kept.size(), -1);
  for (size_t i = 0; i < rows; ++i) {
    int match = -1;
    for (size_t k = 0; k < kept.size() && match < 0 && !keyCols.empty(); ++k) {
      if (keptAt[k] >= 0 || kept[k].Status == usInserted) continue;
      bool same = true;
      for (size_t j = 0; j < keyCols.size() && same; ++j)
        same = CellValue(*FResult, i, static_cast<size_t>(keyCols[j])) == kept[k].Original[keyCols[j]];
      if (same) match = static_cast<int>(k);
    }
    if (match >= 0) {
      keptAt[static_cast<size_t>(match)] = static_cast<int>(records.size());
      records.push_back(std::move(kept[static_cast<size_t>(match)]));
    } else {
      records.emplace_back();
      records.back().RawRow = static_cast<int>(i);
    }
  }
  for (size_t k = 0; k < kept.size(); ++k)
    if (keptAt[k] < 0) {
      keptAt[k] = static_cast<int>(records.size());
      records.push_back(std::move(kept[k]));
    }
  FRecords.swap(records);
  FFetchedRows = rows;
  FChangeLog.assign(keptAt.begin(), keptAt.end());
  ++FGeneration;
}

void TDataSet::RefetchIfChanged() {
  if (Active() && DoFetchChanged()) RefetchKeepingChanges();
}

void TDataSet::Refresh() {
  CheckActive();
  CheckBrowseMode();
  // Find the current record again by its primary key, else by position.
  std::vector<int> keyCols;
  for (size_t c = 0; c < FColumns.size(); ++c)
    if (FColumns[c].PrimaryKey) keyCols.push_back(static_cast<int>(c));
  std::vector<Variant> keyVals;
  const int cur = CurrentRecord();
  if (cur >= 0)
    for (int c : keyCols) keyVals.push_back(RecordValue(cur, c));
  const int oldPos = FCur;

  TakeResult(DoFetch());
  FChangeLog.clear();
  ++FGeneration;
  RebuildView(-1);
  int pos = -1;
  if (!keyVals.empty() && !keyCols.empty()) {
    for (size_t p = 0; p < FView.size() && pos < 0; ++p) {
      bool same = true;
      for (size_t k = 0; k < keyCols.size() && same; ++k)
        same = RecordValue(FView[p], keyCols[k]) == keyVals[k];
      if (same) pos = static_cast<int>(p);
    }
  }
  if (pos < 0 && !FView.empty()) pos = std::clamp(oldPos, 0, static_cast<int>(FView.size()) - 1);
  FCur = pos;
  FBof = FView.empty();
  FEof = FView.empty();
  SyncWindow();
  DataEvent(deDataSetChange);
  if (AfterScroll) AfterScroll(this);
}

// ---------------------------------------------------------------- fields

void TDataSet::AddField(TField* field) {
  CheckInactive();
  if (FFields.IndexOf(field) < 0) FFields.FList.push_back(field);
  FFilterExpr.reset();
}

void TDataSet::RemoveField(TField* field) {
  auto& list = FFields.FList;
  list.erase(std::remove(list.begin(), list.end(), field), list.end());
  FAutoFields.erase(std::remove(FAutoFields.begin(), FAutoFields.end(), field), FAutoFields.end());
  // Compiled references to it are dropped; the filter compiles again on demand.
  FFilterExpr.reset();
  field->FColumn = -1;
  field->FCalcIndex = -1;
}

void TDataSet::MoveField(TField* field, int index) {
  auto& list = FFields.FList;
  const int from = FFields.IndexOf(field);
  if (from < 0) return;
  index = std::clamp(index, 0, static_cast<int>(list.size()) - 1);
  if (from == index) return;
  list.erase(list.begin() + from);
  list.insert(list.begin() + index, field);
  DataEvent(deLayoutChange);
}

void TDataSet::BindFields() {
  FCalcCount = 0;
  if (FFields.FList.empty()) {
    for (size_t c = 0; c < FColumns.size(); ++c) {
      const TMySqlColumn& col = FColumns[c];
      TField* f = nullptr;
      switch (col.Type) {
      case TMySqlType::Integer:
        if (col.AutoIncrement) f = new TAutoIncField(nullptr);
        else if (col.SmallInt) f = new TSmallintField(nullptr);
        else f = new TIntegerField(nullptr);
        break;
      case TMySqlType::BigInt:
        f = col.AutoIncrement ? static_cast<TField*>(new TAutoIncField(nullptr))
                              : new TLargeintField(nullptr);
        break;
      case TMySqlType::Float: f = new TFloatField(nullptr); break;
      case TMySqlType::Decimal: f = new TBCDField(nullptr); break;
      case TMySqlType::Date: f = new TDateField(nullptr); break;
      case TMySqlType::Time: f = new TTimeField(nullptr); break;
      case TMySqlType::DateTime: f = new TDateTimeField(nullptr); break;
      case TMySqlType::Text: f = new TMemoField(nullptr); break;
      case TMySqlType::Blob: f = new TBlobField(nullptr); break;
      default: f = new TStringField(nullptr, static_cast<int>(col.Size)); break;
      }
      f->FFieldName = Utf8ToString(col.Name);
      f->FDataSet = this;
      f->FAutomatic = true;
      f->FColumn = static_cast<int>(c);
      FAutoFields.push_back(f);
      FFields.FList.push_back(f);
    }
    return;
  }
  for (TField* f : FFields.FList) {
    f->FColumn = -1;
    f->FCalcIndex = -1;
    if (f->Calculated()) {
      f->FCalcIndex = FCalcCount++;
      continue;
    }
    const std::string name = StringToUtf8(f->FieldName());
    for (size_t c = 0; c < FColumns.size() && f->FColumn < 0; ++c)
      if (SameText(Utf8ToString(FColumns[c].Name), f->FieldName())) f->FColumn = static_cast<int>(c);
    if (f->FColumn < 0) throw EDatabaseError(Name() + u": Field '" + f->FieldName() + u"' not found");
  }
}

void TDataSet::UnbindFields() {
  for (TField* f : FAutoFields) {
    auto& list = FFields.FList;
    list.erase(std::remove(list.begin(), list.end(), f), list.end());
    f->FDataSet = nullptr;
    delete f;
  }
  FAutoFields.clear();
  for (TField* f : FFields.FList) {
    f->FColumn = -1;
    f->FCalcIndex = -1;
  }
  FCalcCount = 0;
  FColumns.clear();
}

Variant TDataSet::RawValue(int rawRow, int column) const {
  return CellValue(*FResult, static_cast<size_t>(rawRow), static_cast<size_t>(column));
}

Variant TDataSet::RecordValue(int record, int column) const {
  const TRecordData& r = FRecords[static_cast<size_t>(record)];
  if (r.Values) return r.Values[column];
  if (r.RawRow >= 0) return RawValue(r.RawRow, column);
  return Variant::Null();
}

Variant* TDataSet::MaterializedValues(int record) {
  TRecordData& r = FRecords[static_cast<size_t>(record)];
  if (!r.Values) {
    r.Values = std::make_unique<Variant[]>(FColumns.size());
    for (size_t c = 0; c < FColumns.size(); ++c)
      r.Values[c] = r.RawRow >= 0 ? RawValue(r.RawRow, static_cast<int>(c)) : Variant::Null();
  }
  return r.Values.get();
}

int TDataSet::ActiveRecordSlot() const {
  if (FCalcTarget != -1) return FCalcOnEditBuffer ? SlotEdit : FCalcTarget;
  const int pos = FLinkOverride >= 0 ? FLinkOverride : FCur;
  if (pos < 0 || pos >= static_cast<int>(FView.size())) return SlotNone;
  if ((FState == dsEdit || FState == dsInsert) && pos == FCur) return SlotEdit;
  return FView[static_cast<size_t>(pos)];
}

void TDataSet::CalculateFields(int record) const {
  auto* self = const_cast<TDataSet*>(this);
  TRecordData& r = self->FRecords[static_cast<size_t>(record)];
  if (r.Calc || FCalcCount == 0) return;
  r.Calc = std::make_unique<Variant[]>(static_cast<size_t>(FCalcCount));
  for (int i = 0; i < FCalcCount; ++i) r.Calc[i] = Variant::Null();
  if (!OnCalcFields || FCalcTarget != -1) return;
  TStateGuard guard{self->FState, FState, FCalcTarget, FCalcOnEditBuffer};
  FCalcTarget = record;
  self->FState = dsCalcFields;
  OnCalcFields(self);
}

void TDataSet::CalculateEditBuffer() {
  if (FCalcCount == 0) return;
  for (auto& v : FEditCalc) v = Variant::Null();
  if (!OnCalcFields || FCalcTarget != -1) return;
  TStateGuard guard{FState, FState, FCalcTarget, FCalcOnEditBuffer};
  FCalcTarget = FEditRecord;
  FCalcOnEditBuffer = true;
  FState = dsCalcFields;
  OnCalcFields(this);
}

Variant TDataSet::GetFieldValue(const TField* field) const {
  if (!Active()) return Variant::Null();
  const int slot = ActiveRecordSlot();
  if (slot == SlotNone) return Variant::Null();
  if (field->Calculated()) {
    const int i = field->FCalcIndex;
    if (i < 0) return Variant::Null();
    if (slot == SlotEdit) return FEditCalc[static_cast<size_t>(i)];
    CalculateFields(slot);
    return FRecords[static_cast<size_t>(slot)].Calc[i];
  }
  if (field->FColumn < 0) return Variant::Null();
  if (slot == SlotEdit) return FEditValues[static_cast<size_t>(field->FColumn)];
  return RecordValue(slot, field->FColumn);
}

Variant TDataSet::GetOldFieldValue(const TField* field) const {
  const int rec = CurrentRecord();
  if (!Active() || rec < 0 || field->FColumn < 0) return Variant::Null();
  const TRecordData& r = FRecords[static_cast<size_t>(rec)];
  if (r.Status == usInserted) return Variant::Null();
  if (r.Original) return r.Original[field->FColumn];
  if (r.RawRow >= 0) return RawValue(r.RawRow, field->FColumn);
  return Variant::Null();
}

void TDataSet::SetFieldValue(TField* field, const Variant& value) {
  CheckActive();
  if (field->Calculated()) {
    const int i = field->FCalcIndex;
    if (i < 0) return;
    if (FState == dsCalcFields) {
      if (FCalcOnEditBuffer) FEditCalc[static_cast<size_t>(i)] = value;
      else FRecords[static_cast<size_t>(FCalcTarget)].Calc[i] = value;
      return;
    }
    if (FState != dsEdit && FState != dsInsert)
      throw EDatabaseError(Name() + u": o conjunto de dados não está em modo de edição ou inclusão");
    FEditCalc[static_cast<size_t>(i)] = value;
    field->Changed();
    DataEvent(deFieldChange, reinterpret_cast<intptr_t>(field));
    return;
  }
  if (FState != dsEdit && FState != dsInsert)
    throw EDatabaseError(Name() + u": o conjunto de dados não está em modo de edição ou inclusão");
  if (field->ReadOnly()) throw EDatabaseError(u"Field '" + field->DisplayName() + u"' cannot be modified");
  const size_t col = static_cast<size_t>(field->FColumn);
  if (field->FColumn < 0) return;
  Variant old = FEditValues[col];
  FEditValues[col] = Coerce(field, value);
  if (field->OnValidate) {
    try {
      field->OnValidate(field);
    } catch (...) {
      FEditValues[col] = std::move(old);
      throw;
    }
  }
  FEditAssigned[col] = true;
  FModified = true;
  CalculateEditBuffer();
  field->Changed();
  DataEvent(deFieldChange, reinterpret_cast<intptr_t>(field));
}

// ---------------------------------------------------------------- view

bool TDataSet::RecordPassesFilter(int record) const {
  if (!FFilterExpr) return true;
  return FFilterExpr->Evaluate([this, record](const TField* f) -> Variant {
    if (f->Calculated()) {
      if (f->FCalcIndex < 0) return Variant::Null();
      CalculateFields(record);
      return FRecords[static_cast<size_t>(record)].Calc[f->FCalcIndex];
    }
    return f->FColumn < 0 ? Variant::Null() : RecordValue(record, f->FColumn);
  });
}

void TDataSet::RebuildView(int keepRecord) {
  if (!FetchesAsWalked()) FetchAll();
  if (!Active()) return;
  // Resolve the order and the master link by name, as fields may change.
  std::vector<TField*> index;
  for (const String& name : SplitNames(FIndexFields)) index.push_back(FieldByName(name));
  if (FFiltered && !FFilter.empty() && !FFilterExpr)
    FFilterExpr = std::make_unique<TFilterExpression>(FFilter, *this);

  std::vector<Variant> masterValues;
  std::vector<TField*> detailFields;
  const bool masterOk = MasterKey(masterValues);
  for (size_t i = 0; i < masterValues.size(); ++i) {
    if (i >= index.size())
      throw EDatabaseError(Name() + u": the index fields do not cover the master fields");
    detailFields.push_back(index[i]);
  }
  if (masterOk) {
    FLastMasterKey = masterValues;
    FLastMasterValid = true;
  }

  const int inserting = (FState == dsInsert && FInsertedNew) ? FEditRecord : -1;
  FView.clear();
  for (size_t r = 0; r < FRecords.size(); ++r) {
    const TRecordData& rec = FRecords[r];
    if (rec.Discarded || rec.Status == usDeleted) continue;
    const int ri = static_cast<int>(r);
    if (ri != inserting) {
      if (!masterOk) continue;
      bool match = true;
      for (size_t i = 0; i < detailFields.size() && match; ++i) {
        const Variant v = detailFields[i]->FColumn < 0 ? Variant::Null() : RecordValue(ri, detailFields[i]->FColumn);
        match = !v.IsClear() && !masterValues[i].IsClear() && Variant::Compare(v, masterValues[i]) == 0;
      }
      if (!match || !RecordPassesFilter(ri)) continue;
    }
    FView.push_back(ri);
  }

  if (!index.empty() && FView.size() > 1) {
    const size_t k = index.size();
    std::vector<Variant> keys(FView.size() * k);
    for (size_t p = 0; p < FView.size(); ++p)
      for (size_t i = 0; i < k; ++i)
        keys[p * k + i] = index[i]->FColumn < 0 ? Variant::Null() : RecordValue(FView[p], index[i]->FColumn);
    std::vector<int> order(FView.size());
    for (size_t p = 0; p < order.size(); ++p) order[p] = static_cast<int>(p);
    auto before = [&](int a, int b) {
      for (size_t i = 0; i < k; ++i) {
        const int c = Variant::Compare(keys[static_cast<size_t>(a) * k + i], keys[static_cast<size_t>(b) * k + i]);
        if (c != 0) return c < 0;
      }
      return false;
    };
    // The server's ORDER BY usually hands the rows over in order already.
    if (!std::is_sorted(order.begin(), order.end(), before)) {
      std::stable_sort(order.begin(), order.end(), before);
      std::vector<int> sorted(FView.size());
      for (size_t p = 0; p < order.size(); ++p) sorted[p] = FView[static_cast<size_t>(order[p])];
      FView.swap(sorted);
    }
  }

  FViewPos.assign(FRecords.size(), -1);
  for (size_t p = 0; p < FView.size(); ++p) FViewPos[static_cast<size_t>(FView[p])] = static_cast<int>(p);
  if (keepRecord >= 0) {
    const int pos = ViewPosOf(keepRecord);
    if (pos >= 0) FCur = pos;
  }
  if (FView.empty()) FCur = -1;
  else FCur = std::clamp(FCur, 0, static_cast<int>(FView.size()) - 1);
}

int TDataSet::ViewPosOf(int record) const {
  if (record < 0 || record >= static_cast<int>(FViewPos.size())) return -1;
  return FViewPos[static_cast<size_t>(record)];
}

int TDataSet::RecordCount() const {
  CheckActive();
  // The total of the result, so the rows still on the server are read.
  const_cast<TDataSet*>(this)->FetchAll();
  CheckActive();
  return static_cast<int>(FView.size());
}

int TDataSet::RecNo() const {
  if (!Active() || FView.empty()) return 0;
  return FCur + 1;
}

void TDataSet::SyncWindow() {
  int count = 1;
  for (TDataSource* s : FDataSources)
    for (TDataLink* l : s->FLinks) count = std::max(count, l->FBufferCount);
  const int n = static_cast<int>(FView.size());
  if (FCur < FBufTop) FBufTop = std::max(FCur, 0);
  else if (FCur >= FBufTop + count) FBufTop = FCur - count + 1;
  FBufTop = std::clamp(FBufTop, 0, std::max(0, n - count));
}

int TDataSet::BufferRecordCount() const {
  if (!Active()) return 0;
  int count = 1;
  for (TDataSource* s : FDataSources)
    for (TDataLink* l : s->FLinks) count = std::max(count, l->FBufferCount);
  return std::max(0, std::min(count, static_cast<int>(FView.size()) - FBufTop));
}

void TDataSet::SetLinkActiveRecord(int index) {
  const int pos = FBufTop + index;
  FLinkOverride = (pos == FCur || index < 0) ? -1 : pos;
}

void TDataSet::MoveTo(int pos, bool scrolled) {
  const int oldTop = FBufTop;
  FCur = pos;
  FLinkOverride = -1;
  SyncWindow();
  if (scrolled) {
    if (AfterScroll) AfterScroll(this);
    DataEvent(deDataSetScroll, FBufTop - oldTop);
  }
}

void TDataSet::Resync() {
  SyncWindow();
  DataEvent(deDataSetChange);
}

// ---------------------------------------------------------------- navigation

void TDataSet::First() {
  CheckBrowseMode();
  MoveTo(FView.empty() ? -1 : 0);
  FBof = true;
  FEof = FView.empty();
}

void TDataSet::Last() {
  CheckBrowseMode();
  FetchAll();
  CheckActive();
  MoveTo(static_cast<int>(FView.size()) - 1);
  FEof = true;
  FBof = FView.empty();
}

void TDataSet::Next() {
  MoveBy(1);
}

void TDataSet::Prior() {
  MoveBy(-1);
}

int TDataSet::MoveBy(int distance) {
  CheckBrowseMode();
  if (distance > 0) {
    FetchTo(static_cast<int>(std::min<int64_t>(static_cast<int64_t>(FCur) + distance, std::numeric_limits<int>::max())));
    CheckActive();
  }
  const int n = static_cast<int>(FView.size());
  if (n == 0) {
    FBof = FEof = true;
    return 0;
  }
  int target = FCur + distance;
  FBof = FEof = false;
  if (target >= n) {
    target = n - 1;
    FEof = true;
  } else if (target < 0) {
    target = 0;
    FBof = true;
  }
  const int moved = target - FCur;
  if (moved != 0) MoveTo(target);
  return moved;
}

void TDataSet::SetRecNo(int value) {
  CheckBrowseMode();
  FetchTo(value - 1);
  CheckActive();
  if (FView.empty()) return;
  const int pos = std::clamp(value - 1, 0, static_cast<int>(FView.size()) - 1);
  FBof = FEof = false;
  MoveTo(pos);
}

bool TDataSet::Locate(const String& keyFields, const std::vector<Variant>& keyValues,
                      TLocateOptions options) {
  CheckBrowseMode();
  FetchAll();
  CheckActive();
  std::vector<TField*> fields;
  for (const String& name : SplitNames(keyFields)) fields.push_back(FieldByName(name));
  if (fields.size() != keyValues.size())
    throw EDatabaseError(u"Locate: the number of key values differs from the key fields");
  const bool caseless = (options & loCaseInsensitive) != 0;
  const bool partial = (options & loPartialKey) != 0;
  std::vector<Variant> keys;
  for (size_t i = 0; i < fields.size(); ++i) {
    Variant k = keyValues[i].IsClear() ? Variant::Null() : Coerce(fields[i], keyValues[i]);
    if (caseless && k.VarType() == varString) k = Variant(UpperText(k.AsString()));
    keys.push_back(k);
  }
  for (size_t p = 0; p < FView.size(); ++p) {
    const int rec = FView[p];
    bool match = true;
    for (size_t i = 0; i < fields.size() && match; ++i) {
      const TField* f = fields[i];
      Variant v;
      if (f->Calculated()) {
        CalculateFields(rec);
        v = f->FCalcIndex < 0 ? Variant::Null() : FRecords[static_cast<size_t>(rec)].Calc[f->FCalcIndex];
      } else {
        v = RecordValue(rec, f->FColumn);
      }
      if (keys[i].IsClear() || v.IsClear()) {
        match = keys[i].IsClear() && v.IsClear();
        continue;
      }
      if (keys[i].VarType() == varString) {
        String s = v.AsString();
        if (caseless) s = UpperText(s);
        const String& k = keys[i].AsString();
        match = partial ? s.compare(0, k.size(), k) == 0 && s.size() >= k.size() : s == k;
      } else {
        match = Variant::Compare(v, keys[i]) == 0;
      }
    }
    if (match) {
      FBof = FEof = false;
      MoveTo(static_cast<int>(p));
      return true;
    }
  }
  return false;
}

Variant TDataSet::Lookup(const String& keyFields, const std::vector<Variant>& keyValues,
                         const String& resultFields) {
  CheckActive();
  const int saved = FCur;
  const bool bof = FBof, eof = FEof;
  std::vector<TField*> results;
  for (const String& name : SplitNames(resultFields)) results.push_back(FieldByName(name));
  // Search without telling anyone; the cursor comes back.
  DisableControls();
  auto after = std::move(AfterScroll);
  AfterScroll = nullptr;
  Variant result = Variant::Null();
  try {
    if (Locate(keyFields, keyValues, 0)) {
      if (results.size() == 1) {
        result = results[0]->Value();
      } else {
        String joined;
        for (size_t i = 0; i < results.size(); ++i) joined += (i ? u";" : u"") + results[i]->AsString();
        result = Variant(joined);
      }
    }
  } catch (...) {
    AfterScroll = std::move(after);
    FCur = saved;
    FBof = bof, FEof = eof;
    FPendingChange = false;
    EnableControls();
    throw;
  }
  AfterScroll = std::move(after);
  FCur = saved;
  FBof = bof, FEof = eof;
  SyncWindow();
  FPendingChange = false;
  EnableControls();
  return result;
}

// ---------------------------------------------------------------- editing

void TDataSet::CheckBrowseMode() {
  CheckActive();
  DataEvent(deCheckBrowseMode);
  if (FState == dsEdit || FState == dsInsert) {
    UpdateRecord();
    if (FModified) Post();
    else Cancel();
  }
}

void TDataSet::UpdateRecord() {
  if (FState == dsEdit || FState == dsInsert) DataEvent(deUpdateRecord);
}

void TDataSet::Edit() {
  CheckActive();
  if (FState == dsEdit || FState == dsInsert) return;
  // Records change only once the whole result is in.
  FetchAll();
  CheckActive();
  if (FView.empty()) {
    Insert();
    return;
  }
  if (!CanModify()) throw EDatabaseError(Name() + u": não é possível alterar um conjunto de dados somente leitura");
  FEditRecord = CurrentRecord();
  FEditValues.assign(FColumns.size(), Variant::Null());
  for (size_t c = 0; c < FColumns.size(); ++c) FEditValues[c] = RecordValue(FEditRecord, static_cast<int>(c));
  CalculateFields(FEditRecord);
  FEditCalc.assign(static_cast<size_t>(FCalcCount), Variant::Null());
  for (int i = 0; i < FCalcCount; ++i)
    FEditCalc[static_cast<size_t>(i)] = FRecords[static_cast<size_t>(FEditRecord)].Calc[i];
  const TRecordData& r = FRecords[static_cast<size_t>(FEditRecord)];
  FEditAssigned = r.Assigned.empty() ? std::vector<bool>(FColumns.size(), false) : r.Assigned;
  FInsertedNew = false;
  FModified = false;
  FState = dsEdit;
  DataEvent(deUpdateState);
}

void TDataSet::Insert() {
  CheckBrowseMode();
  FetchAll();
  CheckActive();
  if (!CanModify()) throw EDatabaseError(Name() + u": não é possível alterar um conjunto de dados somente leitura");
  InsertNewRecord(FView.empty() ? 0 : std::max(FCur, 0));
}

void TDataSet::Append() {
  CheckBrowseMode();
  FetchAll();
  CheckActive();
  // Appending is inserting after the last record.
  FCur = static_cast<int>(FView.size());
  if (!CanModify()) throw EDatabaseError(Name() + u": não é possível alterar um conjunto de dados somente leitura");
  InsertNewRecord(static_cast<int>(FView.size()));
}

void TDataSet::InsertNewRecord(int pos) {
  FRecords.emplace_back();
  const int rec = static_cast<int>(FRecords.size()) - 1;
  FRecords.back().Status = usInserted;
  FView.insert(FView.begin() + pos, rec);
  FViewPos.assign(FRecords.size(), -1);
  for (size_t p = 0; p < FView.size(); ++p) FViewPos[static_cast<size_t>(FView[p])] = static_cast<int>(p);
  FCur = pos;
  FBof = FEof = false;
  FEditRecord = rec;
  FEditValues.assign(FColumns.size(), Variant::Null());
  FEditCalc.assign(static_cast<size_t>(FCalcCount), Variant::Null());
  FEditAssigned.assign(FColumns.size(), false);
  FInsertedNew = true;
  FState = dsInsert;
  SyncWindow();
  AssignMasterValues();
  if (OnNewRecord) {
    try {
      OnNewRecord(this);
    } catch (...) {
      Cancel();
      throw;
    }
  }
  CalculateEditBuffer();
  FModified = false;
  DataEvent(deUpdateState);
  DataEvent(deDataSetChange);
}

// A new detail record starts with the master's key, so it stays in view.
void TDataSet::AssignMasterValues() {
  std::vector<Variant> key;
  if (!MasterKey(key) || key.empty()) return;
  const std::vector<String> index = SplitNames(FIndexFields);
  for (size_t i = 0; i < key.size() && i < index.size(); ++i) {
    TField* f = FindField(index[i]);
    if (!f || f->FColumn < 0) continue;
    FEditValues[static_cast<size_t>(f->FColumn)] = Coerce(f, key[i]);
    FEditAssigned[static_cast<size_t>(f->FColumn)] = true;
  }
}

void TDataSet::Post() {
  CheckActive();
  if (FState != dsEdit && FState != dsInsert) return;
  UpdateRecord();
  if (BeforePost) BeforePost(this);
  // A handler may have cancelled the edit instead of aborting.
  if (FState != dsEdit && FState != dsInsert) return;
  for (TField* f : FFields.FList)
    if (!f->Calculated() && f->Required() && f->FColumn >= 0 &&
        FEditValues[static_cast<size_t>(f->FColumn)].IsClear())
      throw EDatabaseError(u"O campo '" + f->DisplayName() + u"' deve ser preenchido");

  const int rec = FEditRecord;
  TRecordData& r = FRecords[static_cast<size_t>(rec)];
  const TUpdateStatus kind = r.Status == usInserted ? usInserted : usModified;
  if (!FCachedUpdates) {
    std::vector<Variant> values = FEditValues;
    std::vector<Variant> old;
    if (kind != usInserted)
      for (size_t c = 0; c < FColumns.size(); ++c) old.push_back(RecordValue(rec, static_cast<int>(c)));
    TChange change{kind, values.data(), kind == usInserted ? nullptr : old.data(), &FEditAssigned};
    DoWriteChange(change);
    TRecordData& stored = FRecords[static_cast<size_t>(rec)];
    stored.Values = std::make_unique<Variant[]>(FColumns.size());
    stored.Original = std::make_unique<Variant[]>(FColumns.size());
    for (size_t c = 0; c < FColumns.size(); ++c) stored.Values[c] = stored.Original[c] = values[c];
    stored.Status = usUnmodified;
    stored.Assigned.clear();
  } else {
    r.Values = std::make_unique<Variant[]>(FColumns.size());
    for (size_t c = 0; c < FColumns.size(); ++c) r.Values[c] = FEditValues[c];
    if (kind == usInserted) r.Assigned = FEditAssigned;
    if (r.Status == usUnmodified) r.Status = usModified;
    if (std::find(FChangeLog.begin(), FChangeLog.end(), rec) == FChangeLog.end()) FChangeLog.push_back(rec);
  }
  FRecords[static_cast<size_t>(rec)].Calc.reset();
  FState = dsBrowse;
  FInsertedNew = false;
  FModified = false;
  FEditRecord = -1;
  RebuildView(rec);
  FBof = FEof = FView.empty();
  SyncWindow();
  DataEvent(deUpdateState);
  DataEvent(deDataSetChange);
  if (AfterPost) AfterPost(this);
}

void TDataSet::Cancel() {
  if (FState != dsEdit && FState != dsInsert) return;
  if (FState == dsInsert && FInsertedNew) {
    const int rec = FEditRecord;
    FRecords[static_cast<size_t>(rec)].Discarded = true;
    const int pos = ViewPosOf(rec);
    if (pos >= 0) {
      FView.erase(FView.begin() + pos);
      FViewPos.assign(FRecords.size(), -1);
      for (size_t p = 0; p < FView.size(); ++p) FViewPos[static_cast<size_t>(FView[p])] = static_cast<int>(p);
      if (FCur >= static_cast<int>(FView.size())) FCur = static_cast<int>(FView.size()) - 1;
    }
  }
  FState = dsBrowse;
  FInsertedNew = false;
  FModified = false;
  FEditRecord = -1;
  FEditValues.clear();
  FEditCalc.clear();
  FBof = FEof = FView.empty();
  SyncWindow();
  DataEvent(deUpdateState);
  DataEvent(deDataSetChange);
}

void TDataSet::Delete() {
  CheckActive();
  if (FState == dsInsert) {
    Cancel();
    return;
  }
  FetchAll();
  CheckActive();
  if (FView.empty()) RaiseEmpty();
  if (FState == dsEdit) Cancel();
  if (!CanModify()) throw EDatabaseError(Name() + u": não é possível alterar um conjunto de dados somente leitura");
  if (BeforeDelete) BeforeDelete(this);
  const int rec = CurrentRecord();
  TRecordData& r = FRecords[static_cast<size_t>(rec)];
  if (!FCachedUpdates) {
    std::vector<Variant> values, old;
    for (size_t c = 0; c < FColumns.size(); ++c) {
      values.push_back(RecordValue(rec, static_cast<int>(c)));
      Variant o = r.Original ? r.Original[c] : r.RawRow >= 0 ? RawValue(r.RawRow, static_cast<int>(c)) : Variant::Null();
      old.push_back(o);
    }
    TChange change{usDeleted, values.data(), old.data(), nullptr};
    DoWriteChange(change);
    FRecords[static_cast<size_t>(rec)].Discarded = true;
  } else if (r.Status == usInserted) {
    r.Discarded = true;
    FChangeLog.erase(std::remove(FChangeLog.begin(), FChangeLog.end(), rec), FChangeLog.end());
  } else {
    r.Status = usDeleted;
    if (std::find(FChangeLog.begin(), FChangeLog.end(), rec) == FChangeLog.end()) FChangeLog.push_back(rec);
  }
  FView.erase(FView.begin() + FCur);
  FViewPos.assign(FRecords.size(), -1);
  for (size_t p = 0; p < FView.size(); ++p) FViewPos[static_cast<size_t>(FView[p])] = static_cast<int>(p);
  if (FCur >= static_cast<int>(FView.size())) FCur = static_cast<int>(FView.size()) - 1;
  FBof = FEof = FView.empty();
  SyncWindow();
  DataEvent(deDataSetChange);
  if (AfterScroll) AfterScroll(this);
}

// ---------------------------------------------------------------- filter

void TDataSet::SetFilter(const String& value) {
  if (value == FFilter) return;
  std::unique_ptr<TFilterExpression> expr;
  if (Active() && FFiltered && !value.empty()) expr = std::make_unique<TFilterExpression>(value, *this);
  FFilter = value;
  FFilterExpr = std::move(expr);
  if (Active() && FFiltered) {
    CheckBrowseMode();
    RefetchIfChanged();
    RebuildView(-1);
    First();
    Resync();
  }
}

void TDataSet::SetFiltered(bool value) {
  if (value == FFiltered) return;
  if (Active()) {
    CheckBrowseMode();
    std::unique_ptr<TFilterExpression> expr;
    if (value && !FFilter.empty()) expr = std::make_unique<TFilterExpression>(FFilter, *this);
    FFiltered = value;
    FFilterExpr = std::move(expr);
    RefetchIfChanged();
    RebuildView(-1);
    First();
    Resync();
  } else {
    FFiltered = value;
  }
}

void TDataSet::SetIndexFields(const String& value) {
  if (value == FIndexFields) return;
  const String old = FIndexFields;
  FIndexFields = value;
  if (!Active()) return;
  CheckBrowseMode();
  try {
    RebuildView(CurrentRecord());
  } catch (...) {
    FIndexFields = old;
    RebuildView(CurrentRecord());
    throw;
  }
  Resync();
}

TDataSource* TDataSet::MasterSource() const { return FMasterLink ? FMasterLink->DataSource() : nullptr; }

void TDataSet::SetMasterLink(TDataSource* source, const String& masterFields) {
  if (!FMasterLink) FMasterLink = std::make_unique<TMasterDataLink>(this);
  FMasterLink->SetDataSource(source);
  FMasterFields = masterFields;
  FLastMasterValid = false;
  MasterChanged();
}

bool TDataSet::MasterKey(std::vector<Variant>& values) const {
  values.clear();
  TDataSource* master = MasterSource();
  if (!master || FMasterFields.empty()) return true;
  TDataSet* md = master->DataSet();
  if (!md || !md->Active() || md->IsEmpty()) return false;
  for (const String& name : SplitNames(FMasterFields)) values.push_back(md->FieldByName(name)->Value());
  return true;
}

void TDataSet::MasterChanged() {
  if (!Active()) return;
  std::vector<Variant> key;
  const bool valid = MasterKey(key);
  if (FLastMasterValid == valid && valid && key.size() == FLastMasterKey.size() &&
      std::equal(key.begin(), key.end(), FLastMasterKey.begin()))
    return;
  FLastMasterKey = key;
  FLastMasterValid = valid;
  if (FState == dsEdit || FState == dsInsert) Cancel();
  RefetchIfChanged();
  RebuildView(-1);
  FCur = FView.empty() ? -1 : 0;
  FBof = true;
  FEof = FView.empty();
  FBufTop = 0;
  SyncWindow();
  DataEvent(deDataSetChange);
  if (AfterScroll) AfterScroll(this);
}

// ---------------------------------------------------------------- cached updates

void TDataSet::SetCachedUpdates(bool value) { FCachedUpdates = value; }

bool TDataSet::UpdatesPending() const {
  for (int rec : FChangeLog) {
    const TRecordData& r = FRecords[static_cast<size_t>(rec)];
    if (!r.Discarded && r.Status != usUnmodified) return true;
  }
  return false;
}

TUpdateStatus TDataSet::UpdateStatus() const {
  const int rec = CurrentRecord();
  return rec < 0 ? usUnmodified : FRecords[static_cast<size_t>(rec)].Status;
}

int TDataSet::ApplyUpdates(int maxErrors) {
  (void)maxErrors;  // the first error always stops the whole unit
  CheckBrowseMode();
  if (!UpdatesPending()) return 0;
  struct TApplied {
    int Record;
    std::vector<Variant> Values;
  };
  std::vector<TApplied> applied;
  DoBeginApply();
  try {
    for (int rec : FChangeLog) {
      const TRecordData& r = FRecords[static_cast<size_t>(rec)];
      if (r.Discarded || r.Status == usUnmodified) continue;
      std::vector<Variant> values(FColumns.size()), old;
      for (size_t c = 0; c < FColumns.size(); ++c) values[c] = RecordValue(rec, static_cast<int>(c));
      if (r.Status != usInserted)
        for (size_t c = 0; c < FColumns.size(); ++c)
          old.push_back(r.Original ? r.Original[c] : r.RawRow >= 0 ? RawValue(r.RawRow, static_cast<int>(c)) : Variant::Null());
      TChange change{r.Status, values.data(), old.empty() ? nullptr : old.data(), &r.Assigned};
      DoWriteChange(change);
      applied.push_back({rec, std::move(values)});
    }
    DoCommitApply();
  } catch (...) {
    DoRollbackApply();
    throw;
  }
  // Written: what was sent (and read back) becomes the record's original.
  for (TApplied& a : applied) {
    TRecordData& r = FRecords[static_cast<size_t>(a.Record)];
    if (r.Status == usDeleted) {
      r.Discarded = true;
      continue;
    }
    r.Values = std::make_unique<Variant[]>(FColumns.size());
    r.Original = std::make_unique<Variant[]>(FColumns.size());
    for (size_t c = 0; c < FColumns.size(); ++c) r.Values[c] = r.Original[c] = a.Values[c];
    r.Status = usUnmodified;
    r.Assigned.clear();
    r.Calc.reset();
  }
  FChangeLog.clear();
  RebuildView(CurrentRecord());
  Resync();
  return 0;
}

void TDataSet::CommitUpdates() {
  for (int rec : FChangeLog) {
    TRecordData& r = FRecords[static_cast<size_t>(rec)];
    if (r.Status == usDeleted) r.Discarded = true;
    if (r.Discarded) continue;
    if (r.Values) {
      r.Original = std::make_unique<Variant[]>(FColumns.size());
      for (size_t c = 0; c < FColumns.size(); ++c) r.Original[c] = r.Values[c];
    }
    r.Status = usUnmodified;
    r.Assigned.clear();
  }
  FChangeLog.clear();
}

void TDataSet::CancelUpdates() {
  if (!Active()) {
    FChangeLog.clear();
    return;
  }
  Cancel();
  const int cur = CurrentRecord();
  for (int rec : FChangeLog) {
    TRecordData& r = FRecords[static_cast<size_t>(rec)];
    if (r.Status == usInserted) {
      r.Discarded = true;
      continue;
    }
    if (r.Original) {
      for (size_t c = 0; c < FColumns.size(); ++c) r.Values[c] = r.Original[c];
    } else {
      r.Values.reset();
    }
    r.Status = usUnmodified;
    r.Calc.reset();
  }
  FChangeLog.clear();
  RebuildView(cur);
  FBof = FEof = FView.empty();
  Resync();
}

// ---------------------------------------------------------------- controls

void TDataSet::DisableControls() { ++FDisableCount; }

void TDataSet::EnableControls() {
  if (FDisableCount == 0) return;
  if (--FDisableCount == 0 && FPendingChange) {
    FPendingChange = false;
    SyncWindow();
    DataEvent(deUpdateState);
    DataEvent(deDataSetChange);
  }
}

void TDataSet::DataEvent(TDataEvent event, intptr_t info) {
  if (FDisableCount > 0) {
    FPendingChange = true;
    return;
  }
  for (TDataSource* s : std::vector<TDataSource*>(FDataSources)) s->DataEvent(event, info);
}

// ---------------------------------------------------------------- bookmarks

TBookmark TDataSet::GetBookmark() const {
  // While a data link looks at another buffered row (a grid drawing it),
  // the bookmark is that row's, as its field values are.
  int rec = Active() ? CurrentRecord() : -1;
  if (Active() && FLinkOverride >= 0 && FLinkOverride < static_cast<int>(FView.size()))
    rec = FView[static_cast<size_t>(FLinkOverride)];
  if (rec < 0) return 0;
  return (static_cast<int64_t>(FGeneration) << 32) | static_cast<int64_t>(rec + 1);
}

bool TDataSet::BookmarkValid(TBookmark bookmark) const {
  if (!Active() || bookmark == 0 || (bookmark >> 32) != FGeneration) return false;
  const int rec = static_cast<int>(bookmark & 0xFFFFFFFF) - 1;
  return ViewPosOf(rec) >= 0;
}

void TDataSet::GotoBookmark(TBookmark bookmark) {
  CheckBrowseMode();
  if (!BookmarkValid(bookmark)) throw EDatabaseError(Name() + u": registro não encontrado");
  const int rec = static_cast<int>(bookmark & 0xFFFFFFFF) - 1;
  FBof = FEof = false;
  MoveTo(ViewPosOf(rec));
}

int TDataSet::CompareBookmarks(TBookmark a, TBookmark b) const {
  const int pa = BookmarkValid(a) ? ViewPosOf(static_cast<int>(a & 0xFFFFFFFF) - 1) : -1;
  const int pb = BookmarkValid(b) ? ViewPosOf(static_cast<int>(b & 0xFFFFFFFF) - 1) : -1;
  return pa < pb ? -1 : pa > pb ? 1 : 0;
}

