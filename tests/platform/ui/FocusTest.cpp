#include "UiTestSupport.h"
#include "platform/ui/StdCtrls.h"
#include <vector>

namespace {
// A form whose Enter key moves to the next control, as the forms of the
// application do in their OnKeyPress.
struct TEnterForm {
  TForm* Form;
  std::vector<TEdit*> Edits;
  std::vector<String> Trace;

  explicit TEnterForm(int count) {
    Form = new TForm(Application);
    Form->SetBounds(50, 50, 300, 60 + 30 * count);
    Form->SetKeyPreview(true);
    Form->OnKeyPress = [this](TObject*, char16_t& key) {
      if (key == u'\r') {
        Form->SelectNext(Form->ActiveControl(), true, true);
        key = 0;
      }
    };
    for (int i = 0; i < count; ++i) {
      auto* edit = new TEdit(Form);
      edit->SetName(u"Edit" + AsciiToString(std::to_string(i + 1)));
      edit->SetParent(Form);
      edit->SetBounds(10, 10 + 30 * i, 150, 21);
      edit->OnEnter = [this, edit](TObject*) { Trace.push_back(u"enter " + edit->Name()); };
      edit->OnExit = [this, edit](TObject*) { Trace.push_back(u"exit " + edit->Name()); };
      Edits.push_back(edit);
    }
  }
};
}  // namespace

TEST_F(UiFixture, EnterInFormKeyPressMovesToNextControlInTabOrder) {
  TEnterForm f(3);
  // Tab order differs from creation order: Edit3 comes second.
  f.Edits[2]->SetTabOrder(1);
  f.Form->Show();
  UiTest::Pump();
  ASSERT_EQ(f.Form->ActiveControl(), f.Edits[0]);
  EXPECT_EQ(GetFocus(), f.Edits[0]->Handle());

  UiTest::PressKey(VK_RETURN);
  EXPECT_EQ(f.Form->ActiveControl(), f.Edits[2]);
  EXPECT_EQ(GetFocus(), f.Edits[2]->Handle());
  // The swallowed Enter leaves no character behind.
  EXPECT_EQ(f.Edits[0]->Text(), u"");

  UiTest::PressKey(VK_TAB);
  EXPECT_EQ(f.Form->ActiveControl(), f.Edits[1]);
  UiTest::PressKey(VK_TAB, TShiftState{ssShift});
  EXPECT_EQ(f.Form->ActiveControl(), f.Edits[2]);

  // Posting the next-dialog-control message does the same as Enter.
  PostMessageW(f.Form->Handle(), WM_NEXTDLGCTL, 0, 0);
  UiTest::Pump();
  EXPECT_EQ(f.Form->ActiveControl(), f.Edits[1]);

  std::vector<String> expected{u"enter Edit1", u"exit Edit1", u"enter Edit3", u"exit Edit3",
                               u"enter Edit2", u"exit Edit2", u"enter Edit3", u"exit Edit3", u"enter Edit2"};
  EXPECT_EQ(f.Trace, expected);
}

TEST_F(UiFixture, DisabledAndHiddenControlsAreSkippedAndCannotBeFocused) {
  TEnterForm f(3);
  f.Edits[1]->SetEnabled(false);
  f.Form->Show();
  UiTest::Pump();
  UiTest::PressKey(VK_RETURN);
  EXPECT_EQ(f.Form->ActiveControl(), f.Edits[2]);
  EXPECT_THROW(f.Edits[1]->SetFocus(), EInvalidOperation);
  f.Edits[0]->SetVisible(false);
  UiTest::PressKey(VK_RETURN);
  // Wraps around past the hidden and the disabled edit.
  EXPECT_EQ(f.Form->ActiveControl(), f.Edits[2]);
}

TEST_F(UiFixture, FocusMovedFromOnExitWins) {
  TEnterForm f(3);
  f.Edits[0]->OnExit = [&](TObject*) { f.Edits[2]->SetFocus(); };
  f.Form->Show();
  UiTest::Pump();
  f.Edits[1]->SetFocus();
  UiTest::Pump();
  EXPECT_EQ(f.Form->ActiveControl(), f.Edits[2]);
  EXPECT_EQ(GetFocus(), f.Edits[2]->Handle());
}
