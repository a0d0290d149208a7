// The UPDATE of a closing against the test database: what it writes, the
// one movement it touches, and what it answers when that movement is gone.
#include "app/uDM.h"
#include "app/uFechaRegras.h"
#include "app/road/RoadSupport.h"
#include "support/TestDatabase.h"
#include "platform/data/FDConnection.h"
#include <gtest/gtest.h>
#include <windows.h>

using namespace road;

namespace {

String Fechamento(const String& agente, const String& abertura = u"2024-03-05") {
  return TestDatabase::Scalar(u"SELECT CONCAT_WS('|', COALESCE(FECHAMENTO, '-'), COALESCE(CREDITO, '-'), "
                              u"COALESCE(CODIGOBARRAS, '-'), COALESCE(HORA, '-')) FROM movimentos WHERE ABERTURA = '" +
                              abertura + u"' AND COD_AGENTE = '" + agente + u"'");
}

TEntradaFechamento Entrada(const String& documento) {
  TEntradaFechamento e;
  e.Abertura = Dia(2024, 3, 5);
  e.Fechamento = u"06/03/2024";
  e.Credito = u"07/03/2024";
  e.Documento = documento;
  return e;
}

class DbFechamento : public ::testing::Test {
protected:
  void SetUp() override { TestDatabase::Reset(); }
};

TEST_F(DbFechamento, WritesTheAgentsMovementOnly) {
  auto dm = ConectaDM(u"001");
  const String documento = u"O'Brien \\ PIX \"mov\" 05/03";
  const TDateTime momento = Dia(2024, 3, 6) + EncodeTime(17, 4, 9, 0);
  EXPECT_EQ(GravaFechamentoMovimento(*dm->QrMovimentos, Entrada(documento), u"001", momento),
            TGravacaoFechamento::Gravado);
  EXPECT_EQ(Fechamento(u"001"), u"2024-03-06|2024-03-07|" + documento + u"|170409");
  EXPECT_EQ(Fechamento(u"002"), u"-|-|-|-");
  EXPECT_EQ(Fechamento(u"001", u"2024-03-04"), u"2024-03-04|2024-03-05|0001144477700016104032024|180000");
}

TEST_F(DbFechamento, AMovementThatIsGoneChangesNothingAndSaysSo) {
  auto dm = ConectaDM(u"001");
  TestDatabase::Exec(u"DELETE FROM movimentos WHERE ABERTURA = '2024-03-05' AND COD_AGENTE = '001'");
  EXPECT_EQ(GravaFechamentoMovimento(*dm->QrMovimentos, Entrada(String(25, u'0')), u"001", Dia(2024, 3, 6)),
            TGravacaoFechamento::Inexistente);
  EXPECT_EQ(Fechamento(u"002"), u"-|-|-|-");
  EXPECT_FALSE(dm->FDConexao->InTransaction());
}

TEST_F(DbFechamento, OfTwoClosingsTheFirstStandsAndTheSecondIsTold) {
  // Two workstations, each with the movement loaded while it was open.
  auto primeiro = ConectaDM(u"001");
  auto segundo = ConectaDM(u"001");
  TEntradaFechamento outra = Entrada(String(25, u'9'));
  outra.Fechamento = u"08/03/2024";
  outra.Credito = u"09/03/2024";
  EXPECT_EQ(GravaFechamentoMovimento(*primeiro->QrMovimentos, Entrada(String(25, u'0')), u"001",
                                     Dia(2024, 3, 6) + EncodeTime(10, 0, 0, 0)),
            TGravacaoFechamento::Gravado);
  EXPECT_EQ(GravaFechamentoMovimento(*segundo->QrMovimentos, outra, u"001", Dia(2024, 3, 8)),
            TGravacaoFechamento::JaFechado);
  EXPECT_EQ(Fechamento(u"001"), u"2024-03-06|2024-03-07|" + String(25, u'0') + u"|100000");
  EXPECT_FALSE(segundo->FDConexao->InTransaction());

  // While the first holds the row, the second waits and then is told.
  TestDatabase::Exec(u"UPDATE movimentos SET FECHAMENTO = NULL WHERE ABERTURA = '2024-03-05' AND COD_AGENTE = '001'");
  primeiro->FDConexao->StartTransaction();
  primeiro->FDConexao->ExecSQL(u"SELECT ID FROM movimentos WHERE ABERTURA = '2024-03-05' FOR UPDATE");
  primeiro->FDConexao->ExecSQL(u"UPDATE movimentos SET FECHAMENTO = '2024-03-06' WHERE ABERTURA = '2024-03-05' "
                               u"AND COD_AGENTE = '001'");
  struct TSegundo {
    TDM& Dm;
    TEntradaFechamento Entrada;
    TGravacaoFechamento Resultado = TGravacaoFechamento::Gravado;
    static DWORD WINAPI Grava(void* p) {
      auto* s = static_cast<TSegundo*>(p);
      try {
        s->Resultado = GravaFechamentoMovimento(*s->Dm.QrMovimentos, s->Entrada, u"001", Dia(2024, 3, 8));
      } catch (...) {
      }
      return 0;
    }
  } concorrente{*segundo, outra};
  HANDLE thread = CreateThread(nullptr, 0, TSegundo::Grava, &concorrente, 0, nullptr);
  Sleep(300);
  primeiro->FDConexao->Commit();
  WaitForSingleObject(thread, 60000);
  CloseHandle(thread);
  EXPECT_EQ(concorrente.Resultado, TGravacaoFechamento::JaFechado);
  EXPECT_EQ(Fechamento(u"001"), u"2024-03-06|2024-03-07|" + String(25, u'0') + u"|100000");
}

TEST_F(DbFechamento, TheServerRefusesADocumentBeyondTheColumn) {
  // Why the form stops at 47 characters: the server neither cuts nor takes
  // a longer text.
  auto dm = ConectaDM(u"001");
  EXPECT_THROW(GravaFechamentoMovimento(*dm->QrMovimentos, Entrada(String(48, u'9')), u"001", Dia(2024, 3, 6)),
               EDatabaseError);
  EXPECT_EQ(Fechamento(u"001"), u"-|-|-|-");
  EXPECT_EQ(GravaFechamentoMovimento(*dm->QrMovimentos, Entrada(String(47, u'9')), u"001", Dia(2024, 3, 6)),
            TGravacaoFechamento::Gravado);
  EXPECT_EQ(Fechamento(u"001"), u"2024-03-06|2024-03-07|" + String(47, u'9') + u"|000000");
}

}  // namespace
