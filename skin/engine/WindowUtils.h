#pragma once
// Small window utilities of the form skinning and the hints.
#include "platform/ui/Forms.h"

// The alpha hints' window when they are active, else a platform hint
// window owned by the application; nil for an empty text without them.
THintWindow* ShowHintAt(const String& Text, TPoint Point);
TRect FormWorkArea(TCustomForm* Form);
// The work area of the first monitor whose work area holds the point;
// all 0 when none does.
TRect PointWorkArea(TPoint Point);
// Heights (top, bottom) or widths (left, right) of the visible children
// aligned so; windowless ones only when WithGraphic.
int AlignedControlsSize(TWinControl* Control, TAlign Align, bool WithGraphic);
// Puts Control directly after Sibling in their parent's child order, so it
// lies in front of it.
void SetChildOrderAfter(TWinControl* Control, TControl* Sibling);
