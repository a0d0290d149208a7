#include "skin/engine/ControlMessages.h"
#include "skin/engine/AnimTimer.h"
#include "skin/engine/CommonData.h"
#include "skin/engine/ControlTree.h"
#include "skin/engine/OuterEffects.h"
#include "skin/engine/ParentBg.h"
#include "skin/engine/SkinCommands.h"
#include "skin/engine/SkinManager.h"
#include "skin/graphics/Glows.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"

std::function<void(TsSkinManager*, TPopupMenu*, bool)> HookSkinnedPopupMenu;
bool EditHoverColors = false;

namespace {
const TsGeneralData* SectionOf(const TsCommonData& Data) {
  TsSkinManager* sm = Data.SkinManager();
  return sm && sm->IsValidSkinIndex(Data.SkinIndex) ? &sm->Model.gd[static_cast<size_t>(Data.SkinIndex)] : nullptr;
}

TWinControl* Windowed(const TsCommonData& Data) { return dynamic_cast<TWinControl*>(Data.FOwnerControl); }

void EmptyCache(TsCommonData& Data) {
  if (Data.FCacheBmp) Data.FCacheBmp->SetSize(0, 0);
}

bool CacheEmpty(const TsCommonData& Data) {
  return !Data.FCacheBmp || Data.FCacheBmp->Width() == 0 || Data.FCacheBmp->Height() == 0;
}

bool BothStatesTransparent(const TsCommonData& Data) {
  const TsGeneralData* gd = SectionOf(Data);
  return gd && gd->Props[0].Transparency == 100 && gd->Props[1].Transparency == 100;
}

bool HasHotBackground(int COC) { return !IsNoHotBackgroundKind(COC); }
bool GlowsOnHover(int COC) { return HasHotBackground(COC) && (COC < 92 || COC > 94); }

void SendToChildren(TWinControl* Owner, WORD Code, WORD SubArg = 0) {
  for (int i = 0; i < Owner->ControlCount(); ++i) {
    TControl* child = Owner->Controls(i);
    if (child->IsDestroying()) continue;
    if (auto* w = dynamic_cast<TWinControl*>(child)) {
      if (w->HandleAllocated()) SendMessageW(w->Handle(), SM_SKINCMD, SkinCmdWParam(Code, SubArg), 0);
    } else {
      child->Perform(SM_SKINCMD, SkinCmdWParam(Code, SubArg), 0);
    }
  }
}

// Writes a state's colours to the owner where they differ and are not
// the user's own; true when anything changed.
bool ApplyStateColors(TsCommonData& Data, int State) {
  const TsGeneralData* gd = SectionOf(Data);
  TControl* owner = Data.FOwnerControl;
  if (!gd || !owner) return false;
  const TsGenState& st = gd->Props[static_cast<size_t>(State)];
  bool changed = false;
  if (!Data.FCustomColor && owner->Color() != st.Color) {
    owner->SetColor(st.Color);
    changed = true;
  }
  if (!Data.FCustomFont && owner->Font()->Color() != st.FontColor.Color) {
    Data.CtrlSkinState |= ACS_FONTCHANGING;
    owner->Font()->SetColor(st.FontColor.Color);
    Data.CtrlSkinState &= static_cast<uint16_t>(~ACS_FONTCHANGING);
    changed = true;
  }
  return changed;
}

void RepaintColors(TsCommonData& Data, bool Changed) {
  TWinControl* win = Windowed(Data);
  if (!win || !win->HandleAllocated()) return;
  if (Changed) InvalidateRect(win->Handle(), nullptr, TRUE);
  SendMessageW(win->Handle(), WM_NCPAINT, 0, 0);
}

void ApplyHotColors(TsCommonData& Data) { RepaintColors(Data, ApplyStateColors(Data, 1)); }

void RemoveGlowAtOnce(TsCommonData& Data) { RemoveGlow(Data.GlowID, false); }

LRESULT BgColorAnswer(TsCommonData& Data) {
  TControl* owner = Data.FOwnerControl;
  if (!owner) return 0;
  if (!Data.Skinned()) return static_cast<LRESULT>(ColorToRGB(owner->Color()));
  const TsGeneralData& gd = *SectionOf(Data);
  const int t = gd.Props[0].Transparency;
  const TColor section = gd.Props[0].Color;
  TWinControl* parent = owner->Parent();
  if (t == 0) return static_cast<LRESULT>(section);
  if (t == 100) {
    if (!parent) return static_cast<LRESULT>(ColorToRGB(owner->Color()));
    if (QueryControl(parent, SKC_CTRLSKINNED) && parent->HandleAllocated())
      return SendMessageW(parent->Handle(), SM_SKINCMD, SkinCmdWParam(SKC_GETBGCOLOR), 0);
    return static_cast<LRESULT>(parent->Color());
  }
  uint32_t p;
  if (parent && parent->HandleAllocated())
    p = static_cast<uint32_t>(SendMessageW(parent->Handle(), SM_SKINCMD, SkinCmdWParam(SKC_GETBGCOLOR), 0));
  else if (parent)
    p = static_cast<uint32_t>(parent->Perform(SM_SKINCMD, SkinCmdWParam(SKC_GETBGCOLOR), 0));
  else
    p = static_cast<uint32_t>(ColorToRGB(owner->Color()));
  uint32_t result = p & 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    const uint32_t s = static_cast<uint32_t>(section) >> shift & 0xFF, pb = p >> shift & 0xFF;
    result |= ((s * static_cast<uint32_t>(256 - t) + pb * static_cast<uint32_t>(t)) >> 8 & 0xFF) << shift;
  }
  return static_cast<LRESULT>(result);
}

