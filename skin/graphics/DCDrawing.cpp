#include "skin/graphics/DCDrawing.h"
#include "platform/ui/Controls.h"

bool SkipGraphicChildClip = false;

namespace {
// Saves the DC's state and owns one solid brush for the length of a fill.
class TSolidFill {
public:
  TSolidFill(HDC dc, TColor color) : FDC(dc), FSaved(SaveDC(dc)), FBrush(CreateSolidBrush(ColorToRGB(color))) {}
  ~TSolidFill() {
    RestoreDC(FDC, FSaved);
    if (FBrush) DeleteObject(FBrush);
  }
  TSolidFill(const TSolidFill&) = delete;
  TSolidFill& operator=(const TSolidFill&) = delete;
  void Fill(int left, int top, int right, int bottom) const {
    RECT r{left, top, right, bottom};
    if (FBrush) FillRect(FDC, &r, FBrush);
  }

private:
  HDC FDC;
  int FSaved;
  HBRUSH FBrush;
};
}  // namespace

void FillDCRect(HDC DC, const TRect& R, TColor Color) {
  TSolidFill fill(DC, Color);
  fill.Fill(R.Left, R.Top, R.Right, R.Bottom);
}

void FillDCFrame(HDC DC, const TRect& R, int LeftWidth, int TopWidth, int RightWidth, int BottomWidth,
                 TColor Color) {
  TSolidFill fill(DC, Color);
  fill.Fill(R.Left, R.Top, R.Right, R.Top + TopWidth);
  fill.Fill(R.Left, R.Top + TopWidth, R.Left + LeftWidth, R.Bottom);
  fill.Fill(R.Left + LeftWidth, R.Bottom - BottomWidth, R.Right, R.Bottom);
  fill.Fill(R.Right - RightWidth, R.Top + TopWidth, R.Right, R.Bottom - BottomWidth);
}

void BlitBorderStrips(HDC DstDC, int X, int Y, int Width, int Height, HDC SrcDC, int SrcX, int SrcY, int Border) {
  BitBlt(DstDC, X, Y, Border, Height, SrcDC, SrcX, SrcY, SRCCOPY);
  BitBlt(DstDC, X + Border, Y, Width, Border, SrcDC, SrcX + Border, SrcY, SRCCOPY);
  BitBlt(DstDC, X + Width - Border, Y + Border, Border, Height, SrcDC, SrcX + Width - Border, SrcY + Border,
         SRCCOPY);
  BitBlt(DstDC, X + Border, Y + Height - Border, Width - Border, Border, SrcDC, SrcX + Border,
         SrcY + Height - Border, SRCCOPY);
}

void ClipGraphicChildren(HDC DC, TWinControl* Control, bool /*Flag*/, int OffsetX, int OffsetY) {
  if (SkipGraphicChildClip || !Control) return;
  for (int i = 0; i < Control->ControlCount(); ++i) {
    TControl* child = Control->Controls(i);
    if (dynamic_cast<TWinControl*>(child) || !child->Visible()) continue;
    ExcludeClipRect(DC, child->Left() + OffsetX, child->Top() + OffsetY, child->Left() + child->Width() + OffsetX,
                    child->Top() + child->Height() + OffsetY);
  }
}
