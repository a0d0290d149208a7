#pragma once
// A report over its own query of the private database, with one detail
// band for the text controls under test.
#include "TextFixture.h"
#include "support/TestDatabase.h"

#include "platform/data/DataSource.h"
#include "platform/data/FDDataSet.h"
#include "platform/data/Field.h"

#include <gtest/gtest.h>

struct TQueryReport {
  TQueryReport(TFDConnection* connection, const String& sql) {
    query = new TFDQuery(t.f.Form());
    query->SetConnection(connection);
    query->SQL().Add(sql);
    query->Open();
    source = new TDataSource(t.f.Form());
    source->SetDataSet(query);
    t.report->SetDataSource(source);
    detail = t.PlainBand(btDetail, 30);
  }

  // A data control of class T on band (the detail band by default).
  template <typename T = TRLDBText>
  T* Data(const char16_t* field, const char16_t* text = u"", const char16_t* mask = u"",
          TRLCustomSite* band = nullptr) {
    auto* control = t.Text<T>(band ? band : detail);
    control->SetDataSource(source);
    control->SetDataField(field);
    control->SetText(text);
    control->SetDisplayMask(mask);
    return control;
  }

  // The one text the control recorded.
  std::string Shown(const TRLCustomControl* control) const {
    const std::vector<std::string> shown = t.ShownBy(control);
    return shown.size() == 1 ? shown[0] : "<" + std::to_string(shown.size()) + " texts>";
  }

  TTextFixture t;
  TFDQuery* query = nullptr;
  TDataSource* source = nullptr;
  TRLBand* detail = nullptr;
};

class TQueryTextsTest : public ::testing::Test {
protected:
  void SetUp() override { connection = TestDatabase::Connect(); }
  std::unique_ptr<TFDConnection> connection;
};
