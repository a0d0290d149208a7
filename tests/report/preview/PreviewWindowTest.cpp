// The preview window on the display: keys posted as the keyboard sends
// them, the page field and the zoom list typed into, the wheel, the zoom
// and repeating page buttons, the split view, and the window state kept
// for the next window. Screenshots of what the user sees are kept.
#include "platform/rtl/NumUtils.h"
#include "platform/ui/Clipbrd.h"
#include "platform/ui/Menus.h"
#include "report/pages/RLLocaleStrings.h"
#include "report/print/PrintTestPages.h"
#include "report/ui/RLPreviewForm.h"
#include "support/AppDriver.h"
#include "support/KeyInput.h"
#include <cstdlib>
#include <gtest/gtest.h>

namespace {
String Artifact(const char* name) {
  const char* dir = std::getenv("BRQ_ARTIFACTS");
  return AsciiToString(std::string(dir && *dir ? dir : "/tmp") + "/" + name);
}

TRLPreviewForm* Open(TRLGraphicStorage* store, TWindowState state = wsMaximized) {
  TRLPreviewForm* form = ShowPreview(store, false, fsNormal, String(), 0, String(),
                                     TBorderIcons{biSystemMenu, biMinimize, biMaximize}, state, poScreenCenter);
  KeyInput::Pump(150);
  return form;
}

// Types into the focused edit of a combo box or an edit, from empty.
void TypeInto(TWinControl* control, const String& text) {
  control->SetFocus();
  control->SetText(String());
  KeyInput::Pump();
  KeyInput::TypeText(text);
  KeyInput::Pump(20);
}

void Close(TRLPreviewForm* form) {
  form->Close();
  KeyInput::Pump(50);
}
}  // namespace

