#include "platform/data/MySqlClient.h"
#include "platform/rtl/Exceptions.h"
#include <cctype>
#include <cstring>
#include <errmsg.h>
#include <exception>
#include <mysql.h>
#include <poll.h>

namespace {
constexpr unsigned BinaryCharset = 63;

TMySqlColumn DescribeColumn(const MYSQL_FIELD& f) {
  TMySqlColumn c;
  c.Name.assign(f.name, f.name_length);
  c.OrgName.assign(f.org_name, f.org_name_length);
  c.Table.assign(f.org_table, f.org_table_length);
  c.Database.assign(f.db, f.db_length);
  c.Decimals = f.decimals;
  c.PrimaryKey = (f.flags & PRI_KEY_FLAG) != 0;
  c.AutoIncrement = (f.flags & AUTO_INCREMENT_FLAG) != 0;
  c.NotNull = (f.flags & NOT_NULL_FLAG) != 0;
  const bool binary = f.charsetnr == BinaryCharset;
  // Lengths come in bytes of the connection's character set (utf8mb4).
  const unsigned chars = binary ? static_cast<unsigned>(f.length) : static_cast<unsigned>(f.length / 4);
  switch (f.type) {
  case MYSQL_TYPE_TINY:
  case MYSQL_TYPE_SHORT:
  case MYSQL_TYPE_YEAR:
    c.Type = TMySqlType::Integer;
    c.SmallInt = true;
    break;
  case MYSQL_TYPE_LONG:
  case MYSQL_TYPE_INT24:
    c.Type = (f.flags & UNSIGNED_FLAG) && f.type == MYSQL_TYPE_LONG ? TMySqlType::BigInt
                                                                   : TMySqlType::Integer;
    break;
  case MYSQL_TYPE_LONGLONG:
  case MYSQL_TYPE_BIT:
    c.Type = TMySqlType::BigInt;
    break;
  case MYSQL_TYPE_FLOAT:
  case MYSQL_TYPE_DOUBLE:
    c.Type = TMySqlType::Float;
    break;
  case MYSQL_TYPE_DECIMAL:
  case MYSQL_TYPE_NEWDECIMAL:
    c.Type = TMySqlType::Decimal;
    break;
  case MYSQL_TYPE_DATE:
  case MYSQL_TYPE_NEWDATE:
    c.Type = TMySqlType::Date;
    break;
  case MYSQL_TYPE_TIME:
    c.Type = TMySqlType::Time;
    break;
  case MYSQL_TYPE_DATETIME:
  case MYSQL_TYPE_TIMESTAMP:
    c.Type = TMySqlType::DateTime;
    break;
  case MYSQL_TYPE_TINY_BLOB:
  case MYSQL_TYPE_MEDIUM_BLOB:
  case MYSQL_TYPE_LONG_BLOB:
  case MYSQL_TYPE_BLOB:
    c.Type = binary ? TMySqlType::Blob : TMySqlType::Text;
    return c;
  default:
    c.Type = binary && f.type != MYSQL_TYPE_NULL ? TMySqlType::Blob : TMySqlType::String;
    c.Size = chars;
    return c;
  }
  return c;
}

constexpr unsigned ServerShutdown = 1053;    // ER_SERVER_SHUTDOWN
constexpr unsigned ConnectionKilled = 1927;  // the session was killed on the server

bool ConnectionLost(unsigned code) {
  return code == CR_SERVER_GONE_ERROR || code == CR_SERVER_LOST || code == CR_CONNECTION_ERROR ||
         code == CR_CONN_HOST_ERROR || code == CR_COMMANDS_OUT_OF_SYNC || code == ServerShutdown ||
         code == ConnectionKilled;
}

// Between statements the server sends nothing: anything readable on an idle
// session, its end included, means the server has let it go.
bool ClosedWhileIdle(MYSQL* db) {
  pollfd p{};
  p.fd = static_cast<int>(mysql_get_socket(db));
  p.events = POLLIN;
  return p.fd >= 0 && poll(&p, 1, 0) > 0;
}

// A statement that changes nothing a new session could miss.
bool OnlyReads(std::string_view sql) {
  size_t i = 0;
  while (i < sql.size() && (std::isspace(static_cast<unsigned char>(sql[i])) || sql[i] == '(')) ++i;
  auto startsWith = [&](std::string_view word) {
    if (sql.size() - i < word.size()) return false;
    for (size_t k = 0; k < word.size(); ++k)
      if (std::toupper(static_cast<unsigned char>(sql[i + k])) != word[k]) return false;
    return sql.size() - i == word.size() || !std::isalnum(static_cast<unsigned char>(sql[i + word.size()]));
  };
  return startsWith("SELECT") || startsWith("SHOW") || startsWith("START TRANSACTION");
}
}  // namespace

