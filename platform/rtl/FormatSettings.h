#pragma once
// Number, date and currency conventions of the system. They are fixed to
// Brazilian Portuguese and never read from the machine's locale, so every
// workstation formats amounts and dates alike.
#include "platform/rtl/String.h"

struct TFormatSettings {
  char16_t DecimalSeparator = u',';
  char16_t ThousandSeparator = u'.';
  char16_t DateSeparator = u'/';
  char16_t TimeSeparator = u':';
  char16_t ListSeparator = u';';
  String ShortDateFormat = u"dd/mm/yyyy";
  String LongDateFormat = u"dddd, d' de 'mmmm' de 'yyyy";
  String ShortTimeFormat = u"hh:nn";
  String LongTimeFormat = u"hh:nn:ss";
  String TimeAMString = u"AM";
  String TimePMString = u"PM";
  String CurrencyString = u"R$";
  // Placement of the symbol as the platform numbers it: 0 "R$1", 1 "1R$",
  // 2 "R$ 1", 3 "1 R$"; NegCurrFormat 9 is "-R$ 1".
  unsigned char CurrencyFormat = 2;
  unsigned char NegCurrFormat = 9;
  unsigned char CurrencyDecimals = 2;
  // Two-digit years are read within this many years before the current one;
  // 0 keeps them in the current century.
  int TwoDigitYearCenturyWindow = 50;
  String ShortMonthNames[12] = {u"jan", u"fev", u"mar", u"abr", u"mai", u"jun",
                                u"jul", u"ago", u"set", u"out", u"nov", u"dez"};
  String LongMonthNames[12] = {u"janeiro", u"fevereiro", u"mar\u00E7o", u"abril",
                               u"maio",    u"junho",     u"julho",      u"agosto",
                               u"setembro", u"outubro",  u"novembro",   u"dezembro"};
  // Index 0 is Sunday, as DayOfWeek(...) - 1.
  String ShortDayNames[7] = {u"dom", u"seg", u"ter", u"qua", u"qui", u"sex", u"s\u00E1b"};
  String LongDayNames[7] = {u"domingo",       u"segunda-feira", u"ter\u00E7a-feira",
                            u"quarta-feira",  u"quinta-feira",  u"sexta-feira",
                            u"s\u00E1bado"};
};

// The Brazilian settings, as a fresh copy.
TFormatSettings BrazilianFormatSettings();

// The settings every routine uses when none is passed. Tests and code that
// need other conventions pass their own TFormatSettings to the overloads.
extern TFormatSettings FormatSettings;
