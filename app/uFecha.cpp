#include "app/uFecha.h"
#include "app/AppState.h"
#include "app/FormHelpers.h"
#include "app/uDM.h"
#include "app/uFechaRegras.h"
#include "app/uFunc.h"
#include "barcode/FBarcode.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/StrUtils.h"

TfrmFecha* frmFecha = nullptr;

namespace {

constexpr const char16_t* DicaGravar = u"Grava os dados digitados no formulário";
constexpr const char16_t* DicaSair = u"Saída do formulário";

TLabel* Rotulo(TWinControl* pai, const String& texto, int x, int y) {
  auto* l = new TLabel(pai);
  l->SetParent(pai);
  l->SetCaption(texto);
  l->SetLeft(x);
  l->SetTop(y);
  return l;
}

// The movement's read-only values: shown, never edited, skipped by Tab.
TDBEdit* Consulta(TWinControl* pai, const String& campo, int x, int y, int largura) {
  auto* e = new TDBEdit(pai);
  e->SetParent(pai);
  e->SetBounds(x, y, largura, 21);
  e->SetReadOnly(true);
  e->SetTabStop(false);
  e->SetColor(clBtnFace);
  if (DM) e->SetDataSource(DM->DsMovimentos);
  e->SetDataField(campo);
  return e;
}

// A movement without a credit date shows day zero (30/12/1899), which the
// check refuses; the calendar opens on today's month all the same.
class TEditDataFechamento : public TDateEdit {
public:
  using TDateEdit::TDateEdit;

protected:
  void PassValueToPopup(const TPopupValue& value) override {
    const bool diaZero = value.AsText() == FormatDateTime(u"dd/mm/yyyy", 0);
    TDateEdit::PassValueToPopup(diaZero ? TPopupValue::Text(FormatDateTime(u"dd/mm/yyyy", ::Date())) : value);
  }
};

TDateEdit* EditData(TWinControl* pai, int x, int y) {
  auto* e = new TEditDataFechamento(pai);
  e->SetParent(pai);
  e->SetBounds(x, y, 100, 21);
  e->SetDialogTitle(u"Selecione a data");
  e->SetStartOfWeek(TDayOfWeekName::Sun);
  return e;
}

}  // namespace

TfrmFecha::TfrmFecha(TComponent* AOwner) : TForm(AOwner) {
  PreparaJanela(this, bsToolWindow);
  SetCaption(u"Fechamento de movimento");
  SetWidth(640);
  SetHeight(260);

  CriaMenu();
  CriaBotoes();
  CriaControles();

  OnShow = [this](TObject* s) { FormShow(s); };
  OnKeyPress = [this](TObject* s, char16_t& k) { FormKeyPress(s, k); };
}

TfrmFecha::~TfrmFecha() { EsqueceForm(frmFecha, this); }

void TfrmFecha::CriaMenu() {
  MainMenu1 = new TMainMenu(this);
  MnuEditar = ItemMenu(this, MainMenu1->Items(), u"&Editar");
  MnuGravar = ItemMenu(this, MnuEditar, u"&Gravar", DicaGravar, ShortCut('G', TShiftState{ssCtrl}));
  MnuSair = ItemMenu(this, MnuEditar, u"&Sair", DicaSair, ShortCut('S', TShiftState{ssCtrl}));
  MnuGravar->OnClick = [this](TObject* s) { ButGravarClick(s); };
  MnuSair->OnClick = [this](TObject* s) { ButFecharClick(s); };
  SetMenu(MainMenu1);
}

void TfrmFecha::CriaBotoes() {
  PanelBotoes = new TPanel(this);
  PanelBotoes->SetParent(this);
  PanelBotoes->SetAlign(alRight);
  PanelBotoes->SetWidth(96);
  PanelBotoes->SetCaption(String());
  auto botao = [this](const String& texto, const String& dica, int y) {
    auto* b = new TBitBtn(PanelBotoes);
    b->SetParent(PanelBotoes);
    b->SetCaption(texto);
    b->SetHint(dica);
    b->SetBounds(8, y, 80, 32);
    return b;
  };
  ButGravar = botao(u"&Gravar", DicaGravar, 8);
  ButFechar = botao(u"&Sair", DicaSair, 46);
  ButGravar->OnClick = [this](TObject* s) { ButGravarClick(s); };
  ButFechar->OnClick = [this](TObject* s) { ButFecharClick(s); };
}

