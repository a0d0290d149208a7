// The painting state of a control's skin data: the update bracket as seen
// from the parents, repaint requests, the control's own colours and tones,
// and whether its background is one plain colour.
#include "skin/engine/AnimTimer.h"
#include "skin/engine/CommonData.h"
#include "skin/engine/Neighbours.h"
#include "skin/engine/ParentBg.h"
#include "skin/engine/SkinCommands.h"
#include "skin/engine/SkinManager.h"
#include "skin/graphics/ColorFuncs.h"
#include "skin/graphics/PixelEffects.h"
#include "skin/graphics/Pixels32.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/ScrollBox.h"
#include <algorithm>
#include <cmath>

namespace {
constexpr UINT RedrawAll = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN;  // 0x485

bool IsLoading(const TComponent* Component) { return Component && (Component->ComponentState() & csLoading); }

const TsGeneralData* SectionOf(const TsCommonData& Data) {
  TsSkinManager* sm = Data.SkinManager();
  return sm && sm->IsValidSkinIndex(Data.SkinIndex) ? &sm->Model.gd[static_cast<size_t>(Data.SkinIndex)] : nullptr;
}

const TsMaskData* BorderOf(const TsCommonData& Data) {
  TsSkinManager* sm = Data.SkinManager();
  return sm && sm->IsValidImgIndex(Data.BorderIndex) ? &sm->Model.ma[static_cast<size_t>(Data.BorderIndex)] : nullptr;
}

constexpr int16_t DrawStretched = 1, DrawCentre = 4;

// Containers whose plain background their children may rely on.
bool IsBackgroundContainer(TControl* Control) {
  return dynamic_cast<TCustomPanel*>(Control) || dynamic_cast<TScrollBox*>(Control) ||
         dynamic_cast<TPageControl*>(Control) || dynamic_cast<TCustomForm*>(Control);
}

TColor SectionColour(const TsSkinManager& Manager, TColor Color) {
  return SaturateColor(ShiftColorHue(Manager.HueOffset(), Color), Manager.Saturation());
}
}  // namespace

void TacOuterEffects::SetVisibility(TacOuterVisibility Value) {
  if (FVisibility == Value) return;
  FVisibility = Value;
  if (!IsLoading(FOwner ? FOwner->FOwnerControl : nullptr)) Invalidate();
}

void TacOuterEffects::Invalidate() {
  TControl* owner = FOwner ? FOwner->FOwnerControl : nullptr;
  TWinControl* parent = owner ? owner->Parent() : nullptr;
  if (!parent || !parent->HandleAllocated() || IsLoading(parent) || parent->IsDestroying()) return;
  SendSkinCmd(parent->Handle(), SKC_INVALIDATE, 0);
}

bool TsCommonData::GetUpdating() const {
  TsSkinManager* sm = SkinManager();
  if (!sm || (sm->ComponentState() & csDesigning)) return false;
  if (FUpdating) return true;
  if (FOwnerControl) {
    if (FOwnerControl->IsDestroying() || !FOwnerControl->Parent()) return false;
    return QueryControl(FOwnerControl->Parent(), SKC_ISUPDATING);
  }
  if (TsSkinProvider* provider = OwnerProvider(); provider && provider->Form() && provider->Form()->Parent())
    return QueryControl(provider->Form()->Parent(), SKC_ISUPDATING);
  return false;
}

bool TsCommonData::RecheckUpdating(bool Reset) {
  if (Reset) FUpdating = false;
  const bool updating = GetUpdating();
  if (updating) FUpdating = true;
  return updating;
}

void TsCommonData::Invalidate(bool UpdateNow) {
  if (Loading) return;
  const UINT flags = RedrawAll | (UpdateNow ? RDW_UPDATENOW : 0u);
  if (FOwnerControl) {
    if (FOwnerControl->IsDestroying() || IsLoading(FOwnerControl)) return;
    FBGChanged = true;
    if (!ControlIsReady(FOwnerControl)) return;
    if (auto* win = dynamic_cast<TWinControl*>(FOwnerControl))
      RedrawWindow(win->Handle(), nullptr, nullptr, flags);
    else
      FOwnerControl->Repaint();
    return;
  }
  if (TsSkinProvider* provider = OwnerProvider()) {
    FBGChanged = true;
    if (TCustomForm* form = provider->Form(); form && form->HandleAllocated())
      RedrawWindow(form->Handle(), nullptr, nullptr, flags);
  }
}

void TsCommonData::SetColorTone(TColor Value) {
  if (FColorTone == Value) return;
  FColorTone = Value;
  Loaded();
  Invalidate(false);
}

