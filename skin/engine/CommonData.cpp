#include "skin/engine/CommonData.h"
#include "skin/engine/AnimTimer.h"
#include "skin/engine/Neighbours.h"
#include "skin/engine/SkinCommands.h"
#include "skin/engine/SkinManager.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/Glows.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include <algorithm>
#include <initializer_list>

namespace {
bool InRanges(int v, std::initializer_list<std::pair<int, int>> ranges) {
  for (const auto& r : ranges)
    if (v >= r.first && v <= r.second) return true;
  return false;
}

TColor Mix(TColor Section, TColor Parent, int Transparency) {
  const double t = Transparency / 100.0;
  TColor result = Section & 0xFF000000;
  for (int shift = 0; shift < 24; shift += 8) {
    const int s = static_cast<int>(Section >> shift & 0xFF), p = static_cast<int>(Parent >> shift & 0xFF);
    result |= static_cast<TColor>(static_cast<int>(t * s + (1 - t) * p) & 0xFF) << shift;
  }
  return result;
}
}  // namespace

bool IsNeverHotKind(int COC) { return InRanges(COC, {{19, 19}, {51, 74}, {110, 110}, {141, 161}}); }
bool IsEditKind(int COC) { return InRanges(COC, {{2, 18}, {76, 85}, {131, 140}, {231, 231}}); }
bool IndexComesFromOwner(int COC) { return InRanges(COC, {{9, 9}, {13, 13}, {32, 34}, {93, 94}}); }
bool ColoursFollowSection(int COC) { return InRanges(COC, {{2, 18}, {76, 84}, {131, 140}, {231, 231}}); }
bool IsFramedKind(int COC) { return InRanges(COC, {{7, 8}, {10, 10}, {14, 14}, {78, 78}, {83, 83}, {85, 85}, {231, 231}}); }
bool IsNoHotBackgroundKind(int COC) {
  return InRanges(COC, {{51, 52}, {54, 54}, {56, 60}, {68, 68}, {73, 74}, {110, 110}, {141, 141}, {143, 143},
                        {151, 151}, {161, 161}, {226, 226}});
}

TsCommonData::TsCommonData(TObject* AOwner, bool CreateCacheBmp)
    : FOuterEffects(std::make_unique<TacOuterEffects>(this)),
      FOwnerObject(AOwner),
      FOwnerControl(dynamic_cast<TControl*>(AOwner)) {
  if (CreateCacheBmp) FCacheBmp = NewBmp32(0, 0);
}

TsCommonData::~TsCommonData() {
  // The glow list must not keep a pointer to data that is gone.
  if (GlowID >= 0) RemoveGlow(GlowID, false);
  SkinIndex = BorderIndex = Texture = HotTexture = -1;
  FOwnerObject = nullptr;
  FOwnerControl = nullptr;
  FSkinManager = nullptr;
  if (AnimTimer && !AnimTimer->Destroyed) {
    TacThreadedTimer* timer = AnimTimer;
    timer->AnimData = nullptr;
    AnimTimer = nullptr;
    if (!timer->Owner()) delete timer;
  }
  FCacheBmp.reset();
  FOuterEffects.reset();
  FOuterCache.reset();
}

TsSkinProvider* TsCommonData::OwnerProvider() const { return dynamic_cast<TsSkinProvider*>(FOwnerObject); }

HWND TsCommonData::OwnerHandle() const {
  if (auto* win = dynamic_cast<TWinControl*>(FOwnerControl); win && win->HandleAllocated()) return win->Handle();
  return FSWHandle;
}

TsSkinManager* TsCommonData::SkinManager() const { return FSkinManager ? FSkinManager : DefaultManager; }

