#include "UiTestSupport.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/StdCtrls.h"

TEST(Hints, ShortAndLongPartsSplitAtTheBar) {
  EXPECT_EQ(GetShortHint(u"Gravar|Grava os dados"), u"Gravar");
  EXPECT_EQ(GetLongHint(u"Gravar|Grava os dados"), u"Grava os dados");
  EXPECT_EQ(GetShortHint(u"Saída do formulário"), u"Saída do formulário");
  EXPECT_EQ(GetLongHint(u"Saída do formulário"), u"Saída do formulário");
}

TEST_F(UiFixture, StatusBarWithAutoHintShowsTheLongHintOfTheActiveForm) {
  auto* form = new TForm(Application);
  auto* status = new TStatusBar(form);
  status->SetParent(form);
  status->Panels()->Add()->SetWidth(150);
  status->Panels()->Items(0)->SetAlignment(taCenter);
  status->SetAutoHint(true);
  auto* button = new TButton(form);
  button->SetParent(form);
  button->SetHint(u"Gravar|Grava os dados digitados no formulário");
  form->Show();
  UiTest::Pump();
  Application->SetHint(GetLongHint(button->Hint()));
  EXPECT_EQ(status->Panels()->Items(0)->Text(), u"Grava os dados digitados no formulário");
  EXPECT_EQ(status->DisplayedText(0), u"\tGrava os dados digitados no formulário");

  // With OnHint set, the application leaves the status bar alone.
  String seen;
  Application->OnHint = [&](TObject*) { seen = Application->Hint(); };
  Application->SetHint(u"Usuário: OPERADOR");
  Application->OnHint = nullptr;
  EXPECT_EQ(seen, u"Usuário: OPERADOR");
  EXPECT_EQ(status->Panels()->Items(0)->Text(), u"Grava os dados digitados no formulário");

  status->SetSimplePanel(true);
  Application->SetHint(u"Simples");
  EXPECT_EQ(status->SimpleText(), u"Simples");
}

TEST_F(UiFixture, HintWindowClassCanBeReplaced) {
  int created = 0;
  THintWindowClass old = HintWindowClass;
  HintWindowClass = [&](TComponent* owner) {
    ++created;
    return new THintWindow(owner);
  };
  auto* form = new TForm(Application);
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  edit->SetHint(u"Curto|Longo");
  edit->SetShowHint(true);
  String shown;
  Application->OnShowHint = [&](String& text, bool& canShow, THintInfo& info) {
    shown = text;
    EXPECT_TRUE(canShow);
    EXPECT_EQ(info.HintControl, edit);
  };
  form->Show();
  UiTest::Pump();
  // Pretend the mouse rests over the edit.
  RECT r;
  GetWindowRect(edit->Handle(), &r);
  SetCursorPos(r.left + 5, r.top + 5);
  TMessage move{WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), 0};
  Application->HintMouseMessage(edit, move);
  Application->ActivateHint(TPoint(r.left + 5, r.top + 5));
  Application->OnShowHint = nullptr;
  HintWindowClass = old;
  EXPECT_EQ(shown, u"Curto");
  EXPECT_EQ(created, 1);
  ASSERT_NE(Application->HintWindow(), nullptr);
  EXPECT_TRUE(Application->HintWindow()->IsHintShowing());
  Application->CancelHint();
  EXPECT_FALSE(Application->HintWindow()->IsHintShowing());
}
