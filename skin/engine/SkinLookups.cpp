// Finding sections, image parts and textures by name, and resolving the
// constant indexes after a load. Parent chains are walked in a loop that
// refuses a section already visited, so a cycle of parents ends with -1,
// and stops as the options reader does past MaxParentChain sections.
#include "skin/engine/SkinManager.h"
#include "skin/engine/SkinOptionsReader.h"
#include <map>
#include <vector>

namespace {
// Sections seen on one walk up a parent chain.
class TVisited {
public:
  explicit TVisited(size_t count) : FSeen(count, false) {}
  // False when Index was seen already or the chain is too long.
  bool Enter(int Index) {
    if (FSeen[static_cast<size_t>(Index)] || ++FDepth > MaxParentChain) return false;
    FSeen[static_cast<size_t>(Index)] = true;
    return true;
  }

private:
  std::vector<bool> FSeen;
  int FDepth = 0;
};

// Walks from SkinIndex, named Section, up its PARENTCLASS chain, asking
// PartAt(index, section) at each section until it answers a part (>= 0).
// SectionIndex finds a parent's section by name.
template <class PartAt, class SectionIndex>
int WalkUpParents(const TsSkinModel& Model, int SkinIndex, String Section, PartAt partAt, SectionIndex sectionIndex) {
  TVisited visited(Model.gd.size());
  while (SkinIndex >= 0) {
    const int part = partAt(SkinIndex, Section);
    if (part >= 0) return part;
    if (!Model.CommonSkinData || static_cast<size_t>(SkinIndex) >= Model.gd.size() || !visited.Enter(SkinIndex))
      return -1;
    const String parent = Model.gd[static_cast<size_t>(SkinIndex)].ParentClass;
    if (parent.empty() || parent == Section) return -1;
    SkinIndex = sectionIndex(parent);
    Section = parent;
  }
  return -1;
}

// The name of the section at SkinIndex, empty for none.
String SectionName(const TsSkinModel& Model, int SkinIndex) {
  return SkinIndex >= 0 && static_cast<size_t>(SkinIndex) < Model.gd.size() ? Model.gd[static_cast<size_t>(SkinIndex)].ClassName
                                                                           : String();
}

// The first part that Match accepts, -1 for none.
template <class Match>
int FirstPart(const TsSkinModel& Model, Match match) {
  for (size_t i = 0; i < Model.ma.size(); ++i)
    if (match(Model.ma[i])) return static_cast<int>(i);
  return -1;
}

// The first part named Name that belongs to the section at SkinIndex.
int OwnPart(const TsSkinModel& Model, int SkinIndex, const String& Name) {
  return FirstPart(Model, [&](const TsMaskData& md) { return md.SkinIndex == SkinIndex && md.PropertyName == Name; });
}

// The lookups of InitMaskIndexes, answered as GetMaskIndex(int, String) and
// GetTextureIndex(int, String, String) answer them but through maps made
// once: a skin of many sections and long chains would otherwise take a
// scan of every part at every step of every lookup.
class TPartFinder {
public:
  explicit TPartFinder(const TsSkinModel& Model) : FModel(Model) {
    for (size_t i = 0; i < Model.gd.size(); ++i) FSections.emplace(Model.gd[i].ClassName, static_cast<int>(i));
    for (size_t i = 0; i < Model.ma.size(); ++i) {
      const TsMaskData& md = Model.ma[i];
      FParts.emplace(std::make_pair(md.SkinIndex, md.PropertyName), static_cast<int>(i));
      if (md.ImgType == itisaTexture) FTextures.emplace(std::make_pair(md.ClassName, md.PropertyName), static_cast<int>(i));
    }
  }

  int Mask(int SkinIndex, const String& Name) const {
    return Walk(SkinIndex, SectionName(FModel, SkinIndex), [&](int index, const String&) {
      const auto found = FParts.find(std::make_pair(index, Name));
      return found == FParts.end() ? -1 : found->second;
    });
  }

