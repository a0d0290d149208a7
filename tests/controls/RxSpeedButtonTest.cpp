#include "controls/RxParentPaint.h"
#include "controls/RxSpeedButton.h"

#include "platform/ui/Forms.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Menus.h"
#include "platform/ui/graphics/PngWriter.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <memory>

namespace {

class TTestButton : public TRxSpeedButton {
public:
  using TRxSpeedButton::TRxSpeedButton;
  using TRxSpeedButton::PaintButton;
};

TColor At(TBitmap* b, int x, int y) { return b->Canvas()->Pixels(x, y) & 0xFFFFFF; }
TColor Rgb(TColor c) { return ColorToRGB(c); }

// A 16 x 16 magenta glyph with a red 4 x 4 square in its middle.
std::unique_ptr<TBitmap> RedSquareGlyph() {
  auto b = std::make_unique<TBitmap>();
  b->SetSize(16, 16);
  b->Canvas()->Brush()->SetColor(clFuchsia);
  b->Canvas()->FillRect(Rect(0, 0, 16, 16));
  b->Canvas()->Brush()->SetColor(RGBColor(200, 40, 40));
  b->Canvas()->FillRect(Rect(6, 6, 10, 10));
  return b;
}

std::unique_ptr<TBitmap> Render(TTestButton& button) {
  auto out = std::make_unique<TBitmap>();
  out->SetSize(button.Width(), button.Height());
  button.PaintButton(out->Canvas());
  return out;
}

// Keeps a picture of what was drawn for a person to look at.
void SaveArtifact(TBitmap& bitmap, const char* name) {
  const char* folder = getenv("BRQ_ARTIFACTS");
  if (!folder || !*folder) return;
  SaveBitmapAsPng(bitmap, u"Z:" + AsciiToString(folder) + u"/" + AsciiToString(name));
}

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

class RxSpeedButtonTest : public ::testing::Test {
protected:
  void SetUp() override {
    form = new TForm(Application);
    form->SetBounds(0, 0, 200, 100);
  }
  void TearDown() override { delete form; }

  TTestButton* NewButton(int left) {
    auto* b = new TTestButton(form);
    b->SetParent(form);
    b->SetBounds(left, 0, 25, 25);
    return b;
  }

  TForm* form = nullptr;
};

}  // namespace

TEST_F(RxSpeedButtonTest, UpAndPressedLooks) {
  TTestButton* button = NewButton(0);
  auto glyph = RedSquareGlyph();
  button->SetGlyph(glyph.get());
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };

  auto up = Render(*button);
  EXPECT_EQ(Rgb(clBtnHighlight), At(up.get(), 0, 10));  // raised frame
  EXPECT_EQ(Rgb(clWindowFrame), At(up.get(), 24, 10));
  // The glyph is centred: layout top, 25 x 25 client less the frames.
  EXPECT_EQ(RGBColor(200, 40, 40), At(up.get(), 12, 12));
  EXPECT_EQ(Rgb(clBtnFace), At(up.get(), 5, 5));

  button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
  EXPECT_EQ(TRxButtonState::rbsDown, button->State());
  auto pressed = Render(*button);
  SaveArtifact(*up, "speedbutton-up.png");
  SaveArtifact(*pressed, "speedbutton-pressed.png");
  EXPECT_EQ(Rgb(clWindowFrame), At(pressed.get(), 0, 10));  // sunken frame
  EXPECT_EQ(Rgb(clBtnHighlight), At(pressed.get(), 24, 10));
  // The content moves one pixel right and down.
  const int left = [&] {
    for (int x = 0; x < 25; ++x)
      if (At(pressed.get(), x, 13) == RGBColor(200, 40, 40)) return x;
    return -1;
  }();
  const int leftUp = [&] {
    for (int x = 0; x < 25; ++x)
      if (At(up.get(), x, 13) == RGBColor(200, 40, 40)) return x;
    return -1;
  }();
  EXPECT_EQ(leftUp + 1, left);
  EXPECT_EQ(0, clicks);

  // Dragged off and released outside: no click.
  button->Perform(WM_MOUSEMOVE, MK_LBUTTON, At(40, 10));
  EXPECT_EQ(TRxButtonState::rbsUp, button->State());
  button->Perform(WM_LBUTTONUP, 0, At(40, 10));
  EXPECT_EQ(0, clicks);

  // Pressed and released on it: one click.
  button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
  button->Perform(WM_LBUTTONUP, 0, At(10, 25));  // the row below counts
  EXPECT_EQ(1, clicks);
  EXPECT_EQ(TRxButtonState::rbsUp, button->State());

  button->ButtonClick();
  EXPECT_EQ(2, clicks);
}

