#include "RLTestControls.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct BoundsCase {
  const char* name;
  // Builds the scene on the form and returns the control whose bounds are
  // checked.
  std::function<TRLCustomControl*(TReportForm&)> scene;
  TRect expected;
};

TSizedControl* AutoSized(TReportForm& f, TWinControl* parent, TRect bounds, int naturalW, int naturalH) {
  auto* c = f.Make<TSizedControl>(parent, bounds);
  c->NaturalWidth = naturalW;
  c->NaturalHeight = naturalH;
  return c;
}

TEST(RLControlBounds, BoundsFollowSizeAlignmentHoldersAndSites) {
  const BoundsCase cases[] = {
      {"right-justified text narrowing to 31 keeps the right edge at 150",
       [](TReportForm& f) {
         auto* c = AutoSized(f, nullptr, TRect(100, 10, 150, 30), 31, 20);
         c->SetAlignment(TRLTextAlignment::taRightJustify);
         c->SetAutoSize(true);
         return c;
       },
       TRect(119, 10, 150, 30)},
      {"centred width 31 becomes 32 at left 109",
       [](TReportForm& f) {
         auto* c = AutoSized(f, nullptr, TRect(100, 10, 150, 30), 31, 20);
         c->SetAlignment(TRLTextAlignment::taCenter);
         c->SetAutoSize(true);
         return c;
       },
       TRect(109, 10, 141, 30)},
      {"bottom layout keeps the bottom edge; centred height 9 becomes 10",
       [](TReportForm& f) {
         auto* c = AutoSized(f, nullptr, TRect(0, 100, 20, 130), 20, 9);
         c->SetLayout(TRLTextLayout::tlCenter);
         c->SetAutoSize(true);
         return c;
       },
       TRect(0, 110, 20, 120)},
      {"hsHorizontally keeps the 30 pixels to a holder that moves",
       [](TReportForm& f) {
         auto* holder = f.Make<TSizedControl>(nullptr, TRect(50, 10, 70, 20));
         auto* c = f.Make<TSizedControl>(nullptr, TRect(80, 40, 100, 50));
         c->SetHoldStyle(hsHorizontally);
         c->SetHolder(holder);
         holder->SetLeft(200);
         return static_cast<TRLCustomControl*>(c);
       },
       TRect(230, 40, 250, 50)},
      {"hsVertically keeps the vertical offset, bottom layout lining up the bottoms",
       [](TReportForm& f) {
         auto* holder = f.Make<TSizedControl>(nullptr, TRect(50, 10, 70, 40));
         auto* c = f.Make<TSizedControl>(nullptr, TRect(0, 50, 20, 60));
         c->SetLayout(TRLTextLayout::tlBottom);
         c->SetHoldStyle(hsVertically);
         c->SetHolder(holder);  // offset (-50, 40)
         holder->SetTop(100);
         return static_cast<TRLCustomControl*>(c);
       },
       TRect(0, 160, 20, 170)},
      {"hsRelatively follows the holder both ways; a second holder copies the height",
       [](TReportForm& f) {
         auto* holder = f.Make<TSizedControl>(nullptr, TRect(50, 10, 70, 40));
         auto* tall = f.Make<TSizedControl>(nullptr, TRect(300, 0, 310, 25));
         auto* c = f.Make<TSizedControl>(nullptr, TRect(60, 30, 80, 40));
         c->SetHoldStyle(hsRelatively);
         c->SetHolder(holder);
         c->SetSecondHoldStyle(hsCopyHeight);
         c->SetSecondHolder(tall);
         holder->SetBounds(100, 100, 20, 30);
         return static_cast<TRLCustomControl*>(c);
       },
       TRect(110, 120, 130, 145)},
      {"hsAsColumn takes the holder's left and width",
       [](TReportForm& f) {
         auto* holder = f.Make<TSizedControl>(nullptr, TRect(50, 10, 120, 20));
         auto* c = f.Make<TSizedControl>(nullptr, TRect(0, 40, 20, 50));
         c->SetHolder(holder);
         return static_cast<TRLCustomControl*>(c);
       },
       TRect(50, 40, 120, 50)},
      {"hsAsColumn inside a site sets the absolute left",
       [](TReportForm& f) {
         auto* holder = f.Make<TSizedControl>(nullptr, TRect(50, 10, 120, 20));
         auto* site = f.Make<TRLCustomSite>(nullptr, TRect(20, 100, 300, 200));
         auto* c = f.Make<TSizedControl>(site, TRect(0, 5, 20, 15));
         c->SetHolder(holder);
         return static_cast<TRLCustomControl*>(c);
       },
       TRect(30, 5, 100, 15)},
      {"hsCopySize copies no width the control sizes itself in",
       [](TReportForm& f) {
         auto* holder = f.Make<TSizedControl>(nullptr, TRect(0, 0, 70, 30));
         auto* c = AutoSized(f, nullptr, TRect(200, 40, 220, 50), 20, 10);
         c->SetAutoSize(true);
         c->SetAutoSizeDir({asWidthDir});
         c->SetHoldStyle(hsCopySize);
         c->SetHolder(holder);
         return static_cast<TRLCustomControl*>(c);
       },
       TRect(200, 40, 220, 70)},
      {"a control holding itself is ignored",
       [](TReportForm& f) {
         auto* c = f.Make<TSizedControl>(nullptr, TRect(10, 10, 30, 30));
         c->SetHolder(c);
         c->SetSecondHolder(c);
         EXPECT_EQ(nullptr, c->Holder());
         EXPECT_TRUE(c->Holdeds().empty());
         c->SetLeft(15);
         return static_cast<TRLCustomControl*>(c);
       },
       TRect(15, 10, 35, 30)},
      {"ClientHeight with 1-pixel borders all round makes the height H + 4",
       [](TReportForm& f) {
         auto* c = f.Make<TSizedControl>(nullptr, TRect(0, 0, 40, 40));
         c->Borders()->SetFixedLeft(true);
         c->Borders()->SetFixedTop(true);
         c->Borders()->SetFixedRight(true);
         c->Borders()->SetFixedBottom(true);
         c->SetClientHeight(20);
         EXPECT_EQ(36, c->ClientWidth());
         return static_cast<TRLCustomControl*>(c);
       },
       TRect(0, 0, 40, 24)},
      {"a fixed size wins over the size asked for",
       [](TReportForm& f) {
         auto* c = f.Make<TSizedControl>(nullptr, TRect(0, 0, 40, 40));
         c->SetFixedSize(TPoint(70, 80));
         c->SetSizeFixed(true);
         c->SetBounds(5, 6, 10, 10);
         return static_cast<TRLCustomControl*>(c);
       },
       TRect(5, 6, 75, 86)},
      {"faNone to faLeft goes back to the natural size before aligning",
       [](TReportForm& f) {
         auto* site = f.Make<TRLCustomSite>(nullptr, TRect(0, 0, 200, 100));
         auto* c = AutoSized(f, site, TRect(0, 0, 50, 20), 30, 20);
         c->SetAutoSize(true);
         c->SetAlign(faTop);  // stretched to the site's width
         c->SetAlign(faLeft);
         return static_cast<TRLCustomControl*>(c);
       },
       TRect(0, 0, 30, 100)},
      {"faLeft to faClient keeps the alignment's stretch without re-measuring",
       [](TReportForm& f) {
         auto* site = f.Make<TRLCustomSite>(nullptr, TRect(0, 0, 200, 100));
         auto* c = AutoSized(f, site, TRect(0, 0, 50, 20), 30, 20);
         c->SetAutoSize(true);
         c->SetAlign(faLeft);
         c->NaturalHeight = 7;  // would shrink the height if measured
         c->SetAlign(faClient);
         return static_cast<TRLCustomControl*>(c);
       },
       TRect(0, 0, 200, 100)},
  };
  for (const BoundsCase& c : cases) {
    SCOPED_TRACE(c.name);
    TReportForm f;
    TRLCustomControl* control = c.scene(f);
    const TRect got = control->BoundsRect();
    EXPECT_EQ(c.expected, got) << "got (" << got.Left << ", " << got.Top << ", " << got.Right << ", " << got.Bottom
                               << ")";
    EXPECT_FALSE(control->HandleAllocated());
  }
}

