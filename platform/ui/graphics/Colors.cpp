#include "platform/ui/graphics/Colors.h"
#include "platform/ui/graphics/SysColorProvider.h"
#include <windows.h>

TColor ColorToRGB(TColor color) {
  if (IsSystemColor(color)) return static_cast<TColor>(SysColorValue(color & 0xFF) & 0xFFFFFF);
  return color & 0xFFFFFF;
}
