// The draw handlers of skinned menu items: popup items over their menu's
// cached background, and the items of a form's main-menu bar.
#include "skin/engine/CommonData.h"
#include "skin/engine/Neighbours.h"
#include "skin/engine/SectionPaint.h"
#include "skin/engine/SkinCommands.h"
#include "skin/engine/SkinHooks.h"
#include "skin/engine/SkinManager.h"
#include "skin/engine/SkinText.h"
#include "skin/engine/SkinnedMenus.h"
#include "skin/engine/SysCaptions.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/Blends.h"
#include "skin/graphics/DCDrawing.h"
#include "skin/graphics/LibUtils.h"
#include "skin/graphics/MaskGlyph.h"
#include "skin/graphics/MaskPaint.h"
#include "platform/ui/Forms.h"
#include <algorithm>

namespace {
bool RightToLeft(TMenuItem* Item, bool Exactly) {
  // The system locale does not change while the program runs.
  static const bool middleEastern = [] {
    switch (PRIMARYLANGID(GetSystemDefaultLangID())) {
      case LANG_ARABIC:
      case LANG_HEBREW:
      case LANG_FARSI:
      case LANG_URDU: return true;
      default: return false;
    }
  }();
  if (!middleEastern) return false;
  TMenu* menu = Item->GetParentMenu();
  if (!menu) return false;
  return Exactly ? menu->BiDiMode() == bdRightToLeft : menu->BiDiMode() != bdLeftToRight;
}

void CopyRect(HDC Dst, int X, int Y, int W, int H, HDC Src, int SX, int SY) {
  if (W > 0 && H > 0) BitBlt(Dst, X, Y, W, H, Src, SX, SY, SRCCOPY);
}

// The canvas stays locked for the whole drawing and is unlocked once.
struct TCanvasLock {
  TCanvas& Canvas;
  explicit TCanvasLock(TCanvas& C) : Canvas(C) { Canvas.Lock(); }
  ~TCanvasLock() { Canvas.Unlock(); }
};

void DrawItemText(TCanvas& Canvas, const String& Text, TRect R, UINT Flags, int Section, bool Hot,
              TsSkinManager* Manager) {
  Canvas.Brush()->SetStyle(bsClear);
  SetBkMode(Canvas.Handle(), TRANSPARENT);
  DrawSectionTextOnCanvas(Canvas, Text.c_str(), true, R, Flags, Section, Hot ? 1 : 0, Manager);
}

int TextWidthOf(TCanvas& Canvas, const String& Text) {
  RECT r{0, 0, 0, 0};
  DrawTextW(Canvas.Handle(), reinterpret_cast<LPCWSTR>(Text.c_str()), static_cast<int>(Text.size()), &r,
            DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
  return r.right - r.left;
}

const char16_t* SysMenuGlyph(int Tag) {
  switch (Tag) {
    case 0xF020: return u"0";
    case 0xF030: return u"1";
    case 0xF060: return u"r";
    case 0xF120: return u"2";
    default: return nullptr;
  }
}
}  // namespace

void TsSkinableMenus::sAdvancedDrawItem(TObject* Sender, TCanvas* ACanvas, TRect ARect, TOwnerDrawState State) {
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  if (!item || !ACanvas || !FOwner || !FOwner->Active() || !item->Parent()) return;
  TCanvasLock lock(*ACanvas);
  const HWND wnd = WindowFromDC(ACanvas->Handle());
  TacMenuInfo mi = GetMenuInfo(item, 0, 0, ACanvas, wnd);
  TBitmap* bg = mi.Bmp.get();
  const int inFirst = item->Parent()->IndexOf(item) == 0 || !HasColumnBreakBefore(item) ? 1 : 0;
  const int extra = ExtraWidth(mi);
  if (wnd && bg) {
    HDC dc = GetWindowDC(wnd);
    HDC src = bg->Canvas()->Handle();
    const int bw = bg->Width(), bh = bg->Height();
    if (IsFirstVisibleItem(item)) {
      CopyRect(dc, 0, 0, bw, BorderWidth, src, 0, 0);
      CopyRect(dc, 0, 0, extra * inFirst + std::max(BorderWidth, SkinBorderWidth()), bh, src, 0, 0);
    }
    if (IsLastVisibleItem(item)) CopyRect(dc, 0, bh - BorderWidth, bw, BorderWidth, src, 0, bh - BorderWidth);
    CopyRect(dc, bw - BorderWidth, BorderWidth + ARect.Top, BorderWidth, ARect.Height(), src, bw - BorderWidth,
             BorderWidth + ARect.Top);
    ReleaseDC(wnd, dc);
  } else if (!wnd) {
    TApplication* app = TApplicationRef::Peek();
    // Known here rather than asked of the queue: asking costs more than the item.
    if (app && app->Handle() && !MenuBorderPostPending) {
      MenuBorderPostPending = PostMessageW(app->Handle(), SM_DRAWMENUBORDER, 0, reinterpret_cast<LPARAM>(item));
    }
  }
  if (item->IsLine()) {
    DrawDivider(item, ACanvas, ARect, mi);
  } else if (IsCaptionItem(item)) {
    DrawCaptionItem(item, ACanvas, ARect, GetMenuInfo(item, 0, 0, nullptr, nullptr));
  } else if (bg) {
    DrawNormalItem(item, ACanvas, ARect, State, mi);
  }
  if (item->OnDrawItem) item->OnDrawItem(item, ACanvas, ARect, State.Contains(odSelected));
}

void TsSkinableMenus::DrawNormalItem(TMenuItem* Item, TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State,
                                     TacMenuInfo& mi) {
  it = smNormal;
  TsSkinManager& sm = *FOwner;
  TBitmap& bg = *mi.Bmp;
  TMenuItem* parent = Item->Parent();
  const int index = parent->IndexOf(Item);
  const int inFirst = index == 0 || !HasColumnBreakBefore(Item) ? 1 : 0;
  const int extra = ExtraWidth(mi);
  const bool rtl = RightToLeft(Item, false);
  const bool hot = Item->Enabled() && (State.Contains(odSelected) || State.Contains(odHotLight));
  const bool selected = Item->Enabled() && State.Contains(odSelected);
  int section = sm.Model.ConstData.MenuItem.SkinIndex;
  HDC bgDC = bg.Canvas()->Handle();
  const int bgH = bg.Height();

  // Column seams.
  if (index < parent->Count() - 1) {
    if (!mi.ItemsIterated && Item->Break() == mbBarBreak) {
      const TColor c = section >= 0 ? sm.Model.gd[static_cast<size_t>(section)].Props[0].FontColor.Color : 0x808080;
      RECT line{ARect.Left, 0, ARect.Left + 1, bgH};
      HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(c & 0xFFFFFF));
      FillRect(bgDC, &line, brush);
      DeleteObject(brush);
    }
    if (parent->Items(index + 1)->Break() != mbNone)
      CopyRect(ACanvas->Handle(), ARect.Left, ARect.Bottom, ARect.Width(), bgH - ARect.Bottom - 6, bgDC,
               ARect.Left + 3, ARect.Bottom + 3);
  } else {
    if (ARect.Bottom < bgH - 6)
      CopyRect(ACanvas->Handle(), ARect.Left, ARect.Bottom, ARect.Width(), bgH - ARect.Bottom - 6, bgDC,
               ARect.Left + 3, ARect.Bottom + 3);
    for (auto& info : MenuInfos)
      if (info.FirstItem == mi.FirstItem) info.ItemsIterated = true;
  }
  if (Item->Break() != mbNone)
    CopyRect(ACanvas->Handle(), ARect.Left - 4, ARect.Top, 4, bgH - 6, bgDC, ARect.Left - 1, ARect.Top + 3);

