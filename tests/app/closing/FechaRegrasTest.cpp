// The checks of a closing, in the order the operator meets them: dates,
// then the document, boleto or PIX, within the column's size.
#include "app/uFechaRegras.h"
#include "platform/rtl/Exceptions.h"
#include <gtest/gtest.h>

namespace {

const String Vazia = u"  /  /    ";

TEntradaFechamento Entrada(const String& fechamento, const String& credito, const String& documento, bool pix) {
  TEntradaFechamento e;
  e.Abertura = EncodeDate(2024, 3, 5);
  e.Fechamento = fechamento;
  e.Credito = credito;
  e.Documento = documento;
  e.PIX = pix;
  return e;
}

struct Caso {
  const char* nome;
  TEntradaFechamento entrada;
  TCampoFechamento campo;
  const char16_t* mensagem;
  int tipo;
};

TEST(FechaRegras, ChecksInOrder) {
  const String id25(25, u'7');
  using C = TCampoFechamento;
  const Caso casos[] = {
      {"no closing date", Entrada(Vazia, Vazia, u"", true), C::Fechamento,
       u"Necessário informar a Data do Fechamento!", 2},
      {"closing before opening", Entrada(u"04/03/2024", u"06/03/2024", id25, true), C::Fechamento,
       u"Data de Fechamento inferior a Data de Abertura!", 1},
      {"no credit date", Entrada(u"05/03/2024", Vazia, id25, true), C::Credito,
       u"Necessário informar a Data do Crédito para a concessionária!", 2},
      {"credit date never set shows day zero", Entrada(u"06/03/2024", u"30/12/1899", id25, true), C::Credito,
       u"Data do Crédito inferior a Data de Abertura!", 1},
      {"boleto without bar code",
       Entrada(u"05/03/2024", u"05/03/2024", u"", false), C::Documento,
       u"Necessário informar o Código de Barras do Documento de Crédito (boleto) para a Concessionária!", 2},
      {"PIX identifier of 24 once trimmed", Entrada(u"05/03/2024", u"05/03/2024", u"  " + String(24, u'1') + u"  ", true),
       C::Documento, u"Necessário informar o Nº do Identificador ou Descrição PIX!", 2},
      {"PIX identifier beyond the column", Entrada(u"05/03/2024", u"05/03/2024", String(48, u'1'), true),
       C::Documento, u"O Nº do Identificador ou Descrição PIX pode ter no máximo 47 caracteres!", 1},
      {"boleto bar code beyond the column", Entrada(u"05/03/2024", u"05/03/2024", String(48, u'8'), false),
       C::Documento, u"O Código de Barras do Documento de Crédito (boleto) pode ter no máximo 47 caracteres!", 1},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    const TVerificacaoFechamento v = VerificaFechamento(c.entrada);
    EXPECT_FALSE(v.Aceita());
    EXPECT_EQ(v.Campo, c.campo);
    EXPECT_EQ(v.Mensagem, c.mensagem);
    EXPECT_EQ(v.Tipo, c.tipo);
  }
}

TEST(FechaRegras, Accepted) {
  const struct {
    const char* nome;
    TEntradaFechamento entrada;
  } casos[] = {
      {"dates equal to the opening", Entrada(u"05/03/2024", u"05/03/2024", String(25, u'0'), true)},
      {"PIX identifier of 47", Entrada(u"06/03/2024", u"07/03/2024", String(47, u'x'), true)},
      {"boleto with a single blank", Entrada(u"05/03/2024", u"06/03/2024", u" ", false)},
      {"boleto bar code of 47", Entrada(u"05/03/2024", u"06/03/2024", String(47, u'8'), false)},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.nome);
    const TVerificacaoFechamento v = VerificaFechamento(c.entrada);
    EXPECT_TRUE(v.Aceita()) << StringToUtf8(v.Mensagem);
    EXPECT_TRUE(v.Mensagem.empty());
  }
}

TEST(FechaRegras, ADateThatIsNoneRaisesTheConversionError) {
  EXPECT_THROW(VerificaFechamento(Entrada(u"31/02/2024", u"05/03/2024", String(25, u'0'), true)), EConvertError);
  EXPECT_THROW(VerificaFechamento(Entrada(u"05/03/2024", u"12/  /    ", String(25, u'0'), true)), EConvertError);
}

TEST(FechaRegras, DefaultIdentifierIsTheZeroFilledCnpjAndOpeningDate) {
  EXPECT_EQ(IdentificadorPIXPadrao(u"11444777000161", EncodeDate(2024, 3, 5)), u"0001144477700016105032024");
  EXPECT_EQ(IdentificadorPIXPadrao(u"", EncodeDate(2024, 3, 5)), u"0000000000000000005032024");
  EXPECT_FALSE(DataInformada(u"  /  /    "));
  EXPECT_FALSE(DataInformada(u"__/__/____"));
  EXPECT_TRUE(DataInformada(u"1 /  /    "));
}

}  // namespace
