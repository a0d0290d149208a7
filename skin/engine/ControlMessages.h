#pragma once
// The reactions every skinned control shares: its answers to the skin
// command message, and its handling of moves, sizes, focus, hover and
// visibility. Window handlers call these before or after their painting.
#include "platform/ui/Messages.h"
#include <functional>

class TPopupMenu;
class TsCommonData;
class TsSkinManager;

// True when the code is one of the shared ones (the answer in Result).
// Nil data or another message: nothing, and true.
bool HandleSkinCmd(TMessage& Message, TsCommonData* Data);
// True when the message is consumed.
bool HandleControlMessage(TMessage& Message, TsCommonData* Data);

// Set by the skinned menus: hooks a control's popup menu before it opens,
// skinned while the manager is active.
extern std::function<void(TsSkinManager* Manager, TPopupMenu* Menu, bool Skinned)> HookSkinnedPopupMenu;
// Off by default: edits take their hot colours from the mouse only when set.
extern bool EditHoverColors;
