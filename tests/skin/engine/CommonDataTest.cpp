#include "skin/support/SkinModelFixture.h"
#include "skin/engine/CommonData.h"
#include "skin/engine/SkinCommands.h"
#include "skin/graphics/ColorFuncs.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/StdCtrls.h"
#include <gtest/gtest.h>
#include <vector>

TEST(CommonData, ManagerSectionAndIndexes) {
  TsSkinManager sm(nullptr);
  FillSampleModel(sm);
  TsCommonData data(nullptr, true);
  EXPECT_EQ(data.SkinManager(), &sm);
  data.SetSkinManager(&sm);
  EXPECT_FALSE(data.ManagerStored());  // the default one is never stored

  data.SetSkinSection(u"edit2");
  EXPECT_EQ(StringToUtf8(data.SkinSection()), "EDIT2");
  EXPECT_EQ(data.SkinIndex, sm.GetSkinIndex(u"EDIT2"));
  EXPECT_EQ(data.Texture, sm.GetTextureIndex(data.SkinIndex, u"PATTERN"));  // from EDIT
  EXPECT_TRUE(data.Skinned());
  data.SetSkinSection(u"NOSUCH");
  EXPECT_EQ(data.SkinIndex, -1);
  EXPECT_EQ(data.BorderIndex, -1);
  EXPECT_FALSE(data.Skinned());

  TsSkinManager other(nullptr);
  data.SetSkinManager(&other);
  EXPECT_TRUE(data.ManagerStored());
  EXPECT_EQ(data.SkinManager(), &other);
}

TEST(CommonData, BackgroundColoursAndStates) {
  TsSkinManager sm(nullptr);
  FillSampleModel(sm);
  const int none = AddSection(sm, u"NOSTATES", String(), 0);
  const int clear = AddSection(sm, u"CLEAR");
  const int half = AddSection(sm, u"HALF");
  sm.Model.gd[static_cast<size_t>(clear)].Props[0].Transparency = 100;
  auto& halfState = sm.Model.gd[static_cast<size_t>(half)].Props[0];
  halfState.Transparency = 50;
  halfState.Color = 0x00C86432;
  auto& noneState = sm.Model.gd[static_cast<size_t>(none)].Props;
  noneState[0].Color = 0x00010203;
  noneState[1].Color = 0x00FFFFFF;

  TsCommonData data(nullptr, false);
  data.SetSkinSection(u"NOSTATES");
  EXPECT_EQ(data.StateIndex(1), 0);  // no states counts as one
  EXPECT_EQ(data.SkinBackgroundColor(1), 0x00010203);
  data.SetSkinSection(u"CLEAR");
  EXPECT_EQ(data.SkinBackgroundColor(0), clBtnFace);
  data.SetSkinSection(u"HALF");
  const TColor face = ColorToRGB(clBtnFace);
  const auto mix = [&](int shift) {
    return static_cast<TColor>(static_cast<int>(0.5 * (0x00C86432 >> shift & 0xFF) + 0.5 * (face >> shift & 0xFF)))
           << shift;
  };
  EXPECT_EQ(data.SkinBackgroundColor(0), mix(0) | mix(8) | mix(16));
  data.SetSkinSection(u"NOSUCH");
  EXPECT_EQ(data.SkinBackgroundColor(0), clBtnFace);  // not skinned: the owner's colour
}

TEST(CommonData, UpdateBracketMessages) {
  TsSkinManager sm(nullptr);
  FillSampleModel(sm);
  TPanel panel(nullptr);
  std::vector<WORD> heard;
  auto old = panel.WindowProc;
  panel.WindowProc = [&, old](TMessage& m) {
    if (m.Msg == SM_SKINCMD) heard.push_back(m.WParamHi());
    old(m);
  };
  TsCommonData data(&panel, true);
  data.BeginUpdate();
  data.BeginUpdate();
  EXPECT_TRUE(data.CtrlSkinState & ACS_LOCKED);
  data.EndUpdate();
  EXPECT_FALSE(data.CtrlSkinState & ACS_LOCKED);
  data.EndUpdate();
  data.EndUpdate();  // below zero still ends the update
  EXPECT_EQ(heard, (std::vector<WORD>{SKC_BEGINUPDATE, SKC_BEGINUPDATE, SKC_ENDUPDATE, SKC_ENDUPDATE}));

  panel.SetBounds(0, 0, 33, 21);
  data.InitCacheBmp();
  EXPECT_EQ(data.FCacheBmp->Width(), 33);
  EXPECT_EQ(data.FCacheBmp->Height(), 21);
}

