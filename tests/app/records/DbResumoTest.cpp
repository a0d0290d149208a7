// The period summary against the test database: the agent's movements of
// a range added up, empty ranges, the other agent's rows left out, and the
// dates refused before any query runs.
#include "app/uRes.h"
#include "app/records/RecordsTestSupport.h"

namespace {

class DbResumo : public records::ProgramaAberto {
protected:
  void AbreResumo(const String& codigo = TestDatabase::AgentA) {
    Abre(codigo);
    TfrmRes::AbrefrmRes();
    ASSERT_NE(frmRes, nullptr);
    ASSERT_TRUE(frmRes->Visible());
  }
  void Consulta(const String& inicio, const String& fim) {
    frmRes->EditDT_INICIAL->SetText(inicio);
    frmRes->EditDT_FINAL->SetText(fim);
    Responde();
    frmRes->ButOkClick(frmRes->ButOk);
  }
  struct Totais {
    double quantidade, dinheiro, cheque, total;
    int linhas;
  };
  void Confere(const Totais& esperado, const std::string& caso) {
    EXPECT_DOUBLE_EQ(frmRes->EditQUANTIDADE->Value(), esperado.quantidade) << caso;
    EXPECT_NEAR(frmRes->EditDINHEIRO->Value(), esperado.dinheiro, 1e-9) << caso;
    EXPECT_NEAR(frmRes->EditCHEQUE->Value(), esperado.cheque, 1e-9) << caso;
    EXPECT_NEAR(frmRes->EditTOTAL->Value(), esperado.total, 1e-9) << caso;
    EXPECT_EQ(frmRes->ProgressBar1->Max(), esperado.linhas) << caso;
    EXPECT_EQ(frmRes->ProgressBar1->Position(), esperado.linhas) << caso;
  }
};

TEST_F(DbResumo, SumsTheAgentsMovementsOfTheRange) {
  AbreResumo();
  EXPECT_EQ(frmRes->Caption(), u"Resumo de Recebimentos no Período");
  struct Caso {
    const char16_t* inicio;
    const char16_t* fim;
    Totais totais;
  };
  const Caso casos[] = {
      {u"04/03/2024", u"05/03/2024", {4, 173.45, 105.50, 278.95, 2}},
      {u"05/03/2024", u"05/03/2024", {2, 123.45, 80.00, 203.45, 1}},   // one day, an open movement
      {u"01/01/2024", u"04/03/2024", {2, 50.00, 25.50, 75.50, 1}},
      {u"06/03/2024", u"31/12/2024", {0, 0, 0, 0, 0}},                 // nothing in the range
      {u"01/02/2024", u"29/02/2024", {0, 0, 0, 0, 0}},
  };
  for (const Caso& caso : casos) {
    const std::string nome = StringToUtf8(caso.inicio) + " a " + StringToUtf8(caso.fim);
    Consulta(caso.inicio, caso.fim);
    EXPECT_TRUE(UiTestSeam::MessageBoxLog().empty()) << nome;
    Confere(caso.totais, nome);
    UiTestSeam::Reset();
  }
  EXPECT_EQ(Screen->Cursor(), crDefault);
  Consulta(u"04/03/2024", u"05/03/2024");
  records::Fotografa(frmRes, "records-resumo.png");
}

TEST_F(DbResumo, CountsOnlyTheConfiguredAgentsRows) {
  AbreResumo(TestDatabase::AgentB);
  Consulta(u"01/03/2024", u"31/03/2024");
  Confere({1, 10.00, 0, 10.00, 1}, "agente 002");
  // Rows of a third agent in the same range change nothing for this one.
  TestDatabase::Exec(u"INSERT INTO movimentos (ABERTURA, QUANTIDADE, DINHEIRO, CHEQUE, COD_AGENTE) "
                     u"VALUES ('2024-03-10', 7, 700, 70, '003')");
  Consulta(u"01/03/2024", u"31/03/2024");
  Confere({1, 10.00, 0, 10.00, 1}, "com um terceiro agente");
}

TEST_F(DbResumo, RefusesMissingOrReversedDatesAndKeepsTheLastResult) {
  AbreResumo();
  Consulta(u"04/03/2024", u"05/03/2024");
  Confere({4, 173.45, 105.50, 278.95, 2}, "antes");

  struct Caso {
    const char16_t* inicio;
    const char16_t* fim;
    const char16_t* mensagem;
    const char16_t* legenda;
  };
  const Caso casos[] = {
      {u"", u"05/03/2024", u"Necessário informar a data corretamente!", u"Erro ADMIN"},
      {u"04/03/2024", u"", u"Necessário informar a data corretamente!", u"Erro ADMIN"},
      {u"31/02/2024", u"05/03/2024", u"Necessário informar a data corretamente!", u"Erro ADMIN"},
      {u"06/03/2024", u"05/03/2024", u"Data Inicial maior que a Data Final!", u"Erro ADMIN"},
  };
  for (const Caso& caso : casos) {
    UiTestSeam::Reset();
    Consulta(caso.inicio, caso.fim);
    EXPECT_EQ(TextosDasMensagens(), std::vector<String>{caso.mensagem}) << StringToUtf8(caso.inicio);
    EXPECT_EQ(records::Legendas(), std::vector<String>{caso.legenda});
    Confere({4, 173.45, 105.50, 278.95, 2}, "resultado anterior");
  }
}

TEST_F(DbResumo, CancelClearsDatesAndResultsAndTheWindowIsKept) {
  AbreResumo();
  Consulta(u"04/03/2024", u"05/03/2024");
  frmRes->ButCancelarClick(frmRes->ButCancelar);
  for (TCurrencyEdit* edit : {frmRes->EditQUANTIDADE, frmRes->EditDINHEIRO, frmRes->EditCHEQUE, frmRes->EditTOTAL})
    EXPECT_EQ(edit->Value(), 0.0);
  EXPECT_EQ(frmRes->ProgressBar1->Position(), 0);
  EXPECT_FALSE(frmRes->EditDT_INICIAL->Text().find_first_of(u"0123456789") != String::npos);
  EXPECT_FALSE(frmRes->EditDT_FINAL->Text().find_first_of(u"0123456789") != String::npos);

  // Enter moves on to the next date.
  frmRes->EditDT_INICIAL->SetFocus();
  char16_t enter = u'\r';
  frmRes->FormKeyPress(frmRes, enter);
  EXPECT_EQ(enter, 0);
  EXPECT_EQ(frmRes->ActiveControl(), frmRes->EditDT_FINAL);

  // Closing and opening again shows the same window, dates kept.
  frmRes->EditDT_INICIAL->SetText(u"04/03/2024");
  TfrmRes* antes = frmRes;
  frmRes->ButFecharClick(frmRes->ButFechar);
  EXPECT_FALSE(frmRes->Visible());
  TfrmRes::AbrefrmRes();
  EXPECT_EQ(frmRes, antes);
  EXPECT_EQ(frmRes->EditDT_INICIAL->Text(), u"04/03/2024");
  EXPECT_FALSE(DM->QrMovimentos->Active());
}

TEST_F(DbResumo, DatabaseFailureIsReportedAndTheResultsStay) {
  AbreResumo();
  Consulta(u"04/03/2024", u"05/03/2024");
  UiTestSeam::Reset();
  struct TabelaFora {
    TabelaFora() { TestDatabase::Exec(u"RENAME TABLE dbvorlent.movimentos TO dbvorlent.movimentos_fora"); }
    ~TabelaFora() { TestDatabase::Exec(u"RENAME TABLE dbvorlent.movimentos_fora TO dbvorlent.movimentos"); }
  };
  {
    TabelaFora fora;
    Consulta(u"04/03/2024", u"05/03/2024");
  }
  ASSERT_EQ(UiTestSeam::MessageBoxLog().size(), 1u);
  EXPECT_EQ(UiTestSeam::MessageBoxLog()[0].Text.rfind(u"Erro na composição da consulta! ", 0), 0u);
  EXPECT_EQ(Screen->Cursor(), crDefault);
  EXPECT_NEAR(frmRes->EditTOTAL->Value(), 278.95, 1e-9);
}

}  // namespace
