#pragma once
// The default manager's window hook on the UI thread and its system colour
// replacement.
#include <windows.h>

constexpr UINT SM_DRAWMENUBORDER = 0xBCB3;
constexpr UINT SM_DRAWMENUWNDBORDER = 0xBCB4;
constexpr WPARAM PreviewCopyDataKind = 7;

// True from a border request posted to the application window until the
// window hook has it; a new popup background clears it too, so that a
// request taken off the queue elsewhere cannot silence later menus.
extern bool MenuBorderPostPending;

// The CBT hook's procedure. The window skinning brings the real one; until
// then a stand-in passes everything on.
extern HOOKPROC CBTHookProc;
// The installed hook; nullptr when none.
extern HHOOK CBTHookHandle;

// The skin's system colours for the platform's drawing, one brush per
// colour, freed when the replacement ends.
void InstallSysColorReplacement();
void RemoveSysColorReplacement();
bool SysColorReplacementInstalled();
