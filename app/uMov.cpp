#include "app/uMov.h"
#include "app/AppState.h"
#include "app/uDM.h"
#include "app/uFecha.h"
#include "app/FormHelpers.h"
#include "app/uFRCupom.h"
#include "app/uFunc.h"
#include "app/uNovMov.h"
#include "app/uRec.h"
#include "app/uRes.h"
#include "platform/data/DataSet.h"
#include "platform/data/DataSource.h"
#include "platform/data/FDConnection.h"
#include "platform/data/FDDataSet.h"
#include "platform/dbctrls/DBGrid.h"
#include "platform/rtl/NumUtils.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Menus.h"

TfrmMov* frmMov = nullptr;

namespace {

TShortCut Ctrl(char16_t tecla) { return ShortCut(tecla, TShiftState{ssCtrl}); }
TShortCut Tecla(WORD tecla) { return ShortCut(tecla, TShiftState{}); }

String Valor(TDataSet* ds, const char16_t* campo) {
  return FormatFloat(u"#,###,##0.00", ds->FieldByName(campo)->AsFloat());
}

// Tells the window each time the current row or its data change.
class TLinkMovimento : public TDataLink {
public:
  explicit TLinkMovimento(std::function<void()> aviso) : FAviso(std::move(aviso)) {}

protected:
  void RecordChanged(TField*) override {
    if (DataSet() && DataSet()->Active()) FAviso();
  }

private:
  std::function<void()> FAviso;
};

}  // namespace

TfrmMov::TfrmMov(TComponent* AOwner) : TForm(AOwner) {
  SetCaption(u"Brenquia - Movimentos");
  SetBorderIcons(TBorderIcons{biSystemMenu, biMaximize});
  SetKeyPreview(true);
  SetShowHint(true);
  SetClientWidth(1000);
  SetClientHeight(600);
  SetWindowState(wsMaximized);
  CriaMenus();
  CriaControles();
  OnShow = [this](TObject* s) { FormShow(s); };
  FLinkMovimento = std::make_unique<TLinkMovimento>([this] { PainelResumo(); });
  if (DM) FLinkMovimento->SetDataSource(DM->DsMovimentos);
}

TfrmMov::~TfrmMov() {
  FLinkMovimento.reset();
  if (frmMov == this) frmMov = nullptr;
}

void TfrmMov::CriaMenus() {
  MainMenu1 = new TMainMenu(this);
  MnuOpcoes = ItemMenu(this, MainMenu1->Items(), u"&Opções");
  MnuAbrir = ItemMenu(this, MnuOpcoes, u"&Abrir Movimento", u"Abrir|Abre o movimento selecionado no formulário",
                  Ctrl(u'A'));
  ItemMenu(this, MnuOpcoes, u"-");
  MnuFecharMov = ItemMenu(this, MnuOpcoes, u"&Fechar Movimento", u"Fechar|Fecha o movimento selecionado", Ctrl(u'F'));
  MnuNovo = ItemMenu(this, MnuOpcoes, u"&Novo Movimento", u"Novo|Abre um novo movimento", Ctrl(u'N'));
  MnuProcessar = ItemMenu(this, MnuOpcoes, u"&Processar Movimento",
                      u"Processar|Grava a totalização do movimento selecionado");
  ItemMenu(this, MnuOpcoes, u"-");
  MnuResumo = ItemMenu(this, MnuOpcoes, u"Consulta &Resumo de Movimento", u"Resumo|Resumo dos movimentos de um período");
  ItemMenu(this, MnuOpcoes, u"-");
  MnuCalculadora = ItemMenu(this, MnuOpcoes, u"&Calculadora", u"Calculadora|Acessa a calculadora do sistema",
                        Tecla(VK_F2));
  ItemMenu(this, MnuOpcoes, u"-");
  MnuSair = ItemMenu(this, MnuOpcoes, u"&Sair", u"Sair|Saída do formulário", Ctrl(u'S'));

  MnuIrPara = ItemMenu(this, MainMenu1->Items(), u"&Ir Para");
  MnuPrimeiro = ItemMenu(this, MnuIrPara, u"&Primeiro Registro", u"Primeiro|Vai para o primeiro movimento", Tecla(VK_F5));
  MnuAnterior = ItemMenu(this, MnuIrPara, u"Registro &Anterior", u"Anterior|Vai para o movimento anterior",
                     Tecla(VK_F6));
  MnuProximo = ItemMenu(this, MnuIrPara, u"Próximo &Registro", u"Próximo|Vai para o próximo movimento", Tecla(VK_F7));
  MnuUltimo = ItemMenu(this, MnuIrPara, u"&Último Registro", u"Último|Vai para o último movimento", Tecla(VK_F8));

  MnuAbrir->OnClick = [this](TObject* s) { ButAbrirClick(s); };
  MnuFecharMov->OnClick = [this](TObject* s) { N4Click(s); };
  MnuNovo->OnClick = [this](TObject* s) { N5Click(s); };
  MnuProcessar->OnClick = [this](TObject* s) { N13Click(s); };
  MnuResumo->OnClick = [this](TObject* s) { N10Click(s); };
  MnuCalculadora->OnClick = [this](TObject* s) { C1Click(s); };
  MnuSair->OnClick = [this](TObject* s) { ButFecharClick(s); };
  MnuPrimeiro->OnClick = [this](TObject* s) { P1Click(s); };
  MnuAnterior->OnClick = [this](TObject* s) { R1Click(s); };
  MnuProximo->OnClick = [this](TObject* s) { N15Click(s); };
  MnuUltimo->OnClick = [this](TObject* s) { N16Click(s); };
  SetMenu(MainMenu1);

  PopupREC = new TPopupMenu(this);
  ImprimirCupom1 = ItemMenu(this, PopupREC->Items(), u"&Imprimir Cupom", u"Imprimir|Imprime o cupom do recebimento");
  ExcluirRecebimento1 = ItemMenu(this, PopupREC->Items(), u"&Excluir Recebimento", u"Excluir|Exclui o recebimento");
  ImprimirCupom1->OnClick = [this](TObject* s) { ImprimirCupom1Click(s); };
  ExcluirRecebimento1->OnClick = [this](TObject* s) { ExcluirRecebimento1Click(s); };
}

