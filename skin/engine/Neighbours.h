#pragma once
// What the engine uses of the window and form skinning, which are built
// elsewhere: interfaces here, filled in by their implementations.
#include "skin/graphics/SkinTypes.h"
#include "platform/ui/graphics/Bitmap.h"
#include <memory>
#include <vector>

class TCustomForm;
class TsCommonData;

// The state of one skinned scroll bar.
class TacScrollBar {
public:
  virtual ~TacScrollBar() = default;
  bool fScrollVisible = false;
};

// The handler a window skinning attaches to a window; it answers
// SKC_GETWNDHANDLER with itself.
class TacMainWnd {
public:
  virtual ~TacMainWnd() = default;
};

class TacScrollWnd : public TacMainWnd {
public:
  TacScrollBar* sBarHorz = nullptr;
  TacScrollBar* sBarVert = nullptr;
};

// Thickness in pixels of a skinned scroll bar; 0 for a nil bar. Set by the
// window skinning; unset, a bar has the system thickness.
extern int (*ScrollBarSize)(TacScrollBar* Bar, bool Thickness, int Reserved);

// The extended border window of a skinned form.
class TacBorderForm {
public:
  virtual ~TacBorderForm() = default;
  // The layered border window (AForm's); nullptr until it is created.
  virtual HWND FormWindow() const { return nullptr; }
  // A new region for the border window; (0, 0) for its current size.
  virtual HRGN MakeRgn(int /*NewWidth*/, int /*NewHeight*/) { return nullptr; }
  virtual void UpdateExBordersPos(bool /*Redraw*/, uint8_t /*Blend*/) {}
  // The form's region and corner cuts, recomputed from the skin.
  virtual void UpdateFormRgn() {}
  bool ExBorderShowing = false;
};

// The form skinning component, one per skinned form.
class TsSkinProvider {
public:
  virtual ~TsSkinProvider() = default;
  virtual TCustomForm* Form() const = 0;
  virtual TsCommonData* CommonData() const = 0;
  virtual TacBorderForm* BorderForm() const = 0;
  // The form's whole look as it is now; nullptr without a cache image.
  virtual std::unique_ptr<TBitmap> MakeFormImage() { return nullptr; }
  // Shows the form again after a skin change, faded in over Time ms.
  virtual void SkinChangeAnimation(int /*Time*/, uint8_t /*Blend*/, int /*Mode*/) {}
  // The menu-bar image, background of the main-menu bar items.
  virtual TBitmap* MenuLineBmp() const { return nullptr; }
  // Shows the skinned system menu at a screen point.
  virtual void DropSysMenu(int /*X*/, int /*Y*/) {}
  uint32_t FormState = 0;
  bool FInAnimation = false;
  bool FDrawNonClientArea = true;
  std::unique_ptr<TBitmap> CoverBmp;
};

// FormState bits of the skin-change phases.
constexpr uint32_t FS_COVERED = 0x1000;
constexpr uint32_t FS_FROZEN = 0x10000;

// The automatic skinning provider of one dialog (window skinning).
class TacProvider {
public:
  virtual ~TacProvider() = default;
  // The skinned dialog window; nullptr when the dialog has no handler.
  virtual HWND DialogWnd() const = 0;
};
using TacDialogProviderList = std::vector<std::unique_ptr<TacProvider>>;
// Frees the handlers of skinned popup-menu windows (window skinning).
extern void (*FreeMenuWnds)();
// The window hook's providers; nullptr until the hook is installed.
extern std::unique_ptr<TacDialogProviderList> DialogProviderList;

// The provider of the application's main form; nil when it is not skinned.
extern TsSkinProvider* MainFormProvider;
// Set when a form hears WM_QUERYENDSESSION; never cleared.
extern bool SessionEnding;
