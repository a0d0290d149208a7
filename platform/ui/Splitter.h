#pragma once
// A bar between aligned controls that the user drags to resize the control
// before it (the one aligned to the same side, just ahead of the bar).
#include "platform/ui/Controls.h"

class TSplitter : public TGraphicControl {
public:
  explicit TSplitter(TComponent* AOwner);

  // The least size the resized control may take.
  int MinSize() const { return FMinSize; }
  void SetMinSize(int value) { FMinSize = value; }
  // With AutoSnap, a control dragged below MinSize collapses to 0.
  bool AutoSnap() const { return FAutoSnap; }
  void SetAutoSnap(bool value) { FAutoSnap = value; }
  // The control the bar resizes, or nullptr.
  TControl* FindControl() const;

  TNotifyEvent OnMoved;

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
  bool Vertical() const { return Align() == alLeft || Align() == alRight; }

  int FMinSize = 30;
  bool FAutoSnap = true;
  TControl* FControl = nullptr;
  TPoint FDownPos;
  int FStartSize = 0;
};
