#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/graphics/Bitmap.h"
#include <algorithm>
#include <map>
#include <set>

namespace {
// Command identifiers are shared by all menus: a WM_COMMAND names the item.
std::map<UINT, TMenuItem*>& Commands() {
  static std::map<UINT, TMenuItem*> commands;
  return commands;
}

UINT AllocateCommand(TMenuItem* item) {
  static UINT next = 1;
  auto& commands = Commands();
  for (int tries = 0; tries < 0xFFFF; ++tries) {
    UINT id = next;
    next = next >= 0xEFFF ? 1 : next + 1;
    if (!commands.count(id)) {
      commands[id] = item;
      return id;
    }
  }
  throw EOutOfResources(u"Too many menu items");
}

std::set<const TMenuItem*>& LiveItems() {
  static std::set<const TMenuItem*> items;
  return items;
}

String StripAmpersands(const String& s) {
  String result;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == u'&') {
      if (i + 1 < s.size() && s[i + 1] == u'&') result += u'&';
      ++i;
      if (i < s.size() && s[i] != u'&') result += s[i];
      continue;
    }
    result += s[i];
  }
  return result;
}
}  // namespace

TOwnerDrawState OwnerDrawStateOf(UINT itemState) {
  TOwnerDrawState s;
  if (itemState & ODS_SELECTED) s.Include(odSelected);
  if (itemState & ODS_GRAYED) s.Include(odGrayed);
  if (itemState & ODS_DISABLED) s.Include(odDisabled);
  if (itemState & ODS_CHECKED) s.Include(odChecked);
  if (itemState & ODS_FOCUS) s.Include(odFocused);
  if (itemState & ODS_DEFAULT) s.Include(odDefault);
  if (itemState & ODS_HOTLIGHT) s.Include(odHotLight);
  if (itemState & ODS_INACTIVE) s.Include(odInactive);
  if (itemState & ODS_NOACCEL) s.Include(odNoAccel);
  if (itemState & ODS_NOFOCUSRECT) s.Include(odNoFocusRect);
  if (itemState & ODS_COMBOBOXEDIT) s.Include(odComboBoxEdit);
  return s;
}

// ---- Items -----------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {
  FCommand = AllocateCommand(this);
  LiveItems().insert(this);
}

TMenuItem::~TMenuItem() {
  BeginDestroy();
  while (!FItems.empty()) delete FItems.back();
  if (FParent) FParent->Remove(this);
  if (FHandle) DestroyMenu(FHandle);
  Commands().erase(FCommand);
  LiveItems().erase(this);
}

TMenuItem* TMenuItem::Items(int index) const {
  if (index < 0 || index >= Count()) throw EListError(u"Menu index out of range");
  return FItems[static_cast<size_t>(index)];
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item) return;
  if (item->FParent) throw EInvalidOperation(u"Menu inserted twice");
  if (index < 0 || index > Count()) throw EListError(u"Menu index out of range");
  FItems.insert(FItems.begin() + index, item);
  item->FParent = this;
  item->FMenu = FMenu;
  std::vector<TMenuItem*> stack(item->FItems.begin(), item->FItems.end());
  while (!stack.empty()) {
    TMenuItem* sub = stack.back();
    stack.pop_back();
    sub->FMenu = FMenu;
    stack.insert(stack.end(), sub->FItems.begin(), sub->FItems.end());
  }
  RebuildHandle();
  Changed(true);
}

void TMenuItem::Delete(int index) { delete Items(index); }

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(FItems.begin(), FItems.end(), item);
  if (it == FItems.end()) return;
  if (FHandle) RemoveMenu(FHandle, item->FCommand, MF_BYCOMMAND);
  if (FHandle && item->FHandle) {
    // A sub-menu is found by its handle, not its command.
    for (int i = GetMenuItemCount(FHandle) - 1; i >= 0; --i)
      if (GetSubMenu(FHandle, i) == item->FHandle) RemoveMenu(FHandle, static_cast<UINT>(i), MF_BYPOSITION);
  }
  FItems.erase(it);
  item->FParent = nullptr;
  item->FMenu = nullptr;
  if (!IsDestroying()) {
    RebuildHandle();
    Changed(true);
  }
}

