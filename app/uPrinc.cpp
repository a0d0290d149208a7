#include "app/uPrinc.h"
#include "skin/engine/LabelFX.h"
#include "skin/forms/hints/AlphaHints.h"
#include "app/AppState.h"
#include "app/FormHelpers.h"
#include "app/uAgente.h"
#include "app/uConc.h"
#include "app/uConfig.h"
#include "app/uDM.h"
#include "app/uElimina.h"
#include "app/uFunc.h"
#include "app/uMov.h"
#include "app/uRes.h"
#include "app/uSQL1.h"
#include "app/uSobre.h"
#include "app/uUsuarios.h"
#include "platform/classes/IniFiles.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/FileUtils.h"
#include "skin/forms/hints/HintArt.h"

TfrmPrinc* frmPrinc = nullptr;

namespace {

void Separador(TComponent* dono, TMenuItem* pai) { ItemMenu(dono, pai, u"-"); }

}  // namespace

TfrmPrinc::~TfrmPrinc() { EsqueceForm(frmPrinc, this); }

TfrmPrinc::TfrmPrinc(TComponent* AOwner) : TForm(AOwner) {
  SetBorderIcons(TBorderIcons{biSystemMenu, biMinimize});
  PreparaJanela(this, bsSingle);
  SetEnabled(false);
  SetClientWidth(320);
  SetHeight(430);

  CriaMenu();
  CriaPaineis();

  sAlphaHints1 = new TsAlphaHints(this);
  AddStockHintTemplates(*sAlphaHints1->Templates());
  sAlphaHints1->SetTemplateName(u"Cartoon Baloon");
  sAlphaHints1->SetHTMLMode(true);
  sAlphaHints1->SetPauseHide(15000);
  sAlphaHints1->SetMaxWidth(0);
  sAlphaHints1->SetSkinSection(u"HINT");

  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
}

void TfrmPrinc::CriaMenu() {
  MainMenu1 = new TMainMenu(this);
  TMenuItem* raiz = MainMenu1->Items();

  MnuOpcoes = ItemMenu(this, raiz, u"&Opções");
  MnuMovimentos = ItemMenu(this, MnuOpcoes, u"&Movimentos",
                       u"Movimentos|Abre os movimentos de caixa e seus recebimentos", ShortCut(VK_F11, {}));
  Separador(this, MnuOpcoes);
  MnuConfiguracoes = ItemMenu(this, MnuOpcoes, u"&Configurações", u"Configurações|Cadastros e configuração do sistema");
  MnuUsuarios = ItemMenu(this, MnuConfiguracoes, u"&Usuários do sistema", u"Usuários|Cadastro dos usuários do sistema");
  MnuAgente = ItemMenu(this, MnuConfiguracoes, u"&Agente Arrecadador", u"Agente|Dados do agente arrecadador");
  MnuConcessionaria = ItemMenu(this, MnuConfiguracoes, u"&Concessionária", u"Concessionária|Dados da concessionária");
  MnuConfigurar = ItemMenu(this, MnuConfiguracoes, u"Configura&r", u"Configurar|Configuração do arquivo Brenquia.ini");
  Separador(this, MnuOpcoes);
  MnuConsulta = ItemMenu(this, MnuOpcoes, u"Consulta e &Imprime Recebimentos",
                     u"Consulta|Consulta e imprime os recebimentos");
  MnuResumo = ItemMenu(this, MnuOpcoes, u"Consulta &Resumo de Recebimentos",
                   u"Resumo|Resumo dos recebimentos de um período");
  Separador(this, MnuOpcoes);
  MnuSair = ItemMenu(this, MnuOpcoes, u"&Sair", u"Sair|Encerra o sistema", ShortCut(VK_F12, {}));

  MnuUtilitarios = ItemMenu(this, raiz, u"&Utilitários");
  MnuExcluir = ItemMenu(this, MnuUtilitarios, u"&Excluir Recebimentos",
                    u"Excluir|Exclui os movimentos e recebimentos de um período");
  Separador(this, MnuUtilitarios);
  MnuCalculadora = ItemMenu(this, MnuUtilitarios, u"&Calculadora", u"Calculadora|Acessa a calculadora do sistema",
                        ShortCut(VK_F2, {}));

  MnuSobre = ItemMenu(this, raiz, u"&Sobre");
  MnuInformacoes = ItemMenu(this, MnuSobre, u"Informações do sistema", u"Informações|Informações do sistema");

  MnuMovimentos->OnClick = [this](TObject* s) { MovimentosClick(s); };
  MnuUsuarios->OnClick = [this](TObject* s) { UsuariosClick(s); };
  MnuAgente->OnClick = [this](TObject* s) { AgenteClick(s); };
  MnuConcessionaria->OnClick = [this](TObject* s) { ConcessionariaClick(s); };
  MnuConfigurar->OnClick = [this](TObject* s) { ConfigurarClick(s); };
  MnuConsulta->OnClick = [this](TObject* s) { ConsultaClick(s); };
  MnuResumo->OnClick = [this](TObject* s) { ResumoClick(s); };
  MnuSair->OnClick = [this](TObject* s) { SairClick(s); };
  MnuExcluir->OnClick = [this](TObject* s) { ExcluirClick(s); };
  MnuCalculadora->OnClick = [this](TObject* s) { CalculadoraClick(s); };
  MnuInformacoes->OnClick = [this](TObject* s) { InformacoesClick(s); };
  SetMenu(MainMenu1);
}

