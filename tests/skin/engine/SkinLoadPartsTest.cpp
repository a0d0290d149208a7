#include "skin/support/TestSkinFixture.h"
#include "skin/engine/SkinOptionsReader.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/ColorFuncs.h"
#include "skin/graphics/LibUtils.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumUtils.h"
#include <gtest/gtest.h>

namespace {
// Reads Text's image parts (or section data) with the test skin's folder
// as the skin's folder.
struct TOptionsRead {
  TsSkinManager sm{nullptr};
  explicit TOptionsRead(const String& Text) {
    sm.Model.CommonSkinData->SkinPath = AddPathDelimiter(TestSkinFoldersDir()) + u"TestSkin\\";
    SkinOptions = std::make_unique<TacSkinIni>(Text);
  }
  ~TOptionsRead() { SkinOptions.reset(); }
};

const TsGeneralData& Section(TsSkinManager& sm, const char16_t* Name) {
  const int i = sm.GetSkinIndex(Name);
  if (i < 0) throw std::runtime_error("no section " + StringToUtf8(Name));
  return sm.Model.gd[static_cast<size_t>(i)];
}
}  // namespace

TEST(SkinImageParts, ValueLayouts) {
  struct Case {
    const char16_t* Value;
    bool Made;
    TacImgType Type = itisaTexture;
    TRect R{};
    int Count = 0, MaskType = 0, DrawMode = 0, WL = 0, WT = 0, WR = 0, WB = 0;
    bool OwnBmp = false;
  } cases[] = {
      {u"@0010,0020,0110,0040,3,1", true, itisaGlyph, TRect(10, 20, 110, 40), 3, 1, 0, 0, 0, 0, 0, false},
      {u"^0000,0000,0090,0030,0000,0000,0000,0000,3,0,1,0", true, itisaGlyph, TRect(0, 0, 90, 30), 3, 0, 1, 10, 10,
       10, 10, false},
      {u"^0000,0000,0090,0030,0000,0000,0000,0000,3,0,1,4", true, itisaGlyph, TRect(0, 0, 90, 30), 3, 0, 1, 4, 4, 4,
       4, false},
      {u"^0000,0000,0090,0030,0002,0003,0004,0005,3,0,1,4", true, itisaGlyph, TRect(0, 0, 90, 30), 3, 0, 1, 2, 3, 4,
       5, false},
      {u"~0000,0000,0064,0064,01", true, itisaTexture, TRect(0, 0, 64, 64), 1, 0, 1, 0, 0, 0, 0, false},
      {u"~0000,0000,0064,0064,02,1", true, itisaTexture, TRect(0, 0, 64, 64), 1, 1, 2, 0, 0, 0, 0, false},
      {u"~0000~0000~0064~0064~01~0~plain.bmp", true, itisaTexture, TRect(0, 0, 64, 64), 1, 0, 1, 0, 0, 0, 0, true},
      {u"!Glow.png!2!1!0!3!3!3!3!4", true, itisaBorder, TRect(0, 0, 24, 48), 2, 1, 4, 3, 3, 3, 3, true},
      {u"!Glow.png!1!1!9", true, itisaPngGlyph, TRect(0, 0, 24, 48), 1, 1, 0, 8, 8, 8, 8, true},
      {u"Plain.bmp", true, itisaTexture, TRect(0, 0, 12, 12), 1, 0, 0, 4, 4, 4, 4, true},
      {u"CLBTNFACE", false},
      {u"123", false},
      {u"!Missing.png!1!0!0", false},
      {u"~0000~0000~0064~0064~01~0~missing.jpg", true, itisaTexture, TRect(0, 0, 64, 64), 1, 0, 1, 0, 0, 0, 0, false},
  };
  for (const auto& c : cases) {
    TOptionsRead read(u"[GLOBALINFO]\r\nMASTERBITMAP=Master.bmp\r\n[BUTTON]\r\nPART=" + String(c.Value) + u"\r\n");
    read.sm.LoadAllMasks();
    const int i = read.sm.GetMaskIndex(String(u"BUTTON"), String(u"PART"));
    const std::string what = StringToUtf8(c.Value);
    ASSERT_EQ(i >= 0, c.Made) << what;
    if (!c.Made) continue;
    const TsMaskData& md = read.sm.Model.ma[static_cast<size_t>(i)];
    EXPECT_EQ(md.ImgType, c.Type) << what;
    EXPECT_EQ(md.R, c.R) << what;
    EXPECT_EQ(md.ImageCount, c.Count) << what;
    EXPECT_EQ(md.MaskType, c.MaskType) << what;
    EXPECT_EQ(md.DrawMode, c.DrawMode) << what;
    EXPECT_EQ((std::array<int, 4>{md.WL, md.WT, md.WR, md.WB}), (std::array<int, 4>{c.WL, c.WT, c.WR, c.WB})) << what;
    EXPECT_EQ(md.Bmp != nullptr, c.OwnBmp) << what;
    EXPECT_EQ(md.SkinIndex, 1) << what;
    EXPECT_EQ(md.Manager, &read.sm) << what;
  }
  // The first example: three frames 33 wide over a mask, 10 high.
  TOptionsRead read(u"[X]\r\nA=@0010,0020,0110,0040,3,1\r\nB=!Glow.png!1!1!3!4!4!4!4!0\r\nC=~0000~0000~0001~0001~01~0~GLOW.PNG\r\n");
  read.sm.LoadAllMasks();
  EXPECT_EQ(MaskFrameSize(read.sm.Model.ma[0]), TSize(33, 10));
  // One file named twice is decoded once and shared.
  EXPECT_EQ(read.sm.Model.ExtArray.size(), 1u);
  EXPECT_EQ(read.sm.Model.ma[1].Bmp, read.sm.Model.ma[2].Bmp);
}