void TMenuItem::Clear() {
  while (!FItems.empty()) delete FItems.back();
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(FItems.begin(), FItems.end(), item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* root = this;
  while (root->FParent) root = root->FParent;
  return root->FMenu;
}

TMenuItem* TMenuItem::Find(const String& caption) const {
  String wanted = StripAmpersands(caption);
  for (TMenuItem* item : FItems)
    if (SameText(StripAmpersands(item->FCaption), wanted)) return item;
  return nullptr;
}

void TMenuItem::SetCaption(const String& value) {
  if (FCaption == value) return;
  bool typeChanged = (value == u"-") != IsLine();
  FCaption = value;
  if (typeChanged && FParent)
    FParent->RebuildHandle();
  else
    UpdateItem();
  Changed(false);
}

void TMenuItem::SetShortCut(TShortCut value) {
  if (FShortCut == value) return;
  FShortCut = value;
  UpdateItem();
  Changed(false);
}

void TMenuItem::SetEnabled(bool value) {
  if (FEnabled == value) return;
  FEnabled = value;
  UpdateItem();
  Changed(false);
}

void TMenuItem::SetVisible(bool value) {
  if (FVisible == value) return;
  FVisible = value;
  if (FParent) FParent->RebuildHandle();
  Changed(true);
}

void TMenuItem::SetChecked(bool value) {
  if (FChecked == value) return;
  FChecked = value;
  UpdateItem();
  Changed(false);
}

void TMenuItem::SetRadioItem(bool value) {
  if (FRadioItem == value) return;
  FRadioItem = value;
  UpdateItem();
}

void TMenuItem::SetDefault(bool value) {
  if (FDefault == value) return;
  FDefault = value;
  UpdateItem();
  Changed(false);
}

void TMenuItem::SetImageIndex(int value) {
  if (FImageIndex == value) return;
  FImageIndex = value;
  UpdateItem();
  Changed(false);
}

TBitmap* TMenuItem::Bitmap() {
  if (!FBitmap) FBitmap = std::make_unique<TBitmap>();
  return FBitmap.get();
}

bool TMenuItem::HasBitmap() const { return FBitmap && !FBitmap->Empty(); }

void TMenuItem::SetBreak(TMenuBreak value) {
  if (FBreak == value) return;
  FBreak = value;
  UpdateItem();
  Changed(false);
}

String TMenuItem::MenuText() const {
  String text = FCaption;
  if (FShortCut != scNone && FParent && FParent->FParent) text += u"\t" + ShortCutToText(FShortCut);
  return text;
}

bool TMenuItem::IsOwnerDraw() const {
  TMenu* menu = GetParentMenu();
  if (!menu) return false;
  return menu->OwnerDraw() || (menu->Images() && !(FParent && !FParent->FParent && menu->IsMenuBar()));
}

void TMenuItem::FillInfo(MENUITEMINFOW& info, String& text) {
  info = MENUITEMINFOW{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_DATA | MIIM_STRING | MIIM_SUBMENU;
  info.wID = FCommand;
  info.dwItemData = reinterpret_cast<ULONG_PTR>(this);
  info.fType = IsLine() ? MFT_SEPARATOR : MFT_STRING;
  if (FRadioItem) info.fType |= MFT_RADIOCHECK;
  if (FBreak == mbBreak) info.fType |= MFT_MENUBREAK;
  if (FBreak == mbBarBreak) info.fType |= MFT_MENUBARBREAK;
  if (IsOwnerDraw()) info.fType |= MFT_OWNERDRAW;
  info.fState = (FEnabled ? MFS_ENABLED : MFS_GRAYED) | (FChecked ? MFS_CHECKED : 0) | (FDefault ? MFS_DEFAULT : 0);
  text = MenuText();
  info.dwTypeData = reinterpret_cast<LPWSTR>(&text[0]);
  info.cch = static_cast<UINT>(text.size());
  info.hSubMenu = FItems.empty() ? nullptr : Handle();
}

void TMenuItem::AppendTo(HMENU menu) {
  MENUITEMINFOW info;
  String text;
  FillInfo(info, text);
  InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info);
}

HMENU TMenuItem::ContainerHandle() const { return FParent ? FParent->FHandle : nullptr; }

void TMenuItem::UpdateItem() {
  HMENU container = ContainerHandle();
  if (!container || !FVisible) return;
  // Find our position: commands of sub-menus are not searchable by ID.
  int count = GetMenuItemCount(container);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW probe{};
    probe.cbSize = sizeof(probe);
    probe.fMask = MIIM_DATA;
    if (GetMenuItemInfoW(container, static_cast<UINT>(i), TRUE, &probe) &&
        probe.dwItemData == reinterpret_cast<ULONG_PTR>(this)) {
      MENUITEMINFOW info;
      String text;
      FillInfo(info, text);
      SetMenuItemInfoW(container, static_cast<UINT>(i), TRUE, &info);
      return;
    }
  }
}

