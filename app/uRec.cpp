#include "app/uRec.h"
#include "app/ContadorCupom.h"
#include "app/uDM.h"
#include "app/FormHelpers.h"
#include "app/uFunc.h"
#include "platform/data/FDConnection.h"
#include "platform/data/FDDataSet.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumUtils.h"
#include "platform/rtl/StrUtils.h"
#include "app/AppState.h"
#include "app/uMov.h"
#include "controls/RxCurrEdit.h"
#include "platform/dbctrls/DBImage.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"

namespace {

constexpr int ErroChaveDuplicada = 1062;

String DataSQL(TDateTime data) { return QuotedSQL(RetornaDataSQL(data)); }

// Amounts go into SQL as "#0.00" with a decimal point.
String ValorSQL(double valor) { return SubstituiCaracter(FormatFloat(u"#0.00", valor), u',', u"."); }

int64_t Centavos(double valor) { return Round(valor * 100); }

TResultadoRecebimento Recusa(TRecusaRecebimento motivo, const String& mensagem, int tipo = 1) {
  TResultadoRecebimento resultado;
  resultado.Recusa = motivo;
  resultado.Mensagem = mensagem;
  resultado.Tipo = tipo;
  return resultado;
}

// The number drawn for the receipt was issued meanwhile (another
// workstation, or a receipt since deleted).
class ECupomEmitido : public Exception {
public:
  ECupomEmitido() : Exception(u"Conta com Nº de Cupom já recebida!") {}
};

const char16_t* const FalhaGravacao = u"Ocorreu uma falha na tentativa de gravação dos dados! ";
const char16_t* const MovimentoInexistente = u"Movimento inexistente ou já fechado!";

// The movement a receipt goes into is closed, or no longer there.
class EMovimentoFechado : public Exception {
public:
  EMovimentoFechado() : Exception(MovimentoInexistente) {}
};

}  // namespace

String MensagemCodigoFebraban(const String& codigoLinha, const String& codConc) {
  return u"O Código Febraban " + codigoLinha + u" constante no Código de Barras não confere com o da Concessionária " +
         codConc + u"!";
}

String MensagemCodigoBarrasRecebido(TDateTime data, const String& cupom) {
  return u"Conta com Código de Barras já recebida em " + FormatDateTime(u"dd/mm/yyyy", data) + u" no Cupom Nº " +
         cupom + u"!";
}

TRecebimentoContas::TRecebimentoContas(TDM& dm) : FDM(dm), FSoma(std::make_unique<TFDQuery>(nullptr)) {
  FSoma->SetConnection(dm.FDConexao);
}

TRecebimentoContas::~TRecebimentoContas() = default;

bool TRecebimentoContas::ProximoCupom(const String& agente, String& cupom, String& mensagem) {
  try {
    const int ultimo = UltimoCupomEmitido(*FDM.QrRecebimentos, *FSoma, agente);
    if (ultimo >= UltimoCupomPossivel) {
      mensagem = MensagemCuponsEsgotados;
      return false;
    }
    cupom = PreencheZerosEsquerda(6, IntToStr(ultimo + 1));
    return true;
  } catch (const Exception& e) {
    mensagem = u"Não foi possível buscar próximo número de cupom! " + e.Message();
    return false;
  }
}

TResultadoRecebimento TRecebimentoContas::VerificaConta(const TContaRecebida& conta) const {
  if (conta.Linha.empty()) return Recusa(TRecusaRecebimento::SemConta, String(), 0);
  const String tamanho = conta.Digitada ? u"A quantidade dígitos do código de barras digitado deverá ser 48!"
                                        : u"A quantidade dígitos do código de barras da leitura ótica deverá ser 44!";
  if (conta.Digitada) {
    // Against the blocks as they stand now: a block corrected after its
    // check digit no longer matches the line.
    String recalculada;
    try {
      recalculada = RecalculaLinha(conta.Blocos);
    } catch (const EConvertError&) {
      recalculada.clear();
    }
    if (recalculada.empty() || conta.Linha != recalculada)
      return Recusa(TRecusaRecebimento::LinhaDigitadaInvalida,
                    u"Código de Barras Digitado inválido! Compare com os valores abaixo dos campos.");
  }
  if (conta.Linha.size() < TamanhoLinhaDigitada) return Recusa(TRecusaRecebimento::QuantidadeDigitos, tamanho);
  // Whatever mode is ticked when recording: a line typed and refused must
  // not pass as a reader's line. A reader's line always passes.
  if (VerificaLinha(conta.Linha) != TSituacaoLinha::Valida)
    return Recusa(TRecusaRecebimento::LinhaDigitadaInvalida,
                  u"Código de Barras Digitado inválido! Compare com os valores abaixo dos campos.");
  const String codigo = CodigoEmpresaDaLinha(conta.Linha);
  if (codigo != conta.CodConc)
    return Recusa(TRecusaRecebimento::CodigoFebraban, MensagemCodigoFebraban(codigo, conta.CodConc));

  // The value is read from the line being recorded before it is compared,
  // so the change stored can never be negative.
  TResultadoRecebimento resultado;
  try {
    resultado.Valor = ValorDaLinha(conta.Linha);
  } catch (const EConvertError&) {
    return Recusa(TRecusaRecebimento::QuantidadeDigitos, tamanho);
  }
  resultado.ValorLido = true;
  if (Centavos(conta.Recebido) < Centavos(resultado.Valor)) {
    TResultadoRecebimento recusa =
        Recusa(TRecusaRecebimento::ValorInferior, u"Valor recebido inferior ao valor da conta!");
    recusa.ValorLido = true;
    recusa.Valor = resultado.Valor;
    return recusa;
  }
  return resultado;
}

