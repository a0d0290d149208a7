#include "UiTestSupport.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"

TEST(ShortCut, TextAndKeysConvertBothWays) {
  struct Case {
    const char16_t* Text;
    TShortCut ShortCut;
  } cases[] = {
      {u"Ctrl+N", ::ShortCut('N', TShiftState{ssCtrl})},
      {u"F2", ::ShortCut(VK_F2, TShiftState())},
      {u"F12", VK_F12},
      {u"Shift+Ctrl+Del", ::ShortCut(VK_DELETE, TShiftState{ssShift, ssCtrl})},
      {u"Alt+Enter", static_cast<TShortCut>(scAlt | VK_RETURN)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ShortCutToText(c.ShortCut), c.Text);
    EXPECT_EQ(TextToShortCut(c.Text), c.ShortCut);
  }
  EXPECT_EQ(TextToShortCut(u"ctrl+n"), ::ShortCut('N', TShiftState{ssCtrl}));
  EXPECT_EQ(TextToShortCut(u"Ctrl+"), scNone);
  EXPECT_EQ(TextToShortCut(u"Bogus"), scNone);
}

namespace {
TMenuItem* NewItem(TComponent* owner, TMenuItem* parent, const String& caption, const String& shortcut,
                   int* counter) {
  auto* item = new TMenuItem(owner);
  item->SetCaption(caption);
  if (!shortcut.empty()) item->SetShortCut(TextToShortCut(shortcut));
  if (counter) item->OnClick = [counter](TObject*) { ++*counter; };
  parent->Add(item);
  return item;
}
}  // namespace

TEST_F(UiFixture, MenuShortcutsRunFromTheFormsKeysAndSkipDisabledItems) {
  auto* form = new TForm(Application);
  auto* menu = new TMainMenu(form);
  int novo = 0, gravar = 0, calc = 0, keysSeen = 0;
  TMenuItem* options = NewItem(form, menu->Items(), u"&Opções", u"", nullptr);
  NewItem(form, options, u"&Novo Recebimento", u"Ctrl+N", &novo);
  TMenuItem* save = NewItem(form, options, u"&Gravar Recebimento", u"Ctrl+G", &gravar);
  NewItem(form, options, u"-", u"", nullptr);
  NewItem(form, options, u"Calculadora", u"F2", &calc);
  form->SetMenu(menu);
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  edit->OnKeyDown = [&](TObject*, WORD&, TShiftState) { ++keysSeen; };
  form->Show();
  UiTest::Pump();
  ASSERT_EQ(GetFocus(), edit->Handle());
  EXPECT_EQ(GetMenuItemCount(GetMenu(form->Handle())), 1);

  UiTest::PressKey('N', TShiftState{ssCtrl});
  UiTest::PressKey(VK_F2);
  EXPECT_EQ(novo, 1);
  EXPECT_EQ(calc, 1);
  EXPECT_EQ(keysSeen, 0);  // a shortcut never reaches the control
  EXPECT_EQ(edit->Text(), u"");

  save->SetEnabled(false);
  UiTest::PressKey('G', TShiftState{ssCtrl});
  EXPECT_EQ(gravar, 0);
  EXPECT_EQ(keysSeen, 1);  // a disabled item's key goes on to the control
  save->SetEnabled(true);
  UiTest::PressKey('G', TShiftState{ssCtrl});
  EXPECT_EQ(gravar, 1);

  // The menu's own command message runs the item as a click would.
  PostMessageW(form->Handle(), WM_COMMAND, options->Items(0)->Command(), 0);
  UiTest::Pump();
  EXPECT_EQ(novo, 2);
}
