#pragma once
// What the hint tests share: readable texts and rectangles in failures.
#include "platform/rtl/String.h"
#include "platform/ui/graphics/Geometry.h"
#include <ostream>
#include <string>

inline std::string Utf8(const String& s) { return StringToUtf8(s); }

inline void PrintTo(const TRect& r, std::ostream* os) {
  *os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}
