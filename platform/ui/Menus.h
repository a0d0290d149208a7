#pragma once
// Menus: items in a tree, the form's main menu and pop-up menus, keyboard
// shortcuts and owner-drawn items.
#include "platform/classes/Component.h"
#include "platform/ui/Messages.h"
#include "platform/ui/UiTypes.h"
#include "platform/ui/graphics/ImageList.h"
#include <memory>
#include <vector>

class TBitmap;

class TMenu;

// A key with modifier bits: the virtual-key code in the low byte.
using TShortCut = uint16_t;
constexpr TShortCut scNone = 0;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

TShortCut ShortCut(WORD Key, TShiftState Shift);
void ShortCutToKey(TShortCut shortCut, WORD& Key, TShiftState& Shift);
// "Ctrl+A", "F2", "Shift+Ctrl+Del"; the empty text for scNone.
String ShortCutToText(TShortCut shortCut);
// The reverse; scNone for a text it does not know.
TShortCut TextToShortCut(const String& text);

// Column breaks of a pop-up menu: a new column, with or without a bar.
enum TMenuBreak : uint8_t { mbNone, mbBreak, mbBarBreak };
// Reading order; the platform draws left to right, the value is kept for
// drawing that mirrors itself.
enum TBiDiMode : uint8_t { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
enum TMenuAnimations : uint8_t { maLeftToRight, maRightToLeft, maTopToBottom, maBottomToTop, maNone };
using TMenuAnimation = TEnumSet<TMenuAnimations>;

enum TFindItemKind : uint8_t { fkCommand, fkHandle, fkShortCut };

enum TOwnerDrawStateItem : uint8_t {
  odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odHotLight, odInactive, odNoAccel,
  odNoFocusRect, odReserved1, odReserved2, odComboBoxEdit
};
using TOwnerDrawState = TEnumSet<TOwnerDrawStateItem>;
TOwnerDrawState OwnerDrawStateOf(UINT itemState);

using TMenuDrawItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, bool Selected)>;
using TAdvancedMenuDrawItemEvent =
    std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, TOwnerDrawState State)>;
using TMenuMeasureItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;

class TMenuItem : public TComponent {
public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int index) const;
  TMenuItem* operator[](int index) const { return Items(index); }
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  // Frees the item at index.
  void Delete(int index);
  // Takes item out without freeing it.
  void Remove(TMenuItem* item);
  // Frees every sub-item.
  void Clear();
  int IndexOf(const TMenuItem* item) const;
  TMenuItem* Parent() const { return FParent; }
  TMenu* GetParentMenu() const;
  // The sub-item whose caption, without '&', equals caption (any case).
  TMenuItem* Find(const String& caption) const;

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& value);
  bool IsLine() const { return FCaption == u"-"; }
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool value);
  bool RadioItem() const { return FRadioItem; }
  void SetRadioItem(bool value);
  bool Default() const { return FDefault; }
  void SetDefault(bool value);
  const String& Hint() const { return FHint; }
  void SetHint(const String& value) { FHint = value; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value);
  // The item's own glyph, created empty on first use.
  TBitmap* Bitmap();
  bool HasBitmap() const;
  TMenuBreak Break() const { return FBreak; }
  void SetBreak(TMenuBreak value);
  // Images of the sub-items, in place of the menu's Images.
  TCustomImageList* SubMenuImages() const { return FSubMenuImages; }
  void SetSubMenuImages(TCustomImageList* value) { FSubMenuImages = value; }
  int Tag = 0;

  // Command identifier of the item in its menu.
  UINT Command() const { return FCommand; }
  // The item's own pop-up menu (its sub-items), created on first use.
  HMENU Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }

  virtual void Click();
  // Owner drawing: the events, or the library's own drawing.
  void DrawItem(TCanvas* ACanvas, TRect ARect, TOwnerDrawState State, bool TopLevel);
  void MeasureItem(TCanvas* ACanvas, int& Width, int& Height, bool TopLevel);

  TNotifyEvent OnClick;
  TMenuDrawItemEvent OnDrawItem;
  TAdvancedMenuDrawItemEvent OnAdvancedDrawItem;
  TMenuMeasureItemEvent OnMeasureItem;

