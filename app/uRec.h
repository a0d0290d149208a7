#pragma once
// Bill receipt. TRecebimentoContas records one bill: the checks of its line,
// amount and duplicates, then the receipt row and the movement's totals in
// one transaction. The receipt window and the benchmark both record through
// it, so what is measured is what the counter runs.
#include "app/BillLine.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/String.h"
#include "platform/ui/Forms.h"
#include <memory>

class TDM;
class TFDQuery;

// Why a bill was not recorded, in the order the checks run.
enum class TRecusaRecebimento {
  Nenhuma,                // recorded
  SemConta,               // no line entered: nothing happens
  LinhaDigitadaInvalida,  // the typed line differs from its recomputation
  QuantidadeDigitos,      // the line is shorter than 48 digits
  CodigoFebraban,         // the company code is not the utility's
  ValorInferior,          // less received than the bill's value
  CupomRecebido,          // the receipt number is taken
  CodigoBarrasRecebido,   // the agent received this line before
  FalhaValidacao,         // the duplicate search failed
  MovimentoFechado,       // the movement was closed or removed meanwhile; nothing was written
  FalhaGravacao,          // the insert or the totals failed; nothing was written
};

// A bill as the receipt window holds it when the operator records it.
struct TContaRecebida {
  TDateTime Movimento = 0;  // opening date of the movement (DataMovimento)
  String Cupom;
  String Linha;             // the 48-digit line; empty while no bill is entered
  bool Digitada = false;    // typed mode: the line is checked against the blocks
  TBlocosLinha Blocos;      // typed mode: the four block edits as they stand
  String Pagamento;         // "Dinheiro" or "Cheque"
  double Recebido = 0;
  String Usuario;
  String Agente;
  String CodConc;           // the utility's Febraban company code
};

struct TResultadoRecebimento {
  TRecusaRecebimento Recusa = TRecusaRecebimento::Nenhuma;
  // What to tell the operator (ExibeMensagem kind Tipo); empty: nothing.
  String Mensagem;
  int Tipo = 0;
  // The bill's value, once it could be read from the line.
  bool ValorLido = false;
  double Valor = 0;
  bool Gravado() const { return Recusa == TRecusaRecebimento::Nenhuma; }
};

struct TTotaisMovimento {
  int Quantidade = 0;
  double Dinheiro = 0;
  double Cheque = 0;
};

class TRecebimentoContas {
public:
  // Works through the data module's connection and query data sets.
  explicit TRecebimentoContas(TDM& dm);
  ~TRecebimentoContas();
  TRecebimentoContas(const TRecebimentoContas&) = delete;
  TRecebimentoContas& operator=(const TRecebimentoContas&) = delete;

  // The agent's next receipt number, six digits, never issued before.
  // False, with the message to show in `mensagem`, when it cannot be read
  // (a receipt must not start with a number guessed as "000001") or when
  // the agent has issued the last six-digit number.
  bool ProximoCupom(const String& agente, String& cupom, String& mensagem);

  // Checks the bill and records it. Whatever fails leaves the database as
  // it was.
  TResultadoRecebimento Grava(const TContaRecebida& conta);

  // Recomputes the totals of the agent's movement of that date from its
  // stored receipts (those with ESTORNADO "N"; the bill value counts) and
  // writes them into the movement, in one transaction. Raises on failure,
  // with nothing written.
  TTotaisMovimento ProcessaTotais(TDateTime movimento, const String& agente);
  // "Processar Movimento": the same guard, but every stored receipt of the
  // date counts, whatever its ESTORNADO.
  TTotaisMovimento ProcessaMovimento(TDateTime movimento, const String& agente);

  // Deletes one receipt by its row and rewrites the movement's totals, in
  // one transaction. Raises on failure, with nothing written; `naExclusao`
  // tells whether the delete itself failed.
  void ExcluiRecebimento(int id, TDateTime movimento, const String& agente, bool& naExclusao);

private:
  TResultadoRecebimento VerificaConta(const TContaRecebida& conta) const;
  TResultadoRecebimento ValidaRecebimento(const TContaRecebida& conta);
  void InsereRecebimento(const TContaRecebida& conta, double valor);
  enum class TExigencia { Existente, Aberto };
  void TravaMovimento(TDateTime movimento, const String& agente, TExigencia exigencia);
  TTotaisMovimento GravaTotais(TDateTime movimento, const String& agente, bool soNaoEstornados = true);
  // The first receipt of the agent with this line: true and its date and
  // number; raises when the search fails.
  bool BuscaLinhaRecebida(const String& linha, const String& agente, TDateTime& data, String& cupom);
  template <class F>
  void EmTransacao(F&& trabalho);

  TDM& FDM;
  std::unique_ptr<TFDQuery> FSoma;
};

