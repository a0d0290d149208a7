// A shown form with hinted controls: the hint's picture window, where it
// stands near each screen edge, its picture in memory, and how it goes.
#include "skin/SkinTestSupport.h"
#include "support/Artifacts.h"
#include "skin/hints/HintsTestSupport.h"
#include "platform/rtl/FileUtils.h"
#include "platform/ui/StdCtrls.h"
#include "skin/engine/SkinCommands.h"
#include "skin/forms/hints/AlphaHints.h"
#include "skin/forms/hints/HintArt.h"
#include "skin/forms/hints/HintWindows.h"
#include "skin/forms/hints/ShowTimer.h"
#include "support/AppDriver.h"
#include <gtest/gtest.h>

namespace {
class UiAlphaHints : public ::testing::Test {
protected:
  void SetUp() override {
    Application->OnShowHint = nullptr;
    HintWindowClass = THintWindowClassOf<THintWindow>();
    FSavedPause = Application->HintPause();
    Form = new TForm(nullptr);
    Form->SetShowHint(true);
    Form->SetBounds(120, 100, 420, 300);
    Form->SetCaption(u"Dicas");
    Button = new TButton(Form);
    Button->SetParent(Form);
    Button->SetBounds(20, 20, 160, 30);
    Button->SetCaption(u"F11 - Movimentos");
    Button->SetHint(u"Movimentos|Abre os movimentos de caixa");
    Hints = new TsAlphaHints(Form);
    AddStockHintTemplates(*Hints->Templates());
    Hints->SetTemplateName(u"Cartoon Baloon");
    Hints->SetHTMLMode(true);
    Hints->SetPauseHide(4000);
    Hints->SetMaxWidth(0);
    Form->Show();
    WaitUntil([] { return false; }, 200);
  }
  void TearDown() override {
    Form->Free();
    Application->SetHintPause(FSavedPause);
  }
  HWND Picture() const { return Hints->AnimWindow ? Hints->AnimWindow->Handle() : nullptr; }
  bool Animating() const { return Hints->ShowTimer && Hints->ShowTimer->Enabled(); }

  TForm* Form = nullptr;
  TButton* Button = nullptr;
  TsAlphaHints* Hints = nullptr;
  int FSavedPause = 0;
};

// The picture in memory: transparent outside the body, opaque inside, and
// premultiplied everywhere.
void ExpectPremultipliedBalloon(TBitmap& bmp) {
  const TPixels p = FromBitmap(bmp);
  ASSERT_GT(p.W, 20);
  EXPECT_EQ(Ch(p.At(0, 0), 3), 0);
  EXPECT_EQ(Ch(p.At(p.W - 1, 0), 3), 0);
  EXPECT_EQ(Ch(p.At(0, p.H - 1), 3), 0);
  EXPECT_EQ(Ch(p.At(p.W - 1, p.H - 1), 3), 0);
  EXPECT_EQ(Ch(p.At(p.W / 2, p.H / 2), 3), 255);
  int opaque = 0;
  for (uint32_t px : p.P) {
    const int a = Ch(px, 3);
    ASSERT_LE(Ch(px, 0), a);
    ASSERT_LE(Ch(px, 1), a);
    ASSERT_LE(Ch(px, 2), a);
    opaque += a == 255;
  }
  EXPECT_GT(opaque, p.W * p.H / 3);
}
}  // namespace

TEST_F(UiAlphaHints, RestingOnAControlShowsThePictureUntilPauseHide) {
  int hidden = 0;
  Hints->OnHideHint = [&](TObject*) { ++hidden; };
  const TPoint centre = Button->ClientToScreen(TPoint(80, 15));
  SetCursorPos(centre.X, centre.Y);
  PostMessageW(Button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(80, 15));
  ASSERT_TRUE(WaitUntil([&] { return Picture() && Hints->ShowTimer && !Animating(); }, 5000));
  EXPECT_TRUE(HintWindowClassIs<TacPngHintWindow>());
  auto* window = dynamic_cast<TacPngHintWindow*>(Application->HintWindow());
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->Text, u"Movimentos");
  EXPECT_EQ(SendMessageW(window->Handle(), SM_SKINCMD, SkinCmdWParam(SKC_CTRLSKINNED), 0), 1);
  EXPECT_EQ(SendMessageW(window->Handle(), SM_SKINCMD, SkinCmdWParam(SKC_BGNOTUNIFORM), 0), 1);

  const HWND picture = Picture();
  const LONG_PTR ex = GetWindowLongPtrW(picture, GWL_EXSTYLE);
  EXPECT_EQ(ex & (WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOPMOST), WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOPMOST);
  EXPECT_EQ(GetWindowLongPtrW(picture, GWL_STYLE) & (WS_CAPTION | WS_BORDER | WS_THICKFRAME), 0);
  EXPECT_TRUE(IsWindowVisible(picture));
  EXPECT_EQ(Hints->AnimWindow->Tag(), 256);
  RECT r{};
  GetWindowRect(picture, &r);
  EXPECT_EQ(TRect(r.left, r.top, r.right, r.bottom), Hints->NewBounds);
  // The body's top-left lies on the anchor below the mouse.
  const TPoint anchor(centre.X, centre.Y + GetSystemMetrics(SM_CYCURSOR) - 8);
  EXPECT_EQ(Hints->NewBounds.Left, anchor.X - 3);
  EXPECT_EQ(Hints->NewBounds.Top, anchor.Y - 3);
  EXPECT_EQ(Hints->HintWindow, nullptr);
  ASSERT_TRUE(Hints->OldAlphaBmp);
  EXPECT_EQ(Hints->OldAlphaBmp->Width(), Hints->NewBounds.Width());
  ExpectPremultipliedBalloon(*Hints->OldAlphaBmp);
  EXPECT_EQ(Application->HintPause(), 100);

  const String shot = ArtifactPath("alpha_hint_form.png");
  if (!shot.empty()) {
    Form->SetBounds(Form->Left(), Form->Top(), 420, 300);
    EXPECT_TRUE(AppDriver::SaveScreenshot(Form->Handle(), shot));
  }

  // Hidden after PauseHide; the check tick then frees the picture windows
  // and gives the hint pause back.
  ASSERT_TRUE(WaitUntil([&] { return !Picture(); }, 9000));
  EXPECT_EQ(hidden, 1);
  EXPECT_FALSE(Hints->NewWindow);
  EXPECT_EQ(Application->HintPause(), FSavedPause);
}

