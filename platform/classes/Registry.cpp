#include "platform/classes/Registry.h"
#include "platform/rtl/NumUtils.h"
#include <cstring>
#include <vector>

namespace {

LPCWSTR W(const String& s) { return reinterpret_cast<LPCWSTR>(s.c_str()); }

bool IsRelative(const String& key) { return key.empty() || key[0] != u'\\'; }

String WithoutLeadingSlash(const String& key) { return IsRelative(key) ? key : key.substr(1); }

String Quoted(const String& name) { return u"'" + name + u"'"; }

[[noreturn]] void ReadError(const String& name) {
  throw ERegistryException(u"Invalid data type for " + Quoted(name));
}

void Fill(TStrings& strings, const std::vector<String>& items) {
  strings.BeginUpdate();
  try {
    strings.Clear();
    for (const String& s : items) strings.Add(s);
  } catch (...) {
    strings.EndUpdate();
    throw;
  }
  strings.EndUpdate();
}

}  // namespace

// ---- TRegistry ----------------------------------------------------------------

TRegistry::TRegistry(REGSAM access) : FRootKey(HKEY_CURRENT_USER), FAccess(access) {}

TRegistry::~TRegistry() {
  CloseKey();
  if (FCloseRootKey) RegCloseKey(FRootKey);
}

void TRegistry::SetRootKey(HKEY value) {
  if (FRootKey == value) return;
  if (FCloseRootKey) {
    RegCloseKey(FRootKey);
    FCloseRootKey = false;
  }
  FRootKey = value;
  CloseKey();
}

HKEY TRegistry::GetBaseKey(bool relative) const {
  return (FCurrentKey == nullptr || !relative) ? FRootKey : FCurrentKey;
}

void TRegistry::ChangeKey(HKEY value, const String& path) {
  CloseKey();
  FCurrentKey = value;
  FCurrentPath = path;
}

void TRegistry::CloseKey() {
  if (FCurrentKey) RegCloseKey(FCurrentKey);
  FCurrentKey = nullptr;
  FCurrentPath.clear();
}

bool TRegistry::OpenKey(const String& key, bool canCreate) {
  bool relative = IsRelative(key);
  String sub = WithoutLeadingSlash(key);
  HKEY temp = nullptr;
  LONG rc;
  if (canCreate && !sub.empty()) {
    DWORD disposition;
    rc = RegCreateKeyExW(GetBaseKey(relative), W(sub), 0, nullptr, REG_OPTION_NON_VOLATILE, FAccess, nullptr,
                         &temp, &disposition);
  } else {
    rc = RegOpenKeyExW(GetBaseKey(relative), W(sub), 0, FAccess, &temp);
  }
  if (rc != ERROR_SUCCESS) return false;
  String path = sub;
  if (FCurrentKey && relative) path = FCurrentPath.empty() ? sub : FCurrentPath + u'\\' + sub;
  ChangeKey(temp, path);
  return true;
}

bool TRegistry::OpenKeyReadOnly(const String& key) {
  REGSAM old = FAccess;
  FAccess = KEY_READ;
  bool ok = OpenKey(key, false);
  if (!ok) FAccess = old;
  return ok;
}

bool TRegistry::CreateKey(const String& key) {
  bool relative = IsRelative(key);
  HKEY temp = nullptr;
  DWORD disposition;
  LONG rc = RegCreateKeyExW(GetBaseKey(relative), W(WithoutLeadingSlash(key)), 0, nullptr,
                            REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &temp, &disposition);
  if (rc != ERROR_SUCCESS) throw ERegistryException(u"Failed to create key " + key);
  RegCloseKey(temp);
  return true;
}

bool TRegistry::DeleteKey(const String& key) {
  bool relative = IsRelative(key);
  String sub = WithoutLeadingSlash(key);
  if (sub.empty()) return false;  // never the base key itself
  return RegDeleteTreeW(GetBaseKey(relative), W(sub)) == ERROR_SUCCESS;
}

HKEY TRegistry::GetKey(const String& key) {
  HKEY result = nullptr;
  if (RegOpenKeyExW(GetBaseKey(IsRelative(key)), W(WithoutLeadingSlash(key)), 0, FAccess, &result) !=
      ERROR_SUCCESS)
    return nullptr;
  return result;
}

