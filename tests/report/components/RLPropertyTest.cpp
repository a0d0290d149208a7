#include "RLTestControls.h"

#include "report/components/RLSortedBands.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(RLMargins, OnlyMarginsThatDifferFromTheirDefaultsAreStored) {
  TRLMargins margins(nullptr);
  margins.SetDefaults(10, 10, 10, 10);
  EXPECT_DOUBLE_EQ(10, margins.LeftMargin());
  EXPECT_FALSE(margins.LeftMarginStored());
  margins.SetTopMargin(5.0);
  EXPECT_TRUE(margins.TopMarginStored());
  EXPECT_FALSE(margins.BottomMarginStored());

  TRLMargins copy(nullptr);
  copy.Assign(margins);
  EXPECT_DOUBLE_EQ(5.0, copy.TopMargin());
  EXPECT_TRUE(copy.LeftMarginStored()) << "the copy keeps its own defaults of 0";
}

TEST(RLSiteProperties, SettersCopyTheValuesAndTheCallerKeepsItsObject) {
  TReportForm f;
  auto* site = f.Make<TRLCustomSite>(nullptr, TRect(0, 0, 100, 100));
  TRLBackground* ownBackground = site->Background();
  TRLDegradeEffect* ownDegrade = site->Degrade();
  {
    TRLBackground background(nullptr);
    background.SetArrange(baCenter);
    background.SetWidth(12);
    TRLDegradeEffect degrade(nullptr);
    degrade.SetDirection(ddVertical);
    degrade.SetGranularity(4);
    TRLMargins margins(nullptr);
    margins.SetLeftMargin(7);
    site->SetBackground(&background);
    site->SetDegrade(&degrade);
    site->SetMargins(&margins);
    site->SetInsideMargins(&margins);
  }  // the caller's objects go; the site's stay
  EXPECT_EQ(ownBackground, site->Background());
  EXPECT_EQ(site, site->Background()->ParentSite());
  EXPECT_EQ(baCenter, site->Background()->Arrange());
  EXPECT_EQ(12, site->Background()->Width());
  EXPECT_EQ(ownDegrade, site->Degrade());
  EXPECT_EQ(ddVertical, site->Degrade()->Direction());
  EXPECT_EQ(4, site->Degrade()->Granularity());
  EXPECT_DOUBLE_EQ(7, site->Margins()->LeftMargin());
  EXPECT_DOUBLE_EQ(7, site->InsideMargins()->LeftMargin());
  // 7 mm on each chain: 26 pixels of margin and 26 inside.
  EXPECT_EQ(52, site->ClientRect().Left);
}

