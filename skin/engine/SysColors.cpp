#include "skin/engine/SysColors.h"
#include "skin/engine/SkinManager.h"
#include "skin/graphics/ColorFuncs.h"

namespace {
TColor MainMix(const TsSkinManager& Manager, TColor With) {
  return BlendColorPair(Manager.Model.Palette[pcMainColor], With, 0.8);
}
}  // namespace

TColor SkinSysColor(const TsSkinManager& Manager, int Index) {
  const auto& p = Manager.Model.Palette;
  switch (Index) {
    case COLOR_WINDOW: return p[pcEditBG];
    case COLOR_WINDOWFRAME: return p[pcBorder];
    case COLOR_WINDOWTEXT: return p[pcEditText];
    case COLOR_HIGHLIGHT: return p[pcSelectionBG_Focused];
    case COLOR_HIGHLIGHTTEXT: return p[pcSelectionText_Focused];
    case COLOR_BTNSHADOW:
    case COLOR_3DDKSHADOW: return MainMix(Manager, 0);
    case COLOR_3DLIGHT: return MainMix(Manager, 0xFFFFFF);
    default: return ColorNone;
  }
}

TColor SkinPenColor(const TsSkinManager& Manager, TColor Color) {
  const auto& p = Manager.Model.Palette;
  switch (Color) {
    case 5: return p[pcEditBG];
    case 6: return p[pcBorder];
    case 13: return p[pcSelectionBG_Focused];
    case 14: return p[pcSelectionText_Focused];
    case 15: return p[pcMainColor];
    case 16:
    case 21: return MainMix(Manager, 0);
    case 22: return MainMix(Manager, 0xFFFFFF);
    case 0xC0C0C0:
    case 0xF0F0F0: return BlendColorPair(p[pcEditText], p[pcEditBG], 0.15);
    default: return Color;
  }
}
