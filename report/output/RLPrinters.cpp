#include "report/output/RLPrinters.h"
#include "platform/classes/Win32Error.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/Printers.h"
#include "report/components/RLPaperTable.h"
#include "report/pages/RLLocaleStrings.h"
#include "report/pages/RLUtils.h"
#include <cmath>
#include <vector>
#include <winspool.h>

namespace {
std::unique_ptr<TRLPrinterWrapper> GSharedPrinterWrapper;

LPWSTR WMutable(String& s) { return reinterpret_cast<LPWSTR>(&s[0]); }
LPCWSTR W(const String& s) { return reinterpret_cast<LPCWSTR>(s.c_str()); }
String FromW(LPCWSTR s) { return s ? String(reinterpret_cast<const char16_t*>(s)) : String(); }

constexpr DWORD PrinterAllAccess = 0xF000C;
constexpr DWORD PrinterAccessUse = 8;

String PrinterNameWithoutPort(const String& AName) {
  size_t at = AName.find(u" on ");
  return at == String::npos ? AName : AName.substr(0, at);
}

// Rounds halves to the even neighbour, as the device mode wants its tenths.
short Tenths(double AMillimetres) { return static_cast<short>(std::nearbyint(AMillimetres * 10)); }

class PrinterHandle {
public:
  PrinterHandle(String AName, DWORD AAccess) {
    PRINTER_DEFAULTSW defaults{};
    defaults.DesiredAccess = AAccess;
    if (!OpenPrinterW(WMutable(AName), &FHandle, &defaults)) FHandle = nullptr;
  }
  ~PrinterHandle() {
    if (FHandle) ClosePrinter(FHandle);
  }
  PrinterHandle(const PrinterHandle&) = delete;
  PrinterHandle& operator=(const PrinterHandle&) = delete;
  HANDLE get() const { return FHandle; }

private:
  HANDLE FHandle = nullptr;
};

std::vector<BYTE> ReadLevel2(HANDLE APrinter, bool& AOk) {
  DWORD needed = 0;
  AOk = false;
  if (!GetPrinterW(APrinter, 2, nullptr, 0, &needed) && GetLastError() != ERROR_INSUFFICIENT_BUFFER) return {};
  if (needed == 0) needed = 32768;
  std::vector<BYTE> buffer(needed, 0);
  AOk = GetPrinterW(APrinter, 2, buffer.data(), needed, &needed) != 0;
  return buffer;
}
}  // namespace

TRLPrinterWrapper* SharedPrinterWrapper() {
  if (!GSharedPrinterWrapper) GSharedPrinterWrapper = std::make_unique<TRLPrinterWrapper>();
  return GSharedPrinterWrapper.get();
}

void FreeSharedPrinterWrapper() { GSharedPrinterWrapper.reset(); }

TRLPrinterWrapper::TRLPrinterWrapper() = default;
TRLPrinterWrapper::~TRLPrinterWrapper() = default;

// ---- printer list ------------------------------------------------------------

void TRLPrinterWrapper::LoadPrinterList() {
  FPrinters->Clear();
  TStrings* names = Printer()->Printers();
  for (int i = 0; i < names->Count(); ++i) FPrinters->Add(names->Strings(i) + u"|?");
}

TStringList* TRLPrinterWrapper::Printers() {
  if (!FPrinters) {
    FPrinters = std::make_unique<TStringList>();
    LoadPrinterList();
  }
  return FPrinters.get();
}

String TRLPrinterWrapper::GetPrinterNames(int AIndex) { return GetDelimitedItem(Printers()->Strings(AIndex), 1); }

String TRLPrinterWrapper::GetPrinterPorts(int AIndex) { return GetDelimitedItem(Printers()->Strings(AIndex), 2); }

String TRLPrinterWrapper::GetPrinterDisplays(int AIndex) {
  if (AIndex == -1) return String();
  String name = GetPrinterNames(AIndex);
  String port = GetPrinterPorts(AIndex);
  if (port != name && port != u"?") return ReportText(name + u" " + CurrentReportTexts.LS_AtStr + u" " + port);
  return name;
}

bool TRLPrinterWrapper::PrinterAvailable() {
  Printers();
  if (Printer()->PrinterIndex() == -1 && Printers()->Count() > 0) Printer()->SetPrinterIndex(0);
  return Printer()->PrinterIndex() != -1;
}

int TRLPrinterWrapper::PrinterIndex() {
  PrinterAvailable();
  return Printer()->PrinterIndex();
}

