#include "platform/ui/ComCtrls.h"
#include <commctrl.h>

TProgressBar::TProgressBar(TComponent* AOwner) : TWinControl(AOwner) { SetBounds(0, 0, 150, 16); }

void TProgressBar::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, reinterpret_cast<const char16_t*>(PROGRESS_CLASSW));
  if (FSmooth) Params.Style |= PBS_SMOOTH;
  if (FOrientation == pbVertical) Params.Style |= PBS_VERTICAL;
}

void TProgressBar::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageW(FHandle, PBM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
  SendMessageW(FHandle, PBM_SETSTEP, static_cast<WPARAM>(FStep), 0);
  SendMessageW(FHandle, PBM_SETPOS, static_cast<WPARAM>(FPosition), 0);
}

void TProgressBar::SetMin(int value) {
  if (FMin == value) return;
  FMin = value;
  if (HandleAllocated()) SendMessageW(FHandle, PBM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
}

void TProgressBar::SetMax(int value) {
  if (FMax == value) return;
  FMax = value;
  if (HandleAllocated()) SendMessageW(FHandle, PBM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
}

int TProgressBar::Position() {
  if (HandleAllocated()) FPosition = static_cast<int>(SendMessageW(FHandle, PBM_GETPOS, 0, 0));
  return FPosition;
}

void TProgressBar::SetPosition(int value) {
  FPosition = std::max(FMin, std::min(value, FMax));
  if (HandleAllocated()) SendMessageW(FHandle, PBM_SETPOS, static_cast<WPARAM>(FPosition), 0);
}

void TProgressBar::SetStep(int value) {
  FStep = value;
  if (HandleAllocated()) SendMessageW(FHandle, PBM_SETSTEP, static_cast<WPARAM>(value), 0);
}

void TProgressBar::StepIt() {
  // Past the maximum the bar starts again at the minimum, as the system's does.
  int next = Position() + FStep;
  if (next > FMax) next = FMin + (next - FMax);
  SetPosition(next);
}

void TProgressBar::StepBy(int delta) { SetPosition(Position() + delta); }

void TProgressBar::SetSmooth(bool value) {
  if (FSmooth == value) return;
  FSmooth = value;
  RecreateWnd();
}

void TProgressBar::SetOrientation(TProgressBarOrientation value) {
  if (FOrientation == value) return;
  FOrientation = value;
  RecreateWnd();
}
