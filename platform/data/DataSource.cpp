#include "platform/data/DataSource.h"
#include "platform/data/DataSet.h"
#include <algorithm>

// ---------------------------------------------------------------- TDataSource

TDataSource::TDataSource(TComponent* AOwner) : TComponent(AOwner) {}

TDataSource::~TDataSource() {
  BeginDestroy();
  SetDataSet(nullptr);
  for (TDataLink* link : std::vector<TDataLink*>(FLinks)) {
    link->FDataSource = nullptr;
    link->UpdateState();
  }
  FLinks.clear();
}

void TDataSource::SetDataSet(TDataSet* value) {
  if (value == FDataSet) return;
  if (FDataSet) {
    auto& list = FDataSet->FDataSources;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    RemoveFreeNotification(FDataSet);
  }
  FDataSet = value;
  if (value) {
    value->FDataSources.push_back(this);
    FreeNotification(value);
  }
  UpdateState();
}

void TDataSource::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  // The data set is being destroyed: only forget it.
  if (Operation == TOperation::opRemove && AComponent == FDataSet) {
    FDataSet = nullptr;
    UpdateState();
  }
}

void TDataSource::SetEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  UpdateState();
}

void TDataSource::Edit() {
  if (FAutoEdit && FDataSet && FState == dsBrowse) FDataSet->Edit();
}

void TDataSource::UpdateState() {
  const TDataSetState state = (FEnabled && FDataSet && !FDataSet->IsDestroying()) ? FDataSet->State() : dsInactive;
  if (state == FState) return;
  const TDataSetState previous = FState;
  FState = state;
  NotifyLinks(deUpdateState, 0);
  if (OnStateChange) OnStateChange(this);
  if (previous == dsInactive) DataEvent(deDataSetChange, 0);
}

void TDataSource::NotifyLinks(TDataEvent event, intptr_t info) {
  for (TDataLink* link : std::vector<TDataLink*>(FLinks))
    if (std::find(FLinks.begin(), FLinks.end(), link) != FLinks.end()) link->DataEvent(event, info);
}

void TDataSource::DataEvent(TDataEvent event, intptr_t info) {
  if (event == deUpdateState) {
    UpdateState();
    return;
  }
  if (FState == dsInactive) return;
  NotifyLinks(event, info);
  switch (event) {
  case deFieldChange:
  case deRecordChange:
  case deDataSetChange:
  case deDataSetScroll:
  case deLayoutChange:
    if (OnDataChange)
      OnDataChange(this, event == deFieldChange ? reinterpret_cast<TField*>(info) : nullptr);
    break;
  case deUpdateRecord:
    if (OnUpdateData) OnUpdateData(this);
    break;
  default:
    break;
  }
}

// ---------------------------------------------------------------- TDataLink

TDataLink::~TDataLink() { SetDataSource(nullptr); }

void TDataLink::SetDataSource(TDataSource* value) {
  if (value == FDataSource) return;
  if (FDataSource) {
    auto& list = FDataSource->FLinks;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
  FDataSource = value;
  if (value) value->FLinks.push_back(this);
  UpdateState();
}

TDataSet* TDataLink::DataSet() const { return FDataSource ? FDataSource->DataSet() : nullptr; }

void TDataLink::SetReadOnly(bool value) {
  if (value == FReadOnly) return;
  FReadOnly = value;
  UpdateState();
}

void TDataLink::UpdateState() {
  const bool active = FDataSource && FDataSource->State() != dsInactive;
  if (active != FActive) {
    FActive = active;
    ActiveChanged();
  }
  const TDataSetState s = FDataSource ? FDataSource->State() : dsInactive;
  const bool editing = (s == dsEdit || s == dsInsert) && !FReadOnly;
  if (editing != FEditing) {
    FEditing = editing;
    EditingChanged();
  }
}

void TDataLink::DataEvent(TDataEvent event, intptr_t info) {
  if (event == deUpdateState) {
    UpdateState();
    return;
  }
  if (!FActive) return;
  switch (event) {
  case deFieldChange:
  case deRecordChange:
    if (!FUpdating) RecordChanged(reinterpret_cast<TField*>(info));
    break;
  case deDataSetChange:
    DataSetChanged();
    break;
  case deDataSetScroll:
    DataSetScrolled(static_cast<int>(info));
    break;
  case deLayoutChange:
    LayoutChanged();
    break;
  case deUpdateRecord:
    UpdateRecord();
    break;
  case deCheckBrowseMode:
    CheckBrowseMode();
    break;
  default:
    break;
  }
}

void TDataLink::SetBufferCount(int value) {
  if (value < 1) value = 1;
  if (value == FBufferCount) return;
  FBufferCount = value;
  if (TDataSet* ds = DataSet())
    if (ds->Active()) ds->SyncWindow();
}

int TDataLink::ActiveRecord() const {
  TDataSet* ds = DataSet();
  return (FActive && ds) ? ds->ActiveRecordIndex() : 0;
}

void TDataLink::SetActiveRecord(int value) {
  if (TDataSet* ds = DataSet())
    if (FActive) ds->SetLinkActiveRecord(value);
}

int TDataLink::RecordCount() const {
  TDataSet* ds = DataSet();
  return (FActive && ds) ? std::min(FBufferCount, ds->BufferRecordCount()) : 0;
}

bool TDataLink::Edit() {
  if (!FReadOnly && FDataSource) FDataSource->Edit();
  return FEditing;
}

void TDataLink::UpdateRecord() {
  FUpdating = true;
  try {
    UpdateData();
  } catch (...) {
    FUpdating = false;
    throw;
  }
  FUpdating = false;
}

// ---------------------------------------------------------------- TFieldDataLink

void TFieldDataLink::SetFieldName(const String& value) {
  if (value == FFieldName) return;
  FFieldName = value;
  UpdateField();
}

void TFieldDataLink::UpdateField() {
  TDataSet* ds = DataSet();
  TField* field = (Active() && ds && !FFieldName.empty()) ? ds->FindField(FFieldName) : nullptr;
  FField = field;
  FModified = false;
  if (OnDataChange) OnDataChange(this);
}

bool TFieldDataLink::CanModify() const { return !ReadOnly() && FField && FField->CanModify(); }

void TFieldDataLink::Reset() { RecordChanged(nullptr); }

void TFieldDataLink::SetControlDataSource(TComponent* control, TDataSource* value) {
  if (value == DataSource()) return;
  if (DataSource()) control->RemoveFreeNotification(DataSource());
  SetDataSource(value);
  if (value) control->FreeNotification(value);
}

void TFieldDataLink::SourceRemoved(TComponent* AComponent, TOperation Operation) {
  if (Operation == TOperation::opRemove && AComponent == DataSource()) SetDataSource(nullptr);
}

void TFieldDataLink::Detach() {
  OnDataChange = nullptr;
  OnEditingChange = nullptr;
  OnUpdateData = nullptr;
  OnActiveChange = nullptr;
  SetDataSource(nullptr);
}

void TFieldDataLink::ActiveChanged() {
  UpdateField();
  if (OnActiveChange) OnActiveChange(this);
}

void TFieldDataLink::EditingChanged() {
  if (OnEditingChange) OnEditingChange(this);
}

void TFieldDataLink::LayoutChanged() { UpdateField(); }

void TFieldDataLink::RecordChanged(TField* Field) {
  if (Field && Field != FField) return;
  FModified = false;
  if (OnDataChange) OnDataChange(this);
}

void TFieldDataLink::UpdateData() {
  if (!FModified) return;
  if (FField && OnUpdateData) OnUpdateData(this);
  FModified = false;
}
