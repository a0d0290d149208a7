#include "report/pages/RLGraphicStorage.h"
#include "report/pages/RLTempFiles.h"
#include "report/RLLibrary.h"
#include "platform/classes/Streams.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include <gtest/gtest.h>

namespace {
// A page whose content says which page it is.
TRLGraphicSurface* NumberedPage(int number) {
  auto* page = new TRLGraphicSurface();
  page->SetWidth(100);
  page->SetHeight(100);
  page->Rectangle(number, number, number + 10, number + 10);
  return page;
}

int NumberOf(TRLGraphicSurface* page) { return page->Objects(0)->BoundsRect().Left; }
}  // namespace

TEST(PageStore, CacheHoldsTheFiveNewestPagesAndRereadsTheRest) {
  TRLGraphicStorage store;
  for (int i = 0; i < 6; ++i) store.Add(NumberedPage(i));
  EXPECT_EQ(store.PageCount(), 6);
  EXPECT_EQ(store.CachedPageCount(), 5);

  // Page 1 changes while cached; dropping it from the cache writes it again.
  TRLGraphicSurface* page1 = store.GetPages(1);
  page1->FillRect({0, 0, 1, 1});
  int64_t before = store.PageAllocation().Items(1);
  TRLGraphicSurface* page0 = store.GetPages(0);
  ASSERT_NE(page0, nullptr);
  EXPECT_EQ(NumberOf(page0), 0);
  EXPECT_EQ(page0->PageIndex(), 0);
  EXPECT_EQ(store.CachedPageCount(), 5);
  EXPECT_NE(store.PageAllocation().Items(1), before);
  TRLGraphicSurface* reread = store.GetPages(1);
  ASSERT_NE(reread, nullptr);
  EXPECT_EQ(reread->ObjectCount(), 2);

  EXPECT_EQ(store.GetPages(-1), nullptr);
  EXPECT_EQ(store.GetPages(6), nullptr);
  EXPECT_EQ(store.CachedPageCount(), 5);
}

TEST(PageStore, UpdateAppendsAndBrowsingWritesNothing) {
  TRLGraphicStorage store;
  for (int i = 0; i < 20; ++i) store.Add(NumberedPage(i));
  int64_t written = store.TempStreamSize();
  // Unchanged pages read back are never written again.
  for (int round = 0; round < 2; ++round)
    for (int i = 0; i < 20; ++i) ASSERT_EQ(NumberOf(store.GetPages(i)), i);
  EXPECT_EQ(store.TempStreamSize(), written);

  TRLGraphicSurface* page2 = store.GetPages(2);
  int64_t before = store.PageAllocation().Items(2);
  store.Update(page2);
  EXPECT_EQ(store.PageAllocation().Items(2), written);
  EXPECT_NE(store.PageAllocation().Items(2), before);
  EXPECT_EQ(store.PageCount(), 20);
  EXPECT_FALSE(page2->Modified());

  // A page written again lies apart from the others: the file still has
  // every page in its place, with its latest content.
  page2->FillRect({0, 0, 1, 1});
  store.Update(page2);
  TStringStream file(std::string{});
  store.SaveToStream(file);
  file.SetPosition(0);
  TRLGraphicStorage loaded;
  loaded.LoadFromStream(file);
  ASSERT_EQ(loaded.PageCount(), 20);
  for (int i = 0; i < 20; ++i) {
    TRLGraphicSurface* page = loaded.GetPages(i);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(NumberOf(page), i);
    EXPECT_EQ(page->ObjectCount(), i == 2 ? 2 : 1);
  }
}

TEST(PageStore, PagePropertiesAndFileVersion) {
  TRLGraphicStorage store;
  EXPECT_EQ(store.Orientation(), 1);
  EXPECT_EQ(store.FileVersion(), 3);
  store.Macros()->Add(u"PaperWidth=210.0000");
  EXPECT_EQ(store.Width(), 794);
  store.SetPaperHeight(297);
  store.SetOrientation(2);
  EXPECT_EQ(store.OrientedWidth(), 1123);
  EXPECT_DOUBLE_EQ(store.OrientedPaperHeight(), 210);
  store.SetLastPageNumber(12);
  EXPECT_EQ(store.Macros()->Values(u"LastPageNumber"), u"12");
  for (int bad : {0, 5}) {
    try {
      store.SetFileVersion(bad);
      ADD_FAILURE() << bad;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), u"Invalid file version!");
    }
  }
  EXPECT_EQ(store.FileVersion(), 3);
}

TEST(PageStore, ClearKeepsTheTemporaryFileAndStartsItAgain) {
  TRLGraphicStorage store;
  store.Add(NumberedPage(1));
  store.Add(NumberedPage(2));
  store.Macros()->Add(u"Title=x");
  String file = store.TempFileName();
  store.Clear();
  EXPECT_EQ(store.PageCount(), 0);
  EXPECT_EQ(store.CachedPageCount(), 0);
  EXPECT_EQ(store.Macros()->Count(), 0);
  store.Add(NumberedPage(3));
  EXPECT_EQ(store.TempFileName(), file);
  EXPECT_EQ(store.PageAllocation().Items(0), 0);
  EXPECT_EQ(NumberOf(store.GetPages(0)), 3);
}

TEST(PageStore, TheLastUnlinkFreesTheStoreAndDeletesItsFile) {
  TComponent viewer(nullptr);
  auto* report = new TComponent(nullptr);
  auto* store = new TRLGraphicStorage(report);
  store->Link(&viewer);
  store->Add(NumberedPage(1));
  String file = store->TempFileName();
  int tracked = TrackedTempFileCount();
  ASSERT_TRUE(FileExists(file));

  delete report;  // a linked component that goes away unlinks itself
  EXPECT_TRUE(FileExists(file));
  store->Unlink(&viewer);
  EXPECT_FALSE(FileExists(file));
  EXPECT_EQ(TrackedTempFileCount(), tracked - 1);
}

TEST(PageStore, ShutDownDeletesTheFilesOfStoresNeverFreed) {
  String closed = MakeTempPageFileName();
  TrackTempFile(closed);
  auto* store = new TRLGraphicStorage();
  store->Add(NumberedPage(1));
  String open = store->TempFileName();
  ASSERT_TRUE(FileExists(open));
  ReportLibraryShutdown();
  EXPECT_FALSE(FileExists(closed));
  EXPECT_EQ(TrackedTempFileCount(), 0);
  // The store still holds its file open: the system removes it when the
  // handle goes, at the latest when the program ends.
  ReportLibraryStartup();
  delete store;
  EXPECT_FALSE(FileExists(open));
}

TEST(PageStore, PagesFromAnotherStoreMoveOver) {
  TRLGraphicStorage first, second;
  TRLGraphicSurface* page = NumberedPage(7);
  first.Add(page);
  second.Add(page);
  EXPECT_EQ(first.CachedPageCount(), 0);
  EXPECT_EQ(second.CachedPageCount(), 1);
  EXPECT_EQ(page->PageIndex(), 0);
  EXPECT_EQ(page->Storage(), &second);
  EXPECT_EQ(NumberOf(first.GetPages(0)), 7);  // its record stays behind
}
