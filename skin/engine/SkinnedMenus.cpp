#include "skin/engine/SkinnedMenus.h"
#include "skin/engine/MenuHandlers.h"
#include "skin/engine/Neighbours.h"
#include "skin/engine/SectionPaint.h"
#include "skin/engine/SkinCommands.h"
#include "skin/engine/SkinManager.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/LibUtils.h"
#include "skin/graphics/MaskPaint.h"
#include "skin/graphics/Regions.h"
#include "platform/ui/Forms.h"
#include <algorithm>

std::vector<TacMenuInfo> MenuInfos;
int MenuGlyphWidth = 0, MenuIcoLineWidth = 0;
String ExtraLineSection, ExtraLineCaption;
std::unique_ptr<TBitmap> ExtraLineGlyph;
bool ExtraLineQuerying = false;
bool MenuMeasured = false;

namespace {
constexpr UINT MeasureFlags = DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_WORDBREAK;

int MeasureTextHeight(TCanvas* ACanvas, const String& Text, TRect& R) {
  RECT r{R.Left, R.Top, R.Right, R.Bottom};
  DrawTextW(ACanvas->Handle(), reinterpret_cast<LPCWSTR>(Text.c_str()), static_cast<int>(Text.size()), &r,
            MeasureFlags);
  R = TRect(r.left, r.top, r.right, r.bottom);
  return r.bottom - r.top;
}

String WithoutAmpersands(const String& S) {
  String out;
  for (char16_t c : S)
    if (c != u'&') out += c;
  return out;
}

void ForEachSubItem(TMenuItem* Item, const std::function<void(TMenuItem*)>& Step) {
  for (int i = 0; i < Item->Count(); ++i) {
    TMenuItem* sub = Item->Items(i);
    Step(sub);
    ForEachSubItem(sub, Step);
  }
}
}  // namespace

bool IsCaptionItem(TMenuItem* Item) {
  const String& c = Item->Caption();
  return !c.empty() && c.front() == u'-' && c.back() == u'-' && c.size() > 1;
}

bool HasColumnBreakBefore(TMenuItem* Item) {
  TMenuItem* parent = Item->Parent();
  if (!parent) return false;
  const int own = parent->IndexOf(Item);
  for (int i = 1; i <= own; ++i)
    if (parent->Items(i)->Break() != mbNone) return true;
  return false;
}

bool IsFirstVisibleItem(TMenuItem* Item) {
  TMenuItem* parent = Item->Parent();
  if (!parent) return false;
  for (int i = 0; i < parent->Count(); ++i)
    if (parent->Items(i)->Visible()) return parent->Items(i) == Item;
  return false;
}

bool IsLastVisibleItem(TMenuItem* Item) {
  TMenuItem* parent = Item->Parent();
  if (!parent) return false;
  for (int i = parent->Count() - 1; i >= 0; --i)
    if (parent->Items(i)->Visible()) return parent->Items(i) == Item;
  return false;
}

TSize GetGlyphSize(TMenuItem* Item) {
  if (Item->HasBitmap()) return TSize{Item->Bitmap()->Width(), Item->Bitmap()->Height()};
  if (Item->Parent() && Item->Parent()->SubMenuImages()) return TSize{Item->Parent()->SubMenuImages()->Width(), 0};
  TMenu* menu = Item->GetParentMenu();
  if (menu && menu->Images()) return TSize{menu->Images()->Width(), menu->Images()->Height()};
  return TSize{16, 16};
}

void ClearMenuInfos() { MenuInfos.clear(); }
void ReleaseMenuInfos() { ClearMenuInfos(); }

bool MDIChildIconVisible() {
  // Forms here are never MDI parents with maximised children.
  return false;
}

TsSkinableMenus::TsSkinableMenus(TsSkinManager* AOwner) : FOwner(AOwner) {}

TsSkinableMenus::~TsSkinableMenus() { FOwner = nullptr; }