  int Texture(int SkinIndex, const String& Section, const String& Name) const {
    if (FModel.ma.empty() || Section.empty()) return -1;
    return Walk(SkinIndex, Section, [&](int, const String& section) {
      const auto found = FTextures.find(std::make_pair(section, Name));
      return found == FTextures.end() ? -1 : found->second;
    });
  }

private:
  template <class PartAt>
  int Walk(int SkinIndex, const String& Section, PartAt partAt) const {
    return WalkUpParents(FModel, SkinIndex, Section, partAt, [&](const String& name) {
      const auto found = FSections.find(name);
      return found == FSections.end() ? -1 : found->second;
    });
  }

  const TsSkinModel& FModel;
  std::map<String, int> FSections;  // the first section of each name
  std::map<std::pair<int, String>, int> FParts;
  std::map<std::pair<String, String>, int> FTextures;
};
}  // namespace

int TsSkinManager::GetSkinIndex(const String& SkinSection) const {
  if (SkinSection.empty()) return -1;
  for (size_t i = 0; i < Model.gd.size(); ++i)
    if (Model.gd[i].ClassName == SkinSection) return static_cast<int>(i);
  return -1;
}

int TsSkinManager::GetMaskIndex(int SkinIndex, const String& SkinSection, const String& Mask) const {
  return WalkUpParents(
      Model, SkinIndex, SkinSection, [&](int index, const String&) { return OwnPart(Model, index, Mask); },
      [&](const String& name) { return GetSkinIndex(name); });
}

int TsSkinManager::GetMaskIndex(const String& SkinSection, const String& Mask) const {
  return FirstPart(Model, [&](const TsMaskData& md) { return md.ClassName == SkinSection && md.PropertyName == Mask; });
}

int TsSkinManager::GetMaskIndex(int SkinIndex, const String& Mask) const {
  return GetMaskIndex(SkinIndex, SectionName(Model, SkinIndex), Mask);
}

int TsSkinManager::GetTextureIndex(int SkinIndex, const String& SkinSection, const String& PropName) const {
  if (Model.ma.empty() || SkinSection.empty()) return -1;
  return WalkUpParents(
      Model, SkinIndex, SkinSection,
      [&](int, const String& section) {
        return FirstPart(Model, [&](const TsMaskData& md) {
          return md.ImgType == itisaTexture && md.PropertyName == PropName && md.ClassName == section;
        });
      },
      [&](const String& name) { return GetSkinIndex(name); });
}

int TsSkinManager::GetTextureIndex(int SkinIndex, const String& PropName) const {
  if (Model.ma.empty()) return -1;
  return WalkUpParents(
      Model, SkinIndex, SectionName(Model, SkinIndex),
      [&](int index, const String&) {
        return FirstPart(Model, [&](const TsMaskData& md) {
          return md.SkinIndex == index && md.ImgType == itisaTexture && md.PropertyName == PropName;
        });
      },
      [&](const String& name) { return GetSkinIndex(name); });
}

int TsSkinManager::MaskWidthLeft(int MaskIndex) {
  TsMaskData& md = Model.ma[static_cast<size_t>(MaskIndex)];
  if (md.WL > 0) return md.WL;
  if (md.BorderWidth > 0) return md.BorderWidth;
  if (md.ImageCount == 0) md.ImageCount = 1;
  return MaskFrameWidth(md);
}

int TsSkinManager::MaskWidthTop(int MaskIndex) const {
  const TsMaskData& md = Model.ma[static_cast<size_t>(MaskIndex)];
  return md.WT > 0 ? md.WT : md.BorderWidth > 0 ? md.BorderWidth : MaskFrameHeight(md);
}

int TsSkinManager::MaskWidthRight(int MaskIndex) const {
  const TsMaskData& md = Model.ma[static_cast<size_t>(MaskIndex)];
  return md.WR > 0 ? md.WR : md.BorderWidth > 0 ? md.BorderWidth : MaskFrameWidth(md);
}

