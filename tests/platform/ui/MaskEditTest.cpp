#include "UiTestSupport.h"
#include "platform/ui/Mask.h"

namespace {
struct TMaskCase {
  const char16_t* Mask;
  const char16_t* Typed;
  const char16_t* EditText;
  const char16_t* Text;
};

TMaskEdit* NewMaskEdit(TForm* form, const String& mask) {
  auto* edit = new TMaskEdit(form);
  edit->SetParent(form);
  edit->SetWidth(380);
  edit->SetEditMask(mask);
  return edit;
}
}  // namespace

TEST_F(UiFixture, TypingIntoMaskedEditsFollowsTheMask) {
  const TMaskCase cases[] = {
      {u"!99999-999;0;_", u"01310100", u"01310-100", u"01310100"},
      {u"!99.999-999;0;_", u"01310100", u"01.310-100", u"01310100"},
      {u"!(99)9999-9999;0;_", u"1133224455", u"(11)3322-4455", u"1133224455"},
      {u"!99.999.999/9999-99;0;_", u"11222333000181", u"11.222.333/0001-81", u"11222333000181"},
      {u"!99/99/9999;1;_", u"05032024", u"05/03/2024", u"05/03/2024"},
      {u"!99/99/9999;1;_", u"0503", u"05/03/____", u"05/03/    "},
      {u"!99:99:99;0;_", u"123456", u"12:34:56", u"123456"},
      {u"!99999999999-9 99999999999-9 99999999999-9 99999999999-9;0;_",
       u"826100000015234501230002012345678903123000000000",
       u"82610000001-5 23450123000-2 01234567890-3 12300000000-0",
       u"826100000015234501230002012345678903123000000000"},
  };
  auto* form = new TForm(Application);
  form->SetBounds(0, 0, 420, 100);
  form->Show();
  for (const TMaskCase& c : cases) {
    SCOPED_TRACE(StringToUtf8(c.Mask));
    TMaskEdit* edit = NewMaskEdit(form, c.Mask);
    edit->SetFocus();
    UiTest::Pump();
    UiTest::TypeText(c.Typed);
    EXPECT_EQ(edit->EditText(), c.EditText);
    EXPECT_EQ(edit->Text(), c.Text);
    // Shown through FormatMaskText, the field text gives the edit text
    // back, with spaces for blanks.
    String expected = c.EditText;
    for (char16_t& ch : expected)
      if (ch == u'_') ch = u' ';
    EXPECT_EQ(FormatMaskText(c.Mask, edit->Text()), expected);
    delete edit;
  }
}

TEST_F(UiFixture, MaskedEditRefusesCharactersTheMaskDoesNotTake) {
  auto* form = new TForm(Application);
  form->Show();
  TMaskEdit* edit = NewMaskEdit(form, u"!99/99/9999;1;_");
  edit->SetFocus();
  UiTest::Pump();
  EXPECT_EQ(edit->EditText(), u"__/__/____");
  EXPECT_EQ(edit->Text(), u"  /  /    ");
  // The letter is refused; the separator skips to the next field.
  UiTest::TypeText(u"1a/2");
  EXPECT_EQ(edit->EditText(), u"1_/2_/____");
  UiTest::PressKey(VK_BACK);
  EXPECT_EQ(edit->EditText(), u"1_/__/____");
  EXPECT_EQ(edit->Text(), u"1 /  /    ");
}

TEST_F(UiFixture, MaskedTextSetFromCodeAndMaskChangedAtRunTime) {
  auto* form = new TForm(Application);
  form->Show();
  TMaskEdit* edit = NewMaskEdit(form, u"!99/99/9999;1;_");
  edit->SetText(u"05/03/2024");
  EXPECT_EQ(edit->EditText(), u"05/03/2024");
  // Taking the mask away keeps what was typed, without the literals.
  edit->SetEditMask(u"");
  EXPECT_FALSE(edit->IsMasked());
  EXPECT_EQ(edit->Text(), u"05032024");
  edit->SetText(u"2024-03-05");
  EXPECT_EQ(edit->Text(), u"2024-03-05");
  // A CEP value without literals goes into its places.
  edit->SetEditMask(u"!99999-999;0;_");
  edit->SetText(u"01310100");
  EXPECT_EQ(edit->EditText(), u"01310-100");
  EXPECT_EQ(edit->Text(), u"01310100");
}

TEST_F(UiFixture, ValidateEditRefusesMissingRequiredCharacters) {
  auto* form = new TForm(Application);
  form->Show();
  TMaskEdit* edit = NewMaskEdit(form, u"00000-000;0;_");
  edit->SetFocus();
  UiTest::Pump();
  UiTest::TypeText(u"0131");
  EXPECT_THROW(edit->ValidateEdit(), EDBEditError);
  UiTest::TypeText(u"0100");
  EXPECT_NO_THROW(edit->ValidateEdit());
  EXPECT_EQ(edit->Text(), u"01310100");
}
