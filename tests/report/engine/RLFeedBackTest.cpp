#include "EngineFixture.h"
#include "support/KeyInput.h"

#include "report/pages/RLLocaleStrings.h"
#include "report/ui/RLComponentFactory.h"
#include "report/ui/RLFeedBack.h"

#include <gtest/gtest.h>

namespace {

TEST(UiRLEngineFeedBack, CancelDuringPreparationClosesTheLastPage) {
  TEngineFixture t;
  t.report->SetShowProgress(true);
  t.Band(btDetail, 20, "D");
  t.Band(btFooter, 20, "F");
  t.Records(5000);
  int lastRecord = 0;
  bool sawForm = false;
  t.report->OnDataRecord = [&](TObject*, int recNo, int, bool&, TRLRecordAction&) {
    lastRecord = recNo;
    TfrmRLFeedBack* form = t.report->ProgressForm();
    if (recNo != 100 || !form) return;
    sawForm = form->Visible() && form->LabelStepName->Caption() != String();
    PostMessageW(form->BitBtnCancel->Handle(), BM_CLICK, 0, 0);
    // The form serves its queue at most every 50 ms: give it the time to see
    // the click before the run would end on its own.
    Sleep(60);
  };
  EXPECT_FALSE(t.report->Prepare());
  EXPECT_TRUE(sawForm);
  EXPECT_LT(lastRecord, 5000);
  EXPECT_EQ(nullptr, t.report->ProgressForm());
  EXPECT_TRUE(t.report->Canceled());
  const std::vector<std::string> pages = t.PageTexts();
  ASSERT_FALSE(pages.empty());
  const std::string& last = pages.back();
  EXPECT_EQ("F", last.substr(last.size() - 1));
}

TEST(UiRLEngineFeedBack, LayoutAndControls) {
  struct Case {
    int levels;
    int height;
    bool stage;
  } cases[] = {{1, 129, false}, {3, 129 + 19, true}};
  for (const Case& c : cases) {
    TfrmRLFeedBack form(u"Title", c.levels);
    EXPECT_EQ(u"Title", form.Caption());
    EXPECT_EQ(c.height, form.Height());
    EXPECT_EQ(c.stage, form.ProgressBarStage != nullptr);
    EXPECT_EQ(CurrentReportTexts.LS_CancelStr, form.BitBtnCancel->Caption());
    EXPECT_EQ(CurrentReportTexts.LS_WaitStr, form.LabelStepName->Caption());
    if (c.stage) {
      EXPECT_EQ(3, form.ProgressBarStage->Max());
      EXPECT_EQ(form.ProgressBar->Top() + 19, form.ProgressBarStage->Top());
    }
    int cancels = 0;
    form.OnCancel = [&cancels](TObject*, bool&) { ++cancels; };
    form.BitBtnCancel->Click();
    EXPECT_TRUE(form.Canceled);
    EXPECT_EQ(1, cancels);
    form.SetMax(0);
    form.Tick();
    EXPECT_EQ(0, form.ProgressBar->Position());
  }
}

// Captions and the bar are painted at most every 250 ms; one set in
// between waits for the next refresh rather than being lost.
TEST(UiRLEngineFeedBack, ACaptionSetBetweenRefreshesShowsAtTheNext) {
  TfrmRLFeedBack form(u"Title");
  form.SetMax(10);
  form.StepCaption(u"First");
  EXPECT_EQ(u"First", form.LabelStepName->Caption()) << "nothing painted yet: shown at once";
  form.Tick();
  form.StepCaption(u"Second");
  form.StepCaption(u"Third");
  Sleep(300);
  form.Tick();
  EXPECT_EQ(u"Third", form.LabelStepName->Caption());
  EXPECT_EQ(2, form.ProgressBar->Position());
}

TEST(UiRLEngineFeedBack, TheCreationHookSuppliesComponents) {
  struct TOwnLabel : TLabel {
    using TLabel::TLabel;
  };
  RLCreateComponentHook = [](const std::type_info& kind, TComponent* owner, TComponent*& made) {
    if (kind == typeid(TLabel)) made = new TOwnLabel(owner);
  };
  TfrmRLFeedBack form(u"Title");
  RLCreateComponentHook = nullptr;
  EXPECT_NE(nullptr, dynamic_cast<TOwnLabel*>(form.LabelStepName));
  EXPECT_EQ(nullptr, dynamic_cast<TOwnLabel*>(form.ProgressBar));
}

TEST(UiRLEngineFeedBack, AltF4EndsFinish) {
  TfrmRLFeedBack form(u"Title");
  form.Show();
  KeyInput::Pump();
  PostMessageW(form.Handle(), WM_SYSKEYDOWN, VK_F4, 1 << 29);
  form.Finish();
  EXPECT_EQ(CurrentReportTexts.LS_FinishedStr, form.LabelStepName->Caption());
  EXPECT_FALSE(form.Visible() && !form.Finished);
}

}  // namespace
