#include "skin/support/SkinModelFixture.h"
#include "skin/support/SkinnedStandIn.h"
#include "skin/SkinTestSupport.h"
#include "skin/engine/ParentBg.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include <gtest/gtest.h>
#include <vector>

namespace {
TPanel* PanelIn(TWinControl* parent, int left, int top, int w, int h) {
  auto* p = new TPanel(parent);
  p->SetParent(parent);
  p->SetBounds(left, top, w, h);
  return p;
}

// A skin with an opaque section that paints (an image) and a fully
// transparent one.
void FillBgSkin(TsSkinManager& sm) {
  FillSampleModel(sm);
  AddSection(sm, u"OPAQUE");
  sm.Model.gd.back().Props[0].ImagePercent = 50;
  AddSection(sm, u"FLAT");
  sm.Model.gd.back().Props[0].Color = 0x00336699;
  AddSection(sm, u"CLEAR");
  sm.Model.gd.back().Props[0].Transparency = 100;
  sm.Model.gd.back().Props[1].Transparency = 100;
  sm.InitConstantIndexes();
}
}  // namespace

TEST(UiParentBg, BackgroundThroughTransparentPanels) {
  TsSkinManager sm(nullptr);
  FillBgSkin(sm);
  auto* form = new TForm(Application);
  form->SetBounds(10, 10, 400, 300);
  TPanel* root = PanelIn(form, 5, 5, 300, 250);
  auto rootSkin = MakeSkinned(root, u"opaque", true, 0xFF102030);
  std::vector<std::unique_ptr<TSkinnedStandIn>> clear;
  std::vector<TPanel*> levels{root};
  for (int i = 0; i < 3; ++i) {
    levels.push_back(PanelIn(levels.back(), 10 + i, 20 + 2 * i, 200 - 30 * i, 180 - 30 * i));
    clear.push_back(MakeSkinned(levels.back(), u"CLEAR", false));
  }
  form->Show();
  struct Case {
    int Level;
    TPoint Offset;
  } cases[] = {{0, TPoint(0, 0)}, {1, TPoint(10, 20)}, {3, TPoint(10 + 11 + 12, 20 + 22 + 24)}};
  for (const auto& c : cases) {
    TacParentBgData bg;
    GetCtrlBgInfo(bg, levels[static_cast<size_t>(c.Level)], false);
    EXPECT_EQ(bg.BgKind, bgCache) << c.Level;
    EXPECT_EQ(bg.Bmp, rootSkin->Data->FCacheBmp.get()) << c.Level;
    EXPECT_EQ(bg.Offset.X, c.Offset.X) << c.Level;
    EXPECT_EQ(bg.Offset.Y, c.Offset.Y) << c.Level;
    TCacheInfo ci;
    BgInfoToCacheInfo(bg, ci);
    EXPECT_TRUE(ci.Ready);
    EXPECT_EQ(ci.X, c.Offset.X);
  }
  EXPECT_EQ(rootSkin->PrepareCount, 1);  // the cache was made once and reused

  // A flat section answers its colour; an unskinned parent its own Color.
  rootSkin->Data->SetSkinSection(u"FLAT");
  TacParentBgData flat;
  GetCtrlBgInfo(flat, levels[2], false);
  EXPECT_EQ(flat.BgKind, bgColor);
  EXPECT_EQ(flat.Color, 0x00336699);
  form->SetColor(0x00445566);
  TacParentBgData plain;
  GetCtrlBgInfo(plain, form, false);
  EXPECT_EQ(plain.BgKind, bgColor);
  EXPECT_EQ(plain.Color, 0x00445566);

  TCacheInfo top;
  WndParentCacheInfo(form->Handle(), top);
  EXPECT_EQ(top.X, -99);
  EXPECT_EQ(top.FillColor, KeyColor);
  EXPECT_FALSE(top.Ready);
  delete form;
}

TEST(UiParentBg, CornersRestoreOnlyKeyPixels) {
  TsSkinManager sm(nullptr);
  FillBgSkin(sm);
  // A border of 3 frames 8 x 8 with 2-pixel margins; key pixels in frame 0's corners.
  AddSection(sm, u"FRAMED");
  const int border = AddPart(sm, u"FRAMED", u"BORDERSMASK", TRect(0, 32, 24, 40), itisaBorder, 3);
  SetMasterBitmap(sm, 64, 48, 0xFF808080);
  TPixelRows master(sm.Model.MasterBitmap.get());
  for (auto p : {TPoint(0, 32), TPoint(1, 33), TPoint(7, 39), TPoint(6, 39), TPoint(7, 32), TPoint(0, 39)})
    master.At(p.X, p.Y) = KeyPixel;
  auto& md = sm.Model.ma[static_cast<size_t>(border)];
  md.WL = md.WT = md.WR = md.WB = 2;
  md.CornerType = sm.DetectCornerType(md);
  ASSERT_EQ(md.CornerType, 1);
  sm.InitConstantIndexes();

  auto* form = new TForm(Application);
  form->SetBounds(10, 10, 300, 200);
  TPanel* root = PanelIn(form, 0, 0, 200, 150);
  TPixels background(200, 150);
  for (int y = 0; y < 150; ++y)
    for (int x = 0; x < 200; ++x) background.At(x, y) = 0xFF000000u | static_cast<uint32_t>(y << 8 | x);
  auto rootSkin = MakeSkinned(root, u"OPAQUE", true);
  TPanel* ctrl = PanelIn(root, 30, 40, 20, 16);
  auto ctrlSkin = MakeSkinned(ctrl, u"FRAMED", true);
  form->Show();
  rootSkin->Data->FCacheBmp = ToBitmap(background);
  rootSkin->Data->FBGChanged = false;
  ASSERT_EQ(ctrlSkin->Data->BorderIndex, border);

  const uint32_t fill = 0xFFABCDEF;
  for (bool colourParent : {false, true}) {
    if (colourParent) rootSkin->Data->SetSkinSection(u"FLAT");
    ctrlSkin->Data->FCacheBmp = ToBitmap(TPixels(20, 16, fill));
    RepaintCtrlCorners(ctrlSkin->Data.get(), 0, CornerTopLeft | CornerBottomRight);
    TPixels after = FromBitmap(*ctrlSkin->Data->FCacheBmp);
    const auto behind = [&](int x, int y) {
      return colourParent ? 0x00996633u : background.At(30 + x, 40 + y);
    };
    // Top-left keys at (0,0), (1,1); bottom-right key at frame (7,7)
    // and (6,7) -> cache (19,15), (18,15). The top-right and bottom-left
    // keys are not asked for.
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 20; ++x) {
        const bool restored = (x == 0 && y == 0) || (x == 1 && y == 1) || (x == 19 && y == 15) || (x == 18 && y == 15);
        EXPECT_EQ(after.At(x, y) & 0xFFFFFF, (restored ? behind(x, y) : fill) & 0xFFFFFF)
            << colourParent << " at " << x << "," << y;
      }
  }
  delete form;
}
