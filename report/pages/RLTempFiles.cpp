#include <windows.h>
#include "report/pages/RLTempFiles.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/NumUtils.h"
#include <algorithm>
#include <memory>
#include <random>
#include <vector>

namespace {
String GTempFolder = u".";
String GLogFileName = u"rlib.log";
std::unique_ptr<std::vector<String>> GTempFiles;

char16_t UpperAscii(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; }

bool SameText(const String& a, const String& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) { return UpperAscii(x) == UpperAscii(y); });
}

const WCHAR* W(const String& s) { return reinterpret_cast<const WCHAR*>(s.c_str()); }
}  // namespace

const String& ReportTempFolder() { return GTempFolder; }
void SetReportTempFolder(const String& AFolder) { GTempFolder = AFolder; }
const String& ReportLogFileName() { return GLogFileName; }

void DeleteStaleReportLog() {
  if (!GLogFileName.empty() && FileExists(GLogFileName)) DeleteFile(GLogFileName);
}

String QueryTempFolder() {
  // The system folder is asked for without moving the process's current
  // folder: relative names elsewhere in the program depend on it.
  String folder = GetTempFolder();
  return folder.empty() ? GetCurrentDir() : folder;
}

String MakeTempPageFileName() {
  static std::mt19937 random;
  random.seed(static_cast<unsigned>(GetTickCount()) ^ static_cast<unsigned>(GetCurrentProcessId() << 16));
  std::uniform_int_distribution<int32_t> draw(0, 2147483646);
  String folder = GTempFolder;
  if (!folder.empty()) folder = IncludeTrailingPathDelimiter(folder);
  for (int attempt = 0; attempt < 1000; ++attempt) {
    String name = folder + u"~fr" + IntToStr(draw(random)) + u".tmp";
    // Created exclusively: a name another process took meanwhile is drawn again.
    HANDLE h = CreateFileW(W(name), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      CloseHandle(h);
      return name;
    }
    DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
  }
  throw EFCreateError(u"Cannot create a temporary page file in " + folder);
}

void TrackTempFile(const String& AName) {
  if (!GTempFiles) GTempFiles = std::make_unique<std::vector<String>>();
  GTempFiles->push_back(AName);
}

void UntrackTempFile(const String& AName) {
  if (!GTempFiles) return;
  auto it = std::find_if(GTempFiles->begin(), GTempFiles->end(), [&](const String& s) { return SameText(s, AName); });
  if (it != GTempFiles->end()) GTempFiles->erase(it);
}

void DeleteTrackedTempFiles() {
  if (!GTempFiles) return;
  for (const String& name : *GTempFiles) DeleteFile(name);
  GTempFiles.reset();
}

int TrackedTempFileCount() { return GTempFiles ? static_cast<int>(GTempFiles->size()) : 0; }

void InitReportTempFiles() {
  GTempFolder = QueryTempFolder();
  GLogFileName = u"rlib.log";
  DeleteStaleReportLog();
}

void DoneReportTempFiles() {
  DeleteTrackedTempFiles();
  GTempFolder.clear();
  GLogFileName.clear();
}
