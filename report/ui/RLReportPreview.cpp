// The report's preview road: prepared afresh, then shown in a preview
// control of the application's or in a preview window.
#include "report/components/RLReport.h"
#include "report/output/RLFilters.h"
#include "report/ui/RLPreviewForm.h"

bool TRLCustomReport::Preview(TRLPreview* ADest) { return PreviewPages(ADest, false); }

bool TRLCustomReport::PreviewModal() { return PreviewPages(nullptr, true); }

bool TRLCustomReport::PreviewPages(TRLPreview* ADest, bool AModal) {
  if (FForcePrepare) Clear();
  if (FDefaultFilter) SetSelectedFilter(FDefaultFilter);
  if (FReportState == rsAbout && !Prepare()) return false;
  if (ADest) {
    ADest->SetPages(FPages);
    return true;
  }
  if (FPreviewOptions->Defaults == pdIgnoreDefaults) {
    const TRLPreviewOptions& o = *FPreviewOptions;
    ShowPreview(FPages, AModal || o.ShowModal, o.FormStyle, o.Caption, o.HelpContext, o.HelpFile, o.BorderIcons,
                o.WindowState, o.Position);
  } else {
    const TRLPreviewDefaults& d = PreviewDefaults();
    ShowPreview(FPages, AModal || d.ShowModal, d.FormStyle, d.Caption, d.HelpContext, d.HelpFile, d.BorderIcons,
                d.WindowState, d.Position);
  }
  return true;
}
