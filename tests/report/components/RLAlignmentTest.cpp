#include "RLTestControls.h"

#include "platform/ui/ExtCtrls.h"
#include "report/pages/RLGraphicSurface.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

enum class Kind { Plain, Header, Title, Group };

struct Child {
  TRLControlAlign align;
  TRect design;  // bounds before the layout
  TRect expected;
  Kind kind = Kind::Plain;
  int fixedHeight = 0;  // forced on every SetBounds when not 0
};

struct Layout {
  const char* name;
  TRect site;
  std::vector<Child> children;
};

TRLCustomControl* MakeChild(TReportForm& f, TRLCustomSite* site, const Child& c) {
  TRLCustomControl* control = nullptr;
  switch (c.kind) {
    case Kind::Plain: control = f.Make<TSizedControl>(site, c.design); break;
    case Kind::Header:
    case Kind::Title: {
      auto* band = f.Make<TRLCustomBand>(site, c.design);
      band->SetBandType(c.kind == Kind::Header ? btHeader : btTitle);
      control = band;
      break;
    }
    case Kind::Group: control = f.Make<TRLCustomGroup>(site, c.design); break;
  }
  // Hidden children are not laid out: the one layout that counts is the
  // one from the design positions, below.
  control->SetVisible(false);
  if (c.fixedHeight) {
    control->SetFixedSize(TPoint(c.design.Width(), c.fixedHeight));
    control->SetSizeFixed(true);
  }
  control->SetAlign(c.align);
  return control;
}

