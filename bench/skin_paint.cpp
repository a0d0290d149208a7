// The nine-piece painter against a plain StretchBlt of the same frame, and
// a gradient over a texture against a flat fill of the same area.
#include "support/BenchSupport.h"
#include "skin/engine/SkinManager.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/Gradients.h"
#include "skin/graphics/MaskPaint.h"
#include "skin/graphics/Pixels32.h"
#include <benchmark/benchmark.h>
#include <windows.h>
#include <random>

namespace {
int Width() { return BenchSize(400, 40); }
int Height() { return BenchSize(300, 30); }
constexpr int FrameSize = 40, Margin = 8;

std::unique_ptr<TBitmap> RandomBmp(int w, int h, unsigned seed) {
  auto bmp = NewBmp32(w, h);
  TPixelRows rows(bmp.get());
  std::mt19937 rng(seed);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) rows.At(x, y) = static_cast<uint32_t>(rng()) | 0xFF000000u;
  return bmp;
}

TsSkinManager& Manager() {
  static TsSkinManager sm(nullptr);
  return sm;
}

// A frame of FrameSize with its mask below when masked.
struct TBenchPart {
  std::unique_ptr<TBitmap> Bmp;
  TsMaskData md;
  TBenchPart(bool masked, int drawMode) {
    Bmp = RandomBmp(FrameSize, masked ? 2 * FrameSize : FrameSize, 7);
    md.Bmp = Bmp.get();
    md.R = TRect(0, 0, FrameSize, Bmp->Height());
    md.ImageCount = 1;
    md.MaskType = masked ? 1 : 0;
    md.DrawMode = static_cast<int16_t>(drawMode);
    md.Manager = &Manager();
    md.WL = md.WT = md.WR = md.WB = Margin;
  }
};

void PaintPart(benchmark::State& state, bool masked, int drawMode) {
  TBenchPart part(masked, drawMode);
  auto dst = RandomBmp(Width(), Height(), 1);
  const TRect r(0, 0, Width(), Height());
  for (auto _ : state) PaintMaskRect(*dst, r, EmptyCacheInfo, part.md, 0, false);
}
void MaskRectUnmaskedTiled(benchmark::State& state) { PaintPart(state, false, 4); }
void MaskRectMaskedStretched(benchmark::State& state) { PaintPart(state, true, 5); }

void PlainStretchBlt(benchmark::State& state) {
  auto src = RandomBmp(FrameSize, FrameSize, 7);
  auto dst = RandomBmp(Width(), Height(), 1);
  HDC d = dst->Canvas()->Handle(), s = src->Canvas()->Handle();
  SetStretchBltMode(d, COLORONCOLOR);
  for (auto _ : state) {
    StretchBlt(d, 0, 0, Width(), Height(), s, 0, 0, FrameSize, FrameSize, SRCCOPY);
    GdiFlush();
  }
}

void GradOverTexture(benchmark::State& state) {
  auto texture = RandomBmp(32, 32, 3);
  auto dst = RandomBmp(Width(), Height(), 1);
  TsGradArray bands(2);
  bands[0] = {0xFF0000, 0x00FF00, 50, 0, 0};
  bands[1] = {0x00FF00, 0x0000FF, 50, 0, 0};
  const TRect r(0, 0, Width(), Height());
  for (auto _ : state) PaintGradOverTexture(*dst, r, bands, *texture, TRect(), 100, 255);
}

void FlatFill(benchmark::State& state) {
  auto dst = RandomBmp(Width(), Height(), 1);
  const TRect r(0, 0, Width(), Height());
  for (auto _ : state) FillRect32(*dst, r, 0x808080, 255);
}

#define BENCH_PAIR(function)                                                                                  \
  BENCHMARK(function)->Repetitions(BenchSmoke() ? 1 : 5)->ReportAggregatesOnly(true)->ComputeStatistics(     \
      "min", Fastest)->Unit(benchmark::kMicrosecond)
BENCH_PAIR(MaskRectUnmaskedTiled);
BENCH_PAIR(MaskRectMaskedStretched);
BENCH_PAIR(PlainStretchBlt);
BENCH_PAIR(GradOverTexture);
BENCH_PAIR(FlatFill);
}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TFastestTimes times;
  benchmark::RunSpecifiedBenchmarks(&times);
  const double plain = times.Of("PlainStretchBlt"), fill = times.Of("FlatFill");
  if (plain > 0) {
    PrintRatio("PaintMaskRect unmasked tiled / StretchBlt, 400 x 300", times.Of("MaskRectUnmaskedTiled") / plain, 3);
    PrintRatio("PaintMaskRect masked stretched / StretchBlt, 400 x 300", times.Of("MaskRectMaskedStretched") / plain,
               8);
  }
  if (fill > 0) PrintRatio("gradient over texture / FillRect32, 400 x 300", times.Of("GradOverTexture") / fill, 6);
  benchmark::Shutdown();
  return 0;
}
