// Outer effects painted by a container into its cache, and a control's
// border painted with its fill, on windowless controls over a hand-made skin.
#include "skin/support/SkinModelFixture.h"
#include "skin/engine/CommonData.h"
#include "skin/engine/ControlMessages.h"
#include "skin/engine/OuterEffects.h"
#include "skin/engine/ParentBg.h"
#include "skin/engine/SkinCommands.h"
#include "skin/graphics/Fades.h"
#include "skin/graphics/Pixels32.h"
#include "platform/ui/ExtCtrls.h"
#include <gtest/gtest.h>
#include <memory>

namespace {
constexpr uint32_t Fill = 0xFF102030;

struct TTree {
  TsSkinManager sm{nullptr};
  std::unique_ptr<TPanel> panel = std::make_unique<TPanel>(nullptr);
  TBevel* child = nullptr;
  std::unique_ptr<TsCommonData> container, data;
  int outerPart = -1, painted = 0;

  TTree() {
    FillSampleModel(sm);
    SetMasterBitmap(sm, 64, 32, 0xFFE0E0E0);
    AddSection(sm, u"BOX");
    const int shadowed = AddSection(sm, u"SHADOWED");
    AddSection(sm, u"PLAIN");
    outerPart = AddPart(sm, u"SHADOWED", u"OUTERMASK", TRect(0, 0, 16, 16));
    auto& md = sm.Model.ma[static_cast<size_t>(outerPart)];
    md.WL = md.WT = md.WR = md.WB = 4;
    auto& gd = sm.Model.gd[static_cast<size_t>(shadowed)];
    gd.OuterMask = outerPart;
    gd.OuterOffset = TRect(2, 2, 3, 4);
    gd.OuterOpacity = 255;
    sm.Effects().SetAllowOuterEffects(true);

    panel->SetBounds(0, 0, 100, 60);
    container = std::make_unique<TsCommonData>(panel.get(), true);
    container->SetSkinManager(&sm);
    container->Loading = false;
    container->SetSkinSection(u"BOX");
    container->InitCacheBmp();
    FillRect32(*container->FCacheBmp, TRect(0, 0, 100, 60), 0x302010, 255);

    child = new TBevel(panel.get());
    child->SetParent(panel.get());
    child->SetBounds(10, 10, 30, 20);
    data = std::make_unique<TsCommonData>(child, true);
    data->SetSkinManager(&sm);
    data->Loading = false;
    data->SetSkinSection(u"SHADOWED");
    data->OuterEffects().SetVisibility(TacOuterVisibility::ovAlways);
    auto old = child->WindowProc;
    child->WindowProc = [this, old](TMessage& m) {
      if (m.Msg != SM_SKINCMD) return old(m);
      if (m.WParamHi() == SKC_PAINTOUTER) ++painted;
      HandleSkinCmd(m, data.get());
    };
  }
  ~TTree() {
    data.reset();
    container.reset();
    panel.reset();
  }
  uint32_t At(int x, int y) { return TPixelRows(container->FCacheBmp.get()).At(x, y); }
};
}  // namespace

