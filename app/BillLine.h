#pragma once
// The 44-digit collection bar code and its 48-digit typed line: four blocks
// of eleven bar-code digits, each followed by its modulo-10 check digit.
// Positions below are counted from 1, as printed on the bills.
#include "platform/rtl/String.h"
#include <array>

inline constexpr int TamanhoCodigoBarras = 44;
inline constexpr int TamanhoLinhaDigitada = 48;

// Outcome of turning a bar code into a line or of checking a typed line.
enum class TSituacaoLinha {
  Valida,
  CaractereInvalido,   // something other than the digits 0 to 9
  DigitoInvalido,      // a check digit differs from the computed one
  TamanhoInvalido      // not 44 (bar code) or 48 (line) digits
};

using TBlocosLinha = std::array<String, 4>;

// Bar code read by the optical reader -> line. `linha` is set only when the
// result is Valida. The bar code's own general check digit is not verified.
TSituacaoLinha LinhaDoCodigoBarras(StringView codigoBarras, String& linha);

// The four blocks and the four check digits as typed, joined block 1,
// digit 1, block 2, ... It may be short and hold wrong digits.
String MontaLinhaDigitada(const TBlocosLinha& blocos, const TBlocosLinha& digitos);
// The same blocks each followed by its computed check digit.
// Raises EConvertError on a non-digit.
String RecalculaLinha(const TBlocosLinha& blocos);
// A typed line before it is recorded: first against its recomputation
// (DigitoInvalido), then its length (TamanhoInvalido). Never raises.
TSituacaoLinha VerificaLinhaDigitada(const TBlocosLinha& blocos, const TBlocosLinha& digitos);
// A complete stored line: 48 digits with its four check digits right.
TSituacaoLinha VerificaLinha(StringView linha);

// Guide under a block edit: the block, "-", its check digit ("82610000001-5").
String GuiaBloco(StringView bloco);

// Bill value in reais from line positions 5-11 and 13-16. Raises
// EConvertError when the line is too short or those are not digits.
double ValorDaLinha(StringView linha);
// Febraban company code, positions 17-20 (shorter when the line is short).
String CodigoEmpresaDaLinha(StringView linha);
// Payer's registration number, positions 26-35 and 37-39.
String InscricaoDaLinha(StringView linha);