int TsSkinManager::MaskWidthBottom(int MaskIndex) const {
  const TsMaskData& md = Model.ma[static_cast<size_t>(MaskIndex)];
  return md.WB > 0 ? md.WB : md.BorderWidth > 0 ? md.BorderWidth : MaskFrameHeight(md);
}

void TsSkinManager::GetSkinSections(TStrings& sl) const {
  sl.Clear();
  if (!Model.CommonSkinData || !Model.CommonSkinData->Active) return;
  for (const auto& gd : Model.gd) sl.Add(gd.ClassName);
}

void TsSkinManager::FillConstElement(TacConstElementData& Data, const String& Name, const String& Alt,
                                     const String& Fallback) const {
  if (!Name.empty()) Data.SkinSection = Name;
  Data.SkinIndex = GetSkinIndex(Data.SkinSection);
  if (Data.SkinIndex < 0) {
    Data.SkinSection = Alt;
    Data.SkinIndex = GetSkinIndex(Alt);
    if (Data.SkinIndex < 0) {
      Data.SkinSection = Fallback;
      Data.SkinIndex = GetSkinIndex(Fallback);
    }
  }
  Data.MaskIndex = GetMaskIndex(Data.SkinIndex, Data.SkinSection, u"BORDERSMASK");
  Data.GlyphIndex = GetMaskIndex(Data.SkinIndex, Data.SkinSection, u"GLYPHMASK");
  Data.BGIndex[0] = GetMaskIndex(Data.SkinIndex, Data.SkinSection, u"PATTERN");
  Data.BGIndex[1] = GetMaskIndex(Data.SkinIndex, Data.SkinSection, u"HOTPATTERN");
}