TEST(UiPreviewWindow, KeysPageFieldZoomListAndWheelDriveTheCurrentPreview) {
  PreviewDefaults() = TRLPreviewDefaults();
  // The program runs in Portuguese, where the accelerators are I, F, S, E.
  const TRLLocaleStrings texts = CurrentReportTexts;
  CurrentReportTexts = ReportTextsPortuguese;
  TestStore store;
  store.AddPages(50);
  TRLPreviewForm* form = Open(store.get());
  TRLPreview* preview = form->Preview();
  EXPECT_EQ(form->WindowState(), wsMaximized);
  EXPECT_EQ(form->Caption(), u"Pré-visualização");
  EXPECT_EQ(form->PanelPageCount->Caption(), u"50");
  EXPECT_EQ(form->EditPageNo->Text(), u"1");
  EXPECT_EQ(form->SpeedButtonPrint->Caption(), u"&Imprimir");
  EXPECT_EQ(form->SpeedButtonClose->Caption(), u"&Fechar");
  EXPECT_EQ(form->SpeedButtonSave->Caption(), u"&Salvar");
  EXPECT_EQ(form->SpeedButtonSend->Caption(), u"&Enviar");
  EXPECT_FALSE(form->SpeedButtonSend->Enabled());
  CurrentReportTexts = texts;

  form->EditPageNo->SetFocus();
  KeyInput::PressKey(VK_END, TShiftState{ssCtrl});
  EXPECT_EQ(preview->PageIndex(), 49);
  EXPECT_EQ(form->EditPageNo->Text(), u"50");
  KeyInput::PressKey(VK_HOME, TShiftState{ssCtrl});
  KeyInput::PressKey(VK_NEXT);
  EXPECT_EQ(preview->PageIndex(), 1);
  KeyInput::PressKey(VK_PRIOR);
  EXPECT_EQ(preview->PageIndex(), 0);

  preview->SetZoomFactor(50);
  KeyInput::PressKey('0');
  EXPECT_EQ(preview->ZoomFactor(), 50);
  KeyInput::PressKey('0', TShiftState{ssCtrl});
  EXPECT_EQ(preview->ZoomFactor(), 100);
  KeyInput::PressKey(VK_ADD, TShiftState{ssCtrl});
  EXPECT_EQ(preview->ZoomFactor(), 110);
  KeyInput::PressKey(VK_OEM_MINUS, TShiftState{ssCtrl});
  EXPECT_EQ(preview->ZoomFactor(), 100);
  EXPECT_EQ(form->ComboBoxZoom->Text(), u"100%");

  // Arrows scroll the page at 200%; with Ctrl they move a whole view.
  preview->SetZoomFactor(200);
  KeyInput::PressKey(VK_DOWN);
  EXPECT_EQ(preview->ScrollPos().Y, 10);
  KeyInput::PressKey(VK_DOWN, TShiftState{ssCtrl});
  EXPECT_EQ(preview->ScrollPos().Y, 10 + preview->Height());
  KeyInput::PressKey(VK_PRIOR, TShiftState{ssCtrl});
  EXPECT_EQ(preview->ScrollPos().Y, 0);

  // The wheel: toward the user scrolls down, with Ctrl it zooms out.
  PostMessageW(preview->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  KeyInput::Pump(20);
  EXPECT_EQ(preview->ScrollPos().Y, 10);
  PostMessageW(preview->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  KeyInput::Pump(20);
  EXPECT_EQ(preview->ScrollPos().Y, 0);
  PostMessageW(form->EditPageNo->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-WHEEL_DELTA)), 0);
  KeyInput::Pump(20);
  EXPECT_EQ(preview->ZoomFactor(), 190);
  PostMessageW(preview->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, WHEEL_DELTA), 0);
  KeyInput::Pump(20);
  EXPECT_EQ(preview->ZoomFactor(), 200);

  // The page field: a number in range pages, anything else keeps the page.
  struct PageCase {
    const char16_t* typed;
    int index;
  } pages[] = {{u"5", 4}, {u"ab", 4}, {u"0", 4}, {u"51", 4}, {u"12", 11}};
  for (const PageCase& c : pages) {
    TypeInto(form->EditPageNo, c.typed);
    EXPECT_EQ(preview->PageIndex(), c.index) << StringToUtf8(c.typed);
  }
  // F alone goes on to the page field; Ctrl+F opens the find dialog.
  KeyInput::PressKey('F');
  EXPECT_TRUE(!form->FindDialog() || !form->FindDialog()->Visible());
  KeyInput::PressKey('F', TShiftState{ssCtrl});
  ASSERT_NE(form->FindDialog(), nullptr);
  EXPECT_TRUE(form->FindDialog()->Visible());
  form->FindDialog()->Close();
  KeyInput::Pump(20);

  // The zoom list takes typed factors of 10 or more, with a comma too.
  struct ZoomCase {
    const char16_t* typed;
    double zoom;
  } zooms[] = {{u"120", 120}, {u"7", 120}, {u"33,5", 33.5}};
  for (const ZoomCase& c : zooms) {
    TypeInto(form->ComboBoxZoom, c.typed);
    EXPECT_EQ(preview->ZoomFactor(), c.zoom) << StringToUtf8(c.typed);
  }
  form->UpdateZoomText();
  EXPECT_EQ(form->ComboBoxZoom->Text(), FloatToStr(33.5) + u"%");

  // The zoom-down button stops at 10.
  preview->SetZoomFactor(15);
  form->SpeedButtonZoomDown->Click();
  EXPECT_EQ(preview->ZoomFactor(), 10);
  form->SpeedButtonZoomDown->Click();
  EXPECT_EQ(preview->ZoomFactor(), 10);

  // Esc clicks the close button; the state left goes to the defaults.
  form->EditPageNo->SetFocus();
  KeyInput::PressKey(VK_ESCAPE);
  KeyInput::Pump(50);
  EXPECT_EQ(PreviewDefaults().WindowState, wsMaximized);
}

