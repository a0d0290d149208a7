// One frame of the aero zoom of a window animation: a 1280 x 800 form image
// drawn scaled into the cleared frame, against the 10 ms a frame may take.
#include "support/BenchSupport.h"
#include "skin/engine/AnimFrames.h"
#include "skin/graphics/Bitmaps32.h"
#include <benchmark/benchmark.h>
#include <random>

namespace {
std::unique_ptr<TBitmap> NoiseBmp(int w, int h) {
  auto bmp = NewBmp32(w, h);
  TPixelRows rows(bmp.get());
  std::mt19937 rng(7);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) rows.At(x, y) = static_cast<uint32_t>(rng()) | 0xFF000000u;
  return bmp;
}

void AeroZoomFrame(benchmark::State& state) {
  const int w = BenchSize(1280, 64), h = BenchSize(800, 40);
  auto image = NoiseBmp(w, h);
  auto frame = NewBmp32(w, h);
  // The middle frame of ten: the scaled image is 7/8 of the size.
  const double l = w / 16.0, t = h / 16.0;
  for (auto _ : state) {
    ComposeZoomFrame(*frame, *image, l, t, w - l, h - t);
    GdiFlush();
  }
}
BENCHMARK(AeroZoomFrame)->Repetitions(BenchSmoke() ? 1 : 5)->ReportAggregatesOnly(true)->ComputeStatistics(
    "min", Fastest)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TFastestTimes times;
  benchmark::RunSpecifiedBenchmarks(&times);
  const double frame = times.Of("AeroZoomFrame");  // milliseconds
  if (frame > 0) PrintRatio("aero zoom frame 1280 x 800 / 10 ms frame budget", frame / 10.0, 0.3);
  benchmark::Shutdown();
  return 0;
}
