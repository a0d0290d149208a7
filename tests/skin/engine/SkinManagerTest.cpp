#include "skin/support/TestSkinFixture.h"
#include "skin/support/SkinModelFixture.h"
#include "skin/engine/PreviewSkin.h"
#include "skin/engine/SkinManagerUnit.h"
#include "skin/engine/SysColors.h"
#include "skin/graphics/ColorFuncs.h"
#include "skin/graphics/LayeredWindows.h"
#include "platform/classes/IniFiles.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Forms.h"
#include <gtest/gtest.h>
#include <cstring>
#include <vector>

TEST(SkinManager, OptionDefaults) {
  TsSkinManager sm(nullptr);
  TacAnimEffects& anim = sm.AnimEffects();
  struct Anim {
    const char* Name;
    const TacFormAnimation& A;
    bool Active;
    int Time;
    TacAnimType Mode;
  } anims[] = {
      {"BlendOnMoving", *anim.BlendOnMoving, false, 1000, TacAnimType::atAero},
      {"Minimizing", *anim.Minimizing, true, 120, TacAnimType::atAero},
      {"FormShow", *anim.FormShow, true, 0, TacAnimType::atAero},
      {"FormHide", *anim.FormHide, true, 0, TacAnimType::atAero},
      {"DialogHide", *anim.DialogHide, true, 0, TacAnimType::atAero},
      {"PageChange", *anim.PageChange, true, 0, TacAnimType::atAero},
      {"DialogShow", *anim.DialogShow, true, 0, TacAnimType::atAero},
      {"SkinChanging", *anim.SkinChanging, true, 100, TacAnimType::atFading},
  };
  for (const auto& a : anims) {
    EXPECT_EQ(a.A.Active, a.Active) << a.Name;
    EXPECT_EQ(a.A.Time, a.Time) << a.Name;
    EXPECT_EQ(a.A.Mode, a.Mode) << a.Name;
  }
  EXPECT_EQ(anim.BlendOnMoving->BlendValue, 170);
  EXPECT_EQ(anim.Buttons->Events, AllBtnEvents);
  EXPECT_EQ(anim.Manager, &sm);

  struct Flag {
    const char* Name;
    bool Value, Expected;
  } flags[] = {
      {"AllowAnimation", sm.Effects().AllowAnimation(), true},
      {"AllowAeroBluring", sm.Effects().AllowAeroBluring(), true},
      {"AllowGlowing", sm.Effects().AllowGlowing(), true},
      {"AllowOuterEffects", sm.Effects().AllowOuterEffects(), false},
      {"DiscoloredGlyphs", sm.Effects().DiscoloredGlyphs(), false},
      {"ShowFocusRect", sm.ButtonsOptions().ShowFocusRect, true},
      {"ShiftContentOnClick", sm.ButtonsOptions().ShiftContentOnClick, true},
      {"TransparentAlways", sm.LabelsOptions().TransparentAlways, true},
      {"NoMouseHover", sm.Options().NoMouseHover(), false},
      {"StdGlyphsOrder", sm.Options().StdGlyphsOrder(), false},
      {"ChangeSysColors", sm.Options().ChangeSysColors(), false},
      {"CheckEmptyAlpha", sm.Options().CheckEmptyAlpha(), false},
      {"NativeBordersMaximized", sm.Options().NativeBordersMaximized(), false},
      {"SkinnedPopups", sm.SkinnedPopups(), true},
      {"Active", sm.Active(), true},
      {"ExtendedBorders", sm.GetExtendedBorders(), false},
  };
  for (const auto& f : flags) EXPECT_EQ(f.Value, f.Expected) << f.Name;
  EXPECT_EQ(sm.Options().OptimizingPriority, TacOptimizingPriority::opSpeed);
  EXPECT_EQ(sm.ScrollsOptions().ScrollSize(), -1);
  EXPECT_EQ(sm.ScrollsOptions().ButtonsSize(), -1);
  EXPECT_EQ(sm.SkinningRules(), AllSkinningRules);
  EXPECT_EQ(StringToUtf8(sm.SkinDirectory()), "c:\\Skins");
  EXPECT_EQ(StringToUtf8(TsSkinManager::Version()), "10.11");
  EXPECT_EQ(StringToUtf8(sm.GetSkinInfo()), "N/A");
  EXPECT_TRUE(sm.CommonSections().CaseSensitive());
  for (int i = 0; i < TacSectionCount; ++i) EXPECT_EQ(sm.Model.ConstData.Sections[static_cast<size_t>(i)], -1);
}

