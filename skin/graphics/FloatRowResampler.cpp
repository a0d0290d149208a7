#include "skin/graphics/FloatRowResampler.h"
#include "skin/graphics/Resample.h"
#include <algorithm>
#include <array>
#include <cstring>
// GCC 12 takes the intrinsics' deliberately undefined registers for
// uninitialised values when they are inlined.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <immintrin.h>
#pragma GCC diagnostic pop

// Why floats give the integer results: the 16.16 weights are at most 65536
// in magnitude, so, scaled to units of a byte, each product with a byte is
// a multiple of 2^-16 below 2^8 and exact in a float. Sums stay exact
// while they stay below 2^8; the negative products come first, so once the
// sum passes 2^8 it only grows and the byte is 255 either way. Fused or
// separate multiply and add give the same sums for the same reason, and
// truncation then clamping gives the integer shift's byte.

TVectorWidth FloatResampleWidest = TVectorWidth::Avx512;

namespace {
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
        taps->Weight.push_back(static_cast<float>(c.Weight) * FromFixed);
      }
  }
  taps->First.push_back(static_cast<int32_t>(taps->Index.size()));
  for (int i = 0; i < target; ++i) taps->Most = std::max(taps->Most, taps->First[i + 1] - taps->First[i]);
  const size_t padded = static_cast<size_t>(taps->Most) * static_cast<size_t>(target);
  taps->PaddedIndex.assign(padded, 0);
  taps->PaddedWeight.assign(padded, 0.0f);
  for (int i = 0; i < target; ++i)
    for (int k = taps->First[i]; k < taps->First[i + 1]; ++k) {
      const size_t at = static_cast<size_t>(k - taps->First[i]) * static_cast<size_t>(target) + static_cast<size_t>(i);
      taps->PaddedIndex[at] = taps->Index[static_cast<size_t>(k)];
      taps->PaddedWeight[at] = taps->Weight[static_cast<size_t>(k)];
    }
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

TVectorWidth Widest() { return std::min(ProcessorVectorWidth(), FloatResampleWidest); }

inline uint8_t ToByte(float sum) { return static_cast<uint8_t>(std::clamp(static_cast<int32_t>(sum), 0, 255)); }

// Target rows: count bytes, each the sum over n source rows.

void DownTail(const float* const* rows, const float* w, int n, int from, int count, uint8_t* out) {
  for (int j = from; j < count; ++j) {
    float sum = 0;
    for (int k = 0; k < n; ++k) sum += w[k] * rows[k][j];
    out[j] = ToByte(sum);
  }
}

void DownSse2(const float* const* rows, const float* w, int n, int count, uint8_t* out) {
  const __m128 zero = _mm_setzero_ps();
  int j = 0;
  for (; j + 16 <= count; j += 16) {
    __m128 s[4] = {zero, zero, zero, zero};
    for (int k = 0; k < n; ++k) {
      const __m128 wk = _mm_set1_ps(w[k]);
      for (int q = 0; q < 4; ++q) s[q] = _mm_add_ps(s[q], _mm_mul_ps(wk, _mm_loadu_ps(rows[k] + j + 4 * q)));
    }
    __m128i v[4];
    for (int q = 0; q < 4; ++q) v[q] = _mm_cvttps_epi32(s[q]);
    // Signed then unsigned saturation clamp to 0..255.
    const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(v[0], v[1]), _mm_packs_epi32(v[2], v[3]));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + j), bytes);
  }
  DownTail(rows, w, n, j, count, out);
}