TEST_F(UiAlphaHints, CornersFollowTheScreenEdges) {
  Hints->SetAnimated(false);
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  enum TExpect { Exact, Lifted, Pushed };
  struct TCase {
    const char16_t* Template;
    TPoint Anchor;
    TacMousePosition Corner;
    TExpect Vertical, Horizontal;
  };
  const TCase cases[] = {
      {u"Cartoon Baloon", TPoint(300, 300), mpLeftTop, Exact, Exact},
      {u"Cartoon Baloon", TPoint(300, sh - 10), mpLeftBottom, Lifted, Exact},
      {u"Cartoon Baloon", TPoint(sw - 10, 300), mpRightTop, Exact, Lifted},
      {u"Cartoon Baloon", TPoint(sw - 10, sh - 10), mpRightBottom, Lifted, Lifted},
      {u"Yellow Glow", TPoint(300, sh - 10), mpLeftBottom, Pushed, Exact},
      {u"Yellow Glow", TPoint(sw - 10, 300), mpRightTop, Exact, Pushed},
  };
  const String text = u"Abre os movimentos<BR>de <B>caixa</B>";
  for (const TCase& c : cases) {
    SCOPED_TRACE(Utf8(String(c.Template)) + " " + std::to_string(c.Anchor.X) + "," + std::to_string(c.Anchor.Y));
    Hints->SetTemplateName(c.Template);
    Hints->ShowHint(c.Anchor, text, 0);
    ASSERT_NE(Hints->HintWindow, nullptr);
    EXPECT_EQ(Hints->HintWindow->MousePos(), c.Corner);
    const TRect b = Hints->NewBounds;
    const int bodyW = b.Width() - 3 - 7, bodyH = b.Height() - 3 - 7;
    switch (c.Vertical) {
      case Exact: EXPECT_EQ(b.Top, c.Anchor.Y - 3); break;
      case Lifted: EXPECT_EQ(b.Top, c.Anchor.Y - bodyH - 3 - 16); break;
      case Pushed:
        EXPECT_LT(b.Top + 3 + bodyH, sh);
        EXPECT_GT(b.Top + 3 + bodyH, c.Anchor.Y - 16 - 10);
        break;
    }
    switch (c.Horizontal) {
      case Exact: EXPECT_EQ(b.Left, c.Anchor.X - 3); break;
      case Lifted: EXPECT_EQ(b.Left, c.Anchor.X - bodyW - 3); break;
      case Pushed: EXPECT_LE(b.Left + 3 + bodyW, sw); break;
    }
    RECT r{};
    GetWindowRect(Picture(), &r);
    EXPECT_EQ(TRect(r.left, r.top, r.right, r.bottom), b);
    ASSERT_TRUE(Hints->OldAlphaBmp);
    ExpectPremultipliedBalloon(*Hints->OldAlphaBmp);
  }
  const String shot = ArtifactPath("alpha_hint_corner.png");
  if (!shot.empty()) {
    EXPECT_TRUE(AppDriver::SaveScreenshot(Picture(), shot));
  }
  Hints->HideHint();
  EXPECT_EQ(Hints->HintWindow, nullptr);
}

TEST_F(UiAlphaHints, ExplicitHintsHideAfterTheirOwnTime) {
  Hints->ShowHint(static_cast<TControl*>(nullptr), u"nada", 100);
  EXPECT_EQ(Hints->HintWindow, nullptr);
  Hints->ShowHint(Button, u"primeira", 20000);
  ASSERT_NE(Hints->HintWindow, nullptr);
  // At the control: its middle across, a third down.
  const TPoint origin = Button->ClientToScreen(TPoint(0, 0));
  EXPECT_EQ(Hints->HintWindow->HintLocation(), TPoint(origin.X + 80, origin.Y + 10));
  Hints->ShowHint(Button, u"segunda", 300);
  ASSERT_TRUE(Hints->HideTimer);
  EXPECT_EQ(Hints->HideTimer->Interval(), 300u);
  EXPECT_TRUE(WaitUntil([&] { return Hints->HintWindow == nullptr; }, 3000));
  // The picture goes with the check tick.
  EXPECT_TRUE(WaitUntil([&] { return !Picture(); }, 3000));
}
