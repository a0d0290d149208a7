#pragma once
// Button types of the library's buttons.
#include "platform/ui/UiTypes.h"

#include <cstdint>

// The UI library's own button layout, so forms can hold both kinds of button.
#include "platform/ui/Buttons.h"
enum TButtonStyle : uint8_t { bsAutoDetect, bsWin31, bsNew };
