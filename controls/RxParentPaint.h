#pragma once
// Painting what lies under a control inside its parent, for transparent
// controls that compose their look off-screen.
#include "platform/ui/Controls.h"

// The parent's background and its own painting, then every visible
// windowless sibling before the control that overlaps it.
void PaintParentBackground(TControl* control, TCanvas* dest);

enum class TVertAlignment : uint8_t { vaTopJustify, vaCenterJustify, vaBottomJustify };

// Grid cell text on the control's canvas, 2 pixels in from the left and
// placed vertically by vertAlign. The column and row are not used.
void PaintCellTextEx(TCustomControl* control, int col, int row, const String& text,
                     const TRect& rect, TAlignment alignment, TVertAlignment vertAlign,
                     bool wordWrap, bool rightToLeft);
// Word wrap exactly when centred.
void PaintCellText(TCustomControl* control, int col, int row, const String& text,
                   const TRect& rect, TAlignment alignment, TVertAlignment vertAlign,
                   bool rightToLeft);
void PaintCellTextNoBiDi(TCustomControl* control, int col, int row, const String& text,
                         const TRect& rect, TAlignment alignment, TVertAlignment vertAlign,
                         bool wordWrap);
