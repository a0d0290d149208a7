#pragma once
// The skin data every skinned control owns: its section and the indexes
// looked up from it, the serving manager, the cache bitmap with its painted
// background, the hover and focus state and the background state word.
#include "skin/graphics/SkinTypes.h"
#include "platform/classes/Component.h"
#include <initializer_list>
#include <memory>

class TacThreadedTimer;
class TControl;
class TWinControl;
class TsCommonData;
class TsSkinManager;
class TsSkinProvider;
struct TacFontSectionRequest;

// Bits of CtrlSkinState.
constexpr uint16_t ACS_PLAINBG = 0x0001;
constexpr uint16_t ACS_BGUNDEF = 0x0002;
constexpr uint16_t ACS_PRINTING = 0x0200;
constexpr uint16_t ACS_LOCKED = 0x0800;
constexpr uint16_t ACS_FONTCHANGING = 0x2000;

enum class TacOuterVisibility : uint8_t { ovNone, ovAlways };

// Whether a control shows its outer effect (its shadow) round itself.
class TacOuterEffects : public TPersistent {
public:
  explicit TacOuterEffects(TsCommonData* Owner) : FOwner(Owner) {}
  TacOuterVisibility Visibility() const { return FVisibility; }
  void SetVisibility(TacOuterVisibility Value);
  // The parent paints the outer effects of its children.
  void Invalidate();

private:
  TsCommonData* FOwner;
  TacOuterVisibility FVisibility = TacOuterVisibility::ovNone;
};

class TsCommonData : public TPersistent {
public:
  TsCommonData(TObject* AOwner, bool CreateCacheBmp);
  ~TsCommonData() override;

  bool FCustomFont = false, FCustomColor = false;
  std::unique_ptr<TBitmap> FOuterCache;  // the background under the outer effect
  String FSkinSection;  // upper case
  int FUpdateCount = 0;
  std::unique_ptr<TacOuterEffects> FOuterEffects;
  bool FFocused = false, FUpdating = false, FBGChanged = true, FMouseAbove = false;
  bool HalfVisible = true;
  bool Loading = true;
  int COC = 0;
  int GlowID = -1;
  int Texture = -1, SkinIndex = -1, BorderIndex = -1, HotTexture = -1;
  int FHUEOffset = 0, FSaturation = 0;
  HDC PrintDC = nullptr;
  std::unique_ptr<TBitmap> FCacheBmp;
  TColor FColorTone = ColorNone;
  HWND FSWHandle = nullptr;  // a skinned window that has no control object
  TObject* FOwnerObject = nullptr;   // not owned
  TControl* FOwnerControl = nullptr;  // not owned
  TacThreadedTimer* AnimTimer = nullptr;  // owned; cleared by the timer when it goes
  // 4: the normal state has an image; low bits: the first gradient band's
  // kind (2 mode 0, 1 mode 1, 3 mode 2, 0 none).
  uint16_t BGType = 0;
  uint16_t CtrlSkinState = ACS_BGUNDEF;
  TRect InvalidRectH, InvalidRectV;

  // The own manager, else the default one.
  TsSkinManager* SkinManager() const;
  void SetSkinManager(TsSkinManager* Value);
  bool ManagerStored() const { return FSkinManager != nullptr; }
  const String& SkinSection() const { return FSkinSection; }
  void SetSkinSection(const String& Value);
  void UpdateIndexes(bool UpdateMain = true);
  // An empty section takes the default of the control kind.
  void UpdateDefaultSection();
  // The first of Names the skin has gives the index; the name stays empty.
  void TryIndexFromSections(std::initializer_list<const char16_t*> Names);
  void Loaded();
  bool Skinned(bool CheckSkinActive = false) const;
  HWND OwnerHandle() const;
  TsSkinProvider* OwnerProvider() const;
  TacOuterEffects& OuterEffects() { return *FOuterEffects; }

  void BeginUpdate();
  void EndUpdate(bool Repaint = false);
  // True while this control or an ancestor defers its painting.
  bool GetUpdating() const;
  void SetUpdating(bool Value) { FUpdating = Value; }
  void SetBGChanged(bool Value) { FBGChanged = Value; }
  bool RecheckUpdating(bool Reset);
  void Invalidate(bool UpdateNow = false);
  void InitCacheBmp();

