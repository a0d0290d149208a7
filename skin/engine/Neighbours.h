#pragma once
// What the engine uses of the window and form skinning, which are built
// elsewhere: interfaces here, filled in by their implementations.
#include "skin/graphics/SkinTypes.h"

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
};

// The form skinning component, one per skinned form.
class TsSkinProvider {
public:
  virtual ~TsSkinProvider() = default;
  virtual TCustomForm* Form() const = 0;
  virtual TsCommonData* CommonData() const = 0;
  virtual TacBorderForm* BorderForm() const = 0;
  uint32_t FormState = 0;
};

// The provider of the application's main form; nil when it is not skinned.
extern TsSkinProvider* MainFormProvider;
// Set when a form hears WM_QUERYENDSESSION; never cleared.
extern bool SessionEnding;