TEST(CommonData, HotState) {
  TsSkinManager sm(nullptr);
  FillSampleModel(sm);
  TPanel panel(nullptr);
  TsCommonData data(&panel, false);
  struct Case {
    int COC;
    bool MouseAbove, Focused, NoMouseHover, Hot;
  } cases[] = {
      {1, true, false, false, true},  {1, false, false, false, false}, {1, true, false, true, false},
      {5, true, false, false, false}, {60, true, false, false, false}, {60, false, true, false, true},
  };
  for (const auto& c : cases) {
    data.COC = c.COC;
    data.FMouseAbove = c.MouseAbove;
    data.FFocused = c.Focused;
    sm.Options().SetOptionFlag(1, c.NoMouseHover);
    EXPECT_EQ(data.ControlIsHot(), c.Hot) << c.COC << c.MouseAbove << c.Focused << c.NoMouseHover;
  }
  panel.SetEnabled(false);
  EXPECT_FALSE(data.ControlIsHot());
}

TEST(CommonData, DefaultSectionsByKind) {
  struct Case {
    int COC;
    const char* Section;
  } cases[] = {{5, "EDIT"}, {230, "EDIT"}, {18, "COMBOBOX"}, {19, "BAR"}, {152, "CHECKBOX"}, {73, "PANEL"},
               {58, "PANEL_LOW"}, {226, "GROUPBOX"}, {165, "TRACKBAR"}, {9, ""}, {34, ""}, {999, ""}};
  for (const auto& c : cases) EXPECT_EQ(StringToUtf8(DefaultSectionOfKind(c.COC)), c.Section) << c.COC;

  TsSkinManager sm(nullptr);
  FillSampleModel(sm);
  TsCommonData slider(nullptr, false);
  slider.COC = 34;
  slider.Loaded();
  EXPECT_EQ(slider.SkinIndex, -1);  // neither section in the skin
  const int panelLow = AddSection(sm, u"PANEL_LOW");
  slider.Loaded();
  EXPECT_EQ(slider.SkinIndex, panelLow);
  const int sliderOff = AddSection(sm, u"SLIDER_OFF");
  slider.Loaded();
  EXPECT_EQ(slider.SkinIndex, sliderOff);
  EXPECT_TRUE(slider.SkinSection().empty());

  TsCommonData edit(nullptr, false);
  edit.COC = 7;
  edit.Loaded();
  EXPECT_EQ(StringToUtf8(edit.SkinSection()), "EDIT");
  EXPECT_EQ(edit.SkinIndex, sm.GetSkinIndex(u"EDIT"));
}

namespace {
// A section of the sample skin with the given normal state.
int AddStyledSection(TsSkinManager& sm, const String& Name, int Transparency, int ImagePercent = 0,
                     int GradientPercent = 0, int GradientMode = 0) {
  const int index = AddSection(sm, Name);
  TsGenState& normal = sm.Model.gd[static_cast<size_t>(index)].Props[0];
  normal.Transparency = Transparency;
  normal.ImagePercent = ImagePercent;
  normal.GradientPercent = GradientPercent;
  if (GradientPercent > 0) {
    TsGradPie band;
    band.Mode1 = GradientMode;
    normal.GradientArray.push_back(band);
  }
  return index;
}
}  // namespace

TEST(CommonData, PlainBackgroundAndBackgroundType) {
  TsSkinManager sm(nullptr);
  FillSampleModel(sm);
  AddStyledSection(sm, u"FLAT", 0);
  AddStyledSection(sm, u"IMAGE", 0, 40);
  AddStyledSection(sm, u"GRAD0", 0, 0, 50, 0);
  AddStyledSection(sm, u"GRAD1", 0, 0, 50, 1);
  AddStyledSection(sm, u"GRAD2", 0, 30, 50, 2);
  AddStyledSection(sm, u"HALF", 40);
  const int corner = AddStyledSection(sm, u"CORNER", 0);
  sm.Model.gd[static_cast<size_t>(corner)].ImgBR = 0;
  const int filled = AddStyledSection(sm, u"FILLED", 0);
  const int border = AddPart(sm, u"FILLED", u"BORDERSMASK", TRect(40, 12, 52, 24));
  sm.Model.ma[static_cast<size_t>(border)].DrawMode = 4;  // fills its centre
  sm.Model.gd[static_cast<size_t>(filled)].BorderIndex = border;
  AddStyledSection(sm, u"CLEAR", 100);

  TPanel panel(nullptr);  // a container without a parent
  TsCommonData data(&panel, true);
  data.Loading = false;
  struct Case {
    const char* Section;
    int Plain;
    uint16_t BGType;
  } cases[] = {
      {"FLAT", 1, 0},   {"IMAGE", 0, 4},  {"GRAD0", 0, 2}, {"GRAD1", 0, 1}, {"GRAD2", 0, 4 | 3},
      {"HALF", 0, 0},   {"CORNER", 0, 0}, {"FILLED", 0, 0}, {"CLEAR", 0, 0},  // no parent to show through
      {"NOSUCH", 1, 0},
  };
  for (const auto& c : cases) {
    data.SetSkinSection(AsciiToString(c.Section));
    EXPECT_EQ(data.CalcPlainBackground(), c.Plain) << c.Section;
    EXPECT_EQ(data.BGType, c.BGType) << c.Section;
    if (data.SkinIndex >= 0) {  // the state word follows the plain answer
      EXPECT_EQ(data.CtrlSkinState, c.Plain ? ACS_PLAINBG : 0) << c.Section;
    }
  }
  data.SetSkinSection(u"FLAT");
  sm.Effects().SetAllowOuterEffects(true);  // a windowed owner then never counts as plain
  EXPECT_EQ(data.CalcPlainBackground(), 0);
  sm.Effects().SetAllowOuterEffects(false);

  // A fully transparent panel whose parent has no window yet: still unknown.
  TPanel parent(nullptr);
  panel.SetParent(&parent);
  data.SetSkinSection(u"CLEAR");
  EXPECT_EQ(data.CalcPlainBackground(), 2);
  EXPECT_EQ(data.CtrlSkinState, ACS_BGUNDEF);
  panel.SetParent(nullptr);
}

