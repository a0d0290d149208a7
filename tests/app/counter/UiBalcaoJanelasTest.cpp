// Texts that fit: the about box's notice and the configuration editor's
// captions are drawn whole, clear of the edits beside them.
#include "app/AppState.h"
#include "app/records/RecordsTestSupport.h"
#include "app/spine/SpineTestSupport.h"
#include "app/uConfig.h"
#include "app/uSobre.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/StdCtrls.h"
#include <gtest/gtest.h>

namespace {

int Largura(TFont* fonte, const String& texto) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ antiga = SelectObject(dc, fonte->Handle());
  SIZE tamanho{};
  GetTextExtentPoint32W(dc, reinterpret_cast<LPCWSTR>(texto.c_str()), static_cast<int>(texto.size()), &tamanho);
  SelectObject(dc, antiga);
  ReleaseDC(nullptr, dc);
  return tamanho.cx;
}

// The caption of a check box: its box and a gap come before the text.
int LarguraMarcada(TCheckBox* caixa) {
  return GetSystemMetrics(SM_CXMENUCHECK) + 4 + Largura(caixa->Font(), caixa->Caption());
}

class UiBalcaoJanelas : public ::testing::Test {
protected:
  void TearDown() override { NovoEstadoDoPrograma(String()); }
  TempFolder Pasta;
};

TEST_F(UiBalcaoJanelas, TheProgramRunsUnderTheBrazilianLocale) {
  // The system's own buttons then read "Sim" and "Não".
  EXPECT_EQ(GetUserDefaultLCID(), static_cast<LCID>(MAKELCID(MAKELANGID(LANG_PORTUGUESE, SUBLANG_PORTUGUESE_BRAZILIAN),
                                                              SORT_DEFAULT)));
}

TEST_F(UiBalcaoJanelas, TheAboutBoxShowsItsNoticeWhole) {
  NovoEstadoDoPrograma(Pasta.Path());
  NomeConcessionaria = u"COMPANHIA DE SANEAMENTO BÁSICO DO ESTADO";
  NomeAgente = u"AGENTE ARRECADADOR MODELO LTDA";
  auto* caixa = new TAboutBox(Application);
  caixa->ComoInformacoes();
  caixa->Show();
  Application->ProcessMessages();
  for (TLabel* rotulo : {caixa->ProductName, caixa->Copyright}) {
    EXPECT_LE(Largura(rotulo->Font(), rotulo->Caption()), rotulo->Width()) << StringToUtf8(rotulo->Caption());
    EXPECT_LE(rotulo->Left() + rotulo->Width(), caixa->Panel1->ClientWidth());
  }
  records::Fotografa(caixa, "counter-sobre.png");
}

TEST_F(UiBalcaoJanelas, TheSplashStaysAboveTheMainWindowShownAfterIt) {
  NovoEstadoDoPrograma(Pasta.Path());
  TForm* principal = nullptr;
  Application->CreateForm(principal);
  auto* abertura = new TAboutBox(Application);
  abertura->ComoAbertura();
  abertura->Show();
  principal->Show();
  Application->ProcessMessages();
  EXPECT_NE(GetWindowLongW(abertura->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_EQ(GetWindowLongW(principal->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  // Above it in the Z order: walking up from the main window finds it.
  bool acima = false;
  for (HWND w = GetWindow(principal->Handle(), GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
    if (w == abertura->Handle()) acima = true;
  EXPECT_TRUE(acima);
}

TEST_F(UiBalcaoJanelas, TheConfigurationEditorsCaptionsFitBesideTheirEdits) {
  NovoEstadoDoPrograma(Pasta.Path());
  Application->CreateForm(frmConfig);
  UiTestSeam::QueueMessageBoxAnswer(IDOK);  // the missing file stops the load
  frmConfig->Show();
  Application->ProcessMessages();

  TCheckBox* versao = frmConfig->CheckBoxVERSAO_AGENTE;
  EXPECT_LE(LarguraMarcada(versao), versao->Width());
  EXPECT_LE(versao->Left() + versao->Width(), frmConfig->GroupBoxAgente->ClientWidth() - 4);

  struct Par {
    TLabel* rotulo;
    TEdit* edit;
  } pares[] = {
      {frmConfig->LabelSERVER, frmConfig->EditSERVER},     {frmConfig->LabelUSER_NAME, frmConfig->EditUSER_NAME},
      {frmConfig->LabelPASSWORD, frmConfig->EditPASSWORD}, {frmConfig->LabelDATABASE, frmConfig->EditDATABASE},
      {frmConfig->LabelPORTA, frmConfig->EditPORTA},       {frmConfig->LabelCOD_AGENTE, frmConfig->EditCOD_AGENTE},
  };
  for (const Par& par : pares) {
    const int fim = par.rotulo->Left() + Largura(par.rotulo->Font(), par.rotulo->Caption());
    EXPECT_LE(fim + 4, par.edit->Left()) << StringToUtf8(par.rotulo->Caption());
  }
  records::Fotografa(frmConfig, "counter-configuracao.png");
}

}  // namespace
