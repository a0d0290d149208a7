#pragma once
// What the engine uses of the window and form skinning, which are built
// elsewhere: interfaces here, filled in by their implementations.
#include "skin/graphics/SkinTypes.h"
#include "platform/ui/graphics/Bitmap.h"
#include <functional>
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
  virtual ~TacBorderForm();
  // The layered window round the form; nil until CreateNewForm. Whoever
  // takes it away (the animations) clears the reference and owns it.
  std::unique_ptr<TCustomForm> AForm;
  LONG_PTR OldBorderProc = 0;  // window procedure to give back to AForm
  HWND ParentHandle = nullptr;
  bool ExBorderShowing = false;
  virtual void CreateNewForm() {}
  virtual void PaintAll() {}
  virtual HRGN MakeRgn(int NewWidth = 0, int NewHeight = 0) { (void)NewWidth; (void)NewHeight; return nullptr; }
  virtual int OffsetY() const { return 0; }
  virtual void UpdateExBordersPos(bool Redraw = true, uint8_t Blend = 255) { (void)Redraw; (void)Blend; }
  // The skin's extended border width and title heights (ExMaxHeight when
  // the form is maximised), and the extras over the system ones.
  virtual int ExBorderWidth() const { return 0; }
  virtual int ExTitleHeight() const { return 0; }
  virtual int ExtraTitleHeight() const { return 0; }
  virtual int ExtraBorderWidth() const { return 0; }
  // The layered border window (AForm's); nullptr until it is created.
  virtual HWND FormWindow() const { return nullptr; }
  // The form's region and corner cuts, recomputed from the skin.
  virtual void UpdateFormRgn() {}
};

enum TacAnimEvent : uint8_t { aeShowing, aeHiding, aeSkinChanging };
using TacAfterAnimation = std::function<void(TacAnimEvent AnimType)>;

// The form skinning component, one per skinned form.
class TsSkinProvider {
public:
  virtual ~TsSkinProvider();
  virtual TCustomForm* Form() const = 0;
  virtual TsCommonData* CommonData() const = 0;
  virtual TacBorderForm* BorderForm() const = 0;
  // Lets go of the border window object (the provider's reference cleared).
  virtual void FreeBorderForm() {}
  uint32_t FormState = 0;

  std::unique_ptr<TCustomForm> CoverForm;  // a snapshot form, or nil
  std::unique_ptr<TBitmap> CoverBmp;       // the look before a skin change
  bool SkipAnimation = false, FAllowAnimation = true, FAllowExtBorders = true;
  bool FDrawNonClientArea = true;
  bool FInAnimation = false;
  bool FSysExHeight = false;
  std::vector<TRect> ArOR;  // cut out of the window region
  TacAfterAnimation OnAfterAnimation;

  // Renders the whole non-client image into the cache image.
  virtual void PaintAll() {}
  virtual int CaptionHeight(bool CheckSkin = true) const { (void)CheckSkin; return 0; }
  virtual int OffsetX() const { return 0; }
  virtual int OffsetY() const { return 0; }
  virtual TRect ShadowSize() const { return TRect(); }
  virtual void CalcCornerCuts() {}
  virtual void UpdateFormRgn(bool Repaint) { (void)Repaint; }
  // The form's whole look as it is now; nullptr without a cache image.
  virtual std::unique_ptr<TBitmap> MakeFormImage() { return nullptr; }
  // Shows the form again after a skin change, faded in over Time ms.
  virtual void SkinChangeAnimation(int /*Time*/, uint8_t /*Blend*/, int /*Mode*/) {}
  // The menu-bar image, background of the main-menu bar items.
  virtual TBitmap* MenuLineBmp() const { return nullptr; }
  // Shows the skinned system menu at a screen point.
  virtual void DropSysMenu(int /*X*/, int /*Y*/) {}
};

// FormState bits of the skin-change phases.
constexpr uint32_t FS_COVERED = 0x1000;
constexpr uint32_t FS_FROZEN = 0x10000;

// The automatic skinning provider of one dialog (window skinning).
class TacDialogWnd;
class TacProvider {
public:
  virtual ~TacProvider();
  TacDialogWnd* ListSW = nullptr;
  // The skinned dialog window; nullptr when the dialog has no handler.
  virtual HWND DialogWnd() const;
  // Paints the child windows of Wnd into DC; the caller has moved the
  // origin to the client offsets and clipped to the client size.
  virtual void PrintHwndControls(HWND Wnd, HDC DC) { (void)Wnd; (void)DC; }
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

// Metrics of skinned forms; a nil border window gives the system values
// (0 for the extended ones).
int WndBorderWidth(HWND Wnd, TacBorderForm* BorderForm, bool CheckSkin);
int FormSysCaptionHeight(TCustomForm* Form);
int ExTitleHeightOf(TacBorderForm* BorderForm);
int ExBorderWidthOf(TacBorderForm* BorderForm);
int ExtraTitleHeight(TacBorderForm* BorderForm);
int ExtraBorderWidth(TacBorderForm* BorderForm);
// A new region of the provider's frame at (X, Y): its window rectangle
// less the corner cuts.
HRGN MakeFormRgn(TsSkinProvider* Provider, int X, int Y);
// A topmost layered snapshot of a window (Tag 256); the caller owns it.
extern std::function<std::unique_ptr<TCustomForm>(HWND Wnd)> MakeCoverForm;
