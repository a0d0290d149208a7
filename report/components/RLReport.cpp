#include "report/components/RLReport.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/NumUtils.h"
#include "platform/ui/Forms.h"
#include "report/components/RLSiteKinds.h"
#include "report/output/RLFilters.h"
#include "report/output/RLPrinters.h"
#include "report/pages/RLGraphicStorage.h"
#include "report/pages/RLLocaleStrings.h"
#include "report/parser/RLExpressionParser.h"
#include "report/ui/RLFeedBack.h"
#include <cmath>
#include <cxxabi.h>
#include <typeinfo>

void TRLCompositeOptions::Assign(const TPersistent& source) {
  if (auto* other = dynamic_cast<const TRLCompositeOptions*>(&source)) FResetPageNumber = other->FResetPageNumber;
}

TRLCustomReport::TRLCustomReport(TComponent* AOwner)
    : TRLCustomSkipper(AOwner),
      FPages(new TRLGraphicStorage(this)),
      FPageSetup(std::make_unique<TRLPageSetup>(this)),
      FCompositeOptions(std::make_unique<TRLCompositeOptions>()) {
  LoadMetrics();
}

TRLCustomReport::~TRLCustomReport() {
  SetExpressionParser(nullptr);
  FProgressForm.reset();
  FPageSurface.reset();
  // The store frees itself once nothing is linked to it.
  if (FPages) FPages->Unlink(this);
}

// ---- Chain -----------------------------------------------------------------------

bool TRLCustomReport::LinkClosesRing(TRLCustomReport* from, TRLCustomReport* to) const {
  // from -> to closes a ring when from is already reached from to.
  for (TRLCustomReport* r = to; r; r = r->FNextReport)
    if (r == from) return true;
  return false;
}

void TRLCustomReport::SetNextReport(TRLCustomReport* value) {
  if (value == this || value == FNextReport) return;
  if (value && LinkClosesRing(this, value)) return;
  if (FNextReport) FNextReport->FPriorReport = nullptr;
  FNextReport = value;
  if (value) {
    if (value->FPriorReport) value->FPriorReport->FNextReport = nullptr;
    value->FPriorReport = this;
    value->FreeNotification(this);
  }
}

void TRLCustomReport::SetPriorReport(TRLCustomReport* value) {
  if (value == this || value == FPriorReport) return;
  if (value && LinkClosesRing(value, this)) return;
  if (FPriorReport) FPriorReport->FNextReport = nullptr;
  FPriorReport = value;
  if (value) {
    if (value->FNextReport) value->FNextReport->FPriorReport = nullptr;
    value->FNextReport = this;
    value->FreeNotification(this);
  }
}

int TRLCustomReport::CompositeIndex() const {
  int index = 0;
  for (TRLCustomReport* r = FPriorReport; r; r = r->FPriorReport) ++index;
  return index;
}

void TRLCustomReport::Notification(TComponent* AComponent, TOperation Operation) {
  TRLCustomSkipper::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FNextReport) FNextReport = nullptr;
  if (AComponent == FPriorReport) FPriorReport = nullptr;
  if (AComponent == FDefaultFilter) FDefaultFilter = nullptr;
  if (FExpressionParser && AComponent == FExpressionParser) FExpressionParser = nullptr;
}

// ---- Properties ------------------------------------------------------------------

void TRLCustomReport::SetPrintQuality(TRLPrintQuality value) {
  if (FPrintQuality == value) return;
  FPrintQuality = value;
  Invalidate();
}

void TRLCustomReport::SetAdjustableMargins(bool value) {
  if (FAdjustableMargins == value) return;
  FAdjustableMargins = value;
  AdjustBounds();
  Invalidate();
}

void TRLCustomReport::SetTitle(const String& value) {
  if (FJobTitle == FTitle) FJobTitle = value;
  FTitle = value;
}

void TRLCustomReport::SetJobTitle(const String& value) { FJobTitle = value.empty() ? FTitle : value; }

TRLCustomReport* TRLCustomReport::Master() const {
  auto* report = const_cast<TRLCustomReport*>(this);
  for (const TRLCustomReport* start = this; report->FPriorReport && report->FPriorReport != start;)
    report = report->FPriorReport;
  return report;
}

