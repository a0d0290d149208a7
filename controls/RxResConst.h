#pragma once
// The library's user-interface texts by number. The same texts serve every
// user language.
#include "platform/rtl/String.h"

// Numbers of the texts the library itself shows.
constexpr int SDateDlgTitle = 3;
constexpr int SNextYear = 4;
constexpr int SNextMonth = 5;
constexpr int SPrevYear = 6;
constexpr int SPrevMonth = 7;
constexpr int SDateOutOfRange = 12;
constexpr int SDateOutOfMin = 13;
constexpr int SDateOutOfMax = 14;
constexpr int SDateMinLimit = 15;
constexpr int SDateMaxLimit = 16;
constexpr int SDeleteMultipleRecords = 61;

// The text with that number; empty for a number without text.
String LibraryText(int number);