  // One item bitmap serves every item of that size: a new one per item
  // costs more than the drawing.
  const int itemWidth = std::max(ARect.Width() - extra * inFirst, 0);
  if (!FItemBmp || FItemBmp->Width() != itemWidth || FItemBmp->Height() != ARect.Height()) {
    FItemBmp = NewBmp32(itemWidth, ARect.Height());
    FItemFontKey = -1;
  }
  TBitmap& B = *FItemBmp;
  const TPoint place(extra * inFirst + ARect.Left, ARect.Top);
  if (section >= 0)
    PaintSectionFull(section, InitCacheInfo(&bg, 3, 3), true, selected ? 1 : 0, TRect(0, 0, B.Width(), B.Height()),
                     place, &B, &sm);
  else
    PatBlt(B.Canvas()->Handle(), 0, 0, B.Width(), B.Height(), BLACKNESS);

  TMenu* menu = Item->GetParentMenu();
  TCustomImageList* images = menu ? menu->Images() : nullptr;
  const bool useList = images && Item->ImageIndex() >= 0;
  // The check glyph in the glyph column.
  if (State.Contains(odChecked) && !Item->HasBitmap() && !useList) {
    const TConstantSkinData& cd = sm.Model.ConstData;
    int g = Item->RadioItem() ? cd.RadioButton[1] : sm.GetMaskIndex(cd.IndexGLobalInfo, u"GLOBALINFO", u"CHECK");
    if (!Item->RadioItem() && g < 0) g = cd.CheckBox[1];
    if (sm.IsValidImgIndex(g)) {
      const TsMaskData& md = sm.Model.ma[static_cast<size_t>(g)];
      const int w = MaskFrameWidth(md), h = MaskFrameHeight(md);
      const int top = (ARect.Height() - h) / 2;
      const int left = rtl ? std::min(B.Width() - w, B.Width() - (MenuGlyphWidth - w) / 2 - w - Margin)
                           : std::max(0, (MenuGlyphWidth - w) / 2 + Margin);
      PaintMaskGlyph(B, TPoint(left, top), selected ? 1 : 0, 1, md, InitCacheInfo(&B, 0, 0));
    }
  }
  const auto pressedFrame = [&](const TRect& glyph) {
    if (!State.Contains(odChecked)) return;
    const int speed = sm.GetSkinIndex(u"SPEEDBUTTON_SMALL");
    if (speed < 0) return;
    TRect r(glyph.Left - 1, glyph.Top - 1, glyph.Right + 1, glyph.Bottom + 1);
    auto frame = NewBmp32(r.Width(), r.Height());
    PaintSectionFull(speed, InitCacheInfo(&B, r.Left, r.Top), true, 2, TRect(0, 0, r.Width(), r.Height()),
                     TPoint(r.Left, r.Top), frame.get(), &sm);
    BitBlt(B.Canvas()->Handle(), r.Left, r.Top, r.Width(), r.Height(), frame->Canvas()->Handle(), 0, 0, SRCCOPY);
  };
  if (!Item->HasBitmap()) {
    if (useList) {
      const int top = (B.Height() - images->Height()) / 2;
      const int left = rtl ? B.Width() - top - GetGlyphSize(Item).cx : std::min(top, 3);
      pressedFrame(TRect(left, top, left + images->Width(), top + images->Height()));
      images->Draw(B.Canvas(), left, top, Item->ImageIndex(), true);
    } else if (menu && menu->Name().rfind(u"acSysMenu", 0) == 0) {
      if (const char16_t* glyph = SysMenuGlyph(Item->Tag)) {
        TCanvas& c = *B.Canvas();
        FItemFontKey = -1;
        c.Font()->SetName(u"Webdings");
        c.Font()->SetStyle(TFontStyles());
        c.Font()->SetSize(10);
        const int g = c.TextHeight(glyph);
        const int top = (B.Height() - g) / 2;
        if (rtl)
          DrawItemText(c, glyph, TRect(ARect.Right - g - 4, top, ARect.Right - 4, top + g), DT_RIGHT, section, hot, &sm);
        else
          DrawItemText(c, glyph, TRect(4, top, g + 14, top + g), 0, section, hot, &sm);
      }
    }
  } else {
    TBitmap* glyph = Item->Bitmap();
    const int cx = glyph->Width(), cy = glyph->Height();
    const int top = (B.Height() - cy) / 2;
    const int left = rtl ? ARect.Right - top - cx - extra : std::min(top, 3);
    pressedFrame(TRect(left, top, left + cx, top + cy));
    B.Canvas()->Draw(left, top, glyph);
  }

