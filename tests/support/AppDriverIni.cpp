// Kept apart from the driver: only the application's tests link the
// program's cipher.
#include "app/uFunc.h"
#include "platform/classes/IniFiles.h"
#include "support/AppDriver.h"
#include <cstdlib>

namespace {
String Env(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return Utf8ToString(value ? value : fallback);
}
String Cifra(const String& texto) { return EncriptaDecripta(u"E", texto, ChaveCriptografia); }
}  // namespace

void AppDriver::WriteIniForTestDatabase(const String& codigoAgente, bool versaoAgente) const {
  TIniFile ini(IniPath());
  ini.WriteString(u"BANCO", u"Server", Env("BRQ_DB_HOST", "127.0.0.1"));
  ini.WriteString(u"BANCO", u"User_Name", Cifra(Env("BRQ_DB_USER", "root")));
  ini.WriteString(u"BANCO", u"Password", Cifra(Env("BRQ_DB_PASSWORD", "")));
  ini.WriteString(u"BANCO", u"Database", Cifra(u"dbvorlent"));
  ini.WriteString(u"BANCO", u"Port", Cifra(Env("BRQ_DB_PORT", "3306")));
  ini.WriteString(u"AGENTE", u"Agente", versaoAgente ? u"True" : u"False");
  ini.WriteString(u"AGENTE", u"Codigo", codigoAgente);
  ini.WriteString(u"AGENTE", u"Chave", Cifra(String()));
}
