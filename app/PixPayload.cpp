#include "app/PixPayload.h"
#include "app/uFunc.h"
#include "platform/classes/IniFiles.h"
#include "platform/rtl/NumUtils.h"
#include "platform/rtl/StrUtils.h"

namespace {

String DoisDigitos(size_t tamanho) {
  return String(1, static_cast<char16_t>(u'0' + tamanho / 10)) +
         String(1, static_cast<char16_t>(u'0' + tamanho % 10));
}

// One data object; a value longer than 99 characters has no length field.
String Objeto(StringView id, StringView valor, StringView nome) {
  if (valor.size() > 99)
    throw ELinhaPIX(u"O campo " + String(nome) + u" do PIX tem " + IntToStr(static_cast<int64_t>(valor.size())) +
                    u" caracteres; o máximo é 99.");
  return String(id) + DoisDigitos(valor.size()) + String(valor);
}

// The amount as the payload writes it: digits, a point and two decimals.
// A negative total, or one the mask cannot write in that form ("NAN",
// "1E18"), is not a payable amount.
String TextoValorPIX(double valor) {
  String texto = FormataValorPIX(valor);
  bool valido = texto.size() >= 4 && texto[texto.size() - 3] == u'.';
  for (size_t i = 0; valido && i < texto.size(); ++i)
    valido = i == texto.size() - 3 || (texto[i] >= u'0' && texto[i] <= u'9');
  if (!valido) throw ELinhaPIX(u"O valor do PIX (" + texto + u") não é válido.");
  if (texto.size() > 99) throw ELinhaPIX(u"O valor do PIX é grande demais.");
  return texto;
}

}  // namespace

bool VerificaChavePIX(StringView chave, String& mensagem) {
  if (chave.size() <= static_cast<size_t>(TamanhoMaximoChavePIX)) return true;
  mensagem = u"A chave PIX pode ter no máximo " + IntToStr(TamanhoMaximoChavePIX) +
             u" caracteres; a informada tem " + IntToStr(static_cast<int64_t>(chave.size())) + u"!";
  return false;
}

String LeChavePIX(const TCustomIniFile* arquivo) {
  if (!arquivo) throw ELinhaPIX(u"O arquivo de configuração não está aberto.");
  String cifrada = arquivo->ReadString(u"AGENTE", u"Chave", u"");
  if (cifrada.empty()) throw ELinhaPIX(u"A chave PIX não está configurada.");
  String chave;
  if (!TentaDecriptar(cifrada, ChaveCriptografia, chave))
    throw ELinhaPIX(u"A chave PIX configurada não pôde ser lida.");
  return chave;
}

uint16_t CalculaCRC16(StringView texto, uint16_t polinomio, uint16_t valorInicial) {
  uint16_t crc = valorInicial;
  for (char byte : StringToAnsi(texto)) {
    crc ^= static_cast<uint16_t>(static_cast<unsigned char>(byte) << 8);
    for (int i = 0; i < 8; ++i)
      crc = (crc & 0x8000) ? static_cast<uint16_t>((crc << 1) ^ polinomio) : static_cast<uint16_t>(crc << 1);
  }
  return crc;
}

String FormataValorPIX(double valor) { return SubstituiCaracter(FormatFloat(u"#0.00", valor), u',', u"."); }

String RetornaTamanhoValor(double valor) { return DoisDigitos(TextoValorPIX(valor).size()); }

String FormataMunicipioPIX(StringView municipio) { return AnsiUpperCase(RetiraAcentos(Trim(municipio))); }

String FormataReferenciaPIX(StringView cnpj, TDateTime abertura) {
  return PreencheZerosEsquerda(25, String(cnpj) + FormatDateTime(u"ddmmyyyy", abertura));
}

String MontaLinhaPIX(const TDadosPIX& dados) {
  if (dados.Chave.empty()) throw ELinhaPIX(u"A chave PIX não está configurada.");
  String mensagem;
  if (!VerificaChavePIX(dados.Chave, mensagem)) throw ELinhaPIX(mensagem);

  String conta = Objeto(u"00", u"br.gov.bcb.pix", u"GUI") + Objeto(u"01", dados.Chave, u"chave") +
                 Objeto(u"02", u"MOVIMENTO", u"descrição");
  String adicionais = Objeto(u"05", FormataReferenciaPIX(dados.CNPJAgente, dados.Abertura), u"referência");
  String linha = Objeto(u"00", u"01", u"formato") + Objeto(u"26", conta, u"conta") +
                 Objeto(u"52", u"0000", u"categoria") + Objeto(u"53", u"986", u"moeda") +
                 Objeto(u"54", TextoValorPIX(dados.Valor), u"valor") + Objeto(u"58", u"BR", u"país") +
                 Objeto(u"59", u"ZIRA", u"nome") + Objeto(u"60", FormataMunicipioPIX(dados.Municipio), u"cidade") +
                 Objeto(u"62", adicionais, u"dados adicionais") + u"6304";
  return linha + IntToHex(CalculaCRC16(linha, 0x1021, 0xFFFF), 4);
}
