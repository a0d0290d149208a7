#pragma once
// The top of a report: a site, band set, pager and data skipper that turns
// its bands and records into recorded pages in its page store, alone or as
// one report of a chain whose pages all go to the first report's store.
#include "platform/data/Variant.h"
#include "platform/rtl/DateUtils.h"
#include "report/components/RLGroup.h"
#include "report/components/RLPageSetup.h"
#include "report/components/RLPreviewOptions.h"
#include <memory>

class TRLExpressionParser;
class TRLGraphicStorage;
class TRLCustomPrintFilter;
class TfrmRLFeedBack;
class TRLPreview;
class TStream;

enum TNextReportState : uint8_t { nrStart, nrNext, nrEnd };

struct TRLPrinterMetrics {
  int32_t PPIX = 0, PPIY = 0, PhysicalWidth = 0, PhysicalHeight = 0;
  int32_t MarginLeft = 0, MarginTop = 0, MarginRight = 0, MarginBottom = 0;
  int32_t ClientWidth = 0, ClientHeight = 0;
};

class TRLCompositeOptions : public TPersistent {
public:
  bool ResetPageNumber() const { return FResetPageNumber; }
  void SetResetPageNumber(bool value) { FResetPageNumber = value; }
  bool NumberPages() const { return FNumberPages; }
  void SetNumberPages(bool value) { FNumberPages = value; }
  void Assign(const TPersistent& source) override;

private:
  bool FResetPageNumber = false;
  bool FNumberPages = true;
};

// The page range chosen for printing.
struct TRLPrintDialogParams {
  int32_t FromPage1 = 0;
  int32_t ToPage1 = 0;
  String Selection;
};

// (Sender, var Text, var PrintIt): offered every text a control prints.
using TRLFilterTextEvent = std::function<void(TObject* Sender, String& Text, bool& PrintIt)>;
using TRLPrepareErrorEvent = std::function<void(TObject* Sender, const Exception& Error)>;

class TRLCustomReport : public TRLCustomSkipper {
public:
  explicit TRLCustomReport(TComponent* AOwner);
  ~TRLCustomReport() override;
  TRLCustomReport* AsReport() override { return this; }

  TRLReportState ReportState() const { return FReportState; }
  void SetReportState(TRLReportState value) { FReportState = value; }
  TNextReportState NextReportState() const { return FNextReportState; }
  TRLPrintQuality PrintQuality() const { return FPrintQuality; }
  void SetPrintQuality(TRLPrintQuality value);
  TRLCustomReport* PriorReport() const { return FPriorReport; }
  TRLCustomReport* NextReport() const { return FNextReport; }
  // Keep the chain symmetric; a link to itself or one that closes a ring
  // is refused.
  void SetNextReport(TRLCustomReport* value);
  void SetPriorReport(TRLCustomReport* value);
  // 0 for the first report of the chain, n for the n-th after it.
  int CompositeIndex() const;

  TRLGraphicStorage* Pages() const { return FPages; }
  TRLPageSetup* PageSetup() const { return FPageSetup.get(); }
  TRLCompositeOptions* CompositeOptions() const { return FCompositeOptions.get(); }
  const TRLPrinterMetrics& PrinterMetrics() const { return FPrinterMetrics; }
  int FirstPageNumber() const { return FFirstPageNumber; }
  void SetFirstPageNumber(int value) { FFirstPageNumber = value; }
  // The number of the page being written, counted in the master report.
  int PageNumber() const;
  int PageIndex() const { return FPageIndex; }
  bool Canceled() const { return FCanceled; }
  bool PrintEmpty() const { return FPrintEmpty; }
  void SetPrintEmpty(bool value) { FPrintEmpty = value; }
  bool ShowProgress() const { return FShowProgress; }
  void SetShowProgress(bool value) { FShowProgress = value; }
  bool AdjustableMargins() const { return FAdjustableMargins; }
  void SetAdjustableMargins(bool value);
  const String& Title() const { return FTitle; }
  void SetTitle(const String& value);
  const String& JobTitle() const { return FJobTitle; }
  void SetJobTitle(const String& value);
  TDateTime ReportDateTime() const { return FReportDateTime; }
  bool PrintDialog() const { return FPrintDialog; }
  void SetPrintDialog(bool value) { FPrintDialog = value; }
  TRLCustomPrintFilter* DefaultFilter() const { return FDefaultFilter; }
  void SetDefaultFilter(TRLCustomPrintFilter* value);
  const TRLPrintDialogParams& DialogParams() const { return FDialogParams; }
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int value) { FHelpContext = value; }
  TfrmRLFeedBack* ProgressForm() const { return FProgressForm.get(); }

  TNotifyEvent OnPageStarting;
  TNotifyEvent OnPageEnding;
  TRLPrepareErrorEvent OnPrepareError;
  TRLFilterTextEvent OnFilterText;
  // The parser that evaluates the formulas of the report's controls; it
  // looks identifiers up through the report (aggregates, data fields,
  // controls).
  TRLExpressionParser* ExpressionParser() const { return FExpressionParser; }
  void SetExpressionParser(TRLExpressionParser* value);
  // The control whose formula is being evaluated.
  TObject* ParseInvoker() const { return FParseInvoker; }

  bool Prepare();
  // Prepares when not yet prepared and prints through the selected filter
  // (the spool filter when none), after the print dialog when PrintDialog.
  void Print();
  bool ShowPrintDialog();
  // Prepares (again, with ForcePrepare) and shows the pages in ADest, or
  // in a preview window when ADest is nullptr; false when not prepared.
  bool Preview(TRLPreview* ADest = nullptr);
  bool PreviewModal();
  TRLPreviewOptions* PreviewOptions() const { return FPreviewOptions.get(); }
  bool ForcePrepare() const { return FForcePrepare; }
  void SetForcePrepare(bool value) { FForcePrepare = value; }
  void Clear();
  void Cancel() { FCanceled = true; }
  Variant Parse(TObject* Sender, const String& Expression);

  void SetProgressSize(int Max);
  void SetProgressPhase(const String& Phase);
  void StepProgress(int Step = 1);

  void SaveToStream(TStream& Stream);
  void SaveToFile(const String& FileName);
  void LoadFromStream(TStream& Stream);
  void LoadFromFile(const String& FileName);

  // The printer's unprintable margins in pixels of the layout.
  TRect PrinterMarginPixels() const;
  void LoadMetrics();

  void GetMarginPixels(TRect& Rect) override;
  TRLGraphicSurface* FindParentSurface() override;
  void DataFirst() override;
  void DataNext() override;
  // The paper changed: the report takes the size of the new page.
  virtual void PageSetupChanged();

