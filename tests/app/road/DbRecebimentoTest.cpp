// Recording a bill against the test database: the checks in their order,
// the row written, the movement's totals, duplicates of this and of other
// agents, and failures that must leave the database as it was.
#include "app/uRec.h"
#include "app/road/RoadSupport.h"
#include "platform/data/FDConnection.h"
#include "platform/data/FDDataSet.h"
#include <gtest/gtest.h>
#include <windows.h>

using namespace road;

namespace {

struct TGravacaoEmOutraThread {
  TRecebimentoContas* Rec;
  TContaRecebida Conta;
  TResultadoRecebimento Resultado;
};

DWORD WINAPI GravaEmOutraThread(void* parametro) {
  auto* g = static_cast<TGravacaoEmOutraThread*>(parametro);
  try {
    g->Resultado = g->Rec->Grava(g->Conta);
  } catch (...) {
    g->Resultado.Recusa = TRecusaRecebimento::FalhaGravacao;
    g->Resultado.Mensagem = u"exceção";
  }
  return 0;
}

String Id(uint64_t id) { return AsciiToString(std::to_string(id)); }

class DbRecebimento : public ::testing::Test {
protected:
  void SetUp() override {
    TestDatabase::Reset();
    Dm = ConectaDM(u"001");
    Rec = std::make_unique<TRecebimentoContas>(*Dm);
    Dm->Movimentos->Locate(u"ABERTURA", Variant::Date(Dia(2024, 3, 5)));
  }

  // A bill of the open movement of 05/03/2024, by reader, paid exactly.
  TContaRecebida Conta(const String& linha, double recebido, const String& cupom = u"000005") const {
    TContaRecebida c;
    c.Movimento = Dia(2024, 3, 5);
    c.Cupom = cupom;
    c.Linha = linha;
    c.Pagamento = u"Dinheiro";
    c.Recebido = recebido;
    c.Usuario = u"CAIXA";
    c.Agente = u"001";
    c.CodConc = u"0123";
    return c;
  }

  static int Recebimentos() { return road::Conta(u"SELECT COUNT(*) FROM recebimentos"); }
  static String Totais(const String& data = u"2024-03-05", const String& agente = u"001") {
    return TestDatabase::Scalar(u"SELECT CONCAT(QUANTIDADE, '|', FORMAT(DINHEIRO, 2), '|', FORMAT(CHEQUE, 2)) "
                                u"FROM movimentos WHERE ABERTURA = '" + data + u"' AND COD_AGENTE = '" + agente +
                                u"'");
  }

