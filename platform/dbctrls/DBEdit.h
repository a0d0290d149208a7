#pragma once
// An edit bound to one field: it shows the record's value (its display text
// while it has no focus, its edit text with the field's edit mask while it
// is edited), puts the record in edit mode when the user types, and writes
// the text into the field when the focus leaves or the record is posted.
#include "platform/data/DataSource.h"
#include "platform/ui/Mask.h"
#include <memory>

class TDBEdit : public TCustomMaskEdit {
public:
  explicit TDBEdit(TComponent* AOwner);
  ~TDBEdit() override;

  TDataSource* DataSource() const { return FDataLink->DataSource(); }
  void SetDataSource(TDataSource* value);
  const String& DataField() const { return FDataLink->FieldName(); }
  void SetDataField(const String& value) { FDataLink->SetFieldName(value); }
  TField* Field() const { return FDataLink->Field(); }
  // The field is never changed through the edit.
  bool ReadOnly() const { return FDataLink->ReadOnly(); }
  void SetReadOnly(bool value) { FDataLink->SetReadOnly(value); }

protected:
  bool EditCanModify() override;
  void Change() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void DoEnter() override;
  void DoExit() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void DataChange();
  void EditingChange();
  void UpdateData();
  void SetFocused(bool value);

  std::unique_ptr<TFieldDataLink> FDataLink;
  bool FFocused = false;
  bool FLoading = false;
};
