#include "platform/data/FDDataSet.h"
#include "platform/data/CellValue.h"
#include "platform/data/DataSource.h"
#include "platform/data/FDConnection.h"
#include "platform/data/Filter.h"
#include "platform/data/SelectText.h"
#include "platform/rtl/Exceptions.h"
#include <algorithm>
#include <cmath>

namespace {
bool SameAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

// "db.table" or "table", as written, into `db`.`table` and its bare name.
std::string QualifiedName(const std::string& name, std::string* bare) {
  const size_t dot = name.find('.');
  if (dot == std::string::npos) {
    if (bare) *bare = name;
    return QuoteIdentifier(name);
  }
  if (bare) *bare = name.substr(dot + 1);
  return QuoteIdentifier(name.substr(0, dot)) + "." + QuoteIdentifier(name.substr(dot + 1));
}

String Count(int64_t n) { return AsciiToString(std::to_string(n)); }

std::vector<std::string> SplitFieldNames(const String& names) {
  std::vector<std::string> result;
  std::string cur;
  for (char c : StringToUtf8(names)) {
    if (c == ';' || c == ',') {
      if (!cur.empty()) result.push_back(cur);
      cur.clear();
    } else if (c != ' ') {
      cur += c;
    }
  }
  if (!cur.empty()) result.push_back(cur);
  return result;
}

const TMySqlColumn* FindColumn(const std::vector<TMySqlColumn>& columns, const std::string& name) {
  for (const TMySqlColumn& c : columns)
    if (SameAscii(c.Name, name)) return &c;
  return nullptr;
}

// "column = value" when the server's equality keeps every row the
// client's exact comparison keeps; empty when the client must decide.
std::string ServerEquality(const TMySqlColumn& c, const Variant& v) {
  if (v.IsClear()) return "0 = 1";  // nothing equals a null master value
  return ServerKeepsClientRows(c, v, true) ? QuotedColumnName(c) + " = " + SqlLiteral(v, c) : std::string();
}
}  // namespace

// ---------------------------------------------------------------- TFDDataSet

TFDDataSet::TFDDataSet(TComponent* AOwner) : TDataSet(AOwner) {}

TFDDataSet::~TFDDataSet() {
  Close();
  SetConnection(nullptr);
}

void TFDDataSet::SetConnection(TFDConnection* value) {
  if (value == FConnection) return;
  if (FConnection) {
    FConnection->UnregisterDataSet(this);
    RemoveFreeNotification(FConnection);
  }
  FConnection = value;
  if (value) {
    value->RegisterDataSet(this);
    FreeNotification(value);
  }
}

void TFDDataSet::Notification(TComponent* AComponent, TOperation Operation) {
  TDataSet::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FConnection) FConnection = nullptr;
}

TFDConnection& TFDDataSet::CheckConnection() const {
  if (!FConnection) throw EDatabaseError(Name() + u": Connection is not defined");
  return *FConnection;
}

std::unique_ptr<TMySqlResult> TFDDataSet::Run(const String& sql, bool stream) {
  TFDConnection& connection = CheckConnection();
  TFDGUIxWaitCursor::TBusy busy;
  TMySqlSession& session = connection.Session();
  std::unique_ptr<TMySqlResult> result = session.Execute(StringToUtf8(sql), stream);
  FRowsAffected = session.RowsAffected();
  return result;
}

std::string TFDDataSet::TargetTable() const {
  const String table = UpdateTable();
  if (!table.empty()) return QualifiedName(StringToUtf8(table), nullptr);
  for (const TMySqlColumn& c : Columns())
    if (!c.Table.empty())
      return c.Database.empty() ? QuoteIdentifier(c.Table)
                                : QuoteIdentifier(c.Database) + "." + QuoteIdentifier(c.Table);
  return std::string();
}