  std::unique_ptr<TDM> Dm;
  std::unique_ptr<TRecebimentoContas> Rec;
};

TEST_F(DbRecebimento, RecordsTheRowAndTheMovementsTotals) {
  const String linha = Linha(5000, 4455667788990);
  TContaRecebida conta = Conta(linha, 60.0);
  TResultadoRecebimento r = Rec->Grava(conta);
  ASSERT_TRUE(r.Gravado()) << StringToUtf8(r.Mensagem);
  EXPECT_TRUE(r.Mensagem.empty());
  EXPECT_DOUBLE_EQ(r.Valor, 50.0);

  EXPECT_EQ(TestDatabase::Scalar(u"SELECT CONCAT_WS('|', RECEBIMENTO, CUPOM, CHQ_DINH, VALOR, TROCO, CODIGOBARRAS, "
                                 u"ESTORNADO, USUARIO, COD_AGENTE, INSCRICAO, LENGTH(HORA)) FROM recebimentos "
                                 u"WHERE CUPOM = '000005'"),
            u"2024-03-05|000005|Dinheiro|50|10|" + linha + u"|N|CAIXA|001|4455667788990|6");
  // 123.45 + 50 in cash, 80 by cheque, three bills.
  EXPECT_EQ(Totais(), u"3|173.45|80.00");

  conta = Conta(Linha(1999, 1), 19.99, u"000006");
  conta.Pagamento = u"Cheque";
  ASSERT_TRUE(Rec->Grava(conta).Gravado());
  EXPECT_EQ(Totais(), u"4|173.45|99.99");
  // The other movement and the other agent keep theirs.
  EXPECT_EQ(Totais(u"2024-03-04"), u"2|50.00|25.50");
  EXPECT_EQ(Totais(u"2024-03-05", u"002"), u"1|10.00|0.00");
}

TEST_F(DbRecebimento, RefusesInTheOrderOfTheChecksAndWritesNothing) {
  const String boa = Linha(12000, 77);
  String digitoErrado = boa;
  digitoErrado[11] = digitoErrado[11] == u'9' ? u'0' : static_cast<char16_t>(digitoErrado[11] + 1);
  // Block 3 typed with ten digits, every check digit computed from what was typed.
  TBlocosLinha curtos = Blocos(boa);
  curtos[2].pop_back();
  const String curta = RecalculaLinha(curtos);

  struct Caso {
    const char* nome;
    String linha;
    bool digitada;
    TBlocosLinha blocos;
    double recebido;
    TRecusaRecebimento recusa;
    String mensagem;
  };
  const Caso casos[] = {
      {"sem conta", u"", false, {}, 200, TRecusaRecebimento::SemConta, u""},
      {"digito errado", digitoErrado, true, Blocos(boa), 200, TRecusaRecebimento::LinhaDigitadaInvalida,
       u"Código de Barras Digitado inválido! Compare com os valores abaixo dos campos."},
      // The same line after a click on the reader's radio button.
      {"digito errado, leitora marcada", digitoErrado, false, {}, 200, TRecusaRecebimento::LinhaDigitadaInvalida,
       u"Código de Barras Digitado inválido! Compare com os valores abaixo dos campos."},
      {"bloco curto", curta, true, curtos, 200, TRecusaRecebimento::QuantidadeDigitos,
       u"A quantidade dígitos do código de barras digitado deverá ser 48!"},
      {"leitora curta", boa.substr(0, 47), false, {}, 200, TRecusaRecebimento::QuantidadeDigitos,
       u"A quantidade dígitos do código de barras da leitura ótica deverá ser 44!"},
      {"outra empresa", Linha(12000, 77, u"0999"), false, {}, 200, TRecusaRecebimento::CodigoFebraban,
       u"O Código Febraban 0999 constante no Código de Barras não confere com o da Concessionária 0123!"},
      {"outra empresa digitada", Linha(12000, 77, u"0999"), true, Blocos(Linha(12000, 77, u"0999")), 200,
       TRecusaRecebimento::CodigoFebraban,
       u"O Código Febraban 0999 constante no Código de Barras não confere com o da Concessionária 0123!"},
      {"um centavo a menos", boa, false, {}, 119.99, TRecusaRecebimento::ValorInferior,
       u"Valor recebido inferior ao valor da conta!"},
      {"cupom do movimento", boa, false, {}, 120, TRecusaRecebimento::CupomRecebido,
       u"Conta com Nº de Cupom já recebida!"},
  };
  const int antes = Recebimentos();
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.nome);
    TContaRecebida conta = Conta(caso.linha, caso.recebido);
    conta.Digitada = caso.digitada;
    conta.Blocos = caso.blocos;
    if (caso.recusa == TRecusaRecebimento::CupomRecebido) conta.Cupom = u"000004";
    TResultadoRecebimento r = Rec->Grava(conta);
    EXPECT_EQ(r.Recusa, caso.recusa);
    EXPECT_EQ(r.Mensagem, caso.mensagem);
    EXPECT_EQ(r.Tipo, caso.mensagem.empty() ? 0 : 1);
  }
  EXPECT_EQ(Recebimentos(), antes);
  EXPECT_EQ(Totais(), u"2|123.45|80.00");
}

TEST_F(DbRecebimento, TypedLineTakesTheValueOfTheLineAsItStands) {
  // The operator typed a bill of 100.00, then corrected block 1 after its
  // check digit to a higher value whose check digit happens to be the same:
  // the amount received for the first value no longer covers the bill.
  const String primeira = Linha(10000, 5);
  String corrigida;
  for (int64_t reais = 200;; reais += 100) {
    corrigida = Linha(reais * 100, 5);
    if (corrigida[11] == primeira[11]) break;
  }
  ASSERT_EQ(corrigida.substr(11), primeira.substr(11));
  TContaRecebida conta = Conta(corrigida, 100.0);
  conta.Digitada = true;
  conta.Blocos = Blocos(corrigida);
  TResultadoRecebimento r = Rec->Grava(conta);
  EXPECT_EQ(r.Recusa, TRecusaRecebimento::ValorInferior);
  ASSERT_TRUE(r.ValorLido);
  EXPECT_DOUBLE_EQ(r.Valor, ValorDaLinha(corrigida));
  EXPECT_EQ(Recebimentos(), 5);

  conta.Recebido = r.Valor;
  ASSERT_TRUE(Rec->Grava(conta).Gravado());
  EXPECT_EQ(TestDatabase::Scalar(u"SELECT TROCO FROM recebimentos WHERE CUPOM = '000005'"), u"0");
}

