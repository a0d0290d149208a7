#include "controls/RxClock.h"

#include "platform/rtl/Exceptions.h"
#include "platform/ui/Forms.h"
#include "platform/ui/graphics/PngWriter.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <memory>

namespace {

class TTestClock : public TRxClock {
public:
  using TRxClock::ClockTick;
  using TRxClock::PaintClockTo;
  using TRxClock::TRxClock;
  TDateTime Now = EncodeTime(9, 5, 7, 0);
  TDateTime CurrentTime() override {
    TDateTime t = Now;
    if (OnGetTime) OnGetTime(this, t);
    return t;
  }
};

TColor At(TBitmap* b, int x, int y) { return b->Canvas()->Pixels(x, y) & 0xFFFFFF; }
TColor Rgb(TColor c) { return ColorToRGB(c); }

// Keeps a picture of what was drawn for a person to look at.
void SaveArtifact(TBitmap& bitmap, const char* name) {
  const char* folder = getenv("BRQ_ARTIFACTS");
  if (!folder || !*folder) return;
  SaveBitmapAsPng(bitmap, u"Z:" + AsciiToString(folder) + u"/" + AsciiToString(name));
}

bool InkInRect(TBitmap* b, TColor colour, const TRect& r) {
  for (int x = r.Left; x < r.Right; ++x)
    for (int y = r.Top; y < r.Bottom; ++y)
      if (At(b, x, y) == colour) return true;
  return false;
}

bool InkBetween(TBitmap* b, TColor colour, int x0, int x1) {
  for (int x = x0; x < x1; ++x)
    for (int y = 0; y < b->Height(); ++y)
      if (At(b, x, y) == colour) return true;
  return false;
}

class RxClockTest : public ::testing::Test {
protected:
  void SetUp() override {
    form = new TForm(Application);
    form->SetBounds(0, 0, 300, 200);
    clock = new TTestClock(form);
    clock->SetParent(form);
    clock->SetBounds(0, 0, 200, 60);
    clock->Font()->SetName(u"Tahoma");
    clock->Font()->SetHeight(-20);
    clock->Font()->SetColor(clBlack);
    clock->SetColor(clWhite);
    clock->Timer()->SetEnabled(false);  // the tests drive the ticks
  }
  void TearDown() override { delete form; }

  std::unique_ptr<TBitmap> Paint() {
    auto out = std::make_unique<TBitmap>();
    out->SetSize(clock->Width(), clock->Height());
    clock->PaintClockTo(out->Canvas(), true);
    return out;
  }

  TForm* form = nullptr;
  TTestClock* clock = nullptr;
};

}  // namespace

TEST_F(RxClockTest, DefaultsAndTimer) {
  TTestClock plain(nullptr);
  EXPECT_EQ(TShowClock::scDigital, plain.ShowMode());
  EXPECT_TRUE(plain.ShowSeconds());
  EXPECT_TRUE(plain.LeadingZero());
  EXPECT_FALSE(plain.TwelveHour());
  EXPECT_FALSE(plain.AlarmEnabled());
  EXPECT_EQ(clTeal, plain.DotsColor());
  EXPECT_EQ(450u, plain.Timer()->Interval());
  EXPECT_TRUE(plain.Timer()->Threaded());
  EXPECT_TRUE(plain.Timer()->SyncEvent());
  EXPECT_EQ(bvRaised, plain.BevelOuter());
  EXPECT_EQ(bvLowered, plain.BevelInner());
  // A clock without a parent ticks without drawing (and without failing).
  plain.ClockTick();
}

TEST_F(RxClockTest, DigitalShowsTheTimeAndUpdatesOnlyChangedCells) {
  clock->Now = EncodeTime(9, 5, 7, 0);
  auto full = Paint();
  SaveArtifact(*full, "clock-digital-090507.png");
  EXPECT_EQ(Rgb(clBtnHighlight), At(full.get(), 0, 30));  // raised outer bevel
  EXPECT_EQ(Rgb(clBtnShadow), At(full.get(), 1, 30));    // lowered inner bevel
  const TRxClockTime shown = clock->DisplayTime();
  EXPECT_EQ(9, shown.Hour);
  EXPECT_EQ(5, shown.Minute);
  EXPECT_EQ(7, shown.Second);

  // Eight cells, centred inside the two bevels, each as wide as an "8".
  int cell = 0;
  {
    TBitmap measure;
    measure.SetSize(1, 1);
    measure.Canvas()->SetFont(clock->Font());
    cell = measure.Canvas()->TextWidth(u"8");
  }
  ASSERT_GT(cell, 0);
  const int left = (2 + 198 - 8 * cell) / 2;
  for (int i = 0; i < 8; ++i) {
    if (i == 2 || i == 5) continue;  // separators may be thin
    EXPECT_TRUE(InkBetween(full.get(), clBlack, left + i * cell, left + (i + 1) * cell)) << i;
  }
  EXPECT_FALSE(InkBetween(full.get(), clBlack, 2, left));
  EXPECT_FALSE(InkBetween(full.get(), clBlack, left + 8 * cell, 198));

  // The next second redraws only cells 7 and 8.
  clock->Now = EncodeTime(9, 5, 8, 0);
  TBitmap update;
  update.SetSize(clock->Width(), clock->Height());
  update.Canvas()->Brush()->SetColor(clYellow);
  update.Canvas()->FillRect(Rect(0, 0, clock->Width(), clock->Height()));
  clock->PaintClockTo(update.Canvas(), false);
  for (int x = 0; x < update.Width(); ++x) {
    const bool inLastCells = x >= left + 6 * cell && x < left + 8 * cell;
    if (inLastCells) continue;
    for (int y = 0; y < update.Height(); ++y) ASSERT_EQ(clYellow, At(&update, x, y)) << x << "," << y;
  }
  EXPECT_TRUE(InkBetween(&update, clBlack, left + 6 * cell, left + 8 * cell));
  EXPECT_EQ(8, clock->DisplayTime().Second);
}

