// Starting the program while the shared database holds other agents'
// years: the real Brenquia.exe from start to its login window, and the
// data module's opening alone, with an empty receipts table and with
// 1,000,000 receipts of another agent plus 100,000 of the agent's own
// earlier movements; the opening also with only the agent's own receipts,
// which holds the same rows of the movement the module opens on. Needs the server of ./test.sh or ./run.sh
// (BRQ_DB_HOST, BRQ_DB_PORT, BRQ_DB_USER, BRQ_DB_PASSWORD) and a display.
//
// Goal: with the full table, both within 1.2x of the empty one; opening
// the data module grows the program's memory by a few megabytes at most.
#include "app/uDM.h"
#include "platform/classes/IniFiles.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumUtils.h"
#include "support/AppDriver.h"
#include "support/BenchSupport.h"
#include "support/TestDatabase.h"
#include <benchmark/benchmark.h>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>

namespace {

const String Agente = u"SU1";   // the program's own agent
const String Outro = u"SU2";    // the agent whose million receipts it must not read
constexpr int ReciboPorMovimento = 250;

int Outros() { return BenchSize(1000000, 2000); }
int Proprios() { return BenchSize(100000, 500); }

int Numero(const String& sql) {
  const String s = TestDatabase::Scalar(sql);
  return s.empty() ? 0 : std::stoi(StringToUtf8(s));
}

// The agent, a utility and the agent's movements; kept between runs.
void GaranteCadastros() {
  if (Numero(u"SELECT COUNT(*) FROM agentes WHERE COD_AGENTE = '" + Agente + u"'") == 0)
    TestDatabase::Exec(u"INSERT INTO agentes (RAZAO_SOCIAL, COD_AGENTE, NOME_FANTASIA, IMPRIMIR_CUPOM) "
                       u"VALUES ('AGENTE DE PARTIDA', '" + Agente + u"', 'PARTIDA', 0)");
  if (Numero(u"SELECT COUNT(*) FROM concessionaria") == 0)
    TestDatabase::Exec(u"INSERT INTO concessionaria (RAZAO_SOCIAL, COD_CONC) VALUES ('CONCESSIONARIA', '0123')");
  const int movimentos = Proprios() / ReciboPorMovimento;
  if (Numero(u"SELECT COUNT(*) FROM movimentos WHERE COD_AGENTE = '" + Agente + u"'") != movimentos + 1) {
    TestDatabase::Exec(u"DELETE FROM movimentos WHERE COD_AGENTE = '" + Agente + u"'");
    TestDatabase::Exec(u"INSERT INTO movimentos (ABERTURA, FECHAMENTO, CREDITO, QUANTIDADE, DINHEIRO, CHEQUE, "
                       u"USUARIO, COD_AGENTE) SELECT DATE_ADD('2020-01-01', INTERVAL seq DAY), "
                       u"DATE_ADD('2020-01-01', INTERVAL seq DAY), DATE_ADD('2020-01-02', INTERVAL seq DAY), " +
                       IntToStr(ReciboPorMovimento) + u", 100, 0, 'BENCH', '" + Agente + u"' FROM seq_0_to_" +
                       IntToStr(movimentos));
  }
}

// `quantos` receipts of `agente`, `porDia` a day from 2020-01-01, with
// numbers and lines of their own; kept between runs.
void GaranteRecebimentos(const String& agente, int quantos, int porDia) {
  if (Numero(u"SELECT COUNT(*) FROM recebimentos WHERE COD_AGENTE = '" + agente + u"'") == quantos) return;
  std::fprintf(stderr, "Storing %d receipts of agent %s...\n", quantos, StringToUtf8(agente).c_str());
  TestDatabase::Exec(u"DELETE FROM recebimentos WHERE COD_AGENTE = '" + agente + u"'");
  TestDatabase::Exec(
      u"INSERT INTO recebimentos (RECEBIMENTO, CUPOM, HORA, VALOR, TROCO, CHQ_DINH, CODIGOBARRAS, ESTORNADO, "
      u"USUARIO, COD_AGENTE, INSCRICAO) "
      u"SELECT DATE_ADD('2020-01-01', INTERVAL (seq - 1) DIV " + IntToStr(porDia) + u" DAY), "
      u"CONCAT(CHAR(65 + (seq - 1) DIV 100000), LPAD((seq - 1) MOD 100000, 5, '0')), '120000', "
      u"(seq MOD 500) + 0.5, 0, IF(seq MOD 3 = 0, 'Cheque', 'Dinheiro'), "
      u"CONCAT('9', LPAD(seq, 47, '0')), 'N', 'BENCH', '" + agente + u"', LPAD(seq, 13, '0') "
      u"FROM seq_1_to_" + IntToStr(quantos));
}

// What the receipts table holds while a case runs.
enum Tabela { Vazia, SoProprios, Cheia };
const char* const Casos[] = {"empty", "own", "1M"};

// Puts a stand-in receipts table in place of the full one while it lives:
// an empty one, or one with only the agent's own receipts. The full one
// comes back even when the run fails.
class TTabelaTrocada {
public:
  // Vazia or SoProprios; the full table is the one it stands in for.
  explicit TTabelaTrocada(Tabela conteudo)
      : FNome(conteudo == Vazia ? u"recebimentos_vazio" : u"recebimentos_proprios") {
    TestDatabase::Exec(u"CREATE TABLE IF NOT EXISTS " + FNome + u" LIKE recebimentos");
    if (conteudo == SoProprios &&
        Numero(u"SELECT COUNT(*) FROM " + FNome) != Numero(u"SELECT COUNT(*) FROM recebimentos WHERE COD_AGENTE = '" + Agente + u"'")) {
      TestDatabase::Exec(u"DELETE FROM " + FNome);
      TestDatabase::Exec(u"INSERT INTO " + FNome + u" SELECT * FROM recebimentos WHERE COD_AGENTE = '" + Agente + u"'");
      TestDatabase::Exec(u"ANALYZE TABLE " + FNome);
    }
    TestDatabase::Exec(u"RENAME TABLE recebimentos TO recebimentos_cheio, " + FNome + u" TO recebimentos");
  }
  ~TTabelaTrocada() {
    try {
      Devolve();
    } catch (const Exception& e) {
      std::fprintf(stderr, "The full receipts table stays as recebimentos_cheio: %s\n", e.what());
    }
  }
  void Devolve() const { TestDatabase::Exec(u"RENAME TABLE recebimentos TO " + FNome + u", recebimentos_cheio TO recebimentos"); }
  // A run that died half-way left a stand-in in place: the one whose own
  // name is missing.
  static void DevolveDeixada() {
    auto existe = [](const char16_t* tabela) {
      return Numero(u"SELECT COUNT(*) FROM information_schema.TABLES WHERE TABLE_SCHEMA = 'dbvorlent' AND "
                    u"TABLE_NAME = '" + String(tabela) + u"'") != 0;
    };
    if (!existe(u"recebimentos_cheio")) return;
    const String deixada = existe(u"recebimentos_vazio") ? u"recebimentos_proprios" : u"recebimentos_vazio";
    TestDatabase::Exec(u"RENAME TABLE recebimentos TO " + deixada + u", recebimentos_cheio TO recebimentos");
  }

private:
  String FNome;
};

// The program's resident memory, in kilobytes.
long MemoriaResidente() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return 0;
}

