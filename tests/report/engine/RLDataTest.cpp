#include "EngineFixture.h"
#include "support/TestDatabase.h"

#include "platform/data/DataSource.h"
#include "platform/data/FDDataSet.h"
#include "platform/data/Field.h"
#include "platform/ui/TestSeam.h"

#include <gtest/gtest.h>

namespace {

// Five rows: N 1..5 with two text columns X and Y.
constexpr const char16_t* FiveRows =
    u"SELECT N, X, Y FROM (SELECT 1 N, '1' X, '23' Y UNION ALL SELECT 2, '12', '3' UNION ALL "
    u"SELECT 3, '4', '5' UNION ALL SELECT 4, '4', '6' UNION ALL SELECT 5, '7', '8') T ORDER BY N";

// A report over its own query of the five rows.
struct QueryReport {
  explicit QueryReport(TFDConnection* connection) {
    query = new TFDQuery(t.f.Form());
    query->SetConnection(connection);
    query->SQL().Add(FiveRows);
    query->Open();
    source = new TDataSource(t.f.Form());
    source->SetDataSet(query);
    t.report->SetDataSource(source);
  }

  std::string N() const {
    const String n = query->FieldByName(u"N")->AsString();
    return std::string(n.begin(), n.end());
  }

  // A detail band marking each print with N and the copy number, "_" for
  // a blank print.
  void MarkDetails() {
    t.Band(btDetail, 20, "", nullptr, [this] {
      const std::string n = t.report->RecordAction() == raBlankAndRetain ? "_" : N();
      return n + "." + std::to_string(t.report->CopyNo());
    });
  }

  TEngineFixture t;
  TFDQuery* query = nullptr;
  TDataSource* source = nullptr;
};

class DbRLEngineData : public ::testing::Test {
protected:
  void SetUp() override { connection = TestDatabase::Connect(); }
  std::unique_ptr<TFDConnection> connection;
};

TEST_F(DbRLEngineData, RecordActionsDecideWhatPrints) {
  using Decide = std::function<void(int copyNo, int n, int& calls, bool& eof, TRLRecordAction& action)>;
  struct Case {
    const char* name;
    Decide decide;
    std::string page;
    std::vector<int> recNos;  // RecNo of each offered record that is used
  } cases[] = {
      {"ignore the first",
       [](int, int n, int&, bool&, TRLRecordAction& a) {
         if (n == 1) a = raIgnoreIt;
       },
       "2.1 3.1 4.1 5.1", {1, 2, 3, 4}},
      {"retain twice",
       [](int copyNo, int n, int&, bool&, TRLRecordAction& a) {
         if (n == 2 && copyNo < 3) a = raUseAndRetain;
       },
       "1.1 2.1 2.2 2.3 3.1 4.1 5.1", {1, 2, 2, 2, 3, 4, 5}},
      {"blank, then the record",
       [](int, int n, int& calls, bool&, TRLRecordAction& a) {
         if (n == 1 && calls++ == 0) a = raBlankAndRetain;
       },
       "_.1 1.1 2.1 3.1 4.1 5.1", {1, 1, 2, 3, 4, 5}},
      {"eof at the third",
       [](int, int n, int&, bool& eof, TRLRecordAction&) {
         if (n == 3) eof = true;
       },
       "1.1 2.1", {1, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QueryReport r(connection.get());
    r.MarkDetails();
    std::vector<int> recNos;
    int calls = 0;
    r.t.report->OnDataRecord = [&](TObject*, int recNo, int copyNo, bool& eof, TRLRecordAction& action) {
      if (eof) return;
      c.decide(copyNo, r.query->FieldByName(u"N")->AsInteger(), calls, eof, action);
      if (!eof && action != raIgnoreIt) recNos.push_back(recNo);
    };
    ASSERT_TRUE(r.t.report->Prepare());
    EXPECT_EQ(std::vector<std::string>{c.page}, r.t.PageTexts());
    EXPECT_EQ(c.recNos, recNos);
  }
}

TEST_F(DbRLEngineData, RecordRangesStartWhereTheDataSetStands) {
  struct Case {
    TRLRecordRange range;
    int rangeCount;
    std::string page;
  } cases[] = {
      {rrAllRecords, 0, "1.1 2.1 3.1 4.1 5.1"},
      {rrCurrentOnly, 0, "3.1"},
      {rrUntilEof, 0, "3.1 4.1 5.1"},
      {rrNextN, 2, "3.1 4.1"},
      {rrNextN, 0, ""},
  };
  QueryReport r(connection.get());
  r.MarkDetails();
  for (const Case& c : cases) {
    r.query->First();
    r.query->MoveBy(2);
    r.t.report->SetRecordRange(c.range);
    r.t.report->SetRangeCount(c.rangeCount);
    ASSERT_TRUE(r.t.report->Prepare());
    EXPECT_EQ(std::vector<std::string>{c.page}, r.t.PageTexts()) << int(c.range) << " " << c.rangeCount;
  }
}

TEST_F(DbRLEngineData, GroupsBreakOnTheConcatenatedKey) {
  struct Case {
    const char* name;
    String fields;
    std::string page;
  } cases[] = {
      // 1|23 and 12|3 give the same key: rows 1 and 2 stay together.
      {"two fields", u"X;Y", "G 1 2 G 3 G 4 G 5"},
      {"empty names skipped", u";X;", "G 1 G 2 G 3 4 G 5"},
  };
  for (const Case& c : cases) {
    QueryReport r(connection.get());
    auto* group = r.t.f.Make<TRLGroup>(r.t.report, TRect(0, 1000, 700, 1300));
    group->SetDataFields(c.fields);
    r.t.Band(btHeader, 20, "G", group);
    r.t.Band(btDetail, 20, "", group, [&r] { return r.N(); });
    ASSERT_TRUE(r.t.report->Prepare()) << c.name;
    EXPECT_EQ(std::vector<std::string>{c.page}, r.t.PageTexts()) << c.name;
  }
}

TEST_F(DbRLEngineData, MissingGroupFieldEndsThePreparationWithItsName) {
  QueryReport r(connection.get());
  auto* group = r.t.f.Make<TRLGroup>(r.t.report, TRect(0, 1000, 700, 1300));
  group->SetName(u"RLGroupTest");
  group->SetDataFields(u"X;NOPE");
  r.t.Band(btDetail, 20, "D", group);
  String error;
  r.t.report->OnPrepareError = [&error](TObject*, const Exception& e) { error = e.Message(); };
  EXPECT_FALSE(r.t.report->Prepare());
  EXPECT_EQ(ReportText(CurrentReportTexts.LS_NotFoundStr + u": RLGroupTest.DataField \"NOPE\""), error);
  EXPECT_EQ(rsAbout, r.t.report->ReportState());
}

}  // namespace
