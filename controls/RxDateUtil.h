#pragma once
// Date arithmetic and the tolerant text-to-date reading shared by the date
// edit and the calendars. Dates are the platform's TDateTime; texts are read
// by the positions of the letters of a date format, falling back to numbers
// between date separators.
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/String.h"
#include <cstdint>
#include <initializer_list>

enum class TDayOfWeekName : uint8_t { Sun, Mon, Tue, Wed, Thu, Fri, Sat };

// Set of TDayOfWeekName in one byte, bit 0 = Sun.
class TDaysOfWeek {
public:
  constexpr TDaysOfWeek() = default;
  constexpr TDaysOfWeek(std::initializer_list<TDayOfWeekName> days) {
    for (TDayOfWeekName d : days) FBits |= Bit(d);
  }
  static constexpr TDaysOfWeek FromByte(uint8_t bits) {
    TDaysOfWeek s;
    s.FBits = static_cast<uint8_t>(bits & 0x7F);
    return s;
  }
  constexpr uint8_t ToByte() const { return FBits; }
  constexpr bool Contains(TDayOfWeekName d) const { return (FBits & Bit(d)) != 0; }
  constexpr void Include(TDayOfWeekName d) { FBits |= Bit(d); }
  constexpr void Exclude(TDayOfWeekName d) { FBits &= static_cast<uint8_t>(~Bit(d)); }
  constexpr bool Empty() const { return FBits == 0; }
  friend constexpr bool operator==(TDaysOfWeek a, TDaysOfWeek b) { return a.FBits == b.FBits; }
  friend constexpr bool operator!=(TDaysOfWeek a, TDaysOfWeek b) { return a.FBits != b.FBits; }

private:
  static constexpr uint8_t Bit(TDayOfWeekName d) {
    return static_cast<uint8_t>(1u << static_cast<unsigned>(d));
  }
  uint8_t FBits = 0;
};

// The value that stands for "no date" in every date property and limit.
constexpr TDateTime EmptyDate = 0.0;

// Two-digit years fall within the 100 years that start this many years
// before the current one.
constexpr int CenturyWindow = 60;

// Whether the locale's short date format shows four-digit years; read once,
// on first use, from FormatSettings.
bool FourDigitYearFormat();

enum class TDateOrder { doMDY, doDMY, doYMD };
// The first of D, E, M, Y (either case) decides; none gives day-month-year.
TDateOrder DateOrderOf(StringView format);

int MonthLength(int year, int month);
bool ValidDateParts(int year, int month, int day);
// Decodes the date and checks its parts; never raises.
bool ValidDateValue(TDateTime date);
// Completes a year below 100 into the window around the current year (taken
// from the platform clock). Years of 100 and more, and negative markers, are
// returned unchanged.
int ExpandTwoDigitYear(int year);

// Scanning over a text with a 1-based position.
void SkipBlanks(StringView s, int& pos);
// Reads at most maxLength digits, stopping once the value reaches 1000.
bool ReadNumber(StringView s, int maxLength, int& pos, int& n);
bool ExpectChar(StringView s, int& pos, char16_t c);
void SkipToDigit(StringView s, int& pos);

// Numbers between date separators in the format's date order.
bool ScanDateBySeparators(StringView s, StringView format, int& pos, int& year, int& month,
                          int& day);
// Field reading at the format's letter positions, then by separators.
bool ScanDateText(StringView format, StringView s, int& day, int& month, int& year);

// An empty text gives EmptyDate.
bool TryTextToDate(StringView format, StringView text, TDateTime& date);
// Raises EConvertError "'<text>' is not a valid date".
TDateTime TextToDate(StringView format, StringView text);
// On failure, the default truncated to whole days.
TDateTime TextToDateDef(StringView format, StringView text, TDateTime defaultValue);
