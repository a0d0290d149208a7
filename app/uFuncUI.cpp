// The shared routines that show message boxes or reach the window system.
#include "app/AppState.h"
#include "app/uFunc.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumUtils.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Mask.h"
#include "platform/ui/StdCtrls.h"
#include <windows.h>
#include <vector>

void ExibeMensagem(StringView texto, int tipo) {
  const char16_t* palavra;
  UINT icone;
  switch (tipo) {
    case 1: palavra = u"Erro "; icone = MB_ICONERROR; break;
    case 2: palavra = u"Informação "; icone = MB_ICONINFORMATION; break;
    case 3: palavra = u"Atenção "; icone = MB_ICONWARNING; break;
    case 4: palavra = u"Atenção "; icone = MB_ICONERROR; break;
    default: return;
  }
  ShowMessageBox(nullptr, String(texto), palavra + NomeUsuario, MB_OK | icone);
}

bool ConfirmaOperacao(StringView texto, int padrao) {
  UINT botao = padrao == 1 ? MB_DEFBUTTON1 : MB_DEFBUTTON2;
  return Application->MessageBox(String(texto), u"Atenção " + NomeUsuario, MB_YESNO | MB_ICONQUESTION | botao) == IDYES;
}

bool VerificaData(StringView texto) {
  try {
    StrToDate(texto);
    return true;
  } catch (const EConvertError&) {
    ExibeMensagem(u"Necessário informar a data corretamente!", 1);
    return false;
  }
}

String RetornaDataMascaraSQL(const TCustomMaskEdit* edit) {
  String texto = edit->Text();
  if (texto != u"  /  /    " && VerificaData(texto)) return RetornaDataSQL(StrToDate(texto));
  return texto;
}

int RetornaIndiceCombo(StringView texto, const TCustomComboBox* combo, int n) {
  TStrings* itens = combo->Items();
  for (int i = 0; i < itens->Count(); ++i)
    if (Copy(itens->Strings(i), 1, n) == texto) return i;
  return -1;
}

String RetornaVersaoSistema() {
  // The block is read from the loaded image, which a Winelib program has
  // where the file on disk is only a launcher.
  return RetornaVersaoModulo(GetModuleHandleW(nullptr));
}

String RetornaVersaoModulo(void* instancia) {
  HMODULE modulo = static_cast<HMODULE>(instancia);
  HRSRC recurso = FindResourceW(modulo, MAKEINTRESOURCEW(VS_VERSION_INFO), MAKEINTRESOURCEW(16) /* RT_VERSION */);
  if (!recurso) return String();
  HGLOBAL carregado = LoadResource(modulo, recurso);
  const void* dados = carregado ? LockResource(carregado) : nullptr;
  DWORD tamanho = SizeofResource(modulo, recurso);
  if (!dados || tamanho == 0) return String();
  // VerQueryValue may write into the block: work on a copy.
  std::vector<BYTE> bloco(static_cast<const BYTE*>(dados), static_cast<const BYTE*>(dados) + tamanho);
  VS_FIXEDFILEINFO* info = nullptr;
  UINT tamanhoInfo = 0;
  if (!VerQueryValueW(bloco.data(), reinterpret_cast<LPCWSTR>(u"\\"), reinterpret_cast<void**>(&info), &tamanhoInfo) ||
      !info || tamanhoInfo < sizeof(VS_FIXEDFILEINFO))
    return String();
  return IntToStr(HIWORD(info->dwFileVersionMS)) + u"." + IntToStr(LOWORD(info->dwFileVersionMS)) + u"." +
         IntToStr(HIWORD(info->dwFileVersionLS)) + u"." + IntToStr(LOWORD(info->dwFileVersionLS));
}

void AguardaSegundos(int16_t segundos) {
  // A steady clock: a change of the system time does not stretch the pause.
  ULONGLONG fim = GetTickCount64() + static_cast<ULONGLONG>(segundos > 0 ? segundos : 0) * 1000;
  for (;;) {
    Application->ProcessMessages();
    ULONGLONG agora = GetTickCount64();
    if (agora >= fim) return;
    // Wakes for the next message instead of spinning.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(fim - agora), QS_ALLINPUT);
  }
}

void AvisaTabelaIndisponivel() { ExibeMensagem(u"No momento a tabela está indisponível para gravação!", 2); }
