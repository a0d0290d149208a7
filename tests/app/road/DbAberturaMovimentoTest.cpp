// Opening a movement against the test database: a date that has one, the
// limit of two open movements, other agents, and two workstations opening
// at the same moment.
#include "app/uNovMov.h"
#include "app/road/RoadSupport.h"
#include <gtest/gtest.h>
#include <windows.h>

using namespace road;

namespace {

class DbAberturaMovimento : public ::testing::Test {
protected:
  void SetUp() override { TestDatabase::Reset(); }
  static int Movimentos(const String& agente = u"001") {
    return Conta(u"SELECT COUNT(*) FROM movimentos WHERE COD_AGENTE = '" + agente + u"'");
  }
};

TEST_F(DbAberturaMovimento, OpensADateWithoutMovementWhileFewerThanTwoAreOpen) {
  auto dm = ConectaDM(u"001");
  TAberturaMovimento abertura(*dm);
  TResultadoAbertura r = abertura.Abre(Dia(2024, 3, 6), u"CAIXA", u"001");
  EXPECT_EQ(r.Situacao, TSituacaoAbertura::Aberto);
  EXPECT_TRUE(r.Mensagem.empty());
  EXPECT_EQ(TestDatabase::Scalar(u"SELECT CONCAT_WS('|', USUARIO, COALESCE(FECHAMENTO, '-'), QUANTIDADE, DINHEIRO, "
                                 u"CHEQUE) FROM movimentos WHERE ABERTURA = '2024-03-06' AND COD_AGENTE = '001'"),
            u"CAIXA|-|0|0|0");

  // Now two are open: no third, whatever the date.
  r = abertura.Abre(Dia(2024, 3, 7), u"CAIXA", u"001");
  EXPECT_EQ(r.Situacao, TSituacaoAbertura::LimiteAbertos);
  EXPECT_EQ(r.Mensagem, u"Existem movimentos não fechados acima do permitido pela concessionária!");
  EXPECT_EQ(Movimentos(), 3);

  // Closing one makes room again.
  TestDatabase::Exec(u"UPDATE movimentos SET FECHAMENTO = '2024-03-06' WHERE ABERTURA = '2024-03-05' "
                     u"AND COD_AGENTE = '001'");
  EXPECT_EQ(abertura.Abre(Dia(2024, 3, 7), u"CAIXA", u"001").Situacao, TSituacaoAbertura::Aberto);
}

TEST_F(DbAberturaMovimento, ADateThatHasAMovementOfTheAgentIsRefusedEvenClosed) {
  auto dm = ConectaDM(u"001");
  TResultadoAbertura r = TAberturaMovimento(*dm).Abre(Dia(2024, 3, 4), u"CAIXA", u"001");
  EXPECT_EQ(r.Situacao, TSituacaoAbertura::Existente);
  EXPECT_EQ(r.Mensagem, u"Movimento já existente!");
  EXPECT_EQ(Movimentos(), 2);

  // Agent 002 has nothing on that date; its name in quotes is no trouble.
  auto dm2 = ConectaDM(u"002");
  EXPECT_EQ(TAberturaMovimento(*dm2).Abre(Dia(2024, 3, 4), u"O'NEIL", u"002").Situacao, TSituacaoAbertura::Aberto);
  EXPECT_EQ(TestDatabase::Scalar(u"SELECT USUARIO FROM movimentos WHERE ABERTURA = '2024-03-04' AND COD_AGENTE = '002'"),
            u"O'NEIL");
}

TEST_F(DbAberturaMovimento, AFailedCheckInsertsNothing) {
  auto dm = ConectaDM(u"001");
  dm->FDConexao->Close();
  dm->FDConexao->Params().SetText(u"Server=127.0.0.1\r\nPort=1\r\nDriverID=MySQL");
  TResultadoAbertura r = TAberturaMovimento(*dm).Abre(Dia(2024, 3, 6), u"CAIXA", u"001");
  EXPECT_EQ(r.Situacao, TSituacaoAbertura::FalhaVerificacao);
  EXPECT_EQ(r.Mensagem.rfind(u"Não foi possível verificar se já existe movimento com a data informada! ", 0), 0u);
  EXPECT_EQ(Movimentos(), 2);
}

struct Terminal {
  std::unique_ptr<TDM> Dm;
  TDateTime Data = 0;
  TResultadoAbertura Resultado;
};

DWORD WINAPI AbreNoTerminal(void* parametro) {
  auto* t = static_cast<Terminal*>(parametro);
  try {
    t->Resultado = TAberturaMovimento(*t->Dm).Abre(t->Data, u"CAIXA", u"001");
  } catch (...) {
    t->Resultado.Situacao = TSituacaoAbertura::FalhaGravacao;
  }
  return 0;
}

TEST_F(DbAberturaMovimento, TwoWorkstationsAtOnceStayWithinTheLimit) {
  // One movement is open; two workstations open two more dates at once.
  Terminal t[2];
  t[0].Data = Dia(2024, 3, 6);
  t[1].Data = Dia(2024, 3, 7);
  for (Terminal& x : t) x.Dm = ConectaDM(u"001");
  TestDatabase::Scalar(u"SELECT GET_LOCK('dbvorlent.movimentos.001', 5)");
  HANDLE h[2];
  for (int i = 0; i < 2; ++i) h[i] = CreateThread(nullptr, 0, AbreNoTerminal, &t[i], 0, nullptr);
  bool esperando = false;
  for (int i = 0; i < 400 && !esperando; ++i) {
    esperando = Conta(u"SELECT COUNT(*) FROM information_schema.PROCESSLIST WHERE INFO LIKE 'SELECT GET_LOCK(%'") == 2;
    if (!esperando) Sleep(25);
  }
  TestDatabase::Scalar(u"SELECT RELEASE_LOCK('dbvorlent.movimentos.001')");
  WaitForMultipleObjects(2, h, TRUE, 60000);
  for (HANDLE x : h) CloseHandle(x);
  ASSERT_TRUE(esperando);
  const int aberto = t[0].Resultado.Situacao == TSituacaoAbertura::Aberto ? 0 : 1;
  EXPECT_EQ(t[aberto].Resultado.Situacao, TSituacaoAbertura::Aberto);
  EXPECT_EQ(t[1 - aberto].Resultado.Situacao, TSituacaoAbertura::LimiteAbertos);
  EXPECT_EQ(Conta(u"SELECT COUNT(*) FROM movimentos WHERE FECHAMENTO IS NULL AND COD_AGENTE = '001'"), 2);
}

TEST_F(DbAberturaMovimento, TheOpeningLockLostWithItsSessionIsNoticed) {
  auto dm = ConectaDM(u"001");
  TTravaAgente trava(*dm->FDConexao, u"001");
  EXPECT_TRUE(trava.Mantida());
  // The session dies; the layer connects anew at the next statement, and
  // meanwhile another workstation takes the lock.
  TestDatabase::Exec(u"KILL " + AsciiToString(std::to_string(dm->FDConexao->Session().ConnectionId())));
  auto outro = ConectaDM(u"001");
  TTravaAgente outra(*outro->FDConexao, u"001");
  EXPECT_FALSE(trava.Mantida());
  EXPECT_TRUE(outra.Mantida());
}

}  // namespace