TEST(RLControlBounds, GrowingControlsExpandTheirSite) {
  struct Case {
    const char* name;
    bool siteAutoSize, siteAutoExpand, expander;
    int expectedSiteHeight;
  };
  const Case cases[] = {
      {"auto-expanding site grows with a site expander", false, true, true, 130},
      {"auto-expanding site ignores a control that is not an expander", false, true, false, 100},
      {"auto-sized site measures its children again", true, false, false, 50},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TReportForm f;
    auto* site = f.Make<TRLCustomSite>(nullptr, TRect(0, 0, 200, 100));
    site->SetAutoSizeDir({asHeightDir});
    auto* child = f.Make<TSizedControl>(site, TRect(0, 0, 50, 20));
    if (c.expander) child->SetBehavior({beSiteExpander});
    site->SetAutoExpand(c.siteAutoExpand);
    site->SetAutoSize(c.siteAutoSize);
    if (!c.siteAutoSize) {
      EXPECT_EQ(100, site->Height());
    }
    child->SetHeight(50);
    EXPECT_EQ(c.expectedSiteHeight, site->Height());
  }
}

TEST(RLControlBounds, AFreeControlGrowingItsSiteStillMovesTheAlignedOnes) {
  TReportForm f;
  auto* site = f.Make<TRLCustomSite>(nullptr, TRect(0, 0, 200, 100));
  site->SetAutoSizeDir({asHeightDir});
  site->SetAutoExpand(true);
  auto* footer = f.Make<TSizedControl>(site, TRect(0, 0, 50, 10));
  footer->SetAlign(faBottom);
  auto* grower = f.Make<TSizedControl>(site, TRect(0, 0, 50, 20));
  grower->SetBehavior({beSiteExpander});
  auto* beside = f.Make<TSizedControl>(site, TRect(60, 0, 110, 20));
  ASSERT_EQ(TRect(0, 90, 200, 100), footer->BoundsRect());
  grower->SetHeight(50);
  EXPECT_EQ(130, site->Height());
  EXPECT_EQ(TRect(0, 120, 200, 130), footer->BoundsRect());
  EXPECT_EQ(TRect(60, 0, 110, 20), beside->BoundsRect());
}

