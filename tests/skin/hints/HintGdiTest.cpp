// Building hint pictures and laying out tagged text leave no GDI object
// behind: with the process's GDI table filled but for a small headroom,
// more pictures than the headroom are built, and a new object can still
// be made afterwards.
#include "skin/forms/hints/AlphaHints.h"
#include "skin/support/GdiTableFill.h"
#include "skin/forms/hints/HintArt.h"
#include "skin/forms/hints/HintWindows.h"
#include "skin/forms/hints/Html.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/support/TestSkinFixture.h"
#include <gtest/gtest.h>
#include <vector>

namespace {
constexpr int kHeadroom = 600;
}  // namespace

TEST(HintGdi, PicturesAndTaggedTextFreeWhatTheyMake) {
  TsAlphaHints hints(nullptr);
  AddStockHintTemplates(*hints.Templates());
  hints.SetHTMLMode(true);
  hints.SetActive(true);
  TacPngHintWindow window(nullptr);
  window.SetHintLocation(TPoint(100, 100));
  const String text = u"<B>Movimentos</B><BR><FONT COLOR=red SIZE=+2 FACE=\"Tahoma\">de caixa</FONT> "
                      u"<A HREF='x'>ver</A> &ndash; <I><U>F11</U></I>";
  // Fonts and handles made once on first use are made before the fill.
  auto once = [&](int i) {
    hints.SetTemplateName(StockHintTemplateNames()[static_cast<size_t>(i) % StockHintTemplateNames().size()]);
    const TRect r = window.CalcHintRect(0, text, nullptr);
    hints.NewBounds = TRect(100, 100, 100 + r.Width(), 100 + r.Height());
    window.CreateAlphaBmp(r.Width(), r.Height());
  };
  for (int i = 0; i < 13; ++i) once(i);
  TGdiTableFill fill(kHeadroom);
  for (int i = 0; i < kHeadroom + 400; ++i) once(i);
  EXPECT_TRUE(TGdiTableFill::HasRoom());
  hints.SetActive(false);
}

// The same for pictures drawn from the skin's hint section, mask and all.
TEST(HintGdi, SkinnedPicturesFreeWhatTheyMake) {
  auto sm = NewTestSkinManager();
  ASSERT_EQ(LoadSkinCountingBoxes(*sm, u"TestSkin"), 0);
  TsAlphaHints hints(nullptr);
  hints.SetUseSkinData(true);
  hints.SetActive(true);
  ASSERT_TRUE(hints.Skinned());
  TacPngHintWindow window(nullptr);
  auto once = [&](int i) {
    hints.SetHTMLMode(i % 2 == 0);
    window.Text = i % 3 ? u"Movimentos de <B>caixa</B>" : u"Abre o caixa";
    const TRect r = window.CalcHintRect(0, window.Text, nullptr);
    hints.NewBounds = TRect(100, 100, 100 + r.Width(), 100 + r.Height());
    window.CreateAlphaBmp(r.Width(), r.Height());
  };
  for (int i = 0; i < 6; ++i) once(i);
  {
    TGdiTableFill fill(kHeadroom);
    for (int i = 0; i < kHeadroom + 400; ++i) once(i);
    EXPECT_TRUE(TGdiTableFill::HasRoom());
  }
  hints.SetActive(false);
}