TEST(SkinManager, OptionFlagIndexes) {
  TsSkinManager sm(nullptr);
  TacOptions& o = sm.Options();
  struct Case {
    int Index;
    bool (TacOptions::*Read)() const;
  } cases[] = {{0, &TacOptions::CheckEmptyAlpha}, {1, &TacOptions::NoMouseHover},
               {2, &TacOptions::NativeBordersMaximized}, {3, &TacOptions::StdGlyphsOrder},
               {4, &TacOptions::ChangeSysColors}};
  for (const auto& c : cases) {
    o.SetOptionFlag(c.Index, true);
    for (const auto& other : cases) EXPECT_EQ((o.*other.Read)(), other.Index == c.Index) << c.Index;
    o.SetOptionFlag(c.Index, false);
  }
  o.SetOptionFlag(7, true);
  for (const auto& c : cases) EXPECT_FALSE((o.*c.Read)());
  o.SetOptionFlag(4, true);
  EXPECT_TRUE(o.GetOptionFlag(7));
  EXPECT_TRUE(o.GetOptionFlag(-1));
}

TEST(SkinManager, ThirdPartyNames) {
  TsSkinManager sm(nullptr);
  ThirdPartyList& tp = sm.ThirdParty();
  EXPECT_EQ(StringToUtf8(tp.GetByIndex(tpButton)), "TButton");
  EXPECT_EQ(StringToUtf8(tp.GetByIndex(tpEdit)), " ");
  EXPECT_EQ(tp.GetByIndex(23), u"");
  tp.SetByIndex(-1, u"X");
  tp.SetByIndex(tpEdit, u"");
  tp.SetByIndex(tpGrid, u"TMyGrid\nTOtherGrid");
  sm.Loaded();
  EXPECT_EQ(StringToUtf8(tp.GetByIndex(tpEdit)), " ");
  ASSERT_EQ(sm.ThirdLists[tpEdit]->Count(), 1);
  EXPECT_EQ(StringToUtf8(sm.ThirdLists[tpEdit]->Strings(0)), " ");
  EXPECT_EQ(sm.ThirdLists[tpGrid]->IndexOf(u"TOtherGrid"), 1);
  EXPECT_EQ(sm.ThirdLists[tpGrid]->IndexOf(u"tothergrid"), -1);
  sm.ThirdLists[tpPanel]->Add(u"TMyPanel");
  sm.StoreThirdNames();
  EXPECT_NE(tp.GetByIndex(tpPanel).find(u"TMyPanel"), String::npos);
  sm.UpdateThirdNames(true);
  EXPECT_EQ(StringToUtf8(tp.GetByIndex(tpGrid)), " ");
  // The named lists reach their own index, whatever their published order.
  tp.SetThirdGrids(u"G");
  tp.SetThirdComboBoxes(u"C");
  tp.SetThirdGridEh(u"E");
  tp.SetThirdVirtualTrees(u"V");
  tp.SetThirdUpDown(u"U");
  tp.SetThirdNativePaint(u"N");
  EXPECT_EQ(tp.GetByIndex(5), u"G");
  EXPECT_EQ(tp.GetByIndex(4), u"C");
  EXPECT_EQ(tp.GetByIndex(11), u"E");
  EXPECT_EQ(tp.GetByIndex(12), u"V");
  EXPECT_EQ(tp.GetByIndex(19), u"U");
  EXPECT_EQ(tp.GetByIndex(22), u"N");
  EXPECT_EQ(tp.ThirdButtons(), tp.GetByIndex(1));
}

