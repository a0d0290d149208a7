#include "platform/dbctrls/DBRadioGroup.h"
#include "platform/data/Field.h"

TDBRadioGroup::TDBRadioGroup(TComponent* AOwner)
    : TCustomRadioGroup(AOwner), FDataLink(std::make_unique<TFieldDataLink>()),
      FValues(std::make_unique<TStringList>()) {
  FDataLink->OnDataChange = [this](TObject*) { DataChange(); };
  FDataLink->OnUpdateData = [this](TObject*) { UpdateData(); };
  FDataLink->OnActiveChange = [this](TObject*) { DataChange(); };
}

TDBRadioGroup::~TDBRadioGroup() {
  BeginDestroy();
  FDataLink->Detach();
}

void TDBRadioGroup::SetDataSource(TDataSource* value) { FDataLink->SetControlDataSource(this, value); }

void TDBRadioGroup::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomRadioGroup::Notification(AComponent, Operation);
  if (FDataLink) FDataLink->SourceRemoved(AComponent, Operation);
}

String TDBRadioGroup::ButtonValue(int index) const {
  if (index < FValues->Count() && !FValues->Strings(index).empty()) return FValues->Strings(index);
  if (index < Items()->Count()) return Items()->Strings(index);
  return String();
}

void TDBRadioGroup::ShowValue(const String& value) {
  int index = -1;
  for (int i = 0; i < Items()->Count(); ++i)
    if (ButtonValue(i) == value) {
      index = i;
      break;
    }
  FInSetValue = true;
  try {
    SetItemIndex(index);
  } catch (...) {
    FInSetValue = false;
    throw;
  }
  FInSetValue = false;
}

void TDBRadioGroup::SetValue(const String& value) {
  if (value == FValue) return;
  ShowValue(value);
  FValue = value;
  Change();
}

void TDBRadioGroup::Change() { FireEvent(OnChange, this); }

void TDBRadioGroup::DataChange() {
  if (IsDestroying()) return;
  TField* field = FDataLink->Field();
  SetValue(field ? field->Text() : String());
}

void TDBRadioGroup::UpdateData() {
  if (TField* field = FDataLink->Field()) field->SetText(FValue);
}

void TDBRadioGroup::Click() {
  if (FInSetValue) return;
  // A record that cannot change keeps its button.
  if (!FDataLink->Edit()) {
    ShowValue(FValue);
    return;
  }
  TCustomRadioGroup::Click();
  if (ItemIndex() >= 0) SetValue(ButtonValue(ItemIndex()));
  if (FDataLink->Editing()) FDataLink->Modified();
}

void TDBRadioGroup::KeyPress(char16_t& Key) {
  TCustomRadioGroup::KeyPress(Key);
  if (Key == 8 || Key == u' ') FDataLink->Edit();
  else if (Key == 27) FDataLink->Reset();
}

void TDBRadioGroup::DoExit() {
  FDataLink->UpdateRecord();
  TCustomRadioGroup::DoExit();
}
