#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Freezes the clock for one test and gives it back afterwards.
class FrozenClock {
public:
  explicit FrozenClock(TDateTime now) {
    SetClockForTesting([now] { return now; });
  }
  ~FrozenClock() { ResetClockForTesting(); }
};

}  // namespace

TEST(DateUtils, EncodeAndDecodeOverTheCalendar) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
  EXPECT_EQ(EncodeDate(2024, 3, 5), 45356);
  EXPECT_EQ(EncodeDate(1899, 12, 29), -1);
  EXPECT_EQ(EncodeDate(1, 1, 1), -693593);
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_EQ(DaysInAMonth(2024, 2), 29);
  EXPECT_EQ(MonthDays[IsLeapYear(2023)][2], 28);
  TDateTime v = 7;
  EXPECT_FALSE(TryEncodeDate(2023, 2, 29, v));
  EXPECT_FALSE(TryEncodeDate(1900, 2, 29, v));
  EXPECT_FALSE(TryEncodeDate(2024, 13, 1, v));
  EXPECT_FALSE(TryEncodeDate(0, 1, 1, v));
  EXPECT_EQ(v, 7);
  EXPECT_THROW(EncodeDate(2024, 2, 30), EConvertError);
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);

  // Every day from 1600 to 2400 decodes back to itself.
  for (int d = static_cast<int>(EncodeDate(1600, 1, 1)); d <= EncodeDate(2400, 12, 31); ++d) {
    int y, m, dd;
    DecodeDate(d, y, m, dd);
    ASSERT_EQ(EncodeDate(y, m, dd), d) << d;
  }

  // Before day zero the fraction still counts forward into the day.
  int y, m, d, h, n, s, ms;
  DecodeDateTime(-1.25, y, m, d, h, n, s, ms);
  EXPECT_EQ(y * 10000 + m * 100 + d, 18991229);
  EXPECT_EQ(h, 6);
  // A time that rounds to a whole day moves to the next date.
  DecodeDateTime(EncodeDate(2024, 3, 5) + 0.9999999999, y, m, d, h, n, s, ms);
  EXPECT_EQ(d * 100 + h, 600);

  const TDateTime t = EncodeDateTime(2024, 3, 5, 14, 7, 9, 45);
  DecodeTime(t, h, n, s, ms);
  EXPECT_EQ(h * 10000000 + n * 100000 + s * 1000 + ms, 140709045);
  EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 5)), 3);  // Tuesday
  EXPECT_EQ(DayOfWeek(0), 7);                       // 30/12/1899 was a Saturday
  EXPECT_EQ(DayOfWeek(-1), 6);
}

TEST(DateUtils, FormatDateTimeTable) {
  const TDateTime t = EncodeDateTime(2024, 3, 5, 14, 7, 9, 45);
  const std::pair<const char16_t*, const char16_t*> cases[] = {
      {u"dd/mm/yyyy", u"05/03/2024"},
      {u"yyyy-mm-dd", u"2024-03-05"},
      {u"hhmmss", u"140709"},
      {u"hh:mm", u"14:07"},
      {u"hh:nn:ss", u"14:07:09"},
      {u"hh:nn:ss.zzz", u"14:07:09.045"},
      {u"yyyy", u"2024"},
      {u"ddmmyyyy", u"05032024"},
      {u"d/m/yy", u"5/3/24"},
      {u"dd", u"05"},
      {u"mm", u"03"},
      {u"MMMM, YYYY", u"mar\u00E7o, 2024"},
      {u"ddd dddd mmm", u"ter ter\u00E7a-feira mar"},
      {u"'Hora:' hh'h' \"mm\"", u"Hora: 14h mm"},
      {u"h:nn am/pm", u"2:07 pm"},
      {u"hh:nn A/P", u"02:07 P"},
      {u"ddddd", u"05/03/2024"},
      {u"t|tt", u"14:07|14:07:09"},
      {u"c", u"05/03/2024 14:07:09"},
      {u"", u"05/03/2024 14:07:09"},
  };
  for (auto [format, text] : cases) EXPECT_EQ(FormatDateTime(format, t), text) << StringToUtf8(format);

  EXPECT_EQ(FormatDateTime(u"c", EncodeDate(2024, 3, 5)), u"05/03/2024");
  EXPECT_EQ(FormatDateTime(u"dd/mm/yyyy", 0), u"30/12/1899");
  EXPECT_EQ(FormatDateTime(u"hh:nn", EncodeTime(0, 30, 0, 0)), u"00:30");
  // Days before the first year and after the last are written with their
  // year's sign and digits, not with characters below '0'.
  const TDateTime primeiro = EncodeDate(1, 1, 1);
  EXPECT_EQ(FormatDateTime(u"dd/mm/yyyy", primeiro - 1), u"31/12/0000");
  EXPECT_EQ(FormatDateTime(u"dd/mm/yyyy yy", primeiro - 367), u"31/12/-0001 -01");
  EXPECT_EQ(FormatDateTime(u"dd/mm/yyyy", EncodeDate(9999, 12, 31) + 1), u"01/01/10000");
  EXPECT_EQ(DateToStr(t), u"05/03/2024");
  EXPECT_EQ(TimeToStr(t), u"14:07:09");
  EXPECT_EQ(DateTimeToStr(t), u"05/03/2024 14:07:09");

  // '/' in a format is the settings' date separator.
  TFormatSettings iso = BrazilianFormatSettings();
  iso.DateSeparator = u'-';
  EXPECT_EQ(FormatDateTime(u"dd/mm/yyyy", t, iso), u"05-03-2024");
}

