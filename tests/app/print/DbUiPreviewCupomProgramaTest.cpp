// The real Brenquia.exe: the movements window's "Imprimir Cupom", answered
// yes, shows the receipt's one page in the preview window, and Esc closes it.
#include "app/uFunc.h"
#include "app/road/RoadSupport.h"
#include "support/AppDriver.h"
#include "support/Artifacts.h"
#include <gtest/gtest.h>

using namespace road;

namespace {
constexpr DWORD Espera = 20000;

void PressionaTecla(WORD tecla) {
  INPUT teclas[2] = {};
  for (int i = 0; i < 2; ++i) {
    teclas[i].type = INPUT_KEYBOARD;
    teclas[i].ki.wVk = tecla;
    teclas[i].ki.dwFlags = i == 1 ? KEYEVENTF_KEYUP : 0;
  }
  SendInput(2, teclas, sizeof(INPUT));
}
}  // namespace

TEST(DbUiPreviewCupomPrograma, ImprimirCupomAnsweredYesShowsThePreview) {
  ASSERT_FALSE(AppDriver::BuiltExecutable().empty()) << "Brenquia.exe is not built beside the tests";
  TestDatabase::Reset();
  TestDatabase::Exec(u"UPDATE usuario SET SENHA = '" + EncriptaDecripta(u"E", u"SENHA1", ChaveCriptografia) +
                     u"' WHERE NOME = 'ADMIN' AND COD_AGENTE = '001'");
  AppDriver app;
  app.WriteIniForTestDatabase(u"001");
  ASSERT_TRUE(app.Start());
  HWND login = app.WaitForWindow(u"Senha", Espera);
  ASSERT_NE(login, nullptr);
  HWND principal = app.FindWindowByCaption(u"Brenquia - Versão: ", true);
  ASSERT_NE(principal, nullptr);
  app.TypeText(AppDriver::Child(login, u"TEdit", 0), u"ADMIN");
  app.TypeText(AppDriver::Child(login, u"TEdit", 1), u"SENHA1");
  AppDriver::Click(AppDriver::ChildByText(login, u"&Ok"));
  ASSERT_TRUE(app.WaitUntilEnabled(principal, Espera));

  // F11: the movements window, after its clock warning.
  app.Settle();
  app.PressKeyInFocus(VK_F11);
  HWND aviso = app.WaitForMessageBox(Espera);
  ASSERT_NE(aviso, nullptr);
  AppDriver::AnswerMessageBox(aviso, IDOK);
  HWND movimentos = app.WaitForWindow(u"Brenquia - Movimentos", Espera);
  ASSERT_NE(movimentos, nullptr);
  app.Settle();

  // A click on a receipt opens its menu; I picks "Imprimir Cupom".
  std::vector<HWND> grades = AppDriver::Children(movimentos, u"TDBGrid");
  ASSERT_EQ(grades.size(), 2u);
  SetForegroundWindow(movimentos);
  AppDriver::ClickAt(grades[1], 60, 28);
  app.Settle();
  Sleep(300);
  PressionaTecla(static_cast<WORD>(0x49));
  HWND pergunta = app.WaitForMessageBox(Espera);
  ASSERT_NE(pergunta, nullptr);
  EXPECT_EQ(AppDriver::MessageBoxText(pergunta), u"Deseja visualizar a impressão?");
  AppDriver::AnswerMessageBox(pergunta, IDYES);

  HWND janela = nullptr;
  WaitUntil([&] {
    janela = app.FindWindowByCaption(u"Pré-visualização");
    if (!janela) janela = app.FindWindowByCaption(u"Preview");
    return janela != nullptr;
  }, Espera);
  ASSERT_NE(janela, nullptr);
  app.Settle();
  Sleep(300);
  // The page count shows one page.
  bool umaPagina = false;
  for (HWND filho : AppDriver::Children(janela, u"TPanel"))
    if (AppDriver::Text(filho) == u"1") umaPagina = true;
  EXPECT_TRUE(umaPagina);
  EXPECT_TRUE(AppDriver::SaveScreenshot(janela, ArtifactPath("preview-cupom-programa.png")));

  app.PressKeyInFocus(VK_ESCAPE);
  EXPECT_TRUE(app.WaitForWindowGone(janela, Espera));
  app.Kill();
}