void TsCommonData::SetSkinManager(TsSkinManager* Value) {
  if (Value == DefaultManager) Value = nullptr;
  if (Value == FSkinManager) return;
  FSkinManager = Value;
  if (FOwnerControl && (FOwnerControl->ComponentState() & csLoading)) return;
  TsSkinManager* sm = SkinManager();
  if (sm && !sm->Model.gd.empty())
    UpdateIndexes(true);
  else
    SkinIndex = -1;
  if (!FOwnerControl || !FOwnerControl->Parent() || FOwnerControl->IsDestroying()) return;
  const LPARAM manager = reinterpret_cast<LPARAM>(sm);
  if (sm && sm->IsValidSkinIndex(SkinIndex))
    FOwnerControl->Perform(SM_SKINCMD, SkinCmdWParam(SKC_REFRESH), manager);
  else
    FOwnerControl->Perform(SM_SKINCMD, SkinCmdWParam(SKC_REMOVESKIN), manager);
}

void TsCommonData::SetSkinSection(const String& Value) {
  if (FSkinSection == Value) return;
  String upper = Value;
  for (auto& c : upper)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  FSkinSection = upper;
  TsSkinManager* sm = SkinManager();
  if (sm && !sm->Model.gd.empty())
    UpdateIndexes(true);
  else
    SkinIndex = -1;
  if (!FOwnerControl || !FOwnerControl->Parent() || FOwnerControl->IsDestroying() ||
      (FOwnerControl->ComponentState() & (csLoading | csReading)))
    return;
  if (auto* win = dynamic_cast<TWinControl*>(FOwnerControl)) {
    if (FCacheBmp) FCacheBmp->SetWidth(0);
    TMessage m{SM_SKINCMD, SkinCmdWParam(SKC_SETBGCHANGED, 1), 0, 0};
    BroadcastToControls(win, m);
  }
  if (FUpdating || Loading) return;
  const LPARAM manager = reinterpret_cast<LPARAM>(sm);
  if (sm && sm->IsValidSkinIndex(SkinIndex))
    FOwnerControl->Perform(SM_SKINCMD, SkinCmdWParam(SKC_REFRESH, 1), manager);
  else
    FOwnerControl->Perform(SM_SKINCMD, SkinCmdWParam(SKC_REMOVESKIN), manager);
}

void TsCommonData::UpdateIndexes(bool UpdateMain) {
  FBGChanged = true;
  TsSkinManager* sm = SkinManager();
  if (UpdateMain) {
    if (!sm || !sm->Active())
      SkinIndex = -1;
    else if (!FSkinSection.empty())
      SkinIndex = sm->GetSkinIndex(FSkinSection);
    else if (FOwnerControl)
      SkinIndex = static_cast<int>(ControlSkinCmd(FOwnerControl, SKC_GETSKININDEX)) - 1;
    else
      SkinIndex = -1;
  }
  UpdateBGType();
  CtrlSkinState = ACS_BGUNDEF;
  if (sm && sm->IsValidSkinIndex(SkinIndex)) {
    const TsGeneralData& gd = sm->Model.gd[static_cast<size_t>(SkinIndex)];
    BorderIndex = gd.BorderIndex;
    Texture = sm->GetTextureIndex(SkinIndex, gd.ClassName, u"PATTERN");
    HotTexture = sm->GetTextureIndex(SkinIndex, gd.ClassName, u"HOTPATTERN");
    UpdateBGState(false);
  } else {
    BorderIndex = Texture = HotTexture = -1;
  }
}

bool TsCommonData::Skinned(bool CheckSkinActive) const {
  TsSkinManager* sm = SkinManager();
  if (!sm || sm->IsDestroying() || !sm->IsValidSkinIndex(SkinIndex)) return false;
  // The owner control, when there is one, is the owner component: no cast
  // on a path every background question takes.
  TComponent* owner = FOwnerControl ? FOwnerControl : dynamic_cast<TComponent*>(FOwnerObject);
  if (owner && owner->IsDestroying()) return false;
  return !CheckSkinActive || sm->Model.CommonSkinData->Active;
}

