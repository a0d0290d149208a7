#include "skin/graphics/BilinearStretch.h"
#include "skin/graphics/Bitmaps32.h"
#include <algorithm>
#include <cmath>
#include <vector>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {
// The two neighbouring source samples a target sample is made of: Next
// weighs Weight / 256, First the rest. Next is First + 1 whenever the
// source has two samples, so a pair of pixels can be read at First.
struct TTap {
  int First;
  int Next;
  uint32_t Weight;
};

std::vector<TTap> MakeTaps(int Target, int Source) {
  std::vector<TTap> taps(static_cast<size_t>(Target));
  const double scale = static_cast<double>(Source) / Target;
  for (int i = 0; i < Target; ++i) {
    const double centre = std::clamp((i + 0.5) * scale - 0.5, 0.0, Source - 1.0);
    const int first = std::max(0, std::min(static_cast<int>(centre), Source - 2));
    const auto weight = static_cast<uint32_t>(std::lround((centre - first) * 256));
    taps[i] = {first, std::min(first + 1, Source - 1), weight};
  }
  return taps;
}

// The four bytes of a pixel in 16-bit lanes (blue, red, green, alpha), so
// that one multiplication weighs all of them.
inline uint64_t Spread(uint32_t p) { return (p & 0x00FF00FFu) | (uint64_t{p & 0xFF00FF00u} << 24); }
inline uint32_t Gather(uint64_t v) {
  return static_cast<uint32_t>(v & 0x00FF00FFu) | static_cast<uint32_t>((v >> 24) & 0xFF00FF00u);
}
inline uint32_t Mix(uint32_t a, uint32_t b, uint32_t weight) {
  const uint64_t v = Spread(a) * (256 - weight) + Spread(b) * weight + 0x0080008000800080u;
  return Gather(v >> 8);
}

// Bytes a and b weighed into out; kept byte-wise so the compiler can run
// it over whole vector registers.
void MixRows(uint8_t* out, const uint8_t* a, const uint8_t* b, uint32_t weight, int count) {
  const uint32_t keep = 256 - weight;
  for (int i = 0; i < count; ++i) out[i] = static_cast<uint8_t>((a[i] * keep + b[i] * weight + 128) >> 8);
}

// One row of target pixels from the mixed source row.
class TColumnMixer {
public:
  TColumnMixer(std::vector<TTap> Taps, int SourceWidth) : FTaps(std::move(Taps)) {
#if defined(__SSE2__)
    if (SourceWidth < 2) return;
    FWeights.reserve(FTaps.size());
    for (const TTap& t : FTaps) {
      const auto keep = static_cast<int16_t>(256 - t.Weight), next = static_cast<int16_t>(t.Weight);
      FWeights.push_back({{keep, keep, keep, keep, next, next, next, next}});
    }
#else
    (void)SourceWidth;
#endif
  }
  const TTap& operator[](int i) const { return FTaps[i]; }

  // Target pixels From to To - 1 of the row, out pointing at the first;
  // line holds the source pixels from column Base on.
  void Run(uint32_t* out, const uint32_t* line, int Base, int From, int To) const {
    int i = From;
#if defined(__SSE2__)
    if (!FWeights.empty()) {
      const __m128i zero = _mm_setzero_si128(), half = _mm_set1_epi16(128);
      auto pair = [&](int k) {
        const auto* at = reinterpret_cast<const __m128i*>(line + FTaps[k].First - Base);
        const auto* weights = reinterpret_cast<const __m128i*>(FWeights[k].Lanes);
        return _mm_mullo_epi16(_mm_unpacklo_epi8(_mm_loadl_epi64(at), zero), _mm_load_si128(weights));
      };
      for (; i + 1 < To; i += 2) {
        const __m128i a = pair(i), b = pair(i + 1);
        const __m128i sum = _mm_add_epi16(_mm_add_epi16(_mm_unpacklo_epi64(a, b), _mm_unpackhi_epi64(a, b)), half);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + (i - From)), _mm_packus_epi16(_mm_srli_epi16(sum, 8), zero));
      }
    }
#endif
    for (; i < To; ++i) out[i - From] = Mix(line[FTaps[i].First - Base], line[FTaps[i].Next - Base], FTaps[i].Weight);
  }

private:
  std::vector<TTap> FTaps;
#if defined(__SSE2__)
  // Per target pixel: First's weight in the low four lanes, Next's in the
  // high four.
  struct alignas(16) TLaneWeights {
    int16_t Lanes[8];
  };
  std::vector<TLaneWeights> FWeights;
#endif
};
}  // namespace

bool StretchBilinear32(TBitmap& Dst, const TRect& R, TBitmap& Src) {
  if (Dst.PixelFormat() != pf32bit || Src.PixelFormat() != pf32bit) return false;
  TPixelRows to(&Dst), from(&Src);
  if (!to.Valid() || !from.Valid()) return false;
  const int width = R.Right - R.Left, height = R.Bottom - R.Top;
  const int left = std::max(R.Left, 0), right = std::min(R.Right, to.Width());
  const int top = std::max(R.Top, 0), bottom = std::min(R.Bottom, to.Height());
  if (width <= 0 || height <= 0 || left >= right || top >= bottom || from.Width() <= 0) return true;

  const TColumnMixer columns(MakeTaps(width, from.Width()), from.Width());
  const std::vector<TTap> rows = MakeTaps(height, from.Height());
  // Only the source columns the visible target pixels read are mixed.
  const int base = columns[left - R.Left].First;
  const int count = columns[right - 1 - R.Left].Next - base + 1;
  std::vector<uint32_t> line(static_cast<size_t>(count));
  // Rows first: a row mix runs over contiguous memory.
  for (int y = top; y < bottom; ++y) {
    const TTap& tap = rows[y - R.Top];
    const uint32_t* mixed = from.Row(tap.Weight == 256 ? tap.Next : tap.First) + base;
    if (tap.Weight != 0 && tap.Weight != 256) {
      MixRows(reinterpret_cast<uint8_t*>(line.data()), reinterpret_cast<const uint8_t*>(from.Row(tap.First) + base),
              reinterpret_cast<const uint8_t*>(from.Row(tap.Next) + base), tap.Weight, count * 4);
      mixed = line.data();
    }
    columns.Run(to.Row(y) + left, mixed, base, left - R.Left, right - R.Left);
  }
  return true;
}