private:
  friend class TMenu;
  // The text the system menu shows: caption and shortcut.
  String MenuText() const;
  bool IsOwnerDraw() const;
  void FillInfo(MENUITEMINFOW& info, String& text);
  // Puts the item (and, through its handle, its sub-items) into menu.
  void AppendTo(HMENU menu);
  // The system menu that holds this item (the parent's handle).
  HMENU ContainerHandle() const;
  // Rewrites the item in place (caption, state, type).
  void UpdateItem();
  // Rebuilds the sub-items of this item's handle.
  void RebuildHandle();
  void Changed(bool rebuildParent);

  TMenuItem* FParent = nullptr;
  TMenu* FMenu = nullptr;
  std::vector<TMenuItem*> FItems;
  HMENU FHandle = nullptr;
  UINT FCommand = 0;
  String FCaption;
  TShortCut FShortCut = scNone;
  bool FEnabled = true;
  bool FVisible = true;
  bool FChecked = false;
  bool FRadioItem = false;
  bool FDefault = false;
  String FHint;
  int FImageIndex = -1;
  std::unique_ptr<TBitmap> FBitmap;
  TMenuBreak FBreak = mbNone;
  TCustomImageList* FSubMenuImages = nullptr;
};

class TMenu : public TComponent {
public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;

  TMenuItem* Items() const { return FItems; }
  HMENU Handle() { return FItems->Handle(); }
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* value);
  bool OwnerDraw() const { return FOwnerDraw; }
  void SetOwnerDraw(bool value);
  // The window that shows the menu (a form's for a main menu).
  HWND WindowHandle() const { return FWindowHandle; }
  void SetWindowHandle(HWND value) { FWindowHandle = value; }
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode value) { FBiDiMode = value; }

  // A key message that is the shortcut of an enabled item clicks it.
  bool IsShortCut(TMessage& Message);
  TMenuItem* FindItem(UINT_PTR value, TFindItemKind kind) const;
  bool DispatchCommand(WORD command);
  bool DispatchPopup(HMENU handle);

protected:
  friend class TMenuItem;
  virtual bool IsMenuBar() const { return false; }
  // An item changed; a main menu redraws its bar.
  virtual void MenuChanged();
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TMenuItem* FItems;
  TCustomImageList* FImages = nullptr;
  bool FOwnerDraw = false;
  HWND FWindowHandle = nullptr;
  TBiDiMode FBiDiMode = bdLeftToRight;
};

class TMainMenu : public TMenu {
public:
  using TMenu::TMenu;

protected:
  bool IsMenuBar() const override { return true; }
  void MenuChanged() override;
};

enum TPopupAlignment : uint8_t { paLeft, paRight, paCenter };

class TPopupMenu : public TMenu {
public:
  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;

  // Shows the menu at a screen point; the chosen item's OnClick runs once
  // the menu has closed.
  virtual void Popup(int X, int Y);
  bool AutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool value) { FAutoPopup = value; }
  TComponent* PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* value);
  TPopupAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TPopupAlignment value) { FAlignment = value; }
  // With maNone the menu opens without the system's animation.
  TMenuAnimation MenuAnimation;

  TNotifyEvent OnPopup;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  bool FAutoPopup = true;
  TComponent* FPopupComponent = nullptr;
  TPopupAlignment FAlignment = paLeft;
};

// True while item has not been freed; for messages that carry an item.
bool MenuItemAlive(const TMenuItem* item);

// Owner-drawn menu items of any menu, for the window that receives
// WM_DRAWITEM / WM_MEASUREITEM.
bool MenuDrawItem(DRAWITEMSTRUCT* dis);
bool MenuMeasureItem(MEASUREITEMSTRUCT* mis);
