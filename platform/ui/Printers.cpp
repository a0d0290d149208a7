#include "platform/ui/Printers.h"
#include "platform/classes/Win32Error.h"
#include "platform/rtl/StrUtils.h"
#include <winspool.h>

namespace {
LPCWSTR W(const String& s) { return reinterpret_cast<LPCWSTR>(s.c_str()); }
LPWSTR WMutable(String& s) { return reinterpret_cast<LPWSTR>(&s[0]); }
String FromW(LPCWSTR s) { return s ? String(reinterpret_cast<const char16_t*>(s)) : String(); }

[[noreturn]] void RaisePrinterError(const char16_t* what) {
  throw EPrinter(String(what) + u": " + Win32ErrorText(GetLastError()));
}

// Locks a device-mode handle for as long as it lives.
class DeviceModeLock {
public:
  explicit DeviceModeLock(HGLOBAL h) : FHandle(h), FMode(h ? static_cast<DEVMODEW*>(GlobalLock(h)) : nullptr) {}
  ~DeviceModeLock() {
    if (FMode) GlobalUnlock(FHandle);
  }
  DeviceModeLock(const DeviceModeLock&) = delete;
  DeviceModeLock& operator=(const DeviceModeLock&) = delete;
  DEVMODEW* get() const { return FMode; }

private:
  HGLOBAL FHandle;
  DEVMODEW* FMode;
};
}  // namespace

void TPrinterCanvas::CreateHandle() { SetHandle(FPrinter->Handle()); }

TPrinter::TPrinter() : FNames(std::make_unique<TStringList>()), FCanvas(std::make_unique<TPrinterCanvas>(this)) {}

TPrinter::~TPrinter() {
  if (FPrinting) Abort();
  FCanvas->SetHandle(nullptr);
  FreeInfoDC();
  FreeDeviceMode();
}

void TPrinter::LoadEntries() {
  if (FEntriesLoaded) return;
  FEntriesLoaded = true;
  FEntries.clear();
  FNames->Clear();
  const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  DWORD needed = 0, count = 0;
  EnumPrintersW(flags, nullptr, 2, nullptr, 0, &needed, &count);
  if (needed == 0) return;
  std::vector<BYTE> buffer(needed);
  if (!EnumPrintersW(flags, nullptr, 2, buffer.data(), needed, &needed, &count)) return;
  auto* info = reinterpret_cast<PRINTER_INFO_2W*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) {
    FEntries.push_back({FromW(info[i].pPrinterName), FromW(info[i].pDriverName), FromW(info[i].pPortName)});
    FNames->Add(FEntries.back().Device);
  }
}

TStrings* TPrinter::Printers() {
  LoadEntries();
  return FNames.get();
}

void TPrinter::SelectDefault() {
  LoadEntries();
  if (FEntries.empty()) return;
  FPrinterIndex = 0;
  DWORD size = 0;
  GetDefaultPrinterW(nullptr, &size);
  if (size == 0) return;
  String name(size, u'\0');
  if (!GetDefaultPrinterW(WMutable(name), &size)) return;
  name.resize(std::char_traits<char16_t>::length(name.c_str()));
  for (size_t i = 0; i < FEntries.size(); ++i)
    if (CompareText(FEntries[i].Device, name) == 0) FPrinterIndex = static_cast<int>(i);
}

int TPrinter::PrinterIndex() {
  if (FPrinterIndex == -1) SelectDefault();
  return FPrinterIndex;
}

void TPrinter::SetPrinterIndex(int value) {
  if (FPrinting) throw EPrinter(u"Impressão em andamento");
  LoadEntries();
  if (value == -1) {
    FPrinterIndex = -1;
  } else if (value < 0 || value >= static_cast<int>(FEntries.size())) {
    throw EPrinter(u"Impressora selecionada não é válida");
  } else if (value == FPrinterIndex) {
    return;
  } else {
    FPrinterIndex = value;
  }
  FreeDeviceMode();
  FreeInfoDC();
}

