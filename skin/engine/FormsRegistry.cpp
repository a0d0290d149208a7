#include "skin/engine/FormsRegistry.h"
#include "skin/engine/CommonData.h"
#include "skin/engine/FormsBroadcast.h"
#include "skin/engine/Neighbours.h"
#include "skin/engine/SkinCommands.h"
#include "skin/engine/SkinManager.h"
#include "skin/graphics/LayeredWindows.h"
#include "platform/ui/Forms.h"
#include <algorithm>
#include <shellapi.h>

std::vector<TForm*> SkinnedForms;
int LastExTitleHeight = 0;

namespace {
std::unique_ptr<TIcon> ShellIcon(UINT SizeFlag) {
  char16_t path[MAX_PATH] = {};
  if (!GetModuleFileNameW(nullptr, reinterpret_cast<LPWSTR>(path), MAX_PATH)) return nullptr;
  SHFILEINFOW info{};
  if (!SHGetFileInfoW(reinterpret_cast<LPCWSTR>(path), 0, &info, sizeof(info), SHGFI_ICON | SizeFlag) || !info.hIcon)
    return nullptr;
  auto icon = std::make_unique<TIcon>();
  icon->SetHandle(info.hIcon);
  if (icon->Empty()) return nullptr;
  return icon;
}

// They last as long as the process: its static objects go after Wine's
// window system, so destroying the icons then would crash the exit.
struct TAppIcons {
  std::unique_ptr<TIcon> Small = ShellIcon(SHGFI_SMALLICON);
  std::unique_ptr<TIcon> Large = ShellIcon(SHGFI_LARGEICON);
  ~TAppIcons() {
    if (Small) Small->ReleaseHandle();
    if (Large) Large->ReleaseHandle();
  }
};
TAppIcons& AppIcons() {
  static TAppIcons icons;
  return icons;
}

// The registry pass comes with the unit, before any form.
const bool Started = [] {
  BroadcastToSkinnedForms = SkinnedFormsBroadcast;
  return true;
}();

bool AppMinimised() {
  TApplication* app = TApplicationRef::Peek();
  return app && IsIconic(app->Handle());
}

void SendToForm(TForm* Form, const TMessage& Message) {
  SendMessageW(Form->Handle(), Message.Msg, Message.WParam, Message.LParam);
  BroadcastToControls(Form, Message);
}

// The forms a phase acts on, with their providers.
template <class Step>
void ForEachAnimatedForm(TsSkinManager* Manager, Step step) {
  // A step may show or hide windows; the list is read afresh each time.
  for (size_t i = 0; i < SkinnedForms.size(); ++i) {
    TForm* form = SkinnedForms[i];
    if (!form || form->FormStyle() == fsMDIChild || form->Parent() || !form->HandleAllocated()) continue;
    const HWND wnd = form->Handle();
    if (IsIconic(wnd) || !IsWindowVisible(wnd)) continue;
    TsSkinProvider* provider = ProviderOfForm(form);
    if (!provider) continue;
    TsCommonData* data = provider->CommonData();
    if ((data ? data->SkinManager() : DefaultManager) != Manager) continue;
    step(*provider, wnd);
  }
}

void ShowFormAfterChange(TsSkinProvider& Provider, HWND Wnd, bool Animate) {
  if (IsIconic(Wnd) || !(Provider.FormState & FS_FROZEN)) return;
  TacBorderForm* border = Provider.BorderForm();
  if (Animate) {
    TsCommonData* data = Provider.CommonData();
    TsSkinManager* manager = data ? data->SkinManager() : DefaultManager;
    const TacSkinChanging* changing = manager ? manager->AnimEffects().SkinChanging.get() : nullptr;
    if (changing && changing->Active) {
      if (Provider.FDrawNonClientArea)
        Provider.SkinChangeAnimation(changing->Time, 255, changing->Mode == TacAnimType::atAero ? 1 : 0);
      else
        Provider.SkinChangeAnimation(0, 255, 0);
    }
    Provider.FormState &= ~FS_COVERED;
    Provider.FInAnimation = false;
    if (Provider.FDrawNonClientArea) {
      if (border) border->UpdateFormRgn();
      RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      if (border && border->FormWindow()) {
        SetWindowRgn(border->FormWindow(), border->MakeRgn(0, 0), FALSE);
        border->UpdateExBordersPos(true, 255);
      }
    } else {
      RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    }
  } else {
    Provider.FormState &= ~FS_COVERED;
    SetRedraw(Wnd, true);
  }
  Provider.FormState &= ~FS_FROZEN;
}
}  // namespace

