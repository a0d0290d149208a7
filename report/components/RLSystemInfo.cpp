#include "report/components/RLSystemInfo.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/NumUtils.h"
#include "report/components/RLSiteKinds.h"
#include "report/pages/RLLocaleStrings.h"

namespace {
const char16_t* const ClearMark = u"^CLEAR";

String Braced(const String& macro) { return u"{" + macro + u"}"; }
}  // namespace

String InfoTypeDesignName(TRLInfoType value) {
  static const char16_t* const names[] = {u"CarbonCopy", u"Date",           u"DetailCount", u"FullDate",
                                          u"Hour",       u"Junction",       u"LastPageNumber", u"Mend",
                                          u"Now",        u"PageNumber",     u"PagePreview", u"Title",
                                          u"RecNo",      u"CopyNo"};
  return names[value];
}

TRLCustomSystemInfo::TRLCustomSystemInfo(TComponent* AOwner) : TRLCustomLabel(AOwner) {}

void TRLCustomSystemInfo::SetInfo(TRLInfoType value) {
  if (value == FInfoType) return;
  FInfoType = value;
  RefreshCaption();
}

void TRLCustomSystemInfo::SetText(const String& value) {
  if (value == FText) return;
  FText = value;
  RefreshCaption();
}

String TRLCustomSystemInfo::InfoValue() {
  if (!IsPreparing()) {
    if (!FriendlyName().empty()) return FriendlyName();
    if (FInfoType == itPagePreview)
      return u"(" + InfoTypeDesignName(itPageNumber) + u")\t(" + InfoTypeDesignName(itLastPageNumber) + u")";
    return u"(" + InfoTypeDesignName(FInfoType) + u")";
  }
  TRLCustomReport* report = RequestParentReport();
  switch (FInfoType) {
    case itCarbonCopy: {
      TRLCustomBand* band = FindParentBand();
      return IntToStr((band ? band->CarbonIndex() : 0) + 1);
    }
    case itDate: return DateToStr(MasterReport()->ReportDateTime());
    case itHour: return TimeToStr(MasterReport()->ReportDateTime());
    case itNow: return DateTimeToStr(MasterReport()->ReportDateTime());
    case itFullDate: return FormatDateTime(FormatSettings.LongDateFormat, MasterReport()->ReportDateTime());
    case itDetailCount: return IntToStr(RequestParentPager()->DetailCount());
    case itJunction: return JunctionText();
    case itLastPageNumber: return Braced(LastPageMacroKey(*report));
    case itMend: return MendText();
    case itPageNumber: return IntToStr(report->PageNumber());
    case itPagePreview: return IntToStr(report->PageNumber()) + u"\t" + Braced(LastPageMacroKey(*report));
    case itTitle: return report->Title();
    case itRecNo: return IntToStr(RequestParentSkipper()->RecNo());
    case itCopyNo: return IntToStr(RequestParentSkipper()->CopyNo());
  }
  return String();
}

void TRLCustomSystemInfo::AlternativeTexts(String& First, String& Second) const {
  First.clear();
  Second.clear();
  const size_t bar = FText.find(u'|');
  if (bar == String::npos) return;
  String rest = FText.substr(bar + 1);
  const size_t end = rest.find(u'|');
  if (end != String::npos) rest.resize(end);
  const size_t semicolon = rest.find(u';');
  First = rest.substr(0, semicolon);
  if (semicolon != String::npos) Second = rest.substr(semicolon + 1);
}

String TRLCustomSystemInfo::JunctionText() {
  String continuation, ending;
  AlternativeTexts(continuation, ending);
  if (continuation.empty()) continuation = CurrentReportTexts.LS_PageBreakStr;
  if (ending.empty()) ending = CurrentReportTexts.LS_ReportEndStr;
  const bool atEnd = fPrintEndTextOnNextReport ? RequestParentReport()->NextReportState() != nrStart
                                               : LastReport()->ReportState() == rsClosing;
  return atEnd ? ending : continuation;
}

String TRLCustomSystemInfo::MendText() {
  String continuation, beforeFirst;
  AlternativeTexts(continuation, beforeFirst);
  if (continuation.empty()) continuation = CurrentReportTexts.LS_PageMendStr;
  if (beforeFirst.empty()) beforeFirst = ClearMark;
  return RequestParentPager()->DetailCount() <= 0 ? beforeFirst : continuation;
}

void TRLCustomSystemInfo::BuildCaptionText(String& Text) {
  const String value = InfoValue();
  if (value.find(ClearMark) != String::npos) {
    Text.clear();
    return;
  }
  Text = FText.substr(0, FText.find(u'|'));
  // Each tab-separated piece takes the next "#" left, or goes at the end.
  size_t from = 0, start = 0;
  for (;;) {
    const size_t tab = value.find(u'\t', start);
    const String piece = value.substr(start, tab == String::npos ? String::npos : tab - start);
    const size_t mark = Text.find(u'#', from);
    if (mark == String::npos) {
      Text += piece;
      from = Text.size();
    } else {
      Text.replace(mark, 1, piece);
      from = mark + piece.size();
    }
    if (tab == String::npos) break;
    start = tab + 1;
  }
}