  TCanvas& canvas = *B.Canvas();
  // The font is made again only when it changes: making it costs more
  // than drawing the item.
  TCustomForm* ownerForm = GetOwnerForm(Item);
  const int fontKey = (ownerForm ? ownerForm->Font()->Charset() : 256) * 2 + (State.Contains(odDefault) ? 1 : 0);
  if (fontKey != FItemFontKey) {
    canvas.Font()->Assign(*Screen->MenuFont());
    if (ownerForm) canvas.Font()->SetCharset(ownerForm->Font()->Charset());
    canvas.Font()->SetStyle(State.Contains(odDefault) ? TFontStyles{fsBold} : TFontStyles());
    FItemFontKey = fontKey;
  }
  if (sm.OnGetPopupItemData) {
    FItemFontKey = -1;
    const TColor before = canvas.Font()->Color();
    TacMenuItemData data;
    data.Font = canvas.Font();
    sm.OnGetPopupItemData(Item, State, data);
    SelectObject(canvas.Handle(), canvas.Font()->Handle());
    if (canvas.Font()->Color() != before) section = -1;
  }

  // Texts.
  const int glyphSpace = GetGlyphSize(Item).cx + 2 * Margin + Spacing;
  TRect R(0, 0, ARect.Width(), ARect.Height());
  if (rtl)
    R.Right -= glyphSpace;
  else
    R.Left += glyphSpace;
  TRect T = R;
  T.Top += 1;
  String s = Item->Caption();
  String tabText;
  UINT align = 0;
  const size_t tab = s.find(u'\t');
  if (tab != String::npos) {
    tabText = s.substr(tab + 1);
    s = s.substr(0, tab);
  } else if (!s.empty() && s[0] == 8) {
    s = s.substr(1) + u"      ";
    align = DT_RIGHT;
  } else {
    align = Alignment == taRightJustify ? DT_RIGHT : Alignment == taCenter ? DT_CENTER : DT_LEFT;
  }
  UINT flags = align | DT_VCENTER | DT_EXPANDTABS | DT_NOCLIP |
               (s.find(u'\r') != String::npos ? DT_WORDBREAK : DT_SINGLELINE);
  if (rtl) {
    flags |= DT_RIGHT | DT_RTLREADING;
    T.Right -= extra;
  }
  if (State.Contains(odNoAccel)) flags |= DT_HIDEPREFIX;
  T.Top += Margin;
  T.Bottom -= Margin;
  DrawItemText(canvas, s, T, flags, section, hot, &sm);
  const String shortCut = ShortCutToText(Item->ShortCut());
  if (!shortCut.empty()) {
    TRect R2(0, 0, ARect.Width(), ARect.Height());
    R2.Left = rtl ? 6 : ARect.Right - TextWidthOf(canvas, shortCut) - 8;
    T = R2;
    T.Right -= 8;
    T.Left -= extra;
    T.Right -= extra;
    DrawItemText(canvas, shortCut, T, DT_SINGLELINE | DT_VCENTER, section, hot, &sm);
  }
  if (!tabText.empty()) {
    T.Right -= 8 + extra;
    T.Left -= extra;
    DrawItemText(canvas, tabText, T, DT_SINGLELINE | DT_VCENTER | DT_RIGHT, section, hot, &sm);
  }
  if (OnDrawItem) OnDrawItem(Item, &canvas, TRect(0, 0, B.Width(), B.Height()), State, it);
  if (!Item->Enabled()) {
    const int x = extra * inFirst + ARect.Left + BorderWidth, y = ARect.Top + BorderWidth;
    CopyBmpBlended(B, 0, 0, bg, TRect(x, y, x + B.Width() - 1, y + B.Height() - 1), 0.4, KeyColor);
  }
  BitBlt(ACanvas->Handle(), place.X, place.Y, B.Width(), B.Height(), B.Canvas()->Handle(), 0, 0, SRCCOPY);
  if (index == 0 && extra > 0 && WindowsVersion > 5)
    CopyRect(ACanvas->Handle(), 0, 0, extra * inFirst, bgH, bgDC, 3, 3);
}

