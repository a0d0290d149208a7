#include "skin/support/SkinModelFixture.h"
#include "skin/engine/CommonData.h"
#include "skin/engine/SkinCommands.h"
#include "platform/ui/ExtCtrls.h"
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
