// The control tree helpers on real windows: graphic children painted
// through one memory image, update notices, and the window queries.
#include "skin/engine/ControlTree.h"
#include "skin/engine/SkinCommands.h"
#include "skin/graphics/Bitmaps32.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>

namespace {
// A graphic control that fills itself with one colour; KeyCorner leaves its
// top-left pixel at the key colour.
class TSwatch : public TGraphicControl {
public:
  TSwatch(TWinControl* parent, const TRect& r, TColor color, bool keyCorner = false)
      : TGraphicControl(parent), FColor(color), FKeyCorner(keyCorner) {
    SetParent(parent);
    SetBounds(r.Left, r.Top, r.Width(), r.Height());
  }
  int Paints = 0;

protected:
  void Paint() override {
    ++Paints;
    Canvas()->Brush()->SetColor(FColor);
    Canvas()->FillRect(TRect(0, 0, Width(), Height()));
    if (FKeyCorner) SetPixel(Canvas()->Handle(), 0, 0, 0xFF00FF);
  }

private:
  TColor FColor;
  bool FKeyCorner;
};

struct TCmdLog {
  std::vector<std::string> Lines;
  void Attach(TControl* c, const std::string& name) {
    auto old = c->WindowProc;
    c->WindowProc = [this, old, name](TMessage& m) {
      if (m.Msg == SM_SKINCMD && m.WParamHi() != SKC_GETBGINFO && m.WParamHi() != SKC_GETBGCOLOR &&
          m.WParamHi() != SKC_CTRLSKINNED) {
        Lines.push_back(name + ":" + std::to_string(m.WParamHi()));
        m.Result = 0;
        return;
      }
      old(m);
    };
  }
};

uint32_t Rgb(TBitmap& bmp, int x, int y) { return TPixelRows(&bmp).At(x, y) & 0xFFFFFF; }
}  // namespace

TEST(UiControlTree, PaintChildControlsThroughOneImage) {
  auto* form = new TForm(Application);
  form->SetBounds(30, 30, 300, 200);
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetBounds(0, 0, 200, 120);
  panel->SetColor(0x00FF00);
  auto* red = new TSwatch(panel, TRect(10, 10, 50, 40), 0x0000FF);
  // Its key corner lies where red's moved top-left would be read with the
  // offset below: the child's own pixel decides, not red's.
  auto* keyed = new TSwatch(panel, TRect(5, 3, 25, 13), 0xFF0000, true);
  auto* hidden = new TSwatch(panel, TRect(60, 10, 80, 30), 0x00FFFF);
  hidden->SetVisible(false);
  form->Show();

  auto target = NewBmp32(220, 140);
  const HDC dc = target->Canvas()->Handle();
  TPoint offset(5, 7);
  PaintChildControls(dc, panel, true, offset, nullptr, true);
  EXPECT_FALSE(PaintingChildren);
  EXPECT_EQ(Rgb(*target, 40 + 5, 30 + 7), 0xFF0000u) << "red painted at its place moved by the offset";
  EXPECT_EQ(Rgb(*target, 6 + 5, 4 + 7), 0u) << "a child with a key corner is not copied";
  EXPECT_EQ(Rgb(*target, 65 + 5, 15 + 7), 0u) << "a hidden child is not painted";
  EXPECT_EQ(hidden->Paints, 0);
  EXPECT_EQ(red->Paints, 1);
  EXPECT_EQ(keyed->Paints, 1);

  // A DC clipped to nothing paints nothing and tells the parent it is half visible.
  TCmdLog log;
  log.Attach(panel, "panel");
  auto blank = NewBmp32(220, 140);
  const HDC blankDC = blank->Canvas()->Handle();
  const HRGN none = CreateRectRgn(0, 0, 0, 0);
  SelectClipRgn(blankDC, none);
  DeleteObject(none);
  PaintChildControls(blankDC, panel, true, offset, nullptr, true);
  SelectClipRgn(blankDC, nullptr);
  EXPECT_EQ(log.Lines, std::vector<std::string>{"panel:22"});
  EXPECT_EQ(red->Paints, 1);

  // A nested call while painting returns at once.
  PaintingChildren = true;
  PaintChildControls(dc, panel, true, offset, nullptr, true);
  PaintingChildren = false;
  EXPECT_EQ(red->Paints, 1);
  delete form;
}

TEST(UiControlTree, UpdateNoticesAndWindowQueries) {
  auto* form = new TForm(Application);
  form->SetBounds(40, 40, 300, 200);
  auto* shown = new TPanel(form);
  shown->SetParent(form);
  shown->SetBounds(0, 0, 100, 50);
  auto* inner = new TPanel(form);
  inner->SetParent(shown);
  auto* hidden = new TPanel(form);
  hidden->SetParent(form);
  hidden->SetVisible(false);
  auto* bevel = new TBevel(form);
  bevel->SetParent(form);
  form->Show();
  hidden->HandleNeeded();

  TCmdLog log;
  log.Attach(form, "form");
  log.Attach(shown, "shown");
  log.Attach(inner, "inner");
  log.Attach(hidden, "hidden");
  log.Attach(bevel, "bevel");

  AnimationInProgress = true;
  EndChildrenUpdate(form);
  AnimationInProgress = false;
  EXPECT_TRUE(log.Lines.empty()) << "nothing while an animation runs";

  EndChildrenUpdate(form);
  EXPECT_EQ(log.Lines, (std::vector<std::string>{"bevel:6", "shown:6"})) << "not recursive, hidden skipped";

  log.Lines.clear();
  EndChildWindowsUpdate(form->Handle());
  std::sort(log.Lines.begin(), log.Lines.end());
  EXPECT_EQ(log.Lines, (std::vector<std::string>{"hidden:6", "shown:6"})) << "every direct child window";

  std::vector<TControl*> visited;
  IterateControls(form, 7, [&](TControl* c, intptr_t data) {
    EXPECT_EQ(data, 7);
    visited.push_back(c);
  });
  EXPECT_EQ(visited, (std::vector<TControl*>{bevel, shown, inner, hidden})) << "each panel before its children";

  RECT wr{}, cr{};
  GetWindowRect(form->Handle(), &wr);
  GetClientRect(form->Handle(), &cr);
  POINT origin{0, 0};
  ClientToScreen(form->Handle(), &origin);
  TRect r;
  WindowClientRect(form->Handle(), r);
  EXPECT_EQ(r.Left, origin.x - wr.left);
  EXPECT_EQ(r.Top, origin.y - wr.top);
  EXPECT_EQ(r.Width(), cr.right);
  EXPECT_GT(r.Top, 0) << "below the caption";

  const HWND button = CreateWindowExW(0, reinterpret_cast<LPCWSTR>(u"BUTTON"), nullptr, WS_CHILD, 0, 0, 10, 10,
                                      form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  EXPECT_EQ(GetWndClassName(button), String(u"Button"));
  EXPECT_FALSE(VclStyleEnabled());
  EXPECT_TRUE(SetWindowThemeAvailable()) << "uxtheme bound by name";
  EXPECT_EQ(acSetWindowTheme(button, nullptr, nullptr), S_OK);
  DestroyWindow(button);

  SetCursorPos(wr.left + 5 + (origin.x - wr.left), origin.y + 5);
  EXPECT_TRUE(MouseInControl(shown));
  SetCursorPos(wr.right + 50, wr.bottom + 50);
  EXPECT_FALSE(MouseInControl(shown));
  delete form;
}
