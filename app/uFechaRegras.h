#pragma once
// The closing of a movement apart from its window: the checks of what the
// operator entered, the default PIX identifier, and the one UPDATE that
// records the closing.
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/String.h"
#include <cstdint>

class TFDQuery;

// Shortest PIX identifier the utility accepts, and the room of the
// movement's CODIGOBARRAS column.
inline constexpr int TamanhoMinimoIdentificadorPIX = 25;
inline constexpr int TamanhoMaximoDocumento = 47;

// What the closing form holds when the operator saves.
struct TEntradaFechamento {
  TDateTime Abertura = 0;  // ABERTURA of the movement
  String Fechamento;       // texts of the two date edits, "dd/mm/yyyy"; blanks
  String Credito;          // and separators only when nothing was entered
  String Documento;        // boleto bar code or PIX identifier, as typed
  bool PIX = true;
};

// The edit the operator is sent back to.
enum class TCampoFechamento { Nenhum, Fechamento, Credito, Documento };

struct TVerificacaoFechamento {
  TCampoFechamento Campo = TCampoFechamento::Nenhum;
  String Mensagem;  // shown with ExibeMensagem kind Tipo
  int Tipo = 0;
  bool Aceita() const { return Campo == TCampoFechamento::Nenhum; }
};

// Whether a date edit's text holds anything besides blanks and separators.
bool DataInformada(StringView texto);

// The first check that fails, in the order the operator fills the form.
// A date text that holds something but is no date raises EConvertError.
TVerificacaoFechamento VerificaFechamento(const TEntradaFechamento& entrada);

// The agent's CNPJ and the opening date "ddmmyyyy", zero-filled on the left
// to 25 characters: the same reference the PIX payload carries.
String IdentificadorPIXPadrao(StringView cnpj, TDateTime abertura);

enum class TGravacaoFechamento {
  Gravado,
  Inexistente,  // the movement is no longer there: nothing written
  JaFechado,    // another closing came first: its dates and document stay
};

// In one transaction on the query's connection: holds the agent's movement
// of that opening date and, only while it is open, writes the closing
// (HORA is `momento` as "hhmmss"). Raises on failure, with nothing written.
TGravacaoFechamento GravaFechamentoMovimento(TFDQuery& query, const TEntradaFechamento& entrada,
                                             const String& agente, TDateTime momento);
