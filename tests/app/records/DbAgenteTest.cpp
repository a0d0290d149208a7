// The agent's record against the test database: saves with valid and
// refused values, the agent code and receipt flag written on saving, a
// new row on an empty table, the delete, a failed save kept for another
// try, and the agent version that changes nothing.
#include "app/uAgente.h"
#include "app/records/RecordsTestSupport.h"

namespace {

class DbAgente : public records::ProgramaAberto {
protected:
  // The window as its opening routine shows it, without its modal loop.
  void AbreAgente(bool versaoAgente = false) {
    Abre(TestDatabase::AgentA, versaoAgente);
    Application->CreateForm(frmAgente);
    frmAgente->Show();
    ASSERT_TRUE(frmAgente->Visible());
  }
  void Grava(std::initializer_list<int> respostas = {}) {
    UiTestSeam::Reset();
    Responde(respostas);
    frmAgente->ButGravarClick(frmAgente->ButGravar);
  }
  static String Campo(const String& campo, const String& agente = u"001") {
    return Escalar(u"SELECT " + campo + u" FROM agentes WHERE COD_AGENTE = " + QuotedSQL(agente));
  }
};

TEST_F(DbAgente, SavesTheTypedValuesWithTheConfiguredCodeAndReceiptFlag) {
  AbreAgente();
  EXPECT_EQ(frmAgente->Caption(), u"Agente Arrecadador");
  EXPECT_EQ(frmAgente->DBEditRAZAO_SOCIAL->Text(), u"AGENTE UM LTDA");
  EXPECT_FALSE(frmAgente->CheckBoxIMPRIMIR_CUPOM->Checked());
  EXPECT_TRUE(frmAgente->ButGravar->Enabled());
  EXPECT_TRUE(frmAgente->ButExcluir->Enabled());
  EXPECT_EQ(DM->Agentes->State(), dsEdit);
  records::Fotografa(frmAgente, "records-agente.png");

  frmAgente->DBEditRAZAO_SOCIAL->SetText(u"AGENTE D'OESTE LTDA");
  frmAgente->DBEditCOD_AGENTE->SetText(u"XYZ");
  frmAgente->DBEditCNPJ->SetText(u"11222333000181");
  frmAgente->CheckBoxIMPRIMIR_CUPOM->SetChecked(true);
  Grava();
  EXPECT_TRUE(UiTestSeam::MessageBoxLog().empty()) << StringToUtf8(TextosDasMensagens().front());
  EXPECT_FALSE(frmAgente->Visible()) << "a save closes the window";
  EXPECT_EQ(Campo(u"RAZAO_SOCIAL"), u"AGENTE D'OESTE LTDA");
  EXPECT_EQ(Campo(u"CNPJ"), u"11222333000181");
  EXPECT_EQ(Campo(u"IMPRIMIR_CUPOM"), u"1");
  EXPECT_EQ(Escalar(u"SELECT COUNT(*) FROM agentes WHERE COD_AGENTE = 'XYZ'"), u"0");
  EXPECT_EQ(NomeAgente, u"AGENTE D'OESTE LTDA");
  EXPECT_EQ(Campo(u"RAZAO_SOCIAL", u"002"), u"AGENTE DOIS LTDA");
  EXPECT_FALSE(DM->Agentes->UpdatesPending());
}

TEST_F(DbAgente, RefusesMissingValuesAndAWrongCnpj) {
  AbreAgente();
  struct Caso {
    const char16_t* campo;
    const char16_t* valor;
    const char16_t* mensagem;
    const char16_t* legenda;
  };
  const Caso casos[] = {
      {u"RAZAO_SOCIAL", u"", u"Necessário informar a Razão Social do agente arrecadador!", u"Erro ADMIN"},
      {u"GNF", u"", u"Necessário informar o número para a impressão do cupom não fiscal!", u"Informação ADMIN"},
      {u"CNPJ", u"11444777000162", u"CNPJ inválido!", u"Erro ADMIN"},
      {u"CNPJ", u"1144477700016", u"CNPJ inválido!", u"Erro ADMIN"},
      {u"CNPJ", u"", u"CNPJ inválido!", u"Erro ADMIN"},
      {u"INSCRICAO", u"", u"Necessário informar a Inscrição da empresa!", u"Erro ADMIN"},
  };
  TFDTable* agentes = DM->Agentes;
  for (const Caso& caso : casos) {
    TField* campo = agentes->FieldByName(caso.campo);
    const String original = campo->AsString();
    campo->SetAsString(caso.valor);
    Grava();
    EXPECT_EQ(TextosDasMensagens(), std::vector<String>{caso.mensagem}) << StringToUtf8(caso.campo);
    EXPECT_EQ(records::Legendas(), std::vector<String>{caso.legenda});
    EXPECT_TRUE(frmAgente->Visible());
    campo->SetAsString(original);
  }
  EXPECT_EQ(Campo(u"CNPJ"), u"11444777000161");
  EXPECT_EQ(Campo(u"RAZAO_SOCIAL"), u"AGENTE UM LTDA");
}

TEST_F(DbAgente, LeavingAnEmptyGnfPutsZeroThatPassesTheCheck) {
  AbreAgente();
  frmAgente->DBEditGNF->SetText(u"");
  DM->Agentes->UpdateRecord();
  frmAgente->DBEditGNFExit(frmAgente->DBEditGNF);
  EXPECT_EQ(frmAgente->DBEditGNF->Text(), u"0");
  Grava();
  EXPECT_TRUE(UiTestSeam::MessageBoxLog().empty());
  EXPECT_EQ(Campo(u"GNF"), u"0");
}

TEST_F(DbAgente, EmptyTableOffersANewRowAndDeleteWaitsForTheFirstSave) {
  TestDatabase::Exec(u"DELETE FROM agentes WHERE COD_AGENTE = '001'");
  AbreAgente();
  EXPECT_EQ(DM->Agentes->State(), dsInsert);
  EXPECT_FALSE(frmAgente->ButExcluir->Enabled());
  EXPECT_FALSE(frmAgente->MnuExcluir->Enabled());
  frmAgente->DBEditRAZAO_SOCIAL->SetText(u"NOVO AGENTE");
  frmAgente->DBEditGNF->SetText(u"7");
  frmAgente->DBEditCNPJ->SetText(u"11222333000181");
  frmAgente->DBEditINSCRICAO->SetText(u"1234");
  Grava();
  EXPECT_TRUE(UiTestSeam::MessageBoxLog().empty()) << StringToUtf8(TextosDasMensagens().front());
  EXPECT_EQ(Campo(u"RAZAO_SOCIAL"), u"NOVO AGENTE");
  EXPECT_EQ(Campo(u"IMPRIMIR_CUPOM"), u"0");

  frmAgente->Show();
  EXPECT_TRUE(frmAgente->ButExcluir->Enabled());
  UiTestSeam::Reset();
  Responde({IDYES});
  frmAgente->ButExcluirClick(frmAgente->ButExcluir);
  EXPECT_EQ(TextosDasMensagens(),
            std::vector<String>{u"Confirma a exclusão dos dados do agente arrecadador NOVO AGENTE?"});
  EXPECT_EQ(Escalar(u"SELECT COUNT(*) FROM agentes WHERE COD_AGENTE = '001'"), u"0");
  EXPECT_FALSE(frmAgente->ButExcluir->Enabled());
  EXPECT_EQ(Campo(u"RAZAO_SOCIAL", u"002"), u"AGENTE DOIS LTDA");
}

TEST_F(DbAgente, FailedSaveKeepsTheTypedValuesForAnotherTry) {
  AbreAgente();
  FalhaAo(u"falha_agentes", u"BEFORE UPDATE", u"agentes");
  frmAgente->DBEditRAZAO_SOCIAL->SetText(u"AGENTE RENOMEADO");
  Grava();
  EXPECT_EQ(TextosDasMensagens(), std::vector<String>{u"No momento a tabela está indisponível para gravação!"});
  EXPECT_TRUE(frmAgente->Visible());
  EXPECT_EQ(Campo(u"RAZAO_SOCIAL"), u"AGENTE UM LTDA");
  EXPECT_EQ(DM->Agentes->State(), dsEdit);
  EXPECT_EQ(frmAgente->DBEditRAZAO_SOCIAL->Text(), u"AGENTE RENOMEADO");

  TestDatabase::Exec(u"DROP TRIGGER dbvorlent.falha_agentes");
  Grava();
  EXPECT_TRUE(UiTestSeam::MessageBoxLog().empty());
  EXPECT_EQ(Campo(u"RAZAO_SOCIAL"), u"AGENTE RENOMEADO");
}

TEST_F(DbAgente, AgentVersionShowsTheRecordAndChangesNothing) {
  AbreAgente(true);
  ASSERT_TRUE(VersaoAgente);
  EXPECT_EQ(frmAgente->DBEditRAZAO_SOCIAL->Text(), u"AGENTE UM LTDA");
  EXPECT_FALSE(frmAgente->PanelCampos->Enabled());
  EXPECT_FALSE(frmAgente->ButGravar->Enabled());
  EXPECT_FALSE(frmAgente->ButExcluir->Enabled());
  EXPECT_FALSE(frmAgente->MnuGravar->Enabled());
  EXPECT_FALSE(frmAgente->MnuExcluir->Enabled());
  records::Fotografa(frmAgente, "records-agente-versao-agente.png");

  DM->Agentes->FieldByName(u"RAZAO_SOCIAL")->SetAsString(u"ALTERADO");
  Grava();
  Responde({IDYES});
  frmAgente->ButExcluirClick(frmAgente->ButExcluir);
  EXPECT_TRUE(UiTestSeam::MessageBoxLog().empty());
  EXPECT_EQ(Campo(u"RAZAO_SOCIAL"), u"AGENTE UM LTDA");
  frmAgente->ButFecharClick(frmAgente->ButFechar);
  EXPECT_FALSE(DM->Agentes->UpdatesPending());
  EXPECT_EQ(DM->Agentes->FieldByName(u"RAZAO_SOCIAL")->AsString(), u"AGENTE UM LTDA");
}

TEST_F(DbAgente, OpensModallyAndLeavingDiscardsTheChanges) {
  Abre();
  bool visto = false;
  UiTestSeam::QueueModalAction([&](TCustomForm& form) {
    visto = &form == frmAgente && frmAgente->Modal();
    frmAgente->DBEditRAZAO_SOCIAL->SetText(u"NAO GRAVADO");
    frmAgente->ButFecharClick(frmAgente->ButFechar);
  });
  TfrmAgente::AbreFormAgente();
  EXPECT_TRUE(visto);
  EXPECT_EQ(frmAgente->Height(), 360);
  EXPECT_EQ(Screen->Cursor(), crDefault);
  EXPECT_EQ(DM->Agentes->State(), dsBrowse);
  EXPECT_EQ(DM->Agentes->FieldByName(u"RAZAO_SOCIAL")->AsString(), u"AGENTE UM LTDA");
  EXPECT_EQ(Campo(u"RAZAO_SOCIAL"), u"AGENTE UM LTDA");
}

}  // namespace