LRESULT IsUpdatingAnswer(TsCommonData& Data) {
  if (Data.RecheckUpdating(false)) return 1;
  if (!Data.NeedsSkinPaint() || Data.FCustomColor) return 0;
  TWinControl* win = Windowed(Data);
  if (!win) return 0;
  if (!CacheEmpty(Data)) return Data.FCacheBmp->Width() != win->Width() || Data.FCacheBmp->Height() != win->Height();
  if (win->HandleAllocated()) SendMessageW(win->Handle(), SM_SKINCMD, SkinCmdWParam(SKC_PREPARECACHE), 0);
  return CacheEmpty(Data) ? 1 : 0;
}

void RemoveSkin(TsCommonData& Data, TsSkinManager* Manager) {
  Data.StopCtrlAnimation();
  if (Manager && Manager->IsDestroying()) Data.SetSkinManager(nullptr);
  Data.BorderIndex = Data.SkinIndex = Data.Texture = Data.HotTexture = -1;
  Data.FUpdating = true;
  EmptyCache(Data);
  TControl* owner = Data.FOwnerControl;
  if (auto* edit = dynamic_cast<TCustomEdit*>(owner)) {
    if (!Data.FCustomColor) edit->SetColor(clWindow);
    if (!Data.FCustomFont) edit->Font()->SetColor(clWindowText);
    if (edit->HandleAllocated()) RedrawWindow(edit->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
  } else if (auto* win = dynamic_cast<TWinControl*>(owner)) {
    for (int i = 0; i < win->ControlCount(); ++i)
      if (auto* label = dynamic_cast<TLabel*>(win->Controls(i))) label->Font()->SetColor(clWindowText);
  }
}

void RepaintIfMovedCmd(TsCommonData& Data, WORD SubArg) {
  const bool moved = Data.RepaintIfMoved();
  Data.FBGChanged = moved || Data.FBGChanged;
  TWinControl* win = Windowed(Data);
  if (!win) return;
  if (SubArg == 1 && win->HandleAllocated())
    RedrawWindow(win->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_NOERASE | RDW_NOINTERNALPAINT | RDW_ALLCHILDREN);
  if (!moved) return;
  for (int i = 0; i < win->ControlCount(); ++i) {
    TControl* child = win->Controls(i);
    if (!child->IsDestroying()) ControlSkinCmd(child, SKC_REPAINTIFMOVED);
  }
}

void ClearCacheCmd(TsCommonData& Data) {
  if (!Data.FCacheBmp) return;
  if (TWinControl* win = Windowed(Data))
    for (int i = 0; i < win->ControlCount(); ++i)
      if (auto* w = dynamic_cast<TWinControl*>(win->Controls(i)); w && w->HandleAllocated())
        SendMessageW(w->Handle(), SM_SKINCMD, SkinCmdWParam(SKC_CLEARCACHE), 0);
  EmptyCache(Data);
  Data.FBGChanged = true;
}

void FontSectionCmd(TMessage& m, TsCommonData& Data) {
  if (!Data.Skinned()) return;
  auto* request = reinterpret_cast<TacFontSectionRequest*>(m.LParam);
  if (Data.RelaysFontToParent()) {
    if (request && Data.FOwnerControl) m.Result = RelayFontSection(Data.FOwnerControl->Parent(), *request);
    return;
  }
  const TsGeneralData* gd = SectionOf(Data);
  if (gd && gd->GiveOwnFont && request) {
    request->SkinIndex = Data.SkinIndex;
    m.Result = 1;
  }
}
}  // namespace

