#include "app/uDM.h"
#include "app/uFunc.h"
#include "platform/classes/IniFiles.h"
#include "platform/data/Field.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumUtils.h"
#include "platform/rtl/StrUtils.h"

TDM* DM = nullptr;

namespace {

const String FormatoValor = u"#,###,##0.00";
const String FormatoEdicaoValor = u"#0.00";
const String MascaraHora = u"!99:99:99;0;_";
const String MascaraFone = u"!(99)9999-9999;0;_";
const String MascaraCNPJ = u"!99.999.999/9999-99;0;_";
const String MascaraLinha = u"!99999999999-9 99999999999-9 99999999999-9 99999999999-9;0;_";
const String MascaraInscricao = u"!99.9.999.9999.999;0;_";

// One persistent field of a data set, owned by the data module.
template <class F, class... Args>
F* Campo(TComponent* dono, TDataSet* dataSet, const String& nome, const String& rotulo, Args... args) {
  auto* campo = new F(dono, args...);
  campo->SetFieldName(nome);
  if (!rotulo.empty()) campo->SetDisplayLabel(rotulo);
  campo->SetDataSet(dataSet);
  return campo;
}

TStringField* Texto(TComponent* dono, TDataSet* ds, const String& nome, int tamanho, const String& rotulo = {}) {
  return Campo<TStringField>(dono, ds, nome, rotulo, tamanho);
}

TFloatField* Valor(TComponent* dono, TDataSet* ds, const String& nome, const String& rotulo) {
  auto* campo = Campo<TFloatField>(dono, ds, nome, rotulo);
  campo->SetDisplayFormat(FormatoValor);
  campo->SetEditFormat(FormatoEdicaoValor);
  return campo;
}

TDateField* Data(TComponent* dono, TDataSet* ds, const String& nome, const String& rotulo) {
  auto* campo = Campo<TDateField>(dono, ds, nome, rotulo);
  campo->SetDisplayFormat(u"dd/mm/yyyy");
  return campo;
}

void Chave(TField* campo) { campo->SetProviderFlags(campo->ProviderFlags() | pfInKey); }

void Oculto(TField* campo) { campo->SetVisible(false); }

void Calculado(TField* campo) { campo->SetFieldKind(fkCalculated); }

// The fields of table recebimentos, shared by the table and its query.
void CamposRecebimentos(TComponent* dono, TDataSet* ds, bool comRotulos) {
  auto rotulo = [&](const char16_t* texto) { return comRotulos ? String(texto) : String(); };
  auto* id = Campo<TAutoIncField>(dono, ds, u"ID", String());
  Chave(id);
  auto* recebimento = Data(dono, ds, u"RECEBIMENTO", rotulo(u"Recebimento"));
  recebimento->SetRequired(true);
  Chave(recebimento);
  auto* cupom = Texto(dono, ds, u"CUPOM", 6, rotulo(u"Nº Cupom"));
  cupom->SetRequired(true);
  Chave(cupom);
  Texto(dono, ds, u"HORA", 6, rotulo(u"Hora"))->SetEditMask(MascaraHora);
  Valor(dono, ds, u"VALOR", rotulo(u"Valor da Conta"));
  Calculado(Valor(dono, ds, u"RECEBIDO", rotulo(u"Valor Recebido")));
  Valor(dono, ds, u"TROCO", rotulo(u"Troco"));
  Texto(dono, ds, u"CHQ_DINH", 8, rotulo(u"Chq/Dinh"));
  Texto(dono, ds, u"CODIGOBARRAS", 48, rotulo(u"Código de Barras"))->SetEditMask(MascaraLinha);
  Oculto(Texto(dono, ds, u"ESTORNADO", 1, rotulo(u"Estornado")));
  Texto(dono, ds, u"USUARIO", 30, rotulo(u"Usuário"));
  Texto(dono, ds, u"COD_AGENTE", 3, rotulo(u"Agente"));
  Texto(dono, ds, u"INSCRICAO", 13, rotulo(u"Nº Inscrição"))->SetEditMask(MascaraInscricao);
}

TDataSource* Fonte(TComponent* dono, TDataSet* ds) {
  auto* fonte = new TDataSource(dono);
  fonte->SetDataSet(ds);
  return fonte;
}

}  // namespace

