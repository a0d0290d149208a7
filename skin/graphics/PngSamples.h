#pragma once
// Sample access shared by the colour manager's converters.
#include <algorithm>
#include <cstdint>
#include <cstring>

namespace PngSamples {

inline uint16_t Load16(const uint8_t* p, bool swap) {
  uint16_t v;
  std::memcpy(&v, p, 2);
  return swap ? static_cast<uint16_t>((v >> 8) | (v << 8)) : v;
}

inline void Store16(uint8_t* p, uint32_t value, bool swap) {
  auto v = static_cast<uint16_t>(value);
  if (swap) v = static_cast<uint16_t>((v >> 8) | (v << 8));
  std::memcpy(p, &v, 2);
}

constexpr bool Written(uint8_t mask, uint32_t i) { return (mask & (0x80u >> (i & 7))) != 0; }

constexpr uint32_t To8(uint32_t v16) { return v16 * 255 / 65535; }
constexpr uint32_t To16(uint32_t v8) { return v8 * 65535 / 255; }

inline int Clamp(int v, int upper) { return std::clamp(v, 0, upper); }

// Samples of consecutive source pixels, interleaved behind one pointer or
// one plane per component.
class SampleReader {
public:
  SampleReader(const void* const* source, size_t planes, int samplesPerPixel, int bits, bool swap)
      : FPlanar(planes > 1), FSamples(samplesPerPixel), FBytes(bits / 8), FSwap(swap) {
    for (size_t i = 0; i < std::min<size_t>(planes, 4); ++i) FPlanes[i] = static_cast<const uint8_t*>(source[i]);
  }

  uint32_t Get(uint32_t pixel, int component) const {
    const uint8_t* p = FPlanar ? FPlanes[std::min(component, 3)] + static_cast<size_t>(pixel) * FBytes
                               : FPlanes[0] + (static_cast<size_t>(pixel) * FSamples + component) * FBytes;
    if (!p) return 0;
    return FBytes == 1 ? *p : Load16(p, FSwap);
  }

private:
  const uint8_t* FPlanes[4] = {};
  bool FPlanar;
  int FSamples;
  int FBytes;
  bool FSwap;
};

// Packs values of 1 to 8 bits most significant first; a target byte holds
// 8 div bits values, counted from the row start.
class BitPacker {
public:
  BitPacker(uint8_t* target, int bits) : FTarget(target), FBits(bits), FPerByte(8 / bits) {}

  void Put(uint32_t pixel, uint32_t value) {
    uint8_t* byte = FTarget + pixel / FPerByte;
    int shift = 8 - FBits * static_cast<int>(pixel % FPerByte + 1);
    auto field = static_cast<uint8_t>(((1u << FBits) - 1) << shift);
    *byte = static_cast<uint8_t>((*byte & ~field) | ((value << shift) & field));
  }

private:
  uint8_t* FTarget;
  int FBits;
  uint32_t FPerByte;
};

// Reads values of 1 to 8 bits most significant first.
inline uint32_t UnpackBits(const uint8_t* source, uint32_t index, int bits) {
  size_t bit = static_cast<size_t>(index) * bits;
  int shift = 8 - bits - static_cast<int>(bit % 8);
  return (source[bit / 8] >> shift) & ((1u << bits) - 1);
}

constexpr uint32_t MaxOf(int bits) { return bits >= 32 ? 0xFFFFFFFFu : (1u << bits) - 1; }
}  // namespace PngSamples
