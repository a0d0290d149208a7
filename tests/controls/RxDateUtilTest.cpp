#include "controls/RxDateUtil.h"

#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

// Pins the platform clock to a day of the given year for one test.
class ClockAt {
public:
  explicit ClockAt(int year, int month = 6, int day = 15) {
    const TDateTime now = EncodeDate(year, month, day) + 0.5;
    SetClockForTesting([now] { return now; });
  }
  ~ClockAt() { ResetClockForTesting(); }
};

struct DateCase {
  const char16_t* Format;
  const char16_t* Text;
  int Year;  // 0: the text must not read as a date
  int Month;
  int Day;
};

std::string Show(const DateCase& c) {
  return StringToUtf8(c.Format) + " <- \"" + StringToUtf8(c.Text) + "\"";
}

}  // namespace

TEST(RxDateUtil, ReadsDatesByFormatAroundTheCenturyWindow) {
  ClockAt clock(2026);
  const DateCase cases[] = {
      // Day-month-year, field by field and by separators.
      {u"DD/MM/YYYY", u"25/12/2026", 2026, 12, 25},
      {u"DD/MM/YYYY", u"25/12/26  ", 2026, 12, 25},
      {u"DD/MM/YYYY", u"01/01/00  ", 2000, 1, 1},
      {u"DD/MM/YYYY", u"01/01/65  ", 2065, 1, 1},
      {u"DD/MM/YYYY", u"01/01/66  ", 1966, 1, 1},
      {u"DD/MM/YYYY", u"01/01/99  ", 1999, 1, 1},
      {u"DD/MM/YY", u"31/12/65", 2065, 12, 31},
      {u"DD/MM/YY", u"31/12/66", 1966, 12, 31},
      {u"DD/MM/YYYY", u"5/1/2026", 2026, 1, 5},
      {u"DD/MM/YYYY", u"5/1/26", 2026, 1, 5},
      {u"DD/MM/YYYY", u"5/1/70", 1970, 1, 5},
      {u"DD/MM/YYYY", u"5/1", 2026, 1, 5},
      {u"DD/MM/YYYY", u" 5 / 1 / 2026 ", 2026, 1, 5},
      {u"DD/MM/YYYY", u"25/12/2026   ", 2026, 12, 25},  // longer than the format
      // A year left blank is the current year, never a year of the window.
      {u"DD/MM/YYYY", u"25/12/", 2026, 12, 25},
      {u"DD/MM/YYYY", u"25/12/    ", 2026, 12, 25},
      {u"DD/MM/YYYY", u"25/12", 2026, 12, 25},
      // Refused.
      {u"DD/MM/YYYY", u"25/12/ab  ", 0, 0, 0},
      {u"DD/MM/YYYY", u"  /  /    ", 0, 0, 0},
      {u"DD/MM/YYYY", u"  /12/2026", 0, 0, 0},
      {u"DD/MM/YYYY", u"/", 0, 0, 0},
      {u"DD/MM/YYYY", u"31/02/2026", 0, 0, 0},
      {u"DD/MM/YYYY", u"31/04/2026", 0, 0, 0},
      {u"DD/MM/YYYY", u"00/01/2026", 0, 0, 0},
      {u"DD/MM/YYYY", u"15/13/2026", 0, 0, 0},
      {u"DD/MM/YYYY", u"15/00/2026", 0, 0, 0},
      {u"DD/MM/YYYY", u"1/1/12345", 0, 0, 0},  // 1234 read, the 5 is left over
      {u"DD/MM/YYYY", u"1/1/2026x", 0, 0, 0},
      {u"DD/MM/YYYY", u"1-1-2026", 0, 0, 0},
      // Leap years.
      {u"DD/MM/YYYY", u"29/02/2024", 2024, 2, 29},
      {u"DD/MM/YYYY", u"29/02/2000", 2000, 2, 29},
      {u"DD/MM/YYYY", u"29/02/2023", 0, 0, 0},
      {u"DD/MM/YYYY", u"29/02/1900", 0, 0, 0},
      {u"DD/MM/YYYY", u"29/02/24  ", 2024, 2, 29},
      // Month-day-year.
      {u"MM/DD/YYYY", u"12/25/2026", 2026, 12, 25},
      {u"MM/DD/YYYY", u"12/25/26  ", 2026, 12, 25},
      {u"MM/DD/YYYY", u"1/5/2026", 2026, 1, 5},
      {u"MM/DD/YYYY", u"1/5", 2026, 1, 5},
      {u"MM/DD/YYYY", u"25/12/2026", 0, 0, 0},
      {u"MM/DD/YYYY", u"12/25/", 2026, 12, 25},
      // Year-month-day.
      {u"YYYY/MM/DD", u"2026/12/25", 2026, 12, 25},
      {u"YYYY/MM/DD", u"26/12/25", 2026, 12, 25},
      {u"YYYY/MM/DD", u"70/1/5", 1970, 1, 5},
      {u"YYYY/MM/DD", u"1/5", 2026, 1, 5},
      {u"YYYY/MM/DD", u"    /12/25", 2026, 12, 25},
      {u"YYYY/MM/DD", u"2026/02/30", 0, 0, 0},
      // Month names, compared without case over the typed length.
      {u"DD/MMM/YYYY", u"05/jan/2026", 2026, 1, 5},
      {u"DD/MMM/YYYY", u"05/MAR/2026", 2026, 3, 5},
      {u"DD/MMM/YYYY", u"05/xyz/2026", 0, 0, 0},
  };
  for (const DateCase& c : cases) {
    TDateTime value = -1;
    const bool ok = TryTextToDate(c.Format, c.Text, value);
    if (c.Year == 0) {
      EXPECT_FALSE(ok) << Show(c);
      continue;
    }
    ASSERT_TRUE(ok) << Show(c);
    int y = 0, m = 0, d = 0;
    DecodeDate(value, y, m, d);
    EXPECT_EQ(c.Year, y) << Show(c);
    EXPECT_EQ(c.Month, m) << Show(c);
    EXPECT_EQ(c.Day, d) << Show(c);
  }
}

