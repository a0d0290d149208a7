#pragma once
// The in-memory model of a loaded skin: image parts, sections with their
// two states, outer effects, the constant indexes, the palette and the
// skin-wide values.
#include "skin/graphics/SkinTypes.h"
#include "platform/rtl/String.h"
#include <array>
#include <memory>
#include <vector>

class TsSkinManager;

enum TacImgType : uint8_t { itisaBorder, itisaTexture, itisaGlyph, itisaGlow, itisaPngGlyph };

// One image part of a skin.
struct TsMaskData {
  TBitmap* Bmp = nullptr;  // own image, or nil for a rectangle of the master bitmap
  String ClassName;
  String PropertyName;
  TRect R;
  int16_t ImageCount = 0;
  int16_t MaskType = 0;
  int16_t BorderWidth = 0;
  int16_t DrawMode = 0;
  TacImgType ImgType = itisaBorder;
  TsSkinManager* Manager = nullptr;  // not owned
  int16_t WL = 0;
  int16_t WT = 0;
  int16_t WR = 0;
  int16_t WB = 0;
  int32_t CornerType = 0;
  int32_t SkinIndex = 0;
};

struct TsFontColor {
  TColor Color = 0;
  TColor Left = -1;
  TColor Top = -1;
  TColor Right = -1;
  TColor Bottom = -1;
};

using TPercent = uint8_t;

struct TsGradPie {
  TColor Color1 = 0;
  TColor Color2 = 0;
  TPercent Percent = 0;
  int32_t Mode1 = 0;
  int32_t Mode2 = 0;
};
using TsGradArray = std::vector<TsGradPie>;

// One visual state of a section. Copying copies the gradient bands, so no
// two states share them.
struct TsGenState {
  int32_t GlowSize = 0;
  int32_t ImagePercent = 0;
  int32_t TextureIndex = -1;
  int32_t Transparency = 0;
  int32_t GradientPercent = 0;
  TColor Color = 0;
  TColor GlowColor = 0;
  TsFontColor FontColor;
  TsGradArray GradientArray;
};
using TsProps = std::array<TsGenState, 2>;

struct TsGeneralData {
  String ParentClass;
  String ClassName;
  TsProps Props;
  bool GiveOwnFont = false;
  bool ReservedBoolean = false;
  int32_t States = 3;
  int32_t ScrollBorderOffset = 0;
  int32_t GlowCount = 0;
  int32_t GlowMargin = 0;
  int32_t BorderIndex = -1;
  int32_t ImgTL = -1;
  int32_t ImgTR = -1;
  int32_t ImgBL = -1;
  int32_t ImgBR = -1;
  int32_t TextureNormal = -1;
  TColor HotGlowColor = 0;
  TColor GlowColor = 0;
  int32_t HotGlowSize = 0;
  int32_t GlowSize = 0;
  int32_t OuterMode = 2;
  TRect OuterOffset;
  int32_t OuterMask = -1;
  int32_t OuterOpacity = 200;
};

struct TacOutEffData {
  TColor ColorL = 0, ColorT = 0, ColorR = 0, ColorB = 0;
  int32_t OffsetL = 0, OffsetT = 0, OffsetR = 0, OffsetB = 0;
  int32_t WidthL = -1, WidthT = -1, WidthR = -1, WidthB = -1;
  int32_t Opacity = 0;
  int32_t Source = 0;
  int32_t Mask = -1;
};

struct TacConstElementData {
  int32_t SkinIndex = -1;
  int32_t MaskIndex = -1;
  int32_t GlyphIndex = -1;
  std::array<int32_t, 2> BGIndex{-1, -1};
  String SkinSection;
};

enum TacSide : uint8_t { asLeft, asTop, asRight, asBottom };
enum TacTabLayout : uint8_t { tlFirst, tlLast, tlMiddle, tlSingle };
enum TacSection : uint8_t {
  ssButton, ssMenuItem, ssToolButton, ssCheckBox, ssTransparent, ssGroupBox, ssWebBtn, ssSelection, ssDivider
};
constexpr int TacSectionCount = ssDivider + 1;