TEST_F(DbRecebimento, ALineReceivedBeforeIsRefusedOnAnyDateOfTheAgentOnly) {
  TestDatabase::Exec(u"INSERT INTO movimentos (ABERTURA, USUARIO, COD_AGENTE) VALUES ('2024-03-06', 'CAIXA', '001')");
  Dm->Movimentos->Refresh();
  TContaRecebida conta = Conta(TestDatabase::BarCodeLine, 200);
  conta.Movimento = Dia(2024, 3, 6);
  TResultadoRecebimento r = Rec->Grava(conta);
  EXPECT_EQ(r.Recusa, TRecusaRecebimento::CodigoBarrasRecebido);
  EXPECT_EQ(r.Mensagem, u"Conta com Código de Barras já recebida em 05/03/2024 no Cupom Nº 000003!");
  EXPECT_EQ(Recebimentos(), 5);

  // Agent 002 has received the same line on no date: it records it.
  auto dm2 = ConectaDM(u"002");
  TRecebimentoContas rec2(*dm2);
  conta = Conta(TestDatabase::BarCodeLine, 123.45, u"000002");
  conta.Agente = u"002";
  ASSERT_TRUE(rec2.Grava(conta).Gravado());
  EXPECT_EQ(Totais(u"2024-03-05", u"002"), u"2|133.45|0.00");
}

TEST_F(DbRecebimento, ANumberTakenOnAnotherDateIsCaughtByTheKey) {
  // Not among the receipts of the current movement, but the agent's.
  TResultadoRecebimento r = Rec->Grava(Conta(Linha(700, 8), 7, u"000001"));
  EXPECT_EQ(r.Recusa, TRecusaRecebimento::CupomRecebido);
  EXPECT_EQ(r.Mensagem, u"Conta com Nº de Cupom já recebida!");
  EXPECT_EQ(Recebimentos(), 5);
  EXPECT_EQ(Totais(), u"2|123.45|80.00");
}

TEST_F(DbRecebimento, AFailureBetweenTheRowAndTheTotalsWritesNeither) {
  TestDatabase::Exec(u"CREATE TRIGGER falha_totais BEFORE UPDATE ON movimentos FOR EACH ROW "
                     u"SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'totais recusados'");
  TResultadoRecebimento r = Rec->Grava(Conta(Linha(4200, 9), 50));
  TestDatabase::Exec(u"DROP TRIGGER falha_totais");
  EXPECT_EQ(r.Recusa, TRecusaRecebimento::FalhaGravacao);
  EXPECT_EQ(r.Tipo, 2);
  EXPECT_EQ(r.Mensagem, u"Ocorreu uma falha na tentativa de gravação dos dados! totais recusados");
  EXPECT_EQ(Recebimentos(), 5);
  EXPECT_EQ(Totais(), u"2|123.45|80.00");
  EXPECT_FALSE(Dm->FDConexao->InTransaction());

  // The connection goes on working.
  EXPECT_TRUE(Rec->Grava(Conta(Linha(4200, 9), 50)).Gravado());
  EXPECT_EQ(Totais(), u"3|165.45|80.00");
}