TDM::TDM(TComponent* AOwner) : TComponent(AOwner) {
  FDConexao = new TFDConnection(this);
  FDConexao->SetLoginPrompt(false);
  FDPhysMySQLDriverLink1 = new TFDPhysMySQLDriverLink(this);
  FDGUIxWaitCursor1 = new TFDGUIxWaitCursor(this);
  CriaTabelas();
  CriaConsultas();
}

TDM::~TDM() {
  if (DM == this) DM = nullptr;
}

void TDM::CriaTabelas() {
  auto tabela = [&](const String& nome, const String& indice) {
    auto* t = new TFDTable(this);
    t->SetConnection(FDConexao);
    t->SetTableName(nome);
    t->SetIndexFieldNames(indice);
    t->SetCachedUpdates(true);
    return t;
  };

  Usuarios = tabela(u"dbvorlent.usuario", u"SENHA");
  {
    auto* id = Campo<TAutoIncField>(this, Usuarios, u"ID", String());
    Chave(id);
    Oculto(id);
    auto* senha = Texto(this, Usuarios, u"SENHA", 50, u"Senha");
    senha->SetRequired(true);
    Chave(senha);
    Oculto(senha);
    Texto(this, Usuarios, u"NOME", 30, u"Nome de Usuário")->SetDisplayWidth(20);
    Texto(this, Usuarios, u"NIVEL", 9, u"Nível");
    Texto(this, Usuarios, u"EMAIL", 100, u"Email");
    Texto(this, Usuarios, u"COD_AGENTE", 3, u"Agente");
  }

  Concessionaria = tabela(u"dbvorlent.concessionaria", u"CNPJ");
  {
    TDataSet* ds = Concessionaria;
    Texto(this, ds, u"RAZAO_SOCIAL", 60, u"Razão Social");
    Texto(this, ds, u"ENDERECO", 50, u"Endereço");
    Texto(this, ds, u"BAIRRO", 40, u"Bairro");
    Texto(this, ds, u"MUNICIPIO", 40, u"Município");
    Texto(this, ds, u"UF", 2);
    Texto(this, ds, u"CEP", 8)->SetEditMask(u"!99999-999;0;_");
    Texto(this, ds, u"FONE", 10, u"Fone")->SetEditMask(MascaraFone);
    Texto(this, ds, u"CNPJ", 14)->SetEditMask(MascaraCNPJ);
    Texto(this, ds, u"TIPO_INSCRICAO", 1, u"Tipo");
    Calculado(Texto(this, ds, u"DESC_INSCRICAO", 9, u"Descr.Inscrição"));
    Texto(this, ds, u"INSCRICAO", 12, u"Inscrição");
    Texto(this, ds, u"NOME_EMPREGADOR", 50, u"Nome do Empregador");
    Texto(this, ds, u"CARGO_EMPREGADOR", 40, u"Cargo do Empregador");
    Campo<TGraphicField>(this, ds, u"LOGOTIPO", u"Logotipo");
    Texto(this, ds, u"EMAIL", 150, u"E-Mail");
    Texto(this, ds, u"COD_CONC", 4, u"Cód.Febraban");
    Texto(this, ds, u"DOC_CREDENCIAMENTO", 40, u"Documento de Credenciamento");
    Campo<TFloatField>(this, ds, u"JUROS", u"Juros");
    Campo<TFloatField>(this, ds, u"MULTA", u"Multa");
    Campo<TFloatField>(this, ds, u"PRAZO", u"Prazo");
    ds->OnCalcFields = [this](TDataSet* d) { InscricaoCalcFields(d); };
  }

  Agentes = tabela(u"dbvorlent.agentes", u"CNPJ");
  {
    TDataSet* ds = Agentes;
    Texto(this, ds, u"RAZAO_SOCIAL", 60, u"Razão Social");
    Texto(this, ds, u"COD_AGENTE", 3, u"Cód.");
    Texto(this, ds, u"NOME_FANTASIA", 50, u"Nome Fantasia");
    Texto(this, ds, u"ENDERECO", 50, u"Endereço");
    Texto(this, ds, u"NRO", 10, u"Nº");
    Texto(this, ds, u"BAIRRO", 40, u"Bairro");
    Texto(this, ds, u"MUNICIPIO", 40, u"Município");
    Texto(this, ds, u"UF", 2);
    Texto(this, ds, u"CEP", 8)->SetEditMask(u"!99.999-999;0;_");
    Texto(this, ds, u"FONE", 10, u"Fone")->SetEditMask(MascaraFone);
    Texto(this, ds, u"CNPJ", 14)->SetEditMask(MascaraCNPJ);
    Texto(this, ds, u"TIPO_INSCRICAO", 1, u"Tipo");
    Calculado(Texto(this, ds, u"DESC_INSCRICAO", 9, u"Descr.Inscr."));
    Texto(this, ds, u"INSCRICAO", 12, u"Inscrição");
    Texto(this, ds, u"GNF", 6);
    Texto(this, ds, u"NOME_EMPREGADOR", 50, u"Nome do Empregador");
    Texto(this, ds, u"CARGO_EMPREGADOR", 40, u"Cargo do Empregador");
    Texto(this, ds, u"MOEDA", 3, u"Moeda");
    Texto(this, ds, u"EMAIL", 150, u"E-mail");
    Texto(this, ds, u"PROVEDOR", 50, u"Provedor E-mail");
    Texto(this, ds, u"NOME_USUARIO", 50, u"Login E-mail");
    Texto(this, ds, u"SENHA", 50, u"Senha E-mail");
    Texto(this, ds, u"IMPRESSORA", 8, u"Impressora");
    Campo<TSmallintField>(this, ds, u"IMPRIMIR_CUPOM", u"Imprimir Cupom");
    Texto(this, ds, u"PORTA_SMTP", 10, u"Porta SMTP");
    ds->OnCalcFields = [this](TDataSet* d) { InscricaoCalcFields(d); };
  }

  Movimentos = tabela(u"dbvorlent.movimentos", u"ABERTURA");
  {
    TDataSet* ds = Movimentos;
    Chave(Campo<TAutoIncField>(this, ds, u"ID", String()));
    auto* abertura = Data(this, ds, u"ABERTURA", u"Abertura");
    abertura->SetRequired(true);
    abertura->SetEditMask(u"!99/99/9999;1;_");
    Campo<TDateField>(this, ds, u"FECHAMENTO", u"Fechamento");
    Campo<TDateField>(this, ds, u"CREDITO", u"Crédito");
    Campo<TIntegerField>(this, ds, u"QUANTIDADE", u"Quantidade");
    Valor(this, ds, u"DINHEIRO", u"Total em Dinheiro");
    Valor(this, ds, u"CHEQUE", u"Total em Cheques");
    Calculado(Valor(this, ds, u"TOTAL", u"Total Geral"));
    Texto(this, ds, u"CODIGOBARRAS", 47, u"Código de Barras");
    Texto(this, ds, u"HORA", 6, u"Hora")->SetEditMask(MascaraHora);
    Texto(this, ds, u"USUARIO", 30, u"Usuário");
    Texto(this, ds, u"COD_AGENTE", 3, u"Agente");
    ds->OnCalcFields = [this](TDataSet* d) { MovimentosCalcFields(d); };
    ds->BeforePost = [this](TDataSet* d) { MovimentosBeforePost(d); };
  }
  DsUsuarios = Fonte(this, Usuarios);
  DsConcessionaria = Fonte(this, Concessionaria);
  DsAgentes = Fonte(this, Agentes);
  DsMovimentos = Fonte(this, Movimentos);

  Recebimentos = tabela(u"dbvorlent.recebimentos", u"RECEBIMENTO;CUPOM");
  CamposRecebimentos(this, Recebimentos, true);
  Recebimentos->SetMasterSource(DsMovimentos);
  Recebimentos->SetMasterFields(u"ABERTURA");
  Recebimentos->OnCalcFields = [this](TDataSet* d) { RecebimentosCalcFields(d); };
  Recebimentos->BeforePost = [this](TDataSet* d) { RecebimentosBeforePost(d); };
  DsRecebimentos = Fonte(this, Recebimentos);
}

