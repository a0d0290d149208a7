#include "skin/support/SkinModelFixture.h"
#include <gtest/gtest.h>

namespace {
struct TChainSkin {
  TsSkinManager sm{nullptr};
  TChainSkin() {
    FillSampleModel(sm);
    AddSection(sm, u"SELFISH", u"SELFISH");
    AddSection(sm, u"LOOPA", u"LOOPB");
    AddSection(sm, u"LOOPB", u"LOOPA");
    AddSection(sm, u"ORPHAN", u"NOSUCH");
    AddSection(sm, u"EDIT3", u"EDIT2");
    AddPart(sm, u"LOOPB", u"OTHER", TRect(0, 0, 2, 2));
  }
};
}  // namespace

TEST(SkinLookups, SectionAndMaskChains) {
  TChainSkin skin;
  TsSkinManager& sm = skin.sm;
  EXPECT_EQ(sm.GetSkinIndex(u""), -1);
  EXPECT_EQ(sm.GetSkinIndex(u"button"), -1);
  EXPECT_EQ(sm.GetSkinIndex(u"BUTTON"), 1);
  const int editBorder = sm.GetMaskIndex(u"EDIT", u"BORDERSMASK");
  ASSERT_GE(editBorder, 0);

  struct Case {
    const char16_t* Section;
    const char16_t* Mask;
    int ChainResult;  // both forms that take a section index
    int NameOnly;
  } cases[] = {
      {u"EDIT", u"BORDERSMASK", editBorder, editBorder},
      {u"EDIT2", u"BORDERSMASK", editBorder, -1},  // from the parent
      {u"EDIT3", u"BORDERSMASK", editBorder, -1},  // two levels up
      {u"EDIT2", u"bordersmask", -1, -1},
      {u"SELFISH", u"BORDERSMASK", -1, -1},
      {u"LOOPA", u"BORDERSMASK", -1, -1},
      {u"ORPHAN", u"BORDERSMASK", -1, -1},
      {u"NOSUCH", u"BORDERSMASK", -1, -1},
  };
  for (const auto& c : cases) {
    const int index = sm.GetSkinIndex(c.Section);
    EXPECT_EQ(sm.GetMaskIndex(index, c.Section, c.Mask), c.ChainResult) << StringToUtf8(c.Section);
    EXPECT_EQ(sm.GetMaskIndex(index, c.Mask), c.ChainResult) << StringToUtf8(c.Section);
    EXPECT_EQ(sm.GetMaskIndex(c.Section, c.Mask), c.NameOnly) << StringToUtf8(c.Section);
  }
  // A cycle still finds a part of a section on it.
  EXPECT_GE(sm.GetMaskIndex(sm.GetSkinIndex(u"LOOPA"), u"OTHER"), 0);
}

TEST(SkinLookups, TexturesFollowTheChainAndStopOnCycles) {
  TChainSkin skin;
  TsSkinManager& sm = skin.sm;
  const int pattern = sm.GetTextureIndex(sm.GetSkinIndex(u"EDIT"), u"PATTERN");
  ASSERT_GE(pattern, 0);
  for (const char16_t* name : {u"EDIT", u"EDIT2", u"EDIT3"}) {
    EXPECT_EQ(sm.GetTextureIndex(sm.GetSkinIndex(name), name, u"PATTERN"), pattern) << StringToUtf8(name);
    EXPECT_EQ(sm.GetTextureIndex(sm.GetSkinIndex(name), u"PATTERN"), pattern) << StringToUtf8(name);
  }
  for (const char16_t* name : {u"SELFISH", u"LOOPA", u"ORPHAN", u"BUTTON"}) {
    EXPECT_EQ(sm.GetTextureIndex(sm.GetSkinIndex(name), name, u"PATTERN"), -1) << StringToUtf8(name);
    EXPECT_EQ(sm.GetTextureIndex(sm.GetSkinIndex(name), u"PATTERN"), -1) << StringToUtf8(name);
  }
  // A border part of the same name is no texture.
  EXPECT_EQ(sm.GetTextureIndex(sm.GetSkinIndex(u"EDIT"), u"BORDERSMASK"), -1);
}

TEST(SkinLookups, ValidityAndSectionList) {
  TsSkinManager sm(nullptr);
  EXPECT_FALSE(sm.IsValidSkinIndex(0));
  EXPECT_FALSE(sm.IsValidImgIndex(0));
  TStringList names;
  sm.GetSkinSections(names);
  EXPECT_EQ(names.Count(), 0);
  FillSampleModel(sm);
  EXPECT_TRUE(sm.IsValidSkinIndex(3));
  EXPECT_FALSE(sm.IsValidSkinIndex(4));
  EXPECT_FALSE(sm.IsValidSkinIndex(-1));
  sm.GetSkinSections(names);
  EXPECT_EQ(StringToUtf8(names.CommaText()), "GLOBALINFO,BUTTON,EDIT,EDIT2");
}

