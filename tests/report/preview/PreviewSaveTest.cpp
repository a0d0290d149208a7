// Saving from the preview window: the chosen range written and loaded back
// equal, the question before replacing a file, a failed save that leaves
// the old file whole, the save dialog's own rules, and the find dialog's
// not-found message.
#include "platform/rtl/FileUtils.h"
#include "platform/ui/TestSeam.h"
#include "report/pages/RLLocaleStrings.h"
#include "report/print/PrintTestPages.h"
#include "report/ui/RLFindDialog.h"
#include "report/ui/RLPreviewForm.h"
#include "report/ui/RLSaveDialog.h"
#include "report/ui/RLSavePages.h"
#include "support/KeyInput.h"
#include <gtest/gtest.h>

namespace {
void Click(TButton* button) {
  PostMessageW(button->Handle(), BM_CLICK, 0, 0);
  KeyInput::Pump(50);
}

void Remove(const String& file) { DeleteFileW(reinterpret_cast<LPCWSTR>(file.c_str())); }

String TempName(const char16_t* name) {
  WCHAR dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  return String(reinterpret_cast<const char16_t*>(dir)) + name;
}

std::vector<int> PageNumbersIn(const String& fileName) {
  TestStore loaded;
  loaded->LoadFromFile(fileName);
  std::vector<int> numbers;
  for (int i = 0; i < loaded->PageCount(); ++i) numbers.push_back(PageNumberOf(loaded->GetPages(i)));
  return numbers;
}

// Answers the next save dialog with a file name and a page range (0: all).
void QueueSave(const String& fileName, int from = 0, int to = 0) {
  UiTestSeam::QueueModalAction([=](TCustomForm& form) {
    auto& dialog = dynamic_cast<TRLSaveDialog&>(form);
    dialog.EditFileName->SetText(fileName);
    if (from > 0) {
      dialog.EditFromPage->SetText(IntToStr(from));
      dialog.EditToPage->SetText(IntToStr(to));
    }
    Click(dialog.ButtonSave);
  });
}
}  // namespace

TEST(PreviewSave, ChosenPagesLoadBackEqualAndAFailedSaveKeepsTheOldFile) {
  TestStore store;
  store.AddPages(5);
  const String file = TempName(u"brq-preview-range.rpf");
  SavePagesToFile(store.get(), 2, 3, file);
  EXPECT_EQ(PageNumbersIn(file), (std::vector<int>{2, 3}));
  SavePagesToFile(store.get(), 1, 9999, file);
  EXPECT_EQ(PageNumbersIn(file), (std::vector<int>{1, 2, 3, 4, 5}));

  // The temporary file cannot be made: the old file stays as it was.
  const String blocked = file + u".tmp";
  ASSERT_TRUE(CreateDirectoryW(reinterpret_cast<LPCWSTR>(blocked.c_str()), nullptr));
  EXPECT_ANY_THROW(SavePagesToFile(store.get(), 2, 2, file));
  RemoveDirectoryW(reinterpret_cast<LPCWSTR>(blocked.c_str()));
  EXPECT_EQ(PageNumbersIn(file), (std::vector<int>{1, 2, 3, 4, 5}));
  Remove(file);
}