TEST(RLSiteAlignment, ChildrenOfEveryKindGetTheirRectangles) {
  const Layout layouts[] = {
      {"every kind once in a 200 x 100 site",
       TRect(0, 0, 200, 100),
       {
           {faLeftMost, TRect(0, 0, 10, 10), TRect(0, 0, 10, 100)},
           {faRightMost, TRect(0, 0, 10, 10), TRect(190, 0, 200, 100)},
           {faTop, TRect(0, 0, 10, 10), TRect(10, 0, 190, 10)},
           {faBottom, TRect(0, 0, 10, 10), TRect(10, 90, 190, 100)},
           {faLeft, TRect(0, 0, 20, 10), TRect(10, 10, 30, 90)},
           {faRight, TRect(0, 0, 20, 10), TRect(170, 10, 190, 90)},
           {faClient, TRect(0, 0, 5, 5), TRect(30, 10, 170, 90)},
           {faLeftTop, TRect(0, 0, 10, 5), TRect(30, 10, 40, 15)},
           {faRightTop, TRect(0, 0, 10, 8), TRect(160, 10, 170, 18)},
           {faClientTop, TRect(0, 0, 5, 4), TRect(40, 10, 160, 14)},
           {faLeftBottom, TRect(0, 0, 10, 6), TRect(30, 84, 40, 90)},
           {faRightBottom, TRect(0, 0, 10, 7), TRect(160, 83, 170, 90)},
           {faClientBottom, TRect(0, 0, 5, 3), TRect(40, 87, 160, 90)},
           {faClientLeft, TRect(0, 0, 5, 5), TRect(30, 15, 35, 84)},
           {faClientRight, TRect(0, 0, 6, 5), TRect(164, 18, 170, 83)},
           {faLeftOnly, TRect(50, 50, 55, 55), TRect(30, 50, 35, 55)},
           {faRightOnly, TRect(50, 50, 55, 55), TRect(165, 50, 170, 55)},
           {faTopOnly, TRect(50, 50, 55, 55), TRect(50, 10, 55, 15)},
           {faBottomOnly, TRect(60, 40, 65, 45), TRect(60, 85, 65, 90)},
           {faHeight, TRect(70, 40, 74, 44), TRect(70, 10, 74, 90)},
           {faWidth, TRect(70, 40, 74, 44), TRect(30, 40, 170, 44)},
           {faCenterLeft, TRect(0, 0, 6, 10), TRect(30, 45, 36, 55)},
           {faCenterTop, TRect(0, 0, 10, 6), TRect(95, 10, 105, 16)},
           {faCenterRight, TRect(0, 0, 6, 10), TRect(164, 45, 170, 55)},
           {faCenterBottom, TRect(0, 0, 10, 6), TRect(95, 84, 105, 90)},
           {faCenter, TRect(0, 0, 10, 10), TRect(85, 42, 95, 52)},
           {faCenter, TRect(5, 0, 25, 6), TRect(95, 42, 115, 48)},
           {faNone, TRect(100, 60, 105, 65), TRect(100, 60, 105, 65)},
       }},
      {"two client controls share the width, the last taking the rest",
       TRect(0, 0, 300, 40),
       {
           {faClient, TRect(0, 0, 100, 10), TRect(0, 0, 150, 40)},
           {faClient, TRect(120, 0, 170, 10), TRect(150, 0, 300, 40)},
       }},
      {"client-left slots of 33, 33 and 34",
       TRect(0, 0, 50, 100),
       {
           {faClientLeft, TRect(0, 0, 10, 5), TRect(0, 0, 10, 33)},
           {faClientLeft, TRect(0, 10, 10, 15), TRect(0, 33, 10, 66)},
           {faClientLeft, TRect(0, 20, 10, 25), TRect(0, 66, 10, 100)},
       }},
      {"client-right controls held at 20 pixels follow each other's real height",
       TRect(0, 0, 50, 100),
       {
           {faClientRight, TRect(0, 0, 10, 20), TRect(40, 0, 50, 20), Kind::Plain, 20},
           {faClientRight, TRect(0, 10, 10, 30), TRect(40, 20, 50, 40), Kind::Plain, 20},
           {faClientRight, TRect(0, 20, 10, 40), TRect(40, 40, 50, 60), Kind::Plain, 20},
       }},
      {"bottom and top rows keep the design order from left to right",
       TRect(0, 0, 100, 50),
       {
           {faCenterBottom, TRect(10, 0, 20, 10), TRect(20, 40, 30, 50)},
           {faCenterBottom, TRect(60, 0, 70, 10), TRect(70, 40, 80, 50)},
           {faClientBottom, TRect(10, 0, 20, 10), TRect(0, 40, 50, 50)},
           {faClientBottom, TRect(60, 0, 70, 10), TRect(50, 40, 100, 50)},
           {faCenterTop, TRect(10, 0, 20, 10), TRect(20, 0, 30, 10)},
           {faCenterTop, TRect(60, 0, 70, 10), TRect(70, 0, 80, 10)},
           {faClientTop, TRect(10, 0, 20, 10), TRect(0, 0, 50, 10)},
           {faClientTop, TRect(60, 0, 70, 10), TRect(50, 0, 100, 10)},
       }},
      {"shared kinds get nothing, not a negative size, where the columns overran the site",
       TRect(0, 0, 100, 40),
       {
           {faLeft, TRect(0, 0, 60, 10), TRect(0, 0, 60, 40)},
           {faRight, TRect(0, 0, 60, 10), TRect(40, 0, 100, 40)},
           {faClient, TRect(0, 0, 10, 10), TRect(60, 0, 60, 40)},
           {faClient, TRect(20, 0, 30, 10), TRect(60, 0, 60, 40)},
           {faCenterTop, TRect(0, 0, 10, 6), TRect(55, 0, 65, 6)},
           {faCenterTop, TRect(30, 0, 40, 6), TRect(55, 0, 65, 6)},
       }},
      {"plain controls, then bands by type, then groups; the position decides last",
       TRect(0, 0, 100, 100),
       {
           {faTop, TRect(0, 0, 10, 10), TRect(0, 25, 100, 35), Kind::Title},
           {faTop, TRect(0, 60, 10, 70), TRect(0, 35, 100, 45), Kind::Group},
           {faTop, TRect(0, 50, 10, 60), TRect(0, 15, 100, 25), Kind::Header},
           {faTop, TRect(0, 90, 10, 95), TRect(0, 10, 100, 15)},
           {faTop, TRect(0, 80, 10, 90), TRect(0, 0, 100, 10)},
       }},
  };
  for (const Layout& layout : layouts) {
    SCOPED_TRACE(layout.name);
    TReportForm f;
    auto* site = f.Make<TRLCustomSite>(nullptr, layout.site);
    std::vector<TRLCustomControl*> made;
    for (const Child& c : layout.children) made.push_back(MakeChild(f, site, c));
    for (TRLCustomControl* control : made) control->SetVisible(true);
    // A layout is where the next one starts: nothing may move again.
    for (const char* pass : {"first layout", "second layout"}) {
      SCOPED_TRACE(pass);
      site->RealignControls();
      for (size_t i = 0; i < made.size(); ++i) {
        const TRect& e = layout.children[i].expected;
        const TRect got = made[i]->BoundsRect();
        EXPECT_EQ(e, got) << "child " << i << ": got (" << got.Left << ", " << got.Top << ", " << got.Right << ", "
                          << got.Bottom << ")";
      }
    }
    EXPECT_FALSE(site->HandleAllocated());
  }
}

