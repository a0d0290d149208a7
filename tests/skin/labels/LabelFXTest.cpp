#include "skin/labels/LabelTestSupport.h"
#include "skin/engine/LabelFX.h"
#include "skin/engine/SkinCommands.h"
#include "skin/engine/SkinManager.h"
#include "skin/graphics/Pixels32.h"
#include "skin/support/SkinModelFixture.h"
#include "skin/support/TestSkinFixture.h"
#include <gtest/gtest.h>

namespace {
constexpr uint32_t Green = 0xFF00C000;  // the parent's background

std::unique_ptr<TsLabelFX> MakeLabel(const String& Caption, int Left = 20, int Top = 10) {
  auto label = std::make_unique<TsLabelFX>(nullptr);
  UseTestFont(*label->Font());
  label->SetBounds(Left, Top, 10, 10);
  label->SetCaption(Caption);
  return label;
}

TSize TextExtentOf(const TFont& Font, const String& Text) {
  auto bmp = NewBmp32(1, 1);
  bmp->Canvas()->Font()->Assign(Font);
  return bmp->Canvas()->TextExtent(Text);
}

bool IsWhite(uint32_t p) { return Rgb(p) == 0xFFFFFF; }
// Darker than the background: black laid over it.
bool IsShadow(uint32_t p) { return Rgb(p) != Rgb(Green) && (p & 0xFF0000) == 0 && (p & 0xFF) == 0; }
int Darkness(uint32_t p) { return IsShadow(p) ? Ch(Green, 1) - Ch(p, 1) : 0; }
}  // namespace

TEST(LabelFX, UnskinnedDefaultsDrawWhiteTextOverShadow) {
  auto label = MakeLabel(u"Brq");
  const TSize text = TextExtentOf(*label->Font(), u"Brq");
  EXPECT_EQ(label->Width(), text.cx + 8);
  EXPECT_EQ(label->Height(), text.cy + 8);
  // The first bounds already include the margins: the text starts 3 pixels in.
  EXPECT_EQ(label->Left(), 20);
  EXPECT_EQ(label->Top(), 10);
  EXPECT_EQ(label->Shadow().OffsetKeeper().LeftTop(), -3);
  EXPECT_EQ(label->Shadow().OffsetKeeper().RightBottom(), 5);
  const TPixels img = PaintControl(*label, Green);
  const TCentroid glyphs = CentroidOf(img, IsWhite);
  const TCentroid shadow = WeightedCentroid(img, Darkness);
  ASSERT_GT(glyphs.Count, 50);
  ASSERT_GT(shadow.Count, 50);
  EXPECT_GT(shadow.X, glyphs.X);
  EXPECT_GT(shadow.Y, glyphs.Y);
  // Glyph pixels start 3 pixels in; shadow reaches no further than the bounds.
  int minX = img.W, minY = img.H;
  for (int y = 0; y < img.H; ++y)
    for (int x = 0; x < img.W; ++x)
      if (IsWhite(img.At(x, y))) {
        minX = std::min(minX, x);
        minY = std::min(minY, y);
      }
  EXPECT_GE(minX, 3);
  EXPECT_GE(minY, 3);
}

TEST(LabelFX, AngleNinetySwapsWidthAndHeight) {
  auto flat = MakeLabel(u"Brenquia");
  auto turned = MakeLabel(u"Brenquia");
  turned->SetAngle(90);
  EXPECT_EQ(turned->Width(), flat->Height());
  EXPECT_EQ(turned->Height(), flat->Width());
  const TPixels img = PaintControl(*turned, Green);
  // The turned text is taller than wide.
  int minX = img.W, maxX = -1, minY = img.H, maxY = -1;
  for (int y = 0; y < img.H; ++y)
    for (int x = 0; x < img.W; ++x)
      if (IsWhite(img.At(x, y))) {
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
      }
  ASSERT_GE(maxX, 0);
  EXPECT_GT(maxY - minY, 2 * (maxX - minX));
  // Turned, the shadow still falls to the right of the strokes.
  const TCentroid glyphs = CentroidOf(img, IsWhite), shadow = WeightedCentroid(img, Darkness);
  EXPECT_GT(shadow.X, glyphs.X);
  // Word wrap turns the angle back at the next invalidation.
  turned->SetWordWrap(true);
  turned->Invalidate();
  EXPECT_EQ(turned->Angle(), 0);
}

