// Glow windows and state fades on real windows. A recorder in place of the
// bound UpdateLayeredWindow logs every layered frame; the glow and a fade
// stopped half-way are captured from the display as artefacts.
#include "skin/support/SkinnedStandIn.h"
#include "support/Artifacts.h"
#include "skin/support/TestSkinFixture.h"
#include "skin/engine/AnimTimer.h"
#include "skin/engine/ControlMessages.h"
#include "skin/engine/OuterEffects.h"
#include "skin/graphics/Fades.h"
#include "skin/graphics/Glows.h"
#include "skin/graphics/LayeredWindows.h"
#include "skin/graphics/Pixels32.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "support/AppDriver.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {
struct TLayeredFrame {
  HWND Wnd;
  int Alpha, Width, Height;
};
std::vector<TLayeredFrame> Frames;
decltype(TLayeredWindowProcs::UpdateLayeredWindow) RealUpdate = nullptr;

BOOL WINAPI RecordingUpdate(HWND wnd, HDC screen, POINT* pos, SIZE* size, HDC src, POINT* srcPos, COLORREF key,
                            BLENDFUNCTION* blend, DWORD flags) {
  Frames.push_back({wnd, blend ? blend->SourceConstantAlpha : -1, size ? size->cx : -1, size ? size->cy : -1});
  return RealUpdate(wnd, screen, pos, size, src, srcPos, key, blend, flags);
}

std::vector<int> AlphasOf(HWND wnd) {
  std::vector<int> alphas;
  for (const auto& f : Frames)
    if (f.Wnd == wnd) alphas.push_back(f.Alpha);
  return alphas;
}

// Waits on the message queue, never spinning, until Done or the time is up.
template <class F>
void PumpUntil(F Done, DWORD timeoutMs = 3000) {
  const DWORD start = GetTickCount();
  while (!Done() && GetTickCount() - start < timeoutMs) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    Application->ProcessMessages();
  }
}

constexpr uint32_t NormalPixel = 0xFF2040C0, HotPixel = 0xFFF0D020;

class UiGlowFade : public ::testing::Test {
protected:
  void SetUp() override {
    RealUpdate = LayeredWindowProcs().UpdateLayeredWindow;
    ASSERT_TRUE(RealUpdate);
    LayeredWindowProcs().UpdateLayeredWindow = RecordingUpdate;
    Frames.clear();
    sm = NewTestSkinManager();
    ASSERT_EQ(LoadSkinCountingBoxes(*sm, u"TestSkin"), 0);
    const int button = sm->GetSkinIndex(u"BUTTON");
    ASSERT_GE(button, 0);
    sm->Model.gd[static_cast<size_t>(button)].GlowMargin = 5;
    const int glow = sm->GetMaskIndex(u"BUTTON", u"GLOW0");
    ASSERT_GE(glow, 0);
    auto& md = sm->Model.ma[static_cast<size_t>(glow)];
    md.WL = md.WT = md.WR = md.WB = 10;
    // The glow image's own alpha: its upper half, without the mask below.
    md.MaskType = 0;
    md.R.Bottom = md.R.Top + md.R.Height() / 2;

    form = new TForm(Application);
    form->SetBorderStyle(bsNone);
    form->SetBounds(100, 100, 400, 200);
    form->SetColor(0x808080);
    panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBounds(40, 50, 100, 30);
    form->Show();
    Application->ProcessMessages();
    skinned = MakeSkinned(panel, u"BUTTON", true, HotPixel);
    data().SetSkinManager(sm.get());
  }
  void TearDown() override {
    FreeAllGlows(true);
    skinned.reset();
    delete form;
    LayeredWindowProcs().UpdateLayeredWindow = RealUpdate;
  }
  TsCommonData& data() { return *skinned->Data; }
  TRect PanelOnScreen() {
    RECT r{};
    GetWindowRect(panel->Handle(), &r);
    return TRect(r.left, r.top, r.right, r.bottom);
  }
  void CursorOverPanel(bool over) {
    const TRect r = PanelOnScreen();
    if (over)
      SetCursorPos(r.Left + 10, r.Top + 10);
    else
      SetCursorPos(r.Right + 200, r.Bottom + 100);
  }
  void FillCache(uint32_t pixel) {
    data().InitCacheBmp();
    TPixelRows rows(data().FCacheBmp.get());
    for (int y = 0; y < rows.Height(); ++y)
      for (int x = 0; x < rows.Width(); ++x) rows.At(x, y) = pixel;
    data().FBGChanged = false;
  }
  uint32_t ScreenPixel(int x, int y) {
    const HDC dc = GetDC(panel->Handle());
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(panel->Handle(), dc);
    return c;
  }

