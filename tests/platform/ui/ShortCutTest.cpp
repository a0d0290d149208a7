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

TEST_F(UiFixture, PopupMenuRunsTheChosenItemAfterItCloses) {
  auto* form = new TForm(Application);
  auto* popup = new TPopupMenu(form);
  popup->SetOwnerDraw(true);
  int printed = 0, deleted = 0, drawn = 0;
  TMenuItem* print = NewItem(form, popup->Items(), u"&Imprimir Cupom", u"", &printed);
  NewItem(form, popup->Items(), u"&Excluir Recebimento", u"", &deleted);
  print->OnDrawItem = [&](TObject*, TCanvas* canvas, TRect rect, bool) {
    ++drawn;
    canvas->FillRect(rect);
  };
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  edit->SetPopupMenu(popup);
  form->Show();
  UiTest::Pump();
  // The menu's own loop reads the keys waiting in the queue: Down, Enter.
  HWND focus = GetFocus();
  PostMessageW(focus, WM_KEYDOWN, VK_DOWN, 1);
  PostMessageW(focus, WM_KEYDOWN, VK_RETURN, 1);
  // The context-menu key opens the control's pop-up at the control.
  edit->Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit->Handle()), MAKELPARAM(0xFFFF, 0xFFFF));
  UiTest::Pump();
  EXPECT_EQ(popup->PopupComponent(), edit);
  EXPECT_EQ(printed + deleted, 1);
  EXPECT_GE(drawn, 1);
}

TEST_F(UiFixture, OwnerDrawnItemsMeasureAndDrawThemselves) {
  auto* form = new TForm(Application);
  auto* popup = new TPopupMenu(form);
  popup->SetOwnerDraw(true);
  TMenuItem* item = NewItem(form, popup->Items(), u"&Excluir Recebimento", u"Ctrl+E", nullptr);
  TMenuItem* line = NewItem(form, popup->Items(), u"-", u"", nullptr);
  MEASUREITEMSTRUCT mis{};
  mis.CtlType = ODT_MENU;
  mis.itemData = reinterpret_cast<ULONG_PTR>(item);
  ASSERT_TRUE(MenuMeasureItem(&mis));
  EXPECT_GT(mis.itemWidth, 100u);
  EXPECT_GT(mis.itemHeight, 10u);
  mis.itemData = reinterpret_cast<ULONG_PTR>(line);
  ASSERT_TRUE(MenuMeasureItem(&mis));
  EXPECT_LT(mis.itemHeight, 10u);
  // Drawing the default way puts the caption on the item's face.
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf32bit);
  bitmap.SetSize(200, 20);
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_MENU;
  dis.itemData = reinterpret_cast<ULONG_PTR>(item);
  dis.hDC = bitmap.Canvas()->Handle();
  dis.rcItem = RECT{0, 0, 200, 20};
  dis.itemState = ODS_SELECTED;
  ASSERT_TRUE(MenuDrawItem(&dis));
  int highlight = 0, other = 0;
  TColor face = ColorToRGB(clHighlight) & 0xFFFFFF;
  for (int x = 0; x < 200; ++x)
    ((bitmap.Canvas()->Pixels(x, 10) & 0xFFFFFF) == face ? highlight : other)++;
  EXPECT_GT(highlight, 100);
  EXPECT_GT(other, 0);
  // A freed item is no longer drawn.
  delete item;
  EXPECT_FALSE(MenuDrawItem(&dis));
}

TEST_F(UiFixture, MenuItemsAppearInTheSystemMenuWithTheirStateAndHints) {
  auto* form = new TForm(Application);
  auto* menu = new TMainMenu(form);
  TMenuItem* options = NewItem(form, menu->Items(), u"&Opções", u"", nullptr);
  TMenuItem* open = NewItem(form, options, u"&Abrir Movimento", u"Ctrl+A", nullptr);
  open->SetHint(u"Abrir|Abre o movimento selecionado no formulário");
  NewItem(form, options, u"-", u"", nullptr);
  TMenuItem* config = NewItem(form, options, u"Configura&r", u"", nullptr);
  form->SetMenu(menu);
  form->Show();
  UiTest::Pump();
  HMENU sub = GetSubMenu(GetMenu(form->Handle()), 0);
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(GetMenuItemCount(sub), 3);
  char16_t text[64] = {};
  GetMenuStringW(sub, 0, reinterpret_cast<LPWSTR>(text), 64, MF_BYPOSITION);
  EXPECT_EQ(String(text), u"&Abrir Movimento\tCtrl+A");
  EXPECT_TRUE(GetMenuState(sub, 1, MF_BYPOSITION) & MF_SEPARATOR);
  config->SetEnabled(false);
  config->SetChecked(true);
  UINT state = GetMenuState(sub, 2, MF_BYPOSITION);
  EXPECT_TRUE(state & MF_GRAYED);
  EXPECT_TRUE(state & MF_CHECKED);
  config->SetVisible(false);
  EXPECT_EQ(GetMenuItemCount(sub), 2);
  config->SetVisible(true);
  EXPECT_EQ(GetMenuItemCount(sub), 3);
  // Moving over an item puts its long hint in Application->Hint.
  SendMessageW(form->Handle(), WM_MENUSELECT, MAKEWPARAM(open->Command(), MF_STRING),
               reinterpret_cast<LPARAM>(sub));
  EXPECT_EQ(Application->Hint(), u"Abre o movimento selecionado no formulário");
  EXPECT_EQ(options->Find(u"configurar"), config);
}