TEST(RLSiteAlignment, AnchorsFollowTheSiteSize) {
  struct Case {
    const char* name;
    TRLControlAnchors anchors;
    TRect siteAfter;
    TRect expected;
  };
  // A 100 x 100 site; the child sits at (20, 30, 40, 40).
  const Case cases[] = {
      {"left only, height doubled: top doubles", {fkLeft}, TRect(0, 0, 100, 200), TRect(20, 60, 40, 70)},
      {"left only, height kept: stays", {fkLeft}, TRect(0, 0, 150, 100), TRect(20, 30, 40, 40)},
      {"top only, width doubled: left doubles", {fkTop}, TRect(0, 0, 200, 100), TRect(40, 30, 60, 40)},
      {"left and right: right edge follows", {fkLeft, fkRight}, TRect(0, 0, 130, 100), TRect(20, 30, 70, 40)},
      {"right alone: moves", {fkRight}, TRect(0, 0, 130, 100), TRect(50, 30, 70, 40)},
      {"top and bottom: bottom edge follows", {fkTop, fkBottom}, TRect(0, 0, 100, 120), TRect(20, 30, 40, 60)},
      {"bottom alone: moves", {fkBottom}, TRect(0, 0, 100, 120), TRect(20, 50, 40, 60)},
      {"none: keeps its bounds", {}, TRect(0, 0, 300, 300), TRect(20, 30, 40, 40)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TReportForm f;
    auto* site = f.Make<TRLCustomSite>(nullptr, TRect(0, 0, 100, 100));
    auto* child = f.Make<TSizedControl>(site, TRect(20, 30, 40, 40));
    child->SetAnchors(c.anchors);
    site->SetBoundsRect(c.siteAfter);
    EXPECT_EQ(c.expected, child->BoundsRect());
    site->RealignControls();
    EXPECT_EQ(c.expected, child->BoundsRect()) << "a second layout at the same size moves nothing";
  }
}

// A site remembers what its children are between layouts: children that
// come, go, hide or are platform controls must still be laid out as they
// are now.
TEST(RLSiteAlignment, ChildrenChangedBetweenLayoutsAreLaidOutAsTheyAreNow) {
  TReportForm f;
  auto* site = f.Make<TRLCustomSite>(nullptr, TRect(0, 0, 200, 100));
  auto* first = f.Make<TSizedControl>(site, TRect(0, 0, 10, 10));
  auto* second = f.Make<TSizedControl>(site, TRect(0, 50, 10, 70));
  first->SetAlign(faTop);
  second->SetAlign(faTop);
  EXPECT_EQ(TRect(0, 10, 200, 30), second->BoundsRect());

  delete first;
  // A site in the first one's place, whose own child fills it.
  auto* inner = f.Make<TRLCustomSite>(site, TRect(0, 0, 10, 30));
  auto* filler = f.Make<TSizedControl>(inner, TRect(0, 0, 5, 5));
  filler->SetAlign(faClient);
  inner->SetAlign(faTop);
  auto* panel = new TPanel(f.Form());
  panel->SetBounds(0, 90, 10, 5);
  panel->SetParent(site);
  panel->SetAlign(alTop);
  site->RealignControls();
  EXPECT_EQ(TRect(0, 0, 200, 20), second->BoundsRect());
  EXPECT_EQ(TRect(0, 20, 200, 50), inner->BoundsRect());
  EXPECT_EQ(TRect(0, 0, 200, 30), filler->BoundsRect());
  EXPECT_EQ(TRect(0, 50, 200, 55), panel->BoundsRect()) << "a platform control takes the kind of its own Align";

  second->SetVisible(false);
  site->RealignControls();
  EXPECT_EQ(TRect(0, 0, 200, 30), inner->BoundsRect());
  EXPECT_EQ(TRect(0, 30, 200, 35), panel->BoundsRect());
  EXPECT_EQ(TRect(0, 0, 200, 20), second->BoundsRect()) << "a hidden child is not laid out";
}

// A site lays out again only when something that decides the layout has
// changed; none of these changes moves a child by itself.
TEST(RLSiteAlignment, ChangesThatMoveNoChildStillLayOutAgain) {
  using Change = void (*)(TRLCustomSite*, TRLCustomBand*, TRLCustomBand*);
  struct Case {
    const char* name;
    Change change;
    TRect first, second;
  };
  const Case cases[] = {
      {"a band type that puts the first band last",
       [](TRLCustomSite*, TRLCustomBand* first, TRLCustomBand*) { first->SetBandType(btSummary); },
       TRect(0, 16, 100, 32), TRect(0, 0, 100, 16)},
      {"an inside margin that moves the area",
       [](TRLCustomSite* site, TRLCustomBand*, TRLCustomBand*) { site->InsideMargins()->SetTopMargin(5 * 25.4 / 96); },
       TRect(0, 5, 100, 21), TRect(0, 21, 100, 37)},
      {"a size forced on a band",
       [](TRLCustomSite*, TRLCustomBand*, TRLCustomBand* second) {
         second->SetFixedSize(TPoint(100, 12));
         second->SetSizeFixed(true);
       },
       TRect(0, 0, 100, 16), TRect(0, 16, 100, 28)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TReportForm f;
    auto* site = f.Make<TRLCustomSite>(nullptr, TRect(0, 0, 100, 100));
    auto* first = f.Make<TRLCustomBand>(site, TRect(0, 50, 10, 66));
    first->SetBandType(btHeader);
    auto* second = f.Make<TRLCustomBand>(site, TRect(0, 0, 10, 16));
    second->SetBandType(btTitle);
    site->RealignControls();
    ASSERT_EQ(TRect(0, 0, 100, 16), first->BoundsRect());
    ASSERT_EQ(TRect(0, 16, 100, 32), second->BoundsRect());
    c.change(site, first, second);
    site->RealignControls();
    EXPECT_EQ(c.first, first->BoundsRect());
    EXPECT_EQ(c.second, second->BoundsRect());
  }
}

TEST(RLSiteAlignment, ProportionalAnchorsFromAnEmptySiteKeepTheBounds) {
  TReportForm f;
  auto* site = f.Make<TRLCustomSite>(nullptr, TRect(0, 0, 0, 0));
  auto* child = f.Make<TSizedControl>(site, TRect(20, 30, 40, 40));
  child->SetAnchors({fkLeft});
  site->SetBounds(0, 0, 100, 100);
  EXPECT_EQ(TRect(20, 30, 40, 40), child->BoundsRect());
}

TEST(RLSiteRectangles, MarginsBordersAndInsideMarginsAtDesignAndPrintTime) {
  TReportForm f;
  auto* report = f.Make<TRLCustomReport>(nullptr, TRect(0, 0, 400, 400));
  auto* site = f.Make<TRLCustomSite>(report, TRect(20, 30, 220, 130));
  const double mm = 25.4 / 96;  // one pixel
  site->Margins()->SetLeftMargin(3 * mm);
  site->Margins()->SetTopMargin(4 * mm);
  site->Borders()->SetSides(sdAll);
  site->Borders()->SetWidth(2);
  site->Borders()->SetDrawRight(false);
  site->InsideMargins()->SetRightMargin(5 * mm);
  site->InsideMargins()->SetBottomMargin(6 * mm);
  // Margins 3 and 4, borders 2 (none on the right), inside margins 5 and 6.
  EXPECT_EQ(TRect(3, 4, 200, 100), site->BorderRectOf(TRect(0, 0, 200, 100)));
  EXPECT_EQ(TRect(5, 6, 195, 92), site->ClientRect());
  TRect insets;
  site->GetBorderInsets(insets);
  EXPECT_EQ(TRect(5, 6, 5, 8), insets);

  site->SetClientRect(TRect(10, 10, 110, 60));
  EXPECT_EQ(TRect(5, 4, 115, 68), site->BoundsRect());

  // At print time the chain starts from the print size.
  site->OpenSurface();
  TRect inner, bounds;
  site->GetPrintInnerRect(inner);
  site->GetSiteRelativeBounds(bounds);
  EXPECT_EQ(TRect(5, 6, 105, 56), inner);
  EXPECT_EQ(TRect(5, 4, 115, 68), bounds);
  EXPECT_EQ(TRect(5, 6, 105, 56), site->Surface()->Margins()) << "the surface's margins are the client rectangle";
  EXPECT_EQ(TPoint(5, 4), site->AbsolutePrintPosition());
}

TEST(RLSiteAlignment, AutoSizedSiteTakesTheSizeItsChildrenNeed) {
  TReportForm f;
  auto* page = f.Make<TRLCustomSite>(nullptr, TRect(0, 0, 300, 400));
  auto* band = f.Make<TRLCustomSite>(page, TRect(0, 0, 300, 50));
  band->SetAlign(faTop);
  f.Make<TSizedControl>(band, TRect(10, 5, 60, 35));
  auto* top = f.Make<TSizedControl>(band, TRect(0, 0, 20, 12));
  top->SetAlign(faTop);
  band->SetAutoSize(true);
  // faTop child 12 high, the free one's bottom at 35: the larger counts.
  EXPECT_EQ(TRect(0, 0, 300, 35), band->BoundsRect());

  auto* column = f.Make<TRLCustomSite>(page, TRect(0, 0, 10, 10));
  column->SetAlign(faLeft);
  f.Make<TSizedControl>(column, TRect(0, 0, 40, 8))->SetAlign(faLeftTop);
  f.Make<TSizedControl>(column, TRect(50, 0, 65, 8))->SetAlign(faLeftTop);
  f.Make<TSizedControl>(column, TRect(0, 0, 70, 5))->SetAlign(faClientLeft);
  column->SetAutoSize(true);
  // Widths: 40 + 15 side by side against 70 of the widest client-left one.
  EXPECT_EQ(70, column->Width());
  EXPECT_EQ(365, column->Height()) << "a left-aligned site keeps the height its alignment gives it";
}

}  // namespace
