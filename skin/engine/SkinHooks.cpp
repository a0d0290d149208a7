#include "skin/engine/SkinHooks.h"
#include "skin/engine/FormsRegistry.h"
#include "skin/engine/HideAnimation.h"
#include "skin/engine/WindowAnimations.h"
#include "skin/graphics/LayeredWindows.h"
#include "skin/engine/Neighbours.h"
#include "skin/engine/PreviewSkin.h"
#include "skin/engine/SkinCommands.h"
#include "skin/engine/SkinManager.h"
#include "skin/engine/SkinnedMenus.h"
#include "skin/engine/SysColors.h"
#include "platform/ui/Forms.h"
#include "platform/ui/graphics/SysColorProvider.h"
#include <cstring>
#include <map>

HHOOK CBTHookHandle = nullptr;
bool MenuBorderPostPending = false;

namespace {
LRESULT CALLBACK PassOnCBTHook(int Code, WPARAM WParam, LPARAM LParam) {
  return CallNextHookEx(CBTHookHandle, Code, WParam, LParam);
}

class TSkinSysColors : public TSysColorProvider {
public:
  ~TSkinSysColors() override {
    for (auto& entry : FBrushes) DeleteObject(entry.second);
  }
  TColor SysColor(int Index) override {
    if (!DefaultManager) return 0;
    const TColor c = SkinSysColor(*DefaultManager, Index);
    return c == ColorNone ? -1 : c;
  }
  HBRUSH SysColorBrush(int Index) override {
    if (!DefaultManager) return nullptr;
    switch (Index) {
      case COLOR_WINDOW:
      case COLOR_WINDOWTEXT:
      case COLOR_HIGHLIGHT:
      case COLOR_HIGHLIGHTTEXT: break;
      default: return nullptr;
    }
    const COLORREF color = static_cast<COLORREF>(SkinSysColor(*DefaultManager, Index) & 0xFFFFFF);
    HBRUSH& brush = FBrushes[color];
    if (!brush) brush = CreateSolidBrush(color);
    return brush;
  }
  COLORREF PenColor(COLORREF Color) override {
    if (!DefaultManager) return Color;
    return static_cast<COLORREF>(SkinPenColor(*DefaultManager, static_cast<TColor>(Color)) & 0xFFFFFF);
  }

private:
  std::map<COLORREF, HBRUSH> FBrushes;
};

std::unique_ptr<TSkinSysColors> Replacement;
bool InCopyData = false;

TsSkinProvider* MainProvider() {
  TApplication* app = TApplicationRef::Peek();
  TForm* main = app ? app->MainForm() : nullptr;
  if (!main) return nullptr;
  try {
    return ProviderOfForm(main);
  } catch (...) {
    return nullptr;
  }
}

bool IsPopupMenuWindow(HWND Wnd) {
  char16_t name[16] = {};
  GetClassNameW(Wnd, reinterpret_cast<LPWSTR>(name), 16);
  return String(name) == u"#32768";
}

void DrawBorderOf(TsSkinableMenus& Menus, TMenuItem* Item, HWND Wnd) {
  TacMenuInfo mi = Menus.GetMenuInfo(Item, 0, 0, nullptr, Wnd);
  if (mi.Bmp) Menus.DrawWndBorder(Wnd, mi.Bmp.get());
}

void DrawMenuBorderByItem(TsSkinManager& Manager, TMenuItem* Item) {
  if (!Item || !MenuItemAlive(Item) || !Item->Parent() || Item->Parent()->Count() == 0 || !Manager.SkinableMenus) return;
  TMenuItem* parent = Item->Parent();
  RECT r{};
  if (!GetMenuItemRect(nullptr, parent->Handle(), 0, &r)) {
    TMenu* menu = Item->GetParentMenu();
    if (!menu || !GetMenuItemRect(menu->WindowHandle(), parent->Handle(), 0, &r)) return;
  }
  const POINT centre{r.left + (r.right - r.left) / 2, r.top + (r.bottom - r.top) / 2};
  const HWND wnd = WindowFromPoint(centre);
  if (wnd && IsPopupMenuWindow(wnd)) DrawBorderOf(*Manager.SkinableMenus, Item, wnd);
}

// The skin editor's preview block: only a whole block is read.
bool ReceivePreview(TsSkinManager& Manager, TMessage& Message) {
  InCopyData = true;
  const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(Message.LParam);
  if (data && Message.WParam == PreviewCopyDataKind && data->lpData && data->cbData >= sizeof(TacSkinData)) {
    uint32_t magic = 0;
    std::memcpy(&magic, data->lpData, sizeof(magic));
    if (magic == PreviewMagic) {
      std::memcpy(Manager.PreviewBuffer.get(), data->lpData, sizeof(TacSkinData));
      PostMessageW(Application->Handle(), SM_SKINCMD, SkinCmdWParam(SKC_PREVIEWSKIN), 0);
    }
  }
  InCopyData = false;
  return true;
}

void SystemCommand(TsSkinManager& Manager, TMessage& Message) {
  switch (Message.WParam & 0xFFF0) {
    case SC_MINIMIZE: {
      Manager.ShowState = TShowAction::saMinimize;
      if (IsIconic(Application->Handle())) return;
      TsSkinProvider* provider = MainProvider();
      if (!provider) return;
      // Without an animation of its own, the shadow goes before the system minimises.
      if (TacBorderForm* border = provider->BorderForm()) border->ExBorderShowing = true;
      return;
    }
    case SC_RESTORE: {
      Manager.ShowState = TShowAction::saRestore;
      TsSkinProvider* provider = MainProvider();
      if (!provider || !(provider->FormState & 0x200)) return;
      provider->FormState &= ~0x200u;
      if (TacBorderForm* border = provider->BorderForm()) border->ExBorderShowing = false;
      return;
    }
    default: Manager.ShowState = TShowAction::saIgnore; return;
  }
}
}  // namespace