void TsSkinManager::InitConstantIndexes() {
  TConstantSkinData& cd = Model.ConstData;
  const String global = u"GLOBALINFO";
  cd.IndexGLobalInfo = GetSkinIndex(global);
  const auto globalMask = [&](const char16_t* name) { return GetMaskIndex(cd.IndexGLobalInfo, global, name); };
  cd.CheckBox = {globalMask(u"BOXUNCHECKED"), globalMask(u"BOXCHECKED"), globalMask(u"BOXGRAYED")};
  cd.SmallCheckBox = {globalMask(u"SMALLUNCHECKED"), globalMask(u"SMALLCHECKED"), globalMask(u"SMALLGRAYED")};
  cd.RadioButton = {globalMask(u"RADIOUNCHECKED"), globalMask(u"RADIOCHECKED")};
  cd.ExBorder = globalMask(u"EXBORDER");
  cd.GripRightBottom = globalMask(u"GRIPIMAGE");
  cd.GripHorizontal = globalMask(u"GRIPHORZ");
  cd.GripVertical = globalMask(u"GRIPVERT");

  FillConstElement(cd.MenuItem, u"MENUITEM");
  FillConstElement(cd.ComboBtn, u"COMBOBTN");
  cd.ComboBtn.GlyphIndex = GetMaskIndex(String(u"COMBOBOX"), String(u"GLYPHMASK"));

  static const char16_t* const sides[4] = {u"LEFT", u"TOP", u"RIGHT", u"BOTTOM"};
  static const char16_t* const layouts[4] = {u"FIRST", u"LAST", u"MIDDLE", u""};
  for (int layout = tlFirst; layout <= tlSingle; ++layout)
    for (int side = asLeft; side <= asBottom; ++side)
      FillConstElement(cd.Tabs[static_cast<size_t>(layout)][static_cast<size_t>(side)],
                       String(u"TAB") + sides[side] + layouts[layout]);

  FillConstElement(cd.Sliders[0], u"SCROLLSLIDERH");
  FillConstElement(cd.Sliders[1], u"SCROLLSLIDERV");

  static const char16_t* const scrollBtns[4] = {u"SCROLLBTNLEFT", u"SCROLLBTNTOP", u"SCROLLBTNRIGHT",
                                                u"SCROLLBTNBOTTOM"};
  static const char16_t* const scrolls[4] = {u"SCROLLBAR1H", u"SCROLLBAR1V", u"SCROLLBAR2H", u"SCROLLBAR2V"};
  static const char16_t* const upDowns[4] = {u"UPDOWNBTN_LEFT", u"UPDOWNBTN_TOP", u"UPDOWNBTNRIGHT",
                                             u"UPDOWNBTN_BOTTOM"};
  for (size_t side = 0; side < 4; ++side) {
    FillConstElement(cd.ScrollBtns[side], scrollBtns[side]);
    FillConstElement(cd.Scrolls[side], scrolls[side]);
    FillConstElement(cd.UpDownBtns[side], upDowns[side], u"UPDOWNBTN", u"BUTTON");
  }

  cd.MaskCloseBtn = globalMask(u"BICONCLOSE");
  cd.MaskCloseAloneBtn = globalMask(u"BICLOSEALONE");
  cd.MaskMaxBtn = globalMask(u"BICONMAX");
  cd.MaskNormBtn = globalMask(u"BICONNORM");
  cd.MaskMinBtn = globalMask(u"BICONMIN");
  cd.MaskHelpBtn = globalMask(u"BICONHELP");
  cd.MaskCloseSmall = globalMask(u"SICONCLOSE");
  cd.MaskMaxSmall = globalMask(u"SICONMAX");
  cd.MaskNormSmall = globalMask(u"SICONNORM");
  cd.MaskMinSmall = globalMask(u"SICONMIN");
  cd.MaskHelpSmall = globalMask(u"SICONHELP");

  static const char16_t* const sections[TacSectionCount] = {u"BUTTON", u"MENUITEM", u"TOOLBUTTON",
                                                            u"CHECKBOX", u"TRANSPARENT", u"GROUPBOX",
                                                            u"WEBBUTTON", u"SELECTION", u"DIVIDER"};
  for (size_t i = 0; i < cd.Sections.size(); ++i) cd.Sections[i] = GetSkinIndex(sections[i]);

  InitMaskIndexes();
  CheckShadows();
}

void TsSkinManager::InitMaskIndexes() {
  const TPartFinder find(Model);
  for (size_t s = 0; s < Model.gd.size(); ++s) {
    const int S = static_cast<int>(s);
    if (S == Model.ConstData.IndexGLobalInfo) continue;
    TsGeneralData& gd = Model.gd[s];
    gd.BorderIndex = find.Mask(S, u"BORDERSMASK");
    gd.OuterMask = find.Mask(S, u"OUTERMASK");
    gd.ImgTL = find.Mask(S, u"IMGTOPLEFT");
    gd.ImgTR = find.Mask(S, u"IMGTOPRIGHT");
    gd.ImgBL = find.Mask(S, u"IMGBTMLEFT");
    gd.ImgBR = find.Mask(S, u"IMGBTMRIGHT");
    gd.TextureNormal = find.Texture(S, gd.ClassName, u"PATTERN");
    gd.Props[0].TextureIndex = gd.TextureNormal;
    if (gd.States > 1) gd.Props[1].TextureIndex = find.Texture(S, gd.ClassName, u"HOTPATTERN");
    if (gd.BorderIndex < 0) {
      gd.ScrollBorderOffset = -2;
    } else {
      const TsMaskData& border = Model.ma[static_cast<size_t>(gd.BorderIndex)];
      const bool thinEdit = (gd.ClassName == u"EDIT" || gd.ClassName == u"ALPHAEDIT") && border.WL == 1 &&
                            border.WT == 1 && border.WR == 1 && border.WB == 1;
      gd.ScrollBorderOffset = thinEdit ? -1 : 0;
    }
  }
}
