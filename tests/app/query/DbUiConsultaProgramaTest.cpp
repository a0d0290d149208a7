// The real Brenquia.exe, headless, as an operator of agent 001 queries
// the receipts of a day by keys: the menu item, the field, the operator
// and the date, the condition added, "Ok", and the print menu.
#include "app/uFunc.h"
#include "app/records/RecordsTestSupport.h"
#include "support/PdfReadBack.h"
#include "support/AppDriver.h"
#include <gtest/gtest.h>

namespace {

constexpr DWORD Espera = 20000;

class DbUiConsultaPrograma : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_FALSE(AppDriver::BuiltExecutable().empty()) << "Brenquia.exe is not built beside the tests";
    TestDatabase::Reset();
  }

  String Responde(StringView legenda, int botao) {
    HWND caixa = App.WaitForMessageBox(Espera, legenda);
    if (!caixa) return u"(nenhuma caixa " + String(legenda) + u")";
    const String texto = AppDriver::MessageBoxText(caixa);
    AppDriver::AnswerMessageBox(caixa, botao);
    App.WaitForWindowGone(caixa, Espera);
    return texto;
  }

  // Logs in as ADMIN of agent 001 and opens the query from the menu.
  void AbreConsulta() {
    TestDatabase::Exec(u"UPDATE usuario SET SENHA = '" + EncriptaDecripta(u"E", u"S1", ChaveCriptografia) +
                       u"' WHERE NOME = 'ADMIN' AND COD_AGENTE = '001'");
    App.WriteIniForTestDatabase(u"001");
    ASSERT_TRUE(App.Start());
    HWND login = App.WaitForWindow(u"Senha", Espera);
    ASSERT_NE(login, nullptr);
    Principal = App.FindWindowByCaption(u"Brenquia - Versão: ", true);
    ASSERT_NE(Principal, nullptr);
    App.TypeText(AppDriver::Child(login, u"TEdit", 0), u"ADMIN");
    App.TypeText(AppDriver::Child(login, u"TEdit", 1), u"S1");
    AppDriver::Click(AppDriver::ChildByText(login, u"&Ok"));
    ASSERT_TRUE(App.WaitUntilEnabled(Principal, Espera));
    App.Settle();
    // Alt+O drops "&Opções"; I is "Consulta e &Imprime Recebimentos".
    Teclas(Principal, {{VK_MENU, false}, {'O', false}, {'O', true}, {VK_MENU, true}, {'I', false}, {'I', true}});
    Consulta = App.WaitForWindow(u"Consulta e Imprime Recebimentos", Espera);
    ASSERT_NE(Consulta, nullptr);
  }

  // Keys through the input queue, as the keyboard sends them: menus read
  // the Alt key's state.
  void Teclas(HWND janela, std::initializer_list<std::pair<WORD, bool>> teclas) {
    SetForegroundWindow(janela);
    App.Settle();
    for (const auto& [codigo, solta] : teclas) {
      INPUT tecla = {};
      tecla.type = INPUT_KEYBOARD;
      tecla.ki.wVk = codigo;
      tecla.ki.dwFlags = solta ? KEYEVENTF_KEYUP : 0;
      SendInput(1, &tecla, sizeof(INPUT));
      App.Settle();
    }
  }

  // Chooses "Recebimento", "=" and the day by keys, adds the condition and
  // runs the query.
  void ConsultaDia(HWND consulta, StringView dia) {
    HWND campos = AppDriver::Child(consulta, u"TComboBox", 0);
    ASSERT_EQ(App.FocusedControl(), campos);
    App.PressKey(campos, VK_F4);  // the list fills as it drops down
    App.Settle();
    App.PressKey(campos, VK_DOWN);
    App.PressKey(campos, VK_DOWN);
    App.PressKey(campos, VK_F4);
    App.Settle();
    EXPECT_EQ(AppDriver::Text(campos), u"Recebimento");
    App.PressKey(campos, VK_TAB);
    App.Settle();
    HWND operador = AppDriver::Child(consulta, u"TComboBox", 1);
    EXPECT_EQ(App.FocusedControl(), operador);
    App.PressKey(operador, VK_DOWN);
    App.PressKey(operador, VK_RETURN);  // Enter moves on as Tab does
    App.Settle();
    HWND valor = AppDriver::Child(consulta, u"TMaskEdit", 0);
    EXPECT_EQ(App.FocusedControl(), valor);
    App.TypeText(valor, dia);
    App.Settle();
    // The speed button that adds the condition is drawn by its panel.
    HWND painel = AppDriver::Child(consulta, u"TPanel", 1);
    AppDriver::ClickAt(painel, 655, 34);
    App.Settle();
    HWND ok = AppDriver::ChildByText(consulta, u"&Ok");
    EXPECT_EQ(App.FocusedControl(), ok);
    AppDriver::Click(ok);
    App.Settle();
  }

  AppDriver App;
  HWND Principal = nullptr;
  HWND Consulta = nullptr;
};

