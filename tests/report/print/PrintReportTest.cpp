// The report's print road without the dialog: prepared once, printed
// through the spool filter to the run's PDF queue.
#include "../engine/EngineFixture.h"
#include "support/PdfReadBack.h"
#include "report/output/RLPrinters.h"
#include <gtest/gtest.h>

TEST(PrintReport, PrintPreparesOnceAndSendsEveryPage) {
  TEngineFixture fx;
  fx.Band(btHeader, 40, "Cabe\xE7" "alho");
  fx.Band(btDetail, 100, "Linha");
  fx.Records(25);
  SharedPrinterWrapper()->SetPrinterName(u"PDF");
  std::string title = UniqueJobTitle("report");
  fx.report->SetTitle(AsciiToString(title));
  fx.report->SetPrintDialog(false);
  int prepared = 0;
  fx.report->OnPageStarting = [&](TObject*) { ++prepared; };
  fx.report->Print();
  ASSERT_EQ(fx.report->ReportState(), rsReady);
  int pages = fx.report->Pages()->PageCount();
  EXPECT_GE(pages, 3);
  PdfDocument pdf = WaitForPdf(title);
  ASSERT_EQ(static_cast<int>(pdf.pages.size()), pages) << pdf.path;
  EXPECT_NEAR(pdf.pages[0].width, 595, 1.5);
  EXPECT_NE(pdf.text.find("Cabeçalho"), std::string::npos) << pdf.text;

  // Printed again: the same pages, not prepared again.
  std::string again = UniqueJobTitle("again");
  fx.report->Pages()->SetJobTitle(AsciiToString(again));
  fx.report->Print();
  EXPECT_EQ(prepared, pages);
  EXPECT_EQ(WaitForPdf(again).pages.size(), pdf.pages.size());
}