void TDM::CriaConsultas() {
  auto consulta = [&](const String& sql) {
    auto* q = new TFDQuery(this);
    q->SetConnection(FDConexao);
    q->SQL().SetText(sql);
    return q;
  };

  QrRecebimentos = consulta(u"SELECT * FROM RECEBIMENTOS");
  QrRecebimentos->FetchOptions().SetRowsetSize(1000);
  CamposRecebimentos(this, QrRecebimentos, true);
  QrRecebimentos->OnCalcFields = [this](TDataSet* d) { RecebimentosCalcFields(d); };

  QrMovimentos = consulta(u"SELECT * FROM MOVIMENTOS");
  QrMovimentos->FetchOptions().SetRowsetSize(1000);
  {
    TDataSet* ds = QrMovimentos;
    Chave(Campo<TAutoIncField>(this, ds, u"ID", String()));
    Campo<TDateField>(this, ds, u"ABERTURA", String())->SetRequired(true);
    Campo<TDateField>(this, ds, u"FECHAMENTO", String());
    Campo<TDateField>(this, ds, u"CREDITO", String());
    Campo<TIntegerField>(this, ds, u"QUANTIDADE", String());
    Campo<TFloatField>(this, ds, u"DINHEIRO", String());
    Campo<TFloatField>(this, ds, u"CHEQUE", String());
    Texto(this, ds, u"CODIGOBARRAS", 47);
    Texto(this, ds, u"HORA", 6);
    Texto(this, ds, u"USUARIO", 30);
    Texto(this, ds, u"COD_AGENTE", 3);
  }

  QrUsuarios = consulta(u"SELECT * FROM USUARIO");
  {
    TDataSet* ds = QrUsuarios;
    Chave(Campo<TAutoIncField>(this, ds, u"ID", String()));
    for (const char16_t* nome : {u"SENHA", u"NOME"}) {
      auto* campo = Texto(this, ds, nome, nome == String(u"SENHA") ? 50 : 30);
      campo->SetRequired(true);
      Chave(campo);
    }
    Texto(this, ds, u"EMAIL", 100);
    Texto(this, ds, u"NIVEL", 9);
    Texto(this, ds, u"COD_AGENTE", 3);
  }

  QrRecepcao = consulta(u"SELECT * FROM RECEPCAO");
  {
    TDataSet* ds = QrRecepcao;
    Campo<TAutoIncField>(this, ds, u"ID", String());
    Campo<TDateField>(this, ds, u"ABERTURA", String())->SetRequired(true);
    Campo<TDateField>(this, ds, u"RECEPCAO", String())->SetRequired(true);
    Texto(this, ds, u"USUARIO", 30);
    Texto(this, ds, u"COD_AGENTE", 3);
  }

  DsQrRecebimentos = Fonte(this, QrRecebimentos);
  DsQrMovimentos = Fonte(this, QrMovimentos);
  DsQrUsuarios = Fonte(this, QrUsuarios);
  DsQrRecepcao = Fonte(this, QrRecepcao);
}

