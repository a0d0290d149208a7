#include "EditsTestSupport.h"

#include "controls/RxCurrEdit.h"
#include "controls/RxPickDatePopup.h"
#include "controls/RxToolEditDate.h"
#include "platform/ui/Clipbrd.h"
#include "platform/ui/StdCtrls.h"

namespace {

std::string U8(const String& s) { return StringToUtf8(s); }

class UiComboEdit : public EditsFixture {
protected:
  template <class T>
  T* Place(TForm* form, int top) {
    auto* edit = new T(form);
    edit->SetParent(form);
    edit->SetBounds(20, top, 121, 21);
    return edit;
  }
  void ShowAndFocus(TForm* form, TWinControl* control) {
    form->Show();
    EditsTest::Pump();
    control->SetFocus();
    EditsTest::Pump();
  }
  // A press of the edit's button with the mouse.
  void PressButton(TCustomComboEdit* edit) {
    auto* holder = edit->Button()->Parent();
    EditsTest::ClickAt(holder, edit->Button()->Width() / 2, edit->Button()->Height() / 2);
  }
};

}  // namespace

TEST_F(UiComboEdit, ButtonReadOnlyAndDirectInput) {
  TForm* form = NewForm();
  auto* edit = Place<TCustomNumEdit>(form, 20);
  int clicks = 0;
  edit->OnButtonClick = [&](TObject*) { ++clicks; };
  ShowAndFocus(form, edit);
  EXPECT_EQ(edit->ButtonWidth(), 21);

  PressButton(edit);
  EditsTest::PressKey(VK_DOWN, TShiftState{ssAlt});
  EXPECT_EQ(clicks, 2);

  // Read-only: neither the button nor its key does anything.
  edit->SetReadOnly(true);
  edit->DoClick();
  EditsTest::PressKey(VK_DOWN, TShiftState{ssAlt});
  EXPECT_EQ(clicks, 2);
  edit->SetReadOnly(false);

  // Without direct input the button works while typing and pasting do not.
  edit->SetDirectInput(false);
  edit->SetValue(5);
  EditsTest::TypeText(u"9");
  Clipboard()->SetAsText(u"7");
  SendMessageW(edit->Handle(), WM_PASTE, 0, 0);
  EditsTest::Pump();
  EXPECT_EQ(U8(edit->EditText()), "5");
  EXPECT_FALSE(edit->ReadOnly());
  edit->DoClick();
  EXPECT_EQ(clicks, 3);
  edit->SetDirectInput(true);

  // A width not below the client width is ignored; 0 hides the button and
  // its key.
  edit->SetButtonWidth(500);
  EXPECT_EQ(edit->ButtonWidth(), 21);
  edit->SetButtonWidth(0);
  EXPECT_FALSE(edit->Button()->Parent()->Visible());
  EditsTest::PressKey(VK_DOWN, TShiftState{ssAlt});
  EXPECT_EQ(clicks, 3);

  // A height below the minimum is raised at once.
  edit->SetHeight(8);
  EXPECT_GT(edit->Height(), 8);
}

TEST_F(UiComboEdit, EnterAndEscReachTheFormsButtons) {
  TForm* form = NewForm();
  auto* edit = Place<TDateEdit>(form, 20);
  int defaults = 0, cancels = 0;
  auto* ok = new TButton(form);
  ok->SetParent(form);
  ok->SetBounds(20, 100, 75, 25);
  ok->SetDefault(true);
  ok->OnClick = [&](TObject*) { ++defaults; };
  auto* cancel = new TButton(form);
  cancel->SetParent(form);
  cancel->SetBounds(100, 100, 75, 25);
  cancel->SetCancel(true);
  cancel->OnClick = [&](TObject*) { ++cancels; };
  ShowAndFocus(form, edit);

  EditsTest::PressKey(VK_RETURN);
  EXPECT_EQ(defaults, 1);
  EditsTest::PressKey(VK_ESCAPE);
  EXPECT_EQ(cancels, 1);
  // The multi-line edit inside never takes the Enter as a line break.
  EXPECT_EQ(U8(edit->EditText()), "  /  /    ");
  // With the drop-down shown, Enter closes it and presses nothing.
  edit->DoClick();
  ASSERT_TRUE(edit->PopupVisible());
  EditsTest::PressKey(VK_RETURN);
  EXPECT_FALSE(edit->PopupVisible());
  EXPECT_EQ(defaults, 1);
  EXPECT_EQ(U8(edit->EditText()), "15/06/2026");
}

