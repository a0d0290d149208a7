#include "platform/dbctrls/DBComboBox.h"
#include "platform/data/Field.h"

TDBComboBox::TDBComboBox(TComponent* AOwner)
    : TCustomComboBox(AOwner), FDataLink(std::make_unique<TFieldDataLink>()) {
  FDataLink->OnDataChange = [this](TObject*) { DataChange(); };
  FDataLink->OnUpdateData = [this](TObject*) { UpdateData(); };
  FDataLink->OnActiveChange = [this](TObject*) { DataChange(); };
}

TDBComboBox::~TDBComboBox() {
  BeginDestroy();
  FDataLink->Detach();
}

void TDBComboBox::SetDataSource(TDataSource* value) { FDataLink->SetControlDataSource(this, value); }

void TDBComboBox::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomComboBox::Notification(AComponent, Operation);
  if (FDataLink) FDataLink->SourceRemoved(AComponent, Operation);
}

String TDBComboBox::ComboText() {
  if (Style() == csDropDown || Style() == csSimple) return Text();
  const int i = ItemIndex();
  return i < 0 ? String() : Items()->Strings(i);
}

void TDBComboBox::SetComboText(const String& value) {
  if (value == ComboText()) return;
  if (Style() != csDropDown && Style() != csSimple) {
    // Only an item can be shown; a value that is none shows nothing.
    SetItemIndex(value.empty() ? -1 : Items()->IndexOf(value));
    return;
  }
  SetText(value);
}

void TDBComboBox::DataChange() {
  if (IsDestroying()) return;
  if (Style() != csSimple && HandleAllocated() && DroppedDown()) return;
  FLoading = true;
  TField* field = FDataLink->Field();
  SetComboText(field ? field->Text() : String());
  FLoading = false;
}

void TDBComboBox::UpdateData() {
  if (TField* field = FDataLink->Field()) field->SetText(ComboText());
}

void TDBComboBox::Change() {
  if (!FLoading) FDataLink->Edit();
  TCustomComboBox::Change();
  if (!FLoading) FDataLink->Modified();
}

void TDBComboBox::Click() {
  if (!FLoading) FDataLink->Edit();
  TCustomComboBox::Click();
  if (!FLoading) FDataLink->Modified();
}

void TDBComboBox::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomComboBox::KeyDown(Key, Shift);
  if (Key == VK_BACK || Key == VK_DELETE || Key == VK_UP || Key == VK_DOWN || (Key >= 32 && Key <= 255)) {
    // Arrows would pick another item of a record that cannot change.
    if (!FDataLink->Edit() && (Key == VK_UP || Key == VK_DOWN)) Key = 0;
  }
}

void TDBComboBox::KeyPress(char16_t& Key) {
  TCustomComboBox::KeyPress(Key);
  if (Key == 8 || Key == 22 || Key == 24 || Key >= 32) {
    FDataLink->Edit();
  } else if (Key == 27) {
    FDataLink->Reset();
    SelectAll();
  }
}

void TDBComboBox::DoExit() {
  try {
    FDataLink->UpdateRecord();
  } catch (...) {
    SelectAll();
    if (CanFocus()) SetFocus();
    throw;
  }
  TCustomComboBox::DoExit();
}

void TDBComboBox::WndProc(TMessage& Message) {
  if (Message.Msg == CN_COMMAND && HIWORD(Message.WParam) == CBN_SELCHANGE && !FDataLink->Edit()) {
    // A record that cannot change keeps its item.
    if (Style() != csSimple) PostMessageW(FHandle, CB_SHOWDROPDOWN, 0, 0);
    DataChange();
    return;
  }
  if (Message.Msg == CB_SHOWDROPDOWN) {
    if (Message.WParam != 0) FDataLink->Edit();
    else if (!FDataLink->Editing()) DataChange();
  }
  TCustomComboBox::WndProc(Message);
}