bool TRecebimentoContas::BuscaLinhaRecebida(const String& linha, const String& agente, TDateTime& data,
                                            String& cupom) {
  TFDQuery& q = *FDM.QrRecebimentos;
  q.Close();
  q.SQL().SetText(u"SELECT * FROM RECEBIMENTOS WHERE CODIGOBARRAS = " + QuotedSQL(linha) + u" AND COD_AGENTE = " +
                  QuotedSQL(agente));
  q.Open();
  if (q.IsEmpty()) return false;
  q.First();
  data = q.FieldByName(u"RECEBIMENTO")->AsDateTime();
  cupom = q.FieldByName(u"CUPOM")->AsString();
  return true;
}

TResultadoRecebimento TRecebimentoContas::ValidaRecebimento(const TContaRecebida& conta) {
  // The receipts of the current movement, as the window shows them; the
  // unique key of agent and number catches what they do not show yet.
  TFDTable& recebimentos = *FDM.Recebimentos;
  if (recebimentos.Active() &&
      !recebimentos.Lookup(u"RECEBIMENTO;CUPOM", {Variant::Date(conta.Movimento), Variant(conta.Cupom)}, u"ID")
           .IsClear())
    return Recusa(TRecusaRecebimento::CupomRecebido, u"Conta com Nº de Cupom já recebida!");

  try {
    TDateTime data = 0;
    String cupom;
    if (BuscaLinhaRecebida(conta.Linha, conta.Agente, data, cupom))
      return Recusa(TRecusaRecebimento::CodigoBarrasRecebido, MensagemCodigoBarrasRecebido(data, cupom));
  } catch (const Exception& e) {
    return Recusa(TRecusaRecebimento::FalhaValidacao,
                  u"Não foi possível validar a chave do código de barras! " + e.Message(), 2);
  }
  return TResultadoRecebimento();
}

template <class F>
void TRecebimentoContas::EmTransacao(F&& trabalho) {
  TFDConnection& conexao = *FDM.FDConexao;
  conexao.StartTransaction();
  try {
    trabalho();
    conexao.Commit();
  } catch (...) {
    try {
      if (conexao.InTransaction()) conexao.Rollback();
      else if (conexao.Connected()) conexao.ExecSQL(u"ROLLBACK");  // a failed COMMIT
    } catch (const Exception&) {
      // The first failure is the one to report.
    }
    throw;
  }
}

void TRecebimentoContas::TravaMovimento(TDateTime movimento, const String& agente, TExigencia exigencia) {
  // Holding the movement's row serialises the workstations that record
  // into it or close it, so each one sees what the others have committed.
  TFDQuery& q = *FDM.QrMovimentos;
  q.Close();
  q.SQL().SetText(u"SELECT * FROM MOVIMENTOS WHERE ABERTURA = " + DataSQL(movimento) + u" AND COD_AGENTE = " +
                  QuotedSQL(agente) + u" FOR UPDATE");
  q.Open();
  const bool existe = !q.IsEmpty();
  const bool fechado = existe && !q.FieldByName(u"FECHAMENTO")->IsNull();
  q.Close();
  if (exigencia == TExigencia::Aberto && (!existe || fechado)) throw EMovimentoFechado();
  if (!existe)
    throw EDatabaseError(u"Movimento de " + FormatDateTime(u"dd/mm/yyyy", movimento) + u" não encontrado.");
}

void TRecebimentoContas::InsereRecebimento(const TContaRecebida& conta, double valor) {
  const String separador = u", \r\n";
  String sql = u"INSERT INTO RECEBIMENTOS \r\n"
               u"(RECEBIMENTO, CUPOM, HORA, CHQ_DINH, VALOR, TROCO, CODIGOBARRAS, ESTORNADO, USUARIO, COD_AGENTE, "
               u"INSCRICAO) VALUES (\r\n";
  sql += DataSQL(conta.Movimento) + separador;
  sql += QuotedSQL(conta.Cupom) + separador;
  sql += QuotedSQL(FormatDateTime(u"hhnnss", Now())) + separador;
  sql += QuotedSQL(conta.Pagamento) + separador;
  sql += QuotedSQL(ValorSQL(valor)) + separador;
  sql += QuotedSQL(ValorSQL(conta.Recebido - valor)) + separador;
  sql += QuotedSQL(conta.Linha) + separador;
  sql += QuotedSQL(u"N") + separador;
  sql += QuotedSQL(conta.Usuario) + separador;
  sql += QuotedSQL(conta.Agente) + separador;
  sql += QuotedSQL(InscricaoDaLinha(conta.Linha)) + u"\r\n)";
  TFDQuery& q = *FDM.QrRecebimentos;
  q.Close();
  q.SQL().SetText(sql);
  q.ExecSQL();
}

