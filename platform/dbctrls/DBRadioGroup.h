#pragma once
// A radio group bound to one field: each button stands for a value (its
// entry in Values, else its caption); the field's text checks the button of
// that value, and checking a button writes its value into the field.
#include "platform/classes/Strings.h"
#include "platform/data/DataSource.h"
#include "platform/ui/ExtCtrls.h"
#include <memory>

class TDBRadioGroup : public TCustomRadioGroup {
public:
  explicit TDBRadioGroup(TComponent* AOwner);
  ~TDBRadioGroup() override;

  TDataSource* DataSource() const { return FDataLink->DataSource(); }
  void SetDataSource(TDataSource* value);
  const String& DataField() const { return FDataLink->FieldName(); }
  void SetDataField(const String& value) { FDataLink->SetFieldName(value); }
  TField* Field() const { return FDataLink->Field(); }
  bool ReadOnly() const { return FDataLink->ReadOnly(); }
  void SetReadOnly(bool value) { FDataLink->SetReadOnly(value); }
  // The value of each button, by index; an empty or missing entry means
  // the button's caption.
  TStrings* Values() const { return FValues.get(); }
  void SetValues(const TStrings* value) { FValues->Assign(*value); }
  // The value of the checked button (empty when none).
  const String& Value() const { return FValue; }
  void SetValue(const String& value);

  TNotifyEvent OnChange;

protected:
  void Click() override;
  void KeyPress(char16_t& Key) override;
  void DoExit() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  virtual void Change();

private:
  String ButtonValue(int index) const;
  // Checks the button of value without telling anyone.
  void ShowValue(const String& value);
  void DataChange();
  void UpdateData();

  std::unique_ptr<TFieldDataLink> FDataLink;
  std::unique_ptr<TStringList> FValues;
  String FValue;
  bool FInSetValue = false;
};
