#include "report/components/RLMargins.h"
#include "report/components/RLCustomControl.h"

TRLMargins::TRLMargins(TRLCustomControl* AOwner) : FParentControl(AOwner) {}

void TRLMargins::SetMargin(double& field, double value) {
  if (field == value) return;
  field = value;
  if (!FParentControl) return;
  FParentControl->AdjustBounds();
  FParentControl->Invalidate();
}

void TRLMargins::SetDefaults(double left, double top, double right, double bottom) {
  FDefaultLeftMargin = left;
  FDefaultTopMargin = top;
  FDefaultRightMargin = right;
  FDefaultBottomMargin = bottom;
  SetLeftMargin(left);
  SetTopMargin(top);
  SetRightMargin(right);
  SetBottomMargin(bottom);
}

void TRLMargins::Assign(const TPersistent& source) {
  auto* other = dynamic_cast<const TRLMargins*>(&source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  SetLeftMargin(other->FLeftMargin);
  SetTopMargin(other->FTopMargin);
  SetRightMargin(other->FRightMargin);
  SetBottomMargin(other->FBottomMargin);
}
