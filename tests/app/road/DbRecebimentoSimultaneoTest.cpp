// Two workstations of one agent recording at the same moment: both pass the
// checks before either has stored anything. The database's keys decide who
// stores a bill or a number, the loser gets the receipt window's duplicate
// message, and the movement's totals count every receipt stored.
#include "app/uRec.h"
#include "app/road/RoadSupport.h"
#include <gtest/gtest.h>
#include <windows.h>

using namespace road;

namespace {

struct Terminal {
  std::unique_ptr<TDM> Dm;
  std::unique_ptr<TRecebimentoContas> Rec;
  TContaRecebida Conta;
  TResultadoRecebimento Resultado;
  HANDLE Thread = nullptr;
};

DWORD WINAPI GravaNoTerminal(void* parametro) {
  auto* terminal = static_cast<Terminal*>(parametro);
  try {
    terminal->Resultado = terminal->Rec->Grava(terminal->Conta);
  } catch (...) {
    terminal->Resultado.Recusa = TRecusaRecebimento::FalhaGravacao;
    terminal->Resultado.Mensagem = u"exceção";
  }
  return 0;
}

class DbRecebimentoSimultaneo : public ::testing::Test {
protected:
  void SetUp() override { TestDatabase::Reset(); }

  static TContaRecebida Conta(const String& linha, const String& cupom) {
    TContaRecebida c;
    c.Movimento = Dia(2024, 3, 5);
    c.Cupom = cupom;
    c.Linha = linha;
    c.Pagamento = u"Dinheiro";
    c.Recebido = 1000;
    c.Usuario = u"CAIXA";
    c.Agente = u"001";
    c.CodConc = u"0123";
    return c;
  }

  // Both terminals record while a third session holds the movement, so
  // both are past their checks and waiting when it lets go.
  void GravaAoMesmoTempo(const TContaRecebida& a, const TContaRecebida& b) {
    T[0].Conta = a;
    T[1].Conta = b;
    for (Terminal& t : T) {
      t.Dm = ConectaDM(u"001");
      t.Rec = std::make_unique<TRecebimentoContas>(*t.Dm);
      t.Dm->Movimentos->Locate(u"ABERTURA", Variant::Date(Dia(2024, 3, 5)));
    }
    TestDatabase::Exec(u"START TRANSACTION");
    TestDatabase::Scalar(u"SELECT ID FROM movimentos WHERE ABERTURA = '2024-03-05' AND COD_AGENTE = '001' FOR UPDATE");
    // The second starts once the first waits, so the server lets them go
    // in that order: receipt numbers are issued in order, and a lower
    // number stored after a higher one would count as drawn before.
    bool esperando = false;
    for (int n = 0; n < 2; ++n) {
      T[n].Thread = CreateThread(nullptr, 0, GravaNoTerminal, &T[n], 0, nullptr);
      esperando = false;
      for (int i = 0; i < 400 && !esperando; ++i) {
        esperando = Conta(u"SELECT COUNT(*) FROM information_schema.PROCESSLIST "
                          u"WHERE INFO LIKE 'SELECT * FROM MOVIMENTOS WHERE%FOR UPDATE'") == n + 1;
        if (!esperando) Sleep(25);
      }
    }
    TestDatabase::Exec(u"COMMIT");
    for (Terminal& t : T) {
      WaitForSingleObject(t.Thread, 60000);
      CloseHandle(t.Thread);
    }
    ASSERT_TRUE(esperando);
  }

  static int Conta(const String& sql) { return road::Conta(sql); }
  static String Totais() {
    return TestDatabase::Scalar(u"SELECT CONCAT(QUANTIDADE, '|', FORMAT(DINHEIRO, 2)) FROM movimentos "
                                u"WHERE ABERTURA = '2024-03-05' AND COD_AGENTE = '001'");
  }

  Terminal T[2];
};

TEST_F(DbRecebimentoSimultaneo, TheSameBillIsStoredOnce) {
  const String linha = Linha(2500, 42);
  GravaAoMesmoTempo(Conta(linha, u"000005"), Conta(linha, u"000006"));
  const int vencedor = T[0].Resultado.Gravado() ? 0 : 1;
  const Terminal& perdedor = T[1 - vencedor];
  ASSERT_TRUE(T[vencedor].Resultado.Gravado()) << StringToUtf8(T[vencedor].Resultado.Mensagem);
  EXPECT_EQ(perdedor.Resultado.Recusa, TRecusaRecebimento::CodigoBarrasRecebido);
  EXPECT_EQ(perdedor.Resultado.Mensagem,
            u"Conta com Código de Barras já recebida em 05/03/2024 no Cupom Nº " + T[vencedor].Conta.Cupom + u"!");
  EXPECT_EQ(Conta(u"SELECT COUNT(*) FROM recebimentos WHERE CODIGOBARRAS = '" + linha + u"'"), 1);
  EXPECT_EQ(Totais(), u"3|148.45");
}

TEST_F(DbRecebimentoSimultaneo, TheSameNumberIsStoredOnce) {
  GravaAoMesmoTempo(Conta(Linha(2500, 42), u"000005"), Conta(Linha(3500, 43), u"000005"));
  const int vencedor = T[0].Resultado.Gravado() ? 0 : 1;
  ASSERT_TRUE(T[vencedor].Resultado.Gravado()) << StringToUtf8(T[vencedor].Resultado.Mensagem);
  EXPECT_EQ(T[1 - vencedor].Resultado.Recusa, TRecusaRecebimento::CupomRecebido);
  EXPECT_EQ(T[1 - vencedor].Resultado.Mensagem, u"Conta com Nº de Cupom já recebida!");
  EXPECT_EQ(Conta(u"SELECT COUNT(*) FROM recebimentos WHERE CUPOM = '000005' AND COD_AGENTE = '001'"), 1);
  EXPECT_EQ(Totais(), vencedor == 0 ? u"3|148.45" : u"3|158.45");
}

TEST_F(DbRecebimentoSimultaneo, TotalsCountBothBills) {
  GravaAoMesmoTempo(Conta(Linha(2500, 42), u"000005"), Conta(Linha(3500, 43), u"000006"));
  EXPECT_TRUE(T[0].Resultado.Gravado()) << StringToUtf8(T[0].Resultado.Mensagem);
  EXPECT_TRUE(T[1].Resultado.Gravado()) << StringToUtf8(T[1].Resultado.Mensagem);
  EXPECT_EQ(Totais(), u"4|183.45");
}

}  // namespace
