// The preview control on a real window: fitting factors, paging in single
// and multiple mode, refused zooms, text search, group marks and a store
// of the first file version, which knows no paper.
#include "platform/ui/Clipbrd.h"
#include "platform/ui/Menus.h"
#include "platform/ui/graphics/Bitmap.h"
#include "report/pages/RLUtils.h"
#include "report/print/PrintTestPages.h"
#include "report/ui/RLPreview.h"
#include "support/AppDriver.h"
#include "support/KeyInput.h"
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {
String Artifact(const char* name) {
  const char* dir = std::getenv("BRQ_ARTIFACTS");
  return AsciiToString(std::string(dir && *dir ? dir : "/tmp") + "/" + name);
}

// A form of 800 x 600 client pixels holding one preview that fills it.
struct PreviewHost {
  std::unique_ptr<TForm> form{new TForm(nullptr)};
  TRLPreview* preview;
  PreviewHost() {
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 800, 600);
    preview = new TRLPreview(form.get());
    preview->SetParent(form.get());
    preview->SetBounds(0, 0, 800, 600);
    form->Show();
    KeyInput::Pump(20);
  }
};

void SetA4(TRLGraphicStorage* store) {
  store->SetOrientation(1);
  store->SetPaperWidth(210);
  store->SetPaperHeight(297);
}

// Pages of texts, with the objects' groups given beside each text.
void AddTextPage(TRLGraphicStorage* store, const std::vector<std::string>& texts) {
  auto* page = new TRLGraphicSurface();
  page->SetWidth(794);
  page->SetHeight(1123);
  int y = 20;
  for (const std::string& text : texts) {
    page->TextOut(20, y, text);
    y += 30;
  }
  store->Add(page);
}
}  // namespace

TEST(UiPreviewControl, FittingFactorsFollowTheStoreOrItsFirstPage) {
  PreviewHost host;
  EXPECT_EQ(host.preview->GetZoomFactorFullPage(), 100);  // no store
  {
    TestStore store;
    SetA4(store.get());
    store.AddPages(2);
    host.preview->SetPages(store.get());
    EXPECT_EQ(host.preview->GetZoomFactorFullWidth(), 100);
    EXPECT_EQ(host.preview->GetZoomFactorFullPage(), 53);
    host.preview->ZoomMultiplePages();
    EXPECT_EQ(host.preview->GetZoomFactorMultiplePages(), 33);
    EXPECT_EQ(host.preview->ZoomFactor(), 33);
    KeyInput::Pump(100);
    EXPECT_TRUE(AppDriver::SaveScreenshot(host.form->Handle(), Artifact("preview-multiple-pages.png")));
    host.preview->ZoomFullPage();
    EXPECT_FALSE(host.preview->MultipleMode());
    EXPECT_EQ(host.preview->ZoomFactor(), 53);
    // The page, 53% of 794 x 1123 plus the frame and shadow, centred.
    TRLPreviewBox* box = host.preview->Boxes(0);
    EXPECT_EQ(box->Width(), 421 + 7);
    EXPECT_EQ(box->Height(), 595 + 7);
    EXPECT_EQ(box->Left(), (800 - 428) / 2);
    KeyInput::Pump(100);
    EXPECT_TRUE(AppDriver::SaveScreenshot(host.form->Handle(), Artifact("preview-full-page.png")));
    host.preview->SetPages(nullptr);
  }
  {
    // A first-version store: pages, no paper on the store.
    TestStore store;
    store.AddPages({TestPaper{0, 0, 1}});
    ASSERT_EQ(store->OrientedWidth(), 0);
    host.preview->SetPages(store.get());
    EXPECT_EQ(host.preview->GetZoomFactorFullWidth(), 100);
    EXPECT_EQ(host.preview->GetZoomFactorFullPage(), 53);
    host.preview->ZoomFullPage();
    EXPECT_GT(host.preview->Boxes(0)->Height(), 7);
    host.preview->SetPages(nullptr);
  }
  {
    TestStore empty;
    host.preview->SetPages(empty.get());
    EXPECT_EQ(host.preview->GetZoomFactorFullPage(), 100);
    EXPECT_EQ(host.preview->PageNumber(), 0);
    host.preview->SetPages(nullptr);
  }
}

