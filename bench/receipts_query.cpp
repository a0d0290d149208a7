// The receipts query's "Ok" where other agents hold 90% of 500,000
// receipts: the real window's run (the agent's filter reaching the
// server) against a bare mysql_query walk of the agent's own rows in the
// same order; and the listing of those 50,000 rows (about 1,100 pages)
// against the paging-engine floor: walking the rows, measuring each of the
// nine texts once and writing as many bytes as the pages take. Connects
// with the BRQ_DB_* environment.
#include "app/AppState.h"
#include "app/uDM.h"
#include "app/uFRRec.h"
#include "app/uSQL1.h"
#include "platform/data/FDConnection.h"
#include "platform/classes/Streams.h"
#include "platform/data/FDDataSet.h"
#include "report/pages/RLGraphicStorage.h"
#include "support/BenchDatabase.h"
#include "support/BenchSupport.h"
#include <benchmark/benchmark.h>
#include <mysql.h>
#include <windows.h>
// After the Win32 headers, which make DeleteFile a macro.
#include "platform/rtl/FileUtils.h"
#include <cstdio>
#include <memory>
#include <string>

namespace {
const int AgentRows = BenchSize(50000, 100);
const int OtherRows = BenchSize(450000, 900);

// The agent's receipts and the other agents', kept between runs.
void Prepare() {
  TFDConnection& c = BenchConnection();
  TFDQuery count(nullptr);
  count.SetConnection(&c);
  count.SQL().SetText(u"SELECT SUM(COD_AGENTE = 'BQA') AS A, SUM(COD_AGENTE = 'BQO') AS O FROM recebimentos "
                      u"WHERE COD_AGENTE IN ('BQA', 'BQO')");
  count.Open();
  const bool ready = count.FieldByName(u"A")->AsInteger() == AgentRows && count.FieldByName(u"O")->AsInteger() == OtherRows;
  count.Close();
  if (ready) return;
  c.ExecSQL(u"DELETE FROM recebimentos WHERE COD_AGENTE IN ('BQA', 'BQO')");
  auto insere = [&](const char16_t* agente, int linhas) {
    c.ExecSQL(u"INSERT INTO recebimentos (RECEBIMENTO, CUPOM, HORA, VALOR, TROCO, CHQ_DINH, CODIGOBARRAS, "
              u"ESTORNADO, USUARIO, COD_AGENTE, INSCRICAO) "
              u"SELECT DATE_ADD('2024-01-01', INTERVAL seq MOD 365 DAY), LPAD(seq, 6, '0'), '101500', "
              u"seq / 100, 0.5, IF(seq MOD 2, 'Dinheiro', 'Cheque'), CONCAT('8', LPAD(seq, 47, '0')), 'N', "
              u"'CAIXA', '" + String(agente) + u"', '1234567890123' FROM seq_1_to_" +
              Utf8ToString(std::to_string(linhas)));
  };
  insere(u"BQA", AgentRows);
  insere(u"BQO", OtherRows);
}

void BareWalk(benchmark::State& state) {
  const long rows =
      BenchBareWalk(state, "SELECT * FROM RECEBIMENTOS WHERE COD_AGENTE = 'BQA' ORDER BY RECEBIMENTO, CUPOM");
  if (rows >= 0 && rows != AgentRows) state.SkipWithError("wrong number of rows");
}

// The data module connected without its tables, as far as the query needs.
TDM& DataModule() {
  static TDM* dm = [] {
    DM = new TDM(Application);
    TStringList& params = DM->FDConexao->Params();
    params.Assign(BenchConnection().Params());
    DM->FDConexao->Open();
    return DM;
  }();
  return *dm;
}

void QueryOk(benchmark::State& state) {
  DataModule();
  CodigoAgente = u"BQA";
  if (!frmSQL1) Application->CreateForm(frmSQL1);
  frmSQL1->Show();
  for (auto _ : state) {
    frmSQL1->ButOkClick(frmSQL1->ButOk);
    if (DM->QrRecebimentos->RecordCount() != AgentRows) state.SkipWithError("wrong number of rows");
    state.PauseTiming();
    frmSQL1->ButCancelarClick(frmSQL1->ButCancelar);
    state.ResumeTiming();
  }
}

// The query's rows as "Ok" leaves them, for the listing.
void RunOk() {
  DataModule();
  CodigoAgente = u"BQA";
  if (!frmSQL1) Application->CreateForm(frmSQL1);
  frmSQL1->Show();
  frmSQL1->ButCancelarClick(frmSQL1->ButCancelar);
  frmSQL1->ButOkClick(frmSQL1->ButOk);
}

int64_t PageBytes = 0;
int Pages = 0;

void Listing(benchmark::State& state) {
  RunOk();
  for (auto _ : state) {
    TFRRec listagem(nullptr, DM->DsQrRecebimentos, DM->DsAgentes);
    if (!listagem.RLReportREC->Prepare()) state.SkipWithError("prepare failed");
    state.PauseTiming();
    Pages = listagem.RLReportREC->Pages()->PageCount();
    TMemoryStream file;
    listagem.RLReportREC->Pages()->SaveToStream(file);
    PageBytes = file.Size();
    state.ResumeTiming();
  }
  state.counters["pages"] = Pages;
}

void ListingFloor(benchmark::State& state) {
  RunOk();
  TFDQuery* query = DM->QrRecebimentos;
  const char16_t* const fields[] = {u"RECEBIMENTO", u"HORA", u"CUPOM", u"CHQ_DINH", u"VALOR",
                                    u"RECEBIDO", u"TROCO", u"CODIGOBARRAS", u"USUARIO"};
  HDC dc = CreateCompatibleDC(nullptr);
  const std::string chunk(64 * 1024, 'x');
  const String file = GetTempFolder() + u"\\bench-receipts-floor.tmp";
  for (auto _ : state) {
    for (query->First(); !query->Eof(); query->Next())
      for (const char16_t* name : fields) {
        const String text = query->FieldByName(name)->DisplayText();
        SIZE size;
        GetTextExtentPoint32W(dc, reinterpret_cast<const WCHAR*>(text.data()), static_cast<int>(text.size()), &size);
        benchmark::DoNotOptimize(size);
      }
    TFileStream out(file, fmCreate);
    for (int64_t left = PageBytes; left > 0; left -= static_cast<int64_t>(chunk.size()))
      out.WriteBuffer(chunk.data(), std::min<int64_t>(left, static_cast<int64_t>(chunk.size())));
  }
  DeleteDC(dc);
  DeleteFile(file);
}

}  // namespace