TTotaisMovimento TRecebimentoContas::GravaTotais(TDateTime movimento, const String& agente, bool soNaoEstornados) {
  // The payment and reversal marks count only when exactly as the program
  // writes them.
  const String estornados = soNaoEstornados ? u" AND CAST(ESTORNADO AS BINARY) = 'N'" : u"";
  FSoma->Close();
  FSoma->SQL().SetText(
      u"SELECT COUNT(*), "
      u"COALESCE(SUM(CASE WHEN CAST(CHQ_DINH AS BINARY) = 'Dinheiro' THEN VALOR ELSE 0 END), 0), "
      u"COALESCE(SUM(CASE WHEN CAST(CHQ_DINH AS BINARY) = 'Cheque' THEN VALOR ELSE 0 END), 0) "
      u"FROM RECEBIMENTOS WHERE RECEBIMENTO = " +
      DataSQL(movimento) + estornados + u" AND COD_AGENTE = " + QuotedSQL(agente));
  FSoma->Open();
  TTotaisMovimento totais;
  totais.Quantidade = FSoma->Fields()[0]->AsInteger();
  totais.Dinheiro = FSoma->Fields()[1]->AsFloat();
  totais.Cheque = FSoma->Fields()[2]->AsFloat();
  FSoma->Close();

  TFDQuery& q = *FDM.QrMovimentos;
  q.Close();
  q.SQL().SetText(u"UPDATE MOVIMENTOS SET DINHEIRO = " + ValorSQL(totais.Dinheiro) + u", CHEQUE = " +
                  ValorSQL(totais.Cheque) + u", QUANTIDADE = " + IntToStr(totais.Quantidade) +
                  u" WHERE ABERTURA = " + DataSQL(movimento) + u" AND COD_AGENTE = " + QuotedSQL(agente));
  q.ExecSQL();
  return totais;
}

TResultadoRecebimento TRecebimentoContas::Grava(const TContaRecebida& conta) {
  TResultadoRecebimento resultado = VerificaConta(conta);
  if (!resultado.Gravado()) return resultado;
  TResultadoRecebimento duplicado = ValidaRecebimento(conta);
  if (!duplicado.Gravado()) {
    duplicado.ValorLido = true;
    duplicado.Valor = resultado.Valor;
    return duplicado;
  }

  auto falha = [&](const String& texto) {
    TResultadoRecebimento r = Recusa(TRecusaRecebimento::FalhaGravacao, FalhaGravacao + texto, 2);
    r.ValorLido = true;
    r.Valor = resultado.Valor;
    return r;
  };
  try {
    EmTransacao([&] {
      TravaMovimento(conta.Movimento, conta.Agente, TExigencia::Aberto);
      if (!ReservaCupom(*FSoma, conta.Agente, conta.Cupom)) throw ECupomEmitido();
      InsereRecebimento(conta, resultado.Valor);
      GravaTotais(conta.Movimento, conta.Agente);
    });
  } catch (const EMovimentoFechado& e) {
    TResultadoRecebimento r = Recusa(TRecusaRecebimento::MovimentoFechado, e.Message(), 2);
    r.ValorLido = true;
    r.Valor = resultado.Valor;
    return r;
  } catch (const ECupomEmitido&) {
    TResultadoRecebimento r = Recusa(TRecusaRecebimento::CupomRecebido, u"Conta com Nº de Cupom já recebida!");
    r.ValorLido = true;
    r.Valor = resultado.Valor;
    return r;
  } catch (const EDatabaseError& e) {
    if (e.ErrorCode() != ErroChaveDuplicada) return falha(e.Message());
    // Another workstation stored the same bill or the same number first:
    // the operator gets the message of the check it passed a moment ago.
    TResultadoRecebimento r;
    try {
      TDateTime data = 0;
      String cupom;
      r = BuscaLinhaRecebida(conta.Linha, conta.Agente, data, cupom)
              ? Recusa(TRecusaRecebimento::CodigoBarrasRecebido, MensagemCodigoBarrasRecebido(data, cupom))
              : Recusa(TRecusaRecebimento::CupomRecebido, u"Conta com Nº de Cupom já recebida!");
    } catch (const Exception&) {
      return falha(e.Message());
    }
    r.ValorLido = true;
    r.Valor = resultado.Valor;
    return r;
  } catch (const Exception& e) {
    return falha(e.Message());
  }
  return resultado;
}

TTotaisMovimento TRecebimentoContas::ProcessaTotais(TDateTime movimento, const String& agente) {
  TTotaisMovimento totais;
  EmTransacao([&] {
    TravaMovimento(movimento, agente, TExigencia::Existente);
    totais = GravaTotais(movimento, agente);
  });
  return totais;
}

TTotaisMovimento TRecebimentoContas::ProcessaMovimento(TDateTime movimento, const String& agente) {
  TTotaisMovimento totais;
  EmTransacao([&] {
    TravaMovimento(movimento, agente, TExigencia::Existente);
    totais = GravaTotais(movimento, agente, false);
  });
  return totais;
}

void TRecebimentoContas::ExcluiRecebimento(int id, TDateTime movimento, const String& agente, bool& naExclusao) {
  naExclusao = false;
  EmTransacao([&] {
    TravaMovimento(movimento, agente, TExigencia::Existente);
    naExclusao = true;
    TFDQuery& q = *FDM.QrRecebimentos;
    q.Close();
    q.SQL().SetText(u"DELETE FROM RECEBIMENTOS WHERE ID = " + IntToStr(id) + u" AND COD_AGENTE = " +
                    QuotedSQL(agente));
    q.ExecSQL();
    naExclusao = false;
    GravaTotais(movimento, agente);
  });
}

// ================================================================ the window

namespace {

const String EmptyGuide = u"00000000000-0";

bool Digito(char16_t c) { return c >= u'0' && c <= u'9'; }

void Bipa() { MessageBeep(0); }

TLabel* Rotulo(TForm* dono, TWinControl* pai, const String& texto, int x, int y) {
  auto* rotulo = new TLabel(dono);
  rotulo->SetParent(pai);
  rotulo->SetCaption(texto);
  rotulo->SetLeft(x);
  rotulo->SetTop(y);
  return rotulo;
}

TEdit* Edicao(TForm* dono, TWinControl* pai, int x, int y, int largura, int tamanho) {
  auto* edit = new TEdit(dono);
  edit->SetParent(pai);
  edit->SetBounds(x, y, largura, 24);
  edit->SetMaxLength(tamanho);
  return edit;
}

TCurrencyEdit* Moeda(TForm* dono, int x, int y) {
  auto* edit = new TCurrencyEdit(dono);
  edit->SetParent(dono);
  edit->SetBounds(x, y, 150, 28);
  edit->SetDisplayFormat(u",0.00");
  edit->SetParentFont(false);
  edit->Font()->SetSize(12);
  edit->Font()->SetStyle(TFontStyles{fsBold});
  return edit;
}

}  // namespace

