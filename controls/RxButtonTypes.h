#pragma once
// Button types of the library's buttons.
#include "platform/ui/Buttons.h"  // TButtonLayout
#include "platform/ui/UiTypes.h"

#include <cstdint>

enum TButtonStyle : uint8_t { bsAutoDetect, bsWin31, bsNew };
