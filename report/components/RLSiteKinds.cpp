#include "report/components/RLSiteKinds.h"

void TRLCustomReport::SetPrintQuality(TRLPrintQuality value) {
  if (FPrintQuality == value) return;
  FPrintQuality = value;
  Invalidate();
}

void TRLCustomReport::SetNextReport(TRLCustomReport* value) {
  if (value == this || value == FNextReport) return;
  if (FNextReport) FNextReport->FPriorReport = nullptr;
  FNextReport = value;
  if (value) {
    if (value->FPriorReport) value->FPriorReport->FNextReport = nullptr;
    value->FPriorReport = this;
    value->FreeNotification(this);
  }
}

void TRLCustomReport::SetPriorReport(TRLCustomReport* value) {
  if (value == this || value == FPriorReport) return;
  if (FPriorReport) FPriorReport->FNextReport = nullptr;
  FPriorReport = value;
  if (value) {
    if (value->FNextReport) value->FNextReport->FPriorReport = nullptr;
    value->FNextReport = this;
    value->FreeNotification(this);
  }
}

void TRLCustomReport::PageSetupChanged() {
  AdjustBounds();
  Invalidate();
}

void TRLCustomReport::Notification(TComponent* AComponent, TOperation Operation) {
  TRLCustomSkipper::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FNextReport) FNextReport = nullptr;
  if (AComponent == FPriorReport) FPriorReport = nullptr;
}
