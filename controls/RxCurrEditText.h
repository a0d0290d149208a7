#pragma once
// The text rules of the numeric edits, apart from any window: what a typed
// key or a pasted text does to the number, how the value is rounded and kept
// within its bounds, and the texts shown while editing and while not.
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/String.h"

// The settings of one numeric edit that decide what its text may hold.
struct TNumEditRules {
  unsigned DecimalPlaces = 2;
  bool DecimalPlaceRound = false;
  double MinValue = 0;
  double MaxValue = 0;
};

// Text the control itself wrote (or the user typed through the key filter):
// blanks trimmed, thousands separators dropped, a '.' or ',' that is
// neither separator read as the decimal one; "" reads as "0", "-" as "-0",
// ",5" as "0,5".
String NormalizeNumberText(StringView s, const TFormatSettings& fs = FormatSettings);

// Text from outside (written to Text, pasted): thousands separators count as
// such only where they group the integer digits in threes; a single one in a
// text without a decimal separator ("1.5") is the decimal separator, so that
// an amount never silently grows tenfold. Anything else is left for the
// conversion to refuse.
String NormalizeEnteredNumberText(StringView s, const TFormatSettings& fs = FormatSettings);

// Only signs, digits, exponent letters and the decimal separator, and the
// whole (up to 127 characters) converts.
bool IsValidNumberText(StringView s, double& value, const TFormatSettings& fs = FormatSettings);

// Rounds to `places` decimals, halves away from zero.
double RoundDecimalPlaces(double x, unsigned places);

// Rounds (with DecimalPlaceRound) and keeps x within the bounds; equal bounds
// mean none, and with crossed bounds a zero bound is no bound. With
// raiseError an out-of-range x raises ERangeError
// "Value must be between 0,00 and 100,00" instead.
double ClampNumber(double x, const TNumEditRules& rules, bool raiseError);

// The plain text shown while editing: "0.##" with DecimalPlaces '#', empty
// for zero with zeroEmpty.
String NumberEditText(double value, const TNumEditRules& rules, bool zeroEmpty);

// The text shown while the control is not being edited.
String NumberDisplayText(double value, StringView displayFormat);

// The currency format of the locale: ",0.00" with the currency decimals and
// the symbol placed as the currency format says, then ";-" and the same, so
// that negatives carry a leading minus ("R$ ,0.00;-R$ ,0.00").
String CurrencyDisplayFormat(const TFormatSettings& fs = FormatSettings);

// Thousands separators between the integer digits (when on); sign, decimals
// and exponent untouched.
String GroupThousands(StringView s, bool on, const TFormatSettings& fs = FormatSettings);

// What a typed character becomes before it is judged: a '.' or ',' is the
// decimal separator when the text, its selection replaced, holds none yet
// (also the thousands separator: typing it in an amount means the decimal
// point); otherwise a thousands separator stays as typed, and the key filter
// refuses it.
char16_t TranslateNumberKey(char16_t key, StringView text, int selStart, int selLength,
                            const TFormatSettings& fs = FormatSettings);

// Whether the text with its selection (0-based start, length) replaced by
// key is still a number the edit accepts: no more decimals than allowed, no
// negative number when only positive values are in range, and no typed
// thousands separator (the text would show a number it does not hold).
bool IsValidNumberKey(char16_t key, StringView text, int selStart, int selLength,
                      const TNumEditRules& rules, const TFormatSettings& fs = FormatSettings);
