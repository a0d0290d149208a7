#pragma once
// The private test database: connection parameters from the BRQ_DB_*
// environment that test.sh sets, and a small known data set that Reset
// loads into schema dbvorlent. Tests that use it belong to suites whose
// name starts with "Db", which ctest runs one at a time.
//
// The data set after Reset:
//  - concessionaria: one utility, COD_CONC "0123" (the company code of
//    TestDatabase::BarCodeLine), MUNICIPIO "São Paulo", CNPJ 11222333000181.
//  - agentes: "001" (RAZAO_SOCIAL "AGENTE UM LTDA", IMPRIMIR_CUPOM 0) and
//    "002" ("AGENTE DOIS LTDA").
//  - usuario: "ADMIN" (Gerencial) and "CAIXA" (Funcional) of agent 001,
//    "ADMIN" (Gerencial) of agent 002. SENHA holds "00", the enciphered
//    empty password; tests that log in store their own.
//  - movimentos: agent 001 on 2024-03-04 (closed: FECHAMENTO 2024-03-04,
//    CREDITO 2024-03-05; 2 receipts, DINHEIRO 50.00, CHEQUE 25.50) and on
//    2024-03-05 (open; 2 receipts, DINHEIRO 123.45, CHEQUE 80.00); agent
//    002 on 2024-03-05 (open; 1 receipt, DINHEIRO 10.00).
//  - recebimentos: agent 001 receipts 000001 (2024-03-04, 50.00 Dinheiro),
//    000002 (2024-03-04, 25.50 Cheque), 000003 (2024-03-05, 123.45
//    Dinheiro, TROCO 6.55, CODIGOBARRAS = BarCodeLine, INSCRICAO
//    1234567890123), 000004 (2024-03-05, 80.00 Cheque); agent 002 receipt
//    000001 (2024-03-05, 10.00 Dinheiro). All ESTORNADO "N".
#include "platform/data/FDConnection.h"
#include <memory>
#include <string>

class TestDatabase {
public:
  static constexpr const char16_t* AgentA = u"001";
  static constexpr const char16_t* AgentB = u"002";
  static constexpr const char16_t* CodConc = u"0123";
  // The 44-digit bar code and its 48-digit typed line.
  static constexpr const char16_t* BarCode = u"82610000001234501230000123456789012300000000";
  static constexpr const char16_t* BarCodeLine = u"826100000015234501230002012345678903123000000000";

  // Name=Value lines for TFDConnection::Params: Server, User_Name,
  // Password, Database (dbvorlent), Port, DriverID.
  static String ConnectionParams();
  // Fills a connection's parameters (login prompt off) without connecting.
  static void Configure(TFDConnection& connection);
  // A new connected connection, owned by the caller.
  static std::unique_ptr<TFDConnection> Connect();

  // Empties the five tables and the receipt counters (auto-increment
  // counters restart) and loads the data set above.
  static void Reset();
  // Runs a statement on the fixture's own connection.
  static int64_t Exec(const String& sql);
  // The first column of the first row as text ("" for NULL or no row).
  static String Scalar(const String& sql);
};
