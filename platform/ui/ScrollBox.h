#pragma once
// A container that scrolls its children when they reach past its edges.
#include "platform/ui/Controls.h"

class TScrollBox : public TWinControl {
public:
  explicit TScrollBox(TComponent* AOwner);

  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle value);
  bool AutoScroll() const { return FAutoScroll; }
  void SetAutoScroll(bool value);
  // How far the content is scrolled.
  TPoint ScrollPos() const { return TPoint(FScrollX, FScrollY); }
  // Moves the content so that x, y of it is at the top-left corner.
  void ScrollTo(int x, int y);
  // Scrolls the least needed to show control.
  void ScrollInView(TControl* control);
  // The farthest the content can be scrolled each way.
  TPoint ScrollRange() const;

  void WndProc(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void UpdateScrollBars();

private:
  void Scroll(int bar, int code);

  TBorderStyle FBorderStyle = bsSingle;
  bool FAutoScroll = true;
  int FScrollX = 0;
  int FScrollY = 0;
  int FRangeX = 0;
  int FRangeY = 0;
  bool FUpdating = false;
};