std::vector<int> TFDDataSet::KeyColumns() const {
  std::vector<int> keys;
  for (int i = 0; i < Fields().Count(); ++i) {
    TField* f = Fields()[i];
    if (!f->Calculated() && (f->ProviderFlags() & pfInKey)) {
      const TMySqlColumn* col = nullptr;
      for (size_t c = 0; c < Columns().size(); ++c)
        if (SameAscii(Columns()[c].Name, StringToUtf8(f->FieldName()))) {
          col = &Columns()[c];
          keys.push_back(static_cast<int>(c));
          break;
        }
      (void)col;
    }
  }
  if (!keys.empty()) return keys;
  for (size_t c = 0; c < Columns().size(); ++c)
    if (Columns()[c].PrimaryKey) keys.push_back(static_cast<int>(c));
  if (!keys.empty()) return keys;
  // No key at all: the row is found by every comparable column it had.
  for (size_t c = 0; c < Columns().size(); ++c)
    if (Columns()[c].Type != TMySqlType::Blob && Columns()[c].Type != TMySqlType::Text &&
        !Columns()[c].Table.empty())
      keys.push_back(static_cast<int>(c));
  return keys;
}

std::string TFDDataSet::WhereClause(const Variant* values, const std::vector<int>& keys) const {
  std::string where;
  for (int c : keys) {
    const TMySqlColumn& col = Columns()[static_cast<size_t>(c)];
    if (!where.empty()) where += " AND ";
    where += QuoteIdentifier(col.OrgName.empty() ? col.Name : col.OrgName) + " <=> " +
             SqlLiteral(values[c], col);
  }
  return where;
}

void TFDDataSet::ReadBack(Variant* values, const std::string& table, const std::vector<int>& keys) {
  std::string select;
  std::vector<int> columns;
  for (size_t c = 0; c < Columns().size(); ++c) {
    const TMySqlColumn& col = Columns()[c];
    if (col.Table.empty() || col.OrgName.empty()) continue;
    if (!select.empty()) select += ", ";
    select += QuoteIdentifier(col.OrgName);
    columns.push_back(static_cast<int>(c));
  }
  if (columns.empty()) return;
  std::unique_ptr<TMySqlResult> row =
      Run(Utf8ToString("SELECT " + select + " FROM " + table + " WHERE " + WhereClause(values, keys)));
  if (!row || row->RowCount() != 1) return;
  for (size_t i = 0; i < columns.size(); ++i) values[columns[i]] = CellValue(*row, 0, i);
}

void TFDDataSet::DoWriteChange(TChange& change) {
  const std::string table = TargetTable();
  if (table.empty()) throw EDatabaseError(Name() + u": there is no table to write the changes to");
  std::string bare;
  QualifiedName(StringToUtf8(UpdateTable()), &bare);
  if (bare.empty())
    for (const TMySqlColumn& c : Columns())
      if (!c.Table.empty()) {
        bare = c.Table;
        break;
      }
  auto belongs = [&](const TMySqlColumn& col) {
    return !col.OrgName.empty() && !col.Table.empty() && (bare.empty() || SameAscii(col.Table, bare));
  };
  auto writable = [&](size_t c) {
    for (int i = 0; i < Fields().Count(); ++i) {
      TField* f = Fields()[i];
      if (!f->Calculated() && SameAscii(StringToUtf8(f->FieldName()), Columns()[c].Name))
        return (f->ProviderFlags() & pfInUpdate) != 0;
    }
    return true;
  };
  const std::vector<int> keys = KeyColumns();
  const size_t n = Columns().size();

  if (change.Kind == usInserted) {
    std::string names, values;
    for (size_t c = 0; c < n; ++c) {
      const TMySqlColumn& col = Columns()[c];
      if (!change.Assigned || c >= change.Assigned->size() || !(*change.Assigned)[c]) continue;
      if (!belongs(col) || !writable(c)) continue;
      if (!names.empty()) names += ", ", values += ", ";
      names += QuoteIdentifier(col.OrgName);
      values += SqlLiteral(change.Values[c], col);
    }
    Run(Utf8ToString("INSERT INTO " + table + " (" + names + ") VALUES (" + values + ")"));
    const uint64_t id = CheckConnection().Session().InsertId();
    int autoInc = -1;
    for (size_t c = 0; c < n; ++c)
      if (Columns()[c].AutoIncrement && belongs(Columns()[c])) autoInc = static_cast<int>(c);
    if (autoInc >= 0 && id != 0) {
      change.Values[autoInc] = Columns()[static_cast<size_t>(autoInc)].Type == TMySqlType::BigInt
                                   ? Variant(static_cast<int64_t>(id))
                                   : Variant(static_cast<int>(id));
      // Read the row back, so server defaults show.
      ReadBack(change.Values, table, {autoInc});
    }
    return;
  }

  if (!change.OldValues) throw EDatabaseError(Name() + u": no original values to find the record by");
  const std::string where = WhereClause(change.OldValues, keys);
  if (where.empty()) throw EDatabaseError(Name() + u": no key fields to find the record by");
  if (change.Kind == usModified) {
    std::string set;
    for (size_t c = 0; c < n; ++c) {
      const TMySqlColumn& col = Columns()[c];
      if (!belongs(col) || !writable(c)) continue;
      const Variant& now = change.Values[c];
      const Variant& old = change.OldValues[c];
      if (now.IsClear() == old.IsClear() && (now.IsClear() || (now.VarType() == old.VarType() && now == old)))
        continue;
      if (!set.empty()) set += ", ";
      set += QuoteIdentifier(col.OrgName) + " = " + SqlLiteral(now, col);
    }
    if (set.empty()) return;
    Run(Utf8ToString("UPDATE " + table + " SET " + set + " WHERE " + where));
    if (FRowsAffected != 1)
      throw EDatabaseError(u"A atualização alterou [" + Count(FRowsAffected) + u"] registros em vez de [1]");
    return;
  }
  Run(Utf8ToString("DELETE FROM " + table + " WHERE " + where));
  if (FRowsAffected != 1)
    throw EDatabaseError(u"A exclusão removeu [" + Count(FRowsAffected) + u"] registros em vez de [1]");
}