TEST(SkinImageParts, BadValuesFailTheRead) {
  const char16_t* values[] = {
      u"@00x0,0020,0110,0040,3,1",                          // not a number
      u"@0010,0020",                                        // fields past the end
      u"^0000,0000,0090,0030,0000,0000,0000,0000,0,0,1,0",  // zero frames, no margins
      u"!Plain.bmp!0",                                      // zero frames, margins computed
      u"!Plain.bmp!1!-1",                                   // a mask type that divides by zero
  };
  for (const char16_t* value : values) {
    TOptionsRead read(u"[BUTTON]\r\nPART=" + String(value) + u"\r\n");
    EXPECT_THROW(read.sm.LoadAllMasks(), Exception) << StringToUtf8(value);
  }
}

TEST(SkinSectionData, ValuesInheritanceAndPalette) {
  auto sm = NewTestSkinManager(TestSkinFoldersDir());
  ASSERT_EQ(LoadSkinCountingBoxes(*sm, u"TestSkin"), 0);
  const TsSkinData& sd = *sm->Model.CommonSkinData;
  EXPECT_EQ(sd.Author, u"Brenquia tests");
  EXPECT_DOUBLE_EQ(sd.Version, 10.0);
  EXPECT_EQ((std::array<int, 6>{sd.ExTitleHeight, sd.ExMaxHeight, sd.ExShadowOffs, sd.ExShadowOffsR,
                                sd.ExShadowOffsT, sd.ExShadowOffsB}),
            (std::array<int, 6>{30, 30, 5, 5, 5, 5}));
  EXPECT_EQ(sd.TabsCovering, 2);
  EXPECT_EQ(sd.Shadow1Color, 0x404040);
  EXPECT_EQ(sd.BIKeepHUE, 2);

  const TColor btnFace = ColorToRGB(clBtnFace);
  const TTestSkinColors colors = TestSkinColorsOf(0);
  struct Case {
    const char* What;
    int Actual, Expected;
  } cases[] = {
      {"PANEL outer mode kept above 255", Section(*sm, u"PANEL").OuterMode, 400},
      {"PANEL hot texture", Section(*sm, u"PANEL").Props[1].TextureIndex >= 0, 1},
      {"PANEL_LOW one state", Section(*sm, u"PANEL_LOW").States, 1},
      {"PANEL_LOW inherits the colour", Section(*sm, u"PANEL_LOW").Props[0].Color, colors.PanelColor},
      {"PANEL_LOW ignores its hot colour", Section(*sm, u"PANEL_LOW").Props[1].Color, colors.PanelColor},
      {"PANEL_LOW transparency", Section(*sm, u"PANEL_LOW").Props[1].Transparency, 40},
      {"EDIT2 inherited system colour", Section(*sm, u"EDIT2").Props[0].GlowColor, btnFace},
      {"EDIT keeps its own", Section(*sm, u"EDIT").Props[0].GlowColor, -16777201},
      {"EDIT2 own system colour", Section(*sm, u"EDIT2").Props[1].Color, -16777201},
      {"EDIT thin border", Section(*sm, u"EDIT").ScrollBorderOffset, -1},
      {"BUTTON_HUGE inherits glow", Section(*sm, u"BUTTON_HUGE").GlowCount, 2},
      {"BUTTON normal bands", static_cast<int>(Section(*sm, u"BUTTON").Props[0].GradientArray.size()), 1},
      {"BUTTON hot bands", static_cast<int>(Section(*sm, u"BUTTON").Props[1].GradientArray.size()), 2},
      {"BUTTON hot band mode", Section(*sm, u"BUTTON").Props[1].GradientArray[0].Mode1, 1},
      {"TOOLBAR bands", static_cast<int>(Section(*sm, u"TOOLBAR").Props[0].GradientArray.size()), 3},
      {"TOOLBAR four corners", Section(*sm, u"TOOLBAR").Props[0].GradientArray[0].Mode1, 2},
      {"TRANSPARENT added last", sm->GetSkinIndex(u"TRANSPARENT"), static_cast<int>(sm->Model.gd.size()) - 1},
      {"TRANSPARENT states", Section(*sm, u"TRANSPARENT").States, 1},
      {"TRANSPARENT transparency", Section(*sm, u"TRANSPARENT").Props[1].Transparency, 100},
      {"selection", sm->Model.Palette[pcSelectionBG], 0xC08040},
      {"focused selection", sm->Model.Palette[pcSelectionBG_Focused], 0xE0A060},
      {"edit background", sm->Model.Palette[pcEditBG], colors.EditColor},
      {"even rows blended", sm->Model.Palette[pcEditBG_EvenRow],
       BlendColorPair(colors.EditFont, colors.EditColor, 0.05)},
      {"caution text from the alert key", sm->Model.Palette[pcEditText_Caution], 0x0000E0},
      {"shadow from a ^ value", sm->Model.oe[1].Source, 1},
      {"shadow mask", sm->Model.ma.at(static_cast<size_t>(sm->Model.oe[1].Mask)).R.Bottom, 96},
      {"drawn light widths", sm->Model.oe[0].WidthL, 9},
      {"drawn light top colour", sm->Model.oe[0].ColorT, 0x101010},
      {"drawn light mask width", sm->Model.ma.at(static_cast<size_t>(sm->Model.oe[0].Mask)).Bmp->Width(), 19},
  };
  for (const auto& c : cases) EXPECT_EQ(c.Actual, c.Expected) << c.What;
  // The drawn mask's lower square is BLUR5: 255 at the corner, 51 inside.
  TBitmap& drawn = *sm->Model.ma.at(static_cast<size_t>(sm->Model.oe[0].Mask)).Bmp;
  TPixelRows rows(&drawn);
  EXPECT_EQ(rows.At(0, 19) & 0xFF, 255u);
  EXPECT_EQ(rows.At(9, 19 + 9) & 0xFF, 51u);
  EXPECT_EQ(rows.At(18, 19 + 1) & 0xFF, 254u);
}

