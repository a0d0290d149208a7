#include "app/uSQL1.h"
#include "controls/RxDBCtrl.h"
#include "app/AppState.h"
#include "app/FormHelpers.h"
#include "app/uDM.h"
#include "app/uFRCupom.h"
#include "app/uFRRec.h"
#include "app/uFunc.h"
#include "platform/data/FDConnection.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/NumUtils.h"
#include <memory>

TfrmSQL1* frmSQL1 = nullptr;

namespace {

const char16_t* const TextoComposicao = u"Composição da Consulta";
const char16_t* const SelecaoRecebimentos = u"SELECT * FROM RECEBIMENTOS";

TLabel* Rotulo(TComponent* dono, TWinControl* pai, const String& texto, int x, int y) {
  auto* l = new TLabel(dono);
  l->SetParent(pai);
  l->SetCaption(texto);
  l->SetLeft(x);
  l->SetTop(y);
  return l;
}

TComboBox* Lista(TComponent* dono, TWinControl* pai, int x, int largura, std::initializer_list<const char16_t*> itens) {
  auto* c = new TComboBox(dono);
  c->SetParent(pai);
  c->SetStyle(csDropDownList);
  c->SetBounds(x, 24, largura, 21);
  for (const char16_t* item : itens) c->Items()->Add(item);
  return c;
}

}  // namespace

TfrmSQL1::~TfrmSQL1() { EsqueceForm(frmSQL1, this); }

TfrmSQL1::TfrmSQL1(TComponent* AOwner) : TForm(AOwner) {
  SetCaption(u"Consulta e Imprime Recebimentos");
  PreparaJanela(this, bsSingle);
  SetBorderIcons(TBorderIcons{biSystemMenu, biMinimize});
  SetClientWidth(680);
  SetClientHeight(460);

  CriaBotoes();
  CriaCampos();

  RxDBGrid1 = new TRxDBGrid(this);
  RxDBGrid1->SetParent(this);
  RxDBGrid1->SetAlign(alClient);
  RxDBGrid1->SetDataSource(DM ? DM->DsQrRecebimentos : nullptr);
  RxDBGrid1->SetOptions(TDBGridOptions{dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines,
                                       dgConfirmDelete, dgCancelOnExit});
  RxDBGrid1->SetRowColor2(clSilver);
  RxDBGrid1->SetRowColorsUse(false);
  // The rows are the receipts themselves: a delete here would bypass the
  // movement's totals and its open/closed rule.
  RxDBGrid1->SetReadOnly(true);

  OnShow = [this](TObject* s) { FormShow(s); };
  OnActivate = [this](TObject* s) { FormActivate(s); };
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
  OnKeyDown = [this](TObject* s, WORD& k, TShiftState sh) { FormKeyDown(s, k, sh); };
  OnKeyPress = [this](TObject* s, char16_t& k) { FormKeyPress(s, k); };
}

void TfrmSQL1::CriaCampos() {
  PanelCampos = new TPanel(this);
  PanelCampos->SetParent(this);
  PanelCampos->SetAlign(alTop);
  PanelCampos->SetHeight(72);
  PanelCampos->SetCaption(String());

  LabelCAMPOS = Rotulo(this, PanelCampos, u"Campos para consulta:", 8, 8);
  ComboBoxCAMPOS = new TComboBox(this);
  ComboBoxCAMPOS->SetParent(PanelCampos);
  ComboBoxCAMPOS->SetStyle(csDropDownList);
  ComboBoxCAMPOS->SetDropDownCount(13);
  ComboBoxCAMPOS->SetBounds(8, 24, 150, 21);
  LabelCAMPO = Rotulo(this, PanelCampos, String(), 8, 50);
  LabelOP2 = Rotulo(this, PanelCampos, u"Operador:", 166, 8);
  ComboBoxOP2 = Lista(this, PanelCampos, 166, 64, {u"=", u">=", u"<=", u">", u"<", u"<>", u"LIKE"});
  LabelTEXTO = Rotulo(this, PanelCampos, u"Conteúdo para consulta:", 238, 8);
  EditTEXTO = new TMaskEdit(this);
  EditTEXTO->SetParent(PanelCampos);
  EditTEXTO->SetBounds(238, 24, 330, 21);
  EditTEXTO->SetCharCase(ecUpperCase);
  LabelOP1 = Rotulo(this, PanelCampos, u"E/Ou:", 576, 8);
  ComboBoxOP1 = Lista(this, PanelCampos, 576, 56, {u"AND", u"OR"});
  ButSQL = new TSpeedButton(this);
  ButSQL->SetParent(PanelCampos);
  ButSQL->SetBounds(640, 20, 30, 28);
  ButSQL->SetCaption(u"+");
  ButSQL->SetHint(u"Clique para adicionar os dados para a consulta");

  PanelMENS = new TPanel(this);
  PanelMENS->SetParent(this);
  PanelMENS->SetAlign(alTop);
  PanelMENS->SetTop(72);
  PanelMENS->SetHeight(22);
  PanelMENS->SetCaption(TextoComposicao);

  MemoSQL = new TMemo(this);
  MemoSQL->SetParent(this);
  MemoSQL->SetAlign(alTop);
  MemoSQL->SetTop(94);
  MemoSQL->SetHeight(84);
  MemoSQL->SetReadOnly(true);
  MemoSQL->SetTabStop(false);
  MemoSQL->SetScrollBars(ssVertical);

  ComboBoxCAMPOS->OnDropDown = [this](TObject* s) { ComboBoxCAMPOSDropDown(s); };
  ComboBoxCAMPOS->OnClick = [this](TObject* s) { ComboBoxCAMPOSClick(s); };
  ButSQL->OnClick = [this](TObject* s) { ButSQLClick(s); };
}