TEST(SkinManager, PropertySetters) {
  TsSkinManager sm(nullptr);
  struct Case {
    int Set, Stored;
  } brightness[] = {{150, 100}, {-150, -100}, {40, 40}};
  for (const auto& c : brightness) {
    sm.SetBrightness(c.Set);
    EXPECT_EQ(sm.Brightness(), c.Stored);
  }
  sm.SetSaturation(-300);
  EXPECT_EQ(sm.Saturation(), -300);

  int listChanged = 0;
  sm.OnSkinListChanged = [&](TObject*) { ++listChanged; };
  sm.SetSkinDirectory(u"c:\\Skins");
  sm.SetSkinDirectory(u"d:\\Other");
  sm.SetSkinDirectory(u"d:\\Other");
  EXPECT_EQ(listChanged, 1);

  TStringList sections;
  sections.SetText(u"; keep me as is\n[MY SECTION]\nA = B\n\n");
  sm.SetCommonSections(sections);
  EXPECT_EQ(StringToUtf8(sm.CommonSections().Text()), StringToUtf8(u"; keep me as is\r\n[MYSECTION]\r\nA=B\r\n\r\n"));

  sm.BeginUpdate();
  sm.BeginUpdate();
  sm.EndUpdate(true, false);
  EXPECT_FALSE(sm.NoAutoUpdate);
  EXPECT_TRUE(sm.AnimEffects().SkinChanging->Active);  // restored after the update
}

TEST(SkinManager, DefaultRoleAndHook) {
  ASSERT_EQ(DefaultManager, nullptr);
  for (bool firstGoesFirst : {true, false}) {
    auto first = std::make_unique<TsSkinManager>(nullptr);
    auto second = std::make_unique<TsSkinManager>(nullptr);
    EXPECT_TRUE(first->GetIsDefault());
    EXPECT_FALSE(second->GetIsDefault());
    first->SetIsDefault(false);
    EXPECT_TRUE(first->GetIsDefault());
    second->SetIsDefault(true);
    EXPECT_EQ(DefaultManager, second.get());
    if (firstGoesFirst) {
      first.reset();  // attached the hook, no longer the default
      EXPECT_EQ(DefaultManager, second.get());
      second.reset();
    } else {
      second.reset();
      EXPECT_EQ(DefaultManager, nullptr);
      first.reset();
    }
    EXPECT_EQ(DefaultManager, nullptr);
    // Reaches no hook of a freed manager.
    SendMessageW(Application->Handle(), WM_NULL, 0, 0);
  }
}

TEST(SkinManager, ColourAndScrollQueries) {
  TsSkinManager sm(nullptr);
  FillSampleModel(sm);
  const auto& p = sm.Model.Palette;
  EXPECT_EQ(sm.GetGlobalColor(), p[pcMainColor]);
  EXPECT_EQ(sm.GetGlobalFontColor(), p[pcLabelText]);
  EXPECT_EQ(sm.GetActiveEditColor(), p[pcEditBG]);
  EXPECT_EQ(sm.GetActiveEditFontColor(), p[pcEditText]);
  EXPECT_EQ(sm.GetHighLightColor(true), p[pcSelectionBG_Focused]);
  EXPECT_EQ(sm.GetHighLightColor(false), p[pcSelectionBG]);
  EXPECT_EQ(sm.GetHighLightFontColor(true), p[pcSelectionText_Focused]);
  EXPECT_EQ(sm.GetHighLightFontColor(false), p[pcSelectionText]);

  const int system = GetSystemMetrics(SM_CXVSCROLL);
  EXPECT_EQ(SkinScrollWidth(nullptr), system);
  EXPECT_EQ(SkinScrollWidth(&sm), system);
  sm.ScrollsOptions().SetScrollSize(12);
  EXPECT_EQ(SkinScrollWidth(&sm), 12);
  EXPECT_EQ(MaxScrollWidth(&sm), std::max(12, system));
  sm.ScrollsOptions().SetScrollSize(system + 20);
  EXPECT_EQ(MaxScrollWidth(&sm), system + 20);
}

TEST(SkinManager, SkinVersionAndInfo) {
  TMemIniFile ini(u"");
  EXPECT_EQ(ReadSkinVersion(ini), 0.0);
  ini.WriteString(u"GLOBALINFO", u"VERSION", u"12.5");
  EXPECT_EQ(ReadSkinVersion(ini), 12.5);
  ini.WriteString(u"GLOBALINFO", u"VERSION", u"12,5");
  EXPECT_EQ(ReadSkinVersion(ini), 12.0);

  TsSkinManager sm(nullptr);
  FillSampleModel(sm);
  sm.Model.CommonSkinData->Version = 12.5;
  EXPECT_EQ(StringToUtf8(sm.GetSkinInfo()), "12.5");
  sm.Model.CommonSkinData->Version = 10;
  EXPECT_EQ(StringToUtf8(sm.GetSkinInfo()), "10");
}

