#include "controls/RxPickDateMonth.h"

#include <gtest/gtest.h>

namespace {

std::string Show(TDateTime d) { return StringToUtf8(FormatDateTime(u"dd/mm/yyyy", d)); }

}  // namespace

TEST(RxPickDateMonth, DaysFallInTheirGridCells) {
  struct Case {
    int Year, Month;
    TDayOfWeekName Start;
    int Offset;          // day number in column 0 of row 1
    int LastCol, LastRow;  // cell of the month's last day
  };
  const Case cases[] = {
      {2025, 6, TDayOfWeekName::Mon, -5, 0, 6},   // begins on a Sunday: column 6
      {2025, 9, TDayOfWeekName::Mon, 1, 1, 5},    // begins on a Monday: column 0
      {2024, 2, TDayOfWeekName::Mon, -2, 3, 5},   // leap February from a Thursday
      {2000, 2, TDayOfWeekName::Sun, -1, 2, 5},   // leap century year from a Tuesday
      {2026, 2, TDayOfWeekName::Sun, 1, 6, 4},    // 28 days from a Sunday: four rows
      {2100, 2, TDayOfWeekName::Sun, 0, 0, 5},    // 2100 is not a leap year
  };
  for (const Case& c : cases) {
    const TDateTime date = EncodeDate(c.Year, c.Month, 10);
    const int offset = MonthOffset(date, c.Start);
    EXPECT_EQ(offset, c.Offset) << c.Year << "-" << c.Month;
    int col = -1, row = -1;
    DayCell(offset, 1, col, row);
    EXPECT_EQ(row, 1);
    EXPECT_EQ(CellDay(offset, col, row), 1);
    DayCell(offset, MonthLength(c.Year, c.Month), col, row);
    EXPECT_EQ(col, c.LastCol) << c.Year << "-" << c.Month;
    EXPECT_EQ(row, c.LastRow) << c.Year << "-" << c.Month;
  }
}

TEST(RxPickDateMonth, MovesByMonthAndByDateParts) {
  EXPECT_EQ(Show(MoveMonthDate(EncodeDate(2025, 1, 31), 1)), "28/02/2025");
  EXPECT_EQ(Show(MoveMonthDate(EncodeDate(2024, 3, 31), -1)), "29/02/2024");
  EXPECT_EQ(Show(MoveMonthDate(EncodeDate(2024, 12, 15), 1)), "15/01/2025");
  EXPECT_EQ(Show(MoveMonthDate(EncodeDate(2025, 1, 15), -1)), "15/12/2024");

  struct Case {
    const char* From;
    TDatePart Part;
    int Value;
    const char* To;  // nullptr: the write is ignored
  };
  const Case cases[] = {
      {"29/02/2024", TDatePart::Year, 2025, "28/02/2025"},  // must not raise
      {"29/02/2024", TDatePart::Year, 2028, "29/02/2028"},
      {"31/03/2025", TDatePart::Month, 4, "30/04/2025"},
      {"31/01/2023", TDatePart::Month, 2, "28/02/2023"},
      {"15/06/2025", TDatePart::Day, 31, nullptr},          // beyond June
      {"15/06/2025", TDatePart::Day, 15, nullptr},
      {"15/06/2025", TDatePart::Month, 13, nullptr},
      {"15/06/2025", TDatePart::Year, 0, nullptr},
      {"15/06/2025", TDatePart::Day, 3, "03/06/2025"},
  };
  for (const Case& c : cases) {
    TDateTime result = -1;
    const bool written = WriteDatePart(StrToDate(Utf8ToString(c.From)), c.Part, c.Value,
                                       EmptyDate, EmptyDate, result);
    if (c.To == nullptr) {
      EXPECT_FALSE(written) << c.From << " part " << static_cast<int>(c.Part);
    } else {
      ASSERT_TRUE(written) << c.From;
      EXPECT_EQ(Show(result), c.To) << c.From;
    }
  }
}

TEST(RxPickDateMonth, PartsStayWithinLimits) {
  const TDateTime minDate = EncodeDate(2025, 3, 15), maxDate = EncodeDate(2026, 8, 20);
  TDateTime r = 0;
  ASSERT_TRUE(WriteDatePart(EncodeDate(2025, 3, 20), TDatePart::Day, 10, minDate, EmptyDate, r));
  EXPECT_EQ(Show(r), "15/03/2025");
  ASSERT_TRUE(WriteDatePart(EncodeDate(2025, 6, 10), TDatePart::Month, 1, minDate, EmptyDate, r));
  EXPECT_EQ(Show(r), "15/03/2025");
  ASSERT_TRUE(WriteDatePart(EncodeDate(2025, 9, 30), TDatePart::Year, 2030, minDate, maxDate, r));
  EXPECT_EQ(Show(r), "20/08/2026");
  ASSERT_TRUE(WriteDatePart(EncodeDate(2026, 1, 10), TDatePart::Year, 2020, minDate, maxDate, r));
  EXPECT_EQ(Show(r), "15/03/2025");
  // Already in the limit year: nothing to do.
  EXPECT_FALSE(WriteDatePart(EncodeDate(2026, 1, 10), TDatePart::Year, 2027, minDate,
                             EncodeDate(2026, 12, 31), r));

  EXPECT_EQ(Show(ClampDateToLimits(EncodeDate(2025, 1, 1), minDate, EmptyDate)), "15/03/2025");
  EXPECT_EQ(Show(ClampDateToLimits(EncodeDate(2027, 1, 1), minDate, maxDate)), "20/08/2026");
  EXPECT_TRUE(DateInLimits(EmptyDate, minDate, maxDate));
  EXPECT_TRUE(DateInLimits(EncodeDate(1990, 1, 1), EmptyDate, EmptyDate));
  EXPECT_FALSE(DateInLimits(EncodeDate(2025, 3, 14), minDate, EmptyDate));
  EXPECT_TRUE(DateInLimits(EncodeDate(2025, 3, 14), EmptyDate, maxDate));
}

TEST(RxPickDateMonth, EasterAndHolidays) {
  EXPECT_EQ(Show(EasterSunday(2024)), "31/03/2024");
  EXPECT_EQ(Show(EasterSunday(2025)), "20/04/2025");
  EXPECT_EQ(Show(EasterSunday(2026)), "05/04/2026");
  EXPECT_EQ(Show(EasterSunday(2049)), "18/04/2049");
  EXPECT_EQ(Show(EasterSunday(1981)), "19/04/1981");  // the April 26 exception
  EXPECT_TRUE(IsPublicHoliday(2024, 4, 1));
  EXPECT_TRUE(IsPublicHoliday(2026, 4, 6));
  EXPECT_FALSE(IsPublicHoliday(2026, 4, 5));
  EXPECT_TRUE(IsPublicHoliday(2031, 10, 28));
  EXPECT_TRUE(IsPublicHoliday(2031, 11, 17));
  EXPECT_TRUE(IsPublicHoliday(2026, 12, 25));
  EXPECT_FALSE(IsPublicHoliday(2026, 12, 27));
}
