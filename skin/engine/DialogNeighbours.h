#pragma once
// What the engine uses of the dialog skinning, which is built elsewhere:
// the handler of a dialog's window (its provider is in Neighbours.h).
#include "skin/engine/Neighbours.h"
#include <functional>
#include <memory>

class TacDialogWnd;

// The handler of one skinned dialog window.
class TacDialogWnd {
public:
  virtual ~TacDialogWnd();
  HWND CtrlHandle = nullptr;
  TacProvider* Provider = nullptr;
  std::unique_ptr<TacBorderForm> BorderForm;
  std::unique_ptr<TCustomForm> CoverForm;
  TsCommonData* SkinData = nullptr;  // its cache bitmap is the dialog's image
  virtual void PaintAll() {}
  virtual int OffsetX() const { return 0; }
  virtual int OffsetY() const { return 0; }
  virtual int CaptionHeight(bool CheckSkin = true) const { (void)CheckSkin; return 0; }
  virtual TRect ShadowSize() const { return TRect(); }
};

// Sets the window region of a skinned dialog; unset, dialogs keep theirs.
extern std::function<void(TacDialogWnd* DialogWnd, bool Redraw)> UpdateDialogRegion;
