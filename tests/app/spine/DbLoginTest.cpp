// The login against the agent's users: accepted, refused, the empty-users
// manager, and a stored password that is not a cipher text.
#include "app/AppState.h"
#include "app/uDM.h"
#include "app/uPrinc.h"
#include "app/uSenha.h"
#include "app/spine/SpineTestSupport.h"
#include "support/TestDatabase.h"

namespace {

class DbLogin : public ::testing::Test {
protected:
  void SetUp() override {
    TestDatabase::Reset();
    TestDatabase::Exec(u"UPDATE usuario SET SENHA = '" + Cifra(u"ABC123") + u"' WHERE COD_AGENTE = '001'");
    TestDatabase::Exec(u"INSERT INTO usuario (SENHA, NOME, NIVEL, COD_AGENTE) VALUES ('" + Cifra(u"OUT1") +
                       u"', 'OUTRO', 'Gerencial', '002')");
  }
  void TearDown() override { NovoEstadoDoPrograma(String()); }

  // The program as it stands when the splash opens the login.
  void Abre() {
    NovoEstadoDoPrograma(Pasta.Path());
    EscreveIniTeste(Pasta.Path() + u"Brenquia.ini", u"001");
    Application->CreateForm(frmPrinc);
    frmPrinc->FormShow(frmPrinc);
    ASSERT_NE(DM, nullptr);
    ASSERT_TRUE(DM->Usuarios->Active());
    Application->CreateForm(frmSenha);
    frmSenha->Show();
    ASSERT_TRUE(frmPrinc->Visible());
    ASSERT_FALSE(frmPrinc->Enabled());
  }
  // Confirms the login with these texts; true when the program let the
  // user in.
  bool Entra(const String& usuario, const String& senha) {
    UiTestSeam::ClearLog();
    frmSenha->EditUSUARIO->SetText(usuario);
    frmSenha->EditSENHA->SetText(senha);
    for (int i = 0; i < 3; ++i) UiTestSeam::QueueMessageBoxAnswer(IDOK);
    frmSenha->ButOKClick(frmSenha->ButOK);
    EXPECT_EQ(Screen->Cursor(), crDefault) << "the hourglass never stays";
    return !LoginPendente;
  }
  TempFolder Pasta;
};

TEST_F(DbLogin, KnownUserWithTheRightPasswordGetsHisLevel) {
  Abre();
  ASSERT_TRUE(Entra(u"CAIXA", u"ABC123"));
  EXPECT_EQ(NomeUsuario, u"CAIXA");
  EXPECT_EQ(NivelUsuario, u"Funcional");
  EXPECT_TRUE(frmPrinc->Enabled());
  EXPECT_FALSE(frmSenha->Visible());
  EXPECT_TRUE(UiTestSeam::MessageBoxLog().empty());
}

TEST_F(DbLogin, RefusalsSayWhyAndClearThePassword) {
  Abre();
  struct Caso {
    const char16_t* usuario;
    const char16_t* senha;
    std::vector<String> mensagens;
  };
  const String invalida = u"Senha inválida! Digite novamente...";
  const Caso casos[] = {
      {u"", u"ABC123", {u"Necessário informar o Nome de Usuário!"}},
      {u"ADMIN", u"", {u"Necessário informar a Senha de Usuário!"}},
      {u"ADMIN", u"ABC124", {invalida}},
      {u"admin", u"ABC123", {u"Usuário não cadastrado!", invalida}},   // case matters
      {u"ADMIN ", u"ABC123", {u"Usuário não cadastrado!", invalida}},  // and blanks
      {u"OUTRO", u"OUT1", {u"Usuário não cadastrado!", invalida}},     // another agent's user
  };
  for (const Caso& caso : casos) {
    EXPECT_FALSE(Entra(caso.usuario, caso.senha)) << StringToUtf8(caso.usuario);
    EXPECT_EQ(TextosDasMensagens(), caso.mensagens) << StringToUtf8(caso.usuario);
    if (caso.mensagens.back() == invalida) {
      EXPECT_EQ(frmSenha->EditSENHA->Text(), u"");
    }
    EXPECT_FALSE(frmPrinc->Enabled());
    EXPECT_EQ(NomeUsuario, u"");
  }
  for (const TMessageBoxRecord& caixa : UiTestSeam::MessageBoxLog()) EXPECT_EQ(caixa.Caption, u"Informação ");
  EXPECT_TRUE(Entra(u"ADMIN", u"ABC123"));
  EXPECT_EQ(NivelUsuario, u"Gerencial");
}

TEST_F(DbLogin, EmptyUsersTableLetsAnyoneInAsTheFirstManager) {
  TestDatabase::Exec(u"DELETE FROM usuario WHERE COD_AGENTE = '001'");
  Abre();
  ASSERT_TRUE(Entra(u"", u""));
  EXPECT_EQ(NomeUsuario, u" ");
  EXPECT_EQ(NivelUsuario, u"Gerencial");
  EXPECT_TRUE(frmPrinc->Enabled());
  EXPECT_TRUE(UiTestSeam::MessageBoxLog().empty());
}

TEST_F(DbLogin, StoredPasswordThatIsNotACipherTextIsAWrongPassword) {
  TestDatabase::Exec(u"UPDATE usuario SET SENHA = 'não-cifrada' WHERE NOME = 'ADMIN' AND COD_AGENTE = '001'");
  Abre();
  EXPECT_FALSE(Entra(u"ADMIN", u"ABC123"));
  EXPECT_EQ(TextosDasMensagens(), std::vector<String>{u"Senha inválida! Digite novamente..."});
  EXPECT_TRUE(Entra(u"CAIXA", u"ABC123"));
}

TEST_F(DbLogin, PasswordVerificationMatchesTheDecipheredText) {
  Abre();
  EXPECT_TRUE(frmPrinc->VerificaSenhaEncriptada(u"ADMIN", u"ABC123"));
  EXPECT_FALSE(frmPrinc->VerificaSenhaEncriptada(u"ADMIN", u"abc123"));
  // The password edit types upper case only: a stored lower-case password
  // can never be typed.
  EXPECT_EQ(frmSenha->EditSENHA->CharCase(), ecUpperCase);
  EXPECT_EQ(frmSenha->EditSENHA->MaxLength(), 6);
}

}  // namespace
