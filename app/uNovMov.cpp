#include "app/uNovMov.h"
#include "app/uDM.h"
#include "app/uFunc.h"
#include "platform/data/FDConnection.h"
#include "platform/data/FDDataSet.h"
#include "platform/rtl/Exceptions.h"

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

// The checks and the insert of one agent run one workstation at a time,
// under a lock of the server named after the agent.
class TTravaAgente {
public:
  TTravaAgente(TFDConnection& conexao, const String& agente)
      : FConsulta(nullptr), FNome(QuotedSQL(u"dbvorlent.movimentos." + agente)) {
    FConsulta.SetConnection(&conexao);
    FConsulta.SQL().SetText(u"SELECT GET_LOCK(" + FNome + u", 30)");
    FConsulta.Open();
    const bool obtida = FConsulta.Fields()[0]->AsInteger() == 1;
    FConsulta.Close();
    if (!obtida) throw EDatabaseError(u"Outro terminal está abrindo um movimento deste agente.");
  }
  ~TTravaAgente() {
    try {
      FConsulta.SQL().SetText(u"SELECT RELEASE_LOCK(" + FNome + u")");
      FConsulta.Open();
      FConsulta.Close();
    } catch (const Exception&) {
      // A lost connection releases it as well.
    }
  }
  TTravaAgente(const TTravaAgente&) = delete;
  TTravaAgente& operator=(const TTravaAgente&) = delete;

private:
  TFDQuery FConsulta;
  String FNome;
};

}  // namespace

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
    q.Close();
    q.SQL().SetText(u"INSERT INTO MOVIMENTOS \r\n(ABERTURA, USUARIO, COD_AGENTE) VALUES (\r\n" + dataSQL + u", \r\n" +
                    QuotedSQL(usuario) + u", \r\n" + QuotedSQL(agente) + u"\r\n)");
    q.ExecSQL();
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
