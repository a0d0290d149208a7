#include "app/PixPayload.h"
#include "app/uFunc.h"
#include "platform/classes/IniFiles.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/NumUtils.h"
#include <gtest/gtest.h>
#include <cmath>
#include <cstdio>
#include <map>

namespace {

// The payload's top-level objects by identifier; the CRC object last.
std::map<String, String> Objetos(StringView linha) {
  std::map<String, String> objetos;
  size_t i = 0;
  while (i + 4 <= linha.size()) {
    String id(linha.substr(i, 2));
    size_t tamanho = std::stoul(StringToUtf8(linha.substr(i + 2, 2)));
    objetos[id] = String(linha.substr(i + 4, tamanho));
    i += 4 + tamanho;
  }
  EXPECT_EQ(i, linha.size()) << "objects do not fill the payload";
  return objetos;
}

// The same CRC from an implementation outside this program.
int CrcDoPython(StringView texto) {
  std::string comando = "python3 -c \"import binascii,sys; print(binascii.crc_hqx(sys.argv[1].encode('ascii'), 0xFFFF))\" '" +
                        StringToUtf8(texto) + "'";
  FILE* saida = popen(comando.c_str(), "r");
  if (!saida) return -1;
  int valor = -1;
  if (fscanf(saida, "%d", &valor) != 1) valor = -1;
  pclose(saida);
  return valor;
}

const String kChave36 = u"123e4567-e89b-12d3-a456-426614174000";

TDadosPIX Dados(const String& chave, double valor, const String& municipio) {
  TDadosPIX d;
  d.Chave = chave;
  d.Valor = valor;
  d.Municipio = municipio;
  d.CNPJAgente = u"11222333000181";
  d.Abertura = EncodeDate(2024, 3, 5);
  return d;
}

}  // namespace

TEST(PixPayload, Crc16CheckValue) {
  EXPECT_EQ(CalculaCRC16(u"123456789", 0x1021, 0xFFFF), 0x29B1);
  EXPECT_EQ(CalculaCRC16(u"", 0x1021, 0xFFFF), 0xFFFF);
}

TEST(PixPayload, Crc16AgreesWithAnIndependentImplementation) {
  for (const String& linha :
       {MontaLinhaPIX(Dados(kChave36, 12.5, u"Goiânia")), MontaLinhaPIX(Dados(u"+5562999998888", 0, u"RIO VERDE")),
        String(u"00020101021126360014br.gov.bcb.pix0114+556299999888852040000")}) {
    int esperado = CrcDoPython(linha);
    ASSERT_GE(esperado, 0) << "python3 did not answer";
    EXPECT_EQ(CalculaCRC16(linha, 0x1021, 0xFFFF), esperado) << StringToUtf8(linha);
  }
}

TEST(PixPayload, FieldsOfThePayload) {
  String linha = MontaLinhaPIX(Dados(kChave36, 12.5, u"São Paulo "));
  EXPECT_EQ(linha.substr(0, 32), u"00020126710014br.gov.bcb.pix0136");
  EXPECT_NE(linha.find(kChave36 + u"0209MOVIMENTO52040000530398654"), String::npos);
  auto objetos = Objetos(linha);
  EXPECT_EQ(objetos[u"00"], u"01");
  EXPECT_EQ(objetos[u"26"], u"0014br.gov.bcb.pix0136" + kChave36 + u"0209MOVIMENTO");
  EXPECT_EQ(objetos[u"52"], u"0000");
  EXPECT_EQ(objetos[u"53"], u"986");
  EXPECT_EQ(objetos[u"54"], u"12.50");
  EXPECT_EQ(objetos[u"58"], u"BR");
  EXPECT_EQ(objetos[u"59"], u"ZIRA");
  EXPECT_EQ(objetos[u"60"], u"SAO PAULO");
  EXPECT_EQ(objetos[u"62"], u"0525000" u"11222333000181" u"05032024");
  // The CRC covers everything up to and including its own "6304".
  ASSERT_EQ(linha.substr(linha.size() - 8, 4), u"6304");
  EXPECT_EQ(objetos[u"63"], IntToHex(CalculaCRC16(linha.substr(0, linha.size() - 4), 0x1021, 0xFFFF), 4));
}

