// The page loop of the output filters, through a filter that records what
// it is asked to do: "B" begin, "N" new page, page numbers, "E" end.
#include "PrintTestPages.h"
#include "platform/rtl/Exceptions.h"
#include "report/output/RLFilters.h"
#include "report/output/RLPrinters.h"
#include "report/output/RLSpoolFilter.h"
#include "report/ui/RLFeedBack.h"
#include <climits>
#include <functional>
#include <gtest/gtest.h>
#include <windows.h>

namespace {
class TRecordingFilter : public TRLCustomPrintFilter {
public:
  explicit TRecordingFilter(bool emulateCopies) : TRLCustomPrintFilter(nullptr) {
    if (emulateCopies) FClassOptions.Include(foEmulateCopies);
    SetShowProgress(false);
  }
  std::string log;
  std::function<void(int page)> onDraw;

protected:
  void DoBeginDoc() override { Add("B"); }
  void DoEndDoc() override { Add("E"); }
  void DoNewPage() override { Add("N"); }
  void DoDrawPage(TRLGraphicSurface* page) override {
    Add(std::to_string(PageNumberOf(page)));
    if (onDraw) onDraw(PageNumberOf(page));
  }

private:
  void Add(const std::string& s) { log += log.empty() ? s : " " + s; }
};

std::string Pages(std::initializer_list<int> pages) {
  std::string s = "B";
  bool first = true;
  for (int p : pages) {
    s += (first ? " " : " N ") + std::to_string(p);
    first = false;
  }
  return s + " E";
}
}  // namespace

TEST(FilterPageLoop, RangesSelectionsAndParityChooseThePages) {
  TestStore store;
  store.AddPages(20);
  struct Case {
    int first, last;
    const char16_t* selection;
    int odd;
    std::string expected;
  } cases[] = {
      {1, INT_MAX, u"", 0, Pages({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20})},
      {1, -1, u"1;3;5-12;4", 0, Pages({1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})},
      {1, -1, u"  2 - 4 ;  7 ", 0, Pages({2, 3, 4, 7})},
      {1, -1, u"-5", 0, Pages({1, 2, 3, 4, 5})},
      // Selecting nothing opens no job.
      {1, -1, u"5-", 0, ""},
      {1, -1, u"12-5", 0, ""},
      {1, -1, u"abc", 0, ""},
      {1, -1, u";;", 0, ""},
      {1, 6, u"", 1, Pages({1, 3, 5})},
      {1, 6, u"", 2, Pages({2, 4, 6})},
      {5, 3, u"", 0, ""},
      {0, 2, u"", 0, Pages({1, 2})},
      {18, 30, u"", 0, Pages({18, 19, 20})},
  };
  for (const Case& c : cases) {
    TRecordingFilter filter(false);
    filter.FilterPages(store.get(), c.first, c.last, c.selection, c.odd);
    EXPECT_EQ(filter.log, c.expected) << c.first << ".." << c.last << " '" << StringToUtf8(c.selection) << "' "
                                      << c.odd;
    EXPECT_EQ(filter.Pages(), nullptr);
  }
  EXPECT_TRUE(PageInSelection(7, u""));
  EXPECT_FALSE(PageInSelection(7, u"1-6;8"));
}

