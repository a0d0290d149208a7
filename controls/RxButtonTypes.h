#pragma once
// Button types of the library's buttons.
#include "platform/ui/UiTypes.h"

#include <cstdint>

enum TButtonLayout : uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonStyle : uint8_t { bsAutoDetect, bsWin31, bsNew };
