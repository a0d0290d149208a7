#include "app/uFunc.h"
#include "platform/rtl/Exceptions.h"
#include <gtest/gtest.h>
#include <set>

namespace {
constexpr StringView kChave = u"chaves";
}

TEST(Cipher, KnownTextWithGivenFirstByte) {
  EXPECT_EQ(EncriptaTexto(u"AB", kChave, 0x10), u"10321C");
  // Eight characters: the key wraps back to its first letter; accents are
  // enciphered as their Windows-1252 bytes.
  EXPECT_EQ(EncriptaTexto(u"ÁGUA é1!", kChave, 0xA7), u"A70A39EF470298AAA3");
  EXPECT_EQ(DecriptaTexto(u"A70A39EF470298AAA3", kChave), u"ÁGUA é1!");
  EXPECT_EQ(DecriptaTexto(u"a70a39ef470298aaa3", kChave), u"ÁGUA é1!");
  // Text is enciphered as Windows-1252: what that code page lacks is "?".
  EXPECT_EQ(DecriptaTexto(EncriptaTexto(u"€ł", kChave, 1), kChave), u"€?");
}

TEST(Cipher, EmptyTextIsTwoDigitsAndBack) {
  String cifrado = EncriptaDecripta(u"E", u"", ChaveCriptografia);
  EXPECT_EQ(cifrado.size(), 2u);
  EXPECT_EQ(EncriptaDecripta(u"D", cifrado, ChaveCriptografia), u"");
}

// Every code 1..255 after every possible previous byte 0..255. The code 255
// after a byte 255 is the case where the plain subtraction gives 0.
TEST(Cipher, EveryCodeAfterEveryByteRoundTrips) {
  for (int anterior = 0; anterior <= 255; ++anterior)
    for (int codigo = 1; codigo <= 255; ++codigo) {
      String texto = AnsiToString(std::string(1, static_cast<char>(codigo)));
      String cifrado = EncriptaTexto(texto, kChave, anterior);
      ASSERT_EQ(DecriptaTexto(cifrado, kChave), texto) << "byte " << anterior << " code " << codigo;
    }
  EXPECT_EQ(EncriptaTexto(u"ÿ", kChave, 0xFF), u"FF63");
  EXPECT_EQ(DecriptaTexto(u"FF63", kChave), u"ÿ");
}

TEST(Cipher, RandomFirstByteVariesAndAlwaysDeciphers) {
  String texto = u"SENHA1";
  std::set<String> vistos;
  for (int i = 0; i < 20; ++i) {
    String cifrado = EncriptaDecripta(u"E", texto, ChaveCriptografia);
    ASSERT_EQ(cifrado.size(), 2 + 2 * texto.size());
    EXPECT_EQ(cifrado.find_first_not_of(u"0123456789ABCDEF"), String::npos) << StringToUtf8(cifrado);
    EXPECT_EQ(EncriptaDecripta(u"D", cifrado, ChaveCriptografia), texto);
    vistos.insert(cifrado);
  }
  EXPECT_GT(vistos.size(), 1u);
}

TEST(Cipher, OnlyUpperCaseModesAct) {
  EXPECT_EQ(EncriptaDecripta(u"e", u"abc", kChave), u"");
  EXPECT_EQ(EncriptaDecripta(u"d", u"10321C", kChave), u"");
  EXPECT_EQ(EncriptaDecripta(u"X", u"abc", kChave), u"");
}

TEST(Cipher, UndecipherableTextIsReported) {
  for (StringView ruim : {u"", u"A", u"1G321C", u"10 321C", u"=="}) {
    EXPECT_THROW(EncriptaDecripta(u"D", ruim, kChave), EConvertError) << StringToUtf8(ruim);
    String texto = u"intacto";
    EXPECT_FALSE(TentaDecriptar(ruim, kChave, texto));
  }
  String texto;
  EXPECT_TRUE(TentaDecriptar(u"10321C", kChave, texto));
  EXPECT_EQ(texto, u"AB");
  // A lone last digit is not a pair and is ignored.
  EXPECT_EQ(DecriptaTexto(u"10321C7", kChave), u"AB");
}