TEST(SkinManager, CornerTypes) {
  TsSkinManager sm(nullptr);
  SetMasterBitmap(sm, 20, 10, 0xFF808080);
  AddSection(sm, u"S");
  // Frame of 10 x 10 at the left; a key pixel in the top-right corner.
  TPixelRows(sm.Model.MasterBitmap.get()).At(9, 0) = KeyPixel;
  const auto part = [&](TRect R, int WL, int WT, int WR, int WB, int Count) {
    TsMaskData md;
    md.R = R;
    md.WL = static_cast<int16_t>(WL), md.WT = static_cast<int16_t>(WT);
    md.WR = static_cast<int16_t>(WR), md.WB = static_cast<int16_t>(WB);
    md.ImageCount = static_cast<int16_t>(Count);
    md.Manager = &sm;
    return md;
  };
  struct Case {
    const char* Name;
    TsMaskData Md;
    int Expected;
  } cases[] = {
      {"key in the top-right corner", part(TRect(0, 0, 20, 10), 2, 2, 2, 2, 2), 1},
      {"corners miss the key", part(TRect(0, 0, 20, 10), 2, 2, 0, 2, 2), 0},
      {"no height", part(TRect(0, 0, 20, 0), 2, 2, 2, 2, 2), 0},
      {"starts outside the bitmap", part(TRect(-30, -30, -10, -20), 40, 40, 0, 0, 1), 1},
      {"wholly outside", part(TRect(-60, -60, -40, -50), 5, 5, 5, 5, 1), 0},
  };
  for (const auto& c : cases) EXPECT_EQ(sm.DetectCornerType(c.Md), c.Expected) << c.Name;
  TsMaskData huge = part(TRect(0, 0, 20, 0), 0, 0, 0, 0, 1);
  huge.ClassName = u"BUTTON_HUGE";
  huge.PropertyName = u"BORDERSMASK";
  EXPECT_EQ(sm.DetectCornerType(huge), 2);
}

TEST(SkinManager, ExternalImagesAndShadows) {
  TsSkinManager sm(nullptr);
  FillSampleModel(sm);
  auto* ext = NewBmp32(4, 4).release();
  sm.Model.ExtArray.push_back({ext, u"Glyph.png", 0});
  const int shared = AddPart(sm, u"BUTTON", u"GLYPH", TRect(0, 0, 4, 4));
  sm.Model.ma[static_cast<size_t>(shared)].Bmp = ext;
  EXPECT_EQ(sm.GetExtImage(u"Glyph.png"), ext);
  EXPECT_EQ(sm.GetExtImage(u"glyph.png"), nullptr);

  // Extended-border part in the master bitmap: two frames of 8 x 6 at (32, 16).
  TPixelRows rows(sm.Model.MasterBitmap.get());
  for (int y = 16; y < 22; ++y)
    for (int x = 32; x < 48; ++x) rows.At(x, y) = x < 40 ? 0xFF112233 : 0xFF445566;
  const int ex = AddPart(sm, u"GLOBALINFO", u"EXBORDER", TRect(32, 16, 48, 22), itisaBorder, 2);
  auto& md = sm.Model.ma[static_cast<size_t>(ex)];
  md.WL = 5, md.WT = 6, md.WR = 7, md.WB = 8;
  sm.Model.CommonSkinData->ExContentOffs = 2;
  sm.InitConstantIndexes();
  EXPECT_EQ(sm.Model.ConstData.ExBorder, ex);
  sm.SetExtendedBorders(true);
  if (!LayeredWindowsAvailable()) GTEST_SKIP() << "no layered windows";
  ASSERT_TRUE(sm.ShdiTemplate && sm.ShdaTemplate);
  EXPECT_EQ(sm.FormShadowSize, TRect(3, 4, 5, 6));
  ASSERT_EQ(sm.ShdiTemplate->Width(), 8);
  ASSERT_EQ(sm.ShdiTemplate->Height(), 6);
  EXPECT_EQ(TPixelRows(sm.ShdiTemplate.get()).At(3, 3) & 0xFFFFFF, 0x112233u);
  EXPECT_EQ(TPixelRows(sm.ShdaTemplate.get()).At(3, 3) & 0xFFFFFF, 0x445566u);
  sm.SetExtendedBorders(false);
  sm.CheckShadows();
  EXPECT_EQ(sm.FormShadowSize, TRect(0, 0, 0, 0));
  sm.Model.ClearImageParts();  // the shared bitmap is freed once
  EXPECT_TRUE(sm.Model.ma.empty());
  EXPECT_EQ(sm.GetExtImage(u"Glyph.png"), nullptr);
}

