#include "skin/engine/AnimTimer.h"
#include "skin/engine/CommonData.h"
#include "skin/graphics/Bitmaps32.h"
#include "platform/ui/Forms.h"
#include <gtest/gtest.h>
#include <functional>
#include <vector>

namespace {
// Pumps the UI messages until Done or about two seconds have passed.
void PumpUntil(const std::function<bool()>& Done, DWORD TimeoutMs = 2000) {
  const DWORD start = GetTickCount();
  while (!Done() && GetTickCount() - start < TimeoutMs) {
    Application->ProcessMessages();
    Sleep(1);
  }
}

std::vector<int> Frames;
bool RecordFrame(TObject*, int Iteration) {
  Frames.push_back(Iteration);
  return true;
}
bool NoMoreFrames(TObject*, int) { return false; }

class TCountingTimer : public TacThreadedTimer {
public:
  using TacThreadedTimer::TacThreadedTimer;
  int Handled = 0;
  void TimeHandler() override { ++Handled; }
};
}  // namespace

TEST(AnimTimer, InitDataStartingFrames) {
  struct Case {
    const char* Name;
    int PriorState;
    double Glow;
    int AState;
    bool Fast;
    int Iterations;
    double GlowStep;
    int Iteration;  // AIteration is 3 throughout
  } cases[] = {
      {"fade in on a fresh timer", -1, 0, 1, false, 10, 25.5, 0},
      {"fade out reversing a full fade in", 1, 255, 0, false, 20, 12.75, 0},
      {"fade out reversing from glow 0", 1, 0, 0, false, 20, 0, 0},
      {"fade out reversing midway", 1, 100, 0, false, 20, 5, 12},
      {"fast fade out", -1, 200, 0, true, 10, 20, 3},
      {"fade in from a pressed look ignores fast", 2, 100, 1, true, 10, 15.5, 3},
      {"fade in reversing a fade out, ties to even", 0, 140.25, 1, false, 4, 28.6875, 6},
      {"glow above 255 is limited", -1, 300, 2, false, 10, 25.5, 3},
  };
  for (const auto& c : cases) {
    TacThreadedTimer timer(nullptr);
    timer.SetState(c.PriorState);
    timer.Glow = c.Glow;
    timer.InitData(nullptr, 3, RecordFrame, c.AState, c.Fast);
    EXPECT_EQ(timer.Iterations, c.Iterations) << c.Name;
    EXPECT_DOUBLE_EQ(timer.GlowStep, c.GlowStep) << c.Name;
    EXPECT_EQ(timer.Iteration, c.Iteration) << c.Name;
    EXPECT_EQ(timer.OldState, c.PriorState) << c.Name;
    EXPECT_EQ(timer.State(), c.AState) << c.Name;
    EXPECT_EQ(timer.Interval(), 10u) << c.Name;
    EXPECT_TRUE(timer.Enabled()) << c.Name;
    timer.SetEnabled(false);
  }
}

TEST(AnimTimer, PressedLookKeepsTheFrameOnScreen) {
  TacThreadedTimer timer(nullptr);
  timer.BmpOut = NewBmp32(6, 4);
  TPixelRows(timer.BmpOut.get()).At(5, 3) = 0xFF123456;
  timer.InitData(nullptr, 3, RecordFrame, 2, false);
  ASSERT_TRUE(timer.BmpFrom);
  EXPECT_EQ(timer.BmpFrom->Width(), 6);
  EXPECT_EQ(TPixelRows(timer.BmpFrom.get()).At(5, 3) & 0xFFFFFF, 0x123456u);
  EXPECT_EQ(timer.Iteration, 0);  // a frame exists: start from the first
  timer.SetEnabled(false);

  auto piece = NewBmp32(2, 2);
  TacThreadedTimer::CopyFrom(piece, *timer.BmpOut, TRect(4, 2, 6, 4));
  EXPECT_EQ(TPixelRows(piece.get()).At(1, 1) & 0xFFFFFF, 0x123456u);
  TacThreadedTimer::CopyFrom(piece, *timer.BmpOut, TRect(0, 0, 5, 3));
  EXPECT_EQ(piece->Width(), 5);
  EXPECT_EQ(piece->Height(), 3);
}

