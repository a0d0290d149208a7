// Preparing a listing of 60,000 query rows (about 1,200 A4 pages) against
// the floor of walking the same rows, measuring each text once and writing
// as many bytes as the page file. Connects with the BRQ_DB_* environment.
#include "support/BenchDatabase.h"
#include "support/BenchSupport.h"

#include "platform/classes/Streams.h"
#include "platform/data/DataSource.h"
#include "platform/data/FDConnection.h"
#include "platform/data/FDDataSet.h"
#include "platform/data/Field.h"
#include "platform/ui/Forms.h"
#include "report/RLLibrary.h"
#include "report/components/RLDBResult.h"
#include "report/components/RLSiteKinds.h"
#include "report/pages/RLGraphicStorage.h"
#include "report/pages/RLGraphicSurface.h"
#include "report/parser/RLExpressionParser.h"

#include <benchmark/benchmark.h>
#include <windows.h>
// After the Win32 headers, which make DeleteFile a macro.
#include "platform/rtl/FileUtils.h"

#include <chrono>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

namespace {

constexpr int FieldCount = 9;

TFDConnection& Connection() { return BenchConnection(); }

// Nine display columns over a generated sequence of rows.
TFDQuery* Query(int rows) {
  static std::map<int, TFDQuery*> queries;
  TFDQuery*& query = queries[rows];
  if (!query) {
    query = new TFDQuery(nullptr);
    query->SetConnection(&Connection());
    query->SQL().Add(u"SELECT seq, CONCAT('Cliente ', seq), LPAD(seq, 6, '0'), "
                     u"DATE_ADD('2024-01-01', INTERVAL seq MOD 365 DAY), seq / 100, "
                     u"IF(seq MOD 2, 'Dinheiro', 'Cheque'), CONCAT('Rua ', seq MOD 97), 'N', 'CAIXA' "
                     u"FROM seq_1_to_" + Utf8ToString(std::to_string(rows)));
    query->Open();
  }
  return query;
}

// A listing whose detail band draws the row's nine texts.
struct Listing {
  explicit Listing(int rows, bool progress) : form(new TForm(nullptr)) {
    TFDQuery* query = Query(rows);
    source = new TDataSource(form.get());
    source->SetDataSet(query);
    report = new TRLReport(form.get());
    report->SetParent(form.get());
    report->SetDataSource(source);
    report->SetShowProgress(progress);
    auto* band = new TRLBand(form.get());
    band->SetParent(report);
    band->SetBounds(0, 0, 700, 21);
    band->OnDraw = [query](TObject*, TRLGraphicSurface* surface, TRect rect) {
      for (int i = 0; i < FieldCount; ++i)
        surface->TextOut(rect.Left + i * 78, rect.Top, StringToAnsi(query->Fields()[i]->DisplayText()));
    };
  }
  std::unique_ptr<TForm> form;
  TDataSource* source;
  TRLReport* report;
};

int Rows() { return BenchSize(60000, 600); }

struct Figures {
  int64_t pageFileBytes = 0;
  int64_t tempBytes = 0;
  int pages = 0;
};
std::map<int, Figures> figures;

void RunPrepare(benchmark::State& state, bool progress) {
  const int rows = static_cast<int>(state.range(0));
  Listing listing(rows, progress);
  for (auto _ : state)
    if (!listing.report->Prepare()) state.SkipWithError("prepare failed");
  Figures& f = figures[rows];
  f.pages = listing.report->Pages()->PageCount();
  f.tempBytes = listing.report->Pages()->TempStreamSize();
  TMemoryStream file;
  listing.report->Pages()->SaveToStream(file);
  f.pageFileBytes = file.Size();
  state.counters["pages"] = f.pages;
}

void BM_Prepare(benchmark::State& state) { RunPrepare(state, false); }
void BM_PrepareWithProgress(benchmark::State& state) { RunPrepare(state, true); }

// Walk the rows reading the nine texts, measure each once, and write the
// page file's bytes.
void BM_Floor(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  TFDQuery* query = Query(rows);
  HDC dc = CreateCompatibleDC(nullptr);
  const int64_t bytes = figures[rows].pageFileBytes;
  const std::string chunk(64 * 1024, 'x');
  const String file = GetTempFolder() + u"\\bench-report-floor.tmp";
  for (auto _ : state) {
    for (query->First(); !query->Eof(); query->Next())
      for (int i = 0; i < FieldCount; ++i) {
        const String text = query->Fields()[i]->DisplayText();
        SIZE size;
        GetTextExtentPoint32W(dc, reinterpret_cast<const WCHAR*>(text.data()), static_cast<int>(text.size()), &size);
        benchmark::DoNotOptimize(size);
      }
    TFileStream out(file, fmCreate);
    for (int64_t left = bytes; left > 0; left -= static_cast<int64_t>(chunk.size()))
      out.WriteBuffer(chunk.data(), std::min<int64_t>(left, static_cast<int64_t>(chunk.size())));
  }
  DeleteDC(dc);
  DeleteFile(file);
}

// ---- Listings of text controls ----------------------------------------------

// The listing with its nine texts as auto-sized data texts and a summary of
// three sums; with formulas, three formula texts and three formula sums
// against the same through fields.
enum class TextKind { AllFields, ThreeFields, ThreeFormulas };

struct TextListing {
  TextListing(int rows, TextKind kind) : form(new TForm(nullptr)) {
    TFDQuery* query = Query(rows);
    auto* source = new TDataSource(form.get());
    source->SetDataSet(query);
    report = new TRLReport(form.get());
    report->SetParent(form.get());
    report->SetDataSource(source);
    report->SetShowProgress(false);
    report->SetExpressionParser(new TRLExpressionParser(form.get()));
    auto* detail = new TRLBand(form.get());
    detail->SetParent(report);
    detail->SetBounds(0, 0, 700, 21);
    auto* summary = new TRLBand(form.get());
    summary->SetParent(report);
    summary->SetBounds(0, 30, 700, 21);
    summary->SetBandType(btSummary);
    auto name = [query](int column) { return query->Fields()[column]->FieldName(); };
    const int texts = kind == TextKind::AllFields ? FieldCount : 3;
    const String seq = name(0), cents = name(4);
    const String fields[3] = {seq, cents, seq};
    const String formulas[3] = {u"seq", u"seq / 100", u"seq + 1"};
    const String sums[3] = {u"sum(seq)", u"sum(seq / 100)", u"sum(seq + 1)"};
    for (int i = 0; i < texts; ++i) {
      auto* text = new TRLDBText(form.get());
      text->SetParent(detail);
      text->SetBounds(i * 78, 2, 65, 17);
      text->SetDataSource(source);
      if (kind == TextKind::ThreeFormulas)
        text->SetDataFormula(formulas[i]);
      else
        text->SetDataField(kind == TextKind::AllFields ? name(i) : fields[i]);
    }
    for (int i = 0; i < 3; ++i) {
      auto* result = new TRLDBResult(form.get());
      result->SetParent(summary);
      result->SetBounds(i * 150, 2, 65, 17);
      result->SetDataSource(source);
      if (kind == TextKind::ThreeFormulas) {
        result->SetDataFormula(sums[i]);
      } else {
        result->SetDataField(fields[i]);
        result->SetInfo(riSum);
      }
    }
  }
  std::unique_ptr<TForm> form;
  TRLReport* report;
};

void RunTextListing(benchmark::State& state, TextKind kind) {
  TextListing listing(static_cast<int>(state.range(0)), kind);
  for (auto _ : state)
    if (!listing.report->Prepare()) state.SkipWithError("prepare failed");
  state.counters["pages"] = listing.report->Pages()->PageCount();
}

void BM_TextListing(benchmark::State& state) { RunTextListing(state, TextKind::AllFields); }
void BM_FieldSums(benchmark::State& state) { RunTextListing(state, TextKind::ThreeFields); }
void BM_FormulaSums(benchmark::State& state) { RunTextListing(state, TextKind::ThreeFormulas); }

#define BENCH_REPORT(function)                                                                 \
  BENCHMARK(function)->Repetitions(BenchSmoke() ? 1 : 3)->ReportAggregatesOnly(!BenchSmoke())  \
      ->ComputeStatistics("min", Fastest)->Unit(benchmark::kMillisecond)->Iterations(1)
BENCH_REPORT(BM_Prepare)->Arg(Rows())->Arg(Rows() / 10);
BENCH_REPORT(BM_PrepareWithProgress)->Arg(Rows());
BENCH_REPORT(BM_Floor)->Arg(Rows());
BENCH_REPORT(BM_TextListing)->Arg(Rows());
BENCH_REPORT(BM_FieldSums)->Arg(Rows());
BENCH_REPORT(BM_FormulaSums)->Arg(Rows());

// Keeps the fastest time of each benchmark and argument for the ratios.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const std::string name = run.run_name.function_name + "/" + run.run_name.args;
      if (run.aggregate_name == "min" || (run.aggregate_name.empty() && !Times.count(name)))
        Times[name] = run.GetAdjustedRealTime();
    }
  }
  std::map<std::string, double> Times;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  ReportLibraryStartup();
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const std::string many = std::to_string(Rows()), few = std::to_string(Rows() / 10);
  auto time = [&](const std::string& name) { return reporter.Times[name]; };
  auto ratio = [](double a, double b) { return a > 0 && b > 0 ? a / b : 0.0; };
  PrintRatio("prepare / floor", ratio(time("BM_Prepare/" + many), time("BM_Floor/" + many)), 3);
  const Figures& fb = figures[Rows()];
  const Figures& fs = figures[Rows() / 10];
  const double perPageBig = fb.pages ? time("BM_Prepare/" + many) / fb.pages : 0;
  const double perPageSmall = fs.pages ? time("BM_Prepare/" + few) / fs.pages : 0;
  PrintRatio("per page, many pages / few pages", ratio(perPageBig, perPageSmall), 1.15);
  PrintRatio("progress on / off", ratio(time("BM_PrepareWithProgress/" + many), time("BM_Prepare/" + many)), 1.3);
  PrintRatio("temporary bytes / page-file bytes", ratio(double(fb.tempBytes), double(fb.pageFileBytes)), 1.05);
  PrintRatio("data texts and sums / floor", ratio(time("BM_TextListing/" + many), time("BM_Floor/" + many)), 4);
  PrintRatio("formula texts and sums / field texts and sums",
             ratio(time("BM_FormulaSums/" + many), time("BM_FieldSums/" + many)), 1.5);
  benchmark::Shutdown();
  ReportLibraryShutdown();
  return 0;
}
