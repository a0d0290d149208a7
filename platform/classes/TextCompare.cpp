#include "platform/classes/TextCompare.h"
#include <windows.h>

namespace {
int Compare(StringView s1, StringView s2, DWORD flags) {
  int r = CompareStringW(LOCALE_USER_DEFAULT, flags, reinterpret_cast<LPCWSTR>(s1.data()),
                         static_cast<int>(s1.size()), reinterpret_cast<LPCWSTR>(s2.data()),
                         static_cast<int>(s2.size()));
  if (r == 0) return s1.compare(s2);  // cannot happen for valid arguments
  return r - CSTR_EQUAL;
}
}  // namespace

int LocaleCompareText(StringView s1, StringView s2) { return Compare(s1, s2, NORM_IGNORECASE); }
int LocaleCompareStr(StringView s1, StringView s2) { return Compare(s1, s2, 0); }
