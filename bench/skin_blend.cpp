// The skin library's alpha copy against the system's AlphaBlend of the same
// pixels premultiplied, and its masked piece copy against TransparentBlt of
// the same strip through the key colour.
#include "support/BenchSupport.h"
#include "skin/graphics/ProcBinding.h"
#include "skin/graphics/AlphaCopy.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/Pixels32.h"
#include <benchmark/benchmark.h>
#include <windows.h>
#include <algorithm>
#include <map>
#include <random>
#include <string>

namespace {
using TAlphaBlend = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
using TTransparentBlt = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);

HMODULE MsImg32() {
  static HMODULE module = LoadLibraryW(reinterpret_cast<LPCWSTR>(u"msimg32.dll"));
  return module;
}

std::unique_ptr<TBitmap> RandomBmp(int w, int h, unsigned seed, bool keyPixels) {
  auto bmp = NewBmp32(w, h);
  TPixelRows rows(bmp.get());
  std::mt19937 rng(seed);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      rows.At(x, y) = keyPixels && rng() % 8 == 0 ? KeyPixel : static_cast<uint32_t>(rng());
  return bmp;
}

int Width() { return BenchSize(1024, 64); }
int Height() { return BenchSize(768, 48); }

void SkinAlphaCopy(benchmark::State& state) {
  auto dst = RandomBmp(Width(), Height(), 1, false);
  auto src = RandomBmp(Width(), Height(), 2, false);
  const TRect r(0, 0, Width(), Height());
  for (auto _ : state) AlphaCopy32(r, r, *dst, src.get(), EmptyCacheInfo, false);
}

void SystemAlphaBlend(benchmark::State& state) {
  auto call = BindProc<TAlphaBlend>(MsImg32(), "AlphaBlend");
  if (!call) return state.SkipWithError("no AlphaBlend");
  auto dst = RandomBmp(Width(), Height(), 1, false);
  auto src = RandomBmp(Width(), Height(), 2, false);
  PremultiplyBmp(*src);
  HDC d = dst->Canvas()->Handle(), s = src->Canvas()->Handle();
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  for (auto _ : state) {
    call(d, 0, 0, Width(), Height(), s, 0, 0, Width(), Height(), blend);
    GdiFlush();
  }
}

constexpr int StripW = 200, StripH = 60;

void SkinCopyRectByMask(benchmark::State& state) {
  auto dst = RandomBmp(StripW, StripH, 3, false);
  auto src = RandomBmp(StripW, 2 * StripH, 4, true);
  TsMaskData md;
  md.R = TRect(0, 0, StripW, 2 * StripH);
  md.MaskType = 1;
  const TRect r(0, 0, StripW, StripH);
  for (auto _ : state) CopyRectByMask(r, r, *dst, *src, EmptyCacheInfo, false, md);
}

void SystemTransparentBlt(benchmark::State& state) {
  auto call = BindProc<TTransparentBlt>(MsImg32(), "TransparentBlt");
  if (!call) return state.SkipWithError("no TransparentBlt");
  auto dst = RandomBmp(StripW, StripH, 3, false);
  auto src = RandomBmp(StripW, 2 * StripH, 4, true);
  HDC d = dst->Canvas()->Handle(), s = src->Canvas()->Handle();
  for (auto _ : state) {
    call(d, 0, 0, StripW, StripH, s, 0, 0, StripW, StripH, RGB(255, 0, 255));
    GdiFlush();
  }
}

#define BENCH_PAIR(function)                                                                                  \
  BENCHMARK(function)->Repetitions(BenchSmoke() ? 1 : 5)->ReportAggregatesOnly(true)->ComputeStatistics(     \
      "min", Fastest)->Unit(benchmark::kMicrosecond)
BENCH_PAIR(SkinAlphaCopy);
BENCH_PAIR(SystemAlphaBlend);
BENCH_PAIR(SkinCopyRectByMask);
BENCH_PAIR(SystemTransparentBlt);
}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TFastestTimes times;
  benchmark::RunSpecifiedBenchmarks(&times);
  const double copy = times.Of("SkinAlphaCopy"), blend = times.Of("SystemAlphaBlend");
  const double masked = times.Of("SkinCopyRectByMask"), transparent = times.Of("SystemTransparentBlt");
  if (copy > 0 && blend > 0) PrintRatio("AlphaCopy32 / AlphaBlend, 1024 x 768", copy / blend, 1.5);
  if (masked > 0 && transparent > 0) PrintRatio("CopyRectByMask / TransparentBlt, 200 x 60", masked / transparent, 2);
  benchmark::Shutdown();
  return 0;
}
