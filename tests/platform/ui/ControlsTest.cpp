#include "UiTestSupport.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Shell.h"

TEST_F(UiFixture, ComboBoxItemsTextAndEvents) {
  auto* form = new TForm(Application);
  auto* combo = new TComboBox(form);
  // Items given before the window exists go into it when it is made.
  combo->Items()->Add(u"Funcional");
  combo->Items()->Add(u"Gerencial");
  combo->SetParent(form);
  form->Show();
  UiTest::Pump();
  EXPECT_EQ(combo->Items()->Count(), 2);
  EXPECT_EQ(combo->ItemIndex(), -1);
  int changes = 0, drops = 0;
  combo->OnChange = [&](TObject*) { ++changes; };
  combo->OnDropDown = [&](TObject*) { ++drops; };
  combo->SetItemIndex(1);
  EXPECT_EQ(combo->Text(), u"Gerencial");
  combo->SetText(u"Outro");
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Text(), u"Outro");
  // Typing in the edit part raises OnChange.
  combo->SetFocus();
  UiTest::Pump();
  UiTest::TypeText(u"x");
  EXPECT_GE(changes, 1);
  combo->SetDroppedDown(true);
  UiTest::Pump();
  combo->SetDroppedDown(false);
  EXPECT_EQ(drops, 1);
  // A drop-down list takes only its items as text.
  combo->SetStyle(csDropDownList);
  combo->SetText(u"Funcional");
  EXPECT_EQ(combo->ItemIndex(), 0);
  combo->SetText(u"nada");
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Items()->Count(), 2);
}

TEST_F(UiFixture, ButtonStatesRaiseOnClickFromCode) {
  auto* form = new TForm(Application);
  auto* check = new TCheckBox(form);
  check->SetParent(form);
  int checkClicks = 0;
  check->OnClick = [&](TObject*) { ++checkClicks; };
  check->SetChecked(true);
  check->SetChecked(true);
  EXPECT_EQ(checkClicks, 1);
  auto* group = new TRadioGroup(form);
  group->SetParent(form);
  group->SetColumns(2);
  group->Items()->Add(u"Dinheiro");
  group->Items()->Add(u"Cheque");
  int groupClicks = 0;
  group->OnClick = [&](TObject*) { ++groupClicks; };
  group->SetItemIndex(0);
  form->Show();
  UiTest::Pump();
  EXPECT_EQ(groupClicks, 1);
  EXPECT_TRUE(group->Buttons(0)->Checked());
  // Clicking the other button moves the choice.
  SendMessageW(group->Buttons(1)->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(group->ItemIndex(), 1);
  EXPECT_FALSE(group->Buttons(0)->Checked());
  EXPECT_EQ(groupClicks, 2);
  EXPECT_EQ(SendMessageW(check->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  SendMessageW(check->Handle(), BM_CLICK, 0, 0);
  EXPECT_FALSE(check->Checked());
  EXPECT_EQ(checkClicks, 2);
}

TEST_F(UiFixture, MemoLinesAreTheLinesOfItsText) {
  auto* form = new TForm(Application);
  auto* memo = new TMemo(form);
  memo->SetParent(form);
  memo->Lines()->Add(u"Recebimento(s) em 05/03/2024:");
  memo->Lines()->Add(u"R$ 10,00");
  EXPECT_EQ(memo->Lines()->Count(), 2);
  form->Show();
  UiTest::Pump();
  EXPECT_EQ(memo->Text(), u"Recebimento(s) em 05/03/2024:\r\nR$ 10,00");
  memo->Lines()->Insert(0, u"Primeira");
  memo->Lines()->Delete(2);
  EXPECT_EQ(memo->Lines()->Strings(1), u"Recebimento(s) em 05/03/2024:");
  EXPECT_EQ(memo->Lines()->Count(), 2);
  memo->Lines()->Clear();
  EXPECT_EQ(memo->Text(), u"");
  EXPECT_EQ(memo->Lines()->Count(), 0);

  // With a window, lines change in place: repeated neighbours, line breaks
  // at the seams, and OnChange for each change.
  int changes = 0;
  memo->OnChange = [&](TObject*) { ++changes; };
  memo->Lines()->Add(u"a");
  memo->Lines()->Add(u"a");
  memo->Lines()->Insert(1, u"a");
  EXPECT_EQ(memo->Text(), u"a\r\na\r\na");
  memo->Lines()->Insert(0, u"");
  EXPECT_EQ(memo->Text(), u"\r\na\r\na\r\na");
  memo->Lines()->SetStrings(2, u"b\r\nc");
  EXPECT_EQ(memo->Text(), u"\r\na\r\nb\r\nc\r\na");
  memo->Lines()->Delete(0);
  EXPECT_EQ(memo->Text(), u"a\r\nb\r\nc\r\na");
  memo->Lines()->SetStrings(0, u"a");  // no change: no event
  EXPECT_EQ(changes, 6);
  EXPECT_FALSE(memo->Modified());

  // An empty line is one line, last or not, and a last break adds none.
  memo->Lines()->Clear();
  memo->Lines()->Add(u"");
  EXPECT_EQ(memo->Lines()->Count(), 1);
  memo->Lines()->Add(u"x");
  memo->Lines()->Add(u"");
  EXPECT_EQ(memo->Lines()->Count(), 3);
  EXPECT_EQ(memo->Lines()->Strings(2), u"");
  memo->SetText(u"x\r\n");
  EXPECT_EQ(memo->Lines()->Count(), 1);
  memo->Lines()->Delete(0);
  EXPECT_EQ(memo->Text(), u"");
}

TEST(Shell, VersionBlocksAndStartingPrograms) {
  std::array<WORD, 4> parts{};
  // A system library has a version block; the test program has none.
  EXPECT_TRUE(GetFileVersion(u"C:\\windows\\system32\\kernel32.dll", parts));
  EXPECT_GT(parts[0], 0);
  EXPECT_EQ(ExecutableVersionText(), u"");
  EXPECT_FALSE(RunProgram(u"nao-existe-programa.exe"));
  EXPECT_TRUE(RunProgram(u"cmd.exe /c exit 0", SW_HIDE));
}
