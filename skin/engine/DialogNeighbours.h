#pragma once
// What the engine uses of the dialog skinning, which is built elsewhere:
// the automatic provider of a dialog and the handler of its window.
#include "skin/engine/Neighbours.h"
#include <functional>
#include <memory>

class TacDialogWnd;

// The automatic skinning provider of one dialog.
class TacProvider {
public:
  virtual ~TacProvider();
  TacDialogWnd* ListSW = nullptr;
  // Paints the child windows of Wnd into DC; the caller has moved the
  // origin to the client offsets and clipped to the client size.
  virtual void PrintHwndControls(HWND Wnd, HDC DC) { (void)Wnd; (void)DC; }
};

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
