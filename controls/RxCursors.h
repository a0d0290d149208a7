#pragma once
// The library's two screen cursors, drawn here: a pointing hand and a
// closed (dragging) hand, installed in the screen's cursor table.
#include <windows.h>

constexpr int crHand = 14000;
constexpr int crDragHand = 14001;

// New cursor handles; the caller owns them (DestroyCursor).
HCURSOR CreateHandCursor();
HCURSOR CreateDragHandCursor();

// Puts both cursors into the screen's cursor table as crHand and
// crDragHand. Called at the library's start (by its first button) and
// safe to call again; the cursors live as long as the program.
void InstallLibraryCursors();