HMENU TMenuItem::Handle() {
  if (!FHandle) {
    bool bar = !FParent && FMenu && FMenu->IsMenuBar();
    FHandle = bar ? CreateMenu() : CreatePopupMenu();
    if (!FHandle) throw EOutOfResources(u"Cannot create a menu");
    for (TMenuItem* item : FItems)
      if (item->FVisible) item->AppendTo(FHandle);
  }
  return FHandle;
}

void TMenuItem::RebuildHandle() {
  if (!FHandle) {
    // A new first sub-item turns this item into a sub-menu.
    if (!FItems.empty()) UpdateItem();
    return;
  }
  while (GetMenuItemCount(FHandle) > 0) RemoveMenu(FHandle, 0, MF_BYPOSITION);
  for (TMenuItem* item : FItems)
    if (item->FVisible) item->AppendTo(FHandle);
  UpdateItem();
}

void TMenuItem::Changed(bool) {
  if (IsDestroying()) return;
  if (TMenu* menu = GetParentMenu()) menu->MenuChanged();
}

void TMenuItem::Click() { FireEvent(OnClick, this); }

void TMenuItem::MeasureItem(TCanvas* ACanvas, int& Width, int& Height, bool TopLevel) {
  if (OnMeasureItem) {
    FireEvent(OnMeasureItem, this, ACanvas, Width, Height);
    return;
  }
  if (IsLine()) {
    Width = 10;
    Height = 8;
    return;
  }
  TSize text = ACanvas->TextExtent(StripAmpersands(FCaption));
  TCustomImageList* images = GetParentMenu() ? GetParentMenu()->Images() : nullptr;
  int imageWidth = images ? images->Width() : 16;
  Height = std::max(text.cy + 6, images ? images->Height() + 4 : 0);
  if (TopLevel) {
    Width = text.cx + 6;
    return;
  }
  Width = imageWidth + 8 + text.cx + 16;
  if (FShortCut != scNone) Width += ACanvas->TextWidth(ShortCutToText(FShortCut)) + 16;
}

