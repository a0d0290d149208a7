#pragma once
// Skinned forms and dialogs appear and disappear through a layered window
// that shows their image fading in or out.
#include "skin/engine/AnimFrames.h"
#include "skin/engine/HideAnimation.h"
#include "skin/engine/SkinOptions.h"

class TsSkinProvider;
class TacDialogWnd;

// Blocks for Time ms (plus a frame) while the form's image fades in.
void ShowFormAnimated(TsSkinProvider* Provider, unsigned Time, uint8_t Alpha, TacAnimType Mode);
void ShowDialogAnimated(TacDialogWnd* Dlg, unsigned Time, uint8_t Alpha, TacAnimType Mode);
// Return at once; the cover fades out on the hide timer.
void HideFormAnimated(TsSkinProvider* Provider);
void HideDialogAnimated(TacDialogWnd* Dlg);
