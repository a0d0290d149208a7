#pragma once
// INI files: sections in square brackets and key=value lines. TIniFile goes
// to the file on every call (missing file = empty); TMemIniFile reads the
// file once and writes it back on UpdateFile. Both keep comments and lines
// they do not understand when they rewrite a file, match section and key
// names case-insensitively, and let values contain '='.
#include "platform/classes/Component.h"
#include "platform/classes/IniDocument.h"
#include "platform/classes/Strings.h"
#include "platform/classes/TextEncoding.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"

class EIniFileException : public Exception { using Exception::Exception; };

class TCustomIniFile : public TObject {
public:
  explicit TCustomIniFile(const String& fileName) : FFileName(fileName) {}
  const String& FileName() const { return FFileName; }

  virtual String ReadString(const String& section, const String& ident, const String& defaultValue) const = 0;
  virtual void WriteString(const String& section, const String& ident, const String& value) = 0;
  // A value that is not a whole decimal (or $/0x hexadecimal) number reads
  // as the default; so do malformed numbers and dates below.
  virtual int ReadInteger(const String& section, const String& ident, int defaultValue) const;
  virtual void WriteInteger(const String& section, const String& ident, int value);
  // Reads an integer: non-zero is true; so "True" is not a number and gives
  // the default. Writes "1" or "0".
  virtual bool ReadBool(const String& section, const String& ident, bool defaultValue) const;
  virtual void WriteBool(const String& section, const String& ident, bool value);
  // Numbers, dates and times in the system's format settings.
  virtual double ReadFloat(const String& section, const String& ident, double defaultValue) const;
  virtual void WriteFloat(const String& section, const String& ident, double value);
  virtual TDateTime ReadDate(const String& section, const String& ident, TDateTime defaultValue) const;
  virtual void WriteDate(const String& section, const String& ident, TDateTime value);
  virtual TDateTime ReadDateTime(const String& section, const String& ident, TDateTime defaultValue) const;
  virtual void WriteDateTime(const String& section, const String& ident, TDateTime value);
  virtual TDateTime ReadTime(const String& section, const String& ident, TDateTime defaultValue) const;
  virtual void WriteTime(const String& section, const String& ident, TDateTime value);

  virtual bool SectionExists(const String& section) const;
  virtual bool ValueExists(const String& section, const String& ident) const;
  virtual void ReadSection(const String& section, TStrings& strings) const = 0;  // key names
  virtual void ReadSections(TStrings& strings) const = 0;
  virtual void ReadSectionValues(const String& section, TStrings& strings) const = 0;  // key=value
  virtual void EraseSection(const String& section) = 0;
  virtual void DeleteKey(const String& section, const String& ident) = 0;
  virtual void UpdateFile() = 0;

private:
  String FFileName;
};

// Reads and writes the file at once on every call. A bare file name (no
// folder) lives in the Windows folder, as the system's profile routines put
// it. On reading, blanks around the value and one pair of enclosing double
// or single quotes are removed. Raises EIniFileException ("Unable to write
// to <file>") when a write cannot be saved.
class TIniFile : public TCustomIniFile {
public:
  explicit TIniFile(const String& fileName);

  String ReadString(const String& section, const String& ident, const String& defaultValue) const override;
  void WriteString(const String& section, const String& ident, const String& value) override;
  void ReadSection(const String& section, TStrings& strings) const override;
  void ReadSections(TStrings& strings) const override;
  void ReadSectionValues(const String& section, TStrings& strings) const override;
  void EraseSection(const String& section) override;
  void DeleteKey(const String& section, const String& ident) override;
  void UpdateFile() override {}

  // The path the calls actually use.
  const String& Path() const { return FPath; }

private:
  IniDocument Load(TTextEncoding* encoding = nullptr, bool forWrite = false) const;
  void Save(const IniDocument& doc, TTextEncoding encoding) const;

  String FPath;
};

// The whole file in memory; UpdateFile writes it back (nothing is written
// on destruction). Values read back as stored, blanks around them removed.
class TMemIniFile : public TCustomIniFile {
public:
  explicit TMemIniFile(const String& fileName);

  String ReadString(const String& section, const String& ident, const String& defaultValue) const override;
  void WriteString(const String& section, const String& ident, const String& value) override;
  void ReadSection(const String& section, TStrings& strings) const override;
  void ReadSections(TStrings& strings) const override;
  void ReadSectionValues(const String& section, TStrings& strings) const override;
  void EraseSection(const String& section) override;
  void DeleteKey(const String& section, const String& ident) override;
  void UpdateFile() override;

  void Clear() {
    FDocument.Clear();
    FUnreadable = false;
  }
  void GetStrings(TStrings& strings) const { strings.SetText(FDocument.Text()); }
  void SetStrings(const TStrings& strings) {
    FDocument.SetText(strings.Text());
    FUnreadable = false;
  }

private:
  IniDocument FDocument;
  TTextEncoding FEncoding = TTextEncoding::ANSI;
  bool FUnreadable = false;
};