TEST(UiPreviewControl, PagesInSingleAndMultipleModeAndRefusesZooms) {
  PreviewHost host;
  TestStore store;
  SetA4(store.get());
  store.AddPages(5);
  TRLPreview* preview = host.preview;
  preview->SetPages(store.get());
  EXPECT_EQ(preview->PageNumber(), 1);

  struct Step {
    const char* what;
    void (TRLPreview::*action)();
    int expected;
  };
  preview->SetMultipleMode(false);
  const Step single[] = {{"next", &TRLPreview::NextPage, 1},   {"last", &TRLPreview::LastPage, 4},
                         {"next at end", &TRLPreview::NextPage, 4}, {"prior", &TRLPreview::PriorPage, 3},
                         {"first", &TRLPreview::FirstPage, 0},  {"prior at start", &TRLPreview::PriorPage, 0}};
  for (const Step& step : single) {
    (preview->*step.action)();
    EXPECT_EQ(preview->PageIndex(), step.expected) << "single " << step.what;
  }
  preview->ZoomMultiplePages();
  preview->SetPageIndex(3);
  const Step multiple[] = {{"next to the last page", &TRLPreview::NextPage, 4},
                           {"last shows the last three", &TRLPreview::LastPage, 2},
                           {"prior", &TRLPreview::PriorPage, 0}};
  for (const Step& step : multiple) {
    (preview->*step.action)();
    EXPECT_EQ(preview->PageIndex(), step.expected) << "multiple " << step.what;
  }
  // Past the last page a box shows no page.
  preview->SetPageIndex(4);
  EXPECT_NE(preview->Boxes(0)->Page(), nullptr);
  EXPECT_EQ(preview->Boxes(1)->Page(), nullptr);
  EXPECT_TRUE(preview->Boxes(2)->Visible());

  // Switching the mode alone leaves the first box where it was.
  const int left = preview->Boxes(0)->Left();
  preview->SetMultipleMode(false);
  EXPECT_FALSE(preview->Boxes(1)->Visible());
  EXPECT_EQ(preview->Boxes(0)->Left(), left);

  // Scrolling, and setting the same page keeps the scroll position.
  preview->SetZoomFactor(200);
  preview->ScrollDown();
  preview->ScrollRight();
  EXPECT_EQ(preview->ScrollPos().Y, 10);
  EXPECT_EQ(preview->ScrollPos().X, 10);
  preview->SetPageIndex(preview->PageIndex());
  EXPECT_EQ(preview->ScrollPos().Y, 10);
  preview->PageBottom();
  EXPECT_EQ(preview->ScrollPos().Y, preview->ScrollRange().Y);
  EXPECT_GT(preview->ScrollRange().Y, 0);
  EXPECT_EQ(preview->Boxes(0)->Top() + preview->Boxes(0)->Height(), preview->ClientHeight());
  preview->PageTop();
  preview->PriorPage();
  EXPECT_EQ(preview->ScrollPos().X, 0);
  EXPECT_EQ(preview->ScrollPos().Y, 0);

  struct Zoom {
    double start, asked, expected;
  };
  const Zoom zooms[] = {{15, 5, 15}, {100, 9.5, 100}, {100, 99999, 100}, {100, 1000, 1000}, {100, 10, 10}};
  for (const Zoom& zoom : zooms) {
    preview->SetZoomFactor(zoom.start);
    preview->SetZoomFactor(zoom.asked);
    EXPECT_EQ(preview->ZoomFactor(), zoom.expected) << zoom.asked;
  }
  preview->SetZoomFactor(15);
  preview->ZoomOut(-1);
  EXPECT_EQ(preview->ZoomFactor(), 15);
  preview->ZoomIn(-1);
  EXPECT_EQ(preview->ZoomFactor(), 25);
  preview->SetPages(nullptr);
}

