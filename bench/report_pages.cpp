// The page store against plain file streams: adding 10,000 listing-like
// pages and saving them as a version 3 page file against writing the same
// bytes in the same record sizes, loading that file against reading them,
// a page far into a long report against one of a short report, and the
// temporary file's size after every page is browsed twice.
#include "support/BenchSupport.h"
#include "report/RLLibrary.h"
#include "report/pages/RLGraphicStorage.h"
#include "report/pages/RLRecordStream.h"
#include "platform/classes/Streams.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/NumUtils.h"
#include <benchmark/benchmark.h>
#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {
int Pages() { return BenchSize(10000, 60); }

String FileName(const char* name) { return GetTempFolder() + u"bench-" + AsciiToString(name); }

// About sixty texts in columns under a header, and a few lines.
TRLGraphicSurface* ListingPage(int number) {
  auto* s = new TRLGraphicSurface();
  s->SetWidth(794);
  s->SetHeight(1123);
  s->SetPaperWidth(210);
  s->SetPaperHeight(297);
  s->Macros()->Add(u"PageNo=" + IntToStr(number + 1));
  s->Font()->SetName(u"Arial");
  s->Font()->SetSize(12);
  s->TextRect({40, 40, 754, 60}, 40, 40, "Recebimentos do movimento - agente 001");
  s->TextRect({600, 60, 754, 80}, 600, 60, "Pagina {PageNo} de {LastPageNumber}");
  s->MoveTo(40, 85);
  s->LineTo(754, 85);
  s->Font()->SetSize(9);
  for (int row = 0; row < 14; ++row) {
    int y = 100 + row * 18;
    std::string cupom = std::to_string(100000 + number * 14 + row);
    s->TextRect({40, y, 120, y + 16}, 40, y, cupom);
    s->TextRect({130, y, 420, y + 16}, 130, y, "82610000001523450123000201234567890312300000");
    s->TextRectEx({430, y, 540, y + 16}, 430, y, std::to_string(row * 37 + number % 100) + ",50", RLMeta::AlignRight,
                  RLMeta::LayoutTop, 4);
    s->TextRect({550, y, 754, y + 16}, 550, y, row % 2 ? "Dinheiro" : "Cheque");
  }
  s->MoveTo(40, 360);
  s->LineTo(754, 360);
  s->Rectangle(40, 1040, 754, 1080);
  s->TextRect({50, 1050, 700, 1070}, 50, 1050, "Total da pagina");
  return s;
}

// Page records as the page file holds them, for the plain stream loops.
const std::vector<std::string>& Records() {
  static std::vector<std::string> records = [] {
    std::vector<std::string> r;
    for (int i = 0; i < Pages(); ++i) {
      std::unique_ptr<TRLGraphicSurface> page(ListingPage(i));
      TRLRecordWriter w;
      size_t at = w.ReserveInt32();
      page->SaveToRecord(w);
      w.PatchInt32(at, static_cast<int32_t>(w.Size() - 4));
      r.push_back(w.Data());
    }
    return r;
  }();
  return records;
}

void StoreAddAndSave(benchmark::State& state) {
  String name = FileName("store.rpf");
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<TRLGraphicSurface*> pages;
    for (int i = 0; i < Pages(); ++i) pages.push_back(ListingPage(i));
    state.ResumeTiming();
    auto* store = new TRLGraphicStorage();
    for (TRLGraphicSurface* page : pages) store->Add(page);
    store->SetLastPageNumber(Pages());
    store->SaveToFile(name);
    state.PauseTiming();
    delete store;
    state.ResumeTiming();
  }
}

void StreamWrite(benchmark::State& state) {
  String name = FileName("plain.rpf");
  const std::vector<std::string>& records = Records();
  std::string head(18 + 4 + 4 + 4 * records.size(), '\0');
  for (auto _ : state) {
    TFileStream file(name, fmCreate);
    file.WriteBuffer(head.data(), static_cast<int64_t>(head.size()));
    for (const std::string& r : records) file.WriteBuffer(r.data(), static_cast<int64_t>(r.size()));
  }
}

void StoreLoad(benchmark::State& state) {
  String name = FileName("store.rpf");
  for (auto _ : state) {
    auto* store = new TRLGraphicStorage();
    store->LoadFromFile(name);
    if (store->PageCount() != Pages()) state.SkipWithError("pages missing");
    state.PauseTiming();
    delete store;
    state.ResumeTiming();
  }
}

