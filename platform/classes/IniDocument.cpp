#include "platform/classes/IniDocument.h"

namespace {

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t'; }

StringView Trim(StringView s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

char16_t Fold(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 32);
  // Latin-1 lower-case letters, except the sharp s and the y with diaeresis.
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 32);
  return c;
}

}  // namespace

bool IniDocument::SameName(StringView a, StringView b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Fold(a[i]) != Fold(b[i])) return false;
  return true;
}

void IniDocument::SetText(const String& text) {
  FLines.clear();
  size_t start = 0;
  while (start < text.size()) {
    size_t end = start;
    while (end < text.size() && text[end] != u'\r' && text[end] != u'\n') ++end;
    FLines.emplace_back(text.substr(start, end - start));
    if (end < text.size() && text[end] == u'\r') ++end;
    if (end < text.size() && text[end] == u'\n') ++end;
    start = end;
  }
}

String IniDocument::Text() const {
  String out;
  for (const String& line : FLines) {
    out += line;
    out += u"\r\n";
  }
  return out;
}

bool IniDocument::IsHeader(StringView line, String* name) {
  line = Trim(line);
  if (line.size() < 2 || line.front() != u'[') return false;
  size_t close = line.find(u']');
  if (close == StringView::npos) return false;
  if (name) *name = String(Trim(line.substr(1, close - 1)));
  return true;
}

bool IniDocument::IsKeyLine(StringView line, String* key, String* value) {
  StringView t = Trim(line);
  if (t.empty() || t.front() == u';' || t.front() == u'#') return false;
  size_t eq = t.find(u'=');
  if (eq == StringView::npos) return false;
  if (key) *key = String(Trim(t.substr(0, eq)));
  if (value) *value = String(Trim(t.substr(eq + 1)));
  return true;
}

int IniDocument::FindSection(StringView section) const {
  String name;
  StringView wanted = Trim(section);
  for (size_t i = 0; i < FLines.size(); ++i)
    if (IsHeader(FLines[i], &name) && SameName(name, wanted)) return static_cast<int>(i);
  return -1;
}

int IniDocument::SectionEnd(int header) const {
  int i = header + 1;
  while (i < static_cast<int>(FLines.size()) && !IsHeader(FLines[static_cast<size_t>(i)], nullptr)) ++i;
  return i;
}

int IniDocument::FindKey(int header, StringView key) const {
  String name;
  StringView wanted = Trim(key);
  int end = SectionEnd(header);
  for (int i = header + 1; i < end; ++i)
    if (IsKeyLine(FLines[static_cast<size_t>(i)], &name, nullptr) && SameName(name, wanted)) return i;
  return -1;
}

bool IniDocument::Read(StringView section, StringView key, String& value) const {
  int header = FindSection(section);
  if (header < 0) return false;
  int line = FindKey(header, key);
  if (line < 0) return false;
  IsKeyLine(FLines[static_cast<size_t>(line)], nullptr, &value);
  return true;
}

void IniDocument::Write(StringView section, StringView key, StringView value) {
  String newLine = String(Trim(key)) + u'=' + String(value);
  int header = FindSection(section);
  if (header < 0) {
    if (!FLines.empty() && !Trim(FLines.back()).empty()) FLines.emplace_back();
    FLines.push_back(u"[" + String(Trim(section)) + u"]");
    FLines.push_back(newLine);
    return;
  }
  int line = FindKey(header, key);
  if (line >= 0) {
    // Keep the key as the file spells it.
    String existing;
    IsKeyLine(FLines[static_cast<size_t>(line)], &existing, nullptr);
    FLines[static_cast<size_t>(line)] = existing + u'=' + String(value);
    return;
  }
  // After the section's last non-blank line, so the blank line that
  // separates it from the next section stays where it is.
  int insertAt = SectionEnd(header);
  while (insertAt > header + 1 && Trim(FLines[static_cast<size_t>(insertAt - 1)]).empty()) --insertAt;
  FLines.insert(FLines.begin() + insertAt, newLine);
}

bool IniDocument::DeleteKey(StringView section, StringView key) {
  int header = FindSection(section);
  if (header < 0) return false;
  int line = FindKey(header, key);
  if (line < 0) return false;
  FLines.erase(FLines.begin() + line);
  return true;
}

bool IniDocument::EraseSection(StringView section) {
  bool any = false;
  // Every copy of the section goes, so none shows through afterwards.
  for (int header = FindSection(section); header >= 0; header = FindSection(section)) {
    FLines.erase(FLines.begin() + header, FLines.begin() + SectionEnd(header));
    any = true;
  }
  return any;
}

std::vector<String> IniDocument::Sections() const {
  std::vector<String> out;
  String name;
  for (const String& line : FLines) {
    if (!IsHeader(line, &name)) continue;
    bool seen = false;
    for (const String& s : out) seen = seen || SameName(s, name);
    if (!seen) out.push_back(name);
  }
  return out;
}

std::vector<String> IniDocument::Keys(StringView section) const {
  std::vector<String> out;
  int header = FindSection(section);
  if (header < 0) return out;
  String key;
  int end = SectionEnd(header);
  for (int i = header + 1; i < end; ++i) {
    if (!IsKeyLine(FLines[static_cast<size_t>(i)], &key, nullptr)) continue;
    bool seen = false;
    for (const String& s : out) seen = seen || SameName(s, key);
    if (!seen) out.push_back(key);
  }
  return out;
}

std::vector<String> IniDocument::SectionValues(StringView section) const {
  std::vector<String> out;
  for (const String& key : Keys(section)) {
    String value;
    Read(section, key, value);
    out.push_back(key + u'=' + value);
  }
  return out;
}