TEST(LabelFX, MarginsFollowShadowChanges) {
  struct Case {
    int Distance, Blur;
    TsShadowMode Mode;
    int LT, RB;
  } cases[] = {
      {2, 4, smSkin1, -2, 6}, {1, 4, smNone, 0, 0}, {1, 0, smCustom, 0, 1}, {5, 2, smCustom, 0, 7}, {0, 6, smSkin1, -6, 6},
  };
  for (const Case& c : cases) {
    auto label = MakeLabel(u"Margem");
    const int left = label->Left(), top = label->Top(), width = label->Width(), height = label->Height();
    label->Shadow().SetMode(c.Mode);
    label->Shadow().SetBlurCount(c.Blur);
    label->Shadow().SetDistance(c.Distance);
    EXPECT_EQ(label->Shadow().OffsetKeeper().LeftTop(), c.LT) << c.Distance << "/" << c.Blur;
    EXPECT_EQ(label->Shadow().OffsetKeeper().RightBottom(), c.RB) << c.Distance << "/" << c.Blur;
    // The text stays where it was; the bounds take the new margins.
    EXPECT_EQ(label->Left(), left + 3 + c.LT);
    EXPECT_EQ(label->Top(), top + 3 + c.LT);
    EXPECT_EQ(label->Width(), width - 8 + c.RB - c.LT);
    EXPECT_EQ(label->Height(), height - 8 + c.RB - c.LT);
  }
}

TEST(LabelFX, NoShadowColourDisabledAndPlainModes) {
  auto none = MakeLabel(u"Sem");
  const int width = none->Width();
  none->Shadow().SetColor(clNone);
  EXPECT_EQ(none->Width(), width);  // the margins stay
  TPixels img = PaintControl(*none, Green);
  EXPECT_EQ(CentroidOf(img, IsShadow).Count, 0);
  EXPECT_GT(CentroidOf(img, IsWhite).Count, 20);

  auto disabled = MakeLabel(u"Sem");
  disabled->SetEnabled(false);
  img = PaintControl(*disabled, Green);
  EXPECT_EQ(CentroidOf(img, IsShadow).Count, 0);
  // Engraved: the highlight one pixel right and down of the shadow colour.
  const uint32_t shade = ColorToPixel(ColorToRGB(clBtnShadow));
  const TCentroid shaded = CentroidOf(img, [&](uint32_t p) { return Rgb(p) == Rgb(shade); });
  const uint32_t highlight = ColorToPixel(ColorToRGB(clBtnHighlight));
  const TCentroid light = CentroidOf(img, [&](uint32_t p) { return Rgb(p) == Rgb(highlight); });
  ASSERT_GT(shaded.Count, 10);
  ASSERT_GT(light.Count, 10);
  EXPECT_GT(light.X, shaded.X);

  auto plain = MakeLabel(u"Sem");
  plain->Shadow().SetMode(smNone);
  plain->Font()->SetColor(clRed);
  img = PaintControl(*plain, Green);
  EXPECT_EQ(CentroidOf(img, IsShadow).Count, 0);
  EXPECT_GT(CentroidOf(img, [](uint32_t p) { return Rgb(p) == 0xFF0000; }).Count, 20);
}

TEST(LabelFX, ShadowBufferedKeepsFirstImage) {
  for (bool buffered : {true, false}) {
    auto label = MakeLabel(u"AAAA");
    label->SetAutoSize(false);
    label->Shadow().SetShadowBuffered(buffered);
    PaintControl(*label, Green);
    const TPixels first = FromBitmap(const_cast<TBitmap&>(*label->ShadowImage()));
    label->SetCaption(u"ii");
    PaintControl(*label, Green);
    const TPixels second = FromBitmap(const_cast<TBitmap&>(*label->ShadowImage()));
    EXPECT_EQ(first.P == second.P, buffered);
  }
}

TEST(LabelFX, OpaqueLabelShadesOverItsColour) {
  auto label = MakeLabel(u"Op");
  label->SetTransparent(false);
  label->SetColor(clBlue);
  const TPixels img = PaintControl(*label, Green);
  // Nothing of the parent shows; the shadow darkens the label's blue.
  EXPECT_EQ(CentroidOf(img, [](uint32_t p) { return Rgb(p) == Rgb(Green); }).Count, 0);
  EXPECT_GT(CentroidOf(img, [](uint32_t p) { return (p & 0xFFFF00) == 0 && (p & 0xFF) < 0xFF; }).Count, 20);
}

