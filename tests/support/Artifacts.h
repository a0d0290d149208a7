#pragma once
// Where a test keeps a screenshot for people to look at.
#include "platform/rtl/String.h"

// The Windows path of name in the run's artefact folder ($BRQ_ARTIFACTS);
// empty when the run keeps none.
String ArtifactPath(const char* name);
