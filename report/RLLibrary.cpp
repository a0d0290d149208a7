#include "report/RLLibrary.h"
#include "report/pages/RLLocaleStrings.h"
#include "report/pages/RLTempFiles.h"
#include "report/pages/RLUtils.h"

void ReportLibraryStartup() {
  InitReportTempFiles();
  SelectLocaleStrings();
}

void ReportLibraryShutdown() {
  DoneReportTempFiles();
  FreeMeasureBitmap();
  ReleaseLocaleStrings();
}
