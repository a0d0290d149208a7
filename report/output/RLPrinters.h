#pragma once
// The report library's one road to the printer: the printer list and the
// selected printer, the report's paper in the device mode, the printer's
// resolution and margins, copies, duplex, the odd/even choice, the driver's
// properties and the print jobs.
#include "platform/classes/Strings.h"
#include "report/components/RLReport.h"
#include <memory>

class TCanvas;

enum TRLPrintOddEvenPages : uint8_t { odOddPagesOnly, odEvenPagesOnly, odAllPages };

struct TPrinterInfo {
  String PrinterName, PrinterPort, ServerName, ShareName;
};

class TRLPrinterWrapper {
public:
  TRLPrinterWrapper();
  ~TRLPrinterWrapper();

  // Entries "name|port", the port "?" until it is read.
  TStringList* Printers();
  String GetPrinterNames(int AIndex);
  String GetPrinterPorts(int AIndex);
  String GetPrinterDisplays(int AIndex);

  int PrinterIndex();
  void SetPrinterIndex(int value);
  String PrinterName();
  // Selects the first printer of that name; " on " and what follows it are
  // left out on both sides, and case does not count.
  void SetPrinterName(const String& value);
  String PrinterPort();
  void Refresh();

  // The paper of the coming job. A size no standard paper has goes to the
  // driver's own paper of that size when it lists one, else (and always
  // when AForceEmulation) as a user size in tenths of a millimetre.
  void SetPaperSize(double APaperWidthMM, double APaperHeightMM, bool AOrientationLandscape, bool AForceEmulation,
                    bool ASetPaperBin);
  // The 300-dpi Letter defaults when the printer cannot be asked.
  void LoadMetrics(TRLPrinterMetrics& APrinterMetrics);

  int Copies();
  void SetCopies(int value);
  bool SupportsDuplex();
  bool Duplex();
  void SetDuplex(bool value);
  TRLPrintOddEvenPages OddEven() const { return FOddEven; }
  void SetOddEven(TRLPrintOddEvenPages value) { FOddEven = value; }
  bool SetupEnabled() const { return true; }
  bool ExecuteSetup();

  void BeginDoc(const String& ATitle);
  void NewPage();
  void EndDoc();
  // Ends a job left open by an error, discarding it.
  void Abort();
  bool Printing();
  TCanvas* Canvas();

  double CustomWidth() const { return FCustomWidth; }
  double CustomHeight() const { return FCustomHeight; }

private:
  bool PrinterAvailable();
  void LoadPrinterList();
  void ResetPrinterDeviceMode();
  TPrinterInfo ReadPrinterInfo();
  int DriverPaperCode(const String& ADevice, const String& APort, double AWidthMM, double AHeightMM);
  void ApplyPaperToDeviceMode(int APaperCode, double AWidthMM, double AHeightMM, int AOrientation, bool AEmulate);

  std::unique_ptr<TStringList> FPrinters;
  double FCustomWidth = 0;
  double FCustomHeight = 0;
  TRLPrintOddEvenPages FOddEven = odAllPages;
};

// The library's one instance, made on first use; freed at shut-down.
TRLPrinterWrapper* SharedPrinterWrapper();
void FreeSharedPrinterWrapper();
