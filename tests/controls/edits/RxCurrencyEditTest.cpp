#include "EditsTestSupport.h"

#include "controls/RxCurrEdit.h"
#include "platform/ui/Clipbrd.h"
#include "platform/ui/StdCtrls.h"

namespace {

std::string U8(const String& s) { return StringToUtf8(s); }

// The receipt form's amount received: a currency edit showing ",0.00",
// with the change recomputed on every OnChange.
class UiCurrencyEdit : public EditsFixture {
protected:
  void Build() {
    Form = NewForm(300, 160);
    Edit = new TCurrencyEdit(Form);
    Edit->SetParent(Form);
    Edit->SetBounds(20, 20, 121, 21);
    Edit->SetDisplayFormat(u",0.00");
    Edit->OnChange = [this](TObject*) { ++Changes; };
    Edit->OnEnter = [this](TObject*) { ++Enters; };
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
  // Focuses the edit, empties it and types the keys.
  void TypeFresh(const String& keys) {
    Edit->SetFocus();
    Edit->SetValue(0);
    Edit->SelectAll();
    EditsTest::TypeText(keys);
  }
  void Leave() {
    Other->SetFocus();
    EditsTest::Pump();
  }

  TForm* Form = nullptr;
  TCurrencyEdit* Edit = nullptr;
  TEdit* Other = nullptr;
  int Changes = 0;
  int Enters = 0;
  int Exits = 0;
};

struct Case {
  const char16_t* Keys;
  double Min, Max;
  const char* Typed;    // the edit text after typing
  double Value;         // after leaving the control
  const char* Display;  // painted while not edited
};

}  // namespace

TEST_F(UiCurrencyEdit, TypedKeysGiveValueAndDisplayText) {
  Build();
  const Case cases[] = {
      {u"1234,5", 0, 0, "1234,5", 1234.5, "1.234,50"},
      {u"1.5", 0, 0, "1,5", 1.5, "1,50"},        // '.' is the decimal point: not 15,00
      {u"12.50", 0, 0, "12,50", 12.5, "12,50"},
      {u"1,5.5", 0, 0, "1,55", 1.55, "1,55"},    // a second separator is refused
      {u"1,555", 0, 0, "1,55", 1.55, "1,55"},    // a third decimal is refused
      {u",5", 0, 0, ",5", 0.5, "0,50"},
      {u"-12,3", 0, 0, "-12,3", -12.3, "-12,30"},
      {u"150", 0, 100, "150", 100, "100,00"},    // clamped when left
      {u"-5", 0, 100, "-", 0, "0,00"},           // no negative amount in range
      {u"12a,b3", 0, 0, "12,3", 12.3, "12,30"},
      {u"", 0, 0, "", 0, "0,00"},
  };
  for (const Case& c : cases) {
    Edit->SetMinValue(c.Min);
    Edit->SetMaxValue(c.Max);
    TypeFresh(c.Keys);
    EXPECT_EQ(U8(Edit->EditText()), c.Typed) << U8(c.Keys);
    Leave();
    EXPECT_DOUBLE_EQ(Edit->Value(), c.Value) << U8(c.Keys);
    EXPECT_EQ(U8(Edit->DisplayText()), c.Display) << U8(c.Keys);
  }
}

TEST_F(UiCurrencyEdit, PastedTextsAreReadAsAmounts) {
  Build();
  struct Paste {
    const char16_t* Clipboard;
    const char* Text;  // the edit text after the paste
    double Value;
  };
  const Paste cases[] = {
      {u"1.234,56", "1234,56", 1234.56},
      {u" 1.5 ", "1,5", 1.5},
      {u"12.50", "12,50", 12.5},
      {u"-7", "-7", -7},
      {u"R$ 5", "3", 3},      // refused: the text before stays
      {u"1.2.3", "3", 3},
  };
  for (const Paste& p : cases) {
    Edit->SetFocus();
    Edit->SetValue(3);
    Edit->SelectAll();
    Clipboard()->SetAsText(p.Clipboard);
    SendMessageW(Edit->Handle(), WM_PASTE, 0, 0);
    EditsTest::Pump();
    EXPECT_EQ(U8(Edit->EditText()), p.Text) << U8(p.Clipboard);
    EXPECT_DOUBLE_EQ(Edit->Value(), p.Value) << U8(p.Clipboard);
  }
}

TEST_F(UiCurrencyEdit, ValueTextAndEvents) {
  Build();
  // Setting the value from code raises OnChange (the change due is
  // recomputed from it); entering and leaving do not.
  Edit->SetValue(123.45);
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(U8(Edit->EditText()), "123,45");
  Leave();
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Exits, 1);
  EXPECT_EQ(U8(Edit->DisplayText()), "123,45");
  Edit->SetFocus();
  EditsTest::Pump();
  EXPECT_EQ(Changes, 1);

