#include "app/uNovMov.h"
#include "app/uDM.h"
#include "app/uFunc.h"
#include "platform/data/FDConnection.h"
#include "platform/data/FDDataSet.h"
#include "platform/rtl/Exceptions.h"
#include "app/AppState.h"
#include "app/uMov.h"
#include "controls/RxClock.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Mask.h"
#include "platform/ui/StdCtrls.h"

namespace {

constexpr int ErroChaveDuplicada = 1062;

TResultadoAbertura Resultado(TSituacaoAbertura situacao, const String& mensagem) {
  TResultadoAbertura r;
  r.Situacao = situacao;
  r.Mensagem = mensagem;
  return r;
}

int Linhas(TFDQuery& q, const String& sql) {
  q.Close();
  q.SQL().SetText(sql);
  q.Open();
  const int n = q.RecordCount();
  q.Close();
  return n;
}

}  // namespace

// The checks and the insert of one agent run one workstation at a time,
// under a lock of the server named after the agent.
TTravaAgente::TTravaAgente(TFDConnection& conexao, const String& agente)
    : FConsulta(nullptr), FNome(QuotedSQL(u"dbvorlent.movimentos." + agente)) {
  FConsulta.SetConnection(&conexao);
  FConsulta.SQL().SetText(u"SELECT GET_LOCK(" + FNome + u", 30)");
  FConsulta.Open();
  const bool obtida = FConsulta.Fields()[0]->AsInteger() == 1;
  FConsulta.Close();
  if (!obtida) throw EDatabaseError(u"Outro terminal está abrindo um movimento deste agente.");
}

TTravaAgente::~TTravaAgente() {
  try {
    FConsulta.SQL().SetText(u"SELECT RELEASE_LOCK(" + FNome + u")");
    FConsulta.Open();
    FConsulta.Close();
  } catch (const Exception&) {
    // A lost connection releases it as well.
  }
}

bool TTravaAgente::Mantida() {
  FConsulta.SQL().SetText(u"SELECT IS_USED_LOCK(" + FNome + u") = CONNECTION_ID()");
  FConsulta.Open();
  const bool mantida = FConsulta.Fields()[0]->AsInteger() == 1;
  FConsulta.Close();
  return mantida;
}

TResultadoAbertura TAberturaMovimento::Abre(TDateTime data, const String& usuario, const String& agente) {
  TFDQuery& q = *FDM.QrMovimentos;
  const String dataSQL = QuotedSQL(RetornaDataSQL(data));
  const String doAgente = u" AND COD_AGENTE = " + QuotedSQL(agente);

  enum class TEtapa { Existente, Abertos, Insere } etapa = TEtapa::Existente;
  try {
    TTravaAgente trava(*FDM.FDConexao, agente);
    if (Linhas(q, u"SELECT * FROM MOVIMENTOS WHERE ABERTURA = " + dataSQL + doAgente) >= 1)
      return Resultado(TSituacaoAbertura::Existente, u"Movimento já existente!");
    etapa = TEtapa::Abertos;
    if (Linhas(q, u"SELECT * FROM MOVIMENTOS WHERE FECHAMENTO IS NULL" + doAgente) >= 2)
      return Resultado(TSituacaoAbertura::LimiteAbertos,
                       u"Existem movimentos não fechados acima do permitido pela concessionária!");
    etapa = TEtapa::Insere;
    // In a transaction, so a connection lost after the lock was checked
    // fails the insert instead of running it on a new session unlocked.
    TFDConnection& conexao = *FDM.FDConexao;
    conexao.StartTransaction();
    try {
      if (!trava.Mantida())
        throw EDatabaseError(u"A conexão com o servidor foi refeita e a reserva da abertura de movimento se perdeu.");
      q.Close();
      q.SQL().SetText(u"INSERT INTO MOVIMENTOS \r\n(ABERTURA, USUARIO, COD_AGENTE) VALUES (\r\n" + dataSQL +
                      u", \r\n" + QuotedSQL(usuario) + u", \r\n" + QuotedSQL(agente) + u"\r\n)");
      q.ExecSQL();
      conexao.Commit();
    } catch (...) {
      try {
        if (conexao.InTransaction()) conexao.Rollback();
      } catch (const Exception&) {
        // The first failure is the one to report.
      }
      throw;
    }
  } catch (const Exception& e) {
    const auto* erro = dynamic_cast<const EDatabaseError*>(&e);
    switch (etapa) {
      case TEtapa::Existente:
        return Resultado(TSituacaoAbertura::FalhaVerificacao,
                         u"Não foi possível verificar se já existe movimento com a data informada! " + e.Message());
      case TEtapa::Abertos:
        return Resultado(TSituacaoAbertura::FalhaVerificacao,
                         u"Não foi possível quantificar movimentos abertos! " + e.Message());
      case TEtapa::Insere:
        // The key of agent and date answers for a movement that came in
        // from elsewhere.
        if (erro && erro->ErrorCode() == ErroChaveDuplicada)
          return Resultado(TSituacaoAbertura::Existente, u"Movimento já existente!");
        return Resultado(TSituacaoAbertura::FalhaGravacao,
                         u"Ocorreu uma falha na tentativa de gravação dos dados! " + e.Message());
    }
  }
  return TResultadoAbertura();
}

// ================================================================ the window

TfrmNovMov* frmNovMov = nullptr;

namespace {

const String MascaraVazia = u"  /  /    ";

TSpeedButton* Botao(TForm* dono, const String& texto, const String& dica, int x, int y, int largura) {
  auto* b = new TSpeedButton(dono);
  b->SetParent(dono);
  b->SetFlat(true);
  b->SetCaption(texto);
  b->SetHint(dica);
  b->SetBounds(x, y, largura, 30);
  return b;
}

}  // namespace

