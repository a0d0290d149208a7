#include "app/uFunc.h"
#include "platform/rtl/Exceptions.h"
#include <gtest/gtest.h>

TEST(uFunc, Modulo10CheckDigit) {
  struct { StringView digitos, digito; } casos[] = {
      {u"01230067896", u"3"},  // products 0 1 4 3 0 0 3 7 7 9 3, sum 37
      {u"82610000001", u"5"},
      {u"23450123000", u"2"},
      {u"12300000000", u"0"},  // sum 10: 0, never 10
      {u"", u"0"},
      {u"9", u"1"},            // 18 counts 9
  };
  for (auto& c : casos) EXPECT_EQ(CalculaDigitoModulo10(c.digitos), c.digito) << StringToUtf8(c.digitos);
  EXPECT_THROW(CalculaDigitoModulo10(u"1234a"), EConvertError);
  EXPECT_THROW(CalculaDigitoModulo10(u"12 34"), EConvertError);
}

TEST(uFunc, CnpjCheck) {
  EXPECT_TRUE(VerificaCNPJ(u"11222333000181"));
  EXPECT_TRUE(VerificaCNPJ(u"11444777000161"));
  EXPECT_TRUE(VerificaCNPJ(u"  11222333000181 "));
  EXPECT_FALSE(VerificaCNPJ(u"11222333000182"));  // second digit wrong
  EXPECT_FALSE(VerificaCNPJ(u"11222333000171"));  // first digit wrong
  EXPECT_FALSE(VerificaCNPJ(u"11.222.333/0001-81"));
  EXPECT_FALSE(VerificaCNPJ(u"1122233300018"));
  EXPECT_FALSE(VerificaCNPJ(u""));
  // A letter in place of a check digit 0 is no digit at all.
  EXPECT_TRUE(VerificaCNPJ(u"11222333001820"));
  EXPECT_FALSE(VerificaCNPJ(u"1122233300182X"));
  EXPECT_FALSE(VerificaCNPJ(u"X1222333000181"));
}

TEST(uFunc, TextPaddingAndReplacing) {
  EXPECT_EQ(PreencheZerosEsquerda(6, u"123"), u"000123");
  EXPECT_EQ(PreencheZerosEsquerda(6, u"1234567"), u"1234567");
  EXPECT_EQ(PreencheZerosEsquerda(0, u""), u"");
  EXPECT_EQ(FormataTamanhoTexto(u"abc", 5), u"  abc");
  EXPECT_EQ(FormataTamanhoTexto(u"abcdef", 4), u"abcd");
  EXPECT_EQ(FormataTamanhoTexto(u"abc", 0), u"");
  EXPECT_EQ(SubstituiCaracter(u"1234,56", u',', u"."), u"1234.56");
  EXPECT_EQ(SubstituiCaracter(u",a,", u',', u"<>"), u"<>a<>");
  EXPECT_EQ(SubstituiCaracter(u"sem", u',', u"."), u"sem");
}

TEST(uFunc, AccentRemovalKeepsLength) {
  EXPECT_EQ(RetiraAcentos(u"Gonçalves Dias/SÃO"), u"Goncalves Dias SAO");
  EXPECT_EQ(RetiraAcentos(u"àâêôûãõáéíóúçüÀÂÊÔÛÃÕÁÉÍÓÚÇÜºª,./-"), u"aaeouaoaeioucuAAEOUAOAEIOUCUoa    ");
  EXPECT_EQ(RetiraAcentos(u"èñ Rua 1"), u"èñ Rua 1");
}

TEST(uFunc, DatesForSql) {
  EXPECT_EQ(RetornaDataSQL(EncodeDate(2024, 3, 5)), u"2024-03-05");
  EXPECT_EQ(RetornaDataSQL(EncodeDateTime(1999, 12, 31, 23, 59, 0, 0)), u"1999-12-31");

  SetClockForTesting([] { return EncodeDate(2025, 6, 1); });
  EXPECT_EQ(CompletaAnoData(u"05/03/24  "), u"05/03/2024");
  EXPECT_EQ(CompletaAnoData(u"05/03/2024"), u"05/03/2024");
  EXPECT_EQ(CompletaAnoData(u"05/03/24 "), u"05/03/24 ");
  EXPECT_EQ(CompletaAnoData(u"05/03/241 "), u"05/03/241 ");
  SetClockForTesting([] { return EncodeDate(1999, 6, 1); });
  EXPECT_EQ(CompletaAnoData(u"05/03/98  "), u"05/03/1998");
  ResetClockForTesting();
}