TMySqlResult::~TMySqlResult() {
  // Freeing a streamed result reads and drops what the server still sends.
  if (FResult) mysql_free_result(static_cast<MYSQL_RES*>(FResult));
  if (FSession && FSession->FStream == this) FSession->FStream = nullptr;
}

void TMySqlResult::EndStream() {
  if (FSession && FSession->FStream == this) FSession->FStream = nullptr;
  FSession = nullptr;
  FStreaming = false;
  if (FResult) mysql_free_result(static_cast<MYSQL_RES*>(FResult));
  FResult = nullptr;
}

void TMySqlResult::Fail(const std::string& message, int code) {
  FFailure = message;
  FFailureCode = code;
  TMySqlSession* session = FSession;
  EndStream();
  if (session && ConnectionLost(static_cast<unsigned>(code))) session->Disconnect();
  throw EDatabaseError(Utf8ToString(FFailure), FFailureCode);
}

void TMySqlResult::TakeColumnOrigins(const std::vector<TMySqlColumn>& origins) {
  if (origins.size() != FColumns.size()) return;
  for (size_t i = 0; i < origins.size(); ++i)
    if (origins[i].Name != FColumns[i].Name) return;
  FColumns = origins;
}

void TMySqlResult::FetchMore(size_t rows) {
  if (!FFailure.empty()) throw EDatabaseError(Utf8ToString(FFailure), FFailureCode);
  if (!FStreaming) return;
  MYSQL_RES* res = static_cast<MYSQL_RES*>(FResult);
  MYSQL* db = static_cast<MYSQL*>(FSession->FHandle);
  const size_t columns = FColumns.size();
  for (size_t n = 0; rows == 0 || n < rows; ++n) {
    MYSQL_ROW row = mysql_fetch_row(res);
    if (!row) {
      if (mysql_errno(db) != 0) Fail(mysql_error(db), static_cast<int>(mysql_errno(db)));
      EndStream();
      return;
    }
    const unsigned long* lengths = mysql_fetch_lengths(res);
    size_t bytes = columns * sizeof(char*);
    for (size_t c = 0; c < columns; ++c) bytes += lengths[c] + 1;
    auto block = std::make_unique<char[]>(bytes);
    char** cells = reinterpret_cast<char**>(block.get());
    char* text = block.get() + columns * sizeof(char*);
    for (size_t c = 0; c < columns; ++c) {
      if (!row[c]) {
        cells[c] = nullptr;
        continue;
      }
      std::memcpy(text, row[c], lengths[c]);
      text[lengths[c]] = '\0';
      cells[c] = text;
      text += lengths[c] + 1;
    }
    FRows.push_back(cells);
    FLengths.insert(FLengths.end(), lengths, lengths + columns);
    FCopies.push_back(std::move(block));
  }
}

TMySqlSession::~TMySqlSession() { Disconnect(); }

// The rows a streamed result left on the server go into it, so the
// session can run the next statement.
void TMySqlSession::FinishStream() {
  if (!FStream) return;
  TMySqlResult* stream = FStream;
  try {
    stream->FetchMore(0);
  } catch (const EDatabaseError&) {
    // The result keeps the failure for its data set; this statement
    // meets the session as the failure left it.
  }
  FStream = nullptr;
}

void TMySqlSession::Connect(const TMySqlParams& p) {
  Disconnect();
  MYSQL* db = mysql_init(nullptr);
  if (!db) throw EDatabaseError(u"Out of memory for the database client", CR_OUT_OF_MEMORY);
  const unsigned timeout = 10;
  const my_bool off = 0;
  mysql_options(db, MYSQL_OPT_CONNECT_TIMEOUT, &timeout);
  mysql_options(db, MYSQL_OPT_RECONNECT, &off);
  mysql_options(db, MYSQL_SET_CHARSET_NAME, "utf8mb4");
  mysql_options(db, MYSQL_INIT_COMMAND,
                "SET SESSION sql_mode = 'STRICT_ALL_TABLES,NO_BACKSLASH_ESCAPES,NO_ZERO_DATE,"
                "NO_ZERO_IN_DATE,ERROR_FOR_DIVISION_BY_ZERO,NO_ENGINE_SUBSTITUTION'");
  const char* socket = p.Socket.empty() ? nullptr : p.Socket.c_str();
  if (!mysql_real_connect(db, p.Host.c_str(), p.User.c_str(), p.Password.c_str(),
                          p.Database.empty() ? nullptr : p.Database.c_str(), p.Port, socket,
                          CLIENT_FOUND_ROWS)) {
    EDatabaseError error(Utf8ToString(mysql_error(db)), static_cast<int>(mysql_errno(db)));
    mysql_close(db);
    throw error;
  }
  FHandle = db;
  FParams = p;
  FHasParams = true;
}

