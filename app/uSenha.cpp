#include "app/uSenha.h"
#include "app/AppState.h"
#include "app/FormHelpers.h"
#include "app/uDM.h"
#include "app/uFunc.h"
#include "app/uPrinc.h"
#include "app/uSobre.h"

TfrmSenha* frmSenha = nullptr;

TfrmSenha::~TfrmSenha() { EsqueceForm(frmSenha, this); }

TfrmSenha::TfrmSenha(TComponent* AOwner) : TForm(AOwner) {
  SetCaption(u"Senha");
  SetBorderStyle(bsDialog);
  SetPosition(poMainFormCenter);
  SetShowHint(true);
  Font()->SetName(u"Tahoma");
  Font()->SetSize(8);
  SetClientWidth(254);
  SetClientHeight(142);

  auto rotulo = [this](const String& texto, int top) {
    auto* l = new TLabel(this);
    l->SetParent(this);
    l->SetCaption(texto);
    l->SetBounds(16, top, 220, 13);
    return l;
  };
  auto edit = [this](int top) {
    auto* e = new TEdit(this);
    e->SetParent(this);
    e->SetBounds(16, top, 222, 23);
    e->SetParentFont(false);
    e->Font()->SetName(u"Tahoma");
    e->Font()->SetSize(9);
    e->Font()->SetStyle(TFontStyles{fsBold});
    return e;
  };
  LabelUSUARIO = rotulo(u"Digite o nome de usuário:", 10);
  EditUSUARIO = edit(26);
  LabelSENHA = rotulo(u"Digite a senha de acesso:", 56);
  EditSENHA = edit(72);
  EditSENHA->SetCharCase(ecUpperCase);
  EditSENHA->SetMaxLength(6);
  EditSENHA->SetPasswordChar(u'*');

  ButOK = new TBitBtn(this);
  ButOK->SetParent(this);
  ButOK->SetCaption(u"&Ok");
  ButOK->SetBounds(40, 106, 84, 28);
  ButOK->SetDefault(true);
  ButOK->SetHint(u"Confirma a senha digitada");
  ButOK->OnClick = [this](TObject* s) { ButOKClick(s); };
  ButCancela = new TBitBtn(this);
  ButCancela->SetParent(this);
  ButCancela->SetCaption(u"&Cancela");
  ButCancela->SetBounds(132, 106, 84, 28);
  ButCancela->SetCancel(true);
  ButCancela->SetHint(u"Cancela e fecha o sistema");
  ButCancela->OnClick = [this](TObject* s) { ButCancelaClick(s); };

  OnShow = [this](TObject* s) { FormShow(s); };
}

void TfrmSenha::FormShow(TObject*) {
  Screen->SetCursor(crDefault);
  if (AboutBox) AboutBox->Close();
  if (frmPrinc) {
    frmPrinc->Show();
    frmPrinc->SetEnabled(false);
  }
  EditUSUARIO->SetFocus();
}

void TfrmSenha::ButOKClick(TObject*) {
  Screen->SetCursor(crHourGlass);
  CursorNormalAoSair cursor;
  // Without an open database the program is on its way out (the start-up
  // has reported it); nobody is let in, not even as the first manager.
  if (!DM || !DM->Usuarios->Active()) return;
  const bool temUsuarios = DM->Usuarios->RecordCount() > 0;
  if (temUsuarios) {
    if (EditUSUARIO->Text().empty()) {
      ExibeMensagem(u"Necessário informar o Nome de Usuário!", 2);
      EditUSUARIO->SetFocus();
      return;
    }
    if (EditSENHA->Text().empty()) {
      ExibeMensagem(u"Necessário informar a Senha de Usuário!", 2);
      EditSENHA->SetFocus();
      return;
    }
    if (!frmPrinc->VerificaSenhaEncriptada(EditUSUARIO->Text(), EditSENHA->Text())) {
      ExibeMensagem(u"Senha inválida! Digite novamente...", 2);
      EditSENHA->SetText(String());
      return;
    }
    NomeUsuario = DM->Usuarios->FieldByName(u"NOME")->AsString();
    NivelUsuario = DM->Usuarios->FieldByName(u"NIVEL")->AsString();
  } else {
    NomeUsuario = u" ";
    NivelUsuario = u"Gerencial";
  }
  frmPrinc->SetEnabled(true);
  frmPrinc->SetFocus();
  LoginPendente = false;
  Hide();
}

void TfrmSenha::ButCancelaClick(TObject*) { Application->Terminate(); }
