// The real Brenquia.exe, headless: a manager logs in, opens the users
// window from the menu, adds a user and is refused a second one of the
// same name, as a person would do it.
#include "app/records/RecordsTestSupport.h"
#include "app/uFunc.h"

namespace {

constexpr DWORD Espera = 20000;

std::vector<HWND> FilhosDaClasse(HWND janela, const char16_t* trecho) {
  std::vector<HWND> achados;
  for (HWND filho : AppDriver::Children(janela)) {
    String classe = AppDriver::ClassName(filho);
    for (char16_t& c : classe)
      if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
    if (classe.find(trecho) != String::npos) achados.push_back(filho);
  }
  return achados;
}

// Opens the window's menu by the mnemonic of its first letter and picks
// the items of the others in turn.
void AbreMenu(HWND janela, StringView letras) {
  PostMessageW(janela, WM_SYSCOMMAND, SC_KEYMENU, letras[0]);
  for (size_t i = 1; i < letras.size(); ++i) {
    Sleep(200);
    PostMessageW(janela, WM_CHAR, letras[i], 0);
  }
}

class DbUsuariosEndToEnd : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_FALSE(AppDriver::BuiltExecutable().empty()) << "Brenquia.exe is not built beside the tests";
    TestDatabase::Reset();
    TestDatabase::Exec(u"UPDATE usuario SET SENHA = '" + Cifra(u"SENHA1") +
                       u"' WHERE NOME = 'ADMIN' AND COD_AGENTE = '001'");
  }
  AppDriver App;
};

TEST_F(DbUsuariosEndToEnd, ManagerAddsAUserThroughTheUsersWindow) {
  App.WriteIniForTestDatabase(u"001");
  ASSERT_TRUE(App.Start());
  HWND login = App.WaitForWindow(u"Senha", Espera);
  ASSERT_NE(login, nullptr);
  std::vector<HWND> edits = FilhosDaClasse(login, u"EDIT");
  ASSERT_EQ(edits.size(), 2u);
  App.TypeText(edits[0], u"ADMIN");
  App.TypeText(edits[1], u"SENHA1");
  AppDriver::Click(AppDriver::ChildByText(login, u"&Ok"));
  HWND principal = App.FindWindowByCaption(u"Brenquia - Versão: ", true);
  ASSERT_NE(principal, nullptr);
  ASSERT_TRUE(App.WaitUntilEnabled(principal, Espera));

  // The menu bar belongs to the program's process, so it is worked from
  // the keyboard, as a person would: Alt+O, C, U.
  AbreMenu(principal, u"ocu");
  HWND usuarios = App.WaitForWindow(u"Usuários do sistema", Espera);
  ASSERT_NE(usuarios, nullptr) << "the users window did not open";

  // Name, password, e-mail, in the order the window created them; the
  // level is the one combo box.
  edits = FilhosDaClasse(usuarios, u"EDIT");
  ASSERT_GE(edits.size(), 3u);
  std::vector<HWND> combos = FilhosDaClasse(usuarios, u"COMBO");
  ASSERT_EQ(combos.size(), 1u);
  App.TypeText(edits[0], u"MARIA D'AJUDA");
  App.TypeText(edits[1], u"ma123");
  EXPECT_EQ(AppDriver::Text(edits[1]), u"MA123") << "the password edit types upper case";
  SendMessageW(combos[0], CB_SETCURSEL, 0, 0);
  App.TypeText(edits[2], u"maria@agente.test");
  App.Settle();
  AppDriver::SaveScreenshot(usuarios, ArtifactPath("records-usuarios-e2e.png"));

  AbreMenu(usuarios, u"eg");
  const String consulta = u"SELECT SENHA FROM usuario WHERE NOME = 'MARIA D''AJUDA' AND COD_AGENTE = '001'";
  ASSERT_TRUE(WaitUntil([&] { return !TestDatabase::Scalar(consulta).empty(); }, Espera)) << "no row was added";
  EXPECT_EQ(DecriptaTexto(TestDatabase::Scalar(consulta), ChaveCriptografia), u"MA123");
  EXPECT_EQ(TestDatabase::Scalar(u"SELECT NIVEL FROM usuario WHERE NOME = 'MARIA D''AJUDA'"), u"Funcional");
  App.Settle();
  EXPECT_EQ(AppDriver::Text(edits[0]), u"") << "the form is cleared after the save";

  // The same name again, in other letters, is refused with a message.
  App.TypeText(edits[0], u"maria d'ajuda");
  App.TypeText(edits[1], u"X");
  SendMessageW(combos[0], CB_SETCURSEL, 1, 0);
  App.TypeText(edits[2], u"x@x");
  AbreMenu(usuarios, u"eg");
  HWND aviso = App.WaitForMessageBox(Espera, u"Informação ");
  ASSERT_NE(aviso, nullptr);
  EXPECT_EQ(AppDriver::MessageBoxText(aviso), u"Nome de Usuário já cadastrado!");
  AppDriver::SaveScreenshot(aviso, ArtifactPath("records-usuarios-e2e-duplicado.png"));
  AppDriver::AnswerMessageBox(aviso, IDOK);
  EXPECT_EQ(TestDatabase::Scalar(u"SELECT COUNT(*) FROM usuario WHERE COD_AGENTE = '001'"), u"3");

  AbreMenu(usuarios, u"es");
  EXPECT_TRUE(App.WaitForWindowGone(usuarios, Espera));
  App.PressKeyInFocus(VK_F12);
  EXPECT_TRUE(App.WaitForExit(Espera));
}

}  // namespace