bool TRegistry::KeyExists(const String& key) {
  REGSAM old = FAccess;
  FAccess = STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS;
  HKEY temp = GetKey(key);
  FAccess = old;
  if (temp) RegCloseKey(temp);
  return temp != nullptr;
}

bool TRegistry::HasSubKeys() {
  DWORD subKeys = 0;
  return RegQueryInfoKeyW(FCurrentKey, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr, nullptr,
                          nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
         subKeys > 0;
}

void TRegistry::GetKeyNames(TStrings& strings) {
  std::vector<String> names;
  WCHAR buffer[256];  // the registry's limit for a key name
  for (DWORD i = 0;; ++i) {
    DWORD len = 256;
    if (RegEnumKeyExW(FCurrentKey, i, buffer, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(reinterpret_cast<const char16_t*>(buffer), len);
  }
  Fill(strings, names);
}

void TRegistry::GetValueNames(TStrings& strings) {
  std::vector<String> names;
  std::vector<WCHAR> buffer(16384);  // the registry's limit for a value name
  for (DWORD i = 0;; ++i) {
    DWORD len = static_cast<DWORD>(buffer.size());
    if (RegEnumValueW(FCurrentKey, i, buffer.data(), &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    names.emplace_back(reinterpret_cast<const char16_t*>(buffer.data()), len);
  }
  Fill(strings, names);
}

bool TRegistry::ValueExists(const String& name) { return GetDataSize(name) >= 0; }

bool TRegistry::DeleteValue(const String& name) {
  return RegDeleteValueW(FCurrentKey, W(name)) == ERROR_SUCCESS;
}

TRegDataType TRegistry::GetDataType(const String& name) {
  DWORD type = 0;
  if (RegQueryValueExW(FCurrentKey, W(name), nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS)
    return TRegDataType::rdUnknown;
  switch (type) {
    case REG_SZ: return TRegDataType::rdString;
    case REG_EXPAND_SZ: return TRegDataType::rdExpandString;
    case REG_DWORD: return TRegDataType::rdInteger;
    case REG_BINARY: return TRegDataType::rdBinary;
    default: return TRegDataType::rdUnknown;
  }
}

int TRegistry::GetDataSize(const String& name) {
  DWORD size = 0;
  if (RegQueryValueExW(FCurrentKey, W(name), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS) return -1;
  return static_cast<int>(size);
}

bool TRegistry::GetData(const String& name, std::string& data, DWORD& type) {
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD size = 0;
    if (RegQueryValueExW(FCurrentKey, W(name), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
    data.assign(size, '\0');
    LONG rc = RegQueryValueExW(FCurrentKey, W(name), nullptr, &type,
                               reinterpret_cast<BYTE*>(data.data()), &size);
    if (rc == ERROR_SUCCESS) {
      data.resize(size);
      return true;
    }
    if (rc != ERROR_MORE_DATA) return false;  // grew meanwhile: ask again
  }
  return false;
}

void TRegistry::PutData(const String& name, const void* buffer, DWORD size, DWORD type) {
  if (RegSetValueExW(FCurrentKey, W(name), 0, type, static_cast<const BYTE*>(buffer), size) != ERROR_SUCCESS)
    throw ERegistryException(u"Failed to set data for " + Quoted(name));
}

String TRegistry::ReadString(const String& name) {
  std::string data;
  DWORD type = 0;
  if (!GetData(name, data, type) || data.empty()) return String();
  if (type != REG_SZ && type != REG_EXPAND_SZ) ReadError(name);
  String text(data.size() / 2, u'\0');
  for (size_t i = 0; i < text.size(); ++i)
    text[i] = static_cast<char16_t>(static_cast<unsigned char>(data[2 * i]) |
                                    (static_cast<unsigned char>(data[2 * i + 1]) << 8));
  size_t nul = text.find(u'\0');
  if (nul != String::npos) text.resize(nul);
  return text;
}

void TRegistry::WriteString(const String& name, const String& value) {
  PutData(name, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(char16_t)), REG_SZ);
}

void TRegistry::WriteExpandString(const String& name, const String& value) {
  PutData(name, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(char16_t)), REG_EXPAND_SZ);
}

int TRegistry::ReadInteger(const String& name) {
  std::string data;
  DWORD type = 0;
  if (!GetData(name, data, type)) throw ERegistryException(u"Failed to get data for " + Quoted(name));
  if (type != REG_DWORD || data.size() != sizeof(DWORD)) ReadError(name);
  DWORD value = 0;
  std::memcpy(&value, data.data(), sizeof value);
  return static_cast<int>(value);
}

void TRegistry::WriteInteger(const String& name, int value) {
  DWORD data = static_cast<DWORD>(value);
  PutData(name, &data, sizeof data, REG_DWORD);
}

int TRegistry::ReadBinaryData(const String& name, void* buffer, int bufSize) {
  std::string data;
  DWORD type = 0;
  if (!GetData(name, data, type)) throw ERegistryException(u"Failed to get data for " + Quoted(name));
  if ((type != REG_BINARY && type != REG_NONE) || data.size() > static_cast<size_t>(bufSize < 0 ? 0 : bufSize))
    ReadError(name);
  if (!data.empty()) std::memcpy(buffer, data.data(), data.size());
  return static_cast<int>(data.size());
}

void TRegistry::WriteBinaryData(const String& name, const void* buffer, int bufSize) {
  PutData(name, buffer, static_cast<DWORD>(bufSize < 0 ? 0 : bufSize), REG_BINARY);
}

// ---- TRegIniFile ----------------------------------------------------------------

TRegIniFile::TRegIniFile(const String& fileName, REGSAM access) : TRegistry(access), FFileName(fileName) {
  OpenKey(fileName, true);
}

template <class F>
bool TRegIniFile::InSection(const String& section, bool create, F&& body) {
  if (section.empty()) {
    body();
    return true;
  }
  if (create) CreateKey(section);
  HKEY key = GetKey(section);
  if (!key) return false;
  // Swap the section in as the current key without closing the open key.
  HKEY saved = CurrentKey();
  String savedPath = CurrentPath();
  struct Restore {
    TRegIniFile* self;
    HKEY saved, key;
    String path;
    ~Restore() {
      self->ReplaceCurrentKey(saved, path);
      RegCloseKey(key);
    }
  } restore{this, saved, key, savedPath};
  ReplaceCurrentKey(key, savedPath.empty() ? section : savedPath + u'\\' + section);
  body();
  return true;
}

String TRegIniFile::ReadString(const String& section, const String& ident, const String& defaultValue) {
  String result = defaultValue;
  InSection(section, false, [&] {
    if (ValueExists(ident)) result = TRegistry::ReadString(ident);
  });
  return result;
}

void TRegIniFile::WriteString(const String& section, const String& ident, const String& value) {
  InSection(section, true, [&] { TRegistry::WriteString(ident, value); });
}

int TRegIniFile::ReadInteger(const String& section, const String& ident, int defaultValue) {
  int result = defaultValue;
  InSection(section, false, [&] {
    if (!ValueExists(ident)) return;
    if (GetDataType(ident) == TRegDataType::rdInteger)
      result = TRegistry::ReadInteger(ident);
    else
      result = StrToIntDef(TRegistry::ReadString(ident), defaultValue);
  });
  return result;
}

void TRegIniFile::WriteInteger(const String& section, const String& ident, int value) {
  WriteString(section, ident, IntToStr(value));
}

bool TRegIniFile::ReadBool(const String& section, const String& ident, bool defaultValue) {
  return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void TRegIniFile::WriteBool(const String& section, const String& ident, bool value) {
  WriteString(section, ident, value ? u"1" : u"0");
}

void TRegIniFile::ReadSection(const String& section, TStrings& strings) {
  if (!InSection(section, false, [&] { GetValueNames(strings); })) strings.Clear();
}

void TRegIniFile::ReadSections(TStrings& strings) { GetKeyNames(strings); }

void TRegIniFile::ReadSectionValues(const String& section, TStrings& strings) {
  TStringList names;
  ReadSection(section, names);
  strings.BeginUpdate();
  strings.Clear();
  for (int i = 0; i < names.Count(); ++i)
    strings.Add(names[i] + u'=' + ReadString(section, names[i], String()));
  strings.EndUpdate();
}

void TRegIniFile::EraseSection(const String& section) { TRegistry::DeleteKey(section); }

void TRegIniFile::DeleteKey(const String& section, const String& ident) {
  InSection(section, false, [&] { DeleteValue(ident); });
}
