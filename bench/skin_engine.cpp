// The skin command broadcast over a tree of nested panels, half of them
// skinned, against a plain recursive SendMessage over the same tree; and the
// background question through three fully transparent panels against one
// opaque parent.
#include "support/BenchSupport.h"
#include "skin/engine/CommonData.h"
#include "skin/engine/ParentBg.h"
#include "skin/engine/SkinCommands.h"
#include "skin/engine/SkinManager.h"
#include "skin/graphics/Bitmaps32.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include <benchmark/benchmark.h>
#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {
std::vector<std::unique_ptr<TsCommonData>> SkinData;

// Skin data in front of the panel's own handling; a skinned panel passes a
// broadcast on to its children, as skinned controls do.
void Skin(TPanel* panel, const String& section, bool withCache) {
  SkinData.push_back(std::make_unique<TsCommonData>(panel, withCache));
  TsCommonData* d = SkinData.back().get();
  d->Loading = false;
  d->SetSkinSection(section);
  auto old = panel->WindowProc;
  panel->WindowProc = [old, d, panel](TMessage& m) {
    if (m.Msg != SM_SKINCMD) return old(m);
    switch (m.WParamHi()) {
      case SKC_CTRLSKINNED: m.Result = 1; return;
      case SKC_SETBGCHANGED:
        d->FBGChanged = true;
        BroadcastToControls(panel, m);
        return;
      case SKC_GETBGINFO: GetOwnBgInfo(d, *reinterpret_cast<TacParentBgData*>(m.LParam), 0); return;
      default: m.Result = 0; return;
    }
  };
}

TPanel* PanelIn(TWinControl* parent, int left, int top, int w, int h) {
  auto* p = new TPanel(parent);
  p->SetParent(parent);
  p->SetBounds(left, top, w, h);
  return p;
}

struct TWorld {
  std::unique_ptr<TsSkinManager> Manager = std::make_unique<TsSkinManager>(nullptr);
  TForm* Form = new TForm(Application);
  TPanel* TreeRoot = nullptr;
  TPanel* Opaque = nullptr;
  std::vector<TPanel*> Clear;  // three fully transparent panels inside Opaque

  TWorld() {
    auto& model = Manager->Model;
    for (const char16_t* name : {u"OPAQUE", u"CLEAR"}) {
      TsGeneralData gd;
      gd.ClassName = name;
      model.gd.push_back(gd);
    }
    model.gd[0].Props[0].ImagePercent = 50;
    model.gd[1].Props[0].Transparency = model.gd[1].Props[1].Transparency = 100;
    model.CommonSkinData->Active = true;
    Form->SetBounds(0, 0, 800, 600);

    // Nested panels: each has three children until the count is reached.
    const int count = BenchSize(400, 40);
    TreeRoot = PanelIn(Form, 0, 0, 400, 300);
    std::vector<TPanel*> queue{TreeRoot};
    int made = 1;
    for (size_t next = 0; made < count; ++next)
      for (int k = 0; k < 3 && made < count; ++k, ++made) {
        TPanel* p = PanelIn(queue[next], 1 + k, 1, 40, 30);
        if (made % 2) Skin(p, u"OPAQUE", false);
        queue.push_back(p);
      }

    Opaque = PanelIn(Form, 420, 0, 300, 300);
    Skin(Opaque, u"OPAQUE", true);
    TWinControl* parent = Opaque;
    for (int i = 0; i < 3; ++i) {
      Clear.push_back(PanelIn(parent, 10, 10, 200 - 20 * i, 200 - 20 * i));
      Skin(Clear.back(), u"CLEAR", false);
      parent = Clear.back();
    }
    Form->Show();
    TsCommonData* opaque = SkinData[SkinData.size() - 4].get();
    opaque->InitCacheBmp();
    opaque->FBGChanged = false;
  }
};

TWorld& World() {
  static TWorld world;
  return world;
}

void SendToAll(TWinControl* container, const TMessage& m) {
  for (int i = 0; i < container->ControlCount(); ++i)
    if (auto* w = dynamic_cast<TWinControl*>(container->Controls(i))) {
      SendMessageW(w->Handle(), m.Msg, m.WParam, m.LParam);
      SendToAll(w, m);
    }
}

void Broadcast(benchmark::State& state) {
  TWorld& w = World();
  const TMessage m{SM_SKINCMD, SkinCmdWParam(SKC_SETBGCHANGED, 1), 0, 0};
  for (auto _ : state) BroadcastToControls(w.TreeRoot, m);
}

void PlainSendLoop(benchmark::State& state) {
  TWorld& w = World();
  const TMessage m{SM_SKINCMD, SkinCmdWParam(SKC_INVALIDATE), 0, 0};
  for (auto _ : state) SendToAll(w.TreeRoot, m);
}

void BgThroughThreeClear(benchmark::State& state) {
  TWorld& w = World();
  for (auto _ : state) {
    TacParentBgData bg;
    GetCtrlBgInfo(bg, w.Clear.back(), false);
    benchmark::DoNotOptimize(bg.Offset);
  }
}

void BgOfOpaque(benchmark::State& state) {
  TWorld& w = World();
  for (auto _ : state) {
    TacParentBgData bg;
    GetCtrlBgInfo(bg, w.Opaque, false);
    benchmark::DoNotOptimize(bg.Offset);
  }
}

#define BENCH_PAIR(function)                                                                              \
  BENCHMARK(function)->Repetitions(BenchSmoke() ? 1 : 5)->ReportAggregatesOnly(true)->ComputeStatistics( \
      "min", Fastest)->Unit(benchmark::kMicrosecond)

BENCH_PAIR(Broadcast);
BENCH_PAIR(PlainSendLoop);
BENCH_PAIR(BgThroughThreeClear);
BENCH_PAIR(BgOfOpaque);
}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TFastestTimes times;
  benchmark::RunSpecifiedBenchmarks(&times);
  const double broadcast = times.Of("Broadcast"), plain = times.Of("PlainSendLoop");
  const double clear = times.Of("BgThroughThreeClear"), opaque = times.Of("BgOfOpaque");
  if (broadcast > 0 && plain > 0)
    PrintRatio("BroadcastToControls / SendMessage loop, 400 nested panels", broadcast / plain, 1.3);
  if (clear > 0 && opaque > 0) PrintRatio("GetOwnBgInfo through 3 clear panels / opaque parent", clear / opaque, 3);
  benchmark::Shutdown();
  SkinData.clear();
  return 0;
}
