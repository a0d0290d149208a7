#include <windows.h>
#include "report/pages/RLLocaleStrings.h"

TRLLocaleStrings CurrentReportTexts;

const TRLLocaleStrings& LocaleStringsFor(uint32_t ALocaleId) {
  switch (ALocaleId & 0x3FF) {
    case 10: return ReportTextsSpanish;
    case 12: return ReportTextsFrench;
    case 16: return ReportTextsItalian;
    case 22: return ReportTextsPortuguese;
    // 29 is the Windows number of Swedish: the German table goes with it,
    // and German users (7) read the English texts.
    case 29: return ReportTextsGerman;
    default: return ReportTextsEnglish;
  }
}

void SelectLocaleStrings() { SelectLocaleStrings(GetThreadLocale()); }

void SelectLocaleStrings(uint32_t ALocaleId) { CurrentReportTexts = LocaleStringsFor(ALocaleId); }

void ReleaseLocaleStrings() { CurrentReportTexts = TRLLocaleStrings(); }

String ReportText(const String& AText) { return AnsiToString(StringToAnsi(AText)); }
