#pragma once
// The component that holds one skin and serves it to every skinned window
// of the process. The first manager constructed is the default one; it
// serves every window that names no manager of its own.
#include "skin/engine/SkinOptions.h"
#include "skin/engine/SkinStored.h"
#include "skin/graphics/SkinData.h"
#include "platform/classes/Strings.h"
#include "platform/ui/graphics/Graphics.h"
#include "platform/ui/graphics/GraphicsObjects.h"
#include "platform/ui/Menus.h"
#include <functional>

class TCustomIniFile;
class TControl;
struct TacSkinData;

enum TacSkinningRule : uint8_t { srStdForms, srStdDialogs, srThirdParty };
using TacSkinningRules = uint8_t;  // bit per TacSkinningRule
constexpr TacSkinningRules AllSkinningRules = 0x07;

// Which available skins GetSkinNames lists.
enum TacSkinTypes : uint8_t { stUnpacked, stPacked, stAllSkins };

class TacSkinIni;
class TsSkinableMenus;
class TacMenuSupport;
class TMenuItem;
struct TacMenuItemData;

enum class TShowAction : uint8_t { saIgnore, saRestore, saMinimize, saMaximize };


class TsSkinManager : public TComponent {
public:
  explicit TsSkinManager(TComponent* AOwner);
  ~TsSkinManager() override;
  // End of streaming.
  void Loaded();

  // The model: parts, sections, outer effects, constant indexes, palette.
  TsSkinModel Model;

  // Published properties.
  TacSkinEffects& Effects() { return *FEffects; }
  bool GetExtendedBorders() const;
  void SetExtendedBorders(bool Value);
  bool SkinnedPopups() const { return FSkinnedPopups; }
  void SetSkinnedPopups(bool Value);
  TacAnimEffects& AnimEffects() { return *FAnimEffects; }
  TacButtonsSupport& ButtonsOptions() { return *FButtonsSupport; }
  bool GetIsDefault() const;
  void SetIsDefault(bool Value);
  bool Active() const { return FActive; }
  void SetActive(bool Value);
  TStringList& CommonSections() { return *FCommonSections; }
  void SetCommonSections(const TStrings& Value);
  int Brightness() const { return FBrightness; }
  void SetBrightness(int Value);
  int Saturation() const { return FSaturation; }
  void SetSaturation(int Value);
  int HueOffset() const { return FHueOffset; }
  void SetHueOffset(int Value);
  TacLabelsSupport& LabelsOptions() { return *FLabelsSupport; }
  TacOptions& Options() { return *FOptions; }
  TacScrollBarsSupport& ScrollsOptions() { return *FScrollsOptions; }
  const String& SkinDirectory() const { return FSkinDirectory; }
  void SetSkinDirectory(const String& Value);
  const String& SkinName() const { return FSkinName; }
  // Loads the named skin: a folder, a packed file or an internal skin.
  void SetSkinName(const String& Value);
  String GetSkinInfo() const;
  TacSkinningRules SkinningRules() const { return FSkinningRules; }
  void SetSkinningRules(TacSkinningRules Value);
  ThirdPartyList& ThirdParty() { return *FThirdParty; }
  static String Version() { return u"10.11"; }

  TNotifyEvent OnActivate, OnAfterChange, OnBeforeChange, OnDeactivate, OnSkinListChanged, OnSkinLoading;

  // Public properties.
  int GroupIndex = 0;
  HWND ActiveControl() const { return FActiveControl; }
  void SetActiveControl(HWND Value);
  TControl* ActiveGraphControl() const { return FActiveGraphControl; }
  void SetActiveGraphControl(TControl* Value);

  TShowAction ShowState = TShowAction::saIgnore;
  // The last skin-editor preview block received.
  std::unique_ptr<TacSkinData> PreviewBuffer;
  bool SkinRemoving = false;
  bool NoAutoUpdate = false;
  std::unique_ptr<TBitmap> ShdaTemplate, ShdiTemplate;
  TRect FormShadowSize;
  std::array<std::unique_ptr<TStringList>, ThirdListCount> ThirdLists;

