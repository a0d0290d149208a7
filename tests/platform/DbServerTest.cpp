// Proves the private server of the test run is up and reachable through the
// MySQL client library, as the data-access layer will reach it.
#include <gtest/gtest.h>
#include <mysql.h>
#include <cstdlib>
#include <string>

namespace {
std::string Env(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return value ? value : fallback;
}
}  // namespace

TEST(DbServer, AcceptsAConnectionAndAnswersAQuery) {
  MYSQL* db = mysql_init(nullptr);
  ASSERT_NE(db, nullptr);
  const std::string host = Env("BRQ_DB_HOST", "127.0.0.1");
  const std::string user = Env("BRQ_DB_USER", "root");
  const std::string password = Env("BRQ_DB_PASSWORD", "");
  const unsigned port = static_cast<unsigned>(std::stoul(Env("BRQ_DB_PORT", "3306")));
  ASSERT_NE(mysql_real_connect(db, host.c_str(), user.c_str(), password.c_str(), nullptr, port,
                               nullptr, 0),
            nullptr)
      << mysql_error(db);
  ASSERT_EQ(mysql_query(db, "SELECT @@lower_case_table_names"), 0) << mysql_error(db);
  MYSQL_RES* result = mysql_store_result(db);
  ASSERT_NE(result, nullptr);
  MYSQL_ROW row = mysql_fetch_row(result);
  ASSERT_NE(row, nullptr);
  EXPECT_STREQ(row[0], "1");
  mysql_free_result(result);
  mysql_close(db);
}