void StreamRead(benchmark::State& state) {
  String name = FileName("plain.rpf");
  const std::vector<std::string>& records = Records();
  std::string buffer;
  for (auto _ : state) {
    TFileStream file(name, fmOpenRead | fmShareDenyWrite);
    buffer.resize(18 + 4 + 4 + 4 * records.size());
    file.ReadBuffer(buffer.data(), static_cast<int64_t>(buffer.size()));
    for (const std::string& r : records) {
      buffer.resize(r.size());
      file.ReadBuffer(buffer.data(), static_cast<int64_t>(r.size()));
    }
  }
}

// Ten pages in turn near nine tenths of the report, so the cache of five
// never holds the one asked for.
void PageFarIn(benchmark::State& state) {
  int count = static_cast<int>(state.range(0));
  auto* store = new TRLGraphicStorage();
  for (int i = 0; i < count; ++i) store->Add(ListingPage(i));
  int first = count * 9 / 10 - 5;
  int k = 0;
  for (auto _ : state) {
    TRLGraphicSurface* page = store->GetPages(first + k);
    if (!page) state.SkipWithError("page missing");
    benchmark::DoNotOptimize(page);
    k = (k + 1) % 10;
  }
  delete store;
}

double Minimum(const std::vector<double>& v) { return v.empty() ? 0 : *std::min_element(v.begin(), v.end()); }

class TRatios : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
      if (!run.error_occurred && run.aggregate_name == "min")
        Times[run.run_name.function_name + (run.run_name.args.empty() ? "" : "/" + run.run_name.args)] =
            run.GetAdjustedRealTime();
  }
  double Time(const std::string& name) const {
    auto it = Times.find(name);
    return it == Times.end() ? 0 : it->second;
  }
  std::map<std::string, double> Times;
};
}  // namespace

// Side by side and the fastest of five: a busy machine only adds time.
#define BENCH_PAGES(fn) \
  BENCHMARK(fn)->Repetitions(5)->ReportAggregatesOnly(true)->ComputeStatistics("min", Minimum)->Unit(benchmark::kMillisecond)
BENCH_PAGES(StreamWrite)->Iterations(1);
BENCH_PAGES(StoreAddAndSave)->Iterations(1);
BENCH_PAGES(StreamRead)->Iterations(1);
BENCH_PAGES(StoreLoad)->Iterations(1);
BENCH_PAGES(PageFarIn)->Arg(100)->Iterations(200);
BENCH_PAGES(PageFarIn)->Arg(10000)->Iterations(200);

int main(int argc, char** argv) {
  TRLLibraryScope library;
  benchmark::Initialize(&argc, argv);
  if (BenchSmoke()) {
    // Tiny sizes: the long report is as short as the other.
    benchmark::ClearRegisteredBenchmarks();
    BENCH_PAGES(StreamWrite)->Iterations(1)->Repetitions(1);
    BENCH_PAGES(StoreAddAndSave)->Iterations(1)->Repetitions(1);
    BENCH_PAGES(StreamRead)->Iterations(1)->Repetitions(1);
    BENCH_PAGES(StoreLoad)->Iterations(1)->Repetitions(1);
    BENCH_PAGES(PageFarIn)->Arg(100)->Iterations(20)->Repetitions(1);
  }
  Records();
  TRatios ratios;
  benchmark::RunSpecifiedBenchmarks(&ratios);

  auto ratio = [&](const char* what, const std::string& a, const std::string& b, double goal) {
    double ta = ratios.Time(a), tb = ratios.Time(b);
    if (ta > 0 && tb > 0) PrintRatio(what, ta / tb, goal);
  };
  ratio("Add + SaveToFile v3 / plain writes", "StoreAddAndSave", "StreamWrite", 1.5);
  ratio("LoadFromFile / plain reads", "StoreLoad", "StreamRead", 1.5);
  ratio("page 9,000 of 10,000 / page 90 of 100", "PageFarIn/10000", "PageFarIn/100", 1.2);

  // Browsing every page twice writes nothing more to the temporary file.
  auto* store = new TRLGraphicStorage();
  for (int i = 0; i < Pages(); ++i) store->Add(ListingPage(i));
  String name = FileName("browse.rpf");
  for (int round = 0; round < 2; ++round)
    for (int i = 0; i < store->PageCount(); ++i) store->GetPages(i);
  store->SaveToFile(name);
  PrintRatio("temp-file bytes / saved bytes after browsing twice",
             static_cast<double>(store->TempStreamSize()) / static_cast<double>(FileSizeOf(name)), 1.05);
  delete store;
  for (const char* file : {"browse.rpf", "store.rpf", "plain.rpf"}) DeleteFile(FileName(file));
  benchmark::Shutdown();
  return 0;
}