void TRLPrinterWrapper::SetPrinterIndex(int value) {
  if (value >= 0 && value < Printers()->Count()) Printer()->SetPrinterIndex(value);
}

String TRLPrinterWrapper::PrinterName() {
  if (!PrinterAvailable()) return String();
  int index = PrinterIndex();
  if (index < 0 || index >= Printers()->Count()) return String();
  return GetPrinterNames(index);
}

void TRLPrinterWrapper::SetPrinterName(const String& value) {
  String wanted = PrinterNameWithoutPort(GetDelimitedItem(value, 1));
  for (int i = 0; i < Printers()->Count(); ++i)
    if (AnsiCompareText(PrinterNameWithoutPort(GetPrinterNames(i)), wanted) == 0) {
      SetPrinterIndex(i);
      return;
    }
}

TPrinterInfo TRLPrinterWrapper::ReadPrinterInfo() {
  PrinterHandle printer(PrinterName(), PrinterAccessUse);
  if (!printer.get()) throw Exception(Win32ErrorText(GetLastError()));
  bool ok = false;
  std::vector<BYTE> buffer = ReadLevel2(printer.get(), ok);
  TPrinterInfo result;
  if (!ok) return result;
  const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
  result.PrinterName = FromW(info->pPrinterName);
  result.PrinterPort = FromW(info->pPortName);
  result.ServerName = FromW(info->pServerName);
  result.ShareName = FromW(info->pShareName);
  return result;
}

String TRLPrinterWrapper::PrinterPort() {
  if (!PrinterAvailable()) return String();
  int index = PrinterIndex();
  if (index < 0 || index >= Printers()->Count()) return String();
  String port = GetPrinterPorts(index);
  if (port != u"?") return port;
  ResetPrinterDeviceMode();
  TPrinterInfo info = ReadPrinterInfo();
  port = info.ServerName.empty() ? info.PrinterPort : info.ServerName + u"\\" + info.ShareName;
  Printers()->SetStrings(index, SetDelimitedItem(Printers()->Strings(index), 2, port));
  return port;
}

void TRLPrinterWrapper::Refresh() {
  FPrinters.reset();
  int remembered = Printer()->PrinterIndex();
  Printer()->Refresh();
  Printer()->SetPrinterIndex(-1);
  int last = Printer()->Printers()->Count() - 1;
  int index = std::min(remembered, last);
  if (index >= 0) Printer()->SetPrinterIndex(index);
}

void TRLPrinterWrapper::ResetPrinterDeviceMode() {
  String device, driver, port;
  HGLOBAL mode = nullptr;
  Printer()->GetPrinter(device, driver, port, mode);
  Printer()->SetPrinter(device, driver, port, nullptr);
}

// ---- paper ---------------------------------------------------------------------

int TRLPrinterWrapper::DriverPaperCode(const String& ADevice, const String& APort, double AWidthMM,
                                       double AHeightMM) {
  int count = DeviceCapabilitiesW(W(ADevice), W(APort), DC_PAPERS, nullptr, nullptr);
  if (count <= 0) return DMPAPER_USER;
  std::vector<WORD> codes(count);
  std::vector<POINT> sizes(count);
  if (DeviceCapabilitiesW(W(ADevice), W(APort), DC_PAPERS, reinterpret_cast<LPWSTR>(codes.data()), nullptr) != count ||
      DeviceCapabilitiesW(W(ADevice), W(APort), DC_PAPERSIZE, reinterpret_cast<LPWSTR>(sizes.data()), nullptr) != count)
    return DMPAPER_USER;
  // Within a millimetre: drivers list sizes rounded from their own units.
  for (int i = 0; i < count; ++i)
    if (std::abs(sizes[i].x - AWidthMM * 10) <= 10 && std::abs(sizes[i].y - AHeightMM * 10) <= 10 &&
        codes[i] != DMPAPER_USER)
      return codes[i];
  return DMPAPER_USER;
}

