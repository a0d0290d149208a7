#include "skin/graphics/FloatRowResampler.h"
#include "skin/graphics/Resample.h"
#include <algorithm>
#include <array>
#include <cstring>
#include <immintrin.h>

// Why floats give the integer results: a weight is at most 65536 in
// magnitude, so each product with a byte is an integer below 2^24 and
// exact in a float. Sums stay exact while they stay below 2^24; the
// negative products come first, so once the sum passes 2^24 it only grows
// and the byte is 255 either way. Fused or separate multiply and add give
// the same sums for the same reason.

TVectorWidth FloatResampleWidest = TVectorWidth::Avx512;

namespace {
constexpr float Top = 16711680.0f;  // 255 in 16.16
constexpr float FromFixed = 1.0f / 65536;

std::shared_ptr<const TFloatTaps> BuildTaps(int target, int source, int filter) {
  TResampleTable table;
  BuildResampleTable(table, target, source, 1, filter);
  auto taps = std::make_shared<TFloatTaps>();
  taps->First.reserve(static_cast<size_t>(target) + 1);
  for (const TResampleEntry& e : table.Entries) {
    taps->First.push_back(static_cast<int32_t>(taps->Index.size()));
    for (int negative = 1; negative >= 0; --negative)
      for (int k = e.Count - 1; k >= 0; --k) {
        const TContributor& c = e.Contributors[k];
        if (c.Weight == 0 || (c.Weight < 0) != (negative == 1)) continue;
        taps->Index.push_back(c.Offset);
        taps->Weight.push_back(static_cast<float>(c.Weight));
      }
  }
  taps->First.push_back(static_cast<int32_t>(taps->Index.size()));
  return taps;
}

// Painting asks for the same few sizes again and again. UI thread only,
// like all painting.
std::shared_ptr<const TFloatTaps> TapsFor(int target, int source, int filter) {
  struct TKey {
    int Target, Source, Filter;
    bool operator==(const TKey& o) const { return Target == o.Target && Source == o.Source && Filter == o.Filter; }
  };
  constexpr size_t Kept = 8;
  static std::array<std::pair<TKey, std::shared_ptr<const TFloatTaps>>, Kept> cache;
  static size_t next = 0;
  const TKey key{target, source, filter};
  for (const auto& entry : cache)
    if (entry.second && entry.first == key) return entry.second;
  auto taps = BuildTaps(target, source, filter);
  cache[next] = {key, taps};
  next = (next + 1) % Kept;
  return taps;
}

inline uint8_t ToByte(float sum) {
  return static_cast<uint8_t>(static_cast<int32_t>(std::min(std::max(sum, 0.0f), Top) * FromFixed));
}

void DownTail(const float* const* rows, const float* w, int n, int from, int count, uint8_t* out) {
  for (int j = from; j < count; ++j) {
    float sum = 0;
    for (int k = 0; k < n; ++k) sum += w[k] * rows[k][j];
    out[j] = ToByte(sum);
  }
}

void DownSse2(const float* const* rows, const float* w, int n, int count, uint8_t* out) {
  const __m128 zero = _mm_setzero_ps(), top = _mm_set1_ps(Top), scale = _mm_set1_ps(FromFixed);
  int j = 0;
  for (; j + 16 <= count; j += 16) {
    __m128 s[4] = {zero, zero, zero, zero};
    for (int k = 0; k < n; ++k) {
      const __m128 wk = _mm_set1_ps(w[k]);
      for (int q = 0; q < 4; ++q) s[q] = _mm_add_ps(s[q], _mm_mul_ps(wk, _mm_loadu_ps(rows[k] + j + 4 * q)));
    }
    __m128i v[4];
    for (int q = 0; q < 4; ++q) v[q] = _mm_cvttps_epi32(_mm_mul_ps(_mm_min_ps(_mm_max_ps(s[q], zero), top), scale));
    const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(v[0], v[1]), _mm_packs_epi32(v[2], v[3]));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + j), bytes);
  }
  DownTail(rows, w, n, j, count, out);
}

__attribute__((target("avx2,fma"))) void DownAvx2(const float* const* rows, const float* w, int n, int count,
                                                   uint8_t* out) {
  const __m256 zero = _mm256_setzero_ps(), top = _mm256_set1_ps(Top), scale = _mm256_set1_ps(FromFixed);
  int j = 0;
  for (; j + 16 <= count; j += 16) {
    __m256 a = zero, b = zero;
    for (int k = 0; k < n; ++k) {
      const __m256 wk = _mm256_set1_ps(w[k]);
      a = _mm256_fmadd_ps(wk, _mm256_loadu_ps(rows[k] + j), a);
      b = _mm256_fmadd_ps(wk, _mm256_loadu_ps(rows[k] + j + 8), b);
    }
    const __m256i ia = _mm256_cvttps_epi32(_mm256_mul_ps(_mm256_min_ps(_mm256_max_ps(a, zero), top), scale));
    const __m256i ib = _mm256_cvttps_epi32(_mm256_mul_ps(_mm256_min_ps(_mm256_max_ps(b, zero), top), scale));
    // packs works within 128-bit lanes: put a's halves before b's again.
    const __m256i words = _mm256_permute4x64_epi64(_mm256_packs_epi32(ia, ib), 0xD8);
    const __m128i bytes = _mm_packus_epi16(_mm256_castsi256_si128(words), _mm256_extracti128_si256(words, 1));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + j), bytes);
  }
  DownTail(rows, w, n, j, count, out);
}

