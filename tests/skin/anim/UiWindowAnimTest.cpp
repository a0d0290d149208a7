#include "skin/anim/AnimStandIns.h"
#include "skin/engine/SkinChangeAnimation.h"
#include "skin/engine/SkinManager.h"
#include "skin/engine/WindowAnimations.h"
#include "skin/engine/WindowUtils.h"
#include "skin/graphics/Blends.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"
#include <gtest/gtest.h>
#include <algorithm>

namespace {
TForm* ShownForm(int L, int T, int W, int H) {
  auto* form = new TForm(Application);
  form->SetBorderStyle(bsNone);
  form->SetBounds(L, T, W, H);
  form->Show();
  Application->ProcessMessages();
  return form;
}

// The windows of the log other than the given ones, in order of first use.
std::vector<HWND> OtherWindows(std::initializer_list<HWND> Known) {
  std::vector<HWND> found;
  for (const auto& f : TFrameRecorder::Log()) {
    if (std::find(Known.begin(), Known.end(), f.Wnd) != Known.end()) continue;
    if (std::find(found.begin(), found.end(), f.Wnd) == found.end()) found.push_back(f.Wnd);
  }
  return found;
}

class TCountedCover : public TacAnimForm {
public:
  explicit TCountedCover(int& Count) : TacAnimForm(nullptr), FCount(Count) { SetBounds(20, 20, 60, 40); }
  ~TCountedCover() override { ++FCount; }

private:
  int& FCount;
};

void PumpFor(DWORD Milliseconds) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < Milliseconds) {
    Application->ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}
}  // namespace

TEST(UiWindowAnim, ShowSchedulesOfFormsAndDialogs) {
  TForm* form = ShownForm(40, 50, 200, 120);
  TStandInProvider provider(form, 0xFF3060C0);
  struct Case {
    unsigned Time;
    bool Dialog;
    uint8_t Alpha;
    std::vector<int> Frames;  // after the first, before the last
  } cases[] = {
      {25, false, 200, {100, 200, 200}},
      {25, true, 255, {85, 170, 255}},
      {0, false, 200, {}},
  };
  for (const Case& c : cases) {
    TFrameRecorder recorder;
    int shown = 0;
    provider.OnAfterAnimation = [&](TacAnimEvent e) { shown += e == aeShowing; };
    const DWORD start = GetTickCount();
    if (c.Dialog) {
      TStandInDialog dlg(form->Handle(), 200, 120, 0xFF3060C0);
      ShowDialogAnimated(&dlg, c.Time, c.Alpha, TacAnimType::atAero);
    } else {
      ShowFormAnimated(&provider, c.Time, c.Alpha, TacAnimType::atAero);
    }
    EXPECT_FALSE(AnimationInProgress);
    auto windows = OtherWindows({form->Handle()});
    ASSERT_EQ(windows.size(), 1u) << c.Time;
    EXPECT_FALSE(IsWindow(windows[0])) << "the animation window is freed";
    auto alphas = TFrameRecorder::AlphasOf(windows[0]);
    std::vector<int> expected;
    if (c.Frames.empty()) {
      expected = {c.Alpha};  // one frame at the final alpha
    } else {
      expected.push_back(0);
      expected.insert(expected.end(), c.Frames.begin(), c.Frames.end());
      expected.push_back(c.Alpha);
      EXPECT_GE(GetTickCount() - start, 25u) << "frames are paced";
    }
    EXPECT_EQ(alphas, expected) << c.Time << (c.Dialog ? " dialog" : " form");
    for (const auto& f : TFrameRecorder::Log()) {
      EXPECT_EQ(f.Size.cx, 200);
      EXPECT_EQ(f.Size.cy, 120);
      EXPECT_EQ(f.Pos.X, 40);
      EXPECT_EQ(f.Pos.Y, 50);
    }
    if (!c.Dialog) {
      EXPECT_EQ(shown, 1);
    }
  }
}

TEST(UiWindowAnim, HideTimerFreesEveryCoverOnce) {
  TForm* owner = ShownForm(300, 50, 100, 80);
  TStandInProvider provider(owner, 0xFF808080);
  int hidden = 0;
  provider.OnAfterAnimation = [&](TacAnimEvent e) { hidden += e == aeHiding; };
  TFrameRecorder recorder;

  int quick = 0;
  StartHideAnimation(std::make_unique<TCountedCover>(quick), SolidBmp(60, 40, 0xFF000000), 5, nullptr,
                     TacAnimType::atFading, 255);
  EXPECT_EQ(quick, 1) << "a hide under 10 ms frees at once";
  EXPECT_TRUE(!HideTimer || !HideTimer->Form);

  int first = 0, second = 0;
  StartHideAnimation(std::make_unique<TCountedCover>(first), SolidBmp(60, 40, 0xFF000000), 50, nullptr,
                     TacAnimType::atAero, 255);
  ASSERT_NE(HideTimer, nullptr);
  HWND firstWnd = HideTimer->Form->Handle();
  StartHideAnimation(std::make_unique<TCountedCover>(second), SolidBmp(60, 40, 0xFF000000), 50, owner->Handle(),
                     TacAnimType::atFading, 255);
  EXPECT_EQ(first, 1) << "the earlier cover goes when a new hide starts";
  HWND secondWnd = HideTimer->Form->Handle();
  PumpFor(400);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 1);
  EXPECT_EQ(hidden, 1);
  EXPECT_EQ(TFrameRecorder::AlphasOf(firstWnd).size(), 2u);  // shown, then one frame
  EXPECT_EQ(TFrameRecorder::AlphasOf(secondWnd), (std::vector<int>{255, 204, 153, 102, 51, 0, 0}));
}

