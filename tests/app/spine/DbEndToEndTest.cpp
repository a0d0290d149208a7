// The real Brenquia.exe, started headless against the test database from
// a folder of its own, driven through its windows as a person would.
#include "app/spine/SpineTestSupport.h"
#include "support/AppDriver.h"
#include "support/Artifacts.h"
#include "support/TestDatabase.h"
#include "platform/rtl/FileUtils.h"

namespace {

constexpr DWORD Espera = 20000;

// The edits of a window, in the order the form created them.
std::vector<HWND> Edits(HWND janela) {
  std::vector<HWND> edits;
  for (HWND filho : AppDriver::Children(janela)) {
    String classe = AppDriver::ClassName(filho);
    for (char16_t& c : classe)
      if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
    if (classe.find(u"EDIT") != String::npos) edits.push_back(filho);
  }
  return edits;
}

struct BuscaJanela {
  StringView inicio;
  HWND achada = nullptr;
};

BOOL CALLBACK ComparaJanela(HWND janela, LPARAM parametro) {
  auto* busca = reinterpret_cast<BuscaJanela*>(parametro);
  if (IsWindowVisible(janela) && AppDriver::Text(janela).compare(0, busca->inicio.size(), busca->inicio) == 0) {
    busca->achada = janela;
    return FALSE;
  }
  return TRUE;
}

// A top-level window of any process whose caption starts with the text.
HWND JanelaDeQualquerProcesso(StringView inicio) {
  BuscaJanela busca{inicio};
  EnumWindows(ComparaJanela, reinterpret_cast<LPARAM>(&busca));
  return busca.achada;
}

void EncerraProcessoDa(HWND janela) {
  DWORD pid = 0;
  GetWindowThreadProcessId(janela, &pid);
  HANDLE processo = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
  if (!processo) return;
  TerminateProcess(processo, 99);
  WaitForSingleObject(processo, 10000);
  CloseHandle(processo);
}

class DbEndToEnd : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_FALSE(AppDriver::BuiltExecutable().empty()) << "Brenquia.exe is not built beside the tests";
    TestDatabase::Reset();
  }
  AppDriver App;
};

TEST_F(DbEndToEnd, LogsInThroughTheDialogAndReachesTheEnabledMainWindow) {
  TestDatabase::Exec(u"UPDATE usuario SET SENHA = '" + Cifra(u"SENHA1") +
                     u"' WHERE NOME = 'ADMIN' AND COD_AGENTE = '001'");
  App.WriteIniForTestDatabase(u"001");
  ASSERT_TRUE(App.Start());

  HWND login = App.WaitForWindow(u"Senha", Espera);
  ASSERT_NE(login, nullptr) << "the login did not open";
  HWND principal = App.FindWindowByCaption(u"Brenquia - Versão: ", true);
  ASSERT_NE(principal, nullptr);
  EXPECT_FALSE(AppDriver::Enabled(principal)) << "the main window waits for the login";
  EXPECT_EQ(App.FindWindowByCaption(u"Informações do sistema"), nullptr) << "the splash closes with the login";

  std::vector<HWND> edits = Edits(login);
  ASSERT_EQ(edits.size(), 2u);
  App.TypeText(edits[0], u"ADMIN");
  App.TypeText(edits[1], u"senha1");
  // Under load the program may take a moment over the typed characters.
  WaitUntil([&] { return AppDriver::Text(edits[0]) == u"ADMIN" && AppDriver::Text(edits[1]).size() == 6; }, Espera);
  EXPECT_EQ(AppDriver::Text(edits[0]), u"ADMIN");
  EXPECT_EQ(AppDriver::Text(edits[1]), u"SENHA1") << "the password edit turns letters into upper case";
  AppDriver::SaveScreenshot(login, ArtifactPath("spine-login.png"));

  HWND ok = AppDriver::ChildByText(login, u"&Ok");
  ASSERT_NE(ok, nullptr);
  AppDriver::Click(ok);
  ASSERT_TRUE(App.WaitUntilEnabled(principal, Espera));
  EXPECT_TRUE(App.WaitForWindowGone(login, Espera));
  EXPECT_EQ(AppDriver::Text(principal), u"Brenquia - Versão: 1.0.0.0");
  App.Settle();
  AppDriver::SaveScreenshot(principal, ArtifactPath("spine-main.png"));

  // F12 ends the program at once.
  HWND foco = App.FocusedControl();
  App.PressKey(foco ? foco : principal, VK_F12);
  EXPECT_TRUE(App.WaitForExit(Espera));
}