struct TConstantSkinData {
  std::array<TacConstElementData, 4> Scrolls;
  std::array<TacConstElementData, 4> ScrollBtns;
  std::array<TacConstElementData, 4> UpDownBtns;
  std::array<TacConstElementData, 2> Sliders;  // [false], [true]
  TacConstElementData MenuItem;
  TacConstElementData ComboBtn;
  int32_t MaskCloseBtn = -1, MaskCloseAloneBtn = -1, MaskMaxBtn = -1, MaskNormBtn = -1, MaskMinBtn = -1,
          MaskHelpBtn = -1;
  int32_t MaskCloseSmall = -1, MaskMaxSmall = -1, MaskNormSmall = -1, MaskMinSmall = -1, MaskHelpSmall = -1;
  std::array<int32_t, 2> RadioButton{-1, -1};
  std::array<int32_t, 3> CheckBox{-1, -1, -1};
  std::array<int32_t, 3> SmallCheckBox{-1, -1, -1};
  int32_t ExBorder = -1;
  int32_t IndexGLobalInfo = -1;
  int32_t GripRightBottom = -1, GripHorizontal = -1, GripVertical = -1;
  std::array<int32_t, TacSectionCount> Sections{-1, -1, -1, -1, -1, -1, -1, -1, -1};
  // [layout][side]
  std::array<std::array<TacConstElementData, 4>, 4> Tabs;
};

// The 28 palette roles.
enum TacPaletteColors : uint8_t {
  pcMainColor, pcLabelText, pcWebText, pcWebTextHot, pcEditText, pcEditBG, pcSelectionBG, pcSelectionText,
  pcSelectionBG_Focused, pcSelectionText_Focused, pcEditBG_Inverted, pcEditText_Inverted, pcEditBG_OddRow,
  pcEditBG_EvenRow, pcEditText_Ok, pcEditText_Warning, pcEditText_Alert, pcEditText_Caution,
  pcEditText_Bypassed, pcEditBG_Ok, pcEditBG_Warning, pcEditBG_Alert, pcEditBG_Caution, pcEditBG_Bypassed,
  pcEditText_Highlight1, pcEditText_Highlight2, pcEditText_Highlight3, pcBorder
};
constexpr int TacPaletteSize = pcBorder + 1;
using TacPaletteArray = std::array<TColor, TacPaletteSize>;

struct TacExtFileData {
  TBitmap* Bmp = nullptr;  // owned by the model that holds the entry
  String FileName;
  int32_t MaskType = 0;
};

// The skin-wide values of the loaded skin.
class TsSkinData : public TObject {
public:
  bool Active = false;
  bool UseAeroBluring = false;
  String Author;
  String SkinPath;
  String Description;
  int32_t Shadow1Offset = 0, Shadow1Blur = -1, Shadow1Transparency = 0;
  int32_t ExBorderWidth = 0, ExTitleHeight = 0, ExMaxHeight = 0, ExContentOffs = 0, ExCenterOffs = 0,
          ExDrawMode = 0, ExShadowOffs = 0, ExShadowOffsR = 0, ExShadowOffsT = 0, ExShadowOffsB = 0;
  int32_t BISpacing = 0, BIVAlign = 0, BIRightMargin = 0, BILeftMargin = 0, BITopMargin = 0, BIKeepHUE = 0;
  int32_t BICloseGlow = 0, BICloseGlowMargin = 0, BIMaxGlow = 0, BIMaxGlowMargin = 0, BIMinGlow = 0,
          BIMinGlowMargin = 0;
  int32_t ComboBoxMargin = 0;
  int32_t BrightMin = 0, BrightMax = 0;
  int32_t TabsCovering = 0, RibbonCovering = 0;
  TColor FXColor = 0;
  TColor Shadow1Color = 0;
  double Version = 0;
};

// The manager's part of the model. The manager component holds one and
// owns every bitmap it references.
struct TsSkinModel {
  std::vector<TacExtFileData> ExtArray;
  std::unique_ptr<TsSkinData> CommonSkinData = std::make_unique<TsSkinData>();
  bool SkinIsPacked = false;
  std::unique_ptr<TBitmap> MasterBitmap;
  std::vector<TsMaskData> ma;
  std::vector<TsGeneralData> gd;
  std::vector<TacOutEffData> oe;
  TConstantSkinData ConstData;
  TacPaletteArray Palette{};

  TsSkinModel() = default;
  TsSkinModel(const TsSkinModel&) = delete;
  TsSkinModel& operator=(const TsSkinModel&) = delete;
  ~TsSkinModel() { ClearImageParts(); }

  // Removes the parts last to first, freeing each part's bitmap unless an
  // external image holds it, then the external images and the master bitmap.
  void ClearImageParts();
  void FreeExtImages();
  // Exchanges every member with Other: a skin is read into a fresh model and
  // put in place whole.
  void Swap(TsSkinModel& Other);
};

int MaskFrameWidth(const TsMaskData& md);
int MaskFrameHeight(const TsMaskData& md);
TSize MaskFrameSize(const TsMaskData& md);

// The model a manager holds. Filled in by the skin manager; until then no
// manager has a model and the routines that need one do nothing.
extern TsSkinModel* (*ModelOfManager)(TsSkinManager* Manager);
// The bitmap an image part lies in: its own, or the master bitmap of its
// manager's model; nil when there is neither.
TBitmap* MaskImageOf(const TsMaskData& md, const TsSkinModel* model);
