// The component's hold on the application's hints: who takes them over,
// when, and who gives them back.
#include "skin/hints/HintsTestSupport.h"
#include "platform/ui/StdCtrls.h"
#include "skin/forms/hints/AlphaHints.h"
#include "skin/forms/hints/HintArt.h"
#include "skin/forms/hints/HintWindows.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/LayeredWindows.h"
#include "skin/support/SkinModelFixture.h"
#include <gtest/gtest.h>

namespace {
// A form built in code holding a hints component, loaded as the program's
// forms are.
struct THintsForm {
  TForm* Form = new TForm(nullptr);
  TsAlphaHints* Hints = new TsAlphaHints(Form);
  explicit THintsForm(intptr_t tag = 0) {
    Hints->SetTag(tag);
    AddStockHintTemplates(*Hints->Templates());
    Form->AfterConstruction();
  }
  ~THintsForm() { Form->Free(); }
};

void ResetApplicationHints() {
  Application->OnShowHint = nullptr;
  HintWindowClass = THintWindowClassOf<THintWindow>();
  Application->SetHintHidePause(2500);
}
}  // namespace

TEST(AlphaHintsComponent, LoadingTakesOverAndOnlyTheActiveOneGivesBack) {
  ResetApplicationHints();
  {
    // Built in code without a form: nothing is taken over until Active.
    TsAlphaHints loose(nullptr);
    EXPECT_FALSE(Application->OnShowHint);
    EXPECT_TRUE(HintWindowClassIs<THintWindow>());
    loose.SetPauseHide(7000);
    EXPECT_EQ(Application->HintHidePause(), 7000);
    loose.SetActive(true);
    EXPECT_TRUE(HintWindowClassIs<TacPngHintWindow>());
    EXPECT_EQ(ActiveHintsComponent, &loose);
  }
  EXPECT_TRUE(HintWindowClassIs<THintWindow>());
  EXPECT_EQ(ActiveHintsComponent, nullptr);

  ResetApplicationHints();
  {
    THintsForm inert(256);
    EXPECT_FALSE(Application->OnShowHint);
    EXPECT_TRUE(HintWindowClassIs<THintWindow>());
    EXPECT_EQ(ActiveHintsComponent, nullptr);
  }

  ResetApplicationHints();
  auto first = std::make_unique<THintsForm>();
  first->Hints->SetPauseHide(15000);
  EXPECT_EQ(Application->HintHidePause(), 15000);
  EXPECT_TRUE(Application->OnShowHint);
  auto second = std::make_unique<THintsForm>();
  EXPECT_EQ(ActiveHintsComponent, second->Hints);
  // The first one is no longer active: freeing it leaves the second's hints.
  first.reset();
  EXPECT_EQ(ActiveHintsComponent, second->Hints);
  EXPECT_TRUE(HintWindowClassIs<TacPngHintWindow>());
  EXPECT_TRUE(Application->OnShowHint);
  second.reset();
  EXPECT_EQ(ActiveHintsComponent, nullptr);
  EXPECT_TRUE(HintWindowClassIs<THintWindow>());
  EXPECT_FALSE(Application->OnShowHint);
}

TEST(AlphaHintsComponent, TemplateNamesAndTheHintEvent) {
  ResetApplicationHints();
  THintsForm f;
  TsAlphaHints& hints = *f.Hints;
  hints.SetTemplateName(u"cartoon BALOON");
  EXPECT_EQ(&hints.CurrentTemplateOf(), hints.Templates()->Items(10));
  hints.SetTemplateName(u"No such");
  EXPECT_EQ(&hints.CurrentTemplateOf(), &DefaultHintTemplate());
  EXPECT_EQ(hints.MaxWidth(), 120);
  EXPECT_EQ(hints.SkinSection(), u"HINT");

  // The application's event reaches the component's handler, which may
  // change the text, move the hint or refuse it.
  int calls = 0;
  hints.OnShowHint = [&](String& text, bool& canShow, THintInfo& info, TWinControl*&) {
    ++calls;
    text = u"<B>" + text + u"</B>";
    info.HintPos = TPoint(33, 44);
    canShow = text.size() < 20;
  };
  THintInfo info;
  info.HintPos = TPoint(5, 6);
  String text = u"Movimentos";
  bool canShow = true;
  Application->OnShowHint(text, canShow, info);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(text, u"<B>Movimentos</B>");
  EXPECT_TRUE(canShow);
  EXPECT_EQ(hints.FHintPos, TPoint(33, 44));
  EXPECT_EQ(hints.CurrentHintInfo.HintPos, TPoint(33, 44));
}

