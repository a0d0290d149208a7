#include "skin/graphics/PngUnfilter.h"
#include <cstdlib>
#include <type_traits>

namespace {

// The tie order a, b, c, written so that it compiles without branches.
inline uint8_t Paeth(int a, int b, int c) {
  int pa = std::abs(b - c);
  const int pb = std::abs(a - c);
  const int pc = std::abs(a + b - 2 * c);
  if (pb < pa) {
    pa = pb;
    a = b;
  }
  return static_cast<uint8_t>(pc < pa ? c : a);
}

// Bpp is a size_t, or an integral constant for the usual pixel sizes so
// that the compiler can keep the row walk tight.
template <typename Bpp>
void Unfilter(uint8_t filterType, uint8_t* line, const uint8_t* previous, Bpp bppValue, size_t count) {
  const size_t bpp = bppValue;
  const size_t first = count < bpp ? count : bpp;
  switch (filterType) {
    case 1:
      for (size_t i = bpp; i < count; ++i) line[i] = static_cast<uint8_t>(line[i] + line[i - bpp]);
      break;
    case 2:
      for (size_t i = 0; i < count; ++i) line[i] = static_cast<uint8_t>(line[i] + previous[i]);
      break;
    case 3:
      for (size_t i = 0; i < first; ++i) line[i] = static_cast<uint8_t>(line[i] + (previous[i] >> 1));
      for (size_t i = bpp; i < count; ++i)
        line[i] = static_cast<uint8_t>(line[i] + ((line[i - bpp] + previous[i]) >> 1));
      break;
    case 4:
      for (size_t i = 0; i < first; ++i) line[i] = static_cast<uint8_t>(line[i] + previous[i]);
      for (size_t i = bpp; i < count; ++i)
        line[i] = static_cast<uint8_t>(line[i] + Paeth(line[i - bpp], previous[i], previous[i - bpp]));
      break;
    default:
      break;
  }
}

template <size_t N>
using Fixed = std::integral_constant<size_t, N>;

}  // namespace

void UnfilterRow(uint8_t filterType, uint8_t* line, const uint8_t* previous, int bpp, size_t count) {
  switch (bpp) {
    case 1: Unfilter(filterType, line, previous, Fixed<1>{}, count); break;
    case 3: Unfilter(filterType, line, previous, Fixed<3>{}, count); break;
    case 4: Unfilter(filterType, line, previous, Fixed<4>{}, count); break;
    default: Unfilter(filterType, line, previous, static_cast<size_t>(bpp < 1 ? 1 : bpp), count); break;
  }
}