int TsSkinableMenus::SkinBorderWidth() {
  if (FSkinBorderWidth >= 0) return FSkinBorderWidth;
  const int index = FOwner->GetMaskIndex(FOwner->GetSkinIndex(u"MAINMENU"), u"MAINMENU", u"BORDERSMASK");
  FSkinBorderWidth = index < 0 ? 0 : std::max<int>(FOwner->Model.ma[static_cast<size_t>(index)].BorderWidth, 1);
  if (index >= 0 && FOwner->Model.ma[static_cast<size_t>(index)].BorderWidth < 1) FSkinBorderWidth = 3;
  return FSkinBorderWidth;
}

void TsSkinableMenus::SetActive(bool Value) {
  if (Value == FActive) return;
  FActive = Value;
  InitItems(Value);
}

void TsSkinableMenus::UpdateMenus() { SetActive(FOwner->Model.CommonSkinData->Active); }

void TsSkinableMenus::InstallPopupPair(TMenuItem* Item) {
  if (!Item->OnAdvancedDrawItem) Item->OnAdvancedDrawItem = TPopupDrawHandler{this};
  if (!Item->OnMeasureItem) Item->OnMeasureItem = TPopupMeasureHandler{this};
}

void TsSkinableMenus::RemovePopupPair(TMenuItem* Item) {
  if (IsHandlerOf<TPopupDrawHandler>(Item->OnAdvancedDrawItem, this)) Item->OnAdvancedDrawItem = nullptr;
  if (IsHandlerOf<TPopupMeasureHandler>(Item->OnMeasureItem, this)) Item->OnMeasureItem = nullptr;
}

void TsSkinableMenus::InstallLinePair(TMenuItem* Item) {
  Item->OnAdvancedDrawItem = TLineDrawHandler{this};
  Item->OnMeasureItem = TLineMeasureHandler{this};
}

void TsSkinableMenus::RemoveLinePair(TMenuItem* Item) {
  if (IsHandlerOf<TLineDrawHandler>(Item->OnAdvancedDrawItem, this)) Item->OnAdvancedDrawItem = nullptr;
  if (IsHandlerOf<TLineMeasureHandler>(Item->OnMeasureItem, this)) Item->OnMeasureItem = nullptr;
}

void TsSkinableMenus::InitItems(bool A) {
  FActive = A;
  if (FOwner->ComponentState() & csDesigning) return;
  TApplication* app = TApplicationRef::Peek();
  if (!app) return;
  for (int i = 0; i < app->ComponentCount(); ++i) HookComponentMenus(app->Components(i), A);
}

void TsSkinableMenus::HookComponentMenus(TComponent* Component, bool A) {
  const bool popups = A && FOwner->SkinnedPopups();
  if (auto* main = dynamic_cast<TMainMenu*>(Component)) {
    InitMenuLine(main, A);
    for (int i = 0; i < main->Items()->Count(); ++i) HookItem(main->Items()->Items(i), popups);
  } else if (auto* popup = dynamic_cast<TPopupMenu*>(Component)) {
    HookPopupMenu(popup, popups);
  } else if (auto* item = dynamic_cast<TMenuItem*>(Component)) {
    if (!dynamic_cast<TMainMenu*>(item->GetParentMenu())) HookItem(item, popups);
  }
  for (int i = 0; i < Component->ComponentCount(); ++i) HookComponentMenus(Component->Components(i), A);
}

void TsSkinableMenus::HookItem(TMenuItem* MenuItem, bool AActive) {
  ForEachSubItem(MenuItem, [&](TMenuItem* sub) {
    if (!AActive)
      RemovePopupPair(sub);
    else if (!IsTopLine(sub))
      InstallPopupPair(sub);
  });
}

void TsSkinableMenus::HookPopupMenu(TPopupMenu* Menu, bool Active) {
  if (!Menu) return;
  Menu->SetOwnerDraw(Active && FOwner->SkinnedPopups());
  if (Active)
    Menu->MenuAnimation.Include(maNone);
  else
    Menu->MenuAnimation.Exclude(maNone);
  ForEachSubItem(Menu->Items(), [&](TMenuItem* sub) { Active ? InstallPopupPair(sub) : RemovePopupPair(sub); });
}

