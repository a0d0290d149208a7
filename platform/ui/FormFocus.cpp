// Focus bookkeeping of forms: the active control, OnEnter/OnExit along the
// parent chain, activation, and menu shortcuts.
#include "platform/rtl/Exceptions.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include <algorithm>

namespace {
const char16_t* const kCannotFocus = u"Não é possível dar o foco a uma janela desabilitada ou invisível";

template <class T>
void MoveToFront(std::vector<T*>& list, T* item) {
  auto it = std::find(list.begin(), list.end(), item);
  if (it != list.end()) list.erase(it);
  list.insert(list.begin(), item);
}
}  // namespace

void TCustomForm::SetActive(bool value) {
  FActive = value;
  if (!value) return;
  if (!FActiveControl) FActiveControl = FindNextControl(nullptr, true, true, false);
  SetWindowFocus();
}

void TCustomForm::SetWindowFocus() {
  if (!FHandle || !IsWindowVisible(FHandle)) return;
  HWND target = FActiveControl ? FActiveControl->Handle() : FHandle;
  ::SetFocus(target);
}

void TCustomForm::SetActiveControl(TWinControl* control) {
  if (FActiveControl == control) return;
  if (control && !(control != this && GetParentForm(control) == this && control->CanFocus()))
    throw EInvalidOperation(kCannotFocus);
  FActiveControl = control;
  if (FActive) SetWindowFocus();
}

void TCustomForm::FocusControl(TWinControl* control) {
  bool wasActive = FActive;
  SetActiveControl(control);
  if (!wasActive) SetFocus();
}

void TCustomForm::SetFocus() {
  if (FActive) return;
  if (!(Visible() && Enabled())) throw EInvalidOperation(kCannotFocus);
  SetWindowFocus();
}

void TCustomForm::DefocusControl(TWinControl* control, bool removing) {
  if (removing && control->ContainsControl(FFocusedControl)) FFocusedControl = control->Parent();
  if (control->ContainsControl(FActiveControl)) {
    if (IsDestroying() || removing)
      FActiveControl = nullptr;
    else
      SetActiveControl(nullptr);
  }
  if (TScreen* screen = TScreenRef::Peek())
    if (control->ContainsControl(screen->FActiveControl)) screen->FActiveControl = nullptr;
}

bool TCustomForm::SetFocusedControl(TWinControl* control) {
  ++FFocusCount;
  FActiveControl = control != this ? control : nullptr;
  TScreen* screen = Screen;
  screen->FActiveControl = control;
  screen->FActiveCustomForm = this;
  MoveToFront(screen->FCustomForms, static_cast<TCustomForm*>(this));
  if (auto* form = dynamic_cast<TForm*>(this)) {
    screen->FActiveForm = form;
    MoveToFront(screen->FForms, form);
  } else {
    screen->FActiveForm = nullptr;
  }
  if (control->FControlState.Contains(csFocusing)) return false;
  control->FControlState.Include(csFocusing);
  struct Unmark {
    TWinControl* C;
    ~Unmark() { C->FControlState.Exclude(csFocusing); }
  } unmark{control};

  // A handler that moves the focus elsewhere ends this round.
  auto send = [](HWND window, UINT msg) {
    int count = FFocusCount;
    SendMessageW(window, msg, 0, 0);
    return count == FFocusCount;
  };
  if (screen->FFocusedForm != this) {
    if (TCustomForm* previous = screen->FFocusedForm) {
      screen->FFocusedForm = nullptr;
      if (previous->HandleAllocated() && !send(previous->Handle(), CM_DEACTIVATE)) return false;
    }
    screen->FFocusedForm = this;
    if (!send(Handle(), CM_ACTIVATE)) return false;
  }
  if (!FFocusedControl) FFocusedControl = this;
  if (FFocusedControl != control) {
    while (FFocusedControl && !FFocusedControl->ContainsControl(control)) {
      HWND window = FFocusedControl->Handle();
      FFocusedControl = FFocusedControl->Parent();
      if (!send(window, CM_EXIT)) return false;
    }
    while (FFocusedControl != control) {
      TWinControl* step = control;
      while (step->Parent() != FFocusedControl) step = step->Parent();
      FFocusedControl = step;
      if (!send(step->Handle(), CM_ENTER)) return false;
    }
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
  }
  return true;
}

bool TCustomForm::IsShortCut(TMessage& Message) {
  bool handled = false;
  FireEvent(OnShortCut, Message, handled);
  if (handled) return true;
  return FMenu && FMenu->IsShortCut(Message);
}

void TCustomForm::SendCancelMode(TControl* sender) {
  if (FActive && FActiveControl) FActiveControl->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(sender));
}
