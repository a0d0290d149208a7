#include "platform/classes/IniFiles.h"
#include "platform/classes/FileReplace.h"
#include "platform/classes/Streams.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/NumUtils.h"
#include <windows.h>

namespace {

void FillStrings(TStrings& strings, const std::vector<String>& lines) {
  strings.BeginUpdate();
  try {
    strings.Clear();
    for (const String& line : lines) strings.Add(line);
  } catch (...) {
    strings.EndUpdate();
    throw;
  }
  strings.EndUpdate();
}

// Existing UTF files keep their encoding; ANSI (and new) files stay ANSI
// unless the text holds characters the code page lacks.
TTextEncoding EncodingForSave(TTextEncoding loaded, const String& text) {
  if (loaded != TTextEncoding::ANSI) return loaded;
  // Code page bytes that happen to read as UTF-8 (or start like a byte-order
  // mark) would come back as other characters.
  return DecodeText(EncodeText(text, TTextEncoding::ANSI)) == text ? TTextEncoding::ANSI : TTextEncoding::UTF8BOM;
}

enum class FileRead { Done, Missing, Failed };

FileRead ReadFileBytes(const String& path, std::string& bytes) {
  bytes.clear();
  HANDLE h = CreateFileW(reinterpret_cast<LPCWSTR>(path.c_str()), GENERIC_READ,
                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileRead::Missing : FileRead::Failed;
  }
  LARGE_INTEGER size;
  bool ok = GetFileSizeEx(h, &size) != 0 && size.QuadPart >= 0 && size.QuadPart <= MAXDWORD;
  if (ok) {
    try {
      bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
    } catch (const std::exception&) {
      ok = false;
    }
  }
  if (ok) {
    DWORD got = 0;
    ok = bytes.empty() || (ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) &&
                           got == bytes.size());
  }
  CloseHandle(h);
  if (!ok) bytes.clear();
  return ok ? FileRead::Done : FileRead::Failed;
}

String ResolveIniPath(const String& fileName) {
  if (fileName.find_first_of(u"\\/:") != String::npos) return fileName;
  WCHAR folder[MAX_PATH];
  UINT n = GetWindowsDirectoryW(folder, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return fileName;
  String path(reinterpret_cast<const char16_t*>(folder), n);
  if (path.back() != u'\\') path += u'\\';
  return path + fileName;
}

bool HasLineBreak(const String& s) { return s.find_first_of(u"\r\n") != String::npos; }

// A name or value the file cannot hold on its line would be read back as
// something else, or turn into a header or comment of its own.
void CheckStorable(const String& section, const String& ident, const String& value) {
  if (HasLineBreak(section) || section.find(u']') != String::npos)
    throw EIniFileException(u"Invalid section name: " + section);
  size_t first = ident.find_first_not_of(u" \t");
  if (HasLineBreak(ident) || ident.find(u'=') != String::npos ||
      (first != String::npos && String(u"[;#").find(ident[first]) != String::npos))
    throw EIniFileException(u"Invalid key name: " + ident);
  if (HasLineBreak(value)) throw EIniFileException(u"Invalid value for key " + ident + u": it holds a line break");
}

String StripQuotes(const String& value) {
  if (value.size() >= 2 && value.front() == value.back() && (value.front() == u'"' || value.front() == u'\''))
    return value.substr(1, value.size() - 2);
  return value;
}

}  // namespace

// ---- TCustomIniFile -----------------------------------------------------------

int TCustomIniFile::ReadInteger(const String& section, const String& ident, int defaultValue) const {
  return StrToIntDef(ReadString(section, ident, String()), defaultValue);
}

void TCustomIniFile::WriteInteger(const String& section, const String& ident, int value) {
  WriteString(section, ident, IntToStr(value));
}

bool TCustomIniFile::ReadBool(const String& section, const String& ident, bool defaultValue) const {
  return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const String& section, const String& ident, bool value) {
  WriteString(section, ident, value ? u"1" : u"0");
}

// Conversion failures give the default, as a missing entry does.
double TCustomIniFile::ReadFloat(const String& section, const String& ident, double defaultValue) const {
  double value;
  return TryStrToFloat(ReadString(section, ident, String()), value) ? value : defaultValue;
}

void TCustomIniFile::WriteFloat(const String& section, const String& ident, double value) {
  WriteString(section, ident, FloatToStr(value));
}

TDateTime TCustomIniFile::ReadDate(const String& section, const String& ident, TDateTime defaultValue) const {
  TDateTime value;
  return TryStrToDate(ReadString(section, ident, String()), value) ? value : defaultValue;
}

void TCustomIniFile::WriteDate(const String& section, const String& ident, TDateTime value) {
  WriteString(section, ident, DateToStr(value));
}

TDateTime TCustomIniFile::ReadDateTime(const String& section, const String& ident, TDateTime defaultValue) const {
  TDateTime value;
  return TryStrToDateTime(ReadString(section, ident, String()), value) ? value : defaultValue;
}

void TCustomIniFile::WriteDateTime(const String& section, const String& ident, TDateTime value) {
  WriteString(section, ident, DateTimeToStr(value));
}

