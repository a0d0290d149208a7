// The effects label of the main window and the about box, as a person sees
// them on the X display: the caption in white over a dark shadow, laid on
// the panel behind it (never on black).
#include "app/spine/SpineTestSupport.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/PngGraphic.h"
#include "support/AppDriver.h"
#include "support/Artifacts.h"
#include "support/TestDatabase.h"

namespace {

constexpr DWORD Espera = 20000;

// White caption pixels, dark shadow pixels and black pixels in an area of
// a screenshot.
struct Contagem {
  int Brancos = 0, Sombra = 0, Pretos = 0;
};

Contagem ContaPixels(const String& png, const TRect& area) {
  TPNGGraphic imagem;
  imagem.LoadFromFile(png);
  imagem.SetPixelFormat(pf32bit);
  TPixelRows linhas(&imagem);
  Contagem c;
  for (int y = std::max(area.Top, 0); y < std::min(area.Bottom, linhas.Height()); ++y)
    for (int x = std::max(area.Left, 0); x < std::min(area.Right, linhas.Width()); ++x) {
      const uint32_t p = linhas.At(x, y) & 0xFFFFFF;
      const int r = p >> 16 & 0xFF, g = p >> 8 & 0xFF, b = p & 0xFF;
      c.Brancos += p == 0xFFFFFF;
      c.Pretos += p == 0;
      c.Sombra += r < 0x80 && g < 0x80 && b < 0x80;
    }
  return c;
}

// The client area of a child window in its top-level window's screenshot.
TRect AreaNaJanela(HWND janela, HWND filho) {
  RECT w{}, f{};
  GetWindowRect(janela, &w);
  GetWindowRect(filho, &f);
  return TRect(f.left - w.left, f.top - w.top, f.right - w.left, f.bottom - w.top);
}

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

class DbUiEffectsLabel : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_FALSE(AppDriver::BuiltExecutable().empty()) << "Brenquia.exe is not built beside the tests";
    TestDatabase::Reset();
  }
  AppDriver App;
};

TEST_F(DbUiEffectsLabel, MainWindowAndAboutBoxShowTheCaptionWithItsShadow) {
  TestDatabase::Exec(u"UPDATE usuario SET SENHA = '" + Cifra(u"SENHA1") +
                     u"' WHERE NOME = 'ADMIN' AND COD_AGENTE = '001'");
  App.WriteIniForTestDatabase(u"001");
  ASSERT_TRUE(App.Start());
  HWND login = App.WaitForWindow(u"Senha", Espera);
  ASSERT_NE(login, nullptr) << "the login did not open";
  std::vector<HWND> edits = Edits(login);
  ASSERT_EQ(edits.size(), 2u);
  App.TypeText(edits[0], u"ADMIN");
  App.TypeText(edits[1], u"senha1");
  WaitUntil([&] { return AppDriver::Text(edits[0]) == u"ADMIN" && AppDriver::Text(edits[1]).size() == 6; }, Espera);
  HWND ok = AppDriver::ChildByText(login, u"&Ok");
  ASSERT_NE(ok, nullptr);
  AppDriver::Click(ok);
  HWND principal = App.FindWindowByCaption(u"Brenquia - Versão: ", true);
  ASSERT_NE(principal, nullptr);
  ASSERT_TRUE(App.WaitUntilEnabled(principal, Espera));
  App.Settle();
  const String tela = ArtifactPath("labels-main.png");
  ASSERT_TRUE(AppDriver::SaveScreenshot(principal, tela));
  // The side panel is the first child window: the turned caption is there.
  std::vector<HWND> filhos = AppDriver::Children(principal);
  HWND painel = nullptr;
  for (HWND f : filhos) {
    RECT r{};
    GetWindowRect(f, &r);
    if (r.right - r.left == 60) painel = f;
  }
  ASSERT_NE(painel, nullptr);
  const Contagem lateral = ContaPixels(tela, AreaNaJanela(principal, painel));
  EXPECT_GT(lateral.Brancos, 300);
  EXPECT_GT(lateral.Sombra, 300);
  EXPECT_LT(lateral.Pretos, lateral.Sombra) << "the shadow lies over the panel, not over black";

  // The third button of the right panel: "Informações do sistema".
  HWND direito = nullptr;
  for (HWND f : filhos) {
    RECT r{};
    GetWindowRect(f, &r);
    if (r.right - r.left > 200 && r.bottom - r.top > 200) direito = f;
  }
  ASSERT_NE(direito, nullptr);
  AppDriver::ClickAt(direito, 130, 10 + 2 * 44 + 18);
  HWND sobre = App.WaitForWindow(u"Informações do sistema", Espera);
  ASSERT_NE(sobre, nullptr);
  App.Settle();
  const String caixa = ArtifactPath("labels-about.png");
  ASSERT_TRUE(AppDriver::SaveScreenshot(sobre, caixa));
  RECT w{};
  GetWindowRect(sobre, &w);
  const Contagem topo = ContaPixels(caixa, TRect(0, 0, w.right - w.left, 90));
  EXPECT_GT(topo.Sombra, 100);
  PostMessageW(sobre, WM_CLOSE, 0, 0);
  EXPECT_TRUE(App.WaitForWindowGone(sobre, Espera));
  PostMessageW(principal, WM_CLOSE, 0, 0);
  EXPECT_TRUE(App.WaitForExit(Espera));
}

}  // namespace
