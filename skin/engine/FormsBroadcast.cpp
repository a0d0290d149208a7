#include "skin/engine/FormsBroadcast.h"
#include "skin/engine/SkinCommands.h"
#include "platform/ui/Forms.h"

std::function<void(TMessage& Message)> BroadcastToSkinnedForms;

void BroadcastToForms(TMessage& Message) {
  TApplication* app = Application;
  for (int i = app->ComponentCount() - 1; i >= 0; --i) {
    // Receivers may free components meanwhile.
    if (app->ComponentCount() <= i) return;
    auto* form = dynamic_cast<TForm*>(app->Components(i));
    if (!form || form->FormStyle() == fsMDIChild || (form->ComponentState() & (csDestroying | csLoading))) continue;
    if (form->HandleAllocated() && QueryWindow(form->Handle(), SKC_CTRLSKINNED)) continue;
    SendMessageW(form->Handle(), Message.Msg, Message.WParam, Message.LParam);
    BroadcastToControls(form, Message);
  }
  if (BroadcastToSkinnedForms) BroadcastToSkinnedForms(Message);
}
