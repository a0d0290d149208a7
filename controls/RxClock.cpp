#include "controls/RxClock.h"

#include "controls/RxButtonGlyph.h"  // Frame3D
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumUtils.h"
#include "platform/ui/Forms.h"

#include <windows.h>

#include <algorithm>
#include <cmath>

// ---- Process-wide metrics ------------------------------------------------

const TScreenMetrics& ClockScreenMetrics() {
  static const TScreenMetrics metrics = [] {
    TScreenMetrics m;
    HDC dc = GetDC(nullptr);
    m.HorzRes = GetDeviceCaps(dc, HORZRES);
    m.VertRes = GetDeviceCaps(dc, VERTRES);
    const int horzSize = GetDeviceCaps(dc, HORZSIZE);
    const int vertSize = GetDeviceCaps(dc, VERTSIZE);
    ReleaseDC(nullptr, dc);
    m.HorzPer100mm = horzSize > 0 ? m.HorzRes * 100 / horzSize : 1;
    m.VertPer100mm = vertSize > 0 ? m.VertRes * 100 / vertSize : 1;
    if (m.HorzPer100mm <= 0) m.HorzPer100mm = 1;
    if (m.VertPer100mm <= 0) m.VertPer100mm = 1;
    return m;
  }();
  return metrics;
}

const THandTable& ClockHandTable() {
  static const THandTable table = ScaledHandTable(ClockScreenMetrics());
  return table;
}

// ---- TRxClock ------------------------------------------------------------

TRxClock::TRxClock(TComponent* AOwner) : TCustomPanel(AOwner) {
  ClockHandTable();
  SetCaption(TimeToStr(Time()));
  SetControlStyle(ControlStyle() - csSetCaption - csReplicatable);
  SetBevelInner(bvLowered);
  SetBevelOuter(bvRaised);
  FDisplayTime = DialTime(CurrentTime());
  FTimer = new TRxTimer(this);
  FTimer->SetInterval(450);
  FTimer->SetOnTimer([this](TObject*) { ClockTick(); });
}

TRxClock::~TRxClock() {
  BeginDestroy();
  // Stop ticking before the panel goes: a tick draws through the window.
  if (FTimer) {
    delete FTimer;
    FTimer = nullptr;
  }
  RemoveHook();
}

void TRxClock::Loaded() { RearmAlarm(); }

TDateTime TRxClock::CurrentTime() {
  TDateTime t = Time();
  if (OnGetTime) OnGetTime(this, t);
  return t;
}

void TRxClock::UpdateClock() {
  Invalidate();
  RealignIfAutoSize();
  Update();
}

void TRxClock::RealignIfAutoSize() {
  if (FAutoSize) Realign();
}

void TRxClock::SetAutoSize(bool value) {
  if (value == FAutoSize) return;
  FAutoSize = value;
  if (value) {
    Invalidate();
    Realign();
  }
}

void TRxClock::SetShowMode(TShowClock value) {
  if (value == FShowMode) return;
  FShowMode = value;
  Invalidate();
}

void TRxClock::SetTwelveHour(bool value) {
  if (value == FTwelveHour) return;
  FTwelveHour = value;
  Invalidate();
  RealignIfAutoSize();
}

void TRxClock::SetLeadingZero(bool value) {
  if (value == FLeadingZero) return;
  FLeadingZero = value;
  Invalidate();
}

void TRxClock::SetShowSeconds(bool value) {
  if (value == FShowSeconds) return;
  FShowSeconds = value;
  Invalidate();
  RealignIfAutoSize();
}

void TRxClock::SetDotsColor(TColor value) {
  if (value == FDotsColor) return;
  FDotsColor = value;
  Invalidate();
}

// ---- Alarm ---------------------------------------------------------------

void TRxClock::SetAlarmTime(TDateTime alarmTime) {
  FAlarm = alarmTime - std::floor(alarmTime);
  RearmAlarm();
}

namespace {
void DecodeAlarm(TDateTime alarm, int& h, int& m, int& s) {
  int ms = 0;
  DecodeTime(alarm, h, m, s, ms);
}
}  // namespace

