#pragma once
// Small routines every report control and site shares: which control stands
// for a child, its alignment and anchors whatever its class, and absolute
// positions.
#include "platform/ui/Controls.h"
#include "report/components/RLTypes.h"

class TRLCustomReport;

// The control that stands for a child in layout and printing. The platform
// has no frames to look through, so every control stands for itself.
inline TControl* UnwrapControl(TControl* control) { return control; }

// A report control that is not a site.
bool IsPlainReportControl(const TControl* control);

// A report control's alignment; a platform control's mapped from its own.
TRLControlAlign AlignOf(const TControl* control);
TRLControlAnchors AnchorsOf(const TControl* control);

// The control's left and top plus those of every parent.
int AbsoluteLeft(const TControl* control);
int AbsoluteTop(const TControl* control);
TPoint AbsolutePosition(const TControl* control);
// An absolute coordinate or point in the coordinates of the control's
// parent.
int ParentRelativeLeft(const TControl* control, int absoluteLeft);
int ParentRelativeTop(const TControl* control, int absoluteTop);
TPoint ParentRelativePosition(const TControl* control, TPoint absolute);

// The control when it is a report, else nullptr.
TRLCustomReport* AsReport(TControl* control);
