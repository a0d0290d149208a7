#include "UiTestSupport.h"
#include "platform/ui/StdCtrls.h"

namespace {
struct TDialog {
  TForm* Form;
  TEdit* Edit;
  TButton* Ok;
  TButton* Cancel;

  TDialog() {
    Form = new TForm(Application);
    Form->SetCaption(u"Senha");
    Form->SetBorderStyle(bsDialog);
    Form->SetPosition(poScreenCenter);
    Form->SetBounds(0, 0, 260, 120);
    Edit = new TEdit(Form);
    Edit->SetParent(Form);
    Edit->SetBounds(10, 10, 200, 21);
    Ok = new TButton(Form);
    Ok->SetParent(Form);
    Ok->SetCaption(u"&Ok");
    Ok->SetDefault(true);
    Ok->SetModalResult(mrOk);
    Ok->SetBounds(10, 50, 75, 25);
    Cancel = new TButton(Form);
    Cancel->SetParent(Form);
    Cancel->SetCaption(u"&Cancela");
    Cancel->SetCancel(true);
    Cancel->SetModalResult(mrCancel);
    Cancel->SetBounds(100, 50, 75, 25);
  }
};
}  // namespace

TEST_F(UiFixture, ModalFormEndsWithTheModalResultOfItsButtons) {
  auto* owner = new TForm(Application);
  owner->Show();
  TDialog d;
  bool ownerDisabledDuringModal = false;
  UiTestSeam::QueueModalAction([&](TCustomForm& form) {
    ownerDisabledDuringModal = !IsWindowEnabled(owner->Handle());
    EXPECT_EQ(&form, d.Form);
    EXPECT_EQ(GetFocus(), d.Edit->Handle());
    UiTest::PressKey(VK_RETURN);
  });
  EXPECT_EQ(d.Form->ShowModal(), mrOk);
  EXPECT_TRUE(ownerDisabledDuringModal);
  EXPECT_TRUE(IsWindowEnabled(owner->Handle()));
  EXPECT_FALSE(d.Form->Visible());
  EXPECT_FALSE(IsWindowVisible(d.Form->Handle()));

  UiTestSeam::QueueModalAction([](TCustomForm&) { UiTest::PressKey(VK_ESCAPE); });
  EXPECT_EQ(d.Form->ShowModal(), mrCancel);

  // The focused button is the one Enter presses.
  UiTestSeam::QueueModalAction([&](TCustomForm&) {
    d.Cancel->SetFocus();
    UiTest::PressKey(VK_RETURN);
  });
  EXPECT_EQ(d.Form->ShowModal(), mrCancel);
}

TEST_F(UiFixture, ClosingAModalFormAsksOnCloseQueryAndOnClose) {
  TDialog d;
  int queries = 0;
  TCloseAction seen = caNone;
  d.Form->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++queries > 1; };
  d.Form->OnClose = [&](TObject*, TCloseAction& action) { seen = action; };
  UiTestSeam::QueueModalAction([&](TCustomForm& form) {
    form.Close();  // refused by OnCloseQuery: the loop goes on
    UiTest::Pump();
    EXPECT_TRUE(form.Visible());
    PostMessageW(form.Handle(), WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(d.Form->ShowModal(), mrCancel);
  EXPECT_EQ(queries, 2);
  EXPECT_EQ(seen, caHide);
}

TEST_F(UiFixture, ModalFormCanBeFreedByCaFree) {
  TDialog d;
  bool destroyed = false;
  d.Form->OnDestroy = [&](TObject*) { destroyed = true; };
  d.Form->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
  HWND window = d.Form->Handle();
  UiTestSeam::QueueModalAction([](TCustomForm& form) { form.SetModalResult(mrOk); });
  EXPECT_EQ(d.Form->ShowModal(), mrOk);
  UiTest::Pump();
  EXPECT_TRUE(destroyed);
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(UiFixture, ModalFormShowsTheDefaultCursorAndRestoresTheCallersCursor) {
  TDialog d;
  Screen->SetCursor(crHourGlass);
  TCursor during = crNone;
  UiTestSeam::QueueModalAction([&](TCustomForm& form) {
    during = Screen->Cursor();
    form.SetModalResult(mrOk);
  });
  d.Form->ShowModal();
  EXPECT_EQ(during, crDefault);
  EXPECT_EQ(Screen->Cursor(), crHourGlass);
  // A form that sets the cursor itself (as OnShow handlers do) leaves the
  // default cursor behind.
  d.Form->OnShow = [](TObject*) { Screen->SetCursor(crDefault); };
  UiTestSeam::QueueModalAction([](TCustomForm& form) { form.SetModalResult(mrOk); });
  d.Form->ShowModal();
  EXPECT_EQ(Screen->Cursor(), crDefault);
  EXPECT_GE(Screen->MonitorCount(), 1);
  EXPECT_FALSE(Screen->WorkAreaRect().IsEmpty());
  EXPECT_NE(Screen->Cursors(crHourGlass), nullptr);
}
