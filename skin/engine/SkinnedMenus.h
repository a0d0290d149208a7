#pragma once
// Menu skinning: the handlers put on the application's menu items, their
// measures, and one cached background per popup menu shown.
#include "platform/classes/Alignment.h"
#include "platform/classes/Component.h"
#include "platform/ui/Menus.h"
#include "platform/ui/graphics/Bitmap.h"
#include "platform/ui/graphics/GraphicsObjects.h"
#include <memory>
#include <vector>

class TsSkinManager;
class TMainMenu;
class TPopupMenu;

enum TsMenuItemType : uint8_t { smCaption, smDivider, smNormal, smTopLine };

using TsMenuManagerDrawItemEvent =
    std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, TOwnerDrawState State, TsMenuItemType ItemType)>;

struct TacMenuItemData {
  TFont* Font = nullptr;
};

// One popup menu's background, made the first time one of its items is drawn.
struct TacMenuInfo {
  TMenuItem* FirstItem = nullptr;  // the key
  std::shared_ptr<TBitmap> Bmp;    // the whole popup window
  HWND Wnd = nullptr;
  bool HaveExtraLine = false;
  bool ItemsIterated = false;
};

class TacMenuSupport : public TPersistent {
public:
  String IcoLineSkin;
  int ExtraLineWidth = 32;
  bool UseExtraLine = false;
  TFont* ExtraLineFont() const { return FExtraLineFont.get(); }
  void SetExtraLineFont(const TFont& Value) { FExtraLineFont->Assign(Value); }
  uint8_t AlphaBlend = 255;

private:
  std::unique_ptr<TFont> FExtraLineFont = std::make_unique<TFont>();
};

class TsSkinableMenus : public TPersistent {
public:
  explicit TsSkinableMenus(TsSkinManager* AOwner);
  ~TsSkinableMenus() override;

  int Margin = 2;
  int Spacing = 8;
  int BevelWidth = 0;  // stored only
  int BorderWidth = 3;
  TAlignment Alignment = taLeftJustify;
  TFont* CaptionFont() const { return FCaptionFont.get(); }
  void SetCaptionFont(const TFont& Value) { FCaptionFont->Assign(Value); }
  // -1: taken again from the skin's MAINMENU borders on the next read.
  int SkinBorderWidth();
  void SetSkinBorderWidth(int Value) { FSkinBorderWidth = Value; }
  TsMenuManagerDrawItemEvent OnDrawItem;
  bool Pressed = false;
  TsMenuItemType it = smNormal;

  bool Active() const { return FActive; }
  void SetActive(bool Value);
  void UpdateMenus();
  void InitItems(bool A);
  void HookItem(TMenuItem* MenuItem, bool AActive);
  void HookPopupMenu(TPopupMenu* Menu, bool Active);
  void InitItem(TMenuItem* Item, bool A);
  void InitMenuLine(TMainMenu* Menu, bool A);

  void sMeasureItem(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height);
  void sMeasureLineItem(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height);
  void sAdvancedDrawItem(TObject* Sender, TCanvas* ACanvas, TRect ARect, TOwnerDrawState State);
  void sAdvancedDrawLineItem(TObject* Sender, TCanvas* ACanvas, TRect ARect, TOwnerDrawState State);

  TacMenuInfo GetMenuInfo(TMenuItem* Item, int aWidth, int aHeight, TCanvas* aCanvas, HWND aWnd);
  // Appends the menu's entry; the bitmap is reached through it.
  TBitmap* PrepareMenuBG(TMenuItem* Item, int Width, int Height, HWND Wnd);
  void DrawWndBorder(HWND Wnd, TBitmap* MenuBmp);
  int ExtraWidth(const TacMenuInfo& mi) const;
  bool IsTopLine(TMenuItem* Item) const;
  bool IsPopupItem(TMenuItem* Item) const;
  bool LastItem(TMenuItem*) const { return false; }
  int ItemHeight(TCanvas* ACanvas, TMenuItem* Item);
  int MenuWidth(TCanvas* ACanvas, TMenuItem* Item);
  int MenuHeight(TCanvas* ACanvas, TMenuItem* Item);
  TsSkinManager* Manager() const { return FOwner; }

private:
  void InstallPopupPair(TMenuItem* Item);
  void RemovePopupPair(TMenuItem* Item);
  void InstallLinePair(TMenuItem* Item);
  void RemoveLinePair(TMenuItem* Item);
  void HookComponentMenus(TComponent* Component, bool A);
  // The extra-line data of a menu; false when it shows no extra line.
  bool QueryExtraLine(TMenuItem* FirstItem);
  void SetItemFont(TCanvas* ACanvas, TMenuItem* Item, bool Bold);
  void DrawNormalItem(TMenuItem* Item, TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State,
                      TacMenuInfo& mi);
  void DrawDivider(TMenuItem* Item, TCanvas* ACanvas, const TRect& ARect, const TacMenuInfo& mi);
  void DrawCaptionItem(TMenuItem* Item, TCanvas* ACanvas, const TRect& ARect, const TacMenuInfo& mi);

  TsSkinManager* FOwner;
  bool FActive = false;
  bool BorderDrawing = false;
  int FSkinBorderWidth = 0;
  std::unique_ptr<TFont> FCaptionFont = std::make_unique<TFont>();
  std::vector<TRect> ArOR;
  std::unique_ptr<TBitmap> FItemBmp;
  int FItemFontKey = -1;
};

// Unit-wide state shared by all menus.
extern std::vector<TacMenuInfo> MenuInfos;
extern int MenuGlyphWidth, MenuIcoLineWidth;
extern String ExtraLineSection, ExtraLineCaption;
extern std::unique_ptr<TBitmap> ExtraLineGlyph;
extern bool ExtraLineQuerying;
extern bool MenuMeasured;

void ClearMenuInfos();
void ReleaseMenuInfos();
bool MDIChildIconVisible();
bool IsCaptionItem(TMenuItem* Item);
bool HasColumnBreakBefore(TMenuItem* Item);
bool IsFirstVisibleItem(TMenuItem* Item);
bool IsLastVisibleItem(TMenuItem* Item);
TSize GetGlyphSize(TMenuItem* Item);
