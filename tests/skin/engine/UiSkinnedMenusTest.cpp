#include "skin/support/TestSkinFixture.h"
#include "support/Artifacts.h"
#include "skin/engine/SkinHooks.h"
#include "skin/engine/SkinManager.h"
#include "skin/engine/SkinnedMenus.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/Pixels32.h"
#include "support/AppDriver.h"
#include "platform/ui/Forms.h"
#include <gtest/gtest.h>
#include <cstdlib>

namespace {
TMenuItem* AddItem(TMenu& Menu, const String& Caption) {
  auto* item = new TMenuItem(nullptr);  // freed by its parent
  item->SetCaption(Caption);
  Menu.Items()->Add(item);
  return item;
}

// A popup menu with a fresh cache; the manager has TestSkin.
struct TMenuFixture {
  std::unique_ptr<TsSkinManager> Sm = NewTestSkinManager();
  std::unique_ptr<TPopupMenu> Menu = std::make_unique<TPopupMenu>(nullptr);
  std::unique_ptr<TBitmap> Canvas = NewBmp32(300, 200);
  TsSkinableMenus& Menus() { return *Sm->SkinableMenus; }
  TMenuFixture() {
    LoadSkinCountingBoxes(*Sm, u"TestSkin");
    ClearMenuInfos();
  }
  ~TMenuFixture() { ClearMenuInfos(); }
  void Measure(TMenuItem* Item, int& W, int& H) { Menus().sMeasureItem(Item, Canvas->Canvas(), W, H); }
  // The item drawn alone into a memory canvas of its own.
  std::unique_ptr<TBitmap> Draw(TMenuItem* Item, TOwnerDrawState State = TOwnerDrawState()) {
    auto bmp = NewBmp32(200, 24);
    Menus().sAdvancedDrawItem(Item, bmp->Canvas(), TRect(0, 0, 200, 24), State);
    return bmp;
  }
};

uint32_t Px(TBitmap& B, int X, int Y) { return TPixelRows(&B).At(X, Y) & 0xFFFFFF; }

String Shot;
bool Taken = false;
HWND Popup = nullptr;

// Inside the menu's own loop: find its window, take the picture, close it.
void CALLBACK CaptureAndClose(HWND, UINT, UINT_PTR Id, DWORD) {
  KillTimer(nullptr, Id);
  Popup = FindWindowW(reinterpret_cast<LPCWSTR>(u"#32768"), nullptr);
  if (Popup && !Shot.empty()) Taken = AppDriver::SaveScreenshot(Popup, Shot);
  EndMenu();
}

int PendingBorderPosts() {
  int n = 0;
  MSG msg;
  while (PeekMessageW(&msg, Application->Handle(), SM_DRAWMENUBORDER, SM_DRAWMENUWNDBORDER, PM_REMOVE)) ++n;
  return n;
}
}  // namespace

TEST(UiSkinnedMenus, Measures) {
  TMenuFixture f;
  TMenuItem* normal = AddItem(*f.Menu, u"Abrir");
  TMenuItem* divider = AddItem(*f.Menu, u"-");
  TMenuItem* caption = AddItem(*f.Menu, u"-Grupo-");
  int w = 0, h = 0;
  f.Measure(divider, w, h);
  EXPECT_EQ(h, 2);
  EXPECT_EQ(f.Menus().it, smDivider);
  EXPECT_EQ(w, 2 * 16 + 3 * 2 + 8);

  TCanvas& c = *f.Canvas->Canvas();
  f.Measure(caption, w, h);
  EXPECT_EQ(f.Menus().it, smCaption);
  const int textHeight = c.TextHeight(u"Grupo");
  EXPECT_EQ(h, textHeight + 2 * 2 + 3);
  EXPECT_EQ(w, 2 * 16 + c.TextWidth(u"--Grupo--") + 3 * 2 + 8);

  f.Measure(normal, w, h);
  EXPECT_EQ(f.Menus().it, smNormal);
  EXPECT_EQ(h, std::max(textHeight, 16) + 2 * 2 + 2);
  const int plain = w;
  // The extra line widens every item of the first column.
  f.Sm->MenuSupport->UseExtraLine = true;
  f.Measure(normal, w, h);
  EXPECT_EQ(w, plain + 32);
  EXPECT_FALSE(ExtraLineQuerying);

  // A handler that raises leaves the querying flag cleared.
  f.Sm->OnGetPopupLineData = [](TMenuItem*, String&, String&, std::unique_ptr<TBitmap>&, bool&) {
    throw Exception(u"no line");
  };
  EXPECT_THROW(f.Measure(normal, w, h), Exception);
  EXPECT_FALSE(ExtraLineQuerying);
  f.Sm->OnGetPopupLineData = nullptr;

  // Images of the parent item give the width, never the height.
  TImageList images(nullptr);
  images.SetWidth(24);
  images.SetHeight(24);
  f.Menu->Items()->SetSubMenuImages(&images);
  EXPECT_EQ(GetGlyphSize(normal).cx, 24);
  EXPECT_EQ(GetGlyphSize(normal).cy, 0);
  f.Menu->Items()->SetSubMenuImages(nullptr);
}