void TfrmMov::CriaControles() {
  StatusBar1 = new TStatusBar(this);
  StatusBar1->SetParent(this);
  StatusBar1->SetAutoHint(true);
  TStatusPanel* painel = StatusBar1->Panels()->Add();
  painel->SetWidth(150);
  painel->SetAlignment(taCenter);

  PanelBotoes = new TPanel(this);
  PanelBotoes->SetParent(this);
  PanelBotoes->SetAlign(alRight);
  PanelBotoes->SetWidth(120);
  PanelBotoes->SetCaption(String());
  auto botao = [this](int indice, const String& texto, const String& dica) {
    auto* b = new TSpeedButton(this);
    b->SetParent(PanelBotoes);
    b->SetFlat(true);
    b->SetCaption(texto);
    b->SetHint(dica);
    b->SetBounds(8, 8 + indice * 44, 104, 38);
    return b;
  };
  ButAbrir = botao(0, u"Abrir", u"Abre o movimento selecionado no formulário");
  ButFechar = botao(1, u"Fechar", u"Saída do formulário");
  ButAbrir->OnClick = [this](TObject* s) { ButAbrirClick(s); };
  ButFechar->OnClick = [this](TObject* s) { ButFecharClick(s); };

  // Top-aligned controls stack by where they stand: each goes below the last.
  int topo = 0;
  auto cabecalho = [this, &topo](const String& texto, TAlignment alinhamento) {
    auto* p = new TPanel(this);
    p->SetParent(this);
    p->SetTop(topo += 1000);
    p->SetAlign(alTop);
    p->SetHeight(26);
    p->SetCaption(texto);
    p->SetAlignment(alinhamento);
    p->SetParentFont(false);
    p->Font()->SetStyle(TFontStyles{fsBold});
    return p;
  };
  auto grade = [this](TDataSource* fonte, const String& dica) {
    auto* g = new TDBGrid(this);
    g->SetParent(this);
    g->SetDataSource(fonte);
    g->SetReadOnly(true);
    g->SetTabStop(false);
    g->SetHint(dica);
    g->SetOptions(TDBGridOptions{dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs,
                                 dgConfirmDelete, dgCancelOnExit});
    return g;
  };
  PanelMOV = cabecalho(u"Movimento", taCenter);
  DBGridMOV = grade(DM->DsMovimentos, u"Clique sobre a linha para ver os recebimentos");
  DBGridMOV->SetBounds(0, topo += 1000, 600, 220);
  DBGridMOV->SetAlign(alTop);
  DBGridMOV->OnCellClick = [this](TColumn*) { DBGridMOVCellClick(DBGridMOV); };
  PanelRESUMO = cabecalho(u" Quantidade:", taLeftJustify);
  PanelREC = cabecalho(u"Recebimentos", taCenter);
  DBGridREC = grade(DM->DsRecebimentos, u"Clique sobre a linha para imprimir ou excluir o recebimento");
  DBGridREC->SetAlign(alClient);
  DBGridREC->OnCellClick = [this](TColumn*) { DBGridRECCellClick(DBGridREC); };
}

