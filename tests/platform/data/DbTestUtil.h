#pragma once
// Shared set-up of the data-access tests: a fresh data set in the test
// database and a connection to it.
#include "platform/data/DataSource.h"
#include "platform/data/FDConnection.h"
#include "platform/data/FDDataSet.h"
#include "support/TestDatabase.h"
#include <gtest/gtest.h>

class DbFixture : public ::testing::Test {
protected:
  void SetUp() override {
    TestDatabase::Reset();
    Connection = TestDatabase::Connect();
  }

  std::unique_ptr<TFDTable> Table(const String& name, const String& index = String(),
                                  const String& filter = String()) {
    auto table = std::make_unique<TFDTable>(nullptr);
    table->SetConnection(Connection.get());
    table->SetTableName(u"dbvorlent." + name);
    table->SetIndexFieldNames(index);
    if (!filter.empty()) {
      table->SetFilter(filter);
      table->SetFiltered(true);
    }
    return table;
  }

  std::unique_ptr<TFDQuery> Query(const String& sql) {
    auto query = std::make_unique<TFDQuery>(nullptr);
    query->SetConnection(Connection.get());
    query->SQL().Add(sql);
    return query;
  }

  std::unique_ptr<TFDConnection> Connection;
};

inline std::string Utf8(const String& s) { return StringToUtf8(s); }