TfrmRec::TfrmRec(TComponent* AOwner) : TForm(AOwner), FRecebimento(std::make_unique<TRecebimentoContas>(*DM)) {
  SetCaption(u"Brenquia - Recebimento de Contas");
  SetBorderIcons(TBorderIcons{biSystemMenu, biMaximize});
  SetKeyPreview(true);
  SetShowHint(true);
  SetClientWidth(1000);
  SetClientHeight(560);
  SetWindowState(wsMaximized);

  CriaMenu();
  CriaControles();
  CriaBotoes();

  StatusBar1 = new TStatusBar(this);
  StatusBar1->SetParent(this);
  for (int largura : {140, 280, 160, 160}) StatusBar1->Panels()->Add()->SetWidth(largura);

  DesabilitaRecebimento();
  // Until the first new receipt or cancellation, every menu item is there.
  for (TMenuItem* item : {MnuNovo, MnuGravar, MnuCancelar, MnuLeitora, MnuDigitacao}) item->SetEnabled(true);
  DesabilitaLeitora();
  DesabilitaDigitacao();

  OnShow = [this](TObject* s) { FormShow(s); };
  OnKeyPress = [this](TObject* s, char16_t& k) { FormKeyPress(s, k); };
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
}

TfrmRec::~TfrmRec() = default;

void TfrmRec::CriaMenu() {
  MainMenu1 = new TMainMenu(this);
  MnuOpcoes = ItemMenu(this, MainMenu1->Items(), u"&Opções");
  MnuNovo = ItemMenu(this, MnuOpcoes, u"&Novo Recebimento", u"Novo|Inicia processo de novo recebimento",
                 ShortCut(u'N', TShiftState{ssCtrl}));
  MnuGravar = ItemMenu(this, MnuOpcoes, u"&Gravar Recebimento", u"Gravar|Grava e autentica o recebimento",
                   ShortCut(u'G', TShiftState{ssCtrl}));
  MnuCancelar = ItemMenu(this, MnuOpcoes, u"&Cancelar Recebimento", u"Cancelar|Cancela os recebimentos não gravados",
                     ShortCut(u'C', TShiftState{ssCtrl}));
  ItemMenu(this, MnuOpcoes, u"-");
  MnuLeitora = ItemMenu(this, MnuOpcoes, u"Leitora &Ótica", u"Leitora|Código de barras pela leitora ótica",
                    ShortCut(u'O', TShiftState{ssCtrl}));
  MnuDigitacao = ItemMenu(this, MnuOpcoes, u"&Digitação", u"Digitação|Código de barras digitado",
                      ShortCut(u'D', TShiftState{ssCtrl}));
  ItemMenu(this, MnuOpcoes, u"-");
  MnuCalculadora = ItemMenu(this, MnuOpcoes, u"Calculadora", u"Calculadora|Acessa a calculadora do sistema",
                        ShortCut(VK_F2, TShiftState{}));
  ItemMenu(this, MnuOpcoes, u"-");
  MnuSair = ItemMenu(this, MnuOpcoes, u"&Sair", u"Sair|Saída do formulário", ShortCut(u'S', TShiftState{ssCtrl}));

  MnuNovo->OnClick = [this](TObject* s) { ButNovoClick(s); };
  MnuGravar->OnClick = [this](TObject* s) { ButGravarClick(s); };
  MnuCancelar->OnClick = [this](TObject* s) { ButCancelarClick(s); };
  MnuLeitora->OnClick = [this](TObject* s) { L1Click(s); };
  MnuDigitacao->OnClick = [this](TObject* s) { N6Click(s); };
  MnuCalculadora->OnClick = [this](TObject* s) { C1Click(s); };
  MnuSair->OnClick = [this](TObject* s) { ButFecharClick(s); };
  SetMenu(MainMenu1);
}