void TsSkinableMenus::InitItem(TMenuItem* Item, bool A) {
  if (!A) {
    RemovePopupPair(Item);
    RemoveLinePair(Item);
  } else if (IsTopLine(Item)) {
    InstallLinePair(Item);
  } else if (FOwner->SkinnedPopups()) {
    InstallPopupPair(Item);
  }
}

void TsSkinableMenus::InitMenuLine(TMainMenu* Menu, bool A) {
  if (!Menu || Menu->IsDestroying()) return;
  TMenuItem* items = Menu->Items();
  for (int i = 0; i < items->Count(); ++i) {
    TMenuItem* item = items->Items(i);
    if (!A) {
      RemoveLinePair(item);
    } else if (FOwner->Active()) {
      if (!FOwner->SkinnedPopups()) return;
      InstallLinePair(item);
    }
  }
  if (items->Count() > 0) Menu->SetOwnerDraw(A);
}

bool TsSkinableMenus::QueryExtraLine(TMenuItem* FirstItem) {
  if (!FirstItem || FirstItem->Name() == u"SkinSelectItem") return false;
  ExtraLineSection = u"EXTRALINE";
  ExtraLineGlyph.reset();
  ExtraLineCaption = u"Use OnGetExtraLineData event";
  bool visible = true;
  if (FOwner->OnGetPopupLineData) {
    struct TQuerying {
      TQuerying() { ExtraLineQuerying = true; }
      ~TQuerying() { ExtraLineQuerying = false; }
    } querying;
    FOwner->OnGetPopupLineData(FirstItem, ExtraLineSection, ExtraLineCaption, ExtraLineGlyph, visible);
  }
  ExtraLineCaption = WithoutAmpersands(ExtraLineCaption);
  if (!visible) ExtraLineGlyph.reset();
  return visible;
}

void TsSkinableMenus::SetItemFont(TCanvas* ACanvas, TMenuItem* Item, bool Bold) {
  ACanvas->Font()->Assign(*Screen->MenuFont());
  if (TCustomForm* form = GetOwnerForm(Item)) ACanvas->Font()->SetCharset(form->Font()->Charset());
  TFontStyles style = ACanvas->Font()->Style();
  if (Bold) style.Include(fsBold);
  ACanvas->Font()->SetStyle(style);
}

void TsSkinableMenus::sMeasureItem(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height) {
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  if (!item || item->IsDestroying() || !ACanvas) return;
  MenuMeasured = true;
  TacMenuInfo mi = GetMenuInfo(item, 0, 0, nullptr, nullptr);
  it = item->Caption() == u"-" ? smDivider : IsCaptionItem(item) ? smCaption : smNormal;
  if (!mi.FirstItem) {
    const bool design = (FOwner->ComponentState() & csDesigning) != 0;
    mi.HaveExtraLine = !design && !ExtraLineQuerying && item->Parent() && QueryExtraLine(item->Parent()->Items(0));
  }
  SetItemFont(ACanvas, item, item->Default());
  String text;
  if (it == smCaption) text = u"-" + item->Caption() + u"-";
  else if (it == smNormal) text = item->Caption() + ShortCutToText(item->ShortCut());
  TRect r(0, 0, it == smNormal ? 800 : 1, 0);
  if (FOwner->OnGetPopupItemData) {
    TacMenuItemData data;
    data.Font = ACanvas->Font();
    FOwner->OnGetPopupItemData(item, TOwnerDrawState(), data);
    SelectObject(ACanvas->Handle(), ACanvas->Font()->Handle());
  }
  const int glyph = GetGlyphSize(item).cx;
  Width = 2 * glyph + 3 * Margin + Spacing;
  if (!text.empty()) {
    MeasureTextHeight(ACanvas, text, r);
    Width += r.Width();
  }
  if (mi.HaveExtraLine && (!HasColumnBreakBefore(item) || item->Parent()->IndexOf(item) == 0))
    Width += ExtraWidth(mi);
  Height = ItemHeight(ACanvas, item);
}

