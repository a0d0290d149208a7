#pragma once
// Enumerations, sets and event types shared by the controls, forms and
// application object.
#include "platform/ui/EnumSet.h"
#include "platform/ui/graphics/GraphicsObjects.h"  // TNotifyEvent, TColor
#include <windows.h>
#include <cstdint>
#include <functional>
#include <utility>

class TObject;

enum TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };

enum TAnchorKind : uint8_t { akLeft, akTop, akRight, akBottom };
using TAnchors = TEnumSet<TAnchorKind>;

enum TShiftStateItem : uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TEnumSet<TShiftStateItem>;

enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };

#include "platform/classes/Alignment.h"
enum TTextLayout : uint8_t { tlTop, tlCenter, tlBottom };

enum TControlStyleItem : uint8_t {
  csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed, csSetCaption,
  csOpaque, csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible, csReplicatable,
  csNoStdEvents, csDisplayDragImage, csReflector, csActionClient, csMenuEvents,
  csNeedsBorderPaint, csParentBackground
};
using TControlStyle = TEnumSet<TControlStyleItem>;

enum TControlStateItem : uint8_t {
  csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing,
  csCreating, csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking
};
using TControlState = TEnumSet<TControlStateItem>;

// Cursor identifiers: 0 is the control's default, negative numbers the
// system cursors, positive numbers cursors an application installs in
// Screen->SetCursors.
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSize = -22;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;
constexpr TModalResult mrCancel = IDCANCEL;
constexpr TModalResult mrAbort = IDABORT;
constexpr TModalResult mrRetry = IDRETRY;
constexpr TModalResult mrIgnore = IDIGNORE;
constexpr TModalResult mrYes = IDYES;
constexpr TModalResult mrNo = IDNO;
constexpr TModalResult mrAll = mrNo + 1;
constexpr TModalResult mrNoToAll = mrAll + 1;
constexpr TModalResult mrYesToAll = mrNoToAll + 1;

// Borders of forms; bsNone and bsSingle also serve panels, edits and boxes.
enum TFormBorderStyle : uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char16_t& Key)>;

// Calls an event through a copy, so a handler may unassign or replace the
// very event that is running it.
template <typename Event, typename... Args>
void FireEvent(const Event& event, Args&&... args) {
  if (event) {
    Event copy = event;
    copy(std::forward<Args>(args)...);
  }
}

// Shift state of a key message's key data plus the current Shift and Ctrl
// keys.
TShiftState KeyDataToShiftState(LPARAM keyData);
// Shift state of a mouse message's key flags.
TShiftState KeysToShiftState(WPARAM keys);
