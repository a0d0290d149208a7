#pragma once
// The data set: the records of one result kept in memory, seen through an
// ordered, filtered and master-linked view, with a current record, an edit
// buffer, cached changes and the notifications that data sources pass on
// to grids, edits and reports. Cells stay as the server sent them until
// someone reads them, so opening a large table costs little more than
// fetching it.
#include "platform/classes/Component.h"
#include "platform/data/DataTypes.h"
#include "platform/data/Field.h"
#include "platform/data/MySqlClient.h"
#include "platform/data/Variant.h"
#include <functional>
#include <memory>
#include <vector>

class TFilterExpression;
class TMasterDataLink;

// The fields of a data set, in definition order.
class TFields {
public:
  int Count() const { return static_cast<int>(FList.size()); }
  TField* operator[](int index) const { return Fields(index); }
  // Raises EListError for an index out of range.
  TField* Fields(int index) const;
  // Case-insensitive; nullptr when absent.
  TField* FindField(const String& name) const;
  // Raises EDatabaseError "Field 'X' not found".
  TField* FieldByName(const String& name) const;
  int IndexOf(const TField* field) const;

private:
  friend class TDataSet;
  std::vector<TField*> FList;
};

using TDataSetNotifyEvent = std::function<void(TDataSet* DataSet)>;

class TDataSet : public TComponent {
public:
  explicit TDataSet(TComponent* AOwner);
  ~TDataSet() override;

  // Opening and closing.
  void Open();
  void Close();
  bool Active() const { return FState != dsInactive; }
  void SetActive(bool value);
  // Fetches the records again, keeping the current record when it is still
  // there. Pending cached changes are discarded.
  void Refresh();

  // Navigation.
  void First();
  void Last();
  void Next();
  void Prior();
  int MoveBy(int distance);
  bool Eof() const { return FEof; }
  bool Bof() const { return FBof; }
  bool IsEmpty() const { return FView.empty(); }
  // Records in the view: after the filter and the master link.
  int RecordCount() const;
  // 1-based position in the view; 0 when empty.
  int RecNo() const;
  void SetRecNo(int value);

  // Fields.
  TFields& Fields() { return FFields; }
  const TFields& Fields() const { return FFields; }
  int FieldCount() const { return FFields.Count(); }
  TField* FindField(const String& name) const { return FFields.FindField(name); }
  TField* FieldByName(const String& name) const { return FFields.FieldByName(name); }
  Variant FieldValues(const String& name) const { return FieldByName(name)->Value(); }

  // Searching. Key fields are separated by ";"; values are given in order.
  bool Locate(const String& keyFields, const std::vector<Variant>& keyValues,
              TLocateOptions options = 0);
  bool Locate(const String& keyField, const Variant& keyValue, TLocateOptions options = 0) {
    return Locate(keyField, std::vector<Variant>{keyValue}, options);
  }
  // The result field's value (one field) or values joined in a text by
  // ";" of the first matching record, without moving; null when none.
  Variant Lookup(const String& keyFields, const std::vector<Variant>& keyValues,
                 const String& resultFields);

  // Editing.
  void Edit();
  void Insert();
  void Append();
  void Post();
  void Cancel();
  void Delete();
  TDataSetState State() const { return FState; }
  bool Modified() const { return FModified; }
  bool CanModify() const { return Active() && !FReadOnly; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value) { FReadOnly = value; }
  // Posts a pending edit when something changed, cancels it otherwise.
  void CheckBrowseMode();
  // Asks the data links to write their pending control values.
  void UpdateRecord();

  // Client-side filter: "FIELD = 'text'" joined by AND / OR / NOT, with
  // = <> < > <= >=, IS [NOT] NULL, numbers, texts and parentheses.
  const String& Filter() const { return FFilter; }
  void SetFilter(const String& value);
  bool Filtered() const { return FFiltered; }
  void SetFiltered(bool value);

  // Cached updates: Post and Delete only log the change until
  // ApplyUpdates writes the log in one transaction.
  bool CachedUpdates() const { return FCachedUpdates; }
  void SetCachedUpdates(bool value);
  bool UpdatesPending() const;
  // Writes every pending change; on the first failure nothing is written,
  // the changes stay pending and EDatabaseError is raised. Returns the
  // number of errors (0).
  int ApplyUpdates(int maxErrors = -1);
  void CommitUpdates();
  void CancelUpdates();
  TUpdateStatus UpdateStatus() const;

  // Controls.
  void DisableControls();
  void EnableControls();
  bool ControlsDisabled() const { return FDisableCount > 0; }

  // Bookmarks.
  TBookmark GetBookmark() const;
  void GotoBookmark(TBookmark bookmark);
  bool BookmarkValid(TBookmark bookmark) const;
  void FreeBookmark(TBookmark) {}
  TBookmark Bookmark() const { return GetBookmark(); }
  void SetBookmark(TBookmark value) { GotoBookmark(value); }
  int CompareBookmarks(TBookmark a, TBookmark b) const;

  // Events.
  TDataSetNotifyEvent BeforePost;
  TDataSetNotifyEvent AfterPost;
  TDataSetNotifyEvent AfterScroll;
  TDataSetNotifyEvent BeforeDelete;
  TDataSetNotifyEvent OnNewRecord;
  TDataSetNotifyEvent OnCalcFields;

