#include "TextFixture.h"

#include "platform/rtl/DateUtils.h"
#include "report/pages/RLLocaleStrings.h"

#include <gtest/gtest.h>

namespace {

std::string Ansi(const String& s) { return StringToAnsi(s); }

// Reports chained one after the other; each prints two details, one per
// page, between a header and a footer of system information.
struct Chain {
  explicit Chain(int count) {
    reports.push_back(t.report);
    for (int i = 1; i < count; ++i) {
      auto* report = t.f.Make<TRLReport>(nullptr, TRect(0, 0, 100, 100));
      report->SetName(u"R" + IntToStr(i));
      report->SetShowProgress(false);
      reports.back()->SetNextReport(report);
      reports.push_back(report);
    }
    for (TRLCustomReport* report : reports) {
      auto given = std::make_shared<int>(0);
      report->OnNeedData = [given](TObject*, bool& more) { more = (*given)++ < 2; };
      headers.push_back(t.PlainBand(btHeader, 60, report));
      t.PlainBand(btDetail, 20, report)->SetPageBreaking(pbAfterPrint);
      footers.push_back(t.PlainBand(btFooter, 20, report));
    }
  }

  // One information control on each of the bands.
  std::vector<TRLSystemInfo*> Each(const std::vector<TRLBand*>& bands, TRLInfoType info, const char16_t* text) {
    std::vector<TRLSystemInfo*> controls;
    for (TRLBand* band : bands) {
      auto* control = t.Text<TRLSystemInfo>(band);
      control->SetInfo(info);
      control->SetText(text);
      controls.push_back(control);
    }
    return controls;
  }

  std::vector<std::string> Shown(const std::vector<TRLSystemInfo*>& controls) const {
    std::vector<std::string> shown;
    for (TRLSystemInfo* control : controls)
      for (const std::string& s : t.ShownBy(control)) shown.push_back(s);
    return shown;
  }

  std::vector<std::string> Recorded(TRLSystemInfo* control) const {
    std::vector<std::string> texts;
    const int left = AbsoluteLeft(control) - AbsoluteLeft(t.report);
    for (const RecordedText& r : t.Recorded())
      if (r.object->BoundsRect().Left == left) texts.push_back(r.Text());
    return texts;
  }

