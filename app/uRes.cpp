#include "app/uRes.h"
#include "app/AppState.h"
#include "app/FormHelpers.h"
#include "app/uDM.h"
#include "app/uFunc.h"
#include "platform/data/FDConnection.h"

TfrmRes* frmRes = nullptr;

namespace {

bool TemDigito(const String& texto) {
  for (char16_t c : texto)
    if (c >= u'0' && c <= u'9') return true;
  return false;
}

}  // namespace

TfrmRes::~TfrmRes() { EsqueceForm(frmRes, this); }

TfrmRes::TfrmRes(TComponent* AOwner) : TForm(AOwner) {
  SetCaption(u"Resumo de Recebimentos no Período");
  PreparaJanela(this, bsToolWindow);
  SetClientWidth(330);
  SetClientHeight(232);

  PanelBotoes = CriaBarraSuperior(this);
  ButOk = BotaoSuperior(this, PanelBotoes, 0, u"&Ok", u"Confirma a consulta");
  ButCancelar = BotaoSuperior(this, PanelBotoes, 1, u"&Cancelar", u"Limpa os campos para consulta");
  ButFechar = BotaoSuperior(this, PanelBotoes, 2, u"&Sair", u"Fecha o formulário");
  ButOk->OnClick = [this](TObject* s) { ButOkClick(s); };
  ButCancelar->OnClick = [this](TObject* s) { ButCancelarClick(s); };
  ButFechar->OnClick = [this](TObject* s) { ButFecharClick(s); };

  ProgressBar1 = new TProgressBar(this);
  ProgressBar1->SetParent(this);
  ProgressBar1->SetAlign(alBottom);
  ProgressBar1->SetHeight(16);

  PanelCampos = new TPanel(this);
  PanelCampos->SetParent(this);
  PanelCampos->SetAlign(alClient);
  PanelCampos->SetCaption(String());

  auto rotulo = [this](const String& texto, int x, int y) {
    auto* l = new TLabel(this);
    l->SetParent(PanelCampos);
    l->SetCaption(texto);
    l->SetLeft(x);
    l->SetTop(y);
    return l;
  };
  auto data = [this](int x, int y) {
    auto* e = new TDateEdit(this);
    e->SetParent(PanelCampos);
    e->SetBounds(x, y, 100, 21);
    e->SetDialogTitle(u"Selecione a data");
    e->SetNumGlyphs(2);
    e->SetStartOfWeek(TDayOfWeekName::Sun);
    return e;
  };
  auto valor = [this](int y, const String& formato) {
    auto* e = new TCurrencyEdit(this);
    e->SetParent(PanelCampos);
    e->SetBounds(96, y, 120, 21);
    e->SetDisplayFormat(formato);
    e->SetReadOnly(true);
    return e;
  };

  LabelPeriodo = rotulo(u"Período:", 12, 16);
  EditDT_INICIAL = data(96, 12);
  LabelA = rotulo(u"a", 202, 16);
  EditDT_FINAL = data(216, 12);
  LabelQUANTIDADE = rotulo(u"Quantidade:", 12, 48);
  EditQUANTIDADE = valor(44, u"0");
  EditQUANTIDADE->SetTabStop(false);
  LabelDINHEIRO = rotulo(u"Dinheiro:", 12, 76);
  EditDINHEIRO = valor(72, u"#,###,##0.00");
  LabelCHEQUE = rotulo(u"Cheque:", 12, 104);
  EditCHEQUE = valor(100, u"#,###,##0.00");
  LabelTOTAL = rotulo(u"Total:", 12, 132);
  EditTOTAL = valor(128, u"#,###,##0.00");

  EditDT_INICIAL->OnExit = [this](TObject* s) { EditDT_INICIALExit(s); };
  EditDT_FINAL->OnExit = [this](TObject* s) { EditDT_FINALExit(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
  OnKeyDown = [this](TObject* s, WORD& k, TShiftState sh) { FormKeyDown(s, k, sh); };
  OnKeyPress = [this](TObject* s, char16_t& k) { FormKeyPress(s, k); };
}

void TfrmRes::AbrefrmRes() {
  Screen->SetCursor(crHourGlass);
  if (!frmRes) Application->CreateForm(frmRes);
  frmRes->Show();
}

void TfrmRes::FormShow(TObject*) {
  DM->QrMovimentos->Close();
  Screen->SetCursor(crDefault);
  EditDT_INICIAL->SetFocus();
}

void TfrmRes::FormClose(TObject*, TCloseAction&) { DM->QrMovimentos->Close(); }

void TfrmRes::FormKeyDown(TObject*, WORD& Key, TShiftState) {
  if (Key == VK_F2) IniciaCalculadora();
}

void TfrmRes::FormKeyPress(TObject*, char16_t& Key) { AvancaComEnter(this, Key); }

void TfrmRes::CompletaAno(TDateEdit* edit) {
  const String texto = edit->Text();
  if (TemDigito(texto)) edit->SetText(CompletaAnoData(texto));
}

void TfrmRes::EditDT_INICIALExit(TObject*) { CompletaAno(EditDT_INICIAL); }

void TfrmRes::EditDT_FINALExit(TObject*) { CompletaAno(EditDT_FINAL); }

void TfrmRes::ButOkClick(TObject*) {
  if (!VerificaData(EditDT_INICIAL->Text())) {
    EditDT_INICIAL->SetFocus();
    return;
  }
  if (!VerificaData(EditDT_FINAL->Text())) {
    EditDT_FINAL->SetFocus();
    return;
  }
  if (EditDT_INICIAL->Date() > EditDT_FINAL->Date()) {
    ExibeMensagem(u"Data Inicial maior que a Data Final!", 1);
    EditDT_FINAL->SetFocus();
    return;
  }
  ProcessaResumo();
}

void TfrmRes::ProcessaResumo() {
  CursorNormalAoSair cursor;
  try {
    Screen->SetCursor(crHourGlass);
    double quantidade = 0;
    double dinheiro = 0;
    double cheque = 0;
    const String sql = u"SELECT * FROM MOVIMENTOS WHERE ABERTURA >= " +
                       QuotedSQL(RetornaDataSQL(EditDT_INICIAL->Date())) + u" AND ABERTURA <= " +
                       QuotedSQL(RetornaDataSQL(EditDT_FINAL->Date())) + u" AND COD_AGENTE = " +
                       QuotedSQL(CodigoAgente);
    TFDQuery* consulta = DM->QrMovimentos;
    consulta->Close();
    consulta->SQL().Clear();
    consulta->SQL().Add(sql);
    consulta->Open();
    ProgressBar1->SetPosition(0);
    ProgressBar1->SetMax(consulta->RecordCount());
    consulta->First();
    const int linhas = ProgressBar1->Max();
    for (int i = 0; i < linhas; ++i) {
      quantidade += consulta->FieldByName(u"QUANTIDADE")->AsFloat();
      dinheiro += consulta->FieldByName(u"DINHEIRO")->AsFloat();
      cheque += consulta->FieldByName(u"CHEQUE")->AsFloat();
      consulta->Next();
      ProgressBar1->SetPosition(ProgressBar1->Position() + 1);
    }
    EditQUANTIDADE->SetValue(quantidade);
    EditDINHEIRO->SetValue(dinheiro);
    EditCHEQUE->SetValue(cheque);
    EditTOTAL->SetValue(dinheiro + cheque);
  } catch (const Exception& e) {
    Screen->SetCursor(crDefault);
    ExibeMensagem(u"Erro na composição da consulta! " + e.Message(), 1);
  }
}

void TfrmRes::LimpaResumo() {
  EditDT_INICIAL->SetText(String());
  EditDT_FINAL->SetText(String());
  EditQUANTIDADE->SetValue(0);
  EditDINHEIRO->SetValue(0);
  EditCHEQUE->SetValue(0);
  EditTOTAL->SetValue(0);
  ProgressBar1->SetPosition(0);
}

void TfrmRes::ButCancelarClick(TObject*) {
  LimpaResumo();
  EditDT_INICIAL->SetFocus();
}

void TfrmRes::ButFecharClick(TObject*) { Close(); }
