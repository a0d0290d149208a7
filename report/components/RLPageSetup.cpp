#include "report/components/RLPageSetup.h"
#include "report/components/RLSiteKinds.h"

TRLPageSetup::TRLPageSetup(TComponent* AOwner)
    : FParentReport(dynamic_cast<TRLCustomReport*>(AOwner)),
      FPaperHeight(PaperInfo(fpA4).Height),
      FPaperWidth(PaperInfo(fpA4).Width) {}

void TRLPageSetup::SetPaperSize(TRLPaperSize value) {
  if (FPaperSize == value) return;
  FPaperSize = value;
  if (value != fpCustom) {
    FPaperWidth = PaperInfo(value).Width;
    FPaperHeight = PaperInfo(value).Height;
  }
  Changed();
}

void TRLPageSetup::SetPaperDimension(double& field, double value) {
  // A size of zero or less would measure an empty or negative page.
  if (field == value || FPaperSize != fpCustom || value <= 0) return;
  field = value;
  Changed();
}

void TRLPageSetup::SetOrientation(TRLPageOrientation value) {
  if (FOrientation == value) return;
  FOrientation = value;
  Changed();
}

void TRLPageSetup::Changed() {
  if (FParentReport) FParentReport->PageSetupChanged();
}

void TRLPageSetup::Assign(const TPersistent& source) {
  auto* other = dynamic_cast<const TRLPageSetup*>(&source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  SetPaperSize(other->FPaperSize);
  SetOrientation(other->FOrientation);
  SetPaperWidth(other->FPaperWidth);
  SetPaperHeight(other->FPaperHeight);
  FForceEmulation = other->FForceEmulation;
}
