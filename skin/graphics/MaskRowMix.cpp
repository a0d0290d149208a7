#include "skin/graphics/MaskRowMix.h"
#include "skin/graphics/MaskPieces.h"
#include "skin/graphics/VectorWidth.h"
#include <immintrin.h>

namespace {
// Two pixels in 16-bit lanes. Per channel target x m + source x (256 - m)
// may pass 16 bits, but only bits 8 to 15 of it are kept, and those come
// out right in wrapping 16-bit arithmetic.
inline __m128i MixWords(__m128i d, __m128i s, __m128i m) {
  const __m128i keep = _mm_sub_epi16(_mm_set1_epi16(256), m);
  return _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(d, m), _mm_mullo_epi16(s, keep)), 8);
}

__attribute__((target("avx2"))) inline __m256i MixWords256(__m256i d, __m256i s, __m256i m) {
  const __m256i keep = _mm256_sub_epi16(_mm256_set1_epi16(256), m);
  return _mm256_srli_epi16(_mm256_add_epi16(_mm256_mullo_epi16(d, m), _mm256_mullo_epi16(s, keep)), 8);
}

// Eight pixels at a time; returns how many were mixed.
__attribute__((target("avx2"))) int MixAvx2(uint32_t* Dst, const uint32_t* Img, const uint32_t* Mask, int Count) {
  const __m256i zero = _mm256_setzero_si256(), alpha = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
  int x = 0;
  for (; x + 8 <= Count; x += 8) {
    const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(Dst + x));
    const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(Img + x));
    const __m256i m = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(Mask + x));
    // Unpacking and packing stay within 128-bit lanes, so pixels keep their places.
    const __m256i lo = MixWords256(_mm256_unpacklo_epi8(d, zero), _mm256_unpacklo_epi8(s, zero),
                                   _mm256_unpacklo_epi8(m, zero));
    const __m256i hi = MixWords256(_mm256_unpackhi_epi8(d, zero), _mm256_unpackhi_epi8(s, zero),
                                   _mm256_unpackhi_epi8(m, zero));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(Dst + x), _mm256_or_si256(_mm256_packus_epi16(lo, hi), alpha));
  }
  return x;
}
}  // namespace

void MixRowByMask(uint32_t* Dst, const uint32_t* Img, const uint32_t* Mask, int Count, int) {
  const __m128i zero = _mm_setzero_si128(), alpha = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  int x = ProcessorVectorWidth() == TVectorWidth::Sse2 ? 0 : MixAvx2(Dst, Img, Mask, Count);
  for (; x + 4 <= Count; x += 4) {
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Dst + x));
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Img + x));
    const __m128i m = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Mask + x));
    const __m128i lo = MixWords(_mm_unpacklo_epi8(d, zero), _mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(m, zero));
    const __m128i hi = MixWords(_mm_unpackhi_epi8(d, zero), _mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(m, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(Dst + x), _mm_or_si128(_mm_packus_epi16(lo, hi), alpha));
  }
  for (; x < Count; ++x) Dst[x] = MixByMask(Dst[x], Img[x], Mask[x], 0xFF000000u);
}
