#pragma once
// The text of an INI file as its lines, edited in place so that comments,
// blank lines and lines we do not understand survive a rewrite. Section and
// key names match case-insensitively (ASCII and Latin-1 letters), blanks
// around names and values are not part of them, and a value runs from the
// first '=' to the end of the line. The first of repeated sections or keys
// wins, as the system's profile routines do.
#include "platform/rtl/String.h"
#include <vector>

class IniDocument {
public:
  void SetText(const String& text);
  String Text() const;  // CRLF line ends
  void Clear() { FLines.clear(); }

  bool Read(StringView section, StringView key, String& value) const;
  void Write(StringView section, StringView key, StringView value);
  bool DeleteKey(StringView section, StringView key);
  bool EraseSection(StringView section);

  bool SectionExists(StringView section) const { return FindSection(section) >= 0; }
  std::vector<String> Sections() const;
  std::vector<String> Keys(StringView section) const;
  // "key=value" per key, values as stored.
  std::vector<String> SectionValues(StringView section) const;

  static bool SameName(StringView a, StringView b);

private:
  int FindSection(StringView section) const;
  // End (exclusive) of the section whose header is at index header.
  int SectionEnd(int header) const;
  int FindKey(int header, StringView key) const;
  static bool IsHeader(StringView line, String* name);
  static bool IsKeyLine(StringView line, String* key, String* value);

  std::vector<String> FLines;
};
