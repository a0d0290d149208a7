// A popup menu's background, painted once from the skin and cached, and
// the region and frame of its window.
#include "skin/engine/SkinCommands.h"
#include "skin/engine/SkinHooks.h"
#include "skin/engine/SectionPaint.h"
#include "skin/engine/SkinManager.h"
#include "skin/engine/SkinnedMenus.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/DCDrawing.h"
#include "skin/graphics/LibUtils.h"
#include "skin/graphics/MaskPaint.h"
#include "skin/graphics/Regions.h"
#include "platform/ui/Forms.h"

namespace {
// Right-to-left drawing needs a Middle-Eastern system locale.
bool MiddleEasternLocale() {
  switch (PRIMARYLANGID(GetSystemDefaultLangID())) {
    case LANG_ARABIC:
    case LANG_HEBREW:
    case LANG_FARSI:
    case LANG_URDU: return true;
    default: return false;
  }
}

// The caption of the extra line runs upward from its bottom.
HFONT MakeExtraLineFont(const TFont& Font) {
  LOGFONTW lf{};
  lf.lfHeight = Font.Height();
  lf.lfEscapement = -2700;
  lf.lfOrientation = -2700;
  lf.lfWeight = Font.Style().Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = Font.Style().Contains(fsItalic);
  lf.lfUnderline = Font.Style().Contains(fsUnderline);
  lf.lfStrikeOut = Font.Style().Contains(fsStrikeOut);
  lf.lfCharSet = Font.Charset();
  lf.lfQuality = ANTIALIASED_QUALITY;
  const String name = Font.Name();
  for (size_t i = 0; i < name.size() && i < LF_FACESIZE - 1; ++i) lf.lfFaceName[i] = static_cast<WCHAR>(name[i]);
  return CreateFontIndirectW(&lf);
}

void PaintExtraLine(TsSkinManager& Manager, TBitmap& MenuBmp, int SkinBorderWidth, int Height) {
  const int section = Manager.GetSkinIndex(ExtraLineSection);
  if (section >= 0) {
    const int width = Manager.MenuSupport->ExtraLineWidth;
    auto band = NewBmp32(width, std::max(Height - 2 * SkinBorderWidth, 0));
    PaintSectionFull(section, InitCacheInfo(&MenuBmp, SkinBorderWidth, SkinBorderWidth), true, 0,
                     TRect(0, 0, band->Width(), band->Height()), TPoint(SkinBorderWidth, SkinBorderWidth), band.get(),
                     &Manager);
    int d = 12;
    if (ExtraLineGlyph && !ExtraLineGlyph->Empty()) {
      d += ExtraLineGlyph->Height() + 8;
      band->Canvas()->Draw((band->Width() - ExtraLineGlyph->Width()) / 2,
                           band->Height() - ExtraLineGlyph->Height() - 12, ExtraLineGlyph.get());
    }
    if (!ExtraLineCaption.empty()) {
      TCanvas& canvas = *band->Canvas();
      canvas.Font()->Assign(*Manager.MenuSupport->ExtraLineFont());
      canvas.Font()->SetHandle(MakeExtraLineFont(*Manager.MenuSupport->ExtraLineFont()));
      canvas.Font()->SetColor(Manager.Model.gd[static_cast<size_t>(section)].Props[0].FontColor.Color);
      canvas.Brush()->SetStyle(bsClear);
      const int textHeight = canvas.TextHeight(ExtraLineCaption);
      canvas.TextRect(TRect(0, 0, band->Width(), band->Height()), (band->Width() - textHeight) / 2,
                      band->Height() - d, ExtraLineCaption);
    }
    BitBlt(MenuBmp.Canvas()->Handle(), SkinBorderWidth, SkinBorderWidth, band->Width(), band->Height(),
           band->Canvas()->Handle(), 0, 0, SRCCOPY);
  }
  ExtraLineGlyph.reset();
}
}  // namespace

