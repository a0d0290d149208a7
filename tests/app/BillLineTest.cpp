#include "app/BillLine.h"
#include "app/uFunc.h"
#include "platform/rtl/Exceptions.h"
#include <gtest/gtest.h>

namespace {
constexpr StringView kCodigo = u"82610000001234501230000123456789012300000000";
constexpr StringView kLinha = u"826100000015234501230002012345678903123000000000";
}

TEST(BillLine, BarCodeToLine) {
  String linha;
  ASSERT_EQ(LinhaDoCodigoBarras(kCodigo, linha), TSituacaoLinha::Valida);
  EXPECT_EQ(linha, kLinha);
  EXPECT_EQ(VerificaLinha(linha), TSituacaoLinha::Valida);
  EXPECT_DOUBLE_EQ(ValorDaLinha(linha), 123.45);
  EXPECT_EQ(CodigoEmpresaDaLinha(linha), u"0123");
  EXPECT_EQ(InscricaoDaLinha(linha), u"1234567890123");

  // Neither the general check digit (position 4) nor a modulo-11 segment
  // is looked at: the digits are always modulo 10.
  String outra;
  ASSERT_EQ(LinhaDoCodigoBarras(u"83900000000000001230000123456789012300000000", outra), TSituacaoLinha::Valida);
  EXPECT_EQ(outra, u"839000000001000001230002012345678903123000000000");
  EXPECT_DOUBLE_EQ(ValorDaLinha(outra), 0.0);
}

TEST(BillLine, MalformedBarCodeIsRefused) {
  struct { String codigo; TSituacaoLinha situacao; } casos[] = {
      {String(kCodigo.substr(0, 43)), TSituacaoLinha::TamanhoInvalido},
      {String(kCodigo) + u"0", TSituacaoLinha::TamanhoInvalido},
      {u"", TSituacaoLinha::TamanhoInvalido},
      {u"8261000000A234501230000123456789012300000000", TSituacaoLinha::CaractereInvalido},
      {u"8261000000 234501230000123456789012300000000", TSituacaoLinha::CaractereInvalido},
  };
  for (auto& c : casos) {
    String linha = u"antes";
    EXPECT_EQ(LinhaDoCodigoBarras(c.codigo, linha), c.situacao) << StringToUtf8(c.codigo);
    EXPECT_EQ(linha, u"antes");
  }
}

TEST(BillLine, StoredLineCheck) {
  String errada(kLinha);
  errada[35] = u'4';  // third check digit
  EXPECT_EQ(VerificaLinha(errada), TSituacaoLinha::DigitoInvalido);
  errada = kLinha;
  errada[0] = u'9';  // a block digit under a right-looking check digit
  EXPECT_EQ(VerificaLinha(errada), TSituacaoLinha::DigitoInvalido);
  EXPECT_EQ(VerificaLinha(kLinha.substr(0, 47)), TSituacaoLinha::TamanhoInvalido);
  EXPECT_EQ(VerificaLinha(u"82610000001-5 23450123000-2 01234567890-3 12300000000-0"),
            TSituacaoLinha::CaractereInvalido);
}

TEST(BillLine, TypedLineChecks) {
  TBlocosLinha blocos{u"82610000001", u"23450123000", u"01234567890", u"12300000000"};
  TBlocosLinha digitos{u"5", u"2", u"3", u"0"};
  EXPECT_EQ(MontaLinhaDigitada(blocos, digitos), kLinha);
  EXPECT_EQ(VerificaLinhaDigitada(blocos, digitos), TSituacaoLinha::Valida);

  TBlocosLinha erradas = digitos;
  erradas[1] = u"7";
  EXPECT_EQ(VerificaLinhaDigitada(blocos, erradas), TSituacaoLinha::DigitoInvalido);

  // Block 3 one digit short, with the digit computed from what was typed:
  // the recomputation agrees, the length does not.
  TBlocosLinha curtos = blocos;
  curtos[2] = u"0123456789";
  TBlocosLinha digitosCurtos = digitos;
  digitosCurtos[2] = CalculaDigitoModulo10(curtos[2]);
  EXPECT_EQ(VerificaLinhaDigitada(curtos, digitosCurtos), TSituacaoLinha::TamanhoInvalido);

  // Blocks of the wrong length whose joined digits still agree with their
  // recomputation: one long block, and a digit moved into the next block.
  TBlocosLinha longos = blocos;
  longos[3] = u"123000000000";
  TBlocosLinha digitosLongos = digitos;
  digitosLongos[3] = CalculaDigitoModulo10(longos[3]);
  EXPECT_EQ(VerificaLinhaDigitada(longos, digitosLongos), TSituacaoLinha::TamanhoInvalido);
  TBlocosLinha deslocados = blocos;
  deslocados[0] = u"8261000000";
  const String primeiro = CalculaDigitoModulo10(deslocados[0]);
  deslocados[1] = String(12, primeiro[0]);
  TBlocosLinha digitosDeslocados = digitos;
  digitosDeslocados[0] = u"";
  digitosDeslocados[1] = primeiro + CalculaDigitoModulo10(deslocados[1]);
  EXPECT_EQ(MontaLinhaDigitada(deslocados, digitosDeslocados), RecalculaLinha(deslocados));
  EXPECT_EQ(VerificaLinhaDigitada(deslocados, digitosDeslocados), TSituacaoLinha::TamanhoInvalido);

  TBlocosLinha vazios;
  EXPECT_EQ(VerificaLinhaDigitada(vazios, TBlocosLinha{u"", u"", u"", u"0"}), TSituacaoLinha::DigitoInvalido);
  TBlocosLinha letras = blocos;
  letras[0] = u"8261000000x";
  EXPECT_EQ(VerificaLinhaDigitada(letras, digitos), TSituacaoLinha::CaractereInvalido);

  EXPECT_EQ(GuiaBloco(u"82610000001"), u"82610000001-5");
  EXPECT_EQ(GuiaBloco(u"826"), u"826-" + CalculaDigitoModulo10(u"826"));
}

TEST(BillLine, ShortLineHasNoValue) {
  EXPECT_THROW(ValorDaLinha(u"826100000015234"), EConvertError);
  EXPECT_THROW(ValorDaLinha(u""), EConvertError);
  EXPECT_DOUBLE_EQ(ValorDaLinha(u"8261000000152345"), 123.45);
  EXPECT_EQ(CodigoEmpresaDaLinha(u"82610000001523450"), u"0");
  EXPECT_EQ(InscricaoDaLinha(u"826"), u"");
}