TEST(FilterPageLoop, APageTheStoreCannotDeliverStopsWithAnErrorNamingIt) {
  TestStore store;
  store.AddPages(7);
  // Reading the first two pages back writes the pending pages out and
  // leaves pages in the middle only in the temporary file, spoilt here.
  ASSERT_NE(store->GetPages(0), nullptr);
  ASSERT_NE(store->GetPages(1), nullptr);
  HANDLE file = CreateFileW(reinterpret_cast<LPCWSTR>(store->TempFileName().c_str()), GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  std::string junk(static_cast<size_t>(store->TempStreamSize()), '\x7F');
  DWORD written = 0;
  WriteFile(file, junk.data(), static_cast<DWORD>(junk.size()), &written, nullptr);
  CloseHandle(file);
  TRecordingFilter filter(false);
  int drawn = 0;
  filter.onDraw = [&](int) { ++drawn; };
  try {
    filter.FilterPages(store.get(), 1, -1, u"", 0);
    FAIL() << filter.log;
  } catch (const Exception& e) {
    EXPECT_NE(e.Message().find(u" " + IntToStr(drawn + 1) + u" "), String::npos) << StringToUtf8(e.Message());
  }
  EXPECT_LT(drawn, 7);
  EXPECT_GE(drawn, 2);
  EXPECT_EQ(filter.log.substr(filter.log.size() - 2), " E");
  EXPECT_EQ(filter.Pages(), nullptr);
}

TEST(FilterPageLoop, RegistrySelectionAndExtensionLookups) {
  size_t before = FilterRegistry().size();
  {
    TRecordingFilter a(false), b(false);
    EXPECT_EQ(FilterRegistry().size(), before + 2);
    EXPECT_EQ(FilterRegistry().back(), &b);
    SetSelectedFilter(&a);
    EXPECT_EQ(SelectedFilter(), &a);
    // No filter of this system writes files.
    EXPECT_EQ(FilterByExtension(u"c:\\x\\report.pdf"), nullptr);
    a.SetName(u"Recorder");
    EXPECT_EQ(a.DisplayName(), u"Recorder");
    a.SetDisplayName(u"Gravador");
    EXPECT_EQ(a.GetDisplayLabel(), u"Gravador");
  }
  EXPECT_EQ(SelectedFilter(), nullptr);
  EXPECT_EQ(FilterRegistry().size(), before);
  EXPECT_TRUE(SharedSpoolFilter()->GetDisplayLabel().empty());
  EXPECT_TRUE(SharedSpoolFilter()->ClassOptions().Contains(foEmulateCopies));
}

// Emulated copies repeat the run collated and leave the printer's count
// as it was, also after Cancel or an error.
TEST(PrintUiFilterCopies, CopiesRepeatCollatedAndTheCountComesBack) {
  TestStore store;
  store.AddPages(3);
  TRLPrinterWrapper* printer = SharedPrinterWrapper();
  printer->SetPrinterName(u"PDF");

  printer->SetCopies(2);
  TRecordingFilter filter(true);
  int copiesWhileRunning = 0;
  filter.onDraw = [&](int) { copiesWhileRunning = printer->Copies(); };
  filter.FilterPages(store.get(), 1, -1, u"", 0);
  EXPECT_EQ(filter.log, "B 1 N 2 N 3 N 1 N 2 N 3 E");
  EXPECT_EQ(copiesWhileRunning, 1);
  EXPECT_EQ(printer->Copies(), 2);

  printer->SetCopies(0);
  filter.log.clear();
  filter.FilterPages(store.get(), 1, -1, u"", 0);
  EXPECT_EQ(filter.log, "B 1 N 2 N 3 E");

  // Cancel on the progress form in copy 1 of 3 ends the run at once.
  printer->SetCopies(3);
  filter.log.clear();
  filter.SetShowProgress(true);
  int progressMax = 0;
  filter.onDraw = [&](int page) {
    ASSERT_NE(filter.ProgressForm(), nullptr);
    progressMax = filter.ProgressForm()->ProgressBar->Max();
    if (page == 2) filter.ProgressForm()->BitBtnCancelClick(nullptr);
  };
  filter.FilterPages(store.get(), 1, INT_MAX, u"", 0);
  EXPECT_EQ(filter.log, "B 1 N 2 E");
  EXPECT_TRUE(filter.Canceled());
  EXPECT_EQ(progressMax, 9);
  EXPECT_EQ(filter.ProgressForm(), nullptr);
  EXPECT_EQ(printer->Copies(), 3);

  filter.log.clear();
  filter.onDraw = [](int page) {
    if (page == 2) throw EInvalidOperation(u"falhou");
  };
  EXPECT_THROW(filter.FilterPages(store.get(), 1, -1, u"", 0), EInvalidOperation);
  EXPECT_EQ(filter.log, "B 1 N 2 E");
  EXPECT_EQ(filter.ProgressForm(), nullptr);
  EXPECT_EQ(printer->Copies(), 3);
  printer->SetCopies(1);
}
