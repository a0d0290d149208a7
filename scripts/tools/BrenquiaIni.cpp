// Writes Brenquia.ini for ./run.sh with the program's own cipher:
//   BrenquiaIni.exe INI SERVER USER PASSWORD DATABASE PORT CODIGO
// INI may be a Linux path; it is written through the same INI object the
// program reads it with.
#include "app/uFunc.h"
#include "platform/classes/IniFiles.h"
#include <cstdio>

namespace {
String Caminho(const char* argumento) {
  String caminho = Utf8ToString(argumento);
  if (!caminho.empty() && caminho[0] == u'/') {
    for (char16_t& c : caminho)
      if (c == u'/') c = u'\\';
    caminho = u"Z:" + caminho;
  }
  return caminho;
}
String Cifra(const char* texto) { return EncriptaDecripta(u"E", Utf8ToString(texto), ChaveCriptografia); }
}  // namespace

int main(int argc, char** argv) {
  if (argc != 8) {
    std::fprintf(stderr, "usage: BrenquiaIni INI SERVER USER PASSWORD DATABASE PORT CODIGO\n");
    return 2;
  }
  try {
    TIniFile ini(Caminho(argv[1]));
    ini.WriteString(u"BANCO", u"Server", Utf8ToString(argv[2]));
    ini.WriteString(u"BANCO", u"User_Name", Cifra(argv[3]));
    ini.WriteString(u"BANCO", u"Password", Cifra(argv[4]));
    ini.WriteString(u"BANCO", u"Database", Cifra(argv[5]));
    ini.WriteString(u"BANCO", u"Port", Cifra(argv[6]));
    ini.WriteString(u"AGENTE", u"Agente", u"False");
    ini.WriteString(u"AGENTE", u"Codigo", Utf8ToString(argv[7]));
    ini.WriteString(u"AGENTE", u"Chave", Cifra(""));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "BrenquiaIni: %s\n", e.what());
    return 1;
  }
  return 0;
}
