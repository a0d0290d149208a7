#pragma once
// Walking a tree of controls or windows: graphic children painted into a DC
// over their container's background, children told that their parent ended
// an update, and small queries about a window's client area and class.
#include "skin/engine/AnimFrames.h"
#include "skin/graphics/SkinTypes.h"
#include <functional>

class TControl;
class TWinControl;

// True while PaintChildControls runs; a nested call returns at once.
extern bool PaintingChildren;

bool MouseInControl(TControl* Control);
// Depth first, each child before its own children; the child count is the
// one read at the start.
void IterateControls(TWinControl* Control, intptr_t Data, const std::function<void(TControl*, intptr_t)>& Proc);
void EndChildrenUpdate(TWinControl* Control);
// The direct child windows of Wnd only.
void EndChildWindowsUpdate(HWND Wnd);
// Paints the graphic children of Parent into DC, each over the parent's
// background, through one memory image of the parent's size. Changed and
// Wnd are kept for the callers.
void PaintChildControls(HDC DC, TWinControl* Parent, bool Changed, TPoint& Offset, HWND Wnd = nullptr,
                        bool VisibleOnly = true);
// The client area in window coordinates.
void WindowClientRect(HWND Wnd, TRect& R);
String GetWndClassName(HWND Wnd);
// The platform has no styles.
constexpr bool VclStyleEnabled() { return false; }

// SetWindowTheme of uxtheme, bound by name; false when it is missing.
bool SetWindowThemeAvailable();
HRESULT acSetWindowTheme(HWND Wnd, const char16_t* SubAppName, const char16_t* SubIdList);
