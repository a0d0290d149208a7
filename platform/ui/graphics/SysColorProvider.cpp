#include "platform/ui/graphics/SysColorProvider.h"

namespace {
TSysColorProvider* Current = nullptr;
}

void SetSysColorProvider(TSysColorProvider* Provider) { Current = Provider; }
TSysColorProvider* CurrentSysColorProvider() { return Current; }

COLORREF SysColorValue(int Index) {
  if (Current) {
    const TColor c = Current->SysColor(Index);
    if (c >= 0) return static_cast<COLORREF>(c & 0xFFFFFF);
  }
  return GetSysColor(Index);
}

HBRUSH SysColorBrush(int Index) {
  if (Current)
    if (HBRUSH brush = Current->SysColorBrush(Index)) return brush;
  return GetSysColorBrush(Index);
}

HPEN CreateSysPen(int Style, int Width, COLORREF Color) {
  return CreatePen(Style, Width, Current ? Current->PenColor(Color) : Color);
}
