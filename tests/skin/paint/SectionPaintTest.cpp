// Section backgrounds: colour, transparency over the parent, gradients.
#include "PartFixture.h"
#include "skin/support/TestSkinFixture.h"
#include "skin/engine/SectionPaint.h"
#include "skin/engine/SectionPaintAlpha.h"
#include "skin/graphics/Pixels32.h"
#include <gtest/gtest.h>

namespace {
// A one-state section of the test manager; removed again on destruction.
struct TSection {
  TsSkinManager& sm = PartManager();
  int Index;
  explicit TSection(const TsGenState& s) {
    TsGeneralData gd;
    gd.ClassName = u"TESTSECTION";
    gd.States = 1;
    gd.Props[0] = s;
    gd.Props[1] = s;
    sm.Model.gd.push_back(gd);
    Index = static_cast<int>(sm.Model.gd.size()) - 1;
  }
  ~TSection() { sm.Model.gd.pop_back(); }
};

TsGenState State(TColor color, int transparency, int gradPct = 0, TsGradArray bands = {}) {
  TsGenState s;
  s.Color = color;
  s.Transparency = transparency;
  s.GradientPercent = gradPct;
  s.GradientArray = std::move(bands);
  return s;
}
}  // namespace

TEST(SkinSectionBg, LayersOverTheParent) {
  struct Case {
    const char* Name;
    TsGenState S;
    bool Ready, ParentIsTarget;
    TPoint At;
    uint32_t Want;
  } cases[] = {
      {"opaque colour", State(0x203040, 0), true, false, {5, 5}, 0xFF403020},
      {"transparency 40 over white keeps 40 percent", State(0x000000, 40), true, false, {5, 5}, 0xFF666666},
      {"transparency 100 over its own bitmap paints nothing", State(0x000000, 100), true, true, {5, 5}, 0xFF123456},
      {"transparency 100 copies the parent", State(0x000000, 100), true, false, {5, 5}, White},
      {"gradient first band on row 0", State(0, 0, 100, {{0x0000FF, 0x0000FF, 50, 0, 0}, {0x00FF00, 0x00FF00, 50, 0, 0}}),
       false, false, {3, 0}, 0xFFFF0000},
      {"gradient second band from row 10", State(0, 0, 100, {{0x0000FF, 0x0000FF, 50, 0, 0}, {0x00FF00, 0x00FF00, 50, 0, 0}}),
       false, false, {3, 10}, 0xFF00FF00},
  };
  auto parent = ToBitmap(TPixels(40, 40, White));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TSection section(c.S);
    auto bmp = ToBitmap(TPixels(20, 20, 0xFF123456));
    TCacheInfo ci;
    ci.Ready = c.Ready;
    ci.Bmp = c.ParentIsTarget ? bmp.get() : (c.Ready ? parent.get() : nullptr);
    PaintSectionBg(section.Index, ci, 0, TRect(0, 0, 20, 20), TPoint(0, 0), bmp.get(), &section.sm);
    const uint32_t got = FromBitmap(*bmp).At(c.At.X, c.At.Y);
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(Ch(got, k), Ch(c.Want, k), 1) << std::hex << got;
  }
}

TEST(SkinSectionBg, AlphaSections) {
  // Transparency 30 on a clear bitmap: alpha 178; premultiplied only when
  // the section covers the whole bitmap.
  TSection section(State(0x0000FF, 30));
  struct Case {
    TRect R;
    uint32_t Want;
  } cases[] = {
      {TRect(0, 0, 20, 20), 0xB2000000u | static_cast<uint32_t>(255 * 178 / 255) << 16},
      {TRect(0, 0, 10, 10), 0xB2FF0000u},
  };
  for (const Case& c : cases) {
    auto bmp = ToBitmap(TPixels(20, 20, 0));
    PaintSectionAlpha(bmp.get(), c.R, section.Index, 0, &section.sm);
    const uint32_t got = FromBitmap(*bmp).At(5, 5);
    EXPECT_EQ(got >> 24, 178u);
    EXPECT_NEAR(Ch(got, 2), Ch(c.Want, 2), 1) << std::hex << got;
  }
  auto bmp = ToBitmap(TPixels(4, 1, 0xFF204060));
  BlendFillRect32(*bmp, TRect(1, 0, 9, 1), 0xFFFFFF, 50, 0x80);
  EXPECT_EQ(FromBitmap(*bmp).At(0, 0), 0xFF204060u);
  EXPECT_EQ(FromBitmap(*bmp).At(1, 0), 0x808F9FAFu);
}

TEST(SkinSectionBg, ByNameFromTheTestSkins) {
  for (int variant : {0, 1}) {
    auto sm = NewTestSkinManager();
    ASSERT_EQ(LoadSkinCountingBoxes(*sm, variant ? u"TestSkinB" : u"TestSkin"), 0);
    auto bmp = ToBitmap(TPixels(30, 20, 0xFF123456));
    const int index = PaintSectionByName(*bmp, u"NOSUCHSECTION", u"EDIT", 0, sm.get(), TRect(), White, nullptr);
    EXPECT_EQ(index, sm->GetSkinIndex(u"EDIT"));
    const uint32_t want = ColorToPixel(static_cast<uint32_t>(TestSkinColorsOf(variant).EditColor)) & 0xFFFFFF;
    EXPECT_EQ(FromBitmap(*bmp).At(15, 10) & 0xFFFFFF, want);
    EXPECT_EQ(PaintSectionByName(*bmp, u"NOSUCHSECTION", u"NOROTHER", 0, sm.get(), TRect(), White, nullptr), -1);
  }
}

TEST(SkinSectionBg, LiteBackgroundAndBorder) {
  // Transparency 40 over a white parent as in the full painter, then the
  // border image on top.
  TSection section(State(0x000000, 40));
  TPart border(1, 12, 12, false, 3, 3, 3, 3, 0);
  auto parent = ToBitmap(TPixels(40, 40, White));
  auto bmp = ToBitmap(TPixels(20, 20, 0xFF123456));
  TCacheInfo ci;
  ci.Ready = true;
  ci.Bmp = parent.get();
  section.sm.Model.ma.push_back(border.md);
  const int borderIndex = static_cast<int>(section.sm.Model.ma.size()) - 1;
  PaintSectionAndBorder(section.Index, borderIndex, -1, -1, ci, false, 0, TRect(0, 0, 20, 20), TPoint(0, 0), bmp.get(),
                        &section.sm);
  section.sm.Model.ma.pop_back();
  const TPixels got = FromBitmap(*bmp);
  for (int k = 0; k < 3; ++k) EXPECT_NEAR(Ch(got.At(10, 10), k), 102, 1);
  EXPECT_EQ(got.At(1, 1), Named(1, 1));
}
