// Pop-up menus: a hidden window owns the menu while it is tracked and
// receives its commands, hints and owner-draw messages.
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include <algorithm>
#include <vector>

namespace {
std::vector<TPopupMenu*>& PopupMenus() {
  static std::vector<TPopupMenu*> menus;
  return menus;
}

TMenuItem* FindInPopups(UINT_PTR value, TFindItemKind kind) {
  for (TPopupMenu* menu : PopupMenus())
    if (TMenuItem* item = menu->FindItem(value, kind)) return item;
  return nullptr;
}

bool PopupListProc(TMessage& m) {
  switch (m.Msg) {
    case WM_COMMAND:
      if (m.LParam == 0) {
        for (TPopupMenu* menu : std::vector<TPopupMenu*>(PopupMenus()))
          if (menu->DispatchCommand(LOWORD(m.WParam))) return true;
      }
      return false;
    case WM_INITMENUPOPUP:
      for (TPopupMenu* menu : std::vector<TPopupMenu*>(PopupMenus()))
        if (menu->DispatchPopup(reinterpret_cast<HMENU>(m.WParam))) return true;
      return false;
    case WM_MENUSELECT: {
      UINT flags = HIWORD(m.WParam), id = LOWORD(m.WParam);
      TMenuItem* item = nullptr;
      if (flags != 0xFFFF || id != 0) {
        if (flags & MF_POPUP)
          item = FindInPopups(reinterpret_cast<UINT_PTR>(GetSubMenu(reinterpret_cast<HMENU>(m.LParam), id)), fkHandle);
        else
          item = FindInPopups(id, fkCommand);
      }
      Application->SetHint(item ? GetLongHint(item->Hint()) : String());
      return true;
    }
    case WM_DRAWITEM:
      if (MenuDrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam))) {
        m.Result = 1;
        return true;
      }
      return false;
    case WM_MEASUREITEM:
      if (MenuMeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam))) {
        m.Result = 1;
        return true;
      }
      return false;
    default:
      return false;
  }
}

HWND PopupListWindow() {
  static HWND window = nullptr;
  if (!window || !IsWindow(window)) window = AllocateHWnd(PopupListProc, true);
  return window;
}
}  // namespace

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) { PopupMenus().push_back(this); }

TPopupMenu::~TPopupMenu() {
  auto& list = PopupMenus();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  if (FPopupComponent) FPopupComponent->RemoveFreeNotification(this);
}

void TPopupMenu::SetPopupComponent(TComponent* value) {
  if (FPopupComponent == value) return;
  if (FPopupComponent) FPopupComponent->RemoveFreeNotification(this);
  FPopupComponent = value;
  if (value) value->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TMenu::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FPopupComponent) FPopupComponent = nullptr;
}

void TPopupMenu::Popup(int X, int Y) {
  FireEvent(OnPopup, this);
  HWND owner = PopupListWindow();
  SetWindowHandle(owner);
  UINT flags = TPM_RIGHTBUTTON;
  switch (FAlignment) {
    case paLeft: flags |= TPM_LEFTALIGN; break;
    case paRight: flags |= TPM_RIGHTALIGN; break;
    case paCenter: flags |= TPM_CENTERALIGN; break;
  }
  if (MenuAnimation.Contains(maNone)) flags |= TPM_NOANIMATION;
  TrackPopupMenu(Handle(), flags, X, Y, 0, owner, nullptr);
  PostMessageW(owner, WM_NULL, 0, 0);
}