void TsSkinableMenus::DrawDivider(TMenuItem* Item, TCanvas* ACanvas, const TRect& ARect, const TacMenuInfo& mi) {
  it = smDivider;
  TsSkinManager& sm = *FOwner;
  const int extra = ExtraWidth(mi);
  const int icoLine = sm.GetSkinIndex(sm.MenuSupport->IcoLineSkin);
  const bool noIcoLine = icoLine < 0 || (sm.Model.gd[static_cast<size_t>(icoLine)].Props[0].Transparency >= 100 &&
                                         sm.Model.gd[static_cast<size_t>(icoLine)].BorderIndex < 0);
  TRect D(0, 0, ARect.Width(), ARect.Height());
  if (noIcoLine) {
    D.Left += extra + Margin;
    D.Right -= extra + 2 * Margin;
    if (D.Left < extra) D.Left = extra + 2;
  } else {
    D.Left += extra + Margin + Spacing;
    D.Right -= extra + 2 * Margin + Spacing;
    if (D.Left < extra + MenuIcoLineWidth) D.Left = extra + MenuIcoLineWidth + 2;
  }
  (void)Item;
  TBitmap* bg = mi.Bmp.get();
  const int divider = sm.GetMaskIndex(sm.GetSkinIndex(u"DIVIDERV"), u"DIVIDERV", u"BORDERSMASK");
  if (divider < 0) {
    if (bg)
      CopyRect(ACanvas->Handle(), ARect.Left, ARect.Top, ARect.Width(), ARect.Height(), bg->Canvas()->Handle(),
               ARect.Left + 3, ARect.Top + 3);
    TColor c = sm.Model.Palette[pcBorder];
    if (c == KeyColor) c = ColorToRGB(clBtnShadow);
    HPEN pen = CreatePen(PS_SOLID, 1, static_cast<COLORREF>(c & 0xFFFFFF));
    HGDIOBJ old = SelectObject(ACanvas->Handle(), pen);
    MoveToEx(ACanvas->Handle(), ARect.Left + D.Left, ARect.Top, nullptr);
    LineTo(ACanvas->Handle(), ARect.Left + D.Right, ARect.Top);
    SelectObject(ACanvas->Handle(), old);
    DeleteObject(pen);
    return;
  }
  auto b = NewBmp32(ARect.Width(), ARect.Height());
  if (bg)
    CopyRect(b->Canvas()->Handle(), 0, 0, ARect.Width(), ARect.Height(), bg->Canvas()->Handle(), ARect.Left + 3,
             ARect.Top + 3);
  PaintMaskRect(*b, D, InitCacheInfo(b.get(), 0, 0), sm.Model.ma[static_cast<size_t>(divider)], 0, true);
  BitBlt(ACanvas->Handle(), ARect.Left, ARect.Top, ARect.Width(), ARect.Height(), b->Canvas()->Handle(), 0, 0,
         SRCCOPY);
}