  // Update bracket: a flag, not a counter.
  void BeginUpdate() { NoAutoUpdate = true; }
  void EndUpdate(bool Repaint, bool AllowAnimation);
  void UpdateSkin(bool Repaint);
  // The skin change broadcast: announce the current skin, take it away,
  // repaint every skinned window, or the windows of one section.
  void SendNewSkin(bool Repaint);
  void SendRemoveSkin();
  void RepaintForms(bool DoLockForms);
  void UpdateSkinSection(const String& SectionName);

  // The window hook and the system colours; only the default manager
  // installs them.
  void InstallHook();
  void UnInstallHook();
  bool GlobalHookInstalled = false;
  // Follows ChangeSysColors while the hook is installed.
  void UpdateSysColorReplacement();
  // Attached to the application window by the first manager.
  bool MainWindowHook(TMessage& Message);
  bool UseTaskbarThumbnails = false;

  // Menu skinning.
  std::unique_ptr<TsSkinableMenus> SkinableMenus;
  std::unique_ptr<TacMenuSupport> MenuSupport;
  // The handler may change all four; a glyph it assigns belongs to the library.
  std::function<void(TMenuItem* FirstItem, String& SkinSection, String& Caption, std::unique_ptr<TBitmap>& Glyph,
                     bool& LineVisible)>
      OnGetPopupLineData;
  std::function<void(TMenuItem* Item, TOwnerDrawState State, TacMenuItemData ItemData)> OnGetPopupItemData;

  // Skin loading. A skin is read into a fresh model that replaces the
  // current one only when the whole skin has been read.
  TsStoredSkins& InternalSkins() { return *FBuiltInSkins; }
  void SetInternalSkins(const TsStoredSkins& Value) { FBuiltInSkins->Assign(Value); }
  void ReloadSkin();
  void ReloadPackedSkin();
  void ReloadCurrentSkin();
  void CheckVersion();
  String GetFullSkinDirectory() const;
  String GetSkinNames(TStrings& sl, TacSkinTypes SkinType = stAllSkins) const;
  String GetExternalSkinNames(TStrings& sl, TacSkinTypes SkinType = stAllSkins) const;
  String GetRandomSkin() const;
  void ExtractInternalSkin(const String& NameOfSkin, const String& DestDir);
  void ExtractByIndex(int Index, const String& DestDir);
  void LoadAllMasks();
  void LoadAllGeneralData();
  int MakeNewItem(int SkinIndex, const String& PropertyName, const String& AClassName, TacImgType ImgType,
                  const TRect& R, int Count, int DrawMode, int16_t MaskType);
  // The mask part of an outer effect, by its Source; sets Effect.Mask.
  void MakeOuterEffectMask(TacOutEffData& Effect, const String& Key);
  void ApplyHue(int Value);
  void ApplySaturation(int Value);
  void ApplyBrightness(int Value);
  // Only the default manager: the newest system dialogs are used unless
  // standard dialogs are skinned.
  void UpdateCommonDialogs();
  // Loads the skin of PreviewBuffer, its options taken from the block.
  void ApplyPreviewSkin();

  void UpdateThirdNames(bool Reset);
  void StoreThirdNames();
  void CheckShadows();
  TBitmap* GetExtImage(const String& FileName) const;
  void FreeExtImages() { Model.FreeExtImages(); }
  int DetectCornerType(const TsMaskData& ImagePart) const;

  // Colour queries; they read the palette whether or not a skin is loaded.
  TColor GetGlobalColor() const { return Model.Palette[pcMainColor]; }
  TColor GetGlobalFontColor() const { return Model.Palette[pcLabelText]; }
  TColor GetActiveEditColor() const { return Model.Palette[pcEditBG]; }
  TColor GetActiveEditFontColor() const { return Model.Palette[pcEditText]; }
  TColor GetHighLightColor(bool Focused) const {
    return Model.Palette[Focused ? pcSelectionBG_Focused : pcSelectionBG];
  }
  TColor GetHighLightFontColor(bool Focused) const {
    return Model.Palette[Focused ? pcSelectionText_Focused : pcSelectionText];
  }