TEST(RLGradient, StripsGoFromTheSiteColourTowardsTheOppositeOne) {
  struct Case {
    const char* name;
    TRLDegradeDirection direction;
    int granularity;
    TRect rect;
    std::vector<TRect> strips;
  };
  const Case cases[] = {
      {"10 pixels at granularity 3: four strips, the last 1 wide", ddHorizontal, 3, TRect(0, 0, 10, 5),
       {TRect(0, 0, 3, 5), TRect(3, 0, 6, 5), TRect(6, 0, 9, 5), TRect(9, 0, 10, 5)}},
      {"vertical strips run down the height", ddVertical, 4, TRect(2, 10, 6, 18),
       {TRect(2, 10, 6, 14), TRect(2, 14, 6, 18)}},
      {"granularity below 1 counts as 1", ddHorizontal, -3, TRect(0, 0, 2, 1),
       {TRect(0, 0, 1, 1), TRect(1, 0, 2, 1)}},
      {"an empty rectangle has no strips", ddHorizontal, 1, TRect(5, 0, 5, 10), {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TRLDegradeEffect degrade(nullptr);
    degrade.SetDirection(c.direction);
    degrade.SetGranularity(c.granularity);
    degrade.SetOppositeColor(0xFFFFFF);
    std::vector<TRLGradientStrip> strips = degrade.Strips(0, c.rect);
    ASSERT_EQ(c.strips.size(), strips.size());
    for (size_t i = 0; i < strips.size(); ++i) EXPECT_EQ(c.strips[i], strips[i].Rect) << i;
    if (!strips.empty()) {
      EXPECT_EQ(0, strips[0].Color) << "the first strip has the site's colour";
    }
  }
  // Halves round to even: a quarter of 0x80 towards 0 from it, per channel.
  TRLDegradeEffect degrade(nullptr);
  degrade.SetOppositeColor(0x000000);
  degrade.SetGranularity(1);
  std::vector<TRLGradientStrip> strips = degrade.Strips(0x0A0A0A, TRect(0, 0, 4, 1));
  ASSERT_EQ(4u, strips.size());
  // 10 - round(2.5) = 8, 10 - round(5) = 5, 10 - round(7.5) = 2.
  EXPECT_EQ(0x080808, strips[1].Color);
  EXPECT_EQ(0x050505, strips[2].Color);
  EXPECT_EQ(0x020202, strips[3].Color);
}

TEST(RLBackgroundLayout, AlignedCentredAndTiledPlaces) {
  TRLBackground background(nullptr);
  background.SetAutoSize(false);
  background.SetWidth(10);
  background.SetHeight(6);
  background.SetStretch(true);
  const TRect r(0, 0, 101, 51);
  const struct {
    TRLControlAlign align;
    TRect placed;
  } aligned[] = {
      {faNone, TRect(0, 0, 10, 6)},       {faLeft, TRect(0, 0, 10, 51)},
      {faTop, TRect(0, 0, 101, 6)},       {faRight, TRect(91, 0, 101, 51)},
      {faBottom, TRect(0, 45, 101, 51)},  {faClient, r},
      {faRightTop, TRect(91, 0, 101, 6)}, {faLeftBottom, TRect(0, 45, 10, 51)},
      {faCenter, TRect(45, 22, 55, 28)},  {faClientLeft, TRect(0, 22, 10, 28)},
      {faTopOnly, TRect(45, 0, 55, 6)},   {faCenterRight, TRect(91, 22, 101, 28)},
      {faBottomOnly, TRect(45, 45, 55, 51)}, {faHeight, TRect(45, 0, 55, 51)},
      {faWidth, TRect(0, 22, 101, 28)},
  };
  for (const auto& a : aligned) {
    background.SetAlign(a.align);
    EXPECT_EQ(a.placed, background.PlacedRect(r)) << "align " << int(a.align);
  }
  background.SetArrange(baCenter);
  EXPECT_EQ(TRect(45, 22, 55, 28), background.PlacedRect(r));

  background.SetArrange(baDistributed);
  std::vector<TRect> tiles = background.TileRects(20, 6);
  // Rows at 0 and 6 (6 is not beyond the height); the second starts half a
  // tile to the left.
  const std::vector<TRect> expected = {TRect(0, 0, 10, 6),   TRect(10, 0, 20, 6),  TRect(20, 0, 30, 6),
                                       TRect(-5, 6, 5, 12),  TRect(5, 6, 15, 12),  TRect(15, 6, 25, 12)};
  EXPECT_EQ(expected, tiles);
  for (int size : {0, -4}) {
    background.SetWidth(size);
    EXPECT_TRUE(background.TileRects(20, 6).empty()) << size;
  }
}

TEST(RLSortedBands, BandsByTypeOrderedByTopWithPrintedFlags) {
  TReportForm f;
  auto band = [&](TRLBandType type, int top) {
    auto* b = f.Make<TRLCustomBand>(nullptr, TRect(0, top, 100, top + 10));
    b->SetBandType(type);
    return b;
  };
  TRLCustomBand* at50 = band(btDetail, 50);
  TRLCustomBand* at20 = band(btDetail, 20);
  TRLCustomBand* another20 = band(btDetail, 20);
  TRLCustomBand* title = band(btTitle, 0);
  TRLSortedBands sorted;
  sorted.Add(at50);
  sorted.Add(at20);
  sorted.Add(another20);
  sorted.Add(title);
  sorted.Add(f.Make<TRLCustomSite>(nullptr, TRect(0, 0, 10, 10)));  // not a band: ignored
  EXPECT_EQ((std::vector<TRLCustomBand*>{at20, another20, at50}), sorted.GetList(btDetail));
  EXPECT_EQ((std::vector<TRLCustomBand*>{title}), sorted.GetList(btTitle));
  EXPECT_TRUE(sorted.GetList(btFooter).empty());

  sorted.SetPrinted(btTitle, true);
  sorted.SetPrinted(btDetail, true);
  sorted.ResetPage();
  EXPECT_TRUE(sorted.GetPrinted(btTitle)) << "a title prints once per report";
  EXPECT_FALSE(sorted.GetPrinted(btDetail));
  sorted.ResetAll();
  EXPECT_FALSE(sorted.GetPrinted(btTitle));
  sorted.Clear();
  EXPECT_TRUE(sorted.GetList(btDetail).empty());
}

}  // namespace
