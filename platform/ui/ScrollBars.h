#pragma once
// A window's scroll bar set only when it would change: every SetScrollInfo
// repaints the bar, and a layout pass asks for the same values many times.
#include <windows.h>

void SetScrollInfoIfChanged(HWND Handle, int Bar, const SCROLLINFO& Info);
