#include "app/uRec.h"
#include "app/uDM.h"
#include "app/uFunc.h"
#include "platform/data/FDConnection.h"
#include "platform/data/FDDataSet.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumUtils.h"
#include "platform/rtl/StrUtils.h"

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

const char16_t* const FalhaGravacao = u"Ocorreu uma falha na tentativa de gravação dos dados! ";

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
  // The last number in text order is the highest, as numbers are six
  // digits; the unique key of agent and number hands it over at once.
  TFDQuery& q = *FDM.QrRecebimentos;
  try {
    q.Close();
    q.SQL().SetText(u"SELECT * FROM RECEBIMENTOS WHERE COD_AGENTE = " + QuotedSQL(agente) +
                    u" ORDER BY CUPOM DESC LIMIT 1");
    q.Open();
    cupom = q.IsEmpty() ? String(u"000001")
                        : PreencheZerosEsquerda(6, IntToStr(StrToInt(Trim(q.FieldByName(u"CUPOM")->AsString())) + 1));
    return true;
  } catch (const Exception&) {
    mensagem = u"Não foi possível buscar próximo número de cupom!";
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

void TRecebimentoContas::TravaMovimento(TDateTime movimento, const String& agente) {
  // Holding the movement's row serialises the workstations that record
  // into it, so each one sums the receipts the others have committed.
  TFDQuery& q = *FDM.QrMovimentos;
  q.Close();
  q.SQL().SetText(u"SELECT * FROM MOVIMENTOS WHERE ABERTURA = " + DataSQL(movimento) + u" AND COD_AGENTE = " +
                  QuotedSQL(agente) + u" FOR UPDATE");
  q.Open();
  const bool existe = !q.IsEmpty();
  q.Close();
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

TTotaisMovimento TRecebimentoContas::GravaTotais(TDateTime movimento, const String& agente) {
  // The payment and reversal marks count only when exactly as the program
  // writes them.
  FSoma->Close();
  FSoma->SQL().SetText(
      u"SELECT COUNT(*), "
      u"COALESCE(SUM(CASE WHEN CAST(CHQ_DINH AS BINARY) = 'Dinheiro' THEN VALOR ELSE 0 END), 0), "
      u"COALESCE(SUM(CASE WHEN CAST(CHQ_DINH AS BINARY) = 'Cheque' THEN VALOR ELSE 0 END), 0) "
      u"FROM RECEBIMENTOS WHERE RECEBIMENTO = " +
      DataSQL(movimento) + u" AND CAST(ESTORNADO AS BINARY) = 'N' AND COD_AGENTE = " + QuotedSQL(agente));
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
      TravaMovimento(conta.Movimento, conta.Agente);
      InsereRecebimento(conta, resultado.Valor);
      GravaTotais(conta.Movimento, conta.Agente);
    });
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
    TravaMovimento(movimento, agente);
    totais = GravaTotais(movimento, agente);
  });
  return totais;
}

void TRecebimentoContas::ExcluiRecebimento(int id, TDateTime movimento, const String& agente, bool& naExclusao) {
  naExclusao = false;
  EmTransacao([&] {
    TravaMovimento(movimento, agente);
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