void TfrmPrinc::CriaPaineis() {
  StatusBar1 = new TStatusBar(this);
  StatusBar1->SetParent(this);
  StatusBar1->SetAutoHint(true);
  TStatusPanel* painel = StatusBar1->Panels()->Add();
  painel->SetWidth(50);
  painel->SetAlignment(taCenter);
  StatusBar1->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { StatusBar1MouseMove(s, sh, x, y); };

  PanelEsquerdo = new TPanel(this);
  PanelEsquerdo->SetParent(this);
  PanelEsquerdo->SetAlign(alLeft);
  PanelEsquerdo->SetWidth(60);
  PanelEsquerdo->SetCaption(String());
  LabelEffect1 = new TsLabelFX(this);
  LabelEffect1->Shadow().OffsetKeeper().SetLeftTop(-3);
  LabelEffect1->Shadow().OffsetKeeper().SetRightBottom(5);
  LabelEffect1->SetParent(PanelEsquerdo);
  LabelEffect1->SetAlignment(taCenter);
  LabelEffect1->SetParentFont(false);
  LabelEffect1->Font()->SetName(u"Impact");
  LabelEffect1->Font()->SetCharset(ANSI_CHARSET);
  LabelEffect1->Font()->SetHeight(-48);
  LabelEffect1->Font()->SetColor(clWindowText);
  LabelEffect1->SetAngle(90);
  LabelEffect1->SetCaption(u"Brenquia");
  // Sized to its turned caption; centred across the narrow panel.
  LabelEffect1->SetLeft((PanelEsquerdo->Width() - LabelEffect1->Width()) / 2);
  LabelEffect1->SetTop(2);
  Image1 = new TImage(this);
  Image1->SetParent(PanelEsquerdo);
  Image1->SetBounds(14, 312, 32, 32);
  Image1->SetCenter(true);
  Image1->Picture()->Icon()->SetHandle(LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION)));

  PanelDireito = new TPanel(this);
  PanelDireito->SetParent(this);
  PanelDireito->SetAlign(alClient);
  PanelDireito->SetCaption(String());
  auto botao = [this](int indice, const String& texto, const String& dica) {
    auto* b = new TSpeedButton(this);
    b->SetParent(PanelDireito);
    b->SetFlat(true);
    b->SetCaption(texto);
    b->SetHint(dica);
    b->SetParentFont(false);
    b->Font()->SetName(u"Arial");
    b->Font()->SetSize(9);
    b->Font()->SetStyle(TFontStyles{fsBold});
    b->SetBounds(8, 10 + indice * 44, 244, 36);
    return b;
  };
  ButMovimentos = botao(0, u"F11 - Movimentos", u"Movimentos|Abre os movimentos de caixa e seus recebimentos");
  ButAgente = botao(1, u"Agente Arrecadador", u"Agente|Dados do agente arrecadador");
  ButInformacoes = botao(2, u"Informações do sistema", u"Informações|Informações do sistema");
  ButCalculadora = botao(3, u"F2 - Acessa calculadora", u"Calculadora|Acessa a calculadora do sistema");
  ButSair = botao(4, u"F12 - Saída do sistema", u"Sair|Encerra o sistema");
  ButMovimentos->OnClick = [this](TObject* s) { MovimentosClick(s); };
  ButAgente->OnClick = [this](TObject* s) { AgenteClick(s); };
  ButInformacoes->OnClick = [this](TObject* s) { InformacoesClick(s); };
  ButCalculadora->OnClick = [this](TObject* s) { CalculadoraClick(s); };
  ButSair->OnClick = [this](TObject* s) { SairClick(s); };

  LabelSoft = new TLabel(this);
  LabelSoft->SetParent(PanelDireito);
  LabelSoft->SetAlign(alBottom);
  LabelSoft->SetAutoSize(false);
  LabelSoft->SetHeight(40);
  LabelSoft->SetAlignment(taCenter);
  LabelSoft->SetLayout(tlCenter);
  LabelSoft->SetWordWrap(true);
}

void TfrmPrinc::FormCreate(TObject*) {
  SetHeight(430);
  LoginPendente = true;
  VersaoAgente = false;
  RodapeRelatorio = u"Brenquia - " + AvisoFabricante();
}

bool TfrmPrinc::LoadFileConfig() {
  try {
    AbreArquivoConfiguracao();
    return true;
  } catch (const std::exception&) {
    ExibeMensagem(u"Não foi possível carregar o arquivo Brenquia.ini de configuração do sistema!", 2);
    return false;
  }
}

