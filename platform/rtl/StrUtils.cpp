#include "platform/rtl/StrUtils.h"

#include <algorithm>

namespace {

// Clamps a 1-based index and count to a 0-based [start, start + n) range.
void Range(StringView s, int index, int count, size_t& start, size_t& n) {
  if (index < 1) index = 1;
  start = std::min(static_cast<size_t>(index - 1), s.size());
  n = count <= 0 ? 0 : std::min(static_cast<size_t>(count), s.size() - start);
}

char16_t AsciiUpper(char16_t c) { return c >= u'a' && c <= u'z' ? c - 32 : c; }
char16_t AsciiLower(char16_t c) { return c >= u'A' && c <= u'Z' ? c + 32 : c; }

// Letter without its accent, for the primary weight of a comparison.
char16_t BaseLetter(char16_t c) {
  static const char16_t kLatin1[64] = {
      u'A', u'A', u'A', u'A', u'A', u'A', u'A', u'C', u'E', u'E', u'E', u'E', u'I', u'I', u'I', u'I',
      u'D', u'N', u'O', u'O', u'O', u'O', u'O', 0xD7, u'O', u'U', u'U', u'U', u'U', u'Y', 0xDE, 0xDF,
      u'A', u'A', u'A', u'A', u'A', u'A', u'A', u'C', u'E', u'E', u'E', u'E', u'I', u'I', u'I', u'I',
      u'D', u'N', u'O', u'O', u'O', u'O', u'O', 0xF7, u'O', u'U', u'U', u'U', u'U', u'Y', 0xDE, u'Y'};
  if (c >= 0xC0 && c <= 0xFF) return kLatin1[c - 0xC0];
  return AnsiUpperChar(c);
}

}  // namespace

int Length(StringView s) { return static_cast<int>(s.size()); }

String Copy(StringView s, int index, int count) {
  size_t start, n;
  Range(s, index, count, start, n);
  return String(s.substr(start, n));
}

String LeftStr(StringView s, int count) { return Copy(s, 1, count); }

String RightStr(StringView s, int count) {
  if (count <= 0) return String();
  size_t n = std::min(static_cast<size_t>(count), s.size());
  return String(s.substr(s.size() - n));
}

String MidStr(StringView s, int index, int count) { return Copy(s, index, count); }

int Pos(StringView sub, StringView s, int offset) {
  if (sub.empty() || offset < 1 || static_cast<size_t>(offset) > s.size()) return 0;
  size_t p = s.find(sub, offset - 1);
  return p == StringView::npos ? 0 : static_cast<int>(p) + 1;
}

int Pos(char16_t c, StringView s, int offset) { return Pos(StringView(&c, 1), s, offset); }

int LastDelimiter(StringView delimiters, StringView s) {
  size_t p = s.find_last_of(delimiters);
  return p == StringView::npos ? 0 : static_cast<int>(p) + 1;
}

void Delete(String& s, int index, int count) {
  if (index < 1 || static_cast<size_t>(index) > s.size() || count <= 0) return;
  s.erase(index - 1, std::min(static_cast<size_t>(count), s.size() - (index - 1)));
}

void Insert(StringView sub, String& s, int index) {
  if (index < 1) index = 1;
  size_t at = std::min(static_cast<size_t>(index - 1), s.size());
  s.insert(at, sub.data(), sub.size());
}

String Trim(StringView s) { return TrimLeft(TrimRight(s)); }

String TrimLeft(StringView s) {
  size_t i = 0;
  while (i < s.size() && s[i] <= u' ') ++i;
  return String(s.substr(i));
}

String TrimRight(StringView s) {
  size_t n = s.size();
  while (n > 0 && s[n - 1] <= u' ') --n;
  return String(s.substr(0, n));
}

String UpperCase(StringView s) {
  String r(s);
  for (char16_t& c : r) c = AsciiUpper(c);
  return r;
}

String LowerCase(StringView s) {
  String r(s);
  for (char16_t& c : r) c = AsciiLower(c);
  return r;
}

