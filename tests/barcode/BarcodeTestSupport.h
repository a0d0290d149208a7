#pragma once
#include "barcode/ZintBinding.h"
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

// Counts the library's encode calls and keeps a copy of the symbol each
// was given, by interposing on the bound entry point.
class EncodeSpy {
public:
  EncodeSpy() {
    LoadZint();
    Count = 0;
    Real = Zint().ZBarcode_Encode;
    Zint().ZBarcode_Encode = &Hook;
  }
  ~EncodeSpy() { Zint().ZBarcode_Encode = Real; }

  static inline int Count = 0;
  static inline zint_symbol Last{};

private:
  static int Hook(zint_symbol* symbol, const unsigned char* source, int length) {
    ++Count;
    Last = *symbol;
    return Real(symbol, source, length);
  }
  static inline decltype(&::ZBarcode_Encode) Real = nullptr;
};

// Where tests leave their files.
inline std::string ArtifactPath(const std::string& name) {
  const char* folder = std::getenv("BRQ_ARTIFACTS");
  return std::string(folder && *folder ? folder : "/tmp") + "/" + name;
}