void Configure(benchmark::internal::Benchmark* b) {
  b->Unit(benchmark::kMillisecond);
  if (BenchSmoke()) b->Iterations(1);
  else b->Repetitions(5)->MinTime(1)->ReportAggregatesOnly(false)->ComputeStatistics("min", Fastest);
}
BENCHMARK(BareWalk)->Apply(Configure);
BENCHMARK(QueryOk)->Apply(Configure);
void ConfigureListing(benchmark::internal::Benchmark* b) {
  b->Unit(benchmark::kMillisecond)->Iterations(1);
  if (!BenchSmoke()) b->Repetitions(3)->ReportAggregatesOnly(false)->ComputeStatistics("min", Fastest);
}
// The floor writes as many bytes as the listing's pages took, so it runs after it.
BENCHMARK(Listing)->Apply(ConfigureListing);
BENCHMARK(ListingFloor)->Apply(ConfigureListing);

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  try {
    Prepare();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "cannot prepare the rows: %s\n", e.what());
    return 1;
  }
  TFastestTimes reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double bare = reporter.Of("BareWalk");
  const double ok = reporter.Of("QueryOk");
  if (bare > 0 && ok > 0) PrintRatio("query Ok over 10% of the rows, window / bare walk", ok / bare, 1.5);
  const double listing = reporter.Of("Listing");
  const double floor = reporter.Of("ListingFloor");
  std::printf("listing: %d pages, %lld bytes of pages\n", Pages, static_cast<long long>(PageBytes));
  if (listing > 0 && floor > 0) PrintRatio("receipts listing, report / paging-engine floor", listing / floor, 4);
  return 0;
}
