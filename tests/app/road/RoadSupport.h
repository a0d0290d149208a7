#pragma once
// Helpers of the receipt and movement tests: the data module connected to
// the test database as one agent, and bill lines made to measure.
#include "app/BillLine.h"
#include "app/uDM.h"
#include "app/uFunc.h"
#include "platform/classes/IniFiles.h"
#include "platform/rtl/NumUtils.h"
#include "platform/rtl/StrUtils.h"
#include "support/TestDatabase.h"
#include <cstdlib>
#include <memory>

namespace road {

inline String Env(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return Utf8ToString(value ? value : fallback);
}

// A data module of its own, connected as `agente` with every table open.
inline std::unique_ptr<TDM> ConectaDM(const String& agente) {
  TMemIniFile ini(String{});
  auto cifra = [](const String& texto) { return EncriptaDecripta(u"E", texto, ChaveCriptografia); };
  ini.WriteString(u"BANCO", u"Server", Env("BRQ_DB_HOST", "127.0.0.1"));
  ini.WriteString(u"BANCO", u"User_Name", cifra(Env("BRQ_DB_USER", "root")));
  ini.WriteString(u"BANCO", u"Password", cifra(Env("BRQ_DB_PASSWORD", "")));
  ini.WriteString(u"BANCO", u"Database", cifra(u"dbvorlent"));
  ini.WriteString(u"BANCO", u"Port", cifra(Env("BRQ_DB_PORT", "3306")));
  auto dm = std::make_unique<TDM>(nullptr);
  dm->Conecta(ini, agente, String());
  return dm;
}

// The 48-digit line of a bar code of the test utility (company code 0123)
// for a value in cents and a registration number.
inline String Linha(int64_t centavos, int64_t inscricao, const String& empresa = u"0123") {
  String codigo = u"8261" + PreencheZerosEsquerda(11, IntToStr(centavos)) + empresa + u"0000" +
                  PreencheZerosEsquerda(13, IntToStr(inscricao)) + u"00000000";
  String linha;
  LinhaDoCodigoBarras(codigo, linha);
  return linha;
}

// The four blocks of a line (its digits 1-11, 13-23, 25-35, 37-47).
inline TBlocosLinha Blocos(const String& linha) {
  TBlocosLinha blocos;
  for (size_t i = 0; i < 4; ++i) blocos[i] = linha.substr(i * 12, 11);
  return blocos;
}

inline TDateTime Dia(int ano, int mes, int dia) { return EncodeDate(ano, mes, dia); }

inline int Conta(const String& sql) { return StrToInt(TestDatabase::Scalar(sql)); }

}  // namespace road
