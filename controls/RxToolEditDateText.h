#pragma once
// The date edit's texts apart from its window: the date format and edit mask
// for the locale's date order and the chosen year digits, whether a masked
// text holds anything, and the messages of dates outside the limits.
#include "controls/RxDateUtil.h"

enum class TYearDigits { dyDefault, dyFour, dyTwo };

bool UsesFourDigitYear(TYearDigits digits);
// "DD/MM/YYYY", "MM/DD/YY", ... in the order of shortDateFormat.
String DateEditFormat(TYearDigits digits, StringView shortDateFormat);
// "!99/99/9999;1;" and the like, followed by the blank character.
String DateEditMask(TYearDigits digits, StringView shortDateFormat, char16_t blanksChar);

// Whether the text holds a character other than #0, a space, the date
// separator and the blank character.
bool HasDateText(StringView text, char16_t blanksChar, char16_t dateSeparator);

// The message of a date outside the limits, empty when it lies within them;
// dates are shown in dateFormat.
String DateRangeMessage(TDateTime value, TDateTime minDate, TDateTime maxDate,
                        StringView dateFormat);
