#pragma once
// Bounds in real units, stored with the form; nothing moves by them.
#include "platform/classes/Component.h"
#include "report/components/RLTypes.h"

class TRLCustomControl;

class TRLRealBounds : public TPersistent {
public:
  explicit TRLRealBounds(TRLCustomControl* AOwner) : FParentControl(AOwner) {}

  TRLCustomControl* ParentControl() const { return FParentControl; }
  void SetParentControl(TRLCustomControl* value) { FParentControl = value; }
  TRLRealBoundsUnit UsedUnit() const { return FUsedUnit; }
  void SetUsedUnit(TRLRealBoundsUnit value) { FUsedUnit = value; }
  double Left() const { return FLeft; }
  void SetLeft(double value) { FLeft = value; }
  double Top() const { return FTop; }
  void SetTop(double value) { FTop = value; }
  double Width() const { return FWidth; }
  void SetWidth(double value) { FWidth = value; }
  double Height() const { return FHeight; }
  void SetHeight(double value) { FHeight = value; }

  void Assign(const TPersistent& source) override {
    auto* other = dynamic_cast<const TRLRealBounds*>(&source);
    if (!other) return TPersistent::Assign(source);
    FUsedUnit = other->FUsedUnit;
    FLeft = other->FLeft;
    FTop = other->FTop;
    FWidth = other->FWidth;
    FHeight = other->FHeight;
  }

private:
  TRLCustomControl* FParentControl;
  TRLRealBoundsUnit FUsedUnit = buNone;
  double FLeft = 0;
  double FTop = 0;
  double FHeight = 0;
  double FWidth = 0;
};