protected:
  void PrepareSurfaceOpen() override;
  void FillOpenedSurface() override;
  void FinishSurfaceContents() override;
  void SettleClosedSurface() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  bool PreviewPages(TRLPreview* ADest, bool AModal);
  bool LinkClosesRing(TRLCustomReport* from, TRLCustomReport* to) const;
  void PrepareSteps(bool& result);
  void StartProgress();
  void ReportError(const Exception& e);
  void WriteLastPageMacros();
  void StorePageSetupInfo();
  void TakeSettingsFromStore();
  void ResetPageNumber();
  // MasterReport from the report itself, without asking each class on the
  // way: it is looked up several times per record.
  TRLCustomReport* Master() const;
  void AttachParser(TRLExpressionParser* parser);
  void DetachParser(TRLExpressionParser* parser);
  void ResolveIdentifier(const String& Identifier, const Variant& Params, Variant& Result);
  TPersistent* FindAggregate(TPersistent* Owner, const String& Name);
  void ReadAttribute(TPersistent* Owner, const String& Name, Variant& Value);

  TNotifyEvent FOnPageEnding;
  bool FCanceled = false;
  TRLGraphicStorage* FPages;
  std::unique_ptr<TRLGraphicSurface> FPageSurface;
  TRLCustomReport* FNextReport = nullptr;
  TRLCustomReport* FPriorReport = nullptr;
  int FFirstPageNumber = 1;
  int FCurrentPageNumber = 0;
  int FPageIndex = 0;
  std::unique_ptr<TRLPageSetup> FPageSetup;
  std::unique_ptr<TRLPreviewOptions> FPreviewOptions = std::make_unique<TRLPreviewOptions>();
  bool FForcePrepare = true;
  bool FPrintEmpty = true;
  TRLPrinterMetrics FPrinterMetrics;
  TRLReportState FReportState = rsAbout;
  String FTitle;
  String FJobTitle;
  TDateTime FReportDateTime = 0;
  bool FShowProgress = true;
  TRLPrintQuality FPrintQuality = pqFullFeature;
  bool FAdjustableMargins = false;
  std::unique_ptr<TRLCompositeOptions> FCompositeOptions;
  TNextReportState FNextReportState = nrStart;
  std::unique_ptr<TfrmRLFeedBack> FProgressForm;
  // The page whose number the progress form was last given.
  int FProgressPage = -1;
  bool FPreparing = false;
  bool FPrintDialog = true;
  TRLCustomPrintFilter* FDefaultFilter = nullptr;
  TRLPrintDialogParams FDialogParams;
  int FHelpContext = 0;
  TRLExpressionParser* FExpressionParser = nullptr;
  TObject* FParseInvoker = nullptr;
};

// "LastPageNumber" for the first report of a chain, "LastPageNumber_n" for
// the n-th after it: the macro its last page number is stored under.
String LastPageMacroKey(const TRLCustomReport& report);

// The report a form places: a page of the paper set-up, 10 mm margins.
class TRLReport : public TRLCustomReport {
public:
  explicit TRLReport(TComponent* AOwner);
  void MeasureNaturalSize(int& Width, int& Height) override;
};
