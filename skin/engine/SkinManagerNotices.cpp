// The manager's notices to the platform: which system dialogs to use.
#include "skin/engine/SkinManager.h"
#include "platform/ui/Dialogs.h"

void TsSkinManager::UpdateCommonDialogs() {
  if (!GetIsDefault()) return;
  const bool skinsDialogs = (FSkinningRules & (1u << srStdDialogs)) && FActive;
  UseLatestCommonDialogs = !skinsDialogs;
}

void TsSkinManager::SetSkinningRules(TacSkinningRules Value) {
  FSkinningRules = Value;
  UpdateCommonDialogs();
}
