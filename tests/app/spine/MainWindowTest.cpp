// The main window's menu as built, and the level rules of its items and
// buttons: manager-only items do nothing at all for anyone else.
#include "app/AppState.h"
#include "app/uPrinc.h"
#include "app/spine/SpineTestSupport.h"
#include <set>

namespace {

// Records which window each item would open.
class TfrmPrincTeste : public TfrmPrinc {
public:
  using TfrmPrinc::TfrmPrinc;
  std::vector<String> Abertas;

protected:
  void AbreMovimentos() override { Abertas.push_back(u"Movimentos"); }
  void AbreUsuarios() override { Abertas.push_back(u"Usuarios"); }
  void AbreAgente() override { Abertas.push_back(u"Agente"); }
  void AbreConcessionaria() override { Abertas.push_back(u"Concessionaria"); }
  void AbreConfiguracao() override { Abertas.push_back(u"Configuracao"); }
  void AbreConsulta() override { Abertas.push_back(u"Consulta"); }
  void AbreResumo() override { Abertas.push_back(u"Resumo"); }
  void AbreExclusao() override { Abertas.push_back(u"Exclusao"); }
  void AbreCalculadora() override { Abertas.push_back(u"Calculadora"); }
  void AbreInformacoes() override { Abertas.push_back(u"Informacoes"); }
};

class MainWindow : public ::testing::Test {
protected:
  void SetUp() override {
    NovoEstadoDoPrograma(Pasta.Path());
    Form = new TfrmPrincTeste(nullptr);
    Form->AfterConstruction();
  }
  void TearDown() override {
    Form->Free();
    NovoEstadoDoPrograma(String());
  }
  // What every item and button opens for the current level.
  std::vector<String> AbreTudo() {
    Form->Abertas.clear();
    for (TMenuItem* item : {Form->MnuMovimentos, Form->MnuUsuarios, Form->MnuAgente, Form->MnuConcessionaria,
                            Form->MnuConfigurar, Form->MnuConsulta, Form->MnuResumo, Form->MnuExcluir,
                            Form->MnuCalculadora, Form->MnuInformacoes})
      item->Click();
    for (TSpeedButton* botao : {Form->ButMovimentos, Form->ButAgente, Form->ButInformacoes, Form->ButCalculadora})
      botao->Click();
    return Form->Abertas;
  }
  TempFolder Pasta;
  TfrmPrincTeste* Form = nullptr;
};

TEST_F(MainWindow, IsBuiltAsTheLauncher) {
  EXPECT_EQ(Form->Height(), 430);
  EXPECT_FALSE(Form->Enabled());
  EXPECT_TRUE(Form->KeyPreview());
  EXPECT_TRUE(LoginPendente);
  EXPECT_FALSE(VersaoAgente);
  EXPECT_EQ(RodapeRelatorio.rfind(u"Brenquia - ", 0), 0u);
  EXPECT_EQ(Form->PanelEsquerdo->Width(), 60);
  EXPECT_EQ(Form->ButMovimentos->Caption(), u"F11 - Movimentos");
  EXPECT_EQ(Form->ButAgente->Caption(), u"Agente Arrecadador");
  EXPECT_EQ(Form->ButInformacoes->Caption(), u"Informações do sistema");
  EXPECT_EQ(Form->ButCalculadora->Caption(), u"F2 - Acessa calculadora");
  EXPECT_EQ(Form->ButSair->Caption(), u"F12 - Saída do sistema");
  for (TSpeedButton* b : {Form->ButMovimentos, Form->ButSair}) EXPECT_EQ(b->Height(), 36);
}

TEST_F(MainWindow, MenuTextsShortcutsAndSeparators) {
  auto textos = [](TMenuItem* menu) {
    std::vector<String> t;
    for (int i = 0; i < menu->Count(); ++i) t.push_back(menu->Items(i)->Caption());
    return t;
  };
  TMenuItem* raiz = Form->MainMenu1->Items();
  EXPECT_EQ(textos(raiz), (std::vector<String>{u"&Opções", u"&Utilitários", u"&Sobre"}));
  EXPECT_EQ(textos(Form->MnuOpcoes),
            (std::vector<String>{u"&Movimentos", u"-", u"&Configurações", u"-", u"Consulta e &Imprime Recebimentos",
                                 u"Consulta &Resumo de Recebimentos", u"-", u"&Sair"}));
  EXPECT_EQ(textos(Form->MnuConfiguracoes), (std::vector<String>{u"&Usuários do sistema", u"&Agente Arrecadador",
                                                                 u"&Concessionária", u"Configura&r"}));
  EXPECT_EQ(textos(Form->MnuUtilitarios), (std::vector<String>{u"&Excluir Recebimentos", u"-", u"&Calculadora"}));
  EXPECT_EQ(textos(Form->MnuSobre), (std::vector<String>{u"Informações do sistema"}));

  EXPECT_EQ(Form->MnuMovimentos->ShortCut(), ShortCut(VK_F11, {}));
  EXPECT_EQ(Form->MnuSair->ShortCut(), ShortCut(VK_F12, {}));
  EXPECT_EQ(Form->MnuCalculadora->ShortCut(), ShortCut(VK_F2, {}));
  EXPECT_EQ(Form->MnuConsulta->ShortCut(), 0);
  for (TMenuItem* item : {Form->MnuMovimentos, Form->MnuUsuarios, Form->MnuConfigurar, Form->MnuSair,
                          Form->MnuExcluir, Form->MnuCalculadora, Form->MnuInformacoes})
    EXPECT_FALSE(GetLongHint(item->Hint()).empty()) << StringToUtf8(item->Caption());
}

TEST_F(MainWindow, ManagerOnlyItemsDoNothingForOtherLevels) {
  const std::vector<String> paraTodos = {u"Movimentos", u"Consulta",    u"Resumo",     u"Exclusao", u"Calculadora",
                                         u"Informacoes", u"Movimentos", u"Informacoes", u"Calculadora"};
  struct Caso {
    const char16_t* nivel;
    bool versaoAgente;
    std::vector<String> esperadas;
  };
  const std::vector<String> gerencial = {u"Movimentos", u"Usuarios", u"Agente",      u"Concessionaria",
                                         u"Configuracao", u"Consulta", u"Resumo",    u"Exclusao",
                                         u"Calculadora", u"Informacoes", u"Movimentos", u"Agente",
                                         u"Informacoes", u"Calculadora"};
  std::vector<String> agente = gerencial;
  agente.erase(agente.begin() + 4);  // no configuration in the agent version
  const Caso casos[] = {
      {u"Funcional", false, paraTodos},
      {u"gerencial", false, paraTodos},  // the level must match exactly
      {u"", false, paraTodos},
      {u"Gerencial", false, gerencial},
      {u"Gerencial", true, agente},
  };
  for (const Caso& caso : casos) {
    NivelUsuario = caso.nivel;
    VersaoAgente = caso.versaoAgente;
    EXPECT_EQ(AbreTudo(), caso.esperadas) << StringToUtf8(caso.nivel) << " agente=" << caso.versaoAgente;
  }
  EXPECT_TRUE(UiTestSeam::MessageBoxLog().empty()) << "a refused item shows no message";
}

TEST_F(MainWindow, StatusBarShowsTheLoggedInUser) {
  NomeUsuario = u"CAIXA";
  Form->StatusBar1MouseMove(Form->StatusBar1, TShiftState{}, 1, 1);
  EXPECT_EQ(Form->Hint(), u"Usuário: CAIXA");
}

}  // namespace
