#pragma once
// The data module: the connection to the shared database, the five tables
// of schema dbvorlent with their fields, the query data sets the windows
// reuse for their SQL texts, the calculated fields and the checks before
// posting. Fields are reached by name (DM->Recebimentos->FieldByName(...)).
#include "platform/classes/Component.h"
#include "platform/data/DataSource.h"
#include "platform/data/FDConnection.h"
#include "platform/data/FDDataSet.h"

class TCustomIniFile;

class TDM : public TComponent {
public:
  explicit TDM(TComponent* AOwner);
  ~TDM() override;

  TFDConnection* FDConexao;
  TFDPhysMySQLDriverLink* FDPhysMySQLDriverLink1;
  TFDGUIxWaitCursor* FDGUIxWaitCursor1;

  TFDTable* Usuarios;
  TFDTable* Concessionaria;
  TFDTable* Agentes;
  TFDTable* Movimentos;
  TFDTable* Recebimentos;
  TDataSource* DsUsuarios;
  TDataSource* DsConcessionaria;
  TDataSource* DsAgentes;
  TDataSource* DsMovimentos;
  TDataSource* DsRecebimentos;

  TFDQuery* QrRecebimentos;
  TFDQuery* QrMovimentos;
  TFDQuery* QrUsuarios;
  TFDQuery* QrRecepcao;
  TDataSource* DsQrRecebimentos;
  TDataSource* DsQrMovimentos;
  TDataSource* DsQrUsuarios;
  TDataSource* DsQrRecepcao;

  // Connects with the parameters of section BANCO of the configuration
  // (four of them deciphered) and opens the tables, every one but the
  // utility's filtered to the agent's rows. Raises on any failure, after
  // closing whatever it had opened.
  void Conecta(const TCustomIniFile& configuracao, const String& codigoAgente, const String& pastaPrograma);
  // Discards the pending cached updates of each table, closes it, and
  // disconnects.
  void Desconecta();

  // Next receipt number, six digits: the last row's field plus one, or
  // "000001" when the query returns nothing.
  String BuscaNrCupom(TFDQuery* Query, const String& Campo, const String& SQL);
  static String RetornaDescrInscricao(const String& Tipo);
  // True when the SQL returns at least one row; on failure a message and
  // false.
  bool RegistroDuplicado(TFDQuery* Query, const String& SQL);
  String BuscaProximoCodigo(TFDTable* Tabela, const String& Campo, const String& Indices, int Tamanho);
  String BuscaProximoCodigoSemZero(TFDTable* Tabela, const String& Campo, int Tamanho);

  // "COD_AGENTE = '<code>'", quotes inside doubled.
  static String FiltroAgente(const String& codigoAgente);

private:
  void CriaTabelas();
  void CriaConsultas();
  void RecebimentosCalcFields(TDataSet* DataSet);
  void MovimentosCalcFields(TDataSet* DataSet);
  void InscricaoCalcFields(TDataSet* DataSet);
  void RecebimentosBeforePost(TDataSet* DataSet);
  void MovimentosBeforePost(TDataSet* DataSet);
};

// Created by the main window when it opens the database; owned by the
// application.
extern TDM* DM;
