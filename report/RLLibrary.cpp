#include "report/RLLibrary.h"
#include "report/output/RLPrinters.h"
#include "report/output/RLSpoolFilter.h"
#include "report/pages/RLLocaleStrings.h"
#include "report/pages/RLTempFiles.h"
#include "report/pages/RLUtils.h"

void ReportLibraryStartup() {
  InitReportTempFiles();
  SelectLocaleStrings();
}

void ReportLibraryShutdown() {
  FreeSharedSpoolFilter();
  FreeSharedPrinterWrapper();
  DoneReportTempFiles();
  FreeMeasureBitmap();
  ReleaseLocaleStrings();
}