TEST_F(DbUiConsultaPrograma, QueriesADayByKeysAndOffersThePrintMenu) {
  ASSERT_NO_FATAL_FAILURE(AbreConsulta());
  HWND consulta = Consulta;
  EXPECT_FALSE(AppDriver::Enabled(Principal));
  ConsultaDia(consulta, u"05032024");

  HWND memo = AppDriver::Child(consulta, u"TMemo", 0);
  EXPECT_EQ(AppDriver::Text(memo), u"SELECT * FROM RECEBIMENTOS WHERE\r\n RECEBIMENTO = '2024-03-05'");
  EXPECT_NE(AppDriver::ChildByText(consulta, u"Quantidade de registros: 2"), nullptr);
  EXPECT_TRUE(AppDriver::SaveScreenshot(consulta, ArtifactPath("consulta-programa.png")));

  // "Imprimir" pops up the choice; "Listagem" asks whether to preview,
  // and answered no prints the two receipts' listing.
  const std::vector<PdfStamp> antes = PdfFiles("Recebimentos");
  AppDriver::Click(AppDriver::ChildByText(consulta, u"&Imprimir"));
  App.Settle();
  App.PressKeyInFocus('L');
  EXPECT_EQ(Responde(u"Atenção ", IDNO), u"Deseja visualizar a impressão?");
  const PdfDocument listagem = WaitForNewPdf("Recebimentos", antes);
  ASSERT_FALSE(listagem.path.empty());
  ASSERT_NE(listagem.text.find("Quantidade: 2"), std::string::npos) << listagem.text;
  EXPECT_EQ(listagem.pages.size(), 1u);
  EXPECT_NE(listagem.text.find("LISTAGEM DE RECEBIMENTOS"), std::string::npos) << listagem.text;
  EXPECT_NE(listagem.text.find("203,45"), std::string::npos) << listagem.text;

  // "Cupom", answered no, prints the two receipts, a page each.
  const std::vector<PdfStamp> cupons = PdfFiles("Cupom");
  AppDriver::Click(AppDriver::ChildByText(consulta, u"&Imprimir"));
  App.Settle();
  App.PressKeyInFocus('C');
  EXPECT_EQ(Responde(u"Atenção ", IDNO), u"Deseja visualizar a impressão?");
  const PdfDocument recibos = WaitForNewPdf("Cupom", cupons);
  EXPECT_NE(recibos.text.find("000003"), std::string::npos) << recibos.text;
  EXPECT_NE(recibos.text.find("000004"), std::string::npos) << recibos.text;
  EXPECT_EQ(recibos.pages.size(), 2u);

  AppDriver::Click(AppDriver::ChildByText(consulta, u"&Fechar"));
  EXPECT_TRUE(App.WaitForWindowGone(consulta, Espera));
  EXPECT_TRUE(App.WaitUntilEnabled(Principal, Espera));
}

}  // namespace
