#include "report/output/RLFilters.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumUtils.h"
#include "platform/rtl/StrUtils.h"
#include "report/output/RLPrinters.h"
#include "report/output/RLSpoolFilter.h"
#include "report/pages/RLGraphicStorage.h"
#include "report/pages/RLLocaleStrings.h"
#include "report/pages/RLUtils.h"
#include "report/ui/RLFeedBack.h"
#include <algorithm>

namespace {
std::vector<TRLCustomFilter*>& Registry() {
  static std::vector<TRLCustomFilter*> registry;
  return registry;
}
TRLCustomFilter* GSelectedFilter = nullptr;

// A bound that is not a whole number counts as -1, which no page has.
int SelectionBound(const String& AText) {
  String text = Trim(AText);
  int value = 0;
  return TryStrToInt(text, value) ? value : -1;
}

// Puts the printer's copy count back however the run ends.
class CopiesRestorer {
public:
  explicit CopiesRestorer(int ACopies) : FCopies(ACopies) {}
  ~CopiesRestorer() {
    try {
      SharedPrinterWrapper()->SetCopies(FCopies);
    } catch (...) {
    }
  }
  CopiesRestorer(const CopiesRestorer&) = delete;
  CopiesRestorer& operator=(const CopiesRestorer&) = delete;

private:
  int FCopies;
};
}  // namespace

const std::vector<TRLCustomFilter*>& FilterRegistry() { return Registry(); }

TRLCustomFilter* SelectedFilter() { return GSelectedFilter; }

void SetSelectedFilter(TRLCustomFilter* AFilter) { GSelectedFilter = AFilter; }

TRLCustomFilter::TRLCustomFilter(TComponent* AOwner) : TComponent(AOwner) { Registry().push_back(this); }

TRLCustomFilter::~TRLCustomFilter() {
  auto& registry = Registry();
  auto it = std::find(registry.begin(), registry.end(), this);
  if (it != registry.end()) registry.erase(it);
  if (GSelectedFilter == this) GSelectedFilter = nullptr;
  SetPages(nullptr);
  FProgress.reset();
}

void TRLCustomFilter::SetPages(TRLGraphicStorage* value) {
  if (value == FPages) return;
  if (FPages) FPages->Unlink(this);
  FPages = value;
  if (FPages) FPages->Link(this);
}

void TRLCustomFilter::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FPages) FPages = nullptr;
}

void TRLCustomFilter::EndDoc() {
  DoEndDoc();
  SetPages(nullptr);
}

void TRLCustomFilter::StartProgress(int64_t ASteps) {
  FProgress = std::make_unique<TfrmRLFeedBack>(ReportText(CurrentReportTexts.LS_FilterInProgressStr));
  FProgress->OnCancel = [this](TObject*, bool&) { FCanceled = true; };
  FProgress->Show();
  FProgress->SetFocus();
  FProgress->SetMax(static_cast<int>(std::min<int64_t>(ASteps, INT_MAX)));
}

void TRLCustomFilter::FilterPages(TRLGraphicStorage* APages, int AFirstPage, int ALastPage,
                                  const String& APageSelection, int AOddPages) {
  FCanceled = false;
  if (!APages) return;
  if (ALastPage == -1 || ALastPage > APages->PageCount()) ALastPage = APages->PageCount();
  AFirstPage = std::max(AFirstPage, 1);
  int copies = 1;
  std::unique_ptr<CopiesRestorer> restoreCopies;
  if (FClassOptions.Contains(foEmulateCopies)) {
    TRLPrinterWrapper* printer = SharedPrinterWrapper();
    int asked = printer->Copies();
    copies = std::max(asked, 1);
    // The printer is asked for one copy while the filter repeats the pages.
    restoreCopies = std::make_unique<CopiesRestorer>(asked);
    printer->SetCopies(1);
  }
  struct Cleanup {
    TRLCustomFilter* Self;
    ~Cleanup() { Self->FProgress.reset(); }
  } cleanup{this};
  if (FShowProgress) StartProgress(std::max<int64_t>(int64_t(ALastPage) - AFirstPage + 1, 0) * copies);
  SetPages(APages);
  RunPages(AFirstPage, ALastPage, APageSelection, AOddPages, copies);
}

void TRLCustomFilter::RunPages(int AFirstPage, int ALastPage, const String& APageSelection, int AOddPages,
                               int ACopies) {
  // The job opens with the first page drawn, so a run that selects nothing
  // sends nothing.
  bool drawn = false;
  try {
    for (int copy = 1; copy <= ACopies && !FCanceled; ++copy) {
      for (int page = AFirstPage; page <= ALastPage; ++page) {
        bool selected = APageSelection.empty() || PageInSelection(page, APageSelection);
        if (!selected || (AOddPages == 1 && page % 2 == 0) || (AOddPages == 2 && page % 2 != 0)) continue;
        TRLGraphicSurface* surface = FPages ? FPages->GetPages(page - 1) : nullptr;
        if (!surface) throw Exception(u"Não foi possível ler a página " + IntToStr(page) + u" do relatório.");
        if (drawn) DoNewPage();
        else DoBeginDoc();
        drawn = true;
        DoDrawPage(surface);
        if (FProgress) FProgress->Tick();
        if (FCanceled) break;
      }
    }
  } catch (...) {
    try {
      if (drawn) DoEndDoc();
    } catch (...) {
    }
    SetPages(nullptr);
    throw;
  }
  if (drawn) DoEndDoc();
  SetPages(nullptr);
}

bool PageInSelection(int APageNo, const String& APageSelection) {
  String text = Trim(APageSelection);
  if (text.empty()) return true;
  while (!text.empty()) {
    size_t separator = text.find(u';');
    String item = text.substr(0, separator);
    text = separator == String::npos ? String() : text.substr(separator + 1);
    size_t dash = item.find(u'-');
    int lower, upper;
    if (dash != String::npos) {
      lower = SelectionBound(item.substr(0, dash));
      upper = SelectionBound(item.substr(dash + 1));
    } else {
      lower = upper = SelectionBound(item);
    }
    if (lower <= APageNo && APageNo <= upper) return true;
  }
  return false;
}

void RunFilterOrDefault(TRLGraphicStorage* APages, TRLCustomFilter* AFilter, int AFirstPage, int ALastPage,
                        const String& APageSelection, int AOddPages) {
  TRLCustomFilter* filter = AFilter ? AFilter : SelectedFilter();
  if (!filter) filter = SharedSpoolFilter();
  filter->FilterPages(APages, AFirstPage, ALastPage, APageSelection, AOddPages);
}

TRLCustomFilter* FilterByExtension(const String& AFileName) {
  size_t dot = AFileName.find_last_of(u'.');
  size_t slash = AFileName.find_last_of(u"\\/");
  if (dot == String::npos || (slash != String::npos && dot < slash)) return nullptr;
  String ext = AFileName.substr(dot);
  for (TRLCustomFilter* filter : FilterRegistry()) {
    String own = filter->DefaultExt();
    if (!own.empty() && AnsiCompareText(DottedExtension(own), ext) == 0) return filter;
  }
  return nullptr;
}