TEST_F(DbEndToEnd, DatabaseThatCannotBeOpenedEndsTheProgramAfterTheWarning) {
  App.WriteIniForTestDatabase(u"001");
  TIniFile(App.IniPath()).WriteString(u"BANCO", u"Password", Cifra(u"errada"));
  ASSERT_TRUE(App.Start());
  HWND aviso = App.WaitForMessageBox(Espera, u"Atenção ");
  ASSERT_NE(aviso, nullptr);
  EXPECT_EQ(AppDriver::MessageBoxText(aviso).rfind(u"Não foi possível conectar com o banco de dados no servidor!", 0),
            0u)
      << StringToUtf8(AppDriver::MessageBoxText(aviso));
  AppDriver::AnswerMessageBox(aviso, IDOK);
  EXPECT_TRUE(App.WaitForExit(Espera));
}

TEST_F(DbEndToEnd, MissingConfigurationAsksOnceAndEndsOnNo) {
  ASSERT_TRUE(App.Start());
  HWND pergunta = App.WaitForMessageBox(Espera, u"Atenção ");
  ASSERT_NE(pergunta, nullptr);
  EXPECT_EQ(AppDriver::MessageBoxText(pergunta),
            u"Não foi possível carregar o arquivo de inicialização do sistema Brenquia.ini!  "
            u"Deseja configurar agora? ");
  AppDriver::AnswerMessageBox(pergunta, IDNO);
  EXPECT_TRUE(App.WaitForExit(Espera));
  EXPECT_FALSE(FileExists(App.IniPath()));
}

TEST_F(DbEndToEnd, EditorOpenedForAMissingFileSavesItAndRestartsTheProgram) {
  ASSERT_TRUE(App.Start());
  HWND pergunta = App.WaitForMessageBox(Espera, u"Atenção ");
  ASSERT_NE(pergunta, nullptr);
  AppDriver::AnswerMessageBox(pergunta, IDYES);

  // The load stops at the first enciphered key of the missing file.
  HWND erro = App.WaitForMessageBox(Espera, u"Informação ");
  ASSERT_NE(erro, nullptr);
  EXPECT_EQ(AppDriver::MessageBoxText(erro).rfind(u"Não foi possível carregar os dados do arquivo Brenquia.ini! ", 0),
            0u);
  AppDriver::AnswerMessageBox(erro, IDOK);

  HWND editor = App.WaitForWindow(u"Configurar Brenquia.ini", Espera);
  ASSERT_NE(editor, nullptr);
  std::vector<HWND> edits = Edits(editor);
  ASSERT_EQ(edits.size(), 7u);
  // The editor requires a password: an account of the test server that
  // has one, so that the restarted program connects.
  for (const char16_t* host : {u"localhost", u"127.0.0.1", u"%"}) {
    TestDatabase::Exec(String(u"CREATE USER IF NOT EXISTS 'brqteste'@'") + host + u"' IDENTIFIED BY 'brq'");
    TestDatabase::Exec(String(u"GRANT ALL PRIVILEGES ON dbvorlent.* TO 'brqteste'@'") + host + u"'");
  }
  const String valores[] = {EnvText("BRQ_DB_HOST", "127.0.0.1"), u"brqteste", u"brq", u"dbvorlent",
                            EnvText("BRQ_DB_PORT", "3306"), u"001", u"  chave@pix.test  "};
  for (size_t i = 0; i < 7; ++i) AppDriver::SetText(edits[i], valores[i]);
  App.Settle();
  AppDriver::SaveScreenshot(editor, ArtifactPath("spine-config.png"));

  HWND gravar = AppDriver::ChildByText(editor, u"&Gravar");
  ASSERT_NE(gravar, nullptr);
  AppDriver::Click(gravar);
  EXPECT_TRUE(App.WaitForExit(Espera)) << "saving ends the running instance";

  // A new instance starts by itself; it is not ours to keep.
  HWND nova = nullptr;
  WaitUntil([&] { return (nova = JanelaDeQualquerProcesso(u"Brenquia - Versão: ")) != nullptr; }, Espera);
  EXPECT_NE(nova, nullptr) << "the program did not start again";
  if (nova) EncerraProcessoDa(nova);

  TIniFile ini(App.IniPath());
  EXPECT_EQ(ini.ReadString(u"BANCO", u"Server", String()), valores[0]);
  EXPECT_EQ(DecriptaTexto(ini.ReadString(u"BANCO", u"User_Name", String()), ChaveCriptografia), u"brqteste");
  EXPECT_EQ(DecriptaTexto(ini.ReadString(u"BANCO", u"Password", String()), ChaveCriptografia), u"brq");
  EXPECT_EQ(DecriptaTexto(ini.ReadString(u"BANCO", u"Database", String()), ChaveCriptografia), u"dbvorlent");
  EXPECT_EQ(DecriptaTexto(ini.ReadString(u"BANCO", u"Port", String()), ChaveCriptografia), valores[4]);
  EXPECT_EQ(ini.ReadString(u"AGENTE", u"Agente", String()), u"False");
  EXPECT_EQ(ini.ReadString(u"AGENTE", u"Codigo", String()), u"001");
  EXPECT_EQ(DecriptaTexto(ini.ReadString(u"AGENTE", u"Chave", String()), ChaveCriptografia), u"chave@pix.test");
}

}  // namespace
