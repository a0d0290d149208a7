#pragma once
// Byte encodings of the text files the system reads and writes.
#include "platform/rtl/String.h"

enum class TTextEncoding {
  UTF8,     // no byte-order mark
  UTF8BOM,  // with the EF BB BF mark
  ANSI,     // Windows-1252
  UTF16LE,  // with the FF FE mark
};

// Detects the encoding: a UTF-16 LE or UTF-8 mark, otherwise valid UTF-8,
// otherwise Windows-1252. ASCII-only text reports ANSI.
TTextEncoding DetectTextEncoding(std::string_view bytes);
String DecodeText(std::string_view bytes, TTextEncoding* detected = nullptr);
std::string EncodeText(StringView text, TTextEncoding encoding);
// True when every character of text survives a round trip through
// Windows-1252.
bool FitsAnsi(StringView text);
