// Filter texts read without a server: what part of them goes to the server
// and which texts are refused, naming the data set.
#include "platform/data/FDDataSet.h"
#include "platform/data/Filter.h"
#include "platform/rtl/Exceptions.h"
#include <gtest/gtest.h>

namespace {

std::vector<TMySqlColumn> Colunas() {
  std::vector<TMySqlColumn> colunas(3);
  colunas[0].Name = "NOME";
  colunas[1].Name = "CUPOM";
  colunas[1].Type = TMySqlType::Integer;
  colunas[2].Name = "DATA";
  colunas[2].Type = TMySqlType::Date;
  return colunas;
}

String Repetido(StringView texto, int vezes) {
  String r;
  for (int i = 0; i < vezes; ++i) r += texto;
  return r;
}

}  // namespace

TEST(FilterText, ConstantsReachTheServerQuotedByTheLayer) {
  TFDQuery consulta(nullptr);
  const struct {
    String filtro;
    std::string onde;
  } casos[] = {
      {u"NOME = 'a''b\\' AND CUPOM = 7", "`NOME` = 'a''b\\' AND `CUPOM` = 7"},
      {u"NOME = 'x'' OR 1=1 -- '", "`NOME` = 'x'' OR 1=1 -- '"},
      {u"DATA = '2024-03-05 10:30' AND DATA >= '2024-03-05'", "`DATA` >= '2024-03-05'"},
      {Repetido(u"(", 150) + u"CUPOM = 1" + Repetido(u")", 150), "`CUPOM` = 1"},
  };
  for (const auto& caso : casos)
    EXPECT_EQ(ServerCondition(caso.filtro, consulta, Colunas()), caso.onde) << StringToUtf8(caso.filtro);
}

TEST(FilterText, MalformedTextIsRefusedNamingTheDataSet) {
  TFDQuery consulta(nullptr);
  consulta.SetName(u"QrRecebimentos");
  const struct {
    String filtro;
    const char16_t* motivo;
  } casos[] = {
      {u"NOME = 'abc", u"Unterminated string"},
      {u"(NOME = 'a'", u"Missing )"},
      {u"NOME = 'a')", u"incorrectly terminated"},
      {u"CUPOM = 1.2.3", u"Invalid number"},
      {u"CUPOM = 1..", u"Invalid number"},
      {u"CUPOM = -", u"Invalid number"},
      {u"CUPOM = 99999999999999999999", u"Invalid number"},
      {u"DATA = '2024-03-05xyz'", u"Invalid date"},
      {u"DATA = '2024-03-05 25:00'", u"Invalid date"},
      {u"DATA = '2024-02-30'", u"Invalid date"},
      {u"OUTRO = 1", u"Field 'OUTRO' not found"},
      {u"NOME = ", u"Field name or value expected"},
      {u"= 'a'", u"Field name or value expected"},
      {Repetido(u"(", 5000) + u"CUPOM = 1" + Repetido(u")", 5000), u"nested too deeply"},
      {Repetido(u"NOT ", 5000) + u"CUPOM = 1", u"nested too deeply"},
      {u"CUPOM = 1" + Repetido(u" AND CUPOM = 1", 50000), u"too complex"},
  };
  for (const auto& caso : casos) {
    String mensagem = u"(no error)";
    try {
      ServerCondition(caso.filtro, consulta, Colunas());
    } catch (const EDatabaseError& e) {
      mensagem = e.Message();
    }
    EXPECT_EQ(mensagem.rfind(u"QrRecebimentos: ", 0), 0u) << StringToUtf8(caso.filtro.substr(0, 60));
    EXPECT_NE(mensagem.find(caso.motivo), String::npos)
        << StringToUtf8(caso.filtro.substr(0, 60)) << " -> " << StringToUtf8(mensagem);
  }
}