HOOKPROC CBTHookProc = PassOnCBTHook;

void InstallSysColorReplacement() {
  if (Replacement) return;
  Replacement = std::make_unique<TSkinSysColors>();
  SetSysColorProvider(Replacement.get());
}

void RemoveSysColorReplacement() {
  if (!Replacement) return;
  SetSysColorProvider(nullptr);
  Replacement.reset();
}

bool SysColorReplacementInstalled() { return Replacement != nullptr; }

void TsSkinManager::InstallHook() {
  if ((ComponentState() & csDesigning) || !GetIsDefault() || GlobalHookInstalled) return;
  GlobalHookInstalled = true;
  if (!DialogProviderList) DialogProviderList = std::make_unique<TacDialogProviderList>();
  CBTHookHandle = SetWindowsHookExW(WH_CBT, CBTHookProc, nullptr, GetCurrentThreadId());
  if (Options().ChangeSysColors()) InstallSysColorReplacement();
}

void TsSkinManager::UnInstallHook() {
  if ((ComponentState() & csDesigning) || !GetIsDefault() || !GlobalHookInstalled) return;
  if (FreeMenuWnds) FreeMenuWnds();
  if (CBTHookHandle) UnhookWindowsHookEx(CBTHookHandle);
  DialogProviderList.reset();
  RemoveSysColorReplacement();
  GlobalHookInstalled = false;
  CBTHookHandle = nullptr;
}

void TsSkinManager::UpdateSysColorReplacement() {
  if (!GetIsDefault() || (ComponentState() & csDesigning)) return;
  if (Options().ChangeSysColors() && GlobalHookInstalled)
    InstallSysColorReplacement();
  else
    RemoveSysColorReplacement();
}

// The main form fades out while the application ends, instead of vanishing.
static void HideMainFormAtTermination(TsSkinManager& Manager, const WINDOWPOS& Pos) {
  if (!LayeredWindowsAvailable() || !(Pos.flags & SWP_HIDEWINDOW)) return;
  const TacFormHide& hide = *Manager.AnimEffects().FormHide;
  if (!hide.Active || !Manager.Effects().AllowAnimation() || hide.Time == 0) return;
  TApplication* app = TApplicationRef::Peek();
  if (!app || IsIconic(app->Handle()) || !app->Terminated()) return;
  TForm* main = app->MainForm();
  if (!main || !main->HandleAllocated() || !IsWindowVisible(main->Handle())) return;
  TsSkinProvider* provider = MainProvider();
  if (!provider || !provider->FDrawNonClientArea || provider->SkipAnimation || !provider->FAllowAnimation) return;
  provider->SkipAnimation = true;
  provider->FormState |= 0x200;
  if (TacBorderForm* border = provider->BorderForm())
    if (HWND wnd = border->FormWindow()) SetWindowRgn(wnd, border->MakeRgn(0, 0), FALSE);
  SetWndAlpha(main->Handle(), true, 254);
  UpdateWindow(main->Handle());
  HideTimer = nullptr;  // not ours to free: the application owns it
  HideFormAnimated(provider);
}

bool TsSkinManager::MainWindowHook(TMessage& Message) {
  switch (Message.Msg) {
    case WM_WINDOWPOSCHANGED:
      if (Message.LParam) HideMainFormAtTermination(*this, *reinterpret_cast<const WINDOWPOS*>(Message.LParam));
      return false;
    case WM_COPYDATA:
      if (Message.Result != 0 || InCopyData) return false;
      return ReceivePreview(*this, Message);
    case WM_SYSCOMMAND:
      if (Model.CommonSkinData->Active) SystemCommand(*this, Message);
      return false;
    case 0x313: {
      TsSkinProvider* provider = MainProvider();
      if (!provider) return false;
      POINT p{};
      GetCursorPos(&p);
      provider->DropSysMenu(p.x, p.y);
      return true;
    }
    case WM_THEMECHANGED: return true;
    case 0x323:
    case 0x326:
      // No thumbnails of skinned forms are made here.
      if (!UseTaskbarThumbnails) return false;
      Message.Result = 0;
      return false;
    case SM_SKINCMD:
      if (Message.WParamHi() == SKC_PREVIEWSKIN) ApplyPreviewSkin();
      return false;
    case CM_ACTIVATE: {
      TScreen* screen = TScreenRef::Peek();
      if (!screen) return false;
      for (int i = screen->FormCount() - 1; i >= 0; --i) {
        TForm* form = screen->Forms(i);
        if (form && form->HandleAllocated()) SendSkinCmd(form->Handle(), SKC_INVALIDATE, 0);
      }
      return false;
    }
    case SM_DRAWMENUBORDER:
      MenuBorderPostPending = false;
      if (!SkinnedPopups()) return false;
      DrawMenuBorderByItem(*this, reinterpret_cast<TMenuItem*>(Message.LParam));
      return true;
    case SM_DRAWMENUWNDBORDER: {
      MenuBorderPostPending = false;
      if (!SkinnedPopups()) return false;
      const HWND wnd = reinterpret_cast<HWND>(Message.LParam);
      if (wnd && IsPopupMenuWindow(wnd) && SkinableMenus) DrawBorderOf(*SkinableMenus, nullptr, wnd);
      return true;
    }
    default: return false;
  }
}