TEST_F(RxSpeedButtonTest, GroupedButtonsKeepOneDown) {
  TTestButton* a = NewButton(0);
  TTestButton* b = NewButton(30);
  a->SetGroupIndex(1);
  b->SetGroupIndex(1);
  form->HandleNeeded();
  a->SetDown(true);
  EXPECT_TRUE(a->Down());
  EXPECT_EQ(TRxButtonState::rbsExclusive, a->State());

  b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  b->Perform(WM_LBUTTONUP, 0, At(5, 5));
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down());

  // Pressing a down button again leaves it down...
  b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  b->Perform(WM_LBUTTONUP, 0, At(5, 5));
  EXPECT_TRUE(b->Down());
  // ... unless the group allows all up (the setting spreads to the group).
  b->SetAllowAllUp(true);
  EXPECT_TRUE(a->AllowAllUp());
  b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  b->Perform(WM_LBUTTONUP, 0, At(5, 5));
  EXPECT_FALSE(b->Down());

  // Without a group a button never stays down.
  TTestButton* c = NewButton(60);
  c->SetDown(true);
  EXPECT_FALSE(c->Down());
}

TEST_F(RxSpeedButtonTest, FlatButtonShowsGrayInactiveGlyph) {
  TTestButton* button = NewButton(0);
  auto glyph = RedSquareGlyph();
  button->SetGlyph(glyph.get());
  button->SetFlat(true);
  const int gray = (200 * 77 + 40 * 150 + 40 * 29) >> 8;
  auto inactive = Render(*button);
  EXPECT_EQ(RGBColor(gray, gray, gray), At(inactive.get(), 12, 12));
  EXPECT_EQ(Rgb(clBtnFace), At(inactive.get(), 0, 10));  // no frame

  button->SetFlatStandard(true);
  auto standard = Render(*button);
  EXPECT_EQ(RGBColor(200, 40, 40), At(standard.get(), 12, 12));

  button->SetFlatStandard(false);
  button->SetGrayedInactive(false);
  auto colour = Render(*button);
  EXPECT_EQ(RGBColor(200, 40, 40), At(colour.get(), 12, 12));
}

TEST_F(RxSpeedButtonTest, DisabledButtonIsEmbossed) {
  TTestButton* button = NewButton(0);
  auto glyph = RedSquareGlyph();
  glyph->Canvas()->SetPixels(8, 3, clBlack);
  button->SetGlyph(glyph.get());
  button->SetEnabled(false);
  auto disabled = Render(*button);
  EXPECT_EQ(TRxButtonState::rbsDisabled, button->State());
  // Glyph top-left at (4, 4): the black pixel in shadow, its highlight below-right.
  EXPECT_EQ(Rgb(clBtnShadow), At(disabled.get(), 12, 7));
  EXPECT_EQ(Rgb(clBtnHighlight), At(disabled.get(), 13, 8));
}

TEST_F(RxSpeedButtonTest, CaptionBesideTheGlyphWithDropDownMark) {
  TTestButton* button = NewButton(0);
  button->SetBounds(0, 0, 120, 30);
  auto glyph = RedSquareGlyph();
  button->SetGlyph(glyph.get());
  button->SetLayout(blGlyphLeft);
  button->SetCaption(u"Movimentos");
  button->Font()->SetName(u"Tahoma");
  button->Font()->SetHeight(-11);
  button->Font()->SetColor(clBlack);
  auto* menu = new TPopupMenu(form);
  button->SetDropDownMenu(menu);
  auto out = Render(*button);
  SaveArtifact(*out, "speedbutton-caption-mark.png");
  int glyphLeft = -1, inkLeft = -1, inkRight = -1;
  for (int x = 0; x < 120; ++x) {
    for (int y = 3; y < 27; ++y) {
      const TColor c = At(out.get(), x, y);
      if (c == RGBColor(200, 40, 40) && glyphLeft < 0) glyphLeft = x;
      if (c == Rgb(clBtnText) && x > 3 && x < 117) {  // inside the frames
        if (inkLeft < 0) inkLeft = x;
        inkRight = x;
      }
    }
  }
  ASSERT_GE(glyphLeft, 0);
  EXPECT_GT(inkLeft, glyphLeft + 4);  // the caption after the glyph's square
  // The mark's widest row: seven pixels in the button-text colour.
  bool markRow = false;
  for (int y = 3; y < 27 && !markRow; ++y) {
    int run = 0;
    for (int x = inkRight; x >= inkRight - 6; --x) run += At(out.get(), x, y) == Rgb(clBtnText) ? 1 : 0;
    markRow = run == 7;
  }
  EXPECT_TRUE(markRow);
}

TEST_F(RxSpeedButtonTest, PropertyLimits) {
  TTestButton* button = NewButton(0);
  button->SetNumGlyphs(7);
  EXPECT_EQ(5, button->NumGlyphs());
  button->SetMargin(-2);
  EXPECT_EQ(-1, button->Margin());
  button->SetMargin(3);
  EXPECT_EQ(3, button->Margin());
  EXPECT_EQ(blGlyphTop, button->Layout());
  EXPECT_EQ(1, button->Spacing());
  EXPECT_EQ(500, button->InitPause());
  EXPECT_EQ(100, button->RepeatInterval());
}

// Shows its form and holds the mouse: takes its turn on the display.
class UiRxSpeedButton : public RxSpeedButtonTest {};