void TRLPrinterWrapper::ApplyPaperToDeviceMode(int APaperCode, double AWidthMM, double AHeightMM, int AOrientation,
                                               bool AEmulate) {
  String device, driver, port;
  HGLOBAL mode = nullptr;
  Printer()->GetPrinter(device, driver, port, mode);
  if (!mode) {
    ResetPrinterDeviceMode();
    Printer()->GetPrinter(device, driver, port, mode);
  }
  // A printer without a device mode cannot take the paper: printing on
  // would put the job on whatever paper the driver last had.
  if (!mode) throw Exception(CurrentReportTexts.LS_PrinterDriverErrorStr + u": " + device);
  auto* dm = static_cast<DEVMODEW*>(GlobalLock(mode));
  if (!dm) throw Exception(CurrentReportTexts.LS_PrinterDriverErrorStr + u": " + device);
  const DWORD declared = dm->dmFields;
  int code = APaperCode;
  if (code == DMPAPER_USER && !AEmulate) code = DriverPaperCode(device, port, AWidthMM, AHeightMM);
  dm->dmFields |= DM_PAPERSIZE;
  dm->dmPaperSize = static_cast<short>(code);
  if (code == DMPAPER_USER) {
    if (AWidthMM != 0) {
      dm->dmFields |= DM_PAPERWIDTH;
      dm->dmPaperWidth = Tenths(AWidthMM);
    }
    if (AHeightMM != 0) {
      dm->dmFields |= DM_PAPERLENGTH;
      dm->dmPaperLength = Tenths(AHeightMM);
    }
  } else {
    dm->dmFields &= ~(DM_PAPERWIDTH | DM_PAPERLENGTH);
  }
  if (declared & DM_ORIENTATION) dm->dmOrientation = static_cast<short>(AOrientation);
  GlobalUnlock(mode);
  // The printer's information DC follows the changed device mode.
  Printer()->SetPrinter(device, driver, port, mode);
}

void TRLPrinterWrapper::SetPaperSize(double APaperWidthMM, double APaperHeightMM, bool AOrientationLandscape,
                                     bool AForceEmulation, bool /*ASetPaperBin*/) {
  TRLPaperSetup setup = PaperSetupBySize(APaperWidthMM, APaperHeightMM, AOrientationLandscape);
  if (AForceEmulation) setup = {DMPAPER_USER, APaperWidthMM, APaperHeightMM, setup.Orientation};
  if (PrinterAvailable()) {
    ApplyPaperToDeviceMode(setup.PaperCode, setup.Width, setup.Height, setup.Orientation, AForceEmulation);
    Printer()->SetOrientation(setup.Orientation == 1 ? TPrinterOrientation::Portrait : TPrinterOrientation::Landscape);
  }
  // Sent, not posted: the name must outlive its reading, and a hung window
  // must not hold the print up.
  String name = PrinterName();
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(HWND_BROADCAST, WM_DEVMODECHANGE, 0, reinterpret_cast<LPARAM>(name.c_str()),
                      SMTO_ABORTIFHUNG | SMTO_NORMAL, 200, &answer);
  FCustomWidth = APaperWidthMM;
  FCustomHeight = APaperHeightMM;
}

void TRLPrinterWrapper::LoadMetrics(TRLPrinterMetrics& APrinterMetrics) {
  try {
    if (!PrinterAvailable()) throw Exception(u"Nenhuma impressora selecionada.");
    HDC dc = nullptr;
    try {
      dc = Printer()->Handle();
    } catch (const Exception&) {
      ResetPrinterDeviceMode();
      dc = Printer()->Handle();
    }
    if (!dc) throw Exception(u"Handle não disponível.");
    APrinterMetrics.PPIX = GetDeviceCaps(dc, LOGPIXELSX);
    APrinterMetrics.PPIY = GetDeviceCaps(dc, LOGPIXELSY);
    APrinterMetrics.PhysicalWidth = GetDeviceCaps(dc, PHYSICALWIDTH);
    APrinterMetrics.PhysicalHeight = GetDeviceCaps(dc, PHYSICALHEIGHT);
    APrinterMetrics.MarginLeft = GetDeviceCaps(dc, PHYSICALOFFSETX);
    APrinterMetrics.MarginTop = GetDeviceCaps(dc, PHYSICALOFFSETY);
    APrinterMetrics.ClientWidth = GetDeviceCaps(dc, HORZRES);
    APrinterMetrics.ClientHeight = GetDeviceCaps(dc, VERTRES);
    APrinterMetrics.MarginRight =
        APrinterMetrics.PhysicalWidth - APrinterMetrics.MarginLeft - APrinterMetrics.ClientWidth;
    APrinterMetrics.MarginBottom =
        APrinterMetrics.PhysicalHeight - APrinterMetrics.MarginTop - APrinterMetrics.ClientHeight;
  } catch (const Exception&) {
    APrinterMetrics.PPIX = APrinterMetrics.PPIY = 300;
    APrinterMetrics.PhysicalWidth = 2550;
    APrinterMetrics.PhysicalHeight = 3300;
    APrinterMetrics.MarginLeft = APrinterMetrics.MarginTop = 75;
    APrinterMetrics.MarginRight = APrinterMetrics.MarginBottom = 75;
    APrinterMetrics.ClientWidth = 2400;
    APrinterMetrics.ClientHeight = 3150;
  }
}