TEST_F(UiComboEdit, ButtonPressThatClosesTheDropDownDoesNotReopenIt) {
  TForm* form = NewForm();
  auto* edit = Place<TDateEdit>(form, 20);
  ShowAndFocus(form, edit);
  PressButton(edit);
  ASSERT_TRUE(edit->PopupVisible());
  auto* popup = dynamic_cast<TPopupCalendar*>(edit->Popup());
  popup->Calendar()->SetCalendarDate(EncodeDate(2026, 7, 2));
  PressButton(edit);
  EXPECT_FALSE(edit->PopupVisible());
  // The press accepts the shown date.
  EXPECT_EQ(U8(edit->EditText()), "02/07/2026");
  PressButton(edit);
  EXPECT_TRUE(edit->PopupVisible());

  // Losing the focus closes it without taking the date.
  popup->Calendar()->SetCalendarDate(EncodeDate(2026, 8, 3));
  auto* other = Place<TEdit>(form, 60);
  other->SetFocus();
  EditsTest::Pump();
  EXPECT_FALSE(edit->PopupVisible());
  EXPECT_EQ(GetFocus(), other->Handle());
  EXPECT_EQ(U8(edit->EditText()), "02/07/2026");
}

TEST_F(UiComboEdit, DropDownOpensAboveNearTheScreenBottom) {
  TForm* form = NewForm();
  form->SetTop(GetSystemMetrics(SM_CYSCREEN) - 120);
  auto* edit = Place<TDateEdit>(form, 20);
  ShowAndFocus(form, edit);
  edit->DoClick();
  ASSERT_TRUE(edit->PopupVisible());
  RECT er{}, pr{};
  GetWindowRect(edit->Handle(), &er);
  GetWindowRect(edit->Popup()->Handle(), &pr);
  EXPECT_EQ(pr.bottom, er.top);
  EXPECT_EQ(pr.right, er.right);
}

TEST_F(UiComboEdit, CalendarHintsKeepFourLines) {
  TForm* form = NewForm();
  auto* edit = Place<TDateEdit>(form, 20);
  TStringList hints;
  for (const char16_t* h : {u"Ano anterior", u"", u"Próximo mês", u"Próximo ano", u"extra"})
    hints.Add(h);
  edit->SetCalendarHints(&hints);
  EXPECT_EQ(edit->CalendarHints()->Count(), 4);
  auto* popup = dynamic_cast<TPopupCalendar*>(edit->Popup());
  EXPECT_EQ(U8(popup->NavButton(nbPrevYear)->Hint()), "Ano anterior");
  EXPECT_EQ(U8(popup->NavButton(nbPrevMonth)->Hint()), "Previous Month");  // kept
  EXPECT_EQ(U8(popup->NavButton(nbNextYear)->Hint()), "Próximo ano");
}

TEST_F(UiComboEdit, DropDownNavigationFollowsTheLimits) {
  TForm* form = NewForm();
  auto* edit = Place<TDateEdit>(form, 20);
  edit->SetMinDate(EncodeDate(2026, 3, 10));
  ShowAndFocus(form, edit);
  edit->SetDate(EncodeDate(2026, 3, 20));
  edit->DoClick();
  auto* popup = dynamic_cast<TPopupCalendar*>(edit->Popup());
  EXPECT_FALSE(popup->NavButton(nbPrevYear)->Enabled());
  EXPECT_FALSE(popup->NavButton(nbPrevMonth)->Enabled());
  EditsTest::PressKey(VK_NEXT);
  EXPECT_TRUE(popup->NavButton(nbPrevMonth)->Enabled());
  EXPECT_FALSE(popup->NavButton(nbPrevYear)->Enabled());
  // Left from the lowest day stays on it.
  EditsTest::PressKey(VK_PRIOR);
  popup->Calendar()->SetCalendarDate(EncodeDate(2026, 3, 10));
  EditsTest::PressKey(VK_LEFT);
  EXPECT_EQ(popup->Calendar()->CalendarDate(), EncodeDate(2026, 3, 10));
  // A double click on the title goes to today.
  popup->TitleLabel()->OnDblClick(popup->TitleLabel());
  EXPECT_EQ(popup->Calendar()->CalendarDate(), EncodeDate(2026, 6, 15));
  EditsTest::TypeText(u"t");
  EXPECT_TRUE(edit->PopupVisible());
}
