// Recording a bill at the counter: the receipt window's own path (line and
// amount checks, duplicate search, receipt row and movement totals in one
// transaction) against the private database server, for an agent with
// 1,000 and one with 1,000,000 stored receipts, beside a bare libmariadb
// loop sending the same statements; and the window's whole step, the
// recording followed by the refresh of its receipts and movements. Needs
// the server of ./test.sh or ./run.sh: BRQ_DB_HOST, BRQ_DB_PORT,
// BRQ_DB_USER, BRQ_DB_PASSWORD.
//
// Goals: the path within 1.5x of the bare loop, and the 1M agent within
// 1.2x of the 1k one, for the path and for the window's step (the
// duplicate search and the totals use indexes; the window reads only its
// movement's receipts).
#include "app/BillLine.h"
#include "app/uDM.h"
#include "app/uFunc.h"
#include "app/uRec.h"
#include "platform/classes/IniFiles.h"
#include "platform/data/FDConnection.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumUtils.h"
#include "support/BenchSupport.h"
#include <benchmark/benchmark.h>
#include <mysql.h>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {

// A smoke run records one bill per measure.
const int Iteracoes = BenchSmoke() ? 1 : 2000;
const int Repeticoes = BenchSmoke() ? 1 : 5;

std::string Env(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return value ? value : fallback;
}

// One connection as the program opens it, for setting up the data.
TFDConnection& Preparo() {
  static std::unique_ptr<TFDConnection> conexao;
  if (!conexao) {
    conexao = std::make_unique<TFDConnection>(nullptr);
    conexao->SetLoginPrompt(false);
    conexao->Params().SetText(u"Server=" + Utf8ToString(Env("BRQ_DB_HOST", "127.0.0.1")) + u"\r\nUser_Name=" +
                              Utf8ToString(Env("BRQ_DB_USER", "root")) + u"\r\nPassword=" +
                              Utf8ToString(Env("BRQ_DB_PASSWORD", "")) + u"\r\nDatabase=dbvorlent\r\nPort=" +
                              Utf8ToString(Env("BRQ_DB_PORT", "3306")) + u"\r\nDriverID=MySQL");
    conexao->Open();
  }
  return *conexao;
}

String Escalar(const String& sql) {
  TFDQuery q(nullptr);
  q.SetConnection(&Preparo());
  q.SQL().SetText(sql);
  q.Open();
  return q.IsEmpty() ? String() : q.Fields()[0]->AsString();
}

// `quantos` receipts of the agent over earlier days, a thousand a day,
// with numbers and lines of their own (letters first, so the counter's
// six-digit numbers stay free). Kept between runs.
void GaranteRecebimentos(const String& agente, int quantos) {
  if (StrToInt(Escalar(u"SELECT COUNT(*) FROM recebimentos WHERE COD_AGENTE = '" + agente +
                       u"' AND RECEBIMENTO < '2030-01-01'")) == quantos)
    return;
  std::fprintf(stderr, "Storing %d receipts of agent %s...\n", quantos, StringToUtf8(agente).c_str());
  Preparo().ExecSQL(u"DELETE FROM recebimentos WHERE COD_AGENTE = '" + agente + u"'");
  Preparo().ExecSQL(
      u"INSERT INTO recebimentos (RECEBIMENTO, CUPOM, HORA, VALOR, TROCO, CHQ_DINH, CODIGOBARRAS, ESTORNADO, "
      u"USUARIO, COD_AGENTE, INSCRICAO) "
      u"SELECT DATE_ADD('2027-01-01', INTERVAL (seq - 1) DIV 1000 DAY), "
      u"CONCAT(CHAR(65 + (seq - 1) DIV 100000), LPAD((seq - 1) MOD 100000, 5, '0')), '120000', "
      u"(seq MOD 500) + 0.5, 0, IF(seq MOD 3 = 0, 'Cheque', 'Dinheiro'), "
      u"CONCAT('9', LPAD(seq, 47, '0')), 'N', 'BENCH', '" +
      agente + u"', LPAD(seq, 13, '0') FROM seq_1_to_" + IntToStr(quantos));
}

