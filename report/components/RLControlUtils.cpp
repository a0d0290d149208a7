#include "report/components/RLControlUtils.h"
#include "report/components/RLSiteKinds.h"

bool IsPlainReportControl(const TControl* control) {
  return dynamic_cast<const TRLCustomControl*>(control) && !dynamic_cast<const TRLCustomSite*>(control);
}

TRLControlAlign AlignOf(const TControl* control) {
  if (auto* rl = dynamic_cast<const TRLCustomControl*>(control)) return rl->Align();
  switch (control->Align()) {
    case alTop: return faTop;
    case alBottom: return faBottom;
    case alLeft: return faLeft;
    case alRight: return faRight;
    case alClient: return faClient;
    default: return faNone;
  }
}

TRLControlAnchors AnchorsOf(const TControl* control) {
  if (auto* rl = dynamic_cast<const TRLCustomControl*>(control)) return rl->Anchors();
  TRLControlAnchors anchors;
  TAnchors own = control->Anchors();
  if (own.Contains(akLeft)) anchors.Include(fkLeft);
  if (own.Contains(akTop)) anchors.Include(fkTop);
  if (own.Contains(akRight)) anchors.Include(fkRight);
  if (own.Contains(akBottom)) anchors.Include(fkBottom);
  return anchors;
}

int AbsoluteLeft(const TControl* control) {
  int left = 0;
  for (const TControl* c = control; c; c = c->Parent()) left += c->Left();
  return left;
}

int AbsoluteTop(const TControl* control) {
  int top = 0;
  for (const TControl* c = control; c; c = c->Parent()) top += c->Top();
  return top;
}

TPoint AbsolutePosition(const TControl* control) { return TPoint(AbsoluteLeft(control), AbsoluteTop(control)); }

int ParentRelativeLeft(const TControl* control, int absoluteLeft) {
  return control->Parent() ? absoluteLeft - AbsoluteLeft(control->Parent()) : absoluteLeft;
}

int ParentRelativeTop(const TControl* control, int absoluteTop) {
  return control->Parent() ? absoluteTop - AbsoluteTop(control->Parent()) : absoluteTop;
}

TPoint ParentRelativePosition(const TControl* control, TPoint absolute) {
  return TPoint(ParentRelativeLeft(control, absolute.X), ParentRelativeTop(control, absolute.Y));
}

TRLCustomReport* AsReport(TControl* control) { return dynamic_cast<TRLCustomReport*>(control); }