namespace {
// The update notices go to the owner control, or to a provider's form.
void TellOwner(const TsCommonData& Data, WORD Code) {
  if (Data.FOwnerControl) {
    Data.FOwnerControl->Perform(SM_SKINCMD, SkinCmdWParam(Code));
  } else if (TsSkinProvider* provider = Data.OwnerProvider(); provider && provider->Form()) {
    SendMessageW(provider->Form()->Handle(), SM_SKINCMD, SkinCmdWParam(Code), 0);
  }
}
}  // namespace

void TsCommonData::BeginUpdate() {
  ++FUpdateCount;
  FUpdating = true;
  CtrlSkinState |= ACS_LOCKED;
  TellOwner(*this, SKC_BEGINUPDATE);
}

void TsCommonData::EndUpdate(bool Repaint) {
  --FUpdateCount;
  FUpdating = false;
  CtrlSkinState &= static_cast<uint16_t>(~ACS_LOCKED);
  if (FUpdateCount > 0) return;
  TellOwner(*this, SKC_ENDUPDATE);
  if (Repaint) Invalidate(true);
}

void TsCommonData::InitCacheBmp() {
  if (!FCacheBmp) FCacheBmp = NewBmp32(0, 0);
  if (!FOwnerControl) return;
  const int w = std::max(0, FOwnerControl->Width()), h = std::max(0, FOwnerControl->Height());
  if (FCacheBmp->Width() != w || FCacheBmp->Height() != h) FCacheBmp->SetSize(w, h);
}

bool TsCommonData::OuterEffectsAllowed() const {
  TsSkinManager* sm = SkinManager();
  return sm && (dynamic_cast<TWinControl*>(FOwnerControl) || OwnerProvider()) && sm->Effects().AllowOuterEffects();
}

bool TsCommonData::ControlIsHot() const {
  if (!FOwnerControl || FOwnerControl->IsDestroying() || !FOwnerControl->Enabled()) return false;
  if (FFocused) return true;
  if (auto* win = dynamic_cast<TWinControl*>(FOwnerControl); win && win->HandleAllocated() &&
                                                             GetFocus() == win->Handle())
    return !dynamic_cast<TCustomPanel*>(win);
  if (!FMouseAbove) return false;
  TsSkinManager* sm = SkinManager();
  if (sm && sm->Options().NoMouseHover()) return false;
  return !IsNeverHotKind(COC) && !IsEditKind(COC);
}

TColor TsCommonData::OwnerColor() const {
  if (FOwnerControl) return FOwnerControl->Color();
  if (TsSkinProvider* provider = OwnerProvider(); provider && provider->Form()) return provider->Form()->Color();
  return clBtnFace;
}

int TsCommonData::StateIndex(int State) const {
  TsSkinManager* sm = SkinManager();
  const int states = sm && sm->IsValidSkinIndex(SkinIndex) ? sm->Model.gd[static_cast<size_t>(SkinIndex)].States : 1;
  return std::clamp(std::min(State, std::max(states, 1) - 1), 0, 1);
}

TColor TsCommonData::SkinBackgroundColor(int State, HWND Wnd) const {
  if (!Skinned()) return OwnerColor();
  const TsGeneralData& gd = SkinManager()->Model.gd[static_cast<size_t>(SkinIndex)];
  const TsGenState& st = gd.Props[static_cast<size_t>(State > 0 && gd.States > 1 ? 1 : 0)];
  if (st.Transparency == 0) return FCustomColor ? OwnerColor() : st.Color;
  TColor parent = clBtnFace;
  if (FOwnerControl && FOwnerControl->Parent())
    parent = GetControlColor(FOwnerControl->Parent());
  else if (Wnd && GetParent(Wnd))
    parent = GetWindowColor(GetParent(Wnd));
  return st.Transparency >= 100 ? parent : Mix(st.Color, ColorToRGB(parent), st.Transparency);
}