  std::unique_ptr<TsSkinManager> sm;
  TForm* form = nullptr;
  TPanel* panel = nullptr;
  std::unique_ptr<TSkinnedStandIn> skinned;
};

std::vector<double> Levels;
std::vector<int> GlowIds;
bool CountingFade(TObject* Data, int Iteration) {
  const bool more = StateFadeProc(Data, Iteration);
  auto* data = static_cast<TsCommonData*>(Data);
  if (data->AnimTimer) Levels.push_back(data->AnimTimer->Glow);
  GlowIds.push_back(data->GlowID);
  return more;
}
}  // namespace

TEST_F(UiGlowFade, GlowGeometryClickThroughAndRemoval) {
  const TRect r = PanelOnScreen();
  int id = CreateGlow(r, u"BUTTON", u"GLOW", 5, 255, form->Handle(), &data());
  ASSERT_EQ(id, 0);
  data().GlowID = id;
  TForm* wnd = GlowList[0]->Wnd;
  ASSERT_TRUE(wnd && wnd->HandleAllocated());
  const HWND glow = wnd->Handle();
  RECT gr{};
  GetWindowRect(glow, &gr);
  EXPECT_EQ(gr.left, r.Left - 5);
  EXPECT_EQ(gr.top, r.Top - 5);
  EXPECT_EQ(gr.right - gr.left, 110);
  EXPECT_EQ(gr.bottom - gr.top, 40);
  EXPECT_EQ(SendMessageW(glow, WM_NCHITTEST, 0, MAKELPARAM(gr.left + 2, gr.top + 2)), HTTRANSPARENT);
  const LONG ex = GetWindowLongW(glow, GWL_EXSTYLE);
  EXPECT_EQ(ex & 0x080800A0, 0x080800A0) << "layered, click-through, tool window, no activation";
  EXPECT_TRUE(IsWindowVisible(glow));
  EXPECT_EQ(wnd->Tag(), 256);
  ASSERT_FALSE(Frames.empty());
  EXPECT_EQ(Frames.back().Wnd, glow);
  EXPECT_EQ(Frames.back().Width, 110);
  EXPECT_EQ(Frames.back().Height, 40);
  EXPECT_EQ(Frames.back().Alpha, 255);
  Application->ProcessMessages();
  if (String shot = ArtifactPath("live_glow.png"); !shot.empty()) {
    EXPECT_TRUE(AppDriver::SaveScreenshot(form->Handle(), shot));
  }

  SetGlowAlpha(id, 128);
  EXPECT_EQ(AlphasOf(glow).back(), 128);
  if (String shot = ArtifactPath("live_glow_half.png"); !shot.empty()) {
    EXPECT_TRUE(AppDriver::SaveScreenshot(form->Handle(), shot));
  }

  EXPECT_EQ(CreateGlow(r, u"EDIT", u"GLOW", 5, 255, form->Handle(), &data()), -1) << "no GLOW0 part";
  EXPECT_EQ(GlowList.size(), 1u);

  int beyond = 7;
  RemoveGlow(beyond, false);
  EXPECT_EQ(beyond, 7);

  sm->Effects().SetAllowAnimation(false);
  RemoveGlow(data().GlowID, true);
  EXPECT_EQ(data().GlowID, -1) << "removed at once without animation";
  EXPECT_FALSE(GlowList[0]);
  EXPECT_FALSE(IsWindowVisible(glow));
  const size_t frames = Frames.size();
  SetGlowAlpha(0, 50);
  EXPECT_EQ(Frames.size(), frames) << "a removed glow shows nothing";
  int again = 0;
  RemoveGlow(again, false);
  EXPECT_EQ(again, 0) << "a removed glow is left alone";

  // Hover: the mouse brings the glow, a second enter keeps the one glow, leaving takes it.
  CursorOverPanel(true);
  TMessage enter{CM_MOUSEENTER, 0, 0, 0};
  HandleControlMessage(enter, &data());
  const int hovered = data().GlowID;
  ASSERT_GE(hovered, 0);
  EXPECT_EQ(AlphasOf(GlowList[static_cast<size_t>(hovered)]->Wnd->Handle()).back(), 255);
  HandleControlMessage(enter, &data());
  EXPECT_EQ(data().GlowID, hovered);
  CursorOverPanel(false);
  TMessage leave{CM_MOUSELEAVE, 0, 0, 0};
  HandleControlMessage(leave, &data());
  EXPECT_EQ(data().GlowID, -1);

  // Freeing every glow frees the windows and tells the owners.
  const int a = CreateGlow(r, u"BUTTON", u"GLOW", 5, 255, form->Handle(), &data());
  data().GlowID = a;
  const HWND last = GlowList[static_cast<size_t>(a)]->Wnd->Handle();
  FreeAllGlows(true);
  EXPECT_TRUE(GlowList.empty());
  EXPECT_EQ(data().GlowID, -1);
  EXPECT_FALSE(IsWindow(last));
}