namespace {
std::vector<bool> StateNotices;
void RecordSkinState(bool InUse) { StateNotices.push_back(InUse); }
}  // namespace

TEST(SkinManager, StateNoticesAndCommonDialogs) {
  SkinStateNotify = RecordSkinState;
  {
    TsSkinManager first(nullptr);
    TsSkinManager second(nullptr);
    EXPECT_EQ(StateNotices, (std::vector<bool>{false, false}));
    first.SetSkinDirectory(TestSkinsDir());
    ASSERT_EQ(LoadSkinCountingBoxes(first, u"TestSkin"), 0);
    first.Loaded();
    EXPECT_EQ(StateNotices.back(), true);

    // Only the default manager sets the switch: the newest dialogs unless
    // standard dialogs are skinned by an active manager.
    struct Case {
      TsSkinManager* Manager;
      TacSkinningRules Rules;
      bool Latest;
    } cases[] = {
        {&first, AllSkinningRules, false},
        {&first, 1u << srStdForms, true},
        {&second, AllSkinningRules, true},  // not the default: no change
        {&first, 1u << srStdDialogs, false},
    };
    for (const auto& c : cases) {
      c.Manager->SetSkinningRules(c.Rules);
      EXPECT_EQ(c.Manager->SkinningRules(), c.Rules);
      EXPECT_EQ(UseLatestCommonDialogs, c.Latest) << static_cast<int>(c.Rules);
    }
    first.SetActive(false);
    EXPECT_TRUE(UseLatestCommonDialogs);
  }
  SkinStateNotify = nullptr;
  StateNotices.clear();
  UseLatestCommonDialogs = true;
}

TEST(SkinManager, DefaultShadowTemplates) {
  TsSkinManager sm(nullptr);
  ASSERT_TRUE(DefaultShadowActive && DefaultShadowInactive);
  for (TBitmap* bmp : {DefaultShadowActive.get(), DefaultShadowInactive.get()}) {
    ASSERT_EQ(bmp->Width(), 33);
    ASSERT_EQ(bmp->Height(), 33);
    TPixelRows rows(bmp);
    EXPECT_EQ(rows.At(0, 0), 0u);    // outside: white zeroed
    EXPECT_EQ(rows.At(16, 16), 0u);  // the centre the form covers
    EXPECT_EQ(rows.At(16, 8) & 0x00FFFFFF, 0u);  // black shadow next to the centre
    EXPECT_GT(rows.At(16, 8) >> 24, rows.At(16, 2) >> 24);  // fading outward
  }
  EXPECT_GT(TPixelRows(DefaultShadowActive.get()).At(16, 8) >> 24,
            TPixelRows(DefaultShadowInactive.get()).At(16, 8) >> 24);

  // A skin without an extended-border image takes copies of them.
  FillSampleModel(sm);
  sm.InitConstantIndexes();
  sm.SetExtendedBorders(true);
  if (!LayeredWindowsAvailable()) GTEST_SKIP() << "no layered windows";
  EXPECT_EQ(sm.FormShadowSize, TRect(9, 9, 9, 9));
  ASSERT_TRUE(sm.ShdaTemplate && sm.ShdiTemplate);
  EXPECT_NE(sm.ShdaTemplate.get(), DefaultShadowActive.get());
  EXPECT_EQ(TPixelRows(sm.ShdaTemplate.get()).At(16, 8), TPixelRows(DefaultShadowActive.get()).At(16, 8));
  EXPECT_EQ(TPixelRows(sm.ShdiTemplate.get()).At(16, 8), TPixelRows(DefaultShadowInactive.get()).At(16, 8));
}