namespace {
TWinControl* WindowedOwner(TsCommonData* Data) {
  return Data ? dynamic_cast<TWinControl*>(Data->FOwnerControl) : nullptr;
}
}  // namespace

void TacScrollData::SetButtonsSize(int Value) {
  if (FButtonsSize == Value) return;
  FButtonsSize = Value;
  TWinControl* win = WindowedOwner(FOwner);
  if (win && win->HandleAllocated() && !(win->ComponentState() & csLoading))
    SendMessageW(win->Handle(), WM_NCPAINT, 0, 0);
}

void TacScrollData::SetScrollWidth(int Value) {
  if (FScrollWidth == Value) return;
  FScrollWidth = Value;
  TWinControl* win = WindowedOwner(FOwner);
  if (win && win->HandleAllocated())
    SetWindowPos(win->Handle(), nullptr, 0, 0, 0, 0, 0x727);  // frame changed, nothing moved
}

String DefaultSectionOfKind(int COC) {
  if (InRanges(COC, {{2, 8}, {10, 10}, {12, 12}, {14, 14}, {76, 76}, {78, 78}, {83, 85}, {131, 131}, {140, 140},
                     {230, 230}}))
    return u"EDIT";
  if (InRanges(COC, {{17, 18}, {81, 82}})) return u"COMBOBOX";
  struct Entry {
    std::initializer_list<int> Codes;
    const char16_t* Section;
  };
  static const Entry table[] = {
      {{19}, u"BAR"},         {{20}, u"BARTITLE"},         {{50, 152}, u"CHECKBOX"},
      {{51, 59, 68, 73}, u"PANEL"}, {{52, 58}, u"PANEL_LOW"}, {{53, 54, 60}, u"TOOLBAR"},
      {{56}, u"DRAGBAR"},     {{57}, u"TABSHEET"},         {{74, 226}, u"GROUPBOX"},
      {{75}, u"SPLITTER"},    {{92, 95}, u"SPEEDBUTTON"},  {{98}, u"TOOLBUTTON"},
      {{141, 143}, u"PAGECONTROL"}, {{151}, u"STATUSBAR"}, {{161}, u"GAUGE"},
      {{165}, u"TRACKBAR"},
  };
  for (const auto& e : table)
    for (int code : e.Codes)
      if (code == COC) return e.Section;
  return String();
}

void TsCommonData::TryIndexFromSections(std::initializer_list<const char16_t*> Names) {
  TsSkinManager* sm = SkinManager();
  if (!sm) {
    SkinIndex = -1;
    return;
  }
  for (const char16_t* name : Names) {
    if (!*name) continue;
    SkinIndex = sm->GetSkinIndex(name);
    if (SkinIndex >= 0) {
      UpdateIndexes(false);
      return;
    }
  }
}

void TsCommonData::UpdateDefaultSection() {
  if (FSkinSection == u"RADIOBUTTON" && FOwnerControl && (FOwnerControl->ComponentState() & csDesigning))
    FSkinSection = u"TRANSPARENT";
  if (!FSkinSection.empty()) {
    UpdateIndexes(true);
    return;
  }
  if (COC == 34) {
    TryIndexFromSections({u"SLIDER_OFF", u"PANEL_LOW"});
    return;
  }
  String section = DefaultSectionOfKind(COC);
  if (section.empty() && !IndexComesFromOwner(COC) && FOwnerObject) section = FOwnerObject->ClassName();
  if (!section.empty())
    SetSkinSection(section);
  else
    UpdateIndexes(true);  // the owner names its index, or there is none
}

void TsCommonData::Loaded() {
  Loading = false;
  UpdateDefaultSection();
  if (!Skinned() || !FOwnerControl || !FOwnerControl->Parent() || (FOwnerControl->ComponentState() & csLoading))
    return;
  if (dynamic_cast<TWinControl*>(FOwnerControl)) NotifyParentForm(FOwnerControl);
  UpdateCtrlColors(false);
}
