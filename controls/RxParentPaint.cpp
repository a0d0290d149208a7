#include "controls/RxParentPaint.h"

#include "controls/RxVCLUtils.h"

#include <windows.h>

#include <algorithm>

namespace {

// Sets the paint-copy state on a control for the scope.
class TPaintCopy {
public:
  explicit TPaintCopy(TControl* control) : FControl(control) {
    FControl->SetControlState(FControl->ControlState() + csPaintCopy);
  }
  ~TPaintCopy() { FControl->SetControlState(FControl->ControlState() - csPaintCopy); }
  TPaintCopy(const TPaintCopy&) = delete;
  TPaintCopy& operator=(const TPaintCopy&) = delete;

private:
  TControl* FControl;
};

// The parent's own painting, without its windowless children (one of which
// is the control asking).
struct TPaintWindowAccess : TWinControl {
  using TWinControl::PaintWindow;
};

void PaintParentItself(TWinControl* parent, HDC dc) {
  void (TWinControl::*paintWindow)(HDC) = &TPaintWindowAccess::PaintWindow;
  (parent->*paintWindow)(dc);
}

bool Intersects(const TRect& a, const TRect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

}  // namespace

void PaintParentBackground(TControl* control, TCanvas* dest) {
  TWinControl* parent = control ? control->Parent() : nullptr;
  if (!parent || !dest) return;
  TPaintCopy parentCopy(parent);
  HDC dc = dest->Handle();
  {
    const int saved = SaveDC(dc);
    OffsetViewportOrgEx(dc, -control->Left(), -control->Top(), nullptr);
    const TRect client = parent->ClientRect();
    IntersectClipRect(dc, client.Left, client.Top, client.Right, client.Bottom);
    parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    PaintParentItself(parent, dc);
    RestoreDC(dc, saved);
  }
  const TRect bounds = control->BoundsRect();
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* sibling = parent->Controls(i);
    if (sibling == control) break;
    if (dynamic_cast<TWinControl*>(sibling) || !sibling->Visible()) continue;
    if (!Intersects(sibling->BoundsRect(), bounds)) continue;
    TPaintCopy siblingCopy(sibling);
    const int saved = SaveDC(dc);
    SetViewportOrgEx(dc, sibling->Left() - control->Left(), sibling->Top() - control->Top(), nullptr);
    IntersectClipRect(dc, 0, 0, sibling->Width(), sibling->Height());
    sibling->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
  }
  dest->Refresh();
}

void PaintCellTextEx(TCustomControl* control, int /*col*/, int /*row*/, const String& text,
                     const TRect& rect, TAlignment alignment, TVertAlignment vertAlign,
                     bool wordWrap, bool rightToLeft) {
  TCanvas* canvas = control->Canvas();
  const int textHeight = canvas->TextHeight(u"W");
  int dy = 2;
  if (vertAlign == TVertAlignment::vaCenterJustify)
    dy = std::max((rect.Height() - textHeight) / 2, 1);
  else if (vertAlign == TVertAlignment::vaBottomJustify)
    dy = std::max(rect.Height() - textHeight, 2);
  WriteCellText(canvas, rect, 2, dy, text, alignment, wordWrap, rightToLeft);
}

void PaintCellText(TCustomControl* control, int col, int row, const String& text,
                   const TRect& rect, TAlignment alignment, TVertAlignment vertAlign,
                   bool rightToLeft) {
  PaintCellTextEx(control, col, row, text, rect, alignment, vertAlign, alignment == taCenter,
                  rightToLeft);
}

void PaintCellTextNoBiDi(TCustomControl* control, int col, int row, const String& text,
                         const TRect& rect, TAlignment alignment, TVertAlignment vertAlign,
                         bool wordWrap) {
  PaintCellTextEx(control, col, row, text, rect, alignment, vertAlign, wordWrap, false);
}