TEST(UiPreviewWindow, RepeatButtonsPageOnceThenSteadilyWhileHeld) {
  TestStore store;
  store.AddPages(50);
  TRLPreviewForm* form = Open(store.get());
  TRLPreview* preview = form->Preview();
  bool held = true;
  form->RepeatButtonHeld = [&held] { return held; };
  TSpeedButton* next = form->SpeedButtonNext;
  const LPARAM at = MAKELPARAM(next->Left() + 5, next->Top() + 5);
  PostMessageW(form->PanelTools->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  KeyInput::Pump(300);
  EXPECT_EQ(preview->PageIndex(), 1);
  KeyInput::Pump(1000);
  const int afterHolding = preview->PageIndex();
  EXPECT_GE(afterHolding, 4);
  // A release the button never saw: the next tick finds it up and stops.
  held = false;
  KeyInput::Pump(400);
  const int stopped = preview->PageIndex();
  EXPECT_LE(stopped, afterHolding + 1);
  KeyInput::Pump(400);
  EXPECT_EQ(preview->PageIndex(), stopped);
  EXPECT_EQ(next->Tag(), 0);
  PostMessageW(form->PanelTools->Handle(), WM_LBUTTONUP, 0, at);
  KeyInput::Pump(20);
  Close(form);
}

TEST(UiPreviewWindow, SplitViewAndScreenshotsOfWhatTheUserSees) {
  TestStore store;
  store.AddPages(5);
  TRLPreviewForm* form = Open(store.get(), wsNormal);
  form->SetBounds(0, 0, 1000, 700);
  KeyInput::Pump(100);
  form->Preview()->ZoomFullPage();
  KeyInput::Pump(150);
  EXPECT_TRUE(AppDriver::SaveScreenshot(form->Handle(), Artifact("preview-window-full-page.png")));
  form->Preview()->ZoomMultiplePages();
  KeyInput::Pump(150);
  EXPECT_TRUE(AppDriver::SaveScreenshot(form->Handle(), Artifact("preview-window-multiple-pages.png")));

  form->SpeedButtonViews->Click();
  KeyInput::Pump(100);
  ASSERT_EQ(form->PreviewCount(), 2);
  TRLPreview* top = form->Previews(0);
  TRLPreview* bottom = form->Previews(1);
  EXPECT_EQ(bottom->Pages(), store.get());
  EXPECT_EQ(top->Height(), form->PanelContainer->ClientHeight() / 2);
  EXPECT_TRUE(form->SplitterOf(top)->Visible());
  EXPECT_EQ(form->SplitterOf(top)->Top(), top->Height());
  EXPECT_FALSE(form->SplitterOf(bottom)->Visible());
  EXPECT_EQ(bottom->Top() + bottom->Height(), form->PanelContainer->ClientHeight());
  // A click on the second preview makes it the current one.
  PostMessageW(bottom->Boxes(0)->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  PostMessageW(bottom->Boxes(0)->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
  KeyInput::Pump(50);
  EXPECT_EQ(form->Preview(), bottom);
  form->EditPageNo->SetFocus();
  KeyInput::PressKey(VK_END, TShiftState{ssCtrl});
  EXPECT_EQ(bottom->PageIndex(), 4);
  EXPECT_EQ(top->PageIndex(), 0);
  bottom->ZoomFullPage();
  KeyInput::Pump(150);
  EXPECT_TRUE(AppDriver::SaveScreenshot(form->Handle(), Artifact("preview-window-split-view.png")));

  // Dragging the splitter 30 pixels down makes the top preview taller.
  const int topHeight = top->Height();
  TSplitter* splitter = form->SplitterOf(top);
  HWND container = form->PanelContainer->Handle();
  const int x = 100, y = splitter->Top() + 1;
  PostMessageW(container, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageW(container, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y + 30));
  PostMessageW(container, WM_LBUTTONUP, 0, MAKELPARAM(x, y + 30));
  KeyInput::Pump(50);
  EXPECT_EQ(top->Height(), topHeight + 30);
  EXPECT_EQ(splitter->Top(), top->Height());

  // The copy menu puts the page on the clipboard as a metafile too.
  TMenuItem* copyMetafile = bottom->Popup()->Items()->Items(1);
  EXPECT_EQ(copyMetafile->Caption(), u"Copiar como MetaFile");
  Clipboard()->Clear();
  bottom->Popup()->SetPopupComponent(bottom->Boxes(0));
  copyMetafile->Click();
  EXPECT_TRUE(Clipboard()->HasFormat(CF_ENHMETAFILE));

  form->SpeedButtonViews->Click();
  KeyInput::Pump(50);
  EXPECT_EQ(form->PreviewCount(), 1);
  EXPECT_EQ(form->Preview(), top);
  EXPECT_EQ(top->Height(), form->PanelContainer->ClientHeight());

  // Closed in normal size, the next window opens in normal size; closed
  // minimized, it still opens in normal size, where the user can see it.
  Close(form);
  EXPECT_EQ(PreviewDefaults().WindowState, wsNormal);
  form = Open(store.get(), PreviewDefaults().WindowState);
  form->SetWindowState(wsMinimized);
  KeyInput::Pump(50);
  Close(form);
  EXPECT_EQ(PreviewDefaults().WindowState, wsNormal);
  PreviewDefaults() = TRLPreviewDefaults();
}
