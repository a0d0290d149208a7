// Printing from the preview window: through the print dialog, with the
// pages chosen there, to the run's PDF queue; copies below 1 count as 1.
#include "platform/ui/TestSeam.h"
#include "report/output/RLPrinters.h"
#include "report/print/PrintTestPages.h"
#include "report/ui/RLPreviewForm.h"
#include "report/ui/RLPrintDialog.h"
#include "support/KeyInput.h"
#include "support/PdfReadBack.h"
#include <gtest/gtest.h>

TEST(PrintPreviewWindow, PrintsTheChosenPagesThroughTheDialog) {
  UiTestSeam::Reset();
  TestStore store;
  store.AddPages(5);
  const std::string title = UniqueJobTitle("preview");
  store->SetTitle(AsciiToString(title));
  store->SetJobTitle(AsciiToString(title));
  TRLPrinterWrapper* printer = SharedPrinterWrapper();
  printer->SetPrinterName(u"PDF");
  printer->SetCopies(0);
  TRLPreviewForm* form = ShowPreview(store.get(), false, fsNormal, String(), 0, String(),
                                     TBorderIcons{biSystemMenu}, wsNormal, poScreenCenter);
  KeyInput::Pump(100);

  String copiesShown;
  UiTestSeam::QueueModalAction([&](TCustomForm& f) {
    auto& dialog = dynamic_cast<TRLPrintDialog&>(f);
    copiesShown = dialog.EditCopies->Text();
    EXPECT_EQ(dialog.EditToPage->Text(), u"5");
    dialog.EditFromPage->SetText(u"2");
    dialog.EditToPage->SetText(u"3");
    PostMessageW(dialog.ButtonOk->Handle(), BM_CLICK, 0, 0);
    KeyInput::Pump(50);
  });
  form->SpeedButtonPrint->Click();
  EXPECT_EQ(copiesShown, u"1");
  PdfDocument pdf = WaitForPdf(title);
  ASSERT_EQ(pdf.pages.size(), 2u) << pdf.path;
  EXPECT_NE(pdf.text.find("2 ação"), std::string::npos) << pdf.text;
  EXPECT_NE(pdf.text.find("3 ação"), std::string::npos) << pdf.text;
  // The focus comes back to the page field.
  EXPECT_EQ(form->ActiveControl(), form->EditPageNo);
  form->Close();
  KeyInput::Pump(50);
  UiTestSeam::Reset();
  PreviewDefaults() = TRLPreviewDefaults();
}
