#include "report/components/RLReportTexts.h"

const TRLControlTexts& ReportTexts() {
  static const TRLControlTexts texts{u"Not found", u"Invalid name", u"Name already in use"};
  return texts;
}
