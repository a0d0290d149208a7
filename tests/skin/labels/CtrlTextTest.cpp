// A control's caption drawn from its skin data: the web button's underline,
// the engraved look of an unskinned control, the colour effects, the font
// section asked of the parent and the glow into the cache.
#include "skin/labels/LabelTestSupport.h"
#include "skin/engine/CommonData.h"
#include "skin/engine/SkinCommands.h"
#include "skin/engine/SkinText.h"
#include "skin/support/SkinModelFixture.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"
#include <gtest/gtest.h>

namespace {
constexpr uint32_t Green = 0xFF00FF00;

int CountRgb(const TPixels& img, uint32_t rgb) {
  int n = 0;
  for (uint32_t p : img.P) n += Rgb(p) == rgb;
  return n;
}

// Pixel order of a colour.
uint32_t PixelOf(TColor c) {
  const uint32_t v = static_cast<uint32_t>(ColorToRGB(c));
  return (v & 0xFF) << 16 | (v & 0xFF00) | (v >> 16 & 0xFF);
}

TPixels Draw(TsCommonData& Data, bool Enabled, int State, TFontStyles* StyleAfter = nullptr) {
  auto bmp = FilledBmp(80, 60, Green);
  UseTestFont(*bmp->Canvas()->Font(), -48);
  DrawCtrlText(*bmp->Canvas(), u"H", Enabled, TRect(10, 0, 80, 60), DT_SINGLELINE, Data, State);
  GdiFlush();
  if (StyleAfter) *StyleAfter = bmp->Canvas()->Font()->Style();
  return FromBitmap(*bmp);
}

int Section(TsSkinManager& sm, const char16_t* Name, TColor FontColor) {
  const int index = AddSection(sm, Name);
  for (auto& st : sm.Model.gd[static_cast<size_t>(index)].Props) st.FontColor.Color = FontColor;
  return index;
}
}  // namespace

TEST(CtrlText, UnderlineEngravingAndColourEffects) {
  TsSkinManager sm(nullptr);
  FillSampleModel(sm);
  const int web = Section(sm, u"WEBBUTTON", 0x0000C0);
  sm.Model.ConstData.Sections[ssWebBtn] = web;
  TsCommonData data(nullptr, false);
  data.Loading = false;
  data.SetSkinSection(u"WEBBUTTON");
  ASSERT_EQ(data.SkinIndex, web);

  // Only a hot or pressed web button is underlined.
  TFontStyles style;
  Draw(data, true, 0, &style);
  EXPECT_FALSE(style.Contains(fsUnderline));
  const TPixels hot = Draw(data, true, 1, &style);
  EXPECT_TRUE(style.Contains(fsUnderline));
  EXPECT_GT(CountRgb(hot, PixelOf(0x0000C0)), 50);

  // The control's hue turns the section's colour, outlines included.
  data.FHUEOffset = 120;
  const TColor turned = ApplyCtrlColorEffects(0x0000C0, data);
  EXPECT_NE(turned, 0x0000C0);
  EXPECT_GT(CountRgb(Draw(data, true, 0), PixelOf(turned)), 50);
  EXPECT_EQ(CountRgb(Draw(data, true, 0), PixelOf(0x0000C0)), 0);
  data.FHUEOffset = 0;
  EXPECT_EQ(ApplyCtrlColorEffects(0x123456, data), 0x123456);

  // Unskinned and disabled: highlight one pixel right and down of the shadow.
  TsCommonData plain(nullptr, false);
  plain.Loading = false;
  plain.SetSkinSection(u"NOSUCH");
  ASSERT_FALSE(plain.Skinned());
  const TPixels engraved = Draw(plain, false, 0);
  const uint32_t light = PixelOf(clBtnHighlight), dark = PixelOf(clBtnShadow);
  ASSERT_NE(light, dark);
  const TCentroid l = CentroidOf(engraved, [&](uint32_t p) { return Rgb(p) == light; });
  const TCentroid d = CentroidOf(engraved, [&](uint32_t p) { return Rgb(p) == dark; });
  ASSERT_GT(l.Count, 20);
  ASSERT_GT(d.Count, 20);
  EXPECT_GT(l.X, d.X);
  EXPECT_GT(l.Y, d.Y);
}

// The parent answers through its window, so it needs one.
TEST(UiCtrlText, MenuItemsTakeTheParentsFontSectionAndGlowGoesToTheCache) {
  TsSkinManager sm(nullptr);
  FillSampleModel(sm);
  const int item = Section(sm, u"MENUITEM", 0x0000C0);
  const int panelText = Section(sm, u"PANELTEXT", 0xC00000);
  sm.Model.ConstData.Sections[ssMenuItem] = item;

  std::unique_ptr<TForm> form(new TForm(nullptr));
  TPanel* parent = new TPanel(form.get());
  parent->SetParent(form.get());
  parent->SetBounds(0, 0, 100, 80);
  TLabel label(nullptr);
  label.SetParent(parent);
  label.SetBounds(5, 5, 80, 60);
  parent->HandleNeeded();
  auto old = parent->WindowProc;
  parent->WindowProc = [&, old](TMessage& m) {
    if (m.Msg != SM_SKINCMD || m.WParamHi() != SKC_GETFONTSECTION) return old(m);
    reinterpret_cast<TacFontSectionRequest*>(m.LParam)->SkinIndex = panelText;
    m.Result = 1;
  };
  TsCommonData data(&label, true);
  data.Loading = false;
  data.SetSkinSection(u"MENUITEM");
  ASSERT_EQ(data.SkinIndex, item);
  const TPixels relayed = Draw(data, true, 0);
  EXPECT_GT(CountRgb(relayed, PixelOf(0xC00000)), 50);
  EXPECT_EQ(CountRgb(relayed, PixelOf(0x0000C0)), 0);

  // A glow is painted into the control's cache, not onto the canvas.
  auto& st = sm.Model.gd[static_cast<size_t>(panelText)].Props[0];
  st.GlowSize = 3;
  st.GlowColor = 0x00FFFF;
  data.FCacheBmp = FilledBmp(80, 60, 0xFF000000);
  const TPixels canvas = Draw(data, true, 0);
  GdiFlush();
  const TPixels cache = FromBitmap(*data.FCacheBmp);
  const TCentroid glow = CentroidOf(cache, [](uint32_t p) { return Ch(p, 2) > 0x40 && Ch(p, 1) > 0x40; });
  EXPECT_GT(glow.Count, 50);
  EXPECT_EQ(CountRgb(canvas, PixelOf(0x00FFFF)), 0);
}