// N taps known when compiled keep weights and rows in registers; 0 for any.
template <int N>
__attribute__((target("avx2,fma"))) void DownAvx2(const float* const* rows, const float* w, int n, int count,
                                                   uint8_t* out) {
  const int taps = N > 0 ? N : n;
  int j = 0;
  for (; j + 16 <= count; j += 16) {
    __m256 a = _mm256_setzero_ps(), b = _mm256_setzero_ps();
    for (int k = 0; k < taps; ++k) {
      const __m256 wk = _mm256_set1_ps(w[k]);
      a = _mm256_fmadd_ps(wk, _mm256_loadu_ps(rows[k] + j), a);
      b = _mm256_fmadd_ps(wk, _mm256_loadu_ps(rows[k] + j + 8), b);
    }
    // packs works within 128-bit lanes: put a's halves before b's again.
    const __m256i words =
        _mm256_permute4x64_epi64(_mm256_packs_epi32(_mm256_cvttps_epi32(a), _mm256_cvttps_epi32(b)), 0xD8);
    const __m128i bytes = _mm_packus_epi16(_mm256_castsi256_si128(words), _mm256_extracti128_si256(words, 1));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + j), bytes);
  }
  DownTail(rows, w, taps, j, count, out);
}

__attribute__((target("avx512f"))) inline __m128i Bytes512(__m512 sum) {
  return _mm512_cvtusepi32_epi8(_mm512_max_epi32(_mm512_cvttps_epi32(sum), _mm512_setzero_si512()));
}

template <int N>
__attribute__((target("avx512f"))) void DownAvx512(const float* const* rows, const float* w, int n, int count,
                                                    uint8_t* out) {
  const int taps = N > 0 ? N : n;
  int j = 0;
  for (; j + 32 <= count; j += 32) {
    __m512 a = _mm512_setzero_ps(), b = _mm512_setzero_ps();
    for (int k = 0; k < taps; ++k) {
      const __m512 wk = _mm512_set1_ps(w[k]);
      a = _mm512_fmadd_ps(wk, _mm512_loadu_ps(rows[k] + j), a);
      b = _mm512_fmadd_ps(wk, _mm512_loadu_ps(rows[k] + j + 16), b);
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + j), Bytes512(a));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + j + 16), Bytes512(b));
  }
  for (; j + 16 <= count; j += 16) {
    __m512 a = _mm512_setzero_ps();
    for (int k = 0; k < taps; ++k) a = _mm512_fmadd_ps(_mm512_set1_ps(w[k]), _mm512_loadu_ps(rows[k] + j), a);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + j), Bytes512(a));
  }
  DownTail(rows, w, taps, j, count, out);
}

using TDown = void (*)(const float* const*, const float*, int, int, uint8_t*);

// Enlarging with the smooth filters takes three or four rows.
TDown DownFor(TVectorWidth width, int n) {
  if (width == TVectorWidth::Avx512) return n == 4 ? DownAvx512<4> : n == 3 ? DownAvx512<3> : DownAvx512<0>;
  if (width == TVectorWidth::Avx2) return n == 4 ? DownAvx2<4> : n == 3 ? DownAvx2<3> : DownAvx2<0>;
  return DownSse2;
}

// Source row line, a float per byte, resized into out: pixels From to
// count - 1 one at a time.
void AcrossTail(const float* line, const TFloatTaps& t, int from, int count, float* out) {
  const __m128 zero = _mm_setzero_ps(), top = _mm_set1_ps(255);
  const int32_t* first = t.First.data();
  const int32_t* index = t.Index.data();
  const float* weight = t.Weight.data();
  for (int x = from; x < count; ++x) {
    __m128 sum = zero;
    for (int k = first[x]; k < first[x + 1]; ++k)
      sum = _mm_add_ps(sum, _mm_mul_ps(_mm_set1_ps(weight[k]), _mm_loadu_ps(line + 4 * index[k])));
    // Rounded down to a byte as the integer pass stores it.
    _mm_storeu_ps(out + 4 * x, _mm_cvtepi32_ps(_mm_cvttps_epi32(_mm_min_ps(_mm_max_ps(sum, zero), top))));
  }
}