TEST_F(DbRecebimento, AMovementClosedOrGoneMeanwhileTakesNoReceipt) {
  // Another workstation closed or removed it after this one loaded it.
  const char16_t* outros[] = {
      u"UPDATE movimentos SET FECHAMENTO = '2024-03-06', CREDITO = '2024-03-07' WHERE ABERTURA = '2024-03-05' "
      u"AND COD_AGENTE = '001'",
      u"DELETE FROM movimentos WHERE ABERTURA = '2024-03-05' AND COD_AGENTE = '001'",
  };
  for (const char16_t* outro : outros) {
    SCOPED_TRACE(StringToUtf8(outro));
    TestDatabase::Reset();
    TestDatabase::Exec(outro);
    const String totais = Totais();
    TResultadoRecebimento r = Rec->Grava(Conta(Linha(4200, 9), 50));
    EXPECT_EQ(r.Recusa, TRecusaRecebimento::MovimentoFechado);
    EXPECT_EQ(r.Mensagem, u"Movimento inexistente ou já fechado!");
    EXPECT_EQ(r.Tipo, 2);
    EXPECT_EQ(Recebimentos(), 5);
    EXPECT_EQ(Totais(), totais);
    EXPECT_FALSE(Dm->FDConexao->InTransaction());
  }
}

TEST_F(DbRecebimento, NextNumberOrRefusalWhenItCannotBeRead) {
  String cupom, mensagem;
  ASSERT_TRUE(Rec->ProximoCupom(u"001", cupom, mensagem));
  EXPECT_EQ(cupom, u"000005");
  ASSERT_TRUE(Rec->ProximoCupom(u"003", cupom, mensagem));
  EXPECT_EQ(cupom, u"000001");
  TestDatabase::Exec(u"UPDATE recebimentos SET CUPOM = '000099' WHERE CUPOM = '000004' AND COD_AGENTE = '001'");
  ASSERT_TRUE(Rec->ProximoCupom(u"001", cupom, mensagem));
  EXPECT_EQ(cupom, u"000100");

  cupom = u"x";
  TestDatabase::Exec(u"UPDATE recebimentos SET CUPOM = 'ZZZ' WHERE CUPOM = '000099'");
  EXPECT_FALSE(Rec->ProximoCupom(u"001", cupom, mensagem));
  EXPECT_EQ(mensagem, u"Não foi possível buscar próximo número de cupom! 'ZZZ' is not a valid integer value");
  EXPECT_EQ(cupom, u"x");
  Dm->FDConexao->Close();
  Dm->FDConexao->Params().SetText(u"Server=127.0.0.1\r\nPort=1\r\nDriverID=MySQL");
  EXPECT_FALSE(Rec->ProximoCupom(u"001", cupom, mensagem));
}

TEST_F(DbRecebimento, TotalsCountUnreversedReceiptsAndSumExactPaymentTexts) {
  TestDatabase::Exec(u"INSERT INTO recebimentos (RECEBIMENTO, CUPOM, VALOR, CHQ_DINH, CODIGOBARRAS, ESTORNADO, "
                     u"COD_AGENTE) VALUES ('2024-03-05', '000010', 5, 'Dinheiro', 'a', 'S', '001'), "
                     u"('2024-03-05', '000011', 7, 'Pix', 'b', 'N', '001'), "
                     u"('2024-03-05', '000012', 9, 'dinheiro', 'c', 'N', '001'), "
                     u"('2024-03-05', '000013', 11, 'Dinheiro', 'd', 'n', '001')");
  TTotaisMovimento t = Rec->ProcessaTotais(Dia(2024, 3, 5), u"001");
  EXPECT_EQ(t.Quantidade, 4);
  EXPECT_DOUBLE_EQ(t.Dinheiro, 123.45);
  EXPECT_DOUBLE_EQ(t.Cheque, 80.0);
  EXPECT_EQ(Totais(), u"4|123.45|80.00");
}

TEST_F(DbRecebimento, DeletesOneReceiptByItsRowAndRewritesTheTotals) {
  const int id = road::Conta(u"SELECT ID FROM recebimentos WHERE CUPOM = '000003' AND COD_AGENTE = '001'");
  bool naExclusao = true;
  Rec->ExcluiRecebimento(id, Dia(2024, 3, 5), u"001", naExclusao);
  EXPECT_FALSE(naExclusao);
  EXPECT_EQ(Recebimentos(), 4);
  EXPECT_EQ(Totais(), u"1|0.00|80.00");
  // A row of another agent is out of reach even by its own id.
  const int outro = road::Conta(u"SELECT ID FROM recebimentos WHERE COD_AGENTE = '002'");
  Rec->ExcluiRecebimento(outro, Dia(2024, 3, 5), u"001", naExclusao);
  EXPECT_EQ(Recebimentos(), 4);

  TestDatabase::Exec(u"CREATE TRIGGER falha_totais BEFORE UPDATE ON movimentos FOR EACH ROW "
                     u"SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'totais recusados'");
  const int cheque = road::Conta(u"SELECT ID FROM recebimentos WHERE CUPOM = '000004' AND COD_AGENTE = '001'");
  EXPECT_THROW(Rec->ExcluiRecebimento(cheque, Dia(2024, 3, 5), u"001", naExclusao), EDatabaseError);
  TestDatabase::Exec(u"DROP TRIGGER falha_totais");
  EXPECT_FALSE(naExclusao);
  EXPECT_EQ(Recebimentos(), 4);
  EXPECT_EQ(Totais(), u"1|0.00|80.00");
}

