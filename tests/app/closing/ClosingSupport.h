#pragma once
// Helpers of the closing tests: a Linux folder of their own for
// "QRCode.bmp", reading a QR image back with zbarimg, and artefact paths.
#include "platform/rtl/String.h"
#include "platform/ui/FormImage.h"
#include <cstdio>
#include <cstdlib>
#include <stdlib.h>
#include <string>
#include <unistd.h>

namespace closing {

// A fresh folder under /tmp, known by its Linux and its Windows name;
// removed with what it holds.
class PastaLinux {
public:
  PastaLinux() {
    char modelo[] = "/tmp/brq_fecha_XXXXXX";
    if (::mkdtemp(modelo)) FLinux = modelo;
  }
  ~PastaLinux() {
    if (!FLinux.empty()) std::system(("rm -rf '" + FLinux + "'").c_str());
  }
  PastaLinux(const PastaLinux&) = delete;
  PastaLinux& operator=(const PastaLinux&) = delete;

  bool Valida() const { return !FLinux.empty(); }
  const std::string& Linux() const { return FLinux; }
  std::string Linux(const std::string& arquivo) const { return FLinux + "/" + arquivo; }
  String Windows() const { return LinuxPathToWindows(FLinux); }
  String Windows(const std::string& arquivo) const { return LinuxPathToWindows(Linux(arquivo)); }

private:
  std::string FLinux;
};

// The text of the one code in the image, as zbarimg reads it; empty when
// it finds none.
inline std::string DecodificaImagem(const std::string& arquivoLinux) {
  FILE* saida = ::popen(("zbarimg --raw -q '" + arquivoLinux + "' 2>/dev/null").c_str(), "r");
  if (!saida) return std::string();
  std::string texto;
  char bloco[256];
  while (size_t n = std::fread(bloco, 1, sizeof bloco, saida)) texto.append(bloco, n);
  ::pclose(saida);
  while (!texto.empty() && (texto.back() == '\n' || texto.back() == '\r')) texto.pop_back();
  return texto;
}

inline bool ArquivoLinuxExiste(const std::string& arquivoLinux) { return ::access(arquivoLinux.c_str(), F_OK) == 0; }

// Where a test keeps what a person should look at ($BRQ_ARTIFACTS); empty
// when unset.
inline std::string Artefato(const std::string& nome) {
  const char* pasta = std::getenv("BRQ_ARTIFACTS");
  if (!pasta || !*pasta) return std::string();
  return std::string(pasta) + "/" + nome;
}

}  // namespace closing
