#include "skin/support/SkinModelCompare.h"
#include "skin/support/TestSkinFixture.h"
#include "skin/graphics/LibUtils.h"
#include "skin/graphics/PngGraphic.h"
#include "skin/graphics/Pixels32.h"
#include <gtest/gtest.h>

namespace {
std::unique_ptr<TsSkinManager> Loaded(int Hue, int Saturation, int Brightness) {
  auto sm = NewTestSkinManager(TestSkinFoldersDir());
  EXPECT_EQ(LoadSkinCountingBoxes(*sm, u"TestSkin"), 0);
  // Each setter reloads the skin from its own colours.
  sm->SetHueOffset(Hue);
  sm->SetSaturation(Saturation);
  sm->SetBrightness(Brightness);
  return sm;
}

uint32_t MasterAt(TsSkinManager& sm, int X, int Y) { return Pixel32(*sm.Model.MasterBitmap, X, Y); }
}  // namespace

TEST(SkinColorAdjust, HueSaturationBrightness) {
  auto plain = Loaded(0, 0, 0);
  // Setting the values and going back to 0 gives the skin as read.
  auto back = Loaded(40, 30, 20);
  back->SetHueOffset(0);
  back->SetSaturation(0);
  back->SetBrightness(0);
  EXPECT_EQ(ModelDifference(plain->Model, back->Model), "");

  auto hue = Loaded(-120, 0, 0);
  const int hint = hue->GetSkinIndex(u"HINT");
  ASSERT_GE(hint, 0);
  EXPECT_EQ(plain->Model.gd[hint].Props[1].Color, 0x0000FF);  // red
  EXPECT_EQ(hue->Model.gd[hint].Props[1].Color, 0xFF0000);    // blue
  EXPECT_EQ(MasterAt(*hue, 0, 0), KeyPixel);
  // BIKEEPHUE 2: the close glyph keeps its colours, maximize turns.
  EXPECT_EQ(MasterAt(*hue, 5, 45), MasterAt(*plain, 5, 45));
  EXPECT_NE(MasterAt(*hue, 53, 45), MasterAt(*plain, 53, 45));
  EXPECT_EQ(hue->Model.Palette[pcWebTextHot], plain->Model.Palette[pcWebTextHot]);
  EXPECT_EQ(hue->Model.Palette[pcBorder], plain->Model.Palette[pcBorder]);

  auto bright = Loaded(0, 0, 50);
  // Key pixels and the mask halves of the master bitmap stay; images brighten.
  EXPECT_EQ(MasterAt(*bright, 0, 0), KeyPixel);
  for (int y = 20; y < 40; ++y)
    for (int x = 0; x < 60; ++x) ASSERT_EQ(MasterAt(*bright, x, y), MasterAt(*plain, x, y)) << x << "," << y;
  EXPECT_NE(MasterAt(*bright, 5, 5), MasterAt(*plain, 5, 5));
  // Glow.png is masked: its lower half stays as in the file (with a
  // positive brightness it is not premultiplied on loading).
  TBitmap file;
  LoadPngFile(file, AddPathDelimiter(TestSkinFoldersDir()) + u"TestSkin\\Glow.png");
  TBitmap* glowBright = bright->GetExtImage(u"GLOW.PNG");
  ASSERT_TRUE(glowBright);
  for (int y = 24; y < 48; ++y)
    for (int x = 0; x < 24; ++x) ASSERT_EQ(Pixel32(*glowBright, x, y), Pixel32(file, x, y));
  EXPECT_NE(Pixel32(*glowBright, 12, 12), Pixel32(file, 12, 12));
  // Brightness leaves the palette and the first shadow alone.
  EXPECT_EQ(bright->Model.Palette, plain->Model.Palette);
  EXPECT_EQ(bright->Model.CommonSkinData->Shadow1Color, plain->Model.CommonSkinData->Shadow1Color);

  auto grey = Loaded(0, -100, 0);
  const TColor c = grey->Model.gd[hint].Props[1].Color;
  // Pure red comes near its grey.
  EXPECT_NEAR(c & 0xFF, (c >> 8) & 0xFF, 4);
  EXPECT_NEAR(c & 0xFF, (c >> 16) & 0xFF, 4);
  EXPECT_EQ(MasterAt(*grey, 0, 0), KeyPixel);
  EXPECT_NE(grey->Model.Palette[pcSelectionBG], plain->Model.Palette[pcSelectionBG]);
}