AppDriver& Programa() {
  static AppDriver driver;
  static bool escrito = false;
  if (!escrito) {
    driver.WriteIniForTestDatabase(Agente);
    escrito = true;
  }
  return driver;
}

std::map<std::string, double> Crescimento;  // case -> memory growth in MB
std::map<std::string, int> Mostrados;       // case -> receipts the opened window shows

void AbreModulo(benchmark::State& state, const char* caso) {
  try {
    TIniFile ini(Programa().IniPath());
    {
      // The growth is read on a first opening of its own.
      const long antes = MemoriaResidente();
      TDM dm(nullptr);
      dm.Conecta(ini, Agente, String());
      Crescimento[caso] = (MemoriaResidente() - antes) / 1024.0;
      Mostrados[caso] = dm.Recebimentos->RecordCount();
      dm.Desconecta();
    }
    for (auto _ : state) {
      TDM dm(nullptr);
      dm.Conecta(ini, Agente, String());
      benchmark::DoNotOptimize(dm.Recebimentos->RecordCount());
      dm.Desconecta();
    }
  } catch (const Exception& e) {
    state.SkipWithError(e.what());
  }
}

void AteLogin(benchmark::State& state) {
  AppDriver& programa = Programa();
  for (auto _ : state) {
    if (!programa.Start()) {
      state.SkipWithError("Brenquia.exe cannot be started");
      break;
    }
    const HWND login = programa.WaitForWindow(u"Senha", 60000);
    programa.Kill();
    if (!login) {
      state.SkipWithError("no login window");
      break;
    }
  }
}