void TsCommonData::SetHUEOffset(int Value) {
  if (FHUEOffset == Value) return;
  FHUEOffset = Value;
  Loaded();
  Invalidate(false);
}

void TsCommonData::SetSaturation(int Value) {
  if (FSaturation == Value) return;
  FSaturation = Value;
  Loaded();
  Invalidate(false);
}

void TsCommonData::ApplyColorTone(TBitmap& Bmp) {
  if (FColorTone != ColorNone)
    ForEachPixel(&Bmp, PixelToneProc, static_cast<int>(ColorToPixel(static_cast<uint32_t>(ColorToRGB(FColorTone)))),
                 KeyColor);
  if (FHUEOffset != 0) ForEachPixel(&Bmp, PixelHueProc, FHUEOffset, KeyColor);
  if (FSaturation != 0)
    ForEachPixel(&Bmp, PixelSaturationProc, std::clamp(static_cast<int>(std::lround(FSaturation * 2.55)), -255, 255),
                 KeyColor);
  RepaintCtrlCorners(this, 0, CornerTopLeft | CornerBottomLeft | CornerTopRight | CornerBottomRight);
}

void TsCommonData::SetCustomColor(bool Value) {
  if (FCustomColor == Value) return;
  FCustomColor = Value;
  if (!Loading && !IsLoading(FOwnerControl)) UpdateCtrlColors(true);
}

void TsCommonData::SetCustomFont(bool Value) {
  if (FCustomFont == Value) return;
  FCustomFont = Value;
  if (!Loading && !IsLoading(FOwnerControl)) UpdateCtrlColors(true);
}

void TsCommonData::UpdateCtrlColors(bool Repaint) {
  TControl* owner = FOwnerControl;
  if (!owner) return;
  if (auto* win = dynamic_cast<TWinControl*>(owner); win && !win->HandleAllocated()) return;
  if (!Skinned() || !ColoursFollowSection(COC)) return;
  const TsGeneralData& gd = *SectionOf(*this);
  if (gd.Props[0].Transparency == 100 && gd.Props[1].Transparency == 100) return;
  const TsSkinManager& sm = *SkinManager();
  if (!FCustomColor) {
    const TColor color = SectionColour(sm, gd.Props[0].Color);
    if (owner->Color() != color) owner->SetColor(color);
  }
  if (!FCustomFont && COC != 10) {
    const TColor color = SectionColour(sm, gd.Props[0].FontColor.Color);
    if (owner->Font()->Color() != color) {
      CtrlSkinState |= ACS_FONTCHANGING;
      owner->Font()->SetColor(color);
      CtrlSkinState &= static_cast<uint16_t>(~ACS_FONTCHANGING);
    }
  }
  if (Repaint) Invalidate(false);
}

void TsCommonData::UpdateBGType() {
  BGType = 0;
  const TsGeneralData* gd = SectionOf(*this);
  if (!gd) return;
  const TsGenState& normal = gd->Props[0];
  if (normal.ImagePercent != 0) BGType |= 4;
  if (normal.GradientPercent > 0 && !normal.GradientArray.empty()) {
    switch (normal.GradientArray.front().Mode1) {
      case 0: BGType |= 2; break;
      case 1: BGType |= 1; break;
      case 2: BGType |= 3; break;
      default: break;
    }
  }
}

int TsCommonData::CalcPlainBackground() {
  const TsGeneralData* gd = SectionOf(*this);
  if (!gd) return 1;
  TsSkinManager* sm = SkinManager();
  if (sm->Effects().AllowOuterEffects() && (dynamic_cast<TWinControl*>(FOwnerControl) || OwnerProvider())) return 0;
  if (const TsMaskData* border = BorderOf(*this); border && (border->DrawMode & DrawCentre)) return 0;
  const TsGenState& normal = gd->Props[0];
  if (normal.Transparency == 100) {
    if (sm->IsValidImgIndex(Texture) && sm->Model.ma[static_cast<size_t>(Texture)].DrawMode == 10) return 0;
    TWinControl* parent = FOwnerControl ? FOwnerControl->Parent() : nullptr;
    if (!parent) return 0;
    if (!parent->HandleAllocated()) return 2;
    if (ControlSkinCmd(parent, SKC_CTRLSKINNED) != 1) return 1;
    return static_cast<int>(ControlSkinCmd(parent, SKC_BGSTATE));
  }
  if (normal.Transparency != 0) return 0;
  if (normal.ImagePercent > 0 || normal.GradientPercent > 0) return 0;
  if (gd->ImgTL >= 0 || gd->ImgTR >= 0 || gd->ImgBL >= 0 || gd->ImgBR >= 0) return 0;
  if (TsSkinProvider* provider = OwnerProvider(); provider && provider->Form() && provider->Form()->OnPaint) return 0;
  return 1;
}