int TsSkinableMenus::ItemHeight(TCanvas* ACanvas, TMenuItem* Item) {
  if (Item->Caption() == u"-") return 2;
  const bool caption = IsCaptionItem(Item);
  const String text = caption ? Item->Caption() : Item->Caption() + ShortCutToText(Item->ShortCut());
  TRect r(0, 0, 800, 0);
  const int h = MeasureTextHeight(ACanvas, text, r);
  if (caption) return h + 2 * Margin + 3;
  return std::max(h, static_cast<int>(GetGlyphSize(Item).cy)) + 2 * Margin + 2;
}

int TsSkinableMenus::MenuWidth(TCanvas* ACanvas, TMenuItem* Item) {
  TMenuItem* parent = Item->Parent();
  if (!parent) return 0;
  int w = 0, s = 0;
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* sub = parent->Items(i);
    if (!sub->Visible()) continue;
    if (sub->Break() != mbNone) {
      s += w + 4;
      w = 0;
    }
    int width = 0, height = 0;
    sMeasureItem(sub, ACanvas, width, height);
    w = std::max(w, width + 12);
  }
  return s + w;
}

int TsSkinableMenus::MenuHeight(TCanvas* ACanvas, TMenuItem* Item) {
  TMenuItem* parent = Item->Parent();
  if (!parent) return 0;
  int h = 0, m = 0;
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* sub = parent->Items(i);
    if (!sub->Visible()) continue;
    if (sub->Break() != mbNone) {
      m = std::max(m, h);
      h = ItemHeight(ACanvas, sub);
    } else {
      h += ItemHeight(ACanvas, sub);
    }
  }
  return std::max(m, h);
}

void TsSkinableMenus::sMeasureLineItem(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height) {
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  if (!item || !ACanvas) return;
  Height = GetSystemMetrics(SM_CYMENU) - 1;
  ACanvas->Font()->Assign(*Screen->MenuFont());
  Width = ACanvas->TextWidth(WithoutAmpersands(item->Caption()));
  TMenu* menu = item->GetParentMenu();
  if (menu && menu->Images() && item->ImageIndex() >= 0)
    Width += menu->Images()->Width() + 6;
  else if (item->HasBitmap())
    Width += item->Bitmap()->Width() + 6;
}

int TsSkinableMenus::ExtraWidth(const TacMenuInfo& mi) const {
  return FOwner->MenuSupport && FOwner->MenuSupport->UseExtraLine && mi.HaveExtraLine
             ? FOwner->MenuSupport->ExtraLineWidth
             : 0;
}

bool TsSkinableMenus::IsTopLine(TMenuItem* Item) const {
  TMenu* menu = Item ? Item->GetParentMenu() : nullptr;
  return dynamic_cast<TMainMenu*>(menu) && Item->Parent() == menu->Items();
}

bool TsSkinableMenus::IsPopupItem(TMenuItem* Item) const {
  return Item && dynamic_cast<TPopupMenu*>(Item->GetParentMenu()) != nullptr;
}

TacMenuInfo TsSkinableMenus::GetMenuInfo(TMenuItem* Item, int, int, TCanvas* aCanvas, HWND aWnd) {
  if (!Item) {
    if (aWnd)
      for (const auto& info : MenuInfos)
        if (info.Wnd == aWnd) return info;
    return TacMenuInfo{};
  }
  if (!Item->Parent() || Item->Parent()->Count() == 0) return TacMenuInfo{};
  TMenuItem* key = Item->Parent()->Items(0);
  const auto find = [key]() -> TacMenuInfo {
    for (const auto& info : MenuInfos)
      if (info.FirstItem == key) return info;
    return TacMenuInfo{};
  };
  TacMenuInfo found = find();
  if (found.FirstItem || !aCanvas) return found;
  int width = 0, height = 0;
  if (aWnd) {
    RECT r{};
    if (GetWindowRect(aWnd, &r)) {
      width = r.right - r.left;
      height = r.bottom - r.top;
    }
  } else {
    width = MenuWidth(aCanvas, Item) + 2 * BorderWidth;
    height = MenuHeight(aCanvas, Item) + 2 * BorderWidth;
  }
  PrepareMenuBG(key, width, height, aWnd);
  return find();
}