TfrmNovMov::TfrmNovMov(TComponent* AOwner) : TForm(AOwner) {
  SetCaption(u"Novo Movimento");
  SetBorderStyle(bsToolWindow);
  SetPosition(poScreenCenter);
  SetKeyPreview(true);
  SetShowHint(true);
  SetClientWidth(300);
  SetClientHeight(290);

  Memo1 = new TMemo(this);
  Memo1->SetParent(this);
  Memo1->SetBounds(8, 8, 284, 104);
  Memo1->SetReadOnly(true);
  Memo1->SetTabStop(false);
  Memo1->SetAlignment(taCenter);
  Memo1->SetParentFont(false);
  Memo1->Font()->SetColor(clNavy);
  Memo1->Font()->SetStyle(TFontStyles{fsBold, fsItalic});
  for (const char16_t* linha :
       {u"Verifique se a data e a hora do ", u"computador estão corretas para ", u"confirmação de processo de novo ",
        u"movimento. Caso não esteja digite", u"nos campos abaixo e clique no botão",
        u"Acertar e depois no botão Confirmar."})
    Memo1->Lines()->Add(linha);

  PanelDATA = new TPanel(this);
  PanelDATA->SetParent(this);
  PanelDATA->SetBounds(8, 118, 284, 44);
  PanelDATA->SetParentFont(false);
  PanelDATA->Font()->SetSize(20);
  PanelDATA->Font()->SetStyle(TFontStyles{fsBold});

  RxClock1 = new TRxClock(this);
  RxClock1->SetParent(this);
  RxClock1->SetBounds(8, 168, 284, 40);

  EditDATA = new TMaskEdit(this);
  EditDATA->SetParent(this);
  EditDATA->SetBounds(8, 216, 96, 24);
  EditDATA->SetEditMask(u"!99/99/9999;1;_");
  EditDATA->SetMaxLength(10);
  EditDATA->OnExit = [this](TObject* s) { EditDATAExit(s); };
  EditHORA = new TMaskEdit(this);
  EditHORA->SetParent(this);
  EditHORA->SetBounds(110, 216, 60, 24);
  EditHORA->SetEditMask(u"!99:99;1;_");
  EditHORA->SetMaxLength(5);

  ButAcertar = Botao(this, u"&Acertar", u"Acerta a data e a hora digitada", 176, 213, 116);
  ButNovo = Botao(this, u"&Confirmar", u"Confirma novo movimento", 8, 252, 140);
  ButSair = Botao(this, u"&Sair", u"Saída do formulário", 152, 252, 140);
  ButAcertar->OnClick = [this](TObject* s) { ButAcertarClick(s); };
  ButNovo->OnClick = [this](TObject* s) { ButNovoClick(s); };
  ButSair->OnClick = [this](TObject* s) { ButSairClick(s); };

  OnShow = [this](TObject* s) { FormShow(s); };
  OnKeyPress = [this](TObject* s, char16_t& k) { FormKeyPress(s, k); };
}

TfrmNovMov::~TfrmNovMov() {
  if (frmNovMov == this) frmNovMov = nullptr;
}

void TfrmNovMov::AbreFormNovMov() {
  Screen->SetCursor(crHourGlass);
  if (!frmNovMov) Application->CreateForm(frmNovMov);
  frmNovMov->ShowModal();
}

void TfrmNovMov::FormShow(TObject*) {
  DM->QrMovimentos->Close();
  PanelDATA->SetCaption(FormatDateTime(u"dd/mm/yyyy", Date()));
  // Every showing as the first: what the operator types replaces the date
  // the edit kept from the last one.
  EditDATA->SetFocus();
  EditDATA->SelectAll();
  Screen->SetCursor(crDefault);
}

void TfrmNovMov::FormKeyPress(TObject*, char16_t& Key) {
  if (Key != u'\r') return;
  Key = 0;
  SelectNext(ActiveControl(), true, true);
}

void TfrmNovMov::EditDATAExit(TObject*) {
  if (EditDATA->Text() != MascaraVazia) EditDATA->SetText(CompletaAnoData(EditDATA->Text()));
}

void TfrmNovMov::ButAcertarClick(TObject*) { AcertaData(); }

void TfrmNovMov::AcertaData() {
  if (EditDATA->Text() == MascaraVazia) {
    ExibeMensagem(u"Necessário informar a data para acerto!", 1);
    EditDATA->SetFocus();
    return;
  }
  // Only the date; the computer's clock stays as it is.
  if (VerificaData(EditDATA->Text())) PanelDATA->SetCaption(EditDATA->Text());
  else EditDATA->SetFocus();
}

TDateTime TfrmNovMov::DataDoPainel() const { return StrToDate(PanelDATA->Caption()); }

void TfrmNovMov::ButNovoClick(TObject*) {
  if (!ConfirmaOperacao(u"Confirma a abertura de movimento de " + PanelDATA->Caption() + u"?", 2)) return;
  TResultadoAbertura r;
  {
    Screen->SetCursor(crHourGlass);
    r = TAberturaMovimento(*DM).Abre(DataDoPainel(), NomeUsuario, CodigoAgente);
    Screen->SetCursor(crDefault);
  }
  if (r.Situacao == TSituacaoAbertura::Aberto) {
    try {
      DM->Movimentos->Refresh();
    } catch (const Exception& e) {
      ExibeMensagem(u"Não foi possível atualizar os movimentos na tela! " + e.Message(), 2);
    }
    if (frmMov) frmMov->HabilitaDesabilitaControlesMov();
  } else {
    ExibeMensagem(r.Mensagem, 2);
  }
  Close();
}

void TfrmNovMov::ButSairClick(TObject*) { Close(); }