void TfrmRec::CriaControles() {
  GroupBoxFuncoes = new TGroupBox(this);
  GroupBoxFuncoes->SetParent(this);
  GroupBoxFuncoes->SetCaption(u" Funções Disponíveis ");
  GroupBoxFuncoes->SetBounds(8, 8, 220, 132);
  LabelFuncoes = Rotulo(this, GroupBoxFuncoes,
                        u"Ctrl+N - Novo Recebimento\r\nCtrl+G - Gravar Recebimento\r\nCtrl+C - Cancelar Recebimento\r\n"
                        u"Ctrl+O - Leitora Ótica\r\nCtrl+D - Digitação\r\nCtrl+S - Saída do Formulário",
                        12, 20);

  ImageLOGOTIPO = new TDBImage(this);
  ImageLOGOTIPO->SetParent(this);
  ImageLOGOTIPO->SetBounds(8, 150, 220, 160);
  ImageLOGOTIPO->SetStretch(false);
  ImageLOGOTIPO->SetReadOnly(true);
  ImageLOGOTIPO->SetTabStop(false);
  ImageLOGOTIPO->SetDataField(u"LOGOTIPO");
  ImageLOGOTIPO->SetDataSource(DM->DsConcessionaria);

  // The reader's group; its radio button sits in the caption's blanks, on
  // the form, so it stays usable while the group is disabled.
  GroupBoxCBA = new TGroupBox(this);
  GroupBoxCBA->SetParent(this);
  GroupBoxCBA->SetCaption(u"       Código de Barras Leitora Ótica ");
  GroupBoxCBA->SetBounds(236, 8, 530, 62);
  EditCODBARRAS = Edicao(this, GroupBoxCBA, 12, 24, 506, 44);
  EditCODBARRAS->SetParentFont(false);
  EditCODBARRAS->Font()->SetColor(clGray);
  EditCODBARRAS->Font()->SetSize(11);
  EditCODBARRAS->SetText(String(44, u'0'));
  EditCODBARRAS->OnKeyPress = [this](TObject* s, char16_t& k) { EditCODBARRASKeyPress(s, k); };
  EditCODBARRAS->OnExit = [this](TObject* s) { EditCODBARRASExit(s); };
  GroupBoxCBA->OnClick = [this](TObject* s) {
    if (GroupBoxCBA->Enabled()) L1Click(s);
  };
  RadioButtonCBA = new TRadioButton(this);
  RadioButtonCBA->SetParent(this);
  RadioButtonCBA->SetBounds(246, 7, 16, 16);
  RadioButtonCBA->SetChecked(true);

  GroupBoxCBD = new TGroupBox(this);
  GroupBoxCBD->SetParent(this);
  GroupBoxCBD->SetCaption(u"       Código de Barras Digitado ");
  GroupBoxCBD->SetBounds(236, 78, 530, 92);
  for (int i = 0; i < 4; ++i) {
    const int x = 10 + i * 129;
    LabelParte[i] = Rotulo(this, GroupBoxCBD, u"Parte " + IntToStr(i + 1) + u":", x, 20);
    EditRN[i] = Edicao(this, GroupBoxCBD, x, 36, 96, 11);
    EditDV[i] = Edicao(this, GroupBoxCBD, x + 99, 36, 20, 1);
    LabelPARTE[i] = Rotulo(this, GroupBoxCBD, EmptyGuide, x, 66);
    EditRN[i]->OnKeyPress = [this](TObject* s, char16_t& k) { EditCODBARRASKeyPress(s, k); };
    EditDV[i]->OnKeyPress = [this](TObject* s, char16_t& k) { EditCODBARRASKeyPress(s, k); };
    EditRN[i]->OnChange = [this, i](TObject*) { EditRNChange(i + 1); };
    EditRN[i]->OnExit = [this, i](TObject*) { EditRNExit(i + 1); };
    EditDV[i]->OnChange = [this, i](TObject*) { EditDVChange(i + 1); };
  }
  GroupBoxCBD->OnClick = [this](TObject* s) {
    if (GroupBoxCBD->Enabled()) N6Click(s);
  };
  RadioButtonCBD = new TRadioButton(this);
  RadioButtonCBD->SetParent(this);
  RadioButtonCBD->SetBounds(246, 77, 16, 16);

  RadioGroupCHQ_DINH = new TRadioGroup(this);
  RadioGroupCHQ_DINH->SetParent(this);
  RadioGroupCHQ_DINH->SetCaption(u" Pagamento em ");
  RadioGroupCHQ_DINH->SetBounds(236, 178, 530, 46);
  RadioGroupCHQ_DINH->SetColumns(2);
  RadioGroupCHQ_DINH->Items()->Add(u"Dinheiro");
  RadioGroupCHQ_DINH->Items()->Add(u"Cheque");
  RadioGroupCHQ_DINH->SetItemIndex(0);

  ListBoxCONTA = new TListBox(this);
  ListBoxCONTA->SetParent(this);
  ListBoxCONTA->SetBounds(236, 232, 530, 78);
  ListBoxCONTA->SetParentFont(false);
  ListBoxCONTA->Font()->SetName(u"Courier New");
  ListBoxCONTA->Font()->SetSize(11);
  ListBoxCONTA->Font()->SetStyle(TFontStyles{fsBold});

  const int x = 776;
  LabelCUPOM = Rotulo(this, this, u"Cupom:", x, 8);
  EditCUPOM = Edicao(this, this, x, 24, 150, 6);
  EditCUPOM->SetReadOnly(true);
  EditCUPOM->SetParentFont(false);
  EditCUPOM->Font()->SetSize(12);
  EditCUPOM->Font()->SetStyle(TFontStyles{fsBold});
  EditCUPOM->SetHeight(28);
  LabelVALOR = Rotulo(this, this, u"Valor da Conta:", x, 60);
  EditVALOR = Moeda(this, x, 76);
  EditVALOR->SetReadOnly(true);
  LabelRECEBIDO = Rotulo(this, this, u"Valor Recebido:", x, 112);
  EditRECEBIDO = Moeda(this, x, 128);
  EditRECEBIDO->SetEnabled(false);
  EditRECEBIDO->OnEnter = [this](TObject* s) { EditRECEBIDOEnter(s); };
  EditRECEBIDO->OnChange = [this](TObject* s) { EditRECEBIDOChange(s); };
  LabelTROCO = Rotulo(this, this, u"Troco:", x, 164);
  EditTROCO = Moeda(this, x, 180);
  EditTROCO->SetReadOnly(true);

  GroupBoxQT_VR_TOT = new TGroupBox(this);
  GroupBoxQT_VR_TOT->SetParent(this);
  GroupBoxQT_VR_TOT->SetCaption(u"        Quantidade e Valor Total ");
  GroupBoxQT_VR_TOT->SetBounds(x, 218, 250, 76);
  PanelQT_VR_TOT = new TMemo(this);
  PanelQT_VR_TOT->SetParent(GroupBoxQT_VR_TOT);
  PanelQT_VR_TOT->SetBounds(8, 20, 234, 48);
  PanelQT_VR_TOT->SetReadOnly(true);
  PanelQT_VR_TOT->SetTabStop(false);
  CheckBoxQT_VR_TOT = new TCheckBox(this);
  CheckBoxQT_VR_TOT->SetParent(this);
  CheckBoxQT_VR_TOT->SetBounds(x + 10, 217, 16, 16);
  CheckBoxQT_VR_TOT->OnClick = [this](TObject* s) { CheckBoxQT_VR_TOTClick(s); };

  LabelVersao = Rotulo(this, this, u"VERSÃO ON LINE", x, 302);
  LabelVersao->SetParentFont(false);
  LabelVersao->Font()->SetColor(clNavy);
  LabelVersao->Font()->SetStyle(TFontStyles{fsBold});
}

