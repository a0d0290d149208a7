#pragma once
// The manager's tuning objects: effects, animations, scroll bars, buttons,
// labels, option flags and the class-name lists of other vendors' controls.
// The manager creates them with itself and frees them with itself.
#include "platform/classes/Component.h"
#include <array>
#include <cstdint>
#include <memory>

class TsSkinManager;

class TacSkinEffects : public TPersistent {
public:
  TsSkinManager* Manager = nullptr;  // set once by the manager

  bool AllowAnimation() const { return FAllowAnimation; }
  void SetAllowAnimation(bool Value) { FAllowAnimation = Value; }
  bool AllowAeroBluring() const { return FAllowAeroBluring; }
  void SetAllowAeroBluring(bool Value) { FAllowAeroBluring = Value; }
  bool AllowGlowing() const { return FAllowGlowing; }
  void SetAllowGlowing(bool Value) { FAllowGlowing = Value; }
  bool AllowOuterEffects() const { return FAllowOuterEffects; }
  void SetAllowOuterEffects(bool Value);
  bool DiscoloredGlyphs() const { return FDiscoloredGlyphs; }
  void SetDiscoloredGlyphs(bool Value);

private:
  bool FAllowGlowing = true;
  bool FAllowAnimation = true;
  bool FAllowAeroBluring = true;
  bool FDiscoloredGlyphs = false;
  bool FAllowOuterEffects = false;
};

enum TacBtnEvent : uint8_t { beMouseEnter, beMouseLeave, beMouseDown, beMouseUp };
using TacBtnEvents = uint8_t;  // bit per TacBtnEvent
constexpr TacBtnEvents AllBtnEvents = 0x0F;

class TacBtnEffects : public TPersistent {
public:
  TacBtnEvents Events = AllBtnEvents;
};

enum class TacAnimType : uint8_t { atFading, atAero };

class TacFormAnimation : public TPersistent {
public:
  bool Active = true;
  uint16_t Time = 0;  // milliseconds; 0 plays nothing
  TacAnimType Mode = TacAnimType::atAero;
};

class TacBlendOnMoving : public TacFormAnimation {
public:
  TacBlendOnMoving() { Active = false; Time = 1000; }
  uint8_t BlendValue = 170;
};
class TacMinimizing : public TacFormAnimation {
public:
  TacMinimizing() { Time = 120; }
};
class TacFormShow : public TacFormAnimation {};
class TacFormHide : public TacFormAnimation {};
class TacPageChange : public TacFormAnimation {};
class TacDialogShow : public TacFormAnimation {};
class TacSkinChanging : public TacFormAnimation {
public:
  TacSkinChanging() { Time = 100; Mode = TacAnimType::atFading; }
};

class TacAnimEffects : public TPersistent {
public:
  TsSkinManager* Manager = nullptr;  // set once by the manager
  // Created in this order and freed in the same order.
  std::unique_ptr<TacBlendOnMoving> BlendOnMoving = std::make_unique<TacBlendOnMoving>();
  std::unique_ptr<TacBtnEffects> Buttons = std::make_unique<TacBtnEffects>();
  std::unique_ptr<TacDialogShow> DialogShow = std::make_unique<TacDialogShow>();
  std::unique_ptr<TacFormShow> FormShow = std::make_unique<TacFormShow>();
  std::unique_ptr<TacFormHide> FormHide = std::make_unique<TacFormHide>();
  std::unique_ptr<TacFormHide> DialogHide = std::make_unique<TacFormHide>();
  std::unique_ptr<TacMinimizing> Minimizing = std::make_unique<TacMinimizing>();
  std::unique_ptr<TacPageChange> PageChange = std::make_unique<TacPageChange>();
  std::unique_ptr<TacSkinChanging> SkinChanging = std::make_unique<TacSkinChanging>();
  ~TacAnimEffects() override;
};

constexpr int ThirdListCount = 23;
// Indexes of the class-name lists.
enum TacThirdIndex : uint8_t {
  tpEdit, tpButton, tpBitBtn, tpCheckBox, tpComboBox, tpGrid, tpGroupBox, tpListView, tpPanel, tpTreeView,
  tpwwEdit, tpGridEh, tpVirtualTree, tpPageControl, tpTabControl, tpToolBar, tpStatusBar, tpSpeedButton,
  tpScrollControl, tpUpDownBtn, tpScrollBar, tpStaticText, tpNativePaint
};

