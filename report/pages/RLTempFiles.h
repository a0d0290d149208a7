#pragma once
// Temporary page files of the page stores, and the stale log file that
// start-up removes. The names are tracked so that shut-down deletes the
// files of stores never freed.
#include "platform/rtl/String.h"

// "." until the library starts.
const String& ReportTempFolder();
void SetReportTempFolder(const String& AFolder);
const String& ReportLogFileName();

void DeleteStaleReportLog();
// The system temporary folder; the current folder is the same afterwards.
String QueryTempFolder();
// A new, empty file "~fr" + number + ".tmp" in the temporary folder,
// created exclusively so that no two callers get the same name.
String MakeTempPageFileName();
void TrackTempFile(const String& AName);
void UntrackTempFile(const String& AName);
void DeleteTrackedTempFiles();
// How many names are tracked (0 when no list exists).
int TrackedTempFileCount();

// Start-up and shut-down of the temporary-file state.
void InitReportTempFiles();
void DoneReportTempFiles();
