#pragma once
// The one door to the MySQL client library: a session (connect, run a
// statement, transactions) and a stored result whose cells stay raw text
// until the data set asks for them. Nothing else in the system includes
// mysql.h.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

enum class TMySqlType {
  Integer,   // TINYINT .. INT, YEAR
  BigInt,
  Float,     // FLOAT, DOUBLE
  Decimal,
  Date,
  Time,
  DateTime,  // DATETIME, TIMESTAMP
  String,    // CHAR, VARCHAR and anything shown as text
  Text,      // TEXT columns
  Blob,      // BLOB and binary strings
};

struct TMySqlColumn {
  std::string Name;      // as the statement names it (UTF-8)
  std::string OrgName;   // the table's own column name
  std::string Table;     // the table's own name, empty for expressions
  std::string Database;
  TMySqlType Type = TMySqlType::String;
  unsigned Size = 0;     // characters for text, bytes for binary
  unsigned Decimals = 0;
  bool SmallInt = false; // TINYINT / SMALLINT
  bool PrimaryKey = false;
  bool AutoIncrement = false;
  bool NotNull = false;
};

class TMySqlSession;

// The rows of a result: all of them in the client library's own buffers,
// or, for a streamed result, those read so far, copied as they come.
class TMySqlResult {
public:
  ~TMySqlResult();
  TMySqlResult(const TMySqlResult&) = delete;
  TMySqlResult& operator=(const TMySqlResult&) = delete;

  // Rows read so far.
  size_t RowCount() const { return FRows.size(); }
  // A streamed result still has rows on the server, or a failure to report.
  bool Pending() const { return FStreaming || !FFailure.empty(); }
  // Reads up to `rows` more rows (all with 0). A failure ends the stream
  // and raises EDatabaseError, now and on every later call.
  void FetchMore(size_t rows);
  size_t ColumnCount() const { return FColumns.size(); }
  const TMySqlColumn& Column(size_t index) const { return FColumns[index]; }
  // Takes what the same columns read straight from their tables say of
  // their origin (table, original name, key), which a derived table hides;
  // nothing changes unless the names match one by one.
  void TakeColumnOrigins(const std::vector<TMySqlColumn>& origins);
  // The cell's text (not terminated for binary data); nullptr for NULL.
  const char* Cell(size_t row, size_t column, size_t& length) const {
    length = FLengths[row * FColumns.size() + column];
    return FRows[row][column];
  }

private:
  friend class TMySqlSession;
  TMySqlResult() = default;
  void EndStream();
  [[noreturn]] void Fail(const std::string& message, int code);

  void* FResult = nullptr;
  std::vector<TMySqlColumn> FColumns;
  std::vector<char**> FRows;
  std::vector<unsigned long> FLengths;
  // Streamed rows: one block per row, the cell pointers then the texts.
  std::vector<std::unique_ptr<char[]>> FCopies;
  TMySqlSession* FSession = nullptr;  // while streaming
  bool FStreaming = false;
  std::string FFailure;
  int FFailureCode = 0;
};

struct TMySqlParams {
  std::string Host;
  std::string User;
  std::string Password;
  std::string Database;
  std::string Socket;
  unsigned Port = 3306;
};

// Every failure raises EDatabaseError with the client's or server's own
// message and error number. A lost connection closes the session, so the
// next Connect starts afresh.
//
// When a statement finds the connection lost, OnConnectionLost says whether
// it ran outside a transaction; only then, and only when the statement can
// have had no effect (the server had closed the session before it was
// sent, nothing reached the server, or it only reads), the session connects
// again and runs it once more. Otherwise the loss is raised as the client
// reported it.
class TMySqlSession {
public:
  TMySqlSession() = default;
  ~TMySqlSession();
  TMySqlSession(const TMySqlSession&) = delete;
  TMySqlSession& operator=(const TMySqlSession&) = delete;

  // utf8mb4 and a strict sql_mode with NO_BACKSLASH_ESCAPES, so a text
  // quoted by doubling its single quotes can never leave its literal.
  void Connect(const TMySqlParams& params);
  void Disconnect();
  bool Connected() const { return FHandle != nullptr; }

  // Runs one statement; returns its rows, or nullptr when it has none.
  // A streamed result leaves its rows on the server until asked for them;
  // the next statement on the session first reads what is left into it.
  std::unique_ptr<TMySqlResult> Execute(std::string_view sql, bool stream = false);
  // Rows matched by the last UPDATE (found rows), written by INSERT or
  // removed by DELETE; for a SELECT the rows returned.
  int64_t RowsAffected() const { return FRowsAffected; }
  uint64_t InsertId() const { return FInsertId; }
  // The server's id of this session; changes when the session reconnects.
  uint64_t ConnectionId() const;

  // True when the lost statement may be repeated on a new connection.
  std::function<bool()> OnConnectionLost;

private:
  std::unique_ptr<TMySqlResult> ExecuteOnce(std::string_view sql, bool stream);
  friend class TMySqlResult;
  [[noreturn]] void RaiseError();
  void FinishStream();
  void* FHandle = nullptr;
  TMySqlParams FParams;
  bool FHasParams = false;
  TMySqlResult* FStream = nullptr;
  int64_t FRowsAffected = -1;
  uint64_t FInsertId = 0;
};