// An open movement on `data` with no receipts, for one benchmark run. The
// agent's receipt counter starts over too, so that every repetition may
// issue the numbers of its run again.
void PreparaMovimento(const String& agente, const String& data) {
  Preparo().ExecSQL(u"INSERT INTO cupons (COD_AGENTE, ULTIMO) VALUES ('" + agente +
                    u"', 0) ON DUPLICATE KEY UPDATE ULTIMO = 0");
  Preparo().ExecSQL(u"DELETE FROM recebimentos WHERE COD_AGENTE = '" + agente + u"' AND RECEBIMENTO = '" + data +
                    u"'");
  Preparo().ExecSQL(u"DELETE FROM movimentos WHERE COD_AGENTE = '" + agente + u"' AND ABERTURA = '" + data + u"'");
  Preparo().ExecSQL(u"INSERT INTO movimentos (ABERTURA, USUARIO, COD_AGENTE) VALUES ('" + data + u"', 'BENCH', '" +
                    agente + u"')");
}

// The 48-digit line of the n-th bill of a run: valid check digits, the
// test utility's company code 0123, a registration number of its own.
String LinhaDaConta(int64_t n) {
  String codigo = u"8261" + PreencheZerosEsquerda(11, IntToStr(1000 + n % 50000)) + u"01230000" +
                  PreencheZerosEsquerda(13, IntToStr(n)) + u"00000000";
  String linha;
  LinhaDoCodigoBarras(codigo, linha);
  return linha;
}

struct TCaso {
  String Agente;
  int Armazenados;
  String Data;
  TDateTime Dia;
  int64_t Base;  // first registration number of the run; numbers are its last six digits
};

// Each measure records on a day of its own: the path, the bare loop, the
// window's step.
enum class TMedida { Caminho, Bruto, Janela };

TCaso Caso(bool milhao, TMedida medida = TMedida::Caminho) {
  const int dia = medida == TMedida::Caminho ? 1 : medida == TMedida::Bruto ? 2 : 3;
  TCaso c;
  c.Agente = milhao ? u"BM1" : u"BK1";
  c.Armazenados = milhao ? BenchSize(1000000, 200) : BenchSize(1000, 20);
  c.Data = u"2030-01-0" + IntToStr(dia);
  c.Dia = EncodeDate(2030, 1, dia);
  c.Base = (milhao ? 30000001 : 20000001) + (dia - 1) * 250000;
  return c;
}

// ------------------------------------------------------------ the program's path

// The data module as the program opens it, on the movement of the case.
std::unique_ptr<TDM> AbreModulo(const TCaso& caso) {
  TMemIniFile ini(String{});
  auto cifra = [](const std::string& t) { return EncriptaDecripta(u"E", Utf8ToString(t), ChaveCriptografia); };
  ini.WriteString(u"BANCO", u"Server", Utf8ToString(Env("BRQ_DB_HOST", "127.0.0.1")));
  ini.WriteString(u"BANCO", u"User_Name", cifra(Env("BRQ_DB_USER", "root")));
  ini.WriteString(u"BANCO", u"Password", cifra(Env("BRQ_DB_PASSWORD", "")));
  ini.WriteString(u"BANCO", u"Database", cifra("dbvorlent"));
  ini.WriteString(u"BANCO", u"Port", cifra(Env("BRQ_DB_PORT", "3306")));
  auto dm = std::make_unique<TDM>(nullptr);
  dm->Conecta(ini, caso.Agente, String());
  dm->Movimentos->Locate(u"ABERTURA", Variant::Date(caso.Dia));
  return dm;
}

// Records one bill after another; with `janela`, each followed by the
// receipt window's refresh of its receipts and movements.
void Grava(benchmark::State& state, TMedida medida) {
  const TCaso caso = Caso(state.range(0) != 0, medida);
  try {
    PreparaMovimento(caso.Agente, caso.Data);
    std::unique_ptr<TDM> dm = AbreModulo(caso);
    TRecebimentoContas recebimento(*dm);

    TContaRecebida conta;
    conta.Movimento = caso.Dia;
    conta.Pagamento = u"Dinheiro";
    conta.Usuario = u"BENCH";
    conta.Agente = caso.Agente;
    conta.CodConc = u"0123";
    conta.Recebido = 1000;
    int64_t n = caso.Base;
    for (auto _ : state) {
      conta.Cupom = PreencheZerosEsquerda(6, IntToStr(n % 1000000));
      conta.Linha = LinhaDaConta(n++);
      conta.Pagamento = n % 4 == 0 ? u"Cheque" : u"Dinheiro";
      TResultadoRecebimento r = recebimento.Grava(conta);
      if (!r.Gravado()) {
        state.SkipWithError(StringToUtf8(r.Mensagem).c_str());
        break;
      }
      if (medida == TMedida::Janela) {
        dm->Recebimentos->Refresh();
        dm->Movimentos->Refresh();
      }
    }
    if (medida == TMedida::Janela && dm->Recebimentos->RecordCount() != static_cast<int>(state.iterations()))
      state.SkipWithError("the window does not show the movement's receipts");
  } catch (const Exception& e) {
    state.SkipWithError(e.what());
  }
}

