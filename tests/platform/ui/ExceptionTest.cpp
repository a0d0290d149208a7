#include "UiTestSupport.h"
#include "platform/ui/StdCtrls.h"

TEST_F(UiFixture, ExceptionInAHandlerIsReportedAndTheLoopGoesOn) {
  auto* form = new TForm(Application);
  auto* button = new TButton(form);
  button->SetParent(form);
  button->SetDefault(true);
  int clicks = 0;
  button->OnClick = [&](TObject*) {
    if (++clicks == 1) throw EConvertError(u"'x' is not a valid integer value");
    if (clicks == 2) Abort();
  };
  form->Show();
  UiTest::Pump();
  UiTestSeam::QueueMessageBoxAnswer(IDOK);
  UiTest::PressKey(VK_RETURN);
  ASSERT_EQ(UiTestSeam::MessageBoxLog().size(), 1u);
  const TMessageBoxRecord& box = UiTestSeam::MessageBoxLog()[0];
  EXPECT_EQ(box.Text, u"'x' is not a valid integer value.");
  EXPECT_EQ(box.Caption, Application->Title());
  EXPECT_EQ(box.Flags & MB_ICONMASK, static_cast<UINT>(MB_ICONSTOP));
  EXPECT_FALSE(box.Shown);

  // EAbort is silent; later clicks still run.
  UiTest::PressKey(VK_RETURN);
  UiTest::PressKey(VK_RETURN);
  EXPECT_EQ(clicks, 3);
  EXPECT_EQ(UiTestSeam::MessageBoxLog().size(), 1u);
}

TEST_F(UiFixture, OnExceptionReplacesTheMessageBox) {
  auto* form = new TForm(Application);
  String caught;
  Application->OnException = [&](TObject* sender, const Exception& e) {
    caught = e.Message();
    EXPECT_EQ(sender, form);
  };
  form->OnResize = [](TObject*) { throw Exception(u"falha"); };
  form->Show();
  form->SetBounds(10, 10, 333, 222);
  UiTest::Pump();
  Application->OnException = nullptr;
  EXPECT_EQ(caught, u"falha");
  EXPECT_TRUE(UiTestSeam::MessageBoxLog().empty());
}
