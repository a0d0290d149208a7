#include "support/TestDatabase.h"
#include "platform/data/FDDataSet.h"
#include <cstdlib>

namespace {
String Env(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return Utf8ToString(value ? value : fallback);
}

TFDConnection& Shared() {
  static std::unique_ptr<TFDConnection> connection;
  if (!connection) connection = TestDatabase::Connect();
  if (!connection->Connected()) connection->Open();
  return *connection;
}

const char16_t* const ResetScript[] = {
    u"TRUNCATE TABLE usuario",
    u"TRUNCATE TABLE concessionaria",
    u"TRUNCATE TABLE agentes",
    u"TRUNCATE TABLE movimentos",
    u"TRUNCATE TABLE recebimentos",
    u"TRUNCATE TABLE cupons",
    u"INSERT INTO concessionaria (RAZAO_SOCIAL, ENDERECO, BAIRRO, MUNICIPIO, UF, CEP, FONE, CNPJ, "
    u"TIPO_INSCRICAO, INSCRICAO, NOME_EMPREGADOR, CARGO_EMPREGADOR, EMAIL, COD_CONC, "
    u"DOC_CREDENCIAMENTO, JUROS, MULTA, PRAZO) VALUES ('COMPANHIA DE SANEAMENTO TESTE', "
    u"'RUA DAS AGUAS 100', 'CENTRO', 'S\u00E3o Paulo', 'SP', '01001000', '1133334444', "
    u"'11222333000181', 'E', '123456789012', 'JOSE DA SILVA', 'DIRETOR', 'contato@saneamento.test', "
    u"'0123', 'CRED-2024-001', 1, 2, 30)",
    u"INSERT INTO agentes (RAZAO_SOCIAL, COD_AGENTE, NOME_FANTASIA, ENDERECO, NRO, BAIRRO, "
    u"MUNICIPIO, UF, CEP, FONE, CNPJ, TIPO_INSCRICAO, INSCRICAO, GNF, MOEDA, IMPRIMIR_CUPOM) VALUES "
    u"('AGENTE UM LTDA', '001', 'LOJA UM', 'AVENIDA BRASIL', '1500', 'JARDIM', 'CAMPINAS', 'SP', "
    u"'13010000', '1932325555', '11444777000161', 'M', '98765', '1', 'R$', 0), "
    u"('AGENTE DOIS LTDA', '002', 'LOJA DOIS', 'RUA XV', '20', 'CENTRO', 'SANTOS', 'SP', "
    u"'11010000', '1332326666', '04252011000110', 'E', '55555', '2', 'R$', 1)",
    u"INSERT INTO usuario (SENHA, NOME, NIVEL, EMAIL, COD_AGENTE) VALUES "
    u"('00', 'ADMIN', 'Gerencial', 'admin@um.test', '001'), "
    u"('00', 'CAIXA', 'Funcional', 'caixa@um.test', '001'), "
    u"('00', 'ADMIN', 'Gerencial', 'admin@dois.test', '002')",
    u"INSERT INTO movimentos (ABERTURA, FECHAMENTO, CREDITO, QUANTIDADE, DINHEIRO, CHEQUE, "
    u"CODIGOBARRAS, HORA, USUARIO, COD_AGENTE) VALUES "
    u"('2024-03-04', '2024-03-04', '2024-03-05', 2, 50.00, 25.50, "
    u"'0001144477700016104032024', '180000', 'ADMIN', '001'), "
    u"('2024-03-05', NULL, NULL, 2, 123.45, 80.00, NULL, NULL, 'CAIXA', '001'), "
    u"('2024-03-05', NULL, NULL, 1, 10.00, 0, NULL, NULL, 'ADMIN', '002')",
    u"INSERT INTO recebimentos (RECEBIMENTO, CUPOM, HORA, VALOR, TROCO, CHQ_DINH, CODIGOBARRAS, "
    u"ESTORNADO, USUARIO, COD_AGENTE, INSCRICAO) VALUES "
    u"('2024-03-04', '000001', '090000', 50.00, 0, 'Dinheiro', "
    u"'836200000005500001230001000000000017000000000017', 'N', 'ADMIN', '001', '0000000000001'), "
    u"('2024-03-04', '000002', '091500', 25.50, 0, 'Cheque', "
    u"'836000000002550001230002000000000026000000000025', 'N', 'ADMIN', '001', '0000000000002'), "
    u"('2024-03-05', '000003', '100000', 123.45, 6.55, 'Dinheiro', "
    u"'826100000015234501230002012345678903123000000000', 'N', 'CAIXA', '001', '1234567890123'), "
    u"('2024-03-05', '000004', '101500', 80.00, 0, 'Cheque', "
    u"'836000000008800001230004000000000044000000000042', 'N', 'CAIXA', '001', '0000000000004'), "
    u"('2024-03-05', '000001', '110000', 10.00, 0, 'Dinheiro', "
    u"'836000000001000001230005000000000050000000000051', 'N', 'ADMIN', '002', '0000000000005')",
};
}  // namespace

String TestDatabase::ConnectionParams() {
  return u"Server=" + Env("BRQ_DB_HOST", "127.0.0.1") + u"\r\nUser_Name=" + Env("BRQ_DB_USER", "root") +
         u"\r\nPassword=" + Env("BRQ_DB_PASSWORD", "") + u"\r\nDatabase=dbvorlent\r\nPort=" +
         Env("BRQ_DB_PORT", "3306") + u"\r\nDriverID=MySQL";
}

void TestDatabase::Configure(TFDConnection& connection) {
  connection.SetLoginPrompt(false);
  connection.Params().SetText(ConnectionParams());
}

std::unique_ptr<TFDConnection> TestDatabase::Connect() {
  auto connection = std::make_unique<TFDConnection>(nullptr);
  Configure(*connection);
  connection->Open();
  return connection;
}

void TestDatabase::Reset() {
  TFDConnection& connection = Shared();
  if (connection.InTransaction()) connection.Rollback();
  for (const char16_t* sql : ResetScript) connection.ExecSQL(sql);
}

int64_t TestDatabase::Exec(const String& sql) { return Shared().ExecSQL(sql); }

String TestDatabase::Scalar(const String& sql) {
  TFDQuery query(nullptr);
  query.SetConnection(&Shared());
  query.SQL().SetText(sql);
  query.Open();
  if (query.IsEmpty() || query.FieldCount() == 0) return String();
  return query.Fields()[0]->AsString();
}
