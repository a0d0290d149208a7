#pragma once
// The library's private window message: the command code in the high word
// of wParam, a sub-argument in its low word, an object, record or integer
// in lParam. Windows that do not know it answer 0.
#include "platform/classes/Alignment.h"
#include "platform/ui/Messages.h"
#include "platform/ui/graphics/Graphics.h"
#include <functional>

class TControl;
class TWinControl;
class TComponent;
class TCustomForm;
class TsSkinManager;

constexpr UINT SM_SKINCMD = 0xA100;

constexpr WORD SKC_NEWSKIN = 1;
constexpr WORD SKC_REMOVESKIN = 2;
constexpr WORD SKC_REFRESH = 3;
constexpr WORD SKC_GETPROVIDER = 4;
constexpr WORD SKC_CHILDPAINT = 5;
constexpr WORD SKC_ENDPARENTUPDATE = 6;
constexpr WORD SKC_CTRLSKINNED = 7;
constexpr WORD SKC_SETUPDATING = 8;
constexpr WORD SKC_GETSKININDEX = 9;
constexpr WORD SKC_ISUPDATING = 10;
constexpr WORD SKC_ISHALFVISIBLE = 11;
constexpr WORD SKC_GETWNDHANDLER = 12;
constexpr WORD SKC_SECTIONCHANGED = 13;
constexpr WORD SKC_MENURGNCHANGED = 14;
constexpr WORD SKC_SETSKINSECTION = 15;
constexpr WORD SKC_STOPANIMATION = 16;
constexpr WORD SKC_SETBGCHANGED = 17;
constexpr WORD SKC_INVALIDATE = 18;
constexpr WORD SKC_BGNOTUNIFORM = 19;
constexpr WORD SKC_REPAINTIFMOVED = 20;
constexpr WORD SKC_GETBGCOLOR = 21;
constexpr WORD SKC_SETHALFVISIBLE = 22;
constexpr WORD SKC_PREPARECACHE = 23;
constexpr WORD SKC_CTRLADDED = 25;
constexpr WORD SKC_GETSKININFO = 26;
constexpr WORD SKC_GETMANAGER = 27;
constexpr WORD SKC_CTRLACTIVATED = 29;
constexpr WORD SKC_CTRLDEACTIVATED = 30;
constexpr WORD SKC_BEGINUPDATE = 31;
constexpr WORD SKC_ENDUPDATE = 32;
constexpr WORD SKC_CLEARCACHE = 33;
constexpr WORD SKC_GETBGINFO = 34;
constexpr WORD SKC_BGSTATE = 36;
constexpr WORD SKC_GETSKINDATA = 37;
constexpr WORD SKC_SETPRINTDC = 38;
constexpr WORD SKC_PAINTOUTER = 40;
constexpr WORD SKC_LOCKREDRAW = 51;
constexpr WORD SKC_UNLOCKREDRAW = 52;
constexpr WORD SKC_SCROLLSIZECHANGED = 53;
constexpr WORD SKC_GETAPPLICATION = 60;
constexpr WORD SKC_GETOFFSETS = 61;
constexpr WORD SKC_TITLEBARCHANGED = 62;
constexpr WORD SKC_SETFORMFLAG = 63;
constexpr WORD SKC_GETFORMFLAG = 64;
constexpr WORD SKC_SETFORMALPHA = 65;
constexpr WORD SKC_GETFONTSECTION = 66;
constexpr WORD SKC_GETBORDERWIDTH = 68;
constexpr WORD SKC_GETBOUNDS = 70;
constexpr WORD SKC_PREVIEWSKIN = 71;

// wParam of a command with its sub-argument.
constexpr WPARAM SkinCmdWParam(WORD Code, WORD SubArg = 0) { return static_cast<WPARAM>(Code) << 16 | SubArg; }

// lParam of SKC_GETFONTSECTION. The bounds start in the client coordinates
// of the asking control's parent; each relay offsets them by its position.
struct TacFontSectionRequest {
  intptr_t Reserved = 0;
  intptr_t SkinIndex = -1;
  TRect Bounds;
  TsSkinManager* SkinManager = nullptr;
};

// lParam of SKC_GETSKININFO; the receiver writes its skin index.
struct TacSkinInfoRequest {
  intptr_t Reserved = 0;
  intptr_t SkinIndex = -1;
};

LRESULT SendSkinCmd(HWND Wnd, WORD Code, LPARAM LParam = 0);
// SendMessage to a windowed control that has its handle; a window of this
// thread that runs the UI library's own procedure is served directly.
LRESULT SendToWindowed(TWinControl* Control, UINT Msg, WPARAM WParam, LPARAM LParam);
// Never creates a handle: a windowed control without one, or one being
// destroyed, gets nothing and the answer is 0.
LRESULT ControlSkinCmd(TControl* Control, WORD Code, LPARAM LParam = 0);
// True when the answer's low byte is not 0.
bool QueryControl(TControl* Control, WORD Code);
// True only when the answer is exactly 1.
bool QueryWindow(HWND Wnd, WORD Code);
LRESULT SetRedraw(HWND Wnd, bool Flag);

// Optional: excludes an unskinned windowed child from the descent.
extern std::function<bool(TWinControl* Child)> BroadcastSkipChild;
void BroadcastToControls(TWinControl* Container, const TMessage& Message);
// Direct child windows of Wnd only.
void BroadcastToChildWindows(HWND Wnd, const TMessage& Message);

bool ControlIsReady(TControl* Control);
TCustomForm* GetOwnerForm(TComponent* Component);
// The platform draws left to right only, so no bidirectional adjustment applies.
UINT TextAlignFlags(TControl* Control, TAlignment Alignment);
void CursorPos(TPoint& P);
void NotifyParentForm(TControl* Control);
TColor GetControlColor(TControl* Control);
TColor GetWindowColor(HWND Wnd);
HWND TopParentWindow(HWND Wnd);
