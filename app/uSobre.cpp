#include "app/uSobre.h"
#include "skin/engine/LabelFX.h"
#include "app/AppState.h"
#include "app/uConfig.h"
#include "app/uFunc.h"
#include "app/uSenha.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/FileUtils.h"

TAboutBox* AboutBox = nullptr;

String AvisoFabricante() {
  return u"Copyright © " + FormatDateTime(u"yyyy", Now()) + u" Brenquia Sistemas de Arrecadação";
}

namespace {

// Wide enough for the maker's notice in one line.
constexpr int LarguraCaixa = 340;

}  // namespace

TAboutBox::TAboutBox(TComponent* AOwner) : TForm(AOwner) {
  AboutBox = this;
  SetCaption(u"Informações do sistema");
  SetBorderStyle(bsToolWindow);
  SetPosition(poScreenCenter);
  SetShowHint(true);
  Font()->SetName(u"Tahoma");
  Font()->SetSize(8);
  SetClientWidth(LarguraCaixa);
  SetClientHeight(214);

  Panel1 = new TPanel(this);
  Panel1->SetParent(this);
  Panel1->SetBounds(0, 0, LarguraCaixa, 180);
  Panel1->SetCaption(String());
  Panel1->SetColor(clWhite);
  Panel1->SetBevelInner(bvRaised);
  Panel1->SetBevelOuter(bvNone);
  Panel1->SetBorderStyle(bsSingle);

  auto rotulo = [this](int top, int altura) {
    auto* l = new TLabel(this);
    l->SetParent(Panel1);
    l->SetAutoSize(false);
    l->SetAlignment(taCenter);
    l->SetTransparent(true);
    l->SetBounds(8, top, LarguraCaixa - 20, altura);
    return l;
  };
  LabelSoft = new TsLabelFX(this);
  LabelSoft->Shadow().OffsetKeeper().SetLeftTop(-3);
  LabelSoft->Shadow().OffsetKeeper().SetRightBottom(5);
  LabelSoft->SetParent(Panel1);
  LabelSoft->SetAutoSize(false);
  LabelSoft->SetAlignment(taCenter);
  LabelSoft->SetBounds(8, 4, LarguraCaixa - 20, 48);
  LabelSoft->SetParentFont(false);
  LabelSoft->Font()->SetName(u"Impact");
  LabelSoft->Font()->SetCharset(ANSI_CHARSET);
  LabelSoft->Font()->SetHeight(-35);
  LabelSoft->Font()->SetColor(clWindowText);
  ProductName = rotulo(56, 16);
  ProductName->SetParentFont(false);
  ProductName->Font()->SetName(u"Arial");
  ProductName->Font()->SetSize(8);
  ProductName->Font()->SetStyle(TFontStyles{fsBold});
  ProductName->Font()->SetColor(clGray);
  Copyright = rotulo(76, 16);
  Comments = rotulo(98, 30);
  Comments->SetWordWrap(true);
  Comments->SetLeft((LarguraCaixa - 257) / 2);
  Comments->SetWidth(257);

  auto icone = [this](int left, LPCWSTR recurso) {
    auto* i = new TImage(this);
    i->SetParent(Panel1);
    i->SetBounds(left, 10, 32, 32);
    i->SetVisible(false);
    i->Picture()->Icon()->SetHandle(LoadIconW(nullptr, recurso));
    return i;
  };
  ProgramIcon = icone(12, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
  DatabaseIcon = icone(LarguraCaixa - 12 - 32, reinterpret_cast<LPCWSTR>(IDI_INFORMATION));

  OKButton = new TSpeedButton(this);
  OKButton->SetParent(this);
  OKButton->SetFlat(true);
  OKButton->SetCaption(u"Sair");
  OKButton->SetHint(u"Sair do formulário");
  OKButton->SetBounds((LarguraCaixa - 76) / 2, 185, 76, 25);
  OKButton->OnClick = [this](TObject* s) { OKButtonClick(s); };

  Timer1 = new TTimer(this);
  Timer1->SetInterval(1000);
  Timer1->OnTimer = [this](TObject* s) { Timer1Timer(s); };
  Timer1->SetEnabled(true);

  OnCreate = [this](TObject* s) { FormCreate(s); };
}

TAboutBox::~TAboutBox() {
  if (AboutBox == this) AboutBox = nullptr;
}

void TAboutBox::ComoAbertura() {
  SetBorderStyle(bsNone);
  // Above the main window, which shows after it, until the login closes it.
  SetFormStyle(fsStayOnTop);
  SetHeight(122);
  Panel1->SetHeight(122);
}

void TAboutBox::ComoInformacoes() {
  SetBorderStyle(bsToolWindow);
  SetHeight(242);
  Comments->SetHeight(64);
  ProgramIcon->SetVisible(true);
  DatabaseIcon->SetVisible(true);
}

void TAboutBox::FormCreate(TObject*) { PreencheInformacoes(); }

void TAboutBox::PreencheInformacoes() {
  LabelSoft->SetCaption(u"Brenquia");
  ProductName->SetCaption(u" Versão: " + RetornaVersaoSistema());
  Copyright->SetCaption(AvisoFabricante());
  Comments->SetCaption(u"Concessionária: " + NomeConcessionaria + u"\r\nAgente arrecadador: " + NomeAgente);
}

void TAboutBox::OKButtonClick(TObject*) { Close(); }

void TAboutBox::Timer1Timer(TObject*) {
  Timer1->SetEnabled(false);
  if (!LoginPendente || !FileExists(CaminhoArquivoConfiguracao())) return;
  if (!frmSenha) Application->CreateForm(frmSenha);
  frmSenha->Show();
}