TEST(UiPreviewSave, TheWindowSavesTheChosenRangeAndAsksBeforeReplacing) {
  UiTestSeam::Reset();
  TestStore store;
  store.AddPages(5);
  store->SetTitle(u" Cupom: 2024/03 ");
  TRLPreviewForm* form = ShowPreview(store.get(), false, fsNormal, String(), 0, String(),
                                     TBorderIcons{biSystemMenu}, wsNormal, poScreenCenter);
  KeyInput::Pump(100);

  // The proposal: the title cleaned, in the current folder; the dialog
  // lists only the page file and never offers the selection.
  UiTestSeam::QueueModalAction([&](TCustomForm& f) {
    auto& dialog = dynamic_cast<TRLSaveDialog&>(f);
    EXPECT_EQ(dialog.EditFileName->Text(), ExpandFileName(u"Cupom 202403"));
    EXPECT_EQ(dialog.ComboBoxFilters->Items()->Count(), 1);
    EXPECT_EQ(dialog.EditToPage->Text(), u"5");
    EXPECT_FALSE(dialog.RadioButtonPagesSelect->Enabled());
    EXPECT_TRUE(dialog.RadioButtonPagesAll->Checked());
    dialog.EditToPage->SetText(u"4");
    EXPECT_TRUE(dialog.RadioButtonPagesInterval->Checked());
    // An empty name is refused with a message; the dialog stays.
    dialog.EditFileName->SetText(String());
    UiTestSeam::QueueMessageBoxAnswer(IDOK);
    Click(dialog.ButtonSave);
    EXPECT_EQ(UiTestSeam::MessageBoxLog().size(), 1u);
    EXPECT_EQ(dialog.ModalResult(), mrNone);
    Click(dialog.ButtonCancel);
  });
  form->SpeedButtonSave->Click();
  EXPECT_EQ(UiTestSeam::PendingModalActions(), 0);

  // A name without extension gets ".rpf"; pages 2 to 3 are written.
  const String stem = TempName(u"brq-preview-window");
  const String file = stem + u".rpf";
  Remove(file);
  QueueSave(stem, 2, 3);
  form->SpeedButtonSave->Click();
  EXPECT_EQ(PageNumbersIn(file), (std::vector<int>{2, 3}));

  // Replacing asks first: No keeps the file, Yes replaces it.
  UiTestSeam::ClearLog();
  QueueSave(file);
  UiTestSeam::QueueMessageBoxAnswer(IDNO);
  form->SpeedButtonSave->Click();
  ASSERT_EQ(UiTestSeam::MessageBoxLog().size(), 1u);
  EXPECT_NE(UiTestSeam::MessageBoxLog()[0].Text.find(u"já existe"), String::npos);
  EXPECT_EQ(PageNumbersIn(file), (std::vector<int>{2, 3}));
  QueueSave(file);
  UiTestSeam::QueueMessageBoxAnswer(IDYES);
  form->SpeedButtonSave->Click();
  EXPECT_EQ(PageNumbersIn(file), (std::vector<int>{1, 2, 3, 4, 5}));
  Remove(file);
  form->Close();
  KeyInput::Pump(50);
  UiTestSeam::Reset();
  PreviewDefaults() = TRLPreviewDefaults();
}

TEST(UiPreviewSave, SaveDialogRulesAndTheFindDialogsNotFoundMessage) {
  UiTestSeam::Reset();
  {
    TRLSaveDialog dialog;
    dialog.SetMaxPage(7);
    EXPECT_EQ(dialog.ToPage(), 7);
    String name = u"relatorio";
    dialog.ApplyExt(name);
    EXPECT_EQ(name, u"relatorio.rpf");
    name = u"relatorio.txt";
    dialog.ApplyExt(name);
    EXPECT_EQ(name, u"relatorio.rpf");
  }

  TfrmRLFindDialog find(nullptr);
  EXPECT_EQ(find.Options(), TRLFindOptions());
  find.SetOptions(TRLFindOptions{foFindBackward, foMatchCase});
  EXPECT_EQ(find.RadioGroupDirection->ItemIndex(), 0);
  EXPECT_EQ(find.Options(), (TRLFindOptions{foFindBackward, foMatchCase}));
  find.SetOptions(TRLFindOptions{foWholeWords});
  EXPECT_EQ(find.RadioGroupDirection->ItemIndex(), 1);

  String searched;
  bool answer = false;
  find.SetOnFind([&](TObject*, const String& Text, TRLFindOptions, bool& Found) {
    searched = Text;
    Found = answer;
  });
  find.Show();
  KeyInput::Pump(50);
  find.SetText(u"Página");
  UiTestSeam::ClearLog();
  UiTestSeam::QueueMessageBoxAnswer(IDOK);
  find.BitBtnFindNextClick();
  EXPECT_EQ(searched, u"Página");
  ASSERT_EQ(UiTestSeam::MessageBoxLog().size(), 1u);
  EXPECT_EQ(UiTestSeam::MessageBoxLog()[0].Text, ReportText(CurrentReportTexts.LS_NotFoundStr));
  KeyInput::Pump(50);
  EXPECT_TRUE(find.Visible());
  answer = true;
  find.BitBtnFindNextClick();
  EXPECT_EQ(UiTestSeam::MessageBoxLog().size(), 1u);
  find.BitBtnCancelClick();
  EXPECT_FALSE(find.Visible());
  UiTestSeam::Reset();
}
