#pragma once
// A combo box bound to one field: the field's text selects the item (or is
// the text, for a combo that can be typed into), and the chosen item's text
// is written into the field.
#include "platform/data/DataSource.h"
#include "platform/ui/StdCtrls.h"
#include <memory>

class TDBComboBox : public TCustomComboBox {
public:
  explicit TDBComboBox(TComponent* AOwner);
  ~TDBComboBox() override;

  TDataSource* DataSource() const { return FDataLink->DataSource(); }
  void SetDataSource(TDataSource* value);
  const String& DataField() const { return FDataLink->FieldName(); }
  void SetDataField(const String& value) { FDataLink->SetFieldName(value); }
  TField* Field() const { return FDataLink->Field(); }
  bool ReadOnly() const { return FDataLink->ReadOnly(); }
  void SetReadOnly(bool value) { FDataLink->SetReadOnly(value); }

  void WndProc(TMessage& Message) override;

protected:
  void Change() override;
  void Click() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void DoExit() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void DataChange();
  void UpdateData();
  String ComboText();
  void SetComboText(const String& value);

  std::unique_ptr<TFieldDataLink> FDataLink;
  bool FLoading = false;
};
