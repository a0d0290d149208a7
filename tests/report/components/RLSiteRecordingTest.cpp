#include "RLTestControls.h"

#include "platform/rtl/Exceptions.h"
#include "platform/ui/graphics/PngWriter.h"
#include "report/pages/RLGraphicSurface.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <set>
#include <typeinfo>
#include <vector>

namespace {

constexpr TColor Red = 0x0000FF, Blue = 0xFF0000, Green = 0x00FF00, White = 0xFFFFFF;

// A picture of 10 x 10 pixels: red on the left half, blue on the right.
std::unique_ptr<TPicture> HalfRedHalfBlue() {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf32bit);
  bitmap.SetSize(10, 10);
  bitmap.Canvas()->Brush()->SetColor(Red);
  bitmap.Canvas()->FillRect(TRect(0, 0, 5, 10));
  bitmap.Canvas()->Brush()->SetColor(Blue);
  bitmap.Canvas()->FillRect(TRect(5, 0, 10, 10));
  auto picture = std::make_unique<TPicture>();
  picture->Assign(bitmap);
  return picture;
}

struct Expected {
  const std::type_info& kind;
  TRLMetaRect bounds;
};

struct Probe {
  int x, y;
  TColor color;
};

struct RecordingCase {
  const char* name;
  TRect site;
  std::function<void(TRLCustomSite&, TRLCustomReport&)> setUp;
  std::vector<Expected> objects;  // in the page, all of one group
  std::vector<Probe> pixels;      // after replaying the page
};

// A platform control that is not a report control: it prints as a picture.
class TRedBox : public TGraphicControl {
public:
  using TGraphicControl::TGraphicControl;

protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(Red);
    Canvas()->FillRect(TRect(0, 0, Width(), Height()));
  }
};

TColor PixelAt(TBitmap& bitmap, int x, int y) { return bitmap.Canvas()->Pixels(x, y) & 0xFFFFFF; }

void SaveArtifact(TBitmap& bitmap, const std::string& name) {
  const char* folder = std::getenv("BRQ_ARTIFACTS");
  if (!folder || !*folder) return;
  SaveBitmapAsPng(bitmap, u"Z:" + AsciiToString(folder) + u"/" + AsciiToString(name));
}

