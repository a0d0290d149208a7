#pragma once
// Asking a control, and through it its parents, which skin section gives it
// its font (SKC_GETFONTSECTION).
#include "skin/engine/SkinCommands.h"

// The section index the control's chain answers, else Default; a nil
// control gives Default.
int AskFontSection(TControl* Control, int Default, TsSkinManager* Manager);
// Passes the request on to Control, with the bounds moved into Control's
// parent's coordinates; the answer, 0 when nobody answers.
LRESULT PassFontSection(TControl* Control, TacFontSectionRequest& Request);
