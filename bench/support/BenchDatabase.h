// The private database server of ./test.sh or ./run.sh, as the benchmarks
// reach it: BRQ_DB_HOST, BRQ_DB_PORT, BRQ_DB_USER, BRQ_DB_PASSWORD.
#pragma once
#include "platform/data/FDConnection.h"
#include "platform/rtl/String.h"
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
