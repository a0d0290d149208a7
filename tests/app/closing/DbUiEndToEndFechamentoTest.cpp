// The real Brenquia.exe, headless against the test database: log in, open
// the movements, receive one bill into the open movement, close it by PIX,
// and find the movement closed and a "QRCode.bmp" of its new total.
#include "app/PixPayload.h"
#include "app/closing/ClosingSupport.h"
#include "app/spine/SpineTestSupport.h"
#include "platform/classes/IniFiles.h"
#include "support/AppDriver.h"
#include "support/TestDatabase.h"

using namespace closing;

namespace {

constexpr DWORD Espera = 20000;
const String ChavePIX = u"pix@agenteum.test";
// A bill of the test utility for 15.55 that agent 001 never received.
const String CodigoBarras = u"8261" u"00000001555" u"0123" u"0000" u"0000000000777" u"00000000";

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

// Ctrl and a letter, typed as the keyboard would, into the window once it
// is the foreground one (shortcuts read the Ctrl key's state, which posted
// messages do not set). False when it could not be brought to the front.
bool ControlMais(HWND janela, WORD tecla) {
  SetForegroundWindow(janela);
  if (!WaitUntil([&] { return GetForegroundWindow() == janela; }, 5000)) return false;
  INPUT teclas[4]{};
  const WORD sequencia[4] = {VK_CONTROL, tecla, tecla, VK_CONTROL};
  for (int i = 0; i < 4; ++i) {
    teclas[i].type = INPUT_KEYBOARD;
    teclas[i].ki.wVk = sequencia[i];
    teclas[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
  }
  return SendInput(4, teclas, sizeof(INPUT)) == 4;
}

String ArtefatoWindows(const std::string& nome) {
  const std::string caminho = Artefato(nome);
  return caminho.empty() ? String() : LinuxPathToWindows(caminho);
}

class DbUiEndToEndFechamento : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_FALSE(AppDriver::BuiltExecutable().empty()) << "Brenquia.exe is not built beside the tests";
    ASSERT_TRUE(Imagens.Valida());
    TestDatabase::Reset();
  }

  // Waits for the program's next message box, checks its text (from the
  // start when `inicio`), answers it and waits until it is gone. False when
  // no box came: the rest of the road cannot be walked.
  bool Responde(const String& texto, int botao, bool inicio = false) {
    HWND caixa = App.WaitForMessageBox(Espera);
    if (!caixa) {
      ADD_FAILURE() << "no box for: " << StringToUtf8(texto);
      return false;
    }
    const String lido = AppDriver::MessageBoxText(caixa);
    if (inicio)
      EXPECT_EQ(lido.rfind(texto, 0), 0u) << StringToUtf8(lido);
    else
      EXPECT_EQ(lido, texto);
    AppDriver::AnswerMessageBox(caixa, botao);
    return App.WaitForWindowGone(caixa, Espera);
  }

  AppDriver App;
  PastaLinux Imagens;
};