uint8_t TRxClock::AlarmHour() const {
  int h, m, s;
  DecodeAlarm(FAlarm, h, m, s);
  return static_cast<uint8_t>(h);
}

uint8_t TRxClock::AlarmMinute() const {
  int h, m, s;
  DecodeAlarm(FAlarm, h, m, s);
  return static_cast<uint8_t>(m);
}

uint8_t TRxClock::AlarmSecond() const {
  int h, m, s;
  DecodeAlarm(FAlarm, h, m, s);
  return static_cast<uint8_t>(s);
}

void TRxClock::SetAlarmPart(int hour, int minute, int second) {
  if (hour >= 24 || minute >= 60 || second >= 60) {
    const String sep(1, FormatSettings.TimeSeparator);
    throw EConvertError(u"'" + IntToStr(hour) + sep + IntToStr(minute) + sep + IntToStr(second) +
                        u"' is not a valid time");
  }
  FAlarm = EncodeTime(hour, minute, second, 0);
  RearmAlarm();
}

void TRxClock::SetAlarmHour(uint8_t value) {
  SetAlarmPart(value, AlarmMinute(), AlarmSecond());
}

void TRxClock::SetAlarmMinute(uint8_t value) {
  SetAlarmPart(AlarmHour(), value, AlarmSecond());
}

void TRxClock::SetAlarmSecond(uint8_t value) {
  SetAlarmPart(AlarmHour(), AlarmMinute(), value);
}

void TRxClock::RearmAlarm() {
  const TDateTime now = CurrentTime();
  FAlarmWait = (now - std::floor(now)) < FAlarm || FAlarm == 0;
}

void TRxClock::TestAlarm() {
  if (FAlarmEnabled && InAlarmWindow(FAlarm, CurrentTime())) {
    if (FAlarmWait) {
      FAlarmWait = false;
      FireAlarm();
    }
  } else {
    RearmAlarm();
  }
}

void TRxClock::FireAlarm() {
  if (OnAlarm) OnAlarm(this);
}

// ---- Window and hook -----------------------------------------------------

void TRxClock::InstallHook() {
  if (FHooked || (ComponentState() & csDesigning)) return;
  FHookCookie = Application->HookMainWindow([this](TMessage& message) {
    if (message.Msg == WM_WININICHANGE) {
      Invalidate();
      RealignIfAutoSize();
    }
    return false;
  });
  FHooked = true;
}

void TRxClock::RemoveHook() {
  if (!FHooked) return;
  FHooked = false;
  if (TApplication* app = TApplicationRef::Peek()) app->UnhookMainWindow(FHookCookie);
}

void TRxClock::CreateWnd() {
  TCustomPanel::CreateWnd();
  InstallHook();
}

void TRxClock::DestroyWindowHandle() {
  RemoveHook();
  TCustomPanel::DestroyWindowHandle();
}

void TRxClock::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_TIMECHANGE:
      TCustomPanel::WndProc(Message);
      Invalidate();
      TestAlarm();
      return;
    case CM_CTL3DCHANGED:
      TCustomPanel::WndProc(Message);
      if (FShowMode == TShowClock::scAnalog) Invalidate();
      return;
    case CM_FONTCHANGED:
      TCustomPanel::WndProc(Message);
      Invalidate();
      RealignIfAutoSize();
      return;
    case CM_TEXTCHANGED:
      return;  // the caption is never drawn
    default:
      TCustomPanel::WndProc(Message);
  }
}

// ---- Layout --------------------------------------------------------------

