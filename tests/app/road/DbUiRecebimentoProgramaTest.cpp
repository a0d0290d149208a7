// The real Brenquia.exe, headless, as an operator of agent 002 uses it:
// log in, open today's movement, receive a bill by reader, and find the
// receipt and the movement's totals in the database and on screen.
#include "app/uFunc.h"
#include "app/road/RoadSupport.h"
#include "support/AppDriver.h"
#include "support/Artifacts.h"
#include "support/PdfReadBack.h"
#include <gtest/gtest.h>

using namespace road;

namespace {

constexpr DWORD Espera = 20000;

class DbUiRecebimentoPrograma : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_FALSE(AppDriver::BuiltExecutable().empty()) << "Brenquia.exe is not built beside the tests";
    TestDatabase::Reset();
  }

  // Waits for a message box, answers it and returns its text.
  String Responde(StringView legenda, int botao) {
    HWND caixa = App.WaitForMessageBox(Espera, legenda);
    if (!caixa) return u"(nenhuma caixa " + String(legenda) + u")";
    const String texto = AppDriver::MessageBoxText(caixa);
    AppDriver::AnswerMessageBox(caixa, botao);
    App.WaitForWindowGone(caixa, Espera);
    return texto;
  }

  // Ctrl and a key through the input queue, as the keyboard types them:
  // the program reads the Ctrl key's state for its menu shortcuts.
  void Ctrl(HWND janela, WORD tecla) {
    SetForegroundWindow(janela);
    App.Settle();
    INPUT teclas[4] = {};
    const WORD codigos[4] = {VK_CONTROL, tecla, tecla, VK_CONTROL};
    for (int i = 0; i < 4; ++i) {
      teclas[i].type = INPUT_KEYBOARD;
      teclas[i].ki.wVk = codigos[i];
      teclas[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(4, teclas, sizeof(INPUT));
    App.Settle();
  }

  static HWND FilhoComTexto(HWND janela, StringView inicio) {
    for (HWND filho : AppDriver::Children(janela))
      if (AppDriver::Text(filho).compare(0, inicio.size(), inicio) == 0) return filho;
    return nullptr;
  }

  AppDriver App;
};

TEST_F(DbUiRecebimentoPrograma, ReceivesABillByReaderIntoTodaysMovement) {
  TestDatabase::Exec(u"UPDATE usuario SET SENHA = '" + EncriptaDecripta(u"E", u"SENHA2", ChaveCriptografia) +
                     u"' WHERE NOME = 'ADMIN' AND COD_AGENTE = '002'");
  App.WriteIniForTestDatabase(u"002");
  ASSERT_TRUE(App.Start());

  HWND login = App.WaitForWindow(u"Senha", Espera);
  ASSERT_NE(login, nullptr);
  HWND principal = App.FindWindowByCaption(u"Brenquia - Versão: ", true);
  ASSERT_NE(principal, nullptr);
  HWND usuario = AppDriver::Child(login, u"TEdit", 0);
  HWND senha = AppDriver::Child(login, u"TEdit", 1);
  ASSERT_TRUE(usuario && senha);
  App.TypeText(usuario, u"ADMIN");
  App.TypeText(senha, u"SENHA2");
  AppDriver::Click(AppDriver::ChildByText(login, u"&Ok"));
  ASSERT_TRUE(App.WaitUntilEnabled(principal, Espera));

  // F11: the movements window, with its clock warning.
  App.Settle();
  App.PressKeyInFocus(VK_F11);
  EXPECT_EQ(Responde(u"Informação ", IDOK).rfind(u"A hora de seu computador é ", 0), 0u);
  HWND movimentos = App.WaitForWindow(u"Brenquia - Movimentos", Espera);
  ASSERT_NE(movimentos, nullptr);

  // Today's movement: agent 002 has one open, so a second may open.
  const String hoje = FormatDateTime(u"dd/mm/yyyy", Date());
  Ctrl(movimentos, 'N');
  HWND novo = App.WaitForWindow(u"Novo Movimento", Espera);
  ASSERT_NE(novo, nullptr);
  EXPECT_NE(FilhoComTexto(novo, hoje), nullptr) << "the date shown is today's";
  // "&Confirmar" is a speed button, drawn by the form: a click on its place.
  AppDriver::ClickAt(novo, 78, 267);
  EXPECT_EQ(Responde(u"Atenção ", IDYES), u"Confirma a abertura de movimento de " + hoje + u"?");
  ASSERT_TRUE(App.WaitForWindowGone(novo, Espera));
  ASSERT_EQ(Conta(u"SELECT COUNT(*) FROM movimentos WHERE COD_AGENTE = '002' AND ABERTURA = CURDATE()"), 1);

  // The latest movement, opened for receipts.
  App.Settle();
  App.PressKeyInFocus(VK_F8);
  App.Settle();
  Ctrl(movimentos, 'A');
  EXPECT_EQ(Responde(u"Atenção ", IDYES), u"Deseja que o campo Valor Recebido seja preenchido pelo sistema?");
  HWND recebimento = App.WaitForWindow(u"Brenquia - Recebimento de Contas", Espera);
  ASSERT_NE(recebimento, nullptr);
  AppDriver::Click(AppDriver::Child(recebimento, u"TCheckBox", 0));
  App.Settle();

  // The reader types the bar code and an Enter; the amount fills itself.
  Ctrl(recebimento, 'N');
  App.Settle();
  HWND leitora = AppDriver::Child(recebimento, u"TEdit", 0);
  ASSERT_NE(leitora, nullptr);
  EXPECT_EQ(App.FocusedControl(), leitora);
  App.TypeText(leitora, TestDatabase::BarCode);
  App.PressKey(leitora, VK_RETURN);
  App.Settle();
  const std::vector<PdfStamp> antes = PdfFiles("Cupom");
  Ctrl(recebimento, 'G');
  EXPECT_EQ(Responde(u"Atenção ", IDYES), u"Confirma a impressão do cupom?");
  App.Settle();
  // The receipt prints at once on its own paper, with no dialog.
  PdfDocument cupom = WaitForNewPdf("Cupom", antes);
  ASSERT_EQ(cupom.pages.size(), 1u) << cupom.path;
  EXPECT_NEAR(cupom.pages[0].width, 215.43, 1.5);
  EXPECT_NEAR(cupom.pages[0].height, 311.81, 1.5);
  for (const char* texto : {"COMPROVANTE NÃO FISCAL", "123,45", "CNF: 000002", "LOJA DOIS"})
    EXPECT_NE(cupom.text.find(texto), std::string::npos) << texto << "\n" << cupom.text;

  EXPECT_EQ(TestDatabase::Scalar(u"SELECT CONCAT_WS('|', CUPOM, VALOR, TROCO, CHQ_DINH, CODIGOBARRAS, INSCRICAO, "
                                 u"USUARIO) FROM recebimentos WHERE COD_AGENTE = '002' AND RECEBIMENTO = CURDATE()"),
            String(u"000002|123.45|0|Dinheiro|") + TestDatabase::BarCodeLine + u"|1234567890123|ADMIN");
  EXPECT_EQ(TestDatabase::Scalar(u"SELECT CONCAT_WS('|', QUANTIDADE, DINHEIRO, CHEQUE) FROM movimentos "
                                 u"WHERE COD_AGENTE = '002' AND ABERTURA = CURDATE()"),
            u"1|123.45|0");
  HWND memo = AppDriver::Child(recebimento, u"TMemo", 0);
  ASSERT_NE(memo, nullptr);
  // The totals follow the printing, whose progress form serves messages.
  const String totais = u"Recebimento(s) em " + hoje + u": R$ 123,45 em 1 conta(s).";
  WaitUntil([&] { return AppDriver::Text(memo) == totais; }, Espera);
  EXPECT_EQ(AppDriver::Text(memo), totais);
  EXPECT_TRUE(AppDriver::SaveScreenshot(recebimento, ArtifactPath("road-recebimento.png")));

  // Closing the receipt window brings the summary of the movement up to date.
  Ctrl(recebimento, 'S');
  ASSERT_TRUE(App.WaitForWindowGone(recebimento, Espera));
  App.Settle();
  HWND resumo = FilhoComTexto(movimentos, u" Quantidade:");
  ASSERT_NE(resumo, nullptr);
  const String b(13, u' ');
  EXPECT_EQ(AppDriver::Text(resumo),
            u" Quantidade: 1" + b + u"Total em Dinheiro: 123,45" + b + u"Total em Cheques: 0,00" + b +
                u"Total Geral: 123,45");
  EXPECT_NE(FilhoComTexto(movimentos, u"Movimento " + hoje), nullptr);
  EXPECT_TRUE(AppDriver::SaveScreenshot(movimentos, ArtifactPath("road-movimentos.png")));

  Ctrl(movimentos, 'S');
  ASSERT_TRUE(App.WaitForWindowGone(movimentos, Espera));
  App.Settle();
  App.PressKeyInFocus(VK_F12);
  EXPECT_TRUE(App.WaitForExit(Espera));
}

}  // namespace
