#include "controls/RxToolEditLayout.h"

#include <algorithm>

TRect ButtonHolderBounds(int width, int height, int buttonWidth, bool newStyle, bool ctl3D,
                         bool singleBorder) {
  if (!newStyle || !singleBorder) return Bounds(width - buttonWidth, 0, buttonWidth, height);
  if (ctl3D) return Bounds(width - buttonWidth - 4, 0, buttonWidth, height - 4);
  return Bounds(width - buttonWidth - 2, 2, buttonWidth, height - 4);
}

TEllipsisGlyphLayout EllipsisGlyphLayout(int buttonWidth) {
  TEllipsisGlyphLayout g;
  g.Width = std::max(1, buttonWidth - 6);
  int gap = std::clamp((g.Width - 6) / 2, 1, 3);
  const int start = (g.Width - 6 - 2 * gap) / 2;
  g.DotX[0] = start;
  g.DotX[1] = start + gap + 2;
  g.DotX[2] = start + 2 * gap + 4;
  return g;
}

TPoint ComboPopupOrigin(const TRect& editScreen, TSize popup, TSize screen, TPopupAlign align) {
  TPoint p = editScreen.TopLeft();
  int y = p.Y + editScreen.Height();
  if (y + popup.cy > screen.cy) y = p.Y - popup.cy;
  if (align == TPopupAlign::epaRight) {
    p.X = p.X + editScreen.Width() - popup.cx;
    if (p.X < 0) p.X = editScreen.Left;
  } else if (p.X + popup.cx > screen.cx) {
    p.X = p.X + editScreen.Width() - popup.cx;
  }
  if (p.X < 0) p.X = 0;
  else if (p.X + popup.cx > screen.cx) p.X = screen.cx - popup.cx;
  return TPoint(p.X, y);
}

TPoint DateDialogOrigin(TPoint anchorOrigin, TSize anchor, TSize dialog, TSize screen) {
  int top = anchorOrigin.Y + anchor.cy - 1;
  if (top + dialog.cy > screen.cy) top = anchorOrigin.Y - dialog.cy + 1;
  if (top < 0) top = anchorOrigin.Y + anchor.cy - 1;
  int left = anchorOrigin.X + anchor.cx - dialog.cx;
  if (left + dialog.cx > screen.cx) left = screen.cx - dialog.cx;
  if (left < 0) left = std::max(anchorOrigin.X, 0);
  return TPoint(left, top);
}