void BM_Recebimento(benchmark::State& state) { Grava(state, TMedida::Caminho); }
void BM_JanelaRecebimento(benchmark::State& state) { Grava(state, TMedida::Janela); }

// ------------------------------------------------------------ the bare loop

std::string Texto(const String& s) { return StringToUtf8(s); }

// Runs a statement and returns the texts of its first row.
std::vector<std::string> Executa(MYSQL* db, const std::string& sql, benchmark::State& state) {
  std::vector<std::string> primeira;
  if (mysql_real_query(db, sql.data(), sql.size()) != 0) {
    state.SkipWithError(mysql_error(db));
    return primeira;
  }
  if (MYSQL_RES* res = mysql_store_result(db)) {
    const unsigned colunas = mysql_num_fields(res);
    while (MYSQL_ROW row = mysql_fetch_row(res))
      if (primeira.empty())
        for (unsigned i = 0; i < colunas; ++i) primeira.emplace_back(row[i] ? row[i] : "");
    mysql_free_result(res);
  }
  return primeira;
}

void BM_LacoMariaDB(benchmark::State& state) {
  const TCaso caso = Caso(state.range(0) != 0, TMedida::Bruto);
  try {
    PreparaMovimento(caso.Agente, caso.Data);
  } catch (const Exception& e) {
    state.SkipWithError(e.what());
    return;
  }
  MYSQL* db = mysql_init(nullptr);
  const my_bool off = 0;
  mysql_options(db, MYSQL_OPT_RECONNECT, &off);
  mysql_options(db, MYSQL_SET_CHARSET_NAME, "utf8mb4");
  mysql_options(db, MYSQL_INIT_COMMAND,
                "SET SESSION sql_mode = 'STRICT_ALL_TABLES,NO_BACKSLASH_ESCAPES,NO_ZERO_DATE,"
                "NO_ZERO_IN_DATE,ERROR_FOR_DIVISION_BY_ZERO,NO_ENGINE_SUBSTITUTION'");
  if (!mysql_real_connect(db, Env("BRQ_DB_HOST", "127.0.0.1").c_str(), Env("BRQ_DB_USER", "root").c_str(),
                          Env("BRQ_DB_PASSWORD", "").c_str(), "dbvorlent",
                          static_cast<unsigned>(std::stoul(Env("BRQ_DB_PORT", "3306"))), nullptr,
                          CLIENT_FOUND_ROWS)) {
    state.SkipWithError(mysql_error(db));
    mysql_close(db);
    return;
  }
  // The statements of the path, word for word.
  const std::string agente = "'" + Texto(caso.Agente) + "'";
  const std::string data = "'" + Texto(caso.Data) + "'";
  int64_t n = caso.Base;
  for (auto _ : state) {
    const std::string cupom = Texto(PreencheZerosEsquerda(6, IntToStr(n % 1000000)));
    const std::string linha = Texto(LinhaDaConta(n++));
    const std::string pagamento = n % 4 == 0 ? "Cheque" : "Dinheiro";
    const double valor = static_cast<double>(1000 + (n - 1) % 50000) / 100;
    char valores[64];
    std::snprintf(valores, sizeof valores, "'%.2f', \r\n'%.2f'", valor, 1000 - valor);
    Executa(db, "SELECT * FROM RECEBIMENTOS WHERE CODIGOBARRAS = '" + linha + "' AND COD_AGENTE = " + agente, state);
    Executa(db, "START TRANSACTION", state);
    Executa(db, "SELECT * FROM MOVIMENTOS WHERE ABERTURA = " + data + " AND COD_AGENTE = " + agente + " FOR UPDATE",
            state);
    Executa(db,
            "INSERT INTO RECEBIMENTOS \r\n(RECEBIMENTO, CUPOM, HORA, CHQ_DINH, VALOR, TROCO, CODIGOBARRAS, "
            "ESTORNADO, USUARIO, COD_AGENTE, INSCRICAO) VALUES (\r\n" +
                data + ", \r\n'" + cupom + "', \r\n'120000', \r\n'" + pagamento + "', \r\n" + valores + ", \r\n'" +
                linha + "', \r\n'N', \r\n'BENCH', \r\n" + agente + ", \r\n'" + linha.substr(25, 10) +
                linha.substr(36, 3) + "'\r\n)",
            state);
    const std::vector<std::string> totais = Executa(
        db,
        "SELECT COUNT(*), "
            "COALESCE(SUM(CASE WHEN CAST(CHQ_DINH AS BINARY) = 'Dinheiro' THEN VALOR ELSE 0 END), 0), "
            "COALESCE(SUM(CASE WHEN CAST(CHQ_DINH AS BINARY) = 'Cheque' THEN VALOR ELSE 0 END), 0) "
            "FROM RECEBIMENTOS WHERE RECEBIMENTO = " +
                data + " AND CAST(ESTORNADO AS BINARY) = 'N' AND COD_AGENTE = " + agente,
            state);
    if (totais.size() != 3) break;
    char somas[96];
    std::snprintf(somas, sizeof somas, "DINHEIRO = %.2f, CHEQUE = %.2f, QUANTIDADE = %s", std::atof(totais[1].c_str()),
                  std::atof(totais[2].c_str()), totais[0].c_str());
    Executa(db,
            std::string("UPDATE MOVIMENTOS SET ") + somas + " WHERE ABERTURA = " + data + " AND COD_AGENTE = " + agente,
            state);
    Executa(db, "COMMIT", state);
  }
  mysql_close(db);
}

