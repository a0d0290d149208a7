// The main window's effects label repainted against a platform label with
// the same caption and font, with and without the kept shadow image; and
// the text shadow with its kept mask against drawing it the first time.
#include "support/BenchSupport.h"
#include "skin/engine/LabelFX.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/TextOutput.h"
#include <benchmark/benchmark.h>
#include <windows.h>

namespace {
const String Caption = u"Brenquia";

void UseLabelFont(TFont& Font) {
  Font.SetName(u"Impact");
  Font.SetCharset(ANSI_CHARSET);
  Font.SetHeight(BenchSize(-48, -12));
}

std::unique_ptr<TsLabelFX> MainWindowLabel(bool Buffered) {
  auto label = std::make_unique<TsLabelFX>(nullptr);
  label->Shadow().OffsetKeeper().SetLeftTop(-3);
  label->Shadow().OffsetKeeper().SetRightBottom(5);
  label->SetAlignment(taCenter);
  UseLabelFont(*label->Font());
  label->SetAngle(90);
  label->SetCaption(Caption);
  label->Shadow().SetShadowBuffered(Buffered);
  return label;
}

void Repaint(benchmark::State& state, TControl& label) {
  auto panel = NewBmp32(label.Width(), label.Height());
  HDC dc = panel->Canvas()->Handle();
  for (auto _ : state) {
    label.Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    GdiFlush();
  }
}

void EffectsLabel(benchmark::State& state) {
  auto label = MainWindowLabel(false);
  Repaint(state, *label);
}

void EffectsLabelBuffered(benchmark::State& state) {
  auto label = MainWindowLabel(true);
  Repaint(state, *label);
}

void PlatformLabel(benchmark::State& state) {
  TLabel label(nullptr);
  UseLabelFont(*label.Font());
  label.SetTransparent(true);
  label.SetCaption(Caption);
  Repaint(state, label);
}

struct TShadowCase {
  std::unique_ptr<TBitmap> Bmp = NewBmp32(BenchSize(400, 60), BenchSize(120, 30));
  TRect R = TRect(10, 10, BenchSize(390, 50), BenchSize(110, 25));
  TShadowCase() { UseLabelFont(*Bmp->Canvas()->Font()); }
  void Draw(std::unique_ptr<TBitmap>& Mask) {
    DrawShadowedText(*Bmp, Caption, R, DT_SINGLELINE, 15, 4, 0x000000, Mask);
    GdiFlush();
  }
};

void ShadowFirstCall(benchmark::State& state) {
  TShadowCase c;
  for (auto _ : state) {
    std::unique_ptr<TBitmap> mask;
    c.Draw(mask);
  }
}

void ShadowKeptMask(benchmark::State& state) {
  TShadowCase c;
  std::unique_ptr<TBitmap> mask;
  c.Draw(mask);
  for (auto _ : state) c.Draw(mask);
}

#define BENCH_PAIR(function)                                                                                  \
  BENCHMARK(function)->Repetitions(BenchSmoke() ? 1 : 5)->ReportAggregatesOnly(true)->ComputeStatistics(     \
      "min", Fastest)->Unit(benchmark::kMicrosecond)
BENCH_PAIR(EffectsLabel);
BENCH_PAIR(EffectsLabelBuffered);
BENCH_PAIR(PlatformLabel);
BENCH_PAIR(ShadowFirstCall);
BENCH_PAIR(ShadowKeptMask);
}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TFastestTimes times;
  benchmark::RunSpecifiedBenchmarks(&times);
  const double fx = times.Of("EffectsLabel"), buffered = times.Of("EffectsLabelBuffered");
  const double plain = times.Of("PlatformLabel");
  const double first = times.Of("ShadowFirstCall"), kept = times.Of("ShadowKeptMask");
  if (fx > 0 && plain > 0) PrintRatio("TsLabelFX repaint / TLabel repaint", fx / plain, 8);
  if (buffered > 0 && plain > 0) PrintRatio("TsLabelFX ShadowBuffered repaint / TLabel repaint", buffered / plain, 2);
  if (first > 0 && kept > 0) PrintRatio("DrawShadowedText kept mask / first call", kept / first, 0.2);
  benchmark::Shutdown();
  return 0;
}