void TfrmFecha::CriaControles() {
  LabelABERTURA = Rotulo(this, u"Abertura:", 8, 12);
  DBEditABERTURA = Consulta(this, u"ABERTURA", 118, 8, 96);
  LabelQUANTIDADE = Rotulo(this, u"Quantidade:", 8, 38);
  DBEditQUANTIDADE = Consulta(this, u"QUANTIDADE", 118, 34, 96);
  LabelDINHEIRO = Rotulo(this, u"Total em Dinheiro:", 8, 64);
  DBEditDINHEIRO = Consulta(this, u"DINHEIRO", 118, 60, 96);
  LabelCHEQUE = Rotulo(this, u"Total em Cheques:", 8, 90);
  DBEditCHEQUE = Consulta(this, u"CHEQUE", 118, 86, 96);
  LabelTOTAL = Rotulo(this, u"Tota Geral:", 8, 116);
  DBEditTOTAL = Consulta(this, u"TOTAL", 118, 112, 96);

  LabelFECHAMENTO = Rotulo(this, u"Fechamento:", 226, 12);
  DBEditFECHAMENTO = EditData(this, 322, 8);
  LabelCREDITO = Rotulo(this, u"Dt. Pagamento:", 226, 38);
  DBEditCREDITO = EditData(this, 322, 34);

  CheckBoxPIX = new TCheckBox(this);
  CheckBoxPIX->SetParent(this);
  CheckBoxPIX->SetCaption(u"Pagar com PIX");
  CheckBoxPIX->SetBounds(322, 64, 100, 17);
  CheckBoxPIX->SetTabStop(false);
  CheckBoxPIX->SetChecked(true);
  CheckBoxPIX->OnClick = [this](TObject* s) { CheckBoxPIXClick(s); };

  LabelBOLETO_PIX = Rotulo(this, u"Nº do Identificador ou Descrição PIX:", 8, 146);
  DBEditCODIGOBARRAS = new TMaskEdit(this);
  DBEditCODIGOBARRAS->SetParent(this);
  DBEditCODIGOBARRAS->SetBounds(8, 162, 418, 21);
  DBEditCODIGOBARRAS->Font()->SetStyle(TFontStyles{fsBold});
  // The movement's CODIGOBARRAS holds no more.
  DBEditCODIGOBARRAS->SetMaxLength(TamanhoMaximoDocumento);
  DBEditCODIGOBARRAS->OnEnter = [this](TObject* s) { DBEditCODIGOBARRASEnter(s); };

  imgPIX = new TImage(this);
  imgPIX->SetParent(this);
  imgPIX->SetBounds(432, 8, 105, 105);
  imgPIX->SetStretch(true);
  imgPIX->SetVisible(false);

  FBarcode = new TFBarcode(this);
  FBarcode->SetScale(1.0f);

  DBEditFECHAMENTO->SetTabOrder(0);
  DBEditCREDITO->SetTabOrder(1);
  DBEditCODIGOBARRAS->SetTabOrder(2);
  SetActiveControl(DBEditFECHAMENTO);
}

void TfrmFecha::AbreFormFecha() {
  Screen->SetCursor(crHourGlass);
  if (!frmFecha) Application->CreateForm(frmFecha);
  frmFecha->SetHeight(260);
  frmFecha->SetWidth(640);
  frmFecha->ShowModal();
}

void TfrmFecha::FormShow(TObject*) {
  TFDTable* mov = DM->Movimentos;
  // The totals as committed now, not as this window's table last read
  // them: the PIX code below carries the amount to be paid.
  try {
    mov->Refresh();
  } catch (const Exception& e) {
    ExibeMensagem(u"Não foi possível atualizar os movimentos na tela! " + e.Message(), 2);
  }
  SetCaption(u"Fechamento de movimento de " +
             FormatDateTime(u"dd/mm/yyyy", mov->FieldByName(u"ABERTURA")->AsDateTime()));
  DBEditFECHAMENTO->SetText(FormatDateTime(u"dd/mm/yyyy", Date()));
  // A movement without a credit date shows day zero, which the check of
  // the credit date refuses until a real date is typed.
  DBEditCREDITO->SetText(FormatDateTime(u"dd/mm/yyyy", mov->FieldByName(u"CREDITO")->AsDateTime()));
  DBEditCODIGOBARRAS->SetText(mov->FieldByName(u"CODIGOBARRAS")->AsString());
  SetActiveControl(DBEditFECHAMENTO);
  AtualizaPIX();
  Screen->SetCursor(crDefault);
}