TEST_F(UiGlowFade, StateFadesRunTheirFrames) {
  FillCache(NormalPixel);
  CursorOverPanel(true);
  Levels.clear();
  GlowIds.clear();
  StartStateFade(&data(), FadeToHot, CountingFade, true, false, true);
  TacThreadedTimer* timer = data().AnimTimer;
  ASSERT_TRUE(timer);
  EXPECT_EQ(skinned->PrepareCount, 1);
  ASSERT_GE(data().GlowID, 0) << "the glow comes along from alpha 0";
  const HWND glow = GlowList[static_cast<size_t>(data().GlowID)]->Wnd->Handle();
  EXPECT_EQ(AlphasOf(glow).front(), 0);
  EXPECT_EQ(timer->Iterations, 10);

  // The same state again changes nothing.
  const double level = timer->Glow;
  StartStateFade(&data(), FadeToHot, CountingFade, true, false, true);
  EXPECT_EQ(timer->Glow, level);
  EXPECT_EQ(skinned->PrepareCount, 1);

  // Stopped half-way, the window shows a mix of the two looks.
  PumpUntil([&] { return timer->Glow >= 120; });
  timer->SetEnabled(false);
  const uint32_t mid = ScreenPixel(50, 15);
  EXPECT_NE(mid, ColorToPixel(NormalPixel & 0xFFFFFF)) << std::hex << mid;
  EXPECT_NE(mid, ColorToPixel(HotPixel & 0xFFFFFF)) << std::hex << mid;
  if (String shot = ArtifactPath("live_fade_half.png"); !shot.empty()) {
    EXPECT_TRUE(AppDriver::SaveScreenshot(form->Handle(), shot));
  }

  // Reversed from exactly half-way: frame 10 of 20, on until the level is 0.
  timer->Glow = 127.5;
  timer->Iteration = 5;
  timer->SetEnabled(true);
  data().FBGChanged = false;  // the control has painted its cache since
  CursorOverPanel(false);
  Levels.clear();
  GlowIds.clear();
  StartStateFade(&data(), FadeToNormal, CountingFade, true, false, true);
  EXPECT_EQ(timer->Iterations, 20);
  EXPECT_EQ(timer->Iteration, 10);
  EXPECT_DOUBLE_EQ(timer->GlowStep, 127.5 / 20);
  PumpUntil([&] { return !timer->Enabled(); });
  EXPECT_FALSE(timer->Enabled());
  EXPECT_EQ(timer->State(), -1) << "stopped at level 0";
  EXPECT_FALSE(timer->BmpOut) << "the frame bitmaps are freed";
  ASSERT_FALSE(Levels.empty());
  EXPECT_GT(Levels.size(), 10u) << "runs past frame 20";
  // The glow goes at the first frame whose level is below 10.
  size_t firstLow = 0;
  while (firstLow < Levels.size() && GlowIds[firstLow] >= 0) ++firstLow;
  ASSERT_LT(firstLow, Levels.size());
  EXPECT_EQ(Levels[firstLow], 0) << "level reset when the glow goes";
  if (firstLow > 0) {
    EXPECT_GE(std::lround(Levels[firstLow - 1]), 10);
  }
  EXPECT_FALSE(IsWindowVisible(glow));
  EXPECT_EQ(data().GlowID, -1);
  EXPECT_EQ(ScreenPixel(50, 15), ColorToPixel(HotPixel & 0xFFFFFF)) << "ends on the new look";

  // Animation off: repainted at once, no timer runs, the glow goes at once.
  sm->Effects().SetAllowAnimation(false);
  data().FBGChanged = false;
  data().GlowID = CreateGlow(PanelOnScreen(), u"BUTTON", u"GLOW", 5, 255, form->Handle(), &data());
  StartStateFade(&data(), FadeToHot, CountingFade, true, false, true);
  EXPECT_TRUE(data().FBGChanged) << "invalidated";
  EXPECT_FALSE(data().IsAnimating());
  EXPECT_EQ(data().GlowID, -1) << "the mouse is away";
}

