// Arranging aligned and anchored children inside a windowed control.
#include "platform/ui/Controls.h"
#include <algorithm>

void TWinControl::EnableAlign() {
  if (FAlignLevel > 0 && --FAlignLevel == 0) Realign();
}

void TWinControl::Realign() { AlignControl(nullptr); }

void TWinControl::AlignControl(TControl* AControl) {
  if (FAlignLevel > 0 || FAligning || IsDestroying()) return;
  TRect rect = GetClientRect();
  AlignControls(AControl, rect);
}

namespace {
// Whether c1 goes before c2 on their edge; the control being moved wins
// ties, so dragging it past a neighbour swaps them.
bool Before(const TControl* c1, const TControl* c2, TAlign align) {
  switch (align) {
    case alTop: return c1->Top() < c2->Top();
    case alBottom: return c1->Top() + c1->Height() >= c2->Top() + c2->Height();
    case alLeft: return c1->Left() < c2->Left();
    case alRight: return c1->Left() + c1->Width() >= c2->Left() + c2->Width();
    default: return false;
  }
}
}  // namespace

void TWinControl::AlignControls(TControl* AControl, TRect& Rect) {
  AdjustClientRect(Rect);
  TRect parentClient = GetClientRect();
  FAligning = true;
  try {
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
      std::vector<TControl*> list;
      if (AControl && AControl->Align() == align && AControl->Visible()) list.push_back(AControl);
      for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c == AControl || c->Align() != align || !c->Visible()) continue;
        auto pos = list.begin();
        while (pos != list.end() && !Before(c, *pos, align)) ++pos;
        list.insert(pos, c);
      }
      for (TControl* c : list) {
        int w = c->Width(), h = c->Height();
        switch (align) {
          case alTop:
            c->SetBounds(Rect.Left, Rect.Top, Rect.Width(), h);
            Rect.Top += c->Height();
            break;
          case alBottom:
            c->SetBounds(Rect.Left, Rect.Bottom - h, Rect.Width(), h);
            Rect.Bottom -= c->Height();
            break;
          case alLeft:
            c->SetBounds(Rect.Left, Rect.Top, w, Rect.Height());
            Rect.Left += c->Width();
            break;
          case alRight:
            c->SetBounds(Rect.Right - w, Rect.Top, w, Rect.Height());
            Rect.Right -= c->Width();
            break;
          case alClient:
            c->SetBounds(Rect.Left, Rect.Top, std::max(0, Rect.Width()), std::max(0, Rect.Height()));
            break;
          default:
            break;
        }
      }
    }
    for (int i = 0; i < ControlCount(); ++i) {
      TControl* c = Controls(i);
      if (c->Align() == alNone && c != AControl) c->AnchorTo(parentClient.Width(), parentClient.Height());
    }
  } catch (...) {
    FAligning = false;
    throw;
  }
  FAligning = false;
}
