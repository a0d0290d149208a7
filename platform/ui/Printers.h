#pragma once
// The platform printer: the installed printers, the one selected with its
// device mode, and print jobs drawn through a canvas on the printer's DC.
#include "platform/classes/Strings.h"
#include "platform/rtl/Exceptions.h"
#include "platform/ui/graphics/Canvas.h"
#include <windows.h>
#include <winspool.h>
// winspool.h reserves the names for its A/W pairs; the printer's methods
// own them here.
#undef GetPrinter
#undef SetPrinter
#include <memory>
#include <vector>

enum class TPrinterOrientation : uint8_t { Portrait, Landscape };

class EPrinter : public Exception {
  using Exception::Exception;
};

class TPrinter;

// Draws on the printer's DC: the job's DC while printing, an information
// DC of the selected printer otherwise.
class TPrinterCanvas : public TCanvas {
public:
  explicit TPrinterCanvas(TPrinter* APrinter) : FPrinter(APrinter) {}

protected:
  void CreateHandle() override;

private:
  TPrinter* FPrinter;
};

class TPrinter {
public:
  TPrinter();
  ~TPrinter();
  TPrinter(const TPrinter&) = delete;
  TPrinter& operator=(const TPrinter&) = delete;

  // Names of the installed printers, in the spooler's order.
  TStrings* Printers();
  // -1 selects the default printer; reading gives -1 only when there is
  // no printer at all.
  int PrinterIndex();
  void SetPrinterIndex(int value);
  void Refresh();

  // The selected printer's device, driver and port, and its device mode
  // (a global memory handle owned by the printer object; 0 when none).
  void GetPrinter(String& ADevice, String& ADriver, String& APort, HGLOBAL& ADeviceMode);
  // Selects the printer of that device name; a null device mode makes it
  // take a fresh one from the driver. The printer owns the handle given.
  void SetPrinter(const String& ADevice, const String& ADriver, const String& APort, HGLOBAL ADeviceMode);

  int Copies();
  void SetCopies(int value);
  TPrinterOrientation Orientation();
  void SetOrientation(TPrinterOrientation value);
  const String& Title() const { return FTitle; }
  void SetTitle(const String& value) { FTitle = value; }

  void BeginDoc();
  void NewPage();
  void EndDoc();
  void Abort();
  bool Printing() const { return FPrinting; }
  bool Aborted() const { return FAborted; }
  int PageNumber() const { return FPageNumber; }

  // The job's DC while printing, else an information DC over the current
  // device mode (made afresh after the device mode changed).
  HDC Handle();
  TCanvas* Canvas() { return FCanvas.get(); }
  int PageWidth() { return GetDeviceCaps(Handle(), HORZRES); }
  int PageHeight() { return GetDeviceCaps(Handle(), VERTRES); }

private:
  struct Entry {
    String Device, Driver, Port;
  };
  void LoadEntries();
  void SelectDefault();
  void LoadDeviceMode();
  void FreeDeviceMode();
  void FreeInfoDC();
  // Runs f over the locked device mode; false when there is none.
  template <typename F> bool WithDeviceMode(F f);

  std::vector<Entry> FEntries;
  bool FEntriesLoaded = false;
  std::unique_ptr<TStringList> FNames;
  int FPrinterIndex = -1;
  HGLOBAL FDeviceMode = nullptr;
  HDC FInfoDC = nullptr;
  HDC FJobDC = nullptr;
  std::unique_ptr<TPrinterCanvas> FCanvas;
  String FTitle;
  bool FPrinting = false;
  bool FAborted = false;
  int FPageNumber = 0;
};

// The process's printer, made on first use and freed when the program ends.
TPrinter* Printer();
