// The skin library's blur against a plain separable blur written here, and
// its Mitchell resampling against GDI's halftone stretch (reported only).
#include "skin/graphics/BlurFilters.h"
#include "skin/graphics/Resample.h"
#include "support/BenchSupport.h"
#include "support/FastestReporter.h"
#include <benchmark/benchmark.h>
#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

int Side() { return BenchSmoke() ? 64 : 1024; }

void Fill8(TBitmap& bmp) {
  bmp.SetPixelFormat(pf8bit);
  bmp.SetSize(Side(), Side());
  std::mt19937 rng(3);
  for (int y = 0; y < Side(); ++y) {
    auto* row = static_cast<uint8_t*>(bmp.ScanLine(y));
    for (int x = 0; x < Side(); ++x) row[x] = static_cast<uint8_t>((x ^ y) + rng() % 16);
  }
}

void Fill32(TBitmap& bmp) {
  bmp.SetPixelFormat(pf32bit);
  bmp.SetSize(Side(), Side());
  std::mt19937 rng(5);
  for (int y = 0; y < Side(); ++y) {
    auto* row = static_cast<uint32_t*>(bmp.ScanLine(y));
    for (int x = 0; x < Side(); ++x) row[x] = rng();
  }
}

void BlurRadius5(benchmark::State& state) {
  TBitmap bmp;
  Fill8(bmp);
  for (auto _ : state) {
    BlurBmp8(bmp, 5);
    benchmark::DoNotOptimize(bmp.ScanLine(0));
  }
}

// The same nine-sample mean, done the obvious way: every tap clamps its
// index, rows first, then each column gathered into a line.
void PlainSeparableBlur(benchmark::State& state) {
  TBitmap bmp;
  Fill8(bmp);
  const int side = Side();
  const float weight = 1.0f / 9;
  std::vector<uint8_t> line(static_cast<size_t>(side)), out(static_cast<size_t>(side));
  auto blurLine = [&](uint8_t* samples) {
    for (int i = 0; i < side; ++i) {
      double sum = 0;
      for (int j = -4; j <= 4; ++j) sum += weight * samples[std::clamp(i - j, 0, side - 1)];
      out[i] = static_cast<uint8_t>(std::min(sum, 255.0));
    }
    std::copy(out.begin(), out.end(), samples);
  };
  for (auto _ : state) {
    auto* row0 = static_cast<uint8_t*>(bmp.ScanLine(0));
    const ptrdiff_t stride = -static_cast<ptrdiff_t>(bmp.RowStride());
    for (int y = 0; y < side; ++y) blurLine(row0 + y * stride);
    for (int x = 0; x < side; ++x) {
      for (int y = 0; y < side; ++y) line[y] = row0[y * stride + x];
      blurLine(line.data());
      for (int y = 0; y < side; ++y) row0[y * stride + x] = line[y];
    }
    benchmark::DoNotOptimize(row0);
  }
}

void MitchellHalving(benchmark::State& state) {
  TBitmap source, target;
  Fill32(source);
  for (auto _ : state) {
    ResampleBmp32(source, target, Side() / 2, Side() / 2, 6);
    benchmark::DoNotOptimize(target.ScanLine(0));
  }
}

void HalftoneHalving(benchmark::State& state) {
  TBitmap source, target;
  Fill32(source);
  target.SetPixelFormat(pf32bit);
  target.SetSize(Side() / 2, Side() / 2);
  HDC from = source.Canvas()->Handle();
  HDC to = target.Canvas()->Handle();
  SetStretchBltMode(to, HALFTONE);
  SetBrushOrgEx(to, 0, 0, nullptr);
  for (auto _ : state) {
    StretchBlt(to, 0, 0, Side() / 2, Side() / 2, from, 0, 0, Side(), Side(), SRCCOPY);
    GdiFlush();
  }
}

}  // namespace

BENCH_FASTEST(BlurRadius5)->Unit(benchmark::kMillisecond);
BENCH_FASTEST(PlainSeparableBlur)->Unit(benchmark::kMillisecond);
BENCH_FASTEST(MitchellHalving)->Unit(benchmark::kMillisecond);
BENCH_FASTEST(HalftoneHalving)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TFastestReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double blur = reporter.Time("BlurRadius5");
  const double plain = reporter.Time("PlainSeparableBlur");
  if (blur > 0 && plain > 0) PrintRatio("BlurBmp8 radius 5 / plain separable blur", blur / plain, 1.3);
  const double mitchell = reporter.Time("MitchellHalving");
  const double halftone = reporter.Time("HalftoneHalving");
  if (mitchell > 0 && halftone > 0) PrintRatio("ResampleBmp32 Mitchell halving / StretchBlt HALFTONE", mitchell / halftone);
  benchmark::Shutdown();
  return 0;
}
