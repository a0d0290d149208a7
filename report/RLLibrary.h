#pragma once
// Start-up and shut-down of the report library: the temporary folder, the
// stale log file, the texts of the user's language, the measuring bitmap
// and the temporary page files of stores never freed.
void ReportLibraryStartup();
void ReportLibraryShutdown();

// Starts the library for as long as it lives.
class TRLLibraryScope {
public:
  TRLLibraryScope() { ReportLibraryStartup(); }
  ~TRLLibraryScope() { ReportLibraryShutdown(); }
  TRLLibraryScope(const TRLLibraryScope&) = delete;
  TRLLibraryScope& operator=(const TRLLibraryScope&) = delete;
};
