#pragma once
// Geometry of the edits with a button, apart from any window: where the
// button sits, the dots of the ellipsis glyph, and where a drop-down or the
// date dialog opens on the screen.
#include "platform/ui/graphics/Geometry.h"

enum class TPopupAlign { epaRight, epaLeft };

// The button holder inside an edit of outer size width x height. newStyle:
// the platform's newer control look; ctl3D: sunken 3-D border.
TRect ButtonHolderBounds(int width, int height, int buttonWidth, bool newStyle, bool ctl3D,
                         bool singleBorder);

// Three 2 x 2 dots centred in a monochrome bitmap max(1, buttonWidth - 6)
// wide and 4 high, at y = 1.
struct TEllipsisGlyphLayout {
  int Width = 1;
  int Height = 4;
  int DotX[3] = {0, 0, 0};
  int DotY = 1;
  int DotSize = 2;
};
TEllipsisGlyphLayout EllipsisGlyphLayout(int buttonWidth);

// Where a drop-down of the given size opens for an edit at editScreen:
// below it, or above when it would leave the screen at the bottom; right
// edges aligned (epaRight) or left edges (epaLeft), kept on the screen.
TPoint ComboPopupOrigin(const TRect& editScreen, TSize popup, TSize screen, TPopupAlign align);

// Where the date dialog opens for an anchor whose client area starts at
// anchorOrigin on the screen: just below it, or above when there is no room
// below, right edges aligned, kept on the screen.
TPoint DateDialogOrigin(TPoint anchorOrigin, TSize anchor, TSize dialog, TSize screen);