// The box draws only what the window shows, at whatever scroll position
// and for any part the window asks again: what shows is the page itself.
TEST(UiPreviewControl, ShowsThePageWhereverItIsScrolled) {
  PreviewHost host;
  TestStore store;
  SetA4(store.get());
  for (int number = 0; number < 2; ++number) {
    auto* page = new TRLGraphicSurface();
    page->SetWidth(794);
    page->SetHeight(1123);
    for (int y = 10; y < 1110; y += 25) page->TextOut(5 + y % 200, y, "linha " + std::to_string(number * 100 + y));
    store->Add(page);
  }
  TRLPreview* preview = host.preview;
  preview->SetPages(store.get());
  preview->SetZoomFactor(100);
  TRLPreviewBox* box = preview->Boxes(0);

  struct Place {
    const char* what;
    void (*go)(TRLPreview*);
  };
  const Place places[] = {
      {"top", [](TRLPreview*) {}},
      {"bottom right", [](TRLPreview* p) { p->PageBottom(), p->PageRight(); }},
      {"a few steps up, each repainting a strip", [](TRLPreview* p) {
         for (int i = 0; i < 7; ++i) p->ScrollUp(), p->Boxes(0)->Update();
       }},
      {"next page, scrolled", [](TRLPreview* p) { p->HalfPageDown(), p->NextPage(), p->HalfPageDown(); }},
  };
  for (const Place& place : places) {
    place.go(preview);
    box->Update();
    KeyInput::Pump(50);
    // The page's interior as painted off screen, inside the frame.
    TBitmap expected;
    expected.SetPixelFormat(pf32bit);
    expected.SetSize(box->Width(), box->Height());
    expected.Canvas()->Brush()->SetColor(clWhite);
    expected.Canvas()->FillRect(TRect(0, 0, box->Width(), box->Height()));
    box->Page()->PaintTo(expected.Canvas(), TRect(1, 1, 793, 1122));
    // What the window shows of the box.
    const int left = -box->Left(), top = -box->Top();
    const int width = std::min(preview->ClientWidth(), box->Width() - left);
    const int height = std::min(preview->ClientHeight(), box->Height() - top);
    TBitmap shown;
    shown.SetPixelFormat(pf32bit);
    shown.SetSize(width, height);
    HDC dc = GetDC(box->Handle());
    BitBlt(shown.Canvas()->Handle(), 0, 0, width, height, dc, left, top, SRCCOPY);
    ReleaseDC(box->Handle(), dc);
    int differences = 0, inked = 0;
    for (int y = 0; y < height; y += 2)
      for (int x = 0; x < width; x += 2) {
        const int px = left + x, py = top + y;
        if (px < 1 || px >= 793 || py < 1 || py >= 1122) continue;
        const TColor pixel = shown.Canvas()->Pixels(x, y);
        if (pixel != expected.Canvas()->Pixels(px, py)) ++differences;
        if (pixel != clWhite) ++inked;
      }
    EXPECT_EQ(differences, 0) << place.what;
    EXPECT_GT(inked, 100) << place.what;
    // The frame's right edge and the shadow beside it, once scrolled there.
    if (left + width >= box->Width()) {
      EXPECT_EQ(shown.Canvas()->Pixels(793 - left, 600 - top), clBlack) << place.what;
      EXPECT_EQ(shown.Canvas()->Pixels(796 - left, 600 - top), static_cast<TColor>(0x808080)) << place.what;
    }
  }
  EXPECT_TRUE(AppDriver::SaveScreenshot(host.form->Handle(), Artifact("preview-scrolled-at-100.png")));
  preview->SetPages(nullptr);
}

TEST(UiPreviewControl, FindsTextsByCaseWholeWordsAndBackward) {
  PreviewHost host;
  TestStore store;
  SetA4(store.get());
  AddTextPage(store.get(), {"Total a pagar", "subtotal"});
  AddTextPage(store.get(), {"nada aqui"});
  AddTextPage(store.get(), {"TOTAL GERAL", "total"});
  TRLPreview* preview = host.preview;
  preview->SetPages(store.get());

  struct Search {
    const char* text;
    bool whole, matchCase, backward;
    bool found;
    int page, object;
  };
  const Search searches[] = {
      {"total", false, false, false, true, 0, 0},  // capitals, no match case
      {"total", false, false, false, true, 0, 1},  // continues after the first hit
      {"total", false, false, false, true, 2, 0},  // next page with a hit
      {"total", false, false, false, true, 2, 1},
      {"total", false, false, false, false, 2, 1},  // after the last hit
  };
  for (const Search& s : searches) {
    EXPECT_EQ(preview->FindText(AsciiToString(s.text), s.whole, s.matchCase, s.backward), s.found) << s.text;
    if (s.found) {
      EXPECT_EQ(preview->LastFind().PageIndex, s.page);
      EXPECT_EQ(preview->LastFind().ObjectIndex, s.object);
      EXPECT_EQ(preview->PageIndex(), s.page);
    }
  }

  const Search fresh[] = {
      {"total", false, true, false, true, 0, 1},   // match case skips "Total"
      {"total", true, false, false, true, 0, 0},   // whole word "Total"
      {"otal", true, false, false, false, 0, 0},   // inside words only
      {"GERAL", true, true, false, true, 2, 0},
  };
  for (const Search& s : fresh) {
    // From a fresh store position: first page, no last find.
    preview->SetPages(nullptr);
    preview->SetPages(store.get());
    EXPECT_EQ(preview->FindText(AsciiToString(s.text), s.whole, s.matchCase, s.backward), s.found) << s.text;
    if (s.found) {
      EXPECT_EQ(preview->LastFind().PageIndex, s.page) << s.text;
      EXPECT_EQ(preview->LastFind().ObjectIndex, s.object) << s.text;
    }
  }

  preview->SetPages(nullptr);
  preview->SetPages(store.get());
  preview->LastPage();
  ASSERT_TRUE(preview->FindText(u"total", true, true, true));
  EXPECT_EQ(preview->LastFind().PageIndex, 2);
  EXPECT_EQ(preview->LastFind().ObjectIndex, 1);
  ASSERT_TRUE(preview->FindText(u"total", false, false, true));
  EXPECT_EQ(preview->LastFind().ObjectIndex, 0);
  ASSERT_TRUE(preview->FindText(u"total", false, false, true));
  EXPECT_EQ(preview->LastFind().PageIndex, 0);
  EXPECT_EQ(preview->LastFind().ObjectIndex, 1);
  preview->SetPages(nullptr);
}

