// Section backgrounds: colour, transparency over the parent, gradients.
#include "PartFixture.h"
#include "skin/engine/SectionPaint.h"
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