TEST(LabelFX, SkinnedRoadTakesColoursAndShadowFromSkin) {
  TsSkinManager sm(nullptr);
  FillSampleModel(sm);
  const int section = AddSection(sm, u"FXLABEL");
  TsFontColor& f = sm.Model.gd[static_cast<size_t>(section)].Props[0].FontColor;
  f.Color = 0x00FF00;
  f.Left = 0x0000FF;
  TsSkinData& data = *sm.Model.CommonSkinData;
  data.Shadow1Blur = 2;
  data.Shadow1Offset = 2;
  data.Shadow1Color = 0xFF0000;  // blue
  auto label = MakeLabel(u"Pele");
  label->SetSkinSection(u"FXLabel");
  EXPECT_EQ(label->SkinSection(), u"FXLabel");
  const TShadowData d = label->CurrentShadowData();
  EXPECT_EQ(d.Blur, 2);
  EXPECT_EQ(d.Offset, 2);
  EXPECT_EQ(d.Color, 0xFF0000);
  label->Perform(SM_SKINCMD, SkinCmdWParam(SKC_NEWSKIN), 0);
  EXPECT_EQ(label->Shadow().OffsetKeeper().LeftTop(), 0);
  EXPECT_EQ(label->Shadow().OffsetKeeper().RightBottom(), 4);
  const TPixels img = PaintControl(*label, 0xFFFFFFFF);
  const TCentroid text = CentroidOf(img, [](uint32_t p) { return Rgb(p) == 0x00FF00; });
  const auto reddish = [](uint32_t p) { return Ch(p, 2) > Ch(p, 1) + 0x40 && Ch(p, 2) > Ch(p, 0) + 0x40; };
  const auto greenish = [](uint32_t p) { return Ch(p, 1) > Ch(p, 2) + 0x40; };
  const TCentroid shadow = CentroidOf(
      img, [](uint32_t p) { return Ch(p, 0) > 0x80 && Ch(p, 1) < 0xF0 && Ch(p, 2) < 0xF0; });
  EXPECT_GT(text.Count, 20);
  // The left outline, drawn before the text: text lies right of it.
  int textRight = 0, textLeft = 0;
  for (int y = 0; y < img.H; ++y)
    for (int x = 1; x + 1 < img.W; ++x)
      if (reddish(img.At(x, y))) {
        textRight += greenish(img.At(x + 1, y));
        textLeft += greenish(img.At(x - 1, y));
      }
  EXPECT_GT(textRight, 10);
  EXPECT_GT(textRight, 3 * textLeft);
  EXPECT_GT(shadow.Count, 20);
  EXPECT_GT(shadow.X, text.X);
  // Without a section the skin's global font colour, else the Kind colour.
  label->SetSkinSection(String());
  EXPECT_EQ(label->CurrentFontColor(), 0xFFFFFF);
}

TEST(LabelFX, TestSkinGivesColoursAndShadow) {
  auto sm = NewTestSkinManager();
  ASSERT_EQ(LoadSkinCountingBoxes(*sm, u"TestSkin"), 0);
  ASSERT_TRUE(sm->Model.CommonSkinData->Active);
  auto label = MakeLabel(u"Botao");
  label->SetSkinSection(u"BUTTON");
  const TShadowData d = label->CurrentShadowData();
  EXPECT_EQ(d.Blur, 2);
  EXPECT_EQ(d.Offset, 1);
  EXPECT_EQ(d.Alpha, 255);
  EXPECT_EQ(d.Color, 0x404040);
  EXPECT_EQ(label->Shadow().OffsetKeeper().LeftTop(), -1);
  EXPECT_EQ(label->Shadow().OffsetKeeper().RightBottom(), 3);
  EXPECT_EQ(label->CurrentFontColor(), 0x000000);
  const TPixels img = PaintControl(*label, Green);
  const auto dark = [](uint32_t p) { return Ch(p, 0) < 0x20 && Ch(p, 1) < 0x20 && Ch(p, 2) < 0x20; };
  const auto light = [](uint32_t p) { return Ch(p, 0) > 0xE0 && Ch(p, 2) > 0xE0; };
  EXPECT_GT(CentroidOf(img, dark).Count, 50);
  // The white left outline stands left of the black strokes.
  int strokeRight = 0, strokeLeft = 0;
  for (int y = 0; y < img.H; ++y)
    for (int x = 1; x + 1 < img.W; ++x)
      if (light(img.At(x, y))) {
        strokeRight += dark(img.At(x + 1, y));
        strokeLeft += dark(img.At(x - 1, y));
      }
  EXPECT_GT(strokeRight, 10);
  EXPECT_GT(strokeRight, 3 * strokeLeft);
}
