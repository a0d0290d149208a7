#include "RLTestControls.h"

#include "platform/rtl/Exceptions.h"
#include "platform/ui/ExtCtrls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Utf8(const String& s) { return StringToUtf8(s); }

TEST(RLControlPrinting, DecidePrintingWeighsVisibilityEventsBlankRecordsAndTheReportFilter) {
  struct Case {
    const char* name;
    bool visible = true;
    bool beforePrintSays = true;
    TRLRecordAction action = raUseIt;
    bool completing = false;
    bool filterSays = true;
    bool expected;
    const char16_t* caption;  // after the decision
  };
  const Case cases[] = {
      {"prints its text through the text event and the filter", true, true, raUseIt, false, true, true,
       u"[old]!"},
      {"an invisible control does not print and keeps its caption", false, true, raUseIt, false, true, false,
       u"old"},
      {"BeforePrint says no", true, false, raUseIt, false, true, false, u"old"},
      {"the report's filter says no", true, true, raUseIt, false, false, false, u"old"},
      {"a blank record prints an empty text", true, true, raBlankAndRetain, false, true, true, u"[]!"},
      {"a completing pager prints an empty text", true, true, raUseIt, true, true, true, u"[]!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TReportForm f;
    auto* report = f.Make<TRLCustomReport>(nullptr, TRect(0, 0, 400, 400));
    auto* pager = f.Make<TRLCustomPager>(report, TRect(0, 0, 300, 300));
    auto* label = f.Make<TSizedControl>(pager, TRect(0, 0, 30, 10));
    report->SetRecordAction(c.action);
    if (c.completing) pager->SetPagerStatus({psCompleting});
    label->SetVisible(c.visible);
    label->SetBeforePrintEvent([&](TObject*, bool& printIt) { printIt = c.beforePrintSays; });
    label->SetBeforeTextEvent([](TObject* sender, String& text, bool&) {
      EXPECT_NE(nullptr, dynamic_cast<TSizedControl*>(sender));
      text = u"[" + text + u"]";
    });
    report->OnFilterText = [&](TObject* sender, String& text, bool& printIt) {
      EXPECT_EQ(report, sender);
      text += u"!";
      printIt = c.filterSays;
    };
    report->SetReportState(rsWriting);
    label->SetCaption(u"old");
    EXPECT_EQ(c.expected, label->DecidePrinting());
    EXPECT_EQ(c.expected, label->CouldPrint());
    EXPECT_EQ(Utf8(c.caption), Utf8(label->Caption()));
    report->SetReportState(rsReady);
  }
}

TEST(RLControlPrinting, CaptionsComputedWhilePreparingNeverReplaceTheStoredOne) {
  TReportForm f;
  auto* report = f.Make<TRLCustomReport>(nullptr, TRect(0, 0, 400, 400));
  auto* label = f.Make<TSizedControl>(report, TRect(0, 0, 30, 10));
  label->SetCaption(u"stored");
  report->SetReportState(rsWriting);
  EXPECT_TRUE(label->IsPreparing());
  label->SetCaption(u"record 1");
  EXPECT_EQ("record 1", Utf8(label->Caption()));
  report->SetReportState(rsClosing);
  EXPECT_EQ("record 1", Utf8(label->Caption()));
  report->SetReportState(rsReady);
  EXPECT_EQ("stored", Utf8(label->Caption()));
}

TEST(RLControlPrinting, ChildrenArePreparedInCreationOrder) {
  TReportForm f;
  auto* site = f.Make<TRLCustomSite>(nullptr, TRect(0, 0, 400, 400));
  std::vector<TSizedControl*> made;
  for (int i = 0; i < 3; ++i) made.push_back(f.Make<TSizedControl>(nullptr, TRect(0, 10 * i, 30, 10 * i + 10)));
  // Parented in reverse: creation, not the parent's list, gives the order.
  for (int i = 2; i >= 0; --i) made[i]->SetParent(site);
  auto* inner = f.Make<TRLCustomSite>(site, TRect(0, 100, 50, 150));
  std::vector<int> order;
  for (int i = 0; i < 3; ++i) made[i]->SetBeforePrintEvent([&order, i](TObject*, bool&) { order.push_back(i); });
  inner->SetBeforePrint([&order](TObject*, bool&) { order.push_back(99); });
  made[1]->SetVisible(false);
  site->PrepareChildren();
  EXPECT_EQ((std::vector<int>{0, 2}), order) << "the hidden control decides nothing, the site is skipped";
  EXPECT_FALSE(made[1]->CouldPrint());

  // The order follows children that come, go, or are made again by their
  // owner.
  order.clear();
  made[1]->SetVisible(true);
  delete made[0];
  auto* late = f.Make<TSizedControl>(site, TRect(0, 60, 30, 70));
  late->SetBeforePrintEvent([&order](TObject*, bool&) { order.push_back(3); });
  site->PrepareChildren();
  EXPECT_EQ((std::vector<int>{1, 2, 3}), order);
  order.clear();
  f.Form()->RemoveComponent(made[1]);
  f.Form()->InsertComponent(made[1]);
  site->PrepareChildren();
  EXPECT_EQ((std::vector<int>{2, 3, 1}), order);

  order.clear();
  site->SetEnabled(false);
  site->PrepareChildren();
  EXPECT_TRUE(order.empty());
}

TEST(RLControlPrinting, SitesPassInitializeAndComputeDetailToTheirChildren) {
  struct TSpy : TSizedControl {
    using TSizedControl::TSizedControl;
    int initialized = 0, computed = 0;
    void Initialize() override { ++initialized; }
    void ComputeDetail(TRLCustomControl*) override { ++computed; }
  };
  struct TSpyBand : TRLCustomBand {
    using TRLCustomBand::TRLCustomBand;
    int computed = 0;
    void ComputeDetail(TRLCustomControl* caller) override {
      ++computed;
      TRLCustomBand::ComputeDetail(caller);
    }
  };
  TReportForm f;
  auto* site = f.Make<TRLCustomSite>(nullptr, TRect(0, 0, 300, 300));
  auto* plain = f.Make<TSpy>(site, TRect(0, 0, 10, 10));
  auto* caller = f.Make<TSpy>(site, TRect(0, 0, 10, 10));
  auto* band = f.Make<TSpyBand>(site, TRect(0, 50, 300, 80));
  auto* inBand = f.Make<TSpy>(band, TRect(0, 0, 10, 10));
  auto* inSite = f.Make<TSpy>(f.Make<TRLCustomSite>(site, TRect(0, 100, 50, 150)), TRect(0, 0, 10, 10));
  site->Initialize();
  EXPECT_EQ(1, plain->initialized);
  EXPECT_EQ(1, inBand->initialized);
  EXPECT_EQ(1, inSite->initialized) << "every site passes it on";
  site->ComputeDetail(caller);
  EXPECT_EQ(1, plain->computed);
  EXPECT_EQ(0, caller->computed) << "the caller is skipped";
  EXPECT_EQ(1, band->computed);
  EXPECT_EQ(1, inBand->computed);
  EXPECT_EQ(0, inSite->computed) << "sites that are not bands are skipped";
}

TEST(RLControlPrinting, MeasureHeightRefreshesThenAdjusts) {
  TReportForm f;
  auto* c = f.Make<TSizedControl>(nullptr, TRect(0, 0, 30, 10));
  c->MeasureHeight();  // not measurable: nothing happens
  EXPECT_EQ(10, c->Height());
  int fired = 0;
  c->OnMeasureHeight = [&](TObject*) {
    ++fired;
    c->NaturalHeight = 25;
    c->NaturalWidth = 30;
    EXPECT_TRUE(c->ControlState().Contains(stMeasuringHeights));
    c->MeasureHeight();  // re-entered: ignored
  };
  c->SetAutoSize(true);
  c->NaturalHeight = 10;
  c->NaturalWidth = 30;
  c->MeasureHeight();
  EXPECT_EQ(1, fired);
  EXPECT_EQ(25, c->Height());
  EXPECT_TRUE(c->ControlState().Empty());
}

TEST(RLControlNames, FriendlyNamesAreUniqueValidIdentifiers) {
  TReportForm f;
  auto* a = f.Make<TSizedControl>(nullptr, TRect(0, 0, 10, 10));
  auto* b = f.Make<TSizedControl>(nullptr, TRect(0, 0, 10, 10));
  a->SetName(u"RLLabel1");
  b->SetName(u"RLLabel2");
  a->SetFriendlyName(u"Total");
  EXPECT_EQ("Total", Utf8(a->FriendlyName()));
  EXPECT_EQ("Total", Utf8(a->GetDisplayName()));

  struct Refusal {
    const char16_t* name;
    const char* message;
  };
  const Refusal refusals[] = {
      {u"TOTAL", "Name already in use \"TOTAL\""},
      {u"total", "Name already in use \"total\""},
      {u"2nd", "Invalid name \"2nd\""},
      {u"has space", "Invalid name \"has space\""},
  };
  for (const Refusal& r : refusals) {
    SCOPED_TRACE(r.message);
    try {
      b->SetFriendlyName(r.name);
      ADD_FAILURE() << "accepted";
    } catch (const Exception& e) {
      EXPECT_EQ(r.message, Utf8(e.Message()));
    }
    EXPECT_EQ("", Utf8(b->FriendlyName())) << "the old name stays";
  }

  b->SetFriendlyName(u"_Sub2");
  EXPECT_EQ("_Sub2", Utf8(b->FriendlyName()));
  b->SetFriendlyName(u"RLLabel2");
  EXPECT_EQ("", Utf8(b->FriendlyName())) << "the component name clears it";
  a->SetFriendlyName(u"");
  EXPECT_EQ("RLLabel1", Utf8(a->GetDisplayName()));
}

TEST(RLControlLookups, LookupsFindTheirKindAndRequestsSayWhatIsMissing) {
  TReportForm f;
  auto* loose = f.Make<TSizedControl>(nullptr, TRect(0, 0, 10, 10));
  loose->SetName(u"RLLabel1");
  const struct {
    std::function<void()> request;
    const char* message;
  } requests[] = {
      {[&] { loose->RequestParentSurface(); }, "Not found: RLLabel1.ParentSurface"},
      {[&] { loose->RequestParentReport(); }, "Not found: RLLabel1.ParentReport"},
      {[&] { loose->RequestParentPager(); }, "Not found: RLLabel1.ParentPager"},
      {[&] { loose->RequestParentSkipper(); }, "Not found: RLLabel1.ParentSkipper"},
      {[&] { loose->Print(); }, "Not found: RLLabel1.ParentSurface"},
  };
  for (const auto& r : requests) {
    SCOPED_TRACE(r.message);
    try {
      r.request();
      ADD_FAILURE() << "nothing raised";
    } catch (const Exception& e) {
      EXPECT_EQ(r.message, Utf8(e.Message()));
    }
  }
  EXPECT_TRUE(loose->ControlState().Empty()) << "Print clears its flag on failure";

  auto* report = f.Make<TRLCustomReport>(nullptr, TRect(0, 0, 400, 400));
  auto* group = f.Make<TRLCustomGroup>(report, TRect(0, 0, 300, 300));
  auto* band = f.Make<TRLCustomBand>(group, TRect(0, 0, 300, 30));
  auto* label = f.Make<TSizedControl>(band, TRect(0, 0, 10, 10));
  EXPECT_EQ(band, label->FindParentSite());
  EXPECT_EQ(band, label->FindParentBand());
  EXPECT_EQ(group, label->FindParentPager());
  EXPECT_EQ(group, label->FindParentGroup());
  EXPECT_EQ(report, label->FindParentSkipper());
  EXPECT_EQ(report, label->RequestParentReport());
  EXPECT_EQ(report, report->FindParentReport()) << "a report finds itself";
  EXPECT_EQ(nullptr, report->FindParentSite());

  // A group beyond a pager that is not a group belongs to another level.
  auto* pager = f.Make<TRLCustomPager>(group, TRect(0, 50, 300, 100));
  auto* inner = f.Make<TSizedControl>(pager, TRect(0, 0, 10, 10));
  EXPECT_EQ(nullptr, inner->FindParentGroup());
  EXPECT_EQ(pager, inner->FindParentPager());

  // A band dropped on a band lands beside it.
  auto* second = f.Make<TRLCustomBand>(band, TRect(0, 40, 300, 60));
  EXPECT_EQ(group, second->Parent());
}

TEST(RLControlLookups, ATextFollowsItsBandToAnotherReportAndOutOfEveryOne) {
  TReportForm f;
  auto* first = f.Make<TRLCustomReport>(nullptr, TRect(0, 0, 400, 400));
  auto* second = f.Make<TRLCustomReport>(nullptr, TRect(0, 0, 400, 400));
  auto* group = f.Make<TRLCustomGroup>(first, TRect(0, 0, 300, 300));
  auto* band = f.Make<TRLCustomBand>(group, TRect(0, 0, 300, 30));
  auto* label = f.Make<TSizedControl>(band, TRect(0, 0, 10, 10));
  EXPECT_EQ(first, label->FindParentReport());
  EXPECT_EQ(group, label->FindParentPager());
  // Moved above the text, by the group's parent and by the platform's own
  // list of children.
  group->SetParent(second);
  EXPECT_EQ(second, label->FindParentReport());
  EXPECT_EQ(first, first->FindParentSkipper());
  second->RemoveControl(group);
  first->InsertControl(group);
  EXPECT_EQ(first, label->FindParentReport());
  EXPECT_EQ(first, label->FindParentSkipper());
  delete group;  // the band and the text go with it
  auto* other = f.Make<TSizedControl>(first, TRect(0, 0, 10, 10));
  EXPECT_EQ(first, other->FindParentReport());
  EXPECT_EQ(first, other->FindParentPager());
  // A platform panel between the text and the band is looked through.
  auto* panel = new TPanel(f.Form());
  auto* band2 = f.Make<TRLCustomBand>(second, TRect(0, 0, 300, 30));
  panel->SetParent(band2);
  auto* inner = f.Make<TSizedControl>(panel, TRect(0, 0, 10, 10));
  EXPECT_EQ(second, inner->FindParentReport());
  panel->SetParent(f.Make<TRLCustomBand>(first, TRect(0, 40, 300, 30)));
  EXPECT_EQ(first, inner->FindParentReport());
}

TEST(RLControlLookups, MasterAndLastReportFollowTheChain) {
  TReportForm f;
  auto* first = f.Make<TRLCustomReport>(nullptr, TRect(0, 0, 100, 100));
  auto* middle = f.Make<TRLCustomReport>(nullptr, TRect(0, 0, 100, 100));
  auto* last = f.Make<TRLCustomReport>(nullptr, TRect(0, 0, 100, 100));
  auto* label = f.Make<TSizedControl>(middle, TRect(0, 0, 10, 10));
  EXPECT_EQ(middle, label->MasterReport());
  first->SetNextReport(middle);
  middle->SetNextReport(last);
  EXPECT_EQ(first, label->MasterReport());
  EXPECT_EQ(last, label->LastReport());
  EXPECT_EQ(first, middle->PriorReport());
  // Closing the chain into a ring stops the walk where it began.
  last->SetNextReport(first);
  EXPECT_NE(nullptr, label->MasterReport());
  EXPECT_NE(nullptr, label->LastReport());
}

TEST(RLBorders, SidesFixedFlagsAndPrintQuality) {
  TReportForm f;
  auto* report = f.Make<TRLCustomReport>(nullptr, TRect(0, 0, 400, 400));
  auto* c = f.Make<TSizedControl>(report, TRect(0, 0, 100, 50));
  TRLBorders& b = *c->Borders();

  b.SetSides(sdAll);
  b.SetDrawLeft(false);
  EXPECT_EQ(sdCustom, b.Sides());
  b.SetFixedLeft(true);
  EXPECT_TRUE(b.DrawLeft()) << "fixing a side draws it";
  b.SetDrawLeft(false);
  EXPECT_FALSE(b.FixedLeft()) << "not drawing a side unfixes it";
  b.SetSides(sdNone);
  EXPECT_FALSE(b.DrawTop());

  b.SetDrawBottom(true);
  EXPECT_EQ(sdCustom, b.Sides());
  b.SetWidth(3);
  b.SetWidth(-1);
  EXPECT_EQ(3, b.Width());
  const TRect r(10, 20, 110, 70);
  EXPECT_EQ(1u, b.SideRects(r).size()) << "full quality draws the bottom";
  report->SetPrintQuality(pqFixedOnly);
  EXPECT_TRUE(b.SideRects(r).empty()) << "fixed-only quality skips a side that is not fixed";
  b.SetFixedBottom(true);
  ASSERT_EQ(1u, b.SideRects(r).size());
  EXPECT_EQ(TRect(10, 67, 110, 70), b.SideRects(r)[0]);

  report->SetPrintQuality(pqFullFeature);
  b.SetSides(sdAll);
  const std::vector<TRect> all = b.SideRects(r);
  ASSERT_EQ(4u, all.size());
  EXPECT_EQ(TRect(10, 20, 13, 70), all[0]);
  EXPECT_EQ(TRect(10, 20, 110, 23), all[1]);
  EXPECT_EQ(TRect(107, 20, 110, 70), all[2]);
  EXPECT_EQ(TRect(10, 67, 110, 70), all[3]);
  b.SetWidth(0);
  EXPECT_TRUE(b.SideRects(r).empty());

  // Outside any report only fixed sides are drawn.
  auto* loose = f.Make<TSizedControl>(nullptr, TRect(0, 0, 10, 10));
  loose->Borders()->SetSides(sdAll);
  EXPECT_FALSE(loose->Borders()->CanDrawTop());
  loose->Borders()->SetFixedTop(true);
  EXPECT_TRUE(loose->Borders()->CanDrawTop());
}

}  // namespace
