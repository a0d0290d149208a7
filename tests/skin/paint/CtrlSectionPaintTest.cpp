// A control's section from its skin data: the own colour, the border, and
// the colour effects left out for a see-through control without border.
#include "PartFixture.h"
#include "skin/engine/CommonData.h"
#include "skin/engine/CtrlSectionPaint.h"
#include "skin/graphics/Pixels32.h"
#include "platform/ui/ExtCtrls.h"
#include <gtest/gtest.h>

namespace {
bool Grey(uint32_t p) { return Ch(p, 0) == Ch(p, 1) && Ch(p, 1) == Ch(p, 2); }

// A two-state section and a border part of the test manager, removed again
// on destruction.
struct TControlSection {
  TsSkinManager& sm = PartManager();
  TPart Border{2, 12, 12, false, 3, 3, 3, 3, 6};  // mode bit 2: no border in state 0
  int Index, BorderIndex;
  explicit TControlSection(int transparency) {
    TsGeneralData gd;
    gd.ClassName = u"CTRLSECTION";
    gd.States = 2;
    gd.Props[0].Color = 0x0000FF;
    gd.Props[0].Transparency = transparency;
    gd.Props[1] = gd.Props[0];
    sm.Model.gd.push_back(gd);
    Index = static_cast<int>(sm.Model.gd.size()) - 1;
    sm.Model.ma.push_back(Border.md);
    BorderIndex = static_cast<int>(sm.Model.ma.size()) - 1;
  }
  ~TControlSection() {
    sm.Model.gd.pop_back();
    sm.Model.ma.pop_back();
  }
};
}  // namespace

TEST(SkinCtrlSection, BorderAndColourEffects) {
  struct Case {
    const char* Name;
    int Transparency, State;
    bool WithBorder;
    bool BorderDrawn, EffectsApplied;
  } cases[] = {
      {"opaque, no border: effects", 0, 0, false, false, true},
      {"transparency 30, border skipped in state 0: no effects", 30, 0, true, false, false},
      {"transparency 30, no border at all: no effects", 30, 1, false, false, false},
      {"transparency 30, border drawn in state 1: effects", 30, 1, true, true, true},
      {"a state past the last is the last", 30, 9, true, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TControlSection section(c.Transparency);
    TsCommonData data(nullptr, false);
    data.SetSkinManager(&section.sm);
    data.SkinIndex = section.Index;
    data.BorderIndex = c.WithBorder ? section.BorderIndex : -1;
    data.FSaturation = -100;
    auto bmp = ToBitmap(TPixels(30, 20, 0xFF000000));
    TCacheInfo ci;
    ci.FillColor = 0xFFFFFF;
    PaintCtrlSection(data, ci, true, c.State, TRect(0, 0, 30, 20), TPoint(0, 0), bmp.get(), false);
    // Without a border the corner is background like the middle.
    EXPECT_EQ(c.BorderDrawn, Pixel32(*bmp, 0, 0) != Pixel32(*bmp, 15, 10));
    EXPECT_EQ(Grey(Pixel32(*bmp, 15, 10)), c.EffectsApplied);
  }
}

TEST(SkinCtrlSection, OwnColourAndRefusals) {
  TControlSection section(0);
  TPanel owner(nullptr);
  owner.SetColor(0x00FF00);
  TsCommonData data(&owner, false);
  data.SetSkinManager(&section.sm);
  data.SkinIndex = section.Index;
  auto bmp = ToBitmap(TPixels(10, 10, 0xFF000000));
  PaintDataBg(data, EmptyCacheInfo, 0, TRect(0, 0, 10, 10), TPoint(0, 0), bmp.get());
  EXPECT_EQ(Pixel32(*bmp, 5, 5), 0xFFFF0000u);  // the section's red
  data.FCustomColor = true;
  PaintDataBg(data, EmptyCacheInfo, 0, TRect(0, 0, 10, 10), TPoint(0, 0), bmp.get());
  EXPECT_EQ(Pixel32(*bmp, 5, 5), 0xFF00FF00u);  // the control's green

  // Outside the bitmap, or without a section: nothing.
  auto untouched = ToBitmap(TPixels(10, 10, 0xFF000000));
  PaintCtrlSection(data, EmptyCacheInfo, true, 0, TRect(0, 0, 11, 10), TPoint(0, 0), untouched.get(), false);
  data.SkinIndex = -1;
  PaintCtrlSection(data, EmptyCacheInfo, true, 0, TRect(0, 0, 10, 10), TPoint(0, 0), untouched.get(), false);
  EXPECT_EQ(FromBitmap(*untouched).P, TPixels(10, 10, 0xFF000000).P);
}