char16_t UpCase(char16_t c) { return AsciiUpper(c); }

char16_t AnsiUpperChar(char16_t c) {
  if (c < 0x80) return AsciiUpper(c);
  if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 0x20;
  if (c == 0xFF) return 0x178;
  if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return c & ~1;
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c : c - 1;
  if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return c - 0x20;
  if (c >= 0x430 && c <= 0x44F) return c - 0x20;
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;
  return c;
}

char16_t AnsiLowerChar(char16_t c) {
  if (c < 0x80) return AsciiLower(c);
  if ((c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
  if (c == 0x178) return 0xFF;
  if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return c | 1;
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c + 1 : c;
  if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 0x20;
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  return c;
}

String AnsiUpperCase(StringView s) {
  String r(s);
  for (char16_t& c : r) c = AnsiUpperChar(c);
  return r;
}

String AnsiLowerCase(StringView s) {
  String r(s);
  for (char16_t& c : r) c = AnsiLowerChar(c);
  return r;
}

String StringOfChar(char16_t c, int count) { return count > 0 ? String(count, c) : String(); }

String DupeString(StringView s, int count) {
  String r;
  for (int i = 0; i < count; ++i) r.append(s);
  return r;
}

String QuotedStr(StringView s) { return AnsiQuotedStr(s, u'\''); }

String AnsiQuotedStr(StringView s, char16_t quote) {
  String r(1, quote);
  for (char16_t c : s) {
    r.push_back(c);
    if (c == quote) r.push_back(c);
  }
  r.push_back(quote);
  return r;
}

String StringReplace(StringView s, StringView oldPattern, StringView newPattern,
                     TReplaceFlags flags) {
  if (oldPattern.empty()) return String(s);
  const bool ignoreCase = flags.Contains(rfIgnoreCase);
  const String haystack = ignoreCase ? AnsiUpperCase(s) : String(s);
  const String needle = ignoreCase ? AnsiUpperCase(oldPattern) : String(oldPattern);
  String r;
  size_t from = 0;
  while (true) {
    size_t p = haystack.find(needle, from);
    if (p == String::npos) break;
    r.append(s.substr(from, p - from));
    r.append(newPattern);
    from = p + needle.size();
    if (!flags.Contains(rfReplaceAll)) break;
  }
  r.append(s.substr(from));
  return r;
}

int CompareStr(StringView a, StringView b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i)
    if (a[i] != b[i]) return static_cast<int>(a[i]) - static_cast<int>(b[i]);
  return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

int CompareText(StringView a, StringView b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    char16_t x = AsciiUpper(a[i]), y = AsciiUpper(b[i]);
    if (x != y) return static_cast<int>(x) - static_cast<int>(y);
  }
  return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

bool SameStr(StringView a, StringView b) { return a == b; }
bool SameText(StringView a, StringView b) { return a.size() == b.size() && CompareText(a, b) == 0; }

int AnsiCompareText(StringView a, StringView b) {
  // Primary weight: letters without accents; then the accents decide.
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    char16_t x = BaseLetter(a[i]), y = BaseLetter(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  for (size_t i = 0; i < n; ++i) {
    char16_t x = AnsiUpperChar(a[i]), y = AnsiUpperChar(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return 0;
}

int AnsiCompareStr(StringView a, StringView b) {
  int r = AnsiCompareText(a, b);
  if (r != 0) return r;
  // Same letters: lower case sorts before upper case, as the system does.
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i]) return AnsiLowerChar(a[i]) == a[i] ? -1 : 1;
  return 0;
}

bool AnsiSameText(StringView a, StringView b) { return AnsiUpperCase(a) == AnsiUpperCase(b); }

int AnsiPos(StringView sub, StringView s) { return Pos(sub, s); }

bool IsDigitString(StringView s) {
  if (s.empty()) return false;
  for (char16_t c : s)
    if (c < u'0' || c > u'9') return false;
  return true;
}
