#include "platform/ui/Splitter.h"
#include <algorithm>

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetAlign(alLeft);
  SetBounds(0, 0, 3, 100);
  SetCursor(crHSplit);
  SetParentColor(true);
}

TControl* TSplitter::FindControl() const {
  TWinControl* parent = Parent();
  if (!parent || Align() == alNone || Align() == alClient) return nullptr;
  // The edge of the neighbour that touches the bar.
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (c == this || !c->Visible() || c->Align() != Align()) continue;
    switch (Align()) {
      case alTop: if (c->Top() + c->Height() == Top()) return c; break;
      case alBottom: if (c->Top() == Top() + Height()) return c; break;
      case alLeft: if (c->Left() + c->Width() == Left()) return c; break;
      case alRight: if (c->Left() == Left() + Width()) return c; break;
      default: break;
    }
  }
  return nullptr;
}

void TSplitter::Paint() {
  Canvas()->Brush()->SetStyle(bsSolid);
  Canvas()->Brush()->SetColor(Color());
  Canvas()->FillRect(TRect(0, 0, Width(), Height()));
}

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  FControl = FindControl();
  if (!FControl) return;
  FDownPos = ClientToScreen(TPoint(X, Y));
  FStartSize = Vertical() ? FControl->Width() : FControl->Height();
}

void TSplitter::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!FControl || !Shift.Contains(ssLeft)) return;
  const TPoint now = ClientToScreen(TPoint(X, Y));
  int delta = Vertical() ? now.X - FDownPos.X : now.Y - FDownPos.Y;
  // Dragging towards the control's own side shrinks it.
  if (Align() == alRight || Align() == alBottom) delta = -delta;
  int size = FStartSize + delta;
  if (size < FMinSize) size = FAutoSnap ? 0 : FMinSize;
  size = std::max(size, 0);
  if (Vertical())
    FControl->SetWidth(size);
  else
    FControl->SetHeight(size);
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft || !FControl) return;
  FControl = nullptr;
  FireEvent(OnMoved, this);
}