TEST(RxDateUtil, CenturyWindowFollowsTheClock) {
  {
    ClockAt clock(2070);  // window 2010..2109
    EXPECT_EQ(2010, ExpandTwoDigitYear(10));
    EXPECT_EQ(2109, ExpandTwoDigitYear(9));
    TDateTime value = 0;
    ASSERT_TRUE(TryTextToDate(u"DD/MM/YYYY", u"1/1/09", value));
    EXPECT_EQ(2109, YearOf(value));
    ASSERT_TRUE(TryTextToDate(u"DD/MM/YYYY", u"01/01/10  ", value));
    EXPECT_EQ(2010, YearOf(value));
  }
  {
    ClockAt clock(2026);  // window 1966..2065
    EXPECT_EQ(2065, ExpandTwoDigitYear(65));
    EXPECT_EQ(1966, ExpandTwoDigitYear(66));
    EXPECT_EQ(100, ExpandTwoDigitYear(100));
    EXPECT_EQ(1999, ExpandTwoDigitYear(1999));
    EXPECT_EQ(-1, ExpandTwoDigitYear(-1));
  }
}

TEST(RxDateUtil, EmptyTextIsEmptyDateAndBadTextRaises) {
  ClockAt clock(2026);
  TDateTime value = 123;
  EXPECT_TRUE(TryTextToDate(u"DD/MM/YYYY", u"", value));
  EXPECT_EQ(EmptyDate, value);
  EXPECT_EQ(EmptyDate, TextToDate(u"DD/MM/YYYY", u""));

  try {
    TextToDate(u"DD/MM/YYYY", u"31/02/2026");
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(u"'31/02/2026' is not a valid date", e.Message());
  }
  EXPECT_EQ(45000.0, TextToDateDef(u"DD/MM/YYYY", u"31/02/2026", 45000.75));
  EXPECT_EQ(EncodeDate(2026, 2, 28), TextToDateDef(u"DD/MM/YYYY", u"28/02/2026", 45000.75));
}

TEST(RxDateUtil, CalendarArithmetic) {
  EXPECT_EQ(29, MonthLength(2000, 2));
  EXPECT_EQ(28, MonthLength(1900, 2));
  EXPECT_EQ(29, MonthLength(2024, 2));
  EXPECT_EQ(28, MonthLength(2023, 2));
  EXPECT_EQ(31, MonthLength(2023, 12));
  EXPECT_EQ(30, MonthLength(2023, 11));

  EXPECT_TRUE(ValidDateParts(1, 1, 1));
  EXPECT_TRUE(ValidDateParts(9999, 12, 31));
  EXPECT_FALSE(ValidDateParts(0, 1, 1));
  EXPECT_FALSE(ValidDateParts(10000, 1, 1));
  EXPECT_FALSE(ValidDateParts(2023, 2, 29));
  EXPECT_FALSE(ValidDateParts(2023, -1, 1));
  EXPECT_FALSE(ValidDateParts(2023, 1, -5));

  EXPECT_TRUE(ValidDateValue(EncodeDate(2024, 2, 29)));
  EXPECT_FALSE(ValidDateValue(-700000.0));

  EXPECT_EQ(TDateOrder::doDMY, DateOrderOf(u"dd/mm/yyyy"));
  EXPECT_EQ(TDateOrder::doMDY, DateOrderOf(u"M/d/yy"));
  EXPECT_EQ(TDateOrder::doYMD, DateOrderOf(u"yyyy-mm-dd"));
  EXPECT_EQ(TDateOrder::doYMD, DateOrderOf(u"ee/mm/dd"));
  EXPECT_EQ(TDateOrder::doDMY, DateOrderOf(u"//"));
}

TEST(RxDateUtil, ScanningRoutines) {
  int pos = 1, n = 0;
  EXPECT_TRUE(ReadNumber(u"  12345", 100, pos, n));
  EXPECT_EQ(1234, n);
  EXPECT_EQ(7, pos);  // the 5 is left unread
  pos = 1;
  EXPECT_TRUE(ReadNumber(u"123", 2, pos, n));
  EXPECT_EQ(12, n);
  EXPECT_EQ(3, pos);
  pos = 1;
  EXPECT_FALSE(ReadNumber(u"  x", 10, pos, n));
  EXPECT_EQ(3, pos);  // past the blanks, at the x

  pos = 1;
  EXPECT_TRUE(ExpectChar(u"  /1", pos, u'/'));
  EXPECT_EQ(4, pos);
  EXPECT_FALSE(ExpectChar(u"  /1", pos, u'/'));

  pos = 1;
  SkipToDigit(u"era 12", pos);
  EXPECT_EQ(5, pos);

  TDaysOfWeek weekend{TDayOfWeekName::Sun, TDayOfWeekName::Sat};
  EXPECT_EQ(0x41, weekend.ToByte());
  EXPECT_TRUE(weekend.Contains(TDayOfWeekName::Sat));
  weekend.Exclude(TDayOfWeekName::Sat);
  EXPECT_EQ(TDaysOfWeek{TDayOfWeekName::Sun}, weekend);
}
