#include "UiTestSupport.h"

namespace {
class TTestPanel : public TCustomControl {
public:
  using TCustomControl::TCustomControl;
};
}  // namespace

TEST_F(UiFixture, FormWithChildrenCreatesAndFreesItsWindows) {
  int before = UiTest::ThreadWindowCount();
  auto* form = new TForm(Application);
  form->SetCaption(u"Janela");
  form->SetBounds(100, 100, 400, 300);
  auto* panel = new TTestPanel(form);
  panel->SetParent(form);
  panel->SetBounds(10, 10, 200, 100);
  auto* inner = new TTestPanel(form);
  inner->SetParent(panel);
  inner->SetBounds(5, 5, 50, 50);
  form->Show();
  UiTest::Pump();
  HWND formWindow = form->Handle(), panelWindow = panel->Handle(), innerWindow = inner->Handle();
  EXPECT_TRUE(IsWindowVisible(formWindow));
  EXPECT_EQ(GetParent(innerWindow), panelWindow);
  EXPECT_EQ(GetParent(panelWindow), formWindow);
  EXPECT_GT(UiTest::ThreadWindowCount(), before);
  form->Free();
  UiTest::Pump();
  EXPECT_FALSE(IsWindow(formWindow));
  EXPECT_FALSE(IsWindow(panelWindow));
  EXPECT_FALSE(IsWindow(innerWindow));
  EXPECT_EQ(UiTest::ThreadWindowCount(), before);
  EXPECT_EQ(Screen->FormCount(), 0);
}

#include "platform/ui/Buttons.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Mask.h"
#include "platform/ui/Menus.h"

TEST_F(UiFixture, FreeingAFormFreesTheWindowsOfEveryKindOfControl) {
  UiTest::Pump();
  int before = UiTest::ThreadWindowCount();
  for (int round = 0; round < 3; ++round) {
    auto* form = new TForm(Application);
    auto* menu = new TMainMenu(form);
    auto* item = new TMenuItem(form);
    item->SetCaption(u"&Opções");
    menu->Items()->Add(item);
    form->SetMenu(menu);
    auto* popup = new TPopupMenu(form);
    form->SetPopupMenu(popup);
    auto* timer = new TTimer(form);
    timer->SetInterval(50);
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    auto* combo = new TComboBox(form);
    combo->SetParent(panel);
    combo->Items()->Add(u"Item");
    auto* masked = new TMaskEdit(form);
    masked->SetParent(panel);
    masked->SetEditMask(u"!99/99/9999;1;_");
    auto* group = new TRadioGroup(form);
    group->SetParent(form);
    group->Items()->Add(u"Dinheiro");
    group->Items()->Add(u"Cheque");
    auto* status = new TStatusBar(form);
    status->SetParent(form);
    status->SetAutoHint(true);
    auto* button = new TBitBtn(form);
    button->SetParent(form);
    button->SetKind(bkOK);
    auto* labeled = new TLabeledEdit(form);
    labeled->SetParent(form);
    form->Show();
    UiTest::Pump(60);
    HWND comboWindow = combo->Handle();
    form->Free();
    UiTest::Pump();
    EXPECT_FALSE(IsWindow(comboWindow));
    EXPECT_EQ(UiTest::ThreadWindowCount(), before);
  }
  // Nothing keeps a reference to the freed status bar.
  Application->SetHint(u"depois");
}

// The library finds the control behind a window without asking the window
// server; only its own live windows answer, whatever a window's user data
// holds.
TEST_F(UiFixture, FindControlAnswersForTheLibrarysOwnLiveWindowsOnly) {
  auto* form = new TForm(Application);
  auto* panel = new TTestPanel(form);
  panel->SetParent(form);
  form->Show();
  UiTest::Pump();
  HWND panelWindow = panel->Handle();
  EXPECT_EQ(FindControl(panelWindow), panel);
  EXPECT_EQ(FindControl(form->Handle()), form);

  HWND plain = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, form->Handle(), nullptr, nullptr, nullptr);
  SetWindowLongPtrW(plain, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(static_cast<TWindowTarget*>(panel)));
  EXPECT_EQ(FindControl(plain), nullptr) << "a window the library never took";
  DestroyWindow(plain);

  const LONG_PTR own = GetWindowLongPtrW(panelWindow, GWLP_USERDATA);
  SetWindowLongPtrW(panelWindow, GWLP_USERDATA, 12345);
  EXPECT_EQ(FindControl(panelWindow), nullptr) << "user data changed behind the library";
  SetWindowLongPtrW(panelWindow, GWLP_USERDATA, own);
  EXPECT_EQ(FindControl(panelWindow), panel);

  form->Free();
  UiTest::Pump();
  EXPECT_EQ(FindControl(panelWindow), nullptr) << "a window that is gone";
}
