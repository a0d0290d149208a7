#pragma once
// The Windows registry: TRegistry works on one open key below a root key;
// TRegIniFile gives it the section-and-entry face of an INI file, a
// section being a subkey of the open key and an entry a named value.
#include "platform/classes/Component.h"
#include "platform/classes/Strings.h"
#include "platform/rtl/Exceptions.h"
#include <windows.h>

class ERegistryException : public Exception { using Exception::Exception; };

enum class TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

class TRegistry : public TObject {
public:
  // Root HKEY_CURRENT_USER, no key open.
  explicit TRegistry(REGSAM access = KEY_ALL_ACCESS);
  ~TRegistry() override;

  HKEY RootKey() const { return FRootKey; }
  void SetRootKey(HKEY value);  // closes the open key
  HKEY CurrentKey() const { return FCurrentKey; }
  const String& CurrentPath() const { return FCurrentPath; }
  REGSAM Access() const { return FAccess; }
  void SetAccess(REGSAM value) { FAccess = value; }

  // A key starting with '\' is taken from the root, any other from the open
  // key (or the root when none is open). False when it cannot be opened.
  bool OpenKey(const String& key, bool canCreate);
  bool OpenKeyReadOnly(const String& key);
  void CloseKey();
  bool CreateKey(const String& key);
  bool DeleteKey(const String& key);  // with all its subkeys
  bool KeyExists(const String& key);
  bool HasSubKeys();
  void GetKeyNames(TStrings& strings);
  void GetValueNames(TStrings& strings);

  bool ValueExists(const String& name);
  bool DeleteValue(const String& name);
  TRegDataType GetDataType(const String& name);
  int GetDataSize(const String& name);  // -1 when the value does not exist

  // Reading a missing string gives ""; a missing integer or a value of
  // another type raises ERegistryException, as does a failed write.
  String ReadString(const String& name);
  void WriteString(const String& name, const String& value);
  void WriteExpandString(const String& name, const String& value);
  int ReadInteger(const String& name);
  void WriteInteger(const String& name, int value);
  bool ReadBool(const String& name) { return ReadInteger(name) != 0; }
  void WriteBool(const String& name, bool value) { WriteInteger(name, value ? 1 : 0); }
  // Returns the bytes read; raises when the value is bigger than bufSize.
  int ReadBinaryData(const String& name, void* buffer, int bufSize);
  void WriteBinaryData(const String& name, const void* buffer, int bufSize);

protected:
  // Opens key relative to the open key for the INI-style access; 0 when absent.
  HKEY GetKey(const String& key);
  void ChangeKey(HKEY value, const String& path);
  // Makes key current without closing the one it replaces.
  void ReplaceCurrentKey(HKEY key, const String& path) {
    FCurrentKey = key;
    FCurrentPath = path;
  }
  HKEY GetBaseKey(bool relative) const;

private:
  void PutData(const String& name, const void* buffer, DWORD size, DWORD type);
  // Reads the value; false when it does not exist.
  bool GetData(const String& name, std::string& data, DWORD& type);

  HKEY FRootKey;
  HKEY FCurrentKey = nullptr;
  String FCurrentPath;
  REGSAM FAccess;
  bool FCloseRootKey = false;
};

class TRegIniFile : public TRegistry {
public:
  // Opens (creating) fileName below HKEY_CURRENT_USER.
  explicit TRegIniFile(const String& fileName, REGSAM access = KEY_ALL_ACCESS);
  const String& FileName() const { return FFileName; }

  using TRegistry::ReadString;
  using TRegistry::WriteString;
  using TRegistry::ReadInteger;
  using TRegistry::WriteInteger;
  using TRegistry::ReadBool;
  using TRegistry::WriteBool;
  using TRegistry::DeleteKey;

  // An empty section means the open key itself.
  String ReadString(const String& section, const String& ident, const String& defaultValue);
  void WriteString(const String& section, const String& ident, const String& value);
  // Integers are stored as decimal text; integer values are read too.
  int ReadInteger(const String& section, const String& ident, int defaultValue);
  void WriteInteger(const String& section, const String& ident, int value);
  bool ReadBool(const String& section, const String& ident, bool defaultValue);
  void WriteBool(const String& section, const String& ident, bool value);
  void ReadSection(const String& section, TStrings& strings);  // value names
  void ReadSections(TStrings& strings);                         // subkey names
  void ReadSectionValues(const String& section, TStrings& strings);
  void EraseSection(const String& section);
  void DeleteKey(const String& section, const String& ident);

private:
  // Runs body with the section's key as the current key; false when the
  // section cannot be opened (or created, when create is true).
  template <class F>
  bool InSection(const String& section, bool create, F&& body);

  String FFileName;
};
