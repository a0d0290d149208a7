// The private database server of ./test.sh or ./run.sh, as the benchmarks
// reach it: BRQ_DB_HOST, BRQ_DB_PORT, BRQ_DB_USER, BRQ_DB_PASSWORD.
#pragma once
#include "platform/data/FDConnection.h"
#include "platform/rtl/String.h"
#include <benchmark/benchmark.h>
#include <mysql.h>
#include <cstdlib>
#include <string>

inline std::string BenchEnv(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return value ? value : fallback;
}

// One connection opened as the program opens it, kept for the whole run.
inline TFDConnection& BenchConnection() {
  static TFDConnection* connection = [] {
    auto* c = new TFDConnection(nullptr);
    c->SetLoginPrompt(false);
    c->Params().Add(u"Server=" + Utf8ToString(BenchEnv("BRQ_DB_HOST", "127.0.0.1")));
    c->Params().Add(u"User_Name=" + Utf8ToString(BenchEnv("BRQ_DB_USER", "root")));
    c->Params().Add(u"Password=" + Utf8ToString(BenchEnv("BRQ_DB_PASSWORD", "")));
    c->Params().Add(u"Database=dbvorlent");
    c->Params().Add(u"Port=" + Utf8ToString(BenchEnv("BRQ_DB_PORT", "3306")));
    c->Params().Add(u"DriverID=MySQL");
    c->Open();
    return c;
  }();
  return *connection;
}

// The floor a data-layer case is measured against: Sql run on a bare client
// connection at each iteration, its rows walked and nothing kept. The
// number of rows of the last walk, or -1 when the server cannot be reached.
inline long BenchBareWalk(benchmark::State& state, const char* Sql) {
  MYSQL* db = mysql_init(nullptr);
  mysql_options(db, MYSQL_SET_CHARSET_NAME, "utf8mb4");
  if (!mysql_real_connect(db, BenchEnv("BRQ_DB_HOST", "127.0.0.1").c_str(), BenchEnv("BRQ_DB_USER", "root").c_str(),
                          BenchEnv("BRQ_DB_PASSWORD", "").c_str(), "dbvorlent",
                          static_cast<unsigned>(std::stoul(BenchEnv("BRQ_DB_PORT", "3306"))), nullptr, 0)) {
    state.SkipWithError(mysql_error(db));
    mysql_close(db);
    return -1;
  }
  long rows = 0;
  for (auto _ : state) {
    mysql_query(db, Sql);
    MYSQL_RES* res = mysql_store_result(db);
    rows = 0;
    while (MYSQL_ROW row = mysql_fetch_row(res)) {
      benchmark::DoNotOptimize(row);
      benchmark::DoNotOptimize(mysql_fetch_lengths(res));
      ++rows;
    }
    mysql_free_result(res);
  }
  mysql_close(db);
  return rows;
}
