#pragma once
// A window's scroll bar set only when it would change, and drawn when the
// window's messages are next handled: a layout pass asks for the same
// values many times, and a grid following a report's walk of its data set
// moves its thumb at every record.
#include <windows.h>

void SetScrollInfoIfChanged(HWND Handle, int Bar, const SCROLLINFO& Info);
