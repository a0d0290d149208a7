#include "skin/engine/FormsBroadcast.h"
#include "skin/engine/SkinCommands.h"
#include "platform/ui/Forms.h"

std::function<void(TMessage& Message)> BroadcastToSkinnedForms;

namespace {
bool StillOwned(TApplication* App, TComponent* Component, int Hint) {
  if (Hint < App->ComponentCount() && App->Components(Hint) == Component) return true;
  for (int i = 0; i < App->ComponentCount(); ++i)
    if (App->Components(i) == Component) return true;
  return false;
}
}  // namespace

void BroadcastToForms(TMessage& Message) {
  TApplication* app = Application;
  // Receivers may free components meanwhile: the forms are taken first and
  // each is served only while the application still owns it.
  std::vector<TComponent*> components;
  components.reserve(static_cast<size_t>(app->ComponentCount()));
  for (int i = 0; i < app->ComponentCount(); ++i) components.push_back(app->Components(i));
  for (int i = static_cast<int>(components.size()) - 1; i >= 0; --i) {
    TComponent* component = components[static_cast<size_t>(i)];
    if (!StillOwned(app, component, i)) continue;
    auto* form = dynamic_cast<TForm*>(component);
    if (!form) continue;
    if (form->FormStyle() == fsMDIChild || (form->ComponentState() & (csDestroying | csLoading))) continue;
    if (form->HandleAllocated() && QueryWindow(form->Handle(), SKC_CTRLSKINNED)) continue;
    SendMessageW(form->Handle(), Message.Msg, Message.WParam, Message.LParam);
    BroadcastToControls(form, Message);
  }
  if (BroadcastToSkinnedForms) BroadcastToSkinnedForms(Message);
}
