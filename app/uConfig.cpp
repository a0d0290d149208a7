#include "app/uConfig.h"
#include "app/AppState.h"
#include "app/FormHelpers.h"
#include "app/PixPayload.h"
#include "app/uFunc.h"
#include "platform/classes/IniFiles.h"
#include "platform/classes/Streams.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/NumUtils.h"
#include "platform/rtl/StrUtils.h"

TfrmConfig* frmConfig = nullptr;

namespace {

String& PastaDefinida() {
  static String pasta;
  return pasta;
}

String Cifra(const String& texto) { return EncriptaDecripta(u"E", texto, ChaveCriptografia); }
String Decifra(const String& texto) { return EncriptaDecripta(u"D", texto, ChaveCriptografia); }

}  // namespace

String PastaPrograma() {
  if (!PastaDefinida().empty()) return PastaDefinida();
  return ExtractFilePath(ParamStr(0));
}

void DefinePastaPrograma(const String& pasta) {
  PastaDefinida() = pasta.empty() ? String() : IncludeTrailingPathDelimiter(pasta);
}

String CaminhoArquivoConfiguracao() { return PastaPrograma() + u"Brenquia.ini"; }

void AbreArquivoConfiguracao() {
  const String caminho = CaminhoArquivoConfiguracao();
  // The INI object reads the file on each call and takes an unreadable
  // file for an empty one; make sure it can be read before relying on it.
  { TFileStream prova(caminho, fmOpenRead | fmShareDenyNone); }
  ArquivoConfiguracao = std::make_unique<TIniFile>(caminho);
}

void ReiniciaPrograma() {
  if (!IniciaPrograma(u"Brenquia.exe"))
    throw Exception(u"Não foi possível iniciar Brenquia.exe (erro " + IntToStr(GetLastError()) + u").");
}

TfrmConfig::~TfrmConfig() { EsqueceForm(frmConfig, this); }

TfrmConfig::TfrmConfig(TComponent* AOwner) : TForm(AOwner) {
  PreparaJanela(this, bsToolWindow);
  SetClientWidth(450);
  SetClientHeight(292);

  auto rotulo = [](TWinControl* pai, const String& texto, int x, int y) {
    auto* l = new TLabel(pai);
    l->SetParent(pai);
    l->SetCaption(texto);
    l->SetLeft(x);
    l->SetTop(y);
    return l;
  };
  auto edit = [](TWinControl* pai, int x, int y, int largura) {
    auto* e = new TEdit(pai);
    e->SetParent(pai);
    e->SetBounds(x, y, largura, 21);
    return e;
  };
  auto grupo = [this](const String& texto, int y, int altura) {
    auto* g = new TGroupBox(this);
    g->SetParent(this);
    g->SetCaption(texto);
    g->SetBounds(8, y, 330, altura);
    return g;
  };

  GroupBoxBanco = grupo(u" Banco de Dados ", 6, 152);
  LabelSERVER = rotulo(GroupBoxBanco, u"Servidor:", 12, 23);
  EditSERVER = edit(GroupBoxBanco, 152, 19, 164);
  LabelUSER_NAME = rotulo(GroupBoxBanco, u"Nome de Usuário:", 12, 49);
  EditUSER_NAME = edit(GroupBoxBanco, 152, 45, 164);
  LabelPASSWORD = rotulo(GroupBoxBanco, u"Senha:", 12, 75);
  EditPASSWORD = edit(GroupBoxBanco, 152, 71, 164);
  EditPASSWORD->SetPasswordChar(u'*');
  LabelDATABASE = rotulo(GroupBoxBanco, u"Nome do Banco:", 12, 101);
  EditDATABASE = edit(GroupBoxBanco, 152, 97, 164);
  LabelPORTA = rotulo(GroupBoxBanco, u"Nº da Porta do Banco:", 12, 127);
  EditPORTA = edit(GroupBoxBanco, 152, 123, 70);
  EditPORTA->OnKeyPress = [](TObject*, char16_t& Key) {
    // Whole port numbers only, as the currency edit without decimals.
    if (Key >= u' ' && (Key < u'0' || Key > u'9')) Key = 0;
  };

  GroupBoxAgente = grupo(u" Agente ", 164, 54);
  LabelCOD_AGENTE = rotulo(GroupBoxAgente, u"Cód. ", 12, 24);
  EditCOD_AGENTE = edit(GroupBoxAgente, 54, 20, 40);
  EditCOD_AGENTE->SetCharCase(ecUpperCase);
  EditCOD_AGENTE->SetMaxLength(3);
  CheckBoxVERSAO_AGENTE = new TCheckBox(GroupBoxAgente);
  CheckBoxVERSAO_AGENTE->SetParent(GroupBoxAgente);
  CheckBoxVERSAO_AGENTE->SetCaption(u"Versão para Agente Arrecadador");
  CheckBoxVERSAO_AGENTE->SetBounds(104, 22, 216, 17);

  GroupBoxPix = grupo(u" Chave PIX ", 224, 56);
  EditCHAVE_PIX = edit(GroupBoxPix, 12, 22, 304);

  PanelBotoes = new TPanel(this);
  PanelBotoes->SetParent(this);
  PanelBotoes->SetBounds(346, 11, 96, 269);
  PanelBotoes->SetCaption(String());
  ButGravar = new TBitBtn(PanelBotoes);
  ButGravar->SetParent(PanelBotoes);
  ButGravar->SetCaption(u"&Gravar");
  ButGravar->SetBounds(8, 8, 80, 32);
  ButGravar->SetHint(u"Grava os dados digitados no formulário");
  ButGravar->SetEnabled(false);
  ButGravar->OnClick = [this](TObject* s) { ButGravarClick(s); };
  ButFechar = new TBitBtn(PanelBotoes);
  ButFechar->SetParent(PanelBotoes);
  ButFechar->SetCaption(u"&Fechar");
  ButFechar->SetBounds(8, 46, 80, 32);
  ButFechar->SetHint(u"Fecha formulário");
  ButFechar->OnClick = [this](TObject* s) { ButFecharClick(s); };

  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
}