TEST(SkinSectionData, EdgeTexts) {
  String longGradient = u"[S]\r\nGRADIENTDATA=";
  for (int i = 0; i < 20000; ++i) longGradient += u"16777215;0;50;1;0;";
  longGradient += u"\r\n";
  struct Case {
    const char* What;
    const char16_t* Text;
    const char16_t* Section;
    std::function<int(TsSkinManager&, const TsGeneralData&)> Actual;
    int Expected;
  } cases[] = {
      {"states limited", u"[S]\r\nSTATES=400\r\n", u"S", [](TsSkinManager&, const TsGeneralData& g) { return g.States; }, 255},
      {"states at least one", u"[S]\r\nSTATES=0\r\n", u"S", [](TsSkinManager&, const TsGeneralData& g) { return g.States; }, 1},
      {"short gradient text", u"[S]\r\nGRADIENTPERCENT=50\r\nGRADIENTDATA=ab\r\n", u"S",
       [](TsSkinManager&, const TsGeneralData& g) { return g.Props[0].GradientPercent; }, 0},
      {"menu item key text", u"[MENUITEM]\r\nHOTFONTCOLOR=$FF00FF\r\n", u"MENUITEM",
       [](TsSkinManager& sm, const TsGeneralData&) { return sm.Model.Palette[pcSelectionText]; },
       static_cast<int>(0xFF00000E)},
      {"menu item key text focused", u"[MENUITEM]\r\nHOTFONTCOLOR=$FF00FF\r\n", u"MENUITEM",
       [](TsSkinManager& sm, const TsGeneralData&) { return sm.Model.Palette[pcSelectionText_Focused]; },
       static_cast<int>(0xFF00000E)},
      {"menu item default text", u"[MENUITEM]\r\nSTATES=2\r\n", u"MENUITEM",
       [](TsSkinManager& sm, const TsGeneralData&) { return sm.Model.Palette[pcSelectionText]; }, 0},
      {"no edit section", u"[S]\r\n", u"S",
       [](TsSkinManager& sm, const TsGeneralData&) { return sm.Model.Palette[pcEditBG]; }, ColorToRGB(clWindow)},
      {"title height default", u"[GLOBALINFO]\r\nMAXHEIGHT=0\r\n", u"GLOBALINFO",
       [](TsSkinManager& sm, const TsGeneralData&) { return sm.Model.CommonSkinData->ExMaxHeight; }, 30},
      {"long gradient text read whole", longGradient.c_str(), u"S",
       [](TsSkinManager&, const TsGeneralData& g) { return static_cast<int>(g.Props[0].GradientArray.size()); }, 20000},
      {"gradient words between empty ones", u"[S]\r\nGRADIENTDATA=;1;;2;;3;4;;5;6;\r\n", u"S",
       [](TsSkinManager&, const TsGeneralData& g) { return g.Props[0].GradientArray.at(0).Mode1 * 10 +
                                                          static_cast<int>(g.Props[0].GradientArray.size()); }, 41},
      // Sizes that every paint allocates or loops by are limited.
      {"glow size limited", u"[S]\r\nGSIZE=100000\r\n", u"S",
       [](TsSkinManager&, const TsGeneralData& g) { return g.Props[0].GlowSize; }, 255},
      {"hot glow size not negative", u"[S]\r\nSTATES=2\r\nHGSIZE=-2147483648\r\n", u"S",
       [](TsSkinManager&, const TsGeneralData& g) { return g.Props[1].GlowSize; }, 0},
      {"glow margin limited", u"[S]\r\nGLOWMARGIN=-2147483647\r\n", u"S",
       [](TsSkinManager&, const TsGeneralData& g) { return g.GlowMargin; }, -255},
      {"outer offset limited", u"[S]\r\nOUTOFFSL=-2147483648\r\n", u"S",
       [](TsSkinManager&, const TsGeneralData& g) { return g.OuterOffset.Left; }, -255},
      {"skin shadow blur limited", u"[GLOBALINFO]\r\nSHADOW1BLUR=2147483647\r\n", u"GLOBALINFO",
       [](TsSkinManager& sm, const TsGeneralData&) { return sm.Model.CommonSkinData->Shadow1Blur; }, 255},
      {"no skin shadow kept", u"[GLOBALINFO]\r\nSHADOW1BLUR=-7\r\n", u"GLOBALINFO",
       [](TsSkinManager& sm, const TsGeneralData&) { return sm.Model.CommonSkinData->Shadow1Blur; }, -1},
      {"skin shadow offset limited", u"[GLOBALINFO]\r\nSHADOW1OFFSET=99999\r\n", u"GLOBALINFO",
       [](TsSkinManager& sm, const TsGeneralData&) { return sm.Model.CommonSkinData->Shadow1Offset; }, 255},
      {"light offset limited", u"[GLOBALINFO]\r\nLO_OFFSETB=-99999\r\n", u"GLOBALINFO",
       [](TsSkinManager& sm, const TsGeneralData&) { return sm.Model.oe[0].OffsetB; }, -255},
  };
  for (const auto& c : cases) {
    TOptionsRead read(c.Text);
    read.sm.LoadAllGeneralData();
    const int i = read.sm.GetSkinIndex(c.Section);
    ASSERT_GE(i, 0) << c.What;
    EXPECT_EQ(c.Actual(read.sm, read.sm.Model.gd[static_cast<size_t>(i)]), c.Expected) << c.What;
  }
}

