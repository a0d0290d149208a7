#include "skin/graphics/PngCrc.h"
#include <array>
#include <cstring>

namespace {

// Eight tables so that eight bytes are folded in per step.
using CrcTables = std::array<std::array<uint32_t, 256>, 8>;

const CrcTables& Tables() {
  static const CrcTables tables = [] {
    CrcTables t{};
    // The polynomial from its exponents 0, 1, 2, 4, 5, 7, 8, 10, 11, 12, 16,
    // 22, 23, 26, bit-reflected.
    constexpr int exponents[] = {0, 1, 2, 4, 5, 7, 8, 10, 11, 12, 16, 22, 23, 26};
    uint32_t poly = 0;
    for (int e : exponents) poly |= 1u << (31 - e);
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? poly ^ (c >> 1) : c >> 1;
      t[0][n] = c;
    }
    for (uint32_t n = 0; n < 256; ++n)
      for (int k = 1; k < 8; ++k) t[k][n] = t[0][t[k - 1][n] & 0xFF] ^ (t[k - 1][n] >> 8);
    return t;
  }();
  return tables;
}

}  // namespace

uint32_t UpdatePngCrc(uint32_t crc, const uint8_t* data, size_t size) {
  const CrcTables& t = Tables();
  while (size >= 8) {
    uint32_t lo, hi;
    std::memcpy(&lo, data, 4);
    std::memcpy(&hi, data + 4, 4);
    lo ^= crc;
    crc = t[7][lo & 0xFF] ^ t[6][(lo >> 8) & 0xFF] ^ t[5][(lo >> 16) & 0xFF] ^ t[4][lo >> 24] ^
          t[3][hi & 0xFF] ^ t[2][(hi >> 8) & 0xFF] ^ t[1][(hi >> 16) & 0xFF] ^ t[0][hi >> 24];
    data += 8;
    size -= 8;
  }
  while (size--) crc = t[0][(crc ^ *data++) & 0xFF] ^ (crc >> 8);
  return crc;
}
