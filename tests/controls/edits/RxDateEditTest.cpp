#include "EditsTestSupport.h"

#include "controls/RxCurrEdit.h"
#include "controls/RxPickDatePopup.h"
#include "controls/RxToolEditDate.h"
#include "platform/ui/StdCtrls.h"

namespace {

std::string Show(TDateTime d) {
  return d == EmptyDate ? "empty" : StringToUtf8(FormatDateTime(u"dd/mm/yyyy", d));
}
std::string U8(const String& s) { return StringToUtf8(s); }

// A form as the closing and summary forms lay it out: a date edit with the
// week from Sunday, and a plain edit to move the focus to.
class UiDateEdit : public EditsFixture {
protected:
  void Build() {
    Form = NewForm(300, 200);
    Edit = new TDateEdit(Form);
    Edit->SetParent(Form);
    Edit->SetBounds(20, 20, 121, 21);
    Edit->SetDialogTitle(u"Selecione a data");
    Edit->SetNumGlyphs(2);
    Edit->SetStartOfWeek(TDayOfWeekName::Sun);
    Edit->OnChange = [this](TObject*) { ++Changes; };
    Edit->OnExit = [this](TObject*) { ++Exits; };
    Other = new TEdit(Form);
    Other->SetParent(Form);
    Other->SetBounds(20, 60, 121, 21);
    Form->Show();
    EditsTest::Pump();
    Edit->SetFocus();
    EditsTest::Pump();
    Changes = 0;
  }
  TPopupCalendar* Popup() { return dynamic_cast<TPopupCalendar*>(Edit->Popup()); }

  TForm* Form = nullptr;
  TDateEdit* Edit = nullptr;
  TEdit* Other = nullptr;
  int Changes = 0;
  int Exits = 0;
};

}  // namespace

TEST_F(UiDateEdit, MaskAndFormatFollowTheLocale) {
  Build();
  EXPECT_EQ(U8(Edit->EditMask()), "!99/99/9999;1; ");
  EXPECT_EQ(U8(Edit->DateFormat()), "DD/MM/YYYY");
  EXPECT_EQ(U8(Edit->EditText()), "  /  /    ");
  EXPECT_EQ(Edit->Date(), EmptyDate);
  Edit->SetDefaultToday(true);
  EXPECT_EQ(Show(Edit->Date()), "15/06/2026");
  Edit->SetDefaultToday(false);

  Edit->SetDate(EncodeDate(2026, 12, 25));
  EXPECT_EQ(U8(Edit->EditText()), "25/12/2026");
  EXPECT_EQ(Changes, 1);  // the application recomputes on OnChange
  Edit->SetYearDigits(TYearDigits::dyTwo);
  EXPECT_EQ(U8(Edit->EditMask()), "!99/99/99;1; ");
  EXPECT_EQ(U8(Edit->EditText()), "25/12/26");
  EXPECT_EQ(Show(Edit->Date()), "25/12/2026");
  Edit->SetYearDigits(TYearDigits::dyDefault);
  EXPECT_EQ(U8(Edit->EditText()), "25/12/2026");

  // The application writes and reads the text itself.
  Edit->SetText(u"05/03/2026");
  EXPECT_EQ(Show(Edit->Date()), "05/03/2026");
}

TEST_F(UiDateEdit, TypingAndValidationOnExit) {
  Build();
  struct Case {
    const char16_t* Typed;
    const char* Text;  // after leaving the control
    const char* Date;
    bool Message;      // "'...' is not a valid date" was shown
  };
  const Case cases[] = {
      {u"25122026", "25/12/2026", "25/12/2026", false},
      {u"251226", "25/12/2026", "25/12/2026", false},  // two-digit year
      {u"2512", "25/12/2026", "25/12/2026", false},    // blank year: this year
      {u"31022026", "31/02/2026", "empty", true},
      {u"", "  /  /    ", "empty", false},
  };
  for (const Case& c : cases) {
    Edit->SetFocus();
    Edit->SetText(String());
    Edit->SelectAll();
    EditsTest::TypeText(c.Typed);
    UiTestSeam::ClearLog();
    UiTestSeam::QueueMessageBoxAnswer(IDOK);
    Other->SetFocus();
    EditsTest::Pump();
    EXPECT_EQ(U8(Edit->EditText()), c.Text) << U8(c.Typed);
    EXPECT_EQ(Show(Edit->Date()), c.Date) << U8(c.Typed);
    const auto& log = UiTestSeam::MessageBoxLog();
    if (c.Message) {
      ASSERT_EQ(log.size(), 1u) << U8(c.Typed);
      EXPECT_EQ(U8(log[0].Text), "'" + std::string(c.Text) + "' is not a valid date");
      // The focus goes back to the date.
      EXPECT_EQ(GetFocus(), Edit->Handle()) << U8(c.Typed);
    } else {
      EXPECT_TRUE(log.empty()) << U8(c.Typed);
      EXPECT_EQ(GetFocus(), Other->Handle()) << U8(c.Typed);
    }
    UiTestSeam::Reset();
  }
}

