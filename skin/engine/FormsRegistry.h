#pragma once
// The forms that carry a form skinning provider, the broadcast to them, and
// the three phases that freeze skinned forms around a skin change and show
// them again afterwards.
#include "platform/ui/Messages.h"
#include "platform/ui/graphics/Icon.h"
#include "skin/engine/AnimFrames.h"
#include <memory>
#include <vector>

class TForm;
class TCustomForm;
class TsSkinManager;
class TsSkinProvider;

// In registration order until a removal moves the last entry into the gap;
// not owned, duplicates allowed.
extern std::vector<TForm*> SkinnedForms;
// The extended title height last met when a maximised form was shown again.
extern int LastExTitleHeight;
// The executable's shell icons, title icons of skinned forms, asked of the
// shell on first use; nullptr when it gives none.
TIcon* AppSmallIcon();
TIcon* AppLargeIcon();

void RegisterSkinnedForm(TForm* Form);
// Every entry of Form goes; the last entry fills each gap.
void UnregisterSkinnedForm(TForm* Form);
void SkinnedFormsBroadcast(TMessage& Message);

// The form's provider: its answer to SKC_GETPROVIDER, or nullptr.
TsSkinProvider* ProviderOfForm(TCustomForm* Form);

void PrepareForms(TsSkinManager* Manager);
void LockForms(TsSkinManager* Manager);
void UnlockForms(TsSkinManager* Manager, bool Animate);
