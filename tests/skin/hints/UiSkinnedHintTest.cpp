// A hint drawn from the skin's hint section, shown on screen: the hint
// window takes the border's shape as its region, the picture window shows
// the picture, and showing it again and again leaves no GDI object behind.
#include "skin/hints/HintsTestSupport.h"
#include "skin/support/GdiTableFill.h"
#include "support/Artifacts.h"
#include "skin/forms/hints/AlphaHints.h"
#include "skin/forms/hints/HintWindows.h"
#include "skin/support/TestSkinFixture.h"
#include "support/AppDriver.h"
#include <gtest/gtest.h>
#include <vector>

TEST(UiSkinnedHints, ShownWithTheBordersShapeAndNoGdiLeft) {
  Application->OnShowHint = nullptr;
  HintWindowClass = THintWindowClassOf<THintWindow>();
  auto sm = NewTestSkinManager();
  ASSERT_EQ(LoadSkinCountingBoxes(*sm, u"TestSkin"), 0);
  TsAlphaHints hints(nullptr);
  hints.SetUseSkinData(true);
  hints.SetAnimated(false);
  hints.SetHTMLMode(true);
  hints.SetActive(true);
  ASSERT_TRUE(hints.Skinned());
  const String text = u"<B>F11</B> - Abre os movimentos<BR>de caixa";
  const TPoint anchor(200, 160);
  hints.ShowHint(anchor, text, 0);
  for (int i = 0; i < 4; ++i) hints.ShowHint(TPoint(anchor.X + i, anchor.Y), text, 0);
  {
    constexpr int kHeadroom = 400;
    TGdiTableFill fill(kHeadroom);
    for (int i = 0; i < kHeadroom + 200; ++i) hints.ShowHint(TPoint(anchor.X + i % 7, anchor.Y), text, 0);
    EXPECT_TRUE(TGdiTableFill::HasRoom());
  }
  hints.ShowHint(anchor, text, 0);
  ASSERT_NE(hints.HintWindow, nullptr);
  const HWND hint = hints.HintWindow->Handle();

  // The region: the key corners of the border are out, the body is in.
  RECT own{};
  GetWindowRect(hint, &own);
  const int w = own.right - own.left, h = own.bottom - own.top;
  ASSERT_GT(w, 40);
  EXPECT_EQ(TRect(own.left, own.top, own.right, own.bottom).Width(), hints.NewBounds.Width());
  HRGN shape = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(hint, shape), COMPLEXREGION);
  EXPECT_FALSE(PtInRegion(shape, 0, 0));
  EXPECT_FALSE(PtInRegion(shape, w - 1, h - 1));
  EXPECT_TRUE(PtInRegion(shape, 2, 2));
  EXPECT_TRUE(PtInRegion(shape, w / 2, h / 2));
  DeleteObject(shape);

  // The picture window shows the skinned picture where the body lies.
  ASSERT_TRUE(hints.AnimWindow);
  const HWND picture = hints.AnimWindow->Handle();
  EXPECT_TRUE(IsWindowVisible(picture));
  RECT pr{};
  GetWindowRect(picture, &pr);
  EXPECT_EQ(TRect(pr.left, pr.top, pr.right, pr.bottom), hints.NewBounds);
  ASSERT_TRUE(hints.OldAlphaBmp);
  EXPECT_EQ(hints.OldAlphaBmp->Width(), w);
  WaitUntil([] { return false; }, 300);
  const String shot = ArtifactPath("skinned_hint.png");
  if (!shot.empty()) {
    EXPECT_TRUE(AppDriver::SaveScreenshot(picture, shot));
  }
  hints.HideHint();
  EXPECT_EQ(hints.HintWindow, nullptr);
  hints.SetActive(false);
}