int TRLCustomReport::PageNumber() const { return Master()->FCurrentPageNumber; }

void TRLCustomReport::PageSetupChanged() {
  AdjustBounds();
  Invalidate();
}

// ---- Printer margins -------------------------------------------------------------

void TRLCustomReport::LoadMetrics() { SharedPrinterWrapper()->LoadMetrics(FPrinterMetrics); }

TRect TRLCustomReport::PrinterMarginPixels() const {
  const TRLPrinterMetrics& m = FPrinterMetrics;
  if (m.PPIX * m.PPIY == 0) return TRect();
  auto scale = [](int dots, int ppi) { return static_cast<int>(std::nearbyint(double(dots) * 96 / ppi)); };
  TRect r(scale(m.MarginLeft, m.PPIX), scale(m.MarginTop, m.PPIY), scale(m.MarginRight, m.PPIX),
          scale(m.MarginBottom, m.PPIY));
  if (FPageSetup->Orientation() == poLandscape) r = TRect(r.Top, r.Right, r.Bottom, r.Left);
  return r;
}

void TRLCustomReport::GetMarginPixels(TRect& Rect) {
  TRLCustomSkipper::GetMarginPixels(Rect);
  if (!FAdjustableMargins) return;
  const TRect printer = PrinterMarginPixels();
  Rect = TRect(std::max(Rect.Left, printer.Left), std::max(Rect.Top, printer.Top), std::max(Rect.Right, printer.Right),
               std::max(Rect.Bottom, printer.Bottom));
}

// ---- Progress --------------------------------------------------------------------

void TRLCustomReport::SetProgressSize(int Max) {
  if (TfrmRLFeedBack* form = Master()->ProgressForm()) form->SetMax(Max);
}

void TRLCustomReport::SetProgressPhase(const String& Phase) {
  if (TfrmRLFeedBack* form = Master()->ProgressForm()) form->StepCaption(Phase);
}

void TRLCustomReport::StepProgress(int Step) {
  (void)Step;
  if (TfrmRLFeedBack* form = Master()->ProgressForm()) form->Tick();
}

void TRLCustomReport::StartProgress() {
  FProgressPage = -1;
  TRLCustomReport* master = Master();
  if (!master->FShowProgress) return;
  if (master != this) {
    if (TfrmRLFeedBack* form = master->ProgressForm()) form->NextLevel();
    return;
  }
  int levels = 0;
  for (TRLCustomReport* r = this; r; r = r->FNextReport) ++levels;
  FProgressForm = std::make_unique<TfrmRLFeedBack>(CurrentReportTexts.LS_PrintingInProgressStr, levels);
  FProgressForm->OnCancel = [this](TObject*, bool&) { Cancel(); };
  FProgressForm->Show();
  FProgressForm->SetFocus();
}

// ---- Data ------------------------------------------------------------------------

void TRLCustomReport::DataFirst() {
  SetProgressSize(DataCount());
  TRLCustomSkipper::DataFirst();
}

void TRLCustomReport::DataNext() {
  StepProgress(1);
  // The phase text is made only for a form that shows it, and only when
  // the page changes: a page holds dozens of records.
  if (Master()->ProgressForm() && PageNumber() != FProgressPage) {
    FProgressPage = PageNumber();
    SetProgressPhase(CurrentReportTexts.LS_PageStr + u" " + IntToStr(FProgressPage));
  }
  TRLCustomSkipper::DataNext();
}

// ---- Preparation -----------------------------------------------------------------

void TRLCustomReport::Clear() {
  FPageSurface.reset();
  FPages->Clear();
  FReportState = rsAbout;
  FCanceled = false;
  FPageIndex = -1;
  FCurrentPageNumber = FFirstPageNumber - 1;
}

void TRLCustomReport::ResetPageNumber() {
  if (FCompositeOptions->ResetPageNumber() || Master() == this)
    Master()->FCurrentPageNumber = FFirstPageNumber - 1;
}