void TFDDataSet::DoBeginApply() {
  TFDConnection& connection = CheckConnection();
  FOwnTransaction = !connection.InTransaction();
  if (FOwnTransaction) connection.StartTransaction();
  else Run(u"SAVEPOINT brq_apply");
}

void TFDDataSet::DoCommitApply() {
  if (FOwnTransaction) CheckConnection().Commit();
  else Run(u"RELEASE SAVEPOINT brq_apply");
}

void TFDDataSet::DoRollbackApply() {
  try {
    if (FOwnTransaction) CheckConnection().Rollback();
    else Run(u"ROLLBACK TO SAVEPOINT brq_apply");
  } catch (const Exception&) {
    // The first error is the one to report; a lost connection undoes it anyway.
  }
}

// ---------------------------------------------------------------- TFDTable

void TFDTable::SetTableName(const String& value) {
  if (value == FTableName) return;
  CheckInactive();
  FTableName = value;
  FDescribed.clear();
}

void TFDTable::SetIndexFieldNames(const String& value) {
  FIndexFieldNames = value;
  SetIndexFields(value);
}

void TFDTable::SetMasterSource(TDataSource* value) {
  if (value == FMasterSource) return;
  if (FMasterSource) RemoveFreeNotification(FMasterSource);
  FMasterSource = value;
  if (value) FreeNotification(value);
  SetMasterLink(value, FMasterFields);
}

void TFDTable::SetMasterFields(const String& value) {
  if (value == FMasterFields) return;
  FMasterFields = value;
  SetMasterLink(FMasterSource, value);
}

void TFDTable::Notification(TComponent* AComponent, TOperation Operation) {
  TFDDataSet::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FMasterSource) FMasterSource = nullptr;
}

std::string TFDTable::WhereText(const std::vector<TMySqlColumn>& columns) const {
  std::vector<std::string> parts;
  if (Filtered() && !Filter().empty()) {
    std::string filter = ServerCondition(Filter(), *this, columns);
    if (!filter.empty()) parts.push_back(std::move(filter));
  }
  std::vector<Variant> master;
  if (!MasterKey(master)) return "0 = 1";
  const std::vector<std::string> index = SplitFieldNames(IndexFieldNames());
  for (size_t i = 0; i < master.size() && i < index.size(); ++i)
    if (const TMySqlColumn* c = FindColumn(columns, index[i])) {
      std::string equal = ServerEquality(*c, master[i]);
      if (!equal.empty()) parts.push_back(std::move(equal));
    }
  std::string where;
  for (const std::string& p : parts) where += (where.empty() ? "" : " AND ") + p;
  return where;
}

// The index fields, then the primary key: rows that tie on the index come
// in the order of the table's key, as they did from a whole-table read.
std::string TFDTable::OrderText(const std::vector<TMySqlColumn>& columns) const {
  std::vector<const TMySqlColumn*> order;
  for (const std::string& name : SplitFieldNames(IndexFieldNames())) {
    const TMySqlColumn* c = FindColumn(columns, name);
    if (!c) break;
    order.push_back(c);
  }
  for (const TMySqlColumn& c : columns)
    if (c.PrimaryKey && std::find(order.begin(), order.end(), &c) == order.end()) order.push_back(&c);
  std::string text;
  for (const TMySqlColumn* c : order) text += (text.empty() ? "" : ", ") + QuotedColumnName(*c);
  return text;
}

