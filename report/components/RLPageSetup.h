#pragma once
// The paper of a report: a size from the paper table or one of its own,
// and the orientation.
#include "platform/classes/Component.h"
#include "report/components/RLPaperTable.h"

class TRLCustomReport;

class TRLPageSetup : public TPersistent {
public:
  // The parent report is the owner when the owner is a report.
  explicit TRLPageSetup(TComponent* AOwner);

  TRLCustomReport* ParentReport() const { return FParentReport; }

  TRLPaperSize PaperSize() const { return FPaperSize; }
  // Takes the size from the table unless the new value is fpCustom.
  void SetPaperSize(TRLPaperSize value);
  double PaperWidth() const { return FPaperWidth; }
  // Only for fpCustom, and only a positive size.
  void SetPaperWidth(double value) { SetPaperDimension(FPaperWidth, value); }
  double PaperHeight() const { return FPaperHeight; }
  void SetPaperHeight(double value) { SetPaperDimension(FPaperHeight, value); }
  TRLPageOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TRLPageOrientation value);
  bool ForceEmulation() const { return FForceEmulation; }
  void SetForceEmulation(bool value) { FForceEmulation = value; }

  // The paper as the page lies: width and height swapped in landscape.
  // The setters write the matching field as it is, without checks.
  double OrientedWidth() const { return FOrientation == poLandscape ? FPaperHeight : FPaperWidth; }
  void SetOrientedWidth(double value) { (FOrientation == poLandscape ? FPaperHeight : FPaperWidth) = value; }
  double OrientedHeight() const { return FOrientation == poLandscape ? FPaperWidth : FPaperHeight; }
  void SetOrientedHeight(double value) { (FOrientation == poLandscape ? FPaperWidth : FPaperHeight) = value; }

  void Assign(const TPersistent& source) override;

private:
  void SetPaperDimension(double& field, double value);
  void Changed();

  TRLCustomReport* FParentReport;
  double FPaperHeight;
  double FPaperWidth;
  TRLPaperSize FPaperSize = fpA4;
  TRLPageOrientation FOrientation = poPortrait;
  bool FForceEmulation = false;
};
