#pragma once
// Services of the system the program asks for: starting programs, beeps
// and the version block of an executable.
#include "platform/rtl/String.h"
#include <windows.h>
#include <array>

// Starts a program from a command line, as WinExec does: the program file
// is looked for in the executable's folder, the current folder and the
// path. True when it started.
bool RunProgram(const String& commandLine, int showCmd = SW_SHOWNORMAL);
// Opens a file or program through the shell (the "open" verb).
bool ShellOpen(const String& file, const String& parameters = String(), int showCmd = SW_SHOWNORMAL);
// The system's default sound.
void Beep();

// The four parts of the fixed file version of an executable, most
// significant first; false when it has no version block.
bool GetFileVersion(const String& fileName, std::array<WORD, 4>& parts);
// "major.minor.release.build" of the running executable; empty without a
// version block.
String ExecutableVersionText();
