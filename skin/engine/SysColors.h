#pragma once
// The system colour functions of the process (GetSysColor, GetSysColorBrush,
// CreatePen) answered with the default manager's skin colours while they
// are replaced. Every caller in the process, the system's own controls
// included, gets the replaced answers.

// Each function is replaced only when it is not yet, restored only when it is.
void PatchSysColors();
void RestoreSysColors();
bool SysColorsPatched();
