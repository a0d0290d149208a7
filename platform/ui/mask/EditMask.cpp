#include "platform/ui/mask/EditMask.h"
#include <algorithm>
#include <cstddef>

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Letters as the masks understand them: ASCII, Latin-1 and the Latin,
// Greek and Cyrillic blocks beyond.
bool IsLetter(char16_t c) {
  if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z')) return true;
  if (c >= 0xC0 && c <= 0xFF) return c != 0xD7 && c != 0xF7;
  if (c == 0xAA || c == 0xB5 || c == 0xBA) return true;
  return (c >= 0x100 && c <= 0x24F) || (c >= 0x370 && c <= 0x3FF && c != 0x37E && c != 0x387) ||
         (c >= 0x400 && c <= 0x52F);
}

char16_t ToUpper(char16_t c) {
  if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return static_cast<char16_t>(c - 32);
  if (c == 0xFF) return 0x178;
  if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 && c != 0x17F) {
    // Latin Extended-A pairs: even upper / odd lower, shifted by one in
    // the two runs that start on an odd code point.
    bool oddRun = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    bool isLower = oddRun ? (c % 2 == 0) : (c % 2 == 1);
    return isLower ? static_cast<char16_t>(c - 1) : c;
  }
  if (c >= 0x430 && c <= 0x44F) return static_cast<char16_t>(c - 32);
  if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return static_cast<char16_t>(c - 32);
  return c;
}

char16_t ToLower(char16_t c) {
  if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return static_cast<char16_t>(c + 32);
  if (c == 0x178) return 0xFF;
  if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 && c != 0x17F) {
    bool oddRun = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    bool isUpper = oddRun ? (c % 2 == 1) : (c % 2 == 0);
    return isUpper ? static_cast<char16_t>(c + 1) : c;
  }
  if (c >= 0x410 && c <= 0x42F) return static_cast<char16_t>(c + 32);
  if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return static_cast<char16_t>(c + 32);
  return c;
}

// A ';' counts as a field separator only among the last four characters and
// when not escaped.
bool IsSeparatorAt(const String& m, size_t i) {
  if (m.size() < 4 || i >= m.size() || i + 4 < m.size() || m[i] != u';') return false;
  bool escaped = i >= 1 && m[i - 1] == u'\\' && !(i >= 2 && m[i - 2] == u'\\');
  return !escaped;
}

}  // namespace

TEditMask::TEditMask(const String& editMask) : FMask(editMask) {
  const size_t n = FMask.size();
  // Fields: the separators among the last four characters, latest first.
  std::vector<size_t> separators;
  for (size_t k = 0; k < 4 && k < n; ++k) {
    size_t i = n - 1 - k;
    if (IsSeparatorAt(FMask, i)) separators.push_back(i);
  }
  size_t pictureEnd = n;
  if (!separators.empty()) {
    size_t first = separators.back();
    pictureEnd = first;
    if (first + 1 < n && !IsSeparatorAt(FMask, first + 1)) FSaveLiterals = FMask[first + 1] != u'0';
    if (n >= 4 && IsSeparatorAt(FMask, n - 2) && (IsSeparatorAt(FMask, n - 3) || IsSeparatorAt(FMask, n - 4)))
      FBlank = FMask[n - 1];
  }

  CaseMode mode = CaseMode::None;
  for (size_t i = 0; i < pictureEnd; ++i) {
    char16_t c = FMask[i];
    switch (c) {
      case u'\\':
        if (i + 1 < pictureEnd) FPositions.push_back({Kind::Literal, FMask[++i], mode});
        break;
      case u'!': FReverse = true; break;
      case u'>': mode = (i > 0 && FMask[i - 1] == u'<') ? CaseMode::None : CaseMode::Upper; break;
      case u'<': mode = CaseMode::Lower; break;
      case u'L': case u'A': case u'C': case u'0':
        FPositions.push_back({Kind::Required, c, mode});
        break;
      case u'l': case u'a': case u'c': case u'9': case u'#':
        FPositions.push_back({Kind::Optional, c, mode});
        break;
      default: FPositions.push_back({Kind::Literal, c, mode}); break;
    }
  }
}

bool TEditMask::IsLiteral(int pos) const {
  return pos >= 0 && pos < EditLength() && FPositions[pos].Type == Kind::Literal;
}

char16_t TEditMask::LiteralChar(int pos) const { return IsLiteral(pos) ? FPositions[pos].Char : 0; }

bool TEditMask::IsRequired(int pos) const {
  return pos >= 0 && pos < EditLength() && FPositions[pos].Type == Kind::Required;
}

bool TEditMask::AcceptChar(int pos, char16_t& ch) const {
  if (pos < 0 || pos >= EditLength() || ch < 32) return false;
  const Position& p = FPositions[pos];
  if (p.Type == Kind::Literal) return false;
  auto applyCase = [&](char16_t c) {
    return p.Case == CaseMode::Upper ? ToUpper(c) : p.Case == CaseMode::Lower ? ToLower(c) : c;
  };
  switch (p.Char) {
    case u'0': case u'9': return IsDigit(ch);
    case u'#': return IsDigit(ch) || ch == u' ' || ch == u'+' || ch == u'-';
    case u'C': case u'c':
      if (IsLetter(ch)) ch = applyCase(ch);
      return true;
    case u'L': case u'l':
      if (!IsLetter(ch)) return false;
      ch = applyCase(ch);
      return true;
    default:  // A, a
      if (IsLetter(ch)) {
        ch = applyCase(ch);
        return true;
      }
      return IsDigit(ch);
  }
}

int TEditMask::NextInputPos(int pos) const {
  if (pos < 0) pos = 0;
  while (pos < EditLength() && FPositions[pos].Type == Kind::Literal) ++pos;
  return pos;
}