String TDM::FiltroAgente(const String& codigoAgente) { return u"COD_AGENTE = " + QuotedSQL(codigoAgente); }

void TDM::Conecta(const TCustomIniFile& configuracao, const String& codigoAgente, const String& pastaPrograma) {
  try {
    FDPhysMySQLDriverLink1->SetVendorLib(pastaPrograma + u"libmysql.dll");
    auto le = [&](const char16_t* chave) { return configuracao.ReadString(u"BANCO", chave, String()); };
    auto decifrado = [&](const char16_t* chave) { return EncriptaDecripta(u"D", le(chave), ChaveCriptografia); };
    TStringList& params = FDConexao->Params();
    params.Clear();
    params.Add(u"Server=" + le(u"Server"));
    params.Add(u"User_Name=" + decifrado(u"User_Name"));
    params.Add(u"Password=" + decifrado(u"Password"));
    params.Add(u"Database=" + decifrado(u"Database"));
    params.Add(u"Port=" + decifrado(u"Port"));
    params.Add(u"DriverID=MySQL");
    FDConexao->Open();

    const String filtro = FiltroAgente(codigoAgente);
    for (TFDTable* tabela : {Usuarios, Concessionaria, Agentes, Movimentos, Recebimentos}) {
      if (tabela != Concessionaria) {
        tabela->SetFilter(filtro);
        tabela->SetFiltered(true);
      }
      tabela->Open();
    }
  } catch (...) {
    // Nothing stays open after a failed start.
    try {
      Desconecta();
    } catch (...) {
    }
    throw;
  }
}