void TfrmMov::AbreFormMov() {
  Screen->SetCursor(crHourGlass);
  if (!frmMov) Application->CreateForm(frmMov);
  frmMov->ShowModal();
}

bool TfrmMov::TemMovimento() const { return DM->Movimentos->Active() && !DM->Movimentos->IsEmpty(); }

void TfrmMov::FormShow(TObject*) {
  CursorNormalAoSair normal;
  try {
    DM->Movimentos->Refresh();
    DM->Movimentos->Last();
  } catch (const Exception& e) {
    ExibeMensagem(u"Não foi possível atualizar os movimentos na tela! " + e.Message(), 2);
  }
  HabilitaDesabilitaControlesMov();
  ExibeMensagem(u"A hora de seu computador é " + FormatDateTime(u"hh:nn", Now()) + u"h. " +
                    u"Caso esteja incorreta, providencie o acerto para o recebimento de contas.",
                2);
}

void TfrmMov::HabilitaDesabilitaControlesMov() {
  const bool tem = TemMovimento();
  MnuAbrir->SetEnabled(tem);
  ButAbrir->SetEnabled(tem);
  if (tem) PainelResumo();
}

void TfrmMov::PainelResumo() {
  if (!TemMovimento()) {
    // No movement left to describe.
    PanelMOV->SetCaption(u"Movimento");
    PanelRESUMO->SetCaption(u" Quantidade:");
    return;
  }
  TDataSet* mov = DM->Movimentos;
  const String espaco(13, u' ');
  PanelMOV->SetCaption(u"Movimento " + FormatDateTime(u"dd/mm/yyyy", mov->FieldByName(u"ABERTURA")->AsDateTime()));
  PanelRESUMO->SetCaption(u" Quantidade: " + mov->FieldByName(u"QUANTIDADE")->AsString() + espaco +
                          u"Total em Dinheiro: " + Valor(mov, u"DINHEIRO") + espaco + u"Total em Cheques: " +
                          Valor(mov, u"CHEQUE") + espaco + u"Total Geral: " + Valor(mov, u"TOTAL"));
}

void TfrmMov::ButAbrirClick(TObject*) {
  TDataSet* mov = DM->Movimentos;
  if (!TemMovimento() || !mov->FieldByName(u"FECHAMENTO")->IsNull()) {
    ExibeMensagem(u"Movimento inexistente ou já fechado!", 2);
    return;
  }
  DataMovimento = DateOf(mov->FieldByName(u"ABERTURA")->AsDateTime());
  if (DateOf(Date()) != DataMovimento)
    ExibeMensagem(u"A data do computador não confere com a data do movimento!", 3);
  TfrmRec::AbreFormRec();
}

void TfrmMov::ButFecharClick(TObject*) { Close(); }

void TfrmMov::DBGridMOVCellClick(TObject*) { PainelResumo(); }

void TfrmMov::DBGridRECCellClick(TObject*) { PopupREC->Popup(400, 300); }

void TfrmMov::N4Click(TObject*) {
  TDataSet* mov = DM->Movimentos;
  if (!TemMovimento() || !mov->FieldByName(u"FECHAMENTO")->IsNull()) {
    ExibeMensagem(u"Movimento inexistente ou já fechado!", 2);
    return;
  }
  if (ConfirmaOperacao(u"Confirma o fechamento do movimento de " +
                           FormatDateTime(u"dd/mm/yyyy", mov->FieldByName(u"ABERTURA")->AsDateTime()) + u"?",
                       2))
    TfrmFecha::AbreFormFecha();
}

void TfrmMov::N5Click(TObject*) { TfrmNovMov::AbreFormNovMov(); }

void TfrmMov::N13Click(TObject*) {
  if (!TemMovimento()) return;
  if (ConfirmaOperacao(u"Confirma o processo de gravação da totalização do movimento de " +
                           DateToStr(DM->Movimentos->FieldByName(u"ABERTURA")->AsDateTime()),
                       1))
    ProcessaMovimento();
  PainelResumo();
}

