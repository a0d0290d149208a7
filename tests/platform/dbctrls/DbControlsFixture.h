#pragma once
// A form in front of the test database: each test gets the known data
// set, a connection, a shown form and a data source to bind controls to.
#include "platform/data/DataSource.h"
#include "platform/data/FDConnection.h"
#include "platform/data/FDDataSet.h"
#include "platform/ui/UiTestSupport.h"
#include "support/TestDatabase.h"

class DbControlsFixture : public UiFixture {
protected:
  void SetUp() override {
    UiFixture::SetUp();
    TestDatabase::Reset();
    Connection = TestDatabase::Connect();
    Form = new TForm(Application);
    Form->SetBounds(40, 40, 640, 420);
    Source = new TDataSource(Form);
  }
  void TearDown() override {
    if (Form) Form->Free();
    UiTest::Pump();
    Connection.reset();
    UiFixture::TearDown();
  }

  TFDQuery* Query(const String& sql) {
    auto* query = new TFDQuery(Form);
    query->SetConnection(Connection.get());
    query->SQL().Add(sql);
    Source->SetDataSet(query);
    return query;
  }

  TFDTable* Table(const String& name, const String& index, const String& filter = String()) {
    auto* table = new TFDTable(Form);
    table->SetConnection(Connection.get());
    table->SetTableName(u"dbvorlent." + name);
    table->SetIndexFieldNames(index);
    if (!filter.empty()) {
      table->SetFilter(filter);
      table->SetFiltered(true);
    }
    table->SetCachedUpdates(true);
    Source->SetDataSet(table);
    return table;
  }

  void ShowForm() {
    Form->Show();
    UiTest::Pump();
  }

  std::unique_ptr<TFDConnection> Connection;
  TForm* Form = nullptr;
  TDataSource* Source = nullptr;
};

inline std::string Utf8(const String& s) { return StringToUtf8(s); }