void TMenuItem::DrawItem(TCanvas* ACanvas, TRect ARect, TOwnerDrawState State, bool TopLevel) {
  if (OnAdvancedDrawItem) {
    FireEvent(OnAdvancedDrawItem, this, ACanvas, ARect, State);
    return;
  }
  if (OnDrawItem) {
    FireEvent(OnDrawItem, this, ACanvas, ARect, State.Contains(odSelected));
    return;
  }
  bool selected = State.Contains(odSelected) || State.Contains(odHotLight);
  bool grayed = State.Contains(odGrayed) || State.Contains(odDisabled) || !FEnabled;
  ACanvas->Brush()->SetColor(selected && !TopLevel ? clHighlight : clMenu);
  ACanvas->Brush()->SetStyle(bsSolid);
  ACanvas->FillRect(ARect);
  if (IsLine()) {
    int y = ARect.Top + ARect.Height() / 2 - 1;
    ACanvas->Pen()->SetColor(clBtnShadow);
    ACanvas->MoveTo(ARect.Left + 2, y);
    ACanvas->LineTo(ARect.Right - 2, y);
    ACanvas->Pen()->SetColor(clBtnHighlight);
    ACanvas->MoveTo(ARect.Left + 2, y + 1);
    ACanvas->LineTo(ARect.Right - 2, y + 1);
    return;
  }
  ACanvas->Font()->SetColor(grayed ? clGrayText : (selected && !TopLevel ? clHighlightText : clMenuText));
  ACanvas->Brush()->SetStyle(bsClear);
  if (TopLevel) {
    TRect r = ARect;
    if (selected) DrawEdge(ACanvas->Handle(), reinterpret_cast<RECT*>(&r), BDR_SUNKENOUTER, BF_RECT);
    ACanvas->TextRect(r, FCaption, tfCenter | tfVerticalCenter | tfSingleLine);
    return;
  }
  TCustomImageList* images = GetParentMenu() ? GetParentMenu()->Images() : nullptr;
  int imageWidth = images ? images->Width() : 16;
  if (images && FImageIndex >= 0 && FImageIndex < images->Count())
    images->Draw(ACanvas, ARect.Left + 2, ARect.Top + (ARect.Height() - images->Height()) / 2, FImageIndex,
                 !grayed);
  else if (FChecked) {
    RECT check{ARect.Left + 2, ARect.Top + (ARect.Height() - 14) / 2, ARect.Left + 16,
               ARect.Top + (ARect.Height() - 14) / 2 + 14};
    DrawFrameControl(ACanvas->Handle(), &check, DFC_MENU, FRadioItem ? DFCS_MENUBULLET : DFCS_MENUCHECK);
  }
  TRect text(ARect.Left + imageWidth + 8, ARect.Top, ARect.Right - 8, ARect.Bottom);
  ACanvas->TextRect(text, FCaption, tfLeft | tfVerticalCenter | tfSingleLine);
  if (FShortCut != scNone) {
    String keys = ShortCutToText(FShortCut);
    ACanvas->TextRect(text, keys, tfRight | tfVerticalCenter | tfSingleLine | tfNoPrefix);
  }
}

// ---- Menus -----------------------------------------------------------------

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(this)) {
  FItems->FMenu = this;
}

TMenu::~TMenu() {
  BeginDestroy();
  if (FImages) FImages->RemoveFreeNotification(this);
  // The root item is owned by the menu; TComponent frees it.
}

void TMenu::SetImages(TCustomImageList* value) {
  if (FImages == value) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = value;
  if (value) value->FreeNotification(this);
  if (FItems->HandleAllocated()) FItems->RebuildHandle();
  MenuChanged();
}

void TMenu::SetOwnerDraw(bool value) {
  if (FOwnerDraw == value) return;
  FOwnerDraw = value;
  std::vector<TMenuItem*> stack{FItems};
  while (!stack.empty()) {
    TMenuItem* item = stack.back();
    stack.pop_back();
    if (item->FHandle) item->RebuildHandle();
    stack.insert(stack.end(), item->FItems.begin(), item->FItems.end());
  }
  MenuChanged();
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FImages) {
    FImages = nullptr;
    if (!IsDestroying()) MenuChanged();
  }
}

void TMenu::MenuChanged() {}

TMenuItem* TMenu::FindItem(UINT_PTR value, TFindItemKind kind) const {
  std::vector<TMenuItem*> stack(FItems->FItems.rbegin(), FItems->FItems.rend());
  while (!stack.empty()) {
    TMenuItem* item = stack.back();
    stack.pop_back();
    switch (kind) {
      case fkCommand:
        if (item->FCommand == value) return item;
        break;
      case fkHandle:
        if (item->FHandle && reinterpret_cast<UINT_PTR>(item->FHandle) == value) return item;
        break;
      case fkShortCut:
        if (item->FShortCut != scNone && item->FShortCut == value) return item;
        break;
    }
    stack.insert(stack.end(), item->FItems.rbegin(), item->FItems.rend());
  }
  return nullptr;
}

