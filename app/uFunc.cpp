#include "app/uFunc.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumUtils.h"
#include <random>

namespace {

const char16_t kHexa[] = u"0123456789ABCDEF";

void AcrescentaHexa(String& saida, int valor) {
  saida.push_back(kHexa[(valor >> 4) & 0xF]);
  saida.push_back(kHexa[valor & 0xF]);
}

int ValorHexa(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

void ExigeChave(StringView chave) {
  if (chave.empty()) throw EInvalidArgument(u"A chave de criptografia está vazia.");
}

// Fills `texto` and returns true, or returns false with the reason.
bool Decifra(StringView cifrado, StringView chave, String& texto, String& motivo) {
  ExigeChave(chave);
  if (cifrado.size() < 2) {
    motivo = u"O texto cifrado está vazio ou incompleto.";
    return false;
  }
  for (char16_t c : cifrado)
    if (ValorHexa(c) < 0) {
      motivo = u"O texto cifrado contém caracteres que não são hexadecimais.";
      return false;
    }
  int anterior = ValorHexa(cifrado[0]) * 16 + ValorHexa(cifrado[1]);
  AnsiString bytes;
  size_t k = 0;
  // A lone last digit is not a pair and is ignored.
  for (size_t i = 2; i + 1 < cifrado.size(); i += 2) {
    int valor = ValorHexa(cifrado[i]) * 16 + ValorHexa(cifrado[i + 1]);
    int t = valor ^ static_cast<int>(chave[k]);
    k = (k + 1) % chave.size();
    // The sum was taken modulo 255, so codes 1 to 255 are one full set of
    // residues: 255 comes back as 0 when the previous byte was 255 too.
    int codigo = t > anterior ? t - anterior : t - anterior + 255;
    if (codigo == 0) codigo = 255;
    bytes.push_back(static_cast<char>(codigo));
    anterior = valor;
  }
  texto = AnsiToString(bytes);
  return true;
}

}  // namespace

String EncriptaTexto(StringView texto, StringView chave, int primeiroByte) {
  ExigeChave(chave);
  AnsiString bytes = StringToAnsi(texto);
  int b = primeiroByte & 0xFF;
  String saida;
  saida.reserve(2 + 2 * bytes.size());
  AcrescentaHexa(saida, b);
  size_t k = 0;
  for (char c : bytes) {
    b = ((b + static_cast<unsigned char>(c)) % 255) ^ static_cast<int>(chave[k]);
    k = (k + 1) % chave.size();
    AcrescentaHexa(saida, b & 0xFF);
  }
  return saida;
}

String DecriptaTexto(StringView cifrado, StringView chave) {
  String texto, motivo;
  if (!Decifra(cifrado, chave, texto, motivo)) throw EConvertError(motivo);
  return texto;
}

bool TentaDecriptar(StringView cifrado, StringView chave, String& texto) {
  String motivo;
  return Decifra(cifrado, chave, texto, motivo);
}

String EncriptaDecripta(StringView modo, StringView texto, StringView chave) {
  if (modo == u"E") {
    static std::mt19937 gerador{std::random_device{}()};
    return EncriptaTexto(texto, chave, std::uniform_int_distribution<int>(0, 255)(gerador));
  }
  if (modo == u"D") return DecriptaTexto(texto, chave);
  return String();
}

String CalculaDigitoModulo10(StringView digitos) {
  int soma = 0;
  int peso = 2;
  for (char16_t c : digitos) {
    if (c < u'0' || c > u'9')
      throw EConvertError(u"'" + String(digitos) + u"' não é uma sequência de dígitos válida.");
    int produto = (c - u'0') * peso;
    soma += produto / 10 + produto % 10;
    peso = 3 - peso;
  }
  int digito = (10 - soma % 10) % 10;
  return String(1, static_cast<char16_t>(u'0' + digito));
}

bool VerificaCNPJ(StringView texto) {
  size_t inicio = 0, fim = texto.size();
  while (inicio < fim && texto[inicio] <= u' ') ++inicio;
  while (fim > inicio && texto[fim - 1] <= u' ') --fim;
  if (fim - inicio != 14) return false;
  int d[14];
  for (int i = 0; i < 14; ++i) {
    char16_t c = texto[inicio + i];
    // A letter counted as 0 could pass for a check digit 0.
    if (c < u'0' || c > u'9') return false;
    d[i] = c - u'0';
  }
  auto digito = [&](int quantos) {
    // Weights run 2..9 from the right, restarting after 9.
    int soma = 0, peso = 2;
    for (int i = quantos - 1; i >= 0; --i) {
      soma += d[i] * peso;
      peso = peso == 9 ? 2 : peso + 1;
    }
    int resto = soma % 11;
    return resto < 2 ? 0 : 11 - resto;
  };
  return d[12] == digito(12) && d[13] == digito(13);
}

String PreencheZerosEsquerda(int tamanho, StringView texto) {
  String saida;
  if (tamanho > static_cast<int>(texto.size())) saida.assign(tamanho - texto.size(), u'0');
  saida += texto;
  return saida;
}

String FormataTamanhoTexto(StringView texto, int tamanho) {
  if (tamanho <= 0) return String();
  StringView corte = texto.substr(0, static_cast<size_t>(tamanho));
  return String(tamanho - corte.size(), u' ') + String(corte);
}

String SubstituiCaracter(StringView texto, char16_t caractere, StringView substituto) {
  String saida;
  saida.reserve(texto.size());
  for (char16_t c : texto) {
    if (c == caractere)
      saida += substituto;
    else
      saida.push_back(c);
  }
  return saida;
}

String RetiraAcentos(StringView texto) {
  static constexpr StringView kDe = u"àâêôûãõáéíóúçüÀÂÊÔÛÃÕÁÉÍÓÚÇÜºª,./-";
  static constexpr StringView kPara = u"aaeouaoaeioucuAAEOUAOAEIOUCUoa    ";
  static_assert(kDe.size() == kPara.size());
  String saida(texto);
  for (char16_t& c : saida) {
    size_t i = kDe.find(c);
    if (i != StringView::npos) c = kPara[i];
  }
  return saida;
}

String RetornaDataSQL(TDateTime data) { return FormatDateTime(u"yyyy-mm-dd", data); }

String CompletaAnoData(StringView texto) {
  if (texto.size() < 10 || texto[8] != u' ' || texto[9] != u' ') return String(texto);
  String seculo = IntToStr(CurrentYear()).substr(0, 2);
  return String(texto.substr(0, 6)) + seculo + String(texto.substr(6, 2));
}
