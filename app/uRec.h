#pragma once
// Bill receipt. TRecebimentoContas records one bill: the checks of its line,
// amount and duplicates, then the receipt row and the movement's totals in
// one transaction. The receipt window and the benchmark both record through
// it, so what is measured is what the counter runs.
#include "app/BillLine.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/String.h"
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

  // The agent's next receipt number, six digits. False, with the message to
  // show in `mensagem`, when it cannot be read: a receipt must not start
  // with a number guessed as "000001".
  bool ProximoCupom(const String& agente, String& cupom, String& mensagem);

  // Checks the bill and records it. Whatever fails leaves the database as
  // it was.
  TResultadoRecebimento Grava(const TContaRecebida& conta);

  // Recomputes the totals of the agent's movement of that date from its
  // stored receipts (those with ESTORNADO "N"; the bill value counts) and
  // writes them into the movement, in one transaction. Raises on failure,
  // with nothing written.
  TTotaisMovimento ProcessaTotais(TDateTime movimento, const String& agente);

  // Deletes one receipt by its row and rewrites the movement's totals, in
  // one transaction. Raises on failure, with nothing written; `naExclusao`
  // tells whether the delete itself failed.
  void ExcluiRecebimento(int id, TDateTime movimento, const String& agente, bool& naExclusao);

private:
  TResultadoRecebimento VerificaConta(const TContaRecebida& conta) const;
  TResultadoRecebimento ValidaRecebimento(const TContaRecebida& conta);
  void InsereRecebimento(const TContaRecebida& conta, double valor);
  void TravaMovimento(TDateTime movimento, const String& agente);
  TTotaisMovimento GravaTotais(TDateTime movimento, const String& agente);
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