// Runs the pair of measures on the table as it stands.
void Mede(benchmark::State& state) {
  const char* caso = Casos[state.range(0)];
  if (state.range(1) == 0) AbreModulo(state, caso);
  else AteLogin(state);
}

class TRelatorio : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
      if (!run.error_occurred && run.run_type == Run::RT_Iteration) {
        // The fastest repetition: the others waited on a busy machine.
        auto [at, novo] = Tempos.emplace(run.benchmark_name(), run.GetAdjustedRealTime());
        if (!novo) at->second = std::min(at->second, run.GetAdjustedRealTime());
      }
  }
  std::map<std::string, double> Tempos;
};

void Registra(const char* nome, Tabela tabela, int medida, int iteracoes, int repeticoes) {
  benchmark::RegisterBenchmark(nome, Mede)
      ->Args({tabela, medida})
      ->Iterations(BenchSmoke() ? 1 : iteracoes)
      ->Repetitions(BenchSmoke() ? 1 : repeticoes)
      ->UseRealTime()
      ->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TRelatorio relatorio;
  try {
    TTabelaTrocada::DevolveDeixada();
    GaranteCadastros();
    GaranteRecebimentos(Outro, Outros(), 5000);
    GaranteRecebimentos(Agente, Proprios(), ReciboPorMovimento);
    {
      TTabelaTrocada vazia(Vazia);
      Registra("DataModuleOpen/empty", Vazia, 0, 50, 20);
      Registra("StartToLogin/empty", Vazia, 1, 5, 1);
      benchmark::RunSpecifiedBenchmarks(&relatorio);
    }
    benchmark::ClearRegisteredBenchmarks();
    {
      TTabelaTrocada proprios(SoProprios);
      Registra("DataModuleOpen/own", SoProprios, 0, 50, 20);
      benchmark::RunSpecifiedBenchmarks(&relatorio);
    }
    benchmark::ClearRegisteredBenchmarks();
    Registra("DataModuleOpen/1M", Cheia, 0, 50, 20);
    Registra("StartToLogin/1M", Cheia, 1, 5, 1);
    benchmark::RunSpecifiedBenchmarks(&relatorio);
  } catch (const Exception& e) {
    std::fprintf(stderr, "Cannot prepare the database: %s\n", e.what());
    return 1;
  }
  auto tempo = [&](const std::string& prefixo) {
    for (const auto& [nome, t] : relatorio.Tempos)
      if (nome.rfind(prefixo, 0) == 0) return t;
    return 0.0;
  };
  const double abreVazio = tempo("DataModuleOpen/empty"), abreCheio = tempo("DataModuleOpen/1M");
  const double abreProprios = tempo("DataModuleOpen/own");
  const double loginVazio = tempo("StartToLogin/empty"), loginCheio = tempo("StartToLogin/1M");
  if (abreVazio > 0 && abreCheio > 0) PrintRatio("data module opening, 1M / empty", abreCheio / abreVazio, 1.2);
  // The data module opens on the agent's oldest movement, whose receipts it
  // reads in both of these cases; only the other agent's million differs.
  if (abreProprios > 0 && abreCheio > 0)
    PrintRatio("data module opening, 1M / the agent's own receipts only", abreCheio / abreProprios, 1.2);
  if (loginVazio > 0 && loginCheio > 0) PrintRatio("start to login window, 1M / empty", loginCheio / loginVazio, 1.2);
  for (const auto& [caso, mb] : Crescimento)
    std::printf("memory grown by opening the data module, %s: %.1f MB (receipts of the first movement: %d)\n",
                caso.c_str(), mb, Mostrados[caso]);
  benchmark::Shutdown();
  return 0;
}
