// Focus, tab order and keyboard handling of windowed controls.
#include "platform/rtl/Exceptions.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include <algorithm>

int TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  const auto& list = Parent()->FTabList;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int value) {
  int current = TabOrder();
  if (current < 0) return;
  auto& list = Parent()->FTabList;
  int count = static_cast<int>(list.size());
  if (value < 0) value = 0;
  if (value >= count) value = count - 1;
  if (value == current) return;
  list.erase(list.begin() + current);
  list.insert(list.begin() + value, this);
}

void TWinControl::SetTabStop(bool value) {
  if (FTabStop == value) return;
  FTabStop = value;
  Perform(CM_TABSTOPCHANGED);
}

bool TWinControl::CanFocus() const {
  TCustomForm* form = GetParentForm(this);
  if (!form) return false;
  for (const TControl* c = this; c && c != form; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() const { return FHandle && GetFocus() == FHandle; }

void TWinControl::SetFocus() {
  TCustomForm* form = GetParentForm(this);
  if (form) {
    form->FocusControl(this);
    return;
  }
  throw EInvalidOperation(u"Control '" + Name() + u"' has no parent window");
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) {
  for (TWinControl* c : FTabList) {
    list.push_back(c);
    c->GetTabOrderList(list);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  int count = static_cast<int>(list.size());
  auto found = std::find(list.begin(), list.end(), current);
  int start = found == list.end() ? (goForward ? count - 1 : 0) : static_cast<int>(found - list.begin());
  int i = start;
  do {
    if (goForward) {
      if (++i == count) i = 0;
    } else {
      if (i == 0) i = count;
      --i;
    }
    TWinControl* c = list[static_cast<size_t>(i)];
    if (c->CanFocus() && (!checkTabStop || c->TabStop()) && (!checkParent || c->Parent() == this)) return c;
  } while (i != start);
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
  TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop);
  if (next) next->SetFocus();
}

void TWinControl::SelectFirst() {
  TWinControl* first = FindNextControl(nullptr, true, true, false);
  if (first) first->SetFocus();
}

void TWinControl::DoEnter() { FireEvent(OnEnter, this); }
void TWinControl::DoExit() { FireEvent(OnExit, this); }

void TWinControl::KeyDown(WORD& Key, TShiftState Shift) { FireEvent(OnKeyDown, this, Key, Shift); }
void TWinControl::KeyUp(WORD& Key, TShiftState Shift) { FireEvent(OnKeyUp, this, Key, Shift); }
void TWinControl::KeyPress(char16_t& Key) { FireEvent(OnKeyPress, this, Key); }

bool TWinControl::DoKeyDown(TMessage& m) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && static_cast<TWinControl*>(form)->DoKeyDown(m)) return true;
  if (!FControlStyle.Contains(csNoStdEvents)) {
    WORD key = static_cast<WORD>(m.WParam);
    KeyDown(key, KeyDataToShiftState(m.LParam));
    m.WParam = key;
    if (key == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyUp(TMessage& m) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && static_cast<TWinControl*>(form)->DoKeyUp(m)) return true;
  if (!FControlStyle.Contains(csNoStdEvents)) {
    WORD key = static_cast<WORD>(m.WParam);
    KeyUp(key, KeyDataToShiftState(m.LParam));
    m.WParam = key;
    if (key == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyPress(TMessage& m) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && static_cast<TWinControl*>(form)->DoKeyPress(m)) return true;
  if (!FControlStyle.Contains(csNoStdEvents)) {
    char16_t key = static_cast<char16_t>(m.WParam);
    KeyPress(key);
    m.WParam = key;
    if (key == 0) return true;
  }
  return false;
}

bool TWinControl::IsMenuKey(TMessage& m) {
  for (TControl* c = this; c; c = c->Parent()) {
    TPopupMenu* popup = c->PopupMenu();
    if (popup && popup->IsShortCut(m)) return true;
  }
  TCustomForm* form = GetParentForm(this);
  if (form && form->IsShortCut(m)) return true;
  return Application->IsShortCut(m);
}
