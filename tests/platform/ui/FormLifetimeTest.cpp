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
