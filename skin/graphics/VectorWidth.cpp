#include "skin/graphics/VectorWidth.h"

TVectorWidth ProcessorVectorWidth() {
  static const TVectorWidth width = [] {
    __builtin_cpu_init();
    if (!__builtin_cpu_supports("avx2") || !__builtin_cpu_supports("fma")) return TVectorWidth::Sse2;
    return __builtin_cpu_supports("avx512f") ? TVectorWidth::Avx512 : TVectorWidth::Avx2;
  }();
  return width;
}