  Edit->SetText(u"  1.234,56  ");
  EXPECT_DOUBLE_EQ(Edit->Value(), 1234.56);
  Edit->SetText(u"1.5");
  EXPECT_DOUBLE_EQ(Edit->Value(), 1.5);
  Edit->SetText(u"-");
  EXPECT_EQ(Edit->Value(), 0);
  EXPECT_THROW(Edit->SetText(u"abc"), EConvertError);
  EXPECT_EQ(Edit->Value(), 0);
  Edit->SetText(String());
  EXPECT_EQ(Edit->Value(), 0);
  EXPECT_EQ(U8(Edit->EditText()), "");

  // The default currency edit shows the locale's currency format.
  auto* plain = new TCurrencyEdit(Form);
  plain->SetParent(Form);
  plain->SetValue(-1234.5);
  EXPECT_EQ(U8(plain->DisplayText()), "-R$ 1.234,50");
  EXPECT_EQ(plain->ButtonWidth(), 0);
}

TEST_F(UiCurrencyEdit, CheckOnExitKeepsTheFocusWithARangeError) {
  Build();
  Edit->SetMinValue(0);
  Edit->SetMaxValue(100);
  Edit->SetCheckOnExit(true);
  TypeFresh(u"150");
  UiTestSeam::QueueMessageBoxAnswer(IDOK);
  Leave();
  ASSERT_EQ(UiTestSeam::MessageBoxLog().size(), 1u);
  EXPECT_EQ(U8(UiTestSeam::MessageBoxLog()[0].Text), "Value must be between 0,00 and 100,00.");
  EXPECT_EQ(GetFocus(), Edit->Handle());
  EXPECT_EQ(U8(Edit->EditText()), "150");
}

TEST_F(UiCurrencyEdit, PortEditWithoutDecimals) {
  Build();
  // The configuration editor's port: no decimals, format "0", read as text.
  Edit->SetDecimalPlaces(0);
  Edit->SetDisplayFormat(u"0");
  Edit->SetText(u"3306");
  EXPECT_EQ(U8(Edit->Text()), "3306");
  EXPECT_EQ(Edit->AsInteger(), 3306);
  TypeFresh(u"33,7");
  EXPECT_EQ(U8(Edit->EditText()), "33,");
  Leave();
  EXPECT_EQ(Edit->AsInteger(), 33);
  EXPECT_EQ(U8(Edit->DisplayText()), "33");
}

TEST_F(UiCurrencyEdit, FormatOnEditingGroupsThousands) {
  Build();
  Edit->SetFormatOnEditing(true);
  TypeFresh(u"1234567,8");
  EXPECT_EQ(U8(Edit->EditText()), "1.234.567,8");
  Leave();
  EXPECT_DOUBLE_EQ(Edit->Value(), 1234567.8);
}

TEST_F(UiCurrencyEdit, Screenshot) {
  Build();
  Edit->SetValue(1234.5);
  auto* summary = new TCurrencyEdit(Form);
  summary->SetParent(Form);
  summary->SetBounds(160, 20, 121, 21);
  summary->SetDisplayFormat(u"#,###,##0.00");
  summary->SetReadOnly(true);
  summary->SetValue(98765.432);
  auto* count = new TCurrencyEdit(Form);
  count->SetParent(Form);
  count->SetBounds(160, 60, 121, 21);
  count->SetDisplayFormat(u"0");
  count->SetValue(42);
  auto* plain = new TCurrencyEdit(Form);
  plain->SetParent(Form);
  plain->SetBounds(160, 100, 121, 21);
  plain->SetValue(-5);
  Leave();
  EXPECT_EQ(U8(summary->DisplayText()), "98.765,43");
  EditsTest::Screenshot(Form->Handle(), "currency_edits");
}
