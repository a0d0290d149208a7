#pragma once
// One line of text on a band: measured with the control's font when it
// sizes itself, recorded as one text object aligned in its rectangle. The
// data and system texts derive from it and only compute the caption.
#include "report/components/RLCustomControl.h"

class TRLCustomLabel : public TRLCustomControl {
public:
  explicit TRLCustomLabel(TComponent* AOwner);

  void MeasureNaturalSize(int& Width, int& Height) override;
  void EmitToSurface() override;

protected:
  void Paint() override;
  // The caption, or the component's name when there is none and no report
  // is being prepared.
  String MeasuredText() const;
};

class TRLLabel : public TRLCustomLabel {
public:
  using TRLCustomLabel::TRLCustomLabel;
};

// The codes a recorded text carries for its alignment and layout.
uint8_t TextAlignmentCode(TRLTextAlignment value);
uint8_t TextLayoutCode(TRLTextLayout value);
