// Printing through the spool filter against the floor of replaying the same
// pages onto the same printer DC: 1,200 listing pages to the PDF queue,
// each run timed until EndDoc returns. A filter that re-creates fonts, pens
// or clips per object shows here.
#include "support/BenchSupport.h"
#include "platform/rtl/NumUtils.h"
#include "report/RLLibrary.h"
#include "report/output/RLPrinters.h"
#include "report/output/RLSpoolFilter.h"
#include "report/pages/RLGraphicStorage.h"
#include "report/pages/RLGraphicSurface.h"
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>

namespace {
int Pages() { return BenchSize(1200, 3); }

// A listing page: a header, about fifty texts in columns, a few lines.
TRLGraphicSurface* ListingPage(int number) {
  auto* s = new TRLGraphicSurface();
  s->SetWidth(794);
  s->SetHeight(1123);
  s->SetOrientation(1);
  s->SetPaperWidth(210);
  s->SetPaperHeight(297);
  s->Font()->SetName(u"Arial");
  s->Font()->SetSize(12);
  s->TextRect({40, 40, 754, 60}, 40, 40, "Recebimentos do movimento - agente 001");
  s->TextRect({600, 60, 754, 80}, 600, 60, "Pagina " + std::to_string(number + 1));
  s->MoveTo(40, 85);
  s->LineTo(754, 85);
  s->Font()->SetSize(9);
  for (int row = 0; row < 12; ++row) {
    int y = 100 + row * 18;
    s->TextRect({40, y, 120, y + 16}, 40, y, std::to_string(100000 + number * 12 + row));
    s->TextRect({130, y, 420, y + 16}, 130, y, "82610000001523450123000201234567890312300000");
    s->TextRectEx({430, y, 540, y + 16}, 430, y, std::to_string(row * 37 + number % 100) + ",50", RLMeta::AlignRight,
                  RLMeta::LayoutTop, 4);
    s->TextRect({550, y, 754, y + 16}, 550, y, row % 2 ? "Dinheiro" : "Cheque");
  }
  s->Rectangle(40, 1040, 754, 1080);
  s->TextRect({50, 1050, 700, 1070}, 50, 1050, "Total da pagina");
  return s;
}

struct TBenchStore {
  TComponent holder{nullptr};
  TRLGraphicStorage* store = new TRLGraphicStorage(&holder);
  TBenchStore() {
    for (int i = 0; i < Pages(); ++i) store->Add(ListingPage(i));
  }
  ~TBenchStore() { store->Unlink(&holder); }
};

TBenchStore& Store() {
  static TBenchStore store;
  return store;
}

int RunNumber() {
  static int n = 0;
  return ++n;
}

String JobTitle(const char* what) {
  return AsciiToString("brq_bench_" + std::string(what) + "_" + std::to_string(getpid()) + "_" +
                       std::to_string(RunNumber()));
}

void SpoolFilter(benchmark::State& state) {
  TRLSpoolFilter* filter = SharedSpoolFilter();
  filter->SetShowProgress(false);
  for (auto _ : state) {
    Store().store->SetJobTitle(JobTitle("spool"));
    filter->FilterPages(Store().store);
  }
}

// The same pages painted in one job on the same paper, as the filter's
// floor: one job, one paper set-up, PaintTo per page.
void PaintToPrinter(benchmark::State& state) {
  TRLPrinterWrapper* printer = SharedPrinterWrapper();
  for (auto _ : state) {
    printer->SetPaperSize(210, 297, false, false, true);
    TRLPrinterMetrics m;
    printer->LoadMetrics(m);
    TRect rect(-m.MarginLeft, -m.MarginTop, m.PhysicalWidth - m.MarginLeft, m.PhysicalHeight - m.MarginTop);
    printer->BeginDoc(JobTitle("paint"));
    for (int i = 0; i < Pages(); ++i) {
      if (i > 0) printer->NewPage();
      Store().store->GetPages(i)->PaintTo(printer->Canvas(), rect);
    }
    printer->EndDoc();
  }
}

double Minimum(const std::vector<double>& v) { return Fastest(v); }
}  // namespace

#define BENCH_PRINT(fn) \
  BENCHMARK(fn)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true)->ComputeStatistics("min", Minimum)->Unit(benchmark::kMillisecond)
BENCH_PRINT(PaintToPrinter);
BENCH_PRINT(SpoolFilter);

int main(int argc, char** argv) {
  TRLLibraryScope library;
  benchmark::Initialize(&argc, argv);
  if (BenchSmoke()) {
    benchmark::ClearRegisteredBenchmarks();
    BENCHMARK(PaintToPrinter)->Iterations(1)->Repetitions(1);
    BENCHMARK(SpoolFilter)->Iterations(1)->Repetitions(1);
  }
  SharedPrinterWrapper()->SetPrinterName(u"PDF");
  Store();
  // The queue holds the jobs instead of turning them into PDFs, which would
  // take the machine while the next runs are timed; they are dropped after.
  std::system("cupsdisable PDF >/dev/null 2>&1");
  TFastestTimes times;
  benchmark::RunSpecifiedBenchmarks(&times);
  double spool = times.Of("SpoolFilter"), paint = times.Of("PaintToPrinter");
  if (spool > 0 && paint > 0) PrintRatio("spool filter / PaintTo on the printer DC", spool / paint, 1.3);
  std::system("cancel -a PDF >/dev/null 2>&1; cupsenable PDF >/dev/null 2>&1");
  return 0;
}
