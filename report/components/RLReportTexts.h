#pragma once
// The library texts the report controls raise in their errors.
#include "platform/rtl/String.h"

struct TRLControlTexts {
  String LS_NotFoundStr;
  String LS_InvalidNameStr;
  String LS_DuplicateNameStr;
};

const TRLControlTexts& ReportTexts();