void TfrmSQL1::CriaBotoes() {
  PanelBotoes = new TPanel(this);
  PanelBotoes->SetParent(this);
  PanelBotoes->SetAlign(alBottom);
  PanelBotoes->SetHeight(40);
  PanelBotoes->SetCaption(String());
  int indice = 0;
  auto botao = [&](const String& texto, const String& dica) {
    auto* b = new TBitBtn(this);
    b->SetParent(PanelBotoes);
    b->SetBounds(8 + indice++ * 88, 6, 80, 28);
    b->SetCaption(texto);
    b->SetHint(dica);
    return b;
  };
  ButOk = botao(u"&Ok", u"Confirma a consulta");
  ButCancelar = botao(u"&Cancelar", u"Limpa os campos para consulta");
  ButImprimir = botao(u"&Imprimir", u"Imprime o resultado da visualização");
  ButFechar = botao(u"&Fechar", u"Fecha o formulário");
  ButOk->OnClick = [this](TObject* s) { ButOkClick(s); };
  ButCancelar->OnClick = [this](TObject* s) { ButCancelarClick(s); };
  ButImprimir->OnClick = [this](TObject* s) { ButImprimirClick(s); };
  ButFechar->OnClick = [this](TObject* s) { ButFecharClick(s); };

  PopupMenu1 = new TPopupMenu(this);
  ImprimirRequerimento1 = ItemMenu(this, PopupMenu1->Items(), u"&Cupom", u"Imprime o(s) cupom(s) visualizado(s)");
  ListagemdeRequerimentos1 = ItemMenu(this, PopupMenu1->Items(), u"&Listagem",
                                      u"Imprime a listagem do(s) recebimento(s) visualizado(s)");
  ImprimirRequerimento1->OnClick = [this](TObject* s) { ImprimirRequerimento1Click(s); };
  ListagemdeRequerimentos1->OnClick = [this](TObject* s) { ListagemdeRequerimentos1Click(s); };
}

void TfrmSQL1::AbreFormSQL1() {
  Screen->SetCursor(crHourGlass);
  if (!frmSQL1) Application->CreateForm(frmSQL1);
  frmSQL1->Show();
}

void TfrmSQL1::FechaConsulta() {
  // Closed first: unfiltering an open query would fetch every agent's rows.
  TFDQuery* consulta = DM->QrRecebimentos;
  consulta->Close();
  consulta->SetFiltered(false);
}

void TfrmSQL1::HabilitaPrincipal(bool habilitada) {
  if (TForm* principal = Application->MainForm(); principal && principal != frmSQL1) principal->SetEnabled(habilitada);
}

void TfrmSQL1::FormShow(TObject*) {
  FechaConsulta();
  Screen->SetCursor(crDefault);
  ComboBoxCAMPOS->SetFocus();
}

void TfrmSQL1::FormActivate(TObject*) { HabilitaPrincipal(false); }

void TfrmSQL1::FormClose(TObject*, TCloseAction&) {
  FechaConsulta();
  HabilitaPrincipal(true);
}

void TfrmSQL1::FormKeyDown(TObject*, WORD& Key, TShiftState) {
  if (Key == VK_F2) IniciaCalculadora();
}

void TfrmSQL1::FormKeyPress(TObject*, char16_t& Key) { AvancaComEnter(this, Key); }

void TfrmSQL1::ComboBoxCAMPOSDropDown(TObject*) {
  ComboBoxCAMPOS->Items()->Clear();
  const TFields& campos = DM->Recebimentos->Fields();
  for (int i = 0; i < campos.Count(); ++i)
    if (campos[i]->Visible() || !campos[i]->Calculated()) ComboBoxCAMPOS->Items()->Add(campos[i]->DisplayLabel());
}

