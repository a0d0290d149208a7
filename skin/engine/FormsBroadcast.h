#pragma once
// A skin command to every form of the application and its controls.
#include "platform/ui/Messages.h"
#include <functional>

// The pass over the registered skinned forms; unset until the forms
// registry exists, and then the skinned forms hear nothing here.
extern std::function<void(TMessage& Message)> BroadcastToSkinnedForms;
void BroadcastToForms(TMessage& Message);
