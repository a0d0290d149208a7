#include "EngineFixture.h"

#include <gtest/gtest.h>

#include <map>

namespace {

TEST(RLEngineLayout, BandsFollowPageOrderOverThreePages) {
  TEngineFixture t;
  t.Band(btHeader, 20, "H");
  t.Band(btTitle, 30, "T");
  t.Band(btColumnHeader, 20, "CH");
  t.Band(btDetail, 100, "D");
  t.Band(btColumnFooter, 20, "CF");
  t.Band(btSummary, 30, "S");
  t.Band(btFooter, 20, "F");
  t.Records(20);
  ASSERT_TRUE(t.report->Prepare());
  EXPECT_EQ(rsReady, t.report->ReportState());
  // Details stop above the column footer and footer (1045): 9 on page 1
  // (below the title), 9 on page 2, the last 2 on page 3, whose column
  // footer comes before the summary.
  const std::vector<std::string> pages = t.PageTexts();
  ASSERT_EQ(3u, pages.size());
  EXPECT_EQ("H T CH D D D D D D D D D CF F", pages[0]);
  EXPECT_EQ("H CH D D D D D D D D D CF F", pages[1]);
  EXPECT_EQ("H CH D D CF S F", pages[2]);
  for (const PageMark& m : t.Marks()) {
    if (m.text == "F") { EXPECT_EQ(TEngineFixture::PageBottom - 20, m.top) << "page " << m.page; }
    if (m.text == "H") { EXPECT_EQ(TEngineFixture::PageTop, m.top); }
  }
}

TEST(RLEngineLayout, BandsAlignedToTheBottomSitAboveTheFooter) {
  struct Case {
    TRLBandType type;
    bool aligned;
    int top;
  } cases[] = {
      {btSummary, true, TEngineFixture::PageBottom - 20 - 30},
      {btSummary, false, TEngineFixture::PageTop + 20},
      {btColumnFooter, true, TEngineFixture::PageBottom - 20 - 30},
  };
  for (const Case& c : cases) {
    TEngineFixture t;
    t.Band(btDetail, 20, "D");
    t.Band(c.type, 30, "X")->SetAlignToBottom(c.aligned);
    t.Band(btFooter, 20, "F");
    t.Records(1);
    ASSERT_TRUE(t.report->Prepare());
    for (const PageMark& m : t.Marks())
      if (m.text == "X") { EXPECT_EQ(c.top, m.top) << int(c.type) << c.aligned; }
  }
}

TEST(RLEngineLayout, EmptyDataStillMakesOnePageUnlessPrintEmptyIsOff) {
  struct Case {
    bool printEmpty;
    bool withFooter;
    std::vector<std::string> pages;
  } cases[] = {
      {true, false, {"H"}},
      {false, false, {}},
      // Printing the footer opens the page it goes on.
      {false, true, {"H F"}},
  };
  for (const Case& c : cases) {
    TEngineFixture t;
    t.Band(btHeader, 20, "H");
    t.Band(btDetail, 20, "D");
    if (c.withFooter) t.Band(btFooter, 20, "F");
    t.Records(0);
    t.report->SetPrintEmpty(c.printEmpty);
    ASSERT_TRUE(t.report->Prepare());
    EXPECT_EQ(c.pages, t.PageTexts()) << c.printEmpty << c.withFooter;
  }
}

TEST(RLEngineLayout, MaxBandsAndCompletion) {
  struct Case {
    TRLCompletionType completion;
    std::vector<std::string> pages;
  } cases[] = {
      {ctNone, {"D D D D D", "D D D D D", "D D"}},
      {ctMaxBands, {"D D D D D", "D D D D D", "D D X X X"}},
  };
  for (const Case& c : cases) {
    TEngineFixture t;
    t.report->SetMaxBands(5);
    t.Band(btDetail, 20, "D");
    if (c.completion != ctNone) {
      TRLBand* filler = t.Band(btDetail, 20, "X");
      filler->SetCompletion(c.completion);
      filler->SetBeforePrint([filler](TObject*, bool& printIt) { printIt = filler->Completing(); });
    }
    t.Records(12);
    ASSERT_TRUE(t.report->Prepare());
    EXPECT_EQ(c.pages, t.PageTexts()) << int(c.completion);
  }
}

// Completion that would never reach its limit stops instead of looping.
TEST(RLEngineLayout, CompletionThatCannotEndStops) {
  struct Case {
    const char* name;
    TRLCompletionType completion;
    int height;
    bool countsWhileCompleting;
  } cases[] = {
      {"full page of a flat band", ctFullPage, 0, true},
      {"max bands that stop counting", ctMaxBands, 20, false},
  };
  for (const Case& c : cases) {
    TEngineFixture t;
    t.report->SetMaxBands(c.completion == ctMaxBands ? 5 : 0);
    t.Band(btDetail, 20, "D");
    TRLBand* filler = t.Band(btDetail, c.height, "X");
    filler->SetCompletion(c.completion);
    filler->SetBeforePrint([filler](TObject*, bool& printIt) { printIt = filler->Completing(); });
    int calls = 0;
    const bool counts = c.countsWhileCompleting;
    // The first answer picks the band as the completion band.
    filler->OnCompute = [&calls, counts](TObject*, bool& computeIt) { computeIt = calls++ == 0 || counts; };
    t.Records(1);
    ASSERT_TRUE(t.report->Prepare()) << c.name;
    EXPECT_EQ(1, t.report->Pages()->PageCount()) << c.name;
  }
}

// A band too tall for what is left: cut at the free row when it may be
// split, moved whole when it must stay whole.
TEST(RLEngineLayout, TallBandIsCutOrMoved) {
  struct Case {
    bool integral;
    int nextTopOnPage2;
    std::vector<std::string> pages;
  } cases[] = {
      // Nine fillers of 103 pixels leave 120 above the bottom; 180 go on.
      {false, TEngineFixture::PageTop + 180, {"P P P P P P P P P Tall", "Tall N"}},
      {true, TEngineFixture::PageTop + 300, {"P P P P P P P P P", "Tall N"}},
  };
  for (const Case& c : cases) {
    TEngineFixture t;
    int record = 0;
    TRLBand* filler = t.Band(btDetail, 103, "P");
    TRLBand* tall = t.Band(btDetail, 300, "Tall");
    TRLBand* next = t.Band(btDetail, 20, "N");
    tall->SetIntegralHeight(c.integral);
    filler->SetBeforePrint([&record](TObject*, bool& printIt) { printIt = record <= 9; });
    tall->SetBeforePrint([&record](TObject*, bool& printIt) { printIt = record == 10; });
    next->SetBeforePrint([&record](TObject*, bool& printIt) { printIt = record == 10; });
    t.Records(10);
    t.report->OnDataRecord = [&record](TObject*, int recNo, int, bool&, TRLRecordAction&) { record = recNo; };
    ASSERT_TRUE(t.report->Prepare());
    EXPECT_EQ(c.pages, t.PageTexts()) << c.integral;
    for (const PageMark& m : t.Marks())
      if (m.text == "N") { EXPECT_EQ(c.nextTopOnPage2, m.top) << c.integral; }
  }
}

TEST(RLEngineLayout, IntegralBandTallerThanAPageLeavesNoHeaderOnlyPage) {
  TEngineFixture t;
  t.Band(btHeader, 20, "H");
  t.Band(btDetail, 20, "D");
  t.Band(btDetail, 1500, "Huge");
  t.Records(1);
  ASSERT_TRUE(t.report->Prepare());
  EXPECT_EQ((std::vector<std::string>{"H D", "H Huge", "H Huge"}), t.PageTexts());
}

TEST(RLEngineLayout, DetailGridFillsRowsOrColumns) {
  // Rows: 7 records in 3 columns fill rows of 3, 3 and 1.
  {
    TEngineFixture t;
    int rec = 0;
    auto* grid = t.Band<TRLDetailGrid>(btDetail, 30, "", nullptr, [&rec] { return std::to_string(rec); });
    grid->SetColCount(3);
    t.report->OnDataRecord = [&rec](TObject*, int recNo, int, bool&, TRLRecordAction&) { rec = recNo; };
    t.Records(7);
    ASSERT_TRUE(t.report->Prepare());
    std::map<std::string, std::pair<int, int>> at;  // record -> (column left, top)
    TRLGraphicSurface* page = t.report->Pages()->GetPages(0);
    for (int i = 0; i < page->ObjectCount(); ++i)
      if (auto* text = dynamic_cast<TRLTextObject*>(page->Objects(i)))
        at[text->Text()] = {text->BoundsRect().Left, text->BoundsRect().Top};
    ASSERT_EQ(7u, at.size());
    EXPECT_EQ(at["1"].second, at["3"].second);
    EXPECT_LT(at["1"].first, at["2"].first);
    EXPECT_LT(at["2"].first, at["3"].first);
    EXPECT_EQ(at["1"].first, at["4"].first);
    EXPECT_EQ(at["1"].second + 30, at["4"].second);
    EXPECT_EQ(at["1"].second + 60, at["7"].second);
  }
  // Columns: a page holding two cells per column fills columns 1-2, 3-4,
  // 5-6; the seventh starts column 1 of a new page.
  {
    TEngineFixture t;
    int rec = 0;
    t.Band(btDetail, TEngineFixture::PageBottom - TEngineFixture::PageTop - 70, "Fill")
        ->SetBeforePrint([&rec](TObject*, bool& printIt) { printIt = rec == 1; });
    auto* grid = t.Band<TRLDetailGrid>(btDetail, 30, "", nullptr, [&rec] { return std::to_string(rec); });
    grid->SetColCount(3);
    grid->SetOrganization(goInColumns);
    t.report->OnDataRecord = [&rec](TObject*, int recNo, int, bool&, TRLRecordAction&) { rec = recNo; };
    t.Records(7);
    ASSERT_TRUE(t.report->Prepare());
    EXPECT_EQ((std::vector<std::string>{"Fill 1 2 3 4 5 6", "7"}), t.PageTexts());
    std::map<std::string, std::pair<int, int>> at;
    for (const PageMark& m : t.Marks()) at[m.text] = {m.page, m.top};
    EXPECT_EQ(at["1"].second, at["3"].second);
    EXPECT_EQ(at["2"].second, at["6"].second);
    EXPECT_EQ(TEngineFixture::PageTop, at["7"].second);
  }
}

// A group header that breaks the page while the group's headers print is
// printed once, on the new page.
TEST(RLEngineLayout, BandBreakingThePageIsNotPrintedTwice) {
  TEngineFixture t;
  auto* group = t.f.Make<TRLGroup>(t.report, TRect(0, 1000, 700, 1300));
  group->OnGetBreak = [](TObject*, bool& breakIt) { breakIt = true; };
  t.Band(btHeader, 60, "GH", group);
  t.Band(btDetail, 140, "D", group);
  t.Records(6);
  ASSERT_TRUE(t.report->Prepare());
  EXPECT_EQ((std::vector<std::string>{"GH D GH D GH D GH D GH D", "GH D"}), t.PageTexts());
}

TEST(RLEngineLayout, GreenBarsAlternate) {
  TEngineFixture t;
  TRLBand* band = t.Band(btDetail, 20, "D");
  band->SetGreenBarPrint(true);
  std::vector<TColor> colours;
  band->OnDraw = [&colours, band](TObject*, TRLGraphicSurface*, TRect) { colours.push_back(band->Color()); };
  const TColor own = band->Color();
  t.Records(4);
  ASSERT_TRUE(t.report->Prepare());
  EXPECT_EQ((std::vector<TColor>{own, band->GreenBarColor(), own, band->GreenBarColor()}), colours);
  EXPECT_EQ(own, band->Color());
}

}  // namespace
