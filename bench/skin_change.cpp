// The skin change broadcast over 20 forms of 30 controls against a plain
// SendMessage loop over the same windows; and one skinned popup item drawn
// over its cached background against the platform's own owner drawing.
#include "support/BenchSupport.h"
#include "skin/engine/SkinCommands.h"
#include "skin/engine/SkinManager.h"
#include "skin/engine/SkinnedMenus.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/Pixels32.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include <benchmark/benchmark.h>
#include <windows.h>

namespace {
struct TForms {
  std::vector<TForm*> Forms;
  std::vector<HWND> Windows;
  TForms() {
    const int forms = BenchSize(20, 2), controls = BenchSize(30, 3);
    for (int f = 0; f < forms; ++f) {
      auto* form = new TForm(Application);
      form->SetBounds(0, 0, 400, 300);
      Windows.push_back(form->Handle());
      for (int c = 0; c < controls; ++c) {
        auto* panel = new TPanel(form);
        panel->SetParent(form);
        panel->SetBounds(c * 10, 0, 8, 8);
        Windows.push_back(panel->Handle());
      }
      Forms.push_back(form);
    }
  }
  ~TForms() {
    for (TForm* form : Forms) form->Free();
  }
};

TsSkinManager& Manager() {
  static TsSkinManager* sm = [] {
    auto* m = new TsSkinManager(nullptr);
    auto section = [m](const char16_t* name, TColor color, TColor hot) {
      TsGeneralData gd;
      gd.ClassName = name;
      gd.Props[0].Color = color;
      gd.Props[1].Color = hot;
      gd.Props[0].FontColor.Color = 0x202020;
      gd.Props[1].FontColor.Color = 0xFFFFFF;
      m->Model.gd.push_back(gd);
    };
    section(u"GLOBALINFO", 0xF0F0F0, 0xF0F0F0);
    section(u"MAINMENU", 0xF4F4F4, 0xF4F4F4);
    section(u"MENUITEM", 0xFFFFFF, 0xC08040);
    m->InitConstantIndexes();
    m->Model.CommonSkinData->Active = true;
    return m;
  }();
  return *sm;
}

void SendNewSkinToForms(benchmark::State& state) {
  TsSkinManager& sm = Manager();
  TForms forms;
  for (auto _ : state) sm.SendNewSkin(false);
}

void PlainSendMessageLoop(benchmark::State& state) {
  TsSkinManager& sm = Manager();
  TForms forms;
  for (auto _ : state)
    for (HWND wnd : forms.Windows)
      SendMessageW(wnd, SM_SKINCMD, SkinCmdWParam(SKC_NEWSKIN), reinterpret_cast<LPARAM>(&sm));
}

struct TItemCase {
  TPopupMenu Menu{nullptr};
  TMenuItem* Item = new TMenuItem(nullptr);  // freed by its parent
  std::unique_ptr<TBitmap> Target = NewBmp32(200, 22);
  TItemCase() {
    Item->SetCaption(u"Abrir movimento");
    Item->SetShortCut(ShortCut('A', TShiftState{ssCtrl}));
    Menu.Items()->Add(Item);
    Target->Canvas()->Font()->Assign(*Screen->MenuFont());
  }
};

void SkinnedPopupItem(benchmark::State& state) {
  TsSkinManager& sm = Manager();
  TItemCase c;
  TsSkinableMenus& menus = *sm.SkinableMenus;
  const TRect r(0, 0, 200, 22);
  menus.sAdvancedDrawItem(c.Item, c.Target->Canvas(), r, TOwnerDrawState());
  for (auto _ : state) {
    menus.sAdvancedDrawItem(c.Item, c.Target->Canvas(), r, TOwnerDrawState());
    GdiFlush();
  }
  ClearMenuInfos();
  MSG msg;
  while (PeekMessageW(&msg, Application->Handle(), 0xBCB3, 0xBCB4, PM_REMOVE)) {}
}

void PlatformPopupItem(benchmark::State& state) {
  TItemCase c;
  const TRect r(0, 0, 200, 22);
  for (auto _ : state) {
    c.Item->DrawItem(c.Target->Canvas(), r, TOwnerDrawState(), false);
    GdiFlush();
  }
}

#define BENCH_PAIR(function)                                                                                  \
  BENCHMARK(function)->Repetitions(BenchSmoke() ? 1 : 5)->ReportAggregatesOnly(true)->ComputeStatistics(     \
      "min", Fastest)->Unit(benchmark::kMicrosecond)
BENCH_PAIR(SendNewSkinToForms);
BENCH_PAIR(PlainSendMessageLoop);
BENCH_PAIR(SkinnedPopupItem);
BENCH_PAIR(PlatformPopupItem);
}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TFastestTimes times;
  benchmark::RunSpecifiedBenchmarks(&times);
  const double broadcast = times.Of("SendNewSkinToForms"), loop = times.Of("PlainSendMessageLoop");
  const double skinned = times.Of("SkinnedPopupItem"), platform = times.Of("PlatformPopupItem");
  if (broadcast > 0 && loop > 0) PrintRatio("SendNewSkin 20x30 / plain SendMessage loop", broadcast / loop, 1.5);
  if (skinned > 0 && platform > 0) PrintRatio("skinned popup item / platform owner drawing", skinned / platform, 4);
  benchmark::Shutdown();
  return 0;
}
