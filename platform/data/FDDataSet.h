#pragma once
// Data sets over a TFDConnection: a table bound to a schema-qualified
// table name, and a query over SQL text. Changes are written back to one
// table, the row found by its key fields (pfInKey, else the table's
// primary key), inserts naming only the columns the program assigned so
// that server defaults apply.
#include "platform/classes/Strings.h"
#include "platform/data/DataSet.h"

class TFDConnection;

// How a data set reads its rows: RowsetSize rows at a time as it is walked
// (0: the whole result on opening). RecordCount stays the total of the
// result, reading what is left to count it.
class TFetchOptions {
public:
  int RowsetSize() const { return FRowsetSize; }
  void SetRowsetSize(int value) { FRowsetSize = value < 0 ? 0 : value; }

private:
  int FRowsetSize = 0;
};

class TFDDataSet : public TDataSet {
public:
  explicit TFDDataSet(TComponent* AOwner);
  ~TFDDataSet() override;

  TFDConnection* Connection() const { return FConnection; }
  void SetConnection(TFDConnection* value);
  // Rows affected by the last statement this data set ran.
  int64_t RowsAffected() const { return FRowsAffected; }
  TFetchOptions& FetchOptions() { return FFetchOptions; }

protected:
  // With `stream`, the rows stay on the server until the data set reads them.
  std::unique_ptr<TMySqlResult> Run(const String& sql, bool stream = false);
  int DoRowsetSize() const override { return FFetchOptions.RowsetSize(); }
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
  TFetchOptions FFetchOptions;
  int64_t FRowsAffected = -1;
  bool FOwnTransaction = false;
};

// Asks the server for what it answers the same way as the client: the
// filter's plain comparisons and the master link become the WHERE clause,
// the index fields the ORDER BY; the client still filters, links and sorts
// what comes, so the rows seen do not change.
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
  bool DoFetchChanged() override;
  String UpdateTable() const override { return FTableName; }
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  std::string WhereText(const std::vector<TMySqlColumn>& columns) const;
  std::string OrderText(const std::vector<TMySqlColumn>& columns) const;

  String FTableName;
  std::vector<TMySqlColumn> FDescribed;  // the table's columns, read once
  std::string FLastWhere;
  String FIndexFieldNames;
  TDataSource* FMasterSource = nullptr;
  String FMasterFields;
};

// A filtered query asks the server for the rows its filter keeps, the
// statement read as a derived table, when the server answers the filter's
// comparisons the same way (as a table does); the client still filters.
// A statement that cannot be read so runs as written.
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
  bool DoFetchChanged() override;

private:
  std::unique_ptr<TMySqlResult> FetchFiltered(const std::string& sql);
  std::string ServerFilter() const;

  TStringList FSQL;
  std::string FDescribedSQL;             // the statement FDescribed belongs to
  std::vector<TMySqlColumn> FOrigins;    // its columns read as written
  std::vector<TMySqlColumn> FDescribed;  // the same, as a derived table names them
  std::string FLastCondition;            // what the last fetch asked the server for
};