// Message texts the window and the tests share.
String MensagemCodigoFebraban(const String& codigoLinha, const String& codConc);
String MensagemCodigoBarrasRecebido(TDateTime data, const String& cupom);

// ---------------------------------------------------------------- the window

class TCheckBox;
class TCurrencyEdit;
class TEdit;
class TGroupBox;
class TDBImage;
class TLabel;
class TListBox;
class TMainMenu;
class TMemo;
class TMenuItem;
class TRadioButton;
class TRadioGroup;
class TButton;
class TStatusBar;

// The receipt window: the operator starts a receipt, enters the bill by
// reader or by typing its line, chooses cash or cheque, enters the amount
// received and records it into the movement of DataMovimento.
class TfrmRec : public TForm {
public:
  explicit TfrmRec(TComponent* AOwner);
  ~TfrmRec() override;

  // Opens a new receipt window, modally, for DataMovimento.
  static void AbreFormRec();
  // Recomputes and writes the totals of the movement of DataMovimento; a
  // failure is reported. True when they were written.
  static bool ProcessaTotaisMovimento();
  // Prints the receipt just recorded at once, without a dialog.
  static void ImprimeCupomRecebido(const String& cupom, TDateTime data);

  // Whether "Valor Recebido" takes the bill's value (asked when shown).
  bool PreencheRecebido = false;

  TGroupBox* GroupBoxFuncoes;
  TLabel* LabelFuncoes;
  TGroupBox* GroupBoxCBA;
  TRadioButton* RadioButtonCBA;
  TEdit* EditCODBARRAS;
  TGroupBox* GroupBoxCBD;
  TRadioButton* RadioButtonCBD;
  TEdit* EditRN[4];
  TEdit* EditDV[4];
  TLabel* LabelParte[4];
  TLabel* LabelPARTE[4];
  TRadioGroup* RadioGroupCHQ_DINH;
  TListBox* ListBoxCONTA;
  TDBImage* ImageLOGOTIPO;
  TLabel* LabelCUPOM;
  TEdit* EditCUPOM;
  TLabel* LabelVALOR;
  TCurrencyEdit* EditVALOR;
  TLabel* LabelRECEBIDO;
  TCurrencyEdit* EditRECEBIDO;
  TLabel* LabelTROCO;
  TCurrencyEdit* EditTROCO;
  TGroupBox* GroupBoxQT_VR_TOT;
  TCheckBox* CheckBoxQT_VR_TOT;
  TMemo* PanelQT_VR_TOT;
  TLabel* LabelVersao;
  TButton* ButNovo;
  TButton* ButGravar;
  TButton* ButCancelar;
  TButton* ButFechar;
  TStatusBar* StatusBar1;
  TMainMenu* MainMenu1;
  TMenuItem* MnuOpcoes;
  TMenuItem* MnuNovo;
  TMenuItem* MnuGravar;
  TMenuItem* MnuCancelar;
  TMenuItem* MnuLeitora;
  TMenuItem* MnuDigitacao;
  TMenuItem* MnuCalculadora;
  TMenuItem* MnuSair;

  void FormShow(TObject* Sender);
  void FormKeyPress(TObject* Sender, char16_t& Key);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void ButNovoClick(TObject* Sender);
  void ButGravarClick(TObject* Sender);
  void ButCancelarClick(TObject* Sender);
  void ButFecharClick(TObject* Sender);
  void C1Click(TObject* Sender);  // calculator
  void L1Click(TObject* Sender);  // reader mode
  void N6Click(TObject* Sender);  // typed mode
  void EditCODBARRASKeyPress(TObject* Sender, char16_t& Key);
  void EditCODBARRASExit(TObject* Sender);
  void EditRNChange(int bloco);
  void EditRNExit(int bloco);
  void EditDVChange(int bloco);
  void EditRECEBIDOEnter(TObject* Sender);
  void EditRECEBIDOChange(TObject* Sender);
  void CheckBoxQT_VR_TOTClick(TObject* Sender);

private:
  void CriaMenu();
  void CriaControles();
  void CriaBotoes();
  void GravaRecebimento();
  // Steps of a new receipt but the focus; false when no number was drawn.
  bool IniciaRecebimento();
  bool RecebimentoIniciado() const;
  void MontaLinhaDigitada();
  void AtualizaTotais();
  void LimpaCampos();
  void LimpaValores();
  void HabilitaRecebimento();
  void DesabilitaRecebimento();
  void HabilitaLeitora();
  void DesabilitaLeitora();
  void HabilitaDigitacao();
  void DesabilitaDigitacao();
  void AposGravacao();
  String Linha() const;
  void MostraValor(double valor);

  std::unique_ptr<TRecebimentoContas> FRecebimento;
  // Guards the block and check-digit handlers while they change edits.
  bool FTratandoBloco[4] = {};
  bool FTratandoDigito[4] = {};
};
