// One frame of a control's state fade (the old look copied, the new one
// blended over it, the frame copied onto the window) against one BitBlt
// of the same frame onto the same window.
#include "support/BenchSupport.h"
#include "skin/engine/AnimTimer.h"
#include "skin/engine/CommonData.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/Fades.h"
#include <benchmark/benchmark.h>
#include <windows.h>
#include <memory>
#include <random>

namespace {
constexpr int FrameW = 200, FrameH = 40;

std::unique_ptr<TBitmap> RandomBmp(unsigned seed) {
  auto bmp = NewBmp32(FrameW, FrameH);
  TPixelRows rows(bmp.get());
  std::mt19937 rng(seed);
  for (int y = 0; y < FrameH; ++y)
    for (int x = 0; x < FrameW; ++x) rows.At(x, y) = static_cast<uint32_t>(rng()) | 0xFF000000u;
  return bmp;
}

// A plain window of the frame's size, shown, freed with the fixture.
struct TFadeWindow {
  HWND Wnd = CreateWindowExW(WS_EX_TOOLWINDOW, reinterpret_cast<LPCWSTR>(u"STATIC"), nullptr, WS_POPUP | WS_VISIBLE,
                             10, 10, FrameW, FrameH, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ~TFadeWindow() { DestroyWindow(Wnd); }
};

void StateFadeFrame(benchmark::State& state) {
  TFadeWindow window;
  TsCommonData data(nullptr, true);
  data.FSWHandle = window.Wnd;
  PrepareAnimTimer(data.AnimTimer, nullptr, FadeToHot);
  TacThreadedTimer& timer = *data.AnimTimer;
  timer.BmpFrom = RandomBmp(1);
  timer.BmpTo = RandomBmp(2);
  timer.InitData(&data, 0, StateFadeProc, FadeToHot, false);
  timer.SetEnabled(false);  // frames are drawn here, not on ticks
  // A level that stays half-way, so that every frame blends.
  timer.Iterations = 1 << 30;
  timer.Glow = 127;
  timer.GlowStep = 0;
  for (auto _ : state) {
    StateFadeProc(&data, 1);
    GdiFlush();
  }
}

void FrameBitBlt(benchmark::State& state) {
  TFadeWindow window;
  auto frame = RandomBmp(3);
  for (auto _ : state) {
    const HDC dc = GetDC(window.Wnd);
    BitBlt(dc, 0, 0, FrameW, FrameH, frame->Canvas()->Handle(), 0, 0, SRCCOPY);
    ReleaseDC(window.Wnd, dc);
    GdiFlush();
  }
}

#define BENCH_PAIR(function)                                                                                  \
  BENCHMARK(function)->Repetitions(BenchSmoke() ? 1 : 5)->ReportAggregatesOnly(true)->ComputeStatistics(     \
      "min", Fastest)->Unit(benchmark::kMicrosecond)
BENCH_PAIR(StateFadeFrame);
BENCH_PAIR(FrameBitBlt);
}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TFastestTimes times;
  benchmark::RunSpecifiedBenchmarks(&times);
  const double fade = times.Of("StateFadeFrame"), blit = times.Of("FrameBitBlt");
  if (fade > 0 && blit > 0) PrintRatio("state-fade frame / BitBlt, 200 x 40", fade / blit, 3);
  benchmark::Shutdown();
  return 0;
}