  // For data links: the record window that a grid shows.
  int ActiveRecordIndex() const { return FCur - FBufTop; }
  int BufferRecordCount() const;
  void SetLinkActiveRecord(int index);

protected:
  // Runs the statement that fills the data set.
  virtual std::unique_ptr<TMySqlResult> DoFetch() = 0;
  // Writes one change to the database (not in cached mode, or when the
  // cached changes are applied). oldValues is null for an insert.
  struct TChange {
    TUpdateStatus Kind;
    Variant* Values;            // current column values
    const Variant* OldValues;   // as fetched, for the WHERE clause
    const std::vector<bool>* Assigned;
  };
  virtual void DoWriteChange(TChange& change) = 0;
  // Starts, ends or undoes the unit in which several changes are written.
  // Rows read at a time as the data set is walked; 0 reads the whole
  // result on opening.
  virtual int DoRowsetSize() const { return 0; }
  // True when the rows come as the data set is walked: a row-set size, and
  // no filter, order or master link that needs every row at once.
  bool FetchesAsWalked() const;
  // True when the rows to fetch changed with the filter or the master's
  // record, because the statement asks the server for part of them.
  virtual bool DoFetchChanged() { return false; }
  virtual void DoBeginApply() {}
  virtual void DoCommitApply() {}
  virtual void DoRollbackApply() {}

  void DataEvent(TDataEvent event, intptr_t info = 0);
  const std::vector<TMySqlColumn>& Columns() const { return FColumns; }
  // Index fields ("A;B") and master link of table data sets.
  void SetIndexFields(const String& value);
  void SetMasterLink(TDataSource* source, const String& masterFields);
  TDataSource* MasterSource() const;
  // The master's current values of the master fields; false when the
  // master has no current record (the detail shows nothing).
  bool MasterKey(std::vector<Variant>& values) const;
  void MasterChanged();
  void CheckInactive() const;
  void CheckActive() const;

  virtual void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  friend class TField;
  friend class TDataSource;
  friend class TDataLink;
  friend class TMasterDataLink;

  struct TRecordData {
    int RawRow = -1;
    TUpdateStatus Status = usUnmodified;
    bool Discarded = false;
    std::unique_ptr<Variant[]> Values;    // null: the raw row holds them
    std::unique_ptr<Variant[]> Original;  // null: the raw row is the original
    std::unique_ptr<Variant[]> Calc;      // null: not computed yet
    std::vector<bool> Assigned;           // inserted records: columns set
  };

  // Fields.
  void AddField(TField* field);
  void RemoveField(TField* field);
  void MoveField(TField* field, int index);
  void BindFields();
  void UnbindFields();
  Variant GetFieldValue(const TField* field) const;
  void SetFieldValue(TField* field, const Variant& value);
  Variant GetOldFieldValue(const TField* field) const;
  Variant RawValue(int rawRow, int column) const;
  Variant RecordValue(int record, int column) const;
  Variant* MaterializedValues(int record);
  void CalculateFields(int record) const;
  void CalculateEditBuffer();

  // View.
  void RebuildView(int keepRecord);
  bool RecordPassesFilter(int record) const;
  int CurrentRecord() const { return FCur >= 0 && FCur < static_cast<int>(FView.size()) ? FView[FCur] : -1; }
  int ViewPosOf(int record) const;
  void MoveTo(int pos, bool scrolled = true);
  void SyncWindow();
  void Resync();
  int ActiveRecordSlot() const;

  // Writing.
  void ClearRecords();
  void RefetchKeepingChanges();
  void RefetchIfChanged();
  // Reads row sets until the view holds position pos or the result ends;
  // a failure closes the data set and raises.
  void FetchTo(int pos);
  void FetchAll();
  void TakeFetchedRows();
  // Starts the records of a new result: its first row set when streamed.
  void TakeResult(std::unique_ptr<TMySqlResult> result);
  // A new record at view position pos, in insert mode.
  void InsertNewRecord(int pos);
  void AssignMasterValues();
  [[noreturn]] void RaiseEmpty() const;

  TFields FFields;
  std::vector<TField*> FAutoFields;
  std::vector<TMySqlColumn> FColumns;
  std::shared_ptr<TMySqlResult> FResult;
  size_t FFetchedRows = 0;  // rows of FResult that have records
  std::vector<TRecordData> FRecords;
  std::vector<int> FView;
  mutable std::vector<int> FViewPos;  // record -> view position, -1 outside
  int FCalcCount = 0;
  int FCur = -1;
  int FBufTop = 0;
  int FLinkOverride = -1;
  mutable int FCalcTarget = -1;        // record whose fields OnCalcFields fills
  mutable bool FCalcOnEditBuffer = false;
  bool FBof = true;
  bool FEof = true;
  TDataSetState FState = dsInactive;
  mutable TDataSetState FSavedState = dsInactive;
  bool FModified = false;
  bool FReadOnly = false;
  int FEditRecord = -1;
  std::vector<Variant> FEditValues;
  std::vector<Variant> FEditCalc;
  std::vector<bool> FEditAssigned;
  bool FInsertedNew = false;
  int FGeneration = 0;

  String FFilter;
  bool FFiltered = false;
  std::unique_ptr<TFilterExpression> FFilterExpr;

  bool FCachedUpdates = false;
  std::vector<int> FChangeLog;  // records in the order they first changed

  String FIndexFields;
  std::vector<int> FIndexColumns;       // field positions
  std::unique_ptr<TMasterDataLink> FMasterLink;
  String FMasterFields;
  std::vector<Variant> FLastMasterKey;
  bool FLastMasterValid = false;

  int FDisableCount = 0;
  bool FPendingChange = false;
  std::vector<TDataSource*> FDataSources;
};
