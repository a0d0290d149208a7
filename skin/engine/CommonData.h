#pragma once
// The per-control skin data a skinned control answers SKC_GETSKINDATA with.
// For now it carries the hover state the manager's tracking reads.
#include "platform/classes/Component.h"

class TsCommonData : public TObject {
public:
  bool FMouseAbove = false;
};
