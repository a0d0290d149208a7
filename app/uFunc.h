#pragma once
// Shared routines of the collection-point application: the text cipher,
// check digits, dates for SQL, text padding and accent removal, and the
// message boxes every window uses.
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/String.h"
#include <cstdint>

class TCustomComboBox;
class TCustomMaskEdit;

// The program's one key word for the text cipher. Stored passwords and the
// enciphered values of the configuration file are bound to it: changing it
// makes every one of them unreadable.
inline constexpr StringView ChaveCriptografia = u"oxalis";

// Mode "E" enciphers, "D" deciphers; any other mode gives the empty text.
// A text that cannot be deciphered (fewer than two digits, or characters
// that are not hexadecimal digits) raises
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

// ---- Routines on the user interface (uFuncUI.cpp) --------------------------

// Kind 1 error, 2 information, 3 warning, 4 warning with the error icon;
// the caption is the kind word and the user's name. Other kinds show nothing.
void ExibeMensagem(StringView texto, int tipo);
// Yes/No question; padrao 1 makes Yes the default button, else No.
bool ConfirmaOperacao(StringView texto, int padrao);
// True when the text is a date; else shows kind 1 and answers false.
bool VerificaData(StringView texto);
// "yyyy-mm-dd" of the edit's date; the edit's own text when it shows the
// empty mask or an invalid date (after VerificaData's message).
String RetornaDataMascaraSQL(const TCustomMaskEdit* edit);
// Index of the first item whose first n characters equal the text; -1 if none.
int RetornaIndiceCombo(StringView texto, const TCustomComboBox* combo, int n);
// File version of the running executable, "1.0.0.0"; empty without one.
String RetornaVersaoSistema();
// The same for any loaded module (its HMODULE).
String RetornaVersaoModulo(void* modulo);
// Keeps handling window messages until the seconds have passed.
void AguardaSegundos(int16_t segundos);
// The save of a record failed.
void AvisaTabelaIndisponivel();