TEST_F(DbUiEndToEndFechamento, ReceivesABillAndClosesTheMovementByPix) {
  TestDatabase::Exec(u"UPDATE usuario SET SENHA = '" + Cifra(u"SENHA1") +
                     u"' WHERE NOME = 'ADMIN' AND COD_AGENTE = '001'");
  App.WriteIniForTestDatabase(u"001");
  TIniFile(App.IniPath()).WriteString(u"AGENTE", u"Chave", Cifra(ChavePIX));
  ASSERT_TRUE(App.Start());

  // Login.
  HWND login = App.WaitForWindow(u"Senha", Espera);
  ASSERT_NE(login, nullptr) << "the login did not open";
  HWND principal = App.FindWindowByCaption(u"Brenquia - Versão: ", true);
  ASSERT_NE(principal, nullptr);
  std::vector<HWND> edits = Edits(login);
  ASSERT_EQ(edits.size(), 2u);
  App.TypeText(edits[0], u"ADMIN");
  App.TypeText(edits[1], u"SENHA1");
  AppDriver::Click(AppDriver::ChildByText(login, u"&Ok"));
  ASSERT_TRUE(App.WaitUntilEnabled(principal, Espera));
  ASSERT_TRUE(App.WaitForWindowGone(login, Espera));

  // The movements window opens on the latest movement, the open one.
  // Menus of another process cannot be read; the program's shortcuts work.
  App.PressKeyInFocus(VK_F11);
  ASSERT_TRUE(Responde(u"A hora de seu computador é ", IDOK, true));
  HWND movimentos = App.WaitForWindow(u"Brenquia - Movimentos", Espera);
  ASSERT_NE(movimentos, nullptr);

  // One bill into it through the receipt window, by the reader.
  ASSERT_TRUE(ControlMais(movimentos, 'A'));
  ASSERT_TRUE(Responde(u"A data do computador não confere com a data do movimento!", IDOK));
  ASSERT_TRUE(Responde(u"Deseja que o campo Valor Recebido seja preenchido pelo sistema?", IDYES));
  HWND recebimento = App.WaitForWindow(u"Brenquia - Recebimento de Contas", Espera);
  ASSERT_NE(recebimento, nullptr);
  AppDriver::Click(AppDriver::ChildByText(recebimento, u"Novo"));
  App.Settle();
  HWND leitora = App.FocusedControl();
  ASSERT_NE(leitora, nullptr);
  App.TypeText(leitora, CodigoBarras);
  App.PressKey(leitora, VK_RETURN);
  App.Settle();
  AppDriver::Click(AppDriver::ChildByText(recebimento, u"Gravar"));
  App.Settle();
  ASSERT_EQ(TestDatabase::Scalar(u"SELECT COUNT(*) FROM recebimentos WHERE RECEBIMENTO = '2024-03-05' AND "
                                 u"COD_AGENTE = '001' AND VALOR = 15.55"),
            u"1")
      << "the bill was not received";
  AppDriver::Click(AppDriver::ChildByText(recebimento, u"Fechar"));
  ASSERT_TRUE(App.WaitForWindowGone(recebimento, Espera));

  // Closing it: the question, then the form with its QR code.
  ASSERT_TRUE(ControlMais(movimentos, 'F'));
  ASSERT_TRUE(Responde(u"Confirma o fechamento do movimento de 05/03/2024?", IDYES));
  HWND fechamento = App.WaitForWindow(u"Fechamento de movimento de 05/03/2024", Espera);
  ASSERT_NE(fechamento, nullptr);
  App.Settle();
  EXPECT_EQ(App.WaitForMessageBox(300), nullptr) << "the QR code was not drawn";

  // Closing date today (filled in), credit date today, the default
  // identifier filled in by entering its edit.
  const String hoje = FormatDateTime(u"dd/mm/yyyy", Date());
  HWND dataFechamento = App.FocusedControl();
  ASSERT_NE(dataFechamento, nullptr);
  EXPECT_EQ(AppDriver::Text(dataFechamento), hoje);
  App.PressKey(dataFechamento, VK_RETURN);
  App.Settle();
  HWND dataCredito = App.FocusedControl();
  ASSERT_NE(dataCredito, dataFechamento);
  EXPECT_EQ(AppDriver::Text(dataCredito), u"30/12/1899");
  AppDriver::SetText(dataCredito, hoje);
  App.PressKey(dataCredito, VK_RETURN);
  App.Settle();
  HWND identificador = App.FocusedControl();
  EXPECT_EQ(AppDriver::Text(identificador), u"0001144477700016105032024");
  const String foto = ArtefatoWindows("closing_end_to_end.png");
  if (!foto.empty()) {
    EXPECT_TRUE(AppDriver::SaveScreenshot(fechamento, foto));
  }

  AppDriver::Click(AppDriver::ChildByText(fechamento, u"&Gravar"));
  ASSERT_TRUE(Responde(u"Confirma a gravação dos dados de fechamento?", IDYES));
  ASSERT_TRUE(Responde(u"Dados gravados com sucesso!", IDOK));
  EXPECT_TRUE(App.WaitForWindowGone(fechamento, Espera));

  const String hojeSQL = FormatDateTime(u"yyyy-mm-dd", Date());
  EXPECT_EQ(TestDatabase::Scalar(u"SELECT CONCAT_WS('|', FECHAMENTO, CREDITO, CODIGOBARRAS, QUANTIDADE, "
                                 u"DINHEIRO + CHEQUE, LENGTH(HORA)) FROM movimentos WHERE ABERTURA = '2024-03-05' "
                                 u"AND COD_AGENTE = '001'"),
            hojeSQL + u"|" + hojeSQL + u"|0001144477700016105032024|3|219|6");

  // The image the program left in its current folder holds the payload of
  // the movement's total with the bill.
  ASSERT_TRUE(CopyFileW(reinterpret_cast<LPCWSTR>((App.Folder() + u"QRCode.bmp").c_str()),
                        reinterpret_cast<LPCWSTR>(Imagens.Windows("QRCode.bmp").c_str()), FALSE));
  TDadosPIX dados;
  dados.Chave = ChavePIX;
  dados.Valor = 219.00;
  dados.Municipio = u"São Paulo";
  dados.CNPJAgente = u"11444777000161";
  dados.Abertura = EncodeDate(2024, 3, 5);
  const std::string linha = StringToUtf8(MontaLinhaPIX(dados));
  EXPECT_NE(linha.find("5406219.00"), std::string::npos);
  EXPECT_EQ(DecodificaImagem(Imagens.Linux("QRCode.bmp")), linha);

  // The movement is closed: the window no longer closes it.
  ASSERT_TRUE(ControlMais(movimentos, 'F'));
  ASSERT_TRUE(Responde(u"Movimento inexistente ou já fechado!", IDOK));
  App.Kill();
}

}  // namespace