bool TRLCustomReport::Prepare() {
  // Messages run while the progress form ticks: a second preparation
  // started from one of them would clear the store being written.
  if (FPreparing) throw EInvalidOperation(ReportText(Name() + u": " + CurrentReportTexts.LS_PrepareErrorStr));
  FPreparing = true;
  PushBoundsRect();
  bool madeForm = false;
  struct Leave {
    TRLCustomReport& report;
    bool& madeForm;
    ~Leave() {
      if (madeForm) report.FProgressForm.reset();
      report.PopBoundsRect();
      report.FPreparing = false;
    }
  } leave{*this, madeForm};
  bool result = false;
  try {
    Clear();
    FReportState = rsWriting;
    FReportDateTime = Now();
    ResetPageNumber();
    StartProgress();
    madeForm = FProgressForm != nullptr;
    SetProgressPhase(CurrentReportTexts.LS_PreparingReportStr);
    PrepareSteps(result);
  } catch (const Exception& e) {
    FReportState = rsAbout;
    if (FPriorReport) throw;
    if (dynamic_cast<const EAbort*>(&e)) return false;
    ReportError(e);
    return false;
  }
  return result;
}

void TRLCustomReport::PrepareSteps(bool& result) {
  bool printIt = true;
  FireBeforePrint(printIt);
  if (!printIt) {
    // Left at rsWriting, a later Print would send the empty store.
    FReportState = rsAbout;
    return;
  }
  ResetPageNumber();
  CollectSortedBands();
  LoadMetrics();
  BeginDoc();
  DataFirst();
  FNextReportState = nrStart;
  RunDataLoop();
  if (!FNextReport) {
    FReportState = rsClosing;
    FNextReportState = nrEnd;
  } else {
    FNextReportState = nrNext;
  }
  if (FPrintEmpty && DetailCount() == 0) OpenSurface();
  EndDoc();
  if (Master()->Canceled()) throw EAbort();
  FireAfterPrint();
  WriteLastPageMacros();
  if (FNextReport && !FNextReport->Prepare()) return;
  StorePageSetupInfo();
  FReportState = rsReady;
  result = true;
}

String LastPageMacroKey(const TRLCustomReport& report) {
  const int index = report.CompositeIndex();
  return index == 0 ? String(u"LastPageNumber") : u"LastPageNumber_" + IntToStr(index);
}

void TRLCustomReport::WriteLastPageMacros() {
  TStringList* macros = Master()->Pages()->Macros();
  const String number = IntToStr(PageNumber());
  macros->SetValues(LastPageMacroKey(*this), number);
  for (TRLCustomReport* r = this; !r->FCompositeOptions->ResetPageNumber() && r->FPriorReport; r = r->FPriorReport)
    macros->SetValues(LastPageMacroKey(*r->FPriorReport), number);
}

static String ClassNameOf(const Exception& e) {
  int status = 0;
  char* name = abi::__cxa_demangle(typeid(e).name(), nullptr, nullptr, &status);
  String result = AsciiToString(status == 0 && name ? name : typeid(e).name());
  std::free(name);
  return result;
}

void TRLCustomReport::ReportError(const Exception& e) {
  if (OnPrepareError) {
    OnPrepareError(this, e);
    return;
  }
  const String text = ReportText(Name() + u": " + CurrentReportTexts.LS_PrepareErrorStr + u"\r\n" + ClassNameOf(e) +
                                 u"(" + e.Message() + u")");
  Application->MessageBox(text, Application->Title(), MB_OK | MB_ICONERROR);
}

void TRLCustomReport::StorePageSetupInfo() {
  FPages->SetFirstPageNumber(FFirstPageNumber);
  FPages->SetTitle(FTitle);
  String job = FJobTitle;
  if (job.empty()) {
    const String owner = Owner() ? Owner()->Name() : String();
    job = Format(CurrentReportTexts.LS_DefaultJobTitle, {ParamStr(0) + u": " + owner + u"." + Name()});
  }
  FPages->SetJobTitle(ReportText(job));
  FPages->SetOrientation(FPageSetup->Orientation() == poLandscape ? 2 : 1);
  FPages->SetPaperWidth(FPageSetup->PaperWidth());
  FPages->SetPaperHeight(FPageSetup->PaperHeight());
}

