#include "platform/classes/FileReplace.h"
#include "platform/classes/Win32Error.h"
#include "platform/rtl/Exceptions.h"
#include <windows.h>
#include <algorithm>

namespace {

LPCWSTR Wide(const String& s) { return reinterpret_cast<LPCWSTR>(s.c_str()); }

String FolderOf(const String& fileName) {
  size_t slash = fileName.find_last_of(u"\\/");
  if (slash == String::npos) return u".";
  if (slash == 0 || (slash == 2 && fileName[1] == u':')) return fileName.substr(0, slash + 1);
  return fileName.substr(0, slash);
}

[[noreturn]] void CreateFailed(const String& fileName, DWORD error) {
  throw EFCreateError(u"Cannot create file \"" + fileName + u"\". " + Win32ErrorText(error));
}

bool WriteAll(HANDLE h, std::string_view bytes) {
  constexpr size_t kMaxIo = 0x40000000;
  while (!bytes.empty()) {
    DWORD want = static_cast<DWORD>(std::min(bytes.size(), kMaxIo));
    DWORD put = 0;
    if (!WriteFile(h, bytes.data(), want, &put, nullptr) || put == 0) return false;
    bytes.remove_prefix(put);
  }
  return true;
}

}  // namespace

void ReplaceFileBytes(const String& fileName, std::string_view bytes) {
  WCHAR temp[MAX_PATH];
  if (!GetTempFileNameW(Wide(FolderOf(fileName)), L"brq", 0, temp)) CreateFailed(fileName, GetLastError());
  HANDLE h = CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    DeleteFileW(temp);
    CreateFailed(fileName, error);
  }
  bool written = WriteAll(h, bytes) && FlushFileBuffers(h);
  DWORD error = written ? 0 : GetLastError();
  if (!CloseHandle(h) && written) {
    written = false;
    error = GetLastError();
  }
  if (!written) {
    DeleteFileW(temp);
    throw EWriteError(u"Stream write error: " + Win32ErrorText(error));
  }
  if (!MoveFileExW(temp, Wide(fileName), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = GetLastError();
    DeleteFileW(temp);
    CreateFailed(fileName, error);
  }
}