void TfrmRec::CriaBotoes() {
  auto botao = [this](int indice, const String& texto, const String& dica) {
    auto* b = new TButton(this);
    b->SetParent(this);
    b->SetCaption(texto);
    b->SetHint(dica);
    b->SetBounds(8, 320 + indice * 44, 220, 38);
    return b;
  };
  ButNovo = botao(0, u"Novo", u"Inicia processo de novo recebimento");
  ButGravar = botao(1, u"Gravar", u"Grava e autentica o recebimento");
  ButCancelar = botao(2, u"Cancelar", u"Cancela os recebimentos não gravados");
  ButFechar = botao(3, u"Fechar", u"Saída do formulário");
  ButNovo->OnClick = [this](TObject* s) { ButNovoClick(s); };
  ButGravar->OnClick = [this](TObject* s) { ButGravarClick(s); };
  ButCancelar->OnClick = [this](TObject* s) { ButCancelarClick(s); };
  ButFechar->OnClick = [this](TObject* s) { ButFecharClick(s); };
}

void TfrmRec::AbreFormRec() {
  Screen->SetCursor(crHourGlass);
  // A new window for each opening, freed when it closes.
  auto libera = [](TfrmRec* f) { f->Free(); };
  std::unique_ptr<TfrmRec, decltype(libera)> form(new TfrmRec(Application), libera);
  form->StatusBar1->Panels()->Items(0)->SetText(u"Movimento: " + FormatDateTime(u"dd/mm/yyyy", DataMovimento));
  form->StatusBar1->Panels()->Items(1)->SetText(u"Agente: " +
                                                DM->Agentes->FieldByName(u"NOME_FANTASIA")->AsString());
  form->StatusBar1->Panels()->Items(2)->SetText(u"Usuário: " + NomeUsuario);
  form->StatusBar1->Panels()->Items(3)->SetText(u"Concessionária: " + NomeConcessionaria);
  form->ShowModal();
}

void TfrmRec::FormShow(TObject*) {
  // The radio buttons and the check box sit in their groups' captions,
  // above the groups once the windows stand.
  for (TWinControl* noTitulo : std::initializer_list<TWinControl*>{RadioButtonCBA, RadioButtonCBD, CheckBoxQT_VR_TOT})
    noTitulo->BringToFront();
  Screen->SetCursor(crDefault);
  PreencheRecebido = ConfirmaOperacao(u"Deseja que o campo Valor Recebido seja preenchido pelo sistema?", 2);
}

void TfrmRec::FormKeyPress(TObject*, char16_t& Key) {
  if (Key != u'\r') return;
  Key = 0;
  SelectNext(ActiveControl(), true, true);
}

void TfrmRec::EditCODBARRASKeyPress(TObject*, char16_t& Key) {
  if (Digito(Key) || Key == u'\b') return;
  Key = 0;
  Bipa();
}

// ---- control groups

void TfrmRec::HabilitaRecebimento() {
  MnuNovo->SetEnabled(false);
  ButNovo->SetEnabled(false);
  for (TMenuItem* item : {MnuGravar, MnuCancelar, MnuLeitora, MnuDigitacao}) item->SetEnabled(true);
  ButGravar->SetEnabled(true);
  ButCancelar->SetEnabled(true);
  RadioButtonCBA->SetEnabled(true);
  RadioButtonCBD->SetEnabled(true);
  EditRECEBIDO->SetEnabled(true);
  EditRECEBIDO->SetColor(clWindow);
}

void TfrmRec::DesabilitaRecebimento() {
  MnuNovo->SetEnabled(true);
  ButNovo->SetEnabled(true);
  for (TMenuItem* item : {MnuGravar, MnuCancelar, MnuLeitora, MnuDigitacao}) item->SetEnabled(false);
  ButGravar->SetEnabled(false);
  ButCancelar->SetEnabled(false);
  RadioButtonCBA->SetEnabled(false);
  RadioButtonCBD->SetEnabled(false);
  EditRECEBIDO->SetEnabled(false);
  EditRECEBIDO->SetColor(clBtnFace);
}

void TfrmRec::HabilitaLeitora() {
  GroupBoxCBA->SetEnabled(true);
  EditCODBARRAS->SetColor(clWindow);
}

void TfrmRec::DesabilitaLeitora() {
  EditCODBARRAS->SetColor(clBtnFace);
  GroupBoxCBA->SetEnabled(false);
}

void TfrmRec::HabilitaDigitacao() {
  GroupBoxCBD->SetEnabled(true);
  for (int i = 0; i < 4; ++i) {
    EditRN[i]->SetColor(clWindow);
    EditDV[i]->SetColor(clWindow);
  }
}

void TfrmRec::DesabilitaDigitacao() {
  GroupBoxCBD->SetEnabled(false);
  for (int i = 0; i < 4; ++i) {
    EditRN[i]->SetColor(clBtnFace);
    EditDV[i]->SetColor(clBtnFace);
  }
}

