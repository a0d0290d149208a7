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
class TsSkinManager;

// Bits of CtrlSkinState.
constexpr uint16_t ACS_PLAINBG = 0x0001;
constexpr uint16_t ACS_BGUNDEF = 0x0002;
constexpr uint16_t ACS_PRINTING = 0x0200;
constexpr uint16_t ACS_LOCKED = 0x0800;
constexpr uint16_t ACS_FONTCHANGING = 0x2000;

class TsCommonData : public TPersistent {
public:
  TsCommonData(TObject* AOwner, bool CreateCacheBmp);
  ~TsCommonData() override;

  bool FCustomFont = false, FCustomColor = false;
  // The control's own colour effects; ColorNone for no tone.
  TColor FColorTone = ColorNone;
  int FHUEOffset = 0, FSaturation = 0;
  String FSkinSection;  // upper case
  int FUpdateCount = 0;
  bool FFocused = false, FUpdating = false, FBGChanged = true, FMouseAbove = false;
  bool HalfVisible = true;
  bool Loading = true;
  int COC = 0;
  int GlowID = -1;
  int Texture = -1, SkinIndex = -1, BorderIndex = -1, HotTexture = -1;
  std::unique_ptr<TBitmap> FCacheBmp;
  TObject* FOwnerObject = nullptr;   // not owned
  TControl* FOwnerControl = nullptr;  // not owned
  TacThreadedTimer* AnimTimer = nullptr;  // owned; cleared by the timer when it goes
  uint16_t CtrlSkinState = ACS_BGUNDEF;

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

  void BeginUpdate();
  void EndUpdate(bool Repaint = false);
  void InitCacheBmp();

  bool OuterEffectsAllowed() const;
  bool ControlIsHot() const;
  TColor OwnerColor() const;
  // The control's background colour for a state (1 hot, 0 normal).
  TColor SkinBackgroundColor(int State, HWND Wnd = nullptr) const;
  // State limited to the section's states; a section of no states has one.
  int StateIndex(int State) const;

private:
  TsSkinManager* FSkinManager = nullptr;
};

// Kind sets of the control kind codes.
bool IsNeverHotKind(int COC);
bool IsEditKind(int COC);
bool IsNoHotBackgroundKind(int COC);
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