uint64_t TMySqlSession::ConnectionId() const {
  return FHandle ? mysql_thread_id(static_cast<MYSQL*>(FHandle)) : 0;
}

void TMySqlSession::Disconnect() {
  if (FStream) {
    // The stream cannot go on without its connection.
    TMySqlResult* stream = FStream;
    FStream = nullptr;
    stream->FFailure = "Lost connection to the server while reading rows";
    stream->FFailureCode = CR_SERVER_LOST;
    stream->FSession = nullptr;
    stream->FStreaming = false;
    if (stream->FResult) mysql_free_result(static_cast<MYSQL_RES*>(stream->FResult));
    stream->FResult = nullptr;
  }
  if (FHandle) mysql_close(static_cast<MYSQL*>(FHandle));
  FHandle = nullptr;
}

void TMySqlSession::RaiseError() {
  MYSQL* db = static_cast<MYSQL*>(FHandle);
  const unsigned code = mysql_errno(db);
  EDatabaseError error(Utf8ToString(mysql_error(db)), static_cast<int>(code));
  if (ConnectionLost(code)) Disconnect();
  throw error;
}

std::unique_ptr<TMySqlResult> TMySqlSession::Execute(std::string_view sql, bool stream) {
  // The rest of a pending row set is read first: until then the socket has
  // data waiting, which would look like a closed session.
  FinishStream();
  // Known before sending: then the server cannot have run the statement.
  const bool goneBefore = FHandle && ClosedWhileIdle(static_cast<MYSQL*>(FHandle));
  try {
    return ExecuteOnce(sql, stream);
  } catch (const EDatabaseError& e) {
    if (FHandle || !ConnectionLost(static_cast<unsigned>(e.ErrorCode()))) throw;
    const std::exception_ptr loss = std::current_exception();
    const bool outsideTransaction = OnConnectionLost ? OnConnectionLost() : false;
    // A statement the server may have run before the loss is never repeated.
    const bool noEffect = goneBefore || e.ErrorCode() == CR_SERVER_GONE_ERROR || OnlyReads(sql);
    if (!outsideTransaction || !noEffect || !FHasParams) throw;
    try {
      Connect(TMySqlParams(FParams));
    } catch (const EDatabaseError&) {
      std::rethrow_exception(loss);
    }
  }
  return ExecuteOnce(sql, stream);
}

std::unique_ptr<TMySqlResult> TMySqlSession::ExecuteOnce(std::string_view sql, bool stream) {
  FinishStream();
  if (!FHandle) throw EDatabaseError(u"Sem conexão com o servidor de banco de dados", CR_SERVER_GONE_ERROR);
  MYSQL* db = static_cast<MYSQL*>(FHandle);
  FRowsAffected = -1;
  if (mysql_real_query(db, sql.data(), static_cast<unsigned long>(sql.size())) != 0) RaiseError();
  MYSQL_RES* res = stream ? mysql_use_result(db) : mysql_store_result(db);
  if (!res) {
    if (mysql_field_count(db) != 0) RaiseError();
    FRowsAffected = static_cast<int64_t>(mysql_affected_rows(db));
    FInsertId = mysql_insert_id(db);
    return nullptr;
  }
  std::unique_ptr<TMySqlResult> result(new TMySqlResult);
  result->FResult = res;
  const unsigned columns = mysql_num_fields(res);
  const MYSQL_FIELD* fields = mysql_fetch_fields(res);
  result->FColumns.reserve(columns);
  for (unsigned i = 0; i < columns; ++i) result->FColumns.push_back(DescribeColumn(fields[i]));
  if (stream) {
    result->FSession = this;
    result->FStreaming = true;
    FStream = result.get();
    FRowsAffected = -1;
    return result;
  }
  const uint64_t rows = mysql_num_rows(res);
  result->FRows.reserve(rows);
  result->FLengths.reserve(rows * columns);
  while (MYSQL_ROW row = mysql_fetch_row(res)) {
    const unsigned long* lengths = mysql_fetch_lengths(res);
    result->FRows.push_back(row);
    result->FLengths.insert(result->FLengths.end(), lengths, lengths + columns);
  }
  FRowsAffected = static_cast<int64_t>(result->FRows.size());
  return result;
}
