#include "app/uFechaRegras.h"
#include "app/PixPayload.h"
#include "app/uFunc.h"
#include "platform/data/FDConnection.h"
#include "platform/data/FDDataSet.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/StrUtils.h"
#include <cmath>

namespace {

TVerificacaoFechamento Recusa(TCampoFechamento campo, const char16_t* mensagem, int tipo) {
  return TVerificacaoFechamento{campo, mensagem, tipo};
}

// Dates of the edits carry no time, but compare whole days all the same.
bool Anterior(TDateTime data, TDateTime abertura) { return std::floor(data) < std::floor(abertura); }

}  // namespace

bool DataInformada(StringView texto) {
  for (char16_t c : texto)
    if (c != u' ' && c != u'_' && c != FormatSettings.DateSeparator) return true;
  return false;
}

TVerificacaoFechamento VerificaFechamento(const TEntradaFechamento& entrada) {
  using C = TCampoFechamento;
  if (!DataInformada(entrada.Fechamento))
    return Recusa(C::Fechamento, u"Necessário informar a Data do Fechamento!", 2);
  if (Anterior(StrToDate(entrada.Fechamento), entrada.Abertura))
    return Recusa(C::Fechamento, u"Data de Fechamento inferior a Data de Abertura!", 1);
  if (!DataInformada(entrada.Credito))
    return Recusa(C::Credito, u"Necessário informar a Data do Crédito para a concessionária!", 2);
  if (Anterior(StrToDate(entrada.Credito), entrada.Abertura))
    return Recusa(C::Credito, u"Data do Crédito inferior a Data de Abertura!", 1);
  if (!entrada.PIX && entrada.Documento.empty())
    return Recusa(C::Documento,
                  u"Necessário informar o Código de Barras do Documento de Crédito (boleto) para a Concessionária!", 2);
  if (entrada.PIX && Trim(entrada.Documento).size() < static_cast<size_t>(TamanhoMinimoIdentificadorPIX))
    return Recusa(C::Documento, u"Necessário informar o Nº do Identificador ou Descrição PIX!", 2);
  // The edit stops typing at the column's size; a text put there some other
  // way must not reach the server to be refused or cut.
  if (entrada.Documento.size() > static_cast<size_t>(TamanhoMaximoDocumento))
    return Recusa(C::Documento,
                  entrada.PIX ? u"O Nº do Identificador ou Descrição PIX pode ter no máximo 47 caracteres!"
                              : u"O Código de Barras do Documento de Crédito (boleto) pode ter no máximo 47 caracteres!",
                  1);
  return {};
}

String IdentificadorPIXPadrao(StringView cnpj, TDateTime abertura) { return FormataReferenciaPIX(cnpj, abertura); }

TGravacaoFechamento GravaFechamentoMovimento(TFDQuery& query, const TEntradaFechamento& entrada,
                                             const String& agente, TDateTime momento) {
  const String fechamento = QuotedSQL(RetornaDataSQL(StrToDate(entrada.Fechamento)));
  const String credito = QuotedSQL(RetornaDataSQL(StrToDate(entrada.Credito)));
  const String doMovimento =
      u" WHERE ABERTURA = " + QuotedSQL(RetornaDataSQL(entrada.Abertura)) + u" AND COD_AGENTE = " + QuotedSQL(agente);
  TFDConnection& conexao = *query.Connection();
  conexao.StartTransaction();
  try {
    query.Close();
    query.SQL().SetText(u"SELECT * FROM MOVIMENTOS" + doMovimento + u" FOR UPDATE");
    query.Open();
    const bool existe = !query.IsEmpty();
    const bool fechado = existe && !query.FieldByName(u"FECHAMENTO")->IsNull();
    query.Close();
    if (!existe || fechado) {
      conexao.Rollback();
      return existe ? TGravacaoFechamento::JaFechado : TGravacaoFechamento::Inexistente;
    }
    TStringList& sql = query.SQL();
    sql.Clear();
    sql.Add(u"UPDATE MOVIMENTOS SET");
    sql.Add(u" FECHAMENTO = " + fechamento);
    sql.Add(u", CREDITO = " + credito);
    sql.Add(u", CODIGOBARRAS = " + QuotedSQL(entrada.Documento));
    sql.Add(u", HORA = " + QuotedSQL(FormatDateTime(u"hhnnss", momento)));
    sql.Add(u" WHERE ABERTURA = " + QuotedSQL(RetornaDataSQL(entrada.Abertura)));
    sql.Add(u" AND COD_AGENTE = " + QuotedSQL(agente));
    sql.Add(u" AND FECHAMENTO IS NULL");
    query.ExecSQL();
    conexao.Commit();
  } catch (...) {
    try {
      if (conexao.InTransaction()) conexao.Rollback();
    } catch (const Exception&) {
      // The first failure is the one to report.
    }
    throw;
  }
  return TGravacaoFechamento::Gravado;
}
