#pragma once
// Four margins in millimetres with the defaults they are compared with:
// only a margin that differs from its default is stored with the form.
#include "platform/classes/Component.h"

class TRLCustomControl;

class TRLMargins : public TPersistent {
public:
  explicit TRLMargins(TRLCustomControl* AOwner);

  TRLCustomControl* ParentControl() const { return FParentControl; }
  void SetParentControl(TRLCustomControl* value) { FParentControl = value; }

  double LeftMargin() const { return FLeftMargin; }
  void SetLeftMargin(double value) { SetMargin(FLeftMargin, value); }
  double TopMargin() const { return FTopMargin; }
  void SetTopMargin(double value) { SetMargin(FTopMargin, value); }
  double RightMargin() const { return FRightMargin; }
  void SetRightMargin(double value) { SetMargin(FRightMargin, value); }
  double BottomMargin() const { return FBottomMargin; }
  void SetBottomMargin(double value) { SetMargin(FBottomMargin, value); }

  // Sets the four defaults and the four margins at once.
  void SetDefaults(double left, double top, double right, double bottom);

  // Whether the margin differs from its default (and so is stored).
  bool LeftMarginStored() const { return FLeftMargin != FDefaultLeftMargin; }
  bool TopMarginStored() const { return FTopMargin != FDefaultTopMargin; }
  bool RightMarginStored() const { return FRightMargin != FDefaultRightMargin; }
  bool BottomMarginStored() const { return FBottomMargin != FDefaultBottomMargin; }

  // From other margins, through the setters.
  void Assign(const TPersistent& source) override;

private:
  void SetMargin(double& field, double value);

  TRLCustomControl* FParentControl;
  double FLeftMargin = 0;
  double FTopMargin = 0;
  double FRightMargin = 0;
  double FBottomMargin = 0;
  double FDefaultLeftMargin = 0;
  double FDefaultTopMargin = 0;
  double FDefaultRightMargin = 0;
  double FDefaultBottomMargin = 0;
};