TEST(CommonData, NeedsSkinPaint) {
  TsSkinManager sm(nullptr);
  FillSampleModel(sm);
  AddStyledSection(sm, u"FLAT", 0);
  TPanel panel(nullptr);
  TsCommonData data(&panel, true);
  data.Loading = false;
  data.SetSkinSection(u"FLAT");
  ASSERT_TRUE(data.CtrlSkinState & ACS_PLAINBG);
  struct Case {
    int COC;
    bool MouseAbove, OuterEffects, Needs;
  } cases[] = {
      {1, false, false, false},   // plain and not hot
      {1, true, false, true},     // hot
      {51, true, false, false},   // a kind without hot background
      {51, false, true, true},    // outer effects always paint
  };
  for (const auto& c : cases) {
    data.COC = c.COC;
    data.FMouseAbove = c.MouseAbove;
    sm.Effects().SetAllowOuterEffects(c.OuterEffects);
    EXPECT_EQ(data.NeedsSkinPaint(), c.Needs) << c.COC << c.MouseAbove << c.OuterEffects;
  }
  sm.Effects().SetAllowOuterEffects(false);
  data.CtrlSkinState = ACS_BGUNDEF;
  data.FMouseAbove = false;
  EXPECT_TRUE(data.NeedsSkinPaint());  // not known to be plain
}

TEST(CommonData, ControlColoursFollowTheSection) {
  TsSkinManager sm(nullptr);
  FillSampleModel(sm);
  const int edit = sm.GetSkinIndex(u"EDIT");
  auto& normal = sm.Model.gd[static_cast<size_t>(edit)].Props[0];
  normal.Color = 0x00204080;
  normal.FontColor.Color = 0x00102030;
  const int clear = AddStyledSection(sm, u"CLEAR", 100);
  sm.Model.gd[static_cast<size_t>(clear)].Props[1].Transparency = 100;

  struct Case {
    const char* Name;
    const char16_t* Section;
    int COC;
    bool CustomColor, CustomFont;
    int Hue;
    TColor Color, FontColor;  // expected; 1 = left as it was
  } cases[] = {
      {"edit kind", u"EDIT", 5, false, false, 0, 0x00204080, 0x00102030},
      {"own colour kept", u"EDIT", 5, true, false, 0, 1, 0x00102030},
      {"own font kept", u"EDIT", 5, false, true, 0, 0x00204080, 1},
      {"kind 10 keeps its font", u"EDIT", 10, false, false, 0, 0x00204080, 1},
      {"not a colour kind", u"EDIT", 50, false, false, 0, 1, 1},
      {"fully transparent", u"CLEAR", 5, false, false, 0, 1, 1},
      {"hue of the manager", u"EDIT", 5, false, false, 120, ShiftColorHue(120, 0x00204080),
       ShiftColorHue(120, 0x00102030)},
  };
  for (const auto& c : cases) {
    TLabel label(nullptr);  // a graphic control: no window needed
    label.SetColor(1);
    label.Font()->SetColor(1);
    sm.SetHueOffset(c.Hue);
    TsCommonData data(&label, false);
    data.Loading = false;
    data.COC = c.COC;
    data.SetSkinSection(c.Section);
    data.SetCustomColor(c.CustomColor);
    data.SetCustomFont(c.CustomFont);
    data.UpdateCtrlColors(false);
    EXPECT_EQ(label.Color(), c.Color) << c.Name;
    EXPECT_EQ(label.Font()->Color(), c.FontColor) << c.Name;
    EXPECT_FALSE(data.CtrlSkinState & ACS_FONTCHANGING) << c.Name;
  }
  sm.SetHueOffset(0);
}