// Four target pixels at a time, a tap of each in one register.
__attribute__((target("avx512f"))) void AcrossAvx512(const float* line, const TFloatTaps& t, int count, float* out) {
  const __m512i spread = _mm512_set_epi32(3, 3, 3, 3, 2, 2, 2, 2, 1, 1, 1, 1, 0, 0, 0, 0);
  const __m512i zero = _mm512_setzero_si512(), top = _mm512_set1_epi32(255);
  int x = 0;
  for (; x + 4 <= count; x += 4) {
    __m512 sum = _mm512_setzero_ps();
    for (int k = 0; k < t.Most; ++k) {
      const int32_t* at = t.PaddedIndex.data() + static_cast<size_t>(k) * count + x;
      __m512 v = _mm512_castps128_ps512(_mm_loadu_ps(line + 4 * at[0]));
      v = _mm512_insertf32x4(v, _mm_loadu_ps(line + 4 * at[1]), 1);
      v = _mm512_insertf32x4(v, _mm_loadu_ps(line + 4 * at[2]), 2);
      v = _mm512_insertf32x4(v, _mm_loadu_ps(line + 4 * at[3]), 3);
      const __m128 w4 = _mm_loadu_ps(t.PaddedWeight.data() + static_cast<size_t>(k) * count + x);
      sum = _mm512_fmadd_ps(_mm512_permutexvar_ps(spread, _mm512_castps128_ps512(w4)), v, sum);
    }
    const __m512i bytes = _mm512_min_epi32(_mm512_max_epi32(_mm512_cvttps_epi32(sum), zero), top);
    _mm512_storeu_ps(out + 4 * x, _mm512_cvtepi32_ps(bytes));
  }
  AcrossTail(line, t, x, count, out);
}
}  // namespace

bool TFloatRowResampler::Start(const uint32_t* src, int SrcW, int SrcH, ptrdiff_t srcPitch, int DstW, int DstH,
                               int Filter) {
  if (!Begin(src, SrcW, SrcH, srcPitch, DstW, DstH, Filter)) return false;
  if (Same) return true;
  const auto across = TapsFor(DstW, SrcW, Filter);
  Down = TapsFor(DstH, SrcH, Filter);
  const size_t rowFloats = static_cast<size_t>(DstW) * 4;
  constexpr size_t LineFloats = 16;
  Across.resize(rowFloats * static_cast<size_t>(SrcH) + LineFloats);
  const auto misaligned = reinterpret_cast<uintptr_t>(Across.data()) % (LineFloats * sizeof(float));
  AcrossAt = Across.data() + (LineFloats - misaligned / sizeof(float)) % LineFloats;
  std::vector<float> line(static_cast<size_t>(SrcW) * 4);
  const bool wide = Widest() == TVectorWidth::Avx512;
  for (int y = 0; y < SrcH; ++y) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(src + y * srcPitch);
    for (size_t i = 0; i < line.size(); ++i) line[i] = bytes[i];
    float* out = AcrossAt + rowFloats * static_cast<size_t>(y);
    if (wide)
      AcrossAvx512(line.data(), *across, DstW, out);
    else
      AcrossTail(line.data(), *across, 0, DstW, out);
  }
  return true;
}

void TFloatRowResampler::Row(int Y, uint32_t* Out) const {
  if (CopiedRow(Y, Out)) return;
  constexpr int MostTaps = 64;
  const int first = Down->First[static_cast<size_t>(Y)], n = Down->First[static_cast<size_t>(Y) + 1] - first;
  const size_t rowFloats = static_cast<size_t>(Width) * 4;
  auto* out = reinterpret_cast<uint8_t*>(Out);
  const float* rows[MostTaps];
  const float* w = Down->Weight.data() + first;
  if (n > MostTaps) {
    // Only strong shrinking gets here: summed a byte at a time.
    for (size_t j = 0; j < rowFloats; ++j) {
      float sum = 0;
      for (int k = 0; k < n; ++k) sum += w[k] * AcrossAt[rowFloats * static_cast<size_t>(Down->Index[first + k]) + j];
      out[j] = ToByte(sum);
    }
    return;
  }
  for (int k = 0; k < n; ++k) rows[k] = AcrossAt + rowFloats * static_cast<size_t>(Down->Index[first + k]);
  DownFor(Widest(), n)(rows, w, n, static_cast<int>(rowFloats), out);
}