void TDM::Desconecta() {
  // Details first: a detail still open when its master closes asks the
  // server for its rows once more.
  for (TFDTable* tabela : {Recebimentos, Movimentos, Agentes, Concessionaria, Usuarios}) {
    if (tabela->Active()) tabela->CancelUpdates();
    tabela->Close();
  }
  FDConexao->Close();
}

String TDM::BuscaNrCupom(TFDQuery* Query, const String& Campo, const String& SQL) {
  String resultado = u"000001";
  try {
    Query->Close();
    Query->SQL().SetText(SQL);
    Query->Open();
    if (!Query->IsEmpty()) {
      Query->Last();
      resultado = PreencheZerosEsquerda(6, IntToStr(Query->FieldByName(Campo)->AsInteger() + 1));
    }
  } catch (const Exception&) {
    ExibeMensagem(u"Não foi possível buscar próximo número de cupom!", 2);
  }
  return resultado;
}

String TDM::RetornaDescrInscricao(const String& Tipo) {
  if (Tipo == u"M") return u"Municipal";
  if (Tipo == u"E") return u"Estadual";
  return String();
}

bool TDM::RegistroDuplicado(TFDQuery* Query, const String& SQL) {
  try {
    Query->Close();
    Query->SQL().SetText(SQL);
    Query->Open();
    return !Query->IsEmpty();
  } catch (const Exception&) {
    ExibeMensagem(u"Não foi possível verificar a existência de registros na tabela!", 2);
    return false;
  }
}

String TDM::BuscaProximoCodigo(TFDTable* Tabela, const String& Campo, const String& Indices, int Tamanho) {
  Tabela->SetIndexFieldNames(Indices);
  Tabela->Last();
  const String valor = Tabela->FieldByName(Campo)->AsString();
  const int numero = Trim(valor).empty() ? 0 : StrToInt(Trim(valor));
  return PreencheZerosEsquerda(Tamanho, IntToStr(numero + 1));
}

String TDM::BuscaProximoCodigoSemZero(TFDTable* Tabela, const String& Campo, int Tamanho) {
  Tabela->Last();
  const String valor = Tabela->FieldByName(Campo)->AsString();
  const int numero = Trim(valor).empty() ? 0 : StrToInt(Trim(valor));
  return FormataTamanhoTexto(IntToStr(numero + 1), Tamanho);
}

void TDM::RecebimentosCalcFields(TDataSet* DataSet) {
  DataSet->FieldByName(u"RECEBIDO")
      ->SetAsFloat(DataSet->FieldByName(u"VALOR")->AsFloat() + DataSet->FieldByName(u"TROCO")->AsFloat());
}

void TDM::MovimentosCalcFields(TDataSet* DataSet) {
  DataSet->FieldByName(u"TOTAL")
      ->SetAsFloat(DataSet->FieldByName(u"DINHEIRO")->AsFloat() + DataSet->FieldByName(u"CHEQUE")->AsFloat());
}

void TDM::InscricaoCalcFields(TDataSet* DataSet) {
  DataSet->FieldByName(u"DESC_INSCRICAO")
      ->SetAsString(RetornaDescrInscricao(DataSet->FieldByName(u"TIPO_INSCRICAO")->AsString()));
}

void TDM::RecebimentosBeforePost(TDataSet* DataSet) {
  if (DataSet->FieldByName(u"RECEBIMENTO")->IsNull()) {
    ExibeMensagem(u"Necessário informar a Data do Recebimento!", 1);
    DataSet->Cancel();
    return;
  }
  if (DataSet->FieldByName(u"CUPOM")->AsString().empty()) {
    ExibeMensagem(u"Necessário informar o Nº do Cupom!", 1);
    DataSet->Cancel();
  }
}

void TDM::MovimentosBeforePost(TDataSet* DataSet) {
  if (DataSet->FieldByName(u"ABERTURA")->IsNull()) {
    ExibeMensagem(u"Necessário informar a data do movimento!", 1);
    DataSet->Cancel();
  }
}
