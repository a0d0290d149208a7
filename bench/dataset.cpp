// Opening the 100,000 receipts of one agent through the data-access layer
// (a table filtered by the agent, as the data module opens it) against a
// bare mysql_query loop over the statement the table sends. Connects with the BRQ_DB_*
// environment (start a server with scripts/db.sh and load app/schema.sql).
#include "platform/data/FDConnection.h"
#include "platform/data/FDDataSet.h"
#include "support/BenchDatabase.h"
#include "support/BenchSupport.h"
#include <benchmark/benchmark.h>
#include <mysql.h>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace {
const int Rows = BenchSize(100000, 200);

TFDConnection& Connection() { return BenchConnection(); }

// 100,000 receipts of a benchmark agent, each with a bill line of its own
// (the agent receives a line once). Kept between runs: rows deleted just
// before stay in the indexes until the server purges them, which slows
// whatever reads first.
void Prepare() {
  TFDConnection& c = Connection();
  TFDQuery count(nullptr);
  count.SetConnection(&c);
  count.SQL().SetText(u"SELECT COUNT(*) AS N FROM recebimentos WHERE COD_AGENTE = 'BEN'");
  count.Open();
  if (count.FieldByName(u"N")->AsInteger() == Rows) return;
  count.Close();
  c.ExecSQL(u"DELETE FROM recebimentos WHERE COD_AGENTE = 'BEN'");
  c.ExecSQL(u"INSERT INTO recebimentos (RECEBIMENTO, CUPOM, HORA, VALOR, TROCO, CHQ_DINH, CODIGOBARRAS, "
            u"ESTORNADO, USUARIO, COD_AGENTE, INSCRICAO) "
            u"SELECT DATE_ADD('2024-01-01', INTERVAL seq MOD 365 DAY), LPAD(seq, 6, '0'), '101500', "
            u"seq / 100, 0.5, IF(seq MOD 2, 'Dinheiro', 'Cheque'), "
            u"CONCAT('8', LPAD(seq, 47, '0')), 'N', 'CAIXA', 'BEN', '1234567890123' "
            u"FROM seq_1_to_" + Utf8ToString(std::to_string(Rows)));
}

void BareMySqlQuery(benchmark::State& state) {
  const long rows = BenchBareWalk(state, "SELECT * FROM `dbvorlent`.`recebimentos` WHERE `COD_AGENTE` = 'BEN' ORDER BY `ID`");
  if (rows >= 0 && rows < Rows) state.SkipWithError("too few rows");
}

void LayerOpenTable(benchmark::State& state) {
  TFDTable table(nullptr);
  table.SetConnection(&Connection());
  table.SetTableName(u"dbvorlent.recebimentos");
  table.SetFilter(u"COD_AGENTE = 'BEN'");
  table.SetFiltered(true);
  for (auto _ : state) {
    table.Open();
    if (table.RecordCount() < Rows) state.SkipWithError("too few rows");
    table.Close();
  }
}

// For comparison only: the walk a report makes over every record.
void LayerOpenAndWalk(benchmark::State& state) {
  TFDTable table(nullptr);
  table.SetConnection(&Connection());
  table.SetTableName(u"dbvorlent.recebimentos");
  table.SetFilter(u"COD_AGENTE = 'BEN'");
  table.SetFiltered(true);
  for (auto _ : state) {
    table.Open();
    TField* valor = table.FieldByName(u"VALOR");
    TField* cupom = table.FieldByName(u"CUPOM");
    double sum = 0;
    for (table.First(); !table.Eof(); table.Next()) {
      sum += valor->AsFloat();
      benchmark::DoNotOptimize(cupom->AsString());
    }
    benchmark::DoNotOptimize(sum);
    table.Close();
  }
}

}  // namespace

// A smoke run takes one iteration of each.
void Configure(benchmark::internal::Benchmark* b) {
  b->Unit(benchmark::kMillisecond);
  if (BenchSmoke()) b->Iterations(1);
  else b->MinTime(3);
}
BENCHMARK(BareMySqlQuery)->Apply(Configure);
BENCHMARK(LayerOpenTable)->Apply(Configure);
BENCHMARK(LayerOpenAndWalk)->Apply(Configure);

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  try {
    Prepare();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "cannot prepare the rows: %s\n", e.what());
    return 1;
  }
  TIterationTimes reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double bare = reporter.Times["BareMySqlQuery"];
  const double layer = reporter.Times["LayerOpenTable"];
  if (bare > 0 && layer > 0) PrintRatio("opening the table, layer / bare loop", layer / bare, 1.5);
  return 0;
}
