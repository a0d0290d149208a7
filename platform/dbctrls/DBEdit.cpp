#include "platform/dbctrls/DBEdit.h"
#include "platform/data/Field.h"

TDBEdit::TDBEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner), FDataLink(std::make_unique<TFieldDataLink>()) {
  // The window takes typing only while the record is being edited.
  TCustomMaskEdit::SetReadOnly(true);
  FDataLink->OnDataChange = [this](TObject*) { DataChange(); };
  FDataLink->OnEditingChange = [this](TObject*) { EditingChange(); };
  FDataLink->OnUpdateData = [this](TObject*) { UpdateData(); };
  FDataLink->OnActiveChange = [this](TObject*) { DataChange(); };
}

TDBEdit::~TDBEdit() {
  BeginDestroy();
  FDataLink->Detach();
}

void TDBEdit::SetDataSource(TDataSource* value) { FDataLink->SetControlDataSource(this, value); }

void TDBEdit::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomMaskEdit::Notification(AComponent, Operation);
  if (FDataLink) FDataLink->SourceRemoved(AComponent, Operation);
}

void TDBEdit::DataChange() {
  if (IsDestroying()) return;
  FLoading = true;
  TField* field = FDataLink->Field();
  if (field) {
    SetEditMask(field->EditMask());
    if (!IsMasked() && field->DataType() == ftString) SetMaxLength(field->Size());
    // A masked edit always shows the value through its mask; otherwise the
    // edit text while editing, the display text (formatted) the rest of
    // the time.
    if (IsMasked() || (FFocused && FDataLink->CanModify())) SetText(field->Text());
    else SetText(field->DisplayText());
  } else {
    SetEditMask(String());
    SetText(String());
  }
  SetModified(false);
  FLoading = false;
}

void TDBEdit::EditingChange() {
  if (IsDestroying()) return;
  TCustomMaskEdit::SetReadOnly(!FDataLink->Editing());
}

void TDBEdit::UpdateData() {
  ValidateEdit();
  if (TField* field = FDataLink->Field()) field->SetText(Text());
}

bool TDBEdit::EditCanModify() { return FDataLink->Edit(); }

void TDBEdit::Change() {
  if (!FLoading) FDataLink->Modified();
  TCustomMaskEdit::Change();
}

void TDBEdit::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomMaskEdit::KeyDown(Key, Shift);
  if (Key == VK_DELETE || (Key == VK_INSERT && Shift.Contains(ssShift))) FDataLink->Edit();
}

void TDBEdit::KeyPress(char16_t& Key) {
  // The record goes into edit mode before the character reaches the text.
  if (Key == 8 || Key == 22 || Key == 24 || Key >= 32) FDataLink->Edit();
  if (Key == 27) {
    FDataLink->Reset();
    SelectAll();
    Key = 0;
    return;
  }
  TCustomMaskEdit::KeyPress(Key);
}

void TDBEdit::SetFocused(bool value) {
  if (FFocused == value) return;
  FFocused = value;
  FDataLink->Reset();
}

void TDBEdit::DoEnter() {
  SetFocused(true);
  TCustomMaskEdit::DoEnter();
}

void TDBEdit::DoExit() {
  try {
    FDataLink->UpdateRecord();
  } catch (...) {
    SelectAll();
    if (CanFocus()) SetFocus();
    throw;
  }
  SetFocused(false);
  TCustomMaskEdit::DoExit();
}
