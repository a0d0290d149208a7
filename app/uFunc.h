#pragma once
// Shared routines of the collection-point application: the text cipher,
// check digits, dates for SQL, text padding and accent removal, and the
// message boxes every window uses.
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/String.h"

// The program's one key word for the text cipher. Stored passwords and the
// enciphered values of the configuration file are bound to it: changing it
// makes every one of them unreadable.
inline constexpr StringView ChaveCriptografia = u"oxalis";

// Mode "E" enciphers, "D" deciphers; any other mode gives the empty text.
// A text that cannot be deciphered (empty, odd characters) raises
// EConvertError, so a caller can treat it as a wrong value.
String EncriptaDecripta(StringView modo, StringView texto, StringView chave);
// Enciphering with the first byte given, for a repeatable result.
String EncriptaTexto(StringView texto, StringView chave, int primeiroByte);
String DecriptaTexto(StringView cifrado, StringView chave);
// Deciphers without raising: false when the text is not a cipher text.
bool TentaDecriptar(StringView cifrado, StringView chave, String& texto);

// Check digit of the typed line's blocks; raises EConvertError on a
// character that is not a decimal digit.
String CalculaDigitoModulo10(StringView digitos);

// True for 14 digits whose two check digits are right. Never raises.
bool VerificaCNPJ(StringView texto);

String PreencheZerosEsquerda(int tamanho, StringView texto);
String FormataTamanhoTexto(StringView texto, int tamanho);
String SubstituiCaracter(StringView texto, char16_t caractere, StringView substituto);
String RetiraAcentos(StringView texto);

// "yyyy-mm-dd", the form dates take in SQL texts.
String RetornaDataSQL(TDateTime data);
// A masked "dd/mm/yy  " (two-digit year, two blanks) gets the current
// century: "05/03/24  " -> "05/03/2024". Any other text comes back as it is.
String CompletaAnoData(StringView texto);
