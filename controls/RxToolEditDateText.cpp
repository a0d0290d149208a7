#include "controls/RxToolEditDateText.h"

#include "controls/RxResConst.h"
#include "platform/rtl/Format.h"

bool UsesFourDigitYear(TYearDigits digits) {
  return digits == TYearDigits::dyFour ||
         (digits == TYearDigits::dyDefault && FourDigitYearFormat());
}

String DateEditFormat(TYearDigits digits, StringView shortDateFormat) {
  const bool four = UsesFourDigitYear(digits);
  switch (DateOrderOf(shortDateFormat)) {
    case TDateOrder::doMDY: return four ? u"MM/DD/YYYY" : u"MM/DD/YY";
    case TDateOrder::doYMD: return four ? u"YYYY/MM/DD" : u"YY/MM/DD";
    case TDateOrder::doDMY: break;
  }
  return four ? u"DD/MM/YYYY" : u"DD/MM/YY";
}

String DateEditMask(TYearDigits digits, StringView shortDateFormat, char16_t blanksChar) {
  String mask;
  if (!UsesFourDigitYear(digits)) mask = u"!99/99/99;1;";
  else if (DateOrderOf(shortDateFormat) == TDateOrder::doYMD) mask = u"!9999/99/99;1;";
  else mask = u"!99/99/9999;1;";
  return mask + blanksChar;
}

bool HasDateText(StringView text, char16_t blanksChar, char16_t dateSeparator) {
  for (char16_t c : text) {
    if (c != u'\0' && c != u' ' && c != dateSeparator && c != blanksChar) return true;
  }
  return false;
}

String DateRangeMessage(TDateTime value, TDateTime minDate, TDateTime maxDate,
                        StringView dateFormat) {
  auto show = [&](TDateTime d) { return FormatDateTime(dateFormat, d); };
  const bool hasMin = minDate != EmptyDate, hasMax = maxDate != EmptyDate;
  if (value == EmptyDate) return String();
  if (hasMin && hasMax && (value < minDate || value > maxDate))
    return Format(LibraryText(SDateOutOfRange), {show(value), show(minDate), show(maxDate)});
  if (hasMin && value < minDate)
    return Format(LibraryText(SDateOutOfMin), {show(value), show(minDate)});
  if (hasMax && value > maxDate)
    return Format(LibraryText(SDateOutOfMax), {show(value), show(maxDate)});
  return String();
}