TEST(AnimTimer, FramesRunToTheirCount) {
  TacThreadedTimer timer(nullptr);
  int plainTicks = 0;
  Frames.clear();
  timer.InitData(nullptr, 0, RecordFrame, 2, false);
  timer.SetOnTimer([&](TObject*) { ++plainTicks; });  // the frames keep the ticks
  PumpUntil([&] { return !timer.Enabled(); });
  EXPECT_FALSE(timer.Enabled());
  EXPECT_EQ(Frames, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
  EXPECT_EQ(plainTicks, 0);

  timer.InitData(nullptr, 0, NoMoreFrames, 1, false);
  timer.TimeHandler();
  EXPECT_FALSE(timer.Enabled());
  EXPECT_EQ(timer.State(), -1);
}

TEST(AnimTimer, PlainTimerNeverNestsATick) {
  TacThreadedTimer timer(nullptr);
  int depth = 0, deepest = 0, ticks = 0;
  timer.SetInterval(5);
  timer.SetOnTimer([&](TObject*) {
    ++ticks;
    deepest = std::max(deepest, ++depth);
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 40) Application->ProcessMessages();  // timer messages arrive meanwhile
    --depth;
  });
  PumpUntil([&] { return ticks >= 3; });
  timer.SetEnabled(false);
  EXPECT_GE(ticks, 3);
  EXPECT_EQ(deepest, 1);
}

TEST(AnimTimer, OwnedTimersAndPreparation) {
  TComponent owner(nullptr);
  auto* counting = TacThreadedTimer::CreateOwned<TCountingTimer>(&owner, true);
  EXPECT_FALSE(counting->Enabled());
  EXPECT_EQ(counting->Owner(), &owner);
  counting->SetInterval(5);
  counting->SetEnabled(true);
  PumpUntil([&] { return counting->Handled >= 2; });
  counting->SetEnabled(false);
  EXPECT_GE(counting->Handled, 2);

  TacThreadedTimer* timer = nullptr;
  EXPECT_EQ(PrepareAnimTimer(timer, &owner, 0), 0);
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(timer->Glow, 255);
  struct Case {
    int State, Iteration, Left;
  } cases[] = {{0, 25, 0}, {0, 5, 15}, {1, 3, 7}, {2, 12, 0}, {-1, 0, 10}};
  for (const auto& c : cases) {
    timer->SetState(c.State);
    timer->Iteration = c.Iteration;
    EXPECT_EQ(PrepareAnimTimer(timer, &owner, 1), c.Left) << c.State << "/" << c.Iteration;
  }

  TsCommonData data(nullptr, false);
  data.AnimTimer = timer;
  timer->AnimData = &data;
  delete timer;
  EXPECT_EQ(data.AnimTimer, nullptr);
}

// Its own process: the application stays terminated afterwards.
TEST(AnimTimer, CreatedDuringTerminationStaysDisabled) {
  PostQuitMessage(0);
  PumpUntil([] { return Application->Terminated(); });
  ASSERT_TRUE(Application->Terminated());
  TacThreadedTimer timer(nullptr);
  int ticks = 0;
  EXPECT_FALSE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), 0u);
  EXPECT_FALSE(timer.HasInnerTimer());
  timer.SetOnTimer([&](TObject*) { ++ticks; });
  timer.SetEnabled(true);
  PumpUntil([&] { return ticks > 0; }, 200);
  EXPECT_EQ(ticks, 0);
  timer.Reset();
  timer.SetInterval(5);
  PumpUntil([&] { return ticks > 0; });
  EXPECT_GT(ticks, 0);
}