TDateTime TCustomIniFile::ReadTime(const String& section, const String& ident, TDateTime defaultValue) const {
  TDateTime value;
  return TryStrToTime(ReadString(section, ident, String()), value) ? value : defaultValue;
}

void TCustomIniFile::WriteTime(const String& section, const String& ident, TDateTime value) {
  WriteString(section, ident, TimeToStr(value));
}

bool TCustomIniFile::SectionExists(const String& section) const {
  TStringList keys;
  ReadSection(section, keys);
  return keys.Count() > 0;
}

bool TCustomIniFile::ValueExists(const String& section, const String& ident) const {
  TStringList keys;
  ReadSection(section, keys);
  return keys.IndexOf(ident) >= 0;
}

// ---- TIniFile -----------------------------------------------------------------

TIniFile::TIniFile(const String& fileName) : TCustomIniFile(fileName), FPath(ResolveIniPath(fileName)) {}

// A file that exists but cannot be read is empty to readers; writers refuse
// it, as rewriting it from nothing would lose what it holds.
IniDocument TIniFile::Load(TTextEncoding* encoding, bool forWrite) const {
  IniDocument doc;
  std::string bytes;
  TTextEncoding detected = TTextEncoding::ANSI;
  FileRead read = ReadFileBytes(FPath, bytes);
  if (read == FileRead::Failed && forWrite) throw EIniFileException(u"Unable to read " + FileName());
  if (read == FileRead::Done) doc.SetText(DecodeText(bytes, &detected));
  if (encoding) *encoding = detected;
  return doc;
}

void TIniFile::Save(const IniDocument& doc, TTextEncoding encoding) const {
  String text = doc.Text();
  try {
    ReplaceFileBytes(FPath, EncodeText(text, EncodingForSave(encoding, text)));
  } catch (const EStreamError&) {
    throw EIniFileException(u"Unable to write to " + FileName());
  }
}

String TIniFile::ReadString(const String& section, const String& ident, const String& defaultValue) const {
  String value;
  return Load().Read(section, ident, value) ? StripQuotes(value) : defaultValue;
}

void TIniFile::WriteString(const String& section, const String& ident, const String& value) {
  CheckStorable(section, ident, value);
  TTextEncoding encoding;
  IniDocument doc = Load(&encoding, true);
  doc.Write(section, ident, value);
  Save(doc, encoding);
}

void TIniFile::ReadSection(const String& section, TStrings& strings) const {
  FillStrings(strings, Load().Keys(section));
}

void TIniFile::ReadSections(TStrings& strings) const { FillStrings(strings, Load().Sections()); }

void TIniFile::ReadSectionValues(const String& section, TStrings& strings) const {
  IniDocument doc = Load();
  std::vector<String> lines;
  for (const String& key : doc.Keys(section)) {
    String value;
    doc.Read(section, key, value);
    lines.push_back(key + u'=' + StripQuotes(value));
  }
  FillStrings(strings, lines);
}

void TIniFile::EraseSection(const String& section) {
  TTextEncoding encoding;
  IniDocument doc = Load(&encoding, true);
  if (doc.EraseSection(section)) Save(doc, encoding);
}

void TIniFile::DeleteKey(const String& section, const String& ident) {
  TTextEncoding encoding;
  IniDocument doc = Load(&encoding, true);
  if (doc.DeleteKey(section, ident)) Save(doc, encoding);
}

// ---- TMemIniFile --------------------------------------------------------------

TMemIniFile::TMemIniFile(const String& fileName) : TCustomIniFile(fileName) {
  std::string bytes;
  FileRead read = ReadFileBytes(fileName, bytes);
  FUnreadable = read == FileRead::Failed;
  if (read == FileRead::Done) FDocument.SetText(DecodeText(bytes, &FEncoding));
}

String TMemIniFile::ReadString(const String& section, const String& ident, const String& defaultValue) const {
  String value;
  return FDocument.Read(section, ident, value) ? value : defaultValue;
}

void TMemIniFile::WriteString(const String& section, const String& ident, const String& value) {
  CheckStorable(section, ident, value);
  FDocument.Write(section, ident, value);
}

void TMemIniFile::ReadSection(const String& section, TStrings& strings) const {
  FillStrings(strings, FDocument.Keys(section));
}

void TMemIniFile::ReadSections(TStrings& strings) const { FillStrings(strings, FDocument.Sections()); }

void TMemIniFile::ReadSectionValues(const String& section, TStrings& strings) const {
  FillStrings(strings, FDocument.SectionValues(section));
}

void TMemIniFile::EraseSection(const String& section) { FDocument.EraseSection(section); }

void TMemIniFile::DeleteKey(const String& section, const String& ident) { FDocument.DeleteKey(section, ident); }

void TMemIniFile::UpdateFile() {
  // Written from an empty start, the file would lose all it holds.
  if (FUnreadable) throw EIniFileException(u"Unable to read " + FileName());
  String text = FDocument.Text();
  ReplaceFileBytes(FileName(), EncodeText(text, EncodingForSave(FEncoding, text)));
}