void TRxClock::AlignControls(TControl* AControl, TRect& Rect) {
  TCustomPanel::AlignControls(AControl, Rect);
  const TScreenMetrics& metrics = ClockScreenMetrics();
  FClockRect = Rect;
  int inset = BorderWidth() + 1;
  if (BevelOuter() != bvNone) inset += BevelWidth();
  if (BevelInner() != bvNone) inset += BevelWidth();
  FClockRect = ::Rect(FClockRect.Left + inset, FClockRect.Top + inset, FClockRect.Right - inset,
                      FClockRect.Bottom - inset);
  const int w = FClockRect.Width();
  const int h = FClockRect.Height();
  if (metrics.ScaleToHorizontal(h) < w) {
    const int dial = metrics.ScaleToHorizontal(h);
    FClockRect.Left += (w - dial) / 2;
    FClockRect.Right = FClockRect.Left + dial;
  } else {
    const int dial = metrics.ScaleToVertical(w);
    FClockRect.Top += (h - dial) / 2;
    FClockRect.Bottom = FClockRect.Top + dial;
  }
  if (FAutoSize) FitFont(Rect);
}

void TRxClock::FitFont(const TRect& rect) {
  const int availableHeight = rect.Height() - 4;
  const int availableWidth = rect.Width() - 30;
  if (availableHeight <= 0 || availableWidth <= 0) return;
  TCanvas canvas;
  HDC dc = GetDC(nullptr);
  canvas.SetHandle(dc);
  TFont font;
  font.Assign(*Font());
  canvas.SetFont(&font);
  String sample = u"88888";
  if (FShowSeconds) sample += u"888";
  if (FTwelveHour) {
    const int am = canvas.TextWidth(FormatSettings.TimeAMString);
    const int pm = canvas.TextWidth(FormatSettings.TimePMString);
    sample += u" " + (am > pm ? FormatSettings.TimeAMString : FormatSettings.TimePMString);
  }
  canvas.Font()->SetHeight(-1000);
  const int height = FitFontHeight(availableWidth, availableHeight, canvas.TextWidth(sample));
  canvas.SetHandle(nullptr);
  ReleaseDC(nullptr, dc);
  if (height <= 0) return;
  font.SetHeight(-height);
  Font()->Assign(font);
}

// ---- Painting ------------------------------------------------------------

TRect TRxClock::InnerRect(const TRect& client) const {
  int inset = BorderWidth();
  if (BevelOuter() != bvNone) inset += BevelWidth();
  if (BevelInner() != bvNone) inset += BevelWidth();
  return Rect(client.Left + inset, client.Top + inset, client.Right - inset, client.Bottom - inset);
}

TCanvas* TRxClock::DrawCanvas() const { return FDrawCanvas ? FDrawCanvas : Canvas(); }

void TRxClock::Paint() { PaintClockTo(Canvas(), true); }

void TRxClock::PaintClockTo(TCanvas* canvas, bool paintMode) {
  TCanvas* saved = FDrawCanvas;
  FDrawCanvas = canvas;
  struct TRestore {
    TCanvas*& Slot;
    TCanvas* Saved;
    ~TRestore() { Slot = Saved; }
  } restore{FDrawCanvas, saved};
  TCanvas* c = canvas;
  c->SetFont(Font());
  if (!paintMode) {
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->Pen()->SetColor(Font()->Color());
    if (FShowMode == TShowClock::scAnalog)
      PaintAnalog(false);
    else
      PaintDigital(InnerRect(ClientRect()), false);
    return;
  }
  TRect r = ClientRect();
  c->Brush()->SetColor(Color());
  c->Brush()->SetStyle(bsSolid);
  c->FillRect(r);
  if (BevelOuter() != bvNone) {
    const bool raised = BevelOuter() == bvRaised;
    Frame3D(c, r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight,
            BevelWidth());
  }
  r = Rect(r.Left + BorderWidth(), r.Top + BorderWidth(), r.Right - BorderWidth(),
           r.Bottom - BorderWidth());
  if (BevelInner() != bvNone) {
    const bool raised = BevelInner() == bvRaised;
    Frame3D(c, r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight,
            BevelWidth());
  }
  if (FShowMode == TShowClock::scDigital)
    PaintDigital(r, true);
  else
    PaintAnalog(true);
}

void TRxClock::ClockTick() {
  // A clock placed on nothing has nothing to draw on; its alarm still runs.
  if (Parent()) {
    HWND window = Handle();
    HDC dc = GetDC(window);
    TCanvas canvas;
    struct TRelease {
      TCanvas& Canvas;
      HWND Window;
      HDC DC;
      ~TRelease() {
        Canvas.SetHandle(nullptr);
        ReleaseDC(Window, DC);
      }
    } release{canvas, window, dc};
    canvas.SetHandle(dc);
    PaintClockTo(&canvas, false);
  }
  TestAlarm();
}

