#pragma once
// The borderless, never activated tool window the animations show images
// on; Tag 256 keeps the window hook off it.
#include "platform/ui/Forms.h"
#include <memory>

class TacAnimForm : public TForm {
public:
  // Owner nil: the caller owns the form.
  explicit TacAnimForm(TComponent* AOwner, bool StayOnTop = false);

protected:
  void CreateParams(TCreateParams& Params) override;

private:
  bool FStayOnTop;
};

// A borderless animation window with Wnd's window rectangle, not shown.
std::unique_ptr<TCustomForm> NewAnimFormOver(HWND Wnd, bool StayOnTop = false);
bool WindowIsTopmost(HWND Wnd);