void TfrmConfig::AbreFormConfig() {
  Screen->SetCursor(crHourGlass);
  if (!frmConfig) Application->CreateForm(frmConfig);
  frmConfig->ShowModal();
}

void TfrmConfig::FormCreate(TObject*) { SetCaption(u"Configurar Brenquia.ini"); }

void TfrmConfig::FormShow(TObject*) {
  Screen->SetCursor(crDefault);
  HabilitaConfiguracao();
  CarregaConfiguracao();
}

void TfrmConfig::HabilitaConfiguracao() {
  const bool liberado = !VersaoAgente;
  ButGravar->SetEnabled(liberado);
  GroupBoxBanco->SetEnabled(liberado);
  GroupBoxAgente->SetEnabled(liberado);
  GroupBoxPix->SetEnabled(liberado);
}

void TfrmConfig::CarregaConfiguracao() {
  try {
    TIniFile ini(CaminhoArquivoConfiguracao());
    EditSERVER->SetText(ini.ReadString(u"BANCO", u"Server", String()));
    EditUSER_NAME->SetText(Decifra(ini.ReadString(u"BANCO", u"User_Name", String())));
    EditPASSWORD->SetText(Decifra(ini.ReadString(u"BANCO", u"Password", String())));
    EditDATABASE->SetText(Decifra(ini.ReadString(u"BANCO", u"Database", String())));
    EditPORTA->SetText(Decifra(ini.ReadString(u"BANCO", u"Port", String())));
    EditCOD_AGENTE->SetText(ini.ReadString(u"AGENTE", u"Codigo", String()));
    CheckBoxVERSAO_AGENTE->SetChecked(ini.ReadString(u"AGENTE", u"Agente", String()) == u"True");
    EditCHAVE_PIX->SetText(Decifra(ini.ReadString(u"AGENTE", u"Chave", String())));
  } catch (const Exception& e) {
    ExibeMensagem(u"Não foi possível carregar os dados do arquivo Brenquia.ini! " + e.Message(), 2);
  }
}

bool TfrmConfig::CampoPreenchido(TEdit* edit, const String& mensagem) {
  if (!edit->Text().empty()) return true;
  ExibeMensagem(mensagem, 2);
  edit->SetFocus();
  return false;
}

void TfrmConfig::ButGravarClick(TObject*) {
  if (!CampoPreenchido(EditSERVER, u"Necessário informar o endereço do servidor!") ||
      !CampoPreenchido(EditUSER_NAME, u"Necessário informar o nome de usuário!") ||
      !CampoPreenchido(EditPASSWORD, u"Necessário informar a senha!") ||
      !CampoPreenchido(EditDATABASE, u"Necessário informar o nome do banco de dados!") ||
      !CampoPreenchido(EditPORTA, u"Necessário informar o nº da porta do banco de dados!") ||
      !CampoPreenchido(EditCOD_AGENTE, u"Necessário informar o código do agente arrecadador!"))
    return;
  // A key the payload's two-digit length cannot hold would only fail at
  // the closing of a movement; refuse it here.
  String motivo;
  if (!VerificaChavePIX(Trim(EditCHAVE_PIX->Text()), motivo)) {
    ExibeMensagem(motivo, 2);
    EditCHAVE_PIX->SetFocus();
    return;
  }
  GravaConfiguracao();
}

void TfrmConfig::GravaConfiguracao() {
  try {
    {
      TIniFile ini(CaminhoArquivoConfiguracao());
      ini.WriteString(u"BANCO", u"Server", EditSERVER->Text());
      ini.WriteString(u"BANCO", u"User_Name", Cifra(EditUSER_NAME->Text()));
      ini.WriteString(u"BANCO", u"Password", Cifra(EditPASSWORD->Text()));
      ini.WriteString(u"BANCO", u"Database", Cifra(EditDATABASE->Text()));
      ini.WriteString(u"BANCO", u"Port", Cifra(EditPORTA->Text()));
      ini.WriteString(u"AGENTE", u"Agente", CheckBoxVERSAO_AGENTE->Checked() ? u"True" : u"False");
      ini.WriteString(u"AGENTE", u"Codigo", EditCOD_AGENTE->Text());
      ini.WriteString(u"AGENTE", u"Chave", Cifra(Trim(EditCHAVE_PIX->Text())));
    }
    // The new instance starts before this one is asked to end, so a
    // failed start leaves this one running with the message.
    ReiniciaPrograma();
    Application->Terminate();
  } catch (const Exception& e) {
    ExibeMensagem(u"Não foi possível gravar os dados no arquivo Brenquia.ini! " + e.Message(), 2);
  }
}

void TfrmConfig::ButFecharClick(TObject*) { Close(); }
