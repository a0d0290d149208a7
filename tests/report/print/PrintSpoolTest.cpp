// Pages through the spool filter to the run's PDF queue, read back from
// the PDFs: sizes, page counts, jobs per paper, copies and texts.
#include "support/PdfReadBack.h"
#include "PrintTestPages.h"
#include "report/output/RLPrinters.h"
#include "report/output/RLSpoolFilter.h"
#include <gtest/gtest.h>

namespace {
std::vector<PdfDocument> PrintStore(TestStore& store, const std::string& stem, size_t jobs) {
  std::string title = UniqueJobTitle(stem);
  store->SetTitle(AsciiToString(title));
  SharedPrinterWrapper()->SetPrinterName(u"PDF");
  TRLSpoolFilter* filter = SharedSpoolFilter();
  filter->SetShowProgress(false);
  filter->FilterPages(store.get());
  return WaitForPdfs(title, jobs);
}

std::vector<size_t> TextPositions(const std::string& text, const std::vector<std::string>& marks) {
  std::vector<size_t> at;
  size_t from = 0;
  for (const std::string& mark : marks) {
    from = text.find(mark, from);
    at.push_back(from);
    if (from == std::string::npos) break;
    from += mark.size();
  }
  return at;
}
}  // namespace

TEST(PrintSpool, A4PagesComeOutAsA4PagesWithTheirTexts) {
  for (bool withPaper : {true, false}) {
    TestStore store;
    // Without paper (first file version) the page's pixels at 96 dpi stand
    // for it: 794 x 1123 pixels are A4.
    store.AddPages(3, withPaper ? TestPaper() : TestPaper{0, 0, 1});
    std::vector<PdfDocument> pdfs = PrintStore(store, withPaper ? "a4" : "v1", 1);
    ASSERT_EQ(pdfs.size(), 1u);
    ASSERT_EQ(pdfs[0].pages.size(), 3u) << pdfs[0].path;
    for (const PdfPage& page : pdfs[0].pages) {
      EXPECT_NEAR(page.width, 595, 1.5);
      EXPECT_NEAR(page.height, 842, 1.5);
    }
    std::vector<size_t> at = TextPositions(pdfs[0].text, {"Página 1 ação", "Página 2 ação", "Página 3 ação"});
    EXPECT_EQ(std::count(at.begin(), at.end(), std::string::npos), 0) << pdfs[0].text;
  }
}

TEST(PrintSpool, OtherPaperEndsTheJobAndOpensAnotherWithNoBlankPage) {
  TestStore store;
  store.AddPages({TestPaper(), TestPaper(), TestPaper{210, 297, 2}});
  std::vector<PdfDocument> pdfs = PrintStore(store, "orient", 2);
  ASSERT_EQ(pdfs.size(), 2u);
  const PdfDocument& portrait = pdfs[0].pages.size() == 2 ? pdfs[0] : pdfs[1];
  const PdfDocument& landscape = pdfs[0].pages.size() == 2 ? pdfs[1] : pdfs[0];
  ASSERT_EQ(portrait.pages.size(), 2u);
  ASSERT_EQ(landscape.pages.size(), 1u);
  EXPECT_NEAR(portrait.pages[1].width, 595, 1.5);
  EXPECT_NEAR(landscape.pages[0].width, 842, 1.5);
  EXPECT_NEAR(landscape.pages[0].height, 595, 1.5);
  EXPECT_NE(landscape.text.find("Página 3"), std::string::npos) << landscape.text;
  EXPECT_NE(portrait.text.find("Página 2"), std::string::npos) << portrait.text;
}

TEST(PrintSpool, CopiesComeOutCollatedInOneJob) {
  TestStore store;
  store.AddPages(3);
  SharedPrinterWrapper()->SetPrinterName(u"PDF");
  SharedPrinterWrapper()->SetCopies(2);
  std::vector<PdfDocument> pdfs = PrintStore(store, "copies", 1);
  EXPECT_EQ(SharedPrinterWrapper()->Copies(), 2);
  SharedPrinterWrapper()->SetCopies(1);
  ASSERT_EQ(pdfs.size(), 1u);
  EXPECT_EQ(pdfs[0].pages.size(), 6u);
  std::vector<size_t> at = TextPositions(
      pdfs[0].text, {"Página 1", "Página 2", "Página 3", "Página 1", "Página 2", "Página 3"});
  EXPECT_EQ(std::count(at.begin(), at.end(), std::string::npos), 0) << pdfs[0].text;
}