TIcon* AppSmallIcon() { return AppIcons().Small.get(); }
TIcon* AppLargeIcon() { return AppIcons().Large.get(); }

void RegisterSkinnedForm(TForm* Form) {
  (void)Started;
  SkinnedForms.push_back(Form);
}

void UnregisterSkinnedForm(TForm* Form) {
  for (size_t i = 0; i < SkinnedForms.size();) {
    if (SkinnedForms[i] != Form) {
      ++i;
      continue;
    }
    SkinnedForms[i] = SkinnedForms.back();
    SkinnedForms.pop_back();
  }
}

void SkinnedFormsBroadcast(TMessage& Message) {
  // A copy: receivers may register or unregister forms meanwhile.
  const std::vector<TForm*> forms = SkinnedForms;
  for (TForm* form : forms) {
    if (std::find(SkinnedForms.begin(), SkinnedForms.end(), form) == SkinnedForms.end()) continue;
    if (!form || form->IsDestroying()) continue;
    SendToForm(form, Message);
  }
  if (!DialogProviderList) return;
  std::vector<HWND> dialogs;
  for (const auto& provider : *DialogProviderList)
    if (provider && provider->DialogWnd() && IsWindowVisible(provider->DialogWnd())) dialogs.push_back(provider->DialogWnd());
  for (HWND wnd : dialogs) SendMessageW(wnd, Message.Msg, Message.WParam, Message.LParam);
}

TsSkinProvider* ProviderOfForm(TCustomForm* Form) {
  if (!Form || !Form->HandleAllocated()) return nullptr;
  return reinterpret_cast<TsSkinProvider*>(SendSkinCmd(Form->Handle(), SKC_GETPROVIDER));
}

void PrepareForms(TsSkinManager* Manager) {
  if (!Manager || AppMinimised() || (Manager->ComponentState() & (csDesigning | csLoading | csReading))) return;
  if (Manager->GetIsDefault() && Manager->AnimEffects().SkinChanging->Active) AnimationInProgress = true;
  ForEachAnimatedForm(Manager, [](TsSkinProvider& provider, HWND) {
    TacBorderForm* border = provider.BorderForm();
    if (border && border->FormWindow()) {
      provider.FormState |= FS_COVERED;
      provider.CoverBmp = provider.MakeFormImage();
    }
    provider.FInAnimation = true;
  });
}

void LockForms(TsSkinManager* Manager) {
  if (!Manager || AppMinimised()) return;
  if (Manager->GetIsDefault() && Manager->AnimEffects().SkinChanging->Active) AnimationInProgress = true;
  ForEachAnimatedForm(Manager, [](TsSkinProvider& provider, HWND wnd) {
    provider.FInAnimation = true;
    provider.FormState |= FS_FROZEN;
    TacBorderForm* border = provider.BorderForm();
    if (border && border->FormWindow()) {
      if (provider.CoverBmp) UpdateLayeredWnd(border->FormWindow(), provider.CoverBmp.get(), 255, nullptr);
      SetWindowRgn(border->FormWindow(), border->MakeRgn(0, 0), FALSE);
    }
    SetRedraw(wnd, false);
  });
}

void UnlockForms(TsSkinManager* Manager, bool Animate) {
  if (!Manager || AppMinimised()) return;
  if (Manager->GetIsDefault()) AnimationInProgress = false;
  // Every frozen registered form gets its redraw back, also one minimised
  // since it was frozen: it would otherwise never paint again.
  for (TForm* form : std::vector<TForm*>(SkinnedForms)) {
    if (!form || !form->HandleAllocated()) continue;
    TsSkinProvider* provider = ProviderOfForm(form);
    if (!provider || !(provider->FormState & FS_FROZEN)) continue;
    TsCommonData* data = provider->CommonData();
    if ((data ? data->SkinManager() : DefaultManager) != Manager) continue;
    SetRedraw(form->Handle(), true);
    if (IsIconic(form->Handle())) {
      provider->FormState &= ~(FS_FROZEN | FS_COVERED);
      provider->FInAnimation = false;
    }
  }
  ForEachAnimatedForm(Manager, [Animate](TsSkinProvider& provider, HWND wnd) {
    ShowFormAfterChange(provider, wnd, Animate);
  });
}
