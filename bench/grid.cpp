// The library's data grid against the platform grid: full repaints of a
// 40-row, 9-column grid with row colours and a cell hook, and widths fitted
// to content over 100,000 rows against a bare walk measuring the same
// texts. Needs the BRQ_DB_* environment and a display.
#include "controls/RxDBCtrl.h"
#include "platform/data/DataSource.h"
#include "platform/data/FDConnection.h"
#include "platform/data/FDDataSet.h"
#include "platform/rtl/NumUtils.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/Forms.h"
#include "support/BenchDatabase.h"
#include "support/BenchSupport.h"
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace {
const int Rows = BenchSize(100000, 200);
const int Repaints = BenchSize(1000, 3);
const char16_t* const NineColumns =
    u"SELECT CUPOM, RECEBIMENTO, HORA, VALOR, TROCO, CHQ_DINH, ESTORNADO, USUARIO, INSCRICAO "
    u"FROM recebimentos WHERE COD_AGENTE = 'BGR' ORDER BY CUPOM";

TFDConnection& Connection() { return BenchConnection(); }

void Prepare() {
  TFDConnection& c = Connection();
  c.ExecSQL(u"DELETE FROM recebimentos WHERE COD_AGENTE = 'BGR'");
  c.ExecSQL(u"INSERT INTO recebimentos (RECEBIMENTO, CUPOM, HORA, VALOR, TROCO, CHQ_DINH, CODIGOBARRAS, "
            u"ESTORNADO, USUARIO, COD_AGENTE, INSCRICAO) "
            u"SELECT DATE_ADD('2024-01-01', INTERVAL seq MOD 365 DAY), LPAD(seq, 6, '0'), '101500', "
            u"seq / 100, 0.5, IF(seq MOD 2, 'Dinheiro', 'Cheque'), "
            u"CONCAT('8261', LPAD(seq, 44, '0')), 'N', 'CAIXA', 'BGR', '1234567890123' "
            u"FROM seq_1_to_" + IntToStr(Rows));
}

// A shown form with a grid of 40 visible rows over the first 40 rows.
struct GridBench {
  TForm* form = new TForm(Application);
  TDataSource* source = new TDataSource(form);
  TFDQuery* query = new TFDQuery(form);

  GridBench() {
    form->SetBounds(0, 0, 1100, 900);
    query->SetConnection(&Connection());
    query->SQL().Add(String(NineColumns) + u" LIMIT 40");
    source->SetDataSet(query);
    query->Open();
  }
  ~GridBench() { form->Free(); }

  template <class Grid>
  Grid* Place(Grid* grid) {
    grid->SetParent(form);
    grid->SetBounds(0, 0, 1080, 860);
    grid->SetDataSource(source);
    form->Show();
    Application->ProcessMessages();
    return grid;
  }
};

void PlatformGridRepaints(benchmark::State& state) {
  GridBench bench;
  auto* grid = bench.Place(new TDBGrid(bench.form));
  for (auto _ : state)
    for (int i = 0; i < Repaints; ++i) grid->Repaint();
}

void RxGridRepaints(benchmark::State& state) {
  GridBench bench;
  auto* grid = new TRxDBGrid(bench.form);
  grid->SetRowColorsUse(true);
  grid->OnGetCellParams = [](TObject*, TField* field, TFont*, TColor& background, bool) {
    if (field->FieldName() == u"CHQ_DINH" && field->AsString() == u"Cheque") background = 0x00C0FFFF;
  };
  bench.Place(grid);
  for (auto _ : state)
    for (int i = 0; i < Repaints; ++i) grid->Repaint();
}

// Measuring every display text the way the grid does, without the grid.
void BareMeasuringWalk(benchmark::State& state) {
  TFDQuery query(nullptr);
  query.SetConnection(&Connection());
  query.SQL().Add(NineColumns);
  query.Open();
  TFont font;
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font.Handle());
  for (auto _ : state) {
    std::vector<int> widths(static_cast<size_t>(query.FieldCount()), 0);
    for (query.First(); !query.Eof(); query.Next())
      for (int i = 0; i < query.FieldCount(); ++i) {
        const String text = Trim(query.Fields()[i]->DisplayText());
        SIZE size{};
        GetTextExtentPoint32W(dc, reinterpret_cast<LPCWSTR>(text.c_str()), static_cast<int>(text.size()), &size);
        widths[static_cast<size_t>(i)] = std::max(widths[static_cast<size_t>(i)], static_cast<int>(size.cx) + 10);
      }
    benchmark::DoNotOptimize(widths);
  }
  SelectObject(dc, old);
  DeleteDC(dc);
}

void RxWidthsByContent(benchmark::State& state) {
  TForm* form = new TForm(Application);
  auto* source = new TDataSource(form);
  auto* query = new TFDQuery(form);
  query->SetConnection(&Connection());
  query->SQL().Add(NineColumns);
  source->SetDataSet(query);
  query->Open();
  auto* grid = new TRxDBGrid(form);
  grid->SetParent(form);
  grid->SetDataSource(source);
  for (auto _ : state) grid->SetGridColumnWidthsByContent(true);
  form->Free();
}

}  // namespace

BENCHMARK(PlatformGridRepaints)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(RxGridRepaints)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BareMeasuringWalk)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(RxWidthsByContent)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (BenchSmoke()) std::printf("Smoke run with %d rows: the figures mean nothing.\n", Rows);
  try {
    Prepare();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "cannot prepare the rows: %s\n", e.what());
    return 1;
  }
  TIterationTimes reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  auto ratio = [&](const char* a, const char* b) {
    const double x = reporter.Times[a], y = reporter.Times[b];
    return x > 0 && y > 0 ? x / y : 0.0;
  };
  PrintRatio("grid repaints with row colours and cell hook vs platform grid",
             ratio("RxGridRepaints", "PlatformGridRepaints"), 1.3);
  PrintRatio("widths by content vs bare measuring walk", ratio("RxWidthsByContent", "BareMeasuringWalk"), 1.5);
  Connection().ExecSQL(u"DELETE FROM recebimentos WHERE COD_AGENTE = 'BGR'");
  return 0;
}