bool HandleSkinCmd(TMessage& m, TsCommonData* Data) {
  if (!Data || m.Msg != SM_SKINCMD) return true;
  TsCommonData& d = *Data;
  TsSkinManager* sm = d.SkinManager();
  const auto forThisManager = [&] { return reinterpret_cast<LPARAM>(sm) == m.LParam; };
  switch (m.WParamHi()) {
    case SKC_NEWSKIN:
      if (!forThisManager()) break;
      d.StopCtrlAnimation();
      d.UpdateDefaultSection();
      d.TryIndexFromSections({d.SkinSection().c_str()});
      EmptyCache(d);
      d.UpdateBGState(false);
      break;
    case SKC_REMOVESKIN:
      if (forThisManager()) RemoveSkin(d, sm);
      break;
    case SKC_REFRESH:
      if (!forThisManager()) break;
      d.StopCtrlAnimation();
      d.FBGChanged = true;
      d.FUpdating = false;
      d.UpdateCtrlColors(true);
      d.UpdateBGState(false);
      if (TWinControl* win = Windowed(d); win && win->HandleAllocated() && IsFramedKind(d.COC))
        SetWindowPos(win->Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
      break;
    case SKC_ENDPARENTUPDATE:
      if (TWinControl* win = Windowed(d); d.FUpdating && win) {
        if (!d.RecheckUpdating(true) && win->HandleAllocated())
          RedrawWindow(win->Handle(), nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        EndChildrenUpdate(win);
      }
      break;
    case SKC_CTRLSKINNED: m.Result = 1; break;
    case SKC_SETUPDATING: d.FUpdating = m.WParamLo() == 1; break;
    case SKC_ISUPDATING: m.Result = IsUpdatingAnswer(d); break;
    case SKC_ISHALFVISIBLE: m.Result = d.HalfVisible ? 1 : 0; break;
    case SKC_SECTIONCHANGED:
      if (m.LParam && d.SkinSection() == String(reinterpret_cast<const char16_t*>(m.LParam))) d.Invalidate(false);
      break;
    case SKC_SETSKINSECTION:
      if (m.LParam) {
        d.SetSkinSection(String(reinterpret_cast<const char16_t*>(m.LParam)));
        m.Result = 1;
      } else {
        m.Result = 0;
      }
      break;
    case SKC_STOPANIMATION: d.StopCtrlAnimation(); break;
    case SKC_SETBGCHANGED: d.FBGChanged = true; break;
    case SKC_INVALIDATE: d.Invalidate(false); break;
    case SKC_BGNOTUNIFORM: m.Result = 1; break;
    case SKC_REPAINTIFMOVED: RepaintIfMovedCmd(d, m.WParamLo()); break;
    case SKC_GETBGCOLOR: m.Result = BgColorAnswer(d); break;
    case SKC_SETHALFVISIBLE: d.HalfVisible = true; break;
    case SKC_PREPARECACHE: d.FBGChanged = false; break;
    case SKC_GETSKININFO:
      if (m.LParam) reinterpret_cast<TacSkinInfoRequest*>(m.LParam)->SkinIndex = d.SkinIndex;
      break;
    case SKC_CLEARCACHE: ClearCacheCmd(d); break;
    case SKC_GETBGINFO: {
      const int state = d.FFocused || (d.FMouseAbove && HasHotBackground(d.COC)) ? 1 : 0;
      if (m.LParam) GetOwnBgInfo(&d, *reinterpret_cast<TacParentBgData*>(m.LParam), state, nullptr);
      break;
    }
    case SKC_BGSTATE:
      if (m.LParam == 1) {
        d.UpdateBGState(true);
      } else {
        if (d.CtrlSkinState & ACS_BGUNDEF) d.UpdateBGState(false);
        m.Result = d.CtrlSkinState;
      }
      break;
    case SKC_GETSKINDATA: m.Result = reinterpret_cast<LRESULT>(Data); break;
    case SKC_SETPRINTDC:
      if (m.LParam)
        d.CtrlSkinState |= ACS_PRINTING;
      else
        d.CtrlSkinState &= static_cast<uint16_t>(~ACS_PRINTING);
      d.PrintDC = reinterpret_cast<HDC>(m.LParam);
      break;
    case SKC_PAINTOUTER:
      if (m.LParam) PaintOwnOuterEffect(Data, *reinterpret_cast<TacParentBgData*>(m.LParam), m.WParamLo());
      break;
    case SKC_SCROLLSIZECHANGED:
      if (TWinControl* win = Windowed(d)) {
        if (win->HandleAllocated())
          SetWindowPos(win->Handle(), nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOCOPYBITS | SWP_NOOWNERZORDER |
                           SWP_NOSENDCHANGING | SWP_FRAMECHANGED);
        BroadcastToControls(win, m);
      }
      break;
    case SKC_GETAPPLICATION: m.Result = reinterpret_cast<LRESULT>(TApplicationRef::Peek()); break;
    case SKC_GETFONTSECTION: FontSectionCmd(m, d); break;
    case SKC_GETBOUNDS:
      if (m.LParam)
        *reinterpret_cast<TRect*>(m.LParam) = d.FOwnerControl ? d.FOwnerControl->BoundsRect() : TRect(0, 0, 0, 0);
      break;
    default: return false;
  }
  return true;
}

bool HandleControlMessage(TMessage& m, TsCommonData* Data) {
  if (!Data) return false;
  TsCommonData& d = *Data;
  TControl* owner = d.FOwnerControl;
  TWinControl* win = Windowed(d);
  TsSkinManager* sm = d.SkinManager();
  const bool outerAlways = d.OuterEffects().Visibility() == TacOuterVisibility::ovAlways;
  switch (m.Msg) {
    case WM_MOVE:
      if (!d.Skinned()) break;
      if (outerAlways) d.NotifyParentBGChanged();
      if (d.RepaintIfMoved()) {
        d.FBGChanged = true;
        if (owner) owner->Perform(SM_SKINCMD, SkinCmdWParam(SKC_REPAINTIFMOVED, 1), 0);
      }
      RemoveGlowAtOnce(d);
      break;
    case WM_SIZE:
      if (!d.Skinned()) break;
      d.FBGChanged = true;
      if (outerAlways) d.NotifyParentBGChanged();
      if (const TsGeneralData* gd = SectionOf(d); win && gd && gd->Props[0].GradientPercent > 0)
        SendToChildren(win, SKC_REPAINTIFMOVED, 1);
      if (!d.IsAnimating()) RemoveGlowAtOnce(d);
      break;
    case WM_SETFOCUS:
      if (!win || !d.Skinned() || !win->CanFocus() || !win->TabStop() || BothStatesTransparent(d)) break;
      d.FBGChanged = true;
      d.FFocused = true;
      if (ColoursFollowSection(d.COC) && SectionOf(d)->States >= 2) ApplyHotColors(d);
      break;
    case WM_KILLFOCUS:
      if (!win || !d.Skinned() || !win->CanFocus() || BothStatesTransparent(d)) break;
      d.FBGChanged = true;
      d.FFocused = false;
      if (ColoursFollowSection(d.COC)) {
        const bool changed = !d.ControlIsHot() && ApplyStateColors(d, 0);
        if (win->Visible()) {
          d.FBGChanged = true;
          RepaintColors(d, changed);
        }
      }
      break;
    case WM_FONTCHANGE:
    case CM_ENABLEDCHANGED:
      d.FMouseAbove = false;
      d.FFocused = false;
      if (owner && !owner->Enabled()) RemoveGlowAtOnce(d);
      break;
    case WM_CONTEXTMENU:
      if (owner && owner->PopupMenu() && sm && HookSkinnedPopupMenu)
        HookSkinnedPopupMenu(sm, owner->PopupMenu(), sm->Active());
      break;
    case WM_UPDATEUISTATE:
      if (d.Skinned()) return true;
      if (win && win->HandleAllocated() && SetWindowThemeAvailable()) acSetWindowTheme(win->Handle(), nullptr, nullptr);
      break;
    case WM_PARENTNOTIFY:
      if (win && LOWORD(m.WParam) == WM_CREATE) NotifyParentForm(win);
      break;
    case SM_SKINCMD: return HandleSkinCmd(m, Data);
    case CM_VISIBLECHANGED:
      if (m.WParam == 0) RemoveGlowAtOnce(d);
      if (sm && sm->Options().OptimizingPriority == TacOptimizingPriority::opMemory && owner &&
          !owner->IsDestroying() && d.FCacheBmp) {
        if (m.WParam != 0) {
          d.FUpdating = false;
        } else {
          EmptyCache(d);
          if (win)
            for (int i = 0; i < win->ControlCount(); ++i) {
              TControl* child = win->Controls(i);
              if (auto* w = dynamic_cast<TWinControl*>(child)) {
                if (w->HandleAllocated()) SendMessageW(w->Handle(), SM_SKINCMD, SkinCmdWParam(SKC_CLEARCACHE), 0);
              } else {
                child->Perform(SM_SKINCMD, SkinCmdWParam(SKC_CLEARCACHE), 0);
              }
            }
        }
        d.FBGChanged = true;
      }
      break;
    case CM_MOUSEENTER: {
      if (!d.Skinned() || d.FMouseAbove || !sm || (sm->ComponentState() & csDesigning) ||
          sm->Options().NoMouseHover() || BothStatesTransparent(d))
        break;
      if (win && !(win->ComponentState() & csDesigning) && DefaultManager) {
        if (!IsNeverHotKind(d.COC)) d.FMouseAbove = true;
        DefaultManager->SetActiveControl(win->HandleAllocated() ? win->Handle() : nullptr);
        if (GlowsOnHover(d.COC))
          ShowControlGlow(Data, false, d.OwnerHandle(), sm->Effects().AllowAnimation() ? 0 : 255, true, -1);
        if (EditHoverColors && IsEditKind(d.COC) && ColoursFollowSection(d.COC)) ApplyHotColors(d);
      } else if (!IsNeverHotKind(d.COC)) {
        d.FMouseAbove = true;
      }
      break;
    }
    case CM_MOUSELEAVE: {
      if (!owner || !d.Skinned() || (sm && sm->Options().NoMouseHover()) ||
          (owner->ComponentState() & csDesigning) || d.CursorInOwner())
        break;
      if (!IsNeverHotKind(d.COC)) d.FMouseAbove = false;
      if (GlowsOnHover(d.COC)) RemoveGlow(d.GlowID, true);
      if (ColoursFollowSection(d.COC) && !d.ControlIsHot() && !BothStatesTransparent(d)) {
        const bool changed = ApplyStateColors(d, 0);
        if (owner->Visible() && win) {
          d.FBGChanged = true;
          RepaintColors(d, changed);
        }
      }
      break;
    }
    case CM_SHOWINGCHANGED:
      if (owner && owner->Visible()) d.Loaded();
      break;
    default: break;
  }
  return false;
}
