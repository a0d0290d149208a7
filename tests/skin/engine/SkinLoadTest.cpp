#include "skin/support/SkinModelCompare.h"
#include "skin/support/TestSkinFixture.h"
#include "skin/engine/SkinOptionsReader.h"
#include "skin/engine/PreviewSkin.h"
#include "skin/engine/SkinPacked.h"
#include "skin/graphics/LibUtils.h"
#include "skin/graphics/Pixels32.h"
#include "platform/rtl/FileUtils.h"
#include <gtest/gtest.h>

namespace {
int Part(TsSkinManager& sm, const char16_t* Section, const char16_t* Prop) {
  return sm.GetMaskIndex(String(Section), String(Prop));
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

namespace {
// Writes a broken copy of TestSkin into Dir: folder Name, or packed
// Name.asz, with Change applied to its files.
void WriteBrokenSkin(const String& Dir, const String& Name, bool Packed,
                     const std::function<void(std::vector<TTestSkinFile>&)>& Change) {
  auto files = TestSkinFiles(0);
  Change(files);
  const String base = AddPathDelimiter(Dir);
  if (Packed) {
    WriteFileBytes(base + Name + u".asz", PackSkinFiles(files));
    return;
  }
  ForceDirectories(base + Name);
  for (const auto& f : files) WriteFileBytes(base + Name + u"\\" + Utf8ToString(f.Name), f.Bytes);
}

void ReplaceInOptions(std::vector<TTestSkinFile>& Files, const std::string& From, const std::string& To) {
  std::string& text = Files[0].Bytes;
  const size_t at = text.find(From);
  ASSERT_NE(at, std::string::npos) << From;
  text.replace(at, From.size(), To);
}

TTestSkinFile& FileNamed(std::vector<TTestSkinFile>& Files, const std::string& Name) {
  for (auto& f : Files)
    if (f.Name == Name) return f;
  throw std::runtime_error(Name);
}
}  // namespace

TEST(SkinLoad, FailingLoadKeepsThePreviousSkin) {
  const String dir = TestSkinsDir() + u"\\Broken";
  const auto button = [](std::vector<TTestSkinFile>& f) {
    ReplaceInOptions(f, "BORDERSMASK=^0000,0000,0060", "BORDERSMASK=^00x0,0000,0060");
  };
  const auto zeroFrames = [](std::vector<TTestSkinFile>& f) {
    ReplaceInOptions(f, "0004,0004,0004,0004,3,1,5,0", "0000,0000,0000,0000,0,1,5,0");
  };
  const auto badJpeg = [](std::vector<TTestSkinFile>& f) { FileNamed(f, "Tex.jpg").Bytes = "\xFF\xD8no jpeg here"; };
  const auto badPng = [](std::vector<TTestSkinFile>& f) { FileNamed(f, "Glow.png").Bytes.resize(60); };
  const auto badBmp = [](std::vector<TTestSkinFile>& f) { FileNamed(f, "Master.bmp").Bytes.resize(30); };
  const auto noOptions = [](std::vector<TTestSkinFile>& f) { f.erase(f.begin()); };
  WriteBrokenSkin(dir, u"BadNumber", false, button);
  WriteBrokenSkin(dir, u"ZeroFrames", false, zeroFrames);
  WriteBrokenSkin(dir, u"BadJpeg", false, badJpeg);
  WriteBrokenSkin(dir, u"BadPng", true, badPng);
  WriteBrokenSkin(dir, u"BadMaster", true, badBmp);
  WriteBrokenSkin(dir, u"NoOptions", true, noOptions);
  // A packed file whose second entry's stream is damaged.
  std::string damaged = PackSkinFiles(TestSkinFiles(0));
  damaged[damaged.size() / 2] ^= 0x55;
  damaged[damaged.size() / 2 + 1] ^= 0x55;
  WriteFileBytes(AddPathDelimiter(dir) + u"BadEntry.asz", damaged);
  for (const char16_t* good : {u"TestSkin", u"TestSkinB"}) {
    WriteFileBytes(AddPathDelimiter(dir) + good + u".asz",
                   PackSkinFiles(TestSkinFiles(String(good) == u"TestSkin" ? 0 : 1)));
  }

  auto reference = NewTestSkinManager(dir);
  ASSERT_EQ(LoadSkinCountingBoxes(*reference, u"TestSkin"), 0);
  auto referenceB = NewTestSkinManager(dir);
  ASSERT_EQ(LoadSkinCountingBoxes(*referenceB, u"TestSkinB"), 0);
  ASSERT_NE(ModelDifference(reference->Model, referenceB->Model), "");

  auto sm = NewTestSkinManager(dir);
  int loads = 0;
  sm->OnSkinLoading = [&](TObject*) { ++loads; };
  for (const char16_t* broken :
       {u"BadNumber", u"ZeroFrames", u"BadJpeg", u"BadPng", u"BadMaster", u"NoOptions", u"BadEntry"}) {
    const bool useB = loads % 2 == 1;
    const char16_t* good = useB ? u"TestSkinB" : u"TestSkin";
    ASSERT_EQ(LoadSkinCountingBoxes(*sm, good), 0);
    EXPECT_EQ(LoadSkinCountingBoxes(*sm, broken), 1) << StringToUtf8(broken);
    EXPECT_EQ(sm->SkinName(), good) << StringToUtf8(broken);
    EXPECT_TRUE(sm->Active());
    EXPECT_TRUE(sm->Model.CommonSkinData->Active) << StringToUtf8(broken);
    EXPECT_FALSE(SkinOptions);
    EXPECT_FALSE(SkinPackage);
    EXPECT_FALSE(SkinLoadInProgress);
    EXPECT_EQ(ModelDifference(sm->Model, (useB ? referenceB : reference)->Model), "") << StringToUtf8(broken);
  }
  EXPECT_EQ(loads, 7);
}

TEST(SkinLoad, NamesDirectoriesAndVersions) {
  // Where the skin directory resolves to, from the executable's folder.
  const String exe = ExeFolder();
  const String parent = exe.substr(0, exe.substr(0, exe.size() - 1).find_last_of(u"\\/") + 1);
  struct Dir {
    const char16_t* Given;
    String Expected;
  } dirs[] = {
      {u"..\\Skins", parent + u"Skins"}, {u"Skins", exe + u"Skins"},       {u".\\Skins", exe + u"Skins"},
      {u"./Skins", exe + u"Skins"},      {u".", exe},                       {u"\\\\server\\share", u"\\\\server\\share"},
      {u"c:\\Skins", u"c:\\Skins"},
  };
  TsSkinManager off(nullptr);
  off.SetActive(false);
  for (const auto& d : dirs) {
    off.SetSkinDirectory(d.Given);
    EXPECT_EQ(off.GetFullSkinDirectory(), d.Expected) << StringToUtf8(d.Given);
  }

  // Variants: a version that warns, an upper-case packed name, a folder
  // without options.
  const String dir = TestSkinsDir() + u"\\Listing";
  WriteTestSkins(dir);
  WriteBrokenSkin(dir, u"Newer", false,
                  [](std::vector<TTestSkinFile>& f) { ReplaceInOptions(f, "VERSION=10.0", "VERSION=10.99"); });
  WriteBrokenSkin(dir, u"Older", false,
                  [](std::vector<TTestSkinFile>& f) { ReplaceInOptions(f, "VERSION=10.0", "VERSION=7.44"); });
  WriteFileBytes(AddPathDelimiter(dir) + u"Upper.ASZ", PackSkinFiles(TestSkinFiles(0)));
  ForceDirectories(AddPathDelimiter(dir) + u"Empty");

  auto sm = NewTestSkinManager(dir);
  AddStoredSkin(*sm, u"Zeta", PackSkinFiles(TestSkinFiles(1)));
  TStringList names;
  EXPECT_EQ(sm->GetSkinNames(names, stAllSkins), u"Zeta");
  EXPECT_EQ(names.Text(), u"Newer\r\nOlder\r\nTestSkin\r\nTestSkin\r\nTestSkinB\r\nTestSkinB\r\nZeta\r\n");
  sm->GetSkinNames(names, stPacked);
  EXPECT_EQ(names.Text(), u"TestSkin\r\nTestSkinB\r\nZeta\r\n");
  sm->GetExternalSkinNames(names, stUnpacked);
  EXPECT_EQ(names.Text(), u"Newer\r\nOlder\r\nTestSkin\r\nTestSkinB\r\n");
  const String random = sm->GetRandomSkin();
  EXPECT_NE(names.IndexOf(random) >= 0 || random == u"Zeta", false) << StringToUtf8(random);

  EXPECT_EQ(LoadSkinCountingBoxes(*sm, u"Older"), 0);  // at run time, no notice
  sm->SetSkinningRules(AllSkinningRules);
  UiTestSeam::Reset();
  UiTestSeam::QueueMessageBoxAnswer(IDOK);
  sm->SetSkinName(u"Newer");
  ASSERT_EQ(UiTestSeam::MessageBoxLog().size(), 1u);
  EXPECT_NE(UiTestSeam::MessageBoxLog()[0].Text.find(u"has not complete support"), String::npos);
  UiTestSeam::Reset();
  EXPECT_EQ(sm->SkinName(), u"Newer");
  EXPECT_DOUBLE_EQ(sm->Model.CommonSkinData->Version, 10.99);
  EXPECT_EQ(sm->SkinningRules(), AllSkinningRules);

  // An old skin: a notice once, at design time only.
  struct TDesigned : TsSkinManager {
    TDesigned() : TsSkinManager(nullptr) { SetComponentState(csDesigning); }
  } designed;
  designed.SetSkinDirectory(dir);
  UiTestSeam::Reset();
  UiTestSeam::QueueMessageBoxAnswer(IDOK);
  designed.SetSkinName(u"Older");
  ASSERT_EQ(UiTestSeam::MessageBoxLog().size(), 1u);
  EXPECT_EQ(UiTestSeam::MessageBoxLog()[0].Text.find(u"You are using an old version of the \"Older\" skin."), 0u);
  UiTestSeam::Reset();

  // A skin editor's preview text stands in for the folder's options, and
  // the folder wins over the packed file.
  PreviewMode = true;
  PreviewOptions = std::make_unique<TStringList>();
  PreviewOptions->SetText(Utf8ToString(TestSkinOptionsText(1)));
  EXPECT_EQ(LoadSkinCountingBoxes(*sm, u"TestSkin"), 0);
  PreviewOptions.reset();
  PreviewMode = false;
  EXPECT_FALSE(sm->Model.SkinIsPacked);
  EXPECT_EQ(sm->Model.CommonSkinData->Description, u"Second generated skin");

  // A name found nowhere falls back on the first stored skin.
  EXPECT_EQ(LoadSkinCountingBoxes(*sm, u"Missing"), 0);
  EXPECT_EQ(sm->SkinName(), u"Zeta");
  EXPECT_EQ(sm->Model.CommonSkinData->Description, u"Second generated skin");

  // An inactive manager only stores.
  TsSkinManager inactive(nullptr);
  inactive.SetActive(false);
  inactive.SetSkinDirectory(dir);
  int events = 0;
  inactive.OnBeforeChange = inactive.OnAfterChange = [&](TObject*) { ++events; };
  inactive.SetSkinName(u"TestSkin.asz");
  EXPECT_EQ(inactive.SkinName(), u"TestSkin.asz");
  EXPECT_TRUE(inactive.Model.gd.empty());
  EXPECT_EQ(events, 0);

  // No folder, no packed file and no stored skin: the manager switches off.
  TsSkinManager none(nullptr);
  none.SetSkinDirectory(dir);
  // ".asz" alone keeps its four characters.
  EXPECT_EQ(LoadSkinCountingBoxes(none, u".asz"), 0);
  EXPECT_EQ(none.SkinName(), u".asz");
  EXPECT_FALSE(none.Active());
  EXPECT_FALSE(none.Model.CommonSkinData->Active);
}

// A reload started by a setter that fails (the skin's files went bad since
// it was read) keeps the skin it had and leaves no load in progress.
TEST(SkinLoad, FailingReloadFromASetterKeepsTheSkin) {
  const String dir = TestSkinsDir() + u"\\Reload";
  const auto keep = [](std::vector<TTestSkinFile>&) {};
  const auto damage = [](std::vector<TTestSkinFile>& f) {
    ReplaceInOptions(f, "BORDERSMASK=^0000,0000,0060", "BORDERSMASK=^00x0,0000,0060");
  };
  for (bool packed : {false, true}) {
    const String name = packed ? u"Packed" : u"Folder";
    WriteBrokenSkin(dir, name, packed, keep);
    auto sm = NewTestSkinManager(dir);
    ASSERT_EQ(LoadSkinCountingBoxes(*sm, name), 0);
    auto reference = NewTestSkinManager(dir);
    ASSERT_EQ(LoadSkinCountingBoxes(*reference, name), 0);
    WriteBrokenSkin(dir, name, packed, damage);
    const std::function<void()> setters[] = {[&] { sm->SetHueOffset(30); },
                                             [&] { sm->SetExtendedBorders(!sm->GetExtendedBorders()); }};
    for (const auto& set : setters) {
      EXPECT_ANY_THROW(set()) << StringToUtf8(name);
      EXPECT_FALSE(SkinLoadInProgress) << StringToUtf8(name);
      EXPECT_FALSE(SkinOptions);
      EXPECT_FALSE(SkinPackage);
      EXPECT_TRUE(sm->Model.CommonSkinData->Active);
      EXPECT_EQ(sm->SkinName(), name);
      EXPECT_EQ(ModelDifference(sm->Model, reference->Model), "") << StringToUtf8(name);
    }
  }
}
