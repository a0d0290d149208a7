#pragma once
// The arithmetic of the panel clock: the dial's hand table, aspect
// conversions, the digital layout and the alarm window. No drawing here.
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/String.h"
#include "platform/ui/graphics/Colors.h"
#include "platform/ui/graphics/Geometry.h"

#include <array>
#include <cstdint>

struct TRxClockTime {
  uint16_t Hour = 0;
  uint16_t Minute = 0;
  uint16_t Second = 0;
};

// Decodes the time of day; hours of 12 and above lose 12.
TRxClockTime DialTime(TDateTime time);

// Screen resolution and pixels per 100 mm, for circular dials on screens
// whose pixels are not square.
struct TScreenMetrics {
  int HorzRes = 1;
  int VertRes = 1;
  int HorzPer100mm = 1;
  int VertPer100mm = 1;
  int ScaleToVertical(int x) const { return x * VertPer100mm / HorzPer100mm; }
  int ScaleToHorizontal(int y) const { return y * HorzPer100mm / VertPer100mm; }
};

// Entry i is the point i x 6 degrees clockwise from twelve o'clock on a
// radius of 8000, Y downwards.
using THandTable = std::array<TPoint, 60>;
const THandTable& BaseHandTable();
// The table with every Y scaled to the screen's aspect.
THandTable ScaledHandTable(const TScreenMetrics& metrics);

constexpr int HourHandIndex(TRxClockTime t) { return t.Hour * 5 + t.Minute / 12; }

// Highlight of the 3-D hour dots: a colour with a full channel gives the
// button highlight; otherwise 192 becomes 255 and other non-zero channels
// gain 127 (modulo 256).
TColor DotHighlightColor(TColor color);

// The hand outline: four lines from the centre's side points to the tip
// and to the tail.
struct THandKite {
  TPoint SideA, SideB, Tip, Tail;
};
THandKite HandKite(const THandTable& table, TPoint center, int radius, int pos, bool hourHand);
// End of the second hand.
TPoint SecondHandEnd(const THandTable& table, TPoint center, int radius, int sec);

// The digital display: the format of the time, the number of digit cells
// and which cells a change of time redraws.
struct TDigitalLayout {
  String Format;
  int Cells = 0;
  bool LongLayout = false;  // hours take two cells
  int FirstMinuteCell = 0;
  int FirstSecondCell = 0;  // 0 without seconds
};
// fullHour is the hour of day 0..23.
TDigitalLayout DigitalLayout(int fullHour, bool leadingZero, bool showSeconds, bool twelveHour);
bool DigitalCellChanged(const TDigitalLayout& layout, int cell, TRxClockTime shown,
                        TRxClockTime now);

// The alarm window runs from the alarm's second to the end of its minute.
bool InAlarmWindow(TDateTime alarm, TDateTime time);

// Character height that fits the sample text into the room.
int FitFontHeight(int availableWidth, int availableHeight, int sampleWidthAt1000);