int TEditMask::PrevInputPos(int pos) const {
  if (pos > EditLength()) pos = EditLength();
  for (--pos; pos >= 0; --pos)
    if (FPositions[pos].Type != Kind::Literal) return pos;
  return -1;
}

String TEditMask::BlankEditText() const { return InsertLiterals(String(), FBlank); }

String TEditMask::InsertLiterals(const String& value, char16_t blank) const {
  const int n = EditLength();
  if (!FReverse) {
    String out;
    size_t j = 0;
    for (int i = 0; i < n; ++i) {
      if (FPositions[i].Type == Kind::Literal)
        out += FPositions[i].Char;
      else
        out += j < value.size() ? value[j++] : blank;
    }
    // Characters beyond the picture stay, as typed.
    out.append(value, j, String::npos);
    return out;
  }
  // From the end: the value is right-aligned and short values are padded
  // at the front.
  String reversed;
  std::ptrdiff_t j = static_cast<ptrdiff_t>(value.size()) - 1;
  for (int i = n - 1; i >= 0; --i) {
    if (FPositions[i].Type == Kind::Literal)
      reversed += FPositions[i].Char;
    else
      reversed += j >= 0 ? value[j--] : blank;
  }
  String out = value.substr(0, static_cast<size_t>(j + 1));
  out.append(reversed.rbegin(), reversed.rend());
  return out;
}

String TEditMask::AlignToLiterals(const String& value, char16_t blank) const {
  const int n = EditLength();
  String out;
  size_t j = 0;
  for (int i = 0; i < n;) {
    if (FPositions[i].Type == Kind::Literal) {
      out += FPositions[i].Char;
      if (j < value.size() && value[j] == FPositions[i].Char) ++j;
      ++i;
      continue;
    }
    int k = i;
    while (k < n && FPositions[k].Type != Kind::Literal) ++k;
    size_t run = static_cast<size_t>(k - i);
    size_t end = k < n ? value.find(FPositions[k].Char, j) : String::npos;
    if (end == String::npos || end - j > run) end = std::min(value.size(), j + run);
    String segment = value.substr(j, end - j);
    j = end;
    String pad(run - segment.size(), blank);
    out += FReverse ? pad + segment : segment + pad;
    i = k;
  }
  return out;
}

String TEditMask::RemoveLiterals(const String& editText) const {
  String out;
  for (size_t i = 0; i < editText.size(); ++i)
    if (static_cast<int>(i) >= EditLength() || FPositions[i].Type != Kind::Literal) out += editText[i];
  return out;
}

String TEditMask::StripLiterals(const String& editText) const {
  String out = RemoveLiterals(editText);
  for (char16_t& c : out)
    if (c == FBlank) c = u' ';
  return out;
}

String TEditMask::EditTextFromText(const String& text) const {
  if (!IsMasked()) return text;
  return FSaveLiterals ? AlignToLiterals(text, FBlank) : InsertLiterals(text, FBlank);
}

String TEditMask::TextFromEditText(const String& editText) const {
  if (!IsMasked()) return editText;
  String s = RemoveLiterals(editText);
  if (FReverse) {
    size_t first = s.find_first_not_of(FBlank);
    s.erase(0, first == String::npos ? s.size() : first);
  } else {
    size_t last = s.find_last_not_of(FBlank);
    s.erase(last == String::npos ? 0 : last + 1);
  }
  for (char16_t& c : s)
    if (c == FBlank) c = u' ';
  return FSaveLiterals ? InsertLiterals(s, u' ') : s;
}

bool TEditMask::Validate(const String& editText, int* errorPos) const {
  if (editText.empty()) return true;
  for (int i = 0; i < EditLength(); ++i) {
    if (FPositions[i].Type != Kind::Required) continue;
    char16_t c = i < static_cast<int>(editText.size()) ? editText[i] : FBlank;
    if (c == FBlank || (c == u' ' && FPositions[i].Char != u'C')) {
      if (errorPos) *errorPos = i;
      return false;
    }
  }
  return true;
}

bool TEditMask::InputChar(String& editText, int& pos, char16_t ch) const {
  const int n = EditLength();
  if (static_cast<int>(editText.size()) < n) editText += BlankEditText().substr(editText.size());
  if (pos < 0) pos = 0;
  if (pos < n && FPositions[pos].Type == Kind::Literal && FPositions[pos].Char == ch) {
    pos = NextInputPos(pos + 1);
    return true;
  }
  int p = NextInputPos(pos);
  char16_t stored = ch;
  if (p < n && AcceptChar(p, stored)) {
    editText[p] = stored;
    pos = NextInputPos(p + 1);
    return true;
  }
  // Typing a separator that lies ahead jumps past it ("5/" in a date).
  for (int i = pos; i < n; ++i) {
    if (FPositions[i].Type == Kind::Literal && FPositions[i].Char == ch) {
      pos = NextInputPos(i + 1);
      return true;
    }
  }
  return false;
}

void TEditMask::ClearRange(String& editText, int start, int length) const {
  if (start < 0) {
    length += start;
    start = 0;
  }
  int end = std::min(start + std::max(length, 0), static_cast<int>(editText.size()));
  for (int i = start; i < end; ++i)
    if (i >= EditLength() || FPositions[i].Type != Kind::Literal) editText[i] = FBlank;
}

String FormatMaskText(const String& editMask, const String& value) {
  TEditMask mask(editMask);
  if (!mask.IsMasked()) return value;
  return mask.SaveLiterals() ? mask.AlignToLiterals(value, u' ') : mask.InsertLiterals(value, u' ');
}