std::unique_ptr<TMySqlResult> TFDTable::DoFetch() {
  if (FTableName.empty()) throw EDatabaseError(Name() + u": Table name is missing");
  const std::string table = QualifiedName(StringToUtf8(FTableName), nullptr);
  if (FDescribed.empty()) {
    std::unique_ptr<TMySqlResult> shape = Run(Utf8ToString("SELECT * FROM " + table + " LIMIT 0"));
    if (!shape) throw EDatabaseError(Name() + u": the table returned no rows");
    for (size_t i = 0; i < shape->ColumnCount(); ++i) FDescribed.push_back(shape->Column(i));
  }
  const std::string where = WhereText(FDescribed);
  const std::string order = OrderText(FDescribed);
  std::unique_ptr<TMySqlResult> result = Run(Utf8ToString("SELECT * FROM " + table +
                                                          (where.empty() ? "" : " WHERE " + where) +
                                                          (order.empty() ? "" : " ORDER BY " + order)));
  if (!result) throw EDatabaseError(Name() + u": the table returned no rows");
  FLastWhere = where;
  return result;
}

bool TFDTable::DoFetchChanged() { return !FDescribed.empty() && WhereText(FDescribed) != FLastWhere; }

// ---------------------------------------------------------------- TFDQuery

TFDQuery::TFDQuery(TComponent* AOwner) : TFDDataSet(AOwner) {
  FSQL.OnChange = [this](TObject*) { Close(); };
}

std::string TFDQuery::ServerFilter() const {
  if (!Filtered() || Filter().empty() || FDescribed.empty()) return std::string();
  return ServerCondition(Filter(), *this, FDescribed);
}

std::unique_ptr<TMySqlResult> TFDQuery::FetchFiltered(const std::string& sql) {
  TSelectParts parts;
  if (!SplitSelect(sql, parts)) return nullptr;
  // The line break ends a comment the statement may close with.
  const std::string derived = "(" + parts.Body + "\n) AS `filtered`";
  if (FDescribedSQL != sql) {
    FOrigins.clear();
    FDescribed.clear();
    FDescribedSQL = sql;
    try {
      // The body has no LIMIT of its own, so this one only asks its shape.
      std::unique_ptr<TMySqlResult> shape = Run(Utf8ToString(parts.Body + "\n LIMIT 0"));
      if (!shape) return nullptr;
      for (size_t i = 0; i < shape->ColumnCount(); ++i) FOrigins.push_back(shape->Column(i));
    } catch (const EDatabaseError&) {
      return nullptr;  // the statement as written says what is wrong
    }
    FDescribed = FOrigins;
    for (TMySqlColumn& column : FDescribed) column.OrgName.clear();
  }
  const std::string where = ServerFilter();
  if (where.empty()) return nullptr;
  std::unique_ptr<TMySqlResult> result;
  try {
    result = Run(Utf8ToString("SELECT * FROM " + derived + " WHERE " + where +
                              (parts.Order.empty() ? "" : " ORDER BY " + parts.Order)));
  } catch (const EDatabaseError&) {
    // Two columns of one name, or an order the outer statement cannot
    // name: the statement as written runs, filtered here.
    return nullptr;
  }
  if (!result) return nullptr;
  // Rows are still written back to the tables they came from.
  result->TakeColumnOrigins(FOrigins);
  FLastCondition = where;
  return result;
}

std::unique_ptr<TMySqlResult> TFDQuery::DoFetch() {
  FLastCondition.clear();
  if (Filtered() && !Filter().empty())
    if (std::unique_ptr<TMySqlResult> result = FetchFiltered(StringToUtf8(FSQL.Text()))) return result;
  std::unique_ptr<TMySqlResult> result = Run(FSQL.Text(), FetchesAsWalked());
  if (!result) throw EDatabaseError(Name() + u": Command text does not return a result set");
  return result;
}

bool TFDQuery::DoFetchChanged() { return !FLastCondition.empty() && ServerFilter() != FLastCondition; }

void TFDQuery::ExecSQL() {
  Close();
  Run(FSQL.Text());
}
