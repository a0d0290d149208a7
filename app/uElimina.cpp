#include "app/uElimina.h"
#include "app/AppState.h"
#include "app/FormHelpers.h"
#include "app/uDM.h"
#include "app/uFunc.h"
#include "platform/data/FDConnection.h"
#include "platform/rtl/NumUtils.h"

TfrmElimina* frmElimina = nullptr;

namespace {

const String DataVazia = u"  /  /    ";

// A masked date that holds no digit at all is the empty date, however the
// mask shows its blanks.
bool DataEmBranco(const String& texto) {
  for (char16_t c : texto)
    if (c >= u'0' && c <= u'9') return false;
  return true;
}

void Executa(TFDQuery* consulta, const String& sql) {
  consulta->Close();
  consulta->SQL().Clear();
  consulta->SQL().Add(sql);
  consulta->ExecSQL();
}

void Abre(TFDQuery* consulta, const String& sql) {
  consulta->Close();
  consulta->SQL().Clear();
  consulta->SQL().Add(sql);
  consulta->Open();
}

}  // namespace

TfrmElimina::~TfrmElimina() { EsqueceForm(frmElimina, this); }

TfrmElimina::TfrmElimina(TComponent* AOwner) : TForm(AOwner) {
  SetCaption(u"Exclusão de Recebimentos");
  PreparaJanela(this, bsSingle);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetClientWidth(424);
  SetClientHeight(132);

  PanelBotoes = CriaBarraSuperior(this);
  ButExcluir = BotaoSuperior(this, PanelBotoes, 0, u"&Excluir", u"Inicia o processo de exclusão de recebimentos");
  ButCancelar = BotaoSuperior(this, PanelBotoes, 1, u"&Cancelar", u"Cancela os dados digitados no formulário");
  ButFechar = BotaoSuperior(this, PanelBotoes, 2, u"&Sair", u"Fecha o formulário");
  ButExcluir->OnClick = [this](TObject* s) { ButExcluirClick(s); };
  ButCancelar->OnClick = [this](TObject* s) { ButCancelarClick(s); };
  ButFechar->OnClick = [this](TObject* s) { ButFecharClick(s); };

  PanelMensagem = new TPanel(this);
  PanelMensagem->SetParent(this);
  PanelMensagem->SetAlign(alBottom);
  PanelMensagem->SetHeight(40);
  PanelMensagem->SetCaption(String());
  LabelMENS = new TLabel(this);
  LabelMENS->SetParent(PanelMensagem);
  LabelMENS->SetAlign(alClient);
  LabelMENS->SetAutoSize(false);
  LabelMENS->SetAlignment(taCenter);
  LabelMENS->SetLayout(tlCenter);

  PanelCampos = new TPanel(this);
  PanelCampos->SetParent(this);
  PanelCampos->SetAlign(alClient);
  PanelCampos->SetCaption(String());
  LabelPeriodo = new TLabel(this);
  LabelPeriodo->SetParent(PanelCampos);
  LabelPeriodo->SetCaption(u"Período de exclusão de recebimentos: ");
  LabelPeriodo->SetLeft(12);
  LabelPeriodo->SetTop(20);
  auto data = [this](int x) {
    auto* e = new TMaskEdit(this);
    e->SetParent(PanelCampos);
    e->SetBounds(x, 16, 76, 21);
    e->SetEditMask(u"!99/99/9999;1;_");
    e->SetMaxLength(10);
    e->SetText(DataVazia);
    e->SetHint(u"Informe a data de pagamento limite para eliminar as contas quitadas");
    return e;
  };
  EditDATA1 = data(236);
  LabelA = new TLabel(this);
  LabelA->SetParent(PanelCampos);
  LabelA->SetCaption(u"a");
  LabelA->SetLeft(318);
  LabelA->SetTop(20);
  EditDATA2 = data(332);

  EditDATA1->OnExit = [this](TObject* s) { EditDATA1Exit(s); };
  EditDATA2->OnExit = [this](TObject* s) { EditDATA2Exit(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
  OnActivate = [this](TObject* s) { FormActivate(s); };
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
  OnCloseQuery = [this](TObject* s, bool& c) { FormCloseQuery(s, c); };
  OnKeyDown = [this](TObject* s, WORD& k, TShiftState sh) { FormKeyDown(s, k, sh); };
  OnKeyPress = [this](TObject* s, char16_t& k) { FormKeyPress(s, k); };
}

void TfrmElimina::AbreFormElimina() {
  Screen->SetCursor(crHourGlass);
  if (!frmElimina) Application->CreateForm(frmElimina);
  frmElimina->Show();
  ExibeMensagem(u"Esta rotina excluirá do banco de dados os recebimentos entre as datas aqui informadas. "
                u"Tenha muita atenção ao prosseguir.",
                3);
}

void TfrmElimina::FormShow(TObject*) {
  Screen->SetCursor(crDefault);
  LabelMENS->SetCaption(String());
}

void TfrmElimina::FormActivate(TObject*) {
  if (TForm* principal = Application->MainForm(); principal && principal != this) principal->SetEnabled(false);
  EditDATA1->SetFocus();
}

void TfrmElimina::FormClose(TObject*, TCloseAction&) {
  if (TForm* principal = Application->MainForm(); principal && principal != this) principal->SetEnabled(true);
}

void TfrmElimina::FormKeyDown(TObject*, WORD& Key, TShiftState) {
  if (Key == VK_F5) IniciaCalculadora();
}

void TfrmElimina::FormKeyPress(TObject*, char16_t& Key) { AvancaComEnter(this, Key); }

void TfrmElimina::EditDATA1Exit(TObject*) {
  if (!DataEmBranco(EditDATA1->Text())) EditDATA1->SetText(CompletaAnoData(EditDATA1->Text()));
}

void TfrmElimina::EditDATA2Exit(TObject*) {
  if (!DataEmBranco(EditDATA2->Text())) EditDATA2->SetText(CompletaAnoData(EditDATA2->Text()));
}

void TfrmElimina::ButCancelarClick(TObject*) {
  EditDATA1->SetText(DataVazia);
  EditDATA2->SetText(DataVazia);
  EditDATA1->SetFocus();
}

void TfrmElimina::ButFecharClick(TObject*) { Close(); }

void TfrmElimina::HabilitaBotoes(bool habilitados) {
  ButExcluir->SetEnabled(habilitados);
  ButCancelar->SetEnabled(habilitados);
  ButFechar->SetEnabled(habilitados);
}

void TfrmElimina::ButExcluirClick(TObject*) {
  // The pauses process messages: a second click must not start a second
  // purge inside the first.
  if (FExcluindo) return;
  if (DataEmBranco(EditDATA1->Text()) || !VerificaData(EditDATA1->Text())) {
    ExibeMensagem(u"Necessário informar a data inicial corretamente!", 1);
    EditDATA1->SetFocus();
    return;
  }
  if (DataEmBranco(EditDATA2->Text()) || !VerificaData(EditDATA2->Text())) {
    ExibeMensagem(u"Necessário informar a data final corretamente!", 1);
    EditDATA2->SetFocus();
    return;
  }
  struct Andamento {
    TfrmElimina& form;
    explicit Andamento(TfrmElimina& f) : form(f) {
      form.FExcluindo = true;
      form.HabilitaBotoes(false);
    }
    ~Andamento() {
      form.HabilitaBotoes(true);
      form.FExcluindo = false;
    }
  };
  {
    Andamento andamento(*this);
    ContaRecebimentos();
    ExcluiPeriodo();
    ContaRecebimentosRestantes();
    DM->Movimentos->Refresh();
    DM->Recebimentos->Refresh();
  }
  Close();
}

void TfrmElimina::FormCloseQuery(TObject*, bool& CanClose) {
  // Closed in the middle, the window would hand the main window back while
  // the purge still runs on the shared queries.
  if (FExcluindo) CanClose = false;
}

String TfrmElimina::CondicaoPeriodo(const String& campo) const {
  return u" WHERE " + campo + u" >= " + QuotedSQL(RetornaDataMascaraSQL(EditDATA1)) + u" AND " + campo +
         u" <= " + QuotedSQL(RetornaDataMascaraSQL(EditDATA2)) + u" AND COD_AGENTE = " + QuotedSQL(CodigoAgente);
}

void TfrmElimina::ContaRecebimentos() {
  CursorNormalAoSair cursor;
  try {
    Screen->SetCursor(crHourGlass);
    TFDQuery* consulta = DM->QrRecebimentos;
    Abre(consulta, u"SELECT * FROM RECEBIMENTOS" + CondicaoPeriodo(u"RECEBIMENTO"));
    LabelMENS->SetCaption(u"Quantidade de recebimentos a serem excluídos => " + IntToStr(consulta->RecordCount()) +
                          u".");
    AguardaSegundos(3);
    consulta->Close();
  } catch (const Exception& e) {
    Screen->SetCursor(crDefault);
    ExibeMensagem(u"Não foi possível selecionar o(s) registro(s)! " + e.Message(), 2);
  }
}

void TfrmElimina::ExcluiPeriodo() {
  CursorNormalAoSair cursor;
  TFDConnection* conexao = DM->FDConexao;
  try {
    Screen->SetCursor(crHourGlass);
    conexao->StartTransaction();
    Executa(DM->QrMovimentos, u"DELETE FROM MOVIMENTOS" + CondicaoPeriodo(u"ABERTURA"));
    Executa(DM->QrRecebimentos, u"DELETE FROM RECEBIMENTOS" + CondicaoPeriodo(u"RECEBIMENTO"));
    conexao->Commit();
  } catch (const Exception& e) {
    // Movements without their receipts, or the reverse, would be a
    // half-done purge: undo both.
    try {
      conexao->Rollback();
    } catch (const Exception&) {
      // A lost connection has already undone the open transaction.
    }
    Screen->SetCursor(crDefault);
    ExibeMensagem(u"Não foi possível concluir o processo de exclusão de registros! " + e.Message(), 2);
  }
}

void TfrmElimina::ContaRecebimentosRestantes() {
  CursorNormalAoSair cursor;
  try {
    Screen->SetCursor(crHourGlass);
    TFDQuery* consulta = DM->QrRecebimentos;
    Abre(consulta, u"SELECT * FROM RECEBIMENTOS WHERE COD_AGENTE = " + QuotedSQL(CodigoAgente));
    LabelMENS->SetCaption(u"Quantidade de recebimentos no banco de dados após exclusão => " +
                          IntToStr(consulta->RecordCount()) + u".");
    AguardaSegundos(5);
    consulta->Close();
  } catch (const Exception& e) {
    Screen->SetCursor(crDefault);
    ExibeMensagem(u"Não foi possível selecionar o(s) registro(s)! " + e.Message(), 2);
  }
}
