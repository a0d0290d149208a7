#pragma once
// Data sets over a TFDConnection: a table bound to a schema-qualified
// table name, and a query over SQL text. Changes are written back to one
// table, the row found by its key fields (pfInKey, else the table's
// primary key), inserts naming only the columns the program assigned so
// that server defaults apply.
#include "platform/classes/Strings.h"
#include "platform/data/DataSet.h"

class TFDConnection;

class TFDDataSet : public TDataSet {
public:
  explicit TFDDataSet(TComponent* AOwner);
  ~TFDDataSet() override;

  TFDConnection* Connection() const { return FConnection; }
  void SetConnection(TFDConnection* value);
  // Rows affected by the last statement this data set ran.
  int64_t RowsAffected() const { return FRowsAffected; }

protected:
  std::unique_ptr<TMySqlResult> Run(const String& sql);
  void DoWriteChange(TChange& change) override;
  void DoBeginApply() override;
  void DoCommitApply() override;
  void DoRollbackApply() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // "db.table" that changes are written to; empty: found from the result.
  virtual String UpdateTable() const { return String(); }
  TFDConnection& CheckConnection() const;

private:
  friend class TFDConnection;
  std::string TargetTable() const;
  std::string WhereClause(const Variant* oldValues, const std::vector<int>& keys) const;
  std::vector<int> KeyColumns() const;
  void ReadBack(Variant* values, const std::string& table, const std::vector<int>& keys);

  TFDConnection* FConnection = nullptr;
  int64_t FRowsAffected = -1;
  bool FOwnTransaction = false;
};

class TFDTable : public TFDDataSet {
public:
  explicit TFDTable(TComponent* AOwner) : TFDDataSet(AOwner) {}
  // "dbvorlent.usuario": schema and table.
  const String& TableName() const { return FTableName; }
  void SetTableName(const String& value);
  // The order, "A;B"; changeable while open.
  const String& IndexFieldNames() const { return FIndexFieldNames; }
  void SetIndexFieldNames(const String& value);
  // Detail of the master's current record: the master fields ("A;B") equal
  // the first index fields of this table.
  TDataSource* MasterSource() const { return FMasterSource; }
  void SetMasterSource(TDataSource* value);
  const String& MasterFields() const { return FMasterFields; }
  void SetMasterFields(const String& value);

protected:
  std::unique_ptr<TMySqlResult> DoFetch() override;
  String UpdateTable() const override { return FTableName; }
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  String FTableName;
  String FIndexFieldNames;
  TDataSource* FMasterSource = nullptr;
  String FMasterFields;
};

class TFDQuery : public TFDDataSet {
public:
  explicit TFDQuery(TComponent* AOwner);
  // The statement, one line per entry; changing it closes the query.
  TStringList& SQL() { return FSQL; }
  // Runs a statement without rows (INSERT, UPDATE, DELETE).
  void ExecSQL();
  // Opens the statement's rows; EDatabaseError when it has none.
  using TFDDataSet::Open;

protected:
  std::unique_ptr<TMySqlResult> DoFetch() override;

private:
  TStringList FSQL;
};