TEST(SkinLookups, MaskMarginFallBacks) {
  TsSkinManager sm(nullptr);
  SetMasterBitmap(sm, 40, 20);
  AddSection(sm, u"S");
  const int bare = AddPart(sm, u"S", u"A", TRect(0, 0, 30, 12), itisaBorder, 0);
  const int framed = AddPart(sm, u"S", u"B", TRect(0, 0, 30, 12), itisaBorder, 3);
  sm.Model.ma[static_cast<size_t>(framed)].BorderWidth = 4;
  sm.Model.ma[static_cast<size_t>(framed)].WT = 2;

  EXPECT_EQ(sm.MaskWidthRight(bare), 0);  // no frames yet
  EXPECT_EQ(sm.MaskWidthLeft(bare), 30);
  EXPECT_EQ(sm.Model.ma[static_cast<size_t>(bare)].ImageCount, 1);
  EXPECT_EQ(sm.MaskWidthRight(bare), 30);
  EXPECT_EQ(sm.MaskWidthTop(bare), 12);
  EXPECT_EQ(sm.MaskWidthBottom(bare), 12);

  EXPECT_EQ(sm.MaskWidthLeft(framed), 4);
  EXPECT_EQ(sm.MaskWidthTop(framed), 2);
  EXPECT_EQ(sm.MaskWidthBottom(framed), 4);
}

TEST(SkinLookups, ConstantIndexesWithFallBacks) {
  struct Case {
    std::vector<const char16_t*> Sections;
    const char16_t* LeftUpDown;
  } cases[] = {
      {{u"UPDOWNBTN_LEFT", u"UPDOWNBTN", u"BUTTON"}, u"UPDOWNBTN_LEFT"},
      {{u"UPDOWNBTN", u"BUTTON"}, u"UPDOWNBTN"},
      {{u"BUTTON"}, u"BUTTON"},
      {{}, u"BUTTON"},  // the last name tried
  };
  for (const auto& c : cases) {
    TsSkinManager sm(nullptr);
    SetMasterBitmap(sm, 32, 32);
    AddSection(sm, u"GLOBALINFO");
    for (const char16_t* name : c.Sections) {
      AddSection(sm, name);
      AddPart(sm, name, u"BORDERSMASK", TRect(0, 0, 8, 8));
    }
    AddSection(sm, u"COMBOBTN");
    AddSection(sm, u"COMBOBOX");
    const int comboGlyph = AddPart(sm, u"COMBOBOX", u"GLYPHMASK", TRect(0, 0, 4, 4));
    const int check = AddPart(sm, u"GLOBALINFO", u"BOXCHECKED", TRect(8, 8, 16, 16));
    sm.InitConstantIndexes();
    const TConstantSkinData& cd = sm.Model.ConstData;
    const TacConstElementData& left = cd.UpDownBtns[asLeft];
    EXPECT_EQ(StringToUtf8(left.SkinSection), StringToUtf8(c.LeftUpDown));
    EXPECT_EQ(left.SkinIndex, sm.GetSkinIndex(c.LeftUpDown));
    EXPECT_EQ(left.MaskIndex, sm.GetMaskIndex(c.LeftUpDown, u"BORDERSMASK"));
    EXPECT_EQ(left.GlyphIndex, -1);
    EXPECT_EQ(cd.ComboBtn.GlyphIndex, comboGlyph);
    EXPECT_EQ(cd.CheckBox[1], check);
    EXPECT_EQ(cd.CheckBox[0], -1);
    EXPECT_EQ(cd.IndexGLobalInfo, 0);
    EXPECT_EQ(cd.Sections[ssButton], sm.GetSkinIndex(u"BUTTON"));
    EXPECT_EQ(cd.MenuItem.SkinIndex, -1);
    EXPECT_EQ(cd.MenuItem.SkinSection, u"");
    EXPECT_EQ(cd.Tabs[tlSingle][asTop].SkinSection, u"");
  }
}

TEST(SkinLookups, MaskIndexesOfSections) {
  TsSkinManager sm(nullptr);
  FillSampleModel(sm);
  AddSection(sm, u"ONESTATE", String(), 1);
  sm.Model.gd.back().Props[1].TextureIndex = 77;
  const int thin = sm.GetMaskIndex(u"EDIT", u"BORDERSMASK");
  auto& border = sm.Model.ma[static_cast<size_t>(thin)];
  border.WL = border.WT = border.WR = border.WB = 1;
  sm.Model.gd[0].BorderIndex = 55;  // GLOBALINFO keeps its loaded values
  sm.InitConstantIndexes();

  const auto& gd = sm.Model.gd;
  EXPECT_EQ(gd[0].BorderIndex, 55);
  EXPECT_EQ(gd[2].BorderIndex, thin);
  EXPECT_EQ(gd[2].ScrollBorderOffset, -1);
  EXPECT_EQ(gd[3].BorderIndex, thin);  // EDIT2 through its parent
  EXPECT_EQ(gd[3].ScrollBorderOffset, 0);
  EXPECT_EQ(gd[1].ScrollBorderOffset, 0);
  EXPECT_EQ(gd[4].ScrollBorderOffset, -2);
  EXPECT_EQ(gd[2].TextureNormal, sm.GetTextureIndex(2, u"PATTERN"));
  EXPECT_EQ(gd[2].Props[0].TextureIndex, gd[2].TextureNormal);
  EXPECT_EQ(gd[3].TextureNormal, gd[2].TextureNormal);
  EXPECT_EQ(gd[4].Props[1].TextureIndex, 77);
}
