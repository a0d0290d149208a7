// File-name routines: text only, no file system.
#include "platform/rtl/FileUtils.h"

#include "platform/rtl/StrUtils.h"

namespace {

constexpr StringView kPathDelimiters = u"\\/:";

bool IsDelimiter(char16_t c) { return c == u'\\' || c == u'/'; }

}  // namespace

String ExtractFilePath(StringView fileName) {
  return Copy(fileName, 1, LastDelimiter(kPathDelimiters, fileName));
}

String ExtractFileDir(StringView fileName) {
  int i = LastDelimiter(kPathDelimiters, fileName);
  // Keep the delimiter of a root ("C:\") and of a drive ("C:").
  if (i > 1 && IsDelimiter(fileName[i - 1]) && !(i >= 2 && fileName[i - 2] == DriveDelim) &&
      !IsDelimiter(fileName[i - 2]))
    --i;
  return Copy(fileName, 1, i);
}

String ExtractFileName(StringView fileName) {
  return Copy(fileName, LastDelimiter(kPathDelimiters, fileName) + 1, Length(fileName));
}

String ExtractFileExt(StringView fileName) {
  int i = LastDelimiter(u".\\/:", fileName);
  if (i > 0 && fileName[i - 1] == u'.') return Copy(fileName, i, Length(fileName));
  return String();
}

String ExtractFileDrive(StringView fileName) {
  if (fileName.size() >= 2 && fileName[1] == DriveDelim) return Copy(fileName, 1, 2);
  // UNC: \\server\share
  if (fileName.size() >= 2 && IsDelimiter(fileName[0]) && IsDelimiter(fileName[1])) {
    size_t i = 2;
    int parts = 0;
    while (i < fileName.size()) {
      if (IsDelimiter(fileName[i]) && ++parts == 2) break;
      ++i;
    }
    if (parts >= 1) return String(fileName.substr(0, i));
  }
  return String();
}

String ChangeFileExt(StringView fileName, StringView extension) {
  int i = LastDelimiter(u".\\/:", fileName);
  if (i == 0 || fileName[i - 1] != u'.') i = Length(fileName) + 1;
  return Copy(fileName, 1, i - 1) + String(extension);
}

String IncludeTrailingPathDelimiter(StringView path) {
  String r(path);
  if (r.empty() || !IsDelimiter(r.back())) r.push_back(PathDelim);
  return r;
}

String ExcludeTrailingPathDelimiter(StringView path) {
  String r(path);
  if (!r.empty() && IsDelimiter(r.back())) r.pop_back();
  return r;
}