TEST(DateUtils, StrToDateReadsDayMonthYearAndRefusesBadDates) {
  FrozenClock clock(EncodeDateTime(2026, 6, 15, 10, 0, 0, 0));
  const std::pair<const char16_t*, TDateTime> good[] = {
      {u"05/03/2024", EncodeDate(2024, 3, 5)},
      {u"5/3/2024", EncodeDate(2024, 3, 5)},
      {u" 5 / 3 / 2024 ", EncodeDate(2024, 3, 5)},
      {u"05/03/2024/", EncodeDate(2024, 3, 5)},
      {u"29/02/2024", EncodeDate(2024, 2, 29)},
      {u"05/03", EncodeDate(2026, 3, 5)},
      // Two-digit years fall within the 50 years before now.
      {u"05/03/24", EncodeDate(2024, 3, 5)},
      {u"05/03/76", EncodeDate(1976, 3, 5)},
      {u"05/03/75", EncodeDate(2075, 3, 5)},
      {u"01/01/0024", EncodeDate(24, 1, 1)},
  };
  for (auto [text, date] : good) EXPECT_EQ(StrToDate(text), date) << StringToUtf8(text);

  try {
    StrToDate(u"31/02/2024");
    ADD_FAILURE() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), u"'31/02/2024' is not a valid date");
  }
  for (const char16_t* bad : {u"", u"  /  /    ", u"abc", u"05-03-2024", u"05/03/2024x", u"32/01/2024",
                              u"00/01/2024", u"29/02/2023", u"05/13/2024", u"05/03/12345", u"5"}) {
    TDateTime v = 1;
    EXPECT_FALSE(TryStrToDate(bad, v)) << StringToUtf8(bad);
    EXPECT_EQ(v, 1);
    EXPECT_THROW(StrToDate(bad), EConvertError) << StringToUtf8(bad);
  }
  EXPECT_EQ(StrToDateDef(u"99/99/9999", 3), 3);

  TFormatSettings us = BrazilianFormatSettings();
  us.ShortDateFormat = u"mm/dd/yyyy";
  EXPECT_EQ(StrToDate(u"03/05/2024", us), EncodeDate(2024, 3, 5));
}

TEST(DateUtils, StrToTimeAndDateTime) {
  EXPECT_DOUBLE_EQ(StrToTime(u"14:07:09"), EncodeTime(14, 7, 9, 0));
  EXPECT_DOUBLE_EQ(StrToTime(u"14:07"), EncodeTime(14, 7, 0, 0));
  EXPECT_DOUBLE_EQ(StrToTime(u"2:07 PM"), EncodeTime(14, 7, 0, 0));
  EXPECT_DOUBLE_EQ(StrToTime(u"12:00 am"), 0);
  EXPECT_DOUBLE_EQ(StrToTime(u"10:00:00,250"), EncodeTime(10, 0, 0, 250));
  for (const char16_t* bad : {u"", u"25:00", u"10:60", u"13:00 PM", u"ab", u"10:"})
    EXPECT_THROW(StrToTime(bad), EConvertError) << StringToUtf8(bad);
  EXPECT_DOUBLE_EQ(StrToDateTime(u"05/03/2024 14:07:09"), EncodeDateTime(2024, 3, 5, 14, 7, 9, 0));
  EXPECT_DOUBLE_EQ(StrToDateTime(u"05/03/2024"), EncodeDate(2024, 3, 5));
  EXPECT_THROW(StrToDateTime(u"05/03/2024 25:00"), EConvertError);
  // A year's digits all belong to the year, and a time needs its blank.
  for (const char16_t* bad : {u"01/01/10000", u"05/03/20245", u"05/03/202410:00", u"05/03/2024/10:00"})
    EXPECT_THROW(StrToDateTime(bad), EConvertError) << StringToUtf8(bad);
}

TEST(DateUtils, InjectedClockDrivesNowDateAndTime) {
  const TDateTime frozen = EncodeDateTime(2026, 1, 2, 3, 4, 5, 0);
  {
    FrozenClock clock(frozen);
    EXPECT_EQ(Now(), frozen);
    EXPECT_EQ(Date(), EncodeDate(2026, 1, 2));
    EXPECT_NEAR(Time(), EncodeTime(3, 4, 5, 0), 1e-9);
    EXPECT_EQ(CurrentYear(), 2026);
  }
  // Back on the system clock.
  EXPECT_GT(Now(), EncodeDate(2024, 1, 1));
  EXPECT_GE(Time(), 0);
  EXPECT_LT(Time(), 1);
  EXPECT_EQ(Date(), std::trunc(Date()));
}

TEST(DateUtils, MonthArithmeticCutsToTheMonthLength) {
  EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 31)), EncodeDate(2024, 2, 29));
  EXPECT_EQ(IncMonth(EncodeDate(2024, 3, 31), -1), EncodeDate(2024, 2, 29));
  EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 15), -13), EncodeDate(2022, 12, 15));
  EXPECT_DOUBLE_EQ(IncMonth(EncodeDateTime(2024, 12, 15, 10, 0, 0, 0)), EncodeDateTime(2025, 1, 15, 10, 0, 0, 0));
  EXPECT_EQ(IncYear(EncodeDate(2024, 2, 29)), EncodeDate(2025, 2, 28));
  EXPECT_EQ(IncDay(EncodeDate(2024, 2, 28), 2), EncodeDate(2024, 3, 1));
  EXPECT_EQ(StartOfTheMonth(EncodeDateTime(2024, 2, 17, 8, 0, 0, 0)), EncodeDate(2024, 2, 1));
  EXPECT_EQ(DaysInMonth(EncodeDate(2023, 2, 10)), 28);
}