  // Tone, hue and saturation of the control's own look.
  TColor ColorTone() const { return FColorTone; }
  void SetColorTone(TColor Value);
  int HUEOffset() const { return FHUEOffset; }
  void SetHUEOffset(int Value);
  int Saturation() const { return FSaturation; }
  void SetSaturation(int Value);
  void ApplyColorTone(TBitmap& Bmp);
  bool CustomColor() const { return FCustomColor; }
  void SetCustomColor(bool Value);
  bool CustomFont() const { return FCustomFont; }
  void SetCustomFont(bool Value);
  // Color and font colour of the kinds whose colours follow the section.
  void UpdateCtrlColors(bool Repaint);

  void UpdateBGType();
  // 1 plain, 0 not plain, 2 not known yet (the parent has no handle).
  int CalcPlainBackground();
  void UpdateBGState(bool Children);
  bool NeedsSkinPaint() const;
  bool OuterEffectsAllowed() const;
  bool ControlIsHot() const;
  bool RepaintIfMoved() const;
  bool BGIsNotUniform() const { return true; }
  void NotifyParentBGChanged();
  TColor OwnerColor() const;
  // The control's background colour for a state (1 hot, 0 normal).
  TColor SkinBackgroundColor(int State, HWND Wnd = nullptr) const;
  // State limited to the section's states; a section of no states has one.
  int StateIndex(int State) const;
  int MaxBorderWidth() const;
  bool RelaysFontToParent() const;
  // The mouse cursor is over the owner's visible client area.
  bool CursorInOwner() const;
  void StopCtrlAnimation();
  bool IsAnimating() const;

private:
  TsSkinManager* FSkinManager = nullptr;
};

// The section that gives Control's text its colours, asked of Control with
// SKC_GETFONTSECTION; Default when it names none.
int GetFontSkinIndex(TControl* Control, int Default, TsSkinManager* Manager);
// Passes a font-section request on to Control, its bounds moved into
// Control's client coordinates; the answer, or 0.
LRESULT RelayFontSection(TControl* Control, TacFontSectionRequest& Request);

// Copies Data's cache to DC except where children cover it. Corners: the
// border corners are restored from the parent background first.
void PaintCacheExceptControls(TWinControl* Container, TsCommonData* Data, const TRect& SrcRect,
                              const TRect& DstRect, HDC DC, bool Corners, int X = 0, int Y = 0);
void PaintCacheExceptWindows(HWND Wnd, TsCommonData* Data, const TRect& SrcRect, const TRect& DstRect, HDC DC,
                             bool Corners, int X = 0, int Y = 0);

// Kind sets of the control kind codes.
bool IsNeverHotKind(int COC);
bool IsEditKind(int COC);
bool IsNoHotBackgroundKind(int COC);
bool ColoursFollowSection(int COC);
bool IsFramedKind(int COC);
// The kinds whose index the owner answers (SKC_GETSKININDEX) or, for 34,
// the first of two sections the skin has.
bool IndexComesFromOwner(int COC);
// The section a control kind takes when none is set; empty for the kinds
// whose index comes from elsewhere or that have no default.
String DefaultSectionOfKind(int COC);

// A scroll bar's own width and button size; -1 takes them from the skin.
class TacScrollData : public TPersistent {
public:
  explicit TacScrollData(TsCommonData* Owner) : FOwner(Owner) {}
  int ScrollWidth() const { return FScrollWidth; }
  void SetScrollWidth(int Value);
  int ButtonsSize() const { return FButtonsSize; }
  void SetButtonsSize(int Value);

private:
  int FScrollWidth = -1;
  int FButtonsSize = -1;
  TsCommonData* FOwner;
};

// Skin data of a scrollable window.
class TsScrollWndData : public TsCommonData {
public:
  TsScrollWndData(TObject* AOwner, bool CreateCacheBmp)
      : TsCommonData(AOwner, CreateCacheBmp),
        HorzScrollData(std::make_unique<TacScrollData>(this)),
        VertScrollData(std::make_unique<TacScrollData>(this)) {}
  ~TsScrollWndData() override {
    HorzScrollData.reset();
    VertScrollData.reset();
  }
  std::unique_ptr<TacScrollData> HorzScrollData, VertScrollData;
};
