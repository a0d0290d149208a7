#include "skin/graphics/ResamplePixels.h"
#include <algorithm>
#include <cstring>
#include <emmintrin.h>

namespace {
// 16.16 to a byte, below 0 as 0 and above 255 as 255.
inline uint8_t ToByte(int32_t sum) { return static_cast<uint8_t>(std::clamp(sum, 0, 0xFF0000) >> 16); }

// Two contributing rows and their weights split as w = hi * 256 + lo, both
// parts fitting the 16-bit multiplies, so the sums stay exact.
struct TRowPair {
  const uint8_t* A;
  const uint8_t* B;
  __m128i Hi, Lo;
};

TRowPair PairOf(const uint8_t* a, int32_t wa, const uint8_t* b, int32_t wb) {
  auto pack = [](int32_t x, int32_t y) {
    return _mm_set1_epi32(static_cast<int32_t>((static_cast<uint32_t>(y) << 16) | (static_cast<uint32_t>(x) & 0xFFFF)));
  };
  return {a, b, pack(wa >> 8, wb >> 8), pack(wa & 0xFF, wb & 0xFF)};
}

// One target row: sum of weight x byte over the contributing rows, 16
// bytes at a time, with a scalar tail.
void DownRow(const uint8_t* rows, const TResampleEntry& entry, int rowBytes, uint8_t* out) {
  // Strong shrinking gives more rows than the pairs hold: those rows go
  // the scalar way.
  constexpr int MostPairs = 16;
  TRowPair pairs[MostPairs];
  int n = 0;
  const TContributor* pending = nullptr;
  const bool wide = entry.Count > 2 * MostPairs;
  for (int k = entry.Count - 1; k >= 0 && !wide; --k) {
    const TContributor& c = entry.Contributors[k];
    if (c.Weight == 0) continue;
    if (pending == nullptr) {
      pending = &c;
      continue;
    }
    pairs[n++] = PairOf(rows + pending->Offset, pending->Weight, rows + c.Offset, c.Weight);
    pending = nullptr;
  }
  if (pending != nullptr) pairs[n++] = PairOf(rows + pending->Offset, pending->Weight, rows + pending->Offset, 0);
  const __m128i zero = _mm_setzero_si128();
  int j = 0;
  for (; !wide && j + 16 <= rowBytes; j += 16) {
    __m128i hi[4] = {zero, zero, zero, zero}, lo[4] = {zero, zero, zero, zero};
    for (int p = 0; p < n; ++p) {
      const TRowPair& r = pairs[p];
      const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r.A + j));
      const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r.B + j));
      const __m128i a0 = _mm_unpacklo_epi8(a, zero), a1 = _mm_unpackhi_epi8(a, zero);
      const __m128i b0 = _mm_unpacklo_epi8(b, zero), b1 = _mm_unpackhi_epi8(b, zero);
      const __m128i ab[4] = {_mm_unpacklo_epi16(a0, b0), _mm_unpackhi_epi16(a0, b0), _mm_unpacklo_epi16(a1, b1),
                             _mm_unpackhi_epi16(a1, b1)};
      for (int q = 0; q < 4; ++q) {
        hi[q] = _mm_add_epi32(hi[q], _mm_madd_epi16(ab[q], r.Hi));
        lo[q] = _mm_add_epi32(lo[q], _mm_madd_epi16(ab[q], r.Lo));
      }
    }
    __m128i s[4];
    for (int q = 0; q < 4; ++q) s[q] = _mm_srai_epi32(_mm_add_epi32(_mm_slli_epi32(hi[q], 8), lo[q]), 16);
    // Signed then unsigned saturation clamps to 0..255 as ToByte does.
    const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(s[0], s[1]), _mm_packs_epi32(s[2], s[3]));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + j), bytes);
  }
  for (; j < rowBytes; ++j) {
    int32_t sum = 0;
    for (int k = entry.Count - 1; k >= 0; --k) {
      const TContributor& c = entry.Contributors[k];
      sum += c.Weight * rows[c.Offset + j];
    }
    out[j] = ToByte(sum);
  }
}
}  // namespace

bool TResizedRows::Begin(const uint32_t* src, int SrcW, int SrcH, ptrdiff_t srcPitch, int DstW, int DstH,
                         int Filter) {
  if (DstW <= 0 || DstH <= 0 || Filter < 0 || Filter >= ResampleFilterCount || SrcW < 2 || SrcH < 2) return false;
  Src = src;
  SrcPitch = srcPitch;
  Width = DstW;
  Same = SrcW == DstW && SrcH == DstH;
  return true;
}

bool TResizedRows::CopiedRow(int Y, uint32_t* Out) const {
  if (!Same) return false;
  std::memcpy(Out, Src + Y * SrcPitch, sizeof(uint32_t) * static_cast<size_t>(Width));
  return true;
}

bool TRowResampler::Start(const uint32_t* src, int SrcW, int SrcH, ptrdiff_t srcPitch, int DstW, int DstH,
                          int Filter) {
  if (!Begin(src, SrcW, SrcH, srcPitch, DstW, DstH, Filter)) return false;
  if (Same) return true;
  Across.resize(static_cast<size_t>(DstW) * static_cast<size_t>(SrcH));
  BuildResampleTable(Across2, DstW, SrcW, 4, Filter);
  for (int y = 0; y < SrcH; ++y)
    ResampleLine(0, 4, reinterpret_cast<uint8_t*>(Across.data() + static_cast<size_t>(y) * DstW),
                 reinterpret_cast<const uint8_t*>(src + y * srcPitch), Across2, DstW);
  BuildResampleTable(Down, DstH, SrcH, DstW * 4, Filter);
  return true;
}

void TRowResampler::Row(int Y, uint32_t* Out) const {
  if (CopiedRow(Y, Out)) return;
  DownRow(reinterpret_cast<const uint8_t*>(Across.data()), Down.Entries[static_cast<size_t>(Y)], Width * 4,
          reinterpret_cast<uint8_t*>(Out));
}

void ResamplePixels(const uint32_t* Src, int SrcW, int SrcH, ptrdiff_t SrcPitch, uint32_t* Dst, int DstW, int DstH,
                    ptrdiff_t DstPitch, int Filter) {
  // Kept between calls: painting asks for the same sizes again and again.
  static TRowResampler resampler;
  if (!resampler.Start(Src, SrcW, SrcH, SrcPitch, DstW, DstH, Filter)) return;
  for (int y = 0; y < DstH; ++y) resampler.Row(y, Dst + y * DstPitch);
}
