#pragma once
// A panel that shows the time of day as digits or as a dial with hands,
// and raises an alarm once a day at a set time. It redraws from a threaded
// timer every 450 ms, touching only the digits or hands that changed.
#include "controls/RxClockMath.h"
#include "controls/RxTimer.h"
#include "platform/ui/ExtCtrls.h"

#include <functional>

enum class TShowClock : uint8_t { scDigital, scAnalog };

using TRxGetTimeEvent = std::function<void(TObject* Sender, TDateTime& ATime)>;

class TRxClock : public TCustomPanel {
public:
  explicit TRxClock(TComponent* AOwner);
  ~TRxClock() override;

  void Loaded();
  // Repaints at once.
  void UpdateClock();
  // Only the time-of-day part counts.
  void SetAlarmTime(TDateTime alarmTime);

  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  TShowClock ShowMode() const { return FShowMode; }
  void SetShowMode(TShowClock value);
  bool TwelveHour() const { return FTwelveHour; }
  void SetTwelveHour(bool value);
  bool LeadingZero() const { return FLeadingZero; }
  void SetLeadingZero(bool value);
  bool ShowSeconds() const { return FShowSeconds; }
  void SetShowSeconds(bool value);
  bool AlarmEnabled() const { return FAlarmEnabled; }
  void SetAlarmEnabled(bool value) { FAlarmEnabled = value; }
  TColor DotsColor() const { return FDotsColor; }
  void SetDotsColor(TColor value);
  // Writing an hour of 24 or more, or a minute or second of 60 or more,
  // raises EConvertError "'h:m:s' is not a valid time".
  uint8_t AlarmHour() const;
  void SetAlarmHour(uint8_t value);
  uint8_t AlarmMinute() const;
  void SetAlarmMinute(uint8_t value);
  uint8_t AlarmSecond() const;
  void SetAlarmSecond(uint8_t value);

  TRxTimer* Timer() const { return FTimer; }
  TRxClockTime DisplayTime() const { return FDisplayTime; }
  TRect ClockRect() const { return FClockRect; }

  TRxGetTimeEvent OnGetTime;
  TNotifyEvent OnAlarm;

  // The time shown: the clock's time of day, as OnGetTime may change it.
  virtual TDateTime CurrentTime();

  void WndProc(TMessage& Message) override;

protected:
  void Paint() override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void CreateWnd() override;
  void DestroyWindowHandle() override;
  virtual void FireAlarm();
  // One timer tick: redraw what changed, then look at the alarm.
  void ClockTick();
  // Draws the clock onto canvas: all of it, or only what changed since the
  // last drawing.
  void PaintClockTo(TCanvas* canvas, bool paintMode);

private:
  void SetAlarmPart(int hour, int minute, int second);
  void RearmAlarm();
  void TestAlarm();
  void FitFont(const TRect& rect);
  void RealignIfAutoSize();
  void PaintDigital(TRect rect, bool paintMode);
  void PaintAnalog(bool paintMode);
  void DrawDial();
  void DrawHand(int pos, bool hourHand);
  void InvertSecondHand(int sec);
  TRect InnerRect(const TRect& client) const;
  TCanvas* DrawCanvas() const;
  void InstallHook();
  void RemoveHook();

  TRxTimer* FTimer = nullptr;  // owned as a component
  bool FAutoSize = false;
  TShowClock FShowMode = TShowClock::scDigital;
  bool FTwelveHour = false;
  bool FLeadingZero = true;
  bool FShowSeconds = true;
  TDateTime FAlarm = 0;
  bool FAlarmEnabled = false;
  bool FHooked = false;
  int FHookCookie = 0;
  TColor FDotsColor = clTeal;
  bool FAlarmWait = true;
  TRxClockTime FDisplayTime;
  TRect FClockRect;
  int FClockRadius = 0;
  TPoint FClockCenter;
  TCanvas* FDrawCanvas = nullptr;  // where the painting routines draw
};

// Screen metrics and the dial table scaled to them, read once per process.
const TScreenMetrics& ClockScreenMetrics();
const THandTable& ClockHandTable();