  TTextFixture t;
  std::vector<TRLCustomReport*> reports;
  std::vector<TRLBand*> headers, footers;
};

TEST(RLSystemInfoChain, PageNumbersLastPageMacrosJunctionAndMendTextsByPage) {
  const std::string cont = Ansi(CurrentReportTexts.LS_PageMendStr);
  struct Case {
    const char* name;
    bool resetSecond;
    std::vector<std::string> folha, ofLast;
  } cases[] = {
      {"continuous", false, {"Folha: 1", "Folha: 2", "Folha: 3", "Folha: 4"},
       {"Pag. 1 de 4", "Pag. 2 de 4", "Pag. 3 de 4", "Pag. 4 de 4"}},
      {"second restarts", true, {"Folha: 1", "Folha: 2", "Folha: 1", "Folha: 2"},
       {"Pag. 1 de 2", "Pag. 2 de 2", "Pag. 1 de 2", "Pag. 2 de 2"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Chain chain(2);
    chain.reports[1]->CompositeOptions()->SetResetPageNumber(c.resetSecond);
    auto folha = chain.Each(chain.headers, itPageNumber, u"Folha: ");
    auto preview = chain.Each(chain.headers, itPagePreview, u"Pag. # de #");
    auto last = chain.Each(chain.headers, itLastPageNumber, u"");
    auto mend = chain.Each(chain.headers, itMend, u"");
    auto junction = chain.Each(chain.footers, itJunction, u"|mais;fim|");
    auto nextEnd = chain.Each(chain.footers, itJunction, u"|mais;fim");
    for (TRLSystemInfo* control : nextEnd) control->SetPrintEndTextOnNextReport(true);
    ASSERT_TRUE(chain.t.report->Prepare());
    ASSERT_EQ(4, chain.t.report->Pages()->PageCount());
    EXPECT_EQ(c.folha, chain.Shown(folha));
    // Recorded as the macro of each report, resolved when drawn.
    EXPECT_EQ(c.ofLast, chain.Shown(preview));
    EXPECT_EQ((std::vector<std::string>{"{LastPageNumber}", "{LastPageNumber}"}), chain.Recorded(last[0]));
    EXPECT_EQ((std::vector<std::string>{"{LastPageNumber_1}", "{LastPageNumber_1}"}), chain.Recorded(last[1]));
    EXPECT_EQ(c.ofLast[0].substr(c.ofLast[0].size() - 1), chain.Shown(last)[0]);
    // Nothing before a report's first detail, then the continuation text.
    EXPECT_EQ((std::vector<std::string>{"", cont, "", cont}), chain.Shown(mend));
    // The end text once the last report closes, or, on the next report, at
    // the end of each.
    EXPECT_EQ((std::vector<std::string>{"mais", "mais", "mais", "fim"}), chain.Shown(junction));
    EXPECT_EQ((std::vector<std::string>{"mais", "fim", "mais", "fim"}), chain.Shown(nextEnd));
  }
}

TEST(RLSystemInfo, RunRecordAndCopyInformation) {
  TTextFixture t;
  t.Records(3);
  t.report->SetTitle(u"Recebimentos");
  TRLBand* detail = t.PlainBand(btDetail, 200);
  detail->SetCarbonCopies(2);
  struct Case {
    TRLInfoType info;
    const char16_t* text;
    std::function<std::vector<std::string>()> expected;
  };
  auto repeat = [](std::string s) { return std::vector<std::string>(6, s); };
  auto at = [&](String s) { return std::vector<std::string>(6, Ansi(s)); };
  const Case cases[] = {
      {itRecNo, u"", [] { return std::vector<std::string>{"1", "1", "2", "2", "3", "3"}; }},
      {itCarbonCopy, u"c#", [] { return std::vector<std::string>{"c1", "c2", "c1", "c2", "c1", "c2"}; }},
      // Every carbon copy of a detail counts.
      {itDetailCount, u"", [] { return std::vector<std::string>{"0", "1", "2", "3", "4", "5"}; }},
      {itCopyNo, u"", [&] { return repeat("1"); }},
      {itTitle, u"T: ", [&] { return repeat("T: Recebimentos"); }},
      {itDate, u"Em: ", [&] { return at(u"Em: " + DateToStr(t.report->ReportDateTime())); }},
      {itHour, u"", [&] { return at(TimeToStr(t.report->ReportDateTime())); }},
      {itNow, u"", [&] { return at(DateTimeToStr(t.report->ReportDateTime())); }},
      {itFullDate, u"", [&] { return at(FormatDateTime(FormatSettings.LongDateFormat, t.report->ReportDateTime())); }},
  };
  std::vector<TRLSystemInfo*> controls;
  for (const Case& c : cases) {
    auto* control = t.Text<TRLSystemInfo>(detail, -1, 2 + 20 * static_cast<int>(controls.size()));
    control->SetInfo(c.info);
    control->SetText(c.text);
    controls.push_back(control);
  }
  ASSERT_TRUE(t.report->Prepare());
  for (size_t i = 0; i < controls.size(); ++i)
    EXPECT_EQ(cases[i].expected(), t.ShownBy(controls[i])) << "info " << int(cases[i].info);
}

TEST(RLSystemInfo, DesignTextsNameTheInformation) {
  struct Case {
    TRLInfoType info;
    const char16_t* text;
    const char16_t* friendly;
    const char16_t* shown;
  } cases[] = {
      {itHour, u"", u"", u"(Hour)"},
      {itPageNumber, u"Folha: ", u"", u"Folha: (PageNumber)"},
      {itPagePreview, u"# / #", u"", u"(PageNumber) / (LastPageNumber)"},
      {itPagePreview, u"", u"", u"(PageNumber)(LastPageNumber)"},
      {itJunction, u"Fim: |a;b|", u"", u"Fim: (Junction)"},
      {itDate, u"", u"Data", u"Data"},
  };
  for (const Case& c : cases) {
    TReportForm f;
    auto* control = f.Make<TRLSystemInfo>(nullptr, TRect(0, 0, 65, 17));
    control->SetFriendlyName(c.friendly);
    control->SetText(c.text);
    control->SetInfo(c.info);
    control->RefreshCaption();
    EXPECT_EQ(c.shown, control->Caption());
  }
}

}  // namespace
