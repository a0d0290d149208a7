#pragma once
// The per-control skin data a skinned control answers SKC_GETSKINDATA with.
// For now it carries the hover state the manager's tracking reads and the
// control's animation timer.
#include "platform/classes/Component.h"

class TacThreadedTimer;

class TsCommonData : public TObject {
public:
  bool FMouseAbove = false;
  TacThreadedTimer* AnimTimer = nullptr;  // cleared by the timer when it goes
};