TEST(UiPreviewControl, EditingMarksTheGroupOfThePickedObject) {
  PreviewHost host;
  TestStore store;
  SetA4(store.get());
  auto* page = new TRLGraphicSurface();
  page->SetWidth(794);
  page->SetHeight(1123);
  page->Rectangle(100, 100, 400, 400);  // big, group 7
  page->Rectangle(150, 150, 200, 200);  // small, inside the big one, group 7
  page->Rectangle(500, 100, 600, 200);  // alone in group 9
  page->Rectangle(500, 300, 600, 400);  // group 0
  const int32_t groups[] = {7, 7, 9, 0};
  for (int i = 0; i < 4; ++i) page->Objects(i)->SetGroupId(groups[i]);
  store->Add(page);
  TRLPreview* preview = host.preview;
  preview->SetPages(store.get());
  preview->SetZoomFactor(100);
  TRLPreviewBox* box = preview->Boxes(0);
  TRLGraphicSurface* shown = box->Page();
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(box->ObjectAt(175, 175), shown->Objects(1));  // the smallest that holds the point
  EXPECT_EQ(box->ObjectAt(120, 120), shown->Objects(0));
  EXPECT_EQ(box->ObjectAt(400, 400), shown->Objects(0));  // edges included
  EXPECT_EQ(box->ObjectAt(450, 450), nullptr);

  preview->ScrollTo(0, 0);
  preview->SetEditing(true);
  struct Mark {
    int x, y;
    TColor colour;  // where the big rectangle's top-left mark goes
  };
  const Mark marks[] = {{175, 175, static_cast<TColor>(0xC0C0C0)}, {550, 150, clWhite}, {550, 350, clWhite}};
  for (const Mark& mark : marks) {
    PostMessageW(box->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(mark.x, mark.y));
    PostMessageW(box->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(mark.x, mark.y));
    KeyInput::Pump(50);
    ASSERT_NE(box->Selected(), nullptr);
    HDC dc = GetDC(box->Handle());
    // Inside the big rectangle's top-left mark, outside the rectangle.
    const COLORREF pixel = GetPixel(dc, 98, 98);
    ReleaseDC(box->Handle(), dc);
    EXPECT_EQ(pixel, static_cast<COLORREF>(mark.colour)) << mark.x << "," << mark.y;
  }
  preview->SetEditing(false);
  EXPECT_EQ(box->Selected(), nullptr);
  preview->SetPages(nullptr);
}

TEST(UiPreviewControl, CopyAsBitmapLeavesTheMeasuringBitmapAlone) {
  PreviewHost host;
  TestStore store;
  SetA4(store.get());
  store.AddPages(2);
  TRLPreview* preview = host.preview;
  preview->SetPages(store.get());
  preview->ZoomMultiplePages();
  const int measureWidth = MeasureBitmap()->Width(), measureHeight = MeasureBitmap()->Height();
  TMenuItem* copy = preview->Popup()->Items()->Items(0);
  EXPECT_EQ(copy->Caption(), u"Copiar como Bitmap");

  // Over the box past the last page nothing is copied.
  Clipboard()->SetAsText(u"antes");
  preview->Popup()->SetPopupComponent(preview->Boxes(2));
  copy->OnClick(copy);
  EXPECT_EQ(Clipboard()->AsText(), u"antes");

  preview->Popup()->SetPopupComponent(preview->Boxes(1));
  copy->OnClick(copy);
  ASSERT_TRUE(Clipboard()->HasFormat(CF_BITMAP));
  OpenClipboard(nullptr);
  BITMAP info{};
  GetObjectW(GetClipboardData(CF_BITMAP), sizeof(info), &info);
  CloseClipboard();
  EXPECT_EQ(info.bmWidth, store->GetPages(1)->Width());
  EXPECT_EQ(info.bmHeight, store->GetPages(1)->Height());
  EXPECT_EQ(MeasureBitmap()->Width(), measureWidth);
  EXPECT_EQ(MeasureBitmap()->Height(), measureHeight);
  preview->SetPages(nullptr);
}