TEST(RLControlBounds, PopBoundsRectLeavesTheSiteSizeAlone) {
  TReportForm f;
  auto* site = f.Make<TRLCustomSite>(nullptr, TRect(0, 0, 200, 100));
  site->SetAutoSizeDir({asHeightDir});
  site->SetAutoExpand(true);
  auto* child = f.Make<TSizedControl>(site, TRect(0, 0, 50, 20));
  child->SetBehavior({beSiteExpander});
  site->PushChildBounds();
  child->SetHeight(50);
  ASSERT_EQ(130, site->Height());
  site->PopChildBounds();
  EXPECT_EQ(TRect(0, 0, 50, 20), child->BoundsRect());
  EXPECT_EQ(130, site->Height());
  EXPECT_TRUE(child->ControlState().Empty());
}

TEST(RLControlBounds, OnResizeFiresOnASizeChangeAndOldBoundsSurviveItsHandler) {
  TReportForm f;
  auto* c = f.Make<TSizedControl>(nullptr, TRect(10, 10, 60, 30));
  int resizes = 0;
  c->OnResize = [&](TObject*) {
    // A handler that moves the control once, as a layout might.
    if (++resizes == 1) c->SetLeft(0);
  };
  c->SetBounds(20, 10, 50, 20);
  EXPECT_EQ(0, resizes) << "a move is no resize";
  c->SetBounds(20, 10, 80, 20);
  EXPECT_EQ(1, resizes);
  EXPECT_EQ(TRect(0, 10, 80, 30), c->BoundsRect());
  EXPECT_EQ(TRect(20, 10, 70, 30), c->OldBoundsRect());
  c->SetBounds(0, 10, 80, 20);
  EXPECT_EQ(1, resizes);
  EXPECT_EQ(TRect(0, 10, 80, 30), c->OldBoundsRect());
  EXPECT_FALSE(c->HandleAllocated());
}

}  // namespace
