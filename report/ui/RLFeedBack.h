#pragma once
// The small non-modal form a report shows while it prepares: a step
// caption, a bar, a second bar for the levels of a chain, and Cancel.
#include "platform/ui/Buttons.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

using TRLFeedBackCancelEvent = std::function<void(TObject* Sender, bool& CancelIt)>;

class TfrmRLFeedBack : public TForm {
public:
  TfrmRLFeedBack(const String& ATitle, int ALevels = 1);

  TBitBtn* BitBtnCancel = nullptr;
  TProgressBar* ProgressBar = nullptr;
  TTimer* TimerBlink = nullptr;
  TLabel* LabelStepName = nullptr;
  TProgressBar* ProgressBarStage = nullptr;
  bool Canceled = false;
  bool Finished = false;
  TRLFeedBackCancelEvent OnCancel;

  void SetMax(int N);
  void StepCaption(const String& ACaption);
  void Tick();
  void NextLevel();
  // Waits, handling messages, until OK is pressed, the form is closed or
  // the application ends.
  void Finish();
  // Steps counted so far; the bar shows them at its next refresh.
  int Position() const { return FPosition; }

  void BitBtnCancelClick(TObject* Sender);
  void TimerBlinkTimer(TObject* Sender);

private:
  void RefreshBar();
  void ShowStepCaption();
  int FPosition = 0;
  // When the queue and the painted state were last served (tick counts).
  unsigned long FLastMessages = 0;
  unsigned long FLastRefresh = 0;
  String FStepCaption;
  bool FStepCaptionShown = true;
  bool FFinishing = false;
};