TEST_F(UiDateEdit, ErrorRaiseClearsTheTextAndRaises) {
  Build();
  Edit->SetErrorRaise(true);
  Edit->SetText(u"31/02/2026");
  EXPECT_THROW(Edit->CheckValidDate(), EConvertError);
  EXPECT_EQ(U8(Edit->EditText()), "  /  /    ");
}

TEST_F(UiDateEdit, KeysMoveTheDate) {
  Build();
  EditsTest::PressKey(VK_ADD);
  EXPECT_EQ(Show(Edit->Date()), "16/06/2026");  // empty: tomorrow
  EditsTest::PressKey(VK_ADD);
  EXPECT_EQ(Show(Edit->Date()), "17/06/2026");
  EditsTest::PressKey(VK_SUBTRACT);
  EXPECT_EQ(Show(Edit->Date()), "16/06/2026");
  Edit->SetDate(EncodeDate(2020, 1, 1));
  EditsTest::TypeText(u"t");
  EXPECT_EQ(Show(Edit->Date()), "15/06/2026");
  // Without direct input the keys do nothing and typing is refused.
  Edit->SetDirectInput(false);
  EditsTest::PressKey(VK_ADD);
  EditsTest::TypeText(u"1");
  EXPECT_EQ(Show(Edit->Date()), "15/06/2026");
}

TEST_F(UiDateEdit, LimitsClampOrRaise) {
  Build();
  const TDateTime today = EncodeDate(2026, 6, 15);
  Edit->SetMinDate(today - 10);
  Edit->SetMaxDate(today);
  Edit->SetDate(today - 20);
  EXPECT_EQ(Show(Edit->Date()), "05/06/2026");
  Edit->SetDateAutoBetween(false);
  try {
    Edit->SetDate(today - 20);
    ADD_FAILURE() << "no range error";
  } catch (const Exception& e) {
    EXPECT_EQ(U8(e.Message()),
              "'26/05/2026' - invalid date. Value must be between '05/06/2026' and '15/06/2026'");
  }
  EXPECT_EQ(Show(Edit->Date()), "05/06/2026");
  EXPECT_THROW(Edit->SetMinDate(today + 1), Exception);
  // With DateAutoBetween a minimum above the maximum moves the maximum.
  Edit->SetDateAutoBetween(true);
  Edit->SetMinDate(today + 5);
  EXPECT_EQ(Show(Edit->MaxDate()), "20/06/2026");
  EXPECT_EQ(Show(Edit->Date()), "20/06/2026");
}

