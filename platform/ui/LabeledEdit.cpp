#include "platform/ui/ExtCtrls.h"

TCustomLabeledEdit::TCustomLabeledEdit(TComponent* AOwner) : TCustomEdit(AOwner), FEditLabel(new TBoundLabel(this)) {
  FEditLabel->FreeNotification(this);
  FEditLabel->SetFocusControl(this);
}

TCustomLabeledEdit::~TCustomLabeledEdit() {
  BeginDestroy();
  if (FEditLabel) {
    TBoundLabel* label = FEditLabel;
    FEditLabel = nullptr;
    delete label;
  }
}

void TCustomLabeledEdit::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomEdit::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FEditLabel) FEditLabel = nullptr;
}

void TCustomLabeledEdit::SetLabelPosition(TLabelPosition value) {
  FLabelPosition = value;
  PlaceLabel();
}

void TCustomLabeledEdit::SetLabelSpacing(int value) {
  FLabelSpacing = value;
  PlaceLabel();
}

void TCustomLabeledEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
  PlaceLabel();
}

void TCustomLabeledEdit::SetParent(TWinControl* AParent) {
  TCustomEdit::SetParent(AParent);
  if (FEditLabel && !IsDestroying()) {
    FEditLabel->SetParent(AParent);
    PlaceLabel();
  }
}

void TCustomLabeledEdit::PlaceLabel() {
  if (!FEditLabel) return;
  int x = Left(), y = Top();
  switch (FLabelPosition) {
    case lpAbove: y = Top() - FEditLabel->Height() - FLabelSpacing; break;
    case lpBelow: y = Top() + Height() + FLabelSpacing; break;
    case lpLeft:
      x = Left() - FEditLabel->Width() - FLabelSpacing;
      y = Top() + (Height() - FEditLabel->Height()) / 2;
      break;
    case lpRight:
      x = Left() + Width() + FLabelSpacing;
      y = Top() + (Height() - FEditLabel->Height()) / 2;
      break;
  }
  FEditLabel->SetBounds(x, y, FEditLabel->Width(), FEditLabel->Height());
}

void TCustomLabeledEdit::WndProc(TMessage& m) {
  TCustomEdit::WndProc(m);
  if (!FEditLabel) return;
  switch (m.Msg) {
    case CM_VISIBLECHANGED: FEditLabel->SetVisible(Visible()); break;
    case CM_ENABLEDCHANGED: FEditLabel->SetEnabled(Enabled()); break;
    default: break;
  }
}