TEST(PixPayload, AmountsAndCities) {
  struct { double valor; StringView texto, tamanho; } valores[] = {
      {12.5, u"12.50", u"05"}, {0, u"0.00", u"04"}, {9.99, u"9.99", u"04"},
      {1234567.891, u"1234567.89", u"10"}, {0.005, u"0.01", u"04"}, {100, u"100.00", u"06"},
  };
  for (auto& v : valores) {
    EXPECT_EQ(FormataValorPIX(v.valor), v.texto);
    EXPECT_EQ(RetornaTamanhoValor(v.valor), v.tamanho);
    EXPECT_EQ(Objetos(MontaLinhaPIX(Dados(kChave36, v.valor, u"X")))[u"54"], v.texto);
  }
  // Amounts the payload cannot carry as digits and a point are refused,
  // and no payload comes out.
  EXPECT_EQ(Objetos(MontaLinhaPIX(Dados(kChave36, -0.004, u"X")))[u"54"], u"0.00");
  for (double valor : {-5.0, std::nan(""), HUGE_VAL, -HUGE_VAL, 1e18, 1e300}) {
    EXPECT_THROW(MontaLinhaPIX(Dados(kChave36, valor, u"X")), ELinhaPIX) << valor;
    EXPECT_THROW(RetornaTamanhoValor(valor), ELinhaPIX) << valor;
  }
  struct { StringView municipio, texto; } cidades[] = {
      {u"  Goiânia ", u"GOIANIA"}, {u"Santa Bárbara d'Oeste", u"SANTA BARBARA D'OESTE"},
      {u"São João-del-Rei", u"SAO JOAO DEL REI"}, {u"", u""},
  };
  for (auto& c : cidades) EXPECT_EQ(FormataMunicipioPIX(c.municipio), c.texto);
  // No value is shortened to the scheme's own limits.
  auto objetos = Objetos(MontaLinhaPIX(Dados(kChave36, 1, u"Cidade com um nome bem comprido")));
  EXPECT_EQ(objetos[u"60"], u"CIDADE COM UM NOME BEM COMPRIDO");
}

TEST(PixPayload, KeyLengths) {
  String chave11 = u"12345678901";
  auto objetos = Objetos(MontaLinhaPIX(Dados(chave11, 1, u"X")));
  EXPECT_EQ(objetos[u"26"].size(), 46u);
  EXPECT_NE(objetos[u"26"].find(u"0111" + chave11), String::npos);

  String mensagem;
  String maxima(TamanhoMaximoChavePIX, u'k');
  EXPECT_TRUE(VerificaChavePIX(maxima, mensagem));
  EXPECT_TRUE(VerificaChavePIX(u"", mensagem));
  EXPECT_EQ(Objetos(MontaLinhaPIX(Dados(maxima, 1, u"X")))[u"26"].size(), 99u);

  String longa = maxima + u"k";
  EXPECT_FALSE(VerificaChavePIX(longa, mensagem));
  EXPECT_EQ(mensagem, u"A chave PIX pode ter no máximo 64 caracteres; a informada tem 65!");
  try {
    MontaLinhaPIX(Dados(longa, 1, u"X"));
    ADD_FAILURE() << "a key of 65 characters was accepted";
  } catch (const ELinhaPIX& e) {
    EXPECT_EQ(e.Message(), mensagem);
  }
  EXPECT_THROW(MontaLinhaPIX(Dados(u"", 1, u"X")), ELinhaPIX);
  EXPECT_THROW(MontaLinhaPIX(Dados(kChave36, 1, String(100, u'A'))), ELinhaPIX);
}

TEST(PixPayload, KeyFromTheConfigurationFile) {
  String arquivo = GetTempFolder() + u"pix_config_test.ini";
  DeleteFile(arquivo);
  {
    TIniFile ini(arquivo);
    EXPECT_THROW(LeChavePIX(&ini), ELinhaPIX);  // no value
    ini.WriteString(u"AGENTE", u"Chave", EncriptaDecripta(u"E", kChave36, ChaveCriptografia));
    EXPECT_EQ(LeChavePIX(&ini), kChave36);
    ini.WriteString(u"AGENTE", u"Chave", u"XYZ");
    EXPECT_THROW(LeChavePIX(&ini), ELinhaPIX);
    // A key saved empty deciphers, and the payload refuses it.
    ini.WriteString(u"AGENTE", u"Chave", EncriptaDecripta(u"E", u"", ChaveCriptografia));
    EXPECT_EQ(LeChavePIX(&ini), u"");
  }
  EXPECT_THROW(LeChavePIX(nullptr), ELinhaPIX);
  DeleteFile(arquivo);
}