TEST(UiSkinnedMenus, HookingKeepsTheApplicationsHandlers) {
  TMenuFixture f;
  TMenuItem* own = AddItem(*f.Menu, u"Own");
  TMenuItem* plain = AddItem(*f.Menu, u"Plain");
  int ownCalls = 0;
  own->OnMeasureItem = [&](TObject*, TCanvas*, int&, int&) { ++ownCalls; };
  f.Menus().HookPopupMenu(f.Menu.get(), true);
  EXPECT_TRUE(f.Menu->OwnerDraw());
  EXPECT_TRUE(f.Menu->MenuAnimation.Contains(maNone));
  ASSERT_TRUE(plain->OnMeasureItem && plain->OnAdvancedDrawItem);
  int w = 0, h = 0;
  own->OnMeasureItem(own, f.Canvas->Canvas(), w, h);
  EXPECT_EQ(ownCalls, 1);
  EXPECT_TRUE(own->OnAdvancedDrawItem);
  f.Menus().HookPopupMenu(f.Menu.get(), false);
  EXPECT_FALSE(plain->OnMeasureItem);
  EXPECT_FALSE(own->OnAdvancedDrawItem);
  ASSERT_TRUE(own->OnMeasureItem);
  own->OnMeasureItem(own, f.Canvas->Canvas(), w, h);
  EXPECT_EQ(ownCalls, 2);
}

TEST(UiSkinnedMenus, ItemsOverTheCachedBackground) {
  TMenuFixture f;
  TMenuItem* first = AddItem(*f.Menu, u"Primeiro");
  TMenuItem* second = AddItem(*f.Menu, u"Segundo");
  PendingBorderPosts();
  auto plain = f.Draw(first);
  ASSERT_EQ(MenuInfos.size(), 1u);
  TBitmap& bg = *MenuInfos[0].Bmp;
  // The window is not known: one border request waits, however many items draw.
  f.Draw(second);
  EXPECT_EQ(PendingBorderPosts(), 1);

  // The check glyph lies in the glyph column only.
  auto checked = f.Draw(first, TOwnerDrawState{odChecked});
  int insideDiffs = 0, outsideDiffs = 0;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 200; ++x)
      if (Px(*checked, x, y) != Px(*plain, x, y)) (x < MenuIcoLineWidth ? insideDiffs : outsideDiffs)++;
  EXPECT_GT(insideDiffs, 0);
  EXPECT_EQ(outsideDiffs, 0);

  // A disabled item keeps 40 % of its look over 60 % of the background.
  first->SetEnabled(false);
  auto disabled = f.Draw(first);
  first->SetEnabled(true);
  int checkedPixels = 0;
  for (int y = 2; y < 22; y += 3)
    for (int x = 2; x < 190; x += 7) {
      const uint32_t e = Px(*plain, x, y), b = Px(bg, x + 3, y + 3), d = Px(*disabled, x, y);
      // Only where the background covers the item.
      if (x + 3 >= bg.Width() || y + 3 >= bg.Height() || e == KeyColor || b == KeyColor) continue;
      for (int shift = 0; shift < 24; shift += 8) {
        const int expected = static_cast<int>(0.4 * (e >> shift & 0xFF) + 0.6 * (b >> shift & 0xFF) + 0.5);
        EXPECT_NEAR(static_cast<int>(d >> shift & 0xFF), expected, 2) << x << "," << y;
      }
      ++checkedPixels;
    }
  EXPECT_GT(checkedPixels, 10);

  // The skinned system menu draws the close glyph in the glyph column.
  f.Menu->SetName(u"acSysMenu1");
  first->Tag = 0xF060;
  auto close = f.Draw(first);
  int glyphDiffs = 0;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 40; ++x) glyphDiffs += Px(*close, x, y) != Px(*plain, x, y);
  EXPECT_GT(glyphDiffs, 0);
  PendingBorderPosts();
}

TEST(UiSkinnedMenus, RealPopupMenuOnTheDisplay) {
  TMenuFixture f;
  AddItem(*f.Menu, u"Abrir movimento")->SetShortCut(ShortCut('A', TShiftState{ssCtrl}));
  AddItem(*f.Menu, u"-");
  AddItem(*f.Menu, u"Fechar")->SetChecked(true);
  AddItem(*f.Menu, u"Indisponível")->SetEnabled(false);
  f.Menus().HookPopupMenu(f.Menu.get(), true);
  Shot = ArtifactPath("skinned_popup_menu.png");
  Taken = false;
  Popup = nullptr;
  const UINT_PTR timer = SetTimer(nullptr, 0, 400, CaptureAndClose);
  ASSERT_NE(timer, 0u);
  f.Menu->Popup(60, 60);
  EXPECT_NE(Popup, nullptr);
  if (!Shot.empty()) {
    EXPECT_TRUE(Taken);
  }
  ASSERT_FALSE(MenuInfos.empty());
  EXPECT_TRUE(MenuInfos[0].Bmp);
  f.Menus().HookPopupMenu(f.Menu.get(), false);
}
