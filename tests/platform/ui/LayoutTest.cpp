#include "UiTestSupport.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"

TEST_F(UiFixture, AlignedChildrenFillTheirEdgesAndFollowResizes) {
  auto* form = new TForm(Application);
  form->SetBorderStyle(bsSizeable);
  form->SetBounds(10, 10, 400, 300);
  auto* status = new TStatusBar(form);
  status->SetParent(form);
  auto* left = new TPanel(form);
  left->SetParent(form);
  left->SetAlign(alLeft);
  left->SetWidth(60);
  auto* top = new TPanel(form);
  top->SetParent(form);
  top->SetAlign(alTop);
  top->SetHeight(40);
  auto* client = new TPanel(form);
  client->SetParent(form);
  client->SetAlign(alClient);
  auto* anchored = new TPanel(form);
  anchored->SetParent(client);
  form->Show();
  UiTest::Pump();
  // Anchored to the right and bottom: keeps its margins as the panel grows.
  int cw = client->ClientWidth(), ch = client->ClientHeight();
  anchored->SetBounds(cw - 60, ch - 30, 50, 20);
  anchored->SetAnchors(TAnchors{akRight, akBottom});

  auto check = [&] {
    int w = form->ClientWidth(), h = form->ClientHeight();
    EXPECT_EQ(status->BoundsRect(), TRect(0, h - status->Height(), w, h));
    EXPECT_EQ(top->BoundsRect(), TRect(0, 0, w, 40));
    EXPECT_EQ(left->BoundsRect(), TRect(0, 40, 60, h - status->Height()));
    EXPECT_EQ(client->BoundsRect(), TRect(60, 40, w, h - status->Height()));
    EXPECT_EQ(anchored->Left(), client->ClientWidth() - 60);
    EXPECT_EQ(anchored->Top(), client->ClientHeight() - 30);
  };
  check();
  form->SetBounds(10, 10, 520, 380);
  UiTest::Pump();
  check();
  // A hidden aligned control gives its room to the others.
  top->Hide();
  EXPECT_EQ(left->Top(), 0);
  EXPECT_EQ(client->Top(), 0);
}

TEST_F(UiFixture, ParentFontAndColorFollowTheParentUntilSetOwn) {
  auto* form = new TForm(Application);
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  auto* label = new TLabel(form);
  label->SetParent(panel);
  form->Font()->SetName(u"Tahoma");
  form->Font()->SetSize(8);
  EXPECT_EQ(label->Font()->Name(), u"Tahoma");
  EXPECT_TRUE(label->ParentFont());
  panel->SetColor(clWhite);
  EXPECT_EQ(label->Color(), clWhite);
  label->Font()->SetStyle(TFontStyles{fsBold});
  EXPECT_FALSE(label->ParentFont());
  form->Font()->SetSize(12);
  EXPECT_EQ(panel->Font()->Size(), 12);
  EXPECT_NE(label->Font()->Size(), 12);
}