TEST_F(UiRxSpeedButton, HeldButtonRepeatsItsClick) {
  form->Show();
  TTestButton* button = NewButton(0);
  button->SetAllowTimer(true);
  button->SetInitPause(60);
  button->SetRepeatInterval(20);
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  EXPECT_EQ(0, clicks);
  const DWORD start = GetTickCount();
  while (clicks < 3 && GetTickCount() - start < 10000) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(5);
  }
  EXPECT_GE(clicks, 3);
  const int held = clicks;
  button->Perform(WM_LBUTTONUP, 0, At(5, 5));
  EXPECT_EQ(held + 1, clicks);  // the release over the button adds its own
}

namespace {

// Records where it would pop up instead of showing a modal menu.
class TRecordingMenu : public TPopupMenu {
public:
  using TPopupMenu::TPopupMenu;
  void Popup(int X, int Y) override {
    ++Count;
    At = TPoint(X, Y);
  }
  int Count = 0;
  TPoint At;
};

}  // namespace

TEST_F(RxSpeedButtonTest, PressingDropsTheMenuDownInsteadOfClicking) {
  TTestButton* button = NewButton(0);
  button->SetBounds(10, 20, 25, 25);
  auto* menu = new TRecordingMenu(form);
  button->SetDropDownMenu(menu);
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };

  button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  button->Perform(WM_LBUTTONUP, 0, At(5, 5));
  EXPECT_EQ(1, menu->Count);
  EXPECT_EQ(button->ClientToScreen(TPoint(-1, 25)), menu->At);  // below, left-aligned
  EXPECT_EQ(button, menu->PopupComponent());
  EXPECT_EQ(0, clicks);
  EXPECT_EQ(TRxButtonState::rbsUp, button->State());

  menu->SetAlignment(paRight);
  button->SetMenuPosition(TRxDropDownMenuPos::dmpRight);
  menu->SetAutoPopup(false);
  button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  button->Perform(WM_LBUTTONUP, 0, At(5, 5));
  EXPECT_EQ(1, menu->Count);  // no auto-popup: a plain click
  EXPECT_EQ(1, clicks);
  EXPECT_TRUE(button->CheckBtnMenuDropDown());
  EXPECT_EQ(2, menu->Count);
  EXPECT_EQ(button->ClientToScreen(TPoint(-1, -1)), menu->At);
}

TEST_F(RxSpeedButtonTest, AutoPopupMenuButtonIgnoresButtonClick) {
  TTestButton* button = NewButton(0);
  auto* menu = new TPopupMenu(form);
  button->SetDropDownMenu(menu);
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  button->ButtonClick();
  EXPECT_EQ(0, clicks);
  delete menu;
  EXPECT_EQ(nullptr, button->DropDownMenu());
}

TEST_F(RxSpeedButtonTest, TransparentButtonShowsWhatLiesUnderIt) {
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetBounds(0, 0, 100, 60);
  panel->SetBevelOuter(bvNone);
  panel->SetColor(clYellow);
  panel->SetCaption(u"");
  // A plain button first, then a transparent flat one overlapping it.
  auto* below = new TTestButton(form);
  below->SetParent(panel);
  below->SetBounds(0, 0, 20, 20);
  auto* button = new TTestButton(form);
  button->SetParent(panel);
  button->SetBounds(10, 10, 25, 25);
  button->SetFlat(true);
  button->SetTransparent(true);
  auto out = Render(*button);
  SaveArtifact(*out, "speedbutton-transparent.png");
  EXPECT_EQ(clYellow, At(out.get(), 15, 15));
  EXPECT_EQ(clYellow, At(out.get(), 20, 3));
  EXPECT_NE(clYellow, At(out.get(), 3, 3));  // the plain button's face
  EXPECT_EQ(Rgb(clBtnFace), At(out.get(), 3, 3));
}

TEST_F(RxSpeedButtonTest, GridCellTextWrapsOnlyWhenCentred) {
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  TBitmap target;
  target.SetSize(60, 60);
  TCanvas* canvas = panel->Canvas();
  canvas->SetHandle(target.Canvas()->Handle());
  canvas->Font()->SetName(u"Tahoma");
  canvas->Font()->SetHeight(-11);
  canvas->Font()->SetColor(clBlack);
  canvas->Brush()->SetColor(clWhite);
  const String text = u"um texto bem comprido";
  PaintCellText(panel, 0, 0, text, Rect(0, 0, 60, 60), taCenter, TVertAlignment::vaTopJustify, false);
  int centredRows = 0;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 60; ++x)
      if (At(&target, x, y) == clBlack) {
        centredRows = y;
        break;
      }
  target.Canvas()->Brush()->SetColor(clWhite);
  target.Canvas()->FillRect(Rect(0, 0, 60, 60));
  PaintCellText(panel, 0, 0, text, Rect(0, 0, 60, 60), taLeftJustify, TVertAlignment::vaTopJustify, false);
  int leftRows = 0;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 60; ++x)
      if (At(&target, x, y) == clBlack) {
        leftRows = y;
        break;
      }
  canvas->SetHandle(nullptr);
  EXPECT_GT(centredRows, 20);  // several lines
  EXPECT_LT(leftRows, 16);     // one line, cut at the cell's edge
}