bool TMenu::IsShortCut(TMessage& Message) {
  TShortCut shortCut = ::ShortCut(static_cast<WORD>(Message.WParam), KeyDataToShiftState(Message.LParam));
  if (shortCut == scNone) return false;
  TMenuItem* item = FindItem(shortCut, fkShortCut);
  if (!item || !item->Enabled()) return false;
  for (TMenuItem* p = item->Parent(); p; p = p->Parent())
    if (!p->Enabled()) return false;
  item->Click();
  return true;
}

bool TMenu::DispatchCommand(WORD command) {
  TMenuItem* item = FindItem(command, fkCommand);
  if (!item) return false;
  item->Click();
  return true;
}

bool TMenu::DispatchPopup(HMENU handle) {
  TMenuItem* item = FindItem(reinterpret_cast<UINT_PTR>(handle), fkHandle);
  if (!item) return false;
  item->Click();
  return true;
}

void TMainMenu::MenuChanged() {
  if (WindowHandle() && IsWindow(WindowHandle())) DrawMenuBar(WindowHandle());
}

// ---- Owner drawing ---------------------------------------------------------

namespace {
TMenuItem* LiveItem(ULONG_PTR data) {
  auto* item = reinterpret_cast<TMenuItem*>(data);
  return LiveItems().count(item) ? item : nullptr;
}

// The menu font of the system, for owner-drawn items.
HFONT MenuFontHandle() {
  static HFONT font = [] {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    return CreateFontIndirectW(&metrics.lfMenuFont);
  }();
  return font;
}

bool IsTopLevel(TMenuItem* item) {
  TMenu* menu = item->GetParentMenu();
  return menu && dynamic_cast<TMainMenu*>(menu) && item->Parent() == menu->Items();
}
}  // namespace

bool MenuItemAlive(const TMenuItem* item) { return LiveItems().count(item) != 0; }

bool MenuDrawItem(DRAWITEMSTRUCT* dis) {
  TMenuItem* item = LiveItem(dis->itemData);
  if (!item) return false;
  TCanvas canvas;
  canvas.SetHandle(dis->hDC);
  LOGFONTW lf{};
  GetObjectW(MenuFontHandle(), sizeof(lf), &lf);
  canvas.Font()->SetName(String(reinterpret_cast<const char16_t*>(lf.lfFaceName)));
  canvas.Font()->SetHeight(lf.lfHeight);
  TRect r(dis->rcItem.left, dis->rcItem.top, dis->rcItem.right, dis->rcItem.bottom);
  try {
    item->DrawItem(&canvas, r, OwnerDrawStateOf(dis->itemState), IsTopLevel(item));
  } catch (...) {
    canvas.SetHandle(nullptr);
    throw;
  }
  canvas.SetHandle(nullptr);
  return true;
}

bool MenuMeasureItem(MEASUREITEMSTRUCT* mis) {
  TMenuItem* item = LiveItem(mis->itemData);
  if (!item) return false;
  TCanvas canvas;
  HDC dc = GetDC(nullptr);
  canvas.SetHandle(dc);
  LOGFONTW lf{};
  GetObjectW(MenuFontHandle(), sizeof(lf), &lf);
  canvas.Font()->SetName(String(reinterpret_cast<const char16_t*>(lf.lfFaceName)));
  canvas.Font()->SetHeight(lf.lfHeight);
  int width = 0, height = 0;
  try {
    item->MeasureItem(&canvas, width, height, IsTopLevel(item));
  } catch (...) {
    canvas.SetHandle(nullptr);
    ReleaseDC(nullptr, dc);
    throw;
  }
  canvas.SetHandle(nullptr);
  ReleaseDC(nullptr, dc);
  mis->itemWidth = static_cast<UINT>(std::max(width, 0));
  mis->itemHeight = static_cast<UINT>(std::max(height, 0));
  return true;
}