// The server is shared with whatever else the machine runs, which only
// ever adds time: the ratios take the fastest of five runs of each.
double Minimo(const std::vector<double>& v) { return v.empty() ? 0 : *std::min_element(v.begin(), v.end()); }
// Each pair runs side by side, so a slow spell of the machine hits both.
#define BENCH_RECEBIMENTO(funcao, milhao)                                                                  \
  BENCHMARK(funcao)->Arg(milhao)->Iterations(Iteracoes)->Repetitions(Repeticoes)->ReportAggregatesOnly(true) \
      ->ComputeStatistics("min", Minimo)->Unit(benchmark::kMicrosecond)
BENCH_RECEBIMENTO(BM_Recebimento, 0);
BENCH_RECEBIMENTO(BM_LacoMariaDB, 0);
BENCH_RECEBIMENTO(BM_Recebimento, 1);
BENCH_RECEBIMENTO(BM_LacoMariaDB, 1);
BENCH_RECEBIMENTO(BM_JanelaRecebimento, 0);
BENCH_RECEBIMENTO(BM_JanelaRecebimento, 1);

// Keeps the time per iteration of each run, to print the ratios at the end.
class TRelatorio : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
      if (!run.error_occurred && (run.aggregate_name == "min" || run.repetitions <= 1))
        Tempos[run.run_name.function_name + "/" + run.run_name.args] = run.GetAdjustedRealTime();
  }
  std::map<std::string, double> Tempos;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  // Both agents' receipts are stored before anything is timed.
  try {
    for (bool milhao : {false, true}) GaranteRecebimentos(Caso(milhao).Agente, Caso(milhao).Armazenados);
  } catch (const Exception& e) {
    std::fprintf(stderr, "Cannot prepare the database: %s\n", e.what());
    return 1;
  }
  TRelatorio relatorio;
  benchmark::RunSpecifiedBenchmarks(&relatorio);
  auto tempo = [&](const char* nome) {
    auto it = relatorio.Tempos.find(nome);
    return it == relatorio.Tempos.end() ? 0.0 : it->second;
  };
  const double p1k = tempo("BM_Recebimento/0");
  const double p1m = tempo("BM_Recebimento/1");
  const double b1k = tempo("BM_LacoMariaDB/0");
  const double b1m = tempo("BM_LacoMariaDB/1");
  const double j1k = tempo("BM_JanelaRecebimento/0");
  const double j1m = tempo("BM_JanelaRecebimento/1");
  if (p1k > 0 && b1k > 0) PrintRatio("path / bare loop, 1k receipts", p1k / b1k, 1.5);
  if (p1m > 0 && b1m > 0) PrintRatio("path / bare loop, 1M receipts", p1m / b1m, 1.5);
  if (p1k > 0 && p1m > 0) PrintRatio("path 1M / path 1k", p1m / p1k, 1.2);
  if (b1k > 0 && b1m > 0) PrintRatio("bare 1M / bare 1k", b1m / b1k);
  if (j1k > 0 && j1m > 0) PrintRatio("window step (record and refresh) 1M / 1k", j1m / j1k, 1.2);
  benchmark::Shutdown();
  return 0;
}