// ---- copies and duplex -------------------------------------------------------

int TRLPrinterWrapper::Copies() { return PrinterAvailable() ? Printer()->Copies() : 1; }

void TRLPrinterWrapper::SetCopies(int value) {
  if (PrinterAvailable()) Printer()->SetCopies(value);
}

bool TRLPrinterWrapper::SupportsDuplex() {
  if (!PrinterAvailable()) return false;
  String device, driver, port;
  HGLOBAL mode = nullptr;
  Printer()->GetPrinter(device, driver, port, mode);
  // -1 is the driver's failure, not an answer.
  return DeviceCapabilitiesW(W(device), W(port), DC_DUPLEX, nullptr, nullptr) > 0;
}

bool TRLPrinterWrapper::Duplex() {
  if (!PrinterAvailable()) return false;
  String device, driver, port;
  HGLOBAL mode = nullptr;
  Printer()->GetPrinter(device, driver, port, mode);
  if (!mode) return false;
  auto* dm = static_cast<DEVMODEW*>(GlobalLock(mode));
  if (!dm) return false;
  bool on = (dm->dmFields & DM_DUPLEX) && (dm->dmDuplex == DMDUP_VERTICAL || dm->dmDuplex == DMDUP_HORIZONTAL);
  GlobalUnlock(mode);
  return on;
}

void TRLPrinterWrapper::SetDuplex(bool value) {
  if (!PrinterAvailable()) return;
  String device, driver, port;
  HGLOBAL mode = nullptr;
  Printer()->GetPrinter(device, driver, port, mode);
  if (!mode) return;
  auto* dm = static_cast<DEVMODEW*>(GlobalLock(mode));
  if (!dm) return;
  if (value) {
    dm->dmDuplex = DMDUP_VERTICAL;
    dm->dmFields |= DM_DUPLEX;
  } else {
    dm->dmDuplex = DMDUP_SIMPLEX;
    dm->dmFields &= ~DM_DUPLEX;
  }
  GlobalUnlock(mode);
  Printer()->SetPrinter(device, driver, port, mode);
}

bool TRLPrinterWrapper::ExecuteSetup() {
  Refresh();
  String name = PrinterName();
  if (name.empty()) return false;
  auto printer = std::make_unique<PrinterHandle>(name, PrinterAllAccess);
  if (!printer->get() && GetLastError() == ERROR_ACCESS_DENIED)
    printer = std::make_unique<PrinterHandle>(name, PrinterAccessUse);
  if (!printer->get()) return false;
  bool ok = false;
  std::vector<BYTE> buffer = ReadLevel2(printer->get(), ok);
  if (!ok) return false;
  auto* info = reinterpret_cast<PRINTER_INFO_2W*>(buffer.data());
  std::vector<BYTE> ownMode;
  if (!info->pDevMode) {
    LONG size = AdvancedDocumentPropertiesW(nullptr, printer->get(), WMutable(name), nullptr, nullptr);
    if (size <= 0) return false;
    ownMode.assign(static_cast<size_t>(size), 0);
    auto* dm = reinterpret_cast<DEVMODEW*>(ownMode.data());
    if (AdvancedDocumentPropertiesW(nullptr, printer->get(), WMutable(name), dm, nullptr) != 1) return false;
    info->pDevMode = dm;
  }
  DocumentPropertiesW(nullptr, printer->get(), WMutable(name), info->pDevMode, info->pDevMode,
                      DM_IN_PROMPT | DM_OUT_BUFFER);
  return true;
}

// ---- jobs ------------------------------------------------------------------------

void TRLPrinterWrapper::BeginDoc(const String& ATitle) {
  Printer()->SetTitle(ATitle);
  Printer()->BeginDoc();
  Printer()->Canvas()->Font()->SetPixelsPerInch(GetDeviceCaps(Printer()->Handle(), LOGPIXELSY));
}

void TRLPrinterWrapper::NewPage() { Printer()->NewPage(); }

void TRLPrinterWrapper::EndDoc() {
  int remembered = PrinterIndex();
  Printer()->EndDoc();
  SetPrinterIndex(remembered);
}

void TRLPrinterWrapper::Abort() {
  if (Printer()->Printing()) Printer()->Abort();
}

bool TRLPrinterWrapper::Printing() { return Printer()->Printing(); }

TCanvas* TRLPrinterWrapper::Canvas() { return Printer()->Canvas(); }
