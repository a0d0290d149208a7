// The printer access against the run's PDF queue: selection by name, the
// paper in the device mode, the metrics, and a job that reaches the PDF.
#include "support/PdfReadBack.h"
#include "platform/ui/Printers.h"
#include "report/output/RLPrinters.h"
#include <gtest/gtest.h>
#include <windows.h>

namespace {
struct DeviceModeFields {
  DWORD fields = 0;
  short paper = 0, width = 0, length = 0, orientation = 0;
};

DeviceModeFields ReadDeviceMode() {
  String device, driver, port;
  HGLOBAL handle = nullptr;
  Printer()->GetPrinter(device, driver, port, handle);
  DeviceModeFields result;
  if (auto* dm = static_cast<DEVMODEW*>(GlobalLock(handle))) {
    result = {dm->dmFields, dm->dmPaperSize, dm->dmPaperWidth, dm->dmPaperLength, dm->dmOrientation};
    GlobalUnlock(handle);
  }
  return result;
}

int DriverPaperCodeFor(short tenthsWide, short tenthsHigh) {
  int count = DeviceCapabilitiesW(reinterpret_cast<LPCWSTR>(u"PDF"), nullptr, DC_PAPERS, nullptr, nullptr);
  std::vector<WORD> codes(count);
  std::vector<POINT> sizes(count);
  DeviceCapabilitiesW(reinterpret_cast<LPCWSTR>(u"PDF"), nullptr, DC_PAPERS, reinterpret_cast<LPWSTR>(codes.data()),
                      nullptr);
  DeviceCapabilitiesW(reinterpret_cast<LPCWSTR>(u"PDF"), nullptr, DC_PAPERSIZE, reinterpret_cast<LPWSTR>(sizes.data()),
                      nullptr);
  for (int i = 0; i < count; ++i)
    if (std::abs(sizes[i].x - tenthsWide) <= 10 && std::abs(sizes[i].y - tenthsHigh) <= 10) return codes[i];
  return -1;
}
}  // namespace

TEST(PrintWrapper, SelectsTheQueueAndPutsThePaperInItsDeviceMode) {
  TRLPrinterWrapper* printer = SharedPrinterWrapper();
  printer->Refresh();
  ASSERT_GE(printer->Printers()->Count(), 1);
  int other = printer->PrinterIndex();
  printer->SetPrinterName(u"nothing like it");
  EXPECT_EQ(printer->PrinterIndex(), other);
  printer->SetPrinterName(u"pdf on somewhere:");
  EXPECT_EQ(printer->PrinterName(), u"PDF");
  EXPECT_EQ(printer->GetPrinterPorts(printer->PrinterIndex()), u"?");
  EXPECT_FALSE(printer->PrinterPort().empty());
  EXPECT_NE(printer->GetPrinterPorts(printer->PrinterIndex()), u"?");
  EXPECT_EQ(printer->GetPrinterDisplays(-1), u"");
  int count = printer->Printers()->Count();
  printer->SetPrinterIndex(count);
  EXPECT_EQ(printer->PrinterName(), u"PDF");

  // A4 is a paper of the table: its code alone.
  printer->SetPaperSize(210, 297, false, false, true);
  DeviceModeFields a4 = ReadDeviceMode();
  EXPECT_EQ(a4.paper, DMPAPER_A4);
  EXPECT_TRUE(a4.fields & DM_PAPERSIZE);
  TRLPrinterMetrics m;
  printer->LoadMetrics(m);
  EXPECT_GT(m.PPIX, 0);
  EXPECT_NEAR(m.PhysicalWidth * 25.4 / m.PPIX, 210, 1);
  EXPECT_NEAR(m.PhysicalHeight * 25.4 / m.PPIY, 297, 1);
  EXPECT_EQ(m.MarginRight, m.PhysicalWidth - m.MarginLeft - m.ClientWidth);

  // The receipt: no paper of the table, so the driver's own paper of that
  // size (the queue lists it); a size the driver lacks goes as a user size.
  printer->SetPaperSize(76, 110, false, false, true);
  DeviceModeFields receipt = ReadDeviceMode();
  EXPECT_EQ(receipt.paper, DriverPaperCodeFor(760, 1100));
  printer->LoadMetrics(m);
  EXPECT_NEAR(m.PhysicalWidth * 25.4 / m.PPIX, 76, 1);
  EXPECT_NEAR(m.PhysicalHeight * 25.4 / m.PPIY, 110, 1);
  EXPECT_GT(m.ClientWidth, 0);

  for (bool forced : {false, true}) {
    double w = forced ? 76 : 93, h = forced ? 110 : 171;
    printer->SetPaperSize(w, h, false, forced, true);
    DeviceModeFields user = ReadDeviceMode();
    EXPECT_EQ(user.paper, DMPAPER_USER) << forced;
    EXPECT_EQ(user.width, short(w * 10));
    EXPECT_EQ(user.length, short(h * 10));
    EXPECT_EQ(user.fields & (DM_PAPERSIZE | DM_PAPERWIDTH | DM_PAPERLENGTH),
              DWORD(DM_PAPERSIZE | DM_PAPERWIDTH | DM_PAPERLENGTH));
  }
  printer->SetPaperSize(210, 297, true, false, true);
  EXPECT_EQ(ReadDeviceMode().orientation, DMORIENT_LANDSCAPE);
  printer->SetPaperSize(210, 297, false, false, true);
  EXPECT_EQ(ReadDeviceMode().orientation, DMORIENT_PORTRAIT);
  EXPECT_DOUBLE_EQ(printer->CustomWidth(), 210);
}

TEST(PrintWrapper, CopiesAndDuplexGoThroughTheDeviceMode) {
  TRLPrinterWrapper* printer = SharedPrinterWrapper();
  printer->SetPrinterName(u"PDF");
  printer->SetCopies(3);
  EXPECT_EQ(printer->Copies(), 3);
  printer->SetCopies(1);
  EXPECT_EQ(printer->Copies(), 1);
  printer->SetDuplex(false);
  EXPECT_FALSE(printer->Duplex());
  if (printer->SupportsDuplex()) {
    printer->SetDuplex(true);
    EXPECT_TRUE(printer->Duplex());
    printer->SetDuplex(false);
  }
}

TEST(PrintWrapper, TheReceiptPaperReachesThePdf) {
  TRLPrinterWrapper* printer = SharedPrinterWrapper();
  printer->SetPrinterName(u"PDF");
  printer->SetPaperSize(76, 110, false, false, true);
  std::string title = UniqueJobTitle("paper");
  printer->BeginDoc(AsciiToString(title));
  printer->Canvas()->TextOut(50, 50, u"Recibo de papel pequeno");
  printer->EndDoc();
  PdfDocument pdf = WaitForPdf(title);
  ASSERT_FALSE(pdf.path.empty()) << title;
  ASSERT_EQ(pdf.pages.size(), 1u);
  EXPECT_NEAR(pdf.pages[0].width, 215.43, 1.5);
  EXPECT_NEAR(pdf.pages[0].height, 311.81, 1.5);
  EXPECT_NE(pdf.text.find("Recibo de papel pequeno"), std::string::npos) << pdf.text;
}