void TPrinter::Refresh() {
  FreeInfoDC();
  FreeDeviceMode();
  FEntriesLoaded = false;
  LoadEntries();
  FPrinterIndex = -1;
}

void TPrinter::FreeDeviceMode() {
  if (FDeviceMode) GlobalFree(FDeviceMode);
  FDeviceMode = nullptr;
}

void TPrinter::FreeInfoDC() {
  if (!FInfoDC) return;
  if (!FPrinting) FCanvas->SetHandle(nullptr);
  DeleteDC(FInfoDC);
  FInfoDC = nullptr;
}

void TPrinter::LoadDeviceMode() {
  FreeDeviceMode();
  int index = PrinterIndex();
  if (index < 0) return;
  String device = FEntries[index].Device;
  HANDLE printer = nullptr;
  if (!OpenPrinterW(WMutable(device), &printer, nullptr)) return;
  LONG size = DocumentPropertiesW(nullptr, printer, WMutable(device), nullptr, nullptr, 0);
  if (size > 0) {
    HGLOBAL handle = GlobalAlloc(GHND, static_cast<SIZE_T>(size));
    bool filled = false;
    if (handle) {
      DeviceModeLock lock(handle);
      filled = lock.get() &&
               DocumentPropertiesW(nullptr, printer, WMutable(device), lock.get(), nullptr, DM_OUT_BUFFER) == IDOK;
    }
    if (filled) FDeviceMode = handle;
    else if (handle) GlobalFree(handle);
  }
  ClosePrinter(printer);
}

void TPrinter::GetPrinter(String& ADevice, String& ADriver, String& APort, HGLOBAL& ADeviceMode) {
  int index = PrinterIndex();
  if (index < 0) {
    ADevice.clear(), ADriver.clear(), APort.clear();
    ADeviceMode = nullptr;
    return;
  }
  if (!FDeviceMode) LoadDeviceMode();
  ADevice = FEntries[index].Device;
  ADriver = FEntries[index].Driver;
  APort = FEntries[index].Port;
  ADeviceMode = FDeviceMode;
}

void TPrinter::SetPrinter(const String& ADevice, const String& ADriver, const String& APort, HGLOBAL ADeviceMode) {
  if (FPrinting) throw EPrinter(u"Impressão em andamento");
  LoadEntries();
  int found = -1;
  for (size_t i = 0; i < FEntries.size() && found < 0; ++i)
    if (CompareText(FEntries[i].Device, ADevice) == 0) found = static_cast<int>(i);
  if (found < 0) {
    FEntries.push_back({ADevice, ADriver, APort});
    FNames->Add(ADevice);
    found = static_cast<int>(FEntries.size()) - 1;
  }
  FPrinterIndex = found;
  FreeInfoDC();
  if (ADeviceMode != FDeviceMode) {
    FreeDeviceMode();
    FDeviceMode = ADeviceMode;
  }
  if (!FDeviceMode) LoadDeviceMode();
}

template <typename F> bool TPrinter::WithDeviceMode(F f) {
  if (PrinterIndex() < 0) return false;
  if (!FDeviceMode) LoadDeviceMode();
  DeviceModeLock lock(FDeviceMode);
  if (!lock.get()) return false;
  f(*lock.get());
  return true;
}

int TPrinter::Copies() {
  int copies = 1;
  WithDeviceMode([&](DEVMODEW& dm) {
    if (dm.dmFields & DM_COPIES) copies = dm.dmCopies;
  });
  return copies;
}

void TPrinter::SetCopies(int value) {
  if (FPrinting) throw EPrinter(u"Impressão em andamento");
  if (!WithDeviceMode([&](DEVMODEW& dm) {
        dm.dmCopies = static_cast<short>(value);
        dm.dmFields |= DM_COPIES;
      }))
    throw EPrinter(u"Impressora selecionada não é válida");
  FreeInfoDC();
}