TEST(SkinManager, UnitStartupAndVersionSwitch) {
  // The unit starts with the application, before any manager exists.
  EXPECT_EQ(DefaultShadowActive, nullptr);
  Application->Initialize();
  EXPECT_NE(DefaultShadowActive, nullptr);
  EXPECT_NE(DefaultShadowInactive, nullptr);

  struct Case {
    std::vector<String> Params;
    int Index;
  } cases[] = {
      {{}, -1},
      {{u"/acver"}, 0},
      {{u"-x", u"/ACVer", u"/acver"}, 1},
      {{u"acver", u"/acver2", u"/ac ver"}, -1},
  };
  for (const auto& c : cases) EXPECT_EQ(VersionSwitchIndex(c.Params), c.Index) << c.Params.size();
  EXPECT_EQ(StringToUtf8(LibraryVersionText()), "Velmoria v10.11");
}

TEST(SkinManager, PreviewSkinBlock) {
  TsSkinManager sm(nullptr);
  String optionsSeen;
  sm.OnSkinListChanged = [&](TObject*) { optionsSeen = PreviewOptions ? PreviewOptions->Text() : u"(none)"; };
  TacSkinData& block = *sm.PreviewBuffer;
  std::strcpy(block.SkinName, "Preview skin");
  std::strcpy(block.SkinDir, "c:\\Editor\\Skins");
  std::strcpy(block.Data, "[GLOBALINFO]\r\nVERSION=10.5");
  block.Magic = 0x1234;  // not a preview block: nothing happens
  sm.ApplyPreviewSkin();
  EXPECT_FALSE(PreviewMode);
  EXPECT_EQ(StringToUtf8(sm.SkinDirectory()), "c:\\Skins");

  block.Magic = PreviewMagic;
  sm.ApplyPreviewSkin();
  EXPECT_TRUE(PreviewMode);
  EXPECT_EQ(StringToUtf8(sm.SkinDirectory()), "c:\\Editor\\Skins");
  EXPECT_EQ(StringToUtf8(sm.SkinName()), "Preview skin");
  EXPECT_EQ(StringToUtf8(optionsSeen), "[GLOBALINFO]\r\nVERSION=10.5\r\n");  // read while loading
  EXPECT_EQ(PreviewOptions, nullptr);
  EXPECT_FALSE(sm.NoAutoUpdate);

  // A field filled to its end is read up to its end, never beyond.
  std::memset(block.SkinName, 'a', sizeof(block.SkinName));
  EXPECT_EQ(PreviewText(block.SkinName, sizeof(block.SkinName)).size(), sizeof(block.SkinName));
  PreviewMode = false;
}

TEST(SkinManager, SystemColoursFromTheSkin) {
  TsSkinManager sm(nullptr);
  FillSampleModel(sm);
  const auto& p = sm.Model.Palette;
  sm.Options().SetOptionFlag(4, true);
  EXPECT_TRUE(sm.Options().ChangeSysColors());
  // The process's own colour functions keep answering as the platform does.
  const DWORD window = GetSysColor(COLOR_WINDOW);
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), window);

  EXPECT_EQ(SkinSysColor(sm, COLOR_WINDOW), p[pcEditBG]);
  EXPECT_EQ(SkinSysColor(sm, COLOR_HIGHLIGHT), p[pcSelectionBG_Focused]);
  EXPECT_EQ(SkinSysColor(sm, COLOR_3DLIGHT), BlendColorPair(p[pcMainColor], 0xFFFFFF, 0.8));
  EXPECT_EQ(SkinSysColor(sm, COLOR_WINDOWTEXT), p[pcEditText]);
  EXPECT_EQ(SkinSysColor(sm, COLOR_BTNFACE), ColorNone);  // the platform's stays
  EXPECT_EQ(SkinPenColor(sm, 0xF0F0F0), BlendColorPair(p[pcEditText], p[pcEditBG], 0.15));
  EXPECT_EQ(SkinPenColor(sm, 15), p[pcMainColor]);
  EXPECT_EQ(SkinPenColor(sm, 0x123456), 0x123456);
}