__attribute__((target("avx512f"))) inline __m128i Bytes512(__m512 sum) {
  const __m512 clamped = _mm512_min_ps(_mm512_max_ps(sum, _mm512_setzero_ps()), _mm512_set1_ps(Top));
  return _mm512_cvtepi32_epi8(_mm512_cvttps_epi32(_mm512_mul_ps(clamped, _mm512_set1_ps(FromFixed))));
}

__attribute__((target("avx512f"))) void DownAvx512(const float* const* rows, const float* w, int n, int count,
                                                    uint8_t* out) {
  const __m512 zero = _mm512_setzero_ps();
  int j = 0;
  for (; j + 32 <= count; j += 32) {
    __m512 a = zero, b = zero;
    for (int k = 0; k < n; ++k) {
      const __m512 wk = _mm512_set1_ps(w[k]);
      a = _mm512_fmadd_ps(wk, _mm512_loadu_ps(rows[k] + j), a);
      b = _mm512_fmadd_ps(wk, _mm512_loadu_ps(rows[k] + j + 16), b);
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + j), Bytes512(a));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + j + 16), Bytes512(b));
  }
  for (; j + 16 <= count; j += 16) {
    __m512 a = zero;
    for (int k = 0; k < n; ++k) a = _mm512_fmadd_ps(_mm512_set1_ps(w[k]), _mm512_loadu_ps(rows[k] + j), a);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + j), Bytes512(a));
  }
  DownTail(rows, w, n, j, count, out);
}

TVectorWidth Widest() { return std::min(ProcessorVectorWidth(), FloatResampleWidest); }
}  // namespace

bool TFloatRowResampler::Start(const uint32_t* src, int SrcW, int SrcH, ptrdiff_t srcPitch, int DstW, int DstH,
                               int Filter) {
  if (DstW <= 0 || DstH <= 0 || Filter < 0 || Filter >= ResampleFilterCount || SrcW < 2 || SrcH < 2) return false;
  Src = src;
  SrcPitch = srcPitch;
  Width = DstW;
  Same = SrcW == DstW && SrcH == DstH;
  if (Same) return true;
  const auto across = TapsFor(DstW, SrcW, Filter);
  Down = TapsFor(DstH, SrcH, Filter);
  const size_t rowFloats = static_cast<size_t>(DstW) * 4;
  Across.resize(rowFloats * static_cast<size_t>(SrcH));
  std::vector<float> line(static_cast<size_t>(SrcW) * 4);
  const __m128 zero = _mm_setzero_ps(), top = _mm_set1_ps(Top), scale = _mm_set1_ps(FromFixed);
  for (int y = 0; y < SrcH; ++y) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(src + y * srcPitch);
    for (size_t i = 0; i < line.size(); ++i) line[i] = bytes[i];
    float* out = Across.data() + rowFloats * static_cast<size_t>(y);
    for (int x = 0; x < DstW; ++x) {
      __m128 sum = zero;
      for (int k = across->First[x]; k < across->First[x + 1]; ++k)
        sum = _mm_add_ps(sum, _mm_mul_ps(_mm_set1_ps(across->Weight[k]), _mm_loadu_ps(&line[4 * across->Index[k]])));
      // Rounded down to a byte as the integer pass stores it.
      const __m128i v = _mm_cvttps_epi32(_mm_mul_ps(_mm_min_ps(_mm_max_ps(sum, zero), top), scale));
      _mm_storeu_ps(out + 4 * x, _mm_cvtepi32_ps(v));
    }
  }
  return true;
}

void TFloatRowResampler::Row(int Y, uint32_t* Out) const {
  if (Same) {
    std::memcpy(Out, Src + Y * SrcPitch, sizeof(uint32_t) * static_cast<size_t>(Width));
    return;
  }
  constexpr int MostTaps = 64;
  const int first = Down->First[static_cast<size_t>(Y)], n = Down->First[static_cast<size_t>(Y) + 1] - first;
  const size_t rowFloats = static_cast<size_t>(Width) * 4;
  auto* out = reinterpret_cast<uint8_t*>(Out);
  const float* rows[MostTaps];
  if (n > MostTaps) {
    // Only strong shrinking gets here: summed a byte at a time.
    for (size_t j = 0; j < rowFloats; ++j) {
      float sum = 0;
      for (int k = 0; k < n; ++k)
        sum += Down->Weight[first + k] * Across[rowFloats * static_cast<size_t>(Down->Index[first + k]) + j];
      out[j] = ToByte(sum);
    }
    return;
  }
  for (int k = 0; k < n; ++k) rows[k] = Across.data() + rowFloats * static_cast<size_t>(Down->Index[first + k]);
  const float* w = Down->Weight.data() + first;
  switch (Widest()) {
    case TVectorWidth::Avx512: DownAvx512(rows, w, n, static_cast<int>(rowFloats), out); break;
    case TVectorWidth::Avx2: DownAvx2(rows, w, n, static_cast<int>(rowFloats), out); break;
    case TVectorWidth::Sse2: DownSse2(rows, w, n, static_cast<int>(rowFloats), out); break;
  }
}