TPrinterOrientation TPrinter::Orientation() {
  TPrinterOrientation result = TPrinterOrientation::Portrait;
  WithDeviceMode([&](DEVMODEW& dm) {
    if (dm.dmOrientation == DMORIENT_LANDSCAPE) result = TPrinterOrientation::Landscape;
  });
  return result;
}

void TPrinter::SetOrientation(TPrinterOrientation value) {
  if (FPrinting) throw EPrinter(u"Impressão em andamento");
  if (!WithDeviceMode([&](DEVMODEW& dm) {
        dm.dmOrientation = value == TPrinterOrientation::Landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
        dm.dmFields |= DM_ORIENTATION;
      }))
    throw EPrinter(u"Impressora selecionada não é válida");
  FreeInfoDC();
}

HDC TPrinter::Handle() {
  if (FJobDC) return FJobDC;
  if (FInfoDC) return FInfoDC;
  int index = PrinterIndex();
  if (index < 0) throw EPrinter(u"Nenhuma impressora instalada");
  if (!FDeviceMode) LoadDeviceMode();
  DeviceModeLock lock(FDeviceMode);
  FInfoDC = CreateICW(nullptr, W(FEntries[index].Device), nullptr, lock.get());
  if (!FInfoDC) RaisePrinterError(u"Impressora não disponível");
  return FInfoDC;
}

void TPrinter::BeginDoc() {
  if (FPrinting) throw EPrinter(u"Impressão em andamento");
  int index = PrinterIndex();
  if (index < 0) throw EPrinter(u"Nenhuma impressora instalada");
  if (!FDeviceMode) LoadDeviceMode();
  FreeInfoDC();
  {
    DeviceModeLock lock(FDeviceMode);
    FJobDC = CreateDCW(nullptr, W(FEntries[index].Device), nullptr, lock.get());
  }
  if (!FJobDC) RaisePrinterError(u"Impressora não disponível");
  DOCINFOW info{};
  info.cbSize = sizeof(info);
  info.lpszDocName = W(FTitle);
  if (StartDocW(FJobDC, &info) <= 0 || StartPage(FJobDC) <= 0) {
    DWORD error = GetLastError();
    DeleteDC(FJobDC);
    FJobDC = nullptr;
    SetLastError(error);
    RaisePrinterError(u"Não foi possível iniciar a impressão");
  }
  FPrinting = true;
  FAborted = false;
  FPageNumber = 1;
  FCanvas->SetHandle(nullptr);
  FCanvas->Refresh();
  FCanvas->SetHandle(FJobDC);
}

void TPrinter::NewPage() {
  if (!FPrinting) throw EPrinter(u"Impressão não iniciada");
  FCanvas->Refresh();
  EndPage(FJobDC);
  StartPage(FJobDC);
  ++FPageNumber;
}

void TPrinter::EndDoc() {
  if (!FPrinting) throw EPrinter(u"Impressão não iniciada");
  FCanvas->SetHandle(nullptr);
  bool ended = EndPage(FJobDC) > 0;
  ended = ::EndDoc(FJobDC) > 0 && ended;
  DWORD error = GetLastError();
  DeleteDC(FJobDC);
  FJobDC = nullptr;
  FPrinting = false;
  FAborted = false;
  FPageNumber = 0;
  if (!ended) {
    SetLastError(error);
    RaisePrinterError(u"Não foi possível concluir a impressão");
  }
}

void TPrinter::Abort() {
  if (!FPrinting) throw EPrinter(u"Impressão não iniciada");
  FCanvas->SetHandle(nullptr);
  AbortDoc(FJobDC);
  DeleteDC(FJobDC);
  FJobDC = nullptr;
  FPrinting = false;
  FAborted = true;
}

TPrinter* Printer() {
  static std::unique_ptr<TPrinter> printer = std::make_unique<TPrinter>();
  return printer.get();
}