TEST_F(DbRecebimento, AConnectionLostInsideTheReceiptIsReportedOnceAndTheNextWorkGoesOn) {
  // The session is killed while the receipt's transaction waits for the
  // movement's row, which the fixture holds.
  const uint64_t sessao = Dm->FDConexao->Session().ConnectionId();
  TGravacaoEmOutraThread g{Rec.get(), Conta(Linha(4200, 9), 50), {}};
  TestDatabase::Exec(u"START TRANSACTION");
  TestDatabase::Scalar(u"SELECT ID FROM movimentos WHERE ABERTURA = '2024-03-05' AND COD_AGENTE = '001' FOR UPDATE");
  HANDLE thread = CreateThread(nullptr, 0, GravaEmOutraThread, &g, 0, nullptr);
  bool esperando = false;
  for (int i = 0; i < 400 && !esperando; ++i) {
    esperando = road::Conta(u"SELECT COUNT(*) FROM information_schema.PROCESSLIST WHERE ID = " + Id(sessao) +
                            u" AND INFO LIKE '%FOR UPDATE'") == 1;
    if (!esperando) Sleep(25);
  }
  TestDatabase::Exec(u"KILL " + Id(sessao));
  TestDatabase::Exec(u"COMMIT");
  WaitForSingleObject(thread, 60000);
  CloseHandle(thread);
  ASSERT_TRUE(esperando);

  // The loss itself is what the operator reads, with the client's cause.
  const String falha = u"Ocorreu uma falha na tentativa de gravação dos dados! ";
  EXPECT_EQ(g.Resultado.Recusa, TRecusaRecebimento::FalhaGravacao);
  ASSERT_EQ(g.Resultado.Mensagem.rfind(falha, 0), 0u) << StringToUtf8(g.Resultado.Mensagem);
  EXPECT_GT(g.Resultado.Mensagem.size(), falha.size());
  EXPECT_EQ(g.Resultado.Mensagem.find(u"during the transaction"), String::npos) << StringToUtf8(g.Resultado.Mensagem);
  EXPECT_FALSE(Dm->FDConexao->InTransaction());
  EXPECT_EQ(Recebimentos(), 5);

  // The next work reconnects: closing the window rewrites the totals.
  TestDatabase::Exec(u"UPDATE movimentos SET QUANTIDADE = 9 WHERE ABERTURA = '2024-03-05' AND COD_AGENTE = '001'");
  EXPECT_NO_THROW(Rec->ProcessaTotais(Dia(2024, 3, 5), u"001"));
  EXPECT_EQ(Totais(), u"2|123.45|80.00");
  EXPECT_NE(Dm->FDConexao->Session().ConnectionId(), sessao);
}

TEST_F(DbRecebimento, TheFirstActionAfterTheSessionWasLostWorks) {
  // As after the server came back: the session the program holds is gone.
  String cupom, mensagem;
  TestDatabase::Exec(u"KILL " + Id(Dm->FDConexao->Session().ConnectionId()));
  EXPECT_TRUE(Rec->ProximoCupom(u"001", cupom, mensagem)) << StringToUtf8(mensagem);
  EXPECT_EQ(cupom, u"000005");
  TestDatabase::Exec(u"KILL " + Id(Dm->FDConexao->Session().ConnectionId()));
  EXPECT_TRUE(Rec->Grava(Conta(Linha(4200, 9), 50)).Gravado());
  EXPECT_EQ(Totais(), u"3|165.45|80.00");
}

}  // namespace
