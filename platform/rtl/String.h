#pragma once
// Text types of the system. String is UTF-16 because the application counts
// characters the way the Win32 API does; AnsiString holds the bytes of file
// formats and of the text cipher (Windows-1252). Never use std::wstring:
// Winelib builds with a 2-byte wchar_t that libstdc++ does not know.
#include <string>
#include <string_view>

using String = std::u16string;
using AnsiString = std::string;
using StringView = std::u16string_view;

// UTF-8 is the database's wire encoding and the encoding of Linux paths.
String Utf8ToString(std::string_view utf8);
std::string StringToUtf8(StringView text);

// Windows-1252, the system's ANSI code page. Characters it cannot hold
// become '?'.
String AnsiToString(std::string_view ansi);
AnsiString StringToAnsi(StringView text);

// ASCII-only convenience for literals and numbers.
String AsciiToString(std::string_view ascii);
