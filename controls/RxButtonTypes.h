#pragma once
// Button types of the library's buttons.
#include <cstdint>

enum TButtonLayout : uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonStyle : uint8_t { bsAutoDetect, bsWin31, bsNew };

// Until the UI library provides it.
enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
