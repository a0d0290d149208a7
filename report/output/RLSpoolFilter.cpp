#include "report/output/RLSpoolFilter.h"
#include "report/output/RLPrinters.h"
#include "report/pages/RLGraphicStorage.h"
#include "report/pages/RLGraphicSurface.h"
#include <cmath>

namespace {
std::unique_ptr<TRLSpoolFilter> GSharedSpoolFilter;

int RoundDots(double AValue) { return static_cast<int>(std::nearbyint(AValue)); }
}  // namespace

TRLSpoolFilter* SharedSpoolFilter() {
  if (!GSharedSpoolFilter) GSharedSpoolFilter = std::make_unique<TRLSpoolFilter>(nullptr);
  return GSharedSpoolFilter.get();
}

void FreeSharedSpoolFilter() { GSharedSpoolFilter.reset(); }

TRLSpoolFilter::TRLSpoolFilter(TComponent* AOwner) : TRLCustomPrintFilter(AOwner) {
  FClassOptions.Include(foEmulateCopies);
}

String TRLSpoolFilter::JobTitle() const {
  String title;
  if (Pages()) {
    title = Pages()->JobTitle();
    if (title.empty()) title = Pages()->Title();
  }
  return title.empty() ? String(u"Sem título") : title;
}

void TRLSpoolFilter::SetDocumentPaper(uint8_t AOrientation, double APaperWidthMM, double APaperHeightMM) {
  TRLPrinterWrapper* printer = SharedPrinterWrapper();
  bool newPaper = APaperWidthMM != FPaperWidth || APaperHeightMM != FPaperHeight || AOrientation != FOrientation;
  if (!newPaper && FDocStarted) return;
  FPaperWidth = APaperWidthMM;
  FPaperHeight = APaperHeightMM;
  FOrientation = AOrientation;
  if (FDocStarted) {
    FDocStarted = false;
    printer->EndDoc();
  }
  // A new job starts on a fresh sheet: a break asked for is already taken.
  FBreakPending = false;
  printer->SetPaperSize(FPaperWidth, FPaperHeight, FOrientation == 2, false, true);
  TRLPrinterMetrics metrics;
  printer->LoadMetrics(metrics);
  const bool landscape = FOrientation == 2;
  int width = RoundDots(metrics.PPIX * (landscape ? FPaperHeight : FPaperWidth) / 25.4);
  int height = RoundDots(metrics.PPIY * (landscape ? FPaperWidth : FPaperHeight) / 25.4);
  FPrinterRect = TRect(-metrics.MarginLeft, -metrics.MarginTop, width - metrics.MarginLeft, height - metrics.MarginTop);
  printer->BeginDoc(JobTitle());
  FDocStarted = true;
}

void TRLSpoolFilter::DoBeginDoc() {
  // The job opens with the first page's own paper, so a store whose paper
  // differs from its first page's sends no empty job first.
  FDocStarted = false;
  FBreakPending = false;
  FPaperWidth = FPaperHeight = 0;
  FOrientation = 0;
}

void TRLSpoolFilter::DoEndDoc() {
  TRLPrinterWrapper* printer = SharedPrinterWrapper();
  FBreakPending = false;
  if (FDocStarted && printer->Printing()) printer->EndDoc();
}

void TRLSpoolFilter::DoNewPage() { FBreakPending = true; }

void TRLSpoolFilter::DoDrawPage(TRLGraphicSurface* APage) {
  double width = APage->PaperWidth();
  double height = APage->PaperHeight();
  uint8_t orientation = APage->Orientation() == 2 ? 2 : 1;
  // Pages of the first file version carry no paper: their pixels at 96 dpi.
  if (width <= 0 || height <= 0) {
    width = APage->Width() * 25.4 / 96;
    height = APage->Height() * 25.4 / 96;
    if (orientation == 2) std::swap(width, height);
  }
  SetDocumentPaper(orientation, width, height);
  if (FBreakPending) {
    FBreakPending = false;
    SharedPrinterWrapper()->NewPage();
  }
  APage->PaintTo(SharedPrinterWrapper()->Canvas(), FPrinterRect);
}