  // Lookups; -1 for none. Names compare exactly.
  int GetSkinIndex(const String& SkinSection) const;
  int GetMaskIndex(int SkinIndex, const String& SkinSection, const String& Mask) const;
  int GetMaskIndex(const String& SkinSection, const String& Mask) const;
  int GetMaskIndex(int SkinIndex, const String& Mask) const;
  int GetTextureIndex(int SkinIndex, const String& SkinSection, const String& PropName) const;
  int GetTextureIndex(int SkinIndex, const String& PropName) const;
  bool IsValidImgIndex(int ImageIndex) const {
    return ImageIndex >= 0 && ImageIndex < static_cast<int>(Model.ma.size());
  }
  bool IsValidSkinIndex(int SkinIndex) const {
    return Model.CommonSkinData && SkinIndex >= 0 && SkinIndex < static_cast<int>(Model.gd.size());
  }
  // Margins of a valid part, with fall-backs to BorderWidth and the frame.
  int MaskWidthLeft(int MaskIndex);
  int MaskWidthTop(int MaskIndex) const;
  int MaskWidthRight(int MaskIndex) const;
  int MaskWidthBottom(int MaskIndex) const;
  void GetSkinSections(TStrings& sl) const;
  void InitConstantIndexes();
  void InitMaskIndexes();

private:
  void FillConstElement(TacConstElementData& Data, const String& Name, const String& Alt = String(),
                        const String& Fallback = String()) const;
  void DetachMainWindowHook();
  String PackedFileName() const;
  // Reads Options as the new skin; the model is replaced only on success.
  void RunLoadSequence(std::unique_ptr<TacSkinIni> Options, const String& SkinPath, bool Packed);
  // The bitmap of an image file of the skin being loaded, decoded once.
  TBitmap* FindSkinImage(const String& FileName);
  TBitmap* LoadExternalImage(const String& FileName, TStream* Stream);
  void LoadCommonSectionImages();

  bool FActive = true;
  bool FSkinnedPopups = true;
  bool FExtendedBorders = false;
  std::unique_ptr<TacSkinEffects> FEffects;
  std::unique_ptr<ThirdPartyList> FThirdParty;
  std::unique_ptr<TStringList> FCommonSections;
  String FSkinName;
  String FSkinDirectory;
  std::unique_ptr<TacOptions> FOptions;
  std::unique_ptr<TacAnimEffects> FAnimEffects;
  HWND FActiveControl = nullptr;
  TacSkinningRules FSkinningRules = AllSkinningRules;
  std::unique_ptr<TacScrollBarsSupport> FScrollsOptions;
  std::unique_ptr<TacButtonsSupport> FButtonsSupport;
  std::unique_ptr<TacLabelsSupport> FLabelsSupport;
  TControl* FActiveGraphControl = nullptr;
  int FHueOffset = 0, FSaturation = 0, FBrightness = 0;
  int FMainWindowHook = 0;  // cookie of the attached hook; 0 when none
  std::unique_ptr<TsStoredSkins> FBuiltInSkins = std::make_unique<TsStoredSkins>(this);
};

extern TsSkinManager* DefaultManager;
// Assigned by the application when a window of its own is to hear every
// repaint; nullptr otherwise.
extern HWND RefreshNotifyWindow;
extern bool SkinLoadInProgress;
extern std::unique_ptr<TBitmap> DefaultShadowActive, DefaultShadowInactive;
// Optional; the library only calls them. SkinStateNotify hears whether a
// skin is in use, NewSkinNotify that a new one was announced.
extern void (*SkinStateNotify)(bool SkinInUse);
extern void (*NewSkinNotify)();

// The scroll-bar width to use: the system's unless the manager sets one.
int SkinScrollWidth(const TsSkinManager* Manager);
int MaxScrollWidth(const TsSkinManager* Manager);
// VERSION of GLOBALINFO, read with "." whatever the locale; 0 when missing.
double ReadSkinVersion(const TCustomIniFile& Ini);
