#include "EngineFixture.h"

#include "platform/classes/Streams.h"
#include "platform/rtl/FileUtils.h"
#include "platform/ui/TestSeam.h"
#include "report/pages/RLLocaleStrings.h"

#include <gtest/gtest.h>

namespace {

// Reports that each print records pages of one detail band marked with
// the report's name, the page number macro and the last-page macro.
struct Chain {
  explicit Chain(int count) {
    for (int i = 0; i < count; ++i) {
      auto* report = t.f.Make<TRLReport>(nullptr, TRect(0, 0, 100, 100));
      report->SetName(u"R" + IntToStr(i));
      report->SetShowProgress(false);
      reports.push_back(report);
    }
    reports[0] = t.report;
    for (size_t i = 0; i + 1 < reports.size(); ++i) reports[i]->SetNextReport(reports[i + 1]);
  }

  // Each report prints pbAfterPrint details, one per page.
  void Pages(int perReport) {
    for (TRLCustomReport* report : reports) {
      auto* band = t.f.Make<TRLBand>(report, TRect(0, 0, 700, 20));
      band->SetPageBreaking(pbAfterPrint);
      auto given = std::make_shared<int>(0);
      report->OnNeedData = [given, perReport](TObject*, bool& more) { more = (*given)++ < perReport; };
    }
  }

  std::vector<std::string> Macro(const char* name) const {
    std::vector<std::string> values;
    TRLGraphicStorage* store = t.report->Pages();
    for (int p = 0; p < store->PageCount(); ++p) {
      const String v = store->GetPages(p)->Macros()->Values(AsciiToString(name));
      values.emplace_back(v.begin(), v.end());
    }
    return values;
  }

  std::string StoreMacro(const char16_t* name) const {
    const String v = t.report->Pages()->Macros()->Values(name);
    return std::string(v.begin(), v.end());
  }

