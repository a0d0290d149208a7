#pragma once
// Message boxes shown by the system's own box, so that the automatic
// skinning of dialogs skins and places them.
#include "platform/rtl/String.h"
#include "platform/ui/Dialogs.h"

extern const char16_t* const acMsgBoxCaptions[5];
// The wanted screen position of the open box; -1 when none.
extern int acMsgBoxX;
extern int acMsgBoxY;

// The style flags (icon and buttons) of a box of that type and buttons.
UINT acMsgBoxStyle(TMsgDlgType DlgType, TMsgDlgButtons Buttons);
int acMessageBox(const String& Caption, const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                 int HelpCtx, int X = -1, int Y = -1, const String& HelpFileName = String());
int acMessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);
void ErrorBox(const String& Text);

// The names the window and form skinning know the position by.
inline int& MsgBoxPosX = acMsgBoxX;
inline int& MsgBoxPosY = acMsgBoxY;
