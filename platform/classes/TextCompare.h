#pragma once
// Locale-aware comparisons, as the user's locale orders and matches text:
// negative, zero or positive like strcmp.
#include "platform/rtl/String.h"

int LocaleCompareText(StringView s1, StringView s2);  // case-insensitive
int LocaleCompareStr(StringView s1, StringView s2);   // case-sensitive