TEST(UiWindowAnim, SkinChangeRoads) {
  // Layered road with a border window, Time 30: frames 0 to 3; the old
  // cover fades three times as fast as the new look comes.
  TForm* form = ShownForm(40, 200, 160, 100);
  TStandInBorder border;
  border.CreateNewForm();
  HWND oldCover = border.AForm->Handle();
  TStandInProvider provider(form, 0xFF20A040, &border);
  provider.CoverBmp = SolidBmp(160, 100, 0xFF000000);
  {
    TFrameRecorder recorder;
    SendMessageW(form->Handle(), WM_SETREDRAW, 0, 0);
    SkinChangeAnimation(form, 30, 255, 0);
    EXPECT_FALSE(AnimationInProgress);
    ASSERT_TRUE(border.AForm);
    HWND newLook = border.AForm->Handle();
    EXPECT_EQ(TFrameRecorder::AlphasOf(newLook), (std::vector<int>{0, 85, 170, 255, 255, 255}));
    EXPECT_EQ(TFrameRecorder::AlphasOf(oldCover), (std::vector<int>{255, 255, 0, 0}));
    EXPECT_FALSE(IsWindow(oldCover));
    EXPECT_FALSE(provider.CoverBmp);
  }

  // Cross-fade road for a control that is not a form.
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetBounds(10, 10, 60, 40);
  panel->SetColor(0x0000FF);
  Application->ProcessMessages();
  PrepareAnimCover(panel, 0);
  ASSERT_TRUE(AnimCoverWindow && AnimCoverImage);
  const uint32_t oldPixel = 0xFF00FF00;
  AnimCoverImage = SolidBmp(60, 40, oldPixel);
  std::vector<uint32_t> seen;
  auto* listener = new TPanel(form);
  listener->SetParent(form);
  listener->SetBounds(100, 60, 10, 10);
  listener->WindowProc = [&, old = listener->WindowProc](TMessage& m) {
    if (m.Msg != SM_SKINCMD || m.WParamHi() != SKC_REFRESH) return old(m);
    HDC dc = GetWindowDC(AnimCoverWindow->Handle());
    seen.push_back(GetPixel(dc, 30, 20));
    ReleaseDC(AnimCoverWindow->Handle(), dc);
  };
  RefreshNotifyWindow = listener->Handle();
  SendMessageW(panel->Handle(), WM_SETREDRAW, 0, 0);
  SkinChangeAnimation(panel, 30, 255, 0);
  RefreshNotifyWindow = nullptr;
  EXPECT_FALSE(AnimCoverWindow);
  EXPECT_FALSE(AnimCoverImage);
  ASSERT_EQ(seen.size(), 5u);  // levels 255, 170, 85, 0, then the new look
  auto oldBmp = SolidBmp(1, 1, oldPixel);
  auto newBmp = SolidBmp(1, 1, 0xFFFF0000);  // the panel's red as a pixel
  int level = 255;
  for (size_t i = 0; i < 4; ++i, level -= 85) {
    auto mixed = NewBmp32(1, 1);
    MixBitmaps(*mixed, *oldBmp, *newBmp, nullptr, static_cast<uint16_t>(level));
    const uint32_t px = Pixel32(*mixed, 0, 0);
    EXPECT_EQ(seen[i], RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF)) << "level " << level;
  }
  EXPECT_EQ(seen[4], RGB(255, 0, 0));
}

TEST(UiWindowAnim, WindowUtilities) {
  TForm* form = ShownForm(400, 300, 300, 200);
  auto panel = [&](TAlign align, int size, bool visible) {
    auto* p = new TPanel(form);
    p->SetParent(form);
    p->SetBounds(0, 0, size, size);
    p->SetAlign(align);
    p->SetVisible(visible);
    return p;
  };
  TPanel* a = panel(alTop, 20, true);
  panel(alTop, 30, true);
  panel(alTop, 50, false);
  panel(alLeft, 15, true);
  panel(alClient, 0, true);
  auto* label = new TLabel(form);
  label->SetParent(form);
  label->SetAutoSize(false);
  label->SetBounds(0, 0, 40, 7);
  label->SetAlign(alTop);
  EXPECT_EQ(AlignedControlsSize(form, alTop, false), 50);
  EXPECT_EQ(AlignedControlsSize(form, alTop, true), 57);
  EXPECT_EQ(AlignedControlsSize(form, alLeft, false), 15);
  EXPECT_EQ(AlignedControlsSize(form, alClient, true), 0);

  TPanel* b = panel(alNone, 10, true);
  TPanel* c = panel(alNone, 10, true);
  SetChildOrderAfter(c, a);
  HWND behindC = GetWindow(c->Handle(), GW_HWNDNEXT);
  EXPECT_EQ(behindC, a->Handle()) << "c lies directly in front of a";
  EXPECT_EQ(GetWindow(b->Handle(), GW_HWNDPREV), nullptr) << "b stays in front";

  const TRect work = FormWorkArea(form);
  EXPECT_FALSE(work.IsEmpty());
  EXPECT_EQ(PointWorkArea(TPoint(work.Left + 5, work.Top + 5)).Right, work.Right);
  const TRect none = PointWorkArea(TPoint(-50000, -50000));
  EXPECT_EQ(none.Left | none.Top | none.Right | none.Bottom, 0);

  EXPECT_EQ(ShowHintAt(u"", TPoint(10, 10)), nullptr);
  THintWindow* hint = ShowHintAt(String(150, u'x'), TPoint(work.Right - 20, work.Bottom - 20));
  ASSERT_NE(hint, nullptr);
  RECT hr{};
  GetWindowRect(hint->Handle(), &hr);
  EXPECT_TRUE(IsWindowVisible(hint->Handle()));
  EXPECT_LE(hr.right, work.Right);
  EXPECT_LE(hr.bottom, work.Bottom + 4);
  delete hint;
}