TEST(SkinSectionData, CommonSections) {
  TOptionsRead read(u"[PANEL]\r\nCOLOR=$123456\r\nGLOW=7\r\n");
  TStringList common;
  common.SetText(u"[PANEL]\r\nCOLOR=$FFFFFF\r\n[MYPANEL]\r\nPARENTCLASS=panel\r\nHOTCOLOR=$00FF00\r\n");
  // Stored without reloading anything: the manager has no skin name.
  read.sm.CommonSections().Assign(common);
  read.sm.LoadAllGeneralData();
  ASSERT_EQ(read.sm.Model.gd.size(), 3u);
  EXPECT_EQ(read.sm.Model.gd[0].Props[0].Color, 0x123456);
  const TsGeneralData& mine = read.sm.Model.gd[1];
  EXPECT_EQ(mine.ClassName, u"MYPANEL");
  EXPECT_EQ(mine.ParentClass, u"PANEL");
  EXPECT_EQ(mine.Props[0].Color, 0x123456);
  EXPECT_EQ(mine.Props[1].Color, 0x00FF00);
  EXPECT_EQ(mine.GlowCount, 7);
}

TEST(SkinSectionData, LongParentChainsStopAtTheirLimit) {
  // C0 inherits from C1 and so on up to C1499, which alone sets anything;
  // another 1500 sections of one part each lengthen every scan.
  constexpr int Count = 1500, Top = Count - 1;
  String text;
  for (int i = 0; i < Count; ++i) {
    text += u"[C" + IntToStr(i) + u"]\r\n";
    if (i < Top) text += u"PARENTCLASS=C" + IntToStr(i + 1) + u"\r\n";
  }
  text += u"GLOW=7\r\nBORDERSMASK=^0000,0000,0060,0040,0004,0004,0004,0004,3,1,5,0\r\n"
          u"PATTERN=~0000,0000,0016,0016,01\r\n";
  for (int i = 0; i < Count; ++i) text += u"[F" + IntToStr(i) + u"]\r\nOUTERMASK=@0000,0000,0016,0016,1,0\r\n";
  TOptionsRead read(text);
  read.sm.LoadAllMasks();
  read.sm.LoadAllGeneralData();
  String top = u"C";
  top += IntToStr(Top);
  const int border = read.sm.GetMaskIndex(top, String(u"BORDERSMASK"));
  ASSERT_GE(border, 0);
  for (int from : {Top - MaxParentChain, Top - MaxParentChain - 1, 0}) {
    const bool reached = Top - from <= MaxParentChain;
    const TsGeneralData& d = Section(read.sm, (u"C" + IntToStr(from)).c_str());
    EXPECT_EQ(d.GlowCount, reached ? 7 : 0) << from;
    EXPECT_EQ(d.BorderIndex, reached ? border : -1) << from;
    EXPECT_EQ(d.TextureNormal >= 0, reached) << from;
    EXPECT_EQ(read.sm.GetMaskIndex(read.sm.GetSkinIndex(u"C" + IntToStr(from)), u"BORDERSMASK"), d.BorderIndex)
        << from;
  }
}