TEST(RLSiteRecording, SitesRecordTheirBackgroundAndBordersIntoTheEnclosingSurface) {
  const RecordingCase cases[] = {
      {"colour", TRect(10, 10, 60, 40), [](TRLCustomSite& s, TRLCustomReport&) { s.SetColor(Red); },
       {{typeid(TRLFillRectObject), {10, 10, 60, 40}}},
       {{20, 20, Red}, {59, 39, Red}, {5, 5, White}, {60, 40, White}}},
      {"gradient of 10 pixels at granularity 3 in four strips", TRect(10, 10, 20, 30),
       [](TRLCustomSite& s, TRLCustomReport&) {
         s.SetColor(0);
         s.Degrade()->SetDirection(ddHorizontal);
         s.Degrade()->SetOppositeColor(White);
         s.Degrade()->SetGranularity(3);
       },
       {{typeid(TRLFillRectObject), {10, 10, 13, 30}},
        {typeid(TRLFillRectObject), {13, 10, 16, 30}},
        {typeid(TRLFillRectObject), {16, 10, 19, 30}},
        {typeid(TRLFillRectObject), {19, 10, 20, 30}}},
       {{10, 15, 0x000000}, {14, 15, 0x404040}, {17, 15, 0x808080}, {19, 15, 0xBFBFBF}, {20, 15, White}}},
      {"granularity below 1 paints pixel strips", TRect(0, 0, 3, 5),
       [](TRLCustomSite& s, TRLCustomReport&) {
         s.Degrade()->SetDirection(ddVertical);
         s.Degrade()->SetOppositeColor(Red);
         s.Degrade()->SetGranularity(0);
       },
       {{typeid(TRLFillRectObject), {0, 0, 3, 1}},
        {typeid(TRLFillRectObject), {0, 1, 3, 2}},
        {typeid(TRLFillRectObject), {0, 2, 3, 3}},
        {typeid(TRLFillRectObject), {0, 3, 3, 4}},
        {typeid(TRLFillRectObject), {0, 4, 3, 5}}},
       {}},
      {"picture aligned to the bottom right", TRect(0, 0, 100, 100),
       [](TRLCustomSite& s, TRLCustomReport&) {
         s.Background()->SetPicture(HalfRedHalfBlue().get());
         s.Background()->SetAlign(faRightBottom);
       },
       {{typeid(TRLImageObject), {90, 90, 100, 100}}},
       {{92, 95, Red}, {97, 95, Blue}, {85, 95, White}}},
      {"picture tiled side by side", TRect(0, 0, 30, 20),
       [](TRLCustomSite& s, TRLCustomReport&) {
         s.Background()->SetPicture(HalfRedHalfBlue().get());
         s.Background()->SetArrange(baSidebySide);
       },
       {{typeid(TRLImageObject), {0, 0, 30, 20}}},
       {{2, 2, Red}, {7, 2, Blue}, {12, 15, Red}, {27, 15, Blue}, {31, 2, White}}},
      {"picture tiled in staggered rows", TRect(0, 0, 30, 20),
       [](TRLCustomSite& s, TRLCustomReport&) {
         s.Background()->SetPicture(HalfRedHalfBlue().get());
         s.Background()->SetArrange(baDistributed);
       },
       {{typeid(TRLImageObject), {0, 0, 30, 20}}},
       {{2, 2, Red}, {7, 2, Blue}, {2, 15, Blue}, {7, 15, Red}}},
      {"tiles of no size draw nothing", TRect(0, 0, 30, 20),
       [](TRLCustomSite& s, TRLCustomReport&) {
         s.Background()->SetPicture(HalfRedHalfBlue().get());
         s.Background()->SetAutoSize(false);
         s.Background()->SetWidth(0);
         s.Background()->SetArrange(baSidebySide);
       },
       {},
       {{5, 5, White}}},
      {"borders of a fixed-only report: only the fixed top", TRect(10, 10, 50, 50),
       [](TRLCustomSite& s, TRLCustomReport& r) {
         r.SetPrintQuality(pqFixedOnly);
         s.Borders()->SetSides(sdAll);
         s.Borders()->SetWidth(2);
         s.Borders()->SetColor(Green);
         s.Borders()->SetFixedTop(true);
       },
       {{typeid(TRLRectangleObject), {10, 10, 50, 12}}},
       {{30, 10, Green}, {30, 11, Green}, {10, 30, White}, {30, 49, White}}},
      {"borders at full quality, inside the margins", TRect(10, 10, 50, 50),
       [](TRLCustomSite& s, TRLCustomReport&) {
         s.Borders()->SetSides(sdAll);
         s.Borders()->SetWidth(2);
         s.Borders()->SetColor(Green);
         s.Margins()->SetLeftMargin(25.4 / 96 * 3);  // 3 pixels
       },
       {{typeid(TRLRectangleObject), {13, 10, 15, 50}},
        {typeid(TRLRectangleObject), {13, 10, 50, 12}},
        {typeid(TRLRectangleObject), {48, 10, 50, 50}},
        {typeid(TRLRectangleObject), {13, 48, 50, 50}}},
       {{13, 30, Green}, {14, 30, Green}, {11, 30, White}, {49, 30, Green}, {30, 49, Green}, {30, 30, White}}},
  };
  for (const RecordingCase& c : cases) {
    SCOPED_TRACE(c.name);
    TReportForm f;
    auto* report = f.Make<TRLCustomReport>(nullptr, TRect(0, 0, 120, 120));
    auto* site = f.Make<TRLCustomSite>(report, c.site);
    c.setUp(*site, *report);
    site->Print();

    TRLGraphicSurface& page = *report->Surface();
    ASSERT_EQ(c.objects.size(), static_cast<size_t>(page.ObjectCount()));
    std::set<int32_t> groups;
    for (size_t i = 0; i < c.objects.size(); ++i) {
      TRLGraphicObject* object = page.Objects(static_cast<int>(i));
      EXPECT_EQ(c.objects[i].kind, typeid(*object)) << "object " << i;
      const TRLMetaRect& b = object->BoundsRect();
      EXPECT_EQ(c.objects[i].bounds, b) << "object " << i << ": (" << b.Left << ", " << b.Top << ", " << b.Right
                                        << ", " << b.Bottom << ")";
      groups.insert(object->GroupId());
    }
    EXPECT_LE(groups.size(), 1u) << "one site, one group";
    EXPECT_EQ(0u, groups.count(0));

    TBitmap dib;
    dib.SetPixelFormat(pf32bit);
    dib.SetSize(120, 120);
    dib.Canvas()->Brush()->SetColor(White);
    dib.Canvas()->FillRect(TRect(0, 0, 120, 120));
    page.PaintTo(dib.Canvas(), TRect(0, 0, 120, 120));
    SaveArtifact(dib, std::string("site-recording-") + std::to_string(&c - cases) + ".png");
    for (const Probe& p : c.pixels)
      EXPECT_EQ(p.color, PixelAt(dib, p.x, p.y)) << "pixel (" << p.x << ", " << p.y << ")";
  }
}

