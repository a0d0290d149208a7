#include "platform/ui/Forms.h"
#include "platform/ui/Shell.h"
#include <shellapi.h>
#include <vector>

bool RunProgram(const String& commandLine, int showCmd) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(showCmd);
  PROCESS_INFORMATION process{};
  String line = commandLine;
  line.push_back(0);
  if (!CreateProcessW(nullptr, reinterpret_cast<LPWSTR>(&line[0]), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

bool ShellOpen(const String& file, const String& parameters, int showCmd) {
  HINSTANCE result = ShellExecuteW(nullptr, reinterpret_cast<LPCWSTR>(u"open"), reinterpret_cast<LPCWSTR>(file.c_str()),
                                   parameters.empty() ? nullptr : reinterpret_cast<LPCWSTR>(parameters.c_str()),
                                   nullptr, showCmd);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

void Beep() { MessageBeep(0); }

bool GetFileVersion(const String& fileName, std::array<WORD, 4>& parts) {
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeW(reinterpret_cast<LPCWSTR>(fileName.c_str()), &ignored);
  if (size == 0) return false;
  std::vector<BYTE> block(size);
  if (!GetFileVersionInfoW(reinterpret_cast<LPCWSTR>(fileName.c_str()), 0, size, block.data())) return false;
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), reinterpret_cast<LPCWSTR>(u"\\"), reinterpret_cast<void**>(&info), &length) ||
      !info || length < sizeof(VS_FIXEDFILEINFO))
    return false;
  parts = {HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS), HIWORD(info->dwFileVersionLS),
           LOWORD(info->dwFileVersionLS)};
  return true;
}

String ExecutableVersionText() {
  std::array<WORD, 4> parts{};
  if (!GetFileVersion(Application->ExeName(), parts)) return String();
  String text;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i) text += u'.';
    text += AsciiToString(std::to_string(parts[i]));
  }
  return text;
}
