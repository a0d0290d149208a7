#include "app/BillLine.h"
#include "app/uFunc.h"
#include "platform/rtl/Exceptions.h"

namespace {

bool SoDigitos(StringView texto) {
  for (char16_t c : texto)
    if (c < u'0' || c > u'9') return false;
  return true;
}

// Copy of 1-based positions, cut short at the end of the text.
StringView Trecho(StringView texto, size_t inicio, size_t quantos) {
  if (inicio - 1 >= texto.size()) return StringView();
  return texto.substr(inicio - 1, quantos);
}

}  // namespace

TSituacaoLinha LinhaDoCodigoBarras(StringView codigoBarras, String& linha) {
  if (!SoDigitos(codigoBarras)) return TSituacaoLinha::CaractereInvalido;
  if (codigoBarras.size() != TamanhoCodigoBarras) return TSituacaoLinha::TamanhoInvalido;
  String resultado;
  for (size_t i = 0; i < 4; ++i) {
    StringView bloco = codigoBarras.substr(i * 11, 11);
    resultado += bloco;
    resultado += CalculaDigitoModulo10(bloco);
  }
  linha = std::move(resultado);
  return TSituacaoLinha::Valida;
}

String MontaLinhaDigitada(const TBlocosLinha& blocos, const TBlocosLinha& digitos) {
  String linha;
  for (size_t i = 0; i < 4; ++i) linha += blocos[i] + digitos[i];
  return linha;
}

String RecalculaLinha(const TBlocosLinha& blocos) {
  String linha;
  for (const String& bloco : blocos) linha += bloco + CalculaDigitoModulo10(bloco);
  return linha;
}

TSituacaoLinha VerificaLinhaDigitada(const TBlocosLinha& blocos, const TBlocosLinha& digitos) {
  String digitada = MontaLinhaDigitada(blocos, digitos);
  if (!SoDigitos(digitada)) return TSituacaoLinha::CaractereInvalido;
  if (digitada != RecalculaLinha(blocos)) return TSituacaoLinha::DigitoInvalido;
  if (digitada.size() < TamanhoLinhaDigitada) return TSituacaoLinha::TamanhoInvalido;
  // A block typed long, or digits moved from one block to the next, can
  // still agree with its recomputation; the stored line would not.
  for (size_t i = 0; i < 4; ++i)
    if (blocos[i].size() != 11 || digitos[i].size() != 1) return TSituacaoLinha::TamanhoInvalido;
  return TSituacaoLinha::Valida;
}

TSituacaoLinha VerificaLinha(StringView linha) {
  if (!SoDigitos(linha)) return TSituacaoLinha::CaractereInvalido;
  if (linha.size() != TamanhoLinhaDigitada) return TSituacaoLinha::TamanhoInvalido;
  for (size_t i = 0; i < 4; ++i)
    if (CalculaDigitoModulo10(linha.substr(i * 12, 11))[0] != linha[i * 12 + 11])
      return TSituacaoLinha::DigitoInvalido;
  return TSituacaoLinha::Valida;
}

String GuiaBloco(StringView bloco) { return String(bloco) + u"-" + CalculaDigitoModulo10(bloco); }

double ValorDaLinha(StringView linha) {
  String digitos = String(Trecho(linha, 5, 7)) + String(Trecho(linha, 13, 4));
  if (digitos.size() != 11 || !SoDigitos(digitos))
    throw EConvertError(u"A linha '" + String(linha) + u"' não contém o valor da conta.");
  long long centavos = 0;
  for (char16_t c : digitos) centavos = centavos * 10 + (c - u'0');
  return static_cast<double>(centavos) / 100.0;
}

String CodigoEmpresaDaLinha(StringView linha) { return String(Trecho(linha, 17, 4)); }

String InscricaoDaLinha(StringView linha) {
  return String(Trecho(linha, 26, 10)) + String(Trecho(linha, 37, 3));
}