void TfrmFecha::FormKeyPress(TObject*, char16_t& Key) { AvancaComEnter(this, Key); }

void TfrmFecha::ButGravarClick(TObject*) { ValidaFechamento(); }

void TfrmFecha::ButFecharClick(TObject*) { Close(); }

void TfrmFecha::CheckBoxPIXClick(TObject*) { AtualizaPIX(); }

void TfrmFecha::DBEditCODIGOBARRASEnter(TObject*) {
  // Only an empty edit in PIX mode gets the default: what the operator
  // typed, and a boleto's bar code, stay as they are.
  if (!CheckBoxPIX->Checked() || !Trim(DBEditCODIGOBARRAS->Text()).empty()) return;
  TDataSet* mov = DM->Movimentos;
  DBEditCODIGOBARRAS->SetText(IdentificadorPIXPadrao(DM->Agentes->FieldByName(u"CNPJ")->AsString(),
                                                     mov->FieldByName(u"ABERTURA")->AsDateTime()));
}

TEntradaFechamento TfrmFecha::Entrada() const {
  TEntradaFechamento entrada;
  entrada.Abertura = DM->Movimentos->FieldByName(u"ABERTURA")->AsDateTime();
  entrada.Fechamento = DBEditFECHAMENTO->Text();
  entrada.Credito = DBEditCREDITO->Text();
  entrada.Documento = DBEditCODIGOBARRAS->Text();
  entrada.PIX = CheckBoxPIX->Checked();
  return entrada;
}

void TfrmFecha::ValidaFechamento() {
  const TVerificacaoFechamento verificacao = VerificaFechamento(Entrada());
  if (!verificacao.Aceita()) {
    ExibeMensagem(verificacao.Mensagem, verificacao.Tipo);
    switch (verificacao.Campo) {
      case TCampoFechamento::Fechamento: DBEditFECHAMENTO->SetFocus(); break;
      case TCampoFechamento::Credito: DBEditCREDITO->SetFocus(); break;
      default: DBEditCODIGOBARRAS->SetFocus(); break;
    }
    return;
  }
  if (!ConfirmaOperacao(u"Confirma a gravação dos dados de fechamento?", 2)) return;
  GravaFechamento();
  Close();
}

bool TfrmFecha::GravaFechamento() {
  try {
    TFDTable* mov = DM->Movimentos;
    const TEntradaFechamento entrada = Entrada();
    const TGravacaoFechamento gravacao = GravaFechamentoMovimento(*DM->QrMovimentos, entrada, CodigoAgente, Now());

    mov->SetCachedUpdates(false);
    mov->Refresh();
    mov->SetCachedUpdates(true);
    mov->Last();

    switch (gravacao) {
      case TGravacaoFechamento::Gravado:
        ExibeMensagem(u"Dados gravados com sucesso!", 2);
        return true;
      case TGravacaoFechamento::JaFechado:
        // Another workstation closed it first; its closing stands.
        ExibeMensagem(u"Movimento inexistente ou já fechado!", 2);
        break;
      case TGravacaoFechamento::Inexistente:
        // Another workstation removed the movement meanwhile: nothing was
        // written, and saying so is the only honest answer.
        ExibeMensagem(u"Nenhum dado foi gravado: o movimento de " +
                          FormatDateTime(u"dd/mm/yyyy", entrada.Abertura) + u" não foi encontrado!",
                      2);
        break;
    }
  } catch (const Exception& e) {
    ExibeMensagem(u"Ocorreu uma falha na tentativa de gravação dos dados! " + e.Message(), 2);
  }
  return false;
}

void TfrmFecha::AtualizaPIX() {
  if (CheckBoxPIX->Checked()) {
    imgPIX->SetVisible(true);
    LabelBOLETO_PIX->SetCaption(u"Nº do Identificador ou Descrição PIX:");
    GeraQRCodePIX();
  } else {
    imgPIX->SetVisible(false);
    LabelBOLETO_PIX->SetCaption(u"Código de Barras do Documento para Pagamento (boleto):");
  }
}
