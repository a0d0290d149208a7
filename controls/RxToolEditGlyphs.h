#pragma once
// The default button glyphs of the date and numeric edits: two images side
// by side (normal and disabled) on the glyphs' transparent magenta. Made on
// first use, kept for the whole run; callers must not free them.
#include "platform/ui/graphics/Graphics.h"

TBitmap* DateEditGlyph();
TBitmap* NumEditGlyph();
