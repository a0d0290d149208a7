#include "report/ui/RLFeedBack.h"
#include "report/pages/RLLocaleStrings.h"
#include "report/ui/RLComponentFactory.h"
#include <algorithm>

TfrmRLFeedBack::TfrmRLFeedBack(const String& ATitle, int ALevels) : TForm(nullptr) {
  SetCaption(u"Progresso");
  SetBounds(289, 252, 393, 129);
  SetColor(clBtnFace);
  Font()->SetName(u"MS Sans Serif");
  Font()->SetHeight(-11);
  SetPosition(poScreenCenter);
  SetBorderStyle(bsDialog);

  TRLComponentFactory::CreateComponent(this, LabelStepName);
  LabelStepName->SetName(u"LabelStepName");
  LabelStepName->SetParent(this);
  LabelStepName->SetBounds(14, 12, 39, 13);
  LabelStepName->SetParentFont(false);
  LabelStepName->Font()->SetName(u"MS Sans Serif");
  LabelStepName->Font()->SetHeight(-12);
  LabelStepName->SetCaption(CurrentReportTexts.LS_WaitStr);

  TRLComponentFactory::CreateComponent(this, ProgressBar);
  ProgressBar->SetName(u"ProgressBar");
  ProgressBar->SetParent(this);
  ProgressBar->SetBounds(14, 28, 355, 17);
  ProgressBar->SetMin(0);
  ProgressBar->SetMax(100);
  ProgressBar->SetStep(1);

  TRLComponentFactory::CreateComponent(this, BitBtnCancel);
  BitBtnCancel->SetName(u"BitBtnCancel");
  BitBtnCancel->SetParent(this);
  BitBtnCancel->SetBounds(151, 65, 85, 25);
  BitBtnCancel->SetKind(bkCancel);
  BitBtnCancel->SetTabOrder(0);
  BitBtnCancel->SetCaption(CurrentReportTexts.LS_CancelStr);
  BitBtnCancel->OnClick = [this](TObject* sender) { BitBtnCancelClick(sender); };

  TRLComponentFactory::CreateComponent(this, TimerBlink);
  TimerBlink->SetName(u"TimerBlink");
  TimerBlink->SetEnabled(false);
  TimerBlink->SetInterval(300);
  TimerBlink->OnTimer = [this](TObject* sender) { TimerBlinkTimer(sender); };

  SetActiveControl(BitBtnCancel);
  SetBounds(4, 64, Width(), Height());
  SetCaption(ATitle);

  if (ALevels >= 2) {
    TRLComponentFactory::CreateComponent(this, ProgressBarStage);
    ProgressBarStage->SetName(u"ProgressBarStage");
    ProgressBarStage->SetParent(ProgressBar->Parent());
    const int grow = ProgressBar->Height() + 2;
    ProgressBarStage->SetBounds(ProgressBar->Left(), ProgressBar->Top() + grow, ProgressBar->Width(),
                                ProgressBar->Height());
    ProgressBarStage->SetMax(ALevels);
    ProgressBarStage->SetPosition(0);
    ProgressBarStage->SetStep(1);
    SetBounds(Left(), Top(), Width(), Height() + grow);
    // The button keeps its distance from the bottom edge.
    BitBtnCancel->SetBounds(BitBtnCancel->Left(), BitBtnCancel->Top() + grow, BitBtnCancel->Width(),
                            BitBtnCancel->Height());
  }
  OnClose = [this](TObject*, TCloseAction& action) {
    (void)action;
    if (FFinishing) Finished = true;
  };
}

void TfrmRLFeedBack::SetMax(int N) {
  ProgressBar->SetMax(N);
  ProgressBar->SetPosition(0);
  FPosition = 0;
}

namespace {
// The queue is served often enough for Cancel to answer without a wait
// anyone notices; the bar and the caption are painted a few times a second,
// each paint costing more than thousands of records.
constexpr unsigned long MessagesInterval = 50;
constexpr unsigned long RefreshInterval = 250;
}  // namespace

void TfrmRLFeedBack::StepCaption(const String& ACaption) {
  // A caption set per record would measure and repaint the label per
  // record: between refreshes the latest one waits for the next.
  FStepCaption = ACaption;
  FStepCaptionShown = false;
  if (GetTickCount() - FLastRefresh >= RefreshInterval) ShowStepCaption();
}

void TfrmRLFeedBack::ShowStepCaption() {
  if (FStepCaptionShown) return;
  FStepCaptionShown = true;
  if (LabelStepName->Caption() != FStepCaption) LabelStepName->SetCaption(FStepCaption);
}

void TfrmRLFeedBack::RefreshBar() { ProgressBar->SetPosition(std::min(FPosition, ProgressBar->Max())); }

void TfrmRLFeedBack::Tick() {
  ++FPosition;
  // Once per record, serving the queue would cost more than the record.
  const unsigned long now = GetTickCount();
  if (now - FLastMessages < MessagesInterval) return;
  FLastMessages = now;
  if (now - FLastRefresh >= RefreshInterval) {
    FLastRefresh = now;
    RefreshBar();
    ShowStepCaption();
  }
  Application->ProcessMessages();
}

void TfrmRLFeedBack::NextLevel() {
  if (ProgressBarStage) ProgressBarStage->StepIt();
  ProgressBar->SetPosition(0);
  FPosition = 0;
}

void TfrmRLFeedBack::Finish() {
  RefreshBar();
  FStepCaptionShown = true;
  LabelStepName->SetCaption(CurrentReportTexts.LS_FinishedStr);
  BitBtnCancel->SetKind(bkOK);
  BitBtnCancel->SetCaption(CurrentReportTexts.LS_CloseStr);
  BitBtnCancel->SetDefault(true);
  TimerBlink->SetEnabled(true);
  FFinishing = true;
  while (!Finished && Visible() && !Application->Terminated()) Application->HandleMessage();
  TimerBlink->SetEnabled(false);
  FFinishing = false;
}

void TfrmRLFeedBack::BitBtnCancelClick(TObject* Sender) {
  (void)Sender;
  if (BitBtnCancel->Kind() == bkOK) {
    Finished = true;
    return;
  }
  Canceled = true;
  if (OnCancel) OnCancel(this, Canceled);
}

void TfrmRLFeedBack::TimerBlinkTimer(TObject* Sender) {
  (void)Sender;
  LabelStepName->SetVisible(!LabelStepName->Visible());
}
