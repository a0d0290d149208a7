// The configuration editor's checks before it writes: every required
// field, and a PIX key too long for the payload. Nothing is written (and
// nothing restarts) while a check fails.
#include "app/PixPayload.h"
#include "app/uConfig.h"
#include "app/spine/SpineTestSupport.h"
#include "platform/rtl/FileUtils.h"

namespace {

class ConfigEditor : public ::testing::Test {
protected:
  void SetUp() override {
    NovoEstadoDoPrograma(Pasta.Path());
    Application->CreateForm(frmConfig);
    UiTestSeam::QueueMessageBoxAnswer(IDOK);  // the missing file stops the load
    frmConfig->Show();
    TEdit* edits[] = {frmConfig->EditSERVER, frmConfig->EditUSER_NAME, frmConfig->EditPASSWORD,
                      frmConfig->EditDATABASE, frmConfig->EditPORTA, frmConfig->EditCOD_AGENTE};
    const char16_t* valores[] = {u"127.0.0.1", u"brenquia", u"segredo", u"dbvorlent", u"3306", u"001"};
    for (size_t i = 0; i < 6; ++i) edits[i]->SetText(valores[i]);
    UiTestSeam::ClearLog();
  }
  void TearDown() override { NovoEstadoDoPrograma(String()); }
  // Saves and answers the one message expected; its text.
  String Grava() {
    UiTestSeam::ClearLog();
    UiTestSeam::QueueMessageBoxAnswer(IDOK);
    frmConfig->ButGravarClick(frmConfig->ButGravar);
    return UiTestSeam::MessageBoxLog().empty() ? String() : UiTestSeam::MessageBoxLog()[0].Text;
  }
  TempFolder Pasta;
};

TEST_F(ConfigEditor, EachRequiredFieldIsAskedForInTurn) {
  struct Caso {
    TEdit* TfrmConfig::*edit;
    const char16_t* mensagem;
  };
  const Caso casos[] = {
      {&TfrmConfig::EditSERVER, u"Necessário informar o endereço do servidor!"},
      {&TfrmConfig::EditUSER_NAME, u"Necessário informar o nome de usuário!"},
      {&TfrmConfig::EditPASSWORD, u"Necessário informar a senha!"},
      {&TfrmConfig::EditDATABASE, u"Necessário informar o nome do banco de dados!"},
      {&TfrmConfig::EditPORTA, u"Necessário informar o nº da porta do banco de dados!"},
      {&TfrmConfig::EditCOD_AGENTE, u"Necessário informar o código do agente arrecadador!"},
  };
  for (const Caso& caso : casos) {
    TEdit* edit = frmConfig->*caso.edit;
    const String antes = edit->Text();
    edit->SetText(String());
    EXPECT_EQ(Grava(), caso.mensagem);
    EXPECT_TRUE(edit->Focused());
    edit->SetText(antes);
  }
  EXPECT_FALSE(FileExists(CaminhoArquivoConfiguracao()));
}

TEST_F(ConfigEditor, PixKeyTooLongForThePayloadIsRefused) {
  frmConfig->EditCHAVE_PIX->SetText(String(TamanhoMaximoChavePIX + 1, u'k'));
  String esperada;
  ASSERT_FALSE(VerificaChavePIX(frmConfig->EditCHAVE_PIX->Text(), esperada));
  EXPECT_EQ(Grava(), esperada);
  EXPECT_TRUE(frmConfig->EditCHAVE_PIX->Focused());
  EXPECT_FALSE(FileExists(CaminhoArquivoConfiguracao()));
  EXPECT_FALSE(Application->Terminated());
}

TEST_F(ConfigEditor, AgentVersionShowsTheValuesReadOnly) {
  VersaoAgente = true;
  frmConfig->Hide();
  UiTestSeam::QueueMessageBoxAnswer(IDOK);  // the missing file stops the load
  frmConfig->Show();
  EXPECT_FALSE(frmConfig->ButGravar->Enabled());
  EXPECT_FALSE(frmConfig->GroupBoxBanco->Enabled());
  EXPECT_FALSE(frmConfig->GroupBoxAgente->Enabled());
  EXPECT_FALSE(frmConfig->GroupBoxPix->Enabled());
  EXPECT_EQ(frmConfig->Caption(), u"Configurar Brenquia.ini");
}

}  // namespace
