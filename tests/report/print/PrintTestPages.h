#pragma once
// Stores of pages for the output tests: each page says its number in a
// text and in its "PageNo" macro, on the paper given.
#include "platform/rtl/NumUtils.h"
#include "report/pages/RLGraphicStorage.h"
#include "report/pages/RLGraphicSurface.h"
#include <string>
#include <vector>

struct TestPaper {
  double width = 210, height = 297;
  uint8_t orientation = 1;
};

// The store lives while this holder keeps it linked.
class TestStore {
public:
  TestStore() : FStore(new TRLGraphicStorage(&FHolder)) {}
  ~TestStore() { FStore->Unlink(&FHolder); }
  TestStore(const TestStore&) = delete;
  TestStore& operator=(const TestStore&) = delete;
  TRLGraphicStorage* get() const { return FStore; }
  TRLGraphicStorage* operator->() const { return FStore; }

  // One page per paper; a paper of width 0 leaves the page without one,
  // as pages of the first file version are.
  void AddPages(const std::vector<TestPaper>& papers, const std::string& text = "P\xE1gina") {
    for (const TestPaper& paper : papers) {
      auto* page = new TRLGraphicSurface();
      const bool landscape = paper.orientation == 2;
      const double w = paper.width > 0 ? paper.width : 210, h = paper.height > 0 ? paper.height : 297;
      page->SetWidth(static_cast<int>((landscape ? h : w) * 96 / 25.4 + 0.5));
      page->SetHeight(static_cast<int>((landscape ? w : h) * 96 / 25.4 + 0.5));
      if (paper.width > 0) {
        page->SetOrientation(paper.orientation);
        page->SetPaperWidth(paper.width);
        page->SetPaperHeight(paper.height);
      }
      int number = FStore->PageCount() + 1;
      page->Macros()->Add(u"PageNo=" + IntToStr(number));
      page->Font()->SetName(u"Arial");
      page->Font()->SetSize(12);
      page->TextOut(40, 40, text + " " + std::to_string(number) + " a\xE7\xE3o");
      page->MoveTo(40, 80);
      page->LineTo(200, 80);
      FStore->Add(page);
    }
  }
  void AddPages(int count, TestPaper paper = TestPaper()) { AddPages(std::vector<TestPaper>(count, paper)); }

private:
  TComponent FHolder{nullptr};
  TRLGraphicStorage* FStore;
};

inline int PageNumberOf(TRLGraphicSurface* page) {
  return StrToIntDef(page->Macros()->Values(u"PageNo"), -1);
}
