#include "skin/support/TestSkinFixture.h"
#include "skin/engine/SkinHooks.h"
#include "skin/engine/SkinManager.h"
#include "skin/graphics/ColorFuncs.h"
#include "platform/ui/graphics/GraphicsObjects.h"
#include "platform/ui/graphics/SysColorProvider.h"
#include <gtest/gtest.h>

TEST(SkinSysColors, PlatformDrawingSeesTheSkinColoursWhileTheSkinIsInUse) {
  auto sm = NewTestSkinManager();
  ASSERT_TRUE(sm->GetIsDefault());
  sm->Options().SetOptionFlag(4, true);
  ASSERT_EQ(LoadSkinCountingBoxes(*sm, u"TestSkin"), 0);
  ASSERT_TRUE(SysColorReplacementInstalled());
  const auto& p = sm->Model.Palette;
  EXPECT_EQ(ColorToRGB(clWindow), p[pcEditBG]);
  EXPECT_EQ(ColorToRGB(clBtnFace), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));

  // A pen of the light grey comes out as 15 % edit text over edit background.
  TPen pen;
  pen.SetColor(0xF0F0F0);
  LOGPEN lp{};
  ASSERT_TRUE(GetObjectW(pen.Handle(), sizeof(lp), &lp));
  EXPECT_EQ(static_cast<TColor>(lp.lopnColor), BlendColorPair(p[pcEditText], p[pcEditBG], 0.15));

  // One brush per colour: 70,000 requests would fill Wine's GDI table.
  const HBRUSH first = SysColorBrush(COLOR_WINDOW);
  const int indexes[] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT, COLOR_BTNFACE};
  for (int i = 0; i < 70000; ++i) ASSERT_NE(SysColorBrush(indexes[i % 5]), nullptr) << i;
  EXPECT_EQ(SysColorBrush(COLOR_WINDOW), first);
  HBRUSH fresh = CreateSolidBrush(0x123456);
  EXPECT_NE(fresh, nullptr);
  DeleteObject(fresh);

  sm->SetActive(false);
  EXPECT_FALSE(SysColorReplacementInstalled());
  EXPECT_EQ(ColorToRGB(clWindow), static_cast<TColor>(GetSysColor(COLOR_WINDOW)));
  EXPECT_EQ(SysColorBrush(COLOR_WINDOW), GetSysColorBrush(COLOR_WINDOW));
}

TEST(SkinSysColors, TheOptionSwitchesTheReplacementWhileTheHookIsInstalled) {
  auto sm = NewTestSkinManager();
  ASSERT_EQ(LoadSkinCountingBoxes(*sm, u"TestSkin"), 0);
  ASSERT_TRUE(sm->GlobalHookInstalled);
  EXPECT_FALSE(SysColorReplacementInstalled());
  sm->Options().SetOptionFlag(4, true);
  EXPECT_TRUE(SysColorReplacementInstalled());
  sm->Options().SetOptionFlag(4, false);
  EXPECT_FALSE(SysColorReplacementInstalled());
  EXPECT_EQ(ColorToRGB(clWindow), static_cast<TColor>(GetSysColor(COLOR_WINDOW)));
}
