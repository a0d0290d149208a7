#include "skin/engine/AnimForm.h"

TacAnimForm::TacAnimForm(TComponent* AOwner, bool StayOnTop) : TForm(AOwner), FStayOnTop(StayOnTop) {
  SetTag(256);
  SetBorderStyle(bsNone);
  SetVisible(false);
}

void TacAnimForm::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  Params.ExStyle |= WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
  if (FStayOnTop) Params.ExStyle |= WS_EX_TOPMOST;
}

std::unique_ptr<TCustomForm> NewAnimFormOver(HWND Wnd, bool StayOnTop) {
  auto form = std::make_unique<TacAnimForm>(nullptr, StayOnTop);
  RECT wr{};
  if (Wnd) GetWindowRect(Wnd, &wr);
  form->SetBounds(wr.left, wr.top, wr.right - wr.left, wr.bottom - wr.top);
  form->HandleNeeded();
  return form;
}

bool WindowIsTopmost(HWND Wnd) { return Wnd && (GetWindowLongW(Wnd, GWL_EXSTYLE) & WS_EX_TOPMOST); }