void TfrmSQL1::ComboBoxCAMPOSClick(TObject*) {
  const int indice = ComboBoxCAMPOS->ItemIndex();
  const TFields& campos = DM->Recebimentos->Fields();
  if (indice < 0 || indice >= campos.Count()) return;
  const TField* campo = campos[indice];
  LabelCAMPO->SetCaption(campo->FieldName());
  // The table's date field keeps no mask of its own; here it is typed as
  // a date.
  const bool data = campo->DataType() == ftDate && campo->EditMask().empty();
  EditTEXTO->SetEditMask(data ? String(MascaraData) : campo->EditMask());
  EditTEXTO->SetMaxLength(campo->Size());
}

void TfrmSQL1::ButSQLClick(TObject*) {
  if (EditTEXTO->EditMask() == MascaraData) {
    // A date that cannot be read changes nothing.
    if (!VerificaData(EditTEXTO->Text())) {
      EditTEXTO->SetFocus();
      return;
    }
    const String data = RetornaDataSQL(StrToDate(EditTEXTO->Text()));
    EditTEXTO->SetEditMask(String());
    EditTEXTO->SetText(data);
  }
  TStrings* linhas = MemoSQL->Lines();
  const String campo = LabelCAMPO->Caption();
  if (linhas->Count() == 0) linhas->Add(campo.empty() ? String(SelecaoRecebimentos) : String(SelecaoRecebimentos) + u" WHERE");
  const String juncao = ComboBoxOP1->Text();
  if (!juncao.empty()) linhas->Add(u" " + juncao);
  const String operador = ComboBoxOP2->Text();
  String valor = EditTEXTO->Text();
  if (operador == u"LIKE" && !valor.empty()) {
    valor += u"%";
    // A masked edit could not hold the wildcard; the condition has it.
    if (!EditTEXTO->IsMasked()) EditTEXTO->SetText(valor);
  }
  if (!operador.empty() && !valor.empty()) linhas->Add(u" " + campo + u" " + operador + u" " + QuotedSQL(valor));
  ButOk->SetFocus();
}

void TfrmSQL1::ButOkClick(TObject*) {
  try {
    Screen->SetCursor(crHourGlass);
    TStrings* linhas = MemoSQL->Lines();
    const String campo = LabelCAMPO->Caption();
    if (linhas->Count() == 0 && campo.empty()) linhas->Add(SelecaoRecebimentos);
    // The order goes to the statement, not to the memo, so that running
    // the same composition again asks the same question.
    TStringList sql;
    sql.Assign(*linhas);
    sql.Add(campo.empty() ? String(u" ORDER BY RECEBIMENTO, CUPOM") : u" ORDER BY " + campo);
    TFDQuery* consulta = DM->QrRecebimentos;
    consulta->Close();
    consulta->SetFiltered(false);
    consulta->SQL().Assign(sql);
    consulta->SetFilter(TDM::FiltroAgente(CodigoAgente));
    consulta->SetFiltered(true);
    consulta->Open();
    PanelMENS->SetCaption(u"Quantidade de registros: " + IntToStr(consulta->RecordCount()));
    Screen->SetCursor(crDefault);
  } catch (const Exception& e) {
    Screen->SetCursor(crDefault);
    ExibeMensagem(u"Erro na composição da consulta! " + e.Message(), 1);
  }
}

void TfrmSQL1::ButCancelarClick(TObject*) {
  Screen->SetCursor(crDefault);
  FechaConsulta();
  ComboBoxCAMPOS->Items()->Clear();
  LabelCAMPO->SetCaption(String());
  ComboBoxOP2->SetItemIndex(-1);
  ComboBoxOP1->SetItemIndex(-1);
  EditTEXTO->SetText(String());
  PanelMENS->SetCaption(TextoComposicao);
  MemoSQL->Lines()->Clear();
  ComboBoxCAMPOS->SetFocus();
}

void TfrmSQL1::ButImprimirClick(TObject*) { PopupMenu1->Popup(Width(), Height() + 100); }

void TfrmSQL1::ButFecharClick(TObject*) { Close(); }

void TfrmSQL1::ImprimirRequerimento1Click(TObject*) {
  const String saida = ConfirmaOperacao(u"Deseja visualizar a impressão?", 2) ? u"V" : u"I";
  try {
    // No rows would print a blank receipt.
    TFDQuery* consulta = DM->QrRecebimentos;
    if (!consulta->Active() || consulta->IsEmpty()) throw Exception(u"A consulta não mostra nenhum recebimento.");
    std::make_unique<TFRCupom>(nullptr)->ImprimeCupom(saida);
  } catch (const EAbort&) {
  } catch (const Exception& e) {
    Screen->SetCursor(crDefault);
    ExibeMensagem(u"Não foi possível imprimir o cupom! " + e.Message(), 2);
  }
}

void TfrmSQL1::ListagemdeRequerimentos1Click(TObject*) {
  TFRRec::ImprimeRecebimentos(ConfirmaOperacao(u"Deseja visualizar a impressão?", 2) ? u"V" : u"I");
}