TEST(RLSiteRecording, ControlsDrawIntoTheirSiteWhichLandsAtItsPrintPosition) {
  TReportForm f;
  auto* report = f.Make<TRLCustomReport>(nullptr, TRect(0, 0, 120, 120));
  auto* band = f.Make<TRLCustomSite>(report, TRect(10, 20, 110, 60));
  band->SetColor(Blue);
  auto* label = f.Make<TSizedControl>(band, TRect(5, 5, 25, 15));
  label->SetColor(Green);
  auto* hidden = f.Make<TSizedControl>(band, TRect(30, 5, 40, 15));
  hidden->SetColor(Red);
  hidden->SetVisible(false);
  auto* box = new TRedBox(f.Form());
  box->SetBounds(50, 5, 10, 10);
  box->SetParent(band);
  int afterPrint = 0;
  label->AfterPrint = [&](TObject*) { ++afterPrint; };
  int drawn = 0;
  band->OnDraw = [&](TObject* sender, TRLGraphicSurface* surface, TRect rect) {
    EXPECT_EQ(band, sender);
    EXPECT_EQ(report->Surface(), surface);
    EXPECT_EQ(TRect(10, 20, 110, 60), rect);
    ++drawn;
  };

  band->PrepareChildren();
  band->Print();
  EXPECT_EQ(1, afterPrint);
  EXPECT_EQ(1, drawn);
  EXPECT_TRUE(band->ControlState().Empty());

  TRLGraphicSurface& page = *report->Surface();
  ASSERT_EQ(3, page.ObjectCount());
  TRLGraphicObject* background = page.Objects(0);
  TRLGraphicObject* frame = page.Objects(1);
  TRLGraphicObject* picture = page.Objects(2);
  EXPECT_EQ((TRLMetaRect{10, 20, 110, 60}), background->BoundsRect());
  EXPECT_EQ((TRLMetaRect{15, 25, 35, 35}), frame->BoundsRect()) << "moved by the band's print position";
  EXPECT_NE(background->GroupId(), frame->GroupId());
  EXPECT_NE(nullptr, dynamic_cast<TRLImageObject*>(picture));
  EXPECT_EQ((TRLMetaRect{60, 25, 70, 35}), picture->BoundsRect());

  TBitmap dib;
  dib.SetPixelFormat(pf32bit);
  dib.SetSize(120, 120);
  page.PaintTo(dib.Canvas(), TRect(0, 0, 120, 120));
  EXPECT_EQ(Blue, PixelAt(dib, 12, 22));
  EXPECT_EQ(Green, PixelAt(dib, 20, 30));
  EXPECT_EQ(Blue, PixelAt(dib, 45, 30)) << "the hidden control printed nothing";
  EXPECT_EQ(Red, PixelAt(dib, 65, 30)) << "the platform control as a picture";
}

TEST(RLSiteRecording, ASiteWithNothingAroundItSaysSoInsteadOfCrashing) {
  TReportForm f;
  auto* site = f.Make<TRLCustomSite>(nullptr, TRect(0, 0, 50, 50));
  site->SetName(u"RLBand1");
  f.Make<TRLCustomControl>(site, TRect(0, 0, 10, 10))->SetName(u"Inner");
  try {
    site->Print();
    FAIL() << "nothing raised";
  } catch (const Exception& e) {
    EXPECT_EQ("Not found: RLBand1.ParentSurface", StringToUtf8(e.Message()));
  }
}

}  // namespace