void TfrmPrinc::FormShow(TObject*) {
  CursorNormalAoSair cursor;
  if (FileExists(CaminhoArquivoConfiguracao()) && LoadFileConfig()) {
    CodigoAgente = ArquivoConfiguracao->ReadString(u"AGENTE", u"Codigo", String());
    AbreBancodeDados();
    if (DM) {
      NomeConcessionaria = DM->Concessionaria->FieldByName(u"RAZAO_SOCIAL")->AsString();
      NomeAgente = DM->Agentes->FieldByName(u"RAZAO_SOCIAL")->AsString();
    }
    if (ArquivoConfiguracao->ReadString(u"AGENTE", u"Agente", String()) == u"True") VersaoAgente = true;
    SetCaption(u"Brenquia - Versão: " + RetornaVersaoSistema());
    LabelSoft->SetCaption(AvisoFabricante());
    MnuConfigurar->SetEnabled(!VersaoAgente);
  } else {
    if (ConfirmaOperacao(u"Não foi possível carregar o arquivo de inicialização do sistema Brenquia.ini!  "
                         u"Deseja configurar agora? ",
                         1))
      TfrmConfig::AbreFormConfig();
    Application->Terminate();
  }
}

void TfrmPrinc::AbreBancodeDados() {
  try {
    if (!DM) DM = new TDM(Application);
    DM->Conecta(*ArquivoConfiguracao, CodigoAgente, PastaPrograma());
  } catch (const std::exception& e) {
    const auto* erro = dynamic_cast<const Exception*>(&e);
    ExibeMensagem(u"Não foi possível conectar com o banco de dados no servidor! \r \r" +
                      (erro ? erro->Message() : Utf8ToString(e.what())),
                  3);
    Application->Terminate();
  }
}

void TfrmPrinc::FechaBancodeDados() {
  Screen->SetCursor(crHourGlass);
  CursorNormalAoSair cursor;
  if (DM) DM->Desconecta();
}

void TfrmPrinc::FormClose(TObject*, TCloseAction&) {
  try {
    FechaBancodeDados();
  } catch (...) {
    Application->HandleException(this);
  }
}

void TfrmPrinc::StatusBar1MouseMove(TObject*, TShiftState, int, int) { SetHint(u"Usuário: " + NomeUsuario); }

bool TfrmPrinc::VerificaSenhaEncriptada(const String& nUsuario, const String& nSenha) {
  TFDTable* usuarios = DM->Usuarios;
  if (usuarios->RecordCount() == 0) return false;
  usuarios->SetIndexFieldNames(u"NOME");
  usuarios->First();
  if (!usuarios->Locate(u"NOME", Variant(nUsuario))) {
    ExibeMensagem(u"Usuário não cadastrado!", 2);
    return false;
  }
  // A stored password that is not a cipher text can match nothing.
  String senha;
  if (!TentaDecriptar(usuarios->FieldByName(u"SENHA")->AsString(), ChaveCriptografia, senha)) return false;
  return senha == nSenha;
}

bool TfrmPrinc::Gerencial() { return NivelUsuario == u"Gerencial"; }

void TfrmPrinc::MovimentosClick(TObject*) { AbreMovimentos(); }

void TfrmPrinc::UsuariosClick(TObject*) {
  if (Gerencial()) AbreUsuarios();
}

void TfrmPrinc::AgenteClick(TObject*) {
  if (Gerencial()) AbreAgente();
}

void TfrmPrinc::ConcessionariaClick(TObject*) {
  if (Gerencial()) AbreConcessionaria();
}

void TfrmPrinc::ConfigurarClick(TObject*) {
  if (!VersaoAgente && Gerencial()) AbreConfiguracao();
}

void TfrmPrinc::ConsultaClick(TObject*) { AbreConsulta(); }

void TfrmPrinc::ResumoClick(TObject*) { AbreResumo(); }

void TfrmPrinc::SairClick(TObject*) { Application->Terminate(); }

void TfrmPrinc::ExcluirClick(TObject*) { AbreExclusao(); }

void TfrmPrinc::CalculadoraClick(TObject*) { AbreCalculadora(); }

void TfrmPrinc::InformacoesClick(TObject*) { AbreInformacoes(); }

void TfrmPrinc::AbreConfiguracao() { TfrmConfig::AbreFormConfig(); }

void TfrmPrinc::AbreMovimentos() { TfrmMov::AbreFormMov(); }

void TfrmPrinc::AbreUsuarios() { TfrmUsuarios::AbreFormUsuarios(); }

void TfrmPrinc::AbreAgente() { TfrmAgente::AbreFormAgente(); }

void TfrmPrinc::AbreConcessionaria() { TfrmConc::AbreFormConc(); }

void TfrmPrinc::AbreConsulta() { TfrmSQL1::AbreFormSQL1(); }

void TfrmPrinc::AbreResumo() { TfrmRes::AbrefrmRes(); }

void TfrmPrinc::AbreExclusao() { TfrmElimina::AbreFormElimina(); }

void TfrmPrinc::AbreCalculadora() { IniciaCalculadora(); }

void TfrmPrinc::AbreInformacoes() {
  auto* caixa = new TAboutBox(Application);
  caixa->ComoInformacoes();
  caixa->ShowModal();
  caixa->Free();
}
