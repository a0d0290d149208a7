#pragma once
// Helpers of the application spine's tests: a configuration file for the
// test database in a folder of its own, written with the program's cipher.
#include "app/uFunc.h"
#include "platform/classes/IniFiles.h"
#include "platform/rtl/String.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <cstdlib>

class TempFolder {
public:
  TempFolder() {
    WCHAR temp[MAX_PATH];
    DWORD n = GetTempPathW(MAX_PATH, temp);
    String base(reinterpret_cast<const char16_t*>(temp), n);
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    for (int i = 0;; ++i) {
      String folder = base + u"brq_spine_" + AsciiToString(info->name()) + u"_" +
                      AsciiToString(std::to_string(GetCurrentProcessId())) + u"_" +
                      AsciiToString(std::to_string(i));
      if (CreateDirectoryW(reinterpret_cast<LPCWSTR>(folder.c_str()), nullptr)) {
        FPath = folder + u"\\";
        break;
      }
      if (GetLastError() != ERROR_ALREADY_EXISTS || i > 100) break;
    }
  }
  ~TempFolder() {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(reinterpret_cast<LPCWSTR>((FPath + u"*").c_str()), &data);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        String name = reinterpret_cast<const char16_t*>(data.cFileName);
        if (name != u"." && name != u"..") DeleteFileW(reinterpret_cast<LPCWSTR>((FPath + name).c_str()));
      } while (FindNextFileW(find, &data));
      FindClose(find);
    }
    RemoveDirectoryW(reinterpret_cast<LPCWSTR>(FPath.c_str()));
  }
  const String& Path() const { return FPath; }

private:
  String FPath;
};

inline String EnvText(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return Utf8ToString(value ? value : fallback);
}

inline String Cifra(const String& texto) { return EncriptaDecripta(u"E", texto, ChaveCriptografia); }

// Brenquia.ini for the test database; `senha` replaces the password.
inline void EscreveIniTeste(const String& arquivo, const String& codigo, const String& agente = u"False",
                            const String* senha = nullptr) {
  TIniFile ini(arquivo);
  ini.WriteString(u"BANCO", u"Server", EnvText("BRQ_DB_HOST", "127.0.0.1"));
  ini.WriteString(u"BANCO", u"User_Name", Cifra(EnvText("BRQ_DB_USER", "root")));
  ini.WriteString(u"BANCO", u"Password", Cifra(senha ? *senha : EnvText("BRQ_DB_PASSWORD", "")));
  ini.WriteString(u"BANCO", u"Database", Cifra(u"dbvorlent"));
  ini.WriteString(u"BANCO", u"Port", Cifra(EnvText("BRQ_DB_PORT", "3306")));
  ini.WriteString(u"AGENTE", u"Agente", agente);
  ini.WriteString(u"AGENTE", u"Codigo", codigo);
  ini.WriteString(u"AGENTE", u"Chave", Cifra(String()));
}

#include "app/AppState.h"
#include "app/uConfig.h"
#include "platform/ui/Forms.h"
#include "platform/ui/TestSeam.h"

// A fresh application object and program state for each test; the
// program's folder points at the test's own.
inline void NovoEstadoDoPrograma(const String& pasta) {
  UiTestSeam::Reset();
  TApplicationRef::Done();
  NomeUsuario.clear();
  NivelUsuario.clear();
  CodigoAgente.clear();
  NomeConcessionaria.clear();
  NomeAgente.clear();
  RodapeRelatorio.clear();
  VersaoAgente = false;
  LoginPendente = true;
  ArquivoConfiguracao.reset();
  DefinePastaPrograma(pasta);
}

inline std::vector<String> TextosDasMensagens() {
  std::vector<String> textos;
  for (const TMessageBoxRecord& caixa : UiTestSeam::MessageBoxLog()) textos.push_back(caixa.Text);
  return textos;
}
