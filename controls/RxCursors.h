#pragma once
// The library's two screen cursors, drawn here: a pointing hand and a
// closed (dragging) hand, installed in the screen's cursor table.
#include <windows.h>

constexpr int crHand = 14000;
constexpr int crDragHand = 14001;

// New cursor handles; the caller owns them (DestroyCursor).
HCURSOR CreateHandCursor();
HCURSOR CreateDragHandCursor();
