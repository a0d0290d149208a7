// The skin change broadcast: how a new, removed or repainted skin reaches
// every window.
#include "skin/engine/FormsBroadcast.h"
#include "skin/engine/FormsRegistry.h"
#include "skin/engine/Neighbours.h"
#include "skin/engine/SkinCommands.h"
#include "skin/engine/SkinManager.h"
#include "skin/engine/SkinnedMenus.h"
#include "skin/graphics/Glows.h"
#include "platform/rtl/StrUtils.h"

HWND RefreshNotifyWindow = nullptr;

namespace {
TMessage SkinMessage(WORD Code, TsSkinManager* Manager) {
  return TMessage{SM_SKINCMD, SkinCmdWParam(Code), reinterpret_cast<LPARAM>(Manager), 0};
}
}  // namespace

void TsSkinManager::SendNewSkin(bool Repaint) {
  if (ComponentState() & (csLoading | csReading)) return;
  if (GetIsDefault()) FreeAllGlows(false);
  if (Repaint && !(ComponentState() & csDesigning)) LockForms(this);
  if (SkinableMenus) SkinableMenus->SetSkinBorderWidth(-1);
  Model.CommonSkinData->Active = false;
  InitConstantIndexes();
  CheckShadows();
  TMessage m = SkinMessage(SKC_NEWSKIN, this);
  BroadcastToForms(m);
  Model.CommonSkinData->Active = true;
  if (GetIsDefault() && !GlobalHookInstalled) InstallHook();
  if (SkinStateNotify) SkinStateNotify(true);
  if (NewSkinNotify) NewSkinNotify();
  if (Repaint) RepaintForms(false);
}

void TsSkinManager::SendRemoveSkin() {
  if (GetIsDefault() && SkinStateNotify) SkinStateNotify(false);
  struct TRemovingFlag {
    bool& Flag;
    explicit TRemovingFlag(bool& F) : Flag(F) { Flag = true; }
    ~TRemovingFlag() { Flag = false; }
  } removing(SkinRemoving);
  FreeAllGlows(false);
  UnInstallHook();
  Model.CommonSkinData->Active = false;
  TMessage m = SkinMessage(SKC_REMOVESKIN, this);
  BroadcastToForms(m);
  Model.ClearImageParts();
  Model.gd.clear();
}

void TsSkinManager::RepaintForms(bool DoLockForms) {
  TMessage m = SkinMessage(SKC_STOPANIMATION, this);
  if (!(ComponentState() & csDesigning)) BroadcastToForms(m);
  m.WParam = SkinCmdWParam(SKC_REFRESH);
  m.Result = 0;
  if (ComponentState() & csLoading) {
    BroadcastToForms(m);
  } else {
    if (DoLockForms) LockForms(this);
    BroadcastToForms(m);
    UnlockForms(this, !NoAutoUpdate);
  }
  if (RefreshNotifyWindow) SendMessageW(RefreshNotifyWindow, m.Msg, m.WParam, m.LParam);
  if (!DialogProviderList) return;
  std::vector<HWND> dialogs;
  for (const auto& provider : *DialogProviderList)
    if (provider && provider->DialogWnd() && IsWindowVisible(provider->DialogWnd())) dialogs.push_back(provider->DialogWnd());
  for (HWND wnd : dialogs)
    RedrawWindow(wnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
}

void TsSkinManager::UpdateSkinSection(const String& SectionName) {
  const String name = UpperCase(SectionName);
  TMessage m{SM_SKINCMD, SkinCmdWParam(SKC_SECTIONCHANGED), reinterpret_cast<LPARAM>(name.c_str()), 0};
  BroadcastToForms(m);
}

void TsSkinManager::SetSkinnedPopups(bool Value) {
  if (FSkinnedPopups == Value) return;
  FSkinnedPopups = Value;
  if (SkinableMenus && !(ComponentState() & csLoading)) {
    // Re-hooked under the new setting.
    SkinableMenus->SetActive(false);
    SkinableMenus->UpdateMenus();
  }
}