TEST(OuterEffects, ChildrenPaintTheirShadowIntoTheContainer) {
  TTree t;
  t.sm.Effects().SetAllowOuterEffects(false);
  PaintOuterEffects(t.container.get(), t.panel.get(), TPoint(0, 0));
  EXPECT_EQ(t.painted, 0) << "outer effects off";

  t.sm.Effects().SetAllowOuterEffects(true);
  PaintOuterEffects(t.container.get(), t.panel.get(), TPoint(5, 0));
  EXPECT_EQ(t.painted, 1);
  ASSERT_TRUE(t.data->FOuterCache);
  // The child at (15, 10, 45, 30) grown by 2, 2, 3 and 4.
  EXPECT_EQ(t.data->FOuterCache->Width(), 35);
  EXPECT_EQ(t.data->FOuterCache->Height(), 26);
  EXPECT_EQ(TPixelRows(t.data->FOuterCache.get()).At(0, 0), Fill) << "the background under the effect is kept";
  EXPECT_NE(t.At(13, 20), Fill) << "left strip painted";
  EXPECT_NE(t.At(30, 33), Fill) << "bottom strip painted";
  EXPECT_EQ(t.At(30, 20), Fill) << "the middle is left alone";
  EXPECT_EQ(t.At(12, 20), Fill) << "nothing outside the effect";

  // Painting again with the old background put back first.
  FillRect32(*t.container->FCacheBmp, TRect(0, 0, 100, 60), 0x302010, 255);
  TacParentBgData record;
  record.BgKind = 2;
  record.Bmp = t.container->FCacheBmp.get();
  TMessage again{SM_SKINCMD, SkinCmdWParam(SKC_PAINTOUTER, 0x100), reinterpret_cast<LPARAM>(&record), 0};
  t.child->Perform(again.Msg, again.WParam, again.LParam);
  EXPECT_NE(t.At(8, 20), Fill);

  // A section without an outer mask and outer mode 0 paints nothing.
  t.data->FOuterCache.reset();
  auto& gd = t.sm.Model.gd[static_cast<size_t>(t.data->SkinIndex)];
  gd.OuterMask = -1;
  gd.OuterMode = 0;
  FillRect32(*t.container->FCacheBmp, TRect(0, 0, 100, 60), 0x302010, 255);
  PaintOuterEffects(t.container.get(), t.panel.get(), TPoint(0, 0));
  EXPECT_EQ(t.painted, 3);
  EXPECT_FALSE(t.data->FOuterCache);
  EXPECT_EQ(t.At(9, 20), Fill);
}

TEST(OuterEffects, FrameAndFill) {
  TTree t;
  const int edit = t.sm.GetSkinIndex(u"EDIT");
  const int border = t.sm.GetMaskIndex(u"EDIT", u"BORDERSMASK");
  ASSERT_GE(border, 0);
  auto& md = t.sm.Model.ma[static_cast<size_t>(border)];
  md.WL = md.WT = md.WR = md.WB = 2;
  t.sm.Model.gd[static_cast<size_t>(edit)].BorderIndex = border;
  t.sm.Model.gd[static_cast<size_t>(edit)].Props[0].Color = 0x00FF00;
  t.data->SetSkinSection(u"EDIT");
  ASSERT_EQ(t.data->BorderIndex, border);
  t.data->InitCacheBmp();
  ASSERT_EQ(t.data->FCacheBmp->Width(), 30);
  TRect client;
  PaintFrameAndFill(t.data->FCacheBmp->Canvas()->Handle(), TRect(0, 0, 30, 20), 3, t.data.get(), 0, client);
  EXPECT_EQ(client, TRect(3, 3, 27, 17)) << "shrunk by the fill width";
  TPixelRows rows(t.data->FCacheBmp.get());
  EXPECT_EQ(rows.At(2, 10), 0xFF00FF00u) << "one-pixel strip inside the margin";
  EXPECT_EQ(rows.At(27, 10), 0xFF00FF00u);
  EXPECT_EQ(rows.At(15, 17), 0xFF00FF00u);
  EXPECT_NE(rows.At(1, 10), 0xFF00FF00u) << "the border itself";
  EXPECT_NE(rows.At(3, 10), 0xFF00FF00u) << "the client area";

  // Without a border image and no fill: nothing painted, the rectangle kept.
  t.data->SetSkinSection(u"PLAIN");
  auto target = NewBmp32(30, 20);
  FillRect32(*target, TRect(0, 0, 30, 20), 0x302010, 255);
  TRect kept(1, 2, 3, 4);
  PaintFrameAndFill(target->Canvas()->Handle(), TRect(0, 0, 30, 20), 0, t.data.get(), 0, kept);
  EXPECT_EQ(kept, TRect(1, 2, 3, 4));
  EXPECT_EQ(TPixelRows(target.get()).At(0, 0), Fill);
}