// A template whose image has no picture still shows a body: the default
// picture stands in, opaque under the text.
TEST(AlphaHintsComponent, AnImageWithoutAPictureBorrowsTheDefaultOne) {
  ResetApplicationHints();
  TsAlphaHints hints(nullptr);
  hints.Templates()->Add()->SetName(u"Empty");
  hints.SetTemplateName(u"Empty");
  hints.SetActive(true);
  {
    TacPngHintWindow window(nullptr);
    window.SetHintLocation(TPoint(100, 100));
    const TRect r = window.CalcHintRect(0, u"Sem figura", nullptr);
    hints.NewBounds = TRect(100, 100, 100 + r.Width(), 100 + r.Height());
    window.CreateAlphaBmp(r.Width(), r.Height());
    ASSERT_TRUE(window.AlphaBmp);
    TPixelRows rows(window.AlphaBmp.get());
    int opaque = 0;
    for (int y = 0; y < rows.Height(); ++y)
      for (int x = 0; x < rows.Width(); ++x) opaque += (rows.At(x, y) >> 24) == 255;
    EXPECT_GT(opaque, rows.Width() * rows.Height() / 4);
  }
  hints.SetActive(false);
  EXPECT_TRUE(HintWindowClassIs<THintWindow>());
}

// With a skin that has the hint section, the hint is measured by the
// section's border image: its margins, or a third of a frame where a margin
// is not given, plus 8 each way.
TEST(AlphaHintsComponent, SkinnedHintsMeasureByTheSectionsBorder) {
  ResetApplicationHints();
  TsSkinManager sm(nullptr);
  ASSERT_EQ(DefaultManager, &sm);
  SetMasterBitmap(sm, 64, 32);
  const int section = AddSection(sm, u"HINT");
  const int border = AddPart(sm, u"HINT", u"BORDERSMASK", TRect(0, 0, 36, 24));
  sm.Model.CommonSkinData->Active = true;
  TsMaskData& md = sm.Model.ma[static_cast<size_t>(border)];
  TsAlphaHints hints(nullptr);
  hints.SetUseSkinData(true);
  hints.SetActive(true);
  ASSERT_TRUE(hints.Skinned());
  TacPngHintWindow window(nullptr);
  const auto measure = [&](int wl, int wt, int wr, int wb) {
    md.WL = wl, md.WT = wt, md.WR = wr, md.WB = wb;
    return window.CalcHintRect(0, u"Abre os movimentos de caixa", nullptr);
  };
  const TRect plain = measure(1, 1, 1, 1);
  EXPECT_EQ(window.SkinIndex, section);
  EXPECT_EQ(window.BorderIndex, border);
  const TRect wide = measure(5, 0, 7, 0);  // top and bottom: 24 / 3
  EXPECT_EQ(wide.Width() - plain.Width(), 10);
  EXPECT_EQ(wide.Height() - plain.Height(), 14);
  EXPECT_EQ(window.SkinBorderWidth(0), 5);
  EXPECT_EQ(window.SkinBorderWidth(3), 8);
  md.MaskType = 1;  // frames half as high
  EXPECT_EQ(window.SkinBorderWidth(1), 4);

  // Transparent parts round the body only with a fully clear section.
  sm.Model.gd[static_cast<size_t>(section)].Props[0].Transparency = 100;
  EXPECT_EQ(window.HasAlphaFrame(), LayeredWindowsAvailable());
  sm.Model.gd[static_cast<size_t>(section)].Props[0].Transparency = 0;
  EXPECT_FALSE(window.HasAlphaFrame());
  hints.SetUseSkinData(false);
  EXPECT_TRUE(window.HasAlphaFrame());
  hints.SetActive(false);
}
