// Laying report controls out on a form that is never shown: the bounds are
// fields, so a control should cost little more than the same arithmetic on
// plain structs (a control that made a window would cost far more).
//
// Goals: SetBounds and AdjustBounds of 100,000 auto-sized controls within
// 3x of the plain structs; realigning a site with 500 children of mixed
// kinds within 2x of placing the same precomputed rectangles.
#include "support/BenchSupport.h"

#include "platform/ui/Forms.h"
#include "report/RLLibrary.h"
#include "report/components/RLSiteKinds.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {

// A control whose text measures a width that depends on its number.
class TBenchLabel : public TRLCustomControl {
public:
  TBenchLabel(TComponent* AOwner, int natural) : TRLCustomControl(AOwner), FNatural(natural) {}
  void MeasureNaturalSize(int& Width, int& Height) override {
    Width = FNatural;
    Height = 14;
  }

private:
  int FNatural;
};

// The same state and steps on a plain struct: measure, place by the text
// alignment, keep the old bounds, apply.
struct PlainLabel {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  TRect OldBounds;
  int Natural = 0;
  TRLTextAlignment Alignment = TRLTextAlignment::taLeftJustify;

  void SetBounds(int l, int t, int w, int h) {
    OldBounds = TRect(Left, Top, Left + Width, Top + Height);
    if (l == Left && t == Top && w == Width && h == Height) return;
    Left = l;
    Top = t;
    Width = w;
    Height = h;
  }
  void AdjustBounds() {
    int w = Natural, h = 14, left = Left;
    if (Alignment == TRLTextAlignment::taRightJustify) left = Left + Width - w;
    if (Alignment == TRLTextAlignment::taCenter) {
      if (w % 2) ++w;
      left = Left + (Width - w) / 2;
    }
    SetBounds(left, Top, w, h);
  }
};

TRLTextAlignment AlignmentOf(int i) { return static_cast<TRLTextAlignment>(i % 3); }

const int ControlCount = BenchSize(100000, 200);

// Made once and freed with the process: taking 100,000 children off a
// form one by one would cost more than everything measured here.
std::vector<TBenchLabel*>& Labels() {
  static std::vector<TBenchLabel*> labels = [] {
    auto* form = new TForm(nullptr);
    std::vector<TBenchLabel*> made;
    made.reserve(ControlCount);
    // The form's own alignment would walk every child on each insert.
    form->DisableAlign();
    for (int i = 0; i < ControlCount; ++i) {
      auto* label = new TBenchLabel(form, 20 + i % 37);
      label->SetAlignment(AlignmentOf(i));
      label->SetAutoSize(true);
      label->SetParent(form);
      made.push_back(label);
    }
    form->EnableAlign();
    return made;
  }();
  return labels;
}

void BM_ControlBounds(benchmark::State& state) {
  std::vector<TBenchLabel*>& labels = Labels();
  int round = 0;
  for (auto _ : state) {
    ++round;
    for (size_t i = 0; i < labels.size(); ++i) {
      labels[i]->SetBounds(static_cast<int>(i % 500) + round % 7, static_cast<int>(i / 500), 60, 14);
      labels[i]->AdjustBounds();
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(labels.size()));
}

void BM_PlainBounds(benchmark::State& state) {
  std::vector<PlainLabel> labels(static_cast<size_t>(ControlCount));
  for (size_t i = 0; i < labels.size(); ++i) {
    labels[i].Natural = 20 + static_cast<int>(i % 37);
    labels[i].Alignment = AlignmentOf(static_cast<int>(i));
  }
  int round = 0;
  for (auto _ : state) {
    ++round;
    for (size_t i = 0; i < labels.size(); ++i) {
      labels[i].SetBounds(static_cast<int>(i % 500) + round % 7, static_cast<int>(i / 500), 60, 14);
      labels[i].AdjustBounds();
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(labels.size()));
}

// Every kind in turn.
TRLControlAlign KindOf(int i) { return static_cast<TRLControlAlign>(i % RLControlAlignCount); }

// A 2000 x 2000 site whose children take the alignment kinds in turn.
struct AlignedSite {
  TRLCustomSite* Site;
  std::vector<TRLCustomControl*> Children;
  std::vector<TRect> Placed;
};

AlignedSite& Aligned() {
  static AlignedSite aligned = [] {
    auto* form = new TForm(nullptr);
    AlignedSite a;
    a.Site = new TRLCustomSite(form);
    a.Site->SetBounds(0, 0, 2000, 2000);
    a.Site->SetParent(form);
    const int children = BenchSize(500, 30);
    for (int i = 0; i < children; ++i) {
      TRLCustomControl* child;
      if (i % 5 == 4) {
        auto* band = new TRLCustomBand(form);
        band->SetBandType(static_cast<TRLBandType>(i % RLBandTypeCount));
        child = band;
      } else {
        child = new TBenchLabel(form, 3 + i % 5);
      }
      child->SetBounds((i * 7) % 1900, (i * 13) % 1900, 3 + i % 4, 2 + i % 3);
      child->SetParent(a.Site);
      child->SetAlign(KindOf(i));
      a.Children.push_back(child);
    }
    a.Site->RealignControls();
    for (TRLCustomControl* c : a.Children) a.Placed.push_back(c->BoundsRect());
    return a;
  }();
  return aligned;
}

void BM_SiteRealign(benchmark::State& state) {
  AlignedSite& a = Aligned();
  for (auto _ : state) a.Site->RealignControls();
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(a.Children.size()));
}

void BM_PlacePrecomputed(benchmark::State& state) {
  AlignedSite& a = Aligned();
  for (auto _ : state)
    for (size_t i = 0; i < a.Children.size(); ++i) a.Children[i]->SetBoundsRect(a.Placed[i]);
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(a.Children.size()));
}


#define BENCH_LAYOUT(function)                                                                      \
  BENCHMARK(function)->Repetitions(BenchSmoke() ? 1 : 5)->ReportAggregatesOnly(!BenchSmoke())       \
      ->ComputeStatistics("min", Fastest)->Unit(benchmark::kMicrosecond)
BENCH_LAYOUT(BM_ControlBounds);
BENCH_LAYOUT(BM_PlainBounds);
BENCH_LAYOUT(BM_SiteRealign);
BENCH_LAYOUT(BM_PlacePrecomputed);

// Keeps the fastest time of each benchmark for the ratios.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      if (run.aggregate_name == "min" || (run.aggregate_name.empty() && !Times.count(run.run_name.function_name)))
        Times[run.run_name.function_name] = run.GetAdjustedRealTime();
    }
  }
  std::map<std::string, double> Times;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  ReportLibraryStartup();
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  auto ratio = [&](const char* a, const char* b) {
    double ta = reporter.Times[a], tb = reporter.Times[b];
    return ta > 0 && tb > 0 ? ta / tb : 0.0;
  };
  PrintRatio("controls / plain structs, SetBounds and AdjustBounds", ratio("BM_ControlBounds", "BM_PlainBounds"), 3);
  PrintRatio("site realign / placing precomputed rectangles", ratio("BM_SiteRealign", "BM_PlacePrecomputed"), 2);
  benchmark::Shutdown();
  ReportLibraryShutdown();
  return 0;
}