void TfrmRec::LimpaCampos() {
  EditCODBARRAS->SetText(String());
  // The bar-code edit shows black digits once it was first cleared.
  EditCODBARRAS->Font()->SetColor(clWindowText);
  for (int i = 0; i < 4; ++i) {
    EditRN[i]->SetText(String());
    EditDV[i]->SetText(String());
    LabelPARTE[i]->SetCaption(String());
  }
  ListBoxCONTA->Items()->Clear();
}

void TfrmRec::LimpaValores() {
  EditCUPOM->SetText(String());
  EditVALOR->Clear();
  EditRECEBIDO->Clear();
}

String TfrmRec::Linha() const { return ListBoxCONTA->Items()->Count() > 0 ? ListBoxCONTA->Items()->Strings(0) : String(); }

void TfrmRec::MostraValor(double valor) {
  EditVALOR->SetValue(valor);
  EditTROCO->SetValue(EditRECEBIDO->Value() - valor);
}

// ---- new receipt, modes

bool TfrmRec::IniciaRecebimento() {
  LimpaCampos();
  LimpaValores();
  String cupom, mensagem;
  if (!FRecebimento->ProximoCupom(CodigoAgente, cupom, mensagem)) {
    ExibeMensagem(mensagem, 2);
    return false;
  }
  EditCUPOM->SetText(cupom);
  HabilitaRecebimento();
  if (RadioButtonCBA->Checked()) {
    HabilitaLeitora();
    DesabilitaDigitacao();
  } else {
    HabilitaDigitacao();
    DesabilitaLeitora();
  }
  return true;
}

bool TfrmRec::RecebimentoIniciado() const { return ButGravar->Enabled(); }

void TfrmRec::ButNovoClick(TObject*) {
  if (!IniciaRecebimento()) return;
  if (RadioButtonCBA->Checked()) EditCODBARRAS->SetFocus();
  else EditRN[0]->SetFocus();
}

void TfrmRec::L1Click(TObject*) {
  RadioButtonCBA->SetChecked(true);
  RadioButtonCBD->SetChecked(false);
  LimpaCampos();
  DesabilitaDigitacao();
  HabilitaLeitora();
  EditCODBARRAS->SetFocus();
}

void TfrmRec::N6Click(TObject*) {
  RadioButtonCBD->SetChecked(true);
  RadioButtonCBA->SetChecked(false);
  LimpaCampos();
  DesabilitaLeitora();
  HabilitaDigitacao();
  EditRN[0]->SetFocus();
}

void TfrmRec::C1Click(TObject*) { IniciaCalculadora(); }

// ---- reader entry

void TfrmRec::EditCODBARRASExit(TObject*) {
  const String codigo = EditCODBARRAS->Text();
  if (codigo.size() < TamanhoCodigoBarras) return;
  // A bill read before Ctrl+N starts its receipt, as Ctrl+N would.
  if (!RecebimentoIniciado()) {
    if (!IniciaRecebimento()) return;
    EditCODBARRAS->SetText(codigo);
  }
  if (ListBoxCONTA->Items()->Count() == 0) {
    String linha;
    if (LinhaDoCodigoBarras(codigo, linha) == TSituacaoLinha::Valida) {
      ListBoxCONTA->Items()->Add(linha);
      EditVALOR->SetValue(ValorDaLinha(linha));
    }
  }
  EditCODBARRAS->SetText(String());
  EditRECEBIDO->SetFocus();
  Bipa();
}

// ---- typed entry

void TfrmRec::MontaLinhaDigitada() {
  TBlocosLinha blocos, digitos;
  for (int i = 0; i < 4; ++i) {
    blocos[i] = EditRN[i]->Text();
    digitos[i] = EditDV[i]->Text();
  }
  ListBoxCONTA->Items()->Clear();
  ListBoxCONTA->Items()->Add(::MontaLinhaDigitada(blocos, digitos));
}

void TfrmRec::EditRNChange(int bloco) {
  bool& tratando = FTratandoBloco[bloco - 1];
  if (tratando) return;
  tratando = true;
  struct Solta {
    bool& b;
    ~Solta() { b = false; }
  } solta{tratando};
  if (EditRN[bloco - 1]->Text().size() != 11) return;
  if (bloco != 3) MontaLinhaDigitada();
  EditDV[bloco - 1]->SetFocus();
  Bipa();
}

void TfrmRec::EditDVChange(int bloco) {
  bool& tratando = FTratandoDigito[bloco - 1];
  if (tratando) return;
  tratando = true;
  struct Solta {
    bool& b;
    ~Solta() { b = false; }
  } solta{tratando};
  if (EditDV[bloco - 1]->Text().empty()) return;
  MontaLinhaDigitada();
  if (bloco < 4) {
    EditRN[bloco]->SetFocus();
  } else {
    EditVALOR->SetValue(ValorDaLinha(Linha()));
    if (EditRECEBIDO->CanFocus()) EditRECEBIDO->SetFocus();
  }
  Bipa();
}

void TfrmRec::EditRNExit(int bloco) {
  const String texto = EditRN[bloco - 1]->Text();
  if (texto.empty()) return;
  LabelPARTE[bloco - 1]->SetCaption(GuiaBloco(texto));
}

// ---- amounts

void TfrmRec::EditRECEBIDOEnter(TObject*) {
  if (!PreencheRecebido) return;
  // Selected whole, so that what the cashier types replaces it.
  EditRECEBIDO->SetValue(EditVALOR->Value());
  EditRECEBIDO->SelectAll();
}

void TfrmRec::EditRECEBIDOChange(TObject*) { EditTROCO->SetValue(EditRECEBIDO->Value() - EditVALOR->Value()); }

