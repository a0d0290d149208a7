#include "EditsTestSupport.h"

#include "controls/RxPickDate.h"

namespace {

std::string Show(TDateTime d) { return StringToUtf8(FormatDateTime(u"dd/mm/yyyy", d)); }

class UiCalendar : public EditsFixture {
protected:
  TRxCalendar* NewCalendar(TDateTime date) {
    TForm* form = NewForm(260, 200);
    auto* calendar = new TRxCalendar(form);
    calendar->SetParent(form);
    calendar->SetBounds(10, 10, 218, 140);
    calendar->SetCalendarDate(date);
    calendar->OnChange = [this](TObject*) { ++Changes; };
    form->Show();
    EditsTest::Pump();
    Changes = 0;
    return calendar;
  }
  int Changes = 0;
};

}  // namespace

TEST_F(UiCalendar, ShowsTheMonthFromTheStartOfWeek) {
  TRxCalendar* c = NewCalendar(EncodeDate(2024, 2, 15));
  // Monday first: 1 February 2024 was a Thursday.
  EXPECT_EQ(c->GetCellText(0, 0), u"seg");
  EXPECT_EQ(c->GetCellText(6, 0), u"dom");
  EXPECT_EQ(c->GetCellText(2, 1), u"");
  EXPECT_EQ(c->GetCellText(3, 1), u"1");
  EXPECT_EQ(c->GetCellText(3, 5), u"29");
  EXPECT_EQ(c->GetCellText(4, 5), u"");
  EXPECT_EQ(c->Col(), 3);  // the 15th
  EXPECT_EQ(c->Row(), 3);

  c->SetStartOfWeek(TDayOfWeekName::Sun);
  EXPECT_EQ(c->GetCellText(0, 0), u"dom");
  EXPECT_EQ(c->GetCellText(4, 1), u"1");
  EXPECT_EQ(c->Col(), 4);
}

TEST_F(UiCalendar, MovesByMonthYearAndKeys) {
  TRxCalendar* c = NewCalendar(EncodeDate(2024, 2, 29));
  // A year later 29 February does not exist: the last day of the month.
  c->NextYear();
  EXPECT_EQ(Show(c->CalendarDate()), "28/02/2025");
  c->SetCalendarDate(EncodeDate(2024, 2, 29));
  c->SetYear(2023);
  EXPECT_EQ(Show(c->CalendarDate()), "28/02/2023");
  EXPECT_FALSE(c->UseCurrentDate());

  c->SetCalendarDate(EncodeDate(2025, 1, 31));
  c->NextMonth();
  EXPECT_EQ(Show(c->CalendarDate()), "28/02/2025");
  c->PrevMonth();
  EXPECT_EQ(Show(c->CalendarDate()), "28/01/2025");

  c->SetFocus();
  c->SetCalendarDate(EncodeDate(2025, 1, 31));
  EditsTest::PressKey(VK_RIGHT);
  EXPECT_EQ(Show(c->CalendarDate()), "01/02/2025");
  c->SetCalendarDate(EncodeDate(2024, 3, 1));
  EditsTest::PressKey(VK_LEFT);
  EXPECT_EQ(Show(c->CalendarDate()), "29/02/2024");
  EditsTest::PressKey(VK_UP);
  EXPECT_EQ(Show(c->CalendarDate()), "22/02/2024");
  // Up from the first week: the header row is not a day.
  c->SetCalendarDate(EncodeDate(2024, 2, 2));
  EditsTest::PressKey(VK_UP);
  EXPECT_EQ(Show(c->CalendarDate()), "02/02/2024");

  Changes = 0;
  EditsTest::TypeText(u"t");
  EXPECT_EQ(Show(c->CalendarDate()), "15/06/2026");
  EXPECT_EQ(Changes, 1);
}

TEST_F(UiCalendar, KeepsTheDateWithinItsLimits) {
  TRxCalendar* c = NewCalendar(EncodeDate(2026, 3, 20));
  c->SetMinDate(EncodeDate(2026, 3, 15));
  c->SetDay(10);
  EXPECT_EQ(Show(c->CalendarDate()), "15/03/2026");
  c->SetCalendarDate(EncodeDate(2026, 1, 1));
  EXPECT_EQ(Show(c->CalendarDate()), "15/03/2026");
  // Left at the lower limit stays there.
  c->SetFocus();
  EditsTest::PressKey(VK_LEFT);
  EXPECT_EQ(Show(c->CalendarDate()), "15/03/2026");
  // A click on an embossed day before the limit selects nothing.
  const TRect r = c->CellRect(0, 2);  // Monday 2 March
  ASSERT_EQ(c->GetCellText(0, 2), u"2");
  EditsTest::ClickAt(c, r.Left + r.Width() / 2, r.Top + r.Height() / 2);
  EXPECT_EQ(Show(c->CalendarDate()), "15/03/2026");
  // Clearing the upper limit leaves the date alone.
  c->SetMaxDate(EncodeDate(2026, 12, 31));
  c->SetMaxDate(EmptyDate);
  EXPECT_EQ(Show(c->CalendarDate()), "15/03/2026");
}

TEST_F(UiCalendar, ClickPicksTheDayUnderTheMouse) {
  TRxCalendar* c = NewCalendar(EncodeDate(2026, 6, 15));
  int col = 0, row = 0;
  // 24 June 2026 is a Wednesday: column 2 with Monday first.
  const TRect r = c->CellRect(2, 4);
  ASSERT_EQ(c->GetCellText(2, 4), u"24");
  c->MouseToCell(r.Left + 3, r.Bottom - 2, col, row);
  EXPECT_EQ(col, 2);
  EXPECT_EQ(row, 4);
  EditsTest::ClickAt(c, r.Left + r.Width() / 2, r.Top + r.Height() / 2);
  EXPECT_EQ(Show(c->CalendarDate()), "24/06/2026");
  EXPECT_EQ(Changes, 1);
  // A blank cell after the month changes nothing; ReadOnly refuses days.
  EditsTest::ClickAt(c, c->CellRect(6, 6).Left + 2, c->CellRect(6, 6).Top + 2);
  EXPECT_EQ(Show(c->CalendarDate()), "24/06/2026");
  c->SetReadOnly(true);
  EditsTest::ClickAt(c, c->CellRect(0, 1).Left + 2, c->CellRect(0, 1).Top + 2);
  EXPECT_EQ(Show(c->CalendarDate()), "24/06/2026");
}

TEST_F(UiCalendar, Screenshot) {
  TRxCalendar* c = NewCalendar(EncodeDate(2026, 4, 15));
  c->SetMinDate(EncodeDate(2026, 4, 8));
  // Without the focus the chosen day is filled, not framed by a focus rectangle.
  SetFocus(nullptr);
  c->Invalidate();
  EditsTest::Pump();
  EditsTest::Screenshot(c->Parent()->Handle(), "calendar_april_2026");
  // The chosen day's cell is filled with the selection colour, the others
  // with the calendar's own; a corner of the cell is clear of its digits.
  auto corner = [&](const char16_t* day) {
    for (int row = 1; row < 7; ++row)
      for (int col = 0; col < 7; ++col)
        if (c->GetCellText(col, row) == day) {
          const TRect r = c->CellRect(col, row);
          return EditsTest::PixelAt(c->Handle(), r.Left + 2, r.Top + 2);
        }
    ADD_FAILURE() << "no cell for day " << StringToUtf8(day);
    return CLR_INVALID;
  };
  ASSERT_FALSE(c->Focused());
  EXPECT_EQ(corner(u"15"), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(corner(u"16"), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(corner(u"7"), GetSysColor(COLOR_WINDOW));
}
