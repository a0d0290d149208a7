#include "support/PdfReadBack.h"
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <sstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {
std::string PdfFolder() {
  const char* home = std::getenv("HOME");
  return std::string(home ? home : "/root") + "/PDF";
}

std::string Run(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    pclose(pipe);
  }
  return out;
}

std::vector<std::string> MatchingFiles(const std::string& title) {
  std::vector<std::string> found;
  if (DIR* dir = opendir(PdfFolder().c_str())) {
    while (dirent* entry = readdir(dir)) {
      std::string name = entry->d_name;
      if (name.compare(0, title.size(), title) == 0 && name.size() > 4 && name.substr(name.size() - 4) == ".pdf")
        found.push_back(PdfFolder() + "/" + name);
    }
    closedir(dir);
  }
  return found;
}

// The run's queue has no job waiting or being written. cups-pdf writes a
// job's file before CUPS counts the job as done, so once the queue is idle
// every earlier job's PDF is whole and in place. Without a private server
// there is nothing to ask, and nothing to wait for.
bool QueueIdle() {
  const char* server = std::getenv("CUPS_SERVER");
  if (!server || !*server) return true;
  return Run("lpstat -o 2>/dev/null").find_first_not_of(" \t\r\n") == std::string::npos;
}

void WaitForIdleQueue(int timeoutMs) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!QueueIdle() && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
}

bool ReadPdf(const std::string path, PdfDocument& doc) {
  std::string info = Run("pdfinfo -f 1 -l 9999 '" + path + "' 2>/dev/null");
  if (info.find("Pages:") == std::string::npos) return false;
  doc = PdfDocument();
  doc.path = path;
  std::istringstream lines(info);
  std::string line;
  while (std::getline(lines, line)) {
    // "Page    1 size: 595 x 842 pts (A4)"
    if (line.rfind("Page ", 0) == 0 && line.find(" size:") != std::string::npos) {
      PdfPage page;
      std::sscanf(line.c_str() + line.find(" size:") + 6, "%lf x %lf", &page.width, &page.height);
      doc.pages.push_back(page);
    }
    // "Page    1 rot:   90"
    if (line.rfind("Page ", 0) == 0 && line.find(" rot:") != std::string::npos) {
      int page = 0, rotation = 0;
      std::sscanf(line.c_str() + 5, "%d", &page);
      std::sscanf(line.c_str() + line.find(" rot:") + 5, "%d", &rotation);
      if (page >= 1 && page <= static_cast<int>(doc.pages.size()) && rotation % 180 != 0)
        std::swap(doc.pages[page - 1].width, doc.pages[page - 1].height);
    }
  }
  doc.text = Run("pdftotext -layout '" + path + "' - 2>/dev/null");
  return !doc.pages.empty();
}

std::vector<PdfStamp> Stamps(const std::string& stem) {
  std::vector<PdfStamp> stamps;
  for (const std::string& file : MatchingFiles(stem)) {
    struct stat info {};
    if (stat(file.c_str(), &info) != 0) continue;
    stamps.push_back({file, info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec, info.st_size});
  }
  return stamps;
}
}  // namespace

std::vector<PdfStamp> PdfFiles(const std::string& stem) {
  // A job of an earlier test may still be on its way; its PDF must count
  // as "before", or it would pass for the next job's.
  WaitForIdleQueue(120000);
  return Stamps(stem);
}

PdfDocument WaitForNewPdf(const std::string& stem, const std::vector<PdfStamp>& before, int timeoutMs) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    // A file still being written may read as whole for a moment (poppler
    // mends a missing cross-reference table): it counts once the queue is
    // idle.
    const bool idle = QueueIdle();
    for (const PdfStamp& stamp : Stamps(stem)) {
      if (!idle || std::find(before.begin(), before.end(), stamp) != before.end()) continue;
      PdfDocument doc;
      if (ReadPdf(stamp.path, doc)) return doc;
    }
    if (std::chrono::steady_clock::now() > deadline) return PdfDocument();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
}

std::string UniqueJobTitle(const std::string& stem) {
  static int counter = 0;
  return "brq_" + stem + "_" + std::to_string(getpid()) + "_" + std::to_string(++counter) + "_" +
         std::to_string(std::chrono::steady_clock::now().time_since_epoch().count() % 1000000);
}

std::vector<PdfDocument> WaitForPdfs(const std::string& title, size_t count, int timeoutMs) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  std::vector<PdfDocument> docs;
  for (;;) {
    const bool idle = QueueIdle();
    std::vector<std::string> files = MatchingFiles(title);
    docs.clear();
    for (const std::string& file : files) {
      if (!idle) break;
      PdfDocument doc;
      if (ReadPdf(file, doc)) docs.push_back(doc);
    }
    if (docs.size() >= count || std::chrono::steady_clock::now() > deadline) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
  std::sort(docs.begin(), docs.end(), [](const PdfDocument& a, const PdfDocument& b) { return a.path < b.path; });
  return docs;
}

PdfDocument WaitForPdf(const std::string& title, int timeoutMs) {
  std::vector<PdfDocument> docs = WaitForPdfs(title, 1, timeoutMs);
  return docs.empty() ? PdfDocument() : docs.front();
}