TEST_F(RxClockTest, AnalogHandsAtThreeOClock) {
  clock->SetBounds(0, 0, 200, 200);
  clock->SetShowMode(TShowClock::scAnalog);
  clock->SetShowSeconds(false);
  clock->Realign();  // lays out the dial
  // Two updates make 03:00:00 the time shown (an update takes a new time
  // when its second differs).
  TBitmap scratch;
  scratch.SetSize(200, 200);
  clock->Now = EncodeTime(3, 0, 1, 0);
  clock->PaintClockTo(scratch.Canvas(), false);
  clock->Now = EncodeTime(3, 0, 0, 0);
  clock->PaintClockTo(scratch.Canvas(), false);
  ASSERT_EQ(3, clock->DisplayTime().Hour);
  auto out = Paint();
  const TRect dial = clock->ClockRect();
  const int cx = (dial.Left + dial.Right) / 2;
  const int cy = (dial.Top + dial.Bottom) / 2;
  const int r = dial.Width() / 2;
  SaveArtifact(*out, "clock-analog-0300.png");
  // The hands are kite outlines: the minute hand straight up, the hour hand
  // to the right; nothing to the left or below beyond the short tails.
  const int w = r / 10;
  EXPECT_TRUE(InkInRect(out.get(), clBlack, Rect(cx - w, cy - r / 2, cx + w + 1, cy - r / 2 + 1)));
  EXPECT_TRUE(InkInRect(out.get(), clBlack, Rect(cx + r / 3, cy - w, cx + r / 3 + 1, cy + w + 1)));
  EXPECT_FALSE(InkInRect(out.get(), clBlack, Rect(cx - r * 7 / 10, cy - w, cx - r / 4, cy + w + 1)));
  EXPECT_FALSE(InkInRect(out.get(), clBlack, Rect(cx - w, cy + r / 4, cx + w + 1, cy + r * 7 / 10)));
  // Hour dots in the dots colour at twelve and six.
  bool dotTop = false, dotBottom = false;
  for (int y = dial.Top; y < cy - r * 8 / 10; ++y) dotTop |= At(out.get(), cx, y) == clTeal;
  for (int y = cy + r * 8 / 10; y < dial.Bottom; ++y) dotBottom |= At(out.get(), cx, y) == clTeal;
  EXPECT_TRUE(dotTop);
  EXPECT_TRUE(dotBottom);
}

TEST_F(RxClockTest, AlarmFiresOncePerDay) {
  int alarms = 0;
  clock->OnAlarm = [&](TObject*) { ++alarms; };
  clock->Now = EncodeTime(7, 0, 0, 0);
  clock->SetAlarmTime(EncodeTime(7, 30, 20, 0));
  clock->SetAlarmEnabled(true);
  const struct {
    int H, M, S;
    int Alarms;
  } ticks[] = {{7, 30, 19, 0}, {7, 30, 20, 1}, {7, 30, 40, 1}, {7, 31, 0, 1},
               {23, 59, 59, 1}, {0, 0, 1, 1}, {7, 30, 25, 2}, {7, 30, 26, 2}};
  for (const auto& t : ticks) {
    clock->Now = EncodeTime(t.H, t.M, t.S, 0);
    clock->ClockTick();
    EXPECT_EQ(t.Alarms, alarms) << t.H << ":" << t.M << ":" << t.S;
  }

  // Set after its time: not today, but tomorrow.
  alarms = 0;
  clock->Now = EncodeTime(8, 0, 0, 0);
  clock->SetAlarmTime(EncodeTime(7, 30, 20, 0));
  for (const TDateTime t : {EncodeTime(8, 0, 1, 0), EncodeTime(23, 59, 59, 0)}) {
    clock->Now = t;
    clock->ClockTick();
  }
  EXPECT_EQ(0, alarms);
  clock->Now = EncodeTime(0, 0, 1, 0);
  clock->ClockTick();
  clock->Now = EncodeTime(7, 30, 21, 0);
  clock->ClockTick();
  EXPECT_EQ(1, alarms);

  // A shifted time moves the alarm along.
  alarms = 0;
  clock->Now = EncodeTime(6, 0, 0, 0);
  clock->SetAlarmTime(EncodeTime(7, 30, 20, 0));
  clock->OnGetTime = [](TObject*, TDateTime& t) { t += 1.0 / 24; };
  clock->Now = EncodeTime(6, 30, 21, 0);
  clock->ClockTick();
  EXPECT_EQ(1, alarms);
}

TEST_F(RxClockTest, AlarmPartsAreChecked) {
  clock->SetAlarmTime(EncodeTime(7, 30, 20, 0));
  EXPECT_EQ(7, clock->AlarmHour());
  EXPECT_EQ(30, clock->AlarmMinute());
  EXPECT_EQ(20, clock->AlarmSecond());
  try {
    clock->SetAlarmMinute(75);
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(u"'7:75:20' is not a valid time", e.Message());
  }
  EXPECT_EQ(30, clock->AlarmMinute());
  EXPECT_THROW(clock->SetAlarmHour(24), EConvertError);
  clock->SetAlarmHour(23);
  EXPECT_EQ(23, clock->AlarmHour());
}
