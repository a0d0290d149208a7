// File-system routines over the Win32 file API (W entry points), so that
// paths mean what they mean to the rest of the program inside Wine.
// windows.h first: FileUtils.h must come after it to undo its DeleteFile macro.
#include <windows.h>
#include <shellapi.h>

#include "platform/rtl/FileUtils.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StrUtils.h"

#include <vector>

namespace {

// Wine's wide strings are 2-byte and so is char16_t; the cast is the only
// bridge needed.
LPCWSTR W(const String& s) { return reinterpret_cast<LPCWSTR>(s.c_str()); }

String FromW(const WCHAR* s, size_t n) { return String(reinterpret_cast<const char16_t*>(s), n); }

DWORD Attributes(StringView name) {
  if (name.empty()) return INVALID_FILE_ATTRIBUTES;
  return GetFileAttributesW(W(String(name)));
}

}  // namespace

String ExpandFileName(StringView fileName) {
  if (fileName.empty()) return String();
  const String name(fileName);
  DWORD n = GetFullPathNameW(W(name), 0, nullptr, nullptr);
  if (n == 0) return name;
  std::vector<WCHAR> buf(n + 1);
  n = GetFullPathNameW(W(name), static_cast<DWORD>(buf.size()), buf.data(), nullptr);
  return FromW(buf.data(), n);
}

bool FileExists(StringView fileName) {
  DWORD a = Attributes(fileName);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool DirectoryExists(StringView directory) {
  DWORD a = Attributes(directory);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool DeleteFile(StringView fileName) { return DeleteFileW(W(String(fileName))) != 0; }

bool RenameFile(StringView oldName, StringView newName) {
  return MoveFileW(W(String(oldName)), W(String(newName))) != 0;
}

bool CreateDir(StringView directory) { return CreateDirectoryW(W(String(directory)), nullptr) != 0; }

bool RemoveDir(StringView directory) { return RemoveDirectoryW(W(String(directory))) != 0; }

bool ForceDirectories(StringView directory) {
  if (directory.empty()) throw EInOutError(u"Unable to create directory");
  const String dir = ExcludeTrailingPathDelimiter(ExpandFileName(directory));
  if (dir.size() < 3 || DirectoryExists(dir)) return true;
  const String parent = ExtractFilePath(dir);
  if (parent.size() < dir.size() && !parent.empty() && !ForceDirectories(parent)) return false;
  return CreateDir(dir) || DirectoryExists(dir);
}

String GetCurrentDir() {
  DWORD n = GetCurrentDirectoryW(0, nullptr);
  std::vector<WCHAR> buf(n + 1);
  n = GetCurrentDirectoryW(static_cast<DWORD>(buf.size()), buf.data());
  return FromW(buf.data(), n);
}

bool SetCurrentDir(StringView directory) { return SetCurrentDirectoryW(W(String(directory))) != 0; }

String GetTempFolder() {
  WCHAR buf[MAX_PATH + 2];
  DWORD n = GetTempPathW(MAX_PATH + 1, buf);
  if (n == 0 || n > MAX_PATH + 1) return String();
  return IncludeTrailingPathDelimiter(FromW(buf, n));
}

int64_t FileSizeOf(StringView fileName) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(W(String(fileName)), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return -1;
  return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

namespace {

std::vector<String> CommandLineArguments() {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::vector<String> args;
  if (!argv) return args;
  for (int i = 0; i < argc; ++i) args.push_back(reinterpret_cast<const char16_t*>(argv[i]));
  LocalFree(argv);
  return args;
}

}  // namespace

int ParamCount() {
  const auto args = CommandLineArguments();
  return args.empty() ? 0 : static_cast<int>(args.size()) - 1;
}

String ParamStr(int index) {
  if (index == 0) {
    std::vector<WCHAR> buf(MAX_PATH);
    while (true) {
      DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
      if (n < buf.size()) return FromW(buf.data(), n);
      buf.resize(buf.size() * 2);
    }
  }
  const auto args = CommandLineArguments();
  return index > 0 && index < static_cast<int>(args.size()) ? args[index] : String();
}