void TRxClock::PaintDigital(TRect rect, bool paintMode) {
  TCanvas* c = DrawCanvas();
  const TDateTime time = CurrentTime();
  int fullHour = 0, m = 0, s = 0, ms = 0;
  DecodeTime(time, fullHour, m, s, ms);
  const TRxClockTime now = DialTime(time);
  if (!paintMode && now.Hour != FDisplayTime.Hour) {
    Repaint();
    return;
  }
  const TDigitalLayout layout = DigitalLayout(fullHour, FLeadingZero, FShowSeconds, FTwelveHour);
  const String text = FormatDateTime(layout.Format, time);
  const String suffix =
      static_cast<int>(text.size()) > layout.Cells ? text.substr(static_cast<size_t>(layout.Cells)) : String();

  const int cellWidth = c->TextWidth(u"8");
  const int cellHeight = c->TextHeight(u"8");
  const int total = layout.Cells * cellWidth + c->TextWidth(suffix);
  const int left = (rect.Left + rect.Right - total) / 2;
  const int top = (rect.Top + rect.Bottom - cellHeight) / 2;
  c->Brush()->SetColor(Color());
  c->Brush()->SetStyle(bsSolid);
  for (int i = 1; i <= layout.Cells && i <= static_cast<int>(text.size()); ++i) {
    if (!paintMode && !DigitalCellChanged(layout, i, FDisplayTime, now)) continue;
    TRect cell = Bounds(left + (i - 1) * cellWidth, top, cellWidth, cellHeight);
    c->FillRect(cell);
    c->TextRect(cell, String(1, text[static_cast<size_t>(i - 1)]),
                tfCenter | tfVerticalCenter | tfSingleLine | tfNoClip);
  }
  if (paintMode && !suffix.empty()) {
    TRect after = Rect(left + layout.Cells * cellWidth, top, rect.Right, top + cellHeight);
    c->Brush()->SetStyle(bsClear);
    c->TextRect(after, suffix, tfLeft | tfVerticalCenter | tfSingleLine | tfNoClip);
    c->Brush()->SetStyle(bsSolid);
  }
  FDisplayTime = now;
}

void TRxClock::PaintAnalog(bool paintMode) {
  TCanvas* c = DrawCanvas();
  c->Pen()->SetColor(Font()->Color());
  c->Brush()->SetColor(Color());
  SetBkMode(c->Handle(), TRANSPARENT);
  if (paintMode) {
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(FClockRect);
    c->Pen()->SetColor(Font()->Color());
    DrawDial();
    c->Pen()->SetColor(Font()->Color());
    DrawHand(HourHandIndex(FDisplayTime), true);
    DrawHand(FDisplayTime.Minute, false);
    c->Pen()->SetColor(Color());
    if (FShowSeconds) InvertSecondHand(FDisplayTime.Second);
    return;
  }
  c->Pen()->SetColor(Color());
  const TRxClockTime now = DialTime(CurrentTime());
  if (now.Second != FDisplayTime.Second && FShowSeconds) InvertSecondHand(FDisplayTime.Second);
  if (now.Minute != FDisplayTime.Minute || now.Hour != FDisplayTime.Hour) {
    DrawHand(FDisplayTime.Minute, false);
    DrawHand(HourHandIndex(FDisplayTime), true);
    c->Pen()->SetColor(Font()->Color());
    DrawHand(now.Minute, false);
    DrawHand(HourHandIndex(now), true);
  }
  c->Pen()->SetColor(Color());
  if (now.Second != FDisplayTime.Second) {
    if (FShowSeconds) InvertSecondHand(now.Second);
    FDisplayTime = now;
  }
}

