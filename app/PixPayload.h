#pragma once
// The static PIX payload of a movement's closing: EMV data objects (two-digit
// identifier, two-digit length, value) closed by a CRC-16/CCITT-FALSE.
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/String.h"
#include <cstdint>

class TCustomIniFile;

// Building the payload failed; the message says why. No partial payload
// ever reaches the caller.
class ELinhaPIX : public Exception { using Exception::Exception; };

// The key travels inside the account template, whose length field of two
// digits holds 35 characters besides the key.
inline constexpr int TamanhoMaximoChavePIX = 99 - 35;

struct TDadosPIX {
  String Chave;           // deciphered PIX key of the agent
  double Valor = 0;       // TOTAL of the movement
  String Municipio;       // MUNICIPIO of the utility
  String CNPJAgente;      // CNPJ of the agent
  TDateTime Abertura = 0; // ABERTURA of the movement
};

// False, with the message to show, when the key is too long for the
// payload. An empty key passes: the configuration may leave it out.
bool VerificaChavePIX(StringView chave, String& mensagem);

// Key Chave of section AGENTE, deciphered. Raises ELinhaPIX when the file
// is not open, the value is missing or empty, or it cannot be deciphered.
String LeChavePIX(const TCustomIniFile* arquivo);

// The whole payload, CRC included. Raises ELinhaPIX when the key is empty
// or too long, or a value does not fit its two-digit length.
String MontaLinhaPIX(const TDadosPIX& dados);

// CRC of the text's Windows-1252 bytes, most significant bit first, no
// reflection, no final xor. The payload uses polynomial 0x1021, start 0xFFFF.
uint16_t CalculaCRC16(StringView texto, uint16_t polinomio, uint16_t valorInicial);

// Pieces of the payload, as the closing form may show them.
String FormataValorPIX(double valor);          // "#0.00" with a point: "12.50"
String RetornaTamanhoValor(double valor);      // length of that text: "05"
String FormataMunicipioPIX(StringView municipio);  // trimmed, unaccented, upper case
// CNPJ and opening date "ddmmyyyy", zero-filled on the left to 25 characters.
String FormataReferenciaPIX(StringView cnpj, TDateTime abertura);
