#include "platform/classes/TextEncoding.h"

namespace {

bool StartsWith(std::string_view bytes, std::string_view prefix) {
  return bytes.size() >= prefix.size() && bytes.substr(0, prefix.size()) == prefix;
}

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16Bom = "\xFF\xFE";

// Strict enough to tell real UTF-8 from Windows-1252 text: overlong forms
// and surrogates are rejected, as 1252 byte pairs rarely form them.
bool IsValidUtf8(std::string_view bytes, bool& hasMultiByte) {
  hasMultiByte = false;
  size_t i = 0;
  while (i < bytes.size()) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (c < 0x80) { ++i; continue; }
    int extra;
    char32_t cp;
    if (c >= 0xC2 && c <= 0xDF) { extra = 1; cp = c & 0x1F; }
    else if ((c & 0xF0) == 0xE0) { extra = 2; cp = c & 0x0F; }
    else if (c >= 0xF0 && c <= 0xF4) { extra = 3; cp = c & 0x07; }
    else return false;
    if (i + extra >= bytes.size()) return false;
    for (int k = 1; k <= extra; ++k) {
      unsigned char cc = static_cast<unsigned char>(bytes[i + k]);
      if ((cc & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (cc & 0x3F);
    }
    if (extra == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) return false;
    if (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) return false;
    hasMultiByte = true;
    i += extra + 1;
  }
  return true;
}

}  // namespace

TTextEncoding DetectTextEncoding(std::string_view bytes) {
  if (StartsWith(bytes, kUtf8Bom)) return TTextEncoding::UTF8BOM;
  if (StartsWith(bytes, kUtf16Bom)) return TTextEncoding::UTF16LE;
  bool multiByte = false;
  if (IsValidUtf8(bytes, multiByte) && multiByte) return TTextEncoding::UTF8;
  return TTextEncoding::ANSI;
}

String DecodeText(std::string_view bytes, TTextEncoding* detected) {
  TTextEncoding encoding = DetectTextEncoding(bytes);
  if (detected) *detected = encoding;
  switch (encoding) {
    case TTextEncoding::UTF8BOM:
      return Utf8ToString(bytes.substr(kUtf8Bom.size()));
    case TTextEncoding::UTF8:
      return Utf8ToString(bytes);
    case TTextEncoding::UTF16LE: {
      String out;
      for (size_t i = kUtf16Bom.size(); i + 1 < bytes.size(); i += 2)
        out.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                            (static_cast<unsigned char>(bytes[i + 1]) << 8)));
      return out;
    }
    case TTextEncoding::ANSI:
      break;
  }
  return AnsiToString(bytes);
}

std::string EncodeText(StringView text, TTextEncoding encoding) {
  switch (encoding) {
    case TTextEncoding::UTF8:
      return StringToUtf8(text);
    case TTextEncoding::UTF8BOM:
      return std::string(kUtf8Bom) + StringToUtf8(text);
    case TTextEncoding::UTF16LE: {
      std::string out(kUtf16Bom);
      for (char16_t c : text) {
        out.push_back(static_cast<char>(c & 0xFF));
        out.push_back(static_cast<char>(c >> 8));
      }
      return out;
    }
    case TTextEncoding::ANSI:
      break;
  }
  return StringToAnsi(text);
}

bool FitsAnsi(StringView text) {
  return AnsiToString(StringToAnsi(text)) == text;
}