// ---- Page life -------------------------------------------------------------------

void TRLCustomReport::PrepareSurfaceOpen() {
  TRLCustomSkipper::PrepareSurfaceOpen();
  TRLCustomReport* master = Master();
  ++master->FPageIndex;
  if (FCompositeOptions->NumberPages()) ++master->FCurrentPageNumber;
}

void TRLCustomReport::FillOpenedSurface() {
  TRLCustomSkipper::FillOpenedSurface();
  if (OnPageStarting) OnPageStarting(this);
}

void TRLCustomReport::FinishSurfaceContents() {
  if (OnPageEnding) OnPageEnding(this);
  TRLCustomSkipper::FinishSurfaceContents();
}

void TRLCustomReport::SettleClosedSurface() {
  TRLCustomSkipper::SettleClosedSurface();
  TRLGraphicSurface* page = FindParentSurface();
  page->Macros()->SetValues(u"PageNo", IntToStr(PageNumber()));
  page->Macros()->SetValues(u"CompositeIndex", IntToStr(CompositeIndex()));
  page->Close();
  Master()->Pages()->Add(FPageSurface.release());
}

TRLGraphicSurface* TRLCustomReport::FindParentSurface() {
  if (!FPageSurface) {
    FPageSurface = std::make_unique<TRLGraphicSurface>();
    FPageSurface->SetWidth(Width());
    FPageSurface->SetHeight(Height());
    FPageSurface->SetOrientation(FPageSetup->Orientation() == poLandscape ? 2 : 1);
    FPageSurface->SetPaperWidth(FPageSetup->PaperWidth());
    FPageSurface->SetPaperHeight(FPageSetup->PaperHeight());
    FPageSurface->Open();
  }
  return FPageSurface.get();
}

// ---- Page files ------------------------------------------------------------------

void TRLCustomReport::SaveToStream(TStream& Stream) {
  if (FReportState == rsAbout) Prepare();
  FPages->SaveToStream(Stream);
}

void TRLCustomReport::SaveToFile(const String& FileName) {
  if (FReportState == rsAbout) Prepare();
  FPages->SaveToFile(FileName);
}

void TRLCustomReport::TakeSettingsFromStore() {
  FFirstPageNumber = FPages->FirstPageNumber();
  FTitle = FPages->Title();
  FJobTitle = FPages->JobTitle();
  FPageSetup->SetOrientation(FPages->Orientation() == 2 ? poLandscape : poPortrait);
  FPageSetup->SetPaperSize(PaperSizeBySize(FPages->PaperWidth(), FPages->PaperHeight()));
  if (FPageSetup->PaperSize() == fpCustom) {
    FPageSetup->SetPaperWidth(FPages->PaperWidth());
    FPageSetup->SetPaperHeight(FPages->PaperHeight());
  }
  FReportState = rsReady;
}

void TRLCustomReport::LoadFromStream(TStream& Stream) {
  Clear();
  try {
    FPages->LoadFromStream(Stream);
  } catch (...) {
    // Never ready over half a file.
    Clear();
    throw;
  }
  TakeSettingsFromStore();
}

void TRLCustomReport::LoadFromFile(const String& FileName) {
  Clear();
  try {
    FPages->LoadFromFile(FileName);
  } catch (...) {
    Clear();
    throw;
  }
  TakeSettingsFromStore();
}

// ---- The placed report -----------------------------------------------------------

TRLReport::TRLReport(TComponent* AOwner) : TRLCustomReport(AOwner) {
  TRLMargins margins(this);
  margins.SetLeftMargin(10);
  margins.SetTopMargin(10);
  margins.SetRightMargin(10);
  margins.SetBottomMargin(10);
  SetMargins(&margins);
  SetColor(clWhite);
  SetTransparent(false);
  AdjustBounds();
}

void TRLReport::MeasureNaturalSize(int& Width, int& Height) {
  // A report always measures one page of its paper.
  Width = MMToPixels(PageSetup()->OrientedWidth());
  Height = MMToPixels(PageSetup()->OrientedHeight());
  SetFixedSize(TPoint(Width, Height));
  SetSizeFixed(true);
}
