#include "UiTestSupport.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/FormImage.h"
#include <commctrl.h>

TEST_F(UiFixture, PageControlShowsOnlyItsActiveSheet) {
  auto* form = new TForm(Application);
  auto* pages = new TPageControl(form);
  pages->SetParent(form);
  pages->SetBounds(5, 5, 300, 200);
  auto* first = new TTabSheet(form);
  first->SetPageControl(pages);
  first->SetCaption(u"Primeira");
  auto* second = new TTabSheet(form);
  second->SetPageControl(pages);
  second->SetCaption(u"Segunda");
  int changes = 0;
  pages->OnChange = [&](TObject*) { ++changes; };
  form->Show();
  UiTest::Pump();
  EXPECT_EQ(pages->ActivePage(), first);
  EXPECT_TRUE(IsWindowVisible(first->Handle()));
  EXPECT_FALSE(IsWindowVisible(second->Handle()));
  EXPECT_EQ(SendMessageW(pages->Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
  // The sheet fills the page control's display area, below the tabs.
  EXPECT_GT(first->Top(), 10);
  EXPECT_LT(first->Width(), pages->Width());
  pages->SelectNextPage(true);
  EXPECT_EQ(pages->ActivePageIndex(), 1);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(IsWindowVisible(second->Handle()));
  EXPECT_FALSE(IsWindowVisible(first->Handle()));
  EXPECT_EQ(SendMessageW(pages->Handle(), TCM_GETCURSEL, 0, 0), 1);
  second->SetTabVisible(false);
  EXPECT_EQ(SendMessageW(pages->Handle(), TCM_GETITEMCOUNT, 0, 0), 1);
  delete second;
  EXPECT_EQ(pages->PageCount(), 1);
  EXPECT_EQ(pages->ActivePage(), first);
}

TEST_F(UiFixture, LabelAcceleratorFocusesItsControlAndAutoSizeFitsTheCaption) {
  auto* form = new TForm(Application);
  auto* label = new TLabel(form);
  label->SetParent(form);
  label->SetCaption(u"&Nome:");
  int shortWidth = label->Width();
  label->SetCaption(u"&Nome de usuário completo:");
  EXPECT_GT(label->Width(), shortWidth);
  auto* first = new TEdit(form);
  first->SetParent(form);
  first->SetTop(20);
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  edit->SetTop(50);
  label->SetFocusControl(edit);
  form->Show();
  UiTest::Pump();
  ASSERT_EQ(GetFocus(), first->Handle());
  UiTest::PressKey('N', TShiftState{ssAlt});
  EXPECT_EQ(GetFocus(), edit->Handle());
  // A freed focus control leaves no dangling reference behind.
  delete edit;
  EXPECT_EQ(label->FocusControl(), nullptr);
}

TEST_F(UiFixture, ImageStretchesCentresAndKeepsProportions) {
  auto* form = new TForm(Application);
  form->SetColor(clWhite);
  auto* image = new TImage(form);
  image->SetParent(form);
  image->SetBounds(0, 0, 100, 50);
  image->Picture()->Bitmap()->SetPixelFormat(pf24bit);
  image->Picture()->Bitmap()->SetSize(10, 10);
  image->Picture()->Bitmap()->Canvas()->Brush()->SetColor(clRed);
  image->Picture()->Bitmap()->Canvas()->FillRect(TRect(0, 0, 10, 10));
  form->Show();
  UiTest::Pump();
  auto redAt = [&](int x, int y) {
    std::unique_ptr<TBitmap> shot = PaintControlImage(*form);
    TPoint origin = form->ScreenToClient(TPoint(0, 0));
    RECT wr;
    GetWindowRect(form->Handle(), &wr);
    int ox = -origin.X - wr.left, oy = -origin.Y - wr.top;
    return (shot->Canvas()->Pixels(ox + x, oy + y) & 0xFFFFFF) == clRed;
  };
  EXPECT_TRUE(redAt(5, 5));
  EXPECT_FALSE(redAt(20, 20));
  image->SetStretch(true);
  EXPECT_TRUE(redAt(90, 45));
  image->SetProportional(true);
  image->SetCenter(true);
  // 50 x 50 in the middle of 100 x 50.
  EXPECT_FALSE(redAt(10, 25));
  EXPECT_TRUE(redAt(50, 25));
  EXPECT_FALSE(redAt(90, 25));
}

TEST_F(UiFixture, ProgressBarAndListBoxKeepTheirValuesAcrossTheirWindows) {
  auto* form = new TForm(Application);
  auto* bar = new TProgressBar(form);
  bar->SetMax(3);
  bar->SetStep(1);
  bar->StepIt();
  auto* list = new TListBox(form);
  list->Items()->Add(u"A");
  list->Items()->Add(u"B");
  list->SetItemIndex(1);
  bar->SetParent(form);
  list->SetParent(form);
  form->Show();
  UiTest::Pump();
  EXPECT_EQ(SendMessageW(bar->Handle(), PBM_GETPOS, 0, 0), 1);
  bar->StepIt();
  EXPECT_EQ(bar->Position(), 2);
  EXPECT_EQ(list->ItemIndex(), 1);
  int clicks = 0;
  list->OnClick = [&](TObject*) { ++clicks; };
  // Made again (for a new style), the window gets the items back.
  list->SetSorted(true);
  EXPECT_EQ(list->Items()->Count(), 2);
  EXPECT_EQ(list->ItemIndex(), 1);
  list->Items()->Add(u"0");
  EXPECT_EQ(list->Items()->Strings(0), u"0");
  EXPECT_EQ(clicks, 0);
}

#include "platform/ui/ScrollBox.h"

TEST_F(UiFixture, ScrollBoxScrollsChildrenThatReachPastItsEdges) {
  auto* form = new TForm(Application);
  auto* box = new TScrollBox(form);
  box->SetParent(form);
  box->SetBounds(0, 0, 150, 100);
  auto* top = new TEdit(form);
  top->SetParent(box);
  top->SetBounds(5, 5, 50, 21);
  auto* bottom = new TEdit(form);
  bottom->SetParent(box);
  bottom->SetBounds(5, 300, 50, 21);
  form->Show();
  UiTest::Pump();
  EXPECT_TRUE(GetWindowLongW(box->Handle(), GWL_STYLE) & WS_VSCROLL);
  box->ScrollInView(bottom);
  EXPECT_GT(box->ScrollPos().Y, 0);
  EXPECT_LE(bottom->Top() + bottom->Height(), box->ClientHeight());
  EXPECT_EQ(top->Top(), 5 - box->ScrollPos().Y);
  box->ScrollTo(0, 0);
  EXPECT_EQ(bottom->Top(), 300);
  EXPECT_EQ(top->Top(), 5);
}