// ---- recording

void TfrmRec::ButGravarClick(TObject*) { GravaRecebimento(); }

void TfrmRec::GravaRecebimento() {
  TContaRecebida conta;
  conta.Movimento = DataMovimento;
  conta.Cupom = EditCUPOM->Text();
  conta.Linha = Linha();
  conta.Digitada = RadioButtonCBD->Checked();
  for (int i = 0; i < 4; ++i) conta.Blocos[i] = EditRN[i]->Text();
  conta.Pagamento = RadioGroupCHQ_DINH->ItemIndex() == 1 ? u"Cheque" : u"Dinheiro";
  conta.Recebido = EditRECEBIDO->Value();
  conta.Usuario = NomeUsuario;
  conta.Agente = CodigoAgente;
  conta.CodConc = DM->Concessionaria->FieldByName(u"COD_CONC")->AsString();

  TResultadoRecebimento r;
  {
    Screen->SetCursor(crHourGlass);
    CursorNormalAoSair normal;
    r = FRecebimento->Grava(conta);
  }
  if (r.ValorLido && r.Valor != EditVALOR->Value()) MostraValor(r.Valor);
  if (!r.Mensagem.empty()) ExibeMensagem(r.Mensagem, r.Tipo);

  switch (r.Recusa) {
    case TRecusaRecebimento::SemConta:
    case TRecusaRecebimento::CupomRecebido:
    case TRecusaRecebimento::CodigoBarrasRecebido:
    case TRecusaRecebimento::FalhaValidacao:
      return;
    case TRecusaRecebimento::LinhaDigitadaInvalida:
      if (EditRN[0]->CanFocus()) EditRN[0]->SetFocus();
      return;
    case TRecusaRecebimento::QuantidadeDigitos:
    case TRecusaRecebimento::CodigoFebraban:
      if (conta.Digitada) {
        EditRN[r.Recusa == TRecusaRecebimento::CodigoFebraban ? 1 : 0]->SetFocus();
      } else {
        LimpaCampos();
        EditCODBARRAS->SetFocus();
      }
      return;
    case TRecusaRecebimento::ValorInferior:
      EditRECEBIDO->SetFocus();
      return;
    case TRecusaRecebimento::Nenhuma:
      try {
        DM->Recebimentos->Refresh();
        DM->Movimentos->Refresh();
      } catch (const Exception& e) {
        ExibeMensagem(u"Não foi possível atualizar os recebimentos na tela! " + e.Message(), 2);
      }
      if (DM->Agentes->FieldByName(u"IMPRIMIR_CUPOM")->AsInteger() == 1 &&
          ConfirmaOperacao(u"Confirma a impressão do cupom?", 1)) {
        try {
          ImprimeCupomRecebido(conta.Cupom, conta.Movimento);
        } catch (const Exception& e) {
          ExibeMensagem(u"Impressora indisponível no momento! " + e.Message(), 1);
        }
      }
      AposGravacao();
      return;
    case TRecusaRecebimento::MovimentoFechado:
    case TRecusaRecebimento::FalhaGravacao:
      // Nothing was stored: the receipt stays pending, as it was, to be
      // recorded again or cancelled.
      return;
  }
}

void TfrmRec::AposGravacao() {
  if (CheckBoxQT_VR_TOT->Checked()) AtualizaTotais();
  DesabilitaDigitacao();
  DesabilitaLeitora();
  DesabilitaRecebimento();
  RadioGroupCHQ_DINH->SetFocus();
}

void TfrmRec::ImprimeCupomRecebido(const String& cupom, TDateTime data) { TfrmMov::ImprimeCupom(u"I", cupom, data); }

bool TfrmRec::ProcessaTotaisMovimento() {
  bool gravados = false;
  try {
    TRecebimentoContas(*DM).ProcessaTotais(DataMovimento, CodigoAgente);
    gravados = true;
  } catch (const Exception& e) {
    ExibeMensagem(u"Ocorreu uma falha na tentativa de gravação dos dados! " + e.Message(), 2);
  }
  try {
    DM->Movimentos->Refresh();
  } catch (const Exception& e) {
    ExibeMensagem(u"Não foi possível atualizar os movimentos na tela! " + e.Message(), 2);
  }
  return gravados;
}

void TfrmRec::AtualizaTotais() {
  ProcessaTotaisMovimento();
  PanelQT_VR_TOT->Lines()->Clear();
  TDataSet* mov = DM->Movimentos;
  PanelQT_VR_TOT->Lines()->Add(u"Recebimento(s) em " + FormatDateTime(u"dd/mm/yyyy", DataMovimento) + u": R$ " +
                               FormatFloat(u"#,###,##0.00", mov->FieldByName(u"TOTAL")->AsFloat()) + u" em " +
                               mov->FieldByName(u"QUANTIDADE")->AsString() + u" conta(s).");
}

void TfrmRec::CheckBoxQT_VR_TOTClick(TObject*) {
  if (CheckBoxQT_VR_TOT->Checked()) AtualizaTotais();
  else PanelQT_VR_TOT->Lines()->Clear();
}

void TfrmRec::ButCancelarClick(TObject*) {
  LimpaCampos();
  LimpaValores();
  DesabilitaDigitacao();
  DesabilitaLeitora();
  DesabilitaRecebimento();
  RadioGroupCHQ_DINH->SetFocus();
}

void TfrmRec::ButFecharClick(TObject*) { Close(); }

void TfrmRec::FormClose(TObject*, TCloseAction&) {
  ProcessaTotaisMovimento();
  if (frmMov) frmMov->PainelResumo();
}