void TsCommonData::UpdateBGState(bool Children) {
  CtrlSkinState &= static_cast<uint16_t>(~ACS_PLAINBG);
  if (FOwnerControl) {
    if (IsBackgroundContainer(FOwnerControl)) {
      const int plain = CalcPlainBackground();
      if (plain == 2) return;
      if (plain & 1) CtrlSkinState |= ACS_PLAINBG;
      CtrlSkinState &= static_cast<uint16_t>(~ACS_BGUNDEF);
    }
    if (auto* win = dynamic_cast<TWinControl*>(FOwnerControl); Children && win)
      for (int i = 0; i < win->ControlCount(); ++i) ControlSkinCmd(win->Controls(i), SKC_BGSTATE, 1);
    return;
  }
  if (TsSkinProvider* provider = OwnerProvider()) {
    const int plain = CalcPlainBackground();
    if (plain == 2) return;
    if (plain & 1) {
      if (!provider->Form() || provider->Form()->FormStyle() != fsMDIForm) CtrlSkinState |= ACS_PLAINBG;
      CtrlSkinState &= static_cast<uint16_t>(~ACS_BGUNDEF);
    } else {
      CtrlSkinState = 0;
    }
  }
}

bool TsCommonData::NeedsSkinPaint() const {
  if (!(CtrlSkinState & ACS_PLAINBG) || OuterEffectsAllowed()) return true;
  if (IsNoHotBackgroundKind(COC)) return false;
  return ControlIsHot();
}

bool TsCommonData::RepaintIfMoved() const {
  if (!Skinned() || !FOwnerControl || !FOwnerControl->Enabled()) return true;
  TWinControl* parent = FOwnerControl->Parent();
  if (SectionOf(*this)->Props[0].Transparency > 0 && parent && parent->HandleAllocated())
    return QueryControl(parent, SKC_BGNOTUNIFORM);
  return false;
}

void TsCommonData::NotifyParentBGChanged() {
  if (RecheckUpdating(false)) return;
  TWinControl* parent = FOwnerControl ? FOwnerControl->Parent() : nullptr;
  if (!parent || !parent->HandleAllocated()) return;
  SendMessageW(parent->Handle(), SM_SKINCMD, SkinCmdWParam(SKC_SETBGCHANGED, 1), 0);
  SendMessageW(parent->Handle(), SM_SKINCMD, SkinCmdWParam(SKC_PREPARECACHE), 0);
}

int TsCommonData::MaxBorderWidth() const {
  const TsMaskData* border = BorderOf(*this);
  if (!border || (border->DrawMode & DrawStretched)) return 0;
  return std::max({border->WL, border->WT, border->WR, border->WB});
}

bool TsCommonData::RelaysFontToParent() const {
  const TsGeneralData* gd = SectionOf(*this);
  if (!gd || gd->Props[0].Transparency <= 50 || !FOwnerControl || !FOwnerControl->Parent()) return false;
  const TsMaskData* border = BorderOf(*this);
  return !(border && (border->DrawMode & DrawCentre) && !(border->DrawMode & DrawStretched));
}

void TsCommonData::StopCtrlAnimation() {
  if (!AnimTimer || AnimTimer->Destroyed) return;
  AnimTimer->SetEnabled(false);
  AnimTimer->SetState(-1);
  AnimTimer->BmpTo.reset();
  AnimTimer->BmpOut.reset();
  AnimTimer->BmpFrom.reset();
}

bool TsCommonData::IsAnimating() const { return AnimTimer && AnimTimer->Enabled(); }

int GetFontSkinIndex(TControl* Control, int Default, TsSkinManager* Manager) {
  if (!Control) return Default;
  TacFontSectionRequest request;
  request.Bounds = Control->BoundsRect();
  request.SkinManager = Manager;
  if (ControlSkinCmd(Control, SKC_GETFONTSECTION, reinterpret_cast<LPARAM>(&request)) != 0)
    return static_cast<int>(request.SkinIndex);
  return Default;
}

LRESULT RelayFontSection(TControl* Control, TacFontSectionRequest& Request) {
  if (!Control) return 0;
  if (Control->Parent()) {
    Request.Bounds.Left += Control->Left();
    Request.Bounds.Right += Control->Left();
    Request.Bounds.Top += Control->Top();
    Request.Bounds.Bottom += Control->Top();
  }
  return ControlSkinCmd(Control, SKC_GETFONTSECTION, reinterpret_cast<LPARAM>(&Request));
}
