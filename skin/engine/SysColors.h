#pragma once
// The skin's answers for the system colours, used while ChangeSysColors is
// on. The process's own colour functions are never patched: only drawing
// that asks through these answers sees skin colours.
#include "platform/ui/graphics/Graphics.h"

class TsSkinManager;

// The skin's colour for a system colour index (COLOR_WINDOW...); ColorNone
// where the platform's own colour stays.
TColor SkinSysColor(const TsSkinManager& Manager, int Index);
// The colour a pen asked for in Color is drawn with: system colour indexes
// and the two light greys take the skin's colours, any other colour stays.
TColor SkinPenColor(const TsSkinManager& Manager, TColor Color);
