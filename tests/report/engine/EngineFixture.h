#pragma once
// A report built in code on a form nobody shows. Bands mark themselves
// through OnDraw with a text; the tests read the marks back from the pages
// in the store.
#include "../components/RLTestControls.h"
#include "report/components/RLSiteKinds.h"
#include "report/pages/RLGraphicObjects.h"
#include "report/pages/RLGraphicStorage.h"
#include "report/pages/RLLocaleStrings.h"
#include "platform/rtl/NumUtils.h"

#include <functional>
#include <string>
#include <vector>

struct PageMark {
  std::string text;
  int page;  // 0-based
  int top;
};

class TEngineFixture {
public:
  // An A4 report with 10 mm margins: bands span from 38 to 1085.
  static constexpr int PageTop = 38, PageBottom = 1085;

  TEngineFixture() {
    report = f.Make<TRLReport>(nullptr, TRect(0, 0, 100, 100));
    report->SetName(u"RLReportTest");
    report->SetShowProgress(false);
  }

  // A band marking itself with label, or with what labelFn answers.
  template <typename T = TRLBand>
  T* Band(TRLBandType type, int height, std::string label, TRLCustomSite* parent = nullptr,
          std::function<std::string()> labelFn = nullptr) {
    const int top = 1000 + ++order;
    auto* band = f.Make<T>(parent ? parent : report, TRect(0, top, 700, top + height));
    band->SetBandType(type);
    band->SetBounds(band->Left(), band->Top(), band->Width(), height);
    band->OnDraw = [label, labelFn](TObject*, TRLGraphicSurface* surface, TRect rect) {
      surface->TextOut(rect.Left, rect.Top, labelFn ? labelFn() : label);
    };
    return band;
  }

  // OnNeedData answering count records.
  void Records(int count) {
    auto given = std::make_shared<int>(0);
    report->OnNeedData = [given, count](TObject*, bool& more) { more = (*given)++ < count; };
  }

  std::vector<PageMark> Marks() const {
    std::vector<PageMark> marks;
    TRLGraphicStorage* store = report->Pages();
    for (int p = 0; p < store->PageCount(); ++p) {
      TRLGraphicSurface* page = store->GetPages(p);
      for (int i = 0; i < page->ObjectCount(); ++i)
        if (auto* text = dynamic_cast<TRLTextObject*>(page->Objects(i)))
          marks.push_back({text->Text(), p, text->BoundsRect().Top});
    }
    return marks;
  }

  // The marks of each page in order, joined by blanks: "H T D D | H D F".
  std::vector<std::string> PageTexts() const {
    std::vector<std::string> pages(report->Pages()->PageCount());
    for (const PageMark& m : Marks()) pages[m.page] += (pages[m.page].empty() ? "" : " ") + m.text;
    return pages;
  }

  TReportForm f;
  TRLReport* report;
  int order = 0;
};
