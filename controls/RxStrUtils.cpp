#include "controls/RxStrUtils.h"

#include "platform/rtl/StrUtils.h"

namespace {

bool SameWithJoker(char16_t maskChar, char16_t inputChar) {
  return maskChar == u'?' || maskChar == inputChar;
}

// Does `piece` match `input` at 0-based offset `at` ("?" matching anything)?
bool PieceAt(const String& input, size_t at, const String& piece) {
  if (at + piece.size() > input.size()) return false;
  for (size_t k = 0; k < piece.size(); ++k)
    if (!SameWithJoker(piece[k], input[at + k])) return false;
  return true;
}

}  // namespace

bool MatchMask(StringView inputView, StringView maskView, bool ignoreCase) {
  if (inputView == maskView) return true;
  String mask(maskView);
  for (size_t p = mask.find(u"**"); p != String::npos; p = mask.find(u"**"))
    mask.erase(p, 1);
  if (mask == u"*") return true;
  String input(inputView);
  if (ignoreCase) {
    input = AnsiUpperCase(input);
    mask = AnsiUpperCase(mask);
  }
  if (mask.empty() || input.empty()) return false;

  size_t m = 0;  // 0-based positions
  size_t i = 0;
  while (i < input.size() && m < mask.size()) {
    const char16_t c = mask[m];
    // A star in the mask is always a wildcard, even against a star in the
    // input.
    if (c == u'*') {
      const size_t next = mask.find(u'*', m + 1);
      const String piece =
          mask.substr(m + 1, next == String::npos ? String::npos : next - m - 1);
      if (next == String::npos) {
        // The rest of the mask must match the end of the input.
        const size_t rest = input.size() - i;
        if (piece.size() > rest) return false;
        return PieceAt(input, input.size() - piece.size(), piece);
      }
      size_t found = String::npos;
      for (size_t at = i; at + piece.size() <= input.size(); ++at) {
        if (PieceAt(input, at, piece)) {
          found = at;
          break;
        }
      }
      if (found == String::npos) return false;
      i = found + piece.size();
      m = next;
      continue;
    }
    if (!SameWithJoker(c, input[i])) return false;
    ++m;
    ++i;
  }
  if (i < input.size()) return false;
  if (m < mask.size()) return mask.back() == u'*';
  return true;
}