TEST_F(UiGlowFade, HoverGlowFadesInAndOut) {
  FillCache(NormalPixel);
  CursorOverPanel(true);
  TMessage enter{CM_MOUSEENTER, 0, 0, 0};
  HandleControlMessage(enter, &data());
  ASSERT_GE(data().GlowID, 0);
  ASSERT_TRUE(data().AnimTimer);
  EXPECT_EQ(data().AnimTimer->ThreadType, 1) << "a hover-glow fade";
  const HWND glow = GlowList[static_cast<size_t>(data().GlowID)]->Wnd->Handle();
  PumpUntil([&] { return !data().AnimTimer->Enabled(); });
  std::vector<int> in = AlphasOf(glow);
  ASSERT_GE(in.size(), 5u);
  EXPECT_EQ(in.front(), 0);
  EXPECT_TRUE(std::is_sorted(in.begin(), in.end())) << "rising";
  EXPECT_GE(in.back(), 250);

  // Leaving fades it out; the glow stays listed until its fade frees it.
  CursorOverPanel(false);
  Frames.clear();
  TMessage leave{CM_MOUSELEAVE, 0, 0, 0};
  HandleControlMessage(leave, &data());
  EXPECT_GE(data().GlowID, 0) << "fading, not gone yet";
  PumpUntil([&] { return data().GlowID < 0; });
  EXPECT_EQ(data().GlowID, -1);
  std::vector<int> out = AlphasOf(glow);
  ASSERT_GE(out.size(), 5u);
  EXPECT_TRUE(std::is_sorted(out.rbegin(), out.rend())) << "falling";
  EXPECT_FALSE(IsWindowVisible(glow));

  // Without animation: moves, hiding and disabling take the glow at once.
  sm->Effects().SetAllowAnimation(false);
  for (UINT msg : {UINT(WM_MOVE), UINT(CM_VISIBLECHANGED), UINT(CM_ENABLEDCHANGED)}) {
    CursorOverPanel(true);
    data().FMouseAbove = false;
    if (msg == CM_ENABLEDCHANGED) panel->SetEnabled(false);
    HandleControlMessage(enter, &data());
    ASSERT_GE(data().GlowID, 0) << msg;
    TMessage m{msg, 0, 0, 0};
    EXPECT_FALSE(HandleControlMessage(m, &data()));
    EXPECT_EQ(data().GlowID, -1) << msg;
    panel->SetEnabled(true);
  }
}