  TEngineFixture t;
  std::vector<TRLCustomReport*> reports;
};

TEST(RLEngineChain, PagesNumberAcrossTheChain) {
  struct Case {
    const char* name;
    bool resetSecond;
    std::vector<std::string> pageNumbers;
    std::string last, last1;
  } cases[] = {
      {"continuous", false, {"1", "2", "3", "4"}, "4", "4"},
      {"second restarts", true, {"1", "2", "1", "2"}, "2", "2"},
  };
  for (const Case& c : cases) {
    Chain chain(2);
    chain.Pages(2);
    chain.reports[1]->CompositeOptions()->SetResetPageNumber(c.resetSecond);
    ASSERT_TRUE(chain.t.report->Prepare()) << c.name;
    EXPECT_EQ(c.pageNumbers, chain.Macro("PageNo")) << c.name;
    EXPECT_EQ((std::vector<std::string>{"0", "0", "1", "1"}), chain.Macro("CompositeIndex")) << c.name;
    EXPECT_EQ(c.last, chain.StoreMacro(u"LastPageNumber")) << c.name;
    EXPECT_EQ(c.last1, chain.StoreMacro(u"LastPageNumber_1")) << c.name;
    EXPECT_EQ(0, chain.reports[1]->Pages()->PageCount());
    EXPECT_EQ(rsReady, chain.reports[1]->ReportState());
  }
}

TEST(RLEngineChain, LinksStaySymmetricAndNeverCloseARing) {
  Chain chain(3);
  TRLCustomReport *a = chain.reports[0], *b = chain.reports[1], *c = chain.reports[2];
  c->SetNextReport(a);  // a -> b -> c -> a
  EXPECT_EQ(nullptr, c->NextReport());
  EXPECT_EQ(nullptr, a->PriorReport());
  a->SetPriorReport(c);
  EXPECT_EQ(nullptr, a->PriorReport());
  a->SetNextReport(a);
  EXPECT_EQ(b, a->NextReport());
  a->SetNextReport(c);  // b loses its prior, c its old prior b
  EXPECT_EQ(nullptr, b->PriorReport());
  EXPECT_EQ(a, c->PriorReport());
  EXPECT_EQ(nullptr, b->NextReport());
  EXPECT_EQ(a, c->MasterReport());
}

TEST(RLEngineFailure, ErrorsReachTheHandlerOrTheMessageBox) {
  for (bool withHandler : {true, false}) {
    TEngineFixture t;
    t.Band(btDetail, 20, "D")->SetPageBreaking(pbAfterPrint);
    t.Records(5);
    t.report->OnDataRecord = [](TObject*, int recNo, int, bool&, TRLRecordAction&) {
      if (recNo == 3) throw EConvertError(u"bad value");
    };
    std::vector<String> handled;
    if (withHandler)
      t.report->OnPrepareError = [&handled](TObject*, const Exception& e) { handled.push_back(e.Message()); };
    UiTestSeam::Reset();
    UiTestSeam::QueueMessageBoxAnswer(IDOK);
    EXPECT_FALSE(t.report->Prepare());
    EXPECT_EQ(rsAbout, t.report->ReportState());
    // The page closed before the error stays; the one being written goes.
    EXPECT_EQ(1, t.report->Pages()->PageCount());
    if (withHandler) {
      EXPECT_EQ(std::vector<String>{u"bad value"}, handled);
      EXPECT_TRUE(UiTestSeam::MessageBoxLog().empty());
    } else {
      ASSERT_EQ(1u, UiTestSeam::MessageBoxLog().size());
      EXPECT_EQ(ReportText(u"RLReportTest: " + CurrentReportTexts.LS_PrepareErrorStr + u"\r\nEConvertError(bad value)"),
                UiTestSeam::MessageBoxLog()[0].Text);
    }
    UiTestSeam::Reset();
  }
}

TEST(RLEngineFailure, DecliningBeforePrintLeavesNothingToPrint) {
  TEngineFixture t;
  t.Band(btDetail, 20, "D");
  t.Records(2);
  t.report->SetBeforePrint([](TObject*, bool& printIt) { printIt = false; });
  EXPECT_FALSE(t.report->Prepare());
  EXPECT_EQ(rsAbout, t.report->ReportState());
  EXPECT_EQ(0, t.report->Pages()->PageCount());
}

TEST(RLEngineFailure, PreparingInsidePreparationIsRefused) {
  TEngineFixture t;
  t.Band(btDetail, 20, "D");
  t.Records(3);
  bool refused = false;
  t.report->OnPageStarting = [&t, &refused](TObject*) {
    try {
      t.report->Prepare();
    } catch (const EInvalidOperation&) {
      refused = true;
    }
  };
  EXPECT_TRUE(t.report->Prepare());
  EXPECT_TRUE(refused);
  EXPECT_EQ((std::vector<std::string>{"D D D"}), t.PageTexts());
}

TEST(RLEngineFailure, FailedLoadLeavesAnEmptyStoreAtAbout) {
  TEngineFixture t;
  t.Band(btDetail, 20, "D");
  t.Records(2);
  ASSERT_TRUE(t.report->Prepare());
  const String file = GetTempFolder() + u"\\rengine-truncated.rpf";
  t.report->SaveToFile(file);
  std::string bytes;
  {
    TFileStream whole(file, fmOpenRead);
    bytes.resize(static_cast<size_t>(whole.Size()));
    whole.ReadBuffer(bytes.data(), static_cast<int>(bytes.size()));
  }
  {
    TFileStream cut(file, fmCreate);
    cut.WriteBuffer(bytes.data(), static_cast<int>(bytes.size() / 2));
  }
  EXPECT_THROW(t.report->LoadFromFile(file), Exception);
  EXPECT_EQ(rsAbout, t.report->ReportState());
  EXPECT_EQ(0, t.report->Pages()->PageCount());
  DeleteFile(file);
}

}  // namespace