TBitmap* TsSkinableMenus::PrepareMenuBG(TMenuItem* Item, int Width, int Height, HWND Wnd) {
  TsSkinManager& sm = *FOwner;
  const bool visible = !(sm.ComponentState() & csDesigning) && QueryExtraLine(Item);
  std::shared_ptr<TBitmap> bmp = NewBmp32(std::max(Width, 0), std::max(Height, 0));
  MenuGlyphWidth = GetGlyphSize(Item).cx;
  MenuIcoLineWidth = Margin + MenuGlyphWidth + Spacing;
  const int section = sm.GetSkinIndex(u"MAINMENU");
  if (section >= 0) {
    const TRect whole(0, 0, Width, Height);
    PaintSectionBg(section, EmptyCacheInfo, 0, whole, TPoint(0, 0), bmp.get(), &sm);
    const int sbw = SkinBorderWidth();
    const int extra = sm.MenuSupport->UseExtraLine && visible ? sm.MenuSupport->ExtraLineWidth : 0;
    TMenu* menu = Item->GetParentMenu();
    const HWND owner = menu ? menu->WindowHandle() : nullptr;
    const bool rightAligned = owner && (GetWindowLongW(owner, GWL_EXSTYLE) & WS_EX_RIGHT);
    const int icoLine = sm.GetSkinIndex(sm.MenuSupport->IcoLineSkin);
    if (!rightAligned && icoLine >= 0) {
      auto ico = NewBmp32(MenuIcoLineWidth, std::max(Height - 2 * sbw, 0));
      PaintSectionFull(icoLine, InitCacheInfo(bmp.get(), extra + sbw, sbw), true, 0,
                       TRect(0, 0, ico->Width(), ico->Height()), TPoint(extra + sbw, sbw), ico.get(), &sm);
      BitBlt(bmp->Canvas()->Handle(), extra + sbw, sbw, ico->Width(), ico->Height(), ico->Canvas()->Handle(), 0, 0,
             SRCCOPY);
    }
    const int border = sm.GetMaskIndex(section, u"MAINMENU", u"BORDERSMASK");
    if (border >= 0) PaintMaskRect(*bmp, whole, EmptyCacheInfo, sm.Model.ma[static_cast<size_t>(border)], 0, false);
    if (sm.MenuSupport->UseExtraLine && visible) PaintExtraLine(sm, *bmp, sbw, Height);
    if (MiddleEasternLocale() && menu && menu->BiDiMode() != bdLeftToRight)
      StretchBlt(bmp->Canvas()->Handle(), Width - 1, 0, -Width, Height, bmp->Canvas()->Handle(), 0, 0, Width, Height,
                 SRCCOPY);
    ArOR.clear();
    if (border >= 0) {
      const TsMaskData& md = sm.Model.ma[static_cast<size_t>(border)];
      CollectKeyRects(ArOR, Width, md, 0, false);
      CollectKeyRects(ArOR, Width, md, Height - md.WB, true);
    }
    if (Wnd) DrawWndBorder(Wnd, bmp.get());
  }
  ExtraLineGlyph.reset();
  MenuInfos.push_back(TacMenuInfo{Item, bmp, Wnd, visible, false});
  MenuBorderPostPending = false;
  return nullptr;
}

void TsSkinableMenus::DrawWndBorder(HWND Wnd, TBitmap* MenuBmp) {
  if (BorderDrawing || !MenuBmp || !Wnd) return;
  if (SendSkinCmd(Wnd, SKC_SETUPDATING) != 0) return;
  SendSkinCmd(Wnd, SKC_MENURGNCHANGED);
  struct TDrawing {
    bool& Flag;
    explicit TDrawing(bool& F) : Flag(F) { Flag = true; }
    ~TDrawing() { Flag = false; }
  } drawing(BorderDrawing);
  const int w = MenuBmp->Width(), h = MenuBmp->Height();
  HRGN region = CreateRectRgn(0, 0, w, h);
  const auto cut = [region](const TRect& r) {
    HRGN part = CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
    CombineRgn(region, region, part, RGN_DIFF);
    DeleteObject(part);
  };
  if (ArOR.empty()) cut(TRect(0, 0, 1, 1));
  for (const TRect& r : ArOR) cut(r);
  if (!SetWindowRgn(Wnd, region, TRUE)) DeleteObject(region);
  HDC dc = GetWindowDC(Wnd);
  if (!dc) return;
  BlitBorderStrips(dc, 0, 0, w, h, MenuBmp->Canvas()->Handle(), 0, 0, 3);
  ReleaseDC(Wnd, dc);
}
