#include "skin/graphics/MaskRowMix.h"
#include "skin/graphics/MaskPieces.h"
#include <emmintrin.h>

namespace {
// Four pixels in 16-bit lanes. Per channel target x m + source x (256 - m)
// may pass 16 bits, but only bits 8 to 15 of it are kept, and those come
// out right in wrapping 16-bit arithmetic.
inline __m128i MixWords(__m128i d, __m128i s, __m128i m) {
  const __m128i keep = _mm_sub_epi16(_mm_set1_epi16(256), m);
  return _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(d, m), _mm_mullo_epi16(s, keep)), 8);
}
}  // namespace

void MixRowByMask(uint32_t* Dst, const uint32_t* Img, const uint32_t* Mask, int Count, int) {
  const __m128i zero = _mm_setzero_si128(), alpha = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  int x = 0;
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
