#include "UiTestSupport.h"
#include "platform/ui/StdCtrls.h"

TEST_F(UiFixture, ChangeHandlerDetachedAndReattachedWhileItRuns) {
  auto* form = new TForm(Application);
  auto* block = new TEdit(form);
  block->SetParent(form);
  block->SetMaxLength(11);
  auto* digit = new TEdit(form);
  digit->SetParent(form);
  digit->SetTop(30);
  int calls = 0;
  std::function<void(TObject*)> handler = [&](TObject*) {
    ++calls;
    // The handler rewrites its own edit without running again.
    block->OnChange = nullptr;
    if (block->Text().size() == 11) {
      block->SetText(block->Text());
      digit->SetFocus();
    }
    block->OnChange = handler;
  };
  block->OnChange = handler;
  form->Show();
  UiTest::Pump();
  UiTest::TypeText(u"82610000001");
  EXPECT_EQ(calls, 11);
  EXPECT_EQ(block->Text(), u"82610000001");
  EXPECT_EQ(GetFocus(), digit->Handle());
  // Text set from code raises OnChange too.
  block->SetText(u"1");
  EXPECT_EQ(calls, 12);
}

TEST_F(UiFixture, KeyPressFilterSwallowsRefusedCharacters) {
  auto* form = new TForm(Application);
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  edit->OnKeyPress = [](TObject*, char16_t& key) {
    if (!((key >= u'0' && key <= u'9') || key == 8)) key = 0;
  };
  form->Show();
  UiTest::Pump();
  UiTest::TypeText(u"12a3-4");
  EXPECT_EQ(edit->Text(), u"1234");
  UiTest::PressKey(VK_BACK);
  EXPECT_EQ(edit->Text(), u"123");
}
