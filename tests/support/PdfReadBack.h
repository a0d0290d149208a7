#pragma once
// Reads back what a print job became: cups-pdf writes each job of the test
// run's queue as $HOME/PDF/<title>*.pdf, read here with pdfinfo/pdftotext.
#include <string>
#include <vector>

struct PdfPage {
  // Points, as the page is viewed (a landscape page is turned by 90).
  double width = 0, height = 0;
};

struct PdfDocument {
  std::string path;
  std::vector<PdfPage> pages;
  std::string text;
};

// A title no other job of any run shares.
std::string UniqueJobTitle(const std::string& stem);
// Waits (up to timeoutMs) for the job's PDF to be complete; empty path when
// none came.
PdfDocument WaitForPdf(const std::string& title, int timeoutMs = 60000);
// A PDF as it stood: cups-pdf numbers jobs per server start, so a later run
// can write over an earlier run's file of the same name.
struct PdfStamp {
  std::string path;
  long long modifiedNs = 0;
  long long size = 0;
};
inline bool operator==(const PdfStamp& a, const PdfStamp& b) {
  return a.path == b.path && a.modifiedNs == b.modifiedNs && a.size == b.size;
}
// The PDFs there now whose title starts with stem.
std::vector<PdfStamp> PdfFiles(const std::string& stem);
// The first PDF of a title starting with stem that is new or rewritten since
// before, for jobs whose title is fixed (such as the receipt's).
PdfDocument WaitForNewPdf(const std::string& stem, const std::vector<PdfStamp>& before, int timeoutMs = 60000);
// All PDFs of that title that come within the time, e.g. two jobs of one run.
std::vector<PdfDocument> WaitForPdfs(const std::string& title, size_t count, int timeoutMs = 60000);