void TsSkinableMenus::DrawCaptionItem(TMenuItem* Item, TCanvas* ACanvas, const TRect& ARect, const TacMenuInfo& mi) {
  it = smCaption;
  TsSkinManager& sm = *FOwner;
  const int extra = ExtraWidth(mi);
  auto b = NewBmp32(ARect.Width(), ARect.Height());
  TBitmap& B = *b;
  int section = sm.GetSkinIndex(u"MENUCAPTION");
  if (section < 0) section = sm.GetSkinIndex(u"TOOLBAR");
  if (TBitmap* bg = mi.Bmp.get()) {
    if (extra > 0)
      CopyRect(B.Canvas()->Handle(), 0, 0, extra + 1, B.Height(), bg->Canvas()->Handle(), ARect.Left + 3,
               ARect.Top + 3);
    BlitBorderStrips(B.Canvas()->Handle(), 0, 0, B.Width(), B.Height(), bg->Canvas()->Handle(), ARect.Left + 3,
                     ARect.Top + 3, 1);
    if (section >= 0)
      PaintSectionOnDC(section, InitCacheInfo(bg, 4, 4), true, 0, TRect(extra + 1, 1, B.Width() - 1, B.Height() - 1),
                       TPoint(extra + ARect.Left, ARect.Top), B.Canvas()->Handle(), &sm);
  } else if (section >= 0) {
    PaintSectionOnDC(section, EmptyCacheInfo, true, 0, TRect(extra + 1, 1, B.Width() - 1, B.Height() - 1),
                     TPoint(0, 0), B.Canvas()->Handle(), &sm);
  }
  B.Canvas()->Font()->Assign(*CaptionFont());
  // The first word between the dashes.
  String text = Item->Caption();
  while (!text.empty() && text.front() == u'-') text.erase(0, 1);
  const size_t dash = text.find(u'-');
  if (dash != String::npos) text.resize(dash);
  TRect r(extra, Margin + 2, B.Width(), B.Height() - Margin - 2);
  DrawItemText(*B.Canvas(), text, r, DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_HIDEPREFIX, section, false, DefaultManager);
  BitBlt(ACanvas->Handle(), ARect.Left, ARect.Top, B.Width(), B.Height(), B.Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TsSkinableMenus::sAdvancedDrawLineItem(TObject* Sender, TCanvas* ACanvas, TRect ARect, TOwnerDrawState State) {
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  if (!item || !ACanvas || !FOwner) return;
  TsSkinManager& sm = *FOwner;
  TMenu* menu = item->GetParentMenu();
  TsSkinProvider* provider = nullptr;
  try {
    if (menu && menu->WindowHandle())
      provider = reinterpret_cast<TsSkinProvider*>(SendSkinCmd(menu->WindowHandle(), SKC_GETPROVIDER));
  } catch (...) {
    provider = nullptr;
  }
  if (!provider) provider = MainFormProvider;
  if (!provider || !provider->CommonData() || !provider->CommonData()->FCacheBmp) return;
  TBitmap* line = provider->MenuLineBmp();
  const bool hot = item->Enabled() && (State.Contains(odSelected) || State.Contains(odHotLight));
  auto b = NewBmp32(ARect.Width(), ARect.Height());
  TBitmap& B = *b;
  // The item's place in the menu-line image: below the caption and inside the frame.
  TCustomForm* form = provider->Form();
  const HWND wnd = form && form->HandleAllocated() ? form->Handle() : nullptr;
  const LONG style = wnd ? GetWindowLongW(wnd, GWL_STYLE) : 0;
  const LONG exStyle = wnd ? GetWindowLongW(wnd, GWL_EXSTYLE) : 0;
  const bool captioned = (style & WS_CAPTION) == WS_CAPTION;
  const int sc = GetSystemMetrics(exStyle & WS_EX_TOOLWINDOW ? SM_CYSMCAPTION : SM_CYCAPTION);
  const int frame = style & WS_THICKFRAME ? GetSystemMetrics(SM_CXFRAME) : GetSystemMetrics(SM_CXDLGFRAME);
  const bool onCache = ACanvas == provider->CommonData()->FCacheBmp->Canvas();
  const int y = captioned ? ARect.Top - sc - (onCache ? frame : frame) : 0;
  const int x = ARect.Left - frame;
  const int section = sm.Model.ConstData.MenuItem.SkinIndex;
  if (line && section >= 0)
    PaintSectionFull(section, InitCacheInfo(line, 0, 0), true, hot ? 1 : 0, TRect(0, 0, B.Width(), B.Height()),
                     TPoint(x, y), &B, &sm);
  const bool rtl = RightToLeft(item, true);
  TRect G;
  if (item->HasBitmap()) {
    TBitmap* glyph = item->Bitmap();
    G.Top = (ARect.Height() - GetGlyphSize(item).cy) / 2;
    G.Left = rtl ? B.Width() - 3 - glyph->Width() : 3;
    G.Right = G.Left + glyph->Width() + 3;
    G.Bottom = G.Top + glyph->Height();
    if (!item->Enabled()) G = TRect(3, 1, 3 + G.Width(), 1 + G.Height());
    B.Canvas()->Draw(G.Left, G.Top, glyph);
  } else if (menu && menu->Images() && item->ImageIndex() >= 0) {
    TCustomImageList* images = menu->Images();
    G.Top = (ARect.Height() - images->Height()) / 2;
    G.Left = rtl ? B.Width() - 3 - images->Width() : 3;
    G.Right = G.Left + images->Width() + 3;
    G.Bottom = G.Top + images->Height();
    images->Draw(B.Canvas(), G.Left, G.Top, item->ImageIndex(), item->Enabled());
  }
  TCanvas& canvas = *B.Canvas();
  canvas.Font()->Assign(*Screen->MenuFont());
  if (TCustomForm* owner = GetOwnerForm(item)) canvas.Font()->SetCharset(owner->Font()->Charset());
  canvas.Font()->SetStyle(State.Contains(odDefault) ? TFontStyles{fsBold} : TFontStyles());
  TRect R(Margin, 0, ARect.Width() - Margin, ARect.Height());
  if (rtl)
    R.Right -= G.Width();
  else
    R.Left += G.Width();
  UINT flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP;
  if (rtl) flags |= DT_RTLREADING;
  if (State.Contains(odNoAccel)) flags |= DT_HIDEPREFIX;
  DrawItemText(canvas, item->Caption(), R, flags, sm.GetSkinIndex(u"MENULINE"), hot, &sm);
  if (OnDrawItem) OnDrawItem(item, &canvas, G, State, smTopLine);
  if (!item->Enabled() && line) BlendBmpRect(B, *line, 102, TPoint(0, 0), TRect(x, y, x + B.Width(), y + B.Height()));
  BitBlt(ACanvas->Handle(), ARect.Left, ARect.Top, B.Width(), B.Height(), B.Canvas()->Handle(), 0, 0, SRCCOPY);
}
