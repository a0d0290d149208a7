// The report's print road: paper to the printer, the print dialog, the
// preparation when needed, and the pages through the output filter.
#include "report/components/RLReport.h"
#include "report/output/RLFilters.h"
#include "report/output/RLPrinters.h"
#include "report/output/RLSpoolFilter.h"
#include "report/pages/RLGraphicStorage.h"
#include "report/ui/RLPrintDialog.h"
#include <climits>

namespace {
int OddEvenCode(TRLPrintOddEvenPages AValue) {
  switch (AValue) {
    case odOddPagesOnly: return 1;
    case odEvenPagesOnly: return 2;
    default: return 0;
  }
}
}  // namespace

void TRLCustomReport::SetDefaultFilter(TRLCustomPrintFilter* value) {
  if (value == FDefaultFilter) return;
  if (FDefaultFilter) RemoveFreeNotification(FDefaultFilter);
  FDefaultFilter = value;
  if (value) value->FreeNotification(this);
}

void TRLCustomReport::Print() {
  TRLPrinterWrapper* printer = SharedPrinterWrapper();
  printer->SetPaperSize(FPageSetup->PaperWidth(), FPageSetup->PaperHeight(), FPageSetup->Orientation() == poLandscape,
                        FPageSetup->ForceEmulation(), true);
  if (FDefaultFilter) SetSelectedFilter(FDefaultFilter);
  FDialogParams = TRLPrintDialogParams();
  FDialogParams.FromPage1 = 1;
  FDialogParams.ToPage1 = INT_MAX;
  printer->SetOddEven(odAllPages);
  if (printer->Copies() <= 0) printer->SetCopies(1);
  if (FPrintDialog && !ShowPrintDialog()) {
    FCanceled = true;
    Abort();
  }
  if (FReportState == rsAbout && !Prepare()) return;
  int first = std::max(FDialogParams.FromPage1, 1);
  int last = std::min(FDialogParams.ToPage1, FPages->PageCount());
  TRLCustomFilter* filter = SelectedFilter();
  if (!filter) filter = SharedSpoolFilter();
  filter->SetShowProgress(FShowProgress);
  RunFilterOrDefault(FPages, filter, first, last, FDialogParams.Selection, OddEvenCode(printer->OddEven()));
}

bool TRLCustomReport::ShowPrintDialog() {
  TRLPrintDialog dialog;
  if (FHelpContext != 0) dialog.SetOptions(dialog.Options() + rpoHelp);
  if (FReportState == rsReady) dialog.SetMaxPage(FPages->PageCount());
  dialog.SetOrientation(FPageSetup->Orientation());
  dialog.SetCopies(SharedPrinterWrapper()->Copies());
  bool accepted = dialog.Execute();
  if (accepted) {
    FDialogParams.FromPage1 = dialog.FromPage();
    FDialogParams.ToPage1 = dialog.ToPage();
    FDialogParams.Selection = dialog.PageRanges();
  }
  return accepted;
}