void TRxClock::DrawDial() {
  TCanvas* c = DrawCanvas();
  const TScreenMetrics& metrics = ClockScreenMetrics();
  const THandTable& table = ClockHandTable();
  int dotWidth = FClockRect.Width() * 25 / std::max(metrics.HorzRes, 1);
  int dotHeight = std::max(metrics.ScaleToVertical(dotWidth), 1);
  dotWidth = std::max(dotWidth, 2);

  const TRect dial = Rect(FClockRect.Left + dotHeight / 2, FClockRect.Top + dotWidth / 2,
                          FClockRect.Right - dotHeight / 2, FClockRect.Bottom - dotWidth / 2);
  FClockRadius = dial.Width() / 2;
  FClockCenter = TPoint(dial.Left + FClockRadius, dial.Top + dial.Height() / 2);

  const TColor savedBrush = c->Brush()->Color();
  const TColor savedPen = c->Pen()->Color();
  struct TRestore {
    TCanvas* Canvas;
    TColor Brush, Pen;
    ~TRestore() {
      Canvas->Brush()->SetColor(Brush);
      Canvas->Pen()->SetColor(Pen);
    }
  } restore{c, savedBrush, savedPen};
  c->Brush()->SetColor(c->Pen()->Color());
  c->Brush()->SetStyle(bsSolid);
  const bool large = dotWidth > 2 && dotHeight > 1;
  const bool ctl3D = true;  // panels are always drawn with the 3-D look here
  for (int i = 0; i < 60; ++i) {
    const TPoint p(FClockCenter.X + table[static_cast<size_t>(i)].X * FClockRadius / 8000,
                   FClockCenter.Y + table[static_cast<size_t>(i)].Y * FClockRadius / 8000);
    if (i % 5 == 0) {
      TRect dot = Bounds(p.X - dotWidth / 2, p.Y - dotHeight / 2, dotWidth, dotHeight);
      if (ctl3D && large) {
        c->Brush()->SetColor(FDotsColor);
        c->FillRect(dot);
        Frame3D(c, dot, DotHighlightColor(FDotsColor), clWindowFrame, 1);
      } else {
        c->Brush()->SetColor(c->Pen()->Color());
        c->FillRect(dot);
      }
      c->Brush()->SetColor(c->Pen()->Color());
    } else if (large) {
      if (ctl3D) {
        c->Brush()->SetColor(clBtnShadow);
        c->FillRect(Rect(p.X - 1, p.Y - 1, p.X + 1, p.Y + 1));
        c->Brush()->SetColor(clBtnHighlight);
        c->FillRect(Rect(p.X, p.Y, p.X + 2, p.Y + 2));
        c->Brush()->SetColor(Color());
      }
      c->FillRect(Rect(p.X, p.Y, p.X + 1, p.Y + 1));
    }
  }
}

void TRxClock::DrawHand(int pos, bool hourHand) {
  TCanvas* c = DrawCanvas();
  const TPenMode saved = c->Pen()->Mode();
  c->Pen()->SetMode(pmCopy);
  const THandKite kite = HandKite(ClockHandTable(), FClockCenter, FClockRadius, pos, hourHand);
  c->MoveTo(kite.SideA.X, kite.SideA.Y);
  c->LineTo(kite.Tip.X, kite.Tip.Y);
  c->MoveTo(kite.SideB.X, kite.SideB.Y);
  c->LineTo(kite.Tip.X, kite.Tip.Y);
  c->MoveTo(kite.SideA.X, kite.SideA.Y);
  c->LineTo(kite.Tail.X, kite.Tail.Y);
  c->MoveTo(kite.SideB.X, kite.SideB.Y);
  c->LineTo(kite.Tail.X, kite.Tail.Y);
  c->Pen()->SetMode(saved);
}

void TRxClock::InvertSecondHand(int sec) {
  TCanvas* c = DrawCanvas();
  const TPenMode saved = c->Pen()->Mode();
  c->Pen()->SetMode(pmNot);
  const TPoint end = SecondHandEnd(ClockHandTable(), FClockCenter, FClockRadius, sec);
  c->MoveTo(FClockCenter.X, FClockCenter.Y);
  c->LineTo(end.X, end.Y);
  c->Pen()->SetMode(saved);
}
