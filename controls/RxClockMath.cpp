#include "controls/RxClockMath.h"

#include <cmath>

TRxClockTime DialTime(TDateTime time) {
  int h = 0, m = 0, s = 0, ms = 0;
  DecodeTime(time, h, m, s, ms);
  if (h >= 12) h -= 12;
  return {static_cast<uint16_t>(h), static_cast<uint16_t>(m), static_cast<uint16_t>(s)};
}

const THandTable& BaseHandTable() {
  static const THandTable table = {{
      {0, -7999},     {836, -7956},   {1663, -7825},  {2472, -7608},  {3253, -7308},
      {4000, -6928},  {4702, -6472},  {5353, -5945},  {5945, -5353},  {6472, -4702},
      {6928, -4000},  {7308, -3253},  {7608, -2472},  {7825, -1663},  {7956, -836},
      {8000, 0},      {7956, 836},    {7825, 1663},   {7608, 2472},   {7308, 3253},
      {6928, 4000},   {6472, 4702},   {5945, 5353},   {5353, 5945},   {4702, 6472},
      {4000, 6928},   {3253, 7308},   {2472, 7608},   {1663, 7825},   {836, 7956},
      {0, 7999},      {-836, 7956},   {-1663, 7825},  {-2472, 7608},  {-3253, 7308},
      {-4000, 6928},  {-4702, 6472},  {-5353, 5945},  {-5945, 5353},  {-6472, 4702},
      {-6928, 3999},  {-7308, 3253},  {-7608, 2472},  {-7825, 1663},  {-7956, 836},
      {-7999, 0},     {-7956, -836},  {-7825, -1663}, {-7608, -2472}, {-7308, -3253},
      {-6928, -4000}, {-6472, -4702}, {-5945, -5353}, {-5353, -5945}, {-4702, -6472},
      {-4000, -6928}, {-3253, -7308}, {-2472, -7608}, {-1663, -7825}, {-836, -7956},
  }};
  return table;
}

THandTable ScaledHandTable(const TScreenMetrics& metrics) {
  THandTable table = BaseHandTable();
  for (TPoint& p : table) p.Y = metrics.ScaleToVertical(p.Y);
  return table;
}

TColor DotHighlightColor(TColor color) {
  const TColor rgb = ColorToRGB(color);
  uint8_t channels[3] = {static_cast<uint8_t>(rgb & 0xFF), static_cast<uint8_t>((rgb >> 8) & 0xFF),
                         static_cast<uint8_t>((rgb >> 16) & 0xFF)};
  for (uint8_t c : channels)
    if (c == 255) return clBtnHighlight;
  for (uint8_t& c : channels) {
    if (c == 192)
      c = 255;
    else if (c != 0)
      c = static_cast<uint8_t>(c + 127);
  }
  return RGBColor(channels[0], channels[1], channels[2]);
}

namespace {

TPoint Scaled(const TPoint& entry, int length) {
  return {entry.X * length / 8000, entry.Y * length / 8000};
}

TPoint Offset(TPoint center, TPoint d, int sign = 1) {
  return {center.X + sign * d.X, center.Y + sign * d.Y};
}

}  // namespace

THandKite HandKite(const THandTable& table, TPoint center, int radius, int pos, bool hourHand) {
  pos = ((pos % 60) + 60) % 60;
  const int halfWidth = radius * (hourHand ? 7 : 5) / 100;
  const int tipLength = radius * (hourHand ? 60 : 80) / 100;
  const int tailLength = radius * (hourHand ? 15 : 20) / 100;
  const TPoint side = Scaled(table[static_cast<size_t>((pos + 15) % 60)], halfWidth);
  const TPoint tip = Scaled(table[static_cast<size_t>(pos)], tipLength);
  const TPoint tail = Scaled(table[static_cast<size_t>((pos + 30) % 60)], tailLength);
  return {Offset(center, side), Offset(center, side, -1), Offset(center, tip),
          Offset(center, tail)};
}

TPoint SecondHandEnd(const THandTable& table, TPoint center, int radius, int sec) {
  sec = ((sec % 60) + 60) % 60;
  return Offset(center, Scaled(table[static_cast<size_t>(sec)], radius * 80 / 100));
}

TDigitalLayout DigitalLayout(int fullHour, bool leadingZero, bool showSeconds, bool twelveHour) {
  int h = fullHour;
  if (twelveHour) {
    if (h > 12) h -= 12;
    if (h == 0) h = 12;
  }
  TDigitalLayout layout;
  layout.Format = leadingZero ? u"hh:mm" : u"h:mm";
  if (showSeconds) layout.Format += u":ss";
  if (twelveHour) layout.Format += u" ampm";
  layout.LongLayout = h >= 10 || leadingZero;
  layout.Cells = layout.LongLayout ? 5 : 4;
  if (showSeconds) layout.Cells += 3;
  layout.FirstMinuteCell = layout.LongLayout ? 4 : 3;
  layout.FirstSecondCell = showSeconds ? layout.FirstMinuteCell + 3 : 0;
  return layout;
}

bool DigitalCellChanged(const TDigitalLayout& layout, int cell, TRxClockTime shown,
                        TRxClockTime now) {
  if (now.Hour != shown.Hour) return true;
  const bool minuteCell = cell == layout.FirstMinuteCell || cell == layout.FirstMinuteCell + 1;
  const bool secondCell = layout.FirstSecondCell != 0 &&
                          (cell == layout.FirstSecondCell || cell == layout.FirstSecondCell + 1);
  return (now.Minute != shown.Minute && minuteCell) || (now.Second != shown.Second && secondCell);
}

bool InAlarmWindow(TDateTime alarm, TDateTime time) {
  int ah = 0, am = 0, as = 0, ams = 0;
  int th = 0, tm = 0, ts = 0, tms = 0;
  DecodeTime(alarm, ah, am, as, ams);
  DecodeTime(time, th, tm, ts, tms);
  return ah == th && am == tm && ts >= as;
}

namespace {

// Product over divisor, rounded to the nearest (halves away from zero).
int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  const long long product = static_cast<long long>(number) * numerator;
  const long long half = (denominator > 0 ? denominator : -denominator) / 2;
  const long long q = (product >= 0 ? product + half : product - half) / denominator;
  return static_cast<int>(q);
}

}  // namespace

int FitFontHeight(int availableWidth, int availableHeight, int sampleWidthAt1000) {
  if (availableWidth <= 0 || availableHeight <= 0 || sampleWidthAt1000 <= 0) return 0;
  const int byHeight = MulDiv(availableHeight, 4, 5);
  const int byWidth = MulDiv(1000, availableWidth, sampleWidthAt1000);
  return byHeight < byWidth ? byHeight : byWidth;
}
