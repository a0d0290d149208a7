#pragma once
// A form's new look after a skin change replaces its frozen old look with
// a fade (layered windows) or a cross-fade on a cover window.
#include "skin/engine/AnimFrames.h"
#include "platform/ui/Controls.h"

class TControl;

// The cover window of the cross-fade: it paints nothing of its own.
class TOutputWindow : public TCustomControl {
public:
  explicit TOutputWindow(TComponent* AOwner);
  void WndProc(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
};

// The screen under the control before the change, and the window that
// covers the control meanwhile; both live for one animation.
extern std::unique_ptr<TBitmap> AnimCoverImage;
extern std::unique_ptr<TWinControl> AnimCoverWindow;

// Mode 0 fades, 1 zooms (layered road only).
void SkinChangeAnimation(TControl* Control, unsigned Time, uint8_t Alpha, int Mode);
void PrepareAnimCover(TControl* Control, int Mode);
