// The start-up road of the main window: the configuration file found,
// missing or unreadable, the agent-version switch, and a database that
// cannot be opened.
#include "app/AppState.h"
#include "app/uDM.h"
#include "app/uPrinc.h"
#include "skin/engine/LabelFX.h"
#include "app/spine/SpineTestSupport.h"
#include "support/TestDatabase.h"
#include "platform/rtl/FileUtils.h"

namespace {

const String PerguntaConfigurar =
    u"Não foi possível carregar o arquivo de inicialização do sistema Brenquia.ini!  Deseja configurar agora? ";

class DbStartup : public ::testing::Test {
protected:
  void SetUp() override {
    TestDatabase::Reset();
    NovoEstadoDoPrograma(Pasta.Path());
    Application->CreateForm(frmPrinc);
  }
  void TearDown() override { NovoEstadoDoPrograma(String()); }
  String Ini() const { return Pasta.Path() + u"Brenquia.ini"; }
  // The end was asked for: the message loop sees it at its next turn.
  static bool Terminou() {
    Application->ProcessMessages();
    return Application->Terminated();
  }
  TempFolder Pasta;
};

TEST_F(DbStartup, ReadsTheConfigurationAndOpensTheAgentsDatabase) {
  EscreveIniTeste(Ini(), u"001");
  frmPrinc->FormShow(frmPrinc);
  EXPECT_TRUE(UiTestSeam::MessageBoxLog().empty());
  EXPECT_FALSE(Terminou());
  EXPECT_EQ(CodigoAgente, u"001");
  EXPECT_EQ(NomeAgente, u"AGENTE UM LTDA");
  EXPECT_EQ(NomeConcessionaria, u"COMPANHIA DE SANEAMENTO TESTE");
  EXPECT_EQ(frmPrinc->Caption().rfind(u"Brenquia - Versão: ", 0), 0u);
  EXPECT_FALSE(frmPrinc->LabelSoft->Caption().empty());
  ASSERT_NE(DM, nullptr);
  EXPECT_TRUE(DM->Usuarios->Active());
  EXPECT_EQ(DM->Usuarios->RecordCount(), 2);
  EXPECT_NE(ArquivoConfiguracao, nullptr);

  // Closing the window closes the database.
  TCloseAction acao = caHide;
  frmPrinc->FormClose(frmPrinc, acao);
  EXPECT_FALSE(DM->Usuarios->Active());
  EXPECT_FALSE(DM->FDConexao->Connected());
}

TEST_F(DbStartup, OnlyTrueWithThatCaseIsTheAgentVersion) {
  for (const char16_t* valor : {u"True", u"true", u"TRUE", u"False", u""}) {
    NovoEstadoDoPrograma(Pasta.Path());
    Application->CreateForm(frmPrinc);
    EscreveIniTeste(Ini(), u"001", valor);
    frmPrinc->FormShow(frmPrinc);
    const bool agente = String(valor) == u"True";
    EXPECT_EQ(VersaoAgente, agente) << StringToUtf8(valor);
    EXPECT_EQ(frmPrinc->MnuConfigurar->Enabled(), !agente) << StringToUtf8(valor);
  }
}

TEST_F(DbStartup, MissingFileAsksOnceAndEndsOnNo) {
  UiTestSeam::QueueMessageBoxAnswer(IDNO);
  frmPrinc->FormShow(frmPrinc);
  ASSERT_EQ(UiTestSeam::MessageBoxLog().size(), 1u);
  const TMessageBoxRecord& caixa = UiTestSeam::MessageBoxLog()[0];
  EXPECT_EQ(caixa.Text, PerguntaConfigurar);
  EXPECT_EQ(caixa.Caption, u"Atenção ") << "before the login the caption ends with a blank";
  EXPECT_EQ(caixa.Flags & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
  EXPECT_EQ(caixa.Flags & MB_DEFMASK, static_cast<UINT>(MB_DEFBUTTON1));
  EXPECT_TRUE(Terminou());
  EXPECT_EQ(DM, nullptr) << "no database without a configuration";
}

TEST_F(DbStartup, MissingFileOnYesShowsTheEditorAndEndsEvenWithoutSaving) {
  UiTestSeam::QueueMessageBoxAnswer(IDYES);
  // The editor on a missing file stops its load at the first enciphered key.
  UiTestSeam::QueueMessageBoxAnswer(IDOK);
  bool editorAberto = false;
  UiTestSeam::QueueModalAction([&](TCustomForm& form) {
    editorAberto = form.Caption() == u"Configurar Brenquia.ini";
    form.Close();
  });
  frmPrinc->FormShow(frmPrinc);
  EXPECT_TRUE(editorAberto);
  const std::vector<String> textos = TextosDasMensagens();
  ASSERT_EQ(textos.size(), 2u);
  EXPECT_EQ(textos[0], PerguntaConfigurar);
  EXPECT_EQ(textos[1].rfind(u"Não foi possível carregar os dados do arquivo Brenquia.ini! ", 0), 0u);
  EXPECT_TRUE(Terminou());
  EXPECT_FALSE(FileExists(Ini())) << "closing without saving writes nothing";
}

TEST_F(DbStartup, UnreadableFileIsReportedAndTakesTheMissingFileRoad) {
  EscreveIniTeste(Ini(), u"001");
  // Held open without sharing by another program.
  HANDLE trava = CreateFileW(reinterpret_cast<LPCWSTR>(Ini().c_str()), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                             OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(trava, INVALID_HANDLE_VALUE);
  UiTestSeam::QueueMessageBoxAnswer(IDOK);
  UiTestSeam::QueueMessageBoxAnswer(IDNO);
  frmPrinc->FormShow(frmPrinc);
  CloseHandle(trava);
  EXPECT_EQ(TextosDasMensagens(),
            (std::vector<String>{u"Não foi possível carregar o arquivo Brenquia.ini de configuração do sistema!",
                                 PerguntaConfigurar}));
  EXPECT_EQ(UiTestSeam::MessageBoxLog()[0].Caption, u"Informação ");
  EXPECT_TRUE(Terminou());
}

TEST_F(DbStartup, DatabaseFailureWarnsEndsTheProgramAndLeavesNothingOpen) {
  const String errada = u"errada";
  EscreveIniTeste(Ini(), u"001", u"False", &errada);
  UiTestSeam::QueueMessageBoxAnswer(IDOK);
  frmPrinc->FormShow(frmPrinc);
  ASSERT_EQ(UiTestSeam::MessageBoxLog().size(), 1u);
  const TMessageBoxRecord& caixa = UiTestSeam::MessageBoxLog()[0];
  EXPECT_EQ(caixa.Caption, u"Atenção ");
  EXPECT_EQ(caixa.Flags & MB_ICONMASK, static_cast<UINT>(MB_ICONWARNING));
  EXPECT_EQ(caixa.Text.rfind(u"Não foi possível conectar com o banco de dados no servidor! \r \r", 0), 0u);
  EXPECT_GT(caixa.Text.size(), 70u) << "the error's own text follows";
  EXPECT_TRUE(Terminou());
  ASSERT_NE(DM, nullptr);
  for (TFDTable* t : {DM->Usuarios, DM->Concessionaria, DM->Agentes, DM->Movimentos, DM->Recebimentos})
    EXPECT_FALSE(t->Active());
  EXPECT_FALSE(DM->FDConexao->Connected());
  EXPECT_EQ(NomeAgente, u"");
}

}  // namespace
