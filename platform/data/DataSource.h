#pragma once
// The data source joins a data set to the controls and reports that show
// it; a data link is one control's (or report's) connection to a data
// source, told when the data set opens, scrolls, changes or edits.
#include "platform/classes/Component.h"
#include "platform/data/DataTypes.h"
#include <functional>
#include <vector>

class TDataSource : public TComponent {
public:
  explicit TDataSource(TComponent* AOwner);
  ~TDataSource() override;

  TDataSet* DataSet() const { return FDataSet; }
  void SetDataSet(TDataSet* value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  // Typing into a bound control puts the data set in edit mode.
  bool AutoEdit() const { return FAutoEdit; }
  void SetAutoEdit(bool value) { FAutoEdit = value; }
  // dsInactive when there is no data set or the source is disabled.
  TDataSetState State() const { return FState; }
  // Puts the data set in edit mode when AutoEdit allows it.
  void Edit();

  std::function<void(TObject* Sender, TField* Field)> OnDataChange;
  std::function<void(TObject* Sender)> OnStateChange;
  std::function<void(TObject* Sender)> OnUpdateData;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  friend class TDataSet;
  friend class TDataLink;
  void DataEvent(TDataEvent event, intptr_t info);
  void NotifyLinks(TDataEvent event, intptr_t info);
  void UpdateState();

  TDataSet* FDataSet = nullptr;
  bool FEnabled = true;
  bool FAutoEdit = true;
  TDataSetState FState = dsInactive;
  std::vector<TDataLink*> FLinks;
};

class TDataLink : public TObject {
public:
  TDataLink() = default;
  ~TDataLink() override;

  TDataSource* DataSource() const { return FDataSource; }
  void SetDataSource(TDataSource* value);
  TDataSet* DataSet() const;
  // The data source is enabled and its data set open.
  bool Active() const { return FActive; }
  // The data set is editing and this link may edit (not read-only).
  bool Editing() const { return FEditing; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value);

  // The record window: a grid asks for BufferCount rows and reads row i by
  // setting ActiveRecord to i (0 .. RecordCount - 1) before reading fields.
  int BufferCount() const { return FBufferCount; }
  void SetBufferCount(int value);
  int ActiveRecord() const;
  void SetActiveRecord(int value);
  int RecordCount() const;

  // Puts the data set in edit mode (AutoEdit permitting); true when editing.
  bool Edit();
  // Tells the link to write its control's value into the field now.
  void UpdateRecord();

protected:
  virtual void ActiveChanged() {}
  virtual void CheckBrowseMode() {}
  virtual void DataSetChanged() { RecordChanged(nullptr); }
  virtual void DataSetScrolled(int Distance) { (void)Distance; DataSetChanged(); }
  virtual void EditingChanged() {}
  virtual void LayoutChanged() { DataSetChanged(); }
  virtual void RecordChanged(TField* Field) { (void)Field; }
  virtual void UpdateData() {}

private:
  friend class TDataSource;
  friend class TDataSet;
  void DataEvent(TDataEvent event, intptr_t info);
  void UpdateState();

  TDataSource* FDataSource = nullptr;
  bool FActive = false;
  bool FEditing = false;
  bool FReadOnly = false;
  bool FUpdating = false;
  int FBufferCount = 1;
};

// A link to one field, as an edit, a combo box or an image uses it.
class TFieldDataLink : public TDataLink {
public:
  const String& FieldName() const { return FFieldName; }
  void SetFieldName(const String& value);
  TField* Field() const { return FField; }
  // The field can take a value now or after Edit.
  bool CanModify() const;
  // The control's value differs from the field's; written on UpdateRecord.
  void Modified() { FModified = true; }
  void Reset();

  // The plumbing every data-bound control shares. Links to another source
  // with the control asking to hear when that source is freed.
  void SetControlDataSource(TComponent* control, TDataSource* value);
  // From the control's Notification: a freed source leaves the link.
  void SourceRemoved(TComponent* AComponent, TOperation Operation);
  // From the control's destructor: no more events, and no source.
  void Detach();

  std::function<void(TObject* Sender)> OnDataChange;
  std::function<void(TObject* Sender)> OnEditingChange;
  std::function<void(TObject* Sender)> OnUpdateData;
  std::function<void(TObject* Sender)> OnActiveChange;

protected:
  void ActiveChanged() override;
  void EditingChanged() override;
  void LayoutChanged() override;
  void RecordChanged(TField* Field) override;
  void UpdateData() override;

private:
  void UpdateField();
  String FFieldName;
  TField* FField = nullptr;
  bool FModified = false;
};