TEST(CommonData, ColourToneOfTheCacheKeepsKeyPixels) {
  TsSkinManager sm(nullptr);
  FillSampleModel(sm);
  TsCommonData data(nullptr, true);
  data.Loading = false;
  const uint32_t colour = 0xFF3060C0;
  auto bmp = NewBmp32(2, 1);
  TPixelRows(bmp.get()).At(0, 0) = colour;
  TPixelRows(bmp.get()).At(1, 0) = KeyPixel;
  data.SetSaturation(-40);  // a quarter-step value: 2.55 x -40 = -102
  data.SetHUEOffset(90);
  data.ApplyColorTone(*bmp);
  const uint32_t expected =
      static_cast<uint32_t>(ChangeSaturation(-102, static_cast<int32_t>(ChangeHue(90, colour))));
  EXPECT_EQ(TPixelRows(bmp.get()).At(0, 0), expected);
  EXPECT_EQ(TPixelRows(bmp.get()).At(1, 0), KeyPixel);
  data.SetSaturation(500);  // clamped to 255
  data.SetHUEOffset(0);
  TPixelRows(bmp.get()).At(0, 0) = colour;
  data.ApplyColorTone(*bmp);
  EXPECT_EQ(TPixelRows(bmp.get()).At(0, 0), static_cast<uint32_t>(ChangeSaturation(255, colour)));
}

TEST(CommonData, BordersFontRelayAndClassNameSection) {
  TsSkinManager sm(nullptr);
  FillSampleModel(sm);
  const int half = AddStyledSection(sm, u"SEETHROUGH", 60);
  const int border = AddPart(sm, u"SEETHROUGH", u"BORDERSMASK", TRect(40, 12, 52, 24));
  auto& md = sm.Model.ma[static_cast<size_t>(border)];
  md.WL = 2, md.WT = 5, md.WR = 3, md.WB = 4;
  sm.Model.gd[static_cast<size_t>(half)].BorderIndex = border;

  TPanel parent(nullptr);
  TLabel label(nullptr);
  label.SetParent(&parent);
  label.SetBounds(7, 9, 20, 10);
  TsCommonData data(&label, false);
  data.Loading = false;
  data.SetSkinSection(u"SEETHROUGH");
  struct Case {
    int16_t DrawMode;
    int MaxWidth;
    bool Relays;
  } cases[] = {{0, 5, true}, {4, 5, false}, {5, 0, true}, {1, 0, true}};
  for (const auto& c : cases) {
    md.DrawMode = c.DrawMode;
    EXPECT_EQ(data.MaxBorderWidth(), c.MaxWidth) << c.DrawMode;
    EXPECT_EQ(data.RelaysFontToParent(), c.Relays) << c.DrawMode;
  }
  sm.Model.gd[static_cast<size_t>(half)].Props[0].Transparency = 50;
  EXPECT_FALSE(data.RelaysFontToParent());

  // The label answers with the bounds it was asked about.
  TRect asked;
  auto old = label.WindowProc;
  label.WindowProc = [&, old](TMessage& m) {
    if (m.Msg != SM_SKINCMD || m.WParamHi() != SKC_GETFONTSECTION) return old(m);
    auto& request = *reinterpret_cast<TacFontSectionRequest*>(m.LParam);
    asked = request.Bounds;
    request.SkinIndex = 42;
    m.Result = request.SkinManager == &sm ? 1 : 0;
  };
  EXPECT_EQ(GetFontSkinIndex(&label, -7, &sm), 42);
  EXPECT_EQ(asked, TRect(7, 9, 27, 19));
  EXPECT_EQ(GetFontSkinIndex(&label, -7, nullptr), -7);
  EXPECT_EQ(GetFontSkinIndex(nullptr, -7, &sm), -7);
  TacFontSectionRequest relayed;
  relayed.Bounds = TRect(1, 2, 3, 4);
  relayed.SkinManager = &sm;
  EXPECT_EQ(RelayFontSection(&label, relayed), 1);
  EXPECT_EQ(asked, TRect(8, 11, 10, 13));
  label.WindowProc = old;
  label.SetParent(nullptr);

  // A kind with no default section takes the owner's class name.
  AddSection(sm, u"TPANEL");
  TPanel panel(nullptr);
  TsCommonData byClass(&panel, false);
  byClass.COC = 999;
  byClass.Loaded();
  EXPECT_EQ(StringToUtf8(byClass.SkinSection()), "TPANEL");
  EXPECT_EQ(byClass.SkinIndex, sm.GetSkinIndex(u"TPANEL"));
}
