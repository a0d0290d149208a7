#include "skin/engine/SkinOptionsReader.h"
#include "platform/classes/TextEncoding.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/graphics/Colors.h"
#include <locale>
#include <sstream>

std::unique_ptr<TacSkinIni> SkinOptions;

namespace {
const String Missing = u"?";
const String ParentKey = u"PARENTCLASS";

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

String TrimBlanks(const String& s, size_t from, size_t to) {
  while (from < to && IsBlank(s[from])) ++from;
  while (to > from && IsBlank(s[to - 1])) --to;
  return s.substr(from, to - from);
}

// The parent to follow from Section, or empty when the chain stops there.
String ParentOf(const TacSkinIni& Ini, const String& Section) {
  const String p = Ini.ReadString(Section, ParentKey, Missing);
  if (p.empty() || p == Missing || p == Section) return String();
  return p;
}

// Value of Key in Section or up its chain; Missing when none sets it.
// A cycle ends at the chain's limit with nothing found, as nothing on it
// set the key the first time round.
String FindInherited(const TacSkinIni& Ini, const String& Section, const String& Key) {
  String section = Section;
  for (int depth = 0; depth <= MaxParentChain && !section.empty(); ++depth) {
    const String v = Ini.ReadString(section, Key, Missing);
    if (v != Missing) return v;
    section = ParentOf(Ini, section);
  }
  return Missing;
}
}  // namespace

bool SkinIniInt(const String& Text, int& Value) {
  const String t = Trim(Text);
  if (t.empty()) return false;
  int64_t v = 0;
  bool hex = false;
  size_t start = 0;
  if (t[0] == u'$') {
    hex = true;
    start = 1;
  } else if (t.size() > 2 && t[0] == u'0' && (t[1] == u'x' || t[1] == u'X')) {
    hex = true;
    start = 2;
  }
  if (hex) {
    if (start >= t.size() || t.size() - start > 8) return false;
    uint32_t u = 0;
    for (size_t i = start; i < t.size(); ++i) {
      const char16_t c = t[i];
      int d;
      if (c >= u'0' && c <= u'9') d = c - u'0';
      else if (c >= u'a' && c <= u'f') d = c - u'a' + 10;
      else if (c >= u'A' && c <= u'F') d = c - u'A' + 10;
      else return false;
      u = u << 4 | static_cast<uint32_t>(d);
    }
    Value = static_cast<int>(u);
    return true;
  }
  size_t i = 0;
  const bool negative = t[0] == u'-';
  if (t[0] == u'-' || t[0] == u'+') i = 1;
  if (i >= t.size()) return false;
  for (; i < t.size(); ++i) {
    if (t[i] < u'0' || t[i] > u'9') return false;
    v = v * 10 + (t[i] - u'0');
    if (v > 2147483648LL) return false;
  }
  if (negative) v = -v;
  if (v > 2147483647LL || v < -2147483648LL) return false;
  Value = static_cast<int>(v);
  return true;
}

std::unique_ptr<TacSkinIni> TacSkinIni::FromBytes(const std::string& Bytes) {
  return std::make_unique<TacSkinIni>(DecodeText(Bytes));
}

void TacSkinIni::SetText(const String& Text) {
  FSections.clear();
  FIndex.clear();
  TSection* current = nullptr;
  size_t pos = 0;
  while (pos <= Text.size()) {
    size_t end = Text.find_first_of(u"\r\n", pos);
    if (end == String::npos) end = Text.size();
    const String line = TrimBlanks(Text, pos, end);
    pos = end + 1;
    if (end < Text.size() && Text[end] == u'\r' && pos < Text.size() && Text[pos] == u'\n') ++pos;
    if (line.empty() || line[0] == u';') continue;
    if (line[0] == u'[' && line.back() == u']' && line.size() >= 2) {
      const String name = TrimBlanks(line, 1, line.size() - 1);
      auto found = FIndex.find(name);
      if (found != FIndex.end()) {
        current = &FSections[found->second];
      } else {
        FIndex.emplace(name, FSections.size());
        FSections.push_back(TSection{name, {}, {}});
        current = &FSections.back();
      }
      continue;
    }
    if (!current) continue;
    const size_t eq = line.find(u'=');
    if (eq == String::npos) continue;
    String key = TrimBlanks(line, 0, eq);
    if (current->Index.count(key)) continue;
    current->Index.emplace(key, current->Entries.size());
    current->Entries.push_back(TEntry{std::move(key), TrimBlanks(line, eq + 1, line.size())});
  }
}

const TacSkinIni::TSection* TacSkinIni::Find(const String& Section) const {
  auto it = FIndex.find(Section);
  return it == FIndex.end() ? nullptr : &FSections[it->second];
}

bool TacSkinIni::SectionExists(const String& Section) const { return Find(Section) != nullptr; }

bool TacSkinIni::ValueExists(const String& Section, const String& Key) const {
  const TSection* s = Find(Section);
  return s && s->Index.count(Key);
}

String TacSkinIni::ReadString(const String& Section, const String& Key, const String& Default) const {
  const TSection* s = Find(Section);
  if (!s) return Default;
  auto it = s->Index.find(Key);
  return it == s->Index.end() ? Default : s->Entries[it->second].Value;
}

int TacSkinIni::ReadInteger(const String& Section, const String& Key, int Default) const {
  const TSection* s = Find(Section);
  if (!s) return Default;
  auto it = s->Index.find(Key);
  int v = Default;
  if (it == s->Index.end() || !SkinIniInt(s->Entries[it->second].Value, v)) return Default;
  return v;
}

std::vector<String> TacSkinIni::SectionNames() const {
  std::vector<String> names;
  names.reserve(FSections.size());
  for (const auto& s : FSections) names.push_back(s.Name);
  return names;
}

String ReadInheritedString(const TacSkinIni& Ini, const String& Section, const String& Key, const String& Default) {
  const String v = FindInherited(Ini, Section, Key);
  return v == Missing ? Default : v;
}

bool ReadInheritedBool(const TacSkinIni& Ini, const String& Section, const String& Key, bool Default) {
  const String v = FindInherited(Ini, Section, Key);
  if (v == Missing) return Default;
  return v == u"TRUE" || v == u"1";
}

int ReadInheritedInt(const TacSkinIni& Ini, const String& Section, const String& Key, int Default, int Max) {
  int v = Ini.ReadInteger(Section, Key, -1);
  if (v == -1) {
    String section = ParentOf(Ini, Section);
    for (int depth = 1; depth <= MaxParentChain && !section.empty() && v == -1; ++depth) {
      v = Ini.ReadInteger(section, Key, -1);
      section = ParentOf(Ini, section);
    }
    // Only an inherited system colour is resolved.
    v = v == -1 ? Default : v < 0 ? ColorToRGB(v) : v;
  }
  return v < Max ? v : Max;
}

double ReadSkinVersion(const TacSkinIni& Ini) {
  const String text = Ini.ReadString(u"GLOBALINFO", u"VERSION", String());
  std::istringstream in(StringToUtf8(text));
  in.imbue(std::locale::classic());
  double value = 0;
  if (!(in >> value)) return 0;
  return value;
}