void TfrmMov::ProcessaMovimento() {
  TDataSet* mov = DM->Movimentos;
  Screen->SetCursor(crHourGlass);
  CursorNormalAoSair normal;
  try {
    // Through the receipt road's guard: the movement's row held while its
    // receipts are summed and its totals written, so a receipt recorded
    // meanwhile on another workstation is counted, never overwritten.
    TRecebimentoContas(*DM).ProcessaMovimento(DateOf(mov->FieldByName(u"ABERTURA")->AsDateTime()), CodigoAgente);
  } catch (const Exception& e) {
    Screen->SetCursor(crDefault);
    ExibeMensagem(u"Não foi possível calcular os totais do movimento! " + e.Message(), 2);
  }
  try {
    mov->Refresh();
  } catch (const Exception& e) {
    ExibeMensagem(u"Não foi possível atualizar os movimentos na tela! " + e.Message(), 2);
  }
}

void TfrmMov::N10Click(TObject*) { TfrmRes::AbrefrmRes(); }

void TfrmMov::C1Click(TObject*) { IniciaCalculadora(); }

void TfrmMov::P1Click(TObject*) { DM->Movimentos->First(); }
void TfrmMov::R1Click(TObject*) { DM->Movimentos->Prior(); }
void TfrmMov::N15Click(TObject*) { DM->Movimentos->Next(); }
void TfrmMov::N16Click(TObject*) { DM->Movimentos->Last(); }

void TfrmMov::ImprimirCupom1Click(TObject*) {
  TDataSet* rec = DM->Recebimentos;
  if (rec->IsEmpty()) return;
  const bool visualiza = ConfirmaOperacao(u"Deseja visualizar a impressão?", 1);
  ImprimeCupom(visualiza ? u"V" : u"I", rec->FieldByName(u"CUPOM")->AsString(),
               rec->FieldByName(u"RECEBIMENTO")->AsDateTime());
}

void TfrmMov::ImprimeCupom(const String& nSaida, const String& nCupom, TDateTime nDataRec) {
  try {
    Screen->SetCursor(crHourGlass);
    CursorNormalAoSair normal;
    TFDQuery* consulta = DM->QrRecebimentos;
    consulta->Close();
    consulta->SQL().SetText(u"SELECT * FROM RECEBIMENTOS WHERE RECEBIMENTO = " +
                            QuotedSQL(FormatDateTime(u"yyyy-mm-dd", nDataRec)) + u" AND CUPOM = " +
                            QuotedSQL(nCupom) + u" AND COD_AGENTE = " + QuotedSQL(CodigoAgente));
    consulta->Open();
    // No receipt found would print a blank one.
    if (consulta->IsEmpty()) throw Exception(u"Cupom " + nCupom + u" não encontrado.");
    // One report form per receipt, freed with its pages after printing.
    std::make_unique<TFRCupom>(nullptr)->ImprimeCupom(nSaida);
  } catch (const EAbort&) {
  } catch (const Exception& e) {
    ExibeMensagem(u"Não foi possível imprimir o cupom! " + e.Message(), 2);
  }
}

void TfrmMov::ExcluirRecebimento1Click(TObject*) {
  TDataSet* rec = DM->Recebimentos;
  if (rec->IsEmpty() || !TemMovimento()) return;
  const bool exclui =
      ConfirmaOperacao(u"Confirma a exclusão do Cupom nº " + rec->FieldByName(u"CUPOM")->AsString() + u"?", 2);
  DataMovimento = DateOf(DM->Movimentos->FieldByName(u"ABERTURA")->AsDateTime());
  if (exclui) {
    // By its row: the receipt and the totals go together, or neither.
    bool naExclusao = false;
    bool totais = true;
    try {
      Screen->SetCursor(crHourGlass);
      CursorNormalAoSair normal;
      TRecebimentoContas(*DM).ExcluiRecebimento(rec->FieldByName(u"ID")->AsInteger(), DataMovimento, CodigoAgente,
                                                naExclusao);
    } catch (const Exception& e) {
      if (naExclusao) {
        ExibeMensagem(u"Não foi possível concluir o processo de exclusão de registros! " + e.Message(), 2);
        totais = false;
      } else {
        ExibeMensagem(u"Ocorreu uma falha na tentativa de gravação dos dados! " + e.Message(), 2);
      }
    }
    try {
      DM->Recebimentos->Refresh();
      DM->Movimentos->Refresh();
    } catch (const Exception& e) {
      ExibeMensagem(u"Não foi possível atualizar os recebimentos na tela! " + e.Message(), 2);
    }
    if (!totais) TfrmRec::ProcessaTotaisMovimento();
  } else {
    TfrmRec::ProcessaTotaisMovimento();
  }
  PainelResumo();
}

// The main window's F11, its "&Movimentos" item and its button.
