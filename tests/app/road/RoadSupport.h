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

// Connects a data module as `agente` with every table open.
inline void Conecta(TDM& dm, const String& agente) {
  TMemIniFile ini(String{});
  auto cifra = [](const String& texto) { return EncriptaDecripta(u"E", texto, ChaveCriptografia); };
  ini.WriteString(u"BANCO", u"Server", Env("BRQ_DB_HOST", "127.0.0.1"));
  ini.WriteString(u"BANCO", u"User_Name", cifra(Env("BRQ_DB_USER", "root")));
  ini.WriteString(u"BANCO", u"Password", cifra(Env("BRQ_DB_PASSWORD", "")));
  ini.WriteString(u"BANCO", u"Database", cifra(u"dbvorlent"));
  ini.WriteString(u"BANCO", u"Port", cifra(Env("BRQ_DB_PORT", "3306")));
  dm.Conecta(ini, agente, String());
}

// A data module of its own, connected as `agente`.
inline std::unique_ptr<TDM> ConectaDM(const String& agente) {
  auto dm = std::make_unique<TDM>(nullptr);
  Conecta(*dm, agente);
  return dm;
}

// The 44-digit bar code of a bill of the test utility (company code 0123)
// for a value in cents and a registration number, and its 48-digit line.
inline String CodigoBarras(int64_t centavos, int64_t inscricao, const String& empresa = u"0123") {
  return u"8261" + PreencheZerosEsquerda(11, IntToStr(centavos)) + empresa + u"0000" +
         PreencheZerosEsquerda(13, IntToStr(inscricao)) + u"00000000";
}
inline String Linha(int64_t centavos, int64_t inscricao, const String& empresa = u"0123") {
  String linha;
  LinhaDoCodigoBarras(CodigoBarras(centavos, inscricao, empresa), linha);
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

// ---------------------------------------------------------------- windows

#include "app/AppState.h"
#include "platform/ui/Forms.h"
#include "platform/ui/TestSeam.h"
#include <vector>

namespace road {

// The program as the login leaves it: the agent's data module as DM, owned
// by the application, the agent's and the utility's names, the user.
inline void AbrePrograma(const String& agente, const String& usuario = u"CAIXA") {
  UiTestSeam::Reset();
  TApplicationRef::Done();
  CodigoAgente = agente;
  NomeUsuario = usuario;
  NivelUsuario = u"Funcional";
  LoginPendente = false;
  DataMovimento = 0;
  // The main window stands behind every other, as in the program.
  TForm* principal = nullptr;
  Application->CreateForm(principal);
  DM = new TDM(Application);
  Conecta(*DM, agente);
  NomeConcessionaria = DM->Concessionaria->FieldByName(u"RAZAO_SOCIAL")->AsString();
  NomeAgente = DM->Agentes->FieldByName(u"RAZAO_SOCIAL")->AsString();
}

inline void FechaPrograma() {
  UiTestSeam::Reset();
  TApplicationRef::Done();
  CodigoAgente.clear();
  NomeUsuario.clear();
  NomeConcessionaria.clear();
  NomeAgente.clear();
  DataMovimento = 0;
}

inline void Processa(int ms = 0) {
  const DWORD fim = GetTickCount() + static_cast<DWORD>(ms);
  do {
    Application->ProcessMessages();
    if (ms > 0) Sleep(5);
  } while (ms > 0 && static_cast<int>(fim - GetTickCount()) > 0);
  Application->ProcessMessages();
}

// A key as the keyboard types it, into the focused window, with the
// modifiers held while it is handled.
inline void Tecla(WORD vk, bool ctrl = false) {
  BYTE estado[256];
  GetKeyboardState(estado);
  estado[VK_CONTROL] = ctrl ? 0x80 : 0;
  SetKeyboardState(estado);
  HWND alvo = GetFocus() ? GetFocus() : GetActiveWindow();
  const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
  const LPARAM desce = 1 | (static_cast<LPARAM>(scan) << 16);
  PostMessageW(alvo, WM_KEYDOWN, vk, desce);
  Processa();
  PostMessageW(GetFocus() ? GetFocus() : alvo, WM_KEYUP, vk, desce | (1LL << 30) | (1LL << 31));
  Processa();
  estado[VK_CONTROL] = 0;
  SetKeyboardState(estado);
}

// Characters typed one by one into the focused window.
inline void Digita(const String& texto) {
  for (char16_t c : texto) {
    PostMessageW(GetFocus(), WM_CHAR, c, 1);
    Processa();
  }
}

inline std::vector<String> Mensagens() {
  std::vector<String> textos;
  for (const TMessageBoxRecord& caixa : UiTestSeam::MessageBoxLog()) textos.push_back(caixa.Text);
  return textos;
}

}  // namespace road
