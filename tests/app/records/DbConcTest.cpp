// The utility's record against the test database: saves with valid and
// refused CNPJs, the logo picture stored with the row, a new row on an
// empty table, and the agent version that changes nothing.
#include "app/uConc.h"
#include "app/records/RecordsTestSupport.h"
#include "platform/ui/graphics/Bitmap.h"
#include "platform/classes/Streams.h"
#include "platform/rtl/NumUtils.h"

namespace {

class DbConc : public records::ProgramaAberto {
protected:
  void AbreConc(bool versaoAgente = false) {
    Abre(TestDatabase::AgentA, versaoAgente);
    Application->CreateForm(frmConc);
    frmConc->Show();
    ASSERT_TRUE(frmConc->Visible());
  }
  void Grava(std::initializer_list<int> respostas = {}) {
    UiTestSeam::Reset();
    Responde(respostas);
    frmConc->ButGravarClick(frmConc->ButGravar);
  }
  static String Campo(const String& campo) { return Escalar(u"SELECT " + campo + u" FROM concessionaria"); }
};

TEST_F(DbConc, SavesAValidRecordAndRefusesAMissingOrWrongCnpj) {
  AbreConc();
  EXPECT_EQ(frmConc->Caption(), u"Dados da Concessionária");
  EXPECT_EQ(frmConc->DBEditCOD_CONC->Text(), u"0123");
  EXPECT_TRUE(frmConc->ButExcluir->Enabled());
  records::Fotografa(frmConc, "records-concessionaria.png");

  struct Caso {
    const char16_t* razao;
    const char16_t* cnpj;
    const char16_t* mensagem;
  };
  const Caso casos[] = {
      {u"", u"11222333000181", u"Necessário informar a Razão Social da concessionária!"},
      {u"SANEAMENTO", u"", u"Necessário informar o CNPJ da concessionária!"},
      {u"SANEAMENTO", u"11222333000182", u"CNPJ inválido!"},
      {u"SANEAMENTO", u"00000000000001", u"CNPJ inválido!"},
  };
  TFDTable* tabela = DM->Concessionaria;
  for (const Caso& caso : casos) {
    tabela->FieldByName(u"RAZAO_SOCIAL")->SetAsString(caso.razao);
    tabela->FieldByName(u"CNPJ")->SetAsString(caso.cnpj);
    Grava();
    EXPECT_EQ(TextosDasMensagens(), std::vector<String>{caso.mensagem}) << StringToUtf8(caso.cnpj);
    EXPECT_EQ(records::Legendas(), std::vector<String>{u"Erro ADMIN"});
    EXPECT_TRUE(frmConc->Visible());
  }
  EXPECT_EQ(Campo(u"CNPJ"), u"11222333000181");

  frmConc->DBEditRAZAO_SOCIAL->SetText(u"SANEAMENTO D'ÁGUA");
  frmConc->DBEditCNPJ->SetText(u"11444777000161");
  frmConc->DBEditCOD_CONC->SetText(u"0456");
  Grava();
  EXPECT_TRUE(UiTestSeam::MessageBoxLog().empty()) << StringToUtf8(TextosDasMensagens().front());
  EXPECT_FALSE(frmConc->Visible());
  EXPECT_EQ(Campo(u"RAZAO_SOCIAL"), u"SANEAMENTO D'ÁGUA");
  EXPECT_EQ(Campo(u"CNPJ"), u"11444777000161");
  EXPECT_EQ(Campo(u"COD_CONC"), u"0456");
  EXPECT_EQ(Escalar(u"SELECT COUNT(*) FROM concessionaria"), u"1");
}

TEST_F(DbConc, StoresTheChosenBitmapAsTheLogo) {
  AbreConc();
  const String arquivo = Pasta.Path() + u"logo.bmp";
  {
    TBitmap imagem;
    imagem.SetWidth(16);
    imagem.SetHeight(8);
    imagem.SaveToFile(arquivo);
  }
  frmConc->CarregaLogotipo(arquivo);
  Grava();
  EXPECT_TRUE(UiTestSeam::MessageBoxLog().empty());
  const String tamanho = Escalar(u"SELECT LENGTH(LOGOTIPO) FROM concessionaria");
  TFileStream leitura(arquivo, fmOpenRead);
  EXPECT_EQ(tamanho, IntToStr(static_cast<int>(leitura.Size())));

  // A file that is not a bitmap is refused and leaves the logo alone.
  const String texto = Pasta.Path() + u"logo-falso.bmp";
  {
    TFileStream escrita(texto, fmCreate);
    escrita.Write("isto nao e um bitmap", 20);
  }
  frmConc->Show();
  EXPECT_THROW(frmConc->CarregaLogotipo(texto), Exception);
  Grava();
  EXPECT_EQ(Escalar(u"SELECT LENGTH(LOGOTIPO) FROM concessionaria"), tamanho);
}

TEST_F(DbConc, EmptyTableOffersANewRowAndDeleteWaitsForTheFirstSave) {
  TestDatabase::Exec(u"DELETE FROM concessionaria");
  AbreConc();
  EXPECT_EQ(DM->Concessionaria->State(), dsInsert);
  EXPECT_FALSE(frmConc->ButExcluir->Enabled());
  frmConc->DBEditRAZAO_SOCIAL->SetText(u"NOVA CONCESSIONARIA");
  frmConc->DBEditCNPJ->SetText(u"11222333000181");
  Grava();
  EXPECT_TRUE(UiTestSeam::MessageBoxLog().empty()) << StringToUtf8(TextosDasMensagens().front());
  EXPECT_EQ(Campo(u"RAZAO_SOCIAL"), u"NOVA CONCESSIONARIA");

  frmConc->Show();
  EXPECT_TRUE(frmConc->ButExcluir->Enabled());
  NomeConcessionaria = u"NOVA CONCESSIONARIA";
  UiTestSeam::Reset();
  Responde({IDYES});
  frmConc->ButExcluirClick(frmConc->ButExcluir);
  EXPECT_EQ(TextosDasMensagens(),
            std::vector<String>{u"Confirma a exclusão dos dados da concessionária NOVA CONCESSIONARIA?"});
  EXPECT_EQ(Escalar(u"SELECT COUNT(*) FROM concessionaria"), u"0");
  EXPECT_FALSE(frmConc->ButExcluir->Enabled());
}

TEST_F(DbConc, FailedSaveSaysTheTableIsUnavailable) {
  AbreConc();
  FalhaAo(u"falha_concessionaria", u"BEFORE UPDATE", u"concessionaria");
  frmConc->DBEditRAZAO_SOCIAL->SetText(u"OUTRO NOME");
  Grava();
  EXPECT_EQ(TextosDasMensagens(), std::vector<String>{u"No momento a tabela está indisponível para gravação!"});
  EXPECT_EQ(records::Legendas(), std::vector<String>{u"Informação ADMIN"});
  EXPECT_TRUE(frmConc->Visible());
  EXPECT_EQ(Campo(u"RAZAO_SOCIAL"), u"COMPANHIA DE SANEAMENTO TESTE");
  frmConc->ButFecharClick(frmConc->ButFechar);
  EXPECT_FALSE(DM->Concessionaria->UpdatesPending());
  EXPECT_EQ(DM->Concessionaria->FieldByName(u"RAZAO_SOCIAL")->AsString(), u"COMPANHIA DE SANEAMENTO TESTE");
}

TEST_F(DbConc, AgentVersionShowsTheRecordAndChangesNothing) {
  AbreConc(true);
  EXPECT_EQ(frmConc->DBEditRAZAO_SOCIAL->Text(), u"COMPANHIA DE SANEAMENTO TESTE");
  EXPECT_FALSE(frmConc->PanelCampos->Enabled());
  EXPECT_FALSE(frmConc->ButGravar->Enabled());
  EXPECT_FALSE(frmConc->MnuGravar->Enabled());
  EXPECT_FALSE(frmConc->ButExcluir->Enabled());
  EXPECT_FALSE(frmConc->MnuExcluir->Enabled());
  EXPECT_EQ(DM->Concessionaria->State(), dsBrowse);

  Grava();
  Responde({IDYES});
  frmConc->ButExcluirClick(frmConc->ButExcluir);
  frmConc->DBImageLOGOTIPOClick(frmConc->DBImageLOGOTIPO);
  EXPECT_TRUE(UiTestSeam::MessageBoxLog().empty());
  EXPECT_EQ(DM->Concessionaria->State(), dsBrowse);
  EXPECT_EQ(Escalar(u"SELECT COUNT(*) FROM concessionaria"), u"1");
}

TEST_F(DbConc, OpensModallyAndLeavingDiscardsTheChanges) {
  Abre();
  bool visto = false;
  UiTestSeam::QueueModalAction([&](TCustomForm& form) {
    visto = &form == frmConc && frmConc->Modal();
    frmConc->DBEditRAZAO_SOCIAL->SetText(u"NAO GRAVADA");
    frmConc->ButFecharClick(frmConc->ButFechar);
  });
  TfrmConc::AbreFormConc();
  EXPECT_TRUE(visto);
  EXPECT_EQ(frmConc->Height(), 390);
  EXPECT_EQ(Screen->Cursor(), crDefault);
  EXPECT_EQ(DM->Concessionaria->State(), dsBrowse);
  EXPECT_EQ(DM->Concessionaria->FieldByName(u"RAZAO_SOCIAL")->AsString(), u"COMPANHIA DE SANEAMENTO TESTE");
  EXPECT_EQ(Campo(u"RAZAO_SOCIAL"), u"COMPANHIA DE SANEAMENTO TESTE");
}

}  // namespace