TEST_F(UiDateEdit, DropDownPicksADayByKeysAndByClick) {
  Build();
  Edit->SetDate(EncodeDate(2026, 3, 10));
  Changes = 0;
  EditsTest::PressKey(VK_DOWN, TShiftState{ssAlt});
  ASSERT_TRUE(Edit->PopupVisible());
  TPopupCalendar* popup = Popup();
  ASSERT_TRUE(popup && popup->Visible());
  EXPECT_EQ(Show(popup->Calendar()->CalendarDate()), "10/03/2026");
  EXPECT_EQ(U8(popup->TitleLabel()->Caption()), "março, 2026");
  // The drop-down opens right under the edit, right edges aligned.
  RECT er{}, pr{};
  GetWindowRect(Edit->Handle(), &er);
  GetWindowRect(popup->Handle(), &pr);
  EXPECT_EQ(pr.top, er.bottom);
  EXPECT_EQ(pr.right, er.right);

  EditsTest::PressKey(VK_RIGHT);
  EditsTest::PressKey(VK_NEXT);                        // next month
  EditsTest::PressKey(VK_PRIOR, TShiftState{ssCtrl});  // a year back
  EXPECT_EQ(Show(popup->Calendar()->CalendarDate()), "11/04/2025");
  EditsTest::PressKey(VK_RETURN);
  EXPECT_FALSE(Edit->PopupVisible());
  EXPECT_EQ(U8(Edit->EditText()), "11/04/2025");
  EXPECT_EQ(Changes, 1);

  // Opened again by the button; a click on a day closes it with that day.
  Edit->DoClick();
  ASSERT_TRUE(Edit->PopupVisible());
  TRxCalendar* calendar = popup->Calendar();
  // Sunday first: 20 April 2025 is a Sunday, column 0.
  int col = -1, row = -1;
  for (int r = 1; r < 7 && col < 0; ++r)
    for (int c = 0; c < 7; ++c)
      if (calendar->GetCellText(c, r) == u"20") col = c, row = r;
  ASSERT_EQ(col, 0);
  const TRect cell = calendar->CellRect(col, row);
  EditsTest::Screenshot(popup->Handle(), "date_edit_dropdown");
  // An empty cell keeps the drop-down open.
  const TRect blank = calendar->CellRect(0, 1);
  ASSERT_EQ(calendar->GetCellText(0, 1), u"");
  EditsTest::ClickAt(calendar, blank.Left + 3, blank.Top + 3);
  EXPECT_TRUE(Edit->PopupVisible());
  EditsTest::ClickAt(calendar, cell.Left + cell.Width() / 2, cell.Top + cell.Height() / 2);
  EXPECT_EQ(Show(calendar->CalendarDate()), "20/04/2025");
  EXPECT_FALSE(Edit->PopupVisible());
  EXPECT_EQ(U8(Edit->EditText()), "20/04/2025");
  EXPECT_EQ(GetFocus(), Edit->Handle());

  // Esc closes without taking the shown date.
  EditsTest::PressKey(VK_DOWN, TShiftState{ssAlt});
  EditsTest::PressKey(VK_RIGHT);
  EditsTest::PressKey(VK_ESCAPE);
  EXPECT_FALSE(Edit->PopupVisible());
  EXPECT_EQ(U8(Edit->EditText()), "20/04/2025");
}

TEST_F(UiDateEdit, OnAcceptDateMayRefuseOrChange) {
  Build();
  Edit->SetDate(EncodeDate(2026, 3, 10));
  Edit->OnAcceptDate = [](TObject*, TDateTime& d, bool& action) {
    if (DayOfWeek(d) == 1) action = false;  // no Sundays
    else d = d + 1;
  };
  Edit->DoClick();
  Popup()->Calendar()->SetCalendarDate(EncodeDate(2026, 3, 15));  // a Sunday
  EditsTest::PressKey(VK_RETURN);
  EXPECT_EQ(U8(Edit->EditText()), "10/03/2026");
  Edit->DoClick();
  Popup()->Calendar()->SetCalendarDate(EncodeDate(2026, 3, 16));
  EditsTest::PressKey(VK_RETURN);
  EXPECT_EQ(U8(Edit->EditText()), "17/03/2026");
}

TEST_F(UiDateEdit, DialogStyleRunsTheDateDialog) {
  Build();
  Edit->SetCalendarStyle(TCalendarStyle::csDialog);
  EXPECT_EQ(Edit->Popup(), nullptr);
  Edit->SetDate(EncodeDate(2026, 3, 10));
  String caption;
  UiTestSeam::QueueModalAction([&](TCustomForm& form) {
    auto& dialog = dynamic_cast<TSelectDateDlg&>(form);
    caption = dialog.Caption();
    EXPECT_EQ(U8(dialog.TitleLabel->Caption()), "março, 2026");
    dialog.NextMonthBtnClick(nullptr);
    dialog.Calendar->SetDay(7);
    EditsTest::Screenshot(form.Handle(), "date_dialog");
    form.SetModalResult(mrOk);
  });
  Edit->DoClick();
  EXPECT_EQ(U8(caption), "Selecione a data");
  EXPECT_EQ(U8(Edit->EditText()), "07/04/2026");
}

