#include "skin/support/SkinModelCompare.h"
#include "skin/support/TestSkinFixture.h"
#include "skin/engine/SkinOptionsReader.h"
#include "skin/engine/SkinPacked.h"
#include "skin/graphics/LibUtils.h"
#include "skin/graphics/Pixels32.h"
#include "platform/rtl/FileUtils.h"
#include <gtest/gtest.h>

namespace {
int Part(TsSkinManager& sm, const char16_t* Section, const char16_t* Prop) {
  return sm.GetMaskIndex(String(Section), String(Prop));
}
const TsGeneralData& Section(TsSkinManager& sm, const char16_t* Name) {
  const int i = sm.GetSkinIndex(Name);
  EXPECT_GE(i, 0) << StringToUtf8(Name);
  return sm.Model.gd.at(static_cast<size_t>(i < 0 ? 0 : i));
}
}  // namespace

TEST(SkinLoad, FolderPackedAndStoredGiveOneModel) {
  auto folder = NewTestSkinManager(TestSkinFoldersDir());
  ASSERT_EQ(LoadSkinCountingBoxes(*folder, u"TestSkin"), 0);
  ASSERT_TRUE(folder->Model.CommonSkinData->Active);
  EXPECT_FALSE(folder->Model.SkinIsPacked);
  EXPECT_EQ(folder->Model.CommonSkinData->SkinPath, AddPathDelimiter(TestSkinFoldersDir()) + u"TestSkin\\");

  // The packed file wins over the folder of the same name.
  auto packed = NewTestSkinManager();
  ASSERT_EQ(LoadSkinCountingBoxes(*packed, u"TestSkin.ASZ"), 0);
  EXPECT_EQ(packed->SkinName(), u"TestSkin");
  EXPECT_TRUE(packed->Model.SkinIsPacked);

  auto stored = NewTestSkinManager();
  AddStoredSkin(*stored, u"Stored", ReadFileBytes(AddPathDelimiter(TestSkinsDir()) + u"TestSkin.asz"));
  ASSERT_EQ(LoadSkinCountingBoxes(*stored, u"Stored"), 0);
  EXPECT_TRUE(stored->Model.SkinIsPacked);
  EXPECT_EQ(stored->Model.CommonSkinData->SkinPath, u"");

  EXPECT_EQ(ModelDifference(folder->Model, packed->Model), "");
  EXPECT_EQ(ModelDifference(folder->Model, stored->Model), "");
  EXPECT_FALSE(SkinOptions);
  EXPECT_FALSE(SkinPackage);
  EXPECT_FALSE(SkinLoadInProgress);

  // A sample of what was read, so the comparison does not pass on two
  // empty models.
  TsSkinManager& sm = *folder;
  EXPECT_EQ(sm.Model.MasterBitmap->Width(), 160);
  EXPECT_EQ(Pixel32(*sm.Model.MasterBitmap, 0, 0), KeyPixel);
  EXPECT_EQ(Pixel32(*sm.Model.MasterBitmap, 5, 5) >> 24, 0xFFu);
  const int button = Part(sm, u"BUTTON", u"BORDERSMASK");
  ASSERT_GE(button, 0);
  EXPECT_EQ(sm.Model.ma[button].CornerType, 1);
  EXPECT_EQ(sm.Model.ma[button].DrawMode, 5);
  EXPECT_EQ(sm.Model.ConstData.MenuItem.SkinSection, u"MENUITEM");
  EXPECT_GE(sm.Model.ConstData.ExBorder, 0);
  EXPECT_EQ(sm.Model.gd.back().ClassName, u"TRANSPARENT");
}
