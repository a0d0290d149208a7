// The print dialog on screen: what OK hands to the printer access and the
// filter registry, and the fields it refuses while staying open.
#include "platform/ui/TestSeam.h"
#include "report/output/RLFilters.h"
#include "report/output/RLPrinters.h"
#include "report/ui/RLPrintDialog.h"
#include "support/AppDriver.h"
#include "support/KeyInput.h"
#include <cstdlib>
#include <gtest/gtest.h>

namespace {
void Click(TButton* button) {
  PostMessageW(button->Handle(), BM_CLICK, 0, 0);
  KeyInput::Pump(50);
}

String Artifact(const char* name) {
  const char* dir = std::getenv("BRQ_ARTIFACTS");
  return AsciiToString(std::string(dir && *dir ? dir : "/tmp") + "/" + name);
}
}  // namespace

TEST(UiPrintDialog, OkHandsTheChoicesOverAndRefusesWhatCannotBePrinted) {
  UiTestSeam::Reset();
  {
    TRLPrintDialog fresh;
    fresh.SetMaxPage(12);
    EXPECT_EQ(fresh.ToPage(), 12);
    fresh.SetToPage(5);
    fresh.SetMaxPage(20);
    EXPECT_EQ(fresh.ToPage(), 5);
  }

  TRLPrinterWrapper* printer = SharedPrinterWrapper();
  printer->SetPrinterName(u"PDF");
  printer->SetOddEven(odAllPages);
  SetSelectedFilter(nullptr);
  TRLPrintDialog dialog;
  dialog.SetMaxPage(20);
  bool shot = false;
  std::vector<String> refusals;
  UiTestSeam::QueueModalAction([&](TCustomForm&) {
    EXPECT_GE(dialog.ComboBoxPrinterNames->Items()->Count(), 1);
    EXPECT_NE(dialog.ComboBoxPrinterNames->ItemIndex(), -1);
    EXPECT_TRUE(dialog.ButtonPrinterSetup->Enabled());
    // Only "Default": the spool filter has no label to list.
    EXPECT_EQ(dialog.ComboBoxFilters->Items()->Count(), 1);
    EXPECT_FALSE(dialog.ComboBoxFilters->Enabled());
    EXPECT_FALSE(dialog.LabelOptions->Visible());
    EXPECT_TRUE(dialog.RadioButtonPagesAll->Checked());
    EXPECT_EQ(dialog.EditToPage->Text(), u"20");

    // Typing into a page field checks its choice.
    dialog.EditFromPage->SetFocus();
    KeyInput::TypeText(u"9");
    EXPECT_TRUE(dialog.RadioButtonPagesInterval->Checked());
    dialog.EditFromPage->SetText(u"9");
    dialog.EditToPage->SetText(u"3");
    UiTestSeam::QueueMessageBoxAction([&](const TMessageBoxRecord& box) {
      refusals.push_back(box.Text);
      return IDOK;
    });
    Click(dialog.ButtonOk);
    EXPECT_TRUE(dialog.Visible());
    dialog.EditToPage->SetText(u"abc");
    UiTestSeam::QueueMessageBoxAction([&](const TMessageBoxRecord& box) {
      refusals.push_back(box.Text);
      return IDOK;
    });
    Click(dialog.ButtonOk);

    dialog.EditPageSelection->SetFocus();
    KeyInput::TypeText(u"1;3;5-12;4");
    EXPECT_TRUE(dialog.RadioButtonPagesSelect->Checked());
    dialog.EditCopies->SetText(u"0");
    UiTestSeam::QueueMessageBoxAction([&](const TMessageBoxRecord& box) {
      refusals.push_back(box.Text);
      return IDOK;
    });
    Click(dialog.ButtonOk);
    EXPECT_TRUE(dialog.Visible());

    dialog.EditCopies->SetText(u"2");
    dialog.ComboBoxOddPages->SetItemIndex(0);
    KeyInput::Pump(100);
    shot = AppDriver::SaveScreenshot(dialog.Handle(), Artifact("print-dialog.png"));
    Click(dialog.ButtonOk);
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_TRUE(shot);
  ASSERT_EQ(refusals.size(), 3u);
  EXPECT_NE(refusals[0].find(u"páginas"), String::npos);
  EXPECT_NE(refusals[1].find(u"páginas"), String::npos);
  EXPECT_NE(refusals[2].find(u"cópias"), String::npos);
  EXPECT_EQ(dialog.PrintRange(), rprSelection);
  EXPECT_EQ(dialog.PageRanges(), u"1;3;5-12;4");
  EXPECT_EQ(dialog.FromPage(), 1);
  EXPECT_EQ(dialog.ToPage(), 20);
  EXPECT_EQ(dialog.Copies(), 2);
  EXPECT_EQ(printer->Copies(), 2);
  EXPECT_EQ(printer->OddEven(), odOddPagesOnly);
  EXPECT_EQ(SelectedFilter(), nullptr);
  EXPECT_EQ(printer->PrinterName(), u"PDF");
  printer->SetCopies(1);
  printer->SetOddEven(odAllPages);

  TRLPrintDialog cancelled;
  UiTestSeam::QueueModalAction([&](TCustomForm&) {
    cancelled.EditCopies->SetText(u"7");
    Click(cancelled.ButtonCancel);
  });
  EXPECT_FALSE(cancelled.Execute());
  EXPECT_EQ(printer->Copies(), 1);
  UiTestSeam::Reset();
}