TEST_F(UiDateEdit, Screenshot) {
  Build();
  // The button's other glyphs, on numeric edits.
  auto* ellipsis = new TCustomNumEdit(Form);
  ellipsis->SetParent(Form);
  ellipsis->SetBounds(160, 20, 121, 21);
  ellipsis->SetGlyphKind(TGlyphKind::gkEllipsis);
  auto* dropDown = new TCustomNumEdit(Form);
  dropDown->SetParent(Form);
  dropDown->SetBounds(160, 60, 121, 21);
  dropDown->SetGlyphKind(TGlyphKind::gkDropDown);
  auto* calculator = new TCustomNumEdit(Form);
  calculator->SetParent(Form);
  calculator->SetBounds(160, 100, 121, 21);
  calculator->SetValue(1234.5);
  Edit->SetDate(EncodeDate(2026, 6, 10));
  EditsTest::Screenshot(Form->Handle(), "date_edit");
  // The drop-down of this month: the date highlighted, today framed.
  Edit->DoClick();
  EditsTest::Screenshot(Edit->Popup()->Handle(), "date_edit_dropdown_today");
  ASSERT_TRUE(Popup());
  TRxCalendar* calendar = Popup()->Calendar();
  auto cell = [&](const char16_t* day) {
    for (int row = 1; row < 7; ++row)
      for (int col = 0; col < 7; ++col)
        if (calendar->GetCellText(col, row) == day) return calendar->CellRect(col, row);
    ADD_FAILURE() << "no cell for day " << StringToUtf8(day);
    return TRect();
  };
  const TRect chosen = cell(u"10");
  const TRect today = cell(u"15");
  const HWND h = calendar->Handle();
  EXPECT_EQ(EditsTest::PixelAt(h, chosen.Left + 2, chosen.Top + 2), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(EditsTest::PixelAt(h, today.Left, today.Top + 3), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(EditsTest::PixelAt(h, today.Left + 3, today.Top), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(EditsTest::PixelAt(h, today.Left + 3, today.Top + 3), GetSysColor(COLOR_BTNFACE));
}

TEST_F(UiDateEdit, DialogKeysAndPlacement) {
  Build();
  Edit->SetCalendarStyle(TCalendarStyle::csDialog);
  Edit->SetDate(EncodeDate(2026, 3, 10));
  TRect dialogBounds, editBounds;
  UiTestSeam::QueueModalAction([&](TCustomForm& form) {
    auto& dialog = dynamic_cast<TSelectDateDlg&>(form);
    RECT r{};
    GetWindowRect(form.Handle(), &r);
    dialogBounds = TRect(r.left, r.top, r.right, r.bottom);
    const TPoint origin = static_cast<TControl*>(Edit)->ClientOrigin();
    editBounds = Bounds(origin.X, origin.Y, Edit->Width(), Edit->Height());
    EditsTest::PressKey(VK_NEXT);                        // April
    EditsTest::PressKey(VK_PRIOR, TShiftState{ssCtrl});  // April 2025
    EditsTest::PressKey(VK_PRIOR);                       // March 2025
    EXPECT_EQ(U8(dialog.TitleLabel->Caption()), "março, 2025");
    EditsTest::PressKey(VK_RETURN);
  });
  Edit->DoClick();
  EXPECT_EQ(U8(Edit->EditText()), "10/03/2025");
  // Just below the edit; right edges aligned would leave the screen on the
  // left, so it starts at the edit's left edge.
  EXPECT_EQ(dialogBounds.Top, editBounds.Bottom - 1);
  EXPECT_EQ(dialogBounds.Left, editBounds.Left);

  // Esc leaves the date alone; a double click on a day confirms it.
  UiTestSeam::QueueModalAction([](TCustomForm&) {
    EditsTest::PressKey(VK_NEXT);
    EditsTest::PressKey(VK_ESCAPE);
  });
  Edit->DoClick();
  EXPECT_EQ(U8(Edit->EditText()), "10/03/2025");
  UiTestSeam::QueueModalAction([](TCustomForm& form) {
    TRxCalendar* calendar = dynamic_cast<TSelectDateDlg&>(form).Calendar;
    const TRect cell = calendar->CellRect(3, 3);  // Sunday first: Wednesday 12 March
    const LPARAM pos = MAKELPARAM(cell.Left + 4, cell.Top + 4);
    PostMessageW(calendar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, pos);
    PostMessageW(calendar->Handle(), WM_LBUTTONUP, 0, pos);
    PostMessageW(calendar->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, pos);
    PostMessageW(calendar->Handle(), WM_LBUTTONUP, 0, pos);
    EditsTest::Pump();
  });
  Edit->DoClick();
  EXPECT_EQ(U8(Edit->EditText()), "12/03/2025");
}

TEST_F(UiDateEdit, SettingsChangeRebuildsMaskAndKeepsTheDate) {
  Build();
  Edit->SetDate(EncodeDate(2026, 12, 25));
  const TFormatSettings saved = FormatSettings;
  FormatSettings.ShortDateFormat = u"yyyy-mm-dd";
  SendMessageW(Application->Handle(), WM_WININICHANGE, 0, 0);
  EditsTest::Pump();
  const std::string mask = U8(Edit->EditMask()), text = U8(Edit->EditText());
  FormatSettings = saved;
  EXPECT_EQ(mask, "!9999/99/99;1; ");
  EXPECT_EQ(text, "2026/12/25");
  Edit->UpdateMask();
  EXPECT_EQ(U8(Edit->EditText()), "25/12/2026");
}