class ThirdPartyList : public TPersistent {
public:
  // Index 0..22; any other index reads nothing and writes nothing.
  String GetByIndex(int Index) const;
  void SetByIndex(int Index, const String& Text);
  // The text UpdateThirdNames puts in place of an empty one.
  static String DefaultText(int Index);
  // The lists by name, one class name a line.
  String ThirdEdits() const { return GetByIndex(tpEdit); }
  void SetThirdEdits(const String& Text) { SetByIndex(tpEdit, Text); }
  String ThirdButtons() const { return GetByIndex(tpButton); }
  void SetThirdButtons(const String& Text) { SetByIndex(tpButton, Text); }
  String ThirdBitBtns() const { return GetByIndex(tpBitBtn); }
  void SetThirdBitBtns(const String& Text) { SetByIndex(tpBitBtn, Text); }
  String ThirdCheckBoxes() const { return GetByIndex(tpCheckBox); }
  void SetThirdCheckBoxes(const String& Text) { SetByIndex(tpCheckBox, Text); }
  String ThirdComboBoxes() const { return GetByIndex(tpComboBox); }
  void SetThirdComboBoxes(const String& Text) { SetByIndex(tpComboBox, Text); }
  String ThirdGrids() const { return GetByIndex(tpGrid); }
  void SetThirdGrids(const String& Text) { SetByIndex(tpGrid, Text); }
  String ThirdGroupBoxes() const { return GetByIndex(tpGroupBox); }
  void SetThirdGroupBoxes(const String& Text) { SetByIndex(tpGroupBox, Text); }
  String ThirdListViews() const { return GetByIndex(tpListView); }
  void SetThirdListViews(const String& Text) { SetByIndex(tpListView, Text); }
  String ThirdPanels() const { return GetByIndex(tpPanel); }
  void SetThirdPanels(const String& Text) { SetByIndex(tpPanel, Text); }
  String ThirdTreeViews() const { return GetByIndex(tpTreeView); }
  void SetThirdTreeViews(const String& Text) { SetByIndex(tpTreeView, Text); }
  String ThirdWWEdits() const { return GetByIndex(tpwwEdit); }
  void SetThirdWWEdits(const String& Text) { SetByIndex(tpwwEdit, Text); }
  String ThirdGridEh() const { return GetByIndex(tpGridEh); }
  void SetThirdGridEh(const String& Text) { SetByIndex(tpGridEh, Text); }
  String ThirdVirtualTrees() const { return GetByIndex(tpVirtualTree); }
  void SetThirdVirtualTrees(const String& Text) { SetByIndex(tpVirtualTree, Text); }
  String ThirdPageControl() const { return GetByIndex(tpPageControl); }
  void SetThirdPageControl(const String& Text) { SetByIndex(tpPageControl, Text); }
  String ThirdTabControl() const { return GetByIndex(tpTabControl); }
  void SetThirdTabControl(const String& Text) { SetByIndex(tpTabControl, Text); }
  String ThirdToolBar() const { return GetByIndex(tpToolBar); }
  void SetThirdToolBar(const String& Text) { SetByIndex(tpToolBar, Text); }
  String ThirdStatusBar() const { return GetByIndex(tpStatusBar); }
  void SetThirdStatusBar(const String& Text) { SetByIndex(tpStatusBar, Text); }
  String ThirdSpeedButton() const { return GetByIndex(tpSpeedButton); }
  void SetThirdSpeedButton(const String& Text) { SetByIndex(tpSpeedButton, Text); }
  String ThirdScrollControl() const { return GetByIndex(tpScrollControl); }
  void SetThirdScrollControl(const String& Text) { SetByIndex(tpScrollControl, Text); }
  String ThirdUpDown() const { return GetByIndex(tpUpDownBtn); }
  void SetThirdUpDown(const String& Text) { SetByIndex(tpUpDownBtn, Text); }
  String ThirdScrollBar() const { return GetByIndex(tpScrollBar); }
  void SetThirdScrollBar(const String& Text) { SetByIndex(tpScrollBar, Text); }
  String ThirdStaticText() const { return GetByIndex(tpStaticText); }
  void SetThirdStaticText(const String& Text) { SetByIndex(tpStaticText, Text); }
  String ThirdNativePaint() const { return GetByIndex(tpNativePaint); }
  void SetThirdNativePaint(const String& Text) { SetByIndex(tpNativePaint, Text); }

private:
  std::array<String, ThirdListCount> FTexts;
};

class TacScrollBarsSupport : public TPersistent {
public:
  explicit TacScrollBarsSupport(TsSkinManager* Owner) : FOwner(Owner) {}
  int ScrollSize() const { return FScrollSize; }
  void SetScrollSize(int Value);
  int ButtonsSize() const { return FButtonsSize; }
  void SetButtonsSize(int Value);

private:
  int FScrollSize = -1;
  int FButtonsSize = -1;
  TsSkinManager* FOwner;
};

class TacButtonsSupport : public TPersistent {
public:
  bool ShowFocusRect = true;
  bool ShiftContentOnClick = true;
};

class TacLabelsSupport : public TPersistent {
public:
  bool TransparentAlways = true;
};

enum class TacOptimizingPriority : uint8_t { opSpeed, opMemory };

class TacOptions : public TPersistent {
public:
  explicit TacOptions(TsSkinManager* Owner) : FOwner(Owner) {}
  // 0 CheckEmptyAlpha, 1 NoMouseHover, 2 NativeBordersMaximized,
  // 3 StdGlyphsOrder, any other ChangeSysColors.
  bool GetOptionFlag(int Index) const;
  // Indexes 0..4; any other does nothing.
  void SetOptionFlag(int Index, bool Value);

  bool CheckEmptyAlpha() const { return GetOptionFlag(0); }
  bool NoMouseHover() const { return GetOptionFlag(1); }
  bool NativeBordersMaximized() const { return GetOptionFlag(2); }
  bool StdGlyphsOrder() const { return GetOptionFlag(3); }
  bool ChangeSysColors() const { return GetOptionFlag(4); }
  TacOptimizingPriority OptimizingPriority = TacOptimizingPriority::opSpeed;

private:
  bool FNoMouseHover = false;
  bool FStdGlyphsOrder = false;
  bool FCheckEmptyAlpha = false;
  bool FChangeSysColors = false;
  bool FNativeBordersMaximized = false;
  TsSkinManager* FOwner;
};
